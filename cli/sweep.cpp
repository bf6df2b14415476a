#include "cli/sweep.hpp"

#include <charconv>
#include <cmath>
#include <sstream>

#include "cli/parallel.hpp"
#include "model/free_format.hpp"
#include "results/results.hpp"
#include "results/summary.hpp"

namespace zolan::cli {
namespace {

// Text records 1 to 3 are read whole (their width does not matter here).
constexpr int kWholeLine = 1 << 20;

// The settlement of the CSV: 1 in (25.4 mm), the second of the summary's.
constexpr std::size_t kOneInch = 1;

// Values of record 5 in input order.
enum PileField { kPerimeter, kTipArea, kDiameter, kInnerDiameter, kModulus, kLength, kStickup };
constexpr int kPileFields = 7;

// The shortest text that reads back as the same double, with an E exponent.
std::string exact_text(double value) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  std::string s(text, end);
  for (char& c : s) {
    if (c == 'e') c = 'E';
  }
  return s;
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

std::string quantity_heading(SweepQuantity q, bool english) {
  if (q == SweepQuantity::kLength) return english ? "length_ft" : "length_m";
  return english ? "diameter_in" : "diameter_mm";
}

std::string quantity_title(SweepQuantity q, bool english) {
  if (q == SweepQuantity::kLength) return english ? "Pile length (ft)" : "Pile length (m)";
  return english ? "Outside diameter (in)" : "Outside diameter (mm)";
}

// A CSV cell in double quotes, its own quotes doubled.
std::string csv_quoted(const std::string& text) {
  std::string cell = "\"";
  for (char c : text) cell += c == '"' ? std::string("\"\"") : std::string(1, c);
  return cell + "\"";
}

VariantOutcome run_variant(const std::string& input_text, const std::string* cpt_text,
                           SweepQuantity quantity, double value) {
  VariantOutcome outcome;
  outcome.value = value;
  std::istringstream input;
  try {
    input.str(with_pile_value(input_text, quantity, value));
  } catch (const std::exception& e) {
    outcome.result = {RunStatus::kBadInput, e.what()};
    return outcome;
  }
  std::istringstream cpt(cpt_text != nullptr ? *cpt_text : std::string());
  std::ostringstream report;
  std::ostringstream plot;
  std::ostringstream console_text;
  RunFiles files;
  files.version_text = "SWEEP       ";
  files.input_file_name = "sweep.dat";
  files.cpt_file_name = cpt_text != nullptr ? "sweep.cpt" : "";
  files.output_file_name = "sweep.out";
  files.plot_file_name = "sweep.plt";
  const FinishedRunObserver on_finished = [&](const FinishedRun& run) {
    const results::Results r = results::collect_results(run);
    outcome.english = r.units.english;
    outcome.force_unit = r.units.force;
    for (const results::MethodCapacity& m : r.methods) {
      if (!m.printed || m.rows.empty()) continue;
      outcome.methods.push_back({m.key, m.name, m.rows.back().ultimate});
    }
    const auto settlements = results::summary_settlements(r.units);
    if (settlements.size() > kOneInch) {
      outcome.head_load = results::head_load_at(r.load_settlement, settlements[kOneInch].value);
    }
  };
  try {
    outcome.result = run_analysis(
        files, RunStreams{&input, cpt_text != nullptr ? &cpt : nullptr, &report, &plot},
        Console{&console_text, nullptr}, on_finished);
  } catch (const std::exception& e) {
    // The results of a completed run could not be taken (out of memory).
    outcome.result = {RunStatus::kInternalError, e.what()};
  }
  return outcome;
}

// The methods of the sweep: those of the first variant that completed.
const VariantOutcome* first_completed(const std::vector<VariantOutcome>& outcomes) {
  for (const VariantOutcome& o : outcomes) {
    if (o.result.code() == 0) return &o;
  }
  return nullptr;
}

}  // namespace

std::optional<SweepRange> parse_sweep_range(std::string_view text) {
  double parts[3] = {0.0, 0.0, 0.0};
  std::size_t start = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t end = k < 2 ? text.find(':', start) : text.size();
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view part = text.substr(start, end - start);
    const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), parts[k]);
    if (part.empty() || ec != std::errc() || ptr != part.data() + part.size()) return std::nullopt;
    if (!std::isfinite(parts[k])) return std::nullopt;
    start = end + 1;
  }
  const SweepRange range{parts[0], parts[1], parts[2]};
  if (!(range.step > 0.0) || range.last < range.first) return std::nullopt;
  return range;
}

std::vector<double> sweep_values(const SweepRange& range) {
  std::vector<double> values;
  const double slack = range.step * 1e-6;
  for (int k = 0;; ++k) {
    const double v = range.first + k * range.step;
    if (v > range.last + slack) break;
    values.push_back(v);
  }
  return values;
}

std::string with_pile_value(const std::string& input_text, SweepQuantity quantity, double value) {
  std::istringstream in(input_text);
  RecordReader r(in, "input data file");
  for (const char* record : {"record 1", "record 2", "record 3"}) r.read_text(kWholeLine, record);
  int flags[4] = {0, 0, 0, 0};
  r.read({Field::integer(flags[0], "unit_system"), Field::integer(flags[1], "output_interval"),
          Field::integer(flags[2], "soil_point_count"),
          Field::integer(flags[3], "pile_end_condition")},
         "record 4");
  double pile[kPileFields] = {};
  r.read({Field::real(pile[kPerimeter], "perimeter_input"),
          Field::real(pile[kTipArea], "tip_area_user"),
          Field::real(pile[kDiameter], "pile_diameter"),
          Field::real(pile[kInnerDiameter], "inner_diameter"),
          Field::real(pile[kModulus], "modulus_of_elasticity"),
          Field::real(pile[kLength], "pile_length"), Field::real(pile[kStickup], "stickup")},
         "record 5");
  const auto first_line = static_cast<std::size_t>(r.record_line());
  const auto next_line = static_cast<std::size_t>(r.line_number());
  if (quantity == SweepQuantity::kLength) {
    pile[kLength] = value;
  } else {
    if (pile[kPerimeter] != 0.0) {
      throw InputError(
          "the pile's section is given by its perimeter (record 5), so its diameter cannot be "
          "varied");
    }
    // The inside diameter keeps its ratio to the outside diameter.
    if (pile[kDiameter] > 0.0) pile[kInnerDiameter] = pile[kInnerDiameter] * value / pile[kDiameter];
    pile[kDiameter] = value;
  }
  std::string record;
  for (int k = 0; k < kPileFields; ++k) record += (k > 0 ? " " : "") + exact_text(pile[k]);
  record += "\n";

  const std::vector<std::string> lines = split_lines(input_text);
  std::string out;
  for (std::size_t k = 1; k <= lines.size(); ++k) {
    if (k == first_line) out += record;
    if (k < first_line || k >= next_line) out += lines[k - 1];
  }
  return out;
}

std::vector<VariantOutcome> run_sweep(const std::string& input_text, const std::string* cpt_text,
                                      SweepQuantity quantity, const std::vector<double>& values,
                                      int threads) {
  std::vector<VariantOutcome> outcomes(values.size());
  run_in_parallel(static_cast<int>(values.size()), threads, [&](int k) {
    const auto i = static_cast<std::size_t>(k);
    outcomes[i] = run_variant(input_text, cpt_text, quantity, values[i]);
  });
  return outcomes;
}

std::string sweep_csv(const std::vector<VariantOutcome>& outcomes, SweepQuantity quantity) {
  const VariantOutcome* model = first_completed(outcomes);
  const bool english = model == nullptr || model->english;
  const std::string force = model != nullptr ? model->force_unit : std::string("kips");
  std::ostringstream out;
  out << quantity_heading(quantity, english);
  if (model != nullptr) {
    for (const MethodTip& m : model->methods) out << "," << m.key << "_" << force;
  }
  out << ",head_load_" << (english ? "1in" : "25.4mm") << "_" << force << ",result\n";
  for (const VariantOutcome& o : outcomes) {
    out << exact_text(o.value);
    if (model != nullptr) {
      for (const MethodTip& m : model->methods) {
        out << ",";
        for (const MethodTip& mine : o.methods) {
          if (mine.key == m.key) out << exact_text(mine.capacity);
        }
      }
    }
    out << "," << (o.head_load ? exact_text(*o.head_load) : std::string());
    out << "," << (o.result.code() == 0 ? std::string("completed") : csv_quoted(o.result.message))
        << "\n";
  }
  return out.str();
}

chart::Figure sweep_figure(const std::vector<VariantOutcome>& outcomes, SweepQuantity quantity) {
  const VariantOutcome* model = first_completed(outcomes);
  const bool english = model == nullptr || model->english;
  chart::Panel panel;
  panel.x.title = quantity_title(quantity, english);
  panel.x.from_zero = false;
  panel.y.title = "Capacity at the tip (" + (model != nullptr ? model->force_unit : "kips") + ")";
  if (model != nullptr) {
    int style = 0;
    for (const MethodTip& m : model->methods) {
      chart::Series series;
      series.label = m.name;
      series.style = style++;
      for (const VariantOutcome& o : outcomes) {
        for (const MethodTip& mine : o.methods) {
          if (mine.key == m.key) series.points.push_back({o.value, mine.capacity});
        }
      }
      series.marks = series.points;
      panel.series.push_back(std::move(series));
    }
  }
  chart::Figure figure;
  figure.title = "Capacity at the tip against " +
                 std::string(quantity == SweepQuantity::kLength ? "pile length" : "outside diameter");
  figure.panels.push_back(std::move(panel));
  figure.panel_width = 520;
  return figure;
}

}  // namespace zolan::cli
