// The DXF reader: polyline vertices, spline control points with their
// degree and count lines, the column rules of the entity words and the pending x.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "readers_fixture.h"

namespace tarvex::test {
namespace {

ReaderRun readDxf(std::string text, int capacity = 1000) {
  return runReader(READDXF, std::move(text), capacity);
}

std::string vertex(float x, float y) {
  char text[160];
  std::snprintf(text, sizeof text, "  0\nVERTEX\n  8\n0\n 10\n%12.6f\n 20\n%12.6f\n", x, y);
  return text;
}

const std::string kHead =
    "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
    "  0\nPOLYLINE\n  8\n0\n 66\n     1\n";
const std::string kTail = "  0\nSEQEND\n  8\n0\n  0\nENDSEC\n  0\nEOF\n";

TEST(DxfReader, ReadsThePolylineVerticesInOrder) {
  const auto run = readDxf(kHead + vertex(100, 0) + vertex(50, 6.5f) + vertex(0, 0) +
                           vertex(50, -4.25f) + vertex(100, 0) + kTail);
  ASSERT_EQ(run.n, 5);
  EXPECT_EQ(run.x[0], 100.0f);
  EXPECT_EQ(run.y[1], 6.5f);
  EXPECT_EQ(run.x[2], 0.0f);
  EXPECT_EQ(run.y[3], -4.25f);
  EXPECT_EQ(run.output, "");  // polyline mode writes nothing
}

TEST(DxfReader, EntityWordsCountOnlyFromColumnOneButVerticesAreSqueezed) {
  // An indented POLYLINE is no entity: nothing is read.
  EXPECT_EQ(readDxf("  0\n  POLYLINE\n" + vertex(1, 2) + kTail).n, 0);
  // An indented VERTEX still starts a vertex, and its pairs are squeezed.
  const auto run =
      readDxf("POLYLINE\n    VERTEX\n\t10\n  1.5\n  20  \n\t-2.5\n  SEQEND\n" + vertex(7, 8));
  ASSERT_EQ(run.n, 1);  // SEQEND ends, even indented
  EXPECT_EQ(run.x[0], 1.5f);
  EXPECT_EQ(run.y[0], -2.5f);
  EXPECT_EQ(readDxf("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n1\n 20\n2\nENDSEC\n").n, 0);
}

TEST(DxfReader, AVertexWithoutItsOwnXTakesThePendingOneOfThisFileOnly) {
  const std::string codeTwentyFirst = "  0\nVERTEX\n 20\n3.0\n 10\n9.0\n";
  const auto first = readDxf(kHead + vertex(42, 1) + codeTwentyFirst + kTail);
  ASSERT_EQ(first.n, 2);
  EXPECT_EQ(first.x[1], 42.0f);  // the x of the vertex before
  EXPECT_EQ(first.y[1], 3.0f);
  // The pending x (9.0 after the file above) does not reach the next file.
  const auto second = readDxf(kHead + codeTwentyFirst + kTail);
  ASSERT_EQ(second.n, 1);
  EXPECT_EQ(second.x[0], 0.0f);
}

TEST(DxfReader, PairsWithoutOneWholeCodeAreSkipped) {
  const auto run =
      readDxf(kHead + "  0\nVERTEX\n 10 20\n5.0\n 10\n1.0\n abc\n7.0\n 20\n2.0\n" + kTail);
  ASSERT_EQ(run.n, 1);
  EXPECT_EQ(run.x[0], 1.0f);
  EXPECT_EQ(run.y[0], 2.0f);
}

TEST(DxfReader, VerticesBeyondTheCapacityAreDroppedAndTheFileReadToItsEnd) {
  std::string text = kHead;
  for (int i = 0; i < 10; ++i) text += vertex(static_cast<float>(i), 1);
  const auto run = readDxf(text + kTail, 4);
  EXPECT_EQ(run.n, 4);
  EXPECT_TRUE(run.guardsIntact);
  EXPECT_EQ(run.x[3], 3.0f);
  EXPECT_EQ(readDxf(kHead + vertex(1, 1) + kTail, 0).n, 0);
}

const std::string kSpline =
    "  0\nSECTION\n  2\nENTITIES\n  0\nSPLINE\n  5\n2F\n  8\nFLAECHE\n100\nAcDbSpline\n"
    " 70\n     8\n 71\n     3\n 72\n     8\n 73\n     4\n"
    " 40\n0.0\n 40\n0.0\n 40\n0.0\n 40\n0.0\n 40\n1.0\n 40\n1.0\n 40\n1.0\n 40\n1.0\n"
    " 10\n100.0\n 20\n0.0\n 30\n0.0\n"
    " 10\n50.0\n 20\n12.5\n 30\n0.0\n"
    " 10\n0.0\n 20\n0.0\n 30\n0.0\n"
    " 10\n50.0\n 20\n-7.5\n 30\n0.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

TEST(DxfReader, SplineModeReadsTheControlPointsAndDescribesTheSpline) {
  const auto run = readDxf(kSpline);
  ASSERT_EQ(run.n, 4);
  EXPECT_EQ(run.x[1], 50.0f);
  EXPECT_EQ(run.y[1], 12.5f);
  EXPECT_EQ(run.y[3], -7.5f);
  const std::vector<std::string> expected = {
      "; WARNING:  DXF SPLINE entity not supported.",
      ";           try lower version of DXF format.",
      "; Degree = 3.",
      "; # of Knots =            8",
      "; # of Control Points =            4",
  };
  EXPECT_EQ(run.outputLines, expected);

  const auto small = readDxf(kSpline, 2);
  EXPECT_EQ(small.n, 2);
  EXPECT_TRUE(small.guardsIntact);
  EXPECT_EQ(small.outputLines, expected);
}

TEST(DxfReader, SplineModeNeedsTheBareWordAndEndsAtTheEndMarkers) {
  // "SPLINES" is not the entity word; no POLYLINE follows either.
  EXPECT_EQ(readDxf("SPLINES\n 10\n1\n 20\n2\n").n, 0);
  // A value line "SEQEND" (as read) ends the spline; the pair is not used.
  const auto run = readDxf("SPLINE\n 10\n1.0\n 20\n2.0\n 20\nSEQEND\n 10\n5\n 20\n6\n");
  EXPECT_EQ(run.n, 1);
  // Only the warning lines when the spline has no degree or count codes.
  EXPECT_EQ(run.outputLines.size(), 2u);
  // Degree values that do not fit F2.0 come out as asterisks.
  const auto big = readDxf("SPLINE\n 71\n123\n 72\n-4.7\n");
  ASSERT_EQ(big.outputLines.size(), 4u);
  EXPECT_EQ(big.outputLines[2], "; Degree = **");
  EXPECT_EQ(big.outputLines[3], "; # of Knots =           -4");
}

TEST(DxfReader, SplineLinesLeadTheOutputOfAConversion) {
  // A spline whose control points make a closed contour.
  const auto converted = convertText(
      "ENTITIES\n  0\nSPLINE\n 71\n3\n 10\n100\n 20\n0\n 10\n50\n 20\n10\n 10\n0\n 20\n0\n"
      " 10\n50\n 20\n-5\n 10\n100\n 20\n0\n  0\nENDSEC\n",
      ConversionOptions{.format = -1});
  ASSERT_EQ(converted.result.status, kDone) << converted.output;
  const auto lines = splitLines(converted.output);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "; WARNING:  DXF SPLINE entity not supported.");
  EXPECT_EQ(lines[2], "; Degree = 3.");
  EXPECT_EQ(converted.result.count, 5);
  EXPECT_FLOAT_EQ(converted.y[1], 0.1f);
}

// A polyline written by ezdxf (Debian's python3-ezdxf), with its R12 header,
// tables, handles and z values.
TEST(DxfReader, ReadsAPolylineWrittenByEzdxf) {
  const std::filesystem::path python = "/usr/bin/python3";
  if (!std::filesystem::exists(python) ||
      runCommand(python.string() + " -c 'import ezdxf' 2>/dev/null") != 0) {
    GTEST_SKIP() << "python3-ezdxf is not installed for /usr/bin/python3";
  }
  TempDir dir;
  std::string points;
  const auto section = nacaSection(2412, 41);
  std::vector<Point> expected;
  for (const auto& p : section) {
    // Four decimals of per cent chord keep Python from exponent notation.
    char line[64];
    std::snprintf(line, sizeof line, "%.4f %.4f\n", 100.0 * p.x, 100.0 * p.y);
    points += line;
    float x = 0, y = 0;
    std::sscanf(line, "%f %f", &x, &y);
    expected.push_back({x, y});
  }
  const auto pointsFile = dir.write("points.txt", points);
  const auto dxf = dir.file("section.dxf");
  const std::string script = std::string(TARVEX_SOURCE_DIR) + "/tests/tools/write_dxf_polyline.py";
  ASSERT_EQ(
      runCommand(python.string() + " " + script + " " + dxf.string() + " < " + pointsFile.string()),
      0);
  const std::string text = readFile(dxf);

  const auto run = readDxf(text);
  ASSERT_EQ(run.n, static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(run.x[i], expected[i].x, 1e-4) << i;
    EXPECT_NEAR(run.y[i], expected[i].y, 1e-4) << i;
  }

  // The whole conversion finds the drawing through its ENTITIES line.
  const auto converted = convertText(text, ConversionOptions{.format = -1});
  ASSERT_EQ(converted.result.status, kDone);
  ASSERT_EQ(converted.result.count, static_cast<int>(expected.size()));
  // Point 41 is the leading edge of this section, at the origin of the chord.
  EXPECT_NEAR(converted.x[40], 0.0f, 1e-6);
  EXPECT_NEAR(converted.y[40], 0.0f, 1e-6);
}

}  // namespace
}  // namespace tarvex::test
