#include "json_text.h"

#include <charconv>
#include <cmath>

#include "io/number_chars.h"
#include "standard_streams.h"

namespace tarvex::console {

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
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
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
  const auto [end, error] = tarvex::io::toChars(text, text + sizeof text, value);
  if (error != std::errc()) return "null";
  return std::string(text, end);
}

}  // namespace tarvex::console
