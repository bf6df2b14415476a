// One run of the engine: from the file set to the closed report and plot
// data file. Nothing here is global; runs on separate threads are
// independent as long as their files differ.
#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "engine/run_control.hpp"

namespace zolan {

enum class RunStatus {
  kCompleted,      // report and plot data file written and closed
  kStopped,        // soil profile too shallow, or more than 500 penetration points
  kBadInput,       // a run-control, input or CPT data file the engine cannot use
  kFileError,      // a file could not be opened, read or written
  kInternalError,  // anything else (out of memory); nothing computed is trusted
};

struct RunResult {
  RunStatus status = RunStatus::kCompleted;
  std::string message;  // the error line, empty when completed or stopped

  // The engine's result code: 0 completed, 1 anything else.
  int code() const { return status == RunStatus::kCompleted ? 0 : 1; }
};

struct AnalysisModel;

// A completed run as its caller may look at it: the model the report and
// the plot data file were written from, the file set, and the paths the
// report and the plot data file were written to.
struct FinishedRun {
  const AnalysisModel& model;
  const RunFiles& files;
  std::filesystem::path report_path;
  std::filesystem::path plot_path;
};

// Called once when a run completes, after its files are closed; not called
// for a run that is refused or stopped.
using FinishedRunObserver = std::function<void(const FinishedRun&)>;

// The run of IZOLAN(5) with `directory` as the working directory: names.dat
// is read there and relative file names resolve against it.
RunResult run_from_names_file(const std::filesystem::path& directory, const Console& console);

// The same analysis on the named files, without names.dat. Relative names
// resolve against the current directory.
RunResult run_analysis(const RunFiles& files, const Console& console);

// The same two runs, handing the completed run to `on_finished`.
RunResult run_from_names_file(const std::filesystem::path& directory, const Console& console,
                              const FinishedRunObserver& on_finished);
RunResult run_analysis(const RunFiles& files, const Console& console,
                       const FinishedRunObserver& on_finished);
// The streams of an analysis held in memory: the input data and CPT data are
// read from `input` and `cpt` (null: no CPT data), the report and the plot
// data are written to `report` and `plot` (null: not written).
struct RunStreams {
  std::istream* input = nullptr;
  std::istream* cpt = nullptr;
  std::ostream* report = nullptr;
  std::ostream* plot = nullptr;
};

// The same analysis on streams instead of files: nothing is opened, and
// `files` gives only the version text and the names the report header and
// the messages show. The streams are flushed, not closed, at the end.
RunResult run_analysis(const RunFiles& files, const RunStreams& streams, const Console& console);
// The same, handing the completed run to `on_finished` (with empty report
// and plot paths).
RunResult run_analysis(const RunFiles& files, const RunStreams& streams, const Console& console,
                       const FinishedRunObserver& on_finished);

}  // namespace zolan
