// Model preparation: soil points snapped to the length step, penetration
// counts and the segment limit.
#include <gtest/gtest.h>

#include "model/preparation.hpp"

namespace zolan {
namespace {

AnalysisModel* profile(std::initializer_list<double> depths, double step, double spd,
                       double embedded) {
  auto* m = new AnalysisModel();
  int i = 0;
  for (double d : depths) m->soil_point_depth[++i] = d;
  m->soil_point_count = i;
  m->length_step = step;
  m->soil_profile_depth = spd;
  m->pile_length = embedded;
  return m;
}

TEST(Preparation, SnapsSoilPointsToTheLengthStep) {
  // 0.2 apart: same depth; 0.7 apart: one step; 2.3 apart: unchanged; each
  // point measured from its snapped predecessor.
  std::unique_ptr<AnalysisModel> m(profile({10.0, 10.2, 10.9, 13.2, 13.6}, 1.0, 20.0, 10.0));
  EXPECT_EQ(prepare_model(*m), 0);
  EXPECT_EQ(m->soil_point_depth[1], 10.0);
  EXPECT_EQ(m->soil_point_depth[2], 10.0);
  EXPECT_EQ(m->soil_point_depth[3], 11.0);
  EXPECT_EQ(m->soil_point_depth[4], 13.2);
  EXPECT_EQ(m->soil_point_depth[5], 13.2);  // 0.4 below 13.2: less than half a step
}

TEST(Preparation, PointsOutOfOrderEndAtTheDepthAbove) {
  std::unique_ptr<AnalysisModel> m(profile({0.0, 30.0, 20.0, 40.0}, 1.0, 40.0, 20.0));
  prepare_model(*m);
  EXPECT_EQ(m->soil_point_depth[3], 30.0);
  EXPECT_EQ(m->soil_point_depth[4], 40.0);
}

struct CountCase {
  double spd;
  double embedded;
  int profile_points;
  int stop_count;  // 0: the run goes on
};

const CountCase kCounts[] = {
    {500.0, 100.0, 500, 0},
    {500.5, 100.0, 500, 0},    // truncated after adding 1e-6
    {499.9999995, 100.0, 500, 0},  // within the tolerance
    {501.0, 100.0, 501, 501},
    {600.0, 520.0, 600, 600},  // the profile's count is shown when it exceeds 500
    {450.0, 499.0, 450, 0},    // 500 points of the pile
    {450.0, 500.0, 450, 501},  // the pile itself needs 501 points
};

TEST(Preparation, CountsPointsAndStopsAbove500) {
  for (const CountCase& c : kCounts) {
    std::unique_ptr<AnalysisModel> m(profile({0.0}, 1.0, c.spd, c.embedded));
    EXPECT_EQ(prepare_model(*m), c.stop_count) << c.spd << " " << c.embedded;
    EXPECT_EQ(m->profile_point_count, c.profile_points) << c.spd;
  }
}

TEST(Preparation, HugeCountsStillStop) {
  std::unique_ptr<AnalysisModel> m(profile({0.0}, 1.0e-12, 100.0, 50.0));
  EXPECT_GT(prepare_model(*m), 500);
}

}  // namespace
}  // namespace zolan
