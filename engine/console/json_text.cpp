#include "json_text.h"

#include <charconv>
#include <cmath>

namespace tarvex::console {
namespace {

// Length of the well-formed UTF-8 sequence starting at text[i], 0 when there
// is none (stray continuation bytes, overlong forms, surrogates, beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
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

bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

void appendLatin1AsUtf8(std::string& out, unsigned char c) {
  out += static_cast<char>(0xC0 | (c >> 6));
  out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

std::string jsonString(std::string_view text) {
  const bool utf8 = isUtf8(text);
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else if (c >= 0x80 && !utf8) {
      appendLatin1AsUtf8(out, c);
    } else {
      out += ch;
    }
  }
  out += '"';
  return out;
}

std::string jsonNumber(float value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  if (error != std::errc()) return "null";
  return std::string(text, end);
}

}  // namespace tarvex::console
