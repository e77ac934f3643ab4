// Readers of the structured input files, called by INKOO on their markers.
// Each rewinds the input and leaves the points in polyline order in the
// section's arrays; n: in the capacity, out the number of points read.
#pragma once

#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex {

void READCEF(LineInput& in, Section& section, int& n);
void READDXF(LineInput& in, Section& section, int& n);
void READXML(LineInput& in, Section& section, int& n);

}  // namespace tarvex
