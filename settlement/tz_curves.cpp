#include "settlement/tz_curves.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "model/profile.hpp"
#include "methods/method.hpp"
#include "model/interpolate.hpp"
#include "model/units.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

bool is_sand(const AnalysisModel& m, int point) {
  return m.soil_table(point, kColSoilType) == 1.0;
}

int profile_point_count(const AnalysisModel& m) {
  return std::clamp(m.soil_point_count, 0, kMaxSoilPoints);
}

// Whether the pile has a stickup at all.
bool has_stickup(const AnalysisModel& m) { return m.stickup > kTolerance; }

}  // namespace

double vertical_stickup(const AnalysisModel& m) { return m.stickup * std::cos(m.batter_angle); }

WorkingUnits working_units(const AnalysisModel& m) {
  WorkingUnits u;
  u.english = m.unit_system == 1;
  u.length = u.english ? 12.0 : 1.0;
  u.force = u.english ? 1000.0 : 1.0;
  // Diameters stay in inches in English units; millimetres become metres.
  u.diameter = u.english ? m.pile_diameter : m.pile_diameter / 1000.0;
  u.inner_diameter = u.english ? m.inner_diameter : m.inner_diameter / 1000.0;
  return u;
}

SettlementLabels settlement_labels(int unit_system) {
  const UnitLabelSet& l = unit_labels(unit_system);
  return {l.length, l.force, unit_system == 1 ? l.diameter : l.length, l.modulus};
}

UnitFrictionLookup::UnitFrictionLookup(const AnalysisModel& m, const WorkingUnits& u)
    : m_(m), u_(u), count_(std::clamp(m.npen, 0, kMaxPenetrations)),
      ascending_(ascends(m.penetration_depth, 1, count_)) {}

double UnitFrictionLookup::at(double depth) const { return at_model_depth(depth / u_.length); }

double UnitFrictionLookup::at_model_depth(double depth) const {
  const int n = count_;
  if (n < 1) return 0.0;
  const auto& z = m_.penetration_depth;
  const auto& f = m_.settlement_unit_friction;
  double value = 0.0;
  if (depth <= z[1]) {
    value = f[1];
  } else if (depth >= z[n]) {
    value = f[n];
  } else {
    // Here z[1] < depth < z[n], so n >= 2 and a point from 2 to n lies not
    // above depth; the one before it lies above, so the interval found is
    // never of zero length.
    const int i = first_at_or_above(z, 2, n, depth, ascending_);
    if (depth == z[i]) {
      value = f[i];
    } else {
      value = f[i - 1] + (f[i] - f[i - 1]) * (depth - z[i - 1]) / (z[i] - z[i - 1]);
    }
  }
  return u_.stress(value);
}

double ultimate_unit_friction_at(const AnalysisModel& m, const WorkingUnits& u, double depth) {
  return UnitFrictionLookup(m, u).at(depth);
}

double ultimate_unit_friction_at_model_depth(const AnalysisModel& m, const WorkingUnits& u,
                                             double depth) {
  return UnitFrictionLookup(m, u).at_model_depth(depth);
}

double usace_sand_stiffness(double friction_angle) {
  // USACE sand: initial stiffness base + rise x (phi - from) for phi up to
  // the row's limit; columns: limit, base, from, rise. Above 38: 18000.
  struct StiffnessRow {
    double up_to_phi, base, from_phi, rise;
  };
  static constexpr std::array<StiffnessRow, 6> kUsaceSandStiffnessByPhi = {{
      {28.0, 6000.0, 28.0, 0.0},
      {31.0, 6000.0, 28.0, 1333.3},
      {32.0, 10000.0, 32.0, 0.0},
      {34.0, 10000.0, 32.0, 1333.3},
      {35.0, 14000.0, 35.0, 0.0},
      {38.0, 14000.0, 35.0, 1333.3},
  }};
  for (const StiffnessRow& r : kUsaceSandStiffnessByPhi) {
    if (friction_angle <= r.up_to_phi) {
      return r.base + r.rise * (friction_angle - r.from_phi);
    }
  }
  return 18000.0;
}

void build_cohesionless_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u) {
  c.curve_point_count = kCurvePoints;
  const double tmax = c.curve_ultimate_friction;
  if (curve_family(load_transfer_method) != CurveFamily::kUsace) {
    // Standard sand shape: movement (in.), t / tmax.
    static constexpr std::array<TablePoint, kCurvePoints> kSandTzShape = {{
        {0.0, 0.0}, {0.01, 0.1}, {0.02, 0.2}, {0.04, 0.4}, {0.06, 0.6},
        {0.08, 0.8}, {0.09, 0.9}, {0.10, 1.0}, {0.5, 1.0}, {2.0, 1.0}}};
    for (int i = 1; i <= kCurvePoints; ++i) {
      c.curve_movement[i] = u.inches(kSandTzShape[i - 1].x);
      c.curve_transfer[i] = kSandTzShape[i - 1].y * tmax;
    }
    return;
  }
  // USACE sand: movements (in.) of the hyperbola t = z / (z / (C tmax) + 1 / k).
  static constexpr std::array<double, kCurvePoints> kUsaceSandTzMovement = {
      0.0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
  const double k = usace_sand_stiffness(c.curve_friction_angle);
  const double conversion = u.english ? 144.0 : 20.89;
  const double c_tmax = conversion * tmax;
  for (int i = 1; i <= kCurvePoints; ++i) {
    const double z = kUsaceSandTzMovement[i - 1];
    // No friction (C x tmax not above 1e-9): a flat curve.
    c.curve_transfer[i] =
        (i > 1 && c_tmax > 1.0e-9) ? z / (z / c_tmax + 1.0 / k) / conversion : 0.0;
    c.curve_movement[i] = u.inches(z);
  }
}

void build_cohesive_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u) {
  c.curve_point_count = kCurvePoints;
  const double tmax = c.curve_ultimate_friction;
  if (curve_family(load_transfer_method) != CurveFamily::kUsace) {
    // Standard clay shape: movement / D, t / tmax (peak at 0.01 D).
    static constexpr std::array<TablePoint, kCurvePoints> kClayTzShape = {{
        {0.0, 0.0}, {0.0016, 0.30}, {0.0031, 0.50}, {0.0057, 0.75}, {0.0080, 0.90},
        {0.0100, 1.00}, {0.0200, 0.90}, {0.0300, 0.90}, {0.0500, 0.90}, {0.2000, 0.90}}};
    for (int i = 1; i <= kCurvePoints; ++i) {
      c.curve_movement[i] = kClayTzShape[i - 1].x * u.diameter;
      c.curve_transfer[i] = kClayTzShape[i - 1].y * tmax;
    }
    return;
  }
  // USACE clay shape: movement (in.), t / tmax (peak at 0.08 in.).
  static constexpr std::array<TablePoint, kCurvePoints> kUsaceClayTzShape = {{
      {0.0, 0.0}, {0.01, 0.18}, {0.02, 0.38}, {0.04, 0.79}, {0.06, 0.97},
      {0.08, 1.00}, {0.12, 0.97}, {0.16, 0.93}, {0.5, 0.93}, {10.0, 0.93}}};
  for (int i = 1; i <= kCurvePoints; ++i) {
    c.curve_movement[i] = u.inches(kUsaceClayTzShape[i - 1].x);
    c.curve_transfer[i] = kUsaceClayTzShape[i - 1].y * tmax;
  }
}

void build_tz_curve(TzCurve& c, int load_transfer_method, const WorkingUnits& u) {
  if (c.curve_soil_flag == 2) {
    build_cohesive_tz_curve(c, load_transfer_method, u);
  } else {
    build_cohesionless_tz_curve(c, load_transfer_method, u);
  }
}

double curve_transfer_at(const TzCurve& c, double movement) {
  // The table interpolation read on the curve's own lists.
  const int n = std::clamp(c.curve_point_count, 0, kCurvePoints);
  if (n == 0) return 0.0;
  const auto& x = c.curve_movement;
  const auto& y = c.curve_transfer;
  if (movement <= x[1]) return y[1];
  for (int k = 2; k <= n; ++k) {
    if (x[k] >= movement) return y[k - 1] + (y[k] - y[k - 1]) * (movement - x[k - 1]) / (x[k] - x[k - 1]);
  }
  return y[n];
}

double pair_friction_angle(const AnalysisModel& m, int j, double depth) {
  const double top = m.soil_point_depth[j];
  const double thickness = m.soil_point_depth[j + 1] - top;
  const double a_top = m.soil_table(j, kColFrictionAngle);
  // A pair of (practically) zero thickness: the upper point's angle.
  if (thickness < 1.0e-10) return a_top;
  const double fraction = std::clamp((depth - top) / thickness, 0.0, 1.0);
  return a_top + (m.soil_table(j + 1, kColFrictionAngle) - a_top) * fraction;
}

SoilAtDepth soil_at_depth(const AnalysisModel& m, double depth) {
  const int n = profile_point_count(m);
  SoilAtDepth soil;
  if (n < 1) return soil;
  if (n == 1) {
    soil.flag = is_sand(m, 1) ? 1 : 2;
    soil.friction_angle = m.soil_table(1, kColFrictionAngle);
    return soil;
  }
  // The first pair whose lower point is not shallower than the depth (a
  // depth on a profile point, within the tolerance, belongs to the pair
  // above it); the last pair below the profile.
  int j = n - 1;
  for (int p = 1; p < n; ++p) {
    if (m.soil_point_depth[p + 1] >= depth - kTolerance) {
      j = p;
      break;
    }
  }
  soil.flag = is_sand(m, j) && is_sand(m, j + 1) ? 1 : 2;
  soil.friction_angle = pair_friction_angle(m, j, depth);
  return soil;
}

double tip_soil_type(const AnalysisModel& m) {
  const int n = profile_point_count(m);
  if (n < 1) return 0.0;
  for (int i = 1; i <= n; ++i) {
    if (m.soil_point_depth[i] >= m.pile_length - kTolerance) return m.soil_table(i, kColSoilType);
  }
  return m.soil_table(n, kColSoilType);
}

int build_report_curves(AnalysisModel& m, const WorkingUnits& u) {
  const double vs = vertical_stickup(m) * u.length;  // working length unit
  const bool stickup = has_stickup(m);
  const UnitFrictionLookup friction(m, u);
  int count = 0;
  auto add = [&](double depth, int flag, double angle, double tmax) {
    if (count >= kMaxCurves) return;  // never reached with 80 profile points
    TzCurve& c = m.tz_curves[++count];
    c = TzCurve{};
    c.curve_depth = depth;
    c.curve_soil_flag = flag;
    c.curve_friction_angle = angle;
    c.curve_ultimate_friction = tmax;
    build_tz_curve(c, m.load_transfer_method, u);
  };

  if (stickup) {
    add(0.0, 2, 0.0, 0.0);
    add(vs / 2.0, 2, 0.0, 0.0);
    add(vs - 0.1, 2, 0.0, 0.0);
  }
  const int n = profile_point_count(m);
  for (int j = 1; j < n; ++j) {
    const double top = m.soil_point_depth[j];
    const double bottom = m.soil_point_depth[j + 1];
    if (bottom - top < 0.11) continue;
    double depths[3];
    if (u.english) {
      // The middle curve sits 0.3 in. below mid-layer (1.1 against 0.5).
      depths[0] = top * 12.0;
      depths[1] = ((top * 12.0 + 1.1) + (bottom * 12.0 - 0.5)) / 2.0;
      depths[2] = bottom * 12.0 - 0.5;
    } else {
      depths[0] = top;
      depths[1] = (top + 0.1 + bottom - 0.1) / 2.0;
      depths[2] = bottom - 0.1;
    }
    const int flag = is_sand(m, j) && is_sand(m, j + 1) ? 1 : 2;
    const double a_top = m.soil_table(j, kColFrictionAngle);
    const double a_bottom = m.soil_table(j + 1, kColFrictionAngle);
    const double angles[3] = {a_top, (a_top + a_bottom) / 2.0, a_bottom};
    for (int c = 0; c < 3; ++c) {
      const double depth = depths[c] + vs;
      const double tmax = stickup ? friction.at(depth - vs) : friction.at(depth);
      add(depth, flag, angles[c], tmax);
    }
  }
  m.report_curve_count = count;
  return count;
}

void write_section_banner(LineSink& report, const char* first, const char* second) {
  report.blank(2);
  report.put(Line().x(16).t("*************************************************"));
  report.put(Line().x(16).t(first));
  report.put(Line().x(16).t(second));
  report.put(Line().x(16).t("*************************************************"));
  report.blank(2);
}

void write_curve_heading(LineSink& report, const SettlementLabels& labels) {
  report.put(Line().x(8).t("T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD ").t("TRANSFER   PILE MOVEMENT"));
  report.put(Line()
                 .x(11)
                 .t("NO.")
                 .x(6)
                 .t("POINTS")
                 .x(8)
                 .t(labels.length)
                 .x(14)
                 .t(labels.transfer_column)
                 .x(13)
                 .t(labels.movement_column));
  report.blank();
}

void write_curve_number_line(LineSink& sink, int number, int point_count, double depth) {
  sink.put(Line().x(8).i(number, 5).i(point_count, 11).e(depth, 16, 4));
}

void write_curve_points(LineSink& sink, const TzCurve& c) {
  const int n = std::clamp(c.curve_point_count, 0, kCurvePoints);
  for (int i = 1; i <= n; ++i) {
    sink.put(Line().x(40).e(c.curve_transfer[i], 17, 4).e(c.curve_movement[i], 16, 4));
  }
}

void list_report_curves(AnalysisModel& m, const WorkingUnits& u, RunOutput& out) {
  write_curve_heading(out.report, settlement_labels(m.unit_system));
  // The three stickup curves are built but not listed.
  const int first = has_stickup(m) ? 4 : 1;
  const int last = std::min(m.report_curve_count, first - 1 + kMaxListedCurves);
  const int listed = std::max(0, last - first + 1);
  m.listed_curve_count = listed;
  for (int k = 1; k <= listed; ++k) m.listed_tz_curves[k] = m.tz_curves[first - 1 + k];
  out.plot.put(Line().i(listed, 12));  // free format: one integer
  const double vs = vertical_stickup(m);
  for (int k = 1; k <= listed; ++k) {
    const TzCurve& c = m.listed_tz_curves[k];
    const double depth = c.curve_depth / u.length - vs;  // below ground, ft or m
    for (LineSink* sink : {&out.report, &out.plot}) {
      write_curve_number_line(*sink, k, c.curve_point_count, depth);
      write_curve_points(*sink, c);
    }
  }
}

int build_computation_curves(AnalysisModel& m, const WorkingUnits& u) {
  // With fewer than 2 segments every curve lies at the ground surface.
  const int n = std::clamp(m.settlement_segment_count, 1, kMaxCurves);
  const double cos_batter = std::cos(m.batter_angle);
  const double spacing = n >= 2 ? cos_batter * m.pile_length / (n - 1) : 0.0;
  const bool stickup = has_stickup(m);
  const double vs = stickup ? vertical_stickup(m) : 0.0;
  const UnitFrictionLookup friction(m, u);
  for (int k = 1; k <= n; ++k) {
    TzCurve& c = m.tz_curves[k];
    c = TzCurve{};
    const double below_ground = (k - 1) * spacing;  // ft or m
    c.curve_depth = (below_ground + vs) * u.length;
    // The soil and the friction of the curve come from its own depth below
    // ground; the curve at the foot of the stickup carries no friction.
    const SoilAtDepth soil = soil_at_depth(m, below_ground);
    c.curve_soil_flag = soil.flag;
    c.curve_friction_angle = soil.friction_angle;
    c.curve_ultimate_friction =
        stickup && k == 1 ? 0.0 : friction.at_model_depth(below_ground);
    build_tz_curve(c, m.load_transfer_method, u);
  }
  // The deepest curve, at the tip, is built but not used by the solver.
  return n - 1;
}

void build_tip_curve(AnalysisModel& m, const WorkingUnits& u) {
  const int npen = std::clamp(m.npen, 0, kMaxPenetrations);
  const double qp = npen >= 1 ? m.settlement_end_bearing[npen] * u.force : 0.0;
  const double d = u.diameter;
  if (curve_family(m.load_transfer_method) != CurveFamily::kUsace) {
    // Standard tip curve: movement / D, load / Qp.
    static constexpr std::array<TablePoint, kCurvePoints> kTipCurveShape = {{
        {0.0, 0.0}, {0.0005, 0.0625}, {0.001, 0.125}, {0.002, 0.25}, {0.013, 0.50},
        {0.042, 0.75}, {0.073, 0.90}, {0.100, 1.0}, {0.150, 1.0}, {0.200, 1.0}}};
    for (int i = 1; i <= kCurvePoints; ++i) {
      m.tip_movement[i] = kTipCurveShape[i - 1].x * d;
      m.tip_load[i] = kTipCurveShape[i - 1].y * qp;
    }
    return;
  }
  // USACE tip movements (in.).
  static constexpr std::array<double, kCurvePoints> kUsaceTipMovement = {
      0.0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0};
  const double type = tip_soil_type(m);
  const bool granular = type == 1.0 || type == 3.0;
  double critical = 0.0;
  double exponent = 0.5;
  if (granular) {
    critical = npen >= 1 ? m.layer_tip_movement[layer_at(m, npen)] : 0.0;
    if (!(critical > 0.0)) critical = 0.05 * d;
    // A pile of no diameter and no critical movement: floor the divisor.
    critical = std::max(critical, 1.0e-10);
    const int tip_curve = std::clamp(m.settlement_segment_count - 1, 1, kMaxCurves);
    const double phi = m.tz_curves[tip_curve].curve_friction_angle;
    exponent = phi <= 31.0 ? 0.5 : (phi <= 38.0 ? 0.333 : 0.25);
  }
  // Clay: the load reaches Qp / 2 at 2 x 0.005 D (floored for D = 0).
  const double clay_reference = std::max(std::sqrt(2.0 * 0.005 * d), 1.0e-10);
  for (int i = 1; i <= kCurvePoints; ++i) {
    const double w = u.inches(kUsaceTipMovement[i - 1]);
    m.tip_movement[i] = w;
    if (i == 1) {
      m.tip_load[i] = 0.0;
    } else if (granular) {
      m.tip_load[i] = qp * std::pow(w / critical, exponent);  // not capped at Qp
    } else {
      m.tip_load[i] = std::min(qp, 0.5 * qp * std::sqrt(w) / clay_reference);
    }
  }
}

}  // namespace zolan
