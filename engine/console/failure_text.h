// A failed conversion as one line in the dialogue's English words, for the
// command line, where one message line per file keeps the output greppable.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::console {

// The dialogue's message for an engine status, its lines joined into one;
// failedName is the file that could not be opened (status 1 or 2). Status
// texts without a dialogue message say the status number instead.
std::string failureText(int status, std::string_view failedName, int capacity);

}  // namespace tarvex::console
