// Area, centroid and second moments of the section, and the properties of
// its contour line taken as a thin shell.
#pragma once

#include <span>

#include "tarvex.hpp"

namespace tarvex {

// Returns 0, or 1 when the enclosed area is exactly zero (then only area,
// circumference and the contour centroid are meaningful).
int PROGEO(std::span<const float> x, std::span<const float> y, int n, Properties& p);

}  // namespace tarvex
