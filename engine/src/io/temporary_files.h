// The named temporary files of the conversions in progress, kept where a
// signal handler can remove them without taking a lock or allocating.
#pragma once

#include <string>

namespace tarvex::temporaries {

// Remembers a path; returns its slot, or -1 when all slots are taken (the
// file then goes unremoved only if the program is killed by a signal).
int add(const std::string& path) noexcept;
void forget(int slot) noexcept;
// Removes every remembered file. Async-signal-safe.
void removeAll() noexcept;

}  // namespace tarvex::temporaries
