// Output formats whose file is one document with one section: a second
// section after the first, or after an existing file's content, would make
// a file no other program reads (two SVG roots, Gmsh's repeated point tags,
// a DXF whose second drawing is never read).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tarvex.hpp"

namespace tarvex {

// The format's name for a message, when its files hold one section only.
constexpr std::optional<std::string_view> oneSectionFormat(int format) {
  switch (format) {
    case 18:
      return "SVG";
    case 19:
      return "Gmsh";
    case 20:
      return "DXF R2000";
    default:
      return std::nullopt;
  }
}

inline Error oneSectionPerFile(std::string_view format, std::string_view why) {
  return {Status::badOptions,
          std::string(format) + " output takes one section per file: " + std::string(why),
          {},
          0};
}

// Appending to it would put a second document after the first.
inline bool holdsContent(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) &&
         std::filesystem::file_size(path, error) > 0 && !error;
}

inline constexpr std::string_view kNoAppending =
    "it cannot be appended to a file that holds anything already";

}  // namespace tarvex
