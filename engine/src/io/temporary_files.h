// The named temporary files of the conversions in progress, kept where a
// signal handler can remove them without taking a lock or allocating.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::temporaries {

// A name for a new temporary file beside an output that no other run picks.
std::string newName();

// Remembers a file by the descriptor of its open folder and its name there
// (where there are no folder descriptors, folder is ignored and name is the
// path); returns its slot, or -1 when all slots are taken (the file then
// goes unremoved only if the program is killed by a signal). The folder must
// stay open until the slot is forgotten.
int add(int folder, std::string_view name) noexcept;
void forget(int slot) noexcept;
// Removes every remembered file. Async-signal-safe.
void removeAll() noexcept;

}  // namespace tarvex::temporaries
