#include "geometry/section_figures.h"

#include <algorithm>
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

// A section kept at its own size, or moved, is brought to the x-range 0 to
// 1 that the re-interpolation gives too, so that every figure is in chords
// whether or not the surfaces share their stations. A section as read is
// there already and stays bit for bit as it is.
void inUnitsOfChord(std::vector<float>& x, std::vector<float>& y) {
  const auto [low, high] = std::minmax_element(x.begin(), x.end());
  const float origin = *low, chord = *high - *low;
  if ((origin == 0.0f && chord == 1.0f) || !(chord > 0.0f)) return;
  for (float& v : x) v = (v - origin) / chord;
  for (float& v : y) v /= chord;
}

// The contour with both surfaces on common x-stations, as the thickness and
// camber format (16) pairs them: a copy, re-interpolated in cosine mode when
// the surfaces do not share their stations. n holds its points; the gap
// between the first and the last point, in chords, goes to trailingEdgeGap.
Error commonStations(std::span<const float> x, std::span<const float> y, std::vector<float>& px,
                     std::vector<float>& py, int& n, float* trailingEdgeGap = nullptr) {
  const int points = static_cast<int>(std::min(x.size(), y.size()));
  if (points < 3) {
    return Error{
        Status::badOptions,
        "a section needs at least 3 points for its figures; it has " + std::to_string(points),
        {},
        0};
  }
  px.assign(x.begin(), x.begin() + points);
  py.assign(y.begin(), y.begin() + points);
  inUnitsOfChord(px, py);
  if (trailingEdgeGap != nullptr) {
    const auto last = std::size_t(points - 1);
    *trailingEdgeGap = static_cast<float>(
        std::hypot(double(px.front()) - double(px[last]), double(py.front()) - double(py[last])));
  }
  px.resize(std::size_t(points) + 1);  // the room the same-x preparation needs
  py.resize(px.size());
  n = points;
  if (prepareSameX(px, py, n) != 0) {
    return Error{Status::noThreeColumns,
                 n > kMaxStations
                     ? "the surfaces of more than 1000 points that do not share their x-stations "
                       "cannot be paired"
                     : "the upper and lower surface cannot be brought onto common x-stations",
                 {},
                 0};
  }
  return {};
}

}  // namespace

Result<Figures> sectionFigures(std::span<const float> x, std::span<const float> y) {
  std::vector<float> px, py;
  int n = 0;
  float trailingEdgeGap = 0.0f;
  if (Error error = commonStations(x, y, px, py, n, &trailingEdgeGap)) return error;
  Figures figures;
  figures.trailingEdgeThickness = trailingEdgeGap;

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

Result<Surfaces> sectionSurfaces(std::span<const float> x, std::span<const float> y) {
  std::vector<float> px, py;
  int n = 0;
  if (Error error = commonStations(x, y, px, py, n)) return error;
  Surfaces surfaces;
  const auto rows = static_cast<std::size_t>((n + 1) / 2);
  surfaces.x.reserve(rows);
  surfaces.upper.reserve(rows);
  surfaces.lower.reserve(rows);
  for (int j = (n + 1) / 2; j >= 1; --j) {  // the rows of format 16
    surfaces.x.push_back(px[std::size_t(j - 1)]);
    surfaces.upper.push_back(py[std::size_t(j - 1)]);
    surfaces.lower.push_back(py[std::size_t(n - j)]);
  }
  return surfaces;
}

}  // namespace tarvex
