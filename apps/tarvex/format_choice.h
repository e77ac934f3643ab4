// The output format named on the command line: by number or by short name.
#pragma once

#include <string>
#include <string_view>

#include "tarvex_formats.hpp"

namespace tarvex::console {

// "1".."N" or a short name such as "xy" or "dxf" (case does not matter);
// nullptr for anything else.
const FormatRow* formatFromArgument(std::string_view argument);

// "1-N or one of: xy, xy-lower, ..." for the help text.
std::string formatChoices();

// The short names of the formats whose files other programs cannot read
// with comment lines in them.
std::string formatsBrokenByComments();

// The format table: number, short name, default extension, description.
std::string formatTable();

}  // namespace tarvex::console
