// A flap deflected as XFOIL's FLAP does: the surfaces behind the hinge
// turned about it; on the side that closes, the points that pass into the
// other part go and the crossing of the two polylines joins them; on the side
// that opens, an arc about the hinge does.
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/shape_surfaces.h"
#include "tarvex_shape.hpp"

namespace tarvex {
namespace {

struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};
using Line = std::vector<Point>;

double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }
Point minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
double length(Point a) { return std::hypot(a.x, a.y); }

struct Turn {
  Point hinge;
  double c = 1, s = 0;
  Point operator()(Point p) const {
    const Point d = minus(p, hinge);
    return {hinge.x + c * d.x - s * d.y, hinge.y + s * d.x + c * d.y};
  }
};

// One surface from the nose, the fixed part ending at the hinge station and
// the turned part starting with that station's point turned.
struct Parts {
  Line fixed, turned;
};

std::optional<Parts> partsOf(const Line& surface, double hingeX) {
  std::size_t behind = 1;
  while (behind < surface.size() && surface[behind].x <= hingeX) ++behind;
  if (behind == surface.size()) return std::nullopt;
  const Point a = surface[behind - 1], b = surface[behind];
  const double s = (hingeX - a.x) / (b.x - a.x);  // b.x > hingeX >= a.x
  const Point station{hingeX, a.y + s * (b.y - a.y)};
  Parts parts;
  parts.fixed.assign(surface.begin(), surface.begin() + static_cast<std::ptrdiff_t>(behind));
  if (!(parts.fixed.back() == station)) parts.fixed.push_back(station);
  parts.turned.push_back(station);
  parts.turned.insert(parts.turned.end(), surface.begin() + static_cast<std::ptrdiff_t>(behind),
                      surface.end());
  return parts;
}

// The fixed part up to where the turned part crosses it, then the turned
// part: the crossing nearest the hinge along both.
std::optional<Line> closed(const Parts& parts) {
  const Line& f = parts.fixed;
  const Line& r = parts.turned;
  double best = std::numeric_limits<double>::infinity();
  std::optional<Line> joined;
  double fromHingeF = 0;
  for (std::size_t i = f.size() - 1; i > 0; --i) {
    const Point p = f[i - 1], d1 = minus(f[i], f[i - 1]);
    double fromHingeR = 0;
    for (std::size_t j = 0; j + 1 < r.size(); ++j) {
      const Point q = r[j], d2 = minus(r[j + 1], r[j]);
      const double denominator = cross(d1, d2);
      if (denominator != 0) {
        const double s = cross(minus(q, p), d2) / denominator;
        const double t = cross(minus(q, p), d1) / denominator;
        const double score = fromHingeF + (1 - s) * length(d1) + fromHingeR + t * length(d2);
        if (s >= 0 && s <= 1 && t >= 0 && t <= 1 && score < best) {
          best = score;
          Line line(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(i));
          const Point at{p.x + s * d1.x, p.y + s * d1.y};
          if (!(line.back() == at)) line.push_back(at);
          for (std::size_t k = j + 1; k < r.size(); ++k)
            if (!(line.back() == r[k])) line.push_back(r[k]);
          joined = std::move(line);
        }
      }
      fromHingeR += length(d2);
    }
    fromHingeF += length(d1);
  }
  return joined;
}

// The fixed part, an arc about the hinge, the turned part.
Line opened(const Parts& parts, const Turn& turn, double radians) {
  Line line = parts.fixed;
  const int steps =
      std::max(1, static_cast<int>(std::ceil(std::fabs(radians) / (std::numbers::pi / 36))));
  const Point start = parts.fixed.back();
  for (int k = 1; k < steps; ++k) {
    const double a = radians * k / steps;
    line.push_back(Turn{turn.hinge, std::cos(a), std::sin(a)}(start));
  }
  for (const Point& p : parts.turned)
    if (!(line.back() == p)) line.push_back(p);
  return line;
}

}  // namespace

Result<Section> deflectFlap(const Section& section, const Flap& step) {
  if (!std::isfinite(step.hingeX) || step.hingeX <= 0 || step.hingeX >= 1)
    return shape::refused("flap: the hinge must lie between 0 and 1 chord");
  if (!std::isfinite(step.hingeYFraction) || step.hingeYFraction < 0 || step.hingeYFraction > 1)
    return shape::refused("flap: the hinge height must be 0 to 1 of the thickness");
  if (!std::isfinite(step.degrees) || std::fabs(step.degrees) >= 90)
    return shape::refused("flap: the deflection must be less than 90 degrees either way");
  auto split = shape::splitAtNose(section, "flap");
  if (!split) return split.error();
  if (step.degrees == 0)
    return shape::rebuilt(section, std::vector<double>(section.x.begin(), section.x.end()),
                          std::vector<double>(section.y.begin(), section.y.end()));
  const std::size_t n = section.x.size(), nose = split->nose;
  Line upper, lower;
  for (std::size_t i = nose + 1; i-- > 0;) upper.push_back({section.x[i], section.y[i]});
  for (std::size_t i = nose; i < n; ++i) lower.push_back({section.x[i], section.y[i]});
  const double hingeX = split->noseX + step.hingeX * split->chord();
  auto up = partsOf(upper, hingeX);
  auto down = partsOf(lower, hingeX);
  if (!up || !down) return shape::refused("flap: the hinge lies behind the end of a surface");
  const double radians = -step.degrees * std::numbers::pi / 180;  // down is clockwise
  const Point top = up->fixed.back(), bottom = down->fixed.back();
  const Turn turn{{hingeX, bottom.y + step.hingeYFraction * (top.y - bottom.y)},
                  std::cos(radians),
                  std::sin(radians)};
  for (Parts* parts : {&*up, &*down})
    for (Point& p : parts->turned) p = turn(p);
  // Down, the lower surface closes and the upper one opens.
  const bool lowerCloses = step.degrees > 0;
  auto join = [&](const Parts& parts, bool closes) {
    if (closes)
      if (auto line = closed(parts)) return *line;
    return opened(parts, turn, radians);
  };
  const Line upperLine = join(*up, !lowerCloses), lowerLine = join(*down, lowerCloses);
  std::vector<double> x, y;
  for (std::size_t i = upperLine.size(); i-- > 0;)
    x.push_back(upperLine[i].x), y.push_back(upperLine[i].y);
  for (std::size_t i = 1; i < lowerLine.size(); ++i)
    x.push_back(lowerLine[i].x), y.push_back(lowerLine[i].y);
  return shape::rebuilt(section, x, y);
}

}  // namespace tarvex
