#include "geometry/section_properties.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"
#include "writers/comment_header.h"

namespace tarvex {
namespace {

Properties propertiesOf(const std::vector<float>& x, const std::vector<float>& y,
                        int* status = nullptr) {
  Properties p;
  const int result = PROGEO(x, y, static_cast<int>(x.size()), p);
  if (status != nullptr) *status = result;
  return p;
}

TEST(Properties, UnitSquare) {
  int status = -1;
  const auto p = propertiesOf({0, 1, 1, 0, 0}, {0, 0, 1, 1, 0}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_FLOAT_EQ(p.area, 1.0f);
  EXPECT_FLOAT_EQ(p.xs, 0.5f);
  EXPECT_FLOAT_EQ(p.ys, 0.5f);
  EXPECT_NEAR(p.ixs, 1.0 / 12, 1e-7);
  EXPECT_NEAR(p.iys, 1.0 / 12, 1e-7);
  EXPECT_FLOAT_EQ(p.circumference, 4.0f);
  EXPECT_FLOAT_EQ(p.x0, 0.5f);
  EXPECT_FLOAT_EQ(p.y0, 0.5f);
  EXPECT_FLOAT_EQ(p.ix0, p.ixs);
  EXPECT_FLOAT_EQ(p.iy0, p.iys);
}

TEST(Properties, ClockwiseSquareOnlyFlipsTheAreaSign) {
  const auto p = propertiesOf({0, 0, 1, 1, 0}, {0, 1, 1, 0, 0});
  EXPECT_FLOAT_EQ(p.area, -1.0f);
  EXPECT_FLOAT_EQ(p.xs, 0.5f);
  EXPECT_FLOAT_EQ(p.ys, 0.5f);
  EXPECT_NEAR(p.ix0, 1.0 / 12, 1e-7);
  EXPECT_NEAR(p.iy0, 1.0 / 12, 1e-7);
}

TEST(Properties, Triangle) {
  const auto p = propertiesOf({0, 1, 0, 0}, {1, 1, 2, 1});
  EXPECT_FLOAT_EQ(p.area, 0.5f);
  EXPECT_FLOAT_EQ(p.xs, 1.0f / 3);
  EXPECT_FLOAT_EQ(p.ys, 4.0f / 3);
  EXPECT_NEAR(p.ixs, 1.0 / 36, 1e-6);
}

TEST(Properties, SymmetricSectionHasCentroidsOnTheChord) {
  std::vector<float> x, y;
  for (const auto& point : test::nacaSection(12, 41)) {
    x.push_back(point.x);
    y.push_back(point.y);
  }
  const auto p = propertiesOf(x, y);
  EXPECT_NEAR(p.ys, 0.0f, 1e-6);
  EXPECT_NEAR(p.y0, 0.0f, 1e-6);
  EXPECT_NEAR(p.area, 0.0821, 5e-4);  // 0.685 t for a four-digit section of thickness t
}

TEST(Properties, BluntTrailingEdgeAreaIndependentOfTheOrigin) {
  // An open contour: the trailing edge has a gap between its first and last point.
  const std::vector<float> x{1, 0.5f, 0, 0.5f, 1}, y{0.01f, 0.1f, 0, -0.1f, -0.01f};
  const auto atOrigin = propertiesOf(x, y);
  std::vector<float> shiftedX = x, shiftedY = y;
  for (auto& v : shiftedX) v += 3.0f;
  for (auto& v : shiftedY) v -= 2.0f;
  const auto shifted = propertiesOf(shiftedX, shiftedY);
  EXPECT_NEAR(atOrigin.area, 0.105f, 1e-6);  // the closed pentagon
  EXPECT_NEAR(shifted.area, atOrigin.area, 1e-5);
  EXPECT_NEAR(shifted.xs - 3.0f, atOrigin.xs, 1e-5);
  EXPECT_NEAR(shifted.ixs, atOrigin.ixs, 1e-5);
}

TEST(Properties, PointsOnOneLineEncloseNoArea) {
  int status = -1;
  const auto p = propertiesOf({0, 0.5f, 1}, {0, 0, 0}, &status);
  EXPECT_EQ(status, 1);
  EXPECT_FLOAT_EQ(p.circumference, 1.0f);
  EXPECT_FLOAT_EQ(p.x0, 0.5f);
  propertiesOf({0, 0.3f, 0.7f, 1}, {0.2f, 0.29f, 0.41f, 0.5f}, &status);
  EXPECT_EQ(status, 1);
  propertiesOf({0}, {0}, &status);
  EXPECT_EQ(status, 1);
}

TEST(PropertiesBlock, LabelsFieldsAndLatin1Bytes) {
  const auto p = propertiesOf({0, 1, 1, 0, 0}, {0, 0, 1, 1, 0});
  test::TextOutput header;
  ASSERT_TRUE(writeCommentHeader(header.out(), 5, 0.0f, 1.0f, p));
  const auto lines = header.lines();
  ASSERT_EQ(lines.size(), 42u);
  const std::vector<std::string> e(lines.begin() + 6, lines.begin() + 22);
  const std::vector<std::string> g(lines.begin() + 25, lines.begin() + 41);
  EXPECT_EQ(e[1], "; Area:               1.000000 [c^2]");
  EXPECT_EQ(e[9], "; Circumference:    4.000000 [c]");
  EXPECT_EQ(e[6], ";             IXs:    0.083333 [c^4]");
  EXPECT_EQ(g[0],
            "; *** Fl\xE4"
            "cheneigenschaften:");
  EXPECT_EQ(g[1],
            "; Fl\xE4"
            "che:             1.000000 [c^2]");
  EXPECT_EQ(g[5], "; Tr\xE4gheitsmomente bzgl. S:");
  EXPECT_EQ(g[9], "; Umfang:             4.000000 [c]");
  EXPECT_EQ(g[13], "; Tr\xE4gheitsmomente bzgl. 0:");
}

}  // namespace
}  // namespace tarvex
