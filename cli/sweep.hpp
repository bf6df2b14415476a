// One input varied over the pile length or the outside diameter: every
// variant run in parallel on in-memory streams, the capacities at the tip
// and the pile-head load at 1 in (25.4 mm) of settlement as CSV, and a chart
// of capacity against the varied value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run.hpp"
#include "results/chart.hpp"

namespace zolan::cli {

// first:last:step, the values first, first + step, ... up to last.
struct SweepRange {
  double first = 0.0;
  double last = 0.0;
  double step = 1.0;
};
// Null when the text is not three numbers with a step greater than 0 and
// last not below first.
std::optional<SweepRange> parse_sweep_range(std::string_view text);
// first + k x step for k = 0, 1, ... while not beyond last (within a
// millionth of the step, so that 40:120:5 ends at 120).
std::vector<double> sweep_values(const SweepRange& range);

enum class SweepQuantity { kLength, kDiameter };

// The input data text with record 5 (the pile) rewritten on one line:
// the total length set to `value`, or the outside diameter set to `value`
// and the inside diameter scaled by the same ratio (the wall keeps its
// proportion). Throws InputError when records 1 to 5 cannot be read, and for
// a diameter sweep of a section given by its perimeter.
std::string with_pile_value(const std::string& input_text, SweepQuantity quantity, double value);

struct MethodTip {
  std::string key;   // "api"
  std::string name;  // "API RP 2A"
  double capacity = 0.0;
};

struct VariantOutcome {
  double value = 0.0;
  RunResult result;
  bool english = true;      // the run's units (when it completed)
  std::string force_unit;   // "kips" or "kN"
  std::vector<MethodTip> methods;  // the methods asked for, in input order
  std::optional<double> head_load;  // at 1 in (25.4 mm) of settlement
};

// Runs every variant on `threads` threads; the outcomes in the order of the
// values. A variant whose input cannot be written is one that did not
// complete.
std::vector<VariantOutcome> run_sweep(const std::string& input_text, const std::string* cpt_text,
                                      SweepQuantity quantity, const std::vector<double>& values,
                                      int threads);

// One CSV line per variant: the value, the capacity at the tip by method,
// the pile-head load at 1 in (25.4 mm) and the result; empty cells where a
// variant has no value.
std::string sweep_csv(const std::vector<VariantOutcome>& outcomes, SweepQuantity quantity);

// Capacity at the tip by method against the varied value.
chart::Figure sweep_figure(const std::vector<VariantOutcome>& outcomes, SweepQuantity quantity);

}  // namespace zolan::cli
