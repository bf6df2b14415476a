// Sweeps: the ranges, the rewritten pile record, and a sweep over three
// lengths giving the capacities of three separate runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "cli/sweep.hpp"
#include "model/free_format.hpp"
#include "results/results.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::read_file;
namespace fs = std::filesystem;

fs::path example_file(const std::string& name) {
  return fs::path(ZOLAN_SOURCE_DIR) / "examples" / "english-open-pipe" / name;
}

// The example's pile record, as written there, and the same record with a
// total length of `length` (the rest of the input untouched).
constexpr const char* kPileRecord = "0.0  0.0  24.0  22.5  29000000.0  62.0  2.0";

std::string with_length_by_hand(const std::string& input, const std::string& length) {
  std::string text = input;
  const std::size_t at = text.find(kPileRecord);
  text.replace(at, std::string(kPileRecord).size(),
               "0.0  0.0  24.0  22.5  29000000.0  " + length + "  2.0");
  return text;
}

// Tip capacity by method key of a run on streams.
std::map<std::string, double> tip_capacities(const std::string& input, const std::string& cpt) {
  std::istringstream in(input), cpt_in(cpt);
  std::ostringstream report, plot, console;
  RunFiles files;
  files.input_file_name = "pipe.dat";
  files.cpt_file_name = "pipe.cpt";
  std::map<std::string, double> tips;
  const RunResult r = run_analysis(files, RunStreams{&in, &cpt_in, &report, &plot},
                                   Console{&console, nullptr}, [&](const FinishedRun& run) {
                                     for (const auto& m : results::collect_results(run).methods) {
                                       if (m.printed) tips[m.key] = m.rows.back().ultimate;
                                     }
                                   });
  EXPECT_EQ(r.code(), 0) << r.message;
  return tips;
}

TEST(Sweep, RangesAndTheirValues) {
  struct Case {
    const char* text;
    bool valid;
    std::size_t count;
    double last;
  };
  // 40:120:5 holds (120 - 40) / 5 + 1 = 17 values; 0.1:0.3:0.1 ends at 0.3
  // although 0.1 + 2 x 0.1 lies a little above it.
  const Case cases[] = {
      {"40:120:5", true, 17, 120.0}, {"0.1:0.3:0.1", true, 3, 0.1 + 2 * 0.1},
      {"50:50:1", true, 1, 50.0},    {"40:120:0", false, 0, 0.0},
      {"120:40:5", false, 0, 0.0},   {"40:120", false, 0, 0.0},
      {"40:x:5", false, 0, 0.0},     {"40:120:-5", false, 0, 0.0},
  };
  for (const Case& c : cases) {
    const auto range = cli::parse_sweep_range(c.text);
    ASSERT_EQ(range.has_value(), c.valid) << c.text;
    if (!range) continue;
    const std::vector<double> values = cli::sweep_values(*range);
    ASSERT_EQ(values.size(), c.count) << c.text;
    EXPECT_EQ(values.back(), c.last) << c.text;
  }
}

TEST(Sweep, PileRecordRewritten) {
  const std::string input = read_file(example_file("pipe.dat"));
  const std::string longer = cli::with_pile_value(input, cli::SweepQuantity::kLength, 80.5);
  // Only record 5 changes, written on one line with the length replaced.
  EXPECT_NE(longer.find("\n0 0 24 22.5 2.9E+07 80.5 2\n"), std::string::npos);
  EXPECT_EQ(longer.find(kPileRecord), std::string::npos);
  EXPECT_EQ(longer.substr(longer.find("0.0  0.0  0.0")), input.substr(input.find("0.0  0.0  0.0")));
  EXPECT_EQ(longer.substr(0, longer.find("\n0 0 24")), input.substr(0, input.find(kPileRecord) - 1));
  // 30 in outside: the inside diameter 22.5 x 30 / 24 = 28.125.
  const std::string wider = cli::with_pile_value(input, cli::SweepQuantity::kDiameter, 30.0);
  EXPECT_NE(wider.find("\n0 0 30 28.125 2.9E+07 62 2\n"), std::string::npos);
  // A section given by its perimeter has no diameter to vary.
  std::string perimeter = input;
  perimeter.replace(perimeter.find(kPileRecord), 3, "7.5");
  EXPECT_THROW(cli::with_pile_value(perimeter, cli::SweepQuantity::kDiameter, 30.0), InputError);
  EXPECT_NO_THROW(cli::with_pile_value(perimeter, cli::SweepQuantity::kLength, 30.0));
}

TEST(Sweep, ThreeLengthsGiveTheCapacitiesOfThreeRuns) {
  const std::string input = read_file(example_file("pipe.dat"));
  const std::string cpt = read_file(example_file("pipe.cpt"));
  const std::vector<double> lengths = {42.0, 52.0, 62.0};
  const auto outcomes = cli::run_sweep(input, &cpt, cli::SweepQuantity::kLength, lengths, 2);
  ASSERT_EQ(outcomes.size(), 3u);
  const char* written[] = {"42.0", "52.0", "62.0"};
  for (std::size_t k = 0; k < lengths.size(); ++k) {
    const cli::VariantOutcome& v = outcomes[k];
    ASSERT_EQ(v.result.code(), 0) << v.result.message;
    EXPECT_EQ(v.value, lengths[k]);
    const auto alone = tip_capacities(with_length_by_hand(input, written[k]), cpt);
    ASSERT_EQ(v.methods.size(), alone.size());
    for (const cli::MethodTip& m : v.methods) {
      ASSERT_EQ(alone.count(m.key), 1u) << m.key;
      EXPECT_EQ(m.capacity, alone.at(m.key)) << m.key << " at " << written[k];
    }
    EXPECT_TRUE(v.head_load.has_value());
  }
  // A longer pile carries more.
  EXPECT_LT(outcomes[0].methods[0].capacity, outcomes[2].methods[0].capacity);

  const std::string csv = cli::sweep_csv(outcomes, cli::SweepQuantity::kLength);
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "length_ft,api_kips,head_load_1in_kips,result");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
  EXPECT_EQ(csv.find("\n42,"), csv.find('\n'));

  // The chart: one series per method, a point per length.
  const chart::Figure figure = cli::sweep_figure(outcomes, cli::SweepQuantity::kLength);
  ASSERT_EQ(figure.panels.size(), 1u);
  ASSERT_EQ(figure.panels[0].series.size(), 1u);
  const chart::Series& api = figure.panels[0].series[0];
  ASSERT_EQ(api.points.size(), 3u);
  EXPECT_EQ(api.points[1].x, 52.0);
  EXPECT_EQ(api.points[1].y, outcomes[1].methods[0].capacity);
  EXPECT_EQ(figure.panels[0].x.title, "Pile length (ft)");
}

TEST(Sweep, VariantThatCannotRunIsReported) {
  const std::string input = read_file(example_file("pipe.dat"));
  // A total length below the 2 ft stickup is refused by the engine.
  const auto outcomes =
      cli::run_sweep(input, nullptr, cli::SweepQuantity::kLength, {1.0, 62.0}, 2);
  EXPECT_NE(outcomes[0].result.code(), 0);
  EXPECT_EQ(outcomes[1].result.code(), 0);
  const std::string csv = cli::sweep_csv(outcomes, cli::SweepQuantity::kLength);
  EXPECT_NE(csv.find("\n1,,,\""), std::string::npos) << csv;
}

}  // namespace
}  // namespace zolan
