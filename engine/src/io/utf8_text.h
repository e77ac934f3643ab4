// Well-formed UTF-8 by the rules browsers and terminals keep: no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvex::io {

// Length of the well-formed UTF-8 sequence starting at text[i], 0 when there
// is none (stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF).
inline std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size() || at(1) < low || at(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if ((at(k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace tarvex::io
