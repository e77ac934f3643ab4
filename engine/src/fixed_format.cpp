#include "fixed_format.h"

#include <cmath>
#include <algorithm>
#include <charconv>

namespace tarvex::fmt {
namespace {

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string rightJustify(std::string text, int w) {
  if (static_cast<int>(text.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

// The fast way for the common case: when value * 10^d is exact in double
// (every single-precision coordinate with up to 8 decimals), rounding that
// product to an integer is the exact decimal rounding. Returns the digits with
// sign and point, or an empty view when the general way must be taken.
std::string_view scaledDigits(double value, int d, char (&buffer)[400]) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4,  1e5,  1e6, 1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (d < 0 || d > 15) return {};
  const double scale = kPowers[d];
  const double product = value * scale;
  if (!(std::fabs(product) < 9007199254740992.0) || std::fma(value, scale, -product) != 0.0) {
    return {};
  }
  const double rounded = std::nearbyint(product);  // halves to even
  auto units = static_cast<unsigned long long>(std::fabs(rounded));
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, units).ptr;
  auto count = static_cast<std::size_t>(end - digits);
  char* out = buffer;
  if (rounded < 0) *out++ = '-';
  const auto decimals = static_cast<std::size_t>(d);
  if (count <= decimals) {  // 0.000ddd
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, decimals - count, '0');
    out = std::copy(digits, end, out);
  } else {
    out = std::copy(digits, end - decimals, out);
    if (decimals > 0) {
      *out++ = '.';
      out = std::copy(end - decimals, end, out);
    }
  }
  return {buffer, static_cast<std::size_t>(out - buffer)};
}

}  // namespace

std::string F(double value, int w, int d) {
  if (w <= 0) return {};
  if (!std::isfinite(value)) return stars(w);
  // Exact decimal rounding of the binary value, halves to even, as printf does.
  char buffer[400];
  std::string_view digits = scaledDigits(value, d, buffer);
  if (digits.empty()) {
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, d);
    if (error != std::errc()) return stars(w);
    digits = std::string_view(buffer, static_cast<std::size_t>(end - buffer));
  }
  bool negative = digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  // A value that rounds to zero carries no sign.
  if (digits.find_first_not_of("0.") == std::string_view::npos) negative = false;
  const bool point = d <= 0;  // F2.0 of 3 is "3."
  std::size_t length = digits.size() + (negative ? 1 : 0) + (point ? 1 : 0);
  const auto width = static_cast<std::size_t>(w);
  if (length > width && digits.starts_with("0.")) {
    // Without room for it, the zero before the decimal point is dropped.
    digits.remove_prefix(1);
    --length;
  }
  if (length > width) return stars(w);
  std::string text(width - length, ' ');
  if (negative) text += '-';
  text += digits;
  if (point) text += '.';
  return text;
}

std::string I(long long value, int w) { return rightJustify(std::to_string(value), w); }

std::string I(long long value, int w, int m) {
  // The magnitude as unsigned, which also holds that of the most negative value.
  const unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < m) digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
  if (value < 0) digits.insert(0, 1, '-');
  return rightJustify(digits, w);
}

std::string A(std::string_view text, int w) {
  if (w <= 0) return {};
  if (static_cast<int>(text.size()) >= w) return std::string(text.substr(0, static_cast<std::size_t>(w)));
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + std::string(text);
}

std::string X(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

}  // namespace tarvex::fmt
