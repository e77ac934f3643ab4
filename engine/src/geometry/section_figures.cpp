#include "geometry/section_figures.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "geometry/redistribution.h"
#include "writers/output_writer.h"

namespace tarvex {
namespace {

// A parabola matches a round nose to first order in y, while a circle through
// the same three points is too large by half the neighbours' distance from the
// leading edge, which matters for the sparse noses of many coordinate files.
float noseRadius(std::span<const float> x, std::span<const float> y, int n) {
  int nose = 0;
  for (int i = 1; i < n; ++i) {
    if (x[static_cast<std::size_t>(i)] < x[static_cast<std::size_t>(nose)]) nose = i;
  }
  if (nose == 0 || nose == n - 1) return std::numeric_limits<float>::quiet_NaN();
  const auto at = [&](int i) {
    return std::pair<double, double>{x[static_cast<std::size_t>(i)],
                                     y[static_cast<std::size_t>(i)]};
  };
  const auto [xa, ya] = at(nose - 1);
  const auto [xl, yl] = at(nose);
  const auto [xb, yb] = at(nose + 1);
  if (ya == yl || yl == yb || ya == yb) return std::numeric_limits<float>::quiet_NaN();
  // x = p + q y + r y^2 through the three points; its curvature at the vertex is 2 r.
  const double r = ((xb - xl) / (yb - yl) - (xl - xa) / (yl - ya)) / (yb - ya);
  if (!(r > 0.0) || !std::isfinite(r)) return std::numeric_limits<float>::quiet_NaN();
  return static_cast<float>(0.5 / r);
}

}  // namespace

Result<Figures> sectionFigures(std::span<const float> x, std::span<const float> y) {
  const int points = static_cast<int>(std::min(x.size(), y.size()));
  if (points < 3) {
    return Error{
        Status::badOptions,
        "a section needs at least 3 points for its figures; it has " + std::to_string(points),
        {},
        0};
  }
  Figures figures;
  const double teGap = std::hypot(double(x.front()) - double(x[std::size_t(points - 1)]),
                                  double(y.front()) - double(y[std::size_t(points - 1)]));
  figures.trailingEdgeThickness = static_cast<float>(teGap);

  // The same-x preparation of format 16, on a copy with the room it needs.
  std::vector<float> px(x.begin(), x.begin() + points), py(y.begin(), y.begin() + points);
  px.resize(std::size_t(points) + 1);
  py.resize(px.size());
  int n = points;
  if (prepareSameX(px, py, n) != 0) {
    return Error{Status::noThreeColumns,
                 n > kMaxStations
                     ? "the surfaces of more than 1000 points that do not share their x-stations "
                       "cannot be paired"
                     : "the upper and lower surface cannot be brought onto common x-stations",
                 {},
                 0};
  }
  bool first = true;
  for (int j = (n + 1) / 2; j >= 1; --j) {  // leading edge to trailing edge, as format 16
    const float xj = px[std::size_t(j - 1)];
    const float upper = py[std::size_t(j - 1)];
    const float lower = py[std::size_t(n - j)];
    const float thickness = upper - lower;
    const float camber = (upper + lower) * 0.5f;
    if (first || thickness > figures.maxThickness) {
      figures.maxThickness = thickness;
      figures.maxThicknessX = xj;
    }
    if (first || std::fabs(camber) > std::fabs(figures.maxCamber)) {
      figures.maxCamber = camber;
      figures.maxCamberX = xj;
    }
    first = false;
  }
  figures.leadingEdgeRadius = noseRadius(px, py, n);
  return figures;
}

}  // namespace tarvex
