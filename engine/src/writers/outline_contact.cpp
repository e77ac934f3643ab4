#include "writers/outline_contact.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace tarvex::writers {
namespace {

using Kind = OutlineContact::Kind;

// Pairs of sides looked at before the search gives up: a section's outline
// has a few sides over any x, so this is reached only by outlines made of
// many thousands of sides stacked over one another.
constexpr long long kPairBudget = 50'000'000;

double cross(Vec2 o, Vec2 a, Vec2 b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double distanceToSide(Vec2 p, Vec2 a, Vec2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  const double t =
      l2 > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0.0;
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Sides a-b and c-d that share no point: a crossing when each separates the
// other's ends, touching when an end comes nearer to the other than nearest.
OutlineContact contactOf(Vec2 a, Vec2 b, Vec2 c, Vec2 d, double nearest) {
  const double c1 = cross(a, b, c), c2 = cross(a, b, d);
  const double c3 = cross(c, d, a), c4 = cross(c, d, b);
  if (((c1 > 0.0 && c2 < 0.0) || (c1 < 0.0 && c2 > 0.0)) &&
      ((c3 > 0.0 && c4 < 0.0) || (c3 < 0.0 && c4 > 0.0))) {
    const double t = c3 / (c3 - c4);
    return {Kind::crossing, {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)}};
  }
  struct EndAndSide {
    Vec2 end, from, to;
  };
  for (const auto& [end, from, to] :
       {EndAndSide{a, c, d}, EndAndSide{b, c, d}, EndAndSide{c, a, b}, EndAndSide{d, a, b}}) {
    if (distanceToSide(end, from, to) < nearest) return {Kind::touching, end};
  }
  return {};
}

}  // namespace

OutlineContact findContact(std::span<const Vec2> ring, double nearest) {
  const std::size_t m = ring.size();
  if (m < 3) return {};
  const auto point = [&](std::size_t i) { return ring[i % m]; };
  // A side that runs back along the one before it.
  for (std::size_t i = 0; i < m; ++i) {
    const Vec2 a = point(i), b = point(i + 1), c = point(i + 2);
    if (distanceToSide(c, a, b) < nearest || distanceToSide(a, b, c) < nearest) {
      return {Kind::touching, b};
    }
  }
  // Side i runs from point i to point i + 1. Swept in the order of their
  // smallest x, each side is compared with the earlier ones still within reach.
  struct Side {
    double xmin, xmax, ymin, ymax;
  };
  std::vector<Side> sides(m);
  for (std::size_t i = 0; i < m; ++i) {
    const Vec2 a = point(i), b = point(i + 1);
    sides[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
  }
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return sides[a].xmin < sides[b].xmin; });
  std::vector<std::size_t> reach;
  long long budget = kPairBudget;
  for (const std::size_t i : order) {
    const Side& s = sides[i];
    std::erase_if(reach, [&](std::size_t j) { return sides[j].xmax + nearest < s.xmin; });
    budget -= static_cast<long long>(reach.size());
    if (budget < 0) return {Kind::tooMany, point(i)};
    for (const std::size_t j : reach) {
      const std::size_t apart = i > j ? i - j : j - i;
      if (apart == 1 || apart == m - 1) continue;  // neighbours, looked at above
      const Side& t = sides[j];
      if (t.ymin > s.ymax + nearest || s.ymin > t.ymax + nearest) continue;
      const OutlineContact contact =
          contactOf(point(i), point(i + 1), point(j), point(j + 1), nearest);
      if (contact.kind != Kind::none) return contact;
    }
    reach.push_back(i);
  }
  return {};
}

}  // namespace tarvex::writers
