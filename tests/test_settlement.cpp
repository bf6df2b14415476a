// Load distribution and load-settlement solver, its report and plot
// layouts, and the verification t-z curve report.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "settlement/load_settlement.hpp"
#include "settlement/solver.hpp"
#include "soil_profile.hpp"

namespace zolan {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Capture {
  std::ostringstream report, plot;
  RunOutput out;
  Capture() {
    out.report.attach(&report);
    out.plot.attach(&plot);
  }
};

// A 10 ft pile without stickup, D = 12 in solid, E = 4e6 psi, in sand (30
// and 32 deg at 0 and 20 ft); five penetration points 2.5 ft apart with 0.1
// to 0.5 ksf, Qp = 20 kips. Uniform AE = f32(0.7854) x 144 x 4e6 =
// 452390384.674 lb.
std::unique_ptr<AnalysisModel> small_pile() {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->load_transfer_method = kSelApi;
  m->pile_length = 10.0;
  m->pile_diameter = 12.0;
  m->modulus_of_elasticity = 4.0e6;
  m->soil_point_count = 2;
  m->soil_point_depth[2] = 20.0;
  for (int i = 1; i <= 2; ++i) m->soil_table(i, kColSoilType) = 1.0;
  m->soil_table(1, kColFrictionAngle) = 30.0;
  m->soil_table(2, kColFrictionAngle) = 32.0;
  m->npen = 5;
  m->settlement_segment_count = 5;
  m->layer_count = 5;
  for (int i = 1; i <= 5; ++i) {
    m->penetration_depth[i] = (i - 1) * 2.5;
    m->settlement_unit_friction[i] = 0.1 * i;
  }
  m->settlement_end_bearing[5] = 20.0;
  return m;
}

constexpr double kSmallPileAe = 452390384.67407227;

TEST(SettlementSegment, OneSegmentIteratedByHand) {
  // Standard sand curve, tmax 1 psi; dz 100 in, D 10 in, AE 1e5 lb,
  // P_b 1000 lb, w_b 0.05 in, first guess 0.05 in. pi x D x dz uses
  // f32(3.1416) = 3.1415998935699463.
  //  pass 1: w_m 0.05 -> t 0.5 (between 0.04/0.4 and 0.06/0.6),
  //          dP 1570.8, P_t 2570.8,
  //          w_m' = 0.05 + ((1000 + 2570.8) x 0.5 + 1000) x 25 / 1e5 = 0.74635
  //  pass 2: w_m 0.74635 -> t 1.0, dP 3141.6, P_t 4141.6,
  //          w_m' = 0.05 + (2570.8 + 1000) x 25 / 1e5 = 0.9427 (moved 0.196)
  //  pass 3: w_m 0.9427 -> t 1.0, w_m' 0.9427 again: accepted.
  //  P_avg = 1000 + 1570.8 = 2570.8; w_t = 0.05 + 100 x 2570.8 / 1e5 = 2.6208.
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  TzCurve& c = m->tz_curves[1];
  c.curve_soil_flag = 1;
  c.curve_ultimate_friction = 1.0;
  build_tz_curve(c, kSelApi, working_units(*m));
  Segment s;
  s.length = 100.0;
  s.vertical_depth = 50.0;
  s.diameter = 10.0;
  s.axial_stiffness = 1.0e5;
  const SegmentResult r = settle_segment(*m, 1, s, 1000.0, 0.05, 0.05);
  EXPECT_EQ(r.passes, 3);
  EXPECT_NEAR(r.top_load, 4141.5998935699463, 1e-9);
  EXPECT_NEAR(r.average_load, 2570.7999467849731, 1e-9);
  EXPECT_NEAR(r.top_movement, 2.6207999467849731, 1e-12);
  EXPECT_NEAR(r.mid_movement, 0.94269998669624328, 1e-12);

  // Within the zero-friction length nothing is transferred:
  // w_m' = 0.05 + ((1000 + 1000) x 0.5 + 1000) x 25 / 1e5 = 0.55 (more than
  // 1e-4 from the guess; a second pass repeats it).
  s.transfers = false;
  const SegmentResult z = settle_segment(*m, 1, s, 1000.0, 0.05, 0.05);
  EXPECT_EQ(z.top_load, 1000.0);
  EXPECT_NEAR(z.top_movement, 0.05 + 100.0 * 1000.0 / 1.0e5, 1e-12);
  EXPECT_NEAR(z.mid_movement, 0.55, 1e-12);
  EXPECT_EQ(z.passes, 2);
}

TEST(SettlementSegment, IterationStopsAtTheCap) {
  // t = 1 up to 0.5 in, 0 from 0.6 in; dz = D = 1, AE = 0.3927: a pass with
  // t = 1 gives w_m' = (3.1416 x 0.5) x 0.25 / 0.3927 = 1.0 (t = 0 next), a
  // pass with t = 0 gives 0 (t = 1 next). Pass 1000 has t = 0.
  auto m = std::make_unique<AnalysisModel>();
  TzCurve& c = m->tz_curves[1];
  c.curve_point_count = 3;
  c.curve_movement[2] = 0.5;
  c.curve_movement[3] = 0.6;
  c.curve_transfer[1] = 1.0;
  c.curve_transfer[2] = 1.0;
  Segment s;
  s.length = 1.0;
  s.diameter = 1.0;
  s.vertical_depth = 1.0;
  s.axial_stiffness = 0.3927;
  const SegmentResult r = settle_segment(*m, 1, s, 0.0, 0.0, 0.0);
  EXPECT_EQ(r.passes, kMaxSegmentPasses);
  EXPECT_EQ(r.top_load, 0.0);
  EXPECT_EQ(r.mid_movement, 0.0);
  EXPECT_EQ(r.top_movement, 0.0);
}

TEST(SettlementSegment, TransferBetweenCurvesByDepth) {
  // Standard sand curves with tmax 1 at 12 in and 3 at 36 in, at w = 2 in
  // (fully mobilised): 18 in -> 1 + 2 x 6 / 24 = 1.5; on a curve its value;
  // below the deepest the deepest; above the first (stickup) none.
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  const double depth[] = {12.0, 36.0};
  const double tmax[] = {1.0, 3.0};
  for (int k = 1; k <= 2; ++k) {
    m->tz_curves[k].curve_depth = depth[k - 1];
    m->tz_curves[k].curve_soil_flag = 1;
    m->tz_curves[k].curve_ultimate_friction = tmax[k - 1];
    build_tz_curve(m->tz_curves[k], kSelApi, working_units(*m));
  }
  EXPECT_NEAR(unit_transfer_at(*m, 2, 18.0, 2.0), 1.5, 1e-12);
  EXPECT_EQ(unit_transfer_at(*m, 2, 12.0, 2.0), 1.0);
  EXPECT_EQ(unit_transfer_at(*m, 2, 40.0, 2.0), 3.0);
  EXPECT_EQ(unit_transfer_at(*m, 1, 40.0, 2.0), 1.0);  // only the first used
  EXPECT_EQ(unit_transfer_at(*m, 2, 6.0, 2.0), 0.0);
  EXPECT_EQ(unit_transfer_at(*m, 0, 18.0, 2.0), 0.0);
}

TEST(AxialStiffness, AreaTableAndUniformSection) {
  // Table (English): 0, 10, 20 ft with 10, 20, 40 in2, E = 1000 psi.
  auto m = small_pile();
  m->modulus_of_elasticity = 1000.0;
  m->area_option = 2;
  m->area_table_count = 3;
  const double distance[] = {0.0, 10.0, 20.0};
  const double area[] = {10.0, 20.0, 40.0};
  for (int i = 1; i <= 3; ++i) {
    m->area_table_distance[i] = distance[i - 1];
    m->area_table_area[i] = area[i - 1];
  }
  StiffnessTable t = build_stiffness_table(*m, working_units(*m));
  const struct {
    double inches, ae;
  } cases[] = {{0.0, 1.0e4}, {60.0, 1.5e4}, {120.0, 2.0e4}, {180.0, 3.0e4}, {300.0, 4.0e4}};
  for (const auto& c : cases) EXPECT_NEAR(axial_stiffness_at(t, c.inches), c.ae, 1e-9) << c.inches;
  // Rows starting at 5 ft: above the first row its AE.
  m->area_table_distance[1] = 5.0;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_EQ(axial_stiffness_at(t, 12.0), 1.0e4);
  // A single row: constant.
  m->area_table_count = 1;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_EQ(axial_stiffness_at(t, 0.0), 1.0e4);
  EXPECT_EQ(axial_stiffness_at(t, 500.0), 1.0e4);

  // Uniform pipe 24 x 22 in: f32(0.7854) x (576 - 484) = 72.25679755 in2;
  // the tip area (0.5 ft2 = 72 in2) replaces it, the given area wins.
  m->area_option = 0;
  m->pile_diameter = 24.0;
  m->inner_diameter = 22.0;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_NEAR(axial_stiffness_at(t, 60.0), 72.25679755210876 * 1000.0, 1e-9);
  m->tip_area_user = 0.5;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_NEAR(axial_stiffness_at(t, 60.0), 72000.0, 1e-9);
  m->cross_section_area_user = 50.0;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_NEAR(axial_stiffness_at(t, 60.0), 50000.0, 1e-9);
  // SI: 600 mm solid -> f32(0.7854) x 0.36 = 0.28274399 m2.
  m->unit_system = 2;
  m->pile_diameter = 600.0;
  m->inner_diameter = 0.0;
  m->tip_area_user = 0.0;
  m->cross_section_area_user = 0.0;
  t = build_stiffness_table(*m, working_units(*m));
  EXPECT_NEAR(axial_stiffness_at(t, 1.0), 0.28274399042129517 * 1000.0, 1e-12);
}

TEST(LoadSettlement, ZeroFrictionLengthOverTheWholePile) {
  // No segment transfers load: top load = tip load, top movement = tip
  // movement + L x Q / AE (L = 120 in, or 144 in with 2 ft of stickup: the
  // zero-friction length counts below the ground, so the deepest midpoint,
  // 129.6 in from the head, is still inside it).
  auto m = small_pile();
  m->zero_friction_length = 10.0;
  Capture cap;
  for (double stickup : {2.0, 0.0}) {
    m->stickup = stickup;
    solve_load_settlement(*m, cap.out, true);
    ASSERT_EQ(m->settlement_point_count, 9);
    const double length = 120.0 + 12.0 * stickup;
    for (int k = 1; k <= 9; ++k) {
      const double q = m->tip_load_result[k];
      EXPECT_EQ(m->top_load[k], q) << k;
      EXPECT_NEAR(m->top_movement[k], m->tip_movement_result[k] + length * q / kSmallPileAe,
                  1e-12 * (1.0 + m->top_movement[k]))
          << k;
    }
  }
  // Tip loads: 0.0001 in on the first chord (0.006 in, 1250 lb) = 20.8333 lb;
  // 2 in lies between 1.8 and 2.4 in, where the curve is flat at Qp.
  EXPECT_NEAR(m->tip_load_result[1], 1250.0 * 0.0001 / 0.006, 1e-9);
  EXPECT_NEAR(m->tip_load_result[9], 20000.0, 1e-9);

  // One segment (N = 1, ZFL 0): no computation curve for the solver, the
  // same shortening in one step.
  m->zero_friction_length = 0.0;
  m->npen = 1;
  m->settlement_segment_count = 1;
  m->settlement_end_bearing[1] = 20.0;
  solve_load_settlement(*m, cap.out, false);
  for (int k = 1; k <= 9; ++k) {
    const double q = m->tip_load_result[k];
    EXPECT_EQ(m->top_load[k], q) << k;
    EXPECT_NEAR(m->top_movement[k], m->tip_movement_result[k] + 120.0 * q / kSmallPileAe, 1e-12)
        << k;
  }
}

TEST(LoadSettlement, AreaTableEntersTheShortening) {
  // Areas 100 and 200 in2 at 0 and 10 ft, E = 1000 psi; midpoints 12, 36,
  // 60, 84, 108 in: AE 110000 .. 190000 lb; ZFL over the whole pile.
  auto m = small_pile();
  m->zero_friction_length = 10.0;
  m->modulus_of_elasticity = 1000.0;
  m->area_option = 2;
  m->area_table_count = 2;
  m->area_table_distance[2] = 10.0;
  m->area_table_area[1] = 100.0;
  m->area_table_area[2] = 200.0;
  Capture cap;
  solve_load_settlement(*m, cap.out, false);
  const double flexibility =
      24.0 * (1 / 110000.0 + 1 / 130000.0 + 1 / 150000.0 + 1 / 170000.0 + 1 / 190000.0);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_NEAR(m->top_movement[k] - m->tip_movement_result[k],
                m->tip_load_result[k] * flexibility, 1e-9 * (1.0 + m->top_movement[k]))
        << k;
  }
  // Without the listing the plot file starts with the tip curve.
  EXPECT_EQ(lines_of(cap.plot.str())[0], "        0.0000E+00         0.0000E+00");
}

TEST(LoadSettlement, ReportAndPlotLayouts) {
  auto m = small_pile();
  m->zero_friction_length = 10.0;
  Capture cap;
  run_load_settlement(*m, cap.out);
  const std::vector<std::string> report = lines_of(cap.report.str());
  const std::vector<std::string> plot = lines_of(cap.plot.str());

  // Notes, banner and listing heading.
  const std::vector<std::string> head = {
      "",
      "",
      "            NOTES:",
      "            - AN ASTERISK IS PLACED IN THE END-BEARING COLUMN",
      "              IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION",
      "              OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.",
      "",
      "",
      "",
      "                *************************************************",
      "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
      "                * CURVES FOR AXIAL LOADING                      *",
      "                *************************************************",
      "",
      "",
      "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
      "           NO.      POINTS        FT.              PSI             IN.",
      "",
      "            1         10      0.0000E+00",
  };
  ASSERT_GE(report.size(), head.size());
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(report[i], head[i]) << i;

  // Plot: count, three curves of 11 lines, 10 tip lines, 9 x 5 segment
  // records, 9 load-settlement lines.
  ASSERT_EQ(plot.size(), 1u + 33u + 10u + 45u + 9u);
  EXPECT_EQ(plot[0], "           3");
  // Curve 1 at the surface, tmax 0.1 ksf = 0.69444 psi: point 2 at 0.01 in.
  EXPECT_EQ(plot[3], "                                               0.6944E-01      0.1000E-01");
  // Curve 3 at 239.5 in = 19.958 ft, below the deepest point: 0.5 ksf =
  // 3.4722 psi; point 8 at 0.1 in.
  EXPECT_EQ(plot[23], "            3         10      0.1996E+02");
  EXPECT_EQ(plot[31], "                                               0.3472E+01      0.1000E+00");
  // Tip point 5: 0.5 x 20 kips at 0.013 x 12 = 0.156 in.
  EXPECT_EQ(plot[38], "        0.1000E+02         0.1560E+00");
  // First segment of the first step: midpoint 108 in = 9 ft, P_avg = Q =
  // 20.833 lb, w_m' = 0.0001 + (20.833 + 20.833) x 6 / AE = 0.00010055.
  EXPECT_EQ(plot[44], "    0.900E+01    0.208E-01    0.101E-03");
  // Top load = tip load 0.020833 kips; top movement 0.0001 + 120 x 20.833 /
  // AE = 0.00010553 in.
  const std::string first_step = "       0.2083E-01      0.1055E-03      0.2083E-01      0.1000E-03";
  EXPECT_EQ(plot[89], first_step);

  // Tip table and load versus settlement table in the report.
  const std::string text = cap.report.str();
  EXPECT_NE(text.find("\n\n\n\n        TIP   LOAD        TIP MOVEMENT\n"
                      "            KIP               IN.\n\n"
                      "        0.0000E+00         0.0000E+00\n"),
            std::string::npos);
  EXPECT_NE(text.find("\n\n\n\n                      LOAD VERSUS SETTLEMENT CURVE\n"
                      "                      ****************************\n\n\n\n"
                      "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT\n"
                      "           KIP             IN.              KIP            IN.\n" +
                      first_step + "\n"),
            std::string::npos);
  EXPECT_EQ(text.find("BOUYANCY"), std::string::npos);
}

TEST(LoadSettlement, SiLabelsAndUnits) {
  // The small pile in SI: 3.048 m, D = 304.8 mm; frictions in kPa, Qp in kN.
  auto m = small_pile();
  m->unit_system = 2;
  m->pile_length = 3.048;
  m->pile_diameter = 304.8;
  m->modulus_of_elasticity = 2.76e7;
  m->soil_point_depth[2] = 6.0;
  for (int i = 1; i <= 5; ++i) {
    m->penetration_depth[i] = (i - 1) * 0.762;
    m->settlement_unit_friction[i] = 5.0 * i;
  }
  m->settlement_end_bearing[5] = 90.0;
  Capture cap;
  run_load_settlement(*m, cap.out);
  const std::string text = cap.report.str();
  EXPECT_NE(text.find("           NO.      POINTS        M.               KPA             M. \n"),
            std::string::npos);
  EXPECT_NE(text.find("            KN.               M. \n"), std::string::npos);
  EXPECT_NE(text.find("           KN.             M.               KN.            M. \n"),
            std::string::npos);
  // Tip movements in metres: 0.0001 / 39.37 m first.
  EXPECT_NEAR(m->tip_movement_result[1], 0.0001 / 39.37, 1e-18);
  EXPECT_NEAR(m->tip_movement_result[9], 2.0 / 39.37, 1e-15);
  // Tip point 8 at 0.1 x 0.3048 m carries 90 kN.
  EXPECT_NEAR(m->tip_movement[8], 0.03048, 1e-15);
  EXPECT_NEAR(m->tip_load[8], 90.0, 1e-12);
}

TEST(LoadSettlement, TensionNoteAndNegativeSelfWeight) {
  auto m = small_pile();
  m->loading_type = 1;
  m->settlement_end_bearing[5] = -5.0;  // buoyant self weight
  Capture cap;
  run_load_settlement(*m, cap.out);
  const std::vector<std::string> report = lines_of(cap.report.str());
  const std::vector<std::string> expected = {
      "              OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.",
      "",
      "",
      "            - A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE",
      "              BOUYANCY EFFECT.",
      "",
      "",
      "",
      "                *************************************************",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(report[5 + i], expected[i]) << i;
  for (int k = 1; k <= 9; ++k) {
    EXPECT_LE(m->tip_load_result[k], 0.0) << k;
    EXPECT_GT(m->top_load[k], m->tip_load_result[k]) << k;
    EXPECT_TRUE(std::isfinite(m->top_movement[k])) << k;
  }
}

TEST(LoadSettlement, TopMovesAtLeastAsMuchAsTheTipAndCarriesMore) {
  // Small range of piles: both unit systems and curve families, with and
  // without stickup, batter and area table; ZFL 0 and positive friction.
  for (int units : {1, 2}) {
    for (int method : {kSelUsace, kSelApi}) {
      for (double stickup : {0.0, 2.0}) {
        for (double batter_deg : {0.0, 15.0}) {
          for (int area_option : {0, 2}) {
            auto m = small_pile();
            m->unit_system = units;
            m->load_transfer_method = method;
            m->stickup = stickup;
            m->batter_angle = batter_deg * 3.141592653589793 / 180.0;
            m->area_option = area_option;
            m->area_table_count = 2;
            m->area_table_distance[2] = 12.0;
            m->area_table_area[1] = units == 1 ? 100.0 : 0.06;
            m->area_table_area[2] = units == 1 ? 60.0 : 0.04;
            if (units == 2) {
              m->pile_diameter = 300.0;
              m->modulus_of_elasticity = 2.76e7;
              for (int i = 1; i <= 5; ++i) m->settlement_unit_friction[i] = 5.0 * i;
              m->settlement_end_bearing[5] = 90.0;
            }
            Capture cap;
            run_load_settlement(*m, cap.out);
            for (int k = 1; k <= 9; ++k) {
              SCOPED_TRACE(::testing::Message() << units << " " << method << " " << stickup
                                                << " " << batter_deg << " " << area_option
                                                << " step " << k);
              EXPECT_GE(m->top_movement[k], m->tip_movement_result[k]);
              EXPECT_GT(m->top_load[k], m->tip_load_result[k]);
              EXPECT_TRUE(std::isfinite(m->top_load[k]) && std::isfinite(m->top_movement[k]));
            }
            EXPECT_EQ(cap.plot.str().find("*"), std::string::npos);
          }
        }
      }
    }
  }
}

// Verification: sand 30 deg at 0 ft, sand 40 at 10, clay at 10.05 (too
// thin to qualify); USACE curves; 1, 2, 3 psi at 0, 5, 10 ft.
TEST(Verification, ValidInvalidAndNoPairDepths) {
  auto m = std::make_unique<AnalysisModel>();
  m->unit_system = 1;
  m->load_transfer_method = kSelUsace;
  m->pile_diameter = 24.0;
  testing::set_soil_profile(*m, {{0.0, 1.0, 30.0}, {10.0, 1.0, 40.0}, {10.05, 2.0}});
  m->npen = 3;
  for (int i = 1; i <= 3; ++i) {
    m->penetration_depth[i] = (i - 1) * 5.0;
    m->settlement_unit_friction[i] = 0.144 * i;
  }
  const double checks[] = {5.0, -1.0, 12.0, 10.02, 0.0};
  m->tz_check_depth_count = 5;
  for (int k = 1; k <= 5; ++k) m->tz_check_depth[k] = checks[k - 1];

  Capture cap;
  report_verification_tz_curves(*m, cap.out);
  const std::vector<int> valid = {1, 0, 0, 1, 1};
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(m->tz_check_valid[k], valid[k - 1]) << k;

  const std::vector<std::string> report = lines_of(cap.report.str());
  const std::string not_printed = "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE";
  const std::vector<std::string> head = {
      "",
      "",
      "                *************************************************",
      "                * COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
      "                * (t-z) CURVES FOR VERIFICATION                 *",
      "                *************************************************",
      "",
      "",
      "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
      "           NO.      POINTS        FT.              PSI             IN.",
      "",
      "            1         10      0.5000E+01",
  };
  ASSERT_EQ(report.size(), head.size() + 10 + 2 * 3 + 1 + 10);
  for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(report[i], head[i]) << i;
  // Depth 5: sand pair, angle 35 (k = 14000), tmax 2 psi:
  // t9 = 0.5 / (0.5 / 288 + 1 / 14000) / 144 = 1.92097.
  EXPECT_EQ(report[20], "                                               0.1921E+01      0.5000E+00");
  EXPECT_EQ(report[22], "            2         10     -0.1000E+01");
  EXPECT_EQ(report[23], not_printed);
  EXPECT_EQ(report[24], "            3         10      0.1200E+02");
  EXPECT_EQ(report[25], not_printed);
  EXPECT_EQ(report[26], "            4         10      0.1002E+02");
  EXPECT_EQ(report[27], not_printed);
  // Depth 0: angle 30 (k = 8666.6), tmax 1 psi of the first point:
  // t9 = 0.5 / (0.5 / 144 + 1 / 8666.6) / 144 = 0.96784.
  EXPECT_EQ(report[28], "            5         10      0.0000E+00");
  EXPECT_EQ(report[37], "                                               0.9678E+00      0.5000E+00");

  // The plot data file holds the two printed curves only.
  const std::vector<std::string> plot = lines_of(cap.plot.str());
  ASSERT_EQ(plot.size(), 22u);
  EXPECT_EQ(plot[0], report[11]);
  EXPECT_EQ(plot[11], report[28]);
  EXPECT_EQ(plot[20], report[37]);
}

}  // namespace
}  // namespace zolan
