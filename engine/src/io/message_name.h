// Errors about file names, shown as nameForMessage shows them.
#pragma once

#include <string>

#include "tarvex.hpp"

namespace tarvex {

// A name holding a null byte: the system would stop the name there and open
// or write another file.
Error nullByteInName(const std::string& path, Status status);

}  // namespace tarvex
