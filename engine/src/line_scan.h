// Text line scanning: fetching data lines, telling number lines from
// comments, squeezing blanks and the engine's own small number parser.
#pragma once

#include <span>
#include <string_view>

#include "text_io.h"

namespace tarvex {

// Next line that carries data. The markers "[Airfoil]", "ENTITIES" and
// "<?xml" at column 1 come back as "CEF-FILE", "DXF-FILE" and "XML-FILE";
// other non-number lines are skipped (and echoed as comments when asked).
bool LGETLN(LineInput& in, LineOutput& out, LineBuffer& line, bool comments);

// True when the text holds number characters only; otherwise, with comments
// on, writes "; " and the text as a comment line.
bool LISNUM(std::string_view text, LineOutput& out, bool comments);

// Squeezes runs of blanks and tabs to one blank, drops leading ones; the
// last position is always left blank.
void SHRINK(std::span<char> text);

// Parses the squeezed line into values. Returns the number of values found
// (also those beyond the room of values, which are counted but not stored);
// a character outside the number table gives -count, or -9999 when none.
// An "F" continues the current number on the next input line.
int DLFF(LineInput& in, std::span<float> values, LineBuffer& line);

// Removes blanks and tabs, moving the rest to the front; returns how many
// characters were kept. Later positions keep their old content.
int NOBLANK(std::span<char> text);

// Replaces every oldChar by newChar; returns the number of replacements.
int REPLACE(std::span<char> text, char oldChar, char newChar);

}  // namespace tarvex
