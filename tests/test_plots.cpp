// The plots of the examples read back from their SVG against the report
// lines, and the HTML page.
#include <gtest/gtest.h>

#include <cmath>

#include "example_results.hpp"
#include "results/html.hpp"
#include "results/plots.hpp"
#include "results/run_files.hpp"
#include "svg_reader.hpp"

namespace zolan {
namespace {

using testing::ExampleRun;

const results::Plot& plot_named(const std::vector<results::Plot>& plots, const std::string& name) {
  for (const results::Plot& p : plots) {
    if (p.file_name == name) return p;
  }
  throw std::runtime_error("no plot " + name);
}

struct ExamplePlots {
  ExampleRun run;
  std::vector<results::Plot> plots;
};

void make(const char* folder, ExamplePlots& ep) {
  testing::run_example(folder, ep.run);
  ASSERT_TRUE(ep.run.results.has_value());
  ep.plots = results::make_plots(*ep.run.results);
}

TEST(Plots, CapacityCurvesPassThroughTheReportRows) {
  // Report rows of the English example (penetration, skin, end, ultimate):
  //   25.00   69.3   33.9   103.2;  45.00  193.6  64.1*  257.7;
  //   60.00  374.6  289.7*  664.3.
  ExamplePlots ep;
  make("english-open-pipe", ep);
  const auto svg = testing::parse_xml(plot_named(ep.plots, "capacity.svg").svg);
  const auto ult = testing::read_panel(svg, "Ultimate capacity (kips)");
  const auto skin = testing::read_panel(svg, "Skin friction (kips)");
  const auto end = testing::read_panel(svg, "End bearing (kips)");
  struct Row {
    const testing::ChartPanel* panel;
    double depth;
    double value;
  };
  const Row rows[] = {{&ult, 25.0, 103.2}, {&skin, 25.0, 69.3}, {&end, 25.0, 33.9},
                      {&ult, 45.0, 257.7}, {&skin, 45.0, 193.6}, {&end, 45.0, 64.1},
                      {&ult, 60.0, 664.3}, {&skin, 60.0, 374.6}, {&end, 60.0, 289.7}};
  for (const Row& r : rows) {
    // Printed to 0.1 kips; pixels to 0.01 of 3.2 kips.
    EXPECT_NEAR(testing::x_at_y(r.panel->series.at("API RP 2A"), r.depth), r.value, 0.1)
        << r.depth << " " << r.value;
  }
  // Depth grows downward, in feet; the marks are the nine rows marked *.
  EXPECT_EQ(ult.y_ticks.front(), "0");
  EXPECT_EQ(ult.y_ticks.back(), "60");
  ASSERT_EQ(end.marks.at("API RP 2A").size(), 9u);
  EXPECT_NEAR(end.marks.at("API RP 2A").back().first, 289.7, 0.1);
  EXPECT_NEAR(end.marks.at("API RP 2A").back().second, 60.0, 0.02);
}

TEST(Plots, LoadSettlementAtThePileHead) {
  struct Case {
    const char* folder;
    double summary_settlement;  // drawn unit: in, or mm in SI
    double load_there;          // as in the results tests, from the report lines
    double tolerance;
    double last_top_load, last_top_settlement;  // the last report line
  };
  const Case cases[] = {
      {"english-open-pipe", 0.5, 482.8, 0.5, 632.7, 2.244},
      {"si-concrete-battered", 12.7, 2421.0, 3.0, 3376.0, 65.79},  // 0.6579E-01 m
  };
  for (const Case& c : cases) {
    ExamplePlots ep;
    make(c.folder, ep);
    const auto svg = testing::parse_xml(plot_named(ep.plots, "load-settlement.svg").svg);
    const auto panel = testing::read_panel(svg, "Pile head and pile tip");
    const auto& head = panel.series.at("Pile head");
    EXPECT_NEAR(head.back().first, c.last_top_load, c.last_top_load * 1e-3) << c.folder;
    EXPECT_NEAR(head.back().second, c.last_top_settlement, c.last_top_settlement * 1e-3) << c.folder;
    const auto& marks = panel.marks.at("Pile head");
    ASSERT_EQ(marks.size(), 2u) << c.folder;
    EXPECT_NEAR(marks[0].first, c.load_there, c.tolerance) << c.folder;
    EXPECT_NEAR(marks[0].second, c.summary_settlement, 0.01) << c.folder;
    EXPECT_EQ(panel.series.count("Pile tip"), 1u);
  }
}

TEST(Plots, TzCurvesAndVerificationCurves) {
  ExamplePlots ep;
  make("english-open-pipe", ep);
  // Report: curve 2 at 0.1003E+02 ft reaches 0.2710E+01 psi at 0.1 in;
  // verification curve 1 at 10 ft reaches 0.2704E+01 psi at 0.1 in.
  const auto tz = testing::parse_xml(plot_named(ep.plots, "tz-curves.svg").svg);
  const auto curves = testing::read_panel(tz, "t-z curves (flat beyond 0.72 in)");
  EXPECT_EQ(curves.series.size(), 9u);
  const auto& at10 = curves.series.at("at 10.03 ft");
  EXPECT_NEAR(at10[7].first, 0.1, 0.002);
  EXPECT_NEAR(at10[7].second, 2.710, 0.02);
  // Clipped at 0.72 in: 3 x 0.24 in, the peak of the clay curves (0.01 D).
  EXPECT_NEAR(at10.back().first, 0.72, 0.002);
  const auto tip = testing::read_panel(tz, "Tip curve");
  EXPECT_NEAR(tip.series.at("tip load")[7].second, 289.7, 0.2);

  const auto ver = testing::parse_xml(plot_named(ep.plots, "verification-tz-curves.svg").svg);
  const auto checks = testing::read_panel(ver, "At the check depths of the input (flat beyond 0.30 in)");
  EXPECT_NEAR(checks.series.at("at 10.00 ft")[7].second, 2.704, 0.02);
  EXPECT_EQ(checks.series.size(), 2u);
}

TEST(Plots, TheSiExampleDrawsNoVerificationPlotAndMillimetres) {
  ExamplePlots ep;
  make("si-concrete-battered", ep);
  std::vector<std::string> names;
  for (const auto& p : ep.plots) names.push_back(p.file_name);
  EXPECT_EQ(names, (std::vector<std::string>{"capacity.svg", "load-settlement.svg", "tz-curves.svg"}));
  const auto svg = testing::parse_xml(plot_named(ep.plots, "capacity.svg").svg);
  // Battered: the depth axis is the pile length below ground, 25.00 m at the
  // tip with 3288.8 kN (the last report row).
  const auto ult = testing::read_panel(svg, "Ultimate capacity (kN)");
  EXPECT_NEAR(testing::x_at_y(ult.series.at("API RP 2A"), 25.0), 3288.8, 0.5);
  bool length_axis = false;
  for (const auto& e : svg) {
    if (e.text == "Pile length below ground (m)") length_axis = true;
  }
  EXPECT_TRUE(length_axis);
}

TEST(Plots, PlotsFromTheFilesOfAFinishedRunShowTheSameRows) {
  ExamplePlots ep;
  make("english-open-pipe", ep);
  const results::RunFileNames names = results::run_file_names(ep.run.dir.path());
  const results::Results back = results::read_finished_run(names.report, names.plot);
  const auto plots = results::make_plots(back);
  ASSERT_EQ(plots.size(), 4u);
  const auto ult = testing::read_panel(testing::parse_xml(plot_named(plots, "capacity.svg").svg),
                                       "Ultimate capacity (kips)");
  EXPECT_NEAR(testing::x_at_y(ult.series.at("API RP 2A"), 25.0), 103.2, 0.1);
  EXPECT_EQ(ult.series.at("API RP 2A").size(), 13u);  // the printed rows only
}

TEST(Plots, HtmlPageIsSelfContained) {
  ExamplePlots ep;
  make("english-open-pipe", ep);
  const std::string html = results::html_page(*ep.run.results, ep.plots);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("<link"), std::string::npos);
  EXPECT_EQ(html.find("src="), std::string::npos);
  // The only address is the SVG namespace, once per inline plot.
  std::size_t addresses = 0, svgs = 0;
  for (std::size_t at = html.find("http"); at != std::string::npos; at = html.find("http", at + 1)) {
    ++addresses;
    EXPECT_EQ(html.compare(at, 26, "http://www.w3.org/2000/svg"), 0);
  }
  for (std::size_t at = html.find("<svg"); at != std::string::npos; at = html.find("<svg", at + 1)) ++svgs;
  EXPECT_EQ(svgs, 4u);
  EXPECT_EQ(addresses, svgs);
  // The table row at 25 ft and the tip row, as the report prints them.
  EXPECT_NE(html.find("<tr><td class=\"num\">25.00</td><td class=\"num\">69.3</td><td "
                      "class=\"num\">33.9</td><td class=\"num\">103.2</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<td class=\"num\">289.7 *</td><td class=\"num\">664.3</td>"), std::string::npos);
}

}  // namespace
}  // namespace zolan
