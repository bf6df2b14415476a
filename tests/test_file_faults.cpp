// File-system faults of a whole run, tried as a user would meet them: a
// report or plot data file that cannot be written, huge input files and a
// huge value. Each run must end with its message and result 1 (or, for a
// valid file, a normal run), in bounded memory, and write nothing but its
// report and plot data file. (A missing directory, a name that is a
// directory and an input that is a directory are in test_run.cpp.)
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "input_text.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::InputText;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;
namespace fs = std::filesystem;

constexpr std::uintmax_t kMiB = 1024 * 1024;

using testing::files_in;

struct Outcome {
  RunResult result;
  std::string console;
};

// Runs without reading back the report or the plot data file (one of them
// may be /dev/full, which reads as endless zeros).
Outcome run(const RunFiles& files) {
  std::ostringstream console_out;
  std::istringstream console_in;
  Outcome o;
  o.result = run_analysis(files, Console{&console_out, &console_in});
  o.console = console_out.str();
  return o;
}

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Largest resident set of this process so far, in kB.
long peak_rss_kb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A run may hold its model and its lines, never a file or a line.
constexpr long kRunMemoryKb = 64 * 1024;

// The engine's write failure must not pass for a completed run.
TEST(FileFaults, ReportOnAFullDeviceEndsTheRunWithResult1) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  RunFiles f = files_in(dir);
  f.output_file_name = "/dev/full";
  const Outcome o = run(f);
  EXPECT_EQ(o.result.status, RunStatus::kFileError);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_NE(o.console.find(" ERROR - output report \"/dev/full\" could not be written completely. "
                           "THE RUN DID NOT COMPLETE."),
            std::string::npos)
      << o.console;
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"cpt.cpt", "in.dat", "plot.plt"}));
}

TEST(FileFaults, PlotDataFileOnAFullDeviceEndsTheRunWithResult1) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  RunFiles f = files_in(dir);
  f.plot_file_name = "/dev/full";
  const Outcome o = run(f);
  EXPECT_EQ(o.result.status, RunStatus::kFileError);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_NE(o.console.find(" ERROR - plot data file \"/dev/full\" could not be written completely"),
            std::string::npos)
      << o.console;
  // The report says so too, as its last line: it must not look complete.
  EXPECT_TRUE(read_file(dir / "out.txt")
                  .ends_with(" ERROR - plot data file \"/dev/full\" could not be written "
                             "completely. THE RUN DID NOT COMPLETE.\n"));
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"cpt.cpt", "in.dat", "out.txt"}));
}

TEST(FileFaults, AReportOrPlotNamedLikeAnotherFileOfTheRunIsRefused) {
  const struct {
    const char* name;
    void (*change)(RunFiles&, const ScratchDir&);
    const char* message;
  } cases[] = {
      {"report is the input", [](RunFiles& f, const ScratchDir& d) { f.output_file_name = (d / "in.dat").string(); },
       "output report"},
      {"report is the CPT file", [](RunFiles& f, const ScratchDir& d) { f.output_file_name = (d / "sub" / ".." / "cpt.cpt").string(); },
       "output report"},
      {"plot is the input", [](RunFiles& f, const ScratchDir& d) { f.plot_file_name = (d / "in.dat").string(); },
       "plot data file"},
      {"plot is the report", [](RunFiles& f, const ScratchDir& d) { f.plot_file_name = f.output_file_name; (void)d; },
       "output report"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    fs::create_directory(dir / "sub");
    const std::string input = InputText().str();
    write_file(dir / "in.dat", input);
    write_file(dir / "cpt.cpt", "0 0\n");
    RunFiles f = files_in(dir);
    c.change(f, dir);
    const Outcome o = run(f);
    EXPECT_EQ(o.result.status, RunStatus::kBadInput) << c.name;
    EXPECT_NE(o.console.find(std::string(" ERROR - ") + c.message), std::string::npos) << c.name << o.console;
    EXPECT_NE(o.console.find("name the same file, which writing the "), std::string::npos) << c.name;
    EXPECT_EQ(read_file(dir / "in.dat"), input) << c.name;
    EXPECT_EQ(read_file(dir / "cpt.cpt"), "0 0\n") << c.name;
  }
}

// Permissions do not bind root: these two need an ordinary user.
TEST(FileFaults, ReadOnlyReportFileIsLeftAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  write_file(dir / "out.txt", "an earlier report\n");
  fs::permissions(dir / "out.txt", fs::perms::owner_read | fs::perms::group_read);
  const Outcome o = run(files_in(dir));
  EXPECT_EQ(o.result.status, RunStatus::kFileError);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_NE(o.console.find(" ERROR - output report \"" + (dir / "out.txt").string() +
                           "\" cannot be opened for writing"),
            std::string::npos)
      << o.console;
  EXPECT_EQ(read_file(dir / "out.txt"), "an earlier report\n");
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"cpt.cpt", "in.dat", "out.txt"}));
}

TEST(FileFaults, ReportInAReadOnlyDirectory) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write in any directory";
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  RunFiles f = files_in(dir);
  f.output_file_name = (dir / "locked" / "out.txt").string();
  const Outcome o = run(f);
  fs::permissions(dir / "locked", fs::perms::owner_all);
  EXPECT_EQ(o.result.status, RunStatus::kFileError);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_NE(o.console.find(" ERROR - output report \"" + f.output_file_name +
                           "\" cannot be opened for writing"),
            std::string::npos)
      << o.console;
  EXPECT_TRUE(fs::is_empty(dir / "locked"));
  EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"cpt.cpt", "in.dat", "locked"}));
}

// A valid input data file followed by 256 MB of NUL bytes (a hole, so the
// test file takes no room): everything after record 15 is ignored, so the
// run is the run of the valid part, in bounded memory.
TEST(FileFaults, HugeInputFileWithItsRecordsFirstRunsNormally) {
  ScratchDir dir;
  write_file(dir / "in.dat", InputText().str());
  write_file(dir / "cpt.cpt", "0 0\n");
  const Outcome plain = run(files_in(dir));
  ASSERT_EQ(plain.result.code(), 0) << plain.result.message;
  const std::string plain_plot = read_file(dir / "plot.plt");

  fs::resize_file(dir / "in.dat", 256 * kMiB);
  const long before = peak_rss_kb();
  const Outcome o = run(files_in(dir));
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_LT(peak_rss_kb() - before, kRunMemoryKb);
  EXPECT_EQ(read_file(dir / "plot.plt"), plain_plot);
  EXPECT_EQ(entries(dir.path()),
            (std::vector<std::string>{"cpt.cpt", "in.dat", "out.txt", "plot.plt"}));
}

// A title line of 256 MB (NUL bytes of a hole) before the other records:
// the title is its first 72 characters and the run goes on normally.
TEST(FileFaults, TitleLineOfHundredsOfMegabytesRunsNormally) {
  ScratchDir dir;
  const std::string text = InputText().str();
  const std::string after_title = text.substr(text.find('\n'));
  {
    std::ofstream out(dir / "in.dat", std::ios::binary);
    out.seekp(static_cast<std::streamoff>(256 * kMiB));
    out << after_title;
  }
  write_file(dir / "cpt.cpt", "0 0\n");
  const long before = peak_rss_kb();
  const Outcome o = run(files_in(dir));
  EXPECT_EQ(o.result.code(), 0) << o.result.message;
  EXPECT_LT(peak_rss_kb() - before, kRunMemoryKb);
  // 10 blanks, the first 70 of the 72 characters kept.
  EXPECT_NE(read_file(dir / "out.txt").find("\n          " + std::string(70, '\0') + "\n"),
            std::string::npos);
  EXPECT_EQ(entries(dir.path()),
            (std::vector<std::string>{"cpt.cpt", "in.dat", "out.txt", "plot.plt"}));
}

// One number of 10 MB (10 million digits) where record 5 begins.
TEST(FileFaults, TenMegabyteNumberIsRefused) {
  ScratchDir dir;
  InputText t;
  t.r5 = std::string(10'000'000, '7') + " 0.0 24.0 22.0 29000000.0 62.0 2.0";
  write_file(dir / "in.dat", t.str());
  write_file(dir / "cpt.cpt", "0 0\n");
  const long before = peak_rss_kb();
  const Outcome o = run(files_in(dir));
  EXPECT_LT(peak_rss_kb() - before, kRunMemoryKb);
  EXPECT_EQ(o.result.status, RunStatus::kBadInput);
  EXPECT_EQ(o.result.code(), 1);
  EXPECT_NE(o.console.find(" ERROR - input data file \"" + (dir / "in.dat").string() +
                           "\", line 5 (record 5): a value of more than 512 characters was found "
                           "where perimeter_input was expected"),
            std::string::npos)
      << o.console.substr(0, 2000);
  EXPECT_EQ(read_file(dir / "plot.plt"), "");
  EXPECT_EQ(entries(dir.path()),
            (std::vector<std::string>{"cpt.cpt", "in.dat", "out.txt", "plot.plt"}));
}

}  // namespace
}  // namespace zolan
