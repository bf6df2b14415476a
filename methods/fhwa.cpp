// FHWA: side friction of sand by Nordlund (K_delta C_F sigma'v sin(delta +
// omega) / cos(omega)), of clay by Tomlinson (alpha su with the adhesion
// case of the soil above); end bearing of sand from alpha_t Nq' sigma'v with
// its limit; and the tables they read.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "methods/penetration.hpp"
#include "methods/rules.hpp"
#include "model/interpolate.hpp"
#include "model/profile.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// A row of a table with C columns: its argument x and one value per column.
template <std::size_t C>
struct TableRow {
  double x;
  double y[C];
};

// The columns of a row table, each as its own interpolation table.
template <std::size_t C, std::size_t R>
constexpr std::array<std::array<TablePoint, R>, C> columns_of(const TableRow<C> (&rows)[R]) {
  std::array<std::array<TablePoint, R>, C> columns{};
  for (std::size_t c = 0; c < C; ++c) {
    for (std::size_t r = 0; r < R; ++r) columns[c][r] = {rows[r].x, rows[r].y[c]};
  }
  return columns;
}

// ---- End bearing ----------------------------------------------------------

// Nq' by friction angle phi (degrees).
constexpr TablePoint kNqFhwaByPhi[] = {
    {15.0, 4.8},  {17.5, 6.2},  {20.0, 8.2},  {22.5, 12.0}, {25.0, 15.0},
    {27.5, 21.0}, {30.0, 30.0}, {32.5, 43.0}, {35.0, 64.0}, {37.5, 98.0},
    {40.0, 160.0}, {42.5, 265.0}, {45.0, 475.0},
};

// Limit of unit end bearing (ksf, before doubling) by friction angle phi
// (degrees).
constexpr TablePoint kBearingLimitByPhi[] = {
    {30.0, 6.66},   {31.25, 11.25}, {32.5, 20.0},   {33.75, 32.5},
    {35.0, 53.8},   {36.25, 81.3},  {37.5, 117.5},  {38.75, 159.5},
    {40.0, 208.8},  {41.25, 262.5}, {42.5, 318.8},  {43.75, 368.8},
};

// Tip coefficient alpha_t: rows of phi (degrees), columns for L/D = 20, 30
// and 45.
constexpr double kTipRatios[3] = {20.0, 30.0, 45.0};
constexpr TableRow<3> kTipCoefficient[] = {
    {20.0, {0.365, 0.256, 0.177}}, {20.5, {0.375, 0.267, 0.190}},
    {22.5, {0.416, 0.319, 0.242}}, {25.0, {0.470, 0.389, 0.318}},
    {27.5, {0.525, 0.400, 0.400}}, {30.0, {0.580, 0.520, 0.490}},
    {32.5, {0.637, 0.605, 0.578}}, {35.0, {0.680, 0.670, 0.660}},
    {36.5, {0.700, 0.700, 0.700}}, {37.5, {0.715, 0.715, 0.715}},
    {40.0, {0.750, 0.750, 0.750}}, {42.5, {0.780, 0.780, 0.780}},
    {45.0, {0.800, 0.800, 0.800}},
};
constexpr auto kTipColumns = columns_of(kTipCoefficient);

// ---- Nordlund (sand) ------------------------------------------------------

// delta/phi: rows of displaced volume V (ft3/ft), columns by pile type 1
// pipe, 2 timber, 3 precast concrete, 4 Raymond step-taper, 5 Raymond
// uniform taper, 6 H-pile, 7 tapered monotube.
constexpr TableRow<7> kDeltaRatioByVolume[] = {
    {0.08, {0.342, 0.404, 0.466, 0.571, 0.801, 0.727, 0.643}},
    {0.1, {0.342, 0.404, 0.466, 0.571, 0.801, 0.747, 0.643}},
    {0.2, {0.342, 0.404, 0.466, 0.571, 0.801, 0.827, 0.643}},
    {0.3, {0.342, 0.404, 0.466, 0.571, 0.801, 0.8875, 0.643}},
    {0.4, {0.41, 0.466, 0.525, 0.637, 0.845, 0.933, 0.696}},
    {0.52, {0.476, 0.527, 0.59, 0.699, 0.895, 0.972, 0.757}},
    {0.6, {0.516, 0.562, 0.63, 0.736, 0.925, 0.98, 0.792}},
    {0.8, {0.593, 0.637, 0.708, 0.814, 0.994, 0.98, 0.86}},
    {1.0, {0.652, 0.693, 0.767, 0.873, 1.053, 0.98, 0.916}},
    {1.2, {0.697, 0.734, 0.813, 0.917, 1.11, 0.98, 0.958}},
    {1.4, {0.733, 0.766, 0.848, 0.953, 1.159, 0.98, 0.994}},
    {1.6, {0.763, 0.793, 0.877, 0.985, 1.207, 0.98, 1.024}},
    {1.9, {0.798, 0.825, 0.914, 1.024, 1.27, 0.98, 1.062}},
};
constexpr auto kDeltaRatioColumns = columns_of(kDeltaRatioByVolume);

// Correction factor C_F: rows of phi (degrees), columns by delta/phi.
constexpr double kCorrectionRatios[7] = {0.2, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4};
constexpr TableRow<7> kCorrectionFactorByPhi[] = {
    {14.0, {0.83, 0.9, 0.95, 0.99, 1.0, 1.01, 1.02}},
    {18.0, {0.77, 0.85, 0.92, 0.98, 1.0, 1.02, 1.03}},
    {22.0, {0.71, 0.8, 0.89, 0.97, 1.0, 1.02, 1.03}},
    {26.0, {0.64, 0.74, 0.85, 0.95, 1.0, 1.02, 1.04}},
    {30.0, {0.58, 0.69, 0.82, 0.94, 1.0, 1.03, 1.06}},
    {34.0, {0.5, 0.63, 0.77, 0.92, 1.0, 1.05, 1.08}},
    {38.0, {0.42, 0.56, 0.72, 0.9, 1.0, 1.07, 1.1}},
    {42.0, {0.32, 0.49, 0.66, 0.87, 1.0, 1.09, 1.13}},
    {45.0, {0.24, 0.43, 0.62, 0.84, 1.0, 1.12, 1.16}},
};
constexpr auto kCorrectionColumns = columns_of(kCorrectionFactorByPhi);

// K_delta for phi = 25, 30, 35 and 40 degrees: rows of taper angle omega
// (degrees), columns for displaced volume V = 0.1, 1.0 and 10 ft3/ft.
constexpr double kKDeltaVolumes[3] = {0.1, 1.0, 10.0};
constexpr TableRow<3> kKDeltaPhi25[] = {
    {0.0, {0.7, 0.85, 1.0}},        {0.1, {0.739, 0.902, 1.05}},
    {0.2, {0.817, 0.992, 1.136}},   {0.3, {0.922, 1.085, 1.237}},
    {0.4, {1.042, 1.206, 1.349}},   {0.5, {1.194, 1.353, 1.478}},
    {0.6, {1.4, 1.536, 1.646}},     {0.8, {1.808, 1.886, 1.944}},
    {1.0, {2.322, 2.337, 2.316}},   {1.2, {2.917, 2.917, 2.917}},
};
constexpr TableRow<3> kKDeltaPhi30[] = {
    {0.0, {0.85, 1.15, 1.45}},      {0.1, {1.043, 1.408, 1.745}},
    {0.2, {1.26, 1.629, 1.978}},    {0.3, {1.551, 1.958, 2.339}},
    {0.4, {2.017, 2.435, 2.746}},   {0.5, {2.56, 2.928, 3.18}},
    {0.6, {3.18, 3.444, 3.638}},    {0.8, {4.332, 4.421, 4.499}},
    {1.0, {5.36, 5.36, 5.36}},      {1.2, {5.934, 5.934, 5.934}},
    {1.4, {6.244, 6.244, 6.244}},   {1.6, {6.399, 6.399, 6.399}},
    {1.8, {6.487, 6.487, 6.487}},   {1.9, {6.494, 6.494, 6.494}},
};
constexpr TableRow<3> kKDeltaPhi35[] = {
    {0.0, {1.15, 1.75, 2.35}},      {0.1, {1.47, 2.01, 2.76}},
    {0.2, {2.0, 2.59, 3.37}},       {0.25, {2.32, 2.98, 3.72}},
    {0.3, {2.9, 3.56, 4.26}},       {0.4, {4.18, 4.66, 5.19}},
    {0.5, {5.42, 5.65, 6.08}},      {0.6, {6.81, 6.85, 7.12}},
    {0.75, {8.55, 8.55, 8.55}},     {0.88, {9.75, 9.75, 9.75}},
    {1.0, {10.18, 10.18, 10.18}},   {1.11, {10.34, 10.34, 10.34}},
    {2.0, {10.34, 10.34, 10.34}},
};
constexpr TableRow<3> kKDeltaPhi40[] = {
    {0.0, {1.7, 3.0, 4.3}},         {0.1, {5.12, 6.352, 7.04}},
    {0.15, {7.36, 8.0, 8.48}},      {0.22, {10.56, 10.56, 10.56}},
    {0.3, {13.6, 13.6, 13.6}},      {0.4, {15.84, 15.84, 15.84}},
    {0.43, {16.64, 16.64, 16.64}},  {0.5, {17.28, 17.28, 17.28}},
    {0.56, {17.54, 17.54, 17.54}},  {2.0, {17.54, 17.54, 17.54}},
};
constexpr auto kKDelta25 = columns_of(kKDeltaPhi25);
constexpr auto kKDelta30 = columns_of(kKDeltaPhi30);
constexpr auto kKDelta35 = columns_of(kKDeltaPhi35);
constexpr auto kKDelta40 = columns_of(kKDeltaPhi40);

// ---- Tomlinson (clay) -----------------------------------------------------

// Adhesion factor alpha: rows of undrained strength su (ksf), curves 1A,
// 1B, 1C (sand above), 2A, 2B (soft clay above), 3A, 3B (stiff clay above).
enum AlphaCurve : std::size_t { k1A, k1B, k1C, k2A, k2B, k3A, k3B };
constexpr TableRow<7> kAdhesionBySu[] = {
    {0.0, {1.0, 1.0, 1.0, 0.7, 0.97, 1.0, 1.0}},
    {0.5, {1.0, 1.0, 1.0, 0.519, 0.84, 0.984, 1.0}},
    {1.0, {1.0, 1.0, 0.9, 0.398, 0.746, 0.923, 1.0}},
    {1.5, {1.0, 1.0, 0.815, 0.334, 0.694, 0.829, 1.0}},
    {2.0, {1.0, 0.95, 0.68, 0.298, 0.675, 0.688, 0.9}},
    {2.5, {1.0, 0.875, 0.5, 0.272, 0.656, 0.443, 0.701}},
    {3.0, {1.0, 0.75, 0.44, 0.246, 0.626, 0.303, 0.502}},
    {3.5, {1.0, 0.75, 0.4, 0.226, 0.599, 0.245, 0.388}},
    {4.0, {1.0, 0.75, 0.4, 0.206, 0.568, 0.238, 0.315}},
    {4.5, {1.0, 0.75, 0.4, 0.186, 0.54, 0.238, 0.299}},
};
constexpr auto kAdhesionCurves = columns_of(kAdhesionBySu);
// At or above this strength (ksf) every curve takes its last value.
constexpr double kLastAdhesionStrength = 4.5;

// ---- Constants of the formulas --------------------------------------------

// A zero diameter would make L/D infinite: the diameter is floored.
constexpr double kSmallestDiameter = 1e-10;
// The taper angle in the diameter formulas: radians per degree.
constexpr double kTaperRadiansPerDegree = 0.01745;
// pi/4 of the section areas: 0.785398, and 0.7854 where the full solid
// section is taken (enhanced end, and the closed tip in SI units).
constexpr double kQuarterPi = 0.785398;
constexpr double kQuarterPiSolid = 0.7854;
// Square feet per square metre: the tables are read with V in ft3/ft.
constexpr double kSquareMetresPerSquareFoot = 0.0929;
// An enhanced end section longer than this with an inside diameter below
// kSolidInnerDiameter makes a solid section.
constexpr double kShortestEnhancedEnd = 0.001;
constexpr double kSolidInnerDiameter = 1e-5;
// K_delta takes the 40-degree table from this friction angle on.
constexpr double kPhiOfLastKDeltaTable = f32(39.99999);  // 39.9999885559082
// A soil type this little above 1 counts as cohesionless soil above a clay.
constexpr double kCohesionlessAbove = 1.0e-10;
// su (ksf) from which the clay above is stiff (case 3), soft below (case 2).
constexpr double kStiffClayStrength = 0.8;
// A layer bottom closer than this to the soil point below it adds the
// interval to the running sum of the penetration ratio.
constexpr double kNearSoilPoint = 0.95;
// A mean diameter (or a cosine of the taper) this close to zero would make
// the penetration ratio (or the unit friction) infinite: floored, sign kept.
constexpr double kSmallestDivisor = 1e-10;
// The integer part of a larger user adhesion case is no curve at all: the
// value is held below it before it is turned into an integer.
constexpr double kNoCurveCase = 4.0;

double away_from_zero(double v) {
  if (std::abs(v) >= kSmallestDivisor) return v;
  return v < 0.0 ? -kSmallestDivisor : kSmallestDivisor;
}

// Outside diameter (ft or m) tapered over `length` from the pile head.
double tapered_diameter(const AnalysisModel& m, double length) {
  return diameter_length(m) - 2.0 * std::tan(m.taper_angle * kTaperRadiansPerDegree) * length;
}

// K_delta of one table at the taper angle omega and the volume V: in omega
// within each volume column, then linearly in V between the columns.
template <std::size_t R>
double k_delta_of_table(const std::array<std::array<TablePoint, R>, 3>& table, double omega,
                        double volume) {
  const std::array<TablePoint, 3> by_volume = {{
      {kKDeltaVolumes[0], interpolate(table[0], omega)},
      {kKDeltaVolumes[1], interpolate(table[1], omega)},
      {kKDeltaVolumes[2], interpolate(table[2], omega)},
  }};
  if (volume >= kKDeltaVolumes[2]) return by_volume[2].y;
  return interpolate(by_volume, volume);
}

// The plug status of FHWA at the penetration where layer i begins; a layer
// below the last penetration takes the status at the last penetration.
int plug_status(const AnalysisModel& m, int i) {
  const int last = std::clamp(m.npen, 1, kMaxPenetrations);
  return m.tip_control(std::min(i, last), kCodeFhwa);
}

// What the Tomlinson steps carry from one clay layer to the next during
// one call: the running sum S, the soil points around the last layer
// bottom, and the adhesion case in force (0 = none chosen).
struct TomlinsonWalk {
  double sum = 0.0;
  double z_up = 0.0;
  double z_low = 0.0;
  int adhesion_case = 0;
};

// Penetration ratio b of clay layer i from the soil points around its
// bottom (the running sum grows for a bottom within 0.95 of the point below).
double penetration_ratio(const AnalysisModel& m, int i, TomlinsonWalk& w) {
  const double zb = m.layer_bottom_depth[i];
  const int points = std::clamp(m.soil_point_count, 0, kMaxSoilPoints);
  for (int u = 1; u < points; ++u) {
    const double upper = m.soil_point_depth[u];
    const double lower = m.soil_point_depth[u + 1];
    if (upper < zb && lower >= zb) {
      w.z_up = upper;
      w.z_low = lower;
      if (lower - zb < kNearSoilPoint) w.sum = w.sum + (lower - upper);
    }
  }
  const double d_avg = diameter_length(m) - std::tan(m.taper_angle * kTaperRadiansPerDegree) *
                                                (w.z_up + w.z_low + 2.0 * m.stickup);
  return (w.sum - w.z_up + std::min(m.pile_length, w.z_low)) / away_from_zero(d_avg);
}

// Undrained strength in ksf, as the adhesion curves and the case are read.
double strength_ksf(const AnalysisModel& m, double su) {
  return is_english(m) ? su : su / kKpaPerKsf;
}

// The adhesion case of clay layer i: chosen from the layer above when none
// is in force (more than two layers, not the first), replaced by the
// layer's own case when one is given.
void choose_adhesion_case(const AnalysisModel& m, int i, TomlinsonWalk& w) {
  if (w.adhesion_case == 0 && m.layer_count > 2 && i > 1) {
    const int above = i - 1;
    if (m.layer_soil_type[above] - 1.0 < kCohesionlessAbove) {
      w.adhesion_case = 1;
    } else {
      w.adhesion_case =
          strength_ksf(m, m.layer_su_undisturbed[above]) >= kStiffClayStrength ? 3 : 2;
    }
  }
  const double given = m.layer_adhesion_case[i];
  if (given > kTolerance) w.adhesion_case = static_cast<int>(std::min(given, kNoCurveCase));
}

void tomlinson_layer(AnalysisModel& m, int i, TomlinsonWalk& w, BoundaryList& outside) {
  const double b = penetration_ratio(m, i, w);
  choose_adhesion_case(m, i, w);
  if (w.adhesion_case >= 1 && w.adhesion_case <= 3) {
    m.adhesion_factor =
        tomlinson_alpha(w.adhesion_case, strength_ksf(m, m.layer_su_undisturbed[i]), b);
  }
  outside[2 * i - 1] = m.adhesion_factor * m.layer_su_undisturbed[i];
  outside[2 * i] = outside[2 * i - 1];
  m.boundary_unit_friction(2 * i - 1, kCodeFhwa) = m.adhesion_factor * m.layer_su_remolded[i];
  m.boundary_unit_friction(2 * i, kCodeFhwa) = m.boundary_unit_friction(2 * i - 1, kCodeFhwa);
}

void nordlund_layer(AnalysisModel& m, int i, TomlinsonWalk& w, BoundaryList& outside) {
  const double phi = m.layer_friction_angle[i];
  const double omega = m.taper_angle;
  const double volume = fhwa_displaced_volume(m, i);
  const double ratio = fhwa_delta_ratio(m.pile_type, volume);
  const double delta = phi * ratio;
  const double cf = fhwa_correction_factor(ratio, phi);
  const double k = fhwa_k_delta(phi, omega, volume);
  const double sine = std::sin((delta + omega) / kDegreesPerRadian);
  const double cosine = away_from_zero(std::cos(omega / kDegreesPerRadian));
  for (const int p : {2 * i - 1, 2 * i}) {
    outside[p] = k * cf * m.boundary_vertical_stress[p] * sine / cosine;
    m.boundary_unit_friction(p, kCodeFhwa) = outside[p];
  }
  w.adhesion_case = 0;
}

}  // namespace

double nq_fhwa(double phi) { return interpolate(kNqFhwaByPhi, phi); }

double fhwa_bearing_limit(double phi) { return interpolate(kBearingLimitByPhi, phi); }

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

// Sand: alpha_t Nq' sigma'v, limited by twice the table limit and qmax.
void fhwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                       double& qb) {
  const double phi = m.layer_friction_angle[j];
  const double ratio = m.pile_length / std::max(diameter_length(m), kSmallestDiameter);
  const double alpha = tip_coefficient(phi, ratio);
  const double nq = nq_fhwa(phi);
  const double limit_value = is_english(m) ? 2.0 * fhwa_bearing_limit(phi)
                                           : 2.0 * fhwa_bearing_limit(phi) * kKpaPerKsf;
  const double lim = std::min(limit_value, m.layer_max_unit_bearing[j]);
  qt = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j - 1]);
  qb = std::min(lim, alpha * nq * m.boundary_vertical_stress[2 * j]);
}

// A pile type outside 1 .. 7 reads the steel pipe column.
double fhwa_delta_ratio(int pile_type, double volume) {
  const int type = pile_type >= 1 && pile_type <= 7 ? pile_type : 1;
  return interpolate(kDeltaRatioColumns[static_cast<std::size_t>(type - 1)], volume);
}

// In phi within each column; between the columns linearly in the ratio, the
// 0.2 column alone at or below 0.2, the 1.4 column alone from 1.2 on.
double fhwa_correction_factor(double ratio, double phi) {
  constexpr std::size_t kLast = std::size(kCorrectionRatios) - 1;
  if (ratio >= kCorrectionRatios[kLast - 1]) return interpolate(kCorrectionColumns[kLast], phi);
  std::array<TablePoint, kLast> by_ratio{};
  for (std::size_t c = 0; c < kLast; ++c) {
    by_ratio[c] = {kCorrectionRatios[c], interpolate(kCorrectionColumns[c], phi)};
  }
  return interpolate(by_ratio, ratio);
}

// Between the tables of 25, 30, 35 and 40 degrees linearly in phi; the
// 25-degree table below 25, the 40-degree one from 39.99999 on.
double fhwa_k_delta(double phi, double omega, double volume) {
  if (phi < 25.0) return k_delta_of_table(kKDelta25, omega, volume);
  if (phi < 30.0) {
    const double k25 = k_delta_of_table(kKDelta25, omega, volume);
    const double k30 = k_delta_of_table(kKDelta30, omega, volume);
    return k25 + (k30 - k25) * (phi - 25.0) / 5.0;
  }
  if (phi < 35.0) {
    const double k30 = k_delta_of_table(kKDelta30, omega, volume);
    const double k35 = k_delta_of_table(kKDelta35, omega, volume);
    return k30 + (k35 - k30) * (phi - 30.0) / 5.0;
  }
  const double k40 = k_delta_of_table(kKDelta40, omega, volume);
  if (phi >= kPhiOfLastKDeltaTable) return k40;
  const double k35 = k_delta_of_table(kKDelta35, omega, volume);
  return k35 + (k40 - k35) * (phi - 35.0) / 5.0;
}

double tomlinson_alpha(int adhesion_case, double su_ksf, double b) {
  auto curve = [su_ksf](AlphaCurve c) {
    const auto& column = kAdhesionCurves[c];
    if (su_ksf >= kLastAdhesionStrength) return column.back().y;
    return interpolate(column, su_ksf);
  };
  switch (adhesion_case) {
    case 1:
      if (b < 10.0) return curve(k1A);
      if (b < 20.0) return curve(k1B) + (20.0 - b) * (curve(k1A) - curve(k1B)) / 10.0;
      if (b < 40.0) return curve(k1C) + (40.0 - b) * (curve(k1B) - curve(k1C)) / 20.0;
      return curve(k1C);
    case 2:
      if (b < 10.0) return curve(k2A);
      if (b < 20.0) return curve(k2A) + (b - 10.0) * (curve(k2B) - curve(k2A)) / 10.0;
      return curve(k2B);
    case 3:
      if (b < 10.0) return curve(k3A);
      if (b < 40.0) return curve(k3A) + (b - 10.0) * (curve(k3B) - curve(k3A)) / 30.0;
      return curve(k3B);
    default:
      return 0.0;
  }
}

// The user tip area or the annulus; the full section where the plug holds;
// the annulus (English units) where it does not; the solid section of an
// enhanced end (tapered to the layer bottom); an H-pile's own tip area.
double fhwa_displaced_volume(const AnalysisModel& m, int i) {
  const bool english = is_english(m);
  const double d = m.pile_diameter;
  const double dw = m.inner_diameter;
  const double annulus = kQuarterPi * (d * d - dw * dw) / area_units(m);
  double v = m.tip_area_user > kTolerance ? m.tip_area_user : annulus;
  const int status = plug_status(m, i);
  if (status == 1) {
    v = (english ? kQuarterPi : kQuarterPiSolid) * d * d / area_units(m);
  } else if (status == 2 && english) {
    v = annulus;
  }
  if (m.enhanced_end_length > kShortestEnhancedEnd && m.pile_inner_diameter < kSolidInnerDiameter) {
    if (m.taper_angle <= 0.0) {
      v = kQuarterPiSolid * d * d / area_units(m);
    } else {
      const double dt = tapered_diameter(m, m.stickup + m.layer_bottom_depth[i]);
      v = kQuarterPi * dt * dt;  // dt already in ft or m
    }
  }
  if (m.pile_type == 6 && m.tip_area_user > kTolerance) v = m.tip_area_user;
  if (!english) v = v / kSquareMetresPerSquareFoot;
  return v;
}

void fhwa_boundary_friction(AnalysisModel& m, BoundaryList& outside) {
  TomlinsonWalk walk;
  const int layers = std::clamp(m.layer_count, 0, kMaxLayers);
  for (int i = 1; i <= layers; ++i) {
    if (is_cohesive_above_one(m.layer_soil_type[i])) {
      tomlinson_layer(m, i, walk, outside);
    } else {
      nordlund_layer(m, i, walk, outside);
    }
  }
}

void compute_fhwa(AnalysisModel& m, RunOutput& /*out*/) {
  m.method_code = kCodeFhwa;
  BoundaryList outside;
  fhwa_boundary_friction(m, outside);
  const int points = penetration_point_count(m);
  distribute_to_penetrations(m, outside, points);
  limits_from_layers(m, points);

  Accumulation a;
  a.method_code = kCodeFhwa;
  a.perimeter = kPi * diameter_length(m);
  a.tension = TensionPoints::kFromSecondPoint;
  a.limit = LimitRule::kLimitBeforeNextSegment;
  PenetrationList tapered;
  if (m.taper_angle > 0.0) {
    for (int k = 2; k <= points; ++k) {
      tapered[k] = kPi * tapered_diameter(m, m.penetration_depth[k] + m.stickup);
    }
    a.segment_perimeter = &tapered;
  }
  accumulate_skin_friction(m, points, a);
}

}  // namespace zolan
