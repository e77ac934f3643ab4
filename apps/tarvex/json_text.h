// Pieces of JSON text for `tarvex info --json`.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::console {

// A quoted JSON string. Text that is not valid UTF-8 is taken as ISO 8859-1,
// the engine's own encoding, so the result is always valid JSON.
std::string jsonString(std::string_view text);

// The shortest text that reads back as the same float; null for NaN and
// the infinities, which JSON cannot hold.
std::string jsonNumber(float value);

}  // namespace tarvex::console
