#include <gtest/gtest.h>

#include "engine/format.hpp"

TEST(Formatter, WritesTheExamplesOfTheLayouts) {
  EXPECT_EQ(zolan::format_f(0.5, 7, 2), "   0.50");
  EXPECT_EQ(zolan::format_f(1234567.0, 7, 2), "*******");
  EXPECT_EQ(zolan::format_e(9999999.0, 9, 2), " 0.10E+08");
  EXPECT_EQ(zolan::format_e(29000000.0, 10, 3), " 0.290E+08");
}
