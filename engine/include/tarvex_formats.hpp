// Tarvex - the output formats, one row each.
//
// This table is the only place where a format's facts are written: its
// number, the writer it selects, its short name, default extension and title,
// and how it treats the section. The engine, the console program, the command
// line, the Python module and the desktop program all read it; the desktop
// program includes it without linking the engine. A new format is one row
// here and one writer in the engine.
#ifndef TARVEX_FORMATS_HPP
#define TARVEX_FORMATS_HPP

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvex {

struct FormatRow {
  int number;                  // the user's format number
  int writerCode;              // selects the writer: the number, but 2 and 3 exchanged
  std::string_view shortName;  // name on the command line and in Python
  std::string_view extension;  // default output extension, without the dot
  std::string_view title;      // one-line description
  bool pairsSurfaces;          // upper and lower surface side by side on common x-stations
  bool perCent;                // every coordinate written multiplied by 100
  bool commentsBreakIt;        // comment lines make the file unreadable for other programs
};

inline constexpr auto kFormats = std::to_array<FormatRow>({
    {1, 1, "xy", "geo", "two columns, TE -> upper surface -> LE -> lower surface -> TE", false,
     false, false},
    {2, 3, "xy-lower", "txt", "two columns, TE -> lower surface -> LE -> upper surface -> TE",
     false, false, false},
    {3, 2, "xyy", "txt", "three columns, TE -> LE", true, false, false},
    {4, 4, "xyy-le", "txt", "three columns, LE -> TE", true, false, false},
    {5, 5, "eppler", "epp", "Eppler FXPR format", false, false, false},
    {6, 6, "cef", "cef", "CEF coordinate exchange format", false, false, false},
    {7, 7, "airfoil0", "af0", "AIRFOIL0 format", true, false, false},
    {8, 8, "vsaero", "vsa", "VSAERO format", true, false, false},
    {9, 9, "acad-script", "scr", "AutoCad script format", false, false, true},
    {10, 10, "ksc", "ksc", "Vuz Ovorav KSC format", true, true, false},
    {11, 11, "dxf", "dxf", "AutoCad DXF format", false, true, true},
    {12, 12, "rhino", "txt", "Rhinoceros script command format", false, false, true},
    {13, 13, "xml", "xml", "XML format", false, false, true},
    {14, 14, "fortran", "for", "FORTRAN/BASIC source format", false, false, true},
    {15, 15, "c", "c", "C/Java source format", false, false, true},
    {16, 16, "camber", "txt", "x/c, t/c, f/c (thickness and camber) format", true, false, false},
    {17, 17, "pmarc", "txt", "PMARC/CMARC format", true, false, false},
    {18, 18, "svg", "svg", "SVG drawing at true size in millimetres", false, false, false},
    {19, 19, "gmsh", "geo", "Gmsh geometry: the section as a curve loop, optionally in a far field",
     false, false, false},
    {20, 20, "dxf2000", "dxf", "DXF R2000 drawing in millimetres: a closed LWPOLYLINE", false,
     false, false},
    {21, 21, "selig", "dat",
     "Selig: name, then x y from TE over the upper surface to LE and back (XFOIL, UIUC)", false,
     false, false},
    {22, 22, "lednicer", "dat",
     "Lednicer: name, surface counts, each surface from LE to TE after a blank line", false, false,
     false},
});

// The formats the C entry INORM writes; every other number writes no data there.
inline constexpr int kClassicFormatCount = 17;

// The row of a format number; nullptr for a number without a format.
constexpr const FormatRow* formatByNumber(int number) {
  if (number < 1 || number > static_cast<int>(kFormats.size())) return nullptr;
  return &kFormats[static_cast<std::size_t>(number - 1)];
}

}  // namespace tarvex

#endif
