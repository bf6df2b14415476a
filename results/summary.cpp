#include "results/summary.hpp"

#include <sstream>

#include "engine/format.hpp"
#include "model/interpolate.hpp"

namespace zolan::results {

std::string plug_description(PlugState s) {
  switch (s) {
    case PlugState::kUnplugged: return "unplugged: wall and soil-plug friction govern";
    case PlugState::kPlugged: return "plugged";
    case PlugState::kClosed: return "closed section";
    case PlugState::kNotComputed: break;
  }
  return "-";
}

namespace {

std::string padded(const std::string& s, std::size_t width) {
  return s.size() >= width ? s + " " : s + std::string(width - s.size(), ' ');
}

void write_capacity(std::ostream& o, const Results& r) {
  const Units& u = r.units;
  o << "Capacity at the pile tip, " << fixed(r.last_penetration(), 0, 2) << " " << u.length
    << " of pile below ground (" << u.force << "):\n";
  o << "  " << padded("Method", 16) << "    Ultimate" << "  Skin friction"
    << (r.tension ? "   Self weight" : "   End bearing") << "   Tip\n";
  for (const MethodCapacity& mc : r.methods) {
    if (mc.rows.empty()) continue;
    const CapacityRow& tip = mc.rows.back();
    o << "  " << padded(mc.name, 16) << fixed(tip.ultimate, 12, 1) << fixed(tip.skin_friction, 15, 1)
      << fixed(tip.end_bearing, 14, 1) << "   " << plug_description(tip.plug)
      << (mc.printed ? "" : " (not selected: no table in the report)") << "\n";
  }
  if (r.methods.empty()) o << "  (no method was computed)\n";
  if (r.tip_above_last_penetration()) {
    o << "  Note: the last computed penetration, " << fixed(r.last_penetration(), 0, 2) << " "
      << u.length << ", lies above the pile tip at " << fixed(r.embedded_length, 0, 2) << " "
      << u.length << " (the pile length is not a multiple of the length step, "
      << fixed(r.length_step, 0, 2) << " " << u.length << ").\n";
  }
}

void write_settlement(std::ostream& o, const Results& r) {
  const Units& u = r.units;
  const MethodCapacity* ltm = r.load_transfer();
  o << "Load at the pile head (load-settlement curve, t-z curves of "
    << (ltm != nullptr ? ltm->name : method_names(r.load_transfer_method).name) << "):\n";
  for (const SummarySettlement& s : summary_settlements(u)) {
    const std::optional<double> load = head_load_at(r.load_settlement, s.value);
    o << "  at " << padded(s.label + " of settlement", 24);
    if (load) {
      o << fixed(*load, 10, 1) << " " << u.force << "\n";
    } else if (!r.load_settlement.empty()) {
      const SettlementPoint& last = r.load_settlement.back();
      o << "  beyond the curve, which ends at " << fixed(last.top_movement, 0, 4) << " "
        << u.movement << " under " << fixed(last.top_load, 0, 1) << " " << u.force << "\n";
    } else {
      o << "  no load-settlement curve\n";
    }
  }
}

void write_files(std::ostream& o, const Results& r, const OutputFiles& f) {
  o << "Files:\n";
  o << "  report      " << r.report_file.string() << "\n";
  o << "  plot data   " << r.plot_file.string() << "\n";
  if (!f.plots_dir.empty()) {
    o << "  plots       " << f.plots_dir.string() << "/ (";
    for (std::size_t k = 0; k < f.plots.size(); ++k) {
      o << (k > 0 ? ", " : "") << f.plots[k].filename().string();
    }
    o << ")\n";
  }
  if (!f.json.empty()) o << "  JSON        " << f.json.string() << "\n";
  if (!f.html.empty()) o << "  HTML page   " << f.html.string() << "\n";
}

}  // namespace

std::string fixed(double value, int width, int digits) {
  // Width 0: as wide as the value needs.
  if (width > 0) return format_f(value, width, digits);
  std::string s = format_f(value, 40, digits);
  return s.substr(s.find_first_not_of(' '));
}

std::optional<double> head_load_at(const std::vector<SettlementPoint>& curve, double settlement) {
  if (curve.empty() || settlement > curve.back().top_movement || settlement < 0.0) {
    return std::nullopt;
  }
  std::vector<TablePoint> table{{0.0, 0.0}};
  for (const SettlementPoint& p : curve) {
    // A point that does not settle further adds nothing to the curve.
    if (p.top_movement > table.back().x) table.push_back({p.top_movement, p.top_load});
  }
  return interpolate(table, settlement);
}

std::vector<SummarySettlement> summary_settlements(const Units& units) {
  std::vector<SummarySettlement> out;
  for (const SettlementOfInterest& s : kSummarySettlements) {
    if (units.english) {
      out.push_back({s.inches, s.english});
    } else {
      out.push_back({s.inches * kMetresPerInch, s.si});
    }
  }
  return out;
}

std::string summary_text(const Results& r, const OutputFiles& files) {
  std::ostringstream o;
  o << "\nRun completed";
  if (!r.title.empty()) o << ": " << r.title;
  o << "\n\n";
  write_capacity(o, r);
  o << "\n";
  write_settlement(o, r);
  o << "\n";
  write_files(o, r, files);
  return o.str();
}

}  // namespace zolan::results
