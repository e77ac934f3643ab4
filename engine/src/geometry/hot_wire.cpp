// The root and tip outlines of a foam core, point for point matched: both
// surfaces of both ends sampled at the same fractions of their chords, the
// leading edge, the trailing edge and the spars' sides among them.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/inner_offset.h"
#include "geometry/outline_ops.h"
#include "rib_checks.h"
#include "rib_station.h"
#include "tarvex_ribs.hpp"

namespace tarvex {
namespace {

using namespace outline;

constexpr int kMostPoints = 2001;

// One end of the core in its own plane before its twist: both surfaces from
// the nose to their own trailing-edge points.
struct Face {
  std::vector<Vec2> upper, lower;
  double nose = 0.0, tail = 0.0;  // x
};

Face faceOf(const ribs::Station& s, double skin, std::string& reason) {
  std::vector<Vec2> ring;
  for (std::size_t i = 0; i < s.section.x.size(); ++i) {
    ring.push_back({s.chord * s.section.x[i], s.chord * s.section.y[i]});
  }
  if (skin > 0.0) {
    // Inside the skin the core ends in a point: start and end the ring there.
    ring = innerOffset(ring, skin, &reason);
    if (ring.empty()) return {};
    std::rotate(ring.begin(),
                std::max_element(ring.begin(), ring.end(),
                                 [](const Vec2& a, const Vec2& b) { return a.x < b.x; }),
                ring.end());
    ring.push_back(ring.front());
  }
  const auto nose = static_cast<std::size_t>(
      std::min_element(ring.begin(), ring.end(),
                       [](const Vec2& a, const Vec2& b) { return a.x < b.x; }) -
      ring.begin());
  Face face;
  face.upper.assign(ring.rbegin() + static_cast<std::ptrdiff_t>(ring.size() - 1 - nose),
                    ring.rend());
  face.lower.assign(ring.begin() + static_cast<std::ptrdiff_t>(nose), ring.end());
  face.nose = ring[nose].x;
  face.tail = std::max(face.upper.back().x, face.lower.back().x);
  if (face.upper.size() < 2 || face.lower.size() < 2 || !(face.tail > face.nose)) {
    reason = "the section has no leading edge ahead of its trailing edge";
    return {};
  }
  return face;
}

// The point of a surface (from the nose) where it first reaches x; its end
// when it never does.
Vec2 pointAt(const std::vector<Vec2>& surface, double x) {
  for (std::size_t i = 0; i + 1 < surface.size(); ++i) {
    const Vec2 a = surface[i], b = surface[i + 1];
    if ((a.x - x) * (b.x - x) <= 0.0 && a.x != b.x) {
      return {x, a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y)};
    }
  }
  return surface.back();
}

// Cosine-spaced fractions from 0 to 1, count of them, the knots (each
// inside, increasing) taking the places of the nearest ones.
std::vector<double> fractionsWith(int count, const std::vector<double>& knots) {
  std::vector<double> f(static_cast<std::size_t>(count));
  for (int j = 0; j < count; ++j) {
    f[std::size_t(j)] = (1.0 - std::cos(std::numbers::pi * j / (count - 1))) / 2.0;
  }
  f.back() = 1.0;
  std::vector<bool> taken(f.size(), false);
  taken.front() = taken.back() = true;
  for (const double knot : knots) {
    std::size_t best = 0;
    for (std::size_t j = 1; j + 1 < f.size(); ++j) {
      if (!taken[j] && (best == 0 || std::fabs(f[j] - knot) < std::fabs(f[best] - knot))) best = j;
    }
    f[best] = knot;
    taken[best] = true;
  }
  std::sort(f.begin(), f.end());
  return f;
}

// Piecewise linear through (from[k], to[k]).
double mapped(double s, const std::vector<double>& from, const std::vector<double>& to) {
  for (std::size_t k = 0; k + 1 < from.size(); ++k) {
    if (s <= from[k + 1]) {
      return to[k] + (s - from[k]) / (from[k + 1] - from[k]) * (to[k + 1] - to[k]);
    }
  }
  return to.back();
}

// Each point moved out (to the right of the way round) by distance, every
// point kept: the ends along their one edge, the others along the mean of
// their two edges' normals.
std::vector<Vec2> movedOut(const std::vector<Vec2>& path, double distance) {
  if (distance <= 0.0) return path;
  const std::size_t n = path.size();
  std::vector<Vec2> normal(n - 1);  // of edge i, to its right
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Vec2 d = path[i + 1] - path[i];
    const double l = length(d);
    normal[i] = l > 0.0 ? Vec2{d.y / l, -d.x / l} : Vec2{0.0, 0.0};
  }
  // An edge of no length takes its neighbour's normal.
  for (std::size_t i = 1; i < normal.size(); ++i) {
    if (normal[i].x == 0.0 && normal[i].y == 0.0) normal[i] = normal[i - 1];
  }
  for (std::size_t i = normal.size() - 1; i-- > 0;) {
    if (normal[i].x == 0.0 && normal[i].y == 0.0) normal[i] = normal[i + 1];
  }
  std::vector<Vec2> out(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 before = normal[i == 0 ? 0 : i - 1], after = normal[i + 1 == n ? n - 2 : i];
    Vec2 m = before + after;
    const double l = length(m);
    if (l < 1e-12) {
      out[i] = path[i] + distance * after;
      continue;
    }
    m = (1.0 / l) * m;
    const double along = std::max(dot(m, after), 0.5);  // a mitre at most twice the distance
    out[i] = path[i] + (distance / along) * m;
  }
  return out;
}

Error refused(std::string why) { return ribs::refusal(std::move(why)); }

std::optional<Error> checkOptions(const WingPanel& panel, const HotWireOptions& options) {
  if (options.points < 5 || options.points > kMostPoints) {
    return refused("a hot-wire outline has 5 to " + std::to_string(kMostPoints) + " points, not " +
                   std::to_string(options.points));
  }
  for (const double kerf : {options.kerfRootMm, options.kerfTipMm}) {
    if (!(std::isfinite(kerf) && kerf >= 0.0 && kerf <= 10.0)) {
      return refused("the wire's kerf must be 0 mm or more and at most 10 mm");
    }
  }
  if (!(std::isfinite(options.feedMmPerMinute) && options.feedMmPerMinute > 0.0 &&
        options.feedMmPerMinute <= 100000.0)) {
    return refused("the feed rate must be more than 0 and at most 100000 mm/min");
  }
  if (!(std::isfinite(options.leadInMm) && options.leadInMm >= 0.0 && options.leadInMm <= 1000.0)) {
    return refused("the lead-in must be 0 mm or more and at most 1000 mm");
  }
  if (options.towerSpacingMm != 0.0 &&
      !(std::isfinite(options.towerSpacingMm) && std::isfinite(options.rootFaceMm) &&
        options.rootFaceMm >= 0.0 && options.rootFaceMm + panel.spanMm <= options.towerSpacingMm)) {
    return refused("the core (its root face " + ribs::mm(options.rootFaceMm) +
                   " from the left tower, then the span) must lie between the towers");
  }
  return std::nullopt;
}

}  // namespace

Result<HotWireCut> hotWireCut(const WingPanel& panel, const RibFeatures& features,
                              const HotWireOptions& options) {
  if (auto e = ribs::checkWing(panel)) return *e;
  if (auto e = ribs::checkFeatures(features, panel)) return *e;
  if (auto e = checkOptions(panel, options)) return *e;
  const Sheeting& sheeting = features.sheeting;
  if (sheeting.thicknessMm > 0.0 && !(sheeting.topTo >= 1.0 && sheeting.bottomTo >= 1.0)) {
    return refused(
        "a foam core is cut inside sheeting that covers it all; sheeting to a part of "
        "the chord makes no core outline");
  }
  auto root = ribs::stationAt(panel, 0.0);
  auto tip = root ? ribs::stationAt(panel, panel.spanMm) : root;
  if (!root || !tip) return (root ? tip : root).error();
  std::string reason;
  const Face rootFace = faceOf(*root, sheeting.thicknessMm, reason);
  if (rootFace.upper.empty()) return refused("no core at the root: " + reason);
  const Face tipFace = faceOf(*tip, sheeting.thicknessMm, reason);
  if (tipFace.upper.empty()) return refused("no core at the tip: " + reason);

  // The spars' sides as fractions of each face's chord, in the same order.
  std::vector<std::pair<double, double>> sides;
  for (std::size_t k = 0; k < features.spars.size(); ++k) {
    const Spar& spar = features.spars[k];
    const double atRoot = spar.position.in(root->chord);
    const double atTip = spar.tipPosition.value_or(spar.position).in(tip->chord);
    for (const double side : {-0.5, 0.5}) {
      const double r = (root->front + atRoot + side * spar.widthMm - rootFace.nose) /
                       (rootFace.tail - rootFace.nose);
      const double t =
          (tip->front + atTip + side * spar.widthMm - tipFace.nose) / (tipFace.tail - tipFace.nose);
      if (!(r > 0.0 && r < 1.0 && t > 0.0 && t < 1.0)) {
        return refused("a side of spar " + std::to_string(k + 1) + " lies outside the core");
      }
      sides.push_back({r, t});
    }
  }
  std::sort(sides.begin(), sides.end());
  std::vector<double> fromRoot{0.0}, fromTip{0.0}, knots{0.0};
  for (const auto& [r, t] : sides) {
    if (!(r > fromRoot.back() && t > fromTip.back())) {
      return refused(
          "the spars' sides overlap, or lie in another order at the tip than at the root");
    }
    fromRoot.push_back(r);
    fromTip.push_back(t);
    knots.push_back(0.5 * (r + t));
  }
  fromRoot.push_back(1.0);
  fromTip.push_back(1.0);
  knots.push_back(1.0);

  const int perSurface = options.points / 2 + 1;
  if (perSurface < static_cast<int>(sides.size()) + 3) {
    return refused("too few points for the spars' sides: give at least " +
                   std::to_string(2 * sides.size() + 5));
  }
  const std::vector<double> inner(knots.begin() + 1, knots.end() - 1);
  const std::vector<double> s = fractionsWith(perSurface, inner);

  HotWireCut cut;
  for (const bool atTip : {false, true}) {
    const ribs::Station& station = atTip ? *tip : *root;
    const Face& face = atTip ? tipFace : rootFace;
    const std::vector<double>& to = atTip ? fromTip : fromRoot;
    std::vector<Vec2> path;
    for (std::size_t j = s.size(); j-- > 0;) {
      path.push_back(
          pointAt(face.upper, face.nose + mapped(s[j], knots, to) * (face.tail - face.nose)));
    }
    for (std::size_t j = 1; j < s.size(); ++j) {
      path.push_back(
          pointAt(face.lower, face.nose + mapped(s[j], knots, to) * (face.tail - face.nose)));
    }
    path.front() = face.upper.back();
    path.back() = face.lower.back();
    path = turned(path, {station.pivot, 0.0}, station.twist);
    path = movedOut(path, 0.5 * (atTip ? options.kerfTipMm : options.kerfRootMm));
    std::vector<double> x, y;
    for (const Vec2& p : path) {
      x.push_back(station.leadingEdge + p.x);
      y.push_back(p.y);
    }
    const std::string name =
        (panel.name.empty() ? std::string("core") : panel.name) + (atTip ? " tip" : " root");
    auto section =
        sectionFromPoints(name, x, y, {.normalise = false, .capacity = static_cast<int>(x.size())});
    if (!section || section->size() != static_cast<int>(x.size()) ||
        section->x.front() != static_cast<float>(x.front())) {
      return refused("the core's outline at the " + std::string(atTip ? "tip" : "root") +
                     " has points too close together for single precision; give fewer points");
    }
    (atTip ? cut.tip : cut.root) = std::move(*section);
    const double behind = station.front + station.chord + options.leadInMm - station.pivot;
    (atTip ? cut.tipStart : cut.rootStart) = {
        station.leadingEdge + station.pivot + behind * std::cos(station.twist),
        behind * std::sin(station.twist)};
  }
  const int nose = perSurface - 1;
  cut.matched.push_back(0);
  for (std::size_t j = 1; j + 1 < s.size(); ++j) {
    if (std::find(inner.begin(), inner.end(), s[j]) == inner.end()) continue;
    cut.matched.push_back(nose - static_cast<int>(j));
    cut.matched.push_back(nose + static_cast<int>(j));
  }
  cut.matched.push_back(nose);
  cut.matched.push_back(2 * nose);
  std::sort(cut.matched.begin(), cut.matched.end());
  return cut;
}

}  // namespace tarvex
