// The results of a run as JSON (layout and units: docs/results.schema.json).
#pragma once

#include <string>

#include "results/results.hpp"

namespace zolan::results {

// The JSON text, indented by two blanks, ending with a line end.
std::string results_json(const Results& r, const std::string& program_version);

}  // namespace zolan::results
