#include "results/chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace zolan::chart {
namespace {

// Colours (Okabe and Ito, distinguishable with colour-vision deficiency)
// and dash patterns, paired by series index.
constexpr const char* kColours[] = {"#0072B2", "#D55E00", "#009E73", "#CC79A7",
                                    "#E69F00", "#56B4E9", "#000000", "#8C6D1F"};
constexpr const char* kDashes[] = {"",          "9 4",   "2 3",       "12 3 3 3",
                                   "6 2 2 2 2 2", "15 5", "4 4", "10 3 2 3 2 3"};
constexpr int kStyleCount = 8;

// Layout in pixels.
constexpr double kMargin = 16.0;
constexpr double kTitleHeight = 30.0;       // figure title, 16 px text
constexpr double kPanelTitleHeight = 24.0;  // panel title, 13 px text
constexpr double kXAxisBlock = 44.0;        // tick labels and the axis title
constexpr double kYTitleWidth = 22.0;       // the rotated y-axis title
constexpr double kPanelGap = 34.0;          // between panels sharing the y axis
constexpr double kTickFont = 11.0;
constexpr double kLegendFont = 12.0;
constexpr double kLegendRow = 20.0;
constexpr double kLegendSample = 36.0;      // length of the line sample
constexpr double kLegendSpacing = 22.0;     // between two entries of a row
// Average advance of a character of the sans-serif font, per pixel of size.
constexpr double kCharWidth = 0.6;
constexpr double kMarkRadius = 3.5;

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

double text_width(const std::string& s, double font) {
  return static_cast<double>(s.size()) * font * kCharWidth;
}

struct Range {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  void add(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
};

// About one tick per kTickSpacing pixels of axis.
constexpr double kTickSpacing = 70.0;

Ticks axis_ticks(Range r, bool from_zero, double length) {
  if (!(r.lo <= r.hi)) r = Range{0.0, 1.0};  // nothing drawn
  if (from_zero) r.add(0.0);
  const int target = std::clamp(static_cast<int>(std::lround(length / kTickSpacing)) + 1, 3, 11);
  return nice_ticks(r.lo, r.hi, target);
}

void add_points(Range& x, Range& y, const std::vector<Point>& points) {
  for (const Point& p : points) {
    x.add(p.x);
    y.add(p.y);
  }
}

// Pixel position of a value on an axis.
struct Scale {
  double v0 = 0.0, v1 = 1.0;  // value range
  double p0 = 0.0, p1 = 1.0;  // pixel range (p0 for v0)
  double at(double v) const { return p0 + (v - v0) / (v1 - v0) * (p1 - p0); }
};

struct PanelLayout {
  Ticks xt, yt;
  double left = 0.0, top = 0.0, width = 0.0, height = 0.0;  // plot area
  bool y_labels = true;
  double y_block = 0.0;  // room left of the plot area for the y labels and title
};

double y_label_width(const Ticks& t) {
  double w = 0.0;
  for (int k = 0; k < t.count; ++k) w = std::max(w, text_width(tick_label(t.at(k), t.decimals), kTickFont));
  return w;
}

class Writer {
 public:
  explicit Writer(const Figure& f) : f_(f) {}

  std::string render() {
    layout_panels();
    const double legend_top = plot_bottom_ + (x_on_top() ? 12.0 : kXAxisBlock + 8.0);
    const std::vector<std::vector<int>> rows = legend_rows();
    const double legend_height = f_.legend ? kLegendRow * static_cast<double>(rows.size()) : 0.0;
    const double height = legend_top + legend_height + kMargin;

    o_ << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width_) << "\" height=\""
       << num(height) << "\" viewBox=\"0 0 " << num(width_) << " " << num(height)
       << "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
    o_ << "<title>" << xml_escaped(f_.title) << "</title>\n";
    o_ << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    o_ << "<text x=\"" << num(width_ / 2.0) << "\" y=\"" << num(kMargin + 16.0)
       << "\" font-size=\"16\" font-weight=\"bold\" text-anchor=\"middle\">"
       << xml_escaped(f_.title) << "</text>\n";
    for (std::size_t k = 0; k < f_.panels.size(); ++k) write_panel(f_.panels[k], layouts_[k]);
    if (f_.legend) write_legend(rows, legend_top);
    o_ << "</svg>\n";
    return o_.str();
  }

 private:
  bool x_on_top() const {
    return std::any_of(f_.panels.begin(), f_.panels.end(),
                       [](const Panel& p) { return p.y.downward; });
  }

  bool panel_titles() const {
    return std::any_of(f_.panels.begin(), f_.panels.end(),
                       [](const Panel& p) { return !p.title.empty(); });
  }

  void layout_panels() {
    Range shared_y;
    if (f_.share_y) {
      for (const Panel& p : f_.panels) {
        Range ignored;
        for (const Series& s : p.series) {
          add_points(ignored, shared_y, s.points);
          add_points(ignored, shared_y, s.marks);
        }
      }
    }
    double left = kMargin;
    const double top =
        kMargin + kTitleHeight + (panel_titles() ? kPanelTitleHeight : 0.0) + (x_on_top() ? kXAxisBlock : 0.0);
    for (std::size_t k = 0; k < f_.panels.size(); ++k) {
      const Panel& p = f_.panels[k];
      Range xr, yr;
      for (const Series& s : p.series) {
        add_points(xr, yr, s.points);
        add_points(xr, yr, s.marks);
      }
      PanelLayout l;
      l.xt = axis_ticks(xr, p.x.from_zero, f_.panel_width);
      l.yt = axis_ticks(f_.share_y ? shared_y : yr, p.y.from_zero, f_.panel_height);
      l.y_labels = !f_.share_y || k == 0;
      l.y_block = l.y_labels ? kYTitleWidth + y_label_width(l.yt) + 10.0 : kPanelGap;
      l.left = left + l.y_block;
      l.top = top;
      l.width = f_.panel_width;
      l.height = f_.panel_height;
      left = l.left + l.width + (f_.share_y ? 0.0 : 16.0);
      layouts_.push_back(l);
    }
    width_ = left + kMargin;
    plot_bottom_ = top + f_.panel_height;
  }

  void write_panel(const Panel& p, const PanelLayout& l) {
    const Scale xs{l.xt.first, l.xt.last(), l.left, l.left + l.width};
    const Scale ys = p.y.downward ? Scale{l.yt.first, l.yt.last(), l.top, l.top + l.height}
                                  : Scale{l.yt.first, l.yt.last(), l.top + l.height, l.top};
    const double bottom = l.top + l.height;
    o_ << "<g class=\"panel\" data-title=\"" << xml_escaped(p.title.empty() ? p.x.title : p.title)
       << "\">\n";
    if (!p.title.empty()) {
      const double title_y = kMargin + kTitleHeight + 14.0;
      o_ << "<text x=\"" << num(l.left + l.width / 2.0) << "\" y=\"" << num(title_y)
         << "\" font-size=\"13\" font-weight=\"bold\" text-anchor=\"middle\">"
         << xml_escaped(p.title) << "</text>\n";
    }

    // Grid and ticks.
    const bool top_axis = p.y.downward;
    for (int k = 0; k < l.xt.count; ++k) {
      const double v = l.xt.at(k);
      const double x = xs.at(v);
      o_ << "<line x1=\"" << num(x) << "\" y1=\"" << num(l.top) << "\" x2=\"" << num(x)
         << "\" y2=\"" << num(bottom) << "\" stroke=\"#d9d9d9\" stroke-width=\"1\"/>\n";
      const double ty = top_axis ? l.top - 7.0 : bottom + 15.0;
      o_ << "<text class=\"tick-x\" x=\"" << num(x) << "\" y=\"" << num(ty)
         << "\" font-size=\"11\" text-anchor=\"middle\">" << tick_label(v, l.xt.decimals)
         << "</text>\n";
    }
    for (int k = 0; k < l.yt.count; ++k) {
      const double v = l.yt.at(k);
      const double y = ys.at(v);
      o_ << "<line x1=\"" << num(l.left) << "\" y1=\"" << num(y) << "\" x2=\""
         << num(l.left + l.width) << "\" y2=\"" << num(y)
         << "\" stroke=\"#d9d9d9\" stroke-width=\"1\"/>\n";
      if (!l.y_labels) continue;
      o_ << "<text class=\"tick-y\" x=\"" << num(l.left - 6.0) << "\" y=\"" << num(y)
         << "\" font-size=\"11\" text-anchor=\"end\" dominant-baseline=\"middle\">"
         << tick_label(v, l.yt.decimals) << "</text>\n";
    }
    // Zero lines where the range crosses zero.
    if (l.xt.first < 0.0 && l.xt.last() > 0.0) {
      o_ << "<line x1=\"" << num(xs.at(0.0)) << "\" y1=\"" << num(l.top) << "\" x2=\""
         << num(xs.at(0.0)) << "\" y2=\"" << num(bottom) << "\" stroke=\"#777777\"/>\n";
    }
    o_ << "<rect x=\"" << num(l.left) << "\" y=\"" << num(l.top) << "\" width=\"" << num(l.width)
       << "\" height=\"" << num(l.height) << "\" fill=\"none\" stroke=\"#000000\"/>\n";

    // Axis titles.
    const double xt_y = top_axis ? l.top - 28.0 : bottom + 36.0;
    o_ << "<text class=\"axis-x\" x=\"" << num(l.left + l.width / 2.0) << "\" y=\"" << num(xt_y)
       << "\" font-size=\"12\" text-anchor=\"middle\">" << xml_escaped(p.x.title) << "</text>\n";
    if (l.y_labels) {
      const double yx = l.left - l.y_block + 14.0;
      const double yy = l.top + l.height / 2.0;
      o_ << "<text class=\"axis-y\" x=\"" << num(yx) << "\" y=\"" << num(yy)
         << "\" font-size=\"12\" text-anchor=\"middle\" transform=\"rotate(-90 " << num(yx) << " "
         << num(yy) << ")\">" << xml_escaped(p.y.title) << "</text>\n";
    }

    // Series, clipped to the plot area.
    for (const Series& s : p.series) {
      const Style st = series_style(s.style);
      o_ << "<polyline class=\"series\" data-series=\"" << xml_escaped(s.label)
         << "\" fill=\"none\" stroke=\"" << st.colour << "\" stroke-width=\"2\"";
      if (*st.dash != '\0') o_ << " stroke-dasharray=\"" << st.dash << "\"";
      o_ << " points=\"";
      bool first = true;
      for (const Point& pt : s.points) {
        if (!std::isfinite(pt.x) || !std::isfinite(pt.y)) continue;
        o_ << (first ? "" : " ") << num(xs.at(pt.x)) << "," << num(ys.at(pt.y));
        first = false;
      }
      o_ << "\"/>\n";
      for (const Point& m : s.marks) {
        if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
        o_ << "<circle class=\"mark\" data-series=\"" << xml_escaped(s.label) << "\" cx=\""
           << num(xs.at(m.x)) << "\" cy=\"" << num(ys.at(m.y)) << "\" r=\"" << num(kMarkRadius)
           << "\" fill=\"#ffffff\" stroke=\"" << st.colour << "\" stroke-width=\"1.5\"/>\n";
      }
    }
    o_ << "</g>\n";
  }

  // The legend entries: every distinct series label (first style wins),
  // then the marks.
  struct Entry {
    std::string label;
    int style = -1;  // -1: the marks
  };

  std::vector<Entry> entries() const {
    std::vector<Entry> e;
    for (const Panel& p : f_.panels) {
      for (const Series& s : p.series) {
        const bool seen = std::any_of(e.begin(), e.end(),
                                      [&](const Entry& x) { return x.label == s.label; });
        if (!seen && !s.label.empty()) e.push_back({s.label, s.style});
      }
    }
    if (!f_.mark_label.empty()) e.push_back({f_.mark_label, -1});
    return e;
  }

  double entry_width(const Entry& e) const {
    return kLegendSample + 8.0 + text_width(e.label, kLegendFont) + kLegendSpacing;
  }

  std::vector<std::vector<int>> legend_rows() {
    legend_ = entries();
    std::vector<std::vector<int>> rows;
    const double room = width_ - 2.0 * kMargin;
    double used = room;
    for (std::size_t k = 0; k < legend_.size(); ++k) {
      const double w = entry_width(legend_[k]);
      if (rows.empty() || used + w > room) {
        rows.emplace_back();
        used = 0.0;
      }
      rows.back().push_back(static_cast<int>(k));
      used += w;
    }
    return rows;
  }

  void write_legend(const std::vector<std::vector<int>>& rows, double top) {
    o_ << "<g class=\"legend\">\n";
    double y = top + kLegendRow / 2.0;
    for (const std::vector<int>& row : rows) {
      double x = kMargin;
      for (int k : row) {
        const Entry& e = legend_[static_cast<std::size_t>(k)];
        if (e.style >= 0) {
          const Style st = series_style(e.style);
          o_ << "<line x1=\"" << num(x) << "\" y1=\"" << num(y) << "\" x2=\""
             << num(x + kLegendSample) << "\" y2=\"" << num(y) << "\" stroke=\"" << st.colour
             << "\" stroke-width=\"2\"";
          if (*st.dash != '\0') o_ << " stroke-dasharray=\"" << st.dash << "\"";
          o_ << "/>\n";
        } else {
          o_ << "<circle cx=\"" << num(x + kLegendSample / 2.0) << "\" cy=\"" << num(y)
             << "\" r=\"" << num(kMarkRadius) << "\" fill=\"#ffffff\" stroke=\"#000000\" "
             << "stroke-width=\"1.5\"/>\n";
        }
        o_ << "<text class=\"legend-entry\" x=\"" << num(x + kLegendSample + 8.0) << "\" y=\""
           << num(y) << "\" font-size=\"12\" dominant-baseline=\"middle\">"
           << xml_escaped(e.label) << "</text>\n";
        x += entry_width(e);
      }
      y += kLegendRow;
    }
    o_ << "</g>\n";
  }

  const Figure& f_;
  std::ostringstream o_;
  std::vector<PanelLayout> layouts_;
  std::vector<Entry> legend_;
  double width_ = 0.0;
  double plot_bottom_ = 0.0;
};

}  // namespace

Ticks nice_ticks(double lo, double hi, int target_count) {
  if (hi < lo) std::swap(lo, hi);
  if (hi - lo < 1.0e-12 * std::max(1.0, std::fabs(hi))) {
    // A single value: one unit around it.
    const double pad = std::fabs(hi) > 0.0 ? std::fabs(hi) * 0.1 : 1.0;
    lo -= pad;
    hi += pad;
  }
  const int intervals = std::max(1, target_count - 1);
  const double raw = (hi - lo) / intervals;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10.0 * power;
  for (double f : {1.0, 2.0, 5.0}) {
    if (f * power >= raw * (1.0 - 1.0e-9)) {
      step = f * power;
      break;
    }
  }
  Ticks t;
  t.step = step;
  // A tolerance keeps a value that lies on a tick from adding a tick.
  const double eps = step * 1.0e-9;
  t.first = std::floor((lo + eps) / step) * step;
  const double last = std::ceil((hi - eps) / step) * step;
  t.count = static_cast<int>(std::llround((last - t.first) / step)) + 1;
  t.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1.0e-9)));
  return t;
}

std::string tick_label(double value, int decimals) {
  char buf[48];
  // No "-0" for a tick at zero.
  const double v = std::fabs(value) < 1.0e-12 ? 0.0 : value;
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

Style series_style(int index) {
  const int i = std::max(0, index);
  // Beyond the eighth series the dash patterns shift against the colours.
  return {kColours[i % kStyleCount], kDashes[(i + i / kStyleCount) % kStyleCount]};
}

std::string render_svg(const Figure& figure) { return Writer(figure).render(); }

std::string xml_escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace zolan::chart
