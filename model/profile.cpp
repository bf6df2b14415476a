#include "model/profile.hpp"

#include <algorithm>

namespace zolan {

double cpt_profile_qc(const AnalysisModel& m, double depth) {
  // Never read past the CPT lists, whatever count the input gave.
  const int count = std::min(m.cpt_point_count, kMaxCptPoints);
  if (count < 1) return 0.0;
  if (depth <= m.cpt_depth[1]) return m.cpt_qc[1];
  const int p = first_at_or_above(m.cpt_depth, 2, count, depth, m.cpt_depths_ascending);
  if (p <= count) {
    // depth lies below point p - 1 (the test failed there), so the interval
    // is never of zero length.
    const double d0 = m.cpt_depth[p - 1];
    const double q0 = m.cpt_qc[p - 1];
    return q0 + (m.cpt_qc[p] - q0) * (depth - d0) / (m.cpt_depth[p] - d0);
  }
  return m.cpt_qc[count];
}

double penetration_depth_of_layer(const AnalysisModel& m, int j) {
  // The list as it stands for the penetrations of the pile; below the tip
  // the depth the rebuilt list would hold.
  if (j >= 1 && j <= m.npen && j <= kMaxPenetrations) return m.penetration_depth[j];
  return (j - 1) * m.length_step;
}

}  // namespace zolan
