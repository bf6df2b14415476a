// API RP-2A unit load transfer: boundary friction of sand and clay, the
// default maximum friction, and whole small piles added up by hand.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "layer_pile.hpp"
#include "methods/rules.hpp"

namespace zolan {
namespace {

using Layer = testing::PileLayer;
using testing::layered_pile;

void run_api(AnalysisModel& m) {
  RunOutput out;
  compute_api(m, out);
}

constexpr double kNone = 9999999.0;

TEST(ApiBoundaryFriction, SandAndClayReferenceCases) {
  struct Case {
    const char* what;
    int units;
    Layer layer;
    int soil_class;
    double top, bottom, inside_top, inside_bottom;
  };
  // tan(33 deg) = 0.6494073 (57.2958 deg per rad); K tan = 0.5195258.
  // f_lim at delta 33 = 2.0 + 0.4 x 3/5 = 2.24 ksf = 107.072 kPa.
  // Clay alpha: psi 2 -> 0.5 x 2^-0.25 = 0.4204482; psi 0.5 -> 0.5 x 0.5^-0.5
  // = 0.7071068; psi 0.1 -> 1.58 capped at 1; zero stress raised to 1e-10,
  // psi 1e10 -> 0.5 x 1e-2.5 = 0.0015811.
  const Case cases[] = {
      {"sand phi 38, below/above the limit", 1, {1, 0.8, 38, 0, 0, kNone, 2.0, 5.0}, 1,
       1.0390517, 2.24, 1.0390517, 2.24},
      {"sand phi 38 in SI", 2, {1, 0.8, 38, 0, 0, kNone, 100.0, 250.0}, 1, 51.952584, 107.072,
       51.952584, 107.072},
      {"sand delta 13: 1.0 ksf", 1, {1, 1.0, 18, 0, 0, kNone, 100.0, 100.0}, 1, 1.0, 1.0, 1.0, 1.0},
      {"sand delta 40: 2.4 ksf", 1, {1, 1.0, 45, 0, 0, kNone, 100.0, 100.0}, 1, 2.4, 2.4, 2.4, 2.4},
      {"sand delta 17.5: 1.2 ksf", 1, {1, 1.0, 22.5, 0, 0, kNone, 100.0, 100.0}, 1, 1.2, 1.2, 1.2,
       1.2},
      {"type within 1e-6 of 1 is sand", 1, {1.0000005, 1.0, 18, 0, 0, kNone, 100, 100}, 1, 1.0,
       1.0, 1.0, 1.0},
      {"clay psi 2", 1, {2, 0, 0, 1.0, 0.5, kNone, 0.1, 0.5}, 2, 0.4204482, 0.4204482, 0.2102241,
       0.2102241},
      {"clay psi 0.5", 1, {2, 0, 0, 1.0, 0.3, kNone, 0.1, 2.0}, 2, 0.7071068, 0.7071068, 0.2121320,
       0.2121320},
      {"clay alpha capped", 1, {2, 0, 0, 0.2, 0.1, kNone, 1.0, 2.0}, 2, 0.2, 0.2, 0.1, 0.1},
      {"silt is clay, zero stress", 1, {3, 0, 0, 1.0, 1.0, kNone, 0.0, 0.0}, 2, 0.0015811,
       0.0015811, 0.0015811, 0.0015811},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = layered_pile({c.layer}, 0.0);
    m->unit_system = c.units;
    run_api(*m);
    EXPECT_EQ(m->layer_soil_class[1], c.soil_class);
    EXPECT_NEAR(m->boundary_side_friction[1], c.top, 1e-6);
    EXPECT_NEAR(m->boundary_side_friction[2], c.bottom, 1e-6);
    EXPECT_NEAR(m->boundary_unit_friction(1, kCodeApi), c.inside_top, 1e-6);
    EXPECT_NEAR(m->boundary_unit_friction(2, kCodeApi), c.inside_bottom, 1e-6);
  }
}

TEST(ApiBoundaryFriction, ClayBottomStressIsRaisedInPlace) {
  auto m = layered_pile({{2, 0, 0, 1.0, 1.0, kNone, 0.0, 0.0}}, 0.0);
  run_api(*m);
  EXPECT_EQ(m->boundary_vertical_stress[2], 1.0e-10);
  EXPECT_EQ(m->boundary_vertical_stress[1], 0.0);
}

TEST(ApiLimit, DefaultMaximumFrictionBySandFrictionAngle) {
  struct Case {
    int units;
    double soil_type, phi, entered, limit;
  };
  // phi 32: 1.7 + 0.3 x 2/5 = 1.82 ksf; 83.1 + 12.4 x 2/5 = 88.06 kPa.
  // phi 22: 1.0 + 0.4 x 2/5 = 1.16; 20 and below 1.0; 40 -> 2.0 + 0.4 = 2.4.
  const Case cases[] = {
      {1, 1, 32, 9999, 1.82},   {2, 1, 32, 9999, 88.06},  {1, 1, 22, 9999, 1.16},
      {1, 1, 20, 9999, 1.0},    {1, 1, 15, 9999, 1.0},    {1, 1, 40, 9999, 2.4},
      {1, 1, 42, 9999, 2.4},    {2, 1, 42, 9999, 114.8},  {1, 1, 30, 9999, 1.7},
      {1, 2, 32, 9999, 9999},   // clay keeps 9999
      {1, 1.0000005, 32, 9999, 9999},  // not exactly sand
      {1, 1, 32, kNone, kNone}, {1, 1, 32, 1.5, 1.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "phi " << c.phi << " units " << c.units);
    auto m = layered_pile({{c.soil_type, 1, c.phi, 1, 1, c.entered, 0, 0}}, 0.0);
    m->unit_system = c.units;
    run_api(*m);
    EXPECT_NEAR(m->penetration_max_unit_friction[1], c.limit, 1e-9);
    EXPECT_NEAR(m->layer_max_unit_friction[1], c.limit, 1e-9);  // stored back
  }
}

// Five layers of 1 ft, pile length 3 ft: points at 0, 1, 2, 3 ft read the
// top of layer 1, the bottoms of layers 1, 2 and 3.
//  L1 sand phi 35 K 0.8, stress 0.06 -> 0.12: 0.8 tan 30 = 0.4618802,
//     f = 0.0277128, 0.0554256
//  L2 clay su 0.5, stress 0.25: psi 2, f = 0.5 x 0.4204482 = 0.2102241
//  L3 clay su 1.0, stress 0.4: psi 2.5, alpha = 0.5 x 2.5^-0.25 = 0.3976354
//  L4, L5 sand phi 30 with maximum 9999: default 1.7 ksf
// Limits by point: L1 none, L2 0.05, L3 0.2, L4 1.7.
// h = 0.5 x 1 x 3.14159 = 1.570795.
//  seg 2 = (0.0277128 + 0.0554256) h = 0.1305934 (cap 9999999.05 h)
//  seg 3: raw (0.0554256 + 0.2102241) h = 0.4172812 > cap (0.05 + 0.2) h = 0.3926988
//  seg 4 = (0.2102241 + 0.3976354) h = 0.9548226 (cap 1.9 h)
//  skin 0.1305934, 0.5232921, 1.4781148
//  LRFD 0.8, 0.9, 0.7 at points 2..4: 0.1044747, 0.4579036, 1.1262794
std::unique_ptr<AnalysisModel> five_layer_pile() {
  return layered_pile({{1, 0.8, 35, 0, 0, kNone, 0.06, 0.12, 1.0},
               {2, 0, 0, 0.5, 0.3, 0.05, 0.12, 0.25, 0.8},
               {2, 0, 0, 1.0, 0.5, 0.2, 0.25, 0.4, 0.9},
               {1, 1.0, 30, 0, 0, 9999, 0.4, 0.52, 0.7},
               {1, 1.0, 30, 0, 0, 9999, 0.52, 0.64, 0.6}},
              3.0);
}

TEST(ApiPile, SkinFrictionAddedUpByHand) {
  auto m = five_layer_pile();
  m->penetration_step = 0.9;  // battered: depths are read as entered, rewritten vertical
  m->reduced_friction_option = 0;
  run_api(*m);
  const double unit[] = {0.0277128, 0.0554256, 0.2102241, 0.3976354};
  const double limit[] = {kNone, 0.05, 0.2, 1.7};
  const double limited[] = {0.0277128, 0.05, 0.2, 0.3976354};
  const double segment[] = {0.0, 0.1305934, 0.3926988, 0.9548226};
  const double skin[] = {0.0, 0.1305934, 0.5232921, 1.4781148};
  const double factored[] = {0.0, 0.1044747, 0.4579036, 1.1262794};
  for (int k = 1; k <= 4; ++k) {
    SCOPED_TRACE(k);
    const auto i = static_cast<std::size_t>(k - 1);
    EXPECT_NEAR(m->penetration_unit_friction[k], unit[i], 1e-6);
    EXPECT_NEAR(m->penetration_max_unit_friction[k], limit[i], 1e-9);
    EXPECT_NEAR(m->limited_unit_friction[k], limited[i], 1e-6);
    EXPECT_NEAR(m->segment_friction[k], segment[i], 1e-6);
    EXPECT_NEAR(m->factored_skin_friction[k], factored[i], 1e-6);
    EXPECT_NEAR(m->skin_friction[k], factored[i], 1e-6);  // replaced by the factored sum
    EXPECT_NEAR(m->method_skin_friction(k, kCodeApi), skin[i], 1e-6);  // option 0: unfactored
    EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.9);
  }
  EXPECT_NEAR(m->segment_friction_cap[3], 0.3926988, 1e-6);
  EXPECT_EQ(m->layer_max_unit_friction[4], 1.7);
  EXPECT_EQ(m->layer_max_unit_friction[5], 9999.0);  // below the tip: not asked for
  EXPECT_EQ(m->penetration_unit_friction[5], 0.0);   // no fifth point
}

TEST(ApiPile, ZeroFrictionLength) {
  // Points at 0, 1, 2, 3 ft with the zero-friction length at 2 ft: points
  // 1 and 2 carry nothing, point 3 (exactly at 2 ft) does; so does a point
  // read within 1e-6 above it.
  auto m = five_layer_pile();
  m->zero_friction_length = 2.0;
  run_api(*m);
  EXPECT_EQ(m->penetration_unit_friction[1], 0.0);
  EXPECT_EQ(m->penetration_unit_friction[2], 0.0);
  EXPECT_NEAR(m->penetration_unit_friction[3], 0.2102241, 1e-6);
  EXPECT_NEAR(m->penetration_unit_friction[4], 0.3976354, 1e-6);
  // seg 3 = (0 + 0.2102241) h = 0.3302190 (below its cap 0.3926988)
  EXPECT_NEAR(m->segment_friction[3], 0.3302190, 1e-6);

  auto n = five_layer_pile();
  n->zero_friction_length = 2.0;
  n->penetration_depth[3] = 2.0 - 5.0e-7;
  run_api(*n);
  EXPECT_GT(n->penetration_unit_friction[3], 0.2);
}

TEST(ApiPile, TensionFactorBeforeTheLimit) {
  // Under tension every point is 0.7 x its compression value and the limit
  // is taken after that: point 3 falls from 0.2102241 (limited to 0.2) to
  // 0.7 x 0.2102241 = 0.1471569, below its limit.
  auto c = five_layer_pile();
  run_api(*c);
  auto t = five_layer_pile();
  t->loading_type = 1;
  t->tension_reduction_factor = 0.7;
  run_api(*t);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_DOUBLE_EQ(t->penetration_unit_friction[k], c->penetration_unit_friction[k] * 0.7);
  }
  EXPECT_NEAR(t->limited_unit_friction[3], 0.1471569, 1e-6);
  // Point 1 is reduced too: seg 2 = 0.7 x (0.0277128 + 0.0554256) h = 0.0914154.
  EXPECT_NEAR(t->segment_friction[2], 0.0914154, 1e-6);
  EXPECT_NEAR(c->limited_unit_friction[3], 0.2, 1e-12);
  // seg 3 = (0.7 x 0.0554256 + 0.1471569) h = 0.2920969, now below its cap.
  EXPECT_NEAR(t->segment_friction[3], 0.2920969, 1e-6);
}

TEST(ApiPile, LrfdHalfByReducedFrictionOption) {
  // Every layer with LRFD 0.5: the factored sum is half the unfactored one.
  const double unfactored[] = {0.1305934, 0.5232921, 1.4781148};
  for (int option : {0, 1, 2}) {
    SCOPED_TRACE(option);
    auto m = five_layer_pile();
    for (int j = 1; j <= 5; ++j) m->layer_lrfd_friction[j] = 0.5;
    m->reduced_friction_option = option;
    for (int k = 1; k <= 4; ++k) m->method_skin_friction(k, kCodeApi) = -1.0;
    run_api(*m);
    for (int k = 2; k <= 4; ++k) {
      const double sum = unfactored[static_cast<std::size_t>(k - 2)];
      EXPECT_NEAR(m->skin_friction[k], 0.5 * sum, 1e-6);
      const double shown = option == 0 ? sum : option == 1 ? 0.5 * sum : -1.0;
      EXPECT_NEAR(m->method_skin_friction(k, kCodeApi), shown, 1e-6);
    }
    EXPECT_EQ(m->method_skin_friction(1, kCodeApi), -1.0);  // point 1 is not copied
  }
}

TEST(ApiPile, SinglePenetrationPoint) {
  // Pile length 0.5 ft: N = 0, one point. Steps 1 to 4 for point 1 only.
  auto m = five_layer_pile();
  m->pile_length = 0.5;
  m->segment_friction[2] = m->skin_friction[2] = -1.0;
  m->penetration_depth[1] = 1.0;  // read as entered: the bottom of layer 1
  run_api(*m);
  EXPECT_NEAR(m->penetration_unit_friction[1], 0.0554256, 1e-6);
  EXPECT_EQ(m->penetration_max_unit_friction[1], kNone);
  EXPECT_EQ(m->segment_friction[1], 0.0);
  EXPECT_EQ(m->segment_friction_cap[1], 0.0);
  EXPECT_EQ(m->skin_friction[1], 0.0);
  EXPECT_EQ(m->penetration_depth[1], 0.0);
  EXPECT_EQ(m->segment_friction[2], -1.0);
  EXPECT_EQ(m->skin_friction[2], -1.0);
}

}  // namespace
}  // namespace zolan
