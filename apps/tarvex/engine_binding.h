// The exported entries of libtarvex, bound at run time for the dialogue.
// The batch commands use the engine linked into the program instead, so a
// batch run neither loads the library nor its C++ runtime: a process per
// file starts in about half the time.
#pragma once

#include <optional>
#include <string>

#include "tarvex.h"

namespace tarvex::console {

using ConvertEntry = decltype(&::INORM);
using CleanupEntry = decltype(&::tarvex_remove_temporary_files);

struct EngineEntries {
  ConvertEntry convert = nullptr;
  // The library's own cleanup of its temporary files, for a signal handler;
  // nullptr when the library does not offer it.
  CleanupEntry removeTemporaries = nullptr;
};

// Loads the library (beside the program, or where the program's library path
// says) and finds its entries; on failure nothing, and error says why.
std::optional<EngineEntries> bindEngine(std::string& error);

}  // namespace tarvex::console
