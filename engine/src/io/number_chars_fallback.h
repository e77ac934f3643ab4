#pragma once
// Floating conversions for standard libraries without floating from_chars and
// to_chars (libc++ of macOS and Emscripten): fast_float for reading, printf
// digits checked by reading them back for writing. Results match libstdc++'s.

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>

namespace tarvex::io::fallback {

struct CharsResult {
  const char* ptr;
  std::errc ec;
};

// fast_float gives inf or 0 for a number beyond the type's range; the
// standard parser reports result_out_of_range and leaves value alone.
template <typename T>
CharsResult parseNumber(const char* first, const char* last, T& value) {
  T parsed{};
  const auto result = fast_float::from_chars(first, last, parsed);
  if (result.ec != std::errc()) return {result.ptr, result.ec};
  const std::string_view text(first, static_cast<std::size_t>(result.ptr - first));
  const bool numeric = text.find_first_of("0123456789") != std::string_view::npos;
  if (numeric && std::isinf(parsed)) return {result.ptr, std::errc::result_out_of_range};
  if (parsed == T(0)) {
    const auto mantissa = text.substr(0, text.find_first_of("eE"));
    if (mantissa.find_first_of("123456789") != std::string_view::npos)
      return {result.ptr, std::errc::result_out_of_range};
  }
  value = parsed;
  return {result.ptr, std::errc()};
}

inline CharsResult parseDouble(const char* first, const char* last, double& value) {
  return parseNumber(first, last, value);
}
inline CharsResult parseFloat(const char* first, const char* last, float& value) {
  return parseNumber(first, last, value);
}

// Read with fast_float, which rounds correctly: the C library's strtod
// does not everywhere (MinGW's takes 3.839223843572815e-239 for 2^-792), and
// would bring a second parser into the WebAssembly download.
template <typename T>
bool readsBack(const char* text, T value) {
  T parsed{};
  const auto result = fast_float::from_chars(text, text + std::strlen(text), parsed);
  return result.ec == std::errc() && parsed == value;
}

// The shortest digits that read back as value: digits (no point, no trailing
// zeros) and the decimal exponent of the first one. Where the nearest
// candidate of a length misses (below a power of two, where the gap under the
// value is half the one above), its neighbour away from the value may not.
template <typename T>
int shortestDigits(T value, char* digits, int& exponent) {
  const int most = sizeof(T) == sizeof(float) ? 9 : 17;
  char text[48];
  for (int precision = 1; precision <= most; ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision - 1, static_cast<double>(value));
    bool found = readsBack(text, value);
    if (!found) {
      // The other neighbour: one unit more in the last digit.
      char other[48];
      char* e = std::strchr(text, 'e');
      int n = 0;
      for (const char* p = text; p < e; ++p)
        if (*p >= '0' && *p <= '9') other[n++] = *p;
      int exp10 = std::atoi(e + 1);
      int k = n - 1;
      while (k >= 0 && other[k] == '9') other[k--] = '0';
      if (k < 0) {
        other[0] = '1';
        ++exp10;
      } else {
        ++other[k];
      }
      char candidate[48];
      std::snprintf(candidate, sizeof candidate, "%c.%.*se%d", other[0], n - 1, other + 1, exp10);
      if (readsBack(candidate, value)) {
        std::strcpy(text, candidate);
        found = true;
      }
    }
    if (found) break;
  }
  char* e = std::strchr(text, 'e');
  int n = 0;
  for (const char* p = text; p < e; ++p)
    if (*p >= '0' && *p <= '9') digits[n++] = *p;
  while (n > 1 && digits[n - 1] == '0') --n;
  exponent = std::atoi(e + 1);
  return n;
}

// Shortest form as std::to_chars(first, last, value) writes it: fixed or
// scientific, whichever is shorter (fixed on a tie), exponent with a sign and
// at least two digits.
template <typename T>
std::to_chars_result writeNumber(char* first, char* last, T value) {
  char text[64];
  int length = 0;
  if (std::isnan(value)) {
    length = std::snprintf(text, sizeof text, "%s", std::signbit(value) ? "-nan" : "nan");
  } else if (std::isinf(value)) {
    length = std::snprintf(text, sizeof text, "%s", value < 0 ? "-inf" : "inf");
  } else if (value == T(0)) {
    length = std::snprintf(text, sizeof text, "%s", std::signbit(value) ? "-0" : "0");
  } else {
    char digits[24];
    int exponent = 0;
    const int n = shortestDigits(std::fabs(value), digits, exponent);
    char* p = text;
    if (value < 0) *p++ = '-';
    char exponentText[8];
    const int exponentLength = std::snprintf(exponentText, sizeof exponentText, "e%c%02d",
                                             exponent < 0 ? '-' : '+', std::abs(exponent));
    const int scientific = n + (n > 1 ? 1 : 0) + exponentLength;
    const int fixed = exponent >= 0 ? (n > exponent + 1 ? n + 1 : exponent + 1) : n + 1 - exponent;
    if (fixed <= scientific) {
      if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int k = -1; k > exponent; --k) *p++ = '0';
        for (int k = 0; k < n; ++k) *p++ = digits[k];
      } else if (exponent + 1 >= n) {
        // A whole number is written with all its digits, as printf's %.0f.
        p += std::snprintf(p, static_cast<std::size_t>(text + sizeof text - p), "%.0f",
                           static_cast<double>(std::fabs(value)));
      } else {
        for (int k = 0; k <= exponent || k < n; ++k) {
          if (k == exponent + 1) *p++ = '.';
          *p++ = k < n ? digits[k] : '0';
        }
      }
    } else {
      *p++ = digits[0];
      if (n > 1) *p++ = '.';
      for (int k = 1; k < n; ++k) *p++ = digits[k];
      for (int k = 0; k < exponentLength; ++k) *p++ = exponentText[k];
    }
    length = static_cast<int>(p - text);
  }
  if (last - first < length) return {last, std::errc::value_too_large};
  std::memcpy(first, text, static_cast<std::size_t>(length));
  return {first + length, std::errc()};
}

inline std::to_chars_result toChars(char* first, char* last, double value) {
  return writeNumber(first, last, value);
}
inline std::to_chars_result toChars(char* first, char* last, float value) {
  return writeNumber(first, last, value);
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Uint128;

// The value's integer multiple of 10^-decimals nearest to it, halves to
// even, from its binary significand and exponent in 128-bit integers: false
// where they do not hold it (values from 2^63 on, more than 19 decimals).
inline bool scaledUnits(double value, int decimals, Uint128& units) {
  if (decimals < 0 || decimals > 19) return false;
  std::uint64_t bits = 0;  // std::bit_cast is missing from the libc++ of Emscripten here
  std::memcpy(&bits, &value, sizeof bits);
  bits &= ~(std::uint64_t{1} << 63);
  const auto biased = static_cast<int>(bits >> 52);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) significand |= std::uint64_t{1} << 52;
  const int exponent = (biased == 0 ? 1 : biased) - 1075;  // |value| = significand * 2^exponent
  if (exponent > 10) return false;
  std::uint64_t power = 1;
  for (int k = 0; k < decimals; ++k) power *= 10;
  const Uint128 scaled = Uint128{significand} * power;  // below 2^53 * 10^19
  if (exponent >= 0) {
    units = scaled << exponent;
    return true;
  }
  const int shift = -exponent;
  if (shift >= 128) {
    units = 0;  // scaled / 2^shift is below 2^-11: under half a unit
    return true;
  }
  const Uint128 one = 1;
  units = scaled >> shift;
  const Uint128 rest = scaled & ((one << shift) - 1);
  const Uint128 half = one << (shift - 1);
  if (rest > half || (rest == half && (units & 1) != 0)) ++units;
  return true;
}

// The units as text: digits, the last `decimals` of them after a point, at
// least one before it, a minus sign where the value has one (a negative value
// that rounds to zero keeps it, as in printf).
inline std::to_chars_result unitsText(char* first, char* last, Uint128 units, int decimals,
                                      bool negative) {
  char digits[48];
  char* const end = digits + sizeof digits;
  char* p = end;
  constexpr std::uint64_t kTen19 = 10000000000000000000u;
  // Two 64-bit halves: 128-bit division is a library call.
  auto high = static_cast<std::uint64_t>(units / kTen19);
  auto low = static_cast<std::uint64_t>(units % kTen19);
  do {
    *--p = static_cast<char>('0' + low % 10);
    low /= 10;
  } while (low != 0 || (high != 0 && end - p < 19));
  while (high != 0) {
    *--p = static_cast<char>('0' + high % 10);
    high /= 10;
  }
  const auto length = end - p;
  const std::ptrdiff_t integer = length > decimals ? length - decimals : 0;
  const std::ptrdiff_t size =
      (negative ? 1 : 0) + (integer == 0 ? 1 : integer) + (decimals > 0 ? 1 + decimals : 0);
  if (last - first < size) return {last, std::errc::value_too_large};
  char* out = first;
  if (negative) *out++ = '-';
  if (integer == 0) *out++ = '0';
  out = std::copy(p, p + integer, out);
  if (decimals > 0) {
    *out++ = '.';
    out = std::fill_n(out, decimals - (length - integer), '0');
    out = std::copy(p + integer, end, out);
  }
  return {out, std::errc()};
}
#endif

// Exact decimal rounding of the binary value to a number of decimals, as
// to_chars with chars_format::fixed and printf's %.*f give it: in integers
// where they hold it, else through printf (long double arithmetic, slow in
// WebAssembly).
inline std::to_chars_result toCharsFixed(char* first, char* last, double value, int decimals) {
  // Not every C library signs a NaN.
  if (!std::isfinite(value)) return writeNumber(first, last, value);
#ifdef __SIZEOF_INT128__
  Uint128 units = 0;
  if (std::isfinite(value) && scaledUnits(value, decimals, units))
    return unitsText(first, last, units, decimals, std::signbit(value));
#endif
  char text[400];
  const int length = std::snprintf(text, sizeof text, "%.*f", decimals, value);
  if (length < 0 || length >= static_cast<int>(sizeof text) || last - first < length)
    return {last, std::errc::value_too_large};
  std::memcpy(first, text, static_cast<std::size_t>(length));
  return {first + length, std::errc()};
}

}  // namespace tarvex::io::fallback
