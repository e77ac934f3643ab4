// Text line scanning: fetching data lines, telling number lines from
// comments, squeezing blanks and the engine's own small number parser.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/line_io.h"

namespace tarvex {

// The input's comment lines as they are echoed, each without its "; ".
using CommentLines = std::vector<std::string>;

// The words LGETLN delivers in place of the markers "[Airfoil]", "ENTITIES"
// and "<?xml" at column 1.
inline constexpr std::string_view kCefMarker = "CEF-FILE";
inline constexpr std::string_view kDxfMarker = "DXF-FILE";
inline constexpr std::string_view kXmlMarker = "XML-FILE";

// The numbers of a line, when they could be read where they lie.
struct LineNumbers {
  int count = -1;  // -1: not read; SHRINK and DLFF must do it
  std::array<float, 4> values{};
};

// Next line that carries data (at most 80 characters, not padded), or the
// word of a marker. Other non-number lines are skipped and kept as comments
// when comments is given. With numbers given, a line of plain numbers comes
// with its numbers read.
bool LGETLN(LineInput& in, CommentLines* comments, std::string_view& line,
            LineNumbers* numbers = nullptr);

// True when the text holds number characters only; otherwise the text is
// kept as a comment line when comments is given.
bool LISNUM(std::string_view text, CommentLines* comments);

// Squeezes runs of blanks and tabs to one blank, drops leading ones; the
// last position is always left blank.
void SHRINK(std::span<char> text);

// Parses the squeezed line into values. Returns the number of values found
// (also those beyond the room of values, which are counted but not stored);
// a character outside the number table gives -count, or -9999 when none.
// An "F" continues the current number on the next input line.
int DLFF(LineInput& in, std::span<float> values, LineBuffer& line);

// The numbers of a line as SHRINK and DLFF would find them in its padded
// buffer, parsed where they lie. Returns -1 when the line is not made of
// plain numbers alone (then SHRINK and DLFF must do it).
int scanPlainNumbers(std::string_view line, std::span<float> values);

// SHRINK and DLFF on the line, by way of the plain scan where it applies.
int decodeNumbers(LineInput& in, std::string_view line, std::span<float> values);

// Removes blanks and tabs, moving the rest to the front; returns how many
// characters were kept. Later positions keep their old content.
int NOBLANK(std::span<char> text);

// Replaces every oldChar by newChar; returns the number of replacements.
int REPLACE(std::span<char> text, char oldChar, char newChar);

}  // namespace tarvex
