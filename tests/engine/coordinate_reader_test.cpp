#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/column_reader.h"
#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex {
namespace {

using test::TextInput;

struct Read {
  int status;
  int kind;
  int count;
  float xmin, xmax;
  std::vector<float> x, y;
  std::string echoed;
  std::string name;
};

Read readCoordinates(std::string text, int capacity = 500, bool comments = false) {
  TextInput input(std::move(text));
  Section section;
  Read r{};
  r.status = INKOO(input.in(), section, capacity);
  r.kind = layoutKind(section.layout);
  r.count = section.size();
  r.xmin = section.xmin;
  r.xmax = section.xmax;
  r.x = section.x;
  r.y = section.y;
  r.name = section.name;
  if (comments) {
    for (const auto& line : section.comments) r.echoed += "; " + line + "\n";
  }
  return r;
}

// A small section from the trailing edge over the upper surface: x in 1, 0.5, 0, 0.5, 1.
const std::string kSelig = "TEST\n1.0 0.0\n0.5 0.1\n0.0 0.0\n0.5 -0.1\n1.0 0.0\n";

TEST(ReaderTwoColumns, NameOrderAndNormalisation) {
  const Read r = readCoordinates("SECTION  A\n2.0 1.0\n1.5 1.2\n1.0 1.0\n1.5 0.8\n2.0 1.0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.kind, kLayoutTwoColumns);
  EXPECT_EQ(r.name, "SECTION  A");
  ASSERT_EQ(r.count, 5);
  EXPECT_FLOAT_EQ(r.xmin, 1.0f);
  EXPECT_FLOAT_EQ(r.xmax, 2.0f);
  EXPECT_EQ(r.x, (std::vector<float>{1.0f, 0.5f, 0.0f, 0.5f, 1.0f}));
  EXPECT_FLOAT_EQ(r.y[1], 0.2f);  // measured from the trailing-edge mean, divided by the chord
  EXPECT_FLOAT_EQ(r.y[3], -0.2f);
}

TEST(ReaderTwoColumns, LeadingEdgeFirstIsReversed) {
  const Read r = readCoordinates("0.0 0.0\n0.5 0.1\n1.0 0.0\n0.5 -0.1\n0.0 0.0\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.x.front(), 0.0f);  // reversed as a whole: x increases between the first two
  EXPECT_FLOAT_EQ(r.y[1], -0.1f);
}

TEST(ReaderTwoColumns, CommentsEchoedAndSingleNumbersIgnored) {
  const Read r = readCoordinates("NACA 0012\n5\nsome remark\n" + kSelig.substr(5), 500, true);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.count, 5);
  // The first line twice: in full while naming the section, then trimmed.
  EXPECT_EQ(r.echoed, "; NACA 0012" + std::string(71, ' ') + "\n; NACA 0012\n; some remark\n");
}

TEST(ReaderCounted, HeaderThenUpperThenLowerFromTheLeadingEdge) {
  const Read r = readCoordinates(
      "NAME\n 6. 6.\n0 0\n0.2 0.05\n0.4 0.06\n0.6 0.05\n0.8 0.03\n1 0.01\n"
      "0 0\n0.2 -0.05\n0.4 -0.06\n0.6 -0.05\n0.8 -0.03\n1 -0.01\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.kind, kLayoutCounted);
  ASSERT_EQ(r.count, 11);  // the two leading-edge points are one
  EXPECT_FLOAT_EQ(r.x[0], 1.0f);
  EXPECT_FLOAT_EQ(r.y[0], 0.01f);
  EXPECT_FLOAT_EQ(r.x[5], 0.0f);
  EXPECT_FLOAT_EQ(r.y[10], -0.01f);
}

TEST(ReaderCounted, HeaderRecognition) {
  // Taken for counts, which the three points that follow do not bear out.
  EXPECT_NE(readText("50.0 10.0\n1 0\n0 0\n1 0.1\n")
                .error()
                .message.find("counts 50 upper and 10 lower points, but only 3 points follow"),
            std::string::npos);
  EXPECT_EQ(readCoordinates("100.0 0.0\n50 1\n0 0\n50 -1\n100 0\n").kind, kLayoutTwoColumns);
  EXPECT_EQ(readCoordinates("1.0 0.0\n0.5 0.1\n0 0\n0.5 -0.1\n1 0\n").kind, kLayoutTwoColumns);
}

TEST(ReaderCounted, ShortUpperSurfaceLeavesNoGap) {
  // Fewer points than the upper count make no half section: the reading fails.
  const Read r = readCoordinates("10 10\n0 0\n0.5 0.1\n1 0\n");
  EXPECT_EQ(r.status, kReadUnknownLayout);
  EXPECT_EQ(r.count, 0);
}

TEST(ReaderThreeColumns, StationsJoinedIntoOnePolyline) {
  std::string text = "X YU YL\n";
  for (int i = 0; i < 20; ++i) {
    const double x = i / 19.0;
    text += std::to_string(x) + " " + std::to_string(0.1 * x * (1 - x) + 0.001) + " " +
            std::to_string(-0.05 * x * (1 - x) - 0.001) + "\n";
  }
  const Read r = readCoordinates(text);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.kind, kLayoutThreeColumns);
  ASSERT_EQ(r.count, 40);
  EXPECT_FLOAT_EQ(r.x[0], 1.0f);
  EXPECT_FLOAT_EQ(r.x[19], 0.0f);
  EXPECT_FLOAT_EQ(r.x[20], 0.0f);
  EXPECT_FLOAT_EQ(r.x[39], 1.0f);
  EXPECT_GT(r.y[10], r.y[29]);  // upper half first
}

TEST(ReaderThreeColumns, IdenticalLeadingEdgePointsMerge) {
  const Read r = readCoordinates("0 0 0\n0.5 0.1 -0.1\n1 0 0\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.count, 5);
}

TEST(ReaderThreeColumns, ConstantMiddleColumnMeansXAndY) {
  const Read r = readCoordinates("1 0.0 0\n0.5 0.0 0.1\n0 0.0 0\n0.5 0.0 -0.1\n1.0 0.0 0.0\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.kind, kLayoutTwoColumns);
  ASSERT_EQ(r.count, 5);
  EXPECT_FLOAT_EQ(r.x[0], 1.0f);
  EXPECT_FLOAT_EQ(r.y[1], 0.1f);
  EXPECT_FLOAT_EQ(r.y[3], -0.1f);
}

TEST(ReaderFourColumns, IndexedStations) {
  const Read skipped = readCoordinates("0 9 9 9\n1 1 0 0\n2 0.5 0.1 -0.1\n3 0 0 0\n");
  ASSERT_EQ(skipped.status, 0);
  EXPECT_EQ(skipped.kind, kLayoutFourColumns);
  EXPECT_EQ(skipped.count, 5);
  EXPECT_FLOAT_EQ(skipped.y[1], 0.1f);
  EXPECT_FLOAT_EQ(skipped.y[3], -0.1f);
}

TEST(ReaderFailures, UnknownLayouts) {
  EXPECT_EQ(readCoordinates("").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("NAME\n1 2 3 4 5\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("---------\n1 0\n0 0\n1 0.1\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("3\n4\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("2 5 5 5\n").status, kReadUnknownLayout);
  const Read r = readCoordinates("NAME\n");
  EXPECT_EQ(r.xmin, 99999.99f);
  EXPECT_EQ(r.xmax, -99999.99f);
}

TEST(ReaderFailures, DegenerateSectionsNeverDivideByZero) {
  EXPECT_EQ(readCoordinates("1 0\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("0.5 0\n0.5 1\n0.5 2\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("1 1\n1 1\n1 1\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("61 61\n").status, kReadUnknownLayout);
  EXPECT_EQ(readCoordinates("1 0 0 0\n").status, kReadUnknownLayout);
}

TEST(ReaderCapacity, TwoColumnsHoldCapacityLessOne) {
  auto points = [](int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
      text += std::to_string(1.0 - i / (n - 1.0)) + " " + std::to_string(i % 7 * 0.01) + "\n";
    return text;
  };
  EXPECT_EQ(readCoordinates(points(499)).status, kReadOk);
  EXPECT_EQ(readCoordinates(points(500)).status, kReadTooManyPoints);
  std::string rows;
  for (int i = 0; i < 250; ++i) rows += std::to_string(i / 250.0) + " 0.1 -0.1\n";
  EXPECT_EQ(readCoordinates(rows).status, kReadTooManyPoints);
  EXPECT_EQ(readCoordinates(rows.substr(0, rows.rfind("0.996"))).status, kReadOk);  // 249 lines
  EXPECT_EQ(readCoordinates("90 90\n0 0\n1 1\n", 50).status, kReadTooManyPoints);
  EXPECT_EQ(readCoordinates(rows, 1).status, kReadTooManyPoints);
}

TEST(ReaderRepeatedPoints, RunsCollapseToOne) {
  const Read r = readCoordinates("1 0\n0.5 0.1\n0.5 0.1\n0.5 0.1\n0 0\n0.5 -0.1\n1 0\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.count, 5);
}

TEST(ReaderTwoColumns, LinesWithTooFewNumbersAreNotStored) {
  const Read r = readCoordinates("1.0 0.0\n0.5 0.1\n0.0 ......\n0.0 0.0\n0.5 -0.1\n1.0 0.0\n");
  ASSERT_EQ(r.status, 0);
  ASSERT_EQ(r.count, 5);
  EXPECT_EQ(r.y[2], 0.0f);  // not the 0.1 of the line before
}

TEST(ReaderSwap, ReversesTheFirstPoints) {
  std::vector<float> x{1, 2, 3, 4, 5}, y{5, 4, 3, 2, 1};
  SWAP(x, y, 4);
  EXPECT_EQ(x, (std::vector<float>{4, 3, 2, 1, 5}));
  SWAP(x, y, 5);
  EXPECT_EQ(x, (std::vector<float>{5, 1, 2, 3, 4}));
  EXPECT_EQ(y, (std::vector<float>{1, 5, 4, 3, 2}));
}

TEST(ReaderExponents, RealFilesWithExponentNotation) {
  const Read r = readCoordinates(
      "E387\n1.0E+00 0.0\n5.0E-01 7.566965E-03\n0.0 0.0\n5.0E-01 -7.566965E-03\n1.0 0.0\n");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.name, "E387");
  ASSERT_EQ(r.count, 5);
  EXPECT_FLOAT_EQ(r.y[1], 7.566965e-3f);
}

}  // namespace
}  // namespace tarvex
