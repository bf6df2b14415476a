// The lines of a method's result table in a report, and the checks that no
// number in them or in the plot data file is garbage.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace zolan::testing {

// From the title line (the title text as printed, with its indent) to the
// last row; empty when the title is not in the report.
inline std::vector<std::string> table_lines(const std::string& report, const std::string& title) {
  std::vector<std::string> lines;
  const std::size_t at = report.find("\n" + title + "\n");
  if (at == std::string::npos) return lines;
  std::istringstream s(report.substr(at + 1));
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

}  // namespace zolan::testing
