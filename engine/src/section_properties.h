// Area, centroid and second moments of the section, and the properties of
// its contour line taken as a thin shell.
#pragma once

#include <span>

#include "engine_state.h"
#include "text_io.h"

namespace tarvex {

// Returns 0, or 1 when the enclosed area is exactly zero (then only area,
// circumference and the contour centroid are meaningful).
int PROGEO(std::span<const float> x, std::span<const float> y, int n, SectionProperties& p);

enum class HeaderLanguage { English, German };
// The 16 property lines of the comment header; false when a write failed.
bool writePropertyBlock(LineOutput& out, const SectionProperties& p, HeaderLanguage language);

}  // namespace tarvex
