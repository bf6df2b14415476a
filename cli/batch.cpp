#include "cli/batch.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <sstream>

#include "cli/parallel.hpp"
#include "results/results.hpp"

namespace zolan::cli {
namespace {

namespace fs = std::filesystem;

CaseOutcome run_case(const fs::path& folder) {
  CaseOutcome outcome;
  outcome.folder = folder;
  std::ostringstream console_text;
  // No one answers the console: a names.dat that asks for a name fails.
  std::istringstream no_answers;
  const Console console{&console_text, &no_answers};
  const auto started = std::chrono::steady_clock::now();
  const FinishedRunObserver on_finished = [&](const FinishedRun& run) {
    const results::Results r = results::collect_results(run);
    outcome.force_unit = r.units.force;
    const results::MethodCapacity* method = r.load_transfer();
    if (method != nullptr && !method->rows.empty()) {
      outcome.tip_capacity = method->rows.back().ultimate;
    }
  };
  RunResult result;
  try {
    result = run_from_names_file(folder, console, on_finished);
  } catch (const std::exception& e) {
    result = {RunStatus::kInternalError, e.what()};
  }
  outcome.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  outcome.status = result.status;
  outcome.message = result.message;
  outcome.console = std::move(console_text).str();
  return outcome;
}

std::string fixed(double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  return text;
}

}  // namespace

std::vector<CaseOutcome> run_batch(const std::vector<fs::path>& folders, int threads,
                                   const BatchProgress& progress) {
  std::vector<CaseOutcome> outcomes(folders.size());
  std::mutex progress_lock;
  int done = 0;
  const int total = static_cast<int>(folders.size());
  run_in_parallel(total, threads, [&](int k) {
    outcomes[static_cast<std::size_t>(k)] = run_case(folders[static_cast<std::size_t>(k)]);
    const std::lock_guard<std::mutex> hold(progress_lock);
    ++done;
    if (progress) progress(done, total);
  });
  return outcomes;
}

std::string status_word(RunStatus status) {
  switch (status) {
    case RunStatus::kCompleted:
      return "completed";
    case RunStatus::kStopped:
      return "stopped";
    case RunStatus::kBadInput:
      return "bad input";
    case RunStatus::kFileError:
      return "file error";
    case RunStatus::kInternalError:
      break;
  }
  return "internal error";
}

std::string batch_summary(const std::vector<CaseOutcome>& outcomes) {
  std::size_t case_width = 4;  // "Case"
  for (const CaseOutcome& o : outcomes) case_width = std::max(case_width, o.folder.string().size());
  const auto padded = [](std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
  };
  std::ostringstream out;
  out << padded("Case", case_width) << "  " << padded("Result", 14) << "  "
      << padded("Tip capacity", 20) << "  Seconds\n";
  int failed = 0;
  for (const CaseOutcome& o : outcomes) {
    const std::string capacity =
        o.tip_capacity ? fixed(*o.tip_capacity, 1) + " " + o.force_unit : std::string("-");
    out << padded(o.folder.string(), case_width) << "  " << padded(status_word(o.status), 14)
        << "  " << padded(capacity, 20) << "  " << fixed(o.seconds, 3) << "\n";
    if (!o.completed()) ++failed;
  }
  out << outcomes.size() << " cases, " << outcomes.size() - static_cast<std::size_t>(failed)
      << " completed, " << failed << " did not complete\n";
  for (const CaseOutcome& o : outcomes) {
    if (o.completed()) continue;
    out << "\n" << o.folder.string() << ": "
        << (o.message.empty() ? status_word(o.status) : o.message) << "\n";
  }
  return out.str();
}

std::string progress_bar(int done, int total, int width) {
  const int filled = total > 0 ? done * width / total : width;
  std::string bar = "\r[";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(width - filled), ' ');
  bar += "] " + std::to_string(done) + "/" + std::to_string(total);
  return bar;
}

}  // namespace zolan::cli
