// Four-axis G-code for a hot-wire foam cutter: X Y drive the root's end of
// the wire, U V the tip's, in straight moves (G1) only, since a rapid move
// would drag the hot wire through the foam.
#include <cmath>
#include <string>

#include "rib_checks.h"
#include "tarvex_ribs.hpp"
#include "writers/field_text.h"
#include "writers/rib_sheet.h"

namespace tarvex {
namespace {

// A G-code comment holds no parentheses, and plain ASCII suits every
// controller.
std::string commentText(std::string_view text) {
  std::string out = writers::lineText(text);
  for (char& c : out) {
    if (c == '(' || c == ')' || static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return "(" + out + ")\n";
}

struct Pair {
  double x, y, u, v;
};

}  // namespace

Result<std::string> hotWireGcode(const HotWireCut& cut, const WingPanel& panel,
                                 const HotWireOptions& options) {
  if (cut.root.size() != cut.tip.size() || cut.root.size() < 3) {
    return ribs::refusal("the root and tip outlines must have the same number of points");
  }
  std::vector<Pair> path{{cut.rootStart.x, cut.rootStart.y, cut.tipStart.x, cut.tipStart.y}};
  for (int i = 0; i < cut.root.size(); ++i) {
    const auto k = static_cast<std::size_t>(i);
    path.push_back({cut.root.x[k], cut.root.y[k], cut.tip.x[k], cut.tip.y[k]});
  }
  path.push_back(path.front());

  const bool towers = options.towerSpacingMm > 0.0;
  const double nearTower = -options.rootFaceMm / panel.spanMm;
  const double farTower = (options.towerSpacingMm - options.rootFaceMm) / panel.spanMm;
  std::string name = panel.name.empty() ? std::string("core") : panel.name;
  std::string out =
      commentText(name + ": foam core, root chord " + writers::fixedText(panel.rootChordMm, 2) +
                  " mm, tip chord " + writers::fixedText(panel.tipChordMm, 2) + " mm, span " +
                  writers::fixedText(panel.spanMm, 2) + " mm");
  out += commentText(towers ? "X Y: the root's tower, U V: the tip's, " +
                                  writers::fixedText(options.towerSpacingMm, 2) +
                                  " mm apart, the root face " +
                                  writers::fixedText(options.rootFaceMm, 2) + " mm from X Y"
                            : std::string("X Y: the root face, U V: the tip face"));
  out += commentText("millimetres, x aft from the root's leading edge, y up from its chord line");
  out += commentText("start with the wire " + writers::fixedText(options.leadInMm, 2) +
                     " mm behind both trailing edges on the chord lines, at the first point");
  out += "G21\nG90\nG94\nF" + writers::fixedText(options.feedMmPerMinute, 1) + "\n";
  for (const Pair& p : path) {
    Pair at = p;
    if (towers) {
      at = {p.x + (p.u - p.x) * nearTower, p.y + (p.v - p.y) * nearTower,
            p.x + (p.u - p.x) * farTower, p.y + (p.v - p.y) * farTower};
    }
    for (const double value : {at.x, at.y, at.u, at.v}) {
      if (!std::isfinite(value) || std::fabs(value) > 1e6) {
        return ribs::refusal("the wire's path reaches beyond a million millimetres");
      }
    }
    out += "G1 X" + writers::fixedText(at.x, 4) + " Y" + writers::fixedText(at.y, 4) + " U" +
           writers::fixedText(at.u, 4) + " V" + writers::fixedText(at.v, 4) + "\n";
  }
  out += "M2\n";
  return out;
}

}  // namespace tarvex
