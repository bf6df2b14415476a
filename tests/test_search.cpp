// Searches in numbered lists: bisection where the entries ascend, the scan
// in order otherwise, and the look-ups built on them giving the values of
// the scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "model/lists.hpp"
#include "model/model.hpp"
#include "model/profile.hpp"
#include "settlement/tz_curves.hpp"

namespace zolan {
namespace {

List<double, 8> list_of(std::initializer_list<double> values) {
  List<double, 8> l;
  int k = 1;
  for (double v : values) l[k++] = v;
  return l;
}

TEST(Search, FirstAtOrAbove) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    std::initializer_list<double> values;  // entries 1 .. n
    double x;
    int first;  // searched from 2 to n
  };
  // Entries 2 .. 5 of {0, 1, 2, 2, 5}: the first not below 2 is entry 3,
  // the first not below 2.5 entry 5, none is not below 6 (n + 1 = 6).
  const Case cases[] = {
      {{0, 1, 2, 2, 5}, 2.0, 3}, {{0, 1, 2, 2, 5}, 2.5, 5}, {{0, 1, 2, 2, 5}, 6.0, 6},
      {{0, 1, 2, 2, 5}, -1.0, 2}, {{0, 1, 2, 2, 5}, 5.0, 5}, {{0, 1, 2, 2, 5}, nan, 6},
      // Not ascending: the scan's answer, entry 2 (3 >= 2.5), though 1 follows.
      {{0, 3, 1, 4, 5}, 2.5, 2}, {{0, 1, 4, 2, 5}, 3.0, 3}, {{0, 1, nan, 2, 5}, 1.5, 4},
  };
  for (const Case& c : cases) {
    const List<double, 8> l = list_of(c.values);
    const int n = static_cast<int>(c.values.size());
    const bool ascending = ascends(l, 1, n);
    EXPECT_EQ(first_at_or_above(l, 2, n, c.x, ascending), c.first) << c.x;
    // The scan in order always agrees.
    EXPECT_EQ(first_at_or_above(l, 2, n, c.x, false), c.first) << c.x;
  }
  EXPECT_TRUE(ascends(list_of({0, 1, 2, 2, 5}), 1, 5));
  EXPECT_FALSE(ascends(list_of({0, 3, 1, 4, 5}), 1, 5));
  EXPECT_FALSE(ascends(list_of({0, 1, nan, 2, 5}), 1, 5));
}

TEST(Search, CptProfileTheSameByBisectionAndScan) {
  auto m = std::make_unique<AnalysisModel>();
  // qc = 100 + 10 x depth at depths 0, 1, ..., 99.
  m->cpt_point_count = 100;
  for (int p = 1; p <= 100; ++p) {
    m->cpt_depth[p] = p - 1;
    m->cpt_qc[p] = 100.0 + 10.0 * (p - 1);
  }
  for (const double depth : {-1.0, 0.0, 0.25, 17.0, 17.5, 98.75, 99.0, 150.0}) {
    m->cpt_depths_ascending = false;
    const double scanned = cpt_profile_qc(*m, depth);
    m->cpt_depths_ascending = true;
    EXPECT_EQ(cpt_profile_qc(*m, depth), scanned) << depth;
    // Within the profile: 100 + 10 x depth; above and below it the end values.
    EXPECT_NEAR(scanned, 100.0 + 10.0 * std::clamp(depth, 0.0, 99.0), 1e-9) << depth;
  }
}

TEST(Search, UnitFrictionLookupAgreesWithOneDepthAtATime) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 2;  // kPa as they are
  m->npen = 5;
  // Friction 2 x depth at penetrations 0, 1, 2, 3, 4 m.
  for (int i = 1; i <= 5; ++i) {
    m->penetration_depth[i] = i - 1;
    m->settlement_unit_friction[i] = 2.0 * (i - 1);
  }
  const WorkingUnits u = working_units(*m);
  const UnitFrictionLookup lookup(*m, u);
  // 2.5 m: between 2 and 3, 4 + 2 x 0.5 = 5 kPa; on a point its own value.
  struct Case {
    double depth, friction;
  };
  const Case cases[] = {{-1.0, 0.0}, {0.0, 0.0}, {2.5, 5.0}, {3.0, 6.0}, {4.0, 8.0}, {9.0, 8.0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(lookup.at_model_depth(c.depth), c.friction) << c.depth;
    EXPECT_EQ(ultimate_unit_friction_at_model_depth(*m, u, c.depth),
              lookup.at_model_depth(c.depth));
  }
}

}  // namespace
}  // namespace zolan
