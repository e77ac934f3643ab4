// `tarvex info`: what the engine makes of each input file: its layout, the
// points, the x-range, the section properties and the figures (thickness,
// camber, trailing-edge thickness, leading-edge radius) of the normalised
// section.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tarvex_shape.hpp"

namespace tarvex::console {

// Prints a block per file, or with json an array of one object per file, to
// the standard output; failures also go to err. Returns 0 when every file
// could be read, 1 when one could not, 2 when the output failed.
// The sections are first shaped by the steps given and then, with
// cosinePoints above 0, redistributed onto that many cosine-spaced points.
int describeFiles(const std::vector<std::string>& inputs, bool json, int cosinePoints,
                  const ShapeSteps& shape, std::ostream& err);

}  // namespace tarvex::console
