#include "line_scan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

namespace tarvex {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Length of an exponent part "E[sign]digits" starting at position i, or 0.
std::size_t exponentLength(std::string_view text, std::size_t i) {
  if (i >= text.size() || !isExponentLetter(text[i])) return 0;
  std::size_t j = i + 1;
  if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
  const std::size_t digits = j;
  while (j < text.size() && isDigit(text[j])) ++j;
  return j > digits ? j - i : 0;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool LGETLN(LineInput& in, LineOutput& out, LineBuffer& line, bool comments) {
  while (in.read(line)) {
    const std::string_view text = lineView(line);
    const int length = significantLength(text);
    if (length < 2) continue;
    if (startsWith(text, "[Airfoil]")) {
      setLine(line, "CEF-FILE");
      return true;
    }
    if (startsWith(text, "ENTITIES")) {
      setLine(line, "DXF-FILE");
      return true;
    }
    if (startsWith(text, "<?xml")) {
      setLine(line, "XML-FILE");
      return true;
    }
    if (LISNUM(text.substr(0, static_cast<std::size_t>(length)), out, comments)) return true;
  }
  return false;
}

bool LISNUM(std::string_view text, LineOutput& out, bool comments) {
  bool digitInToken = false;  // a mantissa digit seen in the current token
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      digitInToken = true;
    } else if (isBlank(c)) {
      digitInToken = false;
    } else if (c == '+' || c == '-' || c == '.') {
      // signs and points belong to the token
    } else if (digitInToken && (isDigit(text[i - 1]) || text[i - 1] == '.') &&
               exponentLength(text, i) > 0) {
      i += exponentLength(text, i) - 1;  // exponent part of a number such as 0.75E-03
    } else {
      if (comments) (void)out.write(std::string("; ").append(text));
      return false;
    }
  }
  return true;
}

void SHRINK(std::span<char> text) {
  if (text.empty()) return;
  const std::size_t n = text.size();
  // Position n is never examined; trailing blanks end up as the fill anyway.
  std::size_t last = n - 1;
  // Lines are mostly trailing blanks: skip them eight at a time.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
  while (last >= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, text.data() + last - 8, sizeof chunk);
    if (chunk != kEightBlanks) break;
    last -= 8;
  }
  while (last > 0 && isBlank(text[last - 1])) --last;
  std::size_t next = 0;
  bool inRun = false;
  for (std::size_t i = 0; i < last; ++i) {
    if (isBlank(text[i])) {
      inRun = true;
      continue;
    }
    if (inRun && next > 0) text[next++] = ' ';
    inRun = false;
    text[next++] = text[i];
  }
  std::fill(text.begin() + static_cast<std::ptrdiff_t>(next), text.end(), ' ');
}

namespace {

// The decimal value of a token's digits times 10^exponent, rounded once to
// the nearest float. False when it lies beyond the float range.
bool tokenValue(std::string_view digits, long exponent, bool negative, float& value) {
  char text[kLineLength + 32];
  std::copy(digits.begin(), digits.end(), text);
  char* end = text + digits.size();
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, exponent).ptr;
  float parsed = 0.0f;
  const auto error = std::from_chars(text, end, parsed).ec;
  if (error == std::errc::result_out_of_range) {
    if (exponent > 0) return false;
    parsed = 0.0f;  // below the smallest float
  } else if (error != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

int DLFF(LineInput& in, std::span<float> values, LineBuffer& line) {
  int count = 0;
  std::size_t i = 0;
  const auto failed = [&count] { return count > 0 ? -count : -9999; };
  for (;;) {
    // A token's digits fit the line: every digit comes from one of its positions
    // (a continuation line restarts the line but not the token, so bound it).
    std::array<char, kLineLength> digitBuffer;
    std::size_t digitCount = 0;
    long exponent = 0;
    bool point = false;
    bool negative = false;
    bool ended = false;
    while (!ended && i < kLineLength) {
      const char c = line[i];
      if (isDigit(c)) {
        if (digitCount < digitBuffer.size()) {
          digitBuffer[digitCount++] = c;
          if (point) --exponent;
        } else if (!point) {
          ++exponent;  // digits past the buffer only scale the value
        }
        ++i;
        continue;
      }
      switch (c) {
        case '.':
          point = true;
          ++i;
          break;
        case '+':
          ++i;
          break;
        case '-':
          negative = true;
          ++i;
          break;
        case ',':
        case ' ':
          ++i;
          ended = true;
          break;
        case 'F':
          // The number continues on the next line; the end of the input ends it.
          i = in.read(line) ? 0 : kLineLength;
          break;
        default: {
          const std::string_view text(line.data(), kLineLength);
          const std::size_t length = exponentLength(text, i);
          if (digitCount == 0 || length == 0) return failed();
          long power = 0;
          bool minus = false;
          for (const char e : text.substr(i + 1, length - 1)) {
            if (e == '-') minus = true;
            if (isDigit(e) && power < 100000) power = power * 10 + (e - '0');
          }
          exponent += minus ? -power : power;
          i += length;
        }
      }
    }
    if (digitCount == 0) return count;
    float value = 0.0f;
    if (!tokenValue({digitBuffer.data(), digitCount}, exponent, negative, value)) return failed();
    if (static_cast<std::size_t>(count) < values.size()) values[static_cast<std::size_t>(count)] = value;
    ++count;
  }
}

int NOBLANK(std::span<char> text) {
  std::size_t next = 0;
  for (const char c : text) {
    if (!isBlank(c)) text[next++] = c;
  }
  return static_cast<int>(next);
}

int REPLACE(std::span<char> text, char oldChar, char newChar) {
  int replaced = 0;
  for (char& c : text) {
    if (c == oldChar) {
      c = newChar;
      ++replaced;
    }
  }
  return replaced;
}

}  // namespace tarvex
