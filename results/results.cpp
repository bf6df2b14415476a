#include "results/results.hpp"

#include <algorithm>
#include <cmath>

#include "capacity/tables.hpp"
#include "methods/method.hpp"
#include "model/model.hpp"
#include "model/numeric.hpp"
#include "settlement/tz_curves.hpp"

namespace zolan::results {
namespace {

// Key and user's name of each method, by its position in the input's list
// of methods (selection 1 to 9).
constexpr MethodNames kMethodNames[kMethodCount] = {
    {"fhwa", "FHWA"}, {"usace", "USACE"}, {"lambda", "Revised Lambda"},
    {"api", "API RP 2A"}, {"user", "User-specified"}, {"ngi", "NGI"},
    {"icp", "ICP/MTD"}, {"fugro", "Fugro"}, {"uwa", "UWA"}};

// Degrees per radian of the batter angle shown back to the user.
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

bool open_ended(const AnalysisModel& m) {
  return m.inner_diameter >= 1.0e-10 && m.pile_end_condition != 1;
}

PlugState plug_state(const AnalysisModel& m, int tip_control) {
  if (tip_control == 2) return PlugState::kUnplugged;
  if (tip_control != 1) return PlugState::kNotComputed;
  return open_ended(m) ? PlugState::kPlugged : PlugState::kClosed;
}

MethodCapacity method_capacity(const AnalysisModel& m, const MethodDescriptor& method) {
  // A printed table as the report shows it; a method without a table (the
  // load-transfer method when it is not selected) as the run left it.
  const MethodResults& printed = m.reported_results[method.selection];
  const MethodResults& r = printed.computed ? printed : m.method_results[method.selection];
  MethodCapacity out;
  out.selection = method.selection;
  out.key = method_names(method.selection).key;
  out.name = method_names(method.selection).name;
  out.report_title = report_title(method.selection);
  out.printed = m.method_selected[method.selection] == 1;
  const double cos_batter = std::cos(m.batter_angle);
  const int npen = std::clamp(m.npen, 0, kMaxPenetrations);
  for (int i = 1; i <= npen; ++i) {
    CapacityRow row;
    row.penetration = m.penetration_depth[i];
    row.depth = m.penetration_depth[i] * cos_batter;
    row.skin_friction = r.skin[i];
    row.end_bearing = r.end[i];
    row.ultimate = r.ultimate[i];
    row.core_length = r.core[i];
    row.unit_friction = r.unit_friction[i];
    row.plug = plug_state(m, r.tip_control[i]);
    row.printed = row_printed(i, npen, m.output_interval);
    out.rows.push_back(row);
  }
  return out;
}

std::vector<TzPoint> curve_points(const TzCurve& c) {
  std::vector<TzPoint> points;
  const int n = std::clamp(c.curve_point_count, 0, kCurvePoints);
  for (int i = 1; i <= n; ++i) points.push_back({c.curve_movement[i], c.curve_transfer[i]});
  return points;
}

void collect_settlement(const AnalysisModel& m, Results& res) {
  const WorkingUnits u = working_units(m);
  const double vs = vertical_stickup(m);
  for (int k = 1; k <= std::clamp(m.listed_curve_count, 0, kMaxListedCurves); ++k) {
    const TzCurve& c = m.listed_tz_curves[k];
    res.tz_curves.push_back({k, c.curve_depth / u.length - vs, c.curve_soil_flag == 2,
                             curve_points(c)});
  }
  for (int i = 1; i <= kCurvePoints; ++i) {
    res.tip_curve.push_back({m.tip_movement[i], m.tip_load[i] / u.force});
  }
  const int steps = std::clamp(m.settlement_point_count, 0, kSettlementSteps);
  for (int k = 1; k <= steps; ++k) {
    res.load_settlement.push_back({m.top_load[k] / u.force, m.top_movement[k],
                                   m.tip_load_result[k] / u.force, m.tip_movement_result[k]});
    LoadDistribution d;
    d.tip_movement = m.tip_movement_result[k];
    for (int j = 1; j <= std::clamp(m.distribution_segment_count, 0, kMaxPenetrations); ++j) {
      d.segments.push_back({m.segment_distance(j, k) / u.length,
                            m.segment_average_load(j, k) / u.force,
                            m.segment_mid_movement(j, k)});
    }
    res.load_distribution.push_back(std::move(d));
  }
  // The verification curves are the last built in the curve storage.
  for (int k = 1; k <= std::clamp(m.tz_check_depth_count, 0, kMaxCheckDepths); ++k) {
    const TzCurve& c = m.tz_curves[k];
    const bool valid = m.tz_check_valid[k] == 1;
    VerificationCurve v;
    v.number = k;
    v.depth = valid ? c.curve_depth / u.length : c.curve_depth;
    v.printed = c.curve_point_count == kCurvePoints;
    if (v.printed) v.points = curve_points(c);
    res.verification.push_back(std::move(v));
  }
}

std::string trimmed_title(const char* text) {
  std::string s(text);
  const auto keep = [](char c) { return c != '*' && c != ' '; };
  const auto first = std::find_if(s.begin(), s.end(), keep);
  const auto last = std::find_if(s.rbegin(), s.rend(), keep).base();
  return first < last ? std::string(first, last) : std::string();
}

}  // namespace

Units units_of(int unit_system) {
  if (unit_system == 1) return {true, "English", "ft", "kips", "ksf", "in", "psi"};
  return {false, "SI", "m", "kN", "kPa", "m", "kPa"};
}

ShownMovement shown_movement(const Units& units) {
  constexpr double kMillimetresPerMetre = 1000.0;
  return units.english ? ShownMovement{1.0, "in", 4} : ShownMovement{kMillimetresPerMetre, "mm", 3};
}

const char* plug_state_name(PlugState s) {
  switch (s) {
    case PlugState::kClosed: return "closed";
    case PlugState::kPlugged: return "plugged";
    case PlugState::kUnplugged: return "unplugged";
    case PlugState::kNotComputed: break;
  }
  return "not computed";
}

MethodNames method_names(int selection) {
  if (selection < 1 || selection > kMethodCount) return {"", ""};
  return kMethodNames[selection - 1];
}

std::string report_title(int selection) {
  const MethodDescriptor* method = method_by_selection(selection);
  return method != nullptr ? trimmed_title(method->title.text) : std::string();
}

const MethodCapacity* Results::load_transfer() const {
  for (const MethodCapacity& mc : methods) {
    if (mc.selection == load_transfer_method) return &mc;
  }
  return nullptr;
}

double Results::last_penetration() const {
  for (const MethodCapacity& mc : methods) {
    if (!mc.rows.empty()) return mc.rows.back().penetration;
  }
  return 0.0;
}

bool Results::tip_above_last_penetration() const {
  return embedded_length - last_penetration() > kTolerance;
}

Results collect_results(const FinishedRun& run) {
  const AnalysisModel& m = run.model;
  Results res;
  res.title = trimmed(m.title);
  res.designer = trimmed(m.designer);
  res.job_number = trimmed(m.job_number);
  res.units = units_of(m.unit_system);
  res.tension = m.loading_type == 1;
  res.batter_angle = m.batter_angle * kDegreesPerRadian;
  res.embedded_length = m.pile_length;
  res.length_step = m.length_step;
  res.output_interval = m.output_interval;
  res.load_transfer_method = m.load_transfer_method;
  // The methods the user asked for (their tables are in the report) and the
  // load-transfer method; the others the run computes along the way stay out.
  for (const MethodDescriptor& method : method_descriptors()) {
    const bool asked = m.method_selected[method.selection] == 1 ||
                       method.selection == m.load_transfer_method;
    if (asked && m.method_results[method.selection].computed) {
      res.methods.push_back(method_capacity(m, method));
    }
  }
  collect_settlement(m, res);
  res.report_file = run.report_path;
  res.plot_file = run.plot_path;
  return res;
}

}  // namespace zolan::results
