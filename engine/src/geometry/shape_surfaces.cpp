#include "geometry/shape_surfaces.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "geometry/panelling.h"

namespace tarvex::shape {

Error refused(std::string message) { return {Status::badOptions, std::move(message), {}, 0}; }

Result<Split> splitAtNose(const Section& section, std::string_view step) {
  const std::size_t n = section.x.size();
  if (n < 3 || section.y.size() != n)
    return refused(std::string(step) + ": the section has fewer than 3 points");
  const auto nose = static_cast<std::size_t>(std::min_element(section.x.begin(), section.x.end()) -
                                             section.x.begin());
  if (nose == 0 || nose + 1 == n)
    return refused(std::string(step) +
                   ": the section has no leading edge between its trailing-edge points");
  Split split;
  split.nose = nose;
  split.noseX = section.x[nose];
  split.noseY = section.y[nose];
  // The surfaces start from the nose of the smooth contour: the point of
  // smallest x usually lies a little above or below it on a cambered
  // section, and surfaces measured from that point in powers of sqrt(x)
  // would give their half-sum (the camber) a sqrt term, which any scaling
  // turns into a kink there. A nose a rounding away from the point is the
  // point: so close a knot would make the slopes beside it noise.
  split.frontX = split.noseX;
  split.frontY = split.noseY;
  split.trailingEdgeX = (double(section.x.front()) + section.x.back()) / 2;
  std::string reason;
  if (const auto contour = contourOf(section, reason)) {
    const double s = contour->leadingEdge();
    if (split.noseX - contour->x(s) > 1e-6 * std::fabs(split.trailingEdgeX - split.noseX))
      split.frontX = contour->x(s), split.frontY = contour->y(s);
  }
  const bool noseIsFront = split.frontX == split.noseX;
  auto take = [&](Surface& surface, std::size_t from, std::ptrdiff_t direction, std::size_t count) {
    double reach = split.frontX;
    surface.x.push_back(split.frontX);
    surface.y.push_back(split.frontY);
    for (std::size_t k = 0; k < count; ++k) {
      const auto at = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(from) +
                                               direction * static_cast<std::ptrdiff_t>(k));
      reach = std::max(reach, double(section.x[at]));
      surface.x.push_back(reach);
      surface.y.push_back(section.y[at]);
    }
  };
  // The point of smallest x belongs to the side of the nose it lies on.
  const bool noseAbove = !noseIsFront && section.y[nose] >= split.frontY;
  const bool noseBelow = !noseIsFront && !noseAbove;
  take(split.upper, noseAbove ? nose : nose - 1, -1, noseAbove ? nose + 1 : nose);
  take(split.lower, noseBelow ? nose : nose + 1, +1, noseBelow ? n - nose : n - nose - 1);
  const double tiny = 1e-9 * std::max(1.0, std::fabs(split.noseX));
  if (!(std::min(split.upper.x.back(), split.lower.x.back()) - split.noseX > tiny) ||
      !(split.chord() > tiny))
    return refused(std::string(step) + ": the surfaces have no x-range in common");
  return split;
}

double surfaceY(const Surface& surface, double x) {
  const auto& xs = surface.x;
  const auto& ys = surface.y;
  const std::size_t n = xs.size();
  if (n == 1 || x <= xs.front()) return ys.front();
  if (x >= xs.back()) return ys.back();
  const std::size_t k =
      static_cast<std::size_t>(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin()) - 1;
  auto s = [&](std::size_t i) { return std::sqrt(xs[i] - xs.front()); };
  // dy/ds at node i from the parabola through it and its neighbours.
  auto slope = [&](std::size_t i) {
    const double h0 = i > 0 ? s(i) - s(i - 1) : 0.0;
    const double h1 = i + 1 < n ? s(i + 1) - s(i) : 0.0;
    const double d0 = h0 > 0 ? (ys[i] - ys[i - 1]) / h0 : 0.0;
    const double d1 = h1 > 0 ? (ys[i + 1] - ys[i]) / h1 : 0.0;
    if (h0 > 0 && h1 > 0) return (h1 * d0 + h0 * d1) / (h0 + h1);
    return h0 > 0 ? d0 : d1;
  };
  const double h = s(k + 1) - s(k);
  if (!(h > 0)) return ys[k + 1];
  const double t = (std::sqrt(x - xs.front()) - s(k)) / h;
  const double t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * ys[k] + (t3 - 2 * t2 + t) * h * slope(k) +
         (-2 * t3 + 3 * t2) * ys[k + 1] + (t3 - t2) * h * slope(k + 1);
}

double fade(double a) {
  a = std::clamp(a, 0.0, 1.0);
  return 1.0 - a * a * (3.0 - 2.0 * a);
}

Result<Section> rebuilt(const Section& like, std::span<const double> x, std::span<const double> y) {
  const int capacity = std::max(1000, static_cast<int>(x.size()));
  auto section = sectionFromPoints(like.name, x, y, {.normalise = false, .capacity = capacity});
  if (section) section->comments = like.comments;
  return section;
}

}  // namespace tarvex::shape
