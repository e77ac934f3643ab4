// Reading the user's answers the way the dialogue's questions expect them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::console {

// The first value of a free-form answer (blanks, tabs, commas and slashes
// separate values) when it is an integer.
std::optional<int> freeFormInteger(std::string_view answer);

// An integer in a fixed field of the first width characters: blanks do not
// count, an all-blank field is 0.
std::optional<int> integerField(std::string_view answer, std::size_t width);

// A file name answer as the blank-padded buffer of size characters.
std::string nameBuffer(std::string_view answer, std::size_t size);

}  // namespace tarvex::console
