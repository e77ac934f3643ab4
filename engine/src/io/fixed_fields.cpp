#include "io/fixed_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "io/number_chars.h"

namespace tarvex::fields {
namespace {

void appendStars(std::string& text, int w) {
  if (w > 0) text.append(static_cast<std::size_t>(w), '*');
}

void appendRightJustified(std::string& text, std::string_view value, int w) {
  const auto width = static_cast<std::size_t>(w);
  text.append(width - value.size(), ' ');
  text.append(value);
}

// Whether value * scale (a power of ten up to 1e15), rounded to product, is
// exact: the rounding error of the product by Dekker's splitting, which needs
// no fused multiply-add (the WebAssembly build has none in hardware, and a
// library one costs more than the rest of the number). Where the partial
// products could fall below the normal range, the fused multiply-add decides.
bool exactProduct(double value, double scale, double product) {
  if (value == 0.0) return true;
  if (!(std::fabs(value) > 0x1p-900)) return std::fma(value, scale, -product) == 0.0;
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double v = kSplit * value;
  const double vHigh = v - (v - value);
  const double vLow = value - vHigh;
  const double s = kSplit * scale;
  const double sHigh = s - (s - scale);
  const double sLow = scale - sHigh;
  return ((vHigh * sHigh - product) + vHigh * sLow + vLow * sHigh) + vLow * sLow == 0.0;
}

// "00" to "99", for two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Fw.d the fast way, built from the right into out (w characters): when
// value * 10^d is exact in double (every single-precision coordinate with up
// to 8 decimals), rounding that product to an integer is the exact decimal
// rounding. False when the general way must be taken.
bool placeScaledDecimal(char* out, double value, int w, int d, bool& fits) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  constexpr int kRoom = 64;
  if (d < 0 || d > 15 || w > kRoom - 2) return false;
  const double scale = kPowers[d];
  const double product = value * scale;
  if (!(std::fabs(product) < 9007199254740992.0) || !exactProduct(value, scale, product)) {
    return false;
  }
  const double rounded = std::nearbyint(product);  // halves to even
  auto units = static_cast<std::uint64_t>(std::fabs(rounded));
  // A value that rounds to zero carries no sign.
  const bool negative = rounded < 0 && units != 0;
  char buffer[kRoom];
  char* const end = buffer + kRoom;
  char* p = end;
  if (d <= 0) *--p = '.';  // F2.0 of 3 is "3."
  int k = 0;
  for (; k + 2 <= d; k += 2) {
    const auto pair = static_cast<std::size_t>(units % 100);
    units /= 100;
    p -= 2;
    p[0] = kDigitPairs[2 * pair];
    p[1] = kDigitPairs[2 * pair + 1];
  }
  if (k < d) {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  }
  if (d > 0) *--p = '.';
  const bool zeroInteger = units == 0;
  while (units >= 100) {
    const auto pair = static_cast<std::size_t>(units % 100);
    units /= 100;
    p -= 2;
    p[0] = kDigitPairs[2 * pair];
    p[1] = kDigitPairs[2 * pair + 1];
  }
  if (units >= 10) {
    p -= 2;
    p[0] = kDigitPairs[2 * units];
    p[1] = kDigitPairs[2 * units + 1];
  } else {
    *--p = static_cast<char>('0' + units);
  }
  auto length = static_cast<int>(end - p) + (negative ? 1 : 0);
  // Without room for it, the zero before the decimal point is dropped.
  if (length > w && d > 0 && zeroInteger) {
    ++p;
    --length;
  }
  const auto width = static_cast<std::size_t>(w);
  if (length > w) {
    fits = false;
    std::fill_n(out, width, '*');
    return true;
  }
  if (negative) *--p = '-';
  while (p > end - w) *--p = ' ';
  std::copy_n(p, width, out);
  fits = true;
  return true;
}

}  // namespace

bool placeDecimal(char* out, double value, int w, int d) {
  if (w <= 0) return true;
  const auto width = static_cast<std::size_t>(w);
  if (!std::isfinite(value)) {
    std::fill_n(out, width, '*');
    return false;
  }
  bool fits = true;
  if (placeScaledDecimal(out, value, w, d, fits)) return fits;
  // Exact decimal rounding of the binary value, halves to even, as printf does.
  char buffer[400];
  const auto [end, error] = io::toCharsFixed(buffer, buffer + sizeof buffer, value, d);
  if (error != std::errc()) {
    std::fill_n(out, width, '*');
    return false;
  }
  std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
  bool negative = digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  // A value that rounds to zero carries no sign.
  if (digits.find_first_not_of("0.") == std::string_view::npos) negative = false;
  const bool point = d <= 0;  // F2.0 of 3 is "3."
  std::size_t length = digits.size() + (negative ? 1 : 0) + (point ? 1 : 0);
  if (length > width && digits.starts_with("0.")) {
    // Without room for it, the zero before the decimal point is dropped.
    digits.remove_prefix(1);
    --length;
  }
  if (length > width) {
    std::fill_n(out, width, '*');
    return false;
  }
  out = std::fill_n(out, width - length, ' ');
  if (negative) *out++ = '-';
  out = std::copy(digits.begin(), digits.end(), out);
  if (point) *out = '.';
  return true;
}

bool appendDecimal(std::string& text, double value, int w, int d) {
  if (w <= 0) return true;
  const std::size_t size = text.size();
  text.resize(size + static_cast<std::size_t>(w));
  return placeDecimal(text.data() + size, value, w, d);
}

bool appendInteger(std::string& text, long long value, int w, int minDigits) {
  if (w <= 0) return true;
  // The magnitude as unsigned, which also holds that of the most negative value.
  const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
  char buffer[48];
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const auto count = static_cast<std::size_t>(end - digits);
  const std::size_t zeros = minDigits > 0 && count < static_cast<std::size_t>(minDigits)
                                ? static_cast<std::size_t>(minDigits) - count
                                : 0;
  const std::size_t length = (value < 0 ? 1 : 0) + zeros + count;
  if (length > static_cast<std::size_t>(w) || zeros > 24) {
    appendStars(text, w);
    return false;
  }
  char* out = buffer;
  if (value < 0) *out++ = '-';
  out = std::fill_n(out, zeros, '0');
  out = std::copy(digits, end, out);
  appendRightJustified(text, std::string_view(buffer, static_cast<std::size_t>(out - buffer)), w);
  return true;
}

void appendText(std::string& text, std::string_view value, int w) {
  if (w <= 0) return;
  const auto width = static_cast<std::size_t>(w);
  if (value.size() >= width) {
    text.append(value.substr(0, width));
  } else {
    appendRightJustified(text, value, w);
  }
}

void appendBlanks(std::string& text, int n) {
  if (n > 0) text.append(static_cast<std::size_t>(n), ' ');
}

std::string decimal(double value, int w, int d) {
  std::string text;
  appendDecimal(text, value, w, d);
  return text;
}

std::string integer(long long value, int w, int minDigits) {
  std::string text;
  appendInteger(text, value, w, minDigits);
  return text;
}

std::string text(std::string_view value, int w) {
  std::string result;
  appendText(result, value, w);
  return result;
}

std::string blanks(int n) {
  std::string text;
  appendBlanks(text, n);
  return text;
}

}  // namespace tarvex::fields
