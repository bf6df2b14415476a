// The results of a run against the lines of its report, the load at a
// settlement, the terminal summary and the results read back from a
// finished run's files.
#include <gtest/gtest.h>

#include <cmath>

#include "example_results.hpp"
#include "input_text.hpp"
#include "results/run_files.hpp"
#include "results/summary.hpp"

namespace zolan {
namespace {

using results::PlugState;
using results::Results;
using testing::ExampleRun;
using testing::printed;

struct ExampleCase {
  const char* folder;
  bool battered;
  bool core;
};

const ExampleCase kExamples[] = {
    {"english-open-pipe", false, true},
    {"si-concrete-battered", true, false},
};

// The tokens of a report row as the results print them.
std::vector<std::string> row_tokens(const results::CapacityRow& row, const ExampleCase& ex) {
  std::vector<std::string> t{printed(row.penetration, 2)};
  if (ex.battered) t.push_back(printed(row.depth, 2));
  t.push_back(printed(row.skin_friction, 1));
  t.push_back(printed(row.end_bearing, 1) + (row.plug == PlugState::kUnplugged ? "*" : ""));
  t.push_back(printed(row.ultimate, 1));
  if (ex.core) t.push_back(printed(row.core_length, 2));
  return t;
}

TEST(Results, EveryPrintedRowAgreesWithTheReportTable) {
  for (const ExampleCase& ex : kExamples) {
    ExampleRun run;
    testing::run_example(ex.folder, run);
    ASSERT_EQ(run.result.code(), 0) << ex.folder;
    ASSERT_TRUE(run.results.has_value());
    const Results& r = *run.results;
    ASSERT_EQ(r.methods.size(), 1u) << ex.folder;  // API RP 2A in both examples
    const results::MethodCapacity& api = r.methods[0];
    EXPECT_EQ(api.name, "API RP 2A");
    EXPECT_EQ(api.report_title, "API RP-2A (2010)");
    const auto rows = testing::report_rows(run.report, "*  API RP-2A (2010)  *");
    int printed_rows = 0;
    for (const results::CapacityRow& row : api.rows) {
      if (!row.printed) continue;
      ++printed_rows;
      const auto it = rows.find(printed(row.penetration, 2));
      ASSERT_NE(it, rows.end()) << ex.folder << " " << row.penetration;
      EXPECT_EQ(row_tokens(row, ex), it->second) << ex.folder << " at " << row.penetration;
    }
    EXPECT_EQ(printed_rows, static_cast<int>(rows.size())) << ex.folder;
  }
}

TEST(Results, HeadLoadAtTheSummarySettlements) {
  // English, from the report's load versus settlement lines:
  //   0.4281E+03 at 0.2511 in, 0.5253E+03 at 0.6932 in, 0.5774E+03 at 1.218 in;
  //   0.5 in:  428.1 + (525.3 - 428.1) x (0.5 - 0.2511) / (0.6932 - 0.2511) = 482.8
  //   1 in:    525.3 + (577.4 - 525.3) x (1.0 - 0.6932) / (1.218 - 0.6932)  = 555.8
  // SI: 0.2407E+04 at 0.01227 m, 0.2809E+04 at 0.02463 m, 0.3074E+04 at 0.03876 m;
  //   12.7 mm: 2407 + 402 x (0.0127 - 0.01227) / (0.02463 - 0.01227) = 2421.0
  //   25.4 mm: 2809 + 265 x (0.0254 - 0.02463) / (0.03876 - 0.02463) = 2823.4
  // (tolerances cover the four printed digits of the report).
  struct Case {
    const char* folder;
    double settlement;
    const char* label;
    double load;
    double tolerance;
  };
  const Case cases[] = {
      {"english-open-pipe", 0.5, "0.5 in", 482.8, 0.3},
      {"english-open-pipe", 1.0, "1 in", 555.8, 0.3},
      {"si-concrete-battered", 0.0127, "12.7 mm", 2421.0, 2.0},
      {"si-concrete-battered", 0.0254, "25.4 mm", 2823.4, 2.0},
  };
  for (const Case& c : cases) {
    ExampleRun run;
    testing::run_example(c.folder, run);
    ASSERT_TRUE(run.results.has_value());
    const auto settlements = results::summary_settlements(run.results->units);
    const auto s = std::find_if(settlements.begin(), settlements.end(),
                                [&](const auto& x) { return x.label == c.label; });
    ASSERT_NE(s, settlements.end()) << c.label;
    EXPECT_NEAR(s->value, c.settlement, 1e-12) << c.label;
    const std::optional<double> load = results::head_load_at(run.results->load_settlement, s->value);
    ASSERT_TRUE(load.has_value()) << c.label;
    EXPECT_NEAR(*load, c.load, c.tolerance) << c.label;
  }
}

TEST(Results, HeadLoadOnAShortCurve) {
  // Points (settlement, load): (0.1, 100), (0.3, 200), (0.3, 210), (0.7, 260).
  const std::vector<results::SettlementPoint> curve = {
      {100.0, 0.1, 0.0, 0.0}, {200.0, 0.3, 0.0, 0.0}, {210.0, 0.3, 0.0, 0.0}, {260.0, 0.7, 0.0, 0.0}};
  struct Case {
    double settlement;
    std::optional<double> load;
  };
  const Case cases[] = {
      {0.05, 50.0},   // from the origin to the first point: 100 x 0.05 / 0.1
      {0.1, 100.0},   // on a point
      {0.2, 150.0},   // 100 + 100 x 0.1 / 0.2
      {0.5, 230.0},   // a point that does not settle further is skipped: 200 + 60 x 0.2 / 0.4
      {0.7, 260.0},   // the last point
      {0.8, std::nullopt},  // beyond the curve
      {-0.1, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<double> got = results::head_load_at(curve, c.settlement);
    ASSERT_EQ(got.has_value(), c.load.has_value()) << c.settlement;
    if (c.load) {
      EXPECT_NEAR(*got, *c.load, 1e-9) << c.settlement;
    }
  }
  EXPECT_FALSE(results::head_load_at({}, 0.5).has_value());
}

TEST(Results, SummaryOfTheEnglishExample) {
  ExampleRun run;
  testing::run_example("english-open-pipe", run);
  ASSERT_TRUE(run.results.has_value());
  const std::string text = results::summary_text(*run.results, results::OutputFiles{});
  // The last row of the report: "60.00  374.6  289.7*  664.3  39.25".
  const char* lines[] = {
      "Run completed: EXAMPLE 1: OPEN-ENDED STEEL PIPE PILE IN LAYERED SAND AND CLAY\n",
      "Capacity at the pile tip, 60.00 ft of pile below ground (kips):\n",
      ("  API RP 2A              664.3          374.6         289.7   unplugged: wall and "
       "soil-plug friction govern\n"),
      "  at 0.5 in of settlement         482.9 kips\n",
      "  at 1 in of settlement           555.8 kips\n",
  };
  for (const char* line : lines) EXPECT_NE(text.find(line), std::string::npos) << line << text;
  EXPECT_NE(text.find("  report      " + (run.dir / "pipe.out").string() + "\n"), std::string::npos);
  EXPECT_EQ(text.find("Note:"), std::string::npos);
}

TEST(Results, SummarySaysWhenTheLastPenetrationLiesAboveTheTip) {
  struct Case {
    const char* r5;  // record 5: total length 62.5 or 62.0 ft with 2 ft stickup
    bool above;
    double last;
  };
  const Case cases[] = {
      {"0.0 0.0 24.0 22.0 29000000.0 62.5 2.0", true, 60.0},  // 60.5 ft embedded, 1 ft steps
      {"0.0 0.0 24.0 22.0 29000000.0 62.0 2.0", false, 60.0},
  };
  for (const Case& c : cases) {
    testing::InputText t;
    t.r5 = c.r5;
    testing::ScratchDir dir;
    testing::write_file(dir / "in.dat", t.str());
    testing::write_file(dir / "cpt.cpt", "0 0\n");
    std::ostringstream out;
    std::istringstream in;
    std::optional<Results> r;
    run_analysis(testing::files_in(dir), Console{&out, &in},
                 [&](const FinishedRun& f) { r = results::collect_results(f); });
    ASSERT_TRUE(r.has_value()) << c.r5;
    EXPECT_EQ(r->tip_above_last_penetration(), c.above) << c.r5;
    EXPECT_DOUBLE_EQ(r->last_penetration(), c.last);
    const std::string text = results::summary_text(*r, results::OutputFiles{});
    const std::string note =
        "Note: the last computed penetration, 60.00 ft, lies above the pile tip at 60.50 ft";
    EXPECT_EQ(text.find(note) != std::string::npos, c.above) << text;
  }
}

TEST(Results, CurvesAgreeWithTheReportListing) {
  ExampleRun run;
  testing::run_example("english-open-pipe", run);
  ASSERT_TRUE(run.results.has_value());
  const Results& r = *run.results;
  // Report: nine curves; curve 2 at 0.1003E+02 ft reaches 0.2710E+01 psi at
  // 0.1 in; the tip curve reaches 0.2897E+03 kips at 0.2400E+01 in; the
  // verification curve 2 at 50 ft gives 0.1336E+01 psi at 0.01 in.
  ASSERT_EQ(r.tz_curves.size(), 9u);
  EXPECT_EQ(testing::printed(r.tz_curves[1].depth, 2), "10.03");
  EXPECT_NEAR(r.tz_curves[1].points[7].transfer, 2.710, 5e-4);
  EXPECT_NEAR(r.tz_curves[1].points[7].movement, 0.1, 1e-12);
  EXPECT_FALSE(r.tz_curves[1].cohesive);
  EXPECT_TRUE(r.tz_curves[3].cohesive);  // 20.00 ft, clay
  ASSERT_EQ(r.tip_curve.size(), 10u);
  EXPECT_NEAR(r.tip_curve[7].load, 289.7, 0.05);
  EXPECT_NEAR(r.tip_curve[7].movement, 2.4, 1e-9);
  ASSERT_EQ(r.verification.size(), 2u);
  EXPECT_TRUE(r.verification[1].printed);
  EXPECT_NEAR(r.verification[1].depth, 50.0, 1e-9);
  EXPECT_NEAR(r.verification[1].points[1].transfer, 1.336, 5e-4);
  // Load distribution: nine blocks of one segment per penetration; the top
  // segment of the last block carries about the head load 0.6327E+03.
  ASSERT_EQ(r.load_distribution.size(), 9u);
  ASSERT_EQ(r.load_distribution[8].segments.size(), 61u);
  EXPECT_NEAR(r.load_distribution[8].segments.back().load, 632.7, 5.0);
}

TEST(Results, ReadBackFromTheFilesOfAFinishedRun) {
  for (const ExampleCase& ex : kExamples) {
    ExampleRun run;
    testing::run_example(ex.folder, run);
    ASSERT_TRUE(run.results.has_value());
    const results::RunFileNames names = results::run_file_names(run.dir.path());
    const Results back = results::read_finished_run(names.report, names.plot);
    const Results& r = *run.results;
    EXPECT_EQ(back.units.system, r.units.system);
    EXPECT_EQ(back.load_transfer_method, r.load_transfer_method);
    ASSERT_EQ(back.methods.size(), 1u);
    std::vector<results::CapacityRow> rows;
    for (const auto& row : r.methods[0].rows) {
      if (row.printed) rows.push_back(row);
    }
    ASSERT_EQ(back.methods[0].rows.size(), rows.size()) << ex.folder;
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const auto& a = rows[k];
      const auto& b = back.methods[0].rows[k];
      EXPECT_EQ(row_tokens(a, ex), row_tokens(b, ex)) << ex.folder << " row " << k;
      EXPECT_NEAR(a.unit_friction, b.unit_friction, 5e-4) << ex.folder << " row " << k;
    }
    EXPECT_NEAR(back.batter_angle, r.batter_angle, 0.5) << ex.folder;
    ASSERT_EQ(back.tz_curves.size(), r.tz_curves.size());
    ASSERT_EQ(back.load_settlement.size(), 9u);
    for (std::size_t k = 0; k < 9; ++k) {
      const double load = r.load_settlement[k].top_load;
      EXPECT_NEAR(back.load_settlement[k].top_load, load, std::fabs(load) * 1e-3) << k;
    }
    ASSERT_EQ(back.load_distribution.size(), 9u);
    EXPECT_EQ(back.load_distribution[0].segments.size(), r.load_distribution[0].segments.size());
    EXPECT_EQ(back.verification.size(),
              static_cast<std::size_t>(std::count_if(r.verification.begin(), r.verification.end(),
                                                     [](const auto& v) { return v.printed; })));
  }
}

TEST(Results, ReadingFilesOfDifferentRunsIsRefused) {
  ExampleRun english, si;
  testing::run_example("english-open-pipe", english);
  testing::run_example("si-concrete-battered", si);
  try {
    results::read_finished_run(english.dir / "pipe.out", si.dir / "square.plt");
    FAIL() << "files of two runs were read as one";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("plot data file \"" + (si.dir / "square.plt").string() +
                                         "\", line 3"),
              std::string::npos)
        << e.what();
  }
}

}  // namespace
}  // namespace zolan
