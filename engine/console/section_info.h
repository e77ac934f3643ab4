// `tarvex info`: what the engine makes of each input file: its layout, the
// points, the x-range and the section properties of the normalised section.
#pragma once

#include <string>
#include <vector>

#include "batch_convert.h"

namespace tarvex::console {

// Prints a block per file, or with json an array of one object per file.
// Returns 0 when every file could be read, else 1.
int describeFiles(const std::vector<std::string>& inputs, bool json, StandardStreams streams);

}  // namespace tarvex::console
