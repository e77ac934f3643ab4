#include "rib_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geometry/stroke_font.h"

namespace tarvex::ribs {
namespace {

// Lengths beyond this are no model's; they would also overflow the
// drawings' number fields.
constexpr double kLongest = 10000.0;
constexpr int kMostRibs = 500;

std::string text(double value) {
  char out[32];
  std::snprintf(out, sizeof out, "%g", value);
  return out;
}

bool within(double value, double least, double most) {
  return std::isfinite(value) && value >= least && value <= most;
}

// A length of more than 0 (or of 0 or more) up to kLongest.
std::optional<Error> length(double value, const std::string& what, bool zeroAllowed) {
  if (within(value, 0.0, kLongest) && (zeroAllowed || value > 0.0)) return std::nullopt;
  return refusal(what + " must be " + (zeroAllowed ? "0 mm or more" : "more than 0 mm") +
                 " and at most " + text(kLongest) + " mm, not " + text(value));
}

std::optional<Error> fraction(double value, const std::string& what, bool endsAllowed) {
  if (within(value, 0.0, 1.0) && (endsAllowed || (value > 0.0 && value < 1.0))) {
    return std::nullopt;
  }
  return refusal(what + " must be a fraction of the chord " +
                 (endsAllowed ? "from 0 to 1" : "between 0 and 1") + ", not " + text(value));
}

std::optional<Error> checkSpars(const RibFeatures& features, const WingPanel& panel) {
  for (std::size_t k = 0; k < features.spars.size(); ++k) {
    const Spar& spar = features.spars[k];
    const std::string name = "spar " + std::to_string(k + 1);
    if (auto e = length(spar.widthMm, "the width of " + name, false)) return e;
    if (auto e = length(spar.depthMm, "the depth of " + name, false)) return e;
    if (!spar.top && !spar.bottom) {
      return refusal(name + " is notched into neither the top nor the bottom");
    }
    for (const auto& [where, chord] :
         {std::pair{spar.position, panel.rootChordMm},
          std::pair{spar.tipPosition.value_or(spar.position), panel.tipChordMm}}) {
      if (where.millimetres) {
        if (!within(where.value, 0.0, chord)) {
          return refusal("the position of " + name + " (" + text(where.value) +
                         " mm from the leading edge) must lie on the chord, 0 to " + text(chord) +
                         " mm");
        }
      } else if (auto e = fraction(where.value, "the position of " + name, true)) {
        return e;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Error> checkFeatures(const RibFeatures& features, const WingPanel& panel) {
  const Sheeting& sheeting = features.sheeting;
  if (auto e = length(sheeting.thicknessMm, "the sheeting's thickness", true)) return e;
  if (sheeting.thicknessMm > 0.0) {
    if (!within(sheeting.topTo, 0.0, 1.0) || !(sheeting.topTo > 0.0) ||
        !within(sheeting.bottomTo, 0.0, 1.0) || !(sheeting.bottomTo > 0.0)) {
      return refusal(
          "the sheeting runs from the leading edge to a fraction of the chord of more "
          "than 0 and at most 1 on the top and on the bottom");
    }
    if ((sheeting.topTo >= 1.0) != (sheeting.bottomTo >= 1.0)) {
      return refusal(
          "sheeting the whole of one side and part of the other is not supported: "
          "sheet both sides to less than the whole chord, or both whole");
    }
  }
  if (auto e = checkSpars(features, panel)) return e;
  if (features.leadingEdgeStock) {
    if (auto e =
            length(features.leadingEdgeStock->depthMm, "the leading-edge stock's depth", false)) {
      return e;
    }
    if (auto e =
            length(features.leadingEdgeStock->heightMm, "the leading-edge stock's height", false)) {
      return e;
    }
  }
  if (auto e = length(features.trailingEdgeStockMm, "the trailing-edge stock's thickness", true)) {
    return e;
  }
  for (const double f : features.holes) {
    if (auto e = fraction(f, "a lightening hole's position", false)) return e;
  }
  if (!features.holes.empty() && !(within(features.holeSize, 0.0, 1.0) && features.holeSize > 0.0 &&
                                   features.holeSize < 1.0)) {
    return refusal("the holes' size is a fraction of the rib's depth between 0 and 1, not " +
                   text(features.holeSize));
  }
  if (auto e = length(features.webMm, "the web", true)) return e;
  for (const double f : features.tabs) {
    if (auto e = fraction(f, "a jig tab's position", true)) return e;
  }
  if (!features.tabs.empty()) {
    if (auto e = length(features.tabWidthMm, "the jig tabs' width", false)) return e;
    if (auto e = length(features.tabLengthMm, "the jig tabs' length", false)) return e;
  }
  if (features.engrave) {
    if (const auto c = strokes::firstUndrawable(features.label)) {
      const auto code = static_cast<unsigned char>(*c);
      return refusal("the label \"" + features.label +
                     "\" cannot be engraved: the font draws letters, digits, blanks and . , - + "
                     "/ : # ( ) _ = ', not " +
                     (code >= 0x20 && code < 0x7F ? "'" + std::string(1, *c) + "'"
                                                  : "the byte " + std::to_string(code)));
    }
    if (features.label.size() > 20) {
      return refusal("the label holds more than 20 characters: there is no room for it on a rib");
    }
  }
  return std::nullopt;
}

namespace {

std::optional<Error> checkLayout(const SheetLayout& layout) {
  if (auto e = length(layout.widthMm, "the sheet's width", false)) return e;
  if (auto e = length(layout.heightMm, "the sheet's height", false)) return e;
  if (auto e = length(layout.gapMm, "the gap between parts", true)) return e;
  if (auto e = length(layout.marginMm, "the sheet's margin", true)) return e;
  if (!within(layout.kerfMm, 0.0, 5.0)) {
    return refusal("the kerf must be 0 mm or more and at most 5 mm, not " + text(layout.kerfMm));
  }
  if (!within(layout.strokeMm, 0.0, 10.0) || !(layout.strokeMm > 0.0)) {
    return refusal("the line width must be more than 0 mm and at most 10 mm, not " +
                   text(layout.strokeMm));
  }
  if (2.0 * layout.marginMm >= std::min(layout.widthMm, layout.heightMm)) {
    return refusal("the sheet's margins leave no room on it");
  }
  return std::nullopt;
}

}  // namespace

Error refusal(std::string why) { return {Status::badOptions, std::move(why), {}, 0}; }

std::string mm(double value) {
  char out[32];
  std::snprintf(out, sizeof out, "%.3g mm", value);
  return out;
}

std::optional<Error> checkWing(const WingPanel& panel) {
  if (panel.root.size() < 3) return refusal("the root section has fewer than 3 points");
  if (panel.tip && panel.tip->size() < 3) return refusal("the tip section has fewer than 3 points");
  for (const Section* section : {&panel.root, panel.tip ? &*panel.tip : nullptr}) {
    if (section == nullptr) continue;
    const auto [low, high] = std::minmax_element(section->x.begin(), section->x.end());
    if (!(*high - *low > 0.95f && *high - *low < 1.05f)) {
      return refusal(std::string("the ") + (section == &panel.root ? "root" : "tip") +
                     " section is not of unit chord (its x runs from " + text(*low) + " to " +
                     text(*high) + "); give it normalised, as read");
    }
  }
  if (!(panel.tipChordMm > 0.0) && std::isfinite(panel.tipChordMm) && panel.tipChordMm >= 0.0) {
    return refusal("a tip chord of 0 mm leaves no rib at the tip; give the tip's chord");
  }
  if (auto e = length(panel.rootChordMm, "the root chord", false)) return e;
  if (auto e = length(panel.tipChordMm, "the tip chord", false)) return e;
  if (auto e = length(panel.spanMm, "the span", false)) return e;
  if (!within(panel.sweepMm, -kLongest, kLongest)) {
    return refusal("the sweep must be a finite length of at most " + text(kLongest) +
                   " mm either way, not " + text(panel.sweepMm));
  }
  if (!std::isfinite(panel.washoutDegrees) || std::fabs(panel.washoutDegrees) >= 45.0) {
    return refusal("the washout must be less than 45 degrees either way, not " +
                   text(panel.washoutDegrees));
  }
  return fraction(panel.twistAxis, "the axis the ribs turn about", true);
}

std::optional<Error> checkPanel(const WingPanel& panel, const RibFeatures& features,
                                const SheetLayout& layout) {
  if (auto e = checkWing(panel)) return e;
  if (!panel.stationsMm.empty() && panel.ribCount > 0) {
    return refusal("give the number of ribs or their stations, not both");
  }
  if (panel.stationsMm.empty()) {
    if (panel.ribCount < 1 || panel.ribCount > kMostRibs) {
      return refusal("the number of ribs must be 1 to " + std::to_string(kMostRibs) + ", not " +
                     std::to_string(panel.ribCount));
    }
  } else {
    if (panel.stationsMm.size() > static_cast<std::size_t>(kMostRibs)) {
      return refusal("more than " + std::to_string(kMostRibs) + " ribs");
    }
    for (std::size_t i = 0; i < panel.stationsMm.size(); ++i) {
      const double y = panel.stationsMm[i];
      if (!within(y, 0.0, panel.spanMm)) {
        return refusal("the rib station " + text(y) + " mm lies outside the span, 0 to " +
                       text(panel.spanMm) + " mm");
      }
      if (i > 0 && !(y > panel.stationsMm[i - 1])) {
        return refusal("the rib stations must increase from the root to the tip (" +
                       text(panel.stationsMm[i - 1]) + " mm, then " + text(y) + " mm)");
      }
    }
  }
  if (auto e = checkFeatures(features, panel)) return e;
  return checkLayout(layout);
}

std::vector<double> stationsOf(const WingPanel& panel) {
  if (!panel.stationsMm.empty()) return panel.stationsMm;
  if (panel.ribCount == 1) return {0.0};
  std::vector<double> stations;
  for (int i = 0; i < panel.ribCount; ++i) {
    stations.push_back(i == panel.ribCount - 1 ? panel.spanMm
                                               : panel.spanMm * i / (panel.ribCount - 1));
  }
  return stations;
}

}  // namespace tarvex::ribs
