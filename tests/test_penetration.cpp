// Penetration-point steps shared by the methods: distribution of boundary
// values to the points and accumulation with each option.
#include <gtest/gtest.h>

#include <memory>

#include "methods/penetration.hpp"

namespace zolan {
namespace {

TEST(PenetrationPoints, CountFromLengthAndStep) {
  struct Case {
    double length, step;
    int points;
  };
  const Case cases[] = {{10.0, 1.0, 11}, {0.5, 1.0, 1},  {2.9999995, 1.0, 4},
                        {9.99, 1.0, 10}, {0.0, 1.0, 1},  {-3.0, 1.0, 1},
                        {1.0e6, 1.0, kMaxPenetrations}};
  for (const Case& c : cases) {
    AnalysisModel m;
    m.pile_length = c.length;
    m.length_step = c.step;
    EXPECT_EQ(penetration_point_count(m), c.points) << c.length;
  }
}

// Layers of 2, 0 and 2 ft: top/bottom values 1/3, 100/100 (never reached),
// 5/9.
std::unique_ptr<AnalysisModel> three_layers() {
  auto m = std::make_unique<AnalysisModel>();
  m->layer_count = 3;
  const double thickness[] = {2.0, 0.0, 2.0};
  const double values[] = {1.0, 3.0, 100.0, 100.0, 5.0, 9.0};
  for (int j = 1; j <= 3; ++j) m->layer_thickness[j] = thickness[j - 1];
  for (int b = 1; b <= 6; ++b) m->boundary_side_friction[b] = values[b - 1];
  return m;
}

TEST(PenetrationDistribution, InterpolatesWithinTheLayerHoldingEachDepth) {
  // z 0, 1, 2 in layer 1: 1, 1 + 2/2 x 1 = 2, 3; z 3 in layer 3 (the empty
  // layer is skipped): 5 + 4/2 x (3 - 4 + 2) = 7; z 4: 9; z 5 below the
  // deepest layer: its bottom value 9.
  auto m = three_layers();
  m->penetration_step = 0.8;
  for (int k = 1; k <= 7; ++k) m->penetration_depth[k] = k - 1.0;
  distribute_to_penetrations(*m, m->boundary_side_friction, 6);
  const double expected[] = {1.0, 2.0, 3.0, 7.0, 9.0, 9.0};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_DOUBLE_EQ(m->penetration_unit_friction[k], expected[k - 1]) << k;
    EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.8) << k;
  }
  EXPECT_EQ(m->penetration_depth[7], 6.0);  // beyond the points: untouched
}

TEST(PenetrationDistribution, RebuiltAheadReadsTheRebuiltDepths) {
  // Entries are ignored from point 1 on: z = 0, 0.5, ..., 2.5 give 1, 1.5,
  // 2, 2.5, 3 and 5 + 2 x 0.5 = 6.
  auto m = three_layers();
  m->penetration_step = 0.5;
  for (int k = 1; k <= 7; ++k) m->penetration_depth[k] = 50.0;
  distribute_to_penetrations(*m, m->boundary_side_friction, 6, DepthRead::kRebuiltAhead);
  const double expected[] = {1.0, 1.5, 2.0, 2.5, 3.0, 6.0};
  for (int k = 1; k <= 6; ++k) {
    EXPECT_DOUBLE_EQ(m->penetration_unit_friction[k], expected[k - 1]) << k;
    EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.5) << k;
  }
  EXPECT_EQ(m->penetration_depth[7], 50.0);
}

TEST(PenetrationDistribution, DepthWithinTheLayerInEitherOrder) {
  // Layers of 0.1: the bottom of layer 3 accumulates to 0.30000000000000004.
  // z = 0.3 lies in layer 3 (top 0, bottom 1, slope 1 / 0.1 = 10):
  // (z - c) + t = 0.09999999999999995 -> 0.9999999999999996;
  // (t + z) - c = 0.09999999999999998 -> 0.9999999999999998.
  struct Case {
    DepthInLayer order;
    double value;
  };
  const Case cases[] = {{DepthInLayer::kDepthLessBottomPlusThickness, 0.9999999999999996},
                        {DepthInLayer::kThicknessPlusDepthLessBottom, 0.9999999999999998}};
  for (const Case& c : cases) {
    AnalysisModel m;
    m.layer_count = 3;
    for (int j = 1; j <= 3; ++j) m.layer_thickness[j] = 0.1;
    m.boundary_side_friction[6] = 1.0;
    m.penetration_step = 0.1;
    m.penetration_depth[1] = 0.3;
    distribute_to_penetrations(m, m.boundary_side_friction, 1, DepthRead::kAsEntered, c.order);
    EXPECT_EQ(m.penetration_unit_friction[1], c.value);
  }
}

// Four points, h = 0.5 x 1 x 2 = 1; three layers with LRFD 1, 0.5 and 0.25
// (point 4 lies below layer 3 and takes its factor).
std::unique_ptr<AnalysisModel> four_points(const double (&unit)[4], const double (&limit)[4]) {
  auto m = std::make_unique<AnalysisModel>();
  m->length_step = 1.0;
  m->layer_count = 3;
  m->layer_lrfd_friction[1] = 1.0;
  m->layer_lrfd_friction[2] = 0.5;
  m->layer_lrfd_friction[3] = 0.25;
  m->reduced_friction_option = 0;
  for (int k = 1; k <= 4; ++k) {
    m->penetration_unit_friction[k] = unit[k - 1];
    m->penetration_max_unit_friction[k] = limit[k - 1];
    m->segment_friction_cap[k] = -1.0;
  }
  return m;
}

TEST(PenetrationAccumulation, LimitRules) {
  // unit 5 3 1 2, limit 4 2 6 2.
  //  cap segments: caps 6 8 8, raw 8 4 3 -> 6 4 3; skin 6 10 13
  //  limit before next segment: raw 5+3 = 8 -> 6, point 2 -> 2; raw 2+1 = 3;
  //    raw 1+2 = 3; skin 6 9 12; point 1 keeps 5
  //  none: 8 4 3; skin 8 12 15
  struct Case {
    LimitRule rule;
    double segment[3], skin[3], unit_after[4], limited[4];
  };
  const Case cases[] = {
      {LimitRule::kCapSegments, {6, 4, 3}, {6, 10, 13}, {5, 3, 1, 2}, {4, 2, 1, 2}},
      {LimitRule::kLimitBeforeNextSegment, {6, 3, 3}, {6, 9, 12}, {5, 2, 1, 2}, {4, 2, 1, 2}},
      {LimitRule::kNone, {8, 4, 3}, {8, 12, 15}, {5, 3, 1, 2}, {5, 3, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.rule));
    auto m = four_points({5, 3, 1, 2}, {4, 2, 6, 2});
    Accumulation a;
    a.method_code = kCodeNgi;
    a.perimeter = 2.0;
    a.limit = c.rule;
    accumulate_skin_friction(*m, 4, a);
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(m->penetration_unit_friction[k], c.unit_after[k - 1]) << k;
      EXPECT_EQ(m->limited_unit_friction[k], c.limited[k - 1]) << k;
    }
    double factored = 0.0;
    for (int k = 2; k <= 4; ++k) {
      EXPECT_EQ(m->segment_friction[k], c.segment[k - 2]) << k;
      EXPECT_EQ(m->method_skin_friction(k, kCodeNgi), c.skin[k - 2]) << k;
      factored += c.segment[k - 2] * (k == 2 ? 0.5 : 0.25);
      EXPECT_EQ(m->skin_friction[k], factored) << k;
    }
    EXPECT_EQ(m->segment_friction_cap[3], c.rule == LimitRule::kNone ? -1.0 : 8.0);
  }
}

TEST(PenetrationAccumulation, TensionPoints) {
  // Factor 0.5, no limit: all points 2.5 1.5 0.5 1 -> segments 4 2 1.5;
  // from point 2: 5 1.5 0.5 1 -> 6.5 2 1.5; none: 8 4 3.
  struct Case {
    TensionPoints points;
    int loading;
    double segment[3];
  };
  const Case cases[] = {{TensionPoints::kAllPoints, 1, {4, 2, 1.5}},
                        {TensionPoints::kFromSecondPoint, 1, {6.5, 2, 1.5}},
                        {TensionPoints::kNone, 1, {8, 4, 3}},
                        {TensionPoints::kAllPoints, 2, {8, 4, 3}}};
  for (const Case& c : cases) {
    auto m = four_points({5, 3, 1, 2}, {9, 9, 9, 9});
    m->loading_type = c.loading;
    m->tension_reduction_factor = 0.5;
    Accumulation a;
    a.perimeter = 2.0;
    a.limit = LimitRule::kNone;
    a.tension = c.points;
    accumulate_skin_friction(*m, 4, a);
    for (int k = 2; k <= 4; ++k) EXPECT_EQ(m->segment_friction[k], c.segment[k - 2]) << k;
  }
}

TEST(PenetrationAccumulation, CapOnlyBeyondTheTolerance) {
  // h = 1, limits 1 and 1 (cap 2): raw 2.0000004 stays, raw 2.000002 is capped.
  auto m = four_points({1.0, 1.0000004, 1.000002, 1.0}, {1, 1, 1, 1});
  Accumulation a;
  a.perimeter = 2.0;
  accumulate_skin_friction(*m, 3, a);
  EXPECT_EQ(m->segment_friction[2], 1.0 + 1.0000004);
  EXPECT_EQ(m->segment_friction[3], 2.0);
}

TEST(PenetrationAccumulation, SegmentProductAndPerimeterBySegment) {
  // The two orders of s x 0.5 x step x perimeter differ in the last digit:
  // 5.5 x 0.5 x 0.3 x 4.712385 = 3.887717625, 5.5 x (0.5 x 0.3 x 4.712385)
  // = 3.8877176250000005.
  auto m = four_points({2.5, 3.0, 0, 0}, {9, 9, 9, 9});
  m->length_step = 0.3;
  Accumulation a;
  a.perimeter = 4.712385;
  a.limit = LimitRule::kNone;
  a.product = SegmentProduct::kLeftToRight;
  accumulate_skin_friction(*m, 2, a);
  EXPECT_EQ(m->segment_friction[2], 3.887717625);
  m->penetration_unit_friction[1] = 2.5;
  m->penetration_unit_friction[2] = 3.0;
  a.product = SegmentProduct::kHalfStepPerimeter;
  accumulate_skin_friction(*m, 2, a);
  EXPECT_EQ(m->segment_friction[2], 3.8877176250000005);

  // Tapered: unit 1 everywhere, perimeters 2 4 6 by segment -> 2 4 6.
  auto t = four_points({1, 1, 1, 1}, {9, 9, 9, 9});
  PenetrationList perimeter;
  perimeter[2] = 2.0;
  perimeter[3] = 4.0;
  perimeter[4] = 6.0;
  a = Accumulation{};
  a.segment_perimeter = &perimeter;
  a.limit = LimitRule::kNone;
  accumulate_skin_friction(*t, 4, a);
  EXPECT_EQ(t->segment_friction[2], 2.0);
  EXPECT_EQ(t->segment_friction[3], 4.0);
  EXPECT_EQ(t->segment_friction[4], 6.0);
}

}  // namespace
}  // namespace zolan
