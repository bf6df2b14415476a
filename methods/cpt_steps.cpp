#include "methods/cpt_steps.hpp"

#include <algorithm>
#include <cmath>

#include "methods/penetration.hpp"
#include "model/interpolate.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

constexpr double kPaEnglish = 2.1168;  // atmospheric pressure, ksf
constexpr double kPaSi = 100.0;        // atmospheric pressure, kPa

// Cone resistance per blow of the blow count, in atmospheric pressures.
constexpr double kQcPerBlow = 2.8;

// The side-friction rules: atmospheric pressure (ksf, kPa) and cone
// resistance per blow, in single precision.
constexpr double kSidePaEnglish = f32(2.0885546);  // 2.088554620742798
constexpr double kSidePaSi = 100.0;
constexpr double kSideQcPerBlow = f32(2.8);

// A cone resistance below this counts as not given: the end-bearing rules
// and the side-friction rules (single precision).
constexpr double kSmallestGivenQc = 1e-5;
constexpr double kSmallestGivenQcSide = f32(1e-5);

// Degrees per radian and pi of the side-friction rules.
constexpr double kSideDegreesPerRadian = f32(kDegreesPerRadian);
constexpr double kSidePi = f32(kPi);

// Interface friction angle of cohesive layers (degrees) by plasticity
// index (%); the end values hold outside the table.
constexpr TablePoint kInterfaceAngleByPlasticity[] = {
    {0.0, 34.0},         {5.0, 32.0},         {10.0, 29.0},        {15.0, 27.0},
    {20.0, f32(24.5)},   {25.0, f32(22.5)},   {30.0, 20.0},        {35.0, f32(18.5)},
    {40.0, 17.0},        {45.0, f32(15.2)},   {50.0, f32(14.7)},   {55.0, 13.0},
    {60.0, f32(12.3)},   {65.0, f32(11.5)},   {70.0, 10.0},        {75.0, f32(9.2)},
    {80.0, f32(8.5)},
};

// The cohesionless rules take the height above the tip not below this
// (in or mm): a layer at or below the tip keeps a positive h.
constexpr double kSmallestHeight = f32(1e-5);

// Floor of the yield stress ratio under its 0.42 power.
constexpr double kSmallestYieldStressRatio = 0.0;

// A strength at or below this has no sensitivity: log10 of the ratio is 0.
constexpr double kSmallestStrength = 1e-10;

// A wall of no thickness, or a diameter whose square vanishes, leaves no
// radius to divide by: the radii are floored.
constexpr double kSmallestRadius = 1e-10;

// The layer's own cone resistance when given, else that of the CPT profile
// at the layer's penetration depth, else `per_blow` x the blow count.
double cone_resistance(const AnalysisModel& m, int j, double smallest_given, double per_blow) {
  const int layer = layer_at(m, j);
  const double scale = is_english(m) ? kPoundsPerKip : 1.0;  // psf to ksf
  if (m.layer_cone_resistance[layer] >= smallest_given) {
    return m.layer_cone_resistance[layer] / scale;
  }
  if (m.cpt_point_count >= 1) return cpt_profile_qc(m, penetration_depth_of_layer(m, j)) / scale;
  return per_blow * m.layer_blow_count[layer];
}

}  // namespace

double atmospheric_pressure(const AnalysisModel& m) { return is_english(m) ? kPaEnglish : kPaSi; }

double layer_qc(const AnalysisModel& m, int j) {
  return cone_resistance(m, j, kSmallestGivenQc, kQcPerBlow * atmospheric_pressure(m));
}

double layer_qc(const AnalysisModel& m, int j, double qc_per_blow) {
  return cone_resistance(m, j, kSmallestGivenQc, qc_per_blow);
}

void bearing_from_layer_qc(const AnalysisModel& m, int j, QcBearingRule rule, double& qt,
                           double& qb) {
  qt = rule(m, layer_qc(m, j));
  qb = qt;
  cap_by_max_bearing(m, j, qt, qb);
}

void cpt_cohesive_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                          double& qb) {
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
}

double side_friction_pressure(const AnalysisModel& m) {
  return is_english(m) ? kSidePaEnglish : kSidePaSi;
}

double side_friction_qc(const AnalysisModel& m, int i) {
  return cone_resistance(m, i, kSmallestGivenQcSide, kSideQcPerBlow * side_friction_pressure(m));
}

double equivalent_radius(const AnalysisModel& m) {
  const double d = m.pile_diameter;
  const double di = m.pile_inner_diameter;
  const double square = (d * d - di * di) / 4.0;
  return square > kSmallestRadius * kSmallestRadius ? std::sqrt(square) : kSmallestRadius;
}

double pile_radius(const AnalysisModel& m) {
  return std::max(m.pile_diameter / 2.0, kSmallestRadius);
}

double height_above_tip(const AnalysisModel& m, int i) {
  return (m.pile_length - penetration_depth_of_layer(m, i)) * diameter_units(m);
}

double cohesionless_height_above_tip(const AnalysisModel& m, int i) {
  return std::max(height_above_tip(m, i), kSmallestHeight);
}

double tan_of_degrees(double delta) { return std::tan(delta / kSideDegreesPerRadian); }

double tan_of_sand_interface(double phi) { return tan_of_degrees(phi - 5.0); }

double cohesive_interface_angle(double plasticity_index) {
  return interpolate(kInterfaceAngleByPlasticity, plasticity_index);
}

double cohesive_earth_pressure(double su, double su_remolded, double ysr, double h_over_r) {
  // The input refuses a negative yield stress ratio, but the layer profile
  // can extrapolate one between soil points: it takes 0, the limit of its
  // power as the ratio goes to 0, instead of a power with no value.
  ysr = std::max(ysr, kSmallestYieldStressRatio);
  const double sensitivity_log = su > kSmallestStrength && su_remolded > kSmallestStrength
                                     ? std::log10(su / su_remolded)
                                     : 0.0;
  return (2.0 - f32(0.625) * sensitivity_log) * std::pow(ysr, f32(0.42)) *
         std::pow(h_over_r, f32(-0.2));
}

FrictionPair cpt_cohesive_friction(const AnalysisModel& m, int i, RunOutput& out) {
  const double plasticity = m.layer_plasticity_index[i];
  if (plasticity < 0.0) out.report.put(Line().x(1).t("ERROR - NO DATA FOUND FOR PLASTIC INDEX."));
  const double delta = cohesive_interface_angle(plasticity);

  const double h = height_above_tip(m, i);
  double h_over_r = h / equivalent_radius(m);
  if (h_over_r < kLeastHeightOverRadius) {
    // Only a layer whose top lies above the tip carries shaft friction.
    if (h > 0.0) out.report.put(Line().x(1).t("WARNING - h/R SHOULD BE GREATER THAN 8."));
    h_over_r = kLeastHeightOverRadius;
  }

  const double k = cohesive_earth_pressure(m.layer_su_undisturbed[i], m.layer_su_remolded[i],
                                           m.layer_blow_count[i], h_over_r);
  const double tan_delta = tan_of_degrees(delta);
  auto friction = [&](double stress) { return f32(0.8) * stress * tan_delta * k; };
  return {friction(m.boundary_vertical_stress[2 * i - 1]),
          friction(m.boundary_vertical_stress[2 * i])};
}

void store_layer_friction(AnalysisModel& m, int i, int method_code, FrictionPair f) {
  m.boundary_side_friction[2 * i - 1] = f.top;
  m.boundary_side_friction[2 * i] = f.bottom;
  m.boundary_unit_friction(2 * i - 1, method_code) = f.top;
  m.boundary_unit_friction(2 * i, method_code) = f.bottom;
}

void cpt_skin_friction(AnalysisModel& m, int method_code) {
  const int points = penetration_point_count(m);
  distribute_to_penetrations(m, m.boundary_side_friction, points, DepthRead::kRebuiltAhead,
                             DepthInLayer::kThicknessPlusDepthLessBottom);
  Accumulation a;
  a.method_code = method_code;
  a.perimeter = kSidePi * m.pile_diameter / diameter_units(m);
  a.limit = LimitRule::kNone;
  a.tension = TensionPoints::kNone;
  a.product = SegmentProduct::kLeftToRight;
  accumulate_skin_friction(m, points, a);
}

}  // namespace zolan
