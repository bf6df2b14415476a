// The chart writer: rounded ticks, styles, escaping, and an SVG read back
// to the values drawn.
#include <gtest/gtest.h>

#include <set>

#include "results/chart.hpp"
#include "svg_reader.hpp"

namespace zolan::chart {
namespace {

TEST(Chart, TicksAreRoundedStepsCoveringTheRange) {
  // raw step = (hi - lo) / (target - 1), rounded up to 1, 2 or 5 x 10^k.
  struct Case {
    double lo, hi;
    int target;
    double first, step;
    int count, decimals;
  };
  const Case cases[] = {
      {0.0, 664.3, 5, 0.0, 200.0, 5, 0},   // raw 166.1 -> 200; 0 .. 800
      {0.0, 60.0, 8, 0.0, 10.0, 7, 0},     // raw 8.57 -> 10; 60 lies on a tick
      {0.0, 2.244, 6, 0.0, 0.5, 6, 1},     // raw 0.449 -> 0.5; 0 .. 2.5
      {-12.3, 47.0, 5, -20.0, 20.0, 5, 0}, // raw 14.8 -> 20; -20 .. 60
      {0.0, 0.0658, 4, 0.0, 0.05, 3, 2},   // raw 0.0219 -> 0.05; 0 .. 0.1
      {3.0, 3.0, 5, 2.6, 0.2, 5, 1},       // one value: 10 % around it, 2.7 .. 3.3 in 2.6 .. 3.4
      {0.0, 1.0, 6, 0.0, 0.2, 6, 1},       // raw exactly 0.2
  };
  for (const Case& c : cases) {
    const Ticks t = nice_ticks(c.lo, c.hi, c.target);
    EXPECT_NEAR(t.first, c.first, 1e-12) << c.lo << " " << c.hi;
    EXPECT_NEAR(t.step, c.step, 1e-12) << c.lo << " " << c.hi;
    EXPECT_EQ(t.count, c.count) << c.lo << " " << c.hi;
    EXPECT_EQ(t.decimals, c.decimals) << c.lo << " " << c.hi;
    EXPECT_LE(t.first, c.lo);
    EXPECT_GE(t.last(), c.hi - 1e-9);
  }
}

TEST(Chart, TickLabels) {
  EXPECT_EQ(tick_label(200.0, 0), "200");
  EXPECT_EQ(tick_label(0.5, 1), "0.5");
  EXPECT_EQ(tick_label(-1e-17, 1), "0.0");  // no "-0.0" at a zero crossing
  EXPECT_EQ(tick_label(0.1 + 0.2, 1), "0.3");
}

TEST(Chart, StylesDifferInColourOrDashForTwentySeries) {
  std::set<std::pair<std::string, std::string>> seen;
  for (int k = 0; k < 20; ++k) {
    const Style s = series_style(k);
    seen.insert({s.colour, s.dash});
  }
  EXPECT_EQ(seen.size(), 20u);
  // The first eight differ in dash pattern too (black and white print).
  std::set<std::string> dashes;
  for (int k = 0; k < 8; ++k) dashes.insert(series_style(k).dash);
  EXPECT_EQ(dashes.size(), 8u);
}

TEST(Chart, TextIsEscaped) {
  EXPECT_EQ(xml_escaped("a < b & \"c\" > d"), "a &lt; b &amp; &quot;c&quot; &gt; d");
}

Figure two_panel_figure() {
  Figure f;
  f.title = "Test <figure>";
  f.share_y = true;
  f.mark_label = "marked";
  for (const char* title : {"Left", "Right"}) {
    Panel p;
    p.title = title;
    p.x.title = "Force (kips)";
    p.y.title = "Depth (ft)";
    p.y.downward = true;
    f.panels.push_back(p);
  }
  f.panels[0].series.push_back({"A & B", {{0.0, 0.0}, {120.0, 30.0}, {410.0, 60.0}}, 0, {{120.0, 30.0}}});
  f.panels[0].series.push_back({"C", {{0.0, 0.0}, {50.0, 60.0}}, 1, {}});
  f.panels[1].series.push_back({"A & B", {{-5.0, 0.0}, {33.0, 45.0}}, 0, {}});
  return f;
}

TEST(Chart, SvgReadsBackToTheValuesDrawn) {
  const std::string svg = render_svg(two_panel_figure());
  const std::vector<testing::XmlElement> e = testing::parse_xml(svg);
  ASSERT_EQ(e.front().name, "svg");
  EXPECT_EQ(e.front().attrs.at("xmlns"), "http://www.w3.org/2000/svg");

  const testing::ChartPanel left = testing::read_panel(e, "Left");
  // 300 px wide: about five ticks, 410 / 4 = 102.5 -> steps of 200, 0 .. 600;
  // 420 px high: about seven ticks, 60 / 6 -> steps of 10, 0 .. 60 (shared).
  EXPECT_EQ(left.x_ticks.front(), "0");
  EXPECT_EQ(left.x_ticks.back(), "600");
  EXPECT_EQ(left.y_ticks.front(), "0");
  EXPECT_EQ(left.y_ticks.back(), "60");
  ASSERT_EQ(left.series.count("A & B"), 1u);
  const auto& ab = left.series.at("A & B");
  ASSERT_EQ(ab.size(), 3u);
  const double expected[3][2] = {{0.0, 0.0}, {120.0, 30.0}, {410.0, 60.0}};
  for (int k = 0; k < 3; ++k) {
    // Pixels carry two decimals: a few hundredths of a unit at most.
    EXPECT_NEAR(ab[static_cast<std::size_t>(k)].first, expected[k][0], 0.05);
    EXPECT_NEAR(ab[static_cast<std::size_t>(k)].second, expected[k][1], 0.02);
  }
  ASSERT_EQ(left.marks.at("A & B").size(), 1u);
  EXPECT_NEAR(left.marks.at("A & B")[0].first, 120.0, 0.05);

  // Depth grows downward: the pixel of 60 ft lies below that of 0 ft.
  EXPECT_GT(left.y.pixel1, left.y.pixel0);

  const testing::ChartPanel right = testing::read_panel(e, "Right");
  EXPECT_EQ(right.x_ticks.front(), "-10");  // the range holds -5
  EXPECT_NEAR(testing::x_at_y(right.series.at("A & B"), 22.5), 14.0, 0.05);  // halfway

  // Legend: each label once, then the marks.
  std::vector<std::string> legend;
  for (const auto& el : e) {
    if (el.attrs.count("class") != 0 && el.attrs.at("class") == "legend-entry") {
      legend.push_back(el.text);
    }
  }
  EXPECT_EQ(legend, (std::vector<std::string>{"A & B", "C", "marked"}));
}

TEST(Chart, MalformedSvgIsCaughtByTheReader) {
  EXPECT_THROW(testing::parse_xml("<svg><g></svg>"), std::runtime_error);
  EXPECT_THROW(testing::parse_xml("<svg a=\"1\" a=\"2\"/>"), std::runtime_error);
  EXPECT_THROW(testing::parse_xml("<svg>&nbsp;</svg>"), std::runtime_error);
  EXPECT_NO_THROW(testing::parse_xml("<svg><text>a &amp; b</text></svg>"));
}

TEST(Chart, EmptyPanelStillDrawsAxes) {
  Figure f;
  f.title = "Empty";
  Panel p;
  p.title = "Nothing";
  f.panels.push_back(p);
  const std::vector<testing::XmlElement> e = testing::parse_xml(render_svg(f));
  const testing::ChartPanel c = testing::read_panel(e, "Nothing");
  // Nothing drawn: 0 .. 1 in steps of 0.5 (about five ticks, raw 0.25).
  EXPECT_EQ(c.x_ticks.front(), "0.0");
  EXPECT_EQ(c.x_ticks.back(), "1.0");
}

}  // namespace
}  // namespace zolan::chart
