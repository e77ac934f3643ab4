#include "io/line_scan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "io/number_chars.h"

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

// Beyond this, a decimal exponent puts any number of at most 80 digits far
// outside the float range; holding it here keeps the sum from overflowing.
constexpr std::int64_t kExponentLimit = 100000;

std::int64_t heldExponent(std::int64_t exponent) {
  return std::clamp(exponent, -kExponentLimit, kExponentLimit);
}

// The decimal value of a token's digits times 10^exponent, rounded once to
// the nearest float. False when it lies beyond the float range; a value
// below the smallest float becomes 0.
bool tokenValue(std::string_view digits, std::int64_t exponent, bool negative, float& value) {
  char text[kLineLength + 32];
  std::copy(digits.begin(), digits.end(), text);
  char* end = text + digits.size();
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, exponent).ptr;
  float parsed = 0.0f;
  const auto error = io::parseFloat(text, end, parsed).ec;
  if (error == std::errc::result_out_of_range) {
    // Too large or too small: the place of the leading digit tells which.
    const auto first = digits.find_first_not_of('0');
    const auto leading =
        static_cast<std::int64_t>(digits.size() - first) - 1 + exponent;  // d.dd x 10^leading
    if (leading >= 0) return false;
    parsed = 0.0f;
  } else if (error != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace

bool LGETLN(LineInput& in, CommentLines* comments, std::string_view& line, LineNumbers* numbers) {
  if (numbers != nullptr) numbers->count = -1;
  while (in.next(line)) {
    const int length = significantLength(line);
    if (length < 2) continue;
    const std::string_view significant = line.substr(0, static_cast<std::size_t>(length));
    // Plain numbers pass the number-line test as well: reading them is
    // testing them.
    if (numbers != nullptr && line[0] != '[' && line[0] != 'E' && line[0] != '<') {
      numbers->count = scanPlainNumbers(significant, numbers->values);
      if (numbers->count >= 0) return true;
    }
    if (line.starts_with("[Airfoil]")) {
      line = kCefMarker;
      return true;
    }
    if (line.starts_with("ENTITIES")) {
      line = kDxfMarker;
      return true;
    }
    if (line.starts_with("<?xml")) {
      line = kXmlMarker;
      return true;
    }
    if (LISNUM(significant, comments)) return true;
  }
  return false;
}

bool LISNUM(std::string_view text, CommentLines* comments) {
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
      if (comments != nullptr) comments->emplace_back(text);
      return false;
    }
  }
  return true;
}

void SHRINK(std::span<char> text) {
  if (text.empty()) return;
  const std::size_t n = text.size();
  // Position n is never examined; trailing blanks and tabs end up as the
  // fill anyway.
  auto last = static_cast<std::size_t>(significantLength(std::string_view(text.data(), n - 1)));
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

int DLFF(LineInput& in, std::span<float> values, LineBuffer& line) {
  int count = 0;
  std::size_t i = 0;
  const auto failed = [&count] { return count > 0 ? -count : -9999; };
  for (;;) {
    // A token's digits fit the line: every digit comes from one of its positions
    // (a continuation line restarts the line but not the token, so bound it).
    std::array<char, kLineLength> digitBuffer;
    std::size_t digitCount = 0;
    std::int64_t exponent = 0;
    bool point = false;
    bool negative = false;
    bool ended = false;
    while (!ended && i < kLineLength) {
      const char c = line[i];
      if (isDigit(c)) {
        if (digitCount < digitBuffer.size()) {
          digitBuffer[digitCount++] = c;
          if (point) exponent = heldExponent(exponent - 1);
        } else if (!point) {
          exponent = heldExponent(exponent + 1);  // digits past the buffer only scale the value
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
          std::int64_t power = 0;
          bool minus = false;
          for (const char e : text.substr(i + 1, length - 1)) {
            if (e == '-') minus = true;
            if (isDigit(e) && power < kExponentLimit) power = power * 10 + (e - '0');
          }
          exponent = heldExponent(exponent + (minus ? -power : power));
          i += length;
        }
      }
    }
    if (digitCount == 0) return count;
    float value = 0.0f;
    if (!tokenValue({digitBuffer.data(), digitCount}, exponent, negative, value)) return failed();
    if (static_cast<std::size_t>(count) < values.size()) {
      values[static_cast<std::size_t>(count)] = value;
    }
    ++count;
  }
}

namespace {

// A decimal number's digits gathered as it is scanned: value = mantissa x
// 10^(scale + zeros). Trailing zeros are only counted, so that 1.0000000
// stays a mantissa of 1.
struct Decimal {
  std::uint64_t mantissa = 0;
  int digits = 0;  // significant digits in the mantissa
  int zeros = 0;   // zeros after the last non-zero digit, not yet in it
  int scale = 0;
  bool tooLong = false;

  void add(int digit) {
    if (digit == 0) {
      if (mantissa != 0) ++zeros;
      return;
    }
    static constexpr std::uint64_t kPowers[] = {
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000};
    digits += zeros + 1;
    if (digits > 10 || zeros >= 10) {
      tooLong = true;
      return;
    }
    mantissa = mantissa * kPowers[zeros + 1] + static_cast<std::uint64_t>(digit);
    zeros = 0;
  }

  // The float nearest to the number, as from_chars gives it, for the common
  // short numbers: a mantissa of at most 2^24 and a power of ten up to 10^10
  // are exact floats, so one multiplication or division rounds once and
  // correctly. False when the number is not one of them.
  bool toFloat(int exponent, float& value) const {
    if (tooLong) return false;
    if (mantissa == 0) {
      value = 0.0f;
      return true;
    }
    const int power = scale + zeros + exponent;
    if (mantissa > (std::uint64_t{1} << 24) || power < -10 || power > 10) return false;
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                        1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const auto m = static_cast<float>(mantissa);
    value = power < 0 ? m / kPowers[-power] : m * kPowers[power];
    return true;
  }
};

}  // namespace

int scanPlainNumbers(std::string_view line, std::span<float> values) {
  // The squeeze never looks at column 80, so a character there is lost.
  if (line.size() >= kLineLength) return -1;
  int count = 0;
  std::size_t i = 0;
  const std::size_t n = line.size();
  for (;;) {
    while (i < n && isBlank(line[i])) ++i;
    if (i == n) return count;
    // [sign] digits [. [digits]] | [sign] . digits, then [e [sign] digits]
    const std::size_t start = i;
    const bool negative = line[i] == '-';
    if (negative || line[i] == '+') ++i;
    Decimal decimal;
    const std::size_t mantissaStart = i;
    while (i < n && isDigit(line[i])) decimal.add(line[i++] - '0');
    std::size_t digits = i - mantissaStart;
    if (i < n && line[i] == '.') {
      ++i;
      const std::size_t fraction = i;
      while (i < n && isDigit(line[i])) {
        decimal.add(line[i++] - '0');
        --decimal.scale;
      }
      digits += i - fraction;
    }
    if (digits == 0) return -1;
    int exponent = 0;
    bool shortExponent = true;
    if (i < n && (line[i] == 'e' || line[i] == 'E')) {
      ++i;
      bool minus = false;
      if (i < n && (line[i] == '+' || line[i] == '-')) minus = line[i++] == '-';
      const std::size_t exponentDigits = i;
      while (i < n && isDigit(line[i])) {
        exponent = std::min(exponent * 10 + (line[i] - '0'), 1000);
        ++i;
      }
      if (i == exponentDigits) return -1;
      if (minus) exponent = -exponent;
      shortExponent = exponent > -1000 && exponent < 1000;
    }
    if (i < n && !isBlank(line[i])) return -1;
    float value = 0.0f;
    if (shortExponent && decimal.toFloat(exponent, value)) {
      if (negative) value = -value;
    } else {
      // from_chars takes no plus sign, and rounds exactly as the general parser.
      const std::size_t from = line[start] == '+' ? start + 1 : start;
      const auto [end, error] = io::parseFloat(line.data() + from, line.data() + i, value);
      if (error != std::errc() || end != line.data() + i) return -1;
    }
    if (static_cast<std::size_t>(count) < values.size()) {
      values[static_cast<std::size_t>(count)] = value;
    }
    ++count;
  }
}

int decodeNumbers(LineInput& in, std::string_view line, std::span<float> values) {
  const int plain = scanPlainNumbers(line, values);
  if (plain >= 0) return plain;
  LineBuffer buffer;
  setLine(buffer, line);
  SHRINK(buffer);
  return DLFF(in, values, buffer);
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
