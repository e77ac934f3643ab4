// Formats of the aerodynamic codes: Eppler FXPR (5), CEF (6), AIRFOIL0 (7),
// VSAERO (8), Vuz Ovorav KSC (10), thickness and camber (16), PMARC/CMARC (17).
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "io/fixed_fields.h"
#include "writers_test_support.h"

namespace tarvex::test {
namespace {

// 61 points on stations shared by both surfaces, with camber.
std::vector<Point> unitSection() {
  auto points = nacaSection(12, 31);
  for (auto& p : points) p.y += 0.08f * p.x * (1.0f - p.x);
  return points;
}

std::vector<Point> manyPoints(int n) {
  std::vector<Point> points;
  for (int i = 0; i < n; ++i) points.push_back({1.0f - static_cast<float>(i) / static_cast<float>(n), 0.01f});
  return points;
}

TEST(WritersEppler, HeaderAndTruncatedIntegers) {
  const auto w = writeFormat(5, {{1.0f, 0.0f}, {0.123456f, -0.0012345f}, {0.0f, 0.5f}});
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 6u);
  EXPECT_EQ(w.lines[0], "REMO1              *PTEST SECTION" + std::string(68, ' ') + "  *N@PROFIL");
  EXPECT_EQ(w.lines[0].size(), 112u);
  EXPECT_EQ(w.lines[1], "FXPR     2");
  EXPECT_EQ(w.lines[2], "____________       3");
  EXPECT_EQ(w.lines[3], "        100000     0");
  // Truncated toward zero, not rounded.
  EXPECT_EQ(w.lines[4], "         12345  -123");
  EXPECT_EQ(w.lines[5], "             0 50000");
}

TEST(WritersEppler, OverflowGivesAsterisks) {
  auto w = writeFormat(5, {{10.0f, -1.0f}, {9.5f, -0.5f}});
  EXPECT_EQ(w.lines[3], "        ************");
  EXPECT_EQ(w.lines[4], "        950000-50000");
  w = writeFormat(5, manyPoints(1000));
  EXPECT_EQ(w.lines[2], "____________     ***");
  EXPECT_EQ(w.lines.size(), 1003u);
}

TEST(WritersCef, KeysNameAndPoints) {
  const auto w = writeFormat(6, unitSection(), "NACA 2412");
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 4u + 61u);
  EXPECT_EQ(w.lines[0], "[Airfoil]");
  EXPECT_EQ(w.lines[1], "Points=  61");
  EXPECT_EQ(w.lines[2], "Name=NACA 2412" + std::string(71, ' '));
  EXPECT_EQ(w.lines[3], ";            X         Y");
  EXPECT_EQ(w.lines[4], "Point001=  1.000000  0.000000");
  EXPECT_EQ(w.lines[5].substr(0, 9), "Point002=");
  EXPECT_EQ(w.lines[64].substr(0, 9), "Point061=");
  // A thousand points overflow the three-digit key of the last one.
  const auto many = writeFormat(6, manyPoints(1000));
  EXPECT_EQ(many.lines[1], "Points=1000");
  EXPECT_EQ(many.lines[1002].substr(0, 9), "Point999=");
  EXPECT_EQ(many.lines[1003].substr(0, 9), "Point***=");
}

TEST(WritersAirfoil0, LeadingEdgeFirstLowerBeforeUpper) {
  const auto points = unitSection();
  const auto w = writeFormat(7, points);
  ASSERT_EQ(w.status, kWriteOk);
  EXPECT_EQ(w.n, 61);  // already paired: not re-interpolated
  ASSERT_EQ(w.lines.size(), 1u + 31u);
  EXPECT_EQ(w.lines[0], "3");
  // Row 31 (leading edge) first, row 1 (trailing edge) last.
  const auto& le = points[30];
  EXPECT_EQ(w.lines[1], " " + fields::decimal(le.x, 20, 5) + fields::decimal(le.y, 20, 5) +
                            fields::decimal(le.y, 20, 5));
  const auto& mid = points[15];
  const auto& midLower = points[45];
  EXPECT_EQ(w.lines[16], " " + fields::decimal(mid.x, 20, 5) + fields::decimal(midLower.y, 20, 5) +
                             fields::decimal(mid.y, 20, 5));
  EXPECT_EQ(w.lines[31], " " + std::string(13, ' ') + "1.00000" +
                             fields::decimal(points[60].y, 20, 5) +
                             fields::decimal(points[0].y, 20, 5));
}

TEST(WritersVsaero, BlocksShareTheLeadingEdgeAndTagsStandInFixedColumns) {
  const auto points = unitSection();
  const auto w = writeFormat(8, points, "NACA 2412   ");
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 3u + 31u + 2u + 31u + 2u);
  EXPECT_EQ(w.lines[0], "# Airfoil NACA 2412");
  EXPECT_EQ(w.lines[1],
            "Begin  STX       STY       STZ     SCALE      ALFA     THETA INMO NODS  NPS INTS 11");
  EXPECT_EQ(w.lines[2],
            "    0.0000    0.0000    0.0000    1.0000    0.0000    0.0000    2    0    0    0 11");
  auto pointLine = [&](int i) {  // i counted from 1
    return fields::decimal(points[i - 1].x, 10, 7) + fields::decimal(points[i - 1].y, 10, 7) +
           std::string(61, ' ') + "12B";
  };
  EXPECT_EQ(w.lines[3], pointLine(61));
  EXPECT_EQ(w.lines[33], pointLine(31));
  EXPECT_EQ(w.lines[34],
            "End of lower surface          NODEC  NPC INTC MOVE" + std::string(31, ' ') + "14");
  EXPECT_EQ(w.lines[35], std::string(34, ' ') + "1   15    0    0" + std::string(31, ' ') + "14");
  EXPECT_EQ(w.lines[36], pointLine(31));
  EXPECT_EQ(w.lines[66], pointLine(1));
  EXPECT_EQ(w.lines[67].substr(0, 20), "End of upper surface");
  EXPECT_EQ(w.lines[68].substr(34, 1), "3");
  for (std::size_t i = 3; i < w.lines.size(); ++i) {
    const auto& text = w.lines[i];
    if (text.size() == 84) {
      EXPECT_EQ(text.substr(81), "12B") << "line " << i;
    } else {
      ASSERT_EQ(text.size(), 83u) << "line " << i;
      EXPECT_EQ(text.substr(81), "14") << "line " << i;
      EXPECT_EQ(text.substr(50, 31), std::string(31, ' '));
    }
  }
}

TEST(WritersVsaero, LargeCoordinatesOverflow) {
  auto points = unitSection();
  points[0] = {100.0f, -10.0f};
  points[60] = {100.0f, 0.0f};
  const auto w = writeFormat(8, points);
  EXPECT_EQ(w.lines[3].substr(0, 10), "**********");
  EXPECT_EQ(w.lines[66].substr(0, 20), std::string(20, '*'));
}

TEST(WritersKsc, CountTitleAndPerCentRows) {
  const auto points = unitSection();
  const auto w = writeFormat(10, points, "A NAME LONGER THAN SIXTEEN");
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 2u + 31u);
  EXPECT_EQ(w.lines[0], " 31");
  EXPECT_EQ(w.lines[1], "  0.000  A NAME LONGER TH  07/03/03" + std::string(32, ' '));
  const auto& le = points[30];
  EXPECT_EQ(w.lines[2], fields::decimal(100.0 * le.x, 8, 3) + "\t" +
                            fields::decimal(100.0 * le.y, 8, 3) + "\t" +
                            fields::decimal(100.0 * le.y, 8, 3));
  EXPECT_EQ(w.lines[32], " 100.000\t" + fields::decimal(100.0 * points[0].y, 8, 3) + "\t" +
                             fields::decimal(100.0 * points[60].y, 8, 3));
}

TEST(WritersThicknessCamber, SymmetricSectionHasNoCamber) {
  const auto points = nacaSection(12, 31);
  const auto w = writeFormat(16, points);
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 2u + 31u);
  EXPECT_EQ(w.lines[0], std::string(14, ' ') + "Station            Thickness            Camber");
  EXPECT_EQ(w.lines[1], std::string(14, ' ') + "  x/c                 t/c                f/c");
  for (int j = 31; j >= 1; --j) {
    const auto& text = w.lines[static_cast<std::size_t>(2 + 31 - j)];
    const auto& upper = points[static_cast<std::size_t>(j - 1)];
    EXPECT_EQ(text, " " + fields::decimal(upper.x, 20, 8) + fields::decimal(2.0 * upper.y, 20, 8) +
                        std::string(10, ' ') + "0.00000000");
  }
}

TEST(WritersThicknessCamber, CamberIsTheMidPoint) {
  const auto w = writeFormat(16, {{1.0f, 0.02f}, {0.0f, 0.0f}, {1.0f, -0.01f}});
  ASSERT_EQ(w.lines.size(), 4u);
  EXPECT_EQ(w.lines[3], " " + fields::decimal(1.0, 20, 8) + fields::decimal(0.03, 20, 8) +
                            fields::decimal(0.005, 20, 8));
}

TEST(WritersPmarc, NamelistLinesAndTwoBlocks) {
  const auto points = unitSection();
  const auto w = writeFormat(17, points, "NACA 2412");
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 4u + 31u + 1u + 31u + 1u);
  EXPECT_EQ(w.lines[0], "# Airfoil NACA 2412");
  EXPECT_EQ(w.lines[1], "&SECT1 STX = 0.0, STY = 0.0, STZ = 0.0, SCALE = 1.0,");
  EXPECT_EQ(w.lines[2], "       ALF = 0.0, THETA = 0.0, INMODE = 4,");
  EXPECT_EQ(w.lines[3], "       TNODS = 0, TNPS = 0, TINTS = 0, &END");
  auto pointLine = [&](int i) {
    return fields::decimal(points[i - 1].x, 10, 7) + " 0.0000000" +
           fields::decimal(points[i - 1].y, 10, 7);
  };
  EXPECT_EQ(w.lines[4], pointLine(61));
  EXPECT_EQ(w.lines[34], pointLine(31));
  EXPECT_EQ(w.lines[35], " &BPNODE TNODE = 1, TNPC = 15, TINTC = 0, &END");
  EXPECT_EQ(w.lines[36], pointLine(31));
  EXPECT_EQ(w.lines[66], pointLine(1));
  EXPECT_EQ(w.lines[67], " &BPNODE TNODE = 3, TNPC = 15, TINTC = 0, &END");
}

TEST(WritersSameX, UnpairedSectionIsReinterpolatedToOddCount) {
  const auto points = unpairedSection(30);
  ASSERT_EQ(points.size(), 60u);
  for (const int format : {7, 8, 10, 16, 17}) {
    SCOPED_TRACE(format);
    const auto w = writeFormat(format, points);
    ASSERT_EQ(w.status, kWriteOk);
    ASSERT_EQ(w.n, 61);
    for (int i = 0; i < 30; ++i) EXPECT_FLOAT_EQ(w.x[i], w.x[60 - i]);
    if (format == 10) {
      EXPECT_EQ(w.lines[0], " 31");
    } else if (format == 7) {
      EXPECT_EQ(w.lines.size(), 32u);
    } else if (format == 8) {
      EXPECT_EQ(w.lines.size(), 69u);
    }
  }
  // The formats without the preparation keep the points as they stand.
  const auto cef = writeFormat(6, points);
  EXPECT_EQ(cef.n, 60);
  EXPECT_EQ(cef.lines[1], "Points=  60");
}

TEST(WritersSameX, FailedPreparationWritesNothing) {
  // More than 1000 unpaired points: the redistribution refuses them.
  const auto points = unpairedSection(501);
  for (const int format : {7, 8, 10, 16, 17}) {
    SCOPED_TRACE(format);
    const auto w = writeFormat(format, points, "TEST SECTION", 1100);
    EXPECT_NE(w.status, kWriteOk);
    EXPECT_EQ(w.n, 1002);
    EXPECT_TRUE(w.lines.empty());
  }
}

}  // namespace
}  // namespace tarvex::test
