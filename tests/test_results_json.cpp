// The JSON results: valid against docs/results.schema.json, values as the
// report prints them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "example_results.hpp"
#include "json_schema.hpp"
#include "results/json.hpp"

namespace zolan {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;
using testing::ExampleRun;
using testing::printed;

json schema() {
  return json::parse(testing::read_file(fs::path(ZOLAN_SOURCE_DIR) / "docs" / "results.schema.json"));
}

json example_json(const char* folder, ExampleRun& run) {
  testing::run_example(folder, run);
  if (!run.results) return json();
  return json::parse(results::results_json(*run.results, "9.9.9"));
}

TEST(ResultsJson, BothExamplesValidateAgainstTheSchema) {
  for (const char* folder : {"english-open-pipe", "si-concrete-battered"}) {
    ExampleRun run;
    const json doc = example_json(folder, run);
    ASSERT_TRUE(doc.is_object()) << folder;
    testing::SchemaChecker checker(schema());
    const std::vector<std::string> errors = checker.errors(doc);
    EXPECT_TRUE(errors.empty()) << folder << ": " << (errors.empty() ? "" : errors.front());
  }
}

TEST(ResultsJson, TheCheckerRefusesWhatTheSchemaForbids) {
  ExampleRun run;
  const json good = example_json("english-open-pipe", run);
  struct Case {
    const char* what;
    json::json_pointer at;
    json value;  // null: remove the member
    const char* error;
  };
  const Case cases[] = {
      {"unit", json::json_pointer("/units/force"), "tonnes", "/units/force: \"tonnes\" is not one of"},
      {"plug", json::json_pointer("/methods/0/rows/3/plug"), "half", "/methods/0/rows/3/plug"},
      {"type", json::json_pointer("/methods/0/rows/3/ultimate"), "103.2", "is not of type"},
      {"settlement", json::json_pointer("/head_load_at_settlement/0/settlement"), 0.0,
       "not above the exclusive minimum"},
      {"extra", json::json_pointer("/pile/colour"), "red", "/pile/colour: is not a property"},
      {"missing", json::json_pointer("/methods/0/tip"), nullptr, "/methods/0: lacks tip"},
  };
  for (const Case& c : cases) {
    json bad = good;
    if (c.value.is_null()) {
      bad.at(c.at.parent_pointer()).erase(c.at.back());
    } else {
      bad[c.at] = c.value;
    }
    testing::SchemaChecker checker(schema());
    const std::vector<std::string> errors = checker.errors(bad);
    ASSERT_FALSE(errors.empty()) << c.what;
    bool named = false;
    for (const std::string& e : errors) named = named || e.find(c.error) != std::string::npos;
    EXPECT_TRUE(named) << c.what << ": " << errors.front();
  }
}

TEST(ResultsJson, ValuesAsTheReportPrintsThem) {
  ExampleRun run;
  const json doc = example_json("english-open-pipe", run);
  ASSERT_TRUE(doc.is_object());
  EXPECT_EQ(doc["program"]["version"], "9.9.9");
  EXPECT_EQ(doc["units"]["length"], "ft");
  EXPECT_EQ(doc["units"]["force"], "kips");
  EXPECT_EQ(doc["load_transfer_method"], "api");
  const json& api = doc["methods"][0];
  EXPECT_EQ(api["key"], "api");
  EXPECT_EQ(api["rows"].size(), 61u);  // 0 .. 60 ft in 1 ft steps
  // Every printed row against the report table, token by token.
  const auto rows = testing::report_rows(run.report, "*  API RP-2A (2010)  *");
  int printed_rows = 0;
  for (const json& row : api["rows"]) {
    if (!row["printed"].get<bool>()) continue;
    ++printed_rows;
    const std::string at = printed(row["penetration"].get<double>(), 2);
    ASSERT_EQ(rows.count(at), 1u) << at;
    const std::vector<std::string>& t = rows.at(at);
    EXPECT_EQ(t[1], printed(row["skin_friction"].get<double>(), 1)) << at;
    EXPECT_EQ(t[2], printed(row["end_bearing"].get<double>(), 1) +
                        (row["plug"] == "unplugged" ? "*" : ""))
        << at;
    EXPECT_EQ(t[3], printed(row["ultimate"].get<double>(), 1)) << at;
    EXPECT_EQ(t[4], printed(row["core_length"].get<double>(), 2)) << at;
  }
  EXPECT_EQ(printed_rows, 13);
  EXPECT_EQ(printed(api["tip"]["ultimate"].get<double>(), 1), "664.3");
  EXPECT_EQ(api["tip"]["plug"], "unplugged");
  // Plot data capacity record at 25 ft: "25.00  69.3  33.9  103.2  0.759".
  EXPECT_EQ(printed(api["rows"][25]["unit_friction"].get<double>(), 3), "0.759");
  // Load versus settlement line 7: 0.5253E+03 0.6932E+00; the load at 0.5 in
  // as in the results tests (482.8 from the printed lines).
  EXPECT_NEAR(doc["load_settlement"][6]["top_load"].get<double>(), 525.3, 0.05);
  EXPECT_NEAR(doc["load_settlement"][6]["top_movement"].get<double>(), 0.6932, 0.00005);
  EXPECT_EQ(doc["head_load_at_settlement"][0]["label"], "0.5 in");
  EXPECT_NEAR(doc["head_load_at_settlement"][0]["load"].get<double>(), 482.8, 0.3);
  EXPECT_EQ(doc["verification_curves"].size(), 2u);
  EXPECT_FALSE(doc["pile"]["tip_above_last_penetration"].get<bool>());
}

}  // namespace
}  // namespace zolan
