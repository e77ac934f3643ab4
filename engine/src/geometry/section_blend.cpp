// The weighted mean of two sections: both brought onto the same cosine-spaced
// fractions of their chords, upper with upper and lower with lower, and the
// points there averaged.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/panelling.h"
#include "tarvex_shape.hpp"

namespace tarvex {
namespace {

constexpr int kMostStations = 500;  // 999 points, within a section's usual capacity

struct Sides {
  std::vector<double> upperX, upperY, lowerX, lowerY;  // from the leading edge to the trailing edge
};

// The points of the contour at the chord fractions: a fraction f lies at
// x = x(LE) + f (x(TE) - x(LE)) on each side, the trailing edge of each side
// its own end point, so that an open trailing edge stays as it is.
std::optional<Sides> sidesAt(const ContourSpline& contour, const std::vector<double>& fractions) {
  const double nose = contour.leadingEdge(), length = contour.length();
  const double noseX = contour.x(nose), upperEnd = contour.x(0.0), lowerEnd = contour.x(length);
  if (!(upperEnd > noseX) || !(lowerEnd > noseX)) return std::nullopt;
  Sides sides;
  for (const double f : fractions) {
    const double su = contour.whereX(noseX + f * (upperEnd - noseX), 0.0, nose);
    const double sl = contour.whereX(noseX + f * (lowerEnd - noseX), nose, length);
    sides.upperX.push_back(contour.x(su));
    sides.upperY.push_back(contour.y(su));
    sides.lowerX.push_back(contour.x(sl));
    sides.lowerY.push_back(contour.y(sl));
  }
  return sides;
}

Error badBlend(std::string why) { return Error{Status::badOptions, std::move(why), {}, 0}; }

}  // namespace

Result<Section> blendSections(const Section& first, const Section& second, double fraction) {
  if (!(fraction >= 0.0 && fraction <= 1.0)) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", fraction);
    return badBlend(std::string("the blend fraction is a number from 0 to 1, not ") + text);
  }
  std::string reason;
  const auto a = contourOf(first, reason);
  if (!a) return badBlend("the first section cannot be blended: " + reason);
  const auto b = contourOf(second, reason);
  if (!b) return badBlend("the second section cannot be blended: " + reason);

  const int stations =
      std::clamp((std::max(first.size(), second.size()) + 1) / 2, 3, kMostStations);
  std::vector<double> fractions(static_cast<std::size_t>(stations));
  for (int j = 0; j < stations; ++j) {
    fractions[std::size_t(j)] = (1.0 - std::cos(std::numbers::pi * j / (stations - 1))) / 2.0;
  }
  fractions.back() = 1.0;
  const auto sa = sidesAt(*a, fractions), sb = sidesAt(*b, fractions);
  if (!sa || !sb) {
    return badBlend(std::string("the ") + (sa ? "second" : "first") +
                    " section has no leading edge ahead of its trailing edge");
  }
  const auto mean = [&](double p, double q) { return (1.0 - fraction) * p + fraction * q; };
  std::vector<double> x, y;
  for (std::size_t j = fractions.size(); j-- > 0;) {  // upper surface, trailing edge first
    x.push_back(mean(sa->upperX[j], sb->upperX[j]));
    y.push_back(mean(sa->upperY[j], sb->upperY[j]));
  }
  for (std::size_t j = 1; j < fractions.size(); ++j) {
    x.push_back(mean(sa->lowerX[j], sb->lowerX[j]));
    y.push_back(mean(sa->lowerY[j], sb->lowerY[j]));
  }
  return sectionLike(first, x, y, 2 * kMostStations);
}

}  // namespace tarvex
