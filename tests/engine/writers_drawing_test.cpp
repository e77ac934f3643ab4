// Drawing, markup and source-code formats: AutoCad script (9), DXF (11),
// Rhinoceros script (12), XML (13), FORTRAN/BASIC (14) and C/Java (15).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "io/fixed_fields.h"
#include "writers_test_support.h"

namespace tarvex::test {
namespace {

const std::vector<Point> kTriangle{{1.0f, 0.0f}, {0.5f, 0.25f}, {0.0f, -0.0625f}};

TEST(WritersAutocadScript, PolylineThenChordLine) {
  const auto w = writeFormat(9, kTriangle);
  ASSERT_EQ(w.status, kWriteOk);
  const std::vector<std::string> expected{
      "_LIMITS _OFF",         "_PLINE", "1.0000000,0.0000000", "0.5000000,0.2500000",
      "0.0000000,-0.0625000", "",       "_LINE 0,0 1,0",       "",
      "_LIMITS _ON"};
  EXPECT_EQ(w.lines, expected);
  const auto big = writeFormat(9, {{100.0f, 0.5f}, {0.0f, 0.0f}, {50.0f, -10.0f}});
  EXPECT_EQ(big.lines[2], "**********,0.5000000");
  EXPECT_EQ(big.lines[4], "50.0000000,**********");
}

TEST(WritersDxf, CountedLinesAndPerCentVertices) {
  const auto points = nacaSection(2412, 31);
  const auto w = writeFormat(11, points);
  ASSERT_EQ(w.status, kWriteOk);
  const std::size_t n = points.size();
  ASSERT_EQ(w.lines.size(), 28 + 6 + 8 * n + 8);
  const std::vector<std::string> header{
      "  0", "SECTION",      "  2", "HEADER",   "  9", "$EXTMIN",      " 10", "    0.000000",
      " 20", "  -50.000000", "  9", "$EXTMAX",  " 10", "  100.000000", " 20", "   50.000000",
      "  0", "ENDSEC",       "  0", "SECTION",  "  2", "TABLES",       "  0", "ENDSEC",
      "  0", "SECTION",      "  2", "ENTITIES", "  0", "POLYLINE",     "  8", "0",
      " 66", "     1"};
  EXPECT_EQ(std::vector<std::string>(w.lines.begin(), w.lines.begin() + 34), header);
  for (std::size_t i = 0; i < n; ++i) {
    const auto at = w.lines.begin() + static_cast<std::ptrdiff_t>(34 + 8 * i);
    const std::vector<std::string> vertex{"  0", "VERTEX",
                                          "  8", "0",
                                          " 10", fields::decimal(100.0 * points[i].x, 12, 6),
                                          " 20", fields::decimal(100.0 * points[i].y, 12, 6)};
    ASSERT_EQ(std::vector<std::string>(at, at + 8), vertex) << "vertex " << i;
  }
  const std::vector<std::string> tail{"  0", "SEQEND", "  8", "0", "  0", "ENDSEC", "  0", "EOF"};
  EXPECT_EQ(std::vector<std::string>(w.lines.end() - 8, w.lines.end()), tail);
  EXPECT_EQ(w.lines[34 + 5], "  100.000000");
  // The limit of the per-cent field lies at 100000.
  const auto big = writeFormat(11, {{999.0f, -100.0f}, {0.0f, 0.0f}, {1000.0f, 0.0f}});
  EXPECT_EQ(big.lines[34 + 5], "99900.000000");
  EXPECT_EQ(big.lines[34 + 7], "************");
  EXPECT_EQ(big.lines[34 + 16 + 5], "************");
}

TEST(WritersRhino, TangentPointsAroundTheCurve) {
  auto w = writeFormat(12, kTriangle);
  ASSERT_EQ(w.status, kWriteOk);
  const std::vector<std::string> three{"! InterpCrv",
                                       "Tan",
                                       "1.0000000,0.0000000,0.0000000",
                                       "0.5000000,0.2500000,0.0000000",
                                       "0.5000000,0.2500000,0.0000000",
                                       "Tan",
                                       "0.0000000,-0.0625000,0.0000000",
                                       "-0.5000000,-0.3750000,0.0000000",
                                       "Enter"};
  EXPECT_EQ(w.lines, three);
  const auto points = nacaSection(12, 31);
  w = writeFormat(12, points);
  ASSERT_EQ(w.lines.size(), 2u + 2u + 59u + 1u + 2u + 1u);
  EXPECT_EQ(w.lines[3], w.lines[4]);  // point 2 twice
  // Point N-1 closes the inner points.
  EXPECT_EQ(w.lines[62], compacted(fields::decimal(points[59].x, 10, 7) + "," +
                                       fields::decimal(points[59].y, 10, 7) + ",0.0000000",
                                   false));
  EXPECT_EQ(w.lines[63], "Tan");
}

TEST(WritersRhino, ShortSectionsStayWithinThePoints) {
  const auto w = writeFormat(12, {{1.0f, 0.5f}});
  ASSERT_EQ(w.status, kWriteOk);
  for (std::size_t i : {2u, 3u, 5u, 6u}) EXPECT_EQ(w.lines[i], "1.0000000,0.5000000,0.0000000");
  EXPECT_EQ(w.lines.back(), "Enter");
}

TEST(WritersXml, DocumentLines) {
  const auto w = writeFormat(13, kTriangle, "NACA  2412 mod");
  ASSERT_EQ(w.status, kWriteOk);
  ASSERT_EQ(w.lines.size(), 19u + 3u + 4u);
  EXPECT_EQ(w.lines[0], R"(<?xml version="1.0" encoding="ISO-8859-1"?>)");
  EXPECT_EQ(w.lines[1], R"(<airfoil xmlns="http://www.tarvex.org/airfoil-schema")");
  EXPECT_EQ(w.lines[2], R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")");
  EXPECT_EQ(w.lines[3],
            R"(xsi:schemaLocation="http://www.tarvex.org/airfoil-schema airfoil-schema.xsd">)");
  EXPECT_EQ(w.lines[4], "<name>NACA  2412 mod</name>");  // blanks kept
  EXPECT_EQ(w.lines[9], "      <point><x>1.0</x><y>1.0</y><z>1.0</z></point>");
  EXPECT_EQ(w.lines[17], "</transformation>");
  EXPECT_EQ(w.lines[18], "   <coordinates>");
  EXPECT_EQ(w.lines[19], "      <point><x>1.0000000</x><y>0.0000000</y><z>0.0000000</z></point>");
  EXPECT_EQ(w.lines[21], "      <point><x>0.0000000</x><y>-0.0625000</y><z>0.0000000</z></point>");
  const std::vector<std::string> tail{"   </coordinates>", "</element>", "</elements>",
                                      "</airfoil>"};
  EXPECT_EQ(std::vector<std::string>(w.lines.end() - 4, w.lines.end()), tail);
}

TEST(WritersXml, NameIsEscaped) {
  const auto w = writeFormat(13, kTriangle, "R&D <test> \x01section");
  EXPECT_EQ(w.lines[4], "<name>R&amp;D &lt;test&gt;  section</name>");
}

TEST(WritersSource, FortranAndCLines) {
  const auto fortran = writeFormat(14, kTriangle, "NACA 2412");
  ASSERT_EQ(fortran.status, kWriteOk);
  const std::vector<std::string> f{"*** TODO: add array and string dimensioning ***",
                                   "   NAME = \"NACA 2412\" ",
                                   "   NPTS = 3",
                                   "   X(1) = 1.0000000",
                                   "   Y(1) = 0.0000000",
                                   "   X(2) = 0.5000000",
                                   "   Y(2) = 0.2500000",
                                   "   X(3) = 0.0000000",
                                   "   Y(3) = -0.0625000"};
  EXPECT_EQ(fortran.lines, f);
  const auto c = writeFormat(15, kTriangle, "NACA 2412");
  ASSERT_EQ(c.status, kWriteOk);
  const std::vector<std::string> cLines{"*** TODO: add array and string dimensioning ***",
                                        "   NAME = \"NACA 2412\";",
                                        "   NPTS = 3;",
                                        "   X[0] = 1.0000000;",
                                        "   Y[0] = 0.0000000;",
                                        "   X[1] = 0.5000000;",
                                        "   Y[1] = 0.2500000;",
                                        "   X[2] = 0.0000000;",
                                        "   Y[2] = -0.0625000;"};
  EXPECT_EQ(c.lines, cLines);
  const auto big = writeFormat(15, {{100.0f, 0.0f}, {0.0f, 0.0f}, {1.0f, -10.0f}});
  EXPECT_EQ(big.lines[3], "   X[0] = **********;");
  EXPECT_EQ(big.lines[8], "   Y[2] = **********;");
}

TEST(WritersSource, NameLineIsWrittenWholeAndQuotedSafely) {
  const std::string longName(80, 'N');
  auto w = writeFormat(14, kTriangle, longName);
  ASSERT_EQ(w.status, kWriteOk);
  EXPECT_EQ(w.lines[1], "   NAME = \"" + longName + "\" ");
  EXPECT_EQ(w.lines.size(), 9u);
  w = writeFormat(14, kTriangle, R"(SAY "HI" \ 1)");
  EXPECT_EQ(w.lines[1], R"(   NAME = "SAY ""HI"" \ 1" )");
  w = writeFormat(15, kTriangle, R"(SAY "HI" \ 1)");
  EXPECT_EQ(w.lines[1], R"(   NAME = "SAY \"HI\" \\ 1";)");
}

TEST(WritersComments, HeaderPrecedesMarkupAndDrawingContent) {
  const std::string input = twoColumnText(nacaSection(12, 11), "NACA 0012");
  for (const int format : {11, 13}) {
    SCOPED_TRACE(format);
    const auto converted = convertText(input, {.format = format});
    ASSERT_EQ(converted.result.status, kDone);
    const auto lines = splitLines(converted.output);
    ASSERT_GT(lines.size(), 42u);
    EXPECT_EQ(lines.front().front(), ';');
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& l) { return l.empty() || l[0] != ';'; });
    EXPECT_EQ(*first, format == 11 ? "  0" : R"(<?xml version="1.0" encoding="ISO-8859-1"?>)");
    EXPECT_GE(first - lines.begin(), 42);
  }
}

// A name or comment line holding control characters (a NUL, a lone carriage
// return, a vertical tab) keeps to its field in every classic format: the scripts'
// comment lines stay comments, and no output holds a NUL or a lone CR.
TEST(WritersComments, ControlCharactersInNamesAndCommentsStayInTheirField) {
  std::string input = twoColumnText(nacaSection(12, 11), std::string("N\r_LINE 0,0 9,9\0x", 18));
  input.insert(input.find('\n') + 1, "note\x0b\r_ERASE _ALL\x7f\n");
  for (int format = 1; format <= kClassicFormatCount; ++format) {
    SCOPED_TRACE(format);
    const auto converted = convertText(input, {.format = format});
    ASSERT_EQ(converted.result.status, kDone) << converted.result.reason;
    EXPECT_EQ(converted.result.name, "N _LINE 0,0 9,9 x");
    EXPECT_EQ(converted.output.find_first_of(std::string("\r\0\x0b\x7f", 4)), std::string::npos);
    if (format == 9 || format == 12) {
      const auto lines = splitLines(converted.output);
      const auto first = std::find_if(lines.begin(), lines.end(),
                                      [](const std::string& l) { return l[0] != ';'; });
      EXPECT_EQ(*first, format == 9 ? "_LIMITS _OFF" : "! InterpCrv");
    }
    if (format == 6) {
      EXPECT_NE(converted.output.find("\nName=N _LINE 0,0 9,9 x "), std::string::npos);
    }
  }
  // A name a caller sets holds to one line as well.
  EXPECT_EQ(writeFormat(8, nacaSection(12, 11), "A\nB\rC").lines.at(0), "# Airfoil A B C");
}

// The engine reads back what it writes in its three exchange formats: the
// same points and, for CEF and XML, the same name.
TEST(WritersRoundTrip, EngineReadsItsOwnCefDxfAndXml) {
  auto points = nacaSection(12, 31);
  for (auto& p : points) p.y += 0.08f * p.x * (1.0f - p.x);
  const std::string input = twoColumnText(points, "ROUND TRIP 12");
  for (const int format : {6, 11, 13}) {
    SCOPED_TRACE(format);
    const auto written = convertText(input, {.format = format});
    ASSERT_EQ(written.result.status, kDone);
    const auto read = convertText(written.output, {.format = -1});
    ASSERT_EQ(read.result.status, kDone);
    ASSERT_EQ(read.x.size(), written.x.size());
    for (std::size_t i = 0; i < read.x.size(); ++i) {
      EXPECT_NEAR(read.x[i], written.x[i], 1e-6) << "point " << i;
      EXPECT_NEAR(read.y[i], written.y[i], 1e-6) << "point " << i;
    }
    if (format != 11) {
      EXPECT_EQ(read.result.name, "ROUND TRIP 12");
    }
  }
}

}  // namespace
}  // namespace tarvex::test
