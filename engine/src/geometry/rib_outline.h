// A rib's outline in its own plane, step by step: the section at the rib's
// chord, the rib inside the sheeting, cut off for a trailing-edge stock and
// notched for a leading-edge stock; then the features that are upright in
// the wing (spar notches, jig tabs), the lightening holes and the place of
// the engraved text. Each step refuses with the reason when it cannot be made.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geometry/outline_ops.h"
#include "tarvex_ribs.hpp"

namespace tarvex::ribs {

using outline::Ring;

// The section's points times chordMm, counter-clockwise from the trailing
// edge over the top, a repeated closing point dropped.
Ring scaledProfile(const Section& section, double chordMm);

// The top and the bottom of the outline at x (the highest and the lowest
// crossing); nothing where the line misses it.
struct Span {
  double bottom = 0.0, top = 0.0;
  double depth() const { return top - bottom; }
};
std::optional<Span> spanAt(const Ring& ring, double x);

// The rib inside the sheeting (Sheeting's rules; topTo and bottomTo both
// below 1, or both 1).
std::optional<Ring> sheeted(const Ring& profile, const Sheeting& sheeting, double chordMm,
                            std::string& reason);
// Cut off square across the chord where the rib is thicknessMm thick (from
// behind); the rib as it is when it ends at least that thick.
std::optional<Ring> cutForTrailingEdgeStock(const Ring& rib, double thicknessMm,
                                            std::string& reason);
std::optional<Ring> notchForLeadingEdgeStock(const Ring& rib, const LeadingEdgeStock& stock,
                                             std::string& reason);

// A notch with upright sides, its middle at x, its floor at floor, into the
// top or the bottom.
std::optional<Ring> notched(const Ring& rib, double x, double width, double floor, bool top,
                            std::string& reason);
// A tab with upright sides from the board's height up into the rib.
std::optional<Ring> withTab(const Ring& rib, double x, double width, double board,
                            std::string& reason);

// A round hole at x, halfway through the rib, size times its depth across;
// nothing when the line at x misses the rib.
std::optional<CircleMm> holeAt(const Ring& rib, double x, double size);
// The least material between the hole and the outline.
double webAround(const CircleMm& hole, const Ring& rib);

// Where text fits inside the rib, clear of the holes by margin: its
// baseline's start and its height, the largest that fits of a few heights
// (3.5 mm down to 1.2 mm); nothing when none does.
struct TextPlace {
  Vec2 origin;
  double height = 0.0;
};
std::optional<TextPlace> placeText(const Ring& rib, std::span<const CircleMm> holes,
                                   std::string_view text);

// Whether two edges of the ring cross or touch where they are not neighbours.
bool crossesItself(const Ring& ring);

}  // namespace tarvex::ribs
