// Whole runs on hostile files: the split of one fuzz input into an input
// data file and a CPT data file, the run through run_analysis in a scratch
// directory, and what every outcome must look like. Shared by the
// whole-run fuzz target and the replay of tests/regression/whole_run/, so a
// kept input is checked the same way in both.
#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run.hpp"

namespace zolan::fuzz {

namespace fs = std::filesystem;

// One fuzz input: everything before the first line that reads exactly
// "@CPT" is the input data file (with the line end before it), everything
// after that line the CPT data file. Without such a line the whole input
// is the input data file and the run has no CPT data (a blank CPT name).
inline constexpr std::string_view kCptSeparator = "\n@CPT\n";

struct WholeRunInput {
  std::string input;
  bool has_cpt = false;
  std::string cpt;
};

inline WholeRunInput split_whole_run_input(std::string_view data) {
  WholeRunInput w;
  std::size_t split = std::string_view::npos;
  std::size_t after = 0;
  if (data.starts_with(kCptSeparator.substr(1))) {
    split = 0;
    after = kCptSeparator.size() - 1;
  } else if (const std::size_t p = data.find(kCptSeparator); p != std::string_view::npos) {
    split = p + 1;
    after = p + kCptSeparator.size();
  }
  if (split == std::string_view::npos) {
    w.input = std::string(data);
    return w;
  }
  w.input = std::string(data.substr(0, split));
  w.has_cpt = true;
  w.cpt = std::string(data.substr(after));
  return w;
}

// The files of a run in its scratch directory.
inline constexpr const char* kInputName = "in.dat";
inline constexpr const char* kCptName = "in.cpt";
inline constexpr const char* kReportName = "out.txt";
inline constexpr const char* kPlotName = "plot.plt";

// Widths of the longest fixed layouts. Report: the stop message of a soil
// profile shallower than the pile, 10X "IS LESS THAN PILE " "EMBEDDED LENGTH
// PLUS TWO TIMES THE PILE DIAMETER " F10.2 1X A3 = 91 (next come the
// heading of a battered method table with the core length, 86, its rows,
// 84, and the designer line, 83). Plot data file: a t-z curve point, 40X
// E17.4 E16.4 = 73. The file-name block holds the names as they are and is
// checked against them; the error line of a refused run holds the message.
inline constexpr std::size_t kReportWidth = 91;
inline constexpr std::size_t kPlotWidth = 73;

struct WholeRunOutcome {
  RunResult result;
  std::string console;
  std::string report;
  std::string plot;
  std::vector<std::string> entries;  // the scratch directory after the run, sorted
};

inline std::string file_text(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_text(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::vector<std::string> entries_of(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline RunFiles whole_run_files(const fs::path& dir, bool has_cpt) {
  RunFiles f;
  f.version_text = "FUZZ        ";
  f.input_file_name = (dir / kInputName).string();
  f.output_file_name = (dir / kReportName).string();
  f.plot_file_name = (dir / kPlotName).string();
  f.cpt_file_name = has_cpt ? (dir / kCptName).string() : std::string();
  return f;
}

// Empties `dir`, writes the two data files and runs the analysis there
// (console to a string, an empty console input).
inline WholeRunOutcome run_whole(const fs::path& dir, const WholeRunInput& w) {
  for (const auto& e : fs::directory_iterator(dir)) fs::remove_all(e.path());
  write_text(dir / kInputName, w.input);
  if (w.has_cpt) write_text(dir / kCptName, w.cpt);
  std::ostringstream console_out;
  std::istringstream console_in;
  const Console console{&console_out, &console_in};
  WholeRunOutcome o;
  o.result = run_analysis(whole_run_files(dir, w.has_cpt), console);
  o.console = console_out.str();
  o.report = file_text(dir / kReportName);
  o.plot = file_text(dir / kPlotName);
  o.entries = entries_of(dir);
  return o;
}

inline std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A number the formatter could not write: what printf makes of NaN and
// infinity (no fixed text of the engine holds either in lower case).
inline bool holds_non_finite_text(std::string_view line) {
  return line.find("nan") != std::string_view::npos || line.find("inf") != std::string_view::npos;
}

// Empty when the outcome is one a hostile file may have; else what is wrong.
inline std::string check_whole_run(const fs::path& dir, const WholeRunInput& w,
                                   const WholeRunOutcome& o) {
  const RunStatus s = o.result.status;
  if (s != RunStatus::kCompleted && s != RunStatus::kStopped && s != RunStatus::kBadInput) {
    return "run ended with status " + std::to_string(static_cast<int>(s)) + ": " + o.result.message;
  }
  if (o.result.code() != (s == RunStatus::kCompleted ? 0 : 1)) return "wrong result code";
  if ((s == RunStatus::kBadInput) == o.result.message.empty()) {
    return "a refusal without a message, or a message without a refusal";
  }

  // Nothing but the four files of the run.
  std::vector<std::string> expected = {kInputName, kReportName, kPlotName};
  if (w.has_cpt) expected.push_back(kCptName);
  std::sort(expected.begin(), expected.end());
  if (o.entries != expected) {
    std::string found;
    for (const auto& e : o.entries) found += " " + e;
    return "the scratch directory holds:" + found;
  }

  // A run that did not complete shows no result: an empty plot data file,
  // and the report ends with its stop message or its error line.
  if (s != RunStatus::kCompleted) {
    if (!o.plot.empty()) return "a run that did not complete wrote the plot data file";
    if (o.report.find("* COMPUTE LOAD-DISTRIBUTION") != std::string::npos) {
      return "a run that did not complete wrote load-settlement results";
    }
    if (s == RunStatus::kBadInput &&
        !o.report.ends_with(". THE RUN STOPPED; NO RESULTS WERE COMPUTED.\n")) {
      return "a refused run's report does not end with its error line";
    }
  } else {
    if (!o.report.ends_with("\n")) return "the report does not end with a line end";
    if (o.plot.empty() || !o.plot.ends_with("\n")) return "the plot data file is empty or cut";
    if (o.report.find("LOAD VERSUS SETTLEMENT CURVE") == std::string::npos) {
      return "a completed run has no load-settlement table";
    }
  }

  // The file-name block, the run description and the error line hold the
  // user's texts; every other line has a fixed layout.
  const std::string prefixes[] = {
      "     Path to file locations      : " + dir.string() + "/",
      std::string("     Name of input data file     : ") + kInputName,
      std::string("     Name of output file         : ") + kReportName,
      std::string("     Name of plot output file    : ") + kPlotName,
  };
  const std::vector<std::string_view> report = lines_of(o.report);
  std::size_t title_line = report.size();
  for (std::size_t k = 0; k < report.size(); ++k) {
    if (report[k] == "          * INPUT INFORMATION *") title_line = k + 5;
  }
  for (std::size_t k = 0; k < report.size(); ++k) {
    const std::string_view line = report[k];
    bool names_line = false;
    for (const std::string& p : prefixes) names_line = names_line || line == p;
    if (!names_line && line.starts_with("     Path to file locations      : ")) {
      return "the path line is \"" + std::string(line) + "\"";
    }
    const bool user_text = names_line || k == title_line ||
                           line.starts_with("          DESIGNER   : ") ||
                           line.starts_with("          JOB NUMBER : ") ||
                           (k + 1 == report.size() && line.starts_with(" ERROR - "));
    if (user_text) continue;
    if (line.size() > kReportWidth) {
      return "report line " + std::to_string(k + 1) + " is longer than " +
             std::to_string(kReportWidth) + ": \"" + std::string(line) + "\"";
    }
    if (holds_non_finite_text(line)) {
      return "report line " + std::to_string(k + 1) + " holds NaN or infinity: \"" +
             std::string(line) + "\"";
    }
  }
  for (const std::string_view line : lines_of(o.console)) {
    if (!line.starts_with(" ERROR - ") && holds_non_finite_text(line)) {
      return "console line holds NaN or infinity: \"" + std::string(line) + "\"";
    }
  }
  const std::vector<std::string_view> plot = lines_of(o.plot);
  for (std::size_t k = 0; k < plot.size(); ++k) {
    if (plot[k].size() > kPlotWidth) {
      return "plot line " + std::to_string(k + 1) + " is longer than " +
             std::to_string(kPlotWidth) + ": \"" + std::string(plot[k]) + "\"";
    }
    if (holds_non_finite_text(plot[k])) {
      return "plot line " + std::to_string(k + 1) + " holds NaN or infinity: \"" +
             std::string(plot[k]) + "\"";
    }
  }
  return "";
}

}  // namespace zolan::fuzz
