// UWA: unit side friction of sand from the radial stress by qc, the
// effective area ratio and h / D, with the dilation term of the shear
// modulus; end bearing of sand, qc (0.15 + 0.45 Arb) with the filling ratio.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/numeric.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// A negative diameter under the fifth root is floored at 0; a zero outer
// diameter is floored.
constexpr double kSmallestDiameter = 1e-10;

// Radial displacement of dilation, 0.08 mm: in inches (single precision)
// and in millimetres.
constexpr double kDilationInches = 0.0031496062874794006;
constexpr double kDilationMillimetres = f32(0.08);

// h / D is taken not below this.
constexpr double kLeastHeightOverDiameter = 2.0;

// Inside diameter to metres, in single precision.
constexpr double kMetresPerInchSingle = f32(kMetresPerInch);
constexpr double kMetresPerMillimetre = f32(0.001);

// sigma'v / pa is taken not below this in the normalised cone resistance.
constexpr double kSmallestStressRatio = f32(1e-7);

// An area ratio below 0 (an inner diameter above the outer one) has no real
// power: floored at 0.
constexpr double kSmallestAreaRatio = 0.0;

// Shear modulus at a point: 185 qc qc1N^-0.75. With no cone resistance
// (qc1N at 0 or below) it is 0, its limit as qc goes to 0.
double shear_modulus(double qc, double qc1n) {
  if (!(qc1n > 0.0)) return 0.0;
  return 185.0 * qc * std::pow(qc1n, f32(-0.75));
}

double uwa_bearing(const AnalysisModel& m, double qc) {
  const double di_m = is_english(m) ? m.pile_inner_diameter * kMetresPerInch
                                    : m.pile_inner_diameter / kMillimetresPerMetre;
  const double ffr = std::min(1.0, std::pow(std::max(di_m, 0.0) / 1.5, 0.2));
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, kSmallestDiameter);
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

double uwa_area_ratio(const AnalysisModel& m) {
  const double di_m =
      m.pile_inner_diameter * (is_english(m) ? kMetresPerInchSingle : kMetresPerMillimetre);
  const double ifr = std::min(1.0, std::pow(std::max(di_m, 0.0) / 1.5, f32(0.2)));
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, kSmallestDiameter);
  return 1.0 - ifr * (ratio * ratio);
}

FrictionPair uwa_sand_friction(const AnalysisModel& m, int i, double area_ratio) {
  const double qc = side_friction_qc(m, i);
  const double pa = side_friction_pressure(m);
  const double d = std::max(m.pile_diameter, kSmallestDiameter);
  const double h_over_d =
      std::max(cohesionless_height_above_tip(m, i) / d, kLeastHeightOverDiameter);
  const double src = f32(0.03) * qc * std::pow(std::max(area_ratio, kSmallestAreaRatio), f32(0.3)) *
                     std::pow(h_over_d, -0.5);
  const double dr = is_english(m) ? kDilationInches : kDilationMillimetres;
  const double tan_delta = tan_of_sand_interface(m.layer_friction_angle[i]);

  auto friction = [&](double stress) {
    const double qc1n = qc / pa / std::sqrt(std::max(stress / pa, kSmallestStressRatio));
    const double dilation = shear_modulus(qc, qc1n) * dr / d;
    const double f = (src + dilation) * tan_delta;
    return m.loading_type == 1 ? f * 0.75 : f;
  };
  return {friction(m.boundary_vertical_stress[2 * i - 1]),
          friction(m.boundary_vertical_stress[2 * i])};
}

void compute_uwa(AnalysisModel& m, RunOutput& out) {
  const double area_ratio = uwa_area_ratio(m);
  compute_cpt_side_friction(m, out, kCodeUwa, [area_ratio](const AnalysisModel& mm, int i) {
    return uwa_sand_friction(mm, i, area_ratio);
  });
}

void uwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  bearing_from_layer_qc(m, j, uwa_bearing, qt, qb);
}

}  // namespace zolan
