// The SVG plots of a run's results: capacity against penetration by method
// (with skin friction and end bearing), load against settlement at the pile
// head and tip, the t-z curves with the tip curve, and the verification t-z
// curves when the input asks for them.
#pragma once

#include <string>
#include <vector>

#include "results/results.hpp"

namespace zolan::results {

struct Plot {
  std::string file_name;  // "capacity.svg"
  std::string title;
  std::string svg;
};

std::vector<Plot> make_plots(const Results& r);

}  // namespace zolan::results
