#include "geometry/inner_offset.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/outline_ops.h"

namespace tarvex {

using namespace outline;

namespace {

// The contour without repeated points (and without a closing repetition of
// the first one), counter-clockwise.
std::vector<Vec2> cleanRing(std::span<const Vec2> contour, double tolerance) {
  std::vector<Vec2> ring;
  for (const Vec2& p : contour) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return {};
    if (ring.empty() || length(p - ring.back()) > tolerance) ring.push_back(p);
  }
  while (ring.size() > 1 && length(ring.front() - ring.back()) <= tolerance) ring.pop_back();
  if (signedArea(ring) < 0.0) std::reverse(ring.begin(), ring.end());
  return ring;
}

// A sharper turn than this (about 138 degrees) gets the two moved edge ends,
// not one mitre point far away.
constexpr double kMitreLimit = 0.25;

// Inward for a positive distance, outward for a negative one.
std::vector<Vec2> rawOffset(const std::vector<Vec2>& ring, double distance) {
  const std::size_t m = ring.size();
  std::vector<Vec2> normal(m);  // of the edge from point i to point i + 1, to its left
  for (std::size_t i = 0; i < m; ++i) {
    const Vec2 edge = ring[(i + 1) % m] - ring[i];
    const double l = length(edge);
    normal[i] = {-edge.y / l, edge.x / l};
  }
  std::vector<Vec2> moved;
  moved.reserve(2 * m);
  for (std::size_t i = 0; i < m; ++i) {
    const Vec2 before = normal[(i + m - 1) % m];
    const Vec2 after = normal[i];
    const double denominator = 1.0 + dot(before, after);
    if (denominator > kMitreLimit) {
      moved.push_back(ring[i] + (distance / denominator) * (before + after));
      continue;
    }
    // A corner the moved edges overlap at (convex inward, concave outward):
    // both ends, the crossing of their edges is found below. One they open
    // away from: an arc, so no part comes nearer than the distance.
    const double turn = std::atan2(cross(before, after), dot(before, after));
    const bool opens = (distance > 0.0) == (turn < 0.0);
    const int steps =
        opens ? std::clamp(static_cast<int>(std::ceil(std::fabs(turn) / 0.25)), 2, 12) : 1;
    for (int k = 0; k <= steps; ++k) {
      const double a = std::atan2(before.y, before.x) + turn * k / steps;
      moved.push_back(ring[i] + distance * Vec2{std::cos(a), std::sin(a)});
    }
  }
  return moved;
}

// Where segments p0-p1 and q0-q1 meet, if they do.
bool crossing(Vec2 p0, Vec2 p1, Vec2 q0, Vec2 q1, Vec2& at) {
  if (std::max(p0.x, p1.x) < std::min(q0.x, q1.x) || std::max(q0.x, q1.x) < std::min(p0.x, p1.x) ||
      std::max(p0.y, p1.y) < std::min(q0.y, q1.y) || std::max(q0.y, q1.y) < std::min(p0.y, p1.y)) {
    return false;
  }
  const Vec2 r = p1 - p0, s = q1 - q0;
  const double denominator = cross(r, s);
  if (denominator == 0.0) return false;
  const double t = cross(q0 - p0, s) / denominator;
  const double u = cross(q0 - p0, r) / denominator;
  if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) return false;
  at = p0 + t * r;
  return true;
}

// Splits the ring at its first crossing and keeps the part of larger signed
// area; false when it crosses nowhere. Each pair of segments looked at costs
// one from budget; a contour wavy enough to spend it all is given up.
bool cutFirstLoop(std::vector<Vec2>& ring, long long& budget) {
  const std::size_t m = ring.size();
  for (std::size_t a = 0; a + 2 < m; ++a) {
    budget -= static_cast<long long>(m - a);
    if (budget < 0) return false;
    for (std::size_t b = a + 2; b < m; ++b) {
      if (a == 0 && b == m - 1) continue;  // neighbours across the closing point
      Vec2 at;
      if (!crossing(ring[a], ring[a + 1], ring[b], ring[(b + 1) % m], at)) continue;
      std::vector<Vec2> inner{at}, outer{at};
      inner.insert(inner.end(), ring.begin() + static_cast<std::ptrdiff_t>(a + 1),
                   ring.begin() + static_cast<std::ptrdiff_t>(b + 1));
      outer.insert(outer.end(), ring.begin() + static_cast<std::ptrdiff_t>(b + 1), ring.end());
      outer.insert(outer.end(), ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(a + 1));
      ring = signedArea(inner) > signedArea(outer) ? std::move(inner) : std::move(outer);
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<Vec2> outerOffset(std::span<const Vec2> contour, double distance, std::string* reason) {
  const auto fail = [&](const char* why) {
    if (reason != nullptr) *reason = why;
    return std::vector<Vec2>{};
  };
  double size = 0.0;
  for (const Vec2& p : contour) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
  const std::vector<Vec2> ring = cleanRing(contour, 1e-12 * size);
  if (ring.size() < 3 || signedArea(ring) <= 0.0) return fail("the outline encloses no area");
  if (!(distance > 0.0) || !std::isfinite(distance))
    return fail("the distance must be more than 0");
  std::vector<Vec2> moved = rawOffset(ring, -distance);
  long long budget =
      100LL * static_cast<long long>(moved.size()) * static_cast<long long>(moved.size());
  while (cutFirstLoop(moved, budget)) {
  }
  if (budget < 0) return fail("the outline crosses itself too often to be offset");
  if (moved.size() < 3 || signedArea(moved) < signedArea(ring)) {
    return fail("the outline cannot be moved outward");
  }
  return moved;
}

std::vector<Vec2> innerOffset(std::span<const Vec2> contour, double distance, std::string* reason) {
  const auto fail = [&](const char* why) {
    if (reason != nullptr) *reason = why;
    return std::vector<Vec2>{};
  };
  double size = 0.0;
  for (const Vec2& p : contour) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
  const std::vector<Vec2> ring = cleanRing(contour, 1e-12 * size);
  if (ring.size() < 3 || signedArea(ring) <= 0.0) return fail("the outline encloses no area");
  if (!(distance > 0.0) || !std::isfinite(distance)) return fail("the skin must be thicker than 0");

  std::vector<Vec2> rib = rawOffset(ring, distance);
  // A section's offset crosses itself near the trailing edge and perhaps at a
  // sharp nose, a few cuts; a hundred full scans of a large contour is plenty.
  long long budget =
      100LL * static_cast<long long>(rib.size()) * static_cast<long long>(rib.size());
  while (cutFirstLoop(rib, budget)) {
  }
  if (budget < 0) return fail("the outline crosses itself too often to be offset");
  const double area = signedArea(rib);
  // The rib must keep the skin's distance from the whole outline; what is
  // left of a skin thicker than the section is a sliver turned inside out.
  bool fits = rib.size() >= 3 && area > 1e-9 * signedArea(ring);
  for (std::size_t i = 0; fits && i < rib.size(); ++i) {
    fits = inside(rib[i], ring);
    for (std::size_t j = 0; fits && j < ring.size(); ++j) {
      fits =
          distanceToSegment(rib[i], ring[j], ring[(j + 1) % ring.size()]) > distance * (1.0 - 1e-6);
    }
  }
  if (!fits) return fail("the section is not thick enough for a skin this thick on both sides");
  return rib;
}

}  // namespace tarvex
