// Input data file and CPT data file: conversions, defaults and refusals.
#include <gtest/gtest.h>

#include <sstream>

#include "input_text.hpp"
#include "model/input_reader.hpp"
#include "model/model.hpp"

namespace zolan {
namespace {

using testing::InputText;

AnalysisModel read(const InputText& text) {
  AnalysisModel m;
  std::istringstream in(text.str());
  read_input_data(in, "input data file \"t.dat\"", m);
  return m;
}

std::string error_of(const InputText& text) {
  try {
    read(text);
  } catch (const InputError& e) {
    return e.what();
  }
  return "no error";
}

TEST(InputReader, ReadsEveryRecordOfAValidFile) {
  InputText t;
  t.r11 = "1";
  t.r11ab = {"2", "10.0", "20.5"};
  t.r12 = "1 0.7";
  t.r13 = "1 2 1";
  t.r14 = "2 2";
  t.r14a = {"0.0 100.0", "60.0 80.0"};
  t.r15 = "2 25.0";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.title.size(), 255u);
  EXPECT_EQ(m.title.substr(0, 10), "TEST PILE ");
  EXPECT_EQ(m.unit_system, 1);
  EXPECT_EQ(m.soil_point_count, 2);
  EXPECT_EQ(m.pile_diameter, 24.0);
  EXPECT_EQ(m.inner_diameter, 22.0);
  EXPECT_EQ(m.pile_length, 62.0);
  EXPECT_EQ(m.pile_type, 1);
  EXPECT_EQ(m.load_transfer_method, 4);
  EXPECT_EQ(m.method_selected[4], 1);
  EXPECT_EQ(m.soil_profile_depth, 80.0);
  EXPECT_EQ(m.tz_check_depth_count, 2);
  EXPECT_EQ(m.tz_check_depth[2], 20.5);
  EXPECT_EQ(m.loading_type, 1);
  EXPECT_EQ(m.tension_reduction_factor, 0.7);
  EXPECT_EQ(m.plug_condition, 2);
  EXPECT_EQ(m.long_pile_option, 1);
  EXPECT_EQ(m.area_table_count, 2);
  EXPECT_EQ(m.area_option, 2);
  EXPECT_EQ(m.area_table_area[2], 80.0);
  EXPECT_EQ(m.critical_depth_option, 2);
  EXPECT_EQ(m.critical_depth, 25.0);
}

TEST(InputReader, CutsTitlesAt72CharactersAndPadsThemTo255) {
  InputText t;
  t.title = std::string(72, 'X') + "CUT";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.title, std::string(72, 'X') + std::string(183, ' '));
}

TEST(InputReader, RecordOverTwoLinesIsTheSameRecord) {
  InputText one, two;
  two.r4 = "1 1\n2 0";
  EXPECT_EQ(read(one).soil_point_count, read(two).soil_point_count);
  EXPECT_EQ(read(two).pile_end_condition, 0);
}

TEST(InputReader, SandTakesItsBlowCountFromColumn9) {
  InputText t;
  t.soil[1] = "0 0 0 12 0 0 0 0 0 1 1 0";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.soil_table(1, kColBlowCount), 12.0);
  EXPECT_EQ(m.soil_table(1, kColSuRemolded), 0.0);
}

TEST(InputReader, SlashLeavesTheLaterColumnsUntouched) {
  InputText t;
  t.soil[1] = "500 0 0 12 0 /";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.soil_table(1, kColMaxFriction), 0.5);
  for (int c = 11; c <= 17; ++c) EXPECT_EQ(m.soil_table(1, c), 0.0) << c;
}

TEST(InputReader, PerimeterGivesTheDiameterOfANoncircularPile) {
  InputText t;
  t.r5 = "48.0 144.0 30.0 10.0 29000000.0 62.0 2.0";
  t.r7 = "0.0 1.0 6 0.0 4 0 0";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.pile_diameter, 48.0 / 3.1415998935699463);
  EXPECT_NEAR(m.pile_diameter, 15.279, 0.001);
  EXPECT_EQ(m.inner_diameter, 0.0);
  EXPECT_EQ(m.tip_area_user, 1.0);  // 144 in2 in ft2
  EXPECT_EQ(m.entered_tip_area, 144.0);
  EXPECT_EQ(m.entered_pile_diameter, 30.0);
}

TEST(InputReader, SiTipAreaIsKept) {
  InputText t;
  t.r4 = "2 1 2 0";
  t.r5 = "0.0 0.16 600.0 0.0 30000000.0 20.0 0.0";
  EXPECT_EQ(read(t).tip_area_user, 0.16);
}

TEST(InputReader, MaximumFrictionAndBearingDefaults) {
  InputText t;
  t.soil[1] = "0 500 0 12 0 0 0 0 0 1 1 0";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.soil_table(1, kColMaxFriction), 9999999.0);
  EXPECT_EQ(m.max_friction_defaulted[1], 1);
  EXPECT_EQ(m.soil_table(1, kColMaxBearing), 0.5);
  EXPECT_EQ(m.max_bearing_defaulted[1], 0);
}

TEST(InputReader, EnhancedEndDefaultsToTheWholePile) {
  InputText t;
  t.r5 = "0.0 0.0 24.0 22.0 29000000.0 80.0 0.0";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.enhanced_end_length, 80.0 - 1.0000000116860974e-07);
  EXPECT_EQ(m.pile_inner_diameter, 22.0);
  InputText given;
  given.r6 = "5.0 20.0 0.0";
  const AnalysisModel g = read(given);
  EXPECT_EQ(g.enhanced_end_length, 5.0);
  EXPECT_EQ(g.pile_inner_diameter, 20.0);
}

TEST(InputReader, WaterTableIsTheFirstPointLighterThanWater) {
  InputText t;
  t.r4 = "1 1 4 0";
  t.soil = {"0 1 0.8 110 30 0",  "0 0 0 10 0 0 0 0 0 1 1 0", "10 1 0.8 120 30 0",
            "0 0 0 10 0 0 0 0 0 1 1 0", "20 1 0.8 60 30 0",  "0 0 0 10 0 0 0 0 0 1 1 0",
            "30 1 0.8 50 30 0",  "0 0 0 10 0 0 0 0 0 1 1 0"};
  EXPECT_EQ(read(t).water_table_depth, 20.0);
  InputText si = t;
  si.r4 = "2 1 4 0";
  si.soil[0] = "0 1 0.8 11.9 30 0";
  EXPECT_EQ(read(si).water_table_depth, 0.0);
}

TEST(InputReader, EnglishStressesInKsfAndUserValuesAsEntered) {
  InputText t;
  t.soil[0] = "0.0 2.0 0.0 115.0 0.0 0.0";
  t.soil[1] = "1500 30000 1000 500 0 25 20000 800 90000 0.9 0.8 2";
  const AnalysisModel m = read(t);
  EXPECT_EQ(m.soil_table(1, kColMaxFriction), 1.5);
  EXPECT_EQ(m.soil_table(1, kColMaxBearing), 30.0);
  EXPECT_EQ(m.soil_table(1, kColSuUndisturbed), 1.0);
  EXPECT_EQ(m.soil_table(1, kColSuRemolded), 0.5);
  // Plasticity index, cone resistance and the user values keep their
  // entered values.
  EXPECT_EQ(m.soil_table(1, kColPlasticityIndex), 25.0);
  EXPECT_EQ(m.soil_table(1, kColConeResistance), 20000.0);
  EXPECT_EQ(m.soil_table(1, kColUserFriction), 800.0);
  EXPECT_EQ(m.soil_table(1, kColUserBearing), 90000.0);
}

struct Refusal {
  const char* name;
  void (*change)(InputText&);
  const char* message;
};

const Refusal kRefusals[] = {
    {"unit system 3", [](InputText& t) { t.r4 = "3 1 2 0"; },
     "line 4 (record 4): unit_system must be 1 (English) or 2 (SI), found 3"},
    {"output interval 0", [](InputText& t) { t.r4 = "1 0 2 0"; },
     "(record 4): output_interval must be 1 or more, found 0"},
    {"81 soil points", [](InputText& t) { t.r4 = "1 1 81 0"; },
     "(record 4): soil_point_count must be 1 to 80, found 81"},
    {"no soil point", [](InputText& t) { t.r4 = "1 1 0 0"; },
     "soil_point_count must be 1 to 80, found 0"},
    {"negative soil point count", [](InputText& t) { t.r4 = "1 1 -2 0"; },
     "soil_point_count must be 1 to 80, found -2"},
    {"decimal point in a count", [](InputText& t) { t.r4 = "1 1 2.0 0"; },
     "expected an integer (a whole number without a decimal point) for soil_point_count, found \"2.0\""},
    {"zero diameter", [](InputText& t) { t.r5 = "0 0 0 0 29000000 62 2"; },
     "(record 5): pile_diameter (or perimeter_input of a noncircular pile) must be greater than 0, found 0"},
    {"zero modulus", [](InputText& t) { t.r5 = "0 0 24 22 0 62 2"; },
     "(record 5): modulus_of_elasticity must be greater than 0, found 0"},
    {"inside diameter equal to outside", [](InputText& t) { t.r5 = "0 0 24 24 29000000 62 2"; },
     "inner_diameter must be less than pile_diameter (24), found 24"},
    {"negative inside diameter", [](InputText& t) { t.r5 = "0 0 24 -1 29000000 62 2"; },
     "inner_diameter must be 0 or more, found -1"},
    {"stickup longer than the pile", [](InputText& t) { t.r5 = "0 0 24 22 29000000 2 3"; },
     "pile_length (2) must not be less than stickup (3)"},
    {"enhanced end wider than the pile", [](InputText& t) { t.r6 = "5 30 0"; },
     "(record 6): pile_inner_diameter must be less than pile_diameter (24), found 30"},
    {"horizontal pile", [](InputText& t) { t.r6 = "0 0 90"; },
     "batter_angle must lie between -90 and 90 degrees, found 90"},
    {"zero length step", [](InputText& t) { t.r7 = "0 0 1 0 4 0 0"; },
     "(record 7): length_step must be greater than 0, found 0"},
    {"negative length step", [](InputText& t) { t.r7 = "0 -1 1 0 4 0 0"; },
     "length_step must be greater than 0, found -1"},
    {"taper of 90 degrees", [](InputText& t) { t.r7 = "0 1 2 90 4 0 0"; },
     "taper_angle must be less than 90 degrees, found 90"},
    {"load-transfer method 0", [](InputText& t) { t.r7 = "0 1 1 0 0 0 0"; },
     "load_transfer_method must be 1 to 9, found 0"},
    {"friction angle of 90", [](InputText& t) { t.soil[0] = "0 1 0.8 115 90 0"; },
     "(record 10A of soil point 1): the friction angle (column 4) must be less than 90 degrees, found 90"},
    {"negative unit weight", [](InputText& t) { t.soil[2] = "80 1 0.8 -60 34 0"; },
     "(record 10A of soil point 2): the effective unit weight (column 3) must be 0 or more, found -60"},
    {"negative blow count", [](InputText& t) { t.soil[1] = "0 0 0 -10 0 0 0 0 0 1 1 0"; },
     "column 9 (remolded shear strength, or blow count of a sand) must be 0 or more, found -10"},
    {"negative earth pressure coefficient", [](InputText& t) { t.soil[0] = "0.0 1.0 -0.8 115.0 30.0 0.0"; },
     "(record 10A of soil point 1): the lateral earth pressure coefficient K (column 2) must be 0 or "
     "more, found -0.8"},
    {"letters in a soil record", [](InputText& t) { t.soil[1] = "0 0 0 ten 0 0 0 0 0 1 1 0"; },
     "line 11 (record 10B of soil point 1): expected a real number for remolded shear strength or "
     "blow count (column 9), found \"ten\""},
    {"101 check depths", [](InputText& t) { t.r11 = "1"; t.r11ab = {"101"}; },
     "(record 11a): tz_check_depth_count must be 0 to 100, found 101"},
    {"negative check depth count", [](InputText& t) { t.r11 = "1"; t.r11ab = {"-1"}; },
     "tz_check_depth_count must be 0 to 100, found -1"},
    {"101 area rows", [](InputText& t) { t.r14 = "101 2"; },
     "(record 14): area_table_count must be 0 to 100, found 101"},
    {"area table option without rows", [](InputText& t) { t.r14 = "0 2"; },
     "area_option 2 needs an area table, but area_table_count is 0"},
    {"zero area in the table", [](InputText& t) { t.r14 = "2 2"; t.r14a = {"0 100", "60 0"}; },
     "(record 14a, area table row 2): area_table_area must be greater than 0, found 0"},
    {"area table out of order", [](InputText& t) { t.r14 = "2 2"; t.r14a = {"10 100", "10 90"}; },
     "area_table_distance must increase from row to row, found 10 after 10"},
    {"missing last record", [](InputText& t) { t.r15 = ""; },
     "(record 15): the file ends before the record is complete: critical_depth_option and 1 "
     "further value(s) are missing"},
};

TEST(InputReader, RefusesBadInputWithAClearMessage) {
  for (const Refusal& r : kRefusals) {
    InputText t;
    r.change(t);
    const std::string message = error_of(t);
    EXPECT_NE(message.find("input data file \"t.dat\""), std::string::npos) << r.name << ": " << message;
    EXPECT_NE(message.find(r.message), std::string::npos) << r.name << ": " << message;
  }
}

TEST(InputReader, AcceptsWhatTheComputationHandles) {
  InputText t;
  t.soil[0] = "0.0 7.0 0.8 115.0 -5.0 0.0";  // unknown soil type, negative angle
  t.r5 = "0.0 0.0 24.0 22.0 29000000.0 62.0 0.0";  // no stickup
  t.r6 = "0.0 0.0 -10.0";                              // negative batter
  t.r7 = "-5.0 1.0 9 -3.0 4 0 0";  // negative ZFL, unknown pile type, negative taper
  // Undisturbed strength and cone resistance below their thresholds mean
  // "not given" (the strength from qc / 15, qc from the CPT profile or the
  // blow count).
  t.soil[1] = "0 0 -1 10 0 0 -5 0 0 1 1 0";
  EXPECT_EQ(error_of(t), "no error");
}

TEST(CptReader, ReadsPointsAndRefusesBadCounts) {
  AnalysisModel m;
  std::istringstream good("1 3\n0 500\n5.0, 900\n8 1.2E3\n");
  read_cpt_data(good, "CPT data file \"c.cpt\"", m);
  EXPECT_EQ(m.cpt_point_count, 3);
  EXPECT_EQ(m.cpt_qc[3], 1200.0);
  const struct {
    const char* text;
    const char* message;
  } bad[] = {
      {"1 1001\n", "cpt_point_count must be 0 to 1000, found 1001"},
      {"1 -1\n", "cpt_point_count must be 0 to 1000, found -1"},
      {"1 2\n0 500\n", "line 3 (record 2, CPT point 2): the file ends here"},
      {"1 1\n0 -5\n", "cpt_qc must be 0 or more, found -5"},
      {"", "line 1 (record 1): the file ends here"},
  };
  for (const auto& b : bad) {
    AnalysisModel n;
    std::istringstream in(b.text);
    try {
      read_cpt_data(in, "CPT data file \"c.cpt\"", n);
      ADD_FAILURE() << b.text << ": no error";
    } catch (const InputError& e) {
      EXPECT_NE(std::string(e.what()).find(b.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace zolan
