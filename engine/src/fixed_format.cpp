#include "fixed_format.h"

#include <cmath>
#include <charconv>

namespace tarvex::fmt {
namespace {

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

std::string rightJustify(std::string text, int w) {
  if (static_cast<int>(text.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

}  // namespace

std::string F(double value, int w, int d) {
  if (w <= 0) return {};
  if (!std::isfinite(value)) return stars(w);
  // Exact decimal rounding of the binary value, as printf does, but faster.
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, d);
  if (error != std::errc()) return stars(w);
  std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
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
