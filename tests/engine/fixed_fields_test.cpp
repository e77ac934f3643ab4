#include "io/fixed_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace tarvex::fields {
namespace {

TEST(FixedFieldDecimal, RoundsAndRightJustifies) {
  EXPECT_EQ(decimal(0.5, 20, 8), "          0.50000000");
  EXPECT_EQ(decimal(-0.5, 20, 8), "         -0.50000000");
  EXPECT_EQ(decimal(1.0, 12, 6), "    1.000000");
  EXPECT_EQ(decimal(0.123456789, 10, 7), " 0.1234568");
  EXPECT_EQ(decimal(2.5, 4, 0), "  2.");  // halves of the binary value round to even
  EXPECT_EQ(decimal(3.0, 2, 0), "3.");
  EXPECT_EQ(decimal(12.3456, 8, 3), "  12.346");
}

TEST(FixedFieldDecimal, LeadingZeroOnlyWhereTheFieldHasRoom) {
  EXPECT_EQ(decimal(0.5, 9, 7), "0.5000000");
  EXPECT_EQ(decimal(0.5, 8, 7), ".5000000");
  EXPECT_EQ(decimal(-0.5, 9, 7), "-.5000000");
  EXPECT_EQ(decimal(-0.5, 10, 7), "-0.5000000");
}

TEST(FixedFieldDecimal, OverflowGivesAsterisks) {
  EXPECT_EQ(decimal(100.0, 10, 7), "**********");
  EXPECT_EQ(decimal(-10.0, 10, 7), "**********");
  EXPECT_EQ(decimal(99.99999999, 10, 7), "**********");  // rounds to 100
  EXPECT_EQ(decimal(9.99999, 10, 7), " 9.9999900");
  EXPECT_EQ(decimal(100000.0, 12, 6), "************");
  EXPECT_EQ(decimal(1.0 / 0.0, 6, 2), "******");
}

TEST(FixedFieldDecimal, ValueRoundingToZeroHasNoSign) {
  EXPECT_EQ(decimal(-1.0e-12, 20, 8), "          0.00000000");
  EXPECT_EQ(decimal(-0.0, 8, 3), "   0.000");
}

TEST(FixedFieldDecimal, AgreesWithPrintfOnSinglePrecisionValues) {
  // The fast and the general way must give printf's exact rounding, ties included.
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> spread(-2.0f, 2.0f);
  std::vector<double> values{1.0 / 512, -1.0 / 512, 0.5, 2.5, 0.125, 1e-9, 123456.789, 1e20};
  for (int i = 0; i < 20000; ++i) values.push_back(spread(random) * std::pow(10.0f, i % 7 - 3));
  char expected[512];
  for (const double value : values) {
    for (const int d : {0, 3, 5, 6, 7, 8}) {
      std::snprintf(expected, sizeof expected, "%.*f", d, value);
      std::string text = expected;
      if (d == 0) text += '.';
      if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') text.erase(0, 1);
      const std::string field = decimal(value, 40, d);
      ASSERT_EQ(field.substr(field.find_first_not_of(' ')), text) << value << " d=" << d;
    }
  }
}

TEST(FixedFieldInteger, WidthsDigitsAndOverflow) {
  EXPECT_EQ(integer(61, 12), "          61");
  EXPECT_EQ(integer(-123, 6), "  -123");
  EXPECT_EQ(integer(1000, 3), "***");
  EXPECT_EQ(integer(7, 3, 3), "007");
  EXPECT_EQ(integer(1000, 3, 3), "***");
  EXPECT_EQ(integer(-5, 4, 2), " -05");
}

TEST(FixedFieldText, TextFields) {
  EXPECT_EQ(text("lower", 5), "lower");
  EXPECT_EQ(text("longer text", 6), "longer");
  EXPECT_EQ(text("ab", 4), "  ab");
  EXPECT_EQ(blanks(3), "   ");
  EXPECT_EQ(blanks(0), "");
}

}  // namespace
}  // namespace tarvex::fields
