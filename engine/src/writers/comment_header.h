// The 42-line comment header that a conversion with comments writes before
// the data: creator, point count and x-range of the input, and the section
// properties in English and in German.
#pragma once

#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex {

// False when a line could not be written; a property too wide for its field
// is noted on the output as an overflow.
bool writeCommentHeader(LineOutput& out, int pointCount, float xmin, float xmax,
                        const Properties& p);

}  // namespace tarvex
