// USACE and Revised Lambda unit load transfer: boundary friction and the
// critical depth by stress of USACE, lambda and the relative
// compressibility, small piles added up by hand, and whole runs that choose
// each method for load transfer.
#include <gtest/gtest.h>

#include <memory>
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

void run_usace(AnalysisModel& m) {
  RunOutput out;
  compute_usace(m, out);
}

void run_lambda(AnalysisModel& m) {
  RunOutput out;
  compute_lambda(m, out);
}

// ---- USACE -------------------------------------------------------------

TEST(UsaceBoundaryFriction, VerificationTable) {
  struct Case {
    const char* what;
    int units, pile_type, loading;
    bool api_selected;
    double batter;
    Layer layer;
    double top, bottom, inside_top, inside_bottom;
  };
  // Limited stresses 1 and 2 (the plain ones are set to 50 and 60 below, so
  // that reading the wrong list shows). tan with 57.2958 deg per rad:
  //  timber 0.9 x 32 = 28.8: tan 0.5497544, K 0.8: 0.4398035, 0.8796071
  //  H-pile (32 + 24) / 2 = 28: tan 0.5317092: 0.4253674, 0.8507347
  //  pipe 0.75 x 32 = 24: tan 0.4452285: 0.3561828, 0.7123656
  //  precast 0.95 x 32 = 30.4: tan 0.5866963: 0.4693570, 0.9387140
  //  code 9: 32 - 5 = 27: tan 0.5095252: 0.4076202, 0.8152404
  //  K 0: 1.25 in compression 0.5565356, 1.1130713; 0.6 in tension
  //  0.2671371, 0.5342742; API selected: 1.25 over the given 0.8
  //  batter 0.2 rad: sigma tan 24 (0.8 cos 0.2 + sin 0.2) = 0.4375361 sigma
  //  clay su 1.0 ksf: a = 1 - 0.5 x 0.5 = 0.75; su 2.0: 0.5; su 0.3: 1;
  //  SI su 48: 1 - 0.5 x 24 / 48 = 0.75; su 80: 0.5; inside a x su_r
  //  silt su 1.0, phi 30 pipe K 1: tan 22.5 = 0.4142134; top 0.75 +
  //  0.4142134, bottom 0.75 + 0.8284268 (the top value once only)
  const Case cases[] = {
      {"timber", 1, 2, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4398035, 0.8796071, 0.4398035, 0.8796071},
      {"H-pile", 1, 6, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4253674, 0.8507347, 0.4253674, 0.8507347},
      {"pipe", 1, 1, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.3561828, 0.7123656, 0.3561828, 0.7123656},
      {"Raymond step", 1, 4, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.3561828, 0.7123656, 0.3561828, 0.7123656},
      {"tapered monotube", 1, 7, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.3561828, 0.7123656, 0.3561828, 0.7123656},
      {"precast", 1, 3, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4693570, 0.9387140, 0.4693570, 0.9387140},
      {"other code", 1, 9, 0, false, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4076202, 0.8152404, 0.4076202, 0.8152404},
      {"K 0 compression", 1, 1, 0, false, 0.0, {1, 0.0, 32, 0, 0, kNone, 1, 2}, 0.5565356, 1.1130713, 0.5565356, 1.1130713},
      {"K 0 tension", 1, 1, 1, false, 0.0, {1, 0.0, 32, 0, 0, kNone, 1, 2}, 0.2671371, 0.5342742, 0.2671371, 0.5342742},
      {"API selected", 1, 1, 0, true, 0.0, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.5565356, 1.1130713, 0.5565356, 1.1130713},
      {"battered", 1, 1, 0, false, 0.2, {1, 0.8, 32, 0, 0, kNone, 1, 2}, 0.4375361, 0.8750722, 0.4375361, 0.8750722},
      {"clay su 1", 1, 1, 0, false, 0.0, {2, 0.8, 32, 1.0, 0.4, kNone, 1, 2}, 0.75, 0.75, 0.3, 0.3},
      {"clay su 2", 1, 1, 0, false, 0.0, {2, 0.8, 32, 2.0, 1.0, kNone, 1, 2}, 1.0, 1.0, 0.5, 0.5},
      {"clay su 0.3", 1, 1, 0, false, 0.0, {2, 0.8, 32, 0.3, 0.2, kNone, 1, 2}, 0.3, 0.3, 0.2, 0.2},
      {"SI clay su 48", 2, 1, 0, false, 0.0, {2, 0.8, 32, 48, 20, kNone, 1, 2}, 36.0, 36.0, 15.0, 15.0},
      {"SI clay su 80", 2, 1, 0, false, 0.0, {2, 0.8, 32, 80, 20, kNone, 1, 2}, 40.0, 40.0, 10.0, 10.0},
      {"silt", 1, 1, 0, false, 0.0, {3, 1.0, 30, 1.0, 0.5, kNone, 1, 2}, 1.1642134, 1.5784268, 0.375, 0.375},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = layered_pile({c.layer}, 0.0);
    m->unit_system = c.units;
    m->pile_type = c.pile_type;
    m->loading_type = c.loading;
    m->method_selected[kSelApi] = c.api_selected ? 1 : 0;
    m->batter_angle = c.batter;
    m->boundary_vertical_stress[1] = 50.0;
    m->boundary_vertical_stress[2] = 60.0;
    run_usace(*m);
    EXPECT_NEAR(m->boundary_side_friction[1], c.top, 1e-6);
    EXPECT_NEAR(m->boundary_side_friction[2], c.bottom, 1e-6);
    EXPECT_NEAR(m->boundary_unit_friction(1, kCodeUsace), c.inside_top, 1e-6);
    EXPECT_NEAR(m->boundary_unit_friction(2, kCodeUsace), c.inside_bottom, 1e-6);
  }
}

TEST(UsaceCriticalDepth, FirstSandOrSiltLayerBeyondTheStress) {
  struct Case {
    const char* what;
    int units, option;
    double types[3];
    double bottom_stress[3];
    double depth;  // critical_depth after the routine (5 on entry)
  };
  // Layer bottoms at 1, 2 and 3; the plain bottom stresses are compared,
  // with 3.5 ksf or 168 kPa, layer 1 included, clay never.
  const Case cases[] = {
      {"layer 1 sand", 1, 1, {1, 1, 1}, {3.6, 4.0, 5.0}, 1.0},
      {"clay skipped", 1, 1, {2, 1, 1}, {3.6, 4.0, 5.0}, 2.0},
      {"silt counts", 1, 1, {2, 3, 1}, {3.6, 4.0, 5.0}, 2.0},
      {"exactly 3.5 does not", 1, 1, {1, 1, 1}, {3.0, 3.5, 3.6}, 3.0},
      {"never reached", 1, 1, {1, 1, 1}, {1.0, 2.0, 3.0}, 0.0},
      {"SI 168 does not", 2, 1, {1, 1, 1}, {167.9, 168.0, 168.1}, 3.0},
      {"other options keep it", 1, 2, {1, 1, 1}, {3.6, 4.0, 5.0}, 5.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Layer> layers;
    for (int j = 0; j < 3; ++j) layers.push_back({c.types[j], 1.0, 30, 1.0, 1.0, kNone, 0.0, c.bottom_stress[j]});
    auto m = layered_pile(layers, 2.0);
    m->unit_system = c.units;
    m->critical_depth_option = c.option;
    m->critical_depth = 5.0;
    for (int k = 1; k <= 6; ++k) m->boundary_vertical_stress_usace[k] = 0.5;
    run_usace(*m);
    EXPECT_EQ(m->critical_depth, c.depth);
  }
}

// Four sand layers, pipe pile, phi 40: delta 30, tan 0.5773500, K 1;
// stresses 0.2/0.5, 0.5/1.0, 1.0/1.5, 1.5/2.0. Points at 0, 1, 2 and 3 ft
// read 0.1154700, 0.2886750, 0.5773500, 0.8660250; limits (layer beginning
// at each point) 0.1, 0.25, 1.0, 0.8. With s x 0.5 x 1 x 3.14159:
//  seg 2: raw (0.1154700 + 0.2886750) 1.570795 = 0.6348292 (point 1 not
//    limited) > cap 0.35 x 1.570795 = 0.5497782: the cap; point 2 -> 0.25
//  seg 3: raw (0.25 + 0.5773500) 1.570795 = 1.2995973 (point 2 limited),
//    cap 1.9634938
//  seg 4: (0.5773500 + 0.8660250) 1.570795 = 2.2672463, cap 2.827431;
//    point 4 -> 0.8
//  skin 0, 0.5497782, 1.8493755, 4.1166218
// Tension 0.5 (points 2 .. 4 only): 0.1154700, 0.1443375, 0.2886750,
// 0.4330125, segments 0.4081043, 0.6801739, 1.1336232 (none at its cap).
std::unique_ptr<AnalysisModel> usace_sand_pile() {
  return layered_pile({{1, 1.0, 40, 0, 0, 0.1, 0.2, 0.5},
               {1, 1.0, 40, 0, 0, 0.25, 0.5, 1.0},
               {1, 1.0, 40, 0, 0, 1.0, 1.0, 1.5},
               {1, 1.0, 40, 0, 0, 0.8, 1.5, 2.0}},
              3.0);
}

TEST(UsacePile, SegmentsUseThePointAboveAsAlreadyLimited) {
  struct Case {
    int loading;
    double unit[4], segment[4], skin[4];
  };
  const Case cases[] = {
      {0,
       {0.1154700, 0.25, 0.5773500, 0.8},
       {0.0, 0.5497782, 1.2995973, 2.2672463},
       {0.0, 0.5497782, 1.8493755, 4.1166218}},
      {1,
       {0.1154700, 0.1443375, 0.2886750, 0.4330125},
       {0.0, 0.4081043, 0.6801739, 1.1336232},
       {0.0, 0.4081043, 1.0882782, 2.2219014}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loading);
    auto m = usace_sand_pile();
    m->loading_type = c.loading;
    m->tension_reduction_factor = 0.5;
    m->penetration_step = 0.9;  // depths read as entered, rewritten vertical
    run_usace(*m);
    for (int k = 1; k <= 4; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[i], 1e-6);
      EXPECT_NEAR(m->segment_friction[k], c.segment[i], 1e-6);
      EXPECT_NEAR(m->skin_friction[k], c.skin[i], 1e-6);
      EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.9);
    }
    EXPECT_NEAR(m->method_skin_friction(4, kCodeUsace), c.skin[3], 1e-6);
    EXPECT_NEAR(m->segment_friction_cap[3], 1.9634938, 1e-6);
    EXPECT_EQ(m->penetration_max_unit_friction[2], 0.25);
  }
}

TEST(UsacePile, ZeroFrictionLengthAndNoDefaultLimit) {
  // Zero-friction length 1.5 ft: points 1 and 2 carry nothing. A maximum
  // of 9999 is taken as it stands (no default from phi).
  auto m = usace_sand_pile();
  m->zero_friction_length = 1.5;
  m->layer_max_unit_friction[3] = 9999.0;
  run_usace(*m);
  EXPECT_EQ(m->penetration_unit_friction[1], 0.0);
  EXPECT_EQ(m->penetration_unit_friction[2], 0.0);
  EXPECT_NEAR(m->penetration_unit_friction[3], 0.5773500, 1e-6);
  EXPECT_EQ(m->penetration_max_unit_friction[3], 9999.0);
  EXPECT_EQ(m->layer_max_unit_friction[3], 9999.0);
}

// ---- Revised Lambda --------------------------------------------------------

TEST(LambdaFactor, VerificationTable) {
  struct Case {
    double pi, mean_strength, mean_stress, lambda;
  };
  // NC clay, ratio 0.3, Pi 100: 0.178 - 0.016 x 4.6051702 = 0.1043173 -> 0.14
  // OC clay, ratio 0.5, Pi 10: 0.232 - 0.032 x 2.3025851 = 0.1583173
  // ratio 0.1, Pi 0.5: 0.178 + 0.016 x 0.6931472 = 0.1890904
  // ratio exactly 0.4 at Pi 1: 0.232; just below: 0.178
  // Pi 0: 0; a negative Pi counts as 0; no mean stress with strength: OC.
  const Case cases[] = {
      {100.0, 0.3, 1.0, 0.14},  {10.0, 0.5, 1.0, 0.1583173}, {0.5, 0.1, 1.0, 0.1890904},
      {1.0, 0.4, 1.0, 0.232},   {1.0, 0.39999, 1.0, 0.178},  {0.0, 1.0, 1.0, 0.0},
      {-2.0, -1.0, 1.0, 0.0},   {1.0, 1.0, 0.0, 0.232},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "Pi " << c.pi << " ratio " << c.mean_strength);
    EXPECT_NEAR(lambda_factor(c.pi, c.mean_strength, c.mean_stress), c.lambda, 1e-7);
  }
}

TEST(LambdaCompressibility, AreaFromDiametersOrTheUserTipArea) {
  struct Case {
    int units;
    double d, di, e, tip_area, h, s_m, pi;
  };
  // English: A = 0.785398 (144 - 121) = 18.064154 in2;
  //   Pi = 3141.59 x 12 x 100 x 1 / (0.1 x 29e6 x 18.064154) = 0.0719640
  //   user tip area 1 ft2 = 144 in2: 3769908 / 417600000 = 0.0090276
  //   a tip area of exactly 1e-4 is not taken
  // SI: A = 0.785398 x 600^2 = 282743.28 mm2;
  //   Pi = 3141590.12 x 600 x 100 x 50 / (2.54 x 2e8 x 282743.28) = 0.0656168
  //   user 0.2 m2 = 200000 mm2: 0.0927635
  // Pipe with Di = D: no area, E A floored; Pi huge, lambda 0.14.
  const Case cases[] = {
      {1, 12.0, 11.0, 29.0e6, 0.0, 10.0, 1.0, 0.0719640},
      {1, 12.0, 11.0, 29.0e6, 1.0, 10.0, 1.0, 0.0090276},
      {1, 12.0, 11.0, 29.0e6, 1.0e-4, 10.0, 1.0, 0.0719640},
      {2, 600.0, 0.0, 2.0e8, 0.0, 10.0, 50.0, 0.0656168},
      {2, 600.0, 0.0, 2.0e8, 0.2, 10.0, 50.0, 0.0927635},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "units " << c.units << " tip " << c.tip_area);
    AnalysisModel m;
    m.unit_system = c.units;
    m.pile_diameter = c.d;
    m.pile_inner_diameter = c.di;
    m.modulus_of_elasticity = c.e;
    m.tip_area_user = c.tip_area;
    EXPECT_NEAR(relative_compressibility(m, c.h, c.s_m), c.pi, 1e-7);
  }
  AnalysisModel open;
  open.unit_system = 1;
  open.pile_diameter = open.pile_inner_diameter = 12.0;
  open.modulus_of_elasticity = 29.0e6;
  const double pi = relative_compressibility(open, 10.0, 1.0);
  EXPECT_GT(pi, 1.0e10);
  EXPECT_EQ(lambda_factor(pi, 1.0, 1.0), 0.14);
}

// Clay su 1 ksf, effective unit weight 100 pcf (stress 0.1 ksf per 1 ft
// layer), solid 12 in pile (A = 113.097312 in2), E 3e6 psi:
// Pi = 3141.59 x 12 x H^2 x s_m / (0.1 x 3e6 x 113.097312), s_m = 1,
// ratio s_m / sigma'm >= 0.4 everywhere: lambda = 0.232 - 0.032 ln Pi;
// Q = lambda (sigma'm + 2) 3.14159 H.
//  H 0: Q 0 (Pi 0, lambda 0)
//  H 1 (layer 1): sigma'm (0.1 + 0) / 2 = 0.05, Pi 0.0011111, lambda
//    0.4496767, Q 2.8960343, u = Q / 3.14159 = 0.9218371
//  H 2 (layer 2, sumA 0.05, L 1): sigma'm ((0.2 + 0.1) 0.5 + 0.05) / 2 =
//    0.1, s_m (1 + 1) / 2 = 1, Pi 0.0044444, lambda 0.4053152, Q 5.3480040
//  H 3: sigma'm 0.15, lambda 0.3793655, Q 7.6871794
//  H 4: sigma'm 0.2, lambda 0.3609538, Q 9.9789262
// Without a limit the cumulative skin friction is Q and the unit friction
// the increase over 3.14159: 0.7804868, 0.7445833, 0.7294863.
std::unique_ptr<AnalysisModel> lambda_clay_pile() {
  std::vector<Layer> layers;
  for (int i = 0; i < 6; ++i) layers.push_back({2, 0.0, 0, 1.0, 0.5, kNone, 0.1 * i, 0.1 * (i + 1)});
  return layered_pile(layers, 4.0);
}

// LRFD factors on unit friction 1, 0.5, 0.8, 0.9 and 0.6 at points 1 .. 5.
void lrfd_by_point(AnalysisModel& m) {
  const double f[] = {1.0, 0.5, 0.8, 0.9, 0.6};
  for (int j = 1; j <= 5; ++j) m.layer_lrfd_friction[j] = f[j - 1];
}

TEST(LambdaPile, VerificationTable) {
  struct Case {
    const char* what;
    void (*change)(AnalysisModel&);
    double skin[5];  // C(k), factored where the LRFD factors are not 1
    double unit[5];
    double column[5];  // the method's column of method_skin_friction
  };
  const Case cases[] = {
      {"compression", [](AnalysisModel&) {},
       {0.0, 2.8960343, 5.3480040, 7.6871794, 9.9789262},
       {0.0, 0.9218371, 0.7804868, 0.7445833, 0.7294863},
       {0.0, 2.8960343, 5.3480040, 7.6871794, 9.9789262}},
      // Layer 3 limited to 0.5: C(3) = 2.8960343 + 0.5 x 3.14159 = 4.4668293;
      // point 4 makes it up: u = (7.6871794 - 4.4668293) / 3.14159 = 1.0250701.
      {"limit at point 3", [](AnalysisModel& m) { m.layer_max_unit_friction[3] = 0.5; },
       {0.0, 2.8960343, 4.4668293, 7.6871794, 9.9789262},
       {0.0, 0.9218371, 0.5, 1.0250701, 0.7294863},
       {0.0, 2.8960343, 4.4668293, 7.6871794, 9.9789262}},
      // Tension 0.7: u from the stored (reduced) C(k-1), C(k) = 0.7 Q(k);
      // unit friction (C(k) - C(k-1)) / 3.14159.
      {"tension", [](AnalysisModel& m) { m.loading_type = 1; m.tension_reduction_factor = 0.7; },
       {0.0, 2.0272240, 3.7436028, 5.3810256, 6.9852484},
       {0.0, 0.6452860, 0.5463408, 0.5212083, 0.5106404},
       {0.0, 2.0272240, 3.7436028, 5.3810256, 6.9852484}},
      // LRFD 1, 0.5, 0.8, 0.9, 0.6 by point, option 0: the column keeps C.
      // 2.8960343 x 0.5 = 1.4480172; + 2.4519697 x 0.8 = 3.4095929;
      // + 2.3391754 x 0.9 = 5.5148507; + 2.2917469 x 0.6 = 6.8898989.
      {"LRFD", lrfd_by_point,
       {0.0, 1.4480172, 3.4095929, 5.5148507, 6.8898989},
       {0.0, 0.9218371, 0.7804868, 0.7445833, 0.7294863},
       {0.0, 2.8960343, 5.3480040, 7.6871794, 9.9789262}},
      {"LRFD option 1", [](AnalysisModel& m) { lrfd_by_point(m); m.reduced_friction_option = 1; },
       {0.0, 1.4480172, 3.4095929, 5.5148507, 6.8898989},
       {0.0, 0.9218371, 0.7804868, 0.7445833, 0.7294863},
       {0.0, 1.4480172, 3.4095929, 5.5148507, 6.8898989}},
      // Zero-friction length 1 ft: layer 1 (bottom within 1e-6) has no
      // strength. H 1: s_m 0, lambda 0. H 2: s_m (1 + 0) / 2 = 0.5, sigma'm
      // 0.1, Pi 0.0022222, lambda 0.4274959, Q 0.4274959 x 1.1 x 3.14159 x 2
      // = 2.9546374; H 3: s_m 2/3, Q 5.4849477; H 4: s_m 0.75, Q 7.9076508.
      {"zero-friction length", [](AnalysisModel& m) { m.zero_friction_length = 1.0; },
       {0.0, 0.0, 2.9546374, 5.4849477, 7.9076508},
       {0.0, 0.0, 0.9404911, 0.8054235, 0.7711710},
       {0.0, 0.0, 2.9546374, 5.4849477, 7.9076508}},
      // Layer 1 su 5 over layers of no strength and no weight (stress 0.1):
      // H 1: sigma'm 0.05, s_m 5, Pi 0.0055556, lambda 0.3981746, Q
      // 12.5715597, u 4.0016551. H 2: s_m 2.5, sigma'm 0.075, lambda
      // 0.3759939, Q 11.9893705 < C(2): u below 1e-7 takes 4.0016551, and so
      // on: C grows by 12.5715597 a point.
      {"total falls", [](AnalysisModel& m) {
         m.layer_su_undisturbed[1] = 5.0;
         for (int j = 2; j <= 6; ++j) {
           m.layer_su_undisturbed[j] = 0.0;
           m.boundary_vertical_stress[2 * j - 1] = m.boundary_vertical_stress[2 * j] = 0.1;
         }
       },
       {0.0, 12.5715597, 25.1431195, 37.7146792, 50.2862389},
       {0.0, 4.0016551, 4.0016551, 4.0016551, 4.0016551},
       {0.0, 12.5715597, 25.1431195, 37.7146792, 50.2862389}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = lambda_clay_pile();
    m->penetration_step = 0.9;
    c.change(*m);
    run_lambda(*m);
    for (int k = 1; k <= 5; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      EXPECT_NEAR(m->skin_friction[k], c.skin[i], 1e-6);
      EXPECT_NEAR(m->factored_skin_friction[k], c.skin[i], 1e-6);
      EXPECT_NEAR(m->penetration_unit_friction[k], c.unit[i], 1e-6);
      EXPECT_NEAR(m->method_skin_friction(k, kCodeLambda), c.column[i], 1e-6);
      EXPECT_DOUBLE_EQ(m->penetration_depth[k], (k - 1) * 0.9);
    }
  }
}

TEST(LambdaPile, SandStrengthWithKZeroTakenAsOne) {
  // Sand phi 30, K 0 -> 1 (kept in the model), stresses 0.1 per layer:
  // s(1) = 1 x 0.5 x 0.1 x tan 30 = 0.0288675, s(2) = 0.0866025 ...
  // H 1: Pi = 37699.08 x 0.0288675 / 33929193.6 = 3.2075e-5, ratio 0.577:
  // lambda 0.232 - 0.032 ln Pi = 0.5631179, Q = lambda (0.05 + 0.0577350)
  // 3.14159 = 0.1905924. H 2: s_m (0.0866025 + 0.0288675) / 2 = 0.0577350,
  // lambda 0.4965758, Q 0.6722826. H 3: s_m 0.0866025, Q 1.3940661.
  std::vector<Layer> layers;
  for (int i = 0; i < 5; ++i) layers.push_back({1, 0.0, 30, 0, 0, kNone, 0.1 * i, 0.1 * (i + 1)});
  auto m = layered_pile(layers, 3.0);
  run_lambda(*m);
  EXPECT_EQ(m->layer_K[1], 1.0);
  EXPECT_EQ(m->layer_K[5], 1.0);
  const double skin[] = {0.0, 0.1905924, 0.6722826, 1.3940661};
  for (int k = 1; k <= 4; ++k) EXPECT_NEAR(m->skin_friction[k], skin[k - 1], 1e-6) << k;
  // Limit and segment cap by point: the layer beginning there.
  EXPECT_EQ(m->penetration_max_unit_friction[2], kNone);
  EXPECT_NEAR(m->segment_friction_cap[2], kNone * 3.14159, 1e-3);
}

// ---- Whole runs -------------------------------------------------------------

using testing::InputText;
using testing::ScratchDir;

// A silt, clay and sand profile (English, psf) under the default pipe,
// with a maximum unit friction at every point (the layers of a battered
// pile take values interpolated between the points).
InputText layered_input() {
  InputText t;
  t.r4 = "1 5 4 0";
  t.r8 = "0 1 1 0 0 0 0 0 0";
  t.soil = {"0.0 3.0 0.8 110.0 28.0 0.0",  "1000 0 800 400 0 0 0 0 0 1 1 0",
            "20.0 2.0 0.0 60.0 0.0 0.0",   "1500 0 1500 800 0 0 0 0 0 0.9 1 0",
            "40.0 1.0 0.0 60.0 34.0 0.0",  "2000 0 0 20 0 0 0 0 0 1 1 0",
            "80.0 1.0 0.8 65.0 36.0 0.0",  "2400 0 0 25 0 0 0 0 0 1 1 0"};
  return t;
}

// The SI form: 0.6 m pipe, 20 m long, 30 m of soil (kPa).
InputText layered_si_input() {
  InputText t = layered_input();
  t.r4 = "2 5 4 0";
  t.r5 = "0.0 0.0 600.0 560.0 200000000.0 20.0 0.5";
  t.r7 = "0.0 0.5 1 0.0 2 0 0";
  t.r9 = "30.0 0.0";
  t.soil = {"0.0 3.0 0.8 17.0 28.0 0.0",  "50 0 40 20 0 0 0 0 0 1 1 0",
            "6.0 2.0 0.0 9.0 0.0 0.0",    "70 0 70 35 0 0 0 0 0 1 1 0",
            "12.0 1.0 0.0 9.0 34.0 0.0",  "95 0 0 20 0 0 0 0 0 1 1 0",
            "30.0 1.0 0.8 10.0 36.0 0.0", "115 0 0 25 0 0 0 0 0 1 1 0"};
  return t;
}

TEST(UsaceLambdaRun, EachChosenForLoadTransfer) {
  struct Variant {
    const char* what;
    InputText input;
  };
  std::vector<Variant> variants;
  for (const char* ltm : {"2", "3"}) {
    InputText e = layered_input();
    e.r7 = std::string("0.0 1.0 1 0.0 ") + ltm + " 0 1";
    variants.push_back({"English", e});
    InputText t = e;  // battered, tension, critical depth by stress
    t.r6 = "0.0 0.0 10.0";
    t.r12 = "1 0.7";
    t.r15 = "1 0.0";
    variants.push_back({"English battered tension", t});
    InputText s = layered_si_input();
    s.r7 = std::string("0.0 0.5 1 0.0 ") + ltm + " 0 0";
    s.r15 = "2 8.0";
    variants.push_back({"SI", s});
  }
  const std::string stars(22, '*');
  const std::regex garbage("nan|inf|\\*\\*", std::regex::icase);
  for (const Variant& v : variants) {
    SCOPED_TRACE(std::string(v.what) + ", load transfer by " + v.input.r7);
    ScratchDir dir;
    const testing::RunOutcome o = testing::run_input(dir, v.input.str());
    ASSERT_EQ(o.result.code(), 0) << o.result.message;
    for (const char* title : {"* ARMY CORPS METHOD  *", "*  LAMBDA 2 METHOD   *"}) {
      SCOPED_TRACE(title);
      const auto table = testing::table_lines(o.report, title);
      ASSERT_GE(table.size(), 7u);
      EXPECT_EQ(table[0], std::string(28, ' ') + title);
      // The stars above and below the title.
      EXPECT_NE(o.report.find(std::string(28, ' ') + stars + "\n" + std::string(28, ' ') + title +
                              "\n" + std::string(28, ' ') + stars + "\n"),
                std::string::npos);
      for (std::size_t k = 6; k < table.size(); ++k) {
        EXPECT_FALSE(std::regex_search(table[k], garbage)) << table[k];
      }
    }
    EXPECT_FALSE(std::regex_search(o.plot, std::regex("nan|inf|\\*", std::regex::icase)));
    int tables = 0;
    std::istringstream(o.plot) >> tables;
    EXPECT_EQ(tables, 2) << o.plot.substr(0, 40);
    EXPECT_EQ(o.report.find("not built"), std::string::npos);
  }
}

}  // namespace
}  // namespace zolan
