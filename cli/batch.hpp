// Many analyses at once: each case folder is run as its names.dat says, on
// worker threads, each with its own console; one case that fails never
// stops the others.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/run.hpp"

namespace zolan::cli {

struct CaseOutcome {
  std::filesystem::path folder;
  RunStatus status = RunStatus::kInternalError;
  std::string message;   // the error line of a case that did not complete
  std::string console;   // what the run wrote to its console
  // Ultimate capacity at the tip by the load-transfer method, and its unit.
  std::optional<double> tip_capacity;
  std::string force_unit;
  double seconds = 0.0;

  bool completed() const { return status == RunStatus::kCompleted; }
};

// Called after each case with the number done so far and the total (from
// one thread at a time).
using BatchProgress = std::function<void(int done, int total)>;

// Runs every case folder on `threads` threads; the outcomes in the order of
// `folders`.
std::vector<CaseOutcome> run_batch(const std::vector<std::filesystem::path>& folders, int threads,
                                   const BatchProgress& progress);

// A word for the outcome of a run: "completed", "stopped", "bad input",
// "file error" or "internal error".
std::string status_word(RunStatus status);

// The summary table: case, result, capacity at the tip, seconds; then the
// message of each case that did not complete.
std::string batch_summary(const std::vector<CaseOutcome>& outcomes);

// A progress bar of `width` cells, as one line beginning with a carriage
// return (for a terminal).
std::string progress_bar(int done, int total, int width);

}  // namespace zolan::cli
