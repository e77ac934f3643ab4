// The trailing-edge gap set as XFOIL's TGAP does: each surface moved along
// the gap's direction by half the change, faded out towards the nose.
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/shape_surfaces.h"
#include "tarvex_shape.hpp"

namespace tarvex {

Result<Section> setTrailingEdgeGap(const Section& section, const TrailingEdgeGap& step) {
  if (!std::isfinite(step.gap) || step.gap < 0)
    return shape::refused("trailing-edge gap: the gap must be 0 or more chords");
  if (!std::isfinite(step.blend) || step.blend <= 0 || step.blend > 1)
    return shape::refused(
        "trailing-edge gap: the blending distance must be over 0 and at most 1 chord");
  auto split = shape::splitAtNose(section, "trailing-edge gap");
  if (!split) return split.error();
  const std::size_t n = section.x.size();
  const double ux = section.x.front(), uy = section.y.front();
  const double lx = section.x.back(), ly = section.y.back();
  // The chord from the nose to the middle of the trailing edge measures how
  // far back a point lies.
  const double cx = (ux + lx) / 2 - split->noseX, cy = (uy + ly) / 2 - split->noseY;
  const double chord2 = cx * cx + cy * cy;
  if (!(chord2 > 0)) return shape::refused("trailing-edge gap: the section has no chord");
  const double gap = std::hypot(ux - lx, uy - ly);
  // The direction the gap opens in: from the lower to the upper end, or
  // square to the chord when the edge is closed.
  const double chord = std::sqrt(chord2);
  double ex = -cy / chord, ey = cx / chord;
  if (gap > 1e-12 * chord) ex = (ux - lx) / gap, ey = (uy - ly) / gap;
  std::vector<double> x, y;
  auto moved = [&](double target) {
    const double change = (target - gap) / 2;  // each surface's share
    x.assign(section.x.begin(), section.x.end());
    y.assign(section.y.begin(), section.y.end());
    for (std::size_t i = 0; i < n; ++i) {
      if (i == split->nose) continue;
      const double along = ((x[i] - split->noseX) * cx + (y[i] - split->noseY) * cy) / chord2;
      // The end points move in full, wherever the gap's slant puts them.
      const bool end = i == 0 || i + 1 == n;
      const double weight = end ? 1.0 : shape::fade((1.0 - along) / step.blend);
      if (weight == 0) continue;
      const double move = (i < split->nose ? change : -change) * weight;
      x[i] += move * ex;
      y[i] += move * ey;
    }
  };
  // The gap in chords of the x-range, as the figures count it; moving the
  // ends can change that range, so the move is made again for the new one.
  auto range = [&] {
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    return *high - *low;
  };
  x.assign(section.x.begin(), section.x.end());
  for (int pass = 0; pass < 3; ++pass) moved(step.gap * range());
  return shape::rebuilt(section, x, y);
}

}  // namespace tarvex
