#include "results/json.hpp"

#include <nlohmann/json.hpp>

#include "results/summary.hpp"

namespace zolan::results {
namespace {

using json = nlohmann::ordered_json;

json points_json(const std::vector<TzPoint>& points) {
  json a = json::array();
  for (const TzPoint& p : points) a.push_back({{"movement", p.movement}, {"transfer", p.transfer}});
  return a;
}

json row_json(const CapacityRow& row) {
  return {{"penetration", row.penetration},
          {"depth", row.depth},
          {"skin_friction", row.skin_friction},
          {"end_bearing", row.end_bearing},
          {"ultimate", row.ultimate},
          {"core_length", row.core_length},
          {"unit_friction", row.unit_friction},
          {"plug", plug_state_name(row.plug)},
          {"printed", row.printed}};
}

json method_json(const MethodCapacity& mc) {
  json rows = json::array();
  for (const CapacityRow& row : mc.rows) rows.push_back(row_json(row));
  json m = {{"selection", mc.selection},  {"key", mc.key},
            {"name", mc.name},            {"report_title", mc.report_title},
            {"printed", mc.printed},      {"rows", std::move(rows)}};
  m["tip"] = mc.rows.empty() ? json(nullptr) : row_json(mc.rows.back());
  return m;
}

json settlement_json(const Results& r) {
  json curve = json::array();
  for (const SettlementPoint& p : r.load_settlement) {
    curve.push_back({{"top_load", p.top_load},
                     {"top_movement", p.top_movement},
                     {"tip_load", p.tip_load},
                     {"tip_movement", p.tip_movement}});
  }
  return curve;
}

json head_loads_json(const Results& r) {
  json a = json::array();
  for (const SummarySettlement& s : summary_settlements(r.units)) {
    const std::optional<double> load = head_load_at(r.load_settlement, s.value);
    a.push_back({{"settlement", s.value},
                 {"label", s.label},
                 {"load", load ? json(*load) : json(nullptr)}});
  }
  return a;
}

json distribution_json(const Results& r) {
  json a = json::array();
  for (const LoadDistribution& d : r.load_distribution) {
    json segments = json::array();
    for (const DistributionSegment& s : d.segments) {
      segments.push_back({{"distance", s.distance}, {"load", s.load}, {"movement", s.movement}});
    }
    a.push_back({{"tip_movement", d.tip_movement}, {"segments", std::move(segments)}});
  }
  return a;
}

json curves_json(const Results& r) {
  json a = json::array();
  for (const TzCurveResult& c : r.tz_curves) {
    a.push_back({{"number", c.number},
                 {"depth", c.depth},
                 {"soil", c.cohesive ? "cohesive" : "cohesionless"},
                 {"points", points_json(c.points)}});
  }
  return a;
}

json verification_json(const Results& r) {
  json a = json::array();
  for (const VerificationCurve& v : r.verification) {
    a.push_back({{"number", v.number},
                 {"depth", v.depth},
                 {"printed", v.printed},
                 {"points", points_json(v.points)}});
  }
  return a;
}

}  // namespace

std::string results_json(const Results& r, const std::string& program_version) {
  const Units& u = r.units;
  json tip = json::array();
  for (const TipPoint& p : r.tip_curve) tip.push_back({{"movement", p.movement}, {"load", p.load}});
  json methods = json::array();
  for (const MethodCapacity& mc : r.methods) methods.push_back(method_json(mc));

  json doc = {
      {"program", {{"name", "zolan"}, {"version", program_version}}},
      {"title", r.title},
      {"designer", r.designer},
      {"job_number", r.job_number},
      {"units",
       {{"system", u.system},
        {"length", u.length},
        {"force", u.force},
        {"stress", u.stress},
        {"movement", u.movement},
        {"transfer", u.transfer}}},
      {"pile",
       {{"embedded_length", r.embedded_length},
        {"length_step", r.length_step},
        {"batter_angle", r.batter_angle},
        {"loading", r.tension ? "tension" : "compression"},
        {"last_penetration", r.last_penetration()},
        {"tip_above_last_penetration", r.tip_above_last_penetration()}}},
      {"load_transfer_method", method_names(r.load_transfer_method).key},
      {"methods", std::move(methods)},
      {"tz_curves", curves_json(r)},
      {"tip_curve", std::move(tip)},
      {"load_settlement", settlement_json(r)},
      {"head_load_at_settlement", head_loads_json(r)},
      {"load_distribution", distribution_json(r)},
      {"verification_curves", verification_json(r)},
      {"files", {{"report", r.report_file.string()}, {"plot_data", r.plot_file.string()}}},
  };
  return doc.dump(2) + "\n";
}

}  // namespace zolan::results
