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
  std::string text(buffer, end);
  if (d <= 0) text += '.';  // F2.0 of 3 is "3."
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.erase(0, 1);
  // A value that rounds to zero carries no sign.
  if (text.find_first_not_of("0.") == std::string::npos) negative = false;
  if (negative) text.insert(0, 1, '-');
  if (static_cast<int>(text.size()) <= w) return rightJustify(text, w);
  // Without room for it, the zero before the decimal point is dropped.
  const std::size_t zero = negative ? 1 : 0;
  if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') {
    text.erase(zero, 1);
    if (static_cast<int>(text.size()) <= w) return rightJustify(text, w);
  }
  return stars(w);
}

std::string I(long long value, int w) { return rightJustify(std::to_string(value), w); }

std::string I(long long value, int w, int m) {
  std::string digits = std::to_string(value < 0 ? -value : value);
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
