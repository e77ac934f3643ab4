#include "geometry/section_figures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "geometry/redistribution.h"
#include "writers/output_writer.h"

namespace tarvex {
namespace {

// Solves the least-squares problem rows * c = rhs (columns unknowns) by its
// normal equations and elimination with partial pivoting; nothing when they
// are singular.
std::optional<std::vector<double>> leastSquares(const std::vector<std::vector<double>>& rows,
                                                const std::vector<double>& rhs,
                                                std::size_t columns) {
  std::vector<std::vector<double>> a(columns, std::vector<double>(columns + 1, 0.0));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t i = 0; i < columns; ++i) {
      for (std::size_t j = 0; j < columns; ++j) a[i][j] += rows[r][i] * rows[r][j];
      a[i][columns] += rows[r][i] * rhs[r];
    }
  }
  for (std::size_t i = 0; i < columns; ++i) {
    std::size_t pivot = i;
    for (std::size_t r = i + 1; r < columns; ++r) {
      if (std::fabs(a[r][i]) > std::fabs(a[pivot][i])) pivot = r;
    }
    if (!(std::fabs(a[pivot][i]) > 1e-12 * (1.0 + std::fabs(a[i][i])))) return std::nullopt;
    std::swap(a[i], a[pivot]);
    for (std::size_t r = i + 1; r < columns; ++r) {
      const double factor = a[r][i] / a[i][i];
      for (std::size_t j = i; j <= columns; ++j) a[r][j] -= factor * a[i][j];
    }
  }
  std::vector<double> c(columns, 0.0);
  for (std::size_t i = columns; i-- > 0;) {
    double sum = a[i][columns];
    for (std::size_t j = i + 1; j < columns; ++j) sum -= a[i][j] * c[j];
    c[i] = sum / a[i][i];
  }
  return c;
}

// The parabola x = p + q y + r y^2 through the point of smallest x and its
// two neighbours: its vertex and the radius of curvature there, 1 / (2 r).
struct NoseParabola {
  double x = 0, y = 0, radius = std::numeric_limits<double>::quiet_NaN();
};
NoseParabola noseParabola(std::span<const float> x, std::span<const float> y, int nose) {
  const auto at = [&](int i) {
    return std::pair<double, double>{x[static_cast<std::size_t>(i)],
                                     y[static_cast<std::size_t>(i)]};
  };
  const auto [xa, ya] = at(nose - 1);
  const auto [xl, yl] = at(nose);
  const auto [xb, yb] = at(nose + 1);
  NoseParabola parabola{xl, yl};
  if (ya == yl || yl == yb || ya == yb) return parabola;
  const double r = ((xb - xl) / (yb - yl) - (xl - xa) / (yl - ya)) / (yb - ya);
  if (!(r > 0.0) || !std::isfinite(r)) return parabola;
  // The slope at the nose point from the chords to both neighbours.
  const double q = (xl - xa) / (yl - ya) + r * (yl - ya);
  parabola.y = yl - q / (2.0 * r);
  parabola.x = xl - q * q / (4.0 * r);
  parabola.radius = 0.5 / r;
  return parabola;
}

// The radius of a round nose y = sqrt(2 r x) + ... from the vertex, in powers
// of u = sqrt(x), fitted by least squares to the nearest perSide points on
// each side of the nose point: sqrt(2 r) u shared by both sides, u^2 ... u^perSide
// each side's own; r is (u's coefficient)^2 / 2. NaN when they form none.
double fittedNoseRadius(std::span<const float> x, std::span<const float> y, int nose, int perSide,
                        const NoseParabola& vertex) {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  const auto u = [&](int i) {
    return std::sqrt(std::max(double(x[std::size_t(i)]) - vertex.x, 0.0));
  };
  double reach = 0.0;  // u / reach and y / reach^2 are of order one
  for (int j = 1; j <= perSide; ++j) reach = std::max({reach, u(nose - j), u(nose + j)});
  if (!(reach > 0.0)) return kNone;
  const auto terms = static_cast<std::size_t>(perSide - 1);
  std::vector<std::vector<double>> rows;
  std::vector<double> rhs;
  for (int i = nose - perSide; i <= nose + perSide; ++i) {
    const double height = double(y[std::size_t(i)]) - vertex.y;
    if (i == nose && height == 0.0) continue;
    // The upper surface comes first; the nose point lies on the side of
    // the vertex it is on.
    const bool upper = i < nose || (i == nose && height > 0.0);
    const double v = u(i) / reach;
    std::vector<double> row(1 + 2 * terms, 0.0);
    row[0] = v;
    const std::size_t own = upper ? 1 : 1 + terms;
    for (std::size_t p = 0; p < terms; ++p) row[own + p] = std::pow(v, double(p + 2));
    rows.push_back(std::move(row));
    rhs.push_back((upper ? height : -height) / (reach * reach));
  }
  const auto c = leastSquares(rows, rhs, 1 + 2 * terms);
  if (!c || !((*c)[0] > 0.0)) return kNone;
  return 0.5 * (*c)[0] * (*c)[0] * reach * reach;
}

// The parabola through the nose point and its neighbours misses the u^2
// term of a round nose, which made it several per cent small on sparse noses
// and drift with the point count; the fit over four points a side, about the
// parabola's vertex, stays within 0.3 % of the four-digit sections' 1.1019 t^2
// from 35 points on. Where the points do not follow a round nose (a flat
// lower surface right behind it, a nose rounded to few decimals) the fit can
// go far astray: fewer points are tried, and the parabola's radius stands
// when no fit lies within a factor of 1.5 of it.
float noseRadius(std::span<const float> x, std::span<const float> y, int n) {
  int nose = 0;
  for (int i = 1; i < n; ++i) {
    if (x[static_cast<std::size_t>(i)] < x[static_cast<std::size_t>(nose)]) nose = i;
  }
  if (nose == 0 || nose == n - 1) return std::numeric_limits<float>::quiet_NaN();
  const NoseParabola vertex = noseParabola(x, y, nose);
  if (!std::isfinite(vertex.radius)) return std::numeric_limits<float>::quiet_NaN();
  for (int perSide = std::min({4, nose, n - 1 - nose}); perSide >= 2; --perSide) {
    const double radius = fittedNoseRadius(x, y, nose, perSide, vertex);
    if (radius < 1.5 * vertex.radius && radius > vertex.radius / 1.5) {
      return static_cast<float>(radius);
    }
  }
  return static_cast<float>(vertex.radius);
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
