// Runs on streams held in memory: the same lines as the run on files, the
// error line on a refused input, and a report stream that cannot be written.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "engine/run.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"
#include "input_text.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::InputText;
using testing::read_file;
using testing::ScratchDir;

// The report with its date line (the time of the run) left out.
std::string without_date(const std::string& report) {
  const std::size_t at = report.find("Date:  ");
  if (at == std::string::npos) return report;
  return report.substr(0, at) + report.substr(report.find('\n', at));
}

struct StreamOutcome {
  RunResult result;
  std::string console;
  std::string report;
  std::string plot;
};

StreamOutcome run_streams(const RunFiles& files, std::istream* input, std::istream* cpt) {
  std::ostringstream console;
  std::ostringstream report;
  std::ostringstream plot;
  StreamOutcome o;
  o.result =
      run_analysis(files, RunStreams{input, cpt, &report, &plot}, Console{&console, nullptr});
  o.console = console.str();
  o.report = report.str();
  o.plot = plot.str();
  return o;
}

TEST(RunStreams, WritesTheLinesOfTheRunOnFiles) {
  const std::string input =
      read_file(std::filesystem::path(ZOLAN_SOURCE_DIR) / "examples/english-open-pipe/pipe.dat");
  ScratchDir dir;
  const testing::RunOutcome on_files = testing::run_input(dir, input);
  ASSERT_EQ(on_files.result.code(), 0) << on_files.result.message;

  std::istringstream in(input);
  std::istringstream cpt("0 0\n");
  const StreamOutcome on_streams = run_streams(testing::files_in(dir), &in, &cpt);
  EXPECT_EQ(on_streams.result.code(), 0) << on_streams.result.message;
  EXPECT_EQ(on_streams.console, on_files.console);
  EXPECT_EQ(without_date(on_streams.report), without_date(on_files.report));
  EXPECT_EQ(on_streams.plot, on_files.plot);
  EXPECT_GT(on_streams.plot.size(), 10000u);         // the verification curves are there
  EXPECT_EQ(testing::count_entries(dir.path()), 4);  // nothing written beside the files
}

TEST(RunStreams, RefusedInputEndsTheReportWithTheErrorLine) {
  InputText t;
  t.r4 = "3 1 2 0";
  std::istringstream in(t.str());
  RunFiles files;
  files.input_file_name = "memory.dat";
  const StreamOutcome o = run_streams(files, &in, nullptr);
  EXPECT_EQ(o.result.status, RunStatus::kBadInput);
  const std::string line =
      " ERROR - input data file \"memory.dat\", line 4 (record 4): unit_system";
  EXPECT_NE(o.report.find(line), std::string::npos) << o.report;
  EXPECT_TRUE(o.report.ends_with(". THE RUN STOPPED; NO RESULTS WERE COMPUTED.\n"));
  EXPECT_NE(o.console.find(line), std::string::npos);
  EXPECT_EQ(o.plot, "");
}

TEST(RunStreams, WithoutAnInputStreamNothingIsComputed) {
  RunFiles files;
  files.input_file_name = "memory.dat";
  const StreamOutcome o = run_streams(files, nullptr, nullptr);
  EXPECT_EQ(o.result.status, RunStatus::kFileError);
  EXPECT_EQ(o.result.message, "input data file \"memory.dat\" cannot be read: no stream was given");
}

TEST(RunStreams, AReportStreamThatFailsIsNoCompletedRun) {
  std::istringstream in(InputText().str());
  std::ostream broken(nullptr);  // every write fails
  std::ostringstream console;
  RunFiles files;
  files.output_file_name = "memory.out";
  const RunResult r =
      run_analysis(files, RunStreams{&in, nullptr, &broken, nullptr}, Console{&console, nullptr});
  EXPECT_EQ(r.status, RunStatus::kFileError);
  EXPECT_EQ(r.message, "output report \"memory.out\" could not be written completely");
}

TEST(RunStreams, AModelAsReadRunsAsItsInputAndIsHandedOver) {
  const std::string input =
      read_file(std::filesystem::path(ZOLAN_SOURCE_DIR) / "examples/english-open-pipe/pipe.dat");
  RunFiles files;
  files.input_file_name = "pipe.dat";
  std::istringstream in(input);
  const StreamOutcome read = run_streams(files, &in, nullptr);
  ASSERT_EQ(read.result.code(), 0) << read.result.message;

  auto model = std::make_unique<AnalysisModel>();
  std::istringstream again(input);
  read_input_data(again, "pipe.dat", *model);
  set_unit_labels(*model);
  std::ostringstream console, report, plot;
  RunStreams streams{nullptr, nullptr, &report, &plot};
  streams.model = model.get();
  int handed = 0;
  double tip_ultimate = 0.0;
  const RunResult r = run_analysis(files, streams, Console{&console, nullptr},
                                   [&](const FinishedRun& run) {
                                     ++handed;
                                     const MethodResults& api = run.model.method_results[kSelApi];
                                     tip_ultimate = api.ultimate[run.model.npen];
                                   });
  EXPECT_EQ(r.code(), 0) << r.message;
  EXPECT_EQ(without_date(report.str()), without_date(read.report));
  EXPECT_EQ(plot.str(), read.plot);
  EXPECT_EQ(handed, 1);
  // The last row of the API table of the report: 60.00 ft, 664.3 kips.
  EXPECT_NEAR(tip_ultimate, 664.3, 0.05);
  EXPECT_EQ(model->npen, 0);  // the run computed on its own copy
}

TEST(RunStreams, AModelAsReadGetsTheLoadTransferCheck) {
  auto model = std::make_unique<AnalysisModel>();
  std::istringstream in(
      read_file(std::filesystem::path(ZOLAN_SOURCE_DIR) / "examples/english-open-pipe/pipe.dat"));
  read_input_data(in, "pipe.dat", *model);
  set_unit_labels(*model);
  model->load_transfer_method = 10;
  RunFiles files;
  files.input_file_name = "pipe.dat";
  RunStreams streams;
  streams.model = model.get();
  std::ostringstream console;
  const RunResult r = run_analysis(files, streams, Console{&console, nullptr});
  EXPECT_EQ(r.status, RunStatus::kBadInput);
  EXPECT_EQ(r.message, "input data file \"pipe.dat\" (record 7): load_transfer_method 10 must be 1 to 9");
}

}  // namespace
}  // namespace zolan
