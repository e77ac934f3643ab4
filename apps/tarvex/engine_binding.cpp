#include "engine_binding.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>

#include <filesystem>
#include <vector>
#endif
#if defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#include <cstring>
#endif

#ifndef TARVEX_LIBRARY_NAME
#error "TARVEX_LIBRARY_NAME names the engine library file"
#endif
#ifndef TARVEX_LIBRARY_FROM_PROGRAM
#define TARVEX_LIBRARY_FROM_PROGRAM "../lib"
#endif

namespace tarvex::console {
namespace {

#if !defined(_WIN32)
// The program's own file, links resolved; empty when it cannot be known.
std::filesystem::path programFile() {
  std::error_code error;
#if defined(__APPLE__)
  std::uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string path(size, '\0');
  if (_NSGetExecutablePath(path.data(), &size) != 0) return {};
  path.resize(std::strlen(path.c_str()));
  auto resolved = std::filesystem::canonical(path, error);
#else
  auto resolved = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
  return error ? std::filesystem::path() : resolved;
}

// Beside the program (a build), in the library folder of its installation,
// then wherever the system looks. The program carries no RUNPATH: it links
// no library of its own, and each start would pay for the search.
std::vector<std::string> libraryCandidates() {
  std::vector<std::string> candidates;
  const auto program = programFile();
  if (!program.empty()) {
    const auto folder = program.parent_path();
    candidates.push_back((folder / TARVEX_LIBRARY_NAME).string());
    candidates.push_back((folder / TARVEX_LIBRARY_FROM_PROGRAM / TARVEX_LIBRARY_NAME).string());
  }
  candidates.push_back(TARVEX_LIBRARY_NAME);
  return candidates;
}
#endif

}  // namespace

std::optional<EngineEntries> bindEngine(std::string& error) {
  EngineEntries entries;
#if defined(_WIN32)
  // The program's own folder comes first in the search for a library.
  const HMODULE library = LoadLibraryA(TARVEX_LIBRARY_NAME);
  if (library == nullptr) {
    error = "cannot load " TARVEX_LIBRARY_NAME " (error " + std::to_string(GetLastError()) + ")";
    return std::nullopt;
  }
  // GetProcAddress gives every entry one type; void (*)() stands for any.
  const auto entry = [library](const char* name) {
    return reinterpret_cast<void (*)()>(GetProcAddress(library, name));
  };
  entries.convert = reinterpret_cast<ConvertEntry>(entry("INORM"));
  entries.removeTemporaries =
      reinterpret_cast<CleanupEntry>(entry("tarvex_remove_temporary_files"));
#else
  // The library stays loaded until the program ends.
  void* library = nullptr;
  for (const std::string& candidate : libraryCandidates()) {
    library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr) break;
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot load " + candidate;
  }
  if (library == nullptr) return std::nullopt;
  entries.convert = reinterpret_cast<ConvertEntry>(dlsym(library, "INORM"));
  entries.removeTemporaries =
      reinterpret_cast<CleanupEntry>(dlsym(library, "tarvex_remove_temporary_files"));
#endif
  if (entries.convert == nullptr) {
    error = "no entry INORM in " TARVEX_LIBRARY_NAME;
    return std::nullopt;
  }
  return entries;
}

}  // namespace tarvex::console
