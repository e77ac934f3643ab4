// Lengths on the command line: --chord, --skin and --stroke.
#pragma once

#include <optional>
#include <string_view>

namespace tarvex::console {

// A number of 0 or more with an optional unit, mm (also without a unit), cm,
// m or in, such as "250mm", "10in" or "0.3 m", in millimetres; nothing for
// any other text.
std::optional<float> parseLength(std::string_view text);

}  // namespace tarvex::console
