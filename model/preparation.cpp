#include "model/preparation.hpp"

#include <cmath>

#include "model/numeric.hpp"

namespace zolan {

int pile_penetration_count(const AnalysisModel& m) {
  return static_cast<int>(m.pile_length / m.length_step + kTolerance) + 1;
}

int prepare_model(AnalysisModel& m) {
  const double points = m.soil_profile_depth / m.length_step + kTolerance;
  // Counts far beyond any list are held at a value that still shows as
  // too many.
  m.profile_point_count = points > 1.0e9 ? 1000000000 : static_cast<int>(points);

  for (int i = 1; i < m.soil_point_count; ++i) {
    const double t = m.soil_point_depth[i + 1] - m.soil_point_depth[i];
    if (t < m.length_step / 2.0) {
      m.soil_point_depth[i + 1] = m.soil_point_depth[i];
    } else if (t < m.length_step) {
      m.soil_point_depth[i + 1] = m.soil_point_depth[i] + m.length_step;
    }
  }

  const double pile_points = m.pile_length / m.length_step + kTolerance;
  const int pile_count = pile_points > 1.0e9 ? 1000000000 : static_cast<int>(pile_points) + 1;
  if (m.profile_point_count > kMaxSegments) return m.profile_point_count;
  if (pile_count > kMaxSegments) return pile_count;
  return 0;
}

}  // namespace zolan
