#include "results/html.hpp"

#include <algorithm>
#include <sstream>

#include "results/chart.hpp"
#include "results/summary.hpp"

namespace zolan::results {
namespace {

using chart::xml_escaped;

constexpr const char* kStyle = R"(
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #111; margin: 24px auto;
       max-width: 1180px; padding: 0 16px; line-height: 1.4; }
h1 { font-size: 22px; margin-bottom: 4px; }
h2 { font-size: 18px; border-bottom: 1px solid #999; padding-bottom: 2px; margin-top: 32px; }
h3 { font-size: 15px; margin: 20px 0 6px; }
p.meta { color: #444; margin-top: 0; }
table { border-collapse: collapse; margin: 6px 0 12px; font-size: 13px; }
th, td { border: 1px solid #b8b8b8; padding: 3px 10px; }
th { background: #eef1f5; font-weight: 600; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
td.text { text-align: left; }
tr.plug td { background: #fff6e5; }
figure { margin: 12px 0 24px; page-break-inside: avoid; }
figure svg { max-width: 100%; height: auto; }
p.note { font-size: 13px; color: #333; }
@media print { body { margin: 0; max-width: none; } h2 { page-break-after: avoid; } }
)";

std::string cell(double v, int digits) { return "<td class=\"num\">" + fixed(v, 0, digits) + "</td>"; }
std::string text_cell(const std::string& s) { return "<td class=\"text\">" + xml_escaped(s) + "</td>"; }

void write_summary(std::ostream& o, const Results& r) {
  const Units& u = r.units;
  o << "<h2>Summary</h2>\n";
  o << "<h3>Capacity at the pile tip, " << fixed(r.last_penetration(), 0, 2) << " " << u.length
    << " of pile below ground</h3>\n";
  o << "<table>\n<tr><th>Method</th><th>Ultimate capacity (" << u.force << ")</th><th>Skin friction ("
    << u.force << ")</th><th>" << (r.tension ? "Self weight" : "End bearing") << " (" << u.force
    << ")</th><th>Tip</th></tr>\n";
  for (const MethodCapacity& mc : r.methods) {
    if (mc.rows.empty()) continue;
    const CapacityRow& tip = mc.rows.back();
    o << "<tr>" << text_cell(mc.name + (mc.printed ? "" : " (not selected)"))
      << cell(tip.ultimate, 1) << cell(tip.skin_friction, 1) << cell(tip.end_bearing, 1)
      << text_cell(plug_description(tip.plug)) << "</tr>\n";
  }
  o << "</table>\n";
  if (r.tip_above_last_penetration()) {
    o << "<p class=\"note\">The last computed penetration, " << fixed(r.last_penetration(), 0, 2)
      << " " << u.length << ", lies above the pile tip at " << fixed(r.embedded_length, 0, 2)
      << " " << u.length << ": the pile length is not a multiple of the length step ("
      << fixed(r.length_step, 0, 2) << " " << u.length << ").</p>\n";
  }
  o << "<h3>Load at the pile head</h3>\n<table>\n<tr><th>Settlement</th><th>Load (" << u.force
    << ")</th></tr>\n";
  for (const SummarySettlement& s : summary_settlements(u)) {
    const std::optional<double> load = head_load_at(r.load_settlement, s.value);
    o << "<tr>" << text_cell(s.label)
      << (load ? cell(*load, 1) : text_cell("beyond the computed curve")) << "</tr>\n";
  }
  o << "</table>\n";
}

void write_method_table(std::ostream& o, const Results& r, const MethodCapacity& mc) {
  const Units& u = r.units;
  const bool battered = r.batter_angle != 0.0;
  const bool core = std::any_of(mc.rows.begin(), mc.rows.end(),
                                [](const CapacityRow& row) { return row.core_length != 0.0; });
  o << "<h3>" << xml_escaped(mc.name) << " <small>(report table \"" << xml_escaped(mc.report_title)
    << "\")</small></h3>\n<table>\n<tr><th>" << (battered ? "Pile length" : "Penetration") << " ("
    << u.length << ")</th>";
  if (battered) o << "<th>Depth (" << u.length << ")</th>";
  o << "<th>Skin friction (" << u.force << ")</th><th>"
    << (r.tension ? "Self weight" : "End bearing") << " (" << u.force << ")</th><th>Ultimate ("
    << u.force << ")</th>";
  if (core) o << "<th>Core length (" << u.length << ")</th>";
  o << "<th>Unit friction (" << u.stress << ")</th></tr>\n";
  for (const CapacityRow& row : mc.rows) {
    if (!row.printed) continue;
    const bool plug = row.plug == PlugState::kUnplugged;
    o << (plug ? "<tr class=\"plug\">" : "<tr>") << cell(row.penetration, 2);
    if (battered) o << cell(row.depth, 2);
    o << cell(row.skin_friction, 1) << "<td class=\"num\">" << fixed(row.end_bearing, 0, 1)
      << (plug ? " *" : "") << "</td>" << cell(row.ultimate, 1);
    if (core) o << cell(row.core_length, 2);
    o << cell(row.unit_friction, 3) << "</tr>\n";
  }
  o << "</table>\n";
}

void write_settlement_table(std::ostream& o, const Results& r) {
  const Units& u = r.units;
  const ShownMovement mv = shown_movement(u);
  o << "<h2>Load versus settlement</h2>\n<table>\n<tr><th>Top load (" << u.force
    << ")</th><th>Top movement (" << mv.unit << ")</th><th>Tip load (" << u.force
    << ")</th><th>Tip movement (" << mv.unit << ")</th></tr>\n";
  for (const SettlementPoint& p : r.load_settlement) {
    o << "<tr>" << cell(p.top_load, 1) << cell(p.top_movement * mv.factor, mv.digits)
      << cell(p.tip_load, 1) << cell(p.tip_movement * mv.factor, mv.digits) << "</tr>\n";
  }
  o << "</table>\n";
}

}  // namespace

std::string html_page(const Results& r, const std::vector<Plot>& plots) {
  std::ostringstream o;
  const std::string title = r.title.empty() ? "ZOLAN results" : r.title;
  o << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
    << xml_escaped(title) << "</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n";
  o << "<h1>" << xml_escaped(title) << "</h1>\n<p class=\"meta\">";
  if (!r.designer.empty()) o << "Designer: " << xml_escaped(r.designer) << " &middot; ";
  if (!r.job_number.empty()) o << "Job: " << xml_escaped(r.job_number) << " &middot; ";
  o << r.units.system << " units (" << r.units.length << ", " << r.units.force << ", "
    << r.units.stress << ") &middot; " << (r.tension ? "tension" : "compression") << " loading";
  if (r.batter_angle != 0.0) o << " &middot; batter " << fixed(r.batter_angle, 0, 1) << " degrees";
  o << "</p>\n";
  write_summary(o, r);
  o << "<h2>Plots</h2>\n";
  for (const Plot& p : plots) o << "<figure>\n" << p.svg << "</figure>\n";
  o << "<h2>Capacity tables</h2>\n<p class=\"note\">Rows as printed in the report; * marks a row "
       "where the soil plug slips and the wall and plug friction govern the tip.</p>\n";
  for (const MethodCapacity& mc : r.methods) {
    if (mc.printed) write_method_table(o, r, mc);
  }
  write_settlement_table(o, r);
  o << "<h2>Files</h2>\n<p class=\"note\">Report: " << xml_escaped(r.report_file.string())
    << "<br>Plot data file: " << xml_escaped(r.plot_file.string()) << "</p>\n";
  o << "</body>\n</html>\n";
  return o.str();
}

}  // namespace zolan::results
