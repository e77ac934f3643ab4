#include "rib_station.h"

#include <algorithm>
#include <numbers>

#include "tarvex_shape.hpp"

namespace tarvex::ribs {

Result<Station> stationAt(const WingPanel& panel, double y) {
  Station s;
  s.y = y;
  s.fraction = panel.spanMm > 0.0 ? std::clamp(y / panel.spanMm, 0.0, 1.0) : 0.0;
  s.chord = panel.rootChordMm + (panel.tipChordMm - panel.rootChordMm) * s.fraction;
  s.leadingEdge = panel.sweepMm * s.fraction;
  s.twist = panel.washoutDegrees * s.fraction * std::numbers::pi / 180.0;
  if (panel.tip) {
    const double fraction = panel.ruled ? s.fraction * panel.tipChordMm / s.chord : s.fraction;
    auto blend = blendSections(panel.root, *panel.tip, std::clamp(fraction, 0.0, 1.0));
    if (!blend) return blend.error();
    s.section = std::move(*blend);
  } else {
    s.section = panel.root;
  }
  const auto least = std::min_element(s.section.x.begin(), s.section.x.end());
  s.front = least == s.section.x.end() ? 0.0 : s.chord * *least;
  s.pivot = s.front + panel.twistAxis * s.chord;
  return s;
}

}  // namespace tarvex::ribs
