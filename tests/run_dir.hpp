// Scratch directories and file helpers for whole-run tests.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/run.hpp"

namespace zolan::testing {

namespace fs = std::filesystem;

// A fresh directory under the system's temporary directory, removed at the
// end of the test.
class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("zolan-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// Copies every file of an example folder into `to`.
inline void copy_example(const std::string& name, const fs::path& to) {
  const fs::path from = fs::path(ZOLAN_SOURCE_DIR) / "examples" / name;
  for (const auto& entry : fs::directory_iterator(from)) {
    if (entry.is_regular_file()) fs::copy_file(entry.path(), to / entry.path().filename());
  }
}

inline int count_entries(const fs::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
  return n;
}

// The file set of a run in a scratch directory: in.dat, cpt.cpt, out.txt
// and plot.plt.
inline RunFiles files_in(const ScratchDir& dir) {
  RunFiles f;
  f.version_text = "TEST        ";
  f.input_file_name = (dir / "in.dat").string();
  f.output_file_name = (dir / "out.txt").string();
  f.plot_file_name = (dir / "plot.plt").string();
  f.cpt_file_name = (dir / "cpt.cpt").string();
  return f;
}

struct RunOutcome {
  RunResult result;
  std::string console;
  std::string report;
  std::string plot;
};

// Runs a file set with an empty console input and reads back what it wrote.
inline RunOutcome run_files(const RunFiles& files) {
  std::ostringstream console_out;
  std::istringstream console_in;
  RunOutcome o;
  o.result = run_analysis(files, Console{&console_out, &console_in});
  o.console = console_out.str();
  o.report = read_file(files.output_file_name);
  o.plot = read_file(files.plot_file_name);
  return o;
}

// The lines of a report table, from the line holding `title` to the end of
// its rows (the first empty line after the headings).
inline std::vector<std::string> table_lines(const std::string& report, const std::string& title) {
  std::vector<std::string> lines;
  const std::size_t at = report.find(title);
  if (at == std::string::npos) return lines;
  std::istringstream s(report.substr(report.rfind('\n', at) + 1));
  std::string line;
  while (std::getline(s, line)) {
    // The table ends at an empty line, or at a report line of another
    // method (written from column 2) that follows it directly.
    if (lines.size() > 3 && (line.empty() || line.rfind("  ", 0) != 0)) break;
    lines.push_back(line);
  }
  return lines;
}

// A number too wide for its field, or not finite, prints as asterisks; the
// plug marker is a single one.
inline bool holds_garbage(const std::string& text) {
  return text.find("**") != std::string::npos || text.find("nan") != std::string::npos ||
         text.find("inf") != std::string::npos;
}

// A report with its date and time line masked ("Date:  DATE").
inline std::string mask_date(const std::string& report) {
  static const std::regex date(
      "Date:  (January|February|March|April|May|June|July|August|September|October|November|"
      "December) [0-3][0-9], [0-9]{4}     Time:  [0-2][0-9]:[0-5][0-9]:[0-6][0-9]");
  return std::regex_replace(report, date, "Date:  DATE");
}

// Writes the input data and CPT data files into `dir` and runs them.
inline RunOutcome run_input(const ScratchDir& dir, const std::string& input,
                            const std::string& cpt = "0 0\n") {
  write_file(dir / "in.dat", input);
  write_file(dir / "cpt.cpt", cpt);
  return run_files(files_in(dir));
}

}  // namespace zolan::testing
