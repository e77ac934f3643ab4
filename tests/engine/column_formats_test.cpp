// The column formats 1 to 4 and the pairing of surfaces they rely on.
#include <gtest/gtest.h>

#include "conversion.h"
#include "writers_test_support.h"

namespace tarvex::test {
namespace {

// Symmetric: points 1 and 5, 2 and 4 share their x.
const std::vector<Point> kFivePoints{{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {1, 0}};
// The lower surface at other stations than the upper one.
const std::vector<Point> kSixPoints{{1, 0},       {0.6f, 0.08f},  {0.2f, 0.06f},
                                    {0, 0},       {0.4f, -0.05f}, {1, -0.001f}};

TEST(ColumnFormats, TwoColumnLinesAndOrder) {
  const auto upperFirst = writeFormat(1, kFivePoints);
  const auto lowerFirst = writeFormat(2, kFivePoints);
  ASSERT_EQ(upperFirst.lines.size(), 6u);
  EXPECT_EQ(upperFirst.lines[0], ";            X         Y");
  EXPECT_EQ(upperFirst.lines[2], "           0.50000000          0.10000000");
  EXPECT_EQ(upperFirst.lines[2].size(), 41u);
  EXPECT_EQ(lowerFirst.lines[2], "           0.50000000         -0.10000000");
  EXPECT_EQ(lowerFirst.lines[5], upperFirst.lines[1]);
}

TEST(ColumnFormats, ThreeColumnsOfAPairedSectionAsItStands) {
  const auto teFirst = writeFormat(3, kFivePoints);
  EXPECT_EQ(teFirst.status, kWriteOk);
  EXPECT_EQ(teFirst.n, 5);  // no re-interpolation
  ASSERT_EQ(teFirst.lines.size(), 4u);
  EXPECT_EQ(teFirst.lines[0], "          X            Y upper            Y lower");
  EXPECT_EQ(teFirst.lines[1],
            "           1.00000000          0.00000000          0.00000000");
  EXPECT_EQ(teFirst.lines[2],
            "           0.50000000          0.10000000         -0.10000000");
  EXPECT_EQ(teFirst.lines[3],  // the leading edge is its own partner
            "           0.00000000          0.00000000          0.00000000");
  const auto leFirst = writeFormat(4, kFivePoints);
  ASSERT_EQ(leFirst.lines.size(), 4u);
  EXPECT_EQ(leFirst.lines[0], teFirst.lines[0]);
  EXPECT_EQ(leFirst.lines[1], teFirst.lines[3]);
  EXPECT_EQ(leFirst.lines[3], teFirst.lines[1]);
}

TEST(ColumnFormats, DifferingStationsAreReinterpolatedToAnOddCount) {
  const auto written = writeFormat(3, kSixPoints);
  EXPECT_EQ(written.status, kWriteOk);
  EXPECT_EQ(written.n, 7);
  ASSERT_EQ(written.lines.size(), 1u + 4u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(written.x[i], written.x[6 - i]) << i;
  EXPECT_EQ(written.x[0], 1.0f);
  EXPECT_EQ(written.x[3], 0.0f);
}

TEST(ColumnFormats, ConversionReportsTheReinterpolatedCount) {
  std::string text = "SIX\n";
  for (const auto& p : kSixPoints) text += std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
  const auto converted = convertText(text, {.format = -3});
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_EQ(converted.result.count, 7);
}

TEST(ColumnFormats, FailedSameXPreparationWritesNothing) {
  // The smallest x is the first point: there is no leading edge to find.
  const auto written = writeFormat(3, {{0, 0}, {0.5f, 0.1f}, {1, 0}, {0.5f, -0.2f}});
  EXPECT_EQ(written.status, kSameXFailed);
  EXPECT_EQ(written.n, 4);
  const auto converted = convertText("0 0\n0.5 0.1\n1 0.01\n0.4 -0.2\n0 -0.01\n", {.format = 3});
  EXPECT_EQ(converted.result.status, kNoThreeColumns);
  EXPECT_EQ(converted.result.count, 0);
  EXPECT_EQ(converted.output, "");
}

}  // namespace
}  // namespace tarvex::test
