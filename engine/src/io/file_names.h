// File names as the engine and the console program hold them: UTF-8 text.
// Windows takes UTF-16 names; they are converted at the system calls, and a
// path from the C++ interface is turned into UTF-8, never into the ANSI code
// page, which cannot hold most names.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvex {

#if defined(_WIN32)
// A UTF-8 name in UTF-16. A name that is not valid UTF-8 comes from a caller
// that uses the ANSI code page, and is read in it.
std::wstring wideName(std::string_view name);
std::string utf8Name(std::wstring_view name);

inline std::filesystem::path pathOf(std::string_view name) {
  return std::filesystem::path(wideName(name));
}
inline std::string textOf(const std::filesystem::path& path) { return utf8Name(path.native()); }
#else
inline std::filesystem::path pathOf(std::string_view name) {
  return std::filesystem::path(std::string(name));
}
inline std::string textOf(const std::filesystem::path& path) { return path.string(); }
#endif

}  // namespace tarvex
