// Small pieces shared by the CEF, DXF and XML readers: keyword tests on the
// line as read, decoding a value text the engine's way and keeping every
// store inside the caller's arrays.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex::readers {

// Values decoded from one text; count is the number actually stored.
struct DecodedValues {
  std::array<float, 4> value{};
  int count = 0;
  int found = 0;  // DLFF's own result: negative after a parse error
};

// Squeezes text (cut to one line buffer) and decodes it with DLFF. A text
// that ends in a parse error still yields the numbers stored before it.
DecodedValues decodeText(LineInput& in, std::string_view text);

// The section name from a text: its first 80 characters, trailing blanks dropped.
void setName(Section& section, std::string_view text);

// What a name or a comment line keeps of the input: its bytes, except that
// every control character but the tab (NUL, a lone carriage return, form
// feed, escape, DEL) becomes a blank. No output then meets a line end or a
// string end inside a name, whatever its syntax; letters of any 8-bit
// encoding stay as they are.
std::string plainText(std::string_view text);

// The section's name and comment lines made plain text, once after reading.
void keepPlainText(Section& section);

// True when the line starts with word at column 1.
bool startsWith(const LineBuffer& line, std::string_view word);

// Column of the first '=' counted from 1; 0 when there is none.
int equalsColumn(const LineBuffer& line);

// The number of points the arrays can take: the stated capacity, but never
// more than either array holds.
int usableCapacity(std::span<const float> x, std::span<const float> y, int n);

// Truncation towards zero that stays defined for any float: values beyond
// +-1e15 (infinities included) are held there, NaN gives 0.
long long truncatedInteger(float value);

}  // namespace tarvex::readers
