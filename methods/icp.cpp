// ICP/MTD: end bearing of sand as a fraction of qc falling with the
// diameter.
#include <algorithm>
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"
#include "model/units.hpp"

namespace zolan {
namespace {

// log10 of a zero diameter is unbounded: the diameter is floored.
constexpr double kSmallestDiameter = 1e-10;

double icp_bearing(const AnalysisModel& m, double qc) {
  const double od_mm = diameter_mm(m);
  const double r = std::log10(std::max(od_mm, kSmallestDiameter) / 36.0);
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

}  // namespace

void icp_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  qt = icp_bearing(m, layer_qc(m, j));
  qb = qt;
  cap_by_max_bearing(m, j, qt, qb);
}

}  // namespace zolan
