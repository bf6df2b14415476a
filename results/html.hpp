// The one-page HTML report of a run: summary, plots inline, capacity and
// load-settlement tables. Self-contained: no script, nothing fetched.
#pragma once

#include <string>
#include <vector>

#include "results/plots.hpp"
#include "results/results.hpp"

namespace zolan::results {

std::string html_page(const Results& r, const std::vector<Plot>& plots);

}  // namespace zolan::results
