// Fugro: unit side friction of sand from qc, sigma'v and h / R*, in its
// compression and tension forms; end bearing of sand, 8.5 pa sqrt(qc / pa)
// Ar^0.25.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/numeric.hpp"

namespace zolan {
namespace {

// Compression: the form for r = h / R* up to this takes the extra factor
// 0.25 h / R*; tension takes r not below it.
constexpr double kNearTipRatio = 4.0;

// A wall of no thickness leaves no radius to divide by: R* is floored.
constexpr double kSmallestFugroRadius = 1e-10;

// A zero diameter is floored; an inner diameter above the outer one would
// give a negative area ratio under the fourth root, a negative qc a negative
// value under the square root: both are floored at 0.
constexpr double kSmallestDiameter = 1e-10;

// Area ratio of the pile section, 1 - (Di / D)^2.
double area_ratio(const AnalysisModel& m) {
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, kSmallestDiameter);
  return std::max(1.0 - ratio * ratio, 0.0);
}

double fugro_bearing(const AnalysisModel& m, double qc) {
  const double pa = atmospheric_pressure(m);
  const double ar = area_ratio(m);
  return 8.5 * pa * std::sqrt(std::max(qc / pa, 0.0)) * std::pow(ar, 0.25);
}

}  // namespace

double fugro_equivalent_radius(const AnalysisModel& m) {
  const double r = m.pile_diameter / 2.0 * std::sqrt(area_ratio(m));
  return std::max(r, kSmallestFugroRadius);
}

FrictionPair fugro_sand_friction(const AnalysisModel& m, int i) {
  const double qc = side_friction_qc(m, i);
  const double pa = side_friction_pressure(m);
  const double h = cohesionless_height_above_tip(m, i);
  const double r_star = fugro_equivalent_radius(m);
  const double r = h / r_star;

  auto friction = [&](double stress) {
    if (m.loading_type == 1) {
      return f32(0.045) * qc * std::pow(stress / pa, f32(0.15)) *
             std::pow(std::max(r, kNearTipRatio), f32(-0.85));
    }
    const double f = f32(0.08) * qc * std::pow(stress / pa, f32(0.05)) * std::pow(r, f32(-0.9));
    return r > kNearTipRatio ? f : f * (0.25 * h / r_star);
  };
  return {friction(m.boundary_vertical_stress[2 * i - 1]),
          friction(m.boundary_vertical_stress[2 * i])};
}

void compute_fugro(AnalysisModel& m, RunOutput& out) {
  compute_cpt_side_friction(m, out, kCodeFugro, fugro_sand_friction);
}

void fugro_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                        double& qb) {
  bearing_from_layer_qc(m, j, fugro_bearing, qt, qb);
}

}  // namespace zolan
