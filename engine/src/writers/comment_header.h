// The 42-line comment header that a conversion with comments writes before
// the data: creator, point count and x-range of the input, and the section
// properties in English and in German.
#pragma once

#include <span>
#include <string>

#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex {

// False when a line could not be written; a property too wide for its field
// is noted on the output as an overflow.
bool writeCommentHeader(LineOutput& out, int pointCount, float xmin, float xmax,
                        const Properties& p);

// The input's comment lines as the classic formats carry them: "; " and the
// line, which stays one line whatever it holds. False when one could not be
// written.
bool writeCommentLines(LineOutput& out, std::span<const std::string> lines);

}  // namespace tarvex
