// Steps that shape a section, each a pure function from section to section.
// A conversion applies them after reading (or making) the section and before
// redistribution and writing, in this order (shapeSection): blend, thickness
// and camber, leading-edge radius, trailing-edge gap, flap, panelling. The
// gap comes after the thickness so that it is what was asked, and the flap
// after the gap so that it turns the trailing edge as finished.
// Lengths are in chords of the section, its x-range as the figures count it
// (a section as read has unit chord); positions along the chord run from the
// nose (the point of smallest x) at 0 to the middle of the trailing edge at
// 1. The result keeps the input's name and comments and has its properties
// recomputed; options that make no sense fail with badOptions and the reason.
#pragma once

#include <optional>

#include "tarvex.hpp"

namespace tarvex {

// The gap between the trailing-edge points set to gap (0 or more), the change
// blended from the trailing edge towards the leading edge over blend chords
// (0 < blend <= 1): each surface moved along the gap's direction, in full at
// the edge and not at all ahead of the blending distance; gap 0 closes the
// trailing edge.
struct TrailingEdgeGap {
  double gap = 0.0;
  double blend = 0.8;
};
TARVEX_API Result<Section> setTrailingEdgeGap(const Section& section, const TrailingEdgeGap& step);

// The maximum thickness and camber set, and their positions moved, keeping
// the shapes of the thickness and camber distributions; what is not given
// stays. Thickness upper - lower and camber (upper + lower) / 2 are taken
// apart vertically from the nose of the smooth contour, and set so that the
// figures find them as asked (a moved maximum keeps the figure it had); with
// an odd point count both surfaces come out on common stations around the
// middle point. A camber of 0 gives the symmetric section. Refused: a thickness of 0 or
// less, positions outside (0, 1), a camber asked of a section without one.
struct ThicknessCamber {
  std::optional<double> thickness, thicknessX, camber, camberX;
};
TARVEX_API Result<Section> setThicknessCamber(const Section& section, const ThicknessCamber& step);

// The leading-edge radius multiplied by factor (more than 0), the change
// blended over blend chords from the leading edge (0 < blend <= 1): the
// thickness multiplied by sqrt(factor) at the nose, by 1 from blend on.
struct LeadingEdgeRadius {
  double factor = 1.0;
  double blend = 0.2;
};
TARVEX_API Result<Section> scaleLeadingEdgeRadius(const Section& section,
                                                  const LeadingEdgeRadius& step);

// A trailing-edge flap deflected by degrees (positive down, less than 90
// either way) about the hinge at hingeX (0 < hingeX < 1) along the chord and
// hingeYFraction (0 to 1) of the local thickness above the lower surface.
// The outline is closed cleanly at the hinge: on the side that closes it
// runs to the crossing of the fixed and the turned surface, on the side that
// opens along an arc about the hinge.
struct Flap {
  double hingeX = 0.75;
  double degrees = 0.0;
  double hingeYFraction = 0.5;
};
TARVEX_API Result<Section> deflectFlap(const Section& section, const Flap& step);

// The weighted mean of two sections brought onto common stations:
// fraction 0 gives first, 1 gives second.
TARVEX_API Result<Section> blendSections(const Section& first, const Section& second,
                                         double fraction);

// Exactly points points along the contour, from the first point over the
// upper surface to the last as the section runs, clustered by curvature and
// finer at the leading and trailing edges. bunching weighs the curvature (0:
// equal steps along the contour); trailingEdgeRatio is the point density at
// the trailing edge over that at the leading edge (0.15: trailing-edge panels
// about 6.7 times as long as the leading edge's). 5 to capacity points, at
// most kMaxNacaPoints.
struct Panelling {
  int points = 160;
  double bunching = 1.0;
  double trailingEdgeRatio = 0.15;
  int capacity = 1000;  // the most points the result may hold
};
TARVEX_API Result<Section> repanel(const Section& section, const Panelling& step);

// The steps a conversion applies, each when it is given, in the order above.
struct Blend {
  Section with;
  double fraction = 0.5;  // 0: the section itself, 1: with
};
struct ShapeSteps {
  std::optional<TrailingEdgeGap> trailingEdgeGap;
  std::optional<ThicknessCamber> thicknessCamber;
  std::optional<LeadingEdgeRadius> leadingEdgeRadius;
  std::optional<Flap> flap;
  std::optional<Blend> blend;
  std::optional<Panelling> panelling;

  bool any() const {
    return trailingEdgeGap || thicknessCamber || leadingEdgeRadius || flap || blend || panelling;
  }
};
// The section after every step given; the first step that fails ends it,
// its reason saying which step it was.
TARVEX_API Result<Section> shapeSection(const Section& section, const ShapeSteps& steps);

}  // namespace tarvex
