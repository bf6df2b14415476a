// Line formatter: F, E, I and A fields, overflow, rounding and layouts.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

// The formatter checked against printf, field by field: printf rounds the
// exact binary value to the nearest (a tie to the even digit), which is
// what the F and E fields must show.
namespace printf_reference {

std::string fit(const std::string& s, int w) {
  if (w < 0) return "";
  if (static_cast<int>(s.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

// Without the 0 before the point when the field is too narrow for it.
std::string narrowed(std::string s, int w) {
  if (static_cast<int>(s.size()) <= w) return s;
  const std::size_t zero = s[0] == '-' ? 1 : 0;
  if (s.compare(zero, 2, "0.") == 0) s.erase(zero, 1);
  return s;
}

// The number of an F field at any width ("" when it is not finite).
std::string f(double v, int d) {
  if (!std::isfinite(v)) return "";
  char buf[400];
  std::snprintf(buf, sizeof buf, "%#.*f", d, v);
  std::string s = buf;
  if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  return s;
}

// The number of an E field at any width ("" when it is not finite).
std::string e(double v, int d) {
  if (!std::isfinite(v)) return "";
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(v));  // d.ddde+xx
  const std::string sci = buf;
  const std::size_t at = sci.find('e');
  std::string digits = sci.substr(0, at);
  if (d > 1) digits.erase(1, 1);  // the point
  int exponent = std::atoi(sci.c_str() + at + 1) + 1;
  if (v == 0.0) exponent = 0;
  const char sign = exponent < 0 ? '-' : '+';
  std::snprintf(buf, sizeof buf, std::abs(exponent) > 99 ? "%c%03d" : "E%c%02d", sign,
                std::abs(exponent));
  return (v < 0.0 ? "-0." : "0.") + digits + buf;
}

// The number in a field of w columns; asterisks when there is none.
std::string field(const std::string& number, int w) {
  if (number.empty()) return fit(std::string(1000, '*'), w);
  return fit(narrowed(number, w), w);
}

// The number of an I field at any width.
std::string i(long long v, int m) {
  char buf[64];
  if (m == 0) {
    std::snprintf(buf, sizeof buf, "%lld", v);  // m 0: no least number of digits
  } else {
    std::snprintf(buf, sizeof buf, "%.*lld", m, v);  // printf pads to m digits too
  }
  return buf;
}

}  // namespace printf_reference

// Values of every kind a field meets: ordinary engineering values, random
// doubles of all magnitudes, exact binary ties, values just around a
// rounding carry, denormals, zeros and the ends of the double range.
std::vector<double> differential_values() {
  std::vector<double> v = {0.0, -0.0, 0.125, 0.375, 2.5, 3.5, -2.5, 0.0625, 9.995, 99.995,
                           999.995, 99999.95, 999999.95, 0.99995, 9.9999999, 0.0049999,
                           -0.004, -0.005, 1.0e308, -1.0e308, 1.0e-308,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::lowest(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(),
                           9999999.0, 29000000.0};
  // Exact ties at 0 to 6 digits: odd multiples of 2^-(d+1) and 5 x 10^-(d+1)
  // as the nearest double, with integer parts.
  for (int d = 0; d <= 6; ++d) {
    for (int k = 1; k < 64; k += 2) {
      const double tie = std::ldexp(k, -(d + 1));
      for (double whole : {0.0, 1.0, 17.0, 12345.0}) {
        v.push_back(whole + tie);
        v.push_back(-(whole + tie));
      }
    }
  }
  // Around carries: 9.5, 99.95, 999.995, ... and their neighbours.
  for (int d = 0; d <= 8; ++d) {
    for (int digits = 1; digits <= 8; ++digits) {
      const double carry = std::pow(10.0, digits) - 0.5 * std::pow(10.0, -d);
      for (double x : {carry, std::nextafter(carry, 0.0), std::nextafter(carry, 1.0e300)}) {
        v.push_back(x);
        v.push_back(-x);
        v.push_back(x * 1.0e-9);  // the same digits as E field carries
      }
    }
  }
  // Whole numbers ending in 5 at every magnitude: ties for an E field with
  // fewer digits, and whole values at the limits of 64-bit integers.
  for (double five : {5.0, 15.0, 25.0, 125.0, 12345.0, 9999995.0, 1999999999995.0}) {
    for (int k = 0; k <= 24; ++k) {
      const double x = five * std::pow(10.0, k);
      v.push_back(x);
      v.push_back(-x);
      v.push_back(std::nextafter(x, 0.0));
      v.push_back(std::nextafter(x, 1.0e300));
    }
  }
  // Powers of ten and of two, and their neighbours: the decimal exponent
  // changes there, and the limits of 64-bit whole numbers lie among them.
  for (int k = -30; k <= 30; ++k) {
    for (double x : {std::pow(10.0, k), std::ldexp(1.0, 2 * k), std::ldexp(1.0, 2 * k + 35)}) {
      for (double y : {x, std::nextafter(x, 0.0), std::nextafter(x, 1.0e300)}) {
        v.push_back(y);
        v.push_back(-y);
      }
    }
  }
  std::mt19937_64 random(20260517);
  for (int k = 0; k < 2500; ++k) {
    // Any bit pattern: all exponents, denormals, and some NaN and infinity.
    v.push_back(std::bit_cast<double>(random()));
    // Engineering magnitudes, 1e-8 to 1e12, either sign.
    const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-8.0, 12.0)(random));
    v.push_back(k % 2 == 0 ? magnitude : -magnitude);
    // Short decimals, the kind read from input files.
    v.push_back(static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 1000.0);
  }
  for (int k = 0; k < 200; ++k) {
    v.push_back(std::bit_cast<double>(random() & 0x000FFFFFFFFFFFFFull));  // denormals
  }
  return v;
}

// Every value in widths 0 to 20 (every field of the engine is among them)
// with digits `first` to `last`: the formatter against printf's number;
// the count of fields compared.
int compare_with_printf(std::string (*format)(double, int, int),
                        std::string (*reference)(double, int), const char* kind, int first,
                        int last) {
  int compared = 0;
  for (double v : differential_values()) {
    for (int d = first; d <= last; ++d) {
      const std::string number = reference(v, d);
      for (int w = 0; w <= 20; ++w, ++compared) {
        EXPECT_EQ(format(v, w, d), printf_reference::field(number, w))
            << std::hexfloat << v << " " << kind << w << "." << d;
        if (::testing::Test::HasFailure()) return compared;
      }
    }
  }
  return compared;
}

// Each number of digits the exact integer rounding serves, and some beyond.
TEST(FormatDifferential, FixedFieldsMatchPrintf) {
  EXPECT_GT(compare_with_printf(format_f, printf_reference::f, "F", 0, 12), 2000000);
}

TEST(FormatDifferential, ExponentFieldsMatchPrintf) {
  EXPECT_GT(compare_with_printf(format_e, printf_reference::e, "E", 1, 18), 3000000);
}

TEST(FormatDifferential, IntegerFieldsMatchPrintf) {
  std::mt19937_64 random(7);
  std::vector<long long> values = {0, 1, -1, 9, 10, -10, 99999, std::numeric_limits<long long>::max(),
                                   std::numeric_limits<long long>::min()};
  for (int k = 0; k < 2000; ++k) {
    const int bits = static_cast<int>(random() % 63);
    values.push_back(static_cast<long long>(random() >> bits));
    values.push_back(-static_cast<long long>(random() >> (bits + 1)));
  }
  for (long long v : values) {
    for (int m = 0; m <= 22; ++m) {
      const std::string number = printf_reference::i(v, m);
      for (int w = 0; w <= 24; ++w) {
        ASSERT_EQ(format_i(v, w, m), printf_reference::fit(number, w)) << v << " I" << w << "." << m;
      }
    }
  }
}

// The same fields built into one line: a line appends exactly the fields.
TEST(FormatDifferential, LinesAppendTheSingleFields) {
  const double v = -0.0123456;
  const Line line = Line().f(v, 7, 2).e(v, 10, 3).i(-42, 5, 3).f(v, 4, 2).e(v, 9, 3);
  EXPECT_EQ(line.str(), format_f(v, 7, 2) + format_e(v, 10, 3) + format_i(-42, 5, 3) +
                            format_f(v, 4, 2) + format_e(v, 9, 3));
  EXPECT_EQ(line.str(), "  -0.01-0.123E-01 -042-.01-.123E-01");
}

TEST(Line, ComposesFieldsFromColumnOne) {
  const Line line = Line().x(10).t("DEPTH").f(12.5, 7, 2).rep('*', 3).i(4, 3).a("FT.").a("IN.", 5);
  EXPECT_EQ(line.str(), "          DEPTH  12.50***  4FT.  IN.");
}

TEST(Line, LongerThanItsOwnRoomAndCopied) {
  // 150 + 100 + 4 characters: past the 200 a line keeps in itself.
  const Line line = Line().rep('x', 150).x(100).i(1234, 4);
  EXPECT_EQ(line.str(), std::string(150, 'x') + std::string(100, ' ') + "1234");
  Line copy = line;
  copy.t("!");
  EXPECT_EQ(copy.str().size(), 255u);
  EXPECT_EQ(line.str().size(), 254u);
  Line short_line = Line().t("AB");
  const Line short_copy = short_line;
  short_line.t("C");
  EXPECT_EQ(short_copy.str(), "AB");
  EXPECT_EQ(short_line.str(), "ABC");
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

TEST(LineSink, KeepsLinesUntilABlockIsFull) {
  std::ostringstream out;
  LineSink sink;
  sink.attach(&out, 8);
  sink.put("abc");  // 4 bytes kept
  EXPECT_EQ(out.str(), "");
  sink.put("defg");  // 9 bytes: a block
  EXPECT_EQ(out.str(), "abc\ndefg\n");
  sink.blank();
  sink.flush();
  EXPECT_EQ(out.str(), "abc\ndefg\n\n");
  sink.put("last");
  std::ostringstream other;
  sink.attach(&other);  // hands "last" to the first stream, then line by line
  sink.put("next");
  EXPECT_EQ(out.str(), "abc\ndefg\n\nlast\n");
  EXPECT_EQ(other.str(), "next\n");
  sink.attach(nullptr, 8);
  sink.put("swallowed");
  sink.flush();
  EXPECT_EQ(other.str(), "next\n");
}

}  // namespace
}  // namespace zolan
