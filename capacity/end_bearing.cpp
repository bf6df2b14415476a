#include "capacity/end_bearing.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "capacity/profile.hpp"
#include "model/interpolate.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

constexpr double kPaEnglish = 2.1168;  // atmospheric pressure, ksf
constexpr double kPaSi = 100.0;        // atmospheric pressure, kPa

bool english(const AnalysisModel& m) { return m.unit_system == 1; }

double atmospheric_pressure(const AnalysisModel& m) { return english(m) ? kPaEnglish : kPaSi; }

// Outside diameter in millimetres.
double diameter_mm(const AnalysisModel& m) {
  return english(m) ? m.pile_diameter * 25.4 : m.pile_diameter;
}

// Outside diameter in ft or m.
double diameter_length(const AnalysisModel& m) {
  return english(m) ? m.pile_diameter / 12.0 : m.pile_diameter / 1000.0;
}

// A given maximum unit bearing (9999999 means none).
bool limited(double qmax) { return qmax != kNotLimited; }

// Cohesive layer: 9 su, or for ICP/MTD, Fugro and UWA a fraction of the
// cone resistance; then the maximum unit bearing.
void cohesive_bearing(const AnalysisModel& m, int j, double& qt, double& qb) {
  qt = 9.0 * m.layer_su_undisturbed[j];
  qb = qt;
  const int code = m.method_code;
  if (code == kCodeIcp || code == kCodeFugro || code == kCodeUwa) {
    const bool drained = m.clay_drained_option == 1;
    const bool closed_tip = m.pile_inner_diameter < kTolerance;
    if (closed_tip || m.plug_condition == 1) {
      double factor = drained ? 1.3 : 0.8;
      if (m.plug_condition == 1) factor = drained ? 0.65 : 0.4;
      qt = factor * layer_qc(m, j);
      qb = qt;
    } else if (m.plug_condition == 2) {
      qt = (drained ? 1.6 : 1.0) * layer_qc(m, j);
      qb = qt;
    }
    // Open tip, plug computed: the 9 su values stay.
  }
  const double qmax = m.layer_max_unit_bearing[j];
  if (limited(qmax)) {
    qt = std::min(qt, qmax);
    qb = std::min(qb, qmax);
  }
}

// FHWA sand: alpha_t Nq' sigma'v, limited by twice the T3 value and qmax.
void fhwa_bearing(const AnalysisModel& m, int j, double& qt, double& qb) {
  const double phi = m.layer_friction_angle[j];
  // A zero diameter would make L/D infinite: floor the diameter.
  const double ratio = m.pile_length / std::max(diameter_length(m), 1e-10);
  const double alpha = tip_coefficient(phi, ratio);
  const double nq = nq_fhwa(phi);
  const double limit_value =
      english(m) ? 2.0 * fhwa_bearing_limit(phi) : 2.0 * fhwa_bearing_limit(phi) * 47.88;
  const double lim = std::min(limit_value, m.layer_max_unit_bearing[j]);
  qt = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j - 1]);
  qb = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j]);
}

// USACE stress caps, kept from layer to layer within one call.
struct UsaceCaps {
  double cap = 0.0;
  double cap36 = 0.0;
  double cap40 = 0.0;
};

// USACE sand: Nq sigma'v with the vertical stress capped at the critical
// depth by friction angle.
void usace_bearing(const AnalysisModel& m, int j, UsaceCaps& caps, double& qt, double& qb) {
  const double phi = m.layer_friction_angle[j];
  const double nq = nq_usace(phi);
  const double od = diameter_length(m);
  double d10 = 10.0 * od + 1.0;
  double d15 = 15.0 * od + 1.0;
  double d20 = 20.0 * od + 1.0;
  if (m.critical_depth_option > 0) {
    d10 = m.critical_depth;
    d15 = m.critical_depth;
    d20 = m.critical_depth;
  }
  // Critical depth by stress that no layer reached: no critical depth, so
  // no stress cap.
  const bool no_critical_depth = m.critical_depth_option == 1 && m.critical_depth < 1e-5;
  if (!no_critical_depth) {
    const double y = penetration_depth_of_layer(m, j);
    const double sc = m.boundary_vertical_stress_usace[2 * j];
    if (phi <= 33.0 && y > d10 && caps.cap < 1e-5) caps.cap = sc;
    if (phi > 33.0 && y > d15) {
      if (phi <= 36.0 && caps.cap36 < 1e-5) caps.cap36 = sc;
      caps.cap = caps.cap36;
    }
    if (phi > 36.0 && y > d20) {
      if (caps.cap40 < 1e-5) caps.cap40 = sc;
      caps.cap = caps.cap40;
    }
  }
  const double sb = m.boundary_vertical_stress[2 * j];
  qt = nq * m.boundary_vertical_stress[2 * j - 1];
  qb = nq * sb;
  if (caps.cap < sb && caps.cap > 1e-5) {
    qt = nq * caps.cap;
    qb = qt;
  }
  const double qmax = m.layer_max_unit_bearing[j];
  if (limited(qmax) && qmax > 0.001) {
    qt = std::min(qt, qmax);
    qb = std::min(qb, qmax);
  }
}

// Revised Lambda and API sand: Nq sigma'v up to qmax or the table L limit.
void api_bearing(const AnalysisModel& m, int j, double& qt, double& qb) {
  const double qmax = m.layer_max_unit_bearing[j];
  const double lim = limited(qmax) ? qmax : bearing_limit(m.layer_friction_angle[j], m.unit_system);
  const double nq = m.layer_Nq[j];
  qt = std::min(lim, nq * m.boundary_vertical_stress[2 * j - 1]);
  qb = std::min(lim, nq * m.boundary_vertical_stress[2 * j]);
}

// NGI sand at one boundary: relative density from qc and sigma'v.
double ngi_bearing(const AnalysisModel& m, double qc, double sigma) {
  // With qc or sigma'v at 0 the relative density is unbounded and the rule
  // tends to 0: take that limit instead of ln(0) or a division by 0.
  if (!(qc > 0.0) || !(sigma > 0.0)) return 0.0;
  const double pa = atmospheric_pressure(m);
  const double dr = 0.4 * std::log(qc / (22.0 * std::sqrt(pa * sigma)));
  if (m.pile_inner_diameter > 1e-4) return 0.7 * qc / (1.0 + 3.0 * (dr * dr));
  return 0.8 * qc / (1.0 + dr * dr);
}

// ICP/MTD sand: a fraction of qc falling with the diameter.
double icp_bearing(const AnalysisModel& m, double qc) {
  const double od_mm = diameter_mm(m);
  // log10 of a zero diameter is unbounded: floor the diameter.
  const double r = std::log10(std::max(od_mm, 1e-10) / 36.0);
  double q;
  if (m.pile_inner_diameter < 1e-4) {
    q = (1.0 - 0.5 * r) * qc;
    if (od_mm > 900.0) q = std::max(q, 0.3 * qc);
  } else {
    q = (0.5 - 0.25 * r) * qc;
    if (od_mm > 900.0) q = std::max(q, 0.15 * qc);
    if (m.plug_condition == 2) q = qc;
  }
  return q;
}

// Fugro sand: 8.5 pa sqrt(qc / pa) Ar^0.25.
double fugro_bearing(const AnalysisModel& m, double qc) {
  const double pa = atmospheric_pressure(m);
  // Zero diameter: floor it; an inner diameter above the outer one would
  // give a negative area ratio under the fourth root: floor at 0; a
  // negative qc under the square root likewise.
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, 1e-10);
  const double ar = std::max(1.0 - ratio * ratio, 0.0);
  return 8.5 * pa * std::sqrt(std::max(qc / pa, 0.0)) * std::pow(ar, 0.25);
}

// UWA sand: qc (0.15 + 0.45 Arb) with the filling ratio FFR.
double uwa_bearing(const AnalysisModel& m, double qc) {
  const double di_m =
      english(m) ? m.pile_inner_diameter * 0.0254 : m.pile_inner_diameter / 1000.0;
  // A negative diameter under the fifth root: floor at 0.
  const double ffr = std::min(1.0, std::pow(std::max(di_m, 0.0) / 1.5, 0.2));
  // Zero outer diameter: floor it.
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, 1e-10);
  const double arb = 1.0 - ffr * (ratio * ratio);
  double q = qc * (0.15 + 0.45 * arb);
  if (m.pile_inner_diameter < 1e-4 || m.plug_condition == 1) {
    q = std::max(q, 0.3 * qc);
  } else {
    q = std::max(q, 0.15 * qc);
  }
  return q;
}

}  // namespace

double layer_qc(const AnalysisModel& m, int j) {
  const int layer = layer_at(m, j);
  const double scale = english(m) ? 1000.0 : 1.0;  // psf to ksf
  if (m.layer_cone_resistance[layer] >= 1e-5) return m.layer_cone_resistance[layer] / scale;
  if (m.cpt_point_count >= 1) return cpt_profile_qc(m, penetration_depth_of_layer(m, j)) / scale;
  return 2.8 * atmospheric_pressure(m) * m.layer_blow_count[layer];
}

// USACE Nq by phi (degrees).
double nq_usace(double phi) {
  static constexpr TablePoint kNqUsace[] = {
      {0.0, 1.0},   {5.0, 1.6},   {10.0, 2.7},  {15.0, 4.4},  {20.0, 7.4},
      {30.0, 23.0}, {32.0, 30.0}, {36.0, 56.0}, {38.0, 68.0}, {39.0, 79.0},
      {40.0, 88.0}, {45.0, 200.0}, {50.0, 415.1},
  };
  return interpolate(kNqUsace, phi);
}

// FHWA Nq' by phi (degrees).
double nq_fhwa(double phi) {
  static constexpr TablePoint kNqFhwa[] = {
      {15.0, 4.8},  {17.5, 6.2},  {20.0, 8.2},  {22.5, 12.0}, {25.0, 15.0},
      {27.5, 21.0}, {30.0, 30.0}, {32.5, 43.0}, {35.0, 64.0}, {37.5, 98.0},
      {40.0, 160.0}, {42.5, 265.0}, {45.0, 475.0},
  };
  return interpolate(kNqFhwa, phi);
}

// FHWA limit of unit end bearing by phi (degrees), before doubling.
double fhwa_bearing_limit(double phi) {
  static constexpr TablePoint kFhwaBearingLimit[] = {
      {30.0, 6.66},   {31.25, 11.25}, {32.5, 20.0},   {33.75, 32.5},
      {35.0, 53.8},   {36.25, 81.3},  {37.5, 117.5},  {38.75, 159.5},
      {40.0, 208.8},  {41.25, 262.5}, {42.5, 318.8},  {43.75, 368.8},
  };
  return interpolate(kFhwaBearingLimit, phi);
}

// API Nq by delta = phi - 5 (degrees).
double nq_api(double delta) {
  static constexpr TablePoint kNqApi[] = {
      {15.0, 8.0}, {20.0, 12.0}, {25.0, 20.0}, {30.0, 40.0}, {35.0, 50.0},
  };
  return interpolate(kNqApi, delta);
}

namespace {

// Table L, limit of unit end bearing by friction angle: rows of phi
// (degrees), limit in ksf and in kPa; linear inside each band, constant
// outside the first and last rows.
struct BearingLimitRow {
  double phi;
  double ksf;
  double kpa;
};
constexpr BearingLimitRow kBearingLimit[] = {
    {20.0, 40.0, 1900.0},  {25.0, 60.0, 2900.0},   {30.0, 100.0, 4800.0},
    {35.0, 200.0, 9600.0}, {40.0, 250.0, 12000.0},
};
constexpr std::size_t kBearingLimitRows = std::size(kBearingLimit);

constexpr std::array<TablePoint, kBearingLimitRows> bearing_limit_column(bool ksf) {
  std::array<TablePoint, kBearingLimitRows> column{};
  for (std::size_t r = 0; r < kBearingLimitRows; ++r) {
    column[r] = {kBearingLimit[r].phi, ksf ? kBearingLimit[r].ksf : kBearingLimit[r].kpa};
  }
  return column;
}
constexpr auto kBearingLimitKsf = bearing_limit_column(true);
constexpr auto kBearingLimitKpa = bearing_limit_column(false);

}  // namespace

double bearing_limit(double phi, int unit_system) {
  return unit_system == 1 ? interpolate(kBearingLimitKsf, phi) : interpolate(kBearingLimitKpa, phi);
}

namespace {

// FHWA tip coefficient alpha_t: rows of phi (degrees), columns for
// L/D = 20, 30 and 45.
struct TipCoefficientRow {
  double phi;
  double by_ratio[3];
};
constexpr double kTipRatios[3] = {20.0, 30.0, 45.0};
constexpr TipCoefficientRow kTipCoefficient[] = {
    {20.0, {0.365, 0.256, 0.177}}, {20.5, {0.375, 0.267, 0.190}},
    {22.5, {0.416, 0.319, 0.242}}, {25.0, {0.470, 0.389, 0.318}},
    {27.5, {0.525, 0.400, 0.400}}, {30.0, {0.580, 0.520, 0.490}},
    {32.5, {0.637, 0.605, 0.578}}, {35.0, {0.680, 0.670, 0.660}},
    {36.5, {0.700, 0.700, 0.700}}, {37.5, {0.715, 0.715, 0.715}},
    {40.0, {0.750, 0.750, 0.750}}, {42.5, {0.780, 0.780, 0.780}},
    {45.0, {0.800, 0.800, 0.800}},
};
constexpr std::size_t kTipRows = std::size(kTipCoefficient);

constexpr std::array<TablePoint, kTipRows> tip_column(int c) {
  std::array<TablePoint, kTipRows> column{};
  for (std::size_t r = 0; r < kTipRows; ++r) {
    column[r] = {kTipCoefficient[r].phi, kTipCoefficient[r].by_ratio[c]};
  }
  return column;
}
constexpr std::array<std::array<TablePoint, kTipRows>, 3> kTipColumns = {
    tip_column(0), tip_column(1), tip_column(2)};

}  // namespace

// Column by L/D (below 30, 30 to 45, 45 and more), interpolated in phi;
// below L/D 45 and above 20 the next column too, then linearly in L/D.
double tip_coefficient(double phi, double length_over_diameter) {
  const double ld = length_over_diameter;
  const int c = ld < 30.0 ? 0 : (ld < 45.0 ? 1 : 2);
  const double value = interpolate(kTipColumns[static_cast<std::size_t>(c)], phi);
  if (c == 2 || !(ld > 20.0)) return value;
  const double next = interpolate(kTipColumns[static_cast<std::size_t>(c + 1)], phi);
  return value + (next - value) * (ld - kTipRatios[c]) / (kTipRatios[c + 1] - kTipRatios[c]);
}

void compute_unit_end_bearing(AnalysisModel& m) {
  const int layers = std::min(m.layer_count, kMaxLayers);
  UsaceCaps caps;  // the USACE caps live for this call
  for (int j = 1; j <= layers; ++j) {
    const int t = 2 * j - 1;
    const int b = 2 * j;
    double qt = m.boundary_unit_end_bearing[t];
    double qb = m.boundary_unit_end_bearing[b];
    if (m.layer_soil_type[j] - 1.0 > kTolerance) {
      cohesive_bearing(m, j, qt, qb);
    } else {
      // API Nq of a sand layer given as 0: filled from the delta table, for
      // good.
      if (m.layer_Nq[j] == 0.0) m.layer_Nq[j] = nq_api(m.layer_friction_angle[j] - 5.0);
      switch (m.method_code) {
        case kCodeFhwa:
          fhwa_bearing(m, j, qt, qb);
          break;
        case kCodeUsace:
          usace_bearing(m, j, caps, qt, qb);
          break;
        case kCodeLambda:
        case kCodeApi:
          api_bearing(m, j, qt, qb);
          break;
        case kCodeNgi:
        case kCodeIcp:
        case kCodeFugro:
        case kCodeUwa: {
          const double qc = layer_qc(m, j);
          if (m.method_code == kCodeNgi) {
            qt = ngi_bearing(m, qc, m.boundary_vertical_stress[t]);
            qb = ngi_bearing(m, qc, m.boundary_vertical_stress[b]);
          } else {
            const double q = m.method_code == kCodeIcp     ? icp_bearing(m, qc)
                             : m.method_code == kCodeFugro ? fugro_bearing(m, qc)
                                                           : uwa_bearing(m, qc);
            qt = q;
            qb = q;
          }
          const double qmax = m.layer_max_unit_bearing[j];
          if (limited(qmax) && qmax > 0.001) {
            qt = std::min(qt, qmax);
            qb = std::min(qb, qmax);
          }
          break;
        }
        default:
          // User-specified and any other code: no rule of its own, the
          // values of the previous call stay.
          break;
      }
    }
    m.boundary_unit_end_bearing[t] = qt;
    m.boundary_unit_end_bearing[b] = qb;
  }
}

}  // namespace zolan
