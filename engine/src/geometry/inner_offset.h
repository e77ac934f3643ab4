// The outline of a section moved inward by a constant distance: the rib that
// fits inside a skin of that thickness.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace tarvex {

struct Vec2 {
  double x = 0.0, y = 0.0;
};

// The closed contour (from its last point back to its first, in either
// direction) moved inward by distance along its normals. Where the moved
// parts cross, the loop beyond the crossing is cut away, so the result is
// one simple closed outline, counter-clockwise, without its closing point.
// At a sharp trailing edge the upper and lower offsets cross ahead of the
// edge: the rib ends there in a point. Empty, with the reason, when the
// contour holds no such outline (a skin too thick for the section).
std::vector<Vec2> innerOffset(std::span<const Vec2> contour, double distance, std::string* reason);

// The closed contour moved outward by distance: a cut path that leaves the
// part its size after a cut of twice that width. A notch's sides move into
// the notch; loops where moved parts cross are cut away as above.
std::vector<Vec2> outerOffset(std::span<const Vec2> contour, double distance, std::string* reason);

}  // namespace tarvex
