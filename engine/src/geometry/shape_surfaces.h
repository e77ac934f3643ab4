// A section split at its nose into two surfaces in double precision, the
// surfaces evaluated at any x, and the shaped points turned back into a
// section; shared by the shaping steps.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "tarvex.hpp"

namespace tarvex::shape {

// One surface from the nose of the smooth contour to its trailing-edge
// point: x made non-decreasing, so that it can be searched.
struct Surface {
  std::vector<double> x, y;
};

struct Split {
  Surface upper, lower;  // both start at the front
  std::size_t nose = 0;  // the index of the point of smallest x, the nose
  double noseX = 0, noseY = 0;
  double frontX = 0, frontY = 0;  // the nose of the smooth contour
  double trailingEdgeX = 0;       // the middle of the trailing edge
  // From the nose to the middle of the trailing edge, along x.
  double chord() const { return trailingEdgeX - noseX; }
};

// Fails with badOptions when the section has no nose between its
// trailing-edge points, its surfaces have no x-range in common or its
// trailing edge lies no further back than its nose.
Result<Split> splitAtNose(const Section& section, std::string_view step);

// y of the surface at x, x clamped to the surface's range: a cubic in
// sqrt(x - nose), which follows the round nose where a cubic in x cannot.
double surfaceY(const Surface& surface, double x);

// x as a fraction of the chord from the nose.
inline double chordFraction(const Split& split, double x) {
  return (x - split.noseX) / split.chord();
}

// 1 at a = 0 falling smoothly to 0 at a = 1 (clamped outside).
double fade(double a);

// The points as a section of the input's name, not normalised.
Result<Section> rebuilt(const Section& like, std::span<const double> x, std::span<const double> y);

Error refused(std::string message);

}  // namespace tarvex::shape
