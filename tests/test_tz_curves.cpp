// Load-transfer curves: the t-z shapes and tip curves of both families, the
// ultimate unit friction lookup, the report curves and the computation
// curves with the soil of their own depth.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "settlement/tz_curves.hpp"
#include "soil_profile.hpp"

namespace zolan {
namespace {

std::unique_ptr<AnalysisModel> model(int unit_system, int method) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = unit_system;
  m->load_transfer_method = method;
  return m;
}

// One expected curve point: point number, movement, transfer.
struct PointCase {
  const char* name;
  int unit_system;
  int method;
  int flag;
  double diameter;  // in or mm
  double tmax;      // psi or kPa
  double phi;
  int point;
  double movement;
  double transfer;
};

TEST(TzShapes, PointsOfEachShapeAndFamily) {
  const PointCase cases[] = {
      // Standard sand: z fixed in inches, t = ratio x tmax.
      {"std sand E p4", 1, kSelApi, 1, 24.0, 10.0, 30.0, 4, 0.04, 4.0},
      {"std sand E p10", 1, kSelApi, 1, 24.0, 10.0, 30.0, 10, 2.0, 10.0},
      // SI: 0.04 in / 39.37 = 1.01600e-3 m.
      {"std sand SI p4", 2, kSelFhwa, 1, 600.0, 50.0, 30.0, 4, 0.04 / 39.37, 20.0},
      // USACE sand, phi 30: k = 6000 + 1333.3 x 2 = 8666.6, C tmax = 144 x 5
      // = 720; t2 = 0.01 / (0.01 / 720 + 1 / 8666.6) / 144 = 0.5371864;
      // t10 = 10 / (10 / 720 + 1 / 8666.6) / 144 = 4.9588035.
      {"usace sand E p2", 1, kSelUsace, 1, 24.0, 5.0, 30.0, 2, 0.01, 0.537186394368921},
      {"usace sand E p10", 1, kSelUsace, 1, 24.0, 5.0, 30.0, 10, 10.0, 4.958803469663334},
      // SI, phi 40: k = 18000, C tmax = 20.89 x 50 = 1044.5;
      // t9 = 0.5 / (0.5 / 1044.5 + 1 / 18000) / 20.89 = 44.800637 at 0.5 / 39.37 m.
      {"usace sand SI p9", 2, kSelUsace, 1, 600.0, 50.0, 40.0, 9, 0.5 / 39.37,
       44.800637164617456},
      // USACE sand without friction: a flat curve.
      {"usace sand tmax 0", 1, kSelUsace, 1, 24.0, 0.0, 30.0, 10, 10.0, 0.0},
      {"usace sand tmax <0", 1, kSelUsace, 1, 24.0, -3.0, 30.0, 5, 0.06, 0.0},
      // Standard clay: z = ratio x D (24 in; 0.6 m), peak 1.0 at 0.01 D.
      {"std clay E p6", 1, kSelApi, 2, 24.0, 8.0, 0.0, 6, 0.24, 8.0},
      {"std clay E p7", 1, kSelApi, 2, 24.0, 8.0, 0.0, 7, 0.48, 7.2},
      {"std clay E p10", 1, kSelApi, 2, 24.0, 8.0, 0.0, 10, 4.8, 7.2},
      {"std clay SI p2", 2, kSelLambda, 2, 600.0, 40.0, 0.0, 2, 0.00096, 12.0},
      // USACE clay: peak at 0.08 in, 0.93 tmax from 0.16 in.
      {"usace clay E p6", 1, kSelUsace, 2, 24.0, 8.0, 0.0, 6, 0.08, 8.0},
      {"usace clay E p10", 1, kSelUsace, 2, 24.0, 8.0, 0.0, 10, 10.0, 7.44},
      {"usace clay SI p6", 2, kSelUsace, 2, 600.0, 40.0, 0.0, 6, 0.08 / 39.37, 40.0},
  };
  for (const PointCase& c : cases) {
    auto m = model(c.unit_system, c.method);
    m->pile_diameter = c.diameter;
    TzCurve curve;
    curve.curve_soil_flag = c.flag;
    curve.curve_ultimate_friction = c.tmax;
    curve.curve_friction_angle = c.phi;
    build_tz_curve(curve, c.method, working_units(*m));
    EXPECT_EQ(curve.curve_point_count, 10) << c.name;
    EXPECT_EQ(curve.curve_movement[1], 0.0) << c.name;
    EXPECT_EQ(curve.curve_transfer[1], 0.0) << c.name;
    EXPECT_NEAR(curve.curve_movement[c.point], c.movement, 1e-12) << c.name;
    EXPECT_NEAR(curve.curve_transfer[c.point], c.transfer, 1e-9) << c.name;
  }
}

TEST(TzShapes, UsaceSandStiffnessRangesTakeTheirUpperBound) {
  const struct {
    double phi, k;
  } cases[] = {{20.0, 6000.0},     {28.0, 6000.0},  {28.5, 6666.65},  {31.0, 9999.9},
               {31.5, 10000.0},    {32.0, 10000.0}, {34.0, 12666.6},  {34.5, 14000.0},
               {35.0, 14000.0},    {38.0, 17999.9}, {38.01, 18000.0}, {45.0, 18000.0}};
  for (const auto& c : cases) EXPECT_NEAR(usace_sand_stiffness(c.phi), c.k, 1e-9) << c.phi;
}

TEST(TzShapes, CurveEvaluationHoldsTheEndTransfers) {
  TzCurve c;
  c.curve_point_count = 3;
  c.curve_movement[1] = 0.0;
  c.curve_movement[2] = 0.1;
  c.curve_movement[3] = 0.5;
  c.curve_transfer[1] = 1.0;
  c.curve_transfer[2] = 3.0;
  c.curve_transfer[3] = 2.0;
  EXPECT_EQ(curve_transfer_at(c, -0.2), 1.0);  // below the first point
  EXPECT_NEAR(curve_transfer_at(c, 0.05), 2.0, 1e-12);
  EXPECT_NEAR(curve_transfer_at(c, 0.3), 2.5, 1e-12);
  EXPECT_EQ(curve_transfer_at(c, 7.0), 2.0);  // beyond the last point
}

// A model with the tip at 60 ft and Qp = 100 kips (or kN) at npen 3.
std::unique_ptr<AnalysisModel> tip_model(int unit_system, int method, double tip_type) {
  auto m = model(unit_system, method);
  m->pile_diameter = unit_system == 1 ? 24.0 : 600.0;
  m->pile_length = 60.0;
  m->npen = 3;
  m->settlement_end_bearing[3] = 100.0;
  m->settlement_segment_count = 3;
  testing::set_soil_profile(*m, {{0.0, 2.0}, {60.0, tip_type}, {80.0, 2.0}});
  m->layer_count = 3;
  return m;
}

TEST(TipCurves, StandardFamilyScalesByDiameterAndQp) {
  // English: point 5 at 0.013 x 24 = 0.312 in, 0.5 x 100000 lb.
  auto e = tip_model(1, kSelApi, 1.0);
  build_tip_curve(*e, working_units(*e));
  EXPECT_NEAR(e->tip_movement[5], 0.312, 1e-12);
  EXPECT_NEAR(e->tip_load[5], 50000.0, 1e-9);
  EXPECT_EQ(e->tip_load[1], 0.0);
  // SI: D = 0.6 m, point 8 at 0.06 m carries Qp = 100 kN.
  auto s = tip_model(2, kSelApi, 1.0);
  build_tip_curve(*s, working_units(*s));
  EXPECT_NEAR(s->tip_movement[8], 0.06, 1e-12);
  EXPECT_NEAR(s->tip_load[8], 100.0, 1e-12);
}

TEST(TipCurves, UsaceSandBySoilAngleAndCriticalMovement) {
  struct Case {
    const char* name;
    double tip_type;
    double critical;  // layer_tip_movement at the tip layer
    double phi;       // angle of curve N - 1 = 2
    int point;
    double load;
  };
  const Case cases[] = {
      // wc = 0.05 x 24 = 1.2 in, n = 0.5: 2 in -> 100000 sqrt(2 / 1.2) = 129099.44
      // (beyond Qp, not capped); 0.05 in -> 100000 sqrt(0.05 / 1.2) = 20412.41.
      {"sand n 0.5", 1.0, 0.0, 30.0, 10, 129099.44487358056},
      {"sand n 0.5", 1.0, 0.0, 31.0, 5, 20412.41452319315},
      // wc = 0.5 given: 1 in -> 100000 x 2^0.333 = 125962.998; silt alike.
      {"sand n 0.333", 1.0, 0.5, 31.5, 9, 125962.99799473994},
      {"silt n 0.333", 3.0, 0.5, 38.0, 9, 125962.99799473994},
      // 100000 x 2^0.25 = 118920.71.
      {"sand n 0.25", 1.0, 0.5, 38.5, 9, 118920.7115002721},
      // Clay: min(Qp, 0.5 Qp sqrt(0.01) / sqrt(2 x 0.005 x 24)) = 0.1020621 Qp;
      // at 2 in the formula gives 1.44 Qp and is capped.
      {"clay", 2.0, 0.5, 40.0, 4, 10206.207261596577},
      {"clay cap", 2.0, 0.5, 40.0, 10, 100000.0},
  };
  for (const Case& c : cases) {
    auto m = tip_model(1, kSelUsace, c.tip_type);
    m->layer_tip_movement[3] = c.critical;
    m->tz_curves[2].curve_friction_angle = c.phi;
    build_tip_curve(*m, working_units(*m));
    EXPECT_EQ(m->tip_load[1], 0.0) << c.name;
    EXPECT_EQ(m->tip_movement[1], 0.0) << c.name;
    EXPECT_NEAR(m->tip_load[c.point], c.load, 1e-6) << c.name;
  }
}

TEST(TipCurves, UsaceSiAndTipSoilBelowTheProfile) {
  // SI clay tip, D = 0.6 m, point 5 at 0.05 / 39.37 m:
  // 0.5 x 100 x sqrt(0.00127) / sqrt(0.006) = 23.0036 kN.
  auto m = tip_model(2, kSelUsace, 2.0);
  build_tip_curve(*m, working_units(*m));
  EXPECT_NEAR(m->tip_movement[5], 0.05 / 39.37, 1e-15);
  EXPECT_NEAR(m->tip_load[5], 23.003645906727846, 1e-9);

  // Tip below every profile point: the last point's type (sand), angle 0
  // (n = 0.5), wc = 0.05 x 0.6 = 0.03 m: 100 x sqrt(0.0254 / 0.03) = 92.01449.
  m->pile_length = 90.0;
  m->soil_table(3, kColSoilType) = 1.0;
  EXPECT_EQ(tip_soil_type(*m), 1.0);
  build_tip_curve(*m, working_units(*m));
  EXPECT_NEAR(m->tip_load[9], 100.0 * std::sqrt((1.0 / 39.37) / 0.03), 1e-9);
}

// Penetration depths 0, 1, 2, 3 ft with 0, 0.144, 0.288, 0.576 ksf = 0, 1,
// 2 and 4 psi.
TEST(UltimateFriction, AtAndBetweenGridDepths) {
  auto m = model(1, kSelApi);
  m->npen = 4;
  const double ksf[] = {0.0, 0.144, 0.288, 0.576};
  for (int i = 1; i <= 4; ++i) {
    m->penetration_depth[i] = i - 1.0;
    m->settlement_unit_friction[i] = ksf[i - 1];
  }
  const WorkingUnits u = working_units(*m);
  const struct {
    double inches, psi;
  } cases[] = {{-6.0, 0.0}, {0.0, 0.0}, {12.0, 1.0}, {18.0, 1.5},
               {30.0, 3.0}, {36.0, 4.0}, {100.0, 4.0}};
  for (const auto& c : cases) {
    EXPECT_NEAR(ultimate_unit_friction_at(*m, u, c.inches), c.psi, 1e-12) << c.inches;
  }
  m->npen = 0;
  EXPECT_EQ(ultimate_unit_friction_at(*m, u, 12.0), 0.0);
}

TEST(UltimateFriction, GridDepthGivesItsValueExactly) {
  // 0.7 + (0.1 - 0.7) x 1 is not 0.1 in floating point: the grid value
  // must be taken as it is.
  auto m = model(2, kSelApi);
  m->npen = 3;
  const double kpa[] = {0.7, 0.1, 0.5};
  for (int i = 1; i <= 3; ++i) {
    m->penetration_depth[i] = i - 1.0;
    m->settlement_unit_friction[i] = kpa[i - 1];
  }
  const WorkingUnits u = working_units(*m);
  EXPECT_EQ(ultimate_unit_friction_at(*m, u, 1.0), 0.1);
  EXPECT_NEAR(ultimate_unit_friction_at(*m, u, 1.25), 0.2, 1e-12);
}

// Profile: sand 30 deg at 0 ft, sand 34 at 10, clay at 10.05 (a layer too
// thin for curves) and clay at 20; unit friction 0.144 ksf = 1 psi.
std::unique_ptr<AnalysisModel> layered(int unit_system) {
  auto m = model(unit_system, kSelApi);
  m->pile_diameter = unit_system == 1 ? 24.0 : 600.0;
  testing::set_soil_profile(*m, {{0.0, 1.0, 30.0}, {10.0, 1.0, 34.0}, {10.05, 2.0}, {20.0, 2.0}});
  m->npen = 1;
  m->settlement_unit_friction[1] = 0.144;
  return m;
}

TEST(ReportCurves, ThreePerLayerThinLayerSkipped) {
  auto m = layered(1);
  EXPECT_EQ(build_report_curves(*m, working_units(*m)), 6);
  // English: top x 12, ((top x 12 + 1.1) + (bottom x 12 - 0.5)) / 2,
  // bottom x 12 - 0.5: 0, 60.3, 119.5, then 120.6, 180.6, 239.5.
  const double depth[] = {0.0, 60.3, 119.5, 120.6, 180.6, 239.5};
  const int flag[] = {1, 1, 1, 2, 2, 2};
  const double phi[] = {30.0, 32.0, 34.0, 0.0, 0.0, 0.0};
  for (int k = 1; k <= 6; ++k) {
    const TzCurve& c = m->tz_curves[k];
    EXPECT_NEAR(c.curve_depth, depth[k - 1], 1e-12) << k;
    EXPECT_EQ(c.curve_soil_flag, flag[k - 1]) << k;
    EXPECT_EQ(c.curve_friction_angle, phi[k - 1]) << k;
    EXPECT_NEAR(c.curve_ultimate_friction, 1.0, 1e-12) << k;
    EXPECT_EQ(c.curve_point_count, 10) << k;
  }
  // Clay curve: point 6 at 0.01 D = 0.24 in.
  EXPECT_NEAR(m->tz_curves[4].curve_movement[6], 0.24, 1e-12);

  // SI: 0, (0 + 0.1 + 10 - 0.1) / 2 = 5, 9.9.
  auto s = layered(2);
  build_report_curves(*s, working_units(*s));
  EXPECT_NEAR(s->tz_curves[2].curve_depth, 5.0, 1e-12);
  EXPECT_NEAR(s->tz_curves[3].curve_depth, 9.9, 1e-12);
}

TEST(ReportCurves, StickupCurvesBuiltButNotListed) {
  // Stickup 2 ft, batter 0: vertical stickup 24 in; stickup curves at 0, 12
  // and 23.9 in, flag 2 without friction; layer curves shifted by 24 in.
  auto m = layered(1);
  m->stickup = 2.0;
  ASSERT_EQ(build_report_curves(*m, working_units(*m)), 9);
  EXPECT_NEAR(m->tz_curves[2].curve_depth, 12.0, 1e-12);
  EXPECT_NEAR(m->tz_curves[3].curve_depth, 23.9, 1e-12);
  EXPECT_EQ(m->tz_curves[3].curve_ultimate_friction, 0.0);
  EXPECT_EQ(m->tz_curves[3].curve_soil_flag, 2);
  EXPECT_NEAR(m->tz_curves[5].curve_depth, 84.3, 1e-12);
  EXPECT_NEAR(m->tz_curves[5].curve_ultimate_friction, 1.0, 1e-12);

  std::ostringstream report, plot;
  RunOutput out;
  out.report.attach(&report);
  out.plot.attach(&plot);
  list_report_curves(*m, working_units(*m), out);
  std::istringstream lines(plot.str());
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "           6");
  // Listed curve 2 is stored curve 5: 84.3 / 12 - 2 = 5.025 ft below ground.
  for (int i = 0; i < 12; ++i) std::getline(lines, line);
  EXPECT_EQ(line, "            2         10      0.5025E+01");
  EXPECT_NE(report.str().find("        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   "
                              "PILE MOVEMENT\n           NO.      POINTS        FT.              "
                              "PSI             IN.\n\n"),
            std::string::npos);
}

TEST(ComputationCurves, SoilAndFrictionFromTheirOwnDepth) {
  // Sand 30 at 0, sand 40 at 10, clay 0 at 20; pile 20 ft, N = 5: s = 5 ft.
  auto m = model(1, kSelUsace);
  m->pile_diameter = 24.0;
  m->pile_length = 20.0;
  m->settlement_segment_count = 5;
  testing::set_soil_profile(*m, {{0.0, 1.0, 30.0}, {10.0, 1.0, 40.0}, {20.0, 2.0}});
  m->npen = 2;
  m->penetration_depth[2] = 20.0;
  m->settlement_unit_friction[1] = 0.0;
  m->settlement_unit_friction[2] = 0.576;  // 4 psi
  EXPECT_EQ(build_computation_curves(*m, working_units(*m)), 4);
  // Depth 10 lies on a point: the pair above (sand, 40 deg).
  const struct {
    double depth;
    int flag;
    double phi, tmax;
  } expected[] = {{0.0, 1, 30.0, 0.0},
                  {60.0, 1, 35.0, 1.0},
                  {120.0, 1, 40.0, 2.0},
                  {180.0, 2, 20.0, 3.0},
                  {240.0, 2, 0.0, 4.0}};
  for (int k = 1; k <= 5; ++k) {
    const TzCurve& c = m->tz_curves[k];
    EXPECT_NEAR(c.curve_depth, expected[k - 1].depth, 1e-9) << k;
    EXPECT_EQ(c.curve_soil_flag, expected[k - 1].flag) << k;
    EXPECT_NEAR(c.curve_friction_angle, expected[k - 1].phi, 1e-9) << k;
    EXPECT_NEAR(c.curve_ultimate_friction, expected[k - 1].tmax, 1e-9) << k;
  }
  // USACE clay shape at curve 4, USACE sand (phi 35, k 14000) at curve 2.
  EXPECT_NEAR(m->tz_curves[4].curve_transfer[10], 0.93 * 3.0, 1e-12);
  EXPECT_NEAR(m->tz_curves[2].curve_transfer[9], 0.5 / (0.5 / 144.0 + 1.0 / 14000.0) / 144.0,
              1e-12);
}

TEST(ComputationCurves, StickupBatterAndShortPiles) {
  // Stickup 1 ft, batter 60 deg (cos 0.5), pile 20 ft, N = 5:
  // s = 0.5 x 20 / 4 = 2.5 ft; depth (k - 1) x 2.5 + 0.5 ft, x 12.
  auto m = layered(1);
  m->pile_length = 20.0;
  m->stickup = 1.0;
  m->batter_angle = std::acos(0.5);
  m->settlement_segment_count = 5;
  build_computation_curves(*m, working_units(*m));
  EXPECT_NEAR(m->tz_curves[1].curve_depth, 6.0, 1e-9);
  EXPECT_NEAR(m->tz_curves[3].curve_depth, 66.0, 1e-9);
  EXPECT_EQ(m->tz_curves[1].curve_ultimate_friction, 0.0);  // foot of the stickup
  EXPECT_NEAR(m->tz_curves[2].curve_ultimate_friction, 1.0, 1e-12);
  // 2.5 ft: sand pair, 30 + 4 x 0.25 = 31 deg.
  EXPECT_NEAR(m->tz_curves[2].curve_friction_angle, 31.0, 1e-9);

  // One segment: no curve for the solver, the one built at the surface.
  m->settlement_segment_count = 1;
  EXPECT_EQ(build_computation_curves(*m, working_units(*m)), 0);
  EXPECT_NEAR(m->tz_curves[1].curve_depth, 6.0, 1e-9);

  // A single soil point gives every curve its soil.
  m->soil_point_count = 1;
  m->settlement_segment_count = 3;
  build_computation_curves(*m, working_units(*m));
  EXPECT_EQ(m->tz_curves[3].curve_soil_flag, 1);
  EXPECT_EQ(m->tz_curves[3].curve_friction_angle, 30.0);
}

}  // namespace
}  // namespace zolan
