// The lightweight polyline of current CAD programs: an LWPOLYLINE entity
// holds its vertices itself, as code 10 and 20 pairs after a code 90 count.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "readers_fixture.h"

namespace tarvex::test {
namespace {

ReaderRun readDxf(std::string text, int capacity = 1000) {
  return runReader(READDXF, std::move(text), capacity);
}

std::string lwpolyline(std::initializer_list<Point> points) {
  std::string text =
      "  0\nLWPOLYLINE\n  5\n2F\n330\n17\n100\nAcDbEntity\n  8\n0\n100\nAcDbPolyline\n 90\n" +
      std::to_string(points.size()) + "\n 70\n0\n 43\n0.0\n";
  for (const Point& p : points) {
    char pair[96];
    std::snprintf(pair, sizeof pair, " 10\n%g\n 20\n%g\n", p.x, p.y);
    text += pair;
  }
  return text;
}

const std::string kHead = "  0\nSECTION\n  2\nENTITIES\n";

TEST(LwPolylineReader, ReadsTheVerticesUpToTheNextEntity) {
  // The layer "0" and the flag 0 are values, not the code 0 that ends the entity.
  const auto run = readDxf(kHead + lwpolyline({{100, 0}, {50, 6.5f}, {0, 0}, {50, -4.25f}}) +
                           "  0\nLINE\n  8\n0\n 10\n7.0\n 20\n8.0\n  0\nENDSEC\n  0\nEOF\n");
  ASSERT_EQ(run.n, 4);
  EXPECT_EQ(run.x[0], 100.0f);
  EXPECT_EQ(run.y[1], 6.5f);
  EXPECT_EQ(run.x[2], 0.0f);
  EXPECT_EQ(run.y[3], -4.25f);
  EXPECT_EQ(run.output, "");
  // An indented word is no entity; the end markers end the vertices as well.
  EXPECT_EQ(readDxf("  LWPOLYLINE\n 10\n1\n 20\n2\n").n, 0);
  EXPECT_EQ(readDxf("LWPOLYLINE\n 10\n1\n 20\n2\nENDSEC\n 10\n3\n 20\n4\n").n, 1);
  EXPECT_EQ(readDxf("LWPOLYLINE\n 10\n1\n 20\n2\n  SEQEND\n 10\n3\n 20\n4\n").n, 1);
  // Flag 1 closes it: the first vertex comes again at the end.
  const auto closed =
      readDxf("LWPOLYLINE\n 70\n1\n 10\n2\n 20\n0\n 10\n0\n 20\n1\n 10\n0\n 20\n-1\n");
  ASSERT_EQ(closed.n, 4);
  EXPECT_EQ(closed.x[3], 2.0f);
  EXPECT_EQ(closed.y[3], 0.0f);
}

TEST(LwPolylineReader, KeepsWithinTheCapacityAndSurvivesACutFile) {
  const auto run = readDxf(kHead + lwpolyline({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}), 3);
  EXPECT_EQ(run.n, 3);
  EXPECT_TRUE(run.guardsIntact);
  EXPECT_EQ(run.x[2], 3.0f);
  // A file cut after a code line keeps what came before it.
  EXPECT_EQ(readDxf("LWPOLYLINE\n 10\n1\n 20\n2\n 10\n").n, 1);
  // A code 20 before any 10 takes x = 0; a text value is never a number.
  const auto early = readDxf("LWPOLYLINE\n 20\n5\n 10\nabc\n 20\n6\n");
  ASSERT_EQ(early.n, 2);
  EXPECT_EQ(early.x[0], 0.0f);
  EXPECT_EQ(early.x[1], 0.0f);
  EXPECT_EQ(early.y[1], 6.0f);
}

// A section drawn by ezdxf (Debian's python3-ezdxf) into an R2000 document,
// as current CAD programs write it: full header, handles, classes, objects.
TEST(LwPolylineReader, ConvertsADrawingWrittenByEzdxf) {
  const std::filesystem::path python = "/usr/bin/python3";
  if (!std::filesystem::exists(python) ||
      runCommand(python.string() + " -c 'import ezdxf' 2>/dev/null") != 0) {
    GTEST_SKIP() << "python3-ezdxf is not installed for /usr/bin/python3";
  }
  TempDir dir;
  const auto script = dir.write("draw.py",
                                "import sys, math, ezdxf\n"
                                "doc = ezdxf.new('R2000')\n"
                                "n = 40\n"
                                "points = []\n"
                                "for i in range(n + 1):\n"
                                "    t = 2 * math.pi * i / n\n"
                                "    points.append((50 + 50 * math.cos(t), 6 * math.sin(t)))\n"
                                "doc.modelspace().add_lwpolyline(points)\n"
                                "doc.saveas(sys.argv[1])\n");
  const auto drawing = dir.file("ellipse.dxf");
  ASSERT_EQ(runCommand(python.string() + " " + script.string() + " " + drawing.string()), 0);

  const auto converted = convertText(readFile(drawing), ConversionOptions{.format = -1});
  ASSERT_EQ(converted.result.status, kDone);
  EXPECT_EQ(converted.result.layoutKind, 3);
  EXPECT_EQ(converted.result.xmin, 0.0f);
  EXPECT_EQ(converted.result.xmax, 100.0f);
  ASSERT_EQ(converted.result.count, 41);
  EXPECT_NEAR(converted.x[20], 0.0f, 1e-6);   // the leading edge half way
  EXPECT_NEAR(converted.y[10], 0.06f, 1e-6);  // counter-clockwise: upper surface first
  EXPECT_NEAR(converted.x[40], 1.0f, 1e-6);
}

}  // namespace
}  // namespace tarvex::test
