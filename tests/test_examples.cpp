// The example analyses, run as a front end runs them, against expected
// reports and plot data files (the date line masked).
//
// Values checked by hand against the formulas (worked in the comments of
// the reference cases below and in the unit tests of each part):
//   english-open-pipe (API RP 2A, 24 in open pipe, 1 ft steps):
//     - skin friction 3.3 kips at 5 ft: layers 1-5 with unit weights
//       113.5 .. 101.5 pcf and phi 30.05 .. 30.45; unit friction at the
//       points 0.8 tan(phi - 5) sigma'v = 0.0424, 0.0841, 0.1251, 0.1653,
//       0.2048 ksf; trapezoids over the perimeter 6.2832 ft: 3.263 kips;
//     - skin friction 47.1, 69.3, 193.6, 249.4, 374.6 kips at 20, 25, 45, 50
//       and 60 ft and unit friction 0.691, 0.759, 1.221, 1.923, 2.033 ksf, by
//       an independent calculation of the same formulas;
//     - end bearing 33.9 kips at 25 ft (plug holds in clay): 9 su averaged
//       over 22-28 ft, su = 1.2 ksf, 10.8 ksf x 3.1416 ft2;
//     - end bearing 7.5 kips at 5 ft (coring): wall bearing 22 x 0.5375 ksf x
//       0.3804 ft2 = 4.5 plus inside plug friction 3.06;
//     - tip curve: Qp 289.7 kips, 0.0625 Qp = 18.11 at 0.0005 D = 0.012 in;
//       at 2 in tip movement 0.9 + 0.1 x (2 - 1.752) / 0.648 of Qp = 271.8.
//   si-concrete-battered (API RP 2A, 400 mm square pile, battered 10 deg):
//     - skin friction 15.5 kN at 2.0 m along the pile: points at 0 to 1.0 m
//       lie above the 1.5 m zero-friction length; clay alpha 0.4290 and
//       0.4491 at su 29.31 and 30.54 kPa give 12.57 and 13.72 kPa; segments
//       (0 + 12.57) x 0.4 + (12.57 + 13.72) x 0.4 = 15.55 kN;
//     - end bearing 16.9 kN at the surface: I(1.5 OD) / (3 OD) with 9 su x
//       0.16 m2 over 0.764 m, 28.66 / 1.528 = 18.76, times LRFD 0.9.
//   english-all-methods (nine methods, 18 in open pipe, 1 ft steps):
//     - GENERAL METHOD skin friction 9.4 kips at 5 ft: 5 segments of
//       0.4 ksf x 1 ft x 3.14159 x 1.5 ft = 9.425; end bearing 26.5 kips at
//       10 ft (layer 9-10 ft, user bearing 15 ksf at its mid-depth x
//       0.785398 x 1.5^2 = 26.51) and 53.0 kips at 15 ft (30 ksf);
//     - API skin friction 5.0 kips at 5 ft in the soft clay: su 0.5 ksf,
//       sigma'v 0.11 j ksf at the bottom of layer j, alpha 0.3424, 0.4072,
//       0.4507, 0.4843, 0.5244 (psi 4.545 / j), unit friction 0.1712,
//       0.1712, 0.2036, 0.2253, 0.2421, 0.2622 ksf at 0 .. 5 ft; segments
//       x 0.5 x 4.712385 ft: 4.990;
//     - the FHWA, USACE, Revised Lambda, NGI, ICP/MTD, Fugro and UWA rules
//       are checked by hand in their own tests (test_fhwa, test_usace_lambda,
//       test_user_ngi, test_cpt_methods); here their tables guard the whole
//       run against change.
//   si-all-methods (nine methods, 610 mm closed pipe, 0.5 m steps):
//     - GENERAL METHOD skin friction 153.3 kN at 4 m: 8 segments of 20 kPa
//       x 0.5 m x 3.14159 x 0.61 m = 153.31; end bearing 730.6 kN at 6 m:
//       2500 kPa x 0.785398 x 0.61^2 = 730.63.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "engine/run.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::mask_date;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;
namespace fs = std::filesystem;

// The first line where two texts differ, for a readable failure.
std::string first_difference(const std::string& expected, const std::string& actual) {
  std::istringstream e(expected), a(actual);
  std::string le, la;
  for (int line = 1;; ++line) {
    const bool more_e = static_cast<bool>(std::getline(e, le));
    const bool more_a = static_cast<bool>(std::getline(a, la));
    if (!more_e && !more_a) return "identical";
    if (le != la || more_e != more_a) {
      return "line " + std::to_string(line) + "\n  expected: [" + (more_e ? le : "<end>") +
             "]\n  actual:   [" + (more_a ? la : "<end>") + "]";
    }
  }
}

struct Example {
  const char* folder;
  const char* report;
  const char* plot;
};

const Example kExamples[] = {
    {"english-open-pipe", "pipe.out", "pipe.plt"},
    {"si-concrete-battered", "square.out", "square.plt"},
    {"english-all-methods", "layered.out", "layered.plt"},
    {"si-all-methods", "closed.out", "closed.plt"},
};

TEST(Examples, ReportsAndPlotFilesMatchTheCheckedReferences) {
  // ZOLAN_UPDATE_EXPECTED=1 rewrites the references; check every change by
  // hand before committing it.
  const bool update = std::getenv("ZOLAN_UPDATE_EXPECTED") != nullptr;
  for (const Example& ex : kExamples) {
    ScratchDir dir;
    testing::copy_example(ex.folder, dir.path());
    std::ostringstream out;
    std::istringstream in;
    Console console{&out, &in};
    const RunResult result = run_from_names_file(dir.path(), console);
    ASSERT_EQ(result.code(), 0) << ex.folder << ": " << result.message;
    const fs::path expected = fs::path(ZOLAN_SOURCE_DIR) / "tests" / "expected" / ex.folder;
    const std::string report = mask_date(read_file(dir / ex.report));
    const std::string plot = read_file(dir / ex.plot);
    if (update) {
      fs::create_directories(expected);
      write_file(expected / ex.report, report);
      write_file(expected / ex.plot, plot);
      continue;
    }
    const std::string want_report = read_file(expected / ex.report);
    const std::string want_plot = read_file(expected / ex.plot);
    EXPECT_EQ(report, want_report) << ex.folder << " report: " << first_difference(want_report, report);
    EXPECT_EQ(plot, want_plot) << ex.folder << " plot: " << first_difference(want_plot, plot);
  }
}

// Parses the load versus settlement table: top load, top movement, tip load,
// tip movement per line.
std::vector<std::array<double, 4>> settlement_rows(const std::string& report) {
  std::vector<std::array<double, 4>> rows;
  const std::size_t at = report.find("TOP  LOAD     TOP MOVEMENT");
  std::istringstream s(report.substr(at));
  std::string line;
  std::getline(s, line);
  std::getline(s, line);
  for (int k = 0; k < 9 && std::getline(s, line); ++k) {
    std::istringstream v(line);
    std::array<double, 4> row{};
    v >> row[0] >> row[1] >> row[2] >> row[3];
    rows.push_back(row);
  }
  return rows;
}

TEST(Examples, TopMovementIsAtLeastTheTipMovementAndFrictionCarriesLoad) {
  for (const Example& ex : kExamples) {
    const std::string report = read_file(fs::path(ZOLAN_SOURCE_DIR) / "tests" / "expected" / ex.folder / ex.report);
    const auto rows = settlement_rows(report);
    ASSERT_EQ(rows.size(), 9u) << ex.folder;
    for (const auto& r : rows) {
      EXPECT_GE(r[1], r[3]) << ex.folder;
      EXPECT_GT(r[0], r[2]) << ex.folder;  // skin friction adds to the tip load
    }
  }
}

}  // namespace
}  // namespace zolan
