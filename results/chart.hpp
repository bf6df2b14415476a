// A small chart writer: line charts as SVG, one or more panels side by side
// with axes, rounded ticks, grid, polylines in distinct colours and dash
// patterns (readable in black and white), open-circle marks and a legend.
//
// The SVG carries what a reader (or a test) needs to read values back: each
// panel is a <g class="panel" data-title="..."> (its title, or the title of
// its x axis when it has none), each tick label a
// <text class="tick-x"> or <text class="tick-y"> centred on its tick, each
// series a <polyline class="series" data-series="...">.
#pragma once

#include <string>
#include <vector>

namespace zolan::chart {

// Rounded ticks over [lo, hi]: a step of 1, 2 or 5 times a power of ten,
// the first tick at or below lo and the last at or above hi.
struct Ticks {
  double first = 0.0;
  double step = 1.0;
  int count = 0;      // ticks from first to last
  int decimals = 0;   // decimals that show the step exactly
  double last() const { return first + step * (count - 1); }
  double at(int k) const { return first + step * k; }
};
Ticks nice_ticks(double lo, double hi, int target_count);
std::string tick_label(double value, int decimals);

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// Colour and dash pattern of series `index` (dash "" is a solid line).
struct Style {
  const char* colour;
  const char* dash;
};
Style series_style(int index);

struct Series {
  std::string label;
  std::vector<Point> points;
  int style = 0;
  std::vector<Point> marks;  // drawn as open circles on the series' colour
};

struct Axis {
  std::string title;      // with its unit: "Penetration (ft)"
  bool downward = false;  // values grow downward (depths, settlements)
  bool from_zero = true;  // the range includes 0
};

struct Panel {
  std::string title;  // may be empty
  Axis x;
  Axis y;
  std::vector<Series> series;
};

struct Figure {
  std::string title;
  std::vector<Panel> panels;  // side by side
  bool share_y = false;       // one y range for all panels, labelled on the first
  std::string mark_label;     // legend text of the marks ("" when there are none)
  bool legend = true;
  int panel_width = 300;
  int panel_height = 420;
};

std::string render_svg(const Figure& figure);

// Text made safe for XML content and attribute values.
std::string xml_escaped(const std::string& text);

}  // namespace zolan::chart
