#include "model/preparation.hpp"

#include <algorithm>

#include "model/numeric.hpp"

namespace zolan {
namespace {

// Whole part of length / step + 1e-6; counts far beyond any list are held
// at a value that still shows as too many.
int point_count(double length, double step) {
  const double points = length / step + kTolerance;
  if (points > 1.0e9) return 1000000000;
  if (points < -1.0e9) return -1000000000;
  return static_cast<int>(points);
}

}  // namespace

int pile_penetration_count(const AnalysisModel& m) {
  return point_count(m.pile_length, m.length_step) + 1;
}

int prepare_model(AnalysisModel& m) {
  m.cpt_depths_ascending =
      ascends(m.cpt_depth, 1, std::min(m.cpt_point_count, kMaxCptPoints));
  m.profile_point_count = point_count(m.soil_profile_depth, m.length_step);

  for (int i = 1; i < m.soil_point_count; ++i) {
    const double t = m.soil_point_depth[i + 1] - m.soil_point_depth[i];
    if (t < m.length_step / 2.0) {
      m.soil_point_depth[i + 1] = m.soil_point_depth[i];
    } else if (t < m.length_step) {
      m.soil_point_depth[i + 1] = m.soil_point_depth[i] + m.length_step;
    }
  }

  if (m.profile_point_count > kMaxSegments) return m.profile_point_count;
  const int pile_count = pile_penetration_count(m);
  if (pile_count > kMaxSegments) return pile_count;
  return 0;
}

}  // namespace zolan
