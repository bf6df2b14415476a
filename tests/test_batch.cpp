// Batch runs: every case folder run on worker threads as its names.dat says,
// a bad case reported without stopping the others, the files the same as
// those of one run at a time, and the program's exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>

#include "cli/batch.hpp"
#include "example_results.hpp"

namespace zolan {
namespace {

using testing::copy_example;
using testing::mask_date;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;
namespace fs = std::filesystem;

constexpr const char* kExample = "english-open-pipe";

// Case folders c0 .. c(n-1), copies of the example; the one numbered `bad`
// with a pile record that is not a number.
std::vector<fs::path> make_cases(const ScratchDir& dir, int n, int bad) {
  std::vector<fs::path> folders;
  for (int k = 0; k < n; ++k) {
    const fs::path folder = dir / ("c" + std::to_string(k));
    fs::create_directories(folder);
    copy_example(kExample, folder);
    if (k == bad) {
      std::string input = read_file(folder / "pipe.dat");
      const std::size_t at = input.find("0.0  0.0  24.0");
      input.replace(at, 4, "oops");
      write_file(folder / "pipe.dat", input);
    }
    folders.push_back(folder);
  }
  return folders;
}

TEST(Batch, BadCaseDoesNotStopTheOthersAndOutputsMatchSerialRuns) {
  ScratchDir dir;
  const std::vector<fs::path> folders = make_cases(dir, 5, 2);
  std::vector<std::pair<int, int>> seen;
  const auto outcomes =
      cli::run_batch(folders, 2, [&](int done, int total) { seen.emplace_back(done, total); });

  ASSERT_EQ(outcomes.size(), 5u);
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen.back(), std::make_pair(5, 5));
  for (std::size_t k = 0; k < outcomes.size(); ++k) {
    EXPECT_EQ(outcomes[k].folder, folders[k]);
    EXPECT_EQ(outcomes[k].completed(), k != 2) << k;
  }
  EXPECT_EQ(outcomes[2].status, RunStatus::kBadInput);
  EXPECT_NE(outcomes[2].message.find("perimeter_input"), std::string::npos);
  EXPECT_NE(outcomes[2].console.find("perimeter_input"), std::string::npos);

  // The same example run alone: the same report (but for its date and
  // time), plot data file and capacity at the tip.
  testing::ExampleRun alone;
  testing::run_example(kExample, alone);
  ASSERT_EQ(alone.result.code(), 0);
  const double tip = alone.results->load_transfer()->rows.back().ultimate;
  for (const std::size_t k : {0u, 1u, 3u, 4u}) {
    EXPECT_EQ(mask_date(read_file(folders[k] / "pipe.out")), mask_date(alone.report)) << k;
    EXPECT_EQ(read_file(folders[k] / "pipe.plt"), alone.plot) << k;
    ASSERT_TRUE(outcomes[k].tip_capacity.has_value());
    EXPECT_EQ(*outcomes[k].tip_capacity, tip);
    EXPECT_EQ(outcomes[k].force_unit, "kips");
  }

  const std::string summary = cli::batch_summary(outcomes);
  EXPECT_NE(summary.find("5 cases, 4 completed, 1 did not complete"), std::string::npos);
  EXPECT_NE(summary.find("bad input"), std::string::npos);
  EXPECT_NE(summary.find(" kips"), std::string::npos);
}

TEST(Batch, ProgressBarFillsInProportion) {
  struct Case {
    int done, total, width;
    const char* bar;
  };
  // 3 of 4 done on 8 cells: 3 x 8 / 4 = 6 cells filled.
  const Case cases[] = {
      {0, 4, 8, "\r[        ] 0/4"},
      {3, 4, 8, "\r[######  ] 3/4"},
      {4, 4, 8, "\r[########] 4/4"},
  };
  for (const Case& c : cases) EXPECT_EQ(cli::progress_bar(c.done, c.total, c.width), c.bar);
}

TEST(Batch, ProgramExitsWithOneWhenAnyCaseFails) {
  ScratchDir dir;
  make_cases(dir, 3, 1);
  const auto status_of = [&](const std::string& arguments) {
    const std::string command = "cd '" + dir.path().string() + "' && " + ZOLAN_CLI + " batch " +
                                arguments + " > out.txt 2> err.txt < /dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(status_of("c0 c1 c2 -j 2"), 1);
  const std::string out = read_file(dir / "out.txt");
  EXPECT_NE(out.find("3 cases, 2 completed, 1 did not complete"), std::string::npos);
  // Not a terminal: no progress bar.
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_EQ(status_of("c0 c2"), 0);
  EXPECT_EQ(status_of("c0 -j 0"), 2);  // no threads is a usage error
}

}  // namespace
}  // namespace zolan
