// Input information section: the lines chosen by the input, and the model
// replacements made while it is written.
#include <gtest/gtest.h>

#include <sstream>

#include "input_text.hpp"
#include "model/echo.hpp"
#include "model/input_reader.hpp"

namespace zolan {
namespace {

using testing::InputText;

struct Echo {
  AnalysisModel m;
  std::string text;
  bool has(const std::string& line) const { return text.find("\n" + line + "\n") != std::string::npos; }
  bool contains(const std::string& part) const { return text.find(part) != std::string::npos; }
};

std::unique_ptr<Echo> echo(const InputText& input) {
  auto e = std::make_unique<Echo>();
  std::istringstream in(input.str());
  read_input_data(in, "t.dat", e->m);
  set_unit_labels(e->m);
  prepare_echo_values(e->m);
  std::ostringstream out;
  LineSink sink(&out);
  write_input_information(e->m, sink);
  e->text = out.str();
  return e;
}

const std::string k10(10, ' ');

TEST(Echo, ClosedEndedPipeShowsEnhancedEndAndPlugLines) {
  InputText t;
  t.r4 = "1 1 2 1";
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "- Close-Ended Pile"));
  EXPECT_TRUE(e->has(k10 + "- INTERNAL DIAMETER, ID     =     22.00 IN."));
  // No enhanced end given: the whole pile less 1e-7, shown as 62.00.
  EXPECT_TRUE(e->has(k10 + "  END SECTION               =     62.00 FT."));
  EXPECT_TRUE(e->has(k10 + "  ENHANCED END SECTION      =     22.00 IN."));
  EXPECT_TRUE(e->has(k10 + "Internal Pile Plug Calculated by Program"));
}

TEST(Echo, ClosedEndedCircularPrecastPileShowsNeither) {
  InputText t;
  t.r4 = "1 1 2 1";
  t.r7 = "0.0 1.0 3 0.0 4 0 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "Precast concrete pile (Circular/Tubular)"));
  EXPECT_TRUE(e->has(k10 + "- Close-Ended Pile"));
  EXPECT_FALSE(e->contains("END SECTION"));
  EXPECT_FALSE(e->contains("PLUGGED/UNPLUGGED"));
}

TEST(Echo, EnhancedEndEqualToTheEmbeddedLengthIsNotShown) {
  InputText t;
  t.r6 = "60.0 20.0 0.0";  // 62 ft total, 2 ft stickup
  const auto e = echo(t);
  EXPECT_FALSE(e->contains("END SECTION"));
  EXPECT_TRUE(e->contains("PLUGGED/UNPLUGGED CONDITIONS : \n" + k10 + "Internal Pile"));
}

TEST(Echo, CrossSectionAreaIsComputedForAreaOption0) {
  InputText t;
  t.r4 = "1 1 2 1";
  t.r5 = "0.0 0.0 12.0 11.0 29000000.0 62.0 2.0";
  const auto e = echo(t);
  // 0.7854 x (144 - 121) = 18.06 in2.
  EXPECT_TRUE(e->has(k10 + "- CROSS SECTION AREA        =     18.06 IN2"));
  EXPECT_DOUBLE_EQ(e->m.cross_section_area_user, 0.7853999733924866 * 23.0);
  EXPECT_TRUE(e->has(k10 + "- MODULUS OF ELASTICITY     = 0.290E+08 PSI"));
}

TEST(Echo, GivenAreaAndAreaTable) {
  InputText given;
  given.r9 = "80.0 30.5";
  given.r14 = "0 1";
  EXPECT_TRUE(echo(given)->has(k10 + "- CROSS SECTION AREA        =     30.50 IN2"));
  InputText table;
  table.r14 = "2 2";
  table.r14a = {"0.0 54.8", "40.0 30.0"};
  const auto e = echo(table);
  EXPECT_TRUE(e->has(k10 + "- CROSS SECTION AREA ALONG PILE LENGTH"));
  EXPECT_TRUE(e->has(k10 + " DIST.,FT." + k10 + " AREA,IN2"));
  EXPECT_TRUE(e->has(k10 + "     40.00" + k10 + "     30.00"));
}

TEST(Echo, ReplacesLengthAndBatterAngle) {
  InputText t;
  t.r6 = "0.0 0.0 15.0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "- TOTAL PILE LENGTH, TL     =     62.00 FT."));
  EXPECT_TRUE(e->has(k10 + "- BATTER ANGLE              =     15.00 DEG"));
  EXPECT_EQ(e->m.pile_length, 60.0);
  EXPECT_DOUBLE_EQ(e->m.batter_angle, 15.0 * 3.1415927410125732 / 180.0);
}

TEST(Echo, NoncircularPileProperties) {
  InputText t;
  t.r5 = "48.0 144.0 0.0 0.0 29000000.0 62.0 2.0";
  t.r7 = "0.0 1.0 6 0.0 4 0 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "H-Pile/Steel Pile"));
  EXPECT_TRUE(e->has(k10 + "NONCIRCULAR PILE PROPERTIES : "));
  EXPECT_TRUE(e->has(k10 + "- PERIMETER OF PILE         =     48.00 IN."));
  EXPECT_TRUE(e->has(k10 + "- TIP AREA OF PILE          =    144.00 IN2"));
  // The tip area as entered becomes the cross-section area.
  EXPECT_TRUE(e->has(k10 + "- CROSS SECTION AREA        =    144.00 IN2"));
}

TEST(Echo, TensionShowsTheReductionFactorOnlyWithApi) {
  InputText api;
  api.r12 = "1 0.7";
  const auto with_api = echo(api);
  EXPECT_TRUE(with_api->has(k10 + "- TENSION  "));
  EXPECT_TRUE(with_api->has(k10 + "  REDUCTION FACTOR FOR TENSION LOADING =      0.70"));
  InputText other = api;
  other.r8 = "0 1 0 0 0 0 0 0 0";
  EXPECT_FALSE(echo(other)->contains("REDUCTION FACTOR"));
}

TEST(Echo, TaperLineOnlyForTaperedTypesWithApi) {
  InputText timber;
  timber.r7 = "0.0 1.0 2 0.8 4 0 0";
  EXPECT_TRUE(echo(timber)->has(k10 + "Angle of taper for a tapered pile  (degrees) =      0.80"));
  InputText no_api = timber;
  no_api.r8 = "1 0 0 0 0 0 0 0 0";
  EXPECT_FALSE(echo(no_api)->contains("Angle of taper"));
}

TEST(Echo, MethodLinesAndTheirOptions) {
  InputText t;
  t.r7 = "0.0 1.0 1 0.0 2 1 1";
  t.r8 = "1 1 1 1 1 1 1 1 1";
  t.r13 = "1 0 1";
  t.r15 = "2 25.0";
  t.soil[1] = "0 0 0 10 0 0 0 100 0 1 1 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->contains(k10 + "METHOD FOR UNIT LOAD TRANSFERS : \n\n" + k10 +
                          "- USACE (U.S. Army Corps of Engineers)\n" + k10 +
                          "  Reduced Unit Side Friction and Unit Side Resistance are used.\n"));
  EXPECT_TRUE(e->contains(k10 + "- USACE (U.S. Army Corps of Engineers)\n" + k10 +
                          "  # Critical Depth Method for Sand:\n" + k10 +
                          "    At User-Specified Critical Depth =     25.00 FT.\n" + k10 +
                          "  Use Long Pile Option\n" + k10 + "- Revised Lambda\n"));
  EXPECT_TRUE(e->contains(k10 + "- ICP/MTD (Imperial College of London)\n" + k10 +
                          "  # Use Drained Condition for Clay\n" + k10 +
                          "- FUGRO (Offshore Driven Piles in Sand)\n"));
  EXPECT_TRUE(e->has(k10 + "- UWA (University of Western Australia)"));
}

TEST(Echo, SoilTypeWordsRepeatForUnknownCodes) {
  InputText t;
  t.r4 = "1 1 3 0";
  t.soil = {"0 7 0.8 115 30 0",  "0 0 0 10 0 0 0 0 0 1 1 0", "10 2 0 110 0 0",
            "0 0 1000 500 0 0 0 0 0 1 1 0", "80 5 0.8 60 34 0", "0 0 0 20 0 0 0 0 0 1 1 0"};
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "   0.00" + std::string(13, ' ') + "0.80       115.00        30.00      0.00"));
  EXPECT_TRUE(e->has(k10 + "  80.00   CLAY      0.80        60.00        34.00      0.00"));
}

TEST(Echo, MaximumFrictionTableAndNote) {
  InputText t;
  t.soil[3] = "1500 30000 0 20 0 0 0 800 90000 1 1 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has("          0.10E+08* 0.10E+08*       0.00      0.00  10.00       0.00      0.00"));
  EXPECT_TRUE(e->has("          0.15E+01  0.30E+02        0.00      0.00  20.00       0.80     90.00"));
  EXPECT_TRUE(e->has(k10 + "  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT "));
}

TEST(Echo, SiUserValuesAreShownAsEntered) {
  InputText t;
  t.r4 = "2 1 2 0";
  t.r5 = "0.0 0.0 600.0 560.0 200000000.0 20.0 0.0";
  t.r9 = "30.0 0.0";
  t.soil[3] = "50 4000 0 20 0 0 0 35 2500 1 1 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has("          0.50E+02  0.40E+04        0.00      0.00  20.00      35.00   2500.00"));
  EXPECT_TRUE(e->has("            KPA       KPA        KPA       KPA               KPA       KPA"));
}

TEST(Echo, SoilDetailTableOnlyWithTheOption) {
  InputText t;
  t.soil[1] = "0 0 0 10 0 30 25000 0 0 1 1 0";
  EXPECT_FALSE(echo(t)->contains("PLASTIC"));
  t.r7 = "0.0 1.0 1 0.0 4 1 0";
  const auto e = echo(t);
  EXPECT_TRUE(e->has(k10 + "        PLASTIC    YIELD      Qc                             "));
  EXPECT_TRUE(e->has("            FT.      %                 KSF"));
  EXPECT_TRUE(e->has(k10 + "   0.00  30.00    10.00    0.250E+02"));
  // The section ends with the LRFD table when the option is 0.
  t.r7 = "0.0 1.0 1 0.0 4 0 0";
  const auto plain = echo(t);
  EXPECT_TRUE(plain->text.ends_with("\n" + k10 + "  80.00    1.000       1.000\n"));
}

TEST(Echo, ComputationResultHeader) {
  std::ostringstream out;
  LineSink sink(&out);
  write_computation_result_header(sink);
  EXPECT_EQ(out.str(), "\n\n\n1\n" + k10 + std::string(22, '*') + "\n" + k10 +
                           "* COMPUTATION RESULT *\n" + k10 + std::string(22, '*') + "\n");
}

}  // namespace
}  // namespace zolan
