// Fugro: end bearing of sand, 8.5 pa sqrt(qc / pa) Ar^0.25.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"

namespace zolan {
namespace {

// A zero diameter is floored; an inner diameter above the outer one would
// give a negative area ratio under the fourth root, a negative qc a negative
// value under the square root: both are floored at 0.
constexpr double kSmallestDiameter = 1e-10;

double fugro_bearing(const AnalysisModel& m, double qc) {
  const double pa = atmospheric_pressure(m);
  const double ratio = m.pile_inner_diameter / std::max(m.pile_diameter, kSmallestDiameter);
  const double ar = std::max(1.0 - ratio * ratio, 0.0);
  return 8.5 * pa * std::sqrt(std::max(qc / pa, 0.0)) * std::pow(ar, 0.25);
}

}  // namespace

void fugro_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                        double& qb) {
  qt = fugro_bearing(m, layer_qc(m, j));
  qb = qt;
  cap_by_max_bearing(m, j, qt, qb);
}

}  // namespace zolan
