// The results of a finished run read back from its files: the method
// tables of the report (titles, rows, plug markers) and the plot data file
// (unit friction, t-z and tip curves, load distribution, load-settlement
// curve, verification curves). Rows are those printed in the tables.
#pragma once

#include <filesystem>

#include "results/results.hpp"

namespace zolan::results {

struct RunFileNames {
  std::filesystem::path report;
  std::filesystem::path plot;
};

// The report and plot data file named by RUN_DIR/names.dat, resolved
// against RUN_DIR. Throws std::runtime_error when names.dat cannot be read.
RunFileNames run_file_names(const std::filesystem::path& run_directory);

// Throws std::runtime_error naming the file and line that cannot be read.
Results read_finished_run(const std::filesystem::path& report, const std::filesystem::path& plot);

}  // namespace zolan::results
