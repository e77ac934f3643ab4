// The output format named on the command line: by number or by short name.
#pragma once

#include <string>
#include <string_view>

#include "output_writer.h"

namespace tarvex::console {

// "1".."17" or a short name such as "xy" or "dxf" (case does not matter);
// nullptr for anything else.
const OutputFormat* formatFromArgument(std::string_view argument);

// "1-17 or one of: xy, xy-lower, ..." for the help text.
std::string formatChoices();

// The format table: number, short name, default extension, description.
std::string formatTable();

}  // namespace tarvex::console
