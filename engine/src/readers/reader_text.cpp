#include "readers/reader_text.h"

#include <algorithm>
#include <cmath>

#include "io/line_scan.h"

namespace tarvex::readers {

DecodedValues decodeText(LineInput& in, std::string_view text) {
  DecodedValues decoded;
  decoded.found = decodeNumbers(in, text.substr(0, kLineLength), decoded.value);
  // -9999 means nothing was stored; -k means k numbers came before the
  // offending character.
  const int stored = decoded.found == -9999 ? 0 : std::abs(decoded.found);
  decoded.count = std::min(stored, static_cast<int>(decoded.value.size()));
  return decoded;
}

void setName(Section& section, std::string_view text) {
  section.name = std::string(trimRight(text.substr(0, kLineLength)));
}

std::string plainText(std::string_view text) {
  std::string plain(text);
  for (char& c : plain) {
    const auto code = static_cast<unsigned char>(c);
    if ((code < 0x20 && c != '\t') || code == 0x7F) c = ' ';
  }
  return plain;
}

void keepPlainText(Section& section) {
  section.name = std::string(trimRight(plainText(section.name)));
  for (std::string& line : section.comments) line = plainText(line);
}

bool startsWith(const LineBuffer& line, std::string_view word) {
  return lineView(line).starts_with(word);
}

int equalsColumn(const LineBuffer& line) {
  const auto at = lineView(line).find('=');
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int usableCapacity(std::span<const float> x, std::span<const float> y, int n) {
  const auto room = std::min(x.size(), y.size());
  if (n <= 0) return 0;
  return static_cast<int>(std::min(static_cast<std::size_t>(n), room));
}

long long truncatedInteger(float value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 1e15;
  const double held = std::clamp(static_cast<double>(value), -kLimit, kLimit);
  return static_cast<long long>(std::trunc(held));
}

}  // namespace tarvex::readers
