#include "geometry/rib_outline.h"

#include <algorithm>
#include <cmath>

#include "geometry/stroke_font.h"

namespace tarvex::ribs {

using namespace outline;

Ring scaledProfile(const Section& section, double chordMm) {
  Ring ring;
  ring.reserve(section.x.size());
  for (std::size_t i = 0; i < section.x.size(); ++i) {
    const Vec2 p{chordMm * section.x[i], chordMm * section.y[i]};
    if (ring.empty() || p.x != ring.back().x || p.y != ring.back().y) ring.push_back(p);
  }
  while (ring.size() > 1 && ring.front().x == ring.back().x && ring.front().y == ring.back().y) {
    ring.pop_back();
  }
  if (signedArea(ring) < 0.0) std::reverse(ring.begin() + 1, ring.end());
  return ring;
}

std::optional<Span> spanAt(const Ring& ring, double x) {
  const std::vector<double> heights = heightsAt(ring, x);
  if (heights.size() < 2) return std::nullopt;
  return Span{heights.front(), heights.back()};
}

namespace {

std::string mm(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g mm", value);
  return text;
}

// The edge of the ring that crosses the upright line at x highest (or
// lowest), with the crossing.
struct Crossing {
  std::size_t edge = 0;
  Vec2 at;
};
std::optional<Crossing> crossingAt(const Ring& ring, double x, bool highest) {
  std::optional<Crossing> found;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec2 a = ring[i], b = ring[(i + 1) % ring.size()];
    if (!((a.x <= x && b.x > x) || (b.x <= x && a.x > x))) continue;
    const Vec2 at{x, a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y)};
    if (!found || (highest ? at.y > found->at.y : at.y < found->at.y)) found = Crossing{i, at};
  }
  return found;
}

}  // namespace

std::optional<Ring> sheeted(const Ring& profile, const Sheeting& sheeting, double chordMm,
                            std::string& reason) {
  if (sheeting.thicknessMm <= 0.0) return profile;
  std::string why;
  Ring inset = innerOffset(profile, sheeting.thicknessMm, &why);
  if (inset.empty()) {
    reason = "no rib inside sheeting " + mm(sheeting.thicknessMm) + " thick: " + why;
    return std::nullopt;
  }
  if (sheeting.topTo >= 1.0 && sheeting.bottomTo >= 1.0) return inset;

  // The full section behind the steps, the inset ahead of them.
  const std::size_t n = profile.size();
  const auto nose = static_cast<std::size_t>(
      std::min_element(profile.begin(), profile.end(),
                       [](const Vec2& a, const Vec2& b) { return a.x < b.x; }) -
      profile.begin());
  const double front = profile[nose].x;
  const double xTop = front + sheeting.topTo * chordMm;
  const double xBottom = front + sheeting.bottomTo * chordMm;
  std::optional<std::size_t> topEdge, bottomEdge;
  for (std::size_t i = 0; i < nose && !topEdge; ++i) {
    if (profile[i].x >= xTop && profile[i + 1].x < xTop) topEdge = i;
  }
  for (std::size_t j = nose; j < n && !bottomEdge; ++j) {
    if (profile[j].x < xBottom && profile[(j + 1) % n].x >= xBottom) bottomEdge = j;
  }
  const auto insetTop = crossingAt(inset, xTop, true);
  const auto insetBottom = crossingAt(inset, xBottom, false);
  if (!topEdge || !bottomEdge || !insetTop || !insetBottom || insetTop->edge == insetBottom->edge) {
    reason = "the rib is thinner than twice the sheeting (" + mm(sheeting.thicknessMm) +
             ") where the sheeting ends; sheet it over the whole rib or to less of the chord";
    return std::nullopt;
  }
  const auto along = [](Vec2 a, Vec2 b, double x) {
    return Vec2{x, a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y)};
  };
  Ring out(profile.begin(), profile.begin() + static_cast<std::ptrdiff_t>(*topEdge + 1));
  out.push_back(along(profile[*topEdge], profile[*topEdge + 1], xTop));
  out.push_back(insetTop->at);
  for (std::size_t k = (insetTop->edge + 1) % inset.size();; k = (k + 1) % inset.size()) {
    out.push_back(inset[k]);
    if (k == insetBottom->edge) break;
  }
  out.push_back(insetBottom->at);
  out.push_back(along(profile[*bottomEdge], profile[(*bottomEdge + 1) % n], xBottom));
  out.insert(out.end(), profile.begin() + static_cast<std::ptrdiff_t>(*bottomEdge + 1),
             profile.end());
  return out;
}

std::optional<Ring> cutForTrailingEdgeStock(const Ring& rib, double thicknessMm,
                                            std::string& reason) {
  if (thicknessMm <= 0.0) return rib;
  const Box box = boxOf(rib);
  const auto depth = [&](double x) {
    const auto span = spanAt(rib, x);
    return span ? span->depth() : 0.0;
  };
  double behind = box.xmax - 1e-6 * (box.xmax - box.xmin);
  if (depth(behind) >= thicknessMm) return rib;
  std::vector<double> xs;
  for (const Vec2& p : rib) xs.push_back(p.x);
  std::sort(xs.begin(), xs.end(), std::greater<>());
  std::optional<double> ahead;
  for (const double x : xs) {
    if (x >= behind) continue;
    if (depth(x) >= thicknessMm) {
      ahead = x;
      break;
    }
    behind = x;
  }
  if (!ahead) {
    reason = "the rib is nowhere " + mm(thicknessMm) + " thick for the trailing-edge stock";
    return std::nullopt;
  }
  for (int k = 0; k < 60; ++k) {
    const double middle = 0.5 * (*ahead + behind);
    (depth(middle) >= thicknessMm ? *ahead : behind) = middle;
  }
  return withBox(rib, {*ahead, box.xmax + 1.0, box.ymin - 1.0, box.ymax + 1.0},
                 BoxOperation::cutOut, reason);
}

std::optional<Ring> notchForLeadingEdgeStock(const Ring& rib, const LeadingEdgeStock& stock,
                                             std::string& reason) {
  const Box box = boxOf(rib);
  const double back = box.xmin + stock.depthMm;
  const auto span = spanAt(rib, back);
  if (!span || back >= box.xmax) {
    reason = "the leading-edge stock reaches behind the rib";
    return std::nullopt;
  }
  const double middle = 0.5 * (span->bottom + span->top);
  auto out = withBox(
      rib, {box.xmin - 1.0, back, middle - 0.5 * stock.heightMm, middle + 0.5 * stock.heightMm},
      BoxOperation::cutOut, reason);
  if (!out) reason = "the leading-edge stock's notch cannot be cut: " + reason;
  return out;
}

std::optional<Ring> notched(const Ring& rib, double x, double width, double floor, bool top,
                            std::string& reason) {
  const Box box = boxOf(rib);
  const Box notch{x - 0.5 * width, x + 0.5 * width, top ? floor : box.ymin - 1.0,
                  top ? box.ymax + 1.0 : floor};
  return withBox(rib, notch, BoxOperation::cutOut, reason);
}

namespace {

// The spans of the rib at both ends of [x0, x1] and at every point of its
// outline between; nothing when the rib does not reach over all of it.
std::optional<std::vector<Span>> spansOver(const Ring& rib, double x0, double x1) {
  std::vector<double> xs{x0, x1};
  for (const Vec2& p : rib) {
    if (p.x > x0 && p.x < x1) xs.push_back(p.x);
  }
  std::vector<Span> spans;
  for (const double x : xs) {
    const auto span = spanAt(rib, x);
    if (!span) return std::nullopt;
    spans.push_back(*span);
  }
  return spans;
}

}  // namespace

std::optional<Ring> withTab(const Ring& rib, double x, double width, double board,
                            std::string& reason) {
  const double x0 = x - 0.5 * width, x1 = x + 0.5 * width;
  const auto spans = spansOver(rib, x0, x1);
  if (!spans) {
    reason = "it reaches beyond the rib";
    return std::nullopt;
  }
  double lowestTop = HUGE_VAL, highestBottom = -HUGE_VAL;
  for (const Span& span : *spans) {
    lowestTop = std::min(lowestTop, span.top);
    highestBottom = std::max(highestBottom, span.bottom);
  }
  // Up into the rib over its whole width, and not through it.
  const double into = std::min(1.0, 0.5 * (lowestTop - highestBottom));
  if (!(into > 0.0)) {
    reason = "the rib is too thin there";
    return std::nullopt;
  }
  return withBox(rib, {x0, x1, board, highestBottom + into}, BoxOperation::add, reason);
}

std::optional<CircleMm> holeAt(const Ring& rib, double x, double size) {
  const auto span = spanAt(rib, x);
  if (!span) return std::nullopt;
  return CircleMm{{x, 0.5 * (span->bottom + span->top)}, 0.5 * size * span->depth()};
}

double webAround(const CircleMm& hole, const Ring& rib) {
  const Vec2 centre{hole.centre.x, hole.centre.y};
  if (!inside(centre, rib)) return -hole.radius;
  return distanceToRing(centre, rib) - hole.radius;
}

namespace {

bool segmentMeetsBox(Vec2 a, Vec2 b, const Box& box) {
  // Clipped against the box's four sides (Liang-Barsky).
  double t0 = 0.0, t1 = 1.0;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x - box.xmin, box.xmax - a.x, a.y - box.ymin, box.ymax - a.y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  return true;
}

double distanceToBox(Vec2 p, const Box& box) {
  const double dx = std::max({box.xmin - p.x, 0.0, p.x - box.xmax});
  const double dy = std::max({box.ymin - p.y, 0.0, p.y - box.ymax});
  return std::hypot(dx, dy);
}

}  // namespace

std::optional<TextPlace> placeText(const Ring& rib, std::span<const CircleMm> holes,
                                   std::string_view text) {
  constexpr double kMargin = 0.8;  // clear of every edge, for the char the laser leaves
  const Box extent = boxOf(rib);
  for (const double height : {3.5, 3.0, 2.5, 2.0, 1.6, 1.2}) {
    const double width = strokes::width(text, height);
    std::optional<TextPlace> best;
    double bestRoom = -1.0;
    // Half a millimetre apart, or 400 places along a longer rib.
    const double step = std::max(0.5, (extent.xmax - extent.xmin) / 400.0);
    for (double x0 = extent.xmin + kMargin; x0 + width + kMargin <= extent.xmax; x0 += step) {
      const auto spans = spansOver(rib, x0 - kMargin, x0 + width + kMargin);
      if (!spans) continue;
      double top = HUGE_VAL, bottom = -HUGE_VAL;
      for (const Span& span : *spans) {
        top = std::min(top, span.top);
        bottom = std::max(bottom, span.bottom);
      }
      const double room = top - bottom - height - 2.0 * kMargin;
      if (room < 0.0 || room <= bestRoom) continue;
      const double baseline = 0.5 * (top + bottom) - 0.5 * height;
      const Box box{x0, x0 + width, baseline, baseline + height};
      const Box clear{box.xmin - kMargin, box.xmax + kMargin, box.ymin - kMargin,
                      box.ymax + kMargin};
      bool free = true;
      for (const CircleMm& hole : holes) {
        free = free && distanceToBox({hole.centre.x, hole.centre.y}, box) > hole.radius + kMargin;
      }
      for (std::size_t i = 0; free && i < rib.size(); ++i) {
        free = !segmentMeetsBox(rib[i], rib[(i + 1) % rib.size()], clear);
      }
      if (!free) continue;
      bestRoom = room;
      best = TextPlace{{x0, baseline}, height};
    }
    if (best) return best;
  }
  return std::nullopt;
}

bool crossesItself(const Ring& ring) {
  const std::size_t m = ring.size();
  for (std::size_t i = 0; i < m; ++i) {
    const Vec2 a = ring[i], b = ring[(i + 1) % m];
    const Box ab{std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
    for (std::size_t j = i + 2; j < m; ++j) {
      if (i == 0 && j == m - 1) continue;  // neighbours across the closing point
      const Vec2 c = ring[j], d = ring[(j + 1) % m];
      if (std::max(c.x, d.x) < ab.xmin || std::min(c.x, d.x) > ab.xmax ||
          std::max(c.y, d.y) < ab.ymin || std::min(c.y, d.y) > ab.ymax) {
        continue;
      }
      const double d1 = cross(b - a, c - a), d2 = cross(b - a, d - a);
      const double d3 = cross(d - c, a - c), d4 = cross(d - c, b - c);
      if (((d1 > 0.0) != (d2 > 0.0) || d1 == 0.0 || d2 == 0.0) &&
          ((d3 > 0.0) != (d4 > 0.0) || d3 == 0.0 || d4 == 0.0)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace tarvex::ribs
