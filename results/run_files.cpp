#include "results/run_files.hpp"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "engine/run_control.hpp"
#include "methods/method.hpp"
#include "model/model.hpp"

namespace zolan::results {
namespace {

namespace fs = std::filesystem;

// Penetrations of the report and the plot data file agree to the last
// printed digit (F7.2).
constexpr double kSamePenetration = 0.006;
// Degrees per radian of the batter angle recovered from the table.
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

std::vector<std::string> lines_of(const fs::path& path, const std::string& what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("the " + what + " \"" + path.string() + "\" cannot be read");
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> tokens_of(const std::string& line) {
  std::istringstream s(line);
  std::vector<std::string> out;
  std::string t;
  while (s >> t) out.push_back(t);
  return out;
}

std::string trim(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// A value of a fixed-width field; a field of asterisks (too wide) is NaN.
double value_of(const std::string& token) {
  char* end = nullptr;
  const double v = std::strtod(token.c_str(), &end);
  if (end == token.c_str() || *end != '\0') return std::nan("");
  return v;
}

// Reads the plot data file record by record.
class PlotReader {
 public:
  PlotReader(std::vector<std::string> lines, fs::path path)
      : lines_(std::move(lines)), path_(std::move(path)) {}

  bool at_end() const { return next_ >= lines_.size(); }
  // Number of values on the next record (0 at the end).
  std::size_t peek() const { return at_end() ? 0 : tokens_of(lines_[next_]).size(); }

  std::vector<double> record(std::size_t count, const char* what) {
    line_ = next_ + 1;
    if (at_end()) fail(std::string("the file ends before the ") + what);
    const std::vector<std::string> t = tokens_of(lines_[next_]);
    if (t.size() != count) {
      fail(std::string("expected ") + std::to_string(count) + " values (" + what + "), found " +
           std::to_string(t.size()));
    }
    ++next_;
    std::vector<double> v;
    for (const std::string& s : t) v.push_back(value_of(s));
    return v;
  }

  // Fails at the record read last (or at the next one, when none is read).
  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("plot data file \"" + path_.string() + "\", line " +
                             std::to_string(line_) + ": " + what);
  }

 private:
  std::vector<std::string> lines_;
  fs::path path_;
  std::size_t next_ = 0;
  std::size_t line_ = 1;
};

// A method table of the report: its method and rows.
struct ReportTable {
  const MethodDescriptor* method = nullptr;
  bool battered = false;
  bool core = false;
  bool tension = false;
  std::vector<CapacityRow> rows;
};

CapacityRow table_row(const std::vector<std::string>& tokens, const ReportTable& t) {
  std::vector<double> v;
  CapacityRow row;
  row.printed = true;
  for (std::string s : tokens) {
    // The plug marker follows the end bearing: "62.2*".
    if (s.size() > 1 && s.back() == '*' && s.find_first_not_of('*') != std::string::npos) {
      s.pop_back();
      row.plug = PlugState::kUnplugged;
    }
    v.push_back(value_of(s));
  }
  const std::size_t want = 4 + (t.battered ? 1 : 0) + (t.core ? 1 : 0);
  if (v.size() != want) return CapacityRow{};
  std::size_t k = 0;
  row.penetration = v[k++];
  row.depth = t.battered ? v[k++] : row.penetration;
  row.skin_friction = v[k++];
  row.end_bearing = v[k++];
  row.ultimate = v[k++];
  row.core_length = t.core ? v[k] : 0.0;
  if (row.plug != PlugState::kUnplugged) row.plug = t.core ? PlugState::kPlugged : PlugState::kClosed;
  return row;
}

std::vector<ReportTable> report_tables(const std::vector<std::string>& lines, const fs::path& path) {
  std::vector<ReportTable> tables;
  for (std::size_t n = 1; n + 5 < lines.size(); ++n) {
    const std::string title = trim(lines[n]);
    const MethodDescriptor* method = nullptr;
    for (const MethodDescriptor& s : method_descriptors()) {
      if (title == s.title.text) method = &s;
    }
    if (method == nullptr || trim(lines[n - 1]).find_first_not_of('*') != std::string::npos) continue;
    ReportTable t;
    t.method = method;
    const std::string& heading = lines[n + 3];
    t.battered = heading.find("DEPTH") != std::string::npos;
    t.core = heading.find("CORE") != std::string::npos;
    t.tension = heading.find("SELF") != std::string::npos;
    for (std::size_t k = n + 6; k < lines.size() && !trim(lines[k]).empty(); ++k) {
      const CapacityRow row = table_row(tokens_of(lines[k]), t);
      if (!row.printed) {
        throw std::runtime_error("report \"" + path.string() + "\", line " +
                                 std::to_string(k + 1) + ": not a row of the " +
                                 trim(method->title.text) + " table");
      }
      t.rows.push_back(row);
    }
    tables.push_back(std::move(t));
  }
  return tables;
}

std::vector<TzPoint> curve_points(PlotReader& p, int count) {
  std::vector<TzPoint> points;
  for (int i = 0; i < count; ++i) {
    const std::vector<double> v = p.record(2, "t-z curve point");
    points.push_back({v[1], v[0]});
  }
  return points;
}

void read_settlement(PlotReader& p, Results& r) {
  const int listed = static_cast<int>(p.record(1, "count of t-z curves")[0]);
  for (int k = 0; k < listed; ++k) {
    const std::vector<double> head = p.record(3, "t-z curve number line");
    TzCurveResult c;
    c.number = static_cast<int>(head[0]);
    c.depth = head[2];
    c.points = curve_points(p, static_cast<int>(head[1]));
    r.tz_curves.push_back(std::move(c));
  }
  for (int i = 0; i < kCurvePoints; ++i) {
    const std::vector<double> v = p.record(2, "tip curve point");
    r.tip_curve.push_back({v[1], v[0]});
  }
  std::vector<DistributionSegment> segments;
  while (p.peek() == 3) {
    const std::vector<double> v = p.record(3, "load distribution record");
    segments.push_back({v[0], v[1], v[2]});
  }
  while (p.peek() == 4) {
    const std::vector<double> v = p.record(4, "load versus settlement record");
    r.load_settlement.push_back({v[0], v[1], v[2], v[3]});
  }
  // The segment records: one block per assumed tip movement.
  const std::size_t steps = r.load_settlement.size();
  if (steps > 0 && segments.size() % steps == 0) {
    const std::size_t per = segments.size() / steps;
    for (std::size_t k = 0; k < steps; ++k) {
      LoadDistribution d;
      d.tip_movement = r.load_settlement[k].tip_movement;
      d.segments.assign(segments.begin() + static_cast<std::ptrdiff_t>(k * per),
                        segments.begin() + static_cast<std::ptrdiff_t>((k + 1) * per));
      r.load_distribution.push_back(std::move(d));
    }
  }
  while (p.peek() == 3) {
    const std::vector<double> head = p.record(3, "verification curve number line");
    VerificationCurve v;
    v.number = static_cast<int>(head[0]);
    v.depth = head[2];
    v.printed = true;
    v.points = curve_points(p, static_cast<int>(head[1]));
    r.verification.push_back(std::move(v));
  }
  if (!p.at_end()) {
    p.record(p.peek(), "record");
    p.fail("a record that belongs to no part of the plot data file");
  }
}

}  // namespace

RunFileNames run_file_names(const fs::path& run_directory) {
  const fs::path names_path = run_directory / "names.dat";
  std::ifstream names(names_path, std::ios::binary);
  if (!names) {
    throw std::runtime_error("\"" + names_path.string() +
                             "\" cannot be read: RUN_DIR must be the folder of a run made with "
                             "names.dat (or give --report and --plot)");
  }
  std::istringstream no_answers;
  Console console{nullptr, &no_answers};
  const RunFiles files =
      read_names_file(names, "run-control file \"" + names_path.string() + "\"", console);
  return {run_directory / trimmed(files.output_file_name),
          run_directory / trimmed(files.plot_file_name)};
}

Results read_finished_run(const fs::path& report, const fs::path& plot) {
  const std::vector<ReportTable> tables = report_tables(lines_of(report, "report"), report);
  PlotReader p(lines_of(plot, "plot data file"), plot);
  const std::vector<double> header = p.record(4, "header record");
  Results r;
  r.units = units_of(static_cast<int>(header[2]));
  r.load_transfer_method = static_cast<int>(header[3]);
  r.report_file = report;
  r.plot_file = plot;
  for (const ReportTable& t : tables) {
    MethodCapacity mc;
    mc.selection = t.method->selection;
    mc.key = method_names(mc.selection).key;
    mc.name = method_names(mc.selection).name;
    mc.report_title = report_title(mc.selection);
    mc.printed = true;
    r.tension = t.tension;
    for (CapacityRow row : t.rows) {
      const std::vector<double> v = p.record(5, "capacity record");
      if (std::fabs(v[0] - row.penetration) > kSamePenetration) {
        p.fail("the capacity record does not match the report's " + mc.report_title +
               " table: are the report and the plot data file of the same run?");
      }
      row.unit_friction = v[4];
      mc.rows.push_back(row);
    }
    if (!mc.rows.empty()) {
      const CapacityRow& last = mc.rows.back();
      if (last.penetration > 0.0 && last.depth < last.penetration) {
        r.batter_angle = std::acos(last.depth / last.penetration) * kDegreesPerRadian;
      }
      r.embedded_length = last.penetration;
    }
    r.methods.push_back(std::move(mc));
  }
  read_settlement(p, r);
  return r;
}

}  // namespace zolan::results
