// An example run with its results collected, and the rows of its report
// tables read by their printed tokens, for checking results against the
// report lines.
#pragma once

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run.hpp"
#include "results/results.hpp"
#include "run_dir.hpp"

namespace zolan::testing {

struct ExampleRun {
  ScratchDir dir;
  RunResult result;
  std::optional<results::Results> results;
  std::string report;
  std::string plot;
};

// Runs an example folder (names.dat) in a scratch copy.
inline void run_example(const std::string& folder, ExampleRun& run) {
  copy_example(folder, run.dir.path());
  std::ostringstream out;
  std::istringstream in;
  fs::path report, plot;
  run.result = run_from_names_file(run.dir.path(), Console{&out, &in},
                                   [&](const FinishedRun& f) {
                                     run.results = results::collect_results(f);
                                     report = f.report_path;
                                     plot = f.plot_path;
                                   });
  run.report = read_file(report);
  run.plot = read_file(plot);
}

// The printed tokens of each row of the table titled `title`, keyed by the
// first token (the penetration as printed, "25.00").
inline std::map<std::string, std::vector<std::string>> report_rows(const std::string& report,
                                                                   const std::string& title) {
  std::map<std::string, std::vector<std::string>> rows;
  const std::size_t at = report.find(title);
  if (at == std::string::npos) return rows;
  std::istringstream s(report.substr(at));
  std::string line;
  for (int k = 0; k < 6 && std::getline(s, line); ++k) {
  }  // title, stars, blank, three heading lines
  while (std::getline(s, line) && line.find_first_not_of(' ') != std::string::npos) {
    std::istringstream t(line);
    std::vector<std::string> tokens;
    std::string token;
    while (t >> token) tokens.push_back(token);
    rows[tokens.front()] = tokens;
  }
  return rows;
}

// A value printed with `digits` decimals, as the report prints it.
inline std::string printed(double value, int digits) {
  std::ostringstream s;
  s.setf(std::ios::fixed);
  s.precision(digits);
  s << value;
  return s.str();
}

}  // namespace zolan::testing
