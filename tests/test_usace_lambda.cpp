// USACE and Revised Lambda unit load transfer: verification tables worked
// by hand, and whole runs that choose each method for load transfer.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

#include "input_text.hpp"
#include "layer_pile.hpp"
#include "methods/rules.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

constexpr double kNone = 9999999.0;
using Layer = testing::PileLayer;
using testing::layered_pile;

TEST(Usace, BoundaryFrictionVerificationTable) {
  struct Case {
    const char* what;
    int units, pile_type, loading, api;
    double batter;
    Layer layer;  // limited stresses 1 and 2 (the plain ones 50 and 60)
    double top, bottom, inside;  // inside: the bottom of the inside column
  };
  // tan with 57.2958 deg per rad, K 0.8, f = K sigma tan(delta):
  //  timber 0.9 x 32 = 28.8, tan 0.5497544: 0.4398035, 0.8796071
  //  H-pile (32 + 24) / 2 = 28, tan 0.5317092: 0.4253674, 0.8507347
  //  pipe, Raymond 0.75 x 32 = 24, tan 0.4452285: 0.3561828, 0.7123656
  //  precast 0.95 x 32 = 30.4, tan 0.5866963; code 9: 27, tan 0.5095252
  //  K 0: 1.25 (compression) 0.5565356, 1.1130713; 0.6 (tension) 0.2671371;
  //  API selected: 1.25 over the 0.8 given
  //  batter 0.2 rad: sigma tan 24 (0.8 cos 0.2 + sin 0.2) = 0.4375361 sigma
  //  clay su 1 ksf: a = 1 - 0.5 x 0.5 = 0.75; su 2: 0.5; SI su 48: 1 - 0.5 x
  //  24 / 48 = 0.75; inside a x su_r
  //  silt su 1, phi 30, K 1: tan 22.5 = 0.4142134; 0.75 + 0.4142134 and
  //  0.75 + 0.8284268 (the top value not added again); inside 0.75 x 0.5
  const Case cases[] = {
      {"timber", 1, 2, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4398035, 0.8796071, 0.8796071},
      {"H-pile", 1, 6, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4253674, 0.8507347, 0.8507347},
      {"pipe", 1, 1, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.3561828, 0.7123656, 0.7123656},
      {"Raymond", 1, 5, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.3561828, 0.7123656, 0.7123656},
      {"precast", 1, 3, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4693570, 0.9387140, 0.9387140},
      {"code 9", 1, 9, 0, 0, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4076202, 0.8152404, 0.8152404},
      {"K 0", 1, 1, 0, 0, 0.0, {1, 0.0, 32, 0, 0, kNone, 1, 2}, 0.5565356, 1.1130713, 1.1130713},
      {"K 0 tension", 1, 1, 1, 0, 0.0, {1, 0.0, 32, 0, 0, kNone, 1, 2}, 0.2671371, 0.5342742, 0.5342742},
      {"API too", 1, 1, 0, 1, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.5565356, 1.1130713, 1.1130713},
      {"battered", 1, 1, 0, 0, 0.2, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4375361, 0.8750722, 0.8750722},
      {"clay su 1", 1, 1, 0, 0, 0.0, {2, 0.8, 32, 1.0, 0.4, kNone, 1, 2}, 0.75, 0.75, 0.3},
      {"clay su 2", 1, 1, 0, 0, 0.0, {2, 0.8, 32, 2.0, 1.0, kNone, 1, 2}, 1.0, 1.0, 0.5},
      {"SI clay su 48", 2, 1, 0, 0, 0.0, {2, 0.8, 32, 48, 20, kNone, 1, 2}, 36.0, 36.0, 15.0},
      {"silt", 1, 1, 0, 0, 0.0, {3, 1.0, 30, 1.0, 0.5, kNone, 1, 2}, 1.1642134, 1.5784268, 0.375},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = layered_pile({c.layer}, 0.0);
    m->unit_system = c.units;
    m->pile_type = c.pile_type;
    m->loading_type = c.loading;
    m->method_selected[kSelApi] = c.api;
    m->batter_angle = c.batter;
    m->boundary_vertical_stress[1] = 50.0;
    m->boundary_vertical_stress[2] = 60.0;
    RunOutput out;
    compute_usace(*m, out);
    EXPECT_NEAR(m->boundary_side_friction[1], c.top, 1e-6);
    EXPECT_NEAR(m->boundary_side_friction[2], c.bottom, 1e-6);
    EXPECT_NEAR(m->boundary_unit_friction(2, kCodeUsace), c.inside, 1e-6);
  }
}

TEST(Usace, CriticalDepthByStressAndSegments) {
  // Critical depth by stress: the plain bottom stress of the first sand or
  // silt layer (layer 1 included) beyond 3.5 ksf or 168 kPa; 5 on entry.
  struct Depth {
    int units, option;
    double types[3], bottom_stress[3], depth;
  };
  const Depth depths[] = {{1, 1, {1, 1, 1}, {3.6, 4.0, 5.0}, 1.0}, {1, 1, {2, 3, 1}, {3.6, 4.0, 5.0}, 2.0},
                          {1, 1, {1, 1, 1}, {1.0, 3.5, 3.6}, 3.0}, {1, 1, {1, 1, 1}, {1.0, 2.0, 3.0}, 0.0},
                          {2, 1, {1, 1, 1}, {167.9, 168.0, 168.1}, 3.0}, {1, 2, {1, 1, 1}, {3.6, 4.0, 5.0}, 5.0}};
  for (const Depth& d : depths) {
    std::vector<Layer> layers;
    for (int j = 0; j < 3; ++j) layers.push_back({d.types[j], 1.0, 30, 1.0, 1.0, kNone, 0.0, d.bottom_stress[j]});
    auto m = layered_pile(layers, 2.0);
    m->unit_system = d.units;
    m->critical_depth_option = d.option;
    m->critical_depth = 5.0;
    RunOutput out;
    compute_usace(*m, out);
    EXPECT_EQ(m->critical_depth, d.depth) << d.bottom_stress[0] << " option " << d.option;
  }

  // Sand, pipe, phi 40: delta 30, tan 0.5773500, K 1; stresses 0.2/0.5,
  // 0.5/1.0, 1.0/1.5, 1.5/2.0: points at 0 .. 3 ft read 0.1154700,
  // 0.2886750, 0.5773500, 0.8660250; limits 0.1, 0.25, 1.0, 0.8; segments
  // (sum) x 0.5 x 1 x 3.14159:
  //  2: raw 0.4041450 x 1.570795 = 0.6348292 (point 1 never limited) above
  //     its cap 0.35 x 1.570795 = 0.5497782; point 2 -> 0.25
  //  3: (0.25 + 0.5773500) 1.570795 = 1.2995973 (point 2 as limited)
  //  4: (0.5773500 + 0.8660250) 1.570795 = 2.2672463; point 4 -> 0.8
  // Tension 0.5 on points 2 .. 4 only: (0.1154700 + 0.1443375) 1.570795 =
  // 0.4081043, then 0.6801739 and 1.1336232, none at its cap.
  const double unit[2][4] = {{0.1154700, 0.25, 0.5773500, 0.8}, {0.1154700, 0.1443375, 0.2886750, 0.4330125}};
  const double skin[2][4] = {{0.0, 0.5497782, 1.8493755, 4.1166218}, {0.0, 0.4081043, 1.0882782, 2.2219014}};
  for (int loading = 0; loading <= 1; ++loading) {
    auto m = layered_pile({{1, 1.0, 40, 0, 0, 0.1, 0.2, 0.5}, {1, 1.0, 40, 0, 0, 0.25, 0.5, 1.0},
                           {1, 1.0, 40, 0, 0, 1.0, 1.0, 1.5}, {1, 1.0, 40, 0, 0, 0.8, 1.5, 2.0}}, 3.0);
    m->loading_type = loading;
    m->tension_reduction_factor = 0.5;
    RunOutput out;
    compute_usace(*m, out);
    for (int k = 1; k <= 4; ++k) {
      EXPECT_NEAR(m->penetration_unit_friction[k], unit[loading][k - 1], 1e-6) << loading << " " << k;
      EXPECT_NEAR(m->skin_friction[k], skin[loading][k - 1], 1e-6) << loading << " " << k;
    }
  }
}

TEST(Lambda, FactorAndCompressibility) {
  // ratio 0.3, Pi 100: 0.178 - 0.016 x 4.6051702 = 0.1043173 -> 0.14;
  // ratio 0.5, Pi 10: 0.232 - 0.032 x 2.3025851 = 0.1583173; ratio 0.4 at
  // Pi 1: 0.232, just below 0.178; Pi 0 (or below): 0; no stress: ratio
  // infinite.
  const double factors[][4] = {{100, 0.3, 1, 0.14},  {10, 0.5, 1, 0.1583173}, {1, 0.4, 1, 0.232},
                               {1, 0.39999, 1, 0.178}, {0, 1, 1, 0.0}, {-2, -1, 1, 0.0}, {1, 1, 0, 0.232}};
  for (const auto& f : factors) EXPECT_NEAR(lambda_factor(f[0], f[1], f[2]), f[3], 1e-7) << f[0] << " " << f[1];
  // English, D 12, Di 11, E 29e6, H 10, s_m 1: A = 0.785398 x 23 = 18.064154
  // in2, Pi = 3141.59 x 12 x 100 / (0.1 x 29e6 x 18.064154) = 0.0719640; a
  // user tip area of 1 ft2 is 144 in2: 0.0090276; 1e-4 is not taken.
  // SI, D 600, E 2e8, H 10, s_m 50: A = 282743.28 mm2, Pi = 3141590.12 x
  // 600 x 100 x 50 / (2.54 x 2e8 x 282743.28) = 0.0656168; user 0.2 m2:
  // 0.0927635. Di = D: no area, E A floored: lambda 0.14.
  const double piles[][8] = {{1, 12, 11, 29e6, 0, 1, 0.0719640}, {1, 12, 11, 29e6, 1, 1, 0.0090276},
                             {1, 12, 11, 29e6, 1e-4, 1, 0.0719640}, {2, 600, 0, 2e8, 0, 50, 0.0656168},
                             {2, 600, 0, 2e8, 0.2, 50, 0.0927635}};
  for (const auto& p : piles) {
    AnalysisModel m;
    m.unit_system = static_cast<int>(p[0]);
    m.pile_diameter = p[1];
    m.pile_inner_diameter = p[2];
    m.modulus_of_elasticity = p[3];
    m.tip_area_user = p[4];
    EXPECT_NEAR(relative_compressibility(m, 10.0, p[5]), p[6], 1e-7) << p[0] << " " << p[4];
    m.pile_inner_diameter = p[1];
    m.tip_area_user = 0.0;
    EXPECT_EQ(lambda_factor(relative_compressibility(m, 10.0, p[5]), 1.0, 1.0), 0.14);
  }
}

// LRFD factors on unit friction 1, 0.5, 0.8, 0.9 and 0.6 at points 1 .. 5,
// the method's column factored too.
void lrfd_by_point(AnalysisModel& m) {
  const double f[] = {1.0, 0.5, 0.8, 0.9, 0.6};
  for (int j = 1; j <= 5; ++j) m.layer_lrfd_friction[j] = f[j - 1];
  m.reduced_friction_option = 1;
}

TEST(Lambda, PileVerificationTable) {
  // Clay su 1 ksf, K 0, stress 0.1 ksf per 1 ft layer, solid 12 in pile
  // (A 113.097312 in2), E 3e6 psi: Pi = 37699.08 H^2 s_m / 33929193.6;
  // ratio s_m / sigma'm >= 0.4: lambda = 0.232 - 0.032 ln Pi; Q = lambda
  // (sigma'm + 2 s_m) 3.14159 H, the skin friction C without a limit, the
  // unit friction (C(k) - C(k-1)) / 3.14159.
  //  H 1: sigma'm 0.05, Pi 0.0011111, lambda 0.4496767, Q 2.8960343
  //  H 2: sigma'm ((0.2 + 0.1) 0.5 + 0.05) / 2 = 0.1, s_m 1, Pi 0.0044444,
  //       lambda 0.4053152, Q 5.3480040; H 3: 7.6871794; H 4: 9.9789262
  struct Case {
    const char* what;
    void (*change)(AnalysisModel&);
    double skin[5], unit[5];
  };
  const Case cases[] = {
      {"compression", [](AnalysisModel&) {}, {0, 2.8960343, 5.3480040, 7.6871794, 9.9789262},
       {0, 0.9218371, 0.7804868, 0.7445833, 0.7294863}},
      // Point 3 limited to 0.5: C(3) = 2.8960343 + 0.5 x 3.14159 = 4.4668293;
      // point 4 makes it up: u = (7.6871794 - 4.4668293) / 3.14159.
      {"limit", [](AnalysisModel& m) { m.layer_max_unit_friction[3] = 0.5; },
       {0, 2.8960343, 4.4668293, 7.6871794, 9.9789262}, {0, 0.9218371, 0.5, 1.0250701, 0.7294863}},
      // Tension 0.7: u from the stored reduced C(k-1), so C(k) = 0.7 Q(k).
      {"tension", [](AnalysisModel& m) { m.loading_type = 1; m.tension_reduction_factor = 0.7; },
       {0, 2.0272240, 3.7436028, 5.3810256, 6.9852484}, {0, 0.6452860, 0.5463408, 0.5212083, 0.5106404}},
      // 2.8960343 x 0.5 = 1.4480172; + 2.4519697 x 0.8; + 2.3391754 x 0.9;
      // + 2.2917469 x 0.6.
      {"LRFD", lrfd_by_point, {0, 1.4480172, 3.4095929, 5.5148507, 6.8898989},
       {0, 0.9218371, 0.7804868, 0.7445833, 0.7294863}},
      // Zero-friction length 1: layer 1 (bottom within 1e-6) has no strength.
      // H 2: s_m 0.5, Pi 0.0022222, lambda 0.4274959, Q = lambda x 1.1 x
      // 3.14159 x 2 = 2.9546374; H 3: s_m 2/3; H 4: s_m 0.75.
      {"zero-friction length", [](AnalysisModel& m) { m.zero_friction_length = 1.0; },
       {0, 0, 2.9546374, 5.4849477, 7.9076508}, {0, 0, 0.9404911, 0.8054235, 0.7711710}},
      // su 5 over layers of no strength and no weight: H 1: Pi 0.0055556,
      // lambda 0.3981746, Q 12.5715597; H 2: s_m 2.5, sigma'm 0.075, Q
      // 11.9893705 < C(2): u below 1e-7 takes the point above, and so on.
      {"total falls",
       [](AnalysisModel& m) {
         m.layer_su_undisturbed[1] = 5.0;
         for (int j = 2; j <= 6; ++j) {
           m.layer_su_undisturbed[j] = 0.0;
           m.boundary_vertical_stress[2 * j - 1] = m.boundary_vertical_stress[2 * j] = 0.1;
         }
       },
       {0, 12.5715597, 25.1431195, 37.7146792, 50.2862389}, {0, 4.0016551, 4.0016551, 4.0016551, 4.0016551}},
      // Sand phi 30, K 0 taken as 1: s = 0.5 (sigma'top + sigma'bottom) tan 30;
      // H 1: s_m 0.0288675, Pi 3.2075e-5, lambda 0.5631179, Q = lambda x
      // (0.05 + 0.0577350) x 3.14159 = 0.1905924; H 2: s_m 0.0577350.
      {"sand",
       [](AnalysisModel& m) {
         for (int j = 1; j <= 6; ++j) {
           m.layer_soil_type[j] = 1.0;
           m.layer_friction_angle[j] = 30.0;
         }
       },
       {0, 0.1905924, 0.6722826, 1.3940661, 2.3287815}, {0, 0.0606675, 0.1533269, 0.2297510, 0.2975294}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Layer> layers;
    for (int i = 0; i < 6; ++i) layers.push_back({2, 0.0, 0, 1.0, 0.5, kNone, 0.1 * i, 0.1 * (i + 1)});
    auto m = layered_pile(layers, 4.0);
    m->penetration_step = 0.9;
    c.change(*m);
    RunOutput out;
    compute_lambda(*m, out);
    for (int k = 1; k <= 5; ++k) {
      EXPECT_NEAR(m->skin_friction[k], c.skin[k - 1], 1e-6) << k;
      EXPECT_NEAR(m->method_skin_friction(k, kCodeLambda), c.skin[k - 1], 1e-6) << k;
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[k - 1], 1e-6) << k;
      EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.9);
    }
    EXPECT_EQ(m->layer_K[1], 1.0);
  }
}

TEST(UsaceLambdaRun, EachChosenForLoadTransfer) {
  // Silt over clay over sand, a maximum unit friction at every point.
  testing::InputText english;
  english.r4 = "1 5 4 0";
  english.r8 = "0 1 1 0 0 0 0 0 0";
  english.soil = {"0.0 3.0 0.8 110.0 28.0 0.0", "1000 0 800 400 0 0 0 0 0 1 1 0",
                  "20.0 2.0 0.0 60.0 0.0 0.0",  "1500 0 1500 800 0 0 0 0 0 0.9 1 0",
                  "40.0 1.0 0.0 60.0 34.0 0.0", "2000 0 0 20 0 0 0 0 0 1 1 0",
                  "80.0 1.0 0.8 65.0 36.0 0.0", "2400 0 0 25 0 0 0 0 0 1 1 0"};
  testing::InputText si = english;
  si.r4 = "2 5 4 0";
  si.r5 = "0.0 0.0 600.0 560.0 200000000.0 20.0 0.5";
  si.r9 = "30.0 0.0";
  si.r15 = "2 8.0";
  si.soil = {"0.0 3.0 0.8 17.0 28.0 0.0", "50 0 40 20 0 0 0 0 0 1 1 0", "6.0 2.0 0.0 9.0 0.0 0.0",
             "70 0 70 35 0 0 0 0 0 1 1 0", "12.0 1.0 0.0 9.0 34.0 0.0", "95 0 0 20 0 0 0 0 0 1 1 0",
             "30.0 1.0 0.8 10.0 36.0 0.0", "115 0 0 25 0 0 0 0 0 1 1 0"};
  const std::string k28(28, ' ');
  const std::string stars = k28 + std::string(22, '*') + "\n";
  for (const char* ltm : {"2", "3"}) {
    testing::InputText battered = english;  // tension, critical depth by stress
    battered.r6 = "0.0 0.0 10.0";
    battered.r12 = "1 0.7";
    battered.r15 = "1 0.0";
    for (testing::InputText t : {english, battered, si}) {
      t.r7 = std::string(t.r4[0] == '1' ? "0.0 1.0 1 0.0 " : "0.0 0.5 1 0.0 ") + ltm + " 0 1";
      SCOPED_TRACE(t.r4 + " / " + t.r6 + " / " + t.r7);
      testing::ScratchDir dir;
      const testing::RunOutcome o = testing::run_input(dir, t.str());
      ASSERT_EQ(o.result.code(), 0) << o.result.message;
      for (const std::string title : {"* ARMY CORPS METHOD  *", "*  LAMBDA 2 METHOD   *"}) {
        EXPECT_NE(o.report.find(stars + k28 + title + "\n" + stars), std::string::npos) << title;
        const auto table = testing::table_lines(o.report, title);
        ASSERT_GE(table.size(), 7u) << title;
        for (std::size_t k = 6; k < table.size(); ++k) {
          EXPECT_FALSE(std::regex_search(table[k], std::regex("nan|inf|\\*\\*"))) << table[k];
        }
      }
      EXPECT_FALSE(std::regex_search(o.plot, std::regex("nan|inf|\\*")));
      int tables = 0;
      std::istringstream(o.plot) >> tables;
      EXPECT_EQ(tables, 2);
    }
  }
}

}  // namespace
}  // namespace zolan
