// Writing the optional outputs of a run: the SVG plots, the JSON file and
// the HTML page.
#pragma once

#include <filesystem>

#include "results/results.hpp"
#include "results/summary.hpp"

namespace zolan::results {

// What to write (an empty path: not asked for).
struct OutputRequest {
  std::filesystem::path plots_dir;
  std::filesystem::path json;
  std::filesystem::path html;
};

// Writes what is asked for; throws std::runtime_error naming the file that
// could not be written.
OutputFiles write_outputs(const Results& r, const OutputRequest& request);

}  // namespace zolan::results
