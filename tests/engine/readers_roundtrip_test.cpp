// Sections written as CEF, DXF and XML and read back give the points that
// format 1 gives for the original, within what each format's fields keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "readers_fixture.h"
#include "tarvex.hpp"

namespace tarvex::test {
namespace {

struct Section {
  std::string label;
  std::vector<Point> points;
};

// A section with a trailing edge of finite thickness: both surfaces moved
// apart in proportion to x.
std::vector<Point> bluntSection() {
  auto points = nacaSection(2412, 41);
  const std::size_t leadingEdge = 40;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const float opening = 0.004f * points[i].x;
    points[i].y += i <= leadingEdge ? opening : -opening;
  }
  return points;
}

std::vector<Section> sections() {
  return {{"symmetric", nacaSection(12, 61)},
          {"cambered", nacaSection(4412, 61)},
          {"blunt", bluntSection()},
          {"999 points", nacaSection(2412, 500)}};
}

struct Format {
  int number;
  float tolerance;  // of chord
};

// CEF keeps six decimals of chord (F10.6): half a unit of the last one on
// each value, and up to as much again where the mean trailing-edge y moves
// (about 5e-7 is seen). DXF keeps six decimals of per cent and XML seven of
// chord; what remains is single-precision rounding (about 6e-8 is seen).
constexpr Format kFormats[] = {{6, 1.0e-6f}, {11, 2.0e-7f}, {13, 2.0e-7f}};

void expectSamePoints(const Converted& back, const Converted& reference, float tolerance,
                      const std::string& what) {
  ASSERT_EQ(back.result.status, kDone) << what << "\n" << back.output.substr(0, 2000);
  ASSERT_EQ(back.result.count, reference.result.count) << what;
  float worst = 0;
  for (std::size_t i = 0; i < reference.x.size(); ++i) {
    worst = std::max(
        {worst, std::fabs(back.x[i] - reference.x[i]), std::fabs(back.y[i] - reference.y[i])});
  }
  EXPECT_LE(worst, tolerance) << what;
}

TEST(ReaderRoundTrip, WrittenFilesReadBackAsTheOriginalPoints) {
  for (const auto& section : sections()) {
    const std::string original = twoColumnText(section.points, section.label);
    const auto reference = convertText(original, {.format = -1});
    ASSERT_EQ(reference.result.status, kDone) << section.label;
    for (const auto& format : kFormats) {
      for (const bool comments : {false, true}) {
        const int number = comments ? format.number : -format.number;
        const std::string what = section.label + ", format " + std::to_string(number);
        const auto written = convertText(original, {.format = number});
        ASSERT_EQ(written.result.status, kDone) << what;
        const auto back = convertText(written.output, {.format = -1});
        expectSamePoints(back, reference, format.tolerance, what);
      }
    }
  }
}

TEST(ReaderRoundTrip, TheXmlNameSurvivesMarkupCharacters) {
  const auto points = nacaSection(12, 21);
  const auto written = convertText(twoColumnText(points, "Flap <A> & \"B\""), {.format = -13});
  ASSERT_EQ(written.result.status, kDone);
  const auto back = convertText(written.output, {.format = -1});
  ASSERT_EQ(back.result.status, kDone);
  EXPECT_EQ(back.result.name, "Flap <A> & \"B\"");
}

}  // namespace
}  // namespace tarvex::test
