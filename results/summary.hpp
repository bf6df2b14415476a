// The short summary `zolan run` prints when a run completes: capacity at the
// tip by method, the pile-head load at two settlements, and where the files
// of the run went.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "results/results.hpp"

namespace zolan::results {

// The settlements of the summary: inches, and as English and SI users read
// them.
struct SettlementOfInterest {
  double inches;
  const char* english;
  const char* si;
};
inline constexpr SettlementOfInterest kSummarySettlements[] = {{0.5, "0.5 in", "12.7 mm"},
                                                               {1.0, "1 in", "25.4 mm"}};
inline constexpr double kMetresPerInch = 0.0254;

// Load at the pile head at `settlement` (the curve's movement unit), linear
// on the load-settlement curve from the origin; none beyond its last point.
std::optional<double> head_load_at(const std::vector<SettlementPoint>& curve, double settlement);

// The settlement of the summary in the curve's movement unit, and as the
// user reads it ("0.5 in", "12.7 mm").
struct SummarySettlement {
  double value = 0.0;
  std::string label;
};
std::vector<SummarySettlement> summary_settlements(const Units& units);

// Where the files of the run went (empty: not written).
struct OutputFiles {
  std::filesystem::path plots_dir;
  std::vector<std::filesystem::path> plots;
  std::filesystem::path json;
  std::filesystem::path html;
};

// How the tip carries its load, in a user's words.
std::string plug_description(PlugState s);

// The summary as lines of text (each ends with a line end).
std::string summary_text(const Results& r, const OutputFiles& files);

// A number in a fixed-point field of `width` with `digits` decimals.
std::string fixed(double value, int width, int digits);

}  // namespace zolan::results
