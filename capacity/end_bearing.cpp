#include "capacity/end_bearing.hpp"

#include <algorithm>

#include "methods/method.hpp"
#include "methods/rules.hpp"
#include "model/profile.hpp"

namespace zolan {
namespace {

// Bearing capacity factor of clay.
constexpr double kClayNc = 9.0;

// Cohesive layer: 9 su, unless the method has its own rule; then the
// maximum unit bearing when one is given.
void cohesive_bearing(const AnalysisModel& m, const MethodDescriptor* method, int j, BearingWalk& walk,
                      double& qt, double& qb) {
  qt = kClayNc * m.layer_su_undisturbed[j];
  qb = qt;
  if (method != nullptr && method->cohesive_bearing != nullptr) {
    method->cohesive_bearing(m, j, walk, qt, qb);
  }
  const double qmax = m.layer_max_unit_bearing[j];
  if (qmax != kNotLimited) {
    qt = std::min(qt, qmax);
    qb = std::min(qb, qmax);
  }
}

}  // namespace

void compute_unit_end_bearing(AnalysisModel& m) {
  const MethodDescriptor* method = method_by_code(m.method_code);
  const int layers = std::min(m.layer_count, kMaxLayers);
  BearingWalk walk;  // what a rule keeps from layer to layer lives for this walk
  for (int j = 1; j <= layers; ++j) {
    const int t = 2 * j - 1;
    const int b = 2 * j;
    double qt = m.boundary_unit_end_bearing[t];
    double qb = m.boundary_unit_end_bearing[b];
    if (is_cohesive(m.layer_soil_type[j])) {
      cohesive_bearing(m, method, j, walk, qt, qb);
    } else {
      // API Nq of a sand layer given as 0: filled from the delta table, for
      // good.
      if (m.layer_Nq[j] == 0.0) m.layer_Nq[j] = nq_api(m.layer_friction_angle[j] - 5.0);
      // A method without a rule of its own keeps the values of the previous
      // walk.
      if (method != nullptr && method->cohesionless_bearing != nullptr) {
        method->cohesionless_bearing(m, j, walk, qt, qb);
      }
    }
    m.boundary_unit_end_bearing[t] = qt;
    m.boundary_unit_end_bearing[b] = qb;
  }
}

}  // namespace zolan
