#include "geometry/outline_ops.h"

#include <algorithm>
#include <cmath>

namespace tarvex::outline {

double length(Vec2 a) { return std::hypot(a.x, a.y); }

double signedArea(std::span<const Vec2> ring) {
  double twice = 0.0;
  for (std::size_t i = 0; i < ring.size(); ++i)
    twice += cross(ring[i], ring[(i + 1) % ring.size()]);
  return 0.5 * twice;
}

bool inside(Vec2 p, std::span<const Vec2> ring) {
  bool in = false;
  for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    if ((ring[i].y > p.y) != (ring[j].y > p.y) &&
        p.x < (ring[j].x - ring[i].x) * (p.y - ring[i].y) / (ring[j].y - ring[i].y) + ring[i].x) {
      in = !in;
    }
  }
  return in;
}

double distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double l2 = dot(ab, ab);
  const double t = l2 > 0.0 ? std::clamp(dot(p - a, ab) / l2, 0.0, 1.0) : 0.0;
  return length(p - (a + t * ab));
}

double distanceToRing(Vec2 p, std::span<const Vec2> ring) {
  double nearest = HUGE_VAL;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    nearest = std::min(nearest, distanceToSegment(p, ring[i], ring[(i + 1) % ring.size()]));
  }
  return nearest;
}

Ring turned(std::span<const Vec2> ring, Vec2 centre, double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  Ring out;
  out.reserve(ring.size());
  for (const Vec2& p : ring) {
    const Vec2 d = p - centre;
    out.push_back(centre + Vec2{c * d.x - s * d.y, s * d.x + c * d.y});
  }
  return out;
}

std::vector<double> heightsAt(std::span<const Vec2> ring, double x) {
  std::vector<double> heights;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec2 a = ring[i], b = ring[(i + 1) % ring.size()];
    // Half-open, so that a vertex on the line counts once.
    if ((a.x <= x && b.x > x) || (b.x <= x && a.x > x)) {
      heights.push_back(a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y));
    }
  }
  std::sort(heights.begin(), heights.end());
  return heights;
}

Box boxOf(std::span<const Vec2> points) {
  if (points.empty()) return {};
  Box box{points[0].x, points[0].x, points[0].y, points[0].y};
  for (const Vec2& p : points) {
    box.xmin = std::min(box.xmin, p.x);
    box.xmax = std::max(box.xmax, p.x);
    box.ymin = std::min(box.ymin, p.y);
    box.ymax = std::max(box.ymax, p.y);
  }
  return box;
}

namespace {

// The ring with a point added wherever an edge crosses an edge of the box.
Ring withCrossings(const Ring& ring, const Box& box, double eps) {
  Ring split;
  split.reserve(ring.size() + 8);
  std::vector<std::pair<double, Vec2>> cuts;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec2 a = ring[i], b = ring[(i + 1) % ring.size()];
    split.push_back(a);
    cuts.clear();
    for (const double x : {box.xmin, box.xmax}) {
      if ((a.x - x) * (b.x - x) >= 0.0) continue;
      const double t = (x - a.x) / (b.x - a.x);
      const double y = a.y + t * (b.y - a.y);
      if (y >= box.ymin - eps && y <= box.ymax + eps) cuts.push_back({t, {x, y}});
    }
    for (const double y : {box.ymin, box.ymax}) {
      if ((a.y - y) * (b.y - y) >= 0.0) continue;
      const double t = (y - a.y) / (b.y - a.y);
      const double x = a.x + t * (b.x - a.x);
      if (x >= box.xmin - eps && x <= box.xmax + eps) cuts.push_back({t, {x, y}});
    }
    std::sort(cuts.begin(), cuts.end(),
              [](const auto& p, const auto& q) { return p.first < q.first; });
    for (const auto& cut : cuts) split.push_back(cut.second);
  }
  return split;
}

// Where a point on the box's edge lies along it, counter-clockwise from the
// lower left corner.
double alongBox(Vec2 p, const Box& box) {
  const double w = box.xmax - box.xmin, h = box.ymax - box.ymin;
  const double bottom = std::fabs(p.y - box.ymin), right = std::fabs(p.x - box.xmax),
               top = std::fabs(p.y - box.ymax), left = std::fabs(p.x - box.xmin);
  const double nearest = std::min({bottom, right, top, left});
  if (nearest == bottom) return std::clamp(p.x - box.xmin, 0.0, w);
  if (nearest == right) return w + std::clamp(p.y - box.ymin, 0.0, h);
  if (nearest == top) return w + h + std::clamp(box.xmax - p.x, 0.0, w);
  return 2.0 * w + h + std::clamp(box.ymax - p.y, 0.0, h);
}

}  // namespace

std::optional<Ring> withBox(const Ring& ring, const Box& box, BoxOperation operation,
                            std::string& reason) {
  const bool cut = operation == BoxOperation::cutOut;
  if (ring.size() < 3 || !(box.xmax > box.xmin) || !(box.ymax > box.ymin)) {
    reason = "an empty outline or box";
    return std::nullopt;
  }
  const Box extent = boxOf(ring);
  const double eps = 1e-9 * std::max({1.0, extent.xmax - extent.xmin, extent.ymax - extent.ymin});
  const Ring split = withCrossings(ring, box, eps);
  const std::size_t m = split.size();
  const auto strictlyInside = [&](Vec2 p) {
    return p.x > box.xmin + eps && p.x < box.xmax - eps && p.y > box.ymin + eps &&
           p.y < box.ymax - eps;
  };
  std::vector<bool> in(m);
  std::size_t insideCount = 0, runs = 0, first = 0;
  for (std::size_t i = 0; i < m; ++i) {
    in[i] = strictlyInside(0.5 * (split[i] + split[(i + 1) % m]));
    insideCount += in[i] ? 1 : 0;
  }
  for (std::size_t i = 0; i < m; ++i) {
    if (in[i] && !in[(i + m - 1) % m]) {
      ++runs;
      first = i;
    }
  }
  if (insideCount == m) {
    if (cut) {
      reason = "it takes the whole outline";
      return std::nullopt;
    }
    return Ring{
        {box.xmin, box.ymin}, {box.xmax, box.ymin}, {box.xmax, box.ymax}, {box.xmin, box.ymax}};
  }
  if (runs == 0) {
    const bool enclosed = inside({0.5 * (box.xmin + box.xmax), 0.5 * (box.ymin + box.ymax)}, ring);
    if (!cut && enclosed) return ring;
    reason = cut ? (enclosed ? "it lies inside the outline without reaching its edge"
                             : "it misses the outline")
                 : "it does not meet the outline";
    return std::nullopt;
  }
  if (runs > 1) {
    reason = cut ? "it cuts the outline in two or meets its edge more than once"
                 : "it meets the outline's edge more than once";
    return std::nullopt;
  }
  std::size_t last = first;
  while (in[(last + 1) % m]) last = (last + 1) % m;
  const Vec2 a = split[first], b = split[(last + 1) % m];

  // Along the box from a to b: clockwise round a notch (the box's inside is
  // then cut away), counter-clockwise round a tab.
  const double w = box.xmax - box.xmin, h = box.ymax - box.ymin, perimeter = 2.0 * (w + h);
  const double sa = alongBox(a, box), sb = alongBox(b, box);
  const auto away = [&](double s) {
    return std::fmod((cut ? sa - s : s - sa) + 2.0 * perimeter, perimeter);
  };
  const std::pair<double, Vec2> corners[] = {{0.0, {box.xmin, box.ymin}},
                                             {w, {box.xmax, box.ymin}},
                                             {w + h, {box.xmax, box.ymax}},
                                             {2.0 * w + h, {box.xmin, box.ymax}}};
  std::vector<std::pair<double, Vec2>> path;
  for (const auto& [s, corner] : corners) {
    const double d = away(s);
    if (d > 0.0 && d < away(sb)) path.push_back({d, corner});
  }
  std::sort(path.begin(), path.end(),
            [](const auto& p, const auto& q) { return p.first < q.first; });

  Ring out;
  out.reserve(m + 4);
  for (std::size_t k = (last + 1) % m;; k = (k + 1) % m) {
    out.push_back(split[k]);
    if (k == first) break;
  }
  for (const auto& step : path) out.push_back(step.second);
  Ring clean;
  for (const Vec2& p : out) {
    if (clean.empty() || length(p - clean.back()) > eps) clean.push_back(p);
  }
  while (clean.size() > 1 && length(clean.front() - clean.back()) <= eps) clean.pop_back();
  return clean;
}

}  // namespace tarvex::outline
