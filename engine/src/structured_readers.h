// Readers of the structured input files, called by INKOO on their markers.
// Each rewinds the input and leaves the points in polyline order.
// n: in the capacity, out the number of points read.
#pragma once

#include <span>

#include "text_io.h"

namespace tarvex {

void READCEF(LineInput& in, LineOutput& out, std::span<float> x, std::span<float> y, int& n);
void READDXF(LineInput& in, LineOutput& out, std::span<float> x, std::span<float> y, int& n);
void READXML(LineInput& in, LineOutput& out, std::span<float> x, std::span<float> y, int& n);

}  // namespace tarvex
