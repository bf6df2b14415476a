// Hostile inputs that once got through a whole run (found by the whole-run
// fuzz target of tests/fuzz and its field sweeps), each kept as a case here;
// the inputs themselves are replayed from tests/regression/whole_run/.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "engine/run.hpp"
#include "input_text.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "run_dir.hpp"
#include "settlement/solver.hpp"

namespace zolan {
namespace {

using testing::InputText;
using testing::ScratchDir;
using testing::write_file;

std::string input_error(const std::string& text) {
  const auto m = std::make_unique<AnalysisModel>();
  std::istringstream in(text);
  try {
    read_input_data(in, "input data file \"t.dat\"", *m);
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

std::string cpt_error(const std::string& text) {
  const auto m = std::make_unique<AnalysisModel>();
  std::istringstream in(text);
  try {
    read_cpt_data(in, "CPT data file \"c.cpt\"", *m);
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

// A real of absurd magnitude overflowed a product of the computation to
// infinity (1E308 as a tip area, a unit weight, an LRFD factor, ...), which
// the report then showed as asterisks. Every real beyond 1E+15 is refused
// where it is read, naming the record and the field.
struct Magnitude {
  const char* name;
  void (*change)(InputText&);
  const char* message;
};

const Magnitude kAbsurdMagnitudes[] = {
    {"tip area", [](InputText& t) { t.r5 = "0.0 1E308 24.0 22.0 29000000.0 62.0 2.0"; },
     "line 5 (record 5): tip_area_user must lie between -1E+15 and 1E+15, found 1e+308"},
    {"modulus", [](InputText& t) { t.r5 = "0.0 0.0 24.0 22.0 1.000001E15 62.0 2.0"; },
     "(record 5): modulus_of_elasticity must lie between -1E+15 and 1E+15, found 1.000001e+15"},
    {"negative stickup", [](InputText& t) { t.r5 = "0.0 0.0 24.0 22.0 29000000.0 62.0 -2E15"; },
     "(record 5): stickup must lie between -1E+15 and 1E+15, found -2e+15"},
    {"batter", [](InputText& t) { t.r6 = "0.0 0.0 -1E300"; },
     "(record 6): batter_angle must lie between -1E+15 and 1E+15, found -1e+300"},
    {"length step", [](InputText& t) { t.r7 = "0.0 1E16 1 0.0 4 0 0"; },
     "(record 7): length_step must lie between -1E+15 and 1E+15, found 1e+16"},
    {"cross-section area", [](InputText& t) { t.r9 = "80.0 -1E20"; },
     "(record 9): cross-section area must lie between -1E+15 and 1E+15, found -1e+20"},
    {"unit weight", [](InputText& t) { t.soil[0] = "0.0 1.0 0.8 1E308 30.0 0.0"; },
     "line 10 (record 10A of soil point 1): effective unit weight (column 3) must lie between "
     "-1E+15 and 1E+15, found 1e+308"},
    {"very negative friction angle", [](InputText& t) { t.soil[2] = "80.0 1.0 0.8 60.0 -1E308 0.0"; },
     "(record 10A of soil point 2): friction angle (column 4) must lie between -1E+15 and 1E+15"},
    {"LRFD factor", [](InputText& t) { t.soil[3] = "0 0 0 20 0 0 0 0 0 1 1E308 0"; },
     "line 13 (record 10B of soil point 2): LRFD factor on unit bearing (column 16) must lie "
     "between -1E+15 and 1E+15, found 1e+308"},
    {"check depth", [](InputText& t) { t.r11 = "1"; t.r11ab = {"1", "1E200"}; },
     "(record 11b, check depth 1): tz_check_depth must lie between -1E+15 and 1E+15"},
    {"tension factor", [](InputText& t) { t.r12 = "1 -1E16"; },
     "(record 12): tension_reduction_factor must lie between -1E+15 and 1E+15"},
    {"area table", [](InputText& t) { t.r14 = "1 2"; t.r14a = {"0.0 1E16"}; },
     "(record 14a, area table row 1): area_table_area must lie between -1E+15 and 1E+15"},
    {"critical depth", [](InputText& t) { t.r15 = "2 1E300"; },
     "(record 15): critical_depth must lie between -1E+15 and 1E+15"},
};

TEST(HostileMagnitudes, RefusedWhereTheyAreRead) {
  for (const Magnitude& c : kAbsurdMagnitudes) {
    InputText t;
    c.change(t);
    const std::string message = input_error(t.str());
    EXPECT_NE(message.find("input data file \"t.dat\""), std::string::npos) << c.name << ": " << message;
    EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
  }
  EXPECT_NE(cpt_error("1 2\n0 500\n1E308 900\n")
                .find("line 3 (record 2, CPT point 2): cpt_depth must lie between -1E+15 and "
                      "1E+15, found 1e+308"),
            std::string::npos);
  EXPECT_NE(cpt_error("1 1\n0 2E15\n").find("cpt_qc must lie between -1E+15 and 1E+15"),
            std::string::npos);
}

TEST(HostileMagnitudes, TheLargestAcceptedMagnitudeIsRead) {
  InputText t;
  t.r5 = "0.0 1E15 24.0 22.0 1E15 62.0 -1E15";
  t.soil[0] = "0.0 1.0 1E15 1E15 -1E15 1E15";
  t.soil[1] = "1E15 -1E15 1E15 1E15 1E15 -1E15 1E15 -1E15 1E15 -1E15 1E15 -1E15";
  t.r12 = "1 -1E15";
  t.r15 = "2 -1E15";
  EXPECT_EQ(input_error(t.str()), "no error");
  EXPECT_EQ(cpt_error("1 1\n-1E15 1E15\n"), "no error");
}

TEST(HostileMagnitudes, WholeRunIsRefusedBeforeAnyResult) {
  ScratchDir dir;
  InputText t;
  t.soil[1] = "0 0 0 10 0 0 0 0 0 1E308 1 0";  // LRFD factor on unit friction
  write_file(dir / "in.dat", t.str());
  write_file(dir / "cpt.cpt", "0 0\n");
  RunFiles f;
  f.version_text = "TEST        ";
  f.input_file_name = (dir / "in.dat").string();
  f.output_file_name = (dir / "out.txt").string();
  f.plot_file_name = (dir / "plot.plt").string();
  f.cpt_file_name = (dir / "cpt.cpt").string();
  std::ostringstream console_out;
  std::istringstream console_in;
  const RunResult r = run_analysis(f, Console{&console_out, &console_in});
  EXPECT_EQ(r.status, RunStatus::kBadInput);
  EXPECT_NE(r.message.find("(record 10B of soil point 1): LRFD factor on unit friction (column 15) "
                           "must lie between -1E+15 and 1E+15, found 1e+308"),
            std::string::npos)
      << r.message;
  EXPECT_EQ(testing::read_file(dir / "plot.plt"), "");
}

// The solver looked its curves up one by one in every pass of every
// segment: a 500-segment pile whose segments all reach the pass limit took
// 9 x 500 x 1000 scans of up to 500 curves. The lookup is a bisection now
// and must give what the scan gave, also where curves share a depth.
void flat_curve(TzCurve& c, double depth, double transfer) {
  c = TzCurve{};
  c.curve_depth = depth;
  c.curve_point_count = 2;
  c.curve_movement[1] = 0.0;
  c.curve_transfer[1] = transfer;
  c.curve_movement[2] = 1.0;
  c.curve_transfer[2] = transfer;
}

TEST(SolverCurveLookup, FirstCurveAtOrBelowTheDepthAmongSharedDepths) {
  // Curves k = 1..6 carry k at depths 0, 0, 10, 10, 10, 20 (a pile of no
  // embedded length puts every curve at one depth).
  auto m = std::make_unique<AnalysisModel>();
  const double depths[] = {0.0, 0.0, 10.0, 10.0, 10.0, 20.0};
  for (int k = 1; k <= 6; ++k) flat_curve(m->tz_curves[k], depths[k - 1], k);
  const struct {
    double depth;
    double transfer;
  } cases[] = {
      {-1.0, 0.0},  // above the first curve
      {0.0, 1.0},   // the first of the two at 0
      {5.0, 2.5},   // between curve 2 (0 ft, 2) and curve 3 (10 ft, 3)
      {10.0, 3.0},  // the first of the three at 10
      {15.0, 5.5},  // between curve 5 (10 ft, 5) and curve 6 (20 ft, 6)
      {20.0, 6.0},
      {25.0, 6.0},  // below the deepest
  };
  for (const auto& c : cases) {
    EXPECT_EQ(unit_transfer_at(*m, 6, c.depth, 0.5), c.transfer) << c.depth;
  }
  EXPECT_EQ(unit_transfer_at(*m, 4, 15.0, 0.5), 4.0);  // curves 5 and 6 not used
}

TEST(SolverCurveLookup, FiveHundredCurves) {
  // Curve k at 2 (k - 1) carries k: depth 2j + 1 lies midway between curves
  // j + 1 and j + 2, so the transfer is j + 1.5.
  auto m = std::make_unique<AnalysisModel>();
  for (int k = 1; k <= kMaxCurves; ++k) flat_curve(m->tz_curves[k], 2.0 * (k - 1), k);
  for (int j = 0; j < kMaxCurves - 1; ++j) {
    EXPECT_EQ(unit_transfer_at(*m, kMaxCurves, 2.0 * j + 1.0, 0.5), j + 1.5) << j;
    EXPECT_EQ(unit_transfer_at(*m, kMaxCurves, 2.0 * j, 0.5), j + 1.0) << j;
  }
  EXPECT_EQ(unit_transfer_at(*m, kMaxCurves, 5000.0, 0.5), 500.0);
}

}  // namespace
}  // namespace zolan
