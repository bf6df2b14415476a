// Load transfer given by the user: the bearing area, end bearing and skin
// friction added up by hand along vertical and battered piles, and whole
// runs that choose the method for load transfer.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "input_text.hpp"
#include "method_table.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

constexpr int kLayers = 4;
// Unit friction, unit bearing and LRFD factor on unit friction by layer.
constexpr double kUnitFriction[kLayers] = {0.5, 1.0, 2.0, 4.0};
constexpr double kUnitBearing[kLayers] = {10.0, 20.0, 30.0, 40.0};
constexpr double kLrfd[kLayers] = {0.9, 0.8, 0.7, 0.6};

// Four layers one penetration step thick, pile of 12 in (D' = 1 ft), the
// penetration list as the run leaves it: (i - 1) x length_step.
std::unique_ptr<AnalysisModel> user_pile(double penetration_step, double pile_length) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->pile_diameter = 12.0;
  m->pile_length = pile_length;
  m->length_step = 1.0;
  m->penetration_step = penetration_step;
  m->layer_count = kLayers;
  for (int j = 1; j <= kLayers; ++j) {
    m->layer_thickness[j] = penetration_step;
    m->layer_unit_friction_user[j] = kUnitFriction[j - 1];
    m->layer_unit_bearing_user[j] = kUnitBearing[j - 1];
    m->layer_lrfd_friction[j] = kLrfd[j - 1];
  }
  for (int i = 1; i <= kMaxPenetrations; ++i) m->penetration_depth[i] = (i - 1) * 1.0;
  return m;
}

void run_user(AnalysisModel& m) {
  RunOutput out;
  compute_user(m, out);
}

TEST(UserBearingArea, SectionAnnulusOrTipArea) {
  struct Case {
    const char* what;
    int units;
    double diameter, inner, tip_area;
    int plug;
    double area;
  };
  // Full section 0.785398 D'^2; annulus 0.785398 (D^2 - Di^2) / 144 or / 1e6.
  //  12 in: 0.785398 x 1 = 0.785398 ft2
  //  24/22 in unplugged: 0.785398 x 92 / 144 = 0.5017821 ft2
  //  600/560 mm unplugged: 0.785398 x 46400 / 1e6 = 0.0364425 m2
  //  300 mm: 0.785398 x 0.09 = 0.0706858 m2
  const Case cases[] = {
      {"full section", 1, 12.0, 0.0, 0.0, 0, 0.785398},
      {"plugged pipe: full section", 1, 24.0, 22.0, 0.0, 1, 0.785398 * 4.0},
      {"unplugged pipe: annulus", 1, 24.0, 22.0, 0.0, 2, 0.5017821},
      {"unplugged pipe in SI", 2, 600.0, 560.0, 0.0, 2, 0.0364425},
      {"SI section", 2, 300.0, 0.0, 0.0, 0, 0.0706858},
      {"user tip area", 1, 24.0, 22.0, 0.5, 2, 0.5},
      {"user tip area of 1e-4 is ignored", 1, 12.0, 0.0, 1.0e-4, 0, 0.785398},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = user_pile(1.0, 3.0);
    m->unit_system = c.units;
    m->pile_diameter = c.diameter;
    m->pile_inner_diameter = c.inner;
    m->tip_area_user = c.tip_area;
    m->plug_condition = c.plug;
    m->layer_unit_bearing_user[1] = 1.0;
    run_user(*m);
    EXPECT_NEAR(m->end_bearing_user[1], c.area, 1e-7);
  }
}

// Area 0.785398 ft2, segment 1 x 3.14159 x 1 x unit friction, with the LRFD
// factor of the layer beginning at the point, none in the first layer.
//  Vertical (step 1 ft): points read 1, 2, 3 ft = the bottoms of layers
//  1, 2, 3:
//   skin 2 = 0.5 x 3.14159                      = 1.570795
//   skin 3 = 1.570795 + 0.7 x 3.14159 x 1.0     = 3.769908
//   skin 4 = 3.769908 + 0.6 x 3.14159 x 2.0     = 7.539816
//   end = 10, 10, 20, 30 x 0.785398 = 7.85398, 7.85398, 15.70796, 23.56194
//  Battered (vertical step 0.9 ft, layers 0.9 ft): point 2 reads the
//  length step 1.0 ft, in layer 2; points 3, 4 read 1.8 and 2.7 ft, the
//  bottoms of layers 2 and 3:
//   skin 2 = 0.8 x 3.14159 x 1.0                = 2.513272
//   skin 3 = 2.513272 + 0.7 x 3.14159 x 1.0     = 4.712385
//   skin 4 = 4.712385 + 0.6 x 3.14159 x 2.0     = 8.482293
//   end = 7.85398, 15.70796, 15.70796, 23.56194
TEST(UserPile, EndBearingAndSkinFrictionAddedUpByHand) {
  struct Case {
    const char* what;
    double step;
    double skin[4];
    double end[4];
    double depth[4];
  };
  const Case cases[] = {
      {"vertical", 1.0,
       {0.0, 1.570795, 3.769908, 7.539816},
       {7.85398, 7.85398, 15.70796, 23.56194},
       {0.0, 1.0, 2.0, 3.0}},
      {"battered", 0.9,
       {0.0, 2.513272, 4.712385, 8.482293},
       {7.85398, 15.70796, 15.70796, 23.56194},
       {0.0, 1.0, 1.8, 2.7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = user_pile(c.step, 3.0);
    m->loading_type = 1;  // no tension reduction in this method
    m->tension_reduction_factor = 0.5;
    m->zero_friction_length = 10.0;  // nor a zero-friction section
    m->layer_max_unit_friction[1] = 0.1;  // nor a friction limit
    run_user(*m);
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      EXPECT_NEAR(m->skin_friction_user[k], c.skin[i], 1e-6);
      EXPECT_NEAR(m->end_bearing_user[k], c.end[i], 1e-6);
      EXPECT_NEAR(m->penetration_depth[k], c.depth[i], 1e-12);
    }
  }
}

TEST(UserPile, SinglePenetrationPoint) {
  // Pile length 0.5 ft: N = 0, only point 1 (bearing of layer 1, no skin).
  auto m = user_pile(1.0, 0.5);
  m->skin_friction_user[2] = m->end_bearing_user[2] = -1.0;
  m->skin_friction_user[1] = -1.0;
  run_user(*m);
  EXPECT_NEAR(m->end_bearing_user[1], 7.85398, 1e-9);
  EXPECT_EQ(m->skin_friction_user[1], 0.0);
  EXPECT_EQ(m->skin_friction_user[2], -1.0);
  EXPECT_EQ(m->end_bearing_user[2], -1.0);
}

// Whole runs: the default pipe (24 in, 60 ft embedded, 1 ft steps) with a
// user unit friction of 1000 psf and unit bearing of 20000 psf on every
// soil point, the method selected and chosen for load transfer.
//  Compression: area 0.785398 x 2^2 = 3.141592 ft2, end 20 x 3.141592 =
//  62.8 kips; segment 1 x 3.14159 x 2 x 1.0 = 6.28318, 60 segments = 377.0
//  kips; ultimate 439.8. The user table has no core column (shape 2).
//  Tension: the self weight takes the place of the end bearing (shape 6).
TEST(UserRun, ChosenForLoadTransfer) {
  struct Case {
    const char* what;
    const char* loading;
    const char* heading;
    const char* last_row;  // empty: not checked
  };
  const std::string k11(11, ' ');
  const Case cases[] = {
      {"compression", "0 1.0", "PENETRATION   FRICTION       BEARING     CAPACITY",
       "  60.00         377.0          62.8        439.8"},
      {"tension", "1 1.0", "PENETRATION   FRICTION        WEIGHT     CAPACITY", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::InputText t;
    t.r7 = "0.0 1.0 1 0.0 5 0 0";
    t.r8 = "0 0 0 0 1 0 0 0 0";
    t.soil[1] = "0 0 0 10 0 0 0 1000 20000 1 1 0";
    t.soil[3] = "0 0 0 20 0 0 0 1000 20000 1 1 0";
    t.r12 = c.loading;
    testing::ScratchDir dir;
    const testing::RunOutcome o = testing::run_input(dir, t.str());
    ASSERT_EQ(o.result.code(), 0) << o.result.message;
    const auto table = testing::table_lines(o.report, std::string(29, ' ') + "* GENERAL METHOD *");
    ASSERT_EQ(table.size(), 6u + 61);
    EXPECT_EQ(table[1], std::string(29, ' ') + std::string(18, '*'));
    EXPECT_EQ(table[4], std::string(10, ' ') + c.heading);
    if (*c.last_row != '\0') {
      EXPECT_EQ(table.back(), k11 + c.last_row);
    }
    for (std::size_t r = 6; r < table.size(); ++r) {
      EXPECT_FALSE(testing::holds_garbage(table[r])) << table[r];
    }
    EXPECT_EQ(o.plot.find('*'), std::string::npos);
    EXPECT_FALSE(testing::holds_garbage(o.plot));
    EXPECT_TRUE(o.plot.starts_with("           1          61           1           5\n"));
  }
}

}  // namespace
}  // namespace zolan
