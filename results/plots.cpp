#include "results/plots.hpp"

#include <algorithm>

#include "results/chart.hpp"
#include "results/summary.hpp"

namespace zolan::results {
namespace {

using chart::Figure;
using chart::Panel;
using chart::Point;
using chart::Series;

// t-z curves drawn at most in one panel (evenly picked when there are
// more), so that the legend stays readable.
constexpr std::size_t kMaxCurvesDrawn = 16;

std::string with_unit(const std::string& what, const std::string& unit) {
  return what + " (" + unit + ")";
}

// The methods drawn: those whose tables are in the report, or every method
// computed when none is selected.
std::vector<const MethodCapacity*> drawn_methods(const Results& r) {
  std::vector<const MethodCapacity*> out;
  for (const MethodCapacity& mc : r.methods) {
    if (mc.printed) out.push_back(&mc);
  }
  if (out.empty()) {
    for (const MethodCapacity& mc : r.methods) out.push_back(&mc);
  }
  return out;
}

Plot capacity_plot(const Results& r) {
  const Units& u = r.units;
  Figure f;
  f.title = "Capacity against penetration";
  f.share_y = true;
  f.panel_width = 250;
  f.panel_height = 460;
  const std::string depth_title =
      with_unit(r.batter_angle != 0.0 ? "Pile length below ground" : "Penetration", u.length);
  const std::string end_title = r.tension ? "Self weight" : "End bearing";
  const char* titles[] = {"Ultimate capacity", "Skin friction", end_title.c_str()};
  for (const char* t : titles) {
    Panel p;
    p.x.title = with_unit(t, u.force);
    p.y.title = depth_title;
    p.y.downward = true;
    f.panels.push_back(p);
  }
  bool marked = false;
  for (const MethodCapacity* mc : drawn_methods(r)) {
    Series ult, skin, end;
    for (Series* s : {&ult, &skin, &end}) {
      s->label = mc->name;
      s->style = mc->selection - 1;
    }
    for (const CapacityRow& row : mc->rows) {
      ult.points.push_back({row.ultimate, row.penetration});
      skin.points.push_back({row.skin_friction, row.penetration});
      end.points.push_back({row.end_bearing, row.penetration});
      if (row.printed && row.plug == PlugState::kUnplugged) {
        ult.marks.push_back({row.ultimate, row.penetration});
        end.marks.push_back({row.end_bearing, row.penetration});
        marked = true;
      }
    }
    f.panels[0].series.push_back(std::move(ult));
    f.panels[1].series.push_back(std::move(skin));
    f.panels[2].series.push_back(std::move(end));
  }
  if (marked) f.mark_label = "soil plug slips: wall and plug friction govern (* rows of the report)";
  return {"capacity.svg", f.title, chart::render_svg(f)};
}

Plot settlement_plot(const Results& r) {
  const Units& u = r.units;
  const ShownMovement mv = shown_movement(u);
  Figure f;
  f.title = "Load against settlement";
  f.panel_width = 460;
  f.panel_height = 340;
  Panel p;
  p.title = "Pile head and pile tip";
  p.x.title = with_unit("Load", u.force);
  p.y.title = with_unit("Settlement", mv.unit);
  p.y.downward = true;
  Series head{"Pile head", {{0.0, 0.0}}, 0, {}};
  Series tip{"Pile tip", {{0.0, 0.0}}, 1, {}};
  for (const SettlementPoint& s : r.load_settlement) {
    head.points.push_back({s.top_load, s.top_movement * mv.factor});
    tip.points.push_back({s.tip_load, s.tip_movement * mv.factor});
  }
  std::string marked;
  for (const SummarySettlement& s : summary_settlements(u)) {
    if (const std::optional<double> load = head_load_at(r.load_settlement, s.value)) {
      head.marks.push_back({*load, s.value * mv.factor});
      marked += (marked.empty() ? "" : " and ") + s.label;
    }
  }
  if (!marked.empty()) f.mark_label = "pile-head load at " + marked + " of settlement";
  p.series = {head, tip};
  f.panels.push_back(p);
  return {"load-settlement.svg", f.title, chart::render_svg(f)};
}

// Up to kMaxCurvesDrawn of `count` items, evenly spread, first and last kept.
std::vector<std::size_t> picked(std::size_t count) {
  std::vector<std::size_t> out;
  if (count <= kMaxCurvesDrawn) {
    for (std::size_t k = 0; k < count; ++k) out.push_back(k);
    return out;
  }
  for (std::size_t k = 0; k < kMaxCurvesDrawn; ++k) {
    out.push_back(k * (count - 1) / (kMaxCurvesDrawn - 1));
  }
  return out;
}

// The movement range drawn of a set of t-z curves: a few times the largest
// movement at which a curve first reaches its peak transfer, so that the
// rising parts are not squeezed against the axis (every curve of the
// standard shapes stays flat beyond).
constexpr double kMovementsBeyondPeak = 3.0;

struct Movements {
  double drawn = 0.0;  // the range drawn
  double last = 0.0;   // the largest movement of the curves
};

Movements movement_range(const std::vector<const std::vector<TzPoint>*>& curves) {
  double peak_movement = 0.0;
  Movements m;
  for (const std::vector<TzPoint>* c : curves) {
    const TzPoint* peak = nullptr;
    for (const TzPoint& p : *c) {
      if (peak == nullptr || p.transfer > peak->transfer) peak = &p;
      m.last = std::max(m.last, p.movement);
    }
    if (peak != nullptr) peak_movement = std::max(peak_movement, peak->movement);
  }
  const double zoom = kMovementsBeyondPeak * peak_movement;
  m.drawn = zoom > 0.0 && zoom < m.last ? zoom : m.last;
  return m;
}

// The points of a curve up to `limit`, the last one interpolated there.
std::vector<Point> clipped(const std::vector<Point>& points, double limit) {
  std::vector<Point> out;
  for (const Point& p : points) {
    if (p.x <= limit) {
      out.push_back(p);
      continue;
    }
    if (!out.empty() && p.x > out.back().x) {
      const Point& a = out.back();
      out.push_back({limit, a.y + (p.y - a.y) * (limit - a.x) / (p.x - a.x)});
    }
    break;
  }
  return out;
}

Series tz_series(const std::vector<TzPoint>& points, double depth, int style, const Units& u,
                 double factor, double limit) {
  Series s;
  s.label = "at " + fixed(depth, 0, 2) + " " + u.length;
  s.style = style;
  for (const TzPoint& p : points) s.points.push_back({p.movement * factor, p.transfer});
  s.points = clipped(s.points, limit * factor);
  return s;
}

// The title note of a t-z panel that does not show the whole movement range.
std::string zoom_note(const Movements& range, const ShownMovement& mv) {
  if (range.drawn >= range.last) return "";
  return " (flat beyond " + fixed(range.drawn * mv.factor, 0, 2) + " " + mv.unit + ")";
}

Panel tz_panel(const std::string& title, const Units& u, const ShownMovement& mv) {
  Panel p;
  p.title = title;
  p.x.title = with_unit("Pile movement", mv.unit);
  p.y.title = with_unit("Unit load transfer", u.transfer);
  return p;
}

Plot tz_plot(const Results& r) {
  const Units& u = r.units;
  const ShownMovement mv = shown_movement(u);
  Figure f;
  f.title = "Load-transfer curves (" + std::string(method_names(r.load_transfer_method).name) + ")";
  f.panel_width = 380;
  f.panel_height = 320;
  const std::vector<std::size_t> shown = picked(r.tz_curves.size());
  std::vector<const std::vector<TzPoint>*> drawn;
  for (std::size_t k : shown) drawn.push_back(&r.tz_curves[k].points);
  const Movements range = movement_range(drawn);
  std::string title = "t-z curves";
  if (shown.size() < r.tz_curves.size()) {
    title += ", " + std::to_string(shown.size()) + " of " + std::to_string(r.tz_curves.size());
  }
  Panel curves = tz_panel(title + zoom_note(range, mv), u, mv);
  int style = 0;
  for (std::size_t k : shown) {
    const TzCurveResult& c = r.tz_curves[k];
    curves.series.push_back(tz_series(c.points, c.depth, style++, u, mv.factor, range.drawn));
  }
  Panel tip;
  tip.title = "Tip curve";
  tip.x.title = with_unit("Tip movement", mv.unit);
  tip.y.title = with_unit("Tip load", u.force);
  Series s{"tip load", {}, style, {}};
  for (const TipPoint& p : r.tip_curve) s.points.push_back({p.movement * mv.factor, p.load});
  tip.series.push_back(std::move(s));
  f.panels = {curves, tip};
  return {"tz-curves.svg", f.title, chart::render_svg(f)};
}

Plot verification_plot(const Results& r) {
  const Units& u = r.units;
  const ShownMovement mv = shown_movement(u);
  Figure f;
  f.title = "Verification t-z curves (" +
            std::string(method_names(r.load_transfer_method).name) + ")";
  f.panel_width = 460;
  f.panel_height = 320;
  std::vector<const std::vector<TzPoint>*> drawn;
  for (const VerificationCurve& v : r.verification) {
    if (v.printed) drawn.push_back(&v.points);
  }
  const Movements range = movement_range(drawn);
  Panel p = tz_panel("At the check depths of the input" + zoom_note(range, mv), u, mv);
  int style = 0;
  for (const VerificationCurve& v : r.verification) {
    if (v.printed) {
      p.series.push_back(tz_series(v.points, v.depth, style++, u, mv.factor, range.drawn));
    }
  }
  f.panels.push_back(p);
  return {"verification-tz-curves.svg", f.title, chart::render_svg(f)};
}

}  // namespace

std::vector<Plot> make_plots(const Results& r) {
  std::vector<Plot> plots;
  plots.push_back(capacity_plot(r));
  if (!r.load_settlement.empty()) plots.push_back(settlement_plot(r));
  if (!r.tz_curves.empty() || !r.tip_curve.empty()) plots.push_back(tz_plot(r));
  const bool verification = std::any_of(r.verification.begin(), r.verification.end(),
                                        [](const VerificationCurve& v) { return v.printed; });
  if (verification) plots.push_back(verification_plot(r));
  return plots;
}

}  // namespace zolan::results
