// The CEF reader: keyed points in any order, the stated count, the column
// rules of the keys and the bounds of the arrays.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "readers_fixture.h"
#include "tarvex.hpp"

namespace tarvex::test {
namespace {

ReaderRun readCef(std::string text, int capacity = 1000) {
  return runReader(READCEF, std::move(text), capacity);
}

std::string pointLine(int index, float x, float y) {
  char line[64];
  std::snprintf(line, sizeof line, "Point%03d=%10.6f%10.6f\n", index, x, y);
  return line;
}

TEST(CefReader, ReadsTheKeyedPointsAndTheSqueezedName) {
  const auto run =
      readCef("[Airfoil]\nPoints=   3\nName=  NACA    0012  \n;            X         Y\n" +
              pointLine(1, 1.0f, 0.0f) + pointLine(2, 0.0f, 0.0f) + pointLine(3, 1.0f, -0.001f));
  ASSERT_EQ(run.n, 3);
  EXPECT_EQ(run.x[0], 1.0f);
  EXPECT_EQ(run.x[1], 0.0f);
  EXPECT_FLOAT_EQ(run.y[2], -0.001f);
  EXPECT_EQ(run.name, "NACA 0012");
  EXPECT_EQ(run.output, "");
}

TEST(CefReader, PointsComeInAnyOrderAndMissingOnesStayAtTheOrigin) {
  const auto run = readCef("[Airfoil]\nPoints=3\n" + pointLine(3, 0.9f, -0.1f) +
                           pointLine(1, 0.5f, 0.2f) + pointLine(1, 0.8f, 0.1f));
  ASSERT_EQ(run.n, 3);
  // The later line of the same key wins; key 2 is never given.
  EXPECT_FLOAT_EQ(run.x[0], 0.8f);
  EXPECT_FLOAT_EQ(run.y[0], 0.1f);
  EXPECT_EQ(run.x[1], 0.0f);
  EXPECT_EQ(run.y[1], 0.0f);
  EXPECT_FLOAT_EQ(run.x[2], 0.9f);
}

TEST(CefReader, KeysFollowTheColumnRules) {
  const auto run = readCef(
      "[Airfoil]\nPoints=4\n"
      "Point1=0.1 0.1\n"      // '=' in column 7: not a key
      "Point12=0.2 0.2\n"     // '=' in column 8: not a key
      "Point  2=0.3 0.3\n"    // blanks do not count in the index field
      "Pointab3=0.4 0.4\n"    // not a number: ignored
      "Point1000=0.5 0.5\n"   // four digits: not index 100
      "Point004=0.6\n"        // one number only: ignored
      "  Point001=0.7 0.7\n"  // keys start in column 1
      "Point-01=0.8 0.8\n");  // out of range
  ASSERT_EQ(run.n, 2);        // the section ends at the highest key listed
  EXPECT_EQ(run.x[0], 0.0f);
  EXPECT_EQ(run.y[0], 0.0f);
  EXPECT_FLOAT_EQ(run.x[1], 0.3f);
}

TEST(CefReader, TheCountComesOnlyFromAPointsLineAfterTheMarker) {
  EXPECT_EQ(readCef("[Airfoil]\nName=x\n" + pointLine(1, 1, 0)).n, 0);
  EXPECT_EQ(readCef("[Airfoil]\n").n, 0);
  EXPECT_EQ(readCef("").n, 0);
  EXPECT_EQ(readCef("Points=2\n" + pointLine(1, 1, 0)).n, 0);  // no marker at all
  EXPECT_EQ(readCef("[Airfoil]\nPoints=-5\n" + pointLine(1, 1, 0)).n, 0);
  EXPECT_EQ(readCef("[Airfoil]\nPoints=many\n" + pointLine(1, 1, 0)).n, 0);
  // A stated count adds no points the file does not list.
  EXPECT_EQ(readCef("[Airfoil]\nPoints=5000\n").n, 0);
  EXPECT_EQ(readCef("[Airfoil]\nPoints=2.9\n" + pointLine(1, 1, 0) + pointLine(2, 0, 0)).n, 2);
  EXPECT_EQ(readCef("[Airfoil]\nPoints=2147483647\n" + pointLine(1, 1, 0) + pointLine(2, 0, 0) +
                    pointLine(3, 1, 0.1f))
                .n,
            3);
}

TEST(CefReader, AStatedCountBeyondTheCapacityIsLimitedToIt) {
  std::string text = "[Airfoil]\nPoints=20\n";
  for (int i = 1; i <= 20; ++i) text += pointLine(i, 0.05f * static_cast<float>(i), 0.01f);
  const auto run = readCef(text, 5);
  EXPECT_EQ(run.n, 5);
  EXPECT_TRUE(run.guardsIntact);
  EXPECT_FLOAT_EQ(run.x[4], 0.25f);
}

TEST(CefReader, KeysBeyondLineThousandAreStillRead) {
  std::string text = "[Airfoil]\nPoints=999\nName=long\n;            X         Y\n";
  for (int i = 1; i <= 999; ++i) text += pointLine(i, 0.001f * static_cast<float>(i), 0.5f);
  const auto run = readCef(text);
  ASSERT_EQ(run.n, 999);
  EXPECT_FLOAT_EQ(run.x[995], 0.996f);
  EXPECT_FLOAT_EQ(run.x[998], 0.999f);  // on line 1003
  EXPECT_FLOAT_EQ(run.y[998], 0.5f);
}

TEST(CefReader, KeysAreSoughtWithinTheStatedPointsAndAThousandLines) {
  std::string text = "[Airfoil]\nPoints=2\n";
  for (int i = 0; i < 1000; ++i) text += ";\n";
  text += pointLine(1, 0.5f, 0.5f);  // line 1003: past 1000 + 2
  EXPECT_EQ(readCef(text).n, 0);
}

TEST(CefReader, ThroughTheConversionTheMarkerIsEchoedOnceAndTheNameReplaced) {
  const auto converted = convertText("[Airfoil]\nPoints=5\nName=Test foil\n" + pointLine(1, 1, 0) +
                                         pointLine(2, 0.5f, 0.06f) + pointLine(3, 0, 0) +
                                         pointLine(4, 0.5f, -0.04f) + pointLine(5, 1, 0),
                                     ConversionOptions{.format = 1});
  ASSERT_EQ(converted.result.status, kDone) << converted.output;
  EXPECT_EQ(converted.result.count, 5);
  EXPECT_FLOAT_EQ(converted.y[1], 0.06f);
  const auto& out = converted.output;
  const auto marker = out.find("; [Airfoil]");
  EXPECT_EQ(marker, 0u) << out;
  EXPECT_EQ(out.find("; [Airfoil]", marker + 1), std::string::npos) << out;
  EXPECT_EQ(converted.result.name, "Test foil");
}

}  // namespace
}  // namespace tarvex::test
