// Maximum thickness and camber with their stations, trailing-edge thickness
// and leading-edge radius of a section, and the surfaces they come from.
#pragma once

#include <span>

#include "tarvex.hpp"

namespace tarvex {

// The figures of the contour x[0..n), y[0..n) in its own units.
Result<Figures> sectionFigures(std::span<const float> x, std::span<const float> y);
// Both surfaces of that contour on the stations the figures use.
Result<Surfaces> sectionSurfaces(std::span<const float> x, std::span<const float> y);

}  // namespace tarvex
