// The figures of a section against the analytic NACA four-digit sections, read
// from their coordinate text as any file would be.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tarvex.hpp"
#include "test_support.h"
#include "writers_test_support.h"

namespace tarvex::test {
namespace {

Figures figuresOfNaca(int digits, int pointsPerSurface) {
  auto section = readText(twoColumnText(nacaSection(digits, pointsPerSurface)));
  EXPECT_TRUE(section) << section.error().message;
  auto figures = figuresOf(*section);
  EXPECT_TRUE(figures) << figures.error().message;
  return figures ? *figures : Figures{};
}

TEST(SectionFigures, ThicknessAndCamberOfFourDigitSections) {
  struct Case {
    int digits;
    float thickness, camber, camberX;
  };
  // 2412 and 4415 do not share x on both surfaces: they go through the
  // cosine preparation, 0012 is paired as it stands.
  for (const Case c : {Case{12, 0.12f, 0.0f, 0.0f}, Case{2412, 0.12f, 0.02f, 0.4f},
                       Case{4415, 0.15f, 0.04f, 0.4f}}) {
    SCOPED_TRACE(c.digits);
    const Figures f = figuresOfNaca(c.digits, 81);
    EXPECT_NEAR(f.maxThickness, c.thickness, 0.001);
    EXPECT_NEAR(f.maxThicknessX, 0.30, 0.02);
    EXPECT_NEAR(f.maxCamber, c.camber, 0.001);
    if (c.camber > 0) {
      EXPECT_NEAR(f.maxCamberX, c.camberX, 0.03);
    }
    EXPECT_LT(f.trailingEdgeThickness, 1e-4);
  }
}

TEST(SectionFigures, LeadingEdgeRadiusOfTheFourDigitFormula) {
  const double expected = 1.1019 * 0.12 * 0.12;
  for (const int perSurface : {31, 161}) {
    SCOPED_TRACE(perSurface);
    EXPECT_NEAR(figuresOfNaca(12, perSurface).leadingEdgeRadius, expected, 0.1 * expected);
  }
  EXPECT_NEAR(figuresOfNaca(2412, 81).leadingEdgeRadius, expected, 0.1 * expected);
}

TEST(SectionFigures, AgreeWithTheThicknessAndCamberTable) {
  const auto points = unpairedSection(40);
  Section section;
  for (const Point& p : points) {
    section.x.push_back(p.x);
    section.y.push_back(p.y + 0.1f * p.x * (1.0f - p.x));
  }
  section.y.back() -= 0.004f;  // a blunt trailing edge
  const auto figures = figuresOf(section);
  ASSERT_TRUE(figures) << figures.error().message;
  EXPECT_NEAR(figures->trailingEdgeThickness, 0.004f, 1e-6);

  WriteOptions options;
  options.format = 16;
  const auto table = writeText(section, options);
  ASSERT_TRUE(table);
  float maxT = 0, atT = 0, maxC = 0, atC = 0;
  for (const auto& line : splitLines(*table)) {
    float x = 0, t = 0, c = 0;
    if (std::sscanf(line.c_str(), "%f %f %f", &x, &t, &c) != 3) continue;
    if (t > maxT) {
      maxT = t;
      atT = x;
    }
    if (std::fabs(c) > std::fabs(maxC)) {
      maxC = c;
      atC = x;
    }
  }
  EXPECT_NEAR(figures->maxThickness, maxT, 1e-7);
  EXPECT_NEAR(figures->maxThicknessX, atT, 1e-7);
  EXPECT_NEAR(figures->maxCamber, maxC, 1e-7);
  EXPECT_NEAR(figures->maxCamberX, atC, 1e-7);
}

// A section kept at 250 mm and moved has the figures of its unit-chord
// self, whether its surfaces share their stations (0012) or not (2412).
TEST(SectionFigures, AreInChordsForASectionKeptAtItsSize) {
  for (const char* designation : {"0012", "2412"}) {
    const auto unit = tarvex::nacaSection(designation);
    std::vector<double> x, y;
    for (int i = 0; i < unit->size(); ++i) {
      x.push_back(20.0 + 250.0 * unit->x[std::size_t(i)]);
      y.push_back(250.0 * unit->y[std::size_t(i)]);
    }
    const auto sized = sectionFromPoints("sized", x, y, {.normalise = false});
    const auto a = figuresOf(*unit), b = figuresOf(*sized);
    ASSERT_TRUE(a && b) << designation;
    EXPECT_NEAR(b->maxThickness, a->maxThickness, 2e-5) << designation;
    EXPECT_NEAR(b->maxCamber, a->maxCamber, 2e-5) << designation;
    EXPECT_NEAR(b->maxThicknessX, a->maxThicknessX, 2e-4) << designation;
    EXPECT_NEAR(b->trailingEdgeThickness, a->trailingEdgeThickness, 2e-5) << designation;
    EXPECT_NEAR(b->leadingEdgeRadius, a->leadingEdgeRadius, 2e-4) << designation;
  }
}

TEST(SectionFigures, RefusesWhatHasNoFigures) {
  Section tiny;
  tiny.x = {1, 0};
  tiny.y = {0, 0};
  EXPECT_EQ(figuresOf(tiny).error().status, Status::badOptions);
}

}  // namespace
}  // namespace tarvex::test
