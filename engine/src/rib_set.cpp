// The ribs of a wing panel: where they stand, their sections, chords and
// twist, the features every rib shares and the ones that run straight
// through the wing (spars, the building board), and their sheets.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "geometry/rib_outline.h"
#include "geometry/sheet_nesting.h"
#include "geometry/stroke_font.h"
#include "rib_checks.h"
#include "rib_station.h"
#include "tarvex_ribs.hpp"

namespace tarvex {
namespace {

using outline::Ring;
using ribs::Station;
using ribs::stationAt;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// The rib's outline with the features of its own plane, turned by its twist.
Result<Ring> baseOutline(const Station& s, const RibFeatures& features, const std::string& rib) {
  std::string reason;
  std::optional<Ring> ring = ribs::scaledProfile(s.section, s.chord);
  if (ring->size() < 3) return ribs::refusal(rib + ": its section has fewer than 3 points");
  ring = ribs::sheeted(*ring, features.sheeting, s.chord, reason);
  if (ring) ring = ribs::cutForTrailingEdgeStock(*ring, features.trailingEdgeStockMm, reason);
  if (ring && features.leadingEdgeStock) {
    ring = ribs::notchForLeadingEdgeStock(*ring, *features.leadingEdgeStock, reason);
  }
  if (!ring) return ribs::refusal(rib + ": " + reason);
  return outline::turned(*ring, {s.pivot, 0.0}, s.twist);
}

// A spar's middle and floor along the span: straight lines through its
// place in the root rib and in the tip rib.
struct SparLine {
  double rootX = 0.0, tipX = 0.0;  // in the wing
  double rootFloor = 0.0, tipFloor = 0.0;
};

Result<SparLine> sparLine(const Spar& spar, bool top, const Station& root, const Ring& rootRib,
                          const Station& tip, const Ring& tipRib, std::size_t number) {
  const ChordPosition atTip = spar.tipPosition.value_or(spar.position);
  SparLine line;
  const double rootX = root.chordX(spar.position.in(root.chord));
  const double tipX = tip.chordX(atTip.in(tip.chord));
  line.rootX = root.leadingEdge + rootX;
  line.tipX = tip.leadingEdge + tipX;
  const auto rootSpan = ribs::spanAt(rootRib, rootX), tipSpan = ribs::spanAt(tipRib, tipX);
  if (!rootSpan || !tipSpan) {
    return ribs::refusal("spar " + std::to_string(number) + " lies outside the " +
                         (rootSpan ? "tip" : "root") + " section");
  }
  line.rootFloor = top ? rootSpan->top - spar.depthMm : rootSpan->bottom + spar.depthMm;
  line.tipFloor = top ? tipSpan->top - spar.depthMm : tipSpan->bottom + spar.depthMm;
  return line;
}

std::string percent(double fraction) {
  char text[32];
  std::snprintf(text, sizeof text, "%g %%", 100.0 * fraction);
  return text;
}

std::string chordText(double chord) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", chord);
  return text;
}

// A notch's place in one rib.
struct Notch {
  double x = 0.0, width = 0.0;
  bool top = true;
};

// The spar notches of one rib; their depths go into the rib.
Result<Ring> notchedRib(Ring ring, const Station& s, const RibFeatures& features,
                        const std::vector<SparLine>& lines, Rib& rib, std::vector<Notch>& notches,
                        const std::string& name) {
  std::size_t line = 0;
  for (std::size_t k = 0; k < features.spars.size(); ++k) {
    const Spar& spar = features.spars[k];
    for (const bool top : {true, false}) {
      if (!(top ? spar.top : spar.bottom)) continue;
      const SparLine& at = lines[line++];
      const double x = at.rootX + (at.tipX - at.rootX) * s.fraction - s.leadingEdge;
      const double floor = at.rootFloor + (at.tipFloor - at.rootFloor) * s.fraction;
      const std::string what = "the " + std::string(top ? "top" : "bottom") + " notch of spar " +
                               std::to_string(k + 1) + " in " + name;
      const auto before = ribs::spanAt(ring, x);
      const double depth = !before ? 0.0 : top ? before->top - floor : floor - before->bottom;
      if (!before || depth <= 0.0) {
        return ribs::refusal(what + " does not reach into the rib (the spar passes " +
                             (before ? "outside it there)" : "beside it)"));
      }
      if (before->depth() - depth < features.webMm) {
        return ribs::refusal(what + " is " + ribs::mm(depth) + " deep, deeper than the rib (" +
                             ribs::mm(before->depth()) + ") less the web (" +
                             ribs::mm(features.webMm) + ")");
      }
      std::string reason;
      auto cut = ribs::notched(ring, x, spar.widthMm, floor, top, reason);
      if (!cut) return ribs::refusal(what + " cannot be cut: " + reason);
      ring = std::move(*cut);
      const auto after = ribs::spanAt(ring, x);
      if (!after || after->depth() < features.webMm) {
        return ribs::refusal("the notches of spar " + std::to_string(k + 1) + " leave " +
                             ribs::mm(after ? after->depth() : 0.0) + " of " + name +
                             ", less than the web (" + ribs::mm(features.webMm) + ")");
      }
      rib.notchDepthsMm.push_back(depth);
      notches.push_back({x, spar.widthMm, top});
    }
  }
  return ring;
}

Result<std::vector<CircleMm>> holesOf(const Ring& ring, const Station& s,
                                      const RibFeatures& features, const std::string& name) {
  std::vector<CircleMm> holes;
  for (const double f : features.holes) {
    const std::string what = "the lightening hole at " + percent(f) + " of " + name;
    const auto hole = ribs::holeAt(ring, s.chordX(f * s.chord), features.holeSize);
    if (!hole) return ribs::refusal(what + " lies outside the rib");
    const double web = ribs::webAround(*hole, ring);
    if (web < features.webMm) {
      return ribs::refusal(what + " leaves " + ribs::mm(std::max(web, 0.0)) +
                           " of material, less than the web (" + ribs::mm(features.webMm) +
                           "); make the holes smaller or move this one");
    }
    for (const CircleMm& other : holes) {
      const double apart =
          std::hypot(other.centre.x - hole->centre.x, other.centre.y - hole->centre.y) -
          other.radius - hole->radius;
      if (apart < features.webMm) {
        return ribs::refusal(what + " comes within " + ribs::mm(std::max(apart, 0.0)) +
                             " of the one before it, less than the web (" +
                             ribs::mm(features.webMm) + ")");
      }
    }
    holes.push_back(*hole);
  }
  return holes;
}

Result<Ring> withTabs(Ring ring, const Station& s, const RibFeatures& features, double board,
                      const std::vector<Notch>& notches, const std::string& name) {
  for (const double f : features.tabs) {
    const std::string what = "the jig tab at " + percent(f) + " of " + name;
    const double x = s.chordX(f * s.chord);
    for (const Notch& notch : notches) {
      if (!notch.top &&
          std::fabs(notch.x - x) < 0.5 * (notch.width + features.tabWidthMm) + features.webMm) {
        return ribs::refusal(what + " meets a bottom spar notch; move the tab");
      }
    }
    std::string reason;
    auto with = ribs::withTab(ring, x, features.tabWidthMm, board, reason);
    if (!with) return ribs::refusal(what + " cannot be made: " + reason);
    ring = std::move(*with);
  }
  return ring;
}

// Turns the rib's part and its engraving into the public types.
std::vector<PointMm> pointsOf(const Ring& ring) {
  std::vector<PointMm> points;
  points.reserve(ring.size());
  for (const Vec2& p : ring) points.push_back({p.x, p.y});
  return points;
}

Result<Section> profileOf(const Station& s, const std::string& name) {
  std::vector<double> x, y;
  const double c = std::cos(s.twist), sn = std::sin(s.twist);
  for (std::size_t i = 0; i < s.section.x.size(); ++i) {
    const double px = s.chord * s.section.x[i] - s.pivot, py = s.chord * s.section.y[i];
    x.push_back(s.pivot + c * px - sn * py);
    y.push_back(sn * px + c * py);
  }
  return sectionFromPoints(name, x, y,
                           {.normalise = false, .capacity = static_cast<int>(x.size()) + 1});
}

}  // namespace

std::optional<SheetLayout> sheetSize(std::string_view text) {
  SheetLayout layout;
  std::string upper;
  for (const char c : text) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  if (upper == "A4") return layout;
  if (upper == "A3") {
    layout.widthMm = 420.0;
    layout.heightMm = 297.0;
    return layout;
  }
  const auto by = upper.find('X');
  if (by == std::string::npos) return std::nullopt;
  std::string height = upper.substr(by + 1);
  if (height.size() > 2 && height.ends_with("MM")) height.resize(height.size() - 2);
  const auto w = parseLength(upper.substr(0, by)), h = parseLength(height);
  if (!w || !h || !(*w > 0.0f) || !(*h > 0.0f)) return std::nullopt;
  layout.widthMm = *w;
  layout.heightMm = *h;
  return layout;
}

Result<RibSet> makeRibSet(const WingPanel& panel, const RibFeatures& features,
                          const SheetLayout& layout) {
  if (auto refused = ribs::checkPanel(panel, features, layout)) return *refused;
  const std::vector<double> stations = ribs::stationsOf(panel);

  auto root = stationAt(panel, 0.0);
  auto tip = root ? stationAt(panel, panel.spanMm) : root;
  if (!root || !tip) return (root ? tip : root).error();
  auto rootRib = baseOutline(*root, features, "the root section");
  if (!rootRib) return rootRib.error();
  auto tipRib = baseOutline(*tip, features, "the tip section");
  if (!tipRib) return tipRib.error();
  std::vector<SparLine> lines;
  for (std::size_t k = 0; k < features.spars.size(); ++k) {
    for (const bool top : {true, false}) {
      if (!(top ? features.spars[k].top : features.spars[k].bottom)) continue;
      auto line = sparLine(features.spars[k], top, *root, *rootRib, *tip, *tipRib, k + 1);
      if (!line) return line.error();
      lines.push_back(*line);
    }
  }

  RibSet set;
  set.name = panel.name;
  set.layout = layout;
  std::vector<Station> where;
  std::vector<Ring> rings;
  std::vector<std::vector<Notch>> notches(stations.size());
  for (std::size_t i = 0; i < stations.size(); ++i) {
    Rib rib;
    rib.number = static_cast<int>(i) + 1;
    const std::string name = "rib " + std::to_string(rib.number);
    auto s = stationAt(panel, stations[i]);
    if (!s) return s.error();
    auto ring = baseOutline(*s, features, name);
    if (ring) ring = notchedRib(std::move(*ring), *s, features, lines, rib, notches[i], name);
    if (!ring) return ring.error();
    rib.stationMm = s->y;
    rib.chordMm = s->chord;
    rib.twistDegrees = s->twist / kRadiansPerDegree;
    rib.leadingEdgeMm = s->leadingEdge;
    auto profile = profileOf(*s, features.label + std::to_string(rib.number));
    if (!profile) return ribs::refusal(name + ": " + profile.error().message);
    rib.profile = std::move(*profile);
    set.ribs.push_back(std::move(rib));
    where.push_back(std::move(*s));
    rings.push_back(std::move(*ring));
  }

  // One board under all ribs.
  double lowest = HUGE_VAL;
  for (const Ring& ring : rings) lowest = std::min(lowest, outline::boxOf(ring).ymin);
  const double board = lowest - features.tabLengthMm;
  std::vector<Ring> parts;
  for (std::size_t i = 0; i < rings.size(); ++i) {
    Rib& rib = set.ribs[i];
    const Station& s = where[i];
    const std::string name = "rib " + std::to_string(rib.number);
    auto holes = holesOf(rings[i], s, features, name);
    if (!holes) return holes.error();
    if (features.engrave) {
      rib.part.text = features.label + std::to_string(rib.number) + " " + chordText(s.chord);
      const auto place = ribs::placeText(rings[i], *holes, rib.part.text);
      if (!place) {
        return ribs::refusal(name + " has no room for its text \"" + rib.part.text +
                             "\"; leave the engraving out, or make the holes smaller");
      }
      for (const auto& stroke : strokes::strokes(rib.part.text, place->origin, place->height)) {
        rib.part.engraving.push_back(pointsOf(stroke));
      }
    }
    auto ring = withTabs(rings[i], s, features, board, notches[i], name);
    if (!ring) return ring.error();
    if (ribs::crossesItself(*ring)) {
      return ribs::refusal(name + ": its features overlap, and its outline crosses itself");
    }
    if (layout.kerfMm > 0.0) {
      std::string reason;
      Ring moved = outerOffset(*ring, 0.5 * layout.kerfMm, &reason);
      if (moved.empty()) return ribs::refusal(name + ": no outline for the kerf: " + reason);
      ring = std::move(moved);
      for (CircleMm& hole : *holes) {
        hole.radius -= 0.5 * layout.kerfMm;
        if (hole.radius <= 0.0) {
          return ribs::refusal(name + ": a lightening hole is smaller than the kerf");
        }
      }
    }
    rib.part.outline = pointsOf(*ring);
    rib.part.holes = std::move(*holes);
    parts.push_back(std::move(*ring));
  }

  std::size_t tooLarge = 0;
  const auto placed = nesting::nest(
      parts, {layout.widthMm, layout.heightMm, layout.gapMm, layout.marginMm}, tooLarge);
  if (!placed) {
    const outline::Box box = outline::boxOf(parts[tooLarge]);
    return ribs::refusal("rib " + std::to_string(tooLarge + 1) + " (" +
                         ribs::mm(box.xmax - box.xmin) + " by " + ribs::mm(box.ymax - box.ymin) +
                         ") does not fit on the sheet inside its margins (" +
                         ribs::mm(layout.widthMm - 2.0 * layout.marginMm) + " by " +
                         ribs::mm(layout.heightMm - 2.0 * layout.marginMm) + ")");
  }
  set.sheets = placed->sheets;
  set.sheetUse.assign(static_cast<std::size_t>(set.sheets), 0.0);
  for (std::size_t i = 0; i < set.ribs.size(); ++i) {
    Rib& rib = set.ribs[i];
    const nesting::Placement& place = placed->placements[i];
    rib.sheet = place.sheet;
    rib.rotationDegrees = place.radians / kRadiansPerDegree;
    rib.x = place.offset.x;
    rib.y = place.offset.y;
    double area = outline::signedArea(parts[i]);
    for (const CircleMm& hole : rib.part.holes)
      area -= std::numbers::pi * hole.radius * hole.radius;
    set.sheetUse[static_cast<std::size_t>(rib.sheet)] += area / (layout.widthMm * layout.heightMm);
  }
  return set;
}

}  // namespace tarvex
