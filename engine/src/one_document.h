// Output formats whose file is one document with one section: a second
// section after the first, or after an existing file's content, would make
// a file no other program reads (two SVG roots, Gmsh's repeated point tags,
// a DXF whose second drawing is never read).
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

inline std::string oneSectionPerFile(std::string_view format) {
  return std::string(format) + " output takes one section per file";
}

}  // namespace tarvex
