#include "io/line_scan.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "test_support.h"

namespace tarvex {
namespace {

using test::TextInput;
using test::TextOutput;

LineBuffer lineOf(std::string_view text) {
  LineBuffer line;
  setLine(line, text);
  return line;
}

struct Parsed {
  int count;
  std::array<float, 4> values;
};

Parsed parse(std::string_view text, std::string_view following = "") {
  TextInput next{std::string(following)};
  LineBuffer line = lineOf(text);
  SHRINK(line);
  Parsed parsed{0, {}};
  parsed.count = DLFF(next.in(), parsed.values, line);
  return parsed;
}

TEST(LineGet, SkipsShortLinesAndDeliversData) {
  TextInput input("5\n\n 1.0\n");
  TextOutput output;
  std::string_view line;
  ASSERT_TRUE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(trimRight(line), " 1.0");
  EXPECT_FALSE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(output.text(), "");
}

TEST(LineGet, RecognisesMarkersOnlyAtColumnOne) {
  TextInput input("[Airfoil]\nENTITIES\n<?xml version=\"1.0\"?>\n  [Airfoil]\n");
  TextOutput output;
  std::string_view line;
  ASSERT_TRUE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(trimRight(line), "CEF-FILE");
  ASSERT_TRUE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(trimRight(line), "DXF-FILE");
  ASSERT_TRUE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(trimRight(line), "XML-FILE");
  EXPECT_FALSE(LGETLN(input.in(), output.comments(), line));
  EXPECT_EQ(output.text(), ";   [Airfoil]\n");
}

TEST(LineIsNumber, EchoesCommentsOnlyWhenAsked) {
  TextOutput output;
  EXPECT_FALSE(LISNUM("NACA 0012", output.comments()));
  EXPECT_FALSE(LISNUM("NACA 0012", nullptr));
  EXPECT_EQ(output.text(), "; NACA 0012\n");
  EXPECT_TRUE(LISNUM(" ---------- ", output.comments()));
  EXPECT_TRUE(LISNUM("", output.comments()));
  EXPECT_FALSE(LISNUM("1.0, 2.0", nullptr));
}

TEST(LineIsNumber, ExponentOnlyRightAfterMantissaDigits) {
  TextOutput output;
  EXPECT_TRUE(LISNUM(" 0.7566965E-03 -1.5e2", nullptr));
  EXPECT_TRUE(LISNUM("1.D+5 2d3", nullptr));
  EXPECT_FALSE(LISNUM("E387", nullptr));
  EXPECT_FALSE(LISNUM("1.0 E5", nullptr));
  EXPECT_FALSE(LISNUM("1.5E", nullptr));
  EXPECT_FALSE(LISNUM("1.5E+", nullptr));
}

TEST(LineShrink, SqueezesBlanksAndTabs) {
  LineBuffer line = lineOf("  0.5\t\t-0.03   ");
  SHRINK(line);
  EXPECT_EQ(trimRight(lineView(line)), "0.5 -0.03");
  EXPECT_EQ(line[9], ' ');
  LineBuffer full;
  full.fill('7');
  SHRINK(full);
  EXPECT_EQ(full[kLineLength - 1], ' ');  // the last position is never kept
}

TEST(LineParse, TokensSeparatorsAndSigns) {
  auto p = parse("1.0 0.5");
  EXPECT_EQ(p.count, 2);
  EXPECT_FLOAT_EQ(p.values[0], 1.0f);
  EXPECT_FLOAT_EQ(p.values[1], 0.5f);
  EXPECT_EQ(parse("1.0, 0.5").count, 1);  // the blank after the comma ends the parse
  EXPECT_FLOAT_EQ(parse("-.25").values[0], -0.25f);
  EXPECT_FLOAT_EQ(parse("1-2").values[0], -12.0f);
  EXPECT_FLOAT_EQ(parse("1.2.3").values[0], 1.23f);
  EXPECT_EQ(parse("- . +").count, 0);
  EXPECT_EQ(parse("abc").count, -9999);
  EXPECT_EQ(parse("1.0 2.0 x").count, -2);
}

TEST(LineParse, ExponentsAndCorrectRounding) {
  EXPECT_FLOAT_EQ(parse("1.5E-3").values[0], 1.5e-3f);
  EXPECT_FLOAT_EQ(parse("0.7566965E-03").values[0], 0.7566965e-3f);
  EXPECT_FLOAT_EQ(parse("-2.5d+2").values[0], -250.0f);
  EXPECT_EQ(parse("0.1").values[0], 0.1f);  // exactly the nearest float
  EXPECT_EQ(parse("0.123456789012").values[0], 0.123456789012f);
  EXPECT_EQ(parse("1E").count, -9999);
  EXPECT_EQ(parse("1E99").count, -9999);  // beyond the float range
  EXPECT_EQ(parse("1E-99").values[0], 0.0f);
  // Only what lies below the smallest float becomes 0; 41 digits without an
  // exponent are beyond the range like 5E40, however long the number runs on.
  EXPECT_EQ(parse("1E-40").values[0], 1e-40f);
  EXPECT_EQ(parse("0.5 50000000000000000000000000000000000000000").count, -1);
  EXPECT_EQ(parse("0.0000000000000000000000000000000000000000000001").values[0], 0.0f);
  std::string manyExponents = "1";
  for (int i = 0; i < 8; ++i) manyExponents += "E99999";
  EXPECT_EQ(parse(manyExponents).count, -9999);
}

// The plain scan reads numbers where they lie; it must give what the squeeze
// and the general parser give, or leave the line to them.
TEST(LineParse, PlainScanAgreesWithTheGeneralParser) {
  for (const std::string line :
       {" 1.0000000  0.0012345", "-0.5 +.25 7.", "0.7566965E-03 -1.5e2", "16777217 0.123456789",
        "1e-40 3.4028235e38", "-0 0.000", "1.0, 2.0", "1-2", "1.D5", "5 ", "0.5 ......"}) {
    std::array<float, 4> plain{};
    const int count = scanPlainNumbers(line, plain);
    if (count < 0) continue;  // left to the general parser
    const Parsed general = parse(line);
    ASSERT_EQ(count, general.count) << line;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
      EXPECT_EQ(std::signbit(plain[i]), std::signbit(general.values[i])) << line;
      EXPECT_EQ(plain[i], general.values[i]) << line;
    }
  }
  std::array<float, 4> unused{};
  EXPECT_LT(scanPlainNumbers("1.0, 2.0", unused), 0);
}

TEST(LineParse, ContinuationOnTheNextLine) {
  auto p = parse("1.2F", "34 5\n");
  EXPECT_EQ(p.count, 2);
  EXPECT_FLOAT_EQ(p.values[0], 1.234f);
  EXPECT_FLOAT_EQ(p.values[1], 5.0f);
  auto atEnd = parse("1.2F", "");
  EXPECT_EQ(atEnd.count, 1);
  EXPECT_FLOAT_EQ(atEnd.values[0], 1.2f);
}

TEST(LineParse, CountsBeyondTheRoomWithoutStoring) {
  TextInput none("");
  LineBuffer line = lineOf("1 2 3 4 5 6");
  std::array<float, 2> room{};
  EXPECT_EQ(DLFF(none.in(), room, line), 6);
  EXPECT_EQ(room[1], 2.0f);
}

TEST(LineCompact, NoBlankAndReplace) {
  std::string text = "1 2\t3";
  EXPECT_EQ(NOBLANK(text), 3);
  EXPECT_EQ(text.substr(0, 3), "123");
  std::string numbers = "0.5 0.25";
  EXPECT_EQ(REPLACE(numbers, '.', ','), 2);
  EXPECT_EQ(numbers, "0,5 0,25");
}

TEST(LineInputTest, CarriageReturnsByteOrderMarkAndLongLines) {
  TextInput input("\xEF\xBB\xBFNACA\r\n1 2\r\n" + std::string(90, 'x') + "\r\n" +
                  std::string(80, 'y') + "\r");
  LineBuffer line;
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(trimRight(lineView(line)), "NACA");
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(trimRight(lineView(line)), "1 2");
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(lineView(line), std::string(80, 'x'));
  input.in().stepBack();
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(lineView(line), std::string(80, 'x'));
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(lineView(line), std::string(80, 'y'));
  EXPECT_FALSE(input.in().read(line));
  input.in().rewind();
  ASSERT_TRUE(input.in().read(line));
  EXPECT_EQ(trimRight(lineView(line)), "NACA");
}

}  // namespace
}  // namespace tarvex
