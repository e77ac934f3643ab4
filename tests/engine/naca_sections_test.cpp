// NACA sections against their defining equations, the designations people
// type, the Selig and Lednicer outputs read back, and XFOIL on both.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <regex>
#include <set>

#include "cli_fixture.h"
#include "geometry/naca_shapes.h"
#include "tarvex.hpp"
#include "test_support.h"

namespace tarvex::test {
namespace {

// The largest distance of the section's points from the surfaces the
// equations give at the same stations, x(s) from the cosine spacing.
double worstDeviation(const Section& section, const std::function<double(double)>& yt,
                      const std::function<std::pair<double, double>(double)>& meanLine) {
  const int n = section.size();
  const int nose = n / 2;
  double worst = 0.0;
  for (int i = 0; i < n; ++i) {
    const int k = std::abs(i - nose);
    const double x = (1.0 - std::cos(std::numbers::pi * k / nose)) / 2.0;
    const auto [yc, slope] = meanLine(x);
    const double theta = std::atan(slope), sign = i < nose ? 1.0 : -1.0;
    const double ex = x - sign * yt(x) * std::sin(theta), ey = yc + sign * yt(x) * std::cos(theta);
    worst = std::max({worst, std::fabs(section.x[static_cast<std::size_t>(i)] - ex),
                      std::fabs(section.y[static_cast<std::size_t>(i)] - ey)});
  }
  return worst;
}

// The distance of (px, py) from the polyline of a dense outline.
double distanceToOutline(const Section& dense, double px, double py) {
  double nearest = 1e9;
  for (int i = 0; i + 1 < dense.size(); ++i) {
    const auto at = static_cast<std::size_t>(i);
    const double ax = dense.x[at], ay = dense.y[at];
    const double dx = dense.x[at + 1] - ax, dy = dense.y[at + 1] - ay;
    const double s = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    nearest = std::min(nearest, std::hypot(px - ax - s * dx, py - ay - s * dy));
  }
  return nearest;
}

double fourDigitYt(double t, double x) {
  return 5 * t *
         (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
          0.1015 * x * x * x * x);
}

TEST(NacaSections, FollowTheirDefiningEquations) {
  const auto n2412 = tarvex::nacaSection("NACA 2412");
  ASSERT_TRUE(n2412) << n2412.error().message;
  EXPECT_EQ(n2412->size(), 161);
  EXPECT_EQ(n2412->name, "NACA 2412");
  const double d2412 = worstDeviation(
      *n2412, [](double x) { return fourDigitYt(0.12, x); },
      [](double x) {
        const double m = 0.02, p = 0.4;
        return x < p ? std::pair{m / (p * p) * (2 * p * x - x * x), 2 * m / (p * p) * (p - x)}
                     : std::pair{m / ((1 - p) * (1 - p)) * (1 - 2 * p + 2 * p * x - x * x),
                                 2 * m / ((1 - p) * (1 - p)) * (p - x)};
      });
  EXPECT_LT(d2412, 1e-6);

  // 230: r = 0.2025, k1 = 15.957 (Report 610).
  const auto n23012 = tarvex::nacaSection("23012");
  ASSERT_TRUE(n23012);
  const double d23012 = worstDeviation(
      *n23012, [](double x) { return fourDigitYt(0.12, x); },
      [](double x) {
        const double r = 0.2025, k = 15.957;
        return x < r ? std::pair{k / 6 * (x * x * x - 3 * r * x * x + r * r * (3 - r) * x),
                                 k / 6 * (3 * x * x - 6 * r * x + r * r * (3 - r))}
                     : std::pair{k * r * r * r / 6 * (1 - x), -k * r * r * r / 6};
      });
  EXPECT_LT(d23012, 1e-6);
  std::cout << "largest deviation from the equations: NACA 2412 " << d2412 << ", NACA 23012 "
            << d23012 << '\n';

  // The reflexed 231 line and the plain one end on the chord line, with the
  // camber at 15 per cent.
  for (const bool reflexed : {false, true}) {
    const auto line = *naca::fiveDigitMeanLine(0.3, 0.15, reflexed);
    EXPECT_NEAR(line(0.0).y, 0.0, 1e-12);
    EXPECT_NEAR(line(1.0).y, 0.0, 1e-6);
    EXPECT_NEAR(line(0.15).slope, 0.0, 2e-3) << reflexed;
  }
  // The 6A line against the tabulated ordinates for cl = 1 (Report 903).
  const auto sixA = naca::modifiedSixAMeanLine(1.0);
  for (const auto& [x, y] : {std::pair{0.05, 0.01803}, std::pair{0.5, 0.06651},
                             std::pair{0.85, 0.03607}, std::pair{0.95, 0.01226}}) {
    EXPECT_NEAR(sixA(x).y, y, 1e-5) << x;
  }
  // Uniform loading over the whole chord (a = 1, the 16-series' line) in
  // closed form: y = -cl/(4 pi) ((1-x) ln(1-x) + x ln x).
  const auto uniform = naca::uniformLoadMeanLine(0.2, 1.0);
  for (double x : {0.01, 0.2, 0.5, 0.9, 0.99}) {
    const double y = -0.2 / (4 * std::numbers::pi) * ((1 - x) * std::log(1 - x) + x * std::log(x));
    const double slope = 0.2 / (4 * std::numbers::pi) * std::log((1 - x) / x);
    EXPECT_NEAR(uniform(x).y, y, 1e-9) << x;
    EXPECT_NEAR(uniform(x).slope, slope, 1e-8) << x;
  }
  // Uniform loading ends on the chord line and is symmetric for a = 1.
  EXPECT_NEAR(naca::uniformLoadMeanLine(0.4, 0.5)(1.0).y, 0.0, 1e-12);
  EXPECT_NEAR(naca::uniformLoadMeanLine(0.4, 1.0)(0.3).y,
              naca::uniformLoadMeanLine(0.4, 1.0)(0.7).y, 1e-12);
}

// The modified four-digit forms are defined by conditions, not by one formula.
TEST(NacaSections, ModifiedFourDigitFormsMeetTheirConditions) {
  for (const auto& [index, m] : {std::pair{6, 0.4}, std::pair{4, 0.5}, std::pair{9, 0.2},
                                 std::pair{0, 0.6}, std::pair{3, 0.3}}) {
    SCOPED_TRACE(std::to_string(index) + " at " + std::to_string(m));
    const auto yt = *naca::modifiedFourDigitThickness(0.12, index, m, false);
    const double h = 1e-6;
    EXPECT_NEAR(yt(m), 0.06, 1e-12);
    EXPECT_NEAR((yt(m + h) - yt(m - h)) / (2 * h), 0.0, 1e-6);
    EXPECT_NEAR(yt(1.0), 0.0012, 1e-12);
    // Leading-edge radius: y = a0 sqrt(x) near the nose, r = a0^2 / 2.
    const double x0 = 1e-10, a0 = yt(x0) / std::sqrt(x0);
    const double expected =
        index == 9 ? 3 * 1.1019 * 0.0144 : 1.1019 * std::pow(0.12 * index / 6, 2);
    EXPECT_NEAR(a0 * a0 / 2, expected, 2e-4 * expected + 1e-10);
  }
  // 16-series: the 0012-45 form.
  const auto sixteen = tarvex::nacaSection("16-012");
  const auto modified = tarvex::nacaSection("0012-45");
  ASSERT_TRUE(sixteen && modified);
  EXPECT_EQ(sixteen->y, modified->y);
  EXPECT_FALSE(naca::modifiedFourDigitThickness(0.12, 6, 0.7, false));
}

TEST(NacaSections, DesignationsAndOptions) {
  for (const char* good :
       {"2412", "naca0012", "NACA 23112", "0012-64", "23015-63", "16-212", "16-212 a=0.5", "63-206",
        "63(2)-615", "65(4)-421 a=0.5", "64A210", "63(2)A-015", "65_2-415"}) {
    EXPECT_TRUE(tarvex::nacaSection(good)) << good;
  }
  for (const auto& [bad, reason] :
       {std::pair{"2400", "a thickness of 0 per cent"}, std::pair{"2012", "needs its position"},
        std::pair{"23212", "third digit"}, std::pair{"0012-67", "0.2 to 0.6"},
        std::pair{"21112", "reflexed"}, std::pair{"2412 a=0.5", "a="},
        std::pair{"clark y", "no NACA designation"}, std::pair{"16-212 a=2", "from 0 to 1"},
        std::pair{"64A210 a=0.5", "leave out a="}, std::pair{"66A210", "63A, 64A and 65A"},
        std::pair{"65-250", "beyond the 6-series"}}) {
    const auto refused = tarvex::nacaSection(bad);
    ASSERT_FALSE(refused) << bad;
    EXPECT_NE(refused.error().message.find(reason), std::string::npos) << refused.error().message;
  }
  const auto even = tarvex::nacaSection("0012", {.points = 80});
  ASSERT_TRUE(even);
  EXPECT_EQ(even->size(), 81);
  EXPECT_FALSE(tarvex::nacaSection("0012", {.points = 4}));
  // Closed, the four-digit form ends in a point; the reports' form does not.
  const auto closed = tarvex::nacaSection("0012", {.closedTrailingEdge = true});
  EXPECT_NEAR(closed->y.front(), closed->y.back(), 1e-12);
  EXPECT_NEAR(tarvex::nacaSection("0012")->y.front(), 0.00126f, 1e-7f);
  const auto sixA = tarvex::nacaSection("64A010"),
             sixAClosed = tarvex::nacaSection("64A010", {.closedTrailingEdge = true});
  EXPECT_GT(sixA->y.front(), 1e-4f);
  EXPECT_NEAR(sixAClosed->y.front(), sixAClosed->y.back(), 1e-9f);
  // The reports' coordinates: chord from (0, 0) to (1, 0), not renormalised.
  const auto cambered = tarvex::nacaSection("4412");
  EXPECT_LT(*std::min_element(cambered->x.begin(), cambered->x.end()), 0.0f);
  const auto uniform = tarvex::nacaSection("0012", {.points = 5, .spacing = Spacing::uniform});
  EXPECT_FLOAT_EQ(uniform->x[1], 0.5f);
}

TEST(NacaSections, SectionsFromPointsAreCheckedAsReadOnes) {
  const std::vector<double> x{0, 0.5, 1, 0.5, 0}, y{0, 0.1, 0, -0.1, 0};
  // Clockwise, with a repeated point: turned round, one fewer.
  std::vector<double> xr{1, 0.5, 0.5, 0, 0.5, 1}, yr{0, -0.1, -0.1, 0, 0.1, 0};
  const auto made = sectionFromPoints("diamond", xr, yr, {.normalise = true});
  ASSERT_TRUE(made) << made.error().message;
  EXPECT_EQ(made->size(), 5);
  EXPECT_EQ(made->y[1], 0.1f);
  EXPECT_GT(made->properties.area, 0.0f);
  EXPECT_EQ(sectionFromPoints("", std::vector<double>{1, 1, 1}, std::vector<double>{0, 1, 2})
                .error()
                .message,
            "all points have the same x: the section has no chord");
  EXPECT_FALSE(sectionFromPoints("", std::vector<double>{1, NAN}, std::vector<double>{0, 1}));
  EXPECT_EQ(sectionFromPoints("", x, std::vector<double>{0}).error().status, Status::badOptions);
  EXPECT_EQ(sectionFromPoints("", std::vector<double>{0, 1, 0}, std::vector<double>{0, 0, 0})
                .error()
                .status,
            Status::noArea);
  // Kept as given: a chord of 2 stays 2.
  std::vector<double> wide{2, 0, 2}, tall{0.1, 0, -0.1};
  EXPECT_EQ(sectionFromPoints("", wide, tall, {.normalise = false})->x.front(), 2.0f);
}

TEST(NacaSections, SeligAndLednicerReadBackToTheSamePoints) {
  const auto section = tarvex::nacaSection("2412");
  for (const int format : {21, 22}) {
    SCOPED_TRACE(format);
    WriteOptions options;
    options.format = format;
    options.comments = true;  // neither layout has a place for them
    const auto text = writeText(*section, options);
    ASSERT_TRUE(text) << text.error().message;
    EXPECT_TRUE(text->starts_with("NACA 2412\n"));
    const auto back = readText(*text);
    ASSERT_TRUE(back) << back.error().message;
    EXPECT_EQ(back->name, "NACA 2412");
    EXPECT_EQ(back->layout, format == 21 ? Layout::twoColumns : Layout::counted);
    ASSERT_EQ(back->size(), section->size());
    // Read back normalised to its x-range, which reaches below 0 and beyond 1.
    const float chord = section->xmax - section->xmin;
    for (int i = 0; i < section->size(); ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_NEAR(back->x[at] * (back->xmax - back->xmin) + back->xmin, section->x[at], 6e-7);
      EXPECT_NEAR(back->y[at] * (back->xmax - back->xmin),
                  section->y[at] - section->y[0] / 2 - section->y.back() / 2, 1.2e-6 * chord);
    }
  }
  WriteOptions selig;
  selig.format = 21;
  const std::vector<double> x{1, 0.5, 0, 0.5, 1}, y{0, 0.04, 0, -0.05, 0};
  EXPECT_NE(writeText(*sectionFromPoints("s", x, y), selig)->find("   0.500000   0.040000\n"),
            std::string::npos);
  // A line end in a name given by hand does not start a line of data.
  EXPECT_TRUE(writeText(*sectionFromPoints("a\n0 0\rb", x, y), selig)->starts_with("a 0 0 b\n"));
}

using NacaCommand = CliTest;

// tarvex naca writes Selig text that tarvex info takes; a folder gets one
// file per designation; convert --points N redistributes onto N points.
TEST_F(NacaCommand, WritesSeligByDefaultAndEveryFormatOnRequest) {
  const CliRun piped = tarvexPiped("naca 2412", "info -");
  EXPECT_NE(piped.out.find("NACA 2412"), std::string::npos);
  EXPECT_NE(piped.out.find("points        161"), std::string::npos) << piped.out;
  const CliRun folder = tarvex("naca 0012 '63(2)-615' 'clark y' -f lednicer -d out --points 41");
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("clark y: \"clark y\" is no NACA designation"), std::string::npos)
      << folder.err;
  EXPECT_EQ(splitLines(file("out/naca0012.dat"))[1], "      21.        21.");
  const CliRun points = tarvex("convert naca2412.dat -f xy --points 60");
  EXPECT_EQ(dataLines(points.out).size(), 61u) << points.err;
}

// XFOIL takes the Selig output with its name. Its own NACA 2412 adds the
// thickness to the mean line vertically, where the reports lay it off normal
// to the mean line: the outlines part by about 1e-3 chord near the nose.
TEST(NacaSections, XfoilLoadsTheSeligOutputAndAgreesOnTheShape) {
  if (!findProgram("xfoil")) GTEST_SKIP() << "xfoil not installed";
  if (!findProgram("timeout")) GTEST_SKIP() << "timeout not installed";
  TempDir dir;
  WriteOptions options;
  options.format = 21;
  { std::ofstream(dir.file("ours.dat")) << *writeText(*tarvex::nacaSection("2412"), options); }
  std::string output;
  ASSERT_EQ(runCommand("cd " + shellQuoted(dir.path()) +
                           " && printf 'PLOP\\nG F\\n\\nLOAD ours.dat\\n\\nNACA 2412\\nPSAV "
                           "xfoil.dat\\n\\nQUIT\\n' | timeout 60 env -u DISPLAY xfoil 2>&1",
                       &output),
            0)
      << output;
  EXPECT_NE(output.find("Name:  NACA 2412"), std::string::npos) << output;
  EXPECT_NE(output.find("Number of input coordinate points: 161"), std::string::npos);
  // Every XFOIL point's distance from our dense outline.
  const auto dense = tarvex::nacaSection("2412", {.points = 4001});
  std::ifstream theirs(dir.file("xfoil.dat"));
  double px = 0, py = 0, worst = 0;
  int count = 0;
  while (theirs >> px >> py) {
    worst = std::max(worst, distanceToOutline(*dense, px, py));
    ++count;
  }
  EXPECT_GT(count, 100);
  std::cout << "XFOIL's NACA 2412 (" << count << " points) lies within " << worst
            << " chord of ours\n";
  EXPECT_LT(worst, 2e-3);
}

// Every six-series file of the corpus whose name spells its designation
// (n63210, naca642415, naca64a210, naca652415a05, n63012a) against the
// section made from that designation, both normalised as read: the largest
// distance of a file's point from the made outline, per file. The files
// round to 4 or 5 decimals and some are splined onto other stations. Four
// files are worse for reasons of their own: one misprinted point each in
// 65(1)-412 (x = 0.352) and 65(1)-212 a=0.6 (x = 0.879), and 63A612 and
// 64A410, made by another program, lie 2.6e-3 from these on the forward
// lower surface where the 6A-series 210 and 010 files lie within 2.3e-4.
TEST(NacaSixSeriesCorpus, FilesLieOnTheSectionsOfTheirDesignations) {
  const auto files = corpusFiles();
  if (files.empty()) GTEST_SKIP() << "TARVEX_CORPUS is not set";
  const std::regex plain(R"((?:n|naca)(6[3-7])(a?)(\d?)(\d{3})(a\d\d)?\.dat)");
  const std::regex symmetricA(R"(n(6[3-5])(\d{3})a\.dat)");
  const std::set<std::string> ownFaults = {"naca651412.dat", "naca651212a06.dat", "naca63a612.dat",
                                           "naca64a410.dat"};
  int compared = 0;
  double worstOfAll = 0.0;
  for (const auto& path : files) {
    const std::string file = path.filename().string();
    std::smatch m;
    std::string designation;
    if (std::regex_match(file, m, symmetricA)) {
      designation = m.str(1) + "A" + m.str(2);
    } else if (std::regex_match(file, m, plain)) {
      designation = m.str(1) + (m[2].length() != 0   ? "A" + m.str(4)
                                : m[3].length() != 0 ? "(" + m.str(3) + ")-" + m.str(4)
                                                     : "-" + m.str(4));
      if (m[5].length() != 0) designation += " a=0." + m.str(5).substr(2, 1);
    } else {
      continue;
    }
    const auto read = tarvex::readFile(path);
    const auto made = tarvex::nacaSection(designation, {.points = 4001});
    ASSERT_TRUE(read && made) << file << " as " << designation;
    const std::vector<double> mx(made->x.begin(), made->x.end()),
        my(made->y.begin(), made->y.end());
    const auto dense = tarvex::sectionFromPoints(made->name, mx, my, {.capacity = 5000});
    ASSERT_TRUE(dense);
    double worst = 0.0;
    for (int i = 0; i < read->size(); ++i) {
      const auto at = static_cast<std::size_t>(i);
      worst = std::max(worst, distanceToOutline(*dense, read->x[at], read->y[at]));
    }
    std::cout << file << " as " << designation << ": worst " << worst << '\n';
    EXPECT_LT(worst, ownFaults.contains(file) ? 4e-3 : 1e-3) << file;
    if (!ownFaults.contains(file)) worstOfAll = std::max(worstOfAll, worst);
    ++compared;
  }
  std::cout << compared << " files, worst of those without faults of their own " << worstOfAll
            << '\n';
  EXPECT_GE(compared, 50);
}

}  // namespace
}  // namespace tarvex::test
