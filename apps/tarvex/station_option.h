// The list given with --stations.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tarvex::console {

// Numbers separated by "/" or "," (blanks around them allowed), such as
// "0/0.25/0.5/1"; nothing when an entry is empty, not a number or not finite.
std::optional<std::vector<float>> parseStations(std::string_view list);

}  // namespace tarvex::console
