// Line formatter: F, E, I and A fields, overflow, rounding and layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "engine/format.hpp"

namespace zolan {
namespace {

struct RealCase {
  double value;
  int w;
  int d;
  const char* expected;
};

// Fw.d: right-aligned, correctly rounded, optional leading zero, asterisks.
const RealCase kFixed[] = {
    {0.5, 7, 2, "   0.50"},
    {1234567.0, 7, 2, "*******"},
    {-0.5, 5, 2, "-0.50"},
    {-0.5, 4, 2, "-.50"},        // no room for the 0 before the point
    {0.5, 3, 2, ".50"},
    {-0.5, 3, 2, "***"},
    {64.0, 10, 2, "     64.00"},
    {-12.345, 8, 1, "   -12.3"},
    {0.125, 6, 2, "  0.12"},     // an exact binary tie goes to the even digit
    {0.375, 6, 2, "  0.38"},
    {2.675, 6, 2, "  2.67"},     // 2.675 is 2.67499999... in binary
    {-0.004, 6, 2, "  0.00"},    // rounds to zero: no minus sign
    {999.995, 7, 2, "1000.00"},  // 999.995 is 999.99500000000000455 in binary
    {999.995, 6, 2, "******"},
    {99.999, 6, 2, "100.00"},
    {3.0, 4, 0, "  3."},
    {1.82, 8, 3, "   1.820"},
    {123.456, 9, 1, "    123.5"},
    {-1.0e6, 9, 1, "*********"},
};

TEST(FormatF, WritesEachCaseExactly) {
  for (const RealCase& c : kFixed) {
    EXPECT_EQ(format_f(c.value, c.w, c.d), c.expected) << c.value << " F" << c.w << "." << c.d;
  }
}

// Ew.d: 0.ddd with the first digit not zero, exponent of two digits.
const RealCase kExponent[] = {
    {9999999.0, 9, 2, " 0.10E+08"},
    {29000000.0, 10, 3, " 0.290E+08"},
    {0.0, 9, 2, " 0.00E+00"},
    {0.0, 16, 4, "      0.0000E+00"},
    {1.0, 16, 4, "      0.1000E+01"},
    {-1.0, 16, 4, "     -0.1000E+01"},
    {0.00012345, 17, 4, "       0.1234E-03"},  // 0.00012345 lies below the tie in binary
    {0.00012346, 17, 4, "       0.1235E-03"},
    {12.5, 10, 3, " 0.125E+02"},
    {0.99995, 10, 4, "0.1000E+01"},  // rounding carries into the exponent
    {-9999999.0, 8, 2, "-.10E+08"},  // no room for the 0
    {-9999999.0, 7, 2, "*******"},
    {1.5e121, 8, 2, "0.15+122"},  // three-digit exponent drops the E
    {1.5e-120, 8, 2, "0.15-119"},
    {1.0e300, 9, 2, " 0.10+301"},
    {0.25, 9, 2, " 0.25E+00"},
    {0.125, 9, 1, "  0.1E+00"},  // exact tie, even digit
    {1.0e-5, 10, 3, " 0.100E-04"},
};

TEST(FormatE, WritesEachCaseExactly) {
  for (const RealCase& c : kExponent) {
    EXPECT_EQ(format_e(c.value, c.w, c.d), c.expected) << c.value << " E" << c.w << "." << c.d;
  }
}

TEST(FormatE, ThreeDigitExponentsReachTheEndsOfTheDoubleRange) {
  // Exponents of doubles never need four digits; the smallest ones fit.
  EXPECT_EQ(format_e(std::numeric_limits<double>::denorm_min(), 10, 3), " 0.494-323");
  EXPECT_EQ(format_e(1.0e-300, 9, 3), "0.100-299");
  EXPECT_EQ(format_e(-1.0e-300, 9, 3), "-.100-299");
  EXPECT_EQ(format_e(-1.0e-300, 8, 3), "********");
}

TEST(Format, NonFiniteValuesNeverReachALine) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(format_f(nan, 7, 2), "*******");
  EXPECT_EQ(format_f(-inf, 7, 2), "*******");
  EXPECT_EQ(format_e(inf, 10, 3), "**********");
  EXPECT_EQ(format_e(nan, 9, 2), "*********");
}

TEST(FormatI, WidthMinimumDigitsAndOverflow) {
  EXPECT_EQ(format_i(7, 2, 2), "07");
  EXPECT_EQ(format_i(7, 4), "   7");
  EXPECT_EQ(format_i(-7, 4), "  -7");
  EXPECT_EQ(format_i(501, 4), " 501");
  EXPECT_EQ(format_i(12345, 4), "****");
  EXPECT_EQ(format_i(-123, 3), "***");
  EXPECT_EQ(format_i(2026, 4), "2026");
  EXPECT_EQ(format_i(5, 4, 3), " 005");
  EXPECT_EQ(format_i(std::numeric_limits<std::int64_t>::min(), 5), "*****");
}

TEST(FormatA, CutsLongTextsAndRightAlignsShortOnes) {
  const std::string title(255, 'T');
  EXPECT_EQ(format_a(title, 70), std::string(70, 'T'));
  EXPECT_EQ(format_a("FT.", 5), "  FT.");
  EXPECT_EQ(format_a("ABCDEF", 3), "ABC");
  EXPECT_EQ(format_a("", 2), "  ");
}

TEST(Line, ComposesFieldsFromColumnOne) {
  const Line line = Line().x(10).t("DEPTH").f(12.5, 7, 2).rep('*', 3).i(4, 3).a("FT.").a("IN.", 5);
  EXPECT_EQ(line.str(), "          DEPTH  12.50***  4FT.  IN.");
}

TEST(LineSink, WritesWholeLinesAndBlankLines) {
  std::ostringstream out;
  LineSink sink(&out);
  sink.blank(2);
  sink.put(Line().t("A").x(3));  // trailing blanks are kept
  sink.put("1");
  EXPECT_EQ(out.str(), "\n\nA   \n1\n");
  LineSink detached;
  detached.put("ignored");  // a sink without a stream swallows its lines
  EXPECT_FALSE(detached.is_open());
}

}  // namespace
}  // namespace zolan
