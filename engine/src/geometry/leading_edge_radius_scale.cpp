// The leading-edge radius scaled as XFOIL's LERA does: the thickness near
// the nose multiplied by the square root of the factor (the radius goes with
// the square of the thickness there), faded to 1 at the blending distance;
// the camber stays.
#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/shape_surfaces.h"
#include "tarvex_shape.hpp"

namespace tarvex {

Result<Section> scaleLeadingEdgeRadius(const Section& section, const LeadingEdgeRadius& step) {
  if (!std::isfinite(step.factor) || step.factor <= 0)
    return shape::refused("leading-edge radius: the factor must be more than 0");
  if (!std::isfinite(step.blend) || step.blend <= 0 || step.blend > 1)
    return shape::refused(
        "leading-edge radius: the blending distance must be over 0 and at most 1 chord");
  auto split = shape::splitAtNose(section, "leading-edge radius");
  if (!split) return split.error();
  const double gain = std::sqrt(step.factor) - 1;
  const std::size_t n = section.x.size();
  std::vector<double> x(section.x.begin(), section.x.end()), y(section.y.begin(), section.y.end());
  for (std::size_t i = 0; i < n; ++i) {
    // (1 - a)^3 meets 0 with no slope and no curvature at the blending
    // distance, and bends no more than the nose does on the way: a smoothstep
    // there gave each surface a hollow, two new turns of its curvature.
    const double a = std::clamp(shape::chordFraction(*split, x[i]) / step.blend, 0.0, 1.0);
    const double weight = std::pow(1.0 - a, 3.0);
    if (weight == 0) continue;
    // Half the thickness at this point's x, the other surface interpolated.
    const bool upper = i < split->nose || (i == split->nose && y[i] >= split->frontY);
    const double other = shape::surfaceY(upper ? split->lower : split->upper, x[i]);
    y[i] += (y[i] - other) / 2 * gain * weight;
  }
  return shape::rebuilt(section, x, y);
}

}  // namespace tarvex
