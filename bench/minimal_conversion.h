// The least a conversion of a two-column file to two columns with the
// comment header has to do, written plainly: read the file, parse the
// numbers, normalise, sum the section properties, write the header and the
// fixed fields, write the file. The engine's conversion is measured against
// it.
#pragma once

#include <string>

namespace tarvex::bench {

// Into a new file (created here), or with replace over an existing one by a
// temporary file renamed over it. False on any failure.
bool minimalConversion(const std::string& input, const std::string& output, bool replace);

}  // namespace tarvex::bench
