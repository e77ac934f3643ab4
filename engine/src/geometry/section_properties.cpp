#include "geometry/section_properties.h"

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

struct AreaSums {
  float a = 0, sx = 0, sy = 0, ixx = 0, iyy = 0;
  double magnitude = 0;  // sum of |terms| of the area, for its rounding noise

  // Edge terms of the segment (x1,y1)-(x2,y2): triangle with the origin for
  // the area and first moments, -∮y³/3 dx and ∮x³/3 dy for the second moments.
  void add(double x1, double y1, double x2, double y2) {
    const double t = (x1 * y2 - x2 * y1) / 2.0;
    a = static_cast<float>(a + t);
    magnitude += std::fabs(t);
    sx = static_cast<float>(sx + t * (x1 + x2) / 3.0);
    sy = static_cast<float>(sy + t * (y1 + y2) / 3.0);
    ixx = static_cast<float>(ixx + (x1 - x2) * (y1 + y2) * (y1 * y1 + y2 * y2) / 12.0);
    iyy = static_cast<float>(iyy + (y2 - y1) * (x1 + x2) * (x1 * x1 + x2 * x2) / 12.0);
  }
};

}  // namespace

int PROGEO(std::span<const float> x, std::span<const float> y, int n, Properties& p) {
  p = Properties{};
  AreaSums sums;
  float u = 0, ux = 0, uy = 0;
  for (int i = 0; i + 1 < n; ++i) {
    const double x1 = x[static_cast<std::size_t>(i)], y1 = y[static_cast<std::size_t>(i)];
    const double x2 = x[static_cast<std::size_t>(i + 1)], y2 = y[static_cast<std::size_t>(i + 1)];
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    u = static_cast<float>(u + length);
    ux = static_cast<float>(ux + (x1 + dx / 2.0) * length);
    uy = static_cast<float>(uy + (y1 + dy / 2.0) * length);
    sums.add(x1, y1, x2, y2);
  }
  // The area is that of the closed contour: a blunt trailing edge is closed
  // by the segment from the last point back to the first, so the result does
  // not depend on where the origin lies.
  if (n >= 2) {
    const auto last = static_cast<std::size_t>(n - 1);
    sums.add(x[last], y[last], x[0], y[0]);
  }

  p.area = sums.a;
  p.circumference = u;
  if (u != 0.0f) {
    p.x0 = ux / u;
    p.y0 = uy / u;
  }
  // Points on one straight line cancel to zero only up to the rounding of the
  // single-precision sum, so an area within that noise counts as none.
  // Coordinates so large that the sums overflow enclose no area either.
  if (!std::isfinite(sums.a) || !std::isfinite(sums.ixx) || !std::isfinite(sums.iyy) ||
      std::fabs(sums.a) <= 16.0 * std::numeric_limits<float>::epsilon() * sums.magnitude) {
    return 1;
  }
  p.xs = sums.sx / sums.a;
  p.ys = sums.sy / sums.a;
  const float absArea = std::fabs(sums.a);
  p.ixs = std::fabs(sums.ixx - p.ys * p.ys * sums.a);
  p.iys = std::fabs(sums.iyy - p.xs * p.xs * sums.a);
  p.ix0 = p.ixs + (p.y0 - p.ys) * (p.y0 - p.ys) * absArea;
  p.iy0 = p.iys + (p.x0 - p.xs) * (p.x0 - p.xs) * absArea;
  return 0;
}

}  // namespace tarvex
