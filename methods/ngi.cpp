// NGI: end bearing of sand from the relative density given by qc and
// sigma'v.
#include <cmath>

#include "methods/cpt_steps.hpp"
#include "methods/rules.hpp"

namespace zolan {
namespace {

// Unit end bearing at one boundary. With qc or sigma'v at 0 the relative
// density is unbounded and the rule tends to 0: that limit is taken instead
// of ln(0) or a division by 0.
double ngi_bearing(const AnalysisModel& m, double qc, double sigma) {
  if (!(qc > 0.0) || !(sigma > 0.0)) return 0.0;
  const double pa = atmospheric_pressure(m);
  const double dr = 0.4 * std::log(qc / (22.0 * std::sqrt(pa * sigma)));
  if (m.pile_inner_diameter > 1e-4) return 0.7 * qc / (1.0 + 3.0 * (dr * dr));
  return 0.8 * qc / (1.0 + dr * dr);
}

}  // namespace

void ngi_sand_bearing(const AnalysisModel& m, int j, BearingWalk& /*walk*/, double& qt,
                      double& qb) {
  const double qc = layer_qc(m, j);
  qt = ngi_bearing(m, qc, m.boundary_vertical_stress[2 * j - 1]);
  qb = ngi_bearing(m, qc, m.boundary_vertical_stress[2 * j]);
  cap_by_max_bearing(m, j, qt, qb);
}

}  // namespace zolan
