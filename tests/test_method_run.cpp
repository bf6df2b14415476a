// Method run: table shapes, row selection, plot records and runs at the
// limits of the lists.
#include <gtest/gtest.h>

#include <sstream>

#include "capacity/tables.hpp"
#include "engine/run.hpp"
#include "input_text.hpp"
#include "run_dir.hpp"

namespace zolan {
namespace {

using testing::InputText;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

using Outcome = testing::RunOutcome;

Outcome run(const InputText& t, const std::string& cpt = "0 0\n") {
  ScratchDir dir;
  return testing::run_input(dir, t.str(), cpt);
}

// The lines of the API table, from its title to the end of its rows.
std::vector<std::string> api_table(const std::string& report) {
  return testing::table_lines(report, "*  API RP-2A (2010)  *");
}

const std::string k10(10, ' ');

TEST(TableShapes, VerticalCompressionWithTheCoreColumn) {
  InputText t;  // open pipe, plug computed, vertical
  t.r4 = "1 20 2 0";
  const Outcome o = run(t);
  ASSERT_EQ(o.result.code(), 0) << o.result.message;
  const auto table = api_table(o.report);
  ASSERT_GE(table.size(), 7u);
  EXPECT_EQ(table[0], std::string(28, ' ') + "*  API RP-2A (2010)  *");
  EXPECT_EQ(table[2], "");
  EXPECT_EQ(table[3], k10 + "   PILE       TOTAL SKIN       END       ULTIMATE        CORE");
  EXPECT_EQ(table[4], k10 + "PENETRATION   FRICTION       BEARING     CAPACITY       LENGTH");
  EXPECT_EQ(table[5], k10 + "    FT.          KIP           KIP          KIP          FT.");
  // Rows: 11X, F7.2, 6X, F8.1, 6X, F8.1, marker, 3X, F9.1, 3X, F9.2.
  EXPECT_EQ(table[6].size(), 11u + 7 + 6 + 8 + 6 + 8 + 1 + 3 + 9 + 3 + 9);
  EXPECT_EQ(table[6].substr(0, 18), std::string(11, ' ') + "   0.00");
  // Penetrations 1, 21, 41 and the last one (61): four rows.
  EXPECT_EQ(table.size(), 6u + 4);
  EXPECT_EQ(table[9].substr(11, 7), "  60.00");
}

TEST(TableShapes, BatteredCompressionWithoutCore) {
  InputText t;
  t.r4 = "1 20 2 1";  // closed-ended
  t.r6 = "0.0 0.0 20.0";
  const Outcome o = run(t);
  ASSERT_EQ(o.result.code(), 0) << o.result.message;
  const auto table = api_table(o.report);
  EXPECT_EQ(table[3], k10 + "PILE LENGTH      DEPTH      TOTAL SKIN       END       ULTIMATE");
  EXPECT_EQ(table[4], k10 + "BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY");
  EXPECT_EQ(table[5], k10 + "    FT.          FT.          KIP           KIP          KIP");
  // The depth column is the length times cos(20 degrees): 60 x 0.93969.
  EXPECT_EQ(table.back().substr(0, 31), std::string(11, ' ') + "  60.00" + std::string(6, ' ') + "  56.38");
  EXPECT_EQ(table.back().size(), 11u + 7 + 6 + 7 + 6 + 8 + 6 + 8 + 4 + 9);
}

TEST(TableShapes, PluggedOrUnpluggedPipesHaveNoCoreColumn) {
  for (const char* r13 : {"0 1 0", "0 2 0"}) {
    InputText t;
    t.r13 = r13;
    const Outcome o = run(t);
    const auto table = api_table(o.report);
    EXPECT_EQ(table[3], k10 + "   PILE       TOTAL SKIN       END       ULTIMATE") << r13;
    // Rows without marker and core: 11X, F7.2, 6X, F8.1, 6X, F8.1, 4X, F9.1.
    for (std::size_t k = 6; k < table.size(); ++k) {
      EXPECT_EQ(table[k].size(), 11u + 7 + 6 + 8 + 6 + 8 + 4 + 9) << r13 << ": " << table[k];
    }
  }
}

TEST(TableShapes, TensionShowsTheSelfWeight) {
  InputText vertical;
  vertical.r12 = "1 0.7";
  const Outcome v = run(vertical);
  ASSERT_EQ(v.result.code(), 0) << v.result.message;
  auto table = api_table(v.report);
  EXPECT_EQ(table[3], k10 + "   PILE       TOTAL SKIN       SELF      ULTIMATE");
  EXPECT_EQ(table[4], k10 + "PENETRATION   FRICTION        WEIGHT     CAPACITY");
  EXPECT_NE(v.report.find("            - A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE\n"
                          "              BOUYANCY EFFECT.\n"),
            std::string::npos);
  InputText battered = vertical;
  battered.r6 = "0.0 0.0 5.0";
  table = api_table(run(battered).report);
  EXPECT_EQ(table[3], k10 + "PILE LENGTH      DEPTH      TOTAL SKIN       SELF      ULTIMATE");
  EXPECT_EQ(table[4], k10 + "BELOW GND.    BELOW GND.    FRICTION        WEIGHT     CAPACITY");
}

TEST(RowSelection, EveryPenetrationOrOnlyTheFirstAndTheLast) {
  InputText every;
  every.r4 = "1 1 2 0";
  const Outcome e = run(every);
  EXPECT_EQ(api_table(e.report).size(), 6u + 61);
  InputText ends;
  ends.r4 = "1 500 2 0";
  const Outcome o = run(ends);
  const auto table = api_table(o.report);
  ASSERT_EQ(table.size(), 6u + 2);
  EXPECT_EQ(table[6].substr(11, 7), "   0.00");
  EXPECT_EQ(table[7].substr(11, 7), "  60.00");
  // Plot: header, then one capacity record per printed row.
  std::istringstream plot(o.plot);
  std::string header, first, last;
  std::getline(plot, header);
  std::getline(plot, first);
  std::getline(plot, last);
  EXPECT_EQ(header, "           1           2           1           4");
  EXPECT_EQ(first.substr(0, 9), "     0.00");
  EXPECT_EQ(last.substr(0, 9), "    60.00");
  EXPECT_EQ(last.size(), 2u + 7 + 2 + 8 + 2 + 8 + 2 + 9 + 2 + 9);
}

TEST(RowSelection, PrintedRowCount) {
  const struct {
    int npen, interval, rows;
  } cases[] = {{61, 1, 61}, {61, 5, 13}, {61, 7, 10}, {61, 60, 2}, {61, 500, 2}, {1, 1, 1}, {1, 5, 1}, {2, 5, 2}};
  for (const auto& c : cases) {
    EXPECT_EQ(printed_row_count(c.npen, c.interval), c.rows) << c.npen << " " << c.interval;
  }
}

TEST(MethodRun, NoMethodSelectedPrintsNoTableButRunsTheSettlement) {
  InputText t;
  t.r8 = "0 0 0 0 0 0 0 0 0";
  const Outcome o = run(t);
  ASSERT_EQ(o.result.code(), 0);
  EXPECT_EQ(o.report.find("API RP-2A (2010)"), std::string::npos);
  EXPECT_NE(o.report.find("LOAD VERSUS SETTLEMENT CURVE"), std::string::npos);
  EXPECT_TRUE(o.plot.starts_with("           0          61           1           4\n"));
}

TEST(MethodRun, RunAtTheLimitsOfTheLists) {
  // 80 soil points, 500 penetrations (499 ft with 1 ft steps), 1000 CPT
  // points, 100 check depths and 100 area-table rows.
  InputText t;
  t.r4 = "1 1 80 0";
  t.r5 = "0.0 0.0 6.0 5.5 29000000.0 499.0 0.0";  // required depth 499 + 2 x 0.5 = 500
  t.r7 = "0.0 1.0 1 0.0 4 1 0";
  t.r8 = "1 1 1 1 1 1 1 1 1";
  t.r9 = "500.0 0.0";
  t.soil.clear();
  for (int i = 0; i < 80; ++i) {
    const bool sand = i % 2 == 0;
    t.soil.push_back(std::to_string(i * 500.0 / 79.0) + (sand ? " 1 0.8 " : " 2 0 ") +
                     std::to_string(110 - i * 0.5) + (sand ? " 33 0" : " 0 0"));
    t.soil.push_back(sand ? "0 0 0 20 0 0 150000 0 0 1 1 0" : "0 0 2000 1000 5 30 0 0 0 1 1 0");
  }
  t.r11 = "1";
  t.r11ab = {"100"};
  for (int k = 0; k < 100; ++k) t.r11ab.push_back(std::to_string(k * 5.0));
  t.r14 = "100 2";
  for (int k = 0; k < 100; ++k) t.r14a.push_back(std::to_string(k * 5.0) + " " + std::to_string(80.0 - k * 0.3));
  std::string cpt = "1 1000\n";
  for (int k = 0; k < 1000; ++k) cpt += std::to_string(k * 0.5) + " " + std::to_string(1000.0 + 100 * k) + "\n";
  const Outcome o = run(t, cpt);
  ASSERT_EQ(o.result.code(), 0) << o.result.message << o.report.substr(o.report.size() - 600);
  const auto table = api_table(o.report);
  EXPECT_EQ(table.size(), 6u + 500);
  EXPECT_EQ(table.back().substr(11, 7), " 499.00");
  EXPECT_EQ(o.report.find("NaN"), std::string::npos);
  EXPECT_EQ(o.report.find("nan"), std::string::npos);
  EXPECT_EQ(o.report.find("inf"), std::string::npos);
}

}  // namespace
}  // namespace zolan
