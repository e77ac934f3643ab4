// MAIN: the console dialogue that converts one input file into one or more
// formats collected in one output file.
#pragma once

#include <istream>
#include <ostream>

#include "engine_binding.h"

namespace tarvex::console {

// Asks for the language, the two file names and then format after format
// until 0, the end of the answers or the first failed conversion; each
// conversion goes through the library's exported entry. False when the last
// conversion failed.
bool MAIN(std::istream& answers, std::ostream& terminal, ConvertEntry INORM);

}  // namespace tarvex::console
