// UWA: end bearing of sand, qc (0.15 + 0.45 Arb) with the filling ratio.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// A negative diameter under the fifth root is floored at 0; a zero outer
// diameter is floored.
constexpr double kSmallestDiameter = 1e-10;

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

void uwa_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  qt = uwa_bearing(m, layer_qc(m, j));
  qb = qt;
  cap_by_max_bearing(m, j, qt, qb);
}

}  // namespace zolan
