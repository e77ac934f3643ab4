#include "writers/rib_sheet.h"

#include <cmath>
#include <numbers>

#include "io/number_chars.h"

namespace tarvex::writers {

PointMm onSheet(const Rib& rib, PointMm p) {
  const double turn = rib.rotationDegrees * std::numbers::pi / 180.0;
  const double c = std::cos(turn), s = std::sin(turn);
  return {rib.x + c * p.x - s * p.y, rib.y + s * p.x + c * p.y};
}

std::string fixedText(double value, int decimals) {
  char text[64];
  const auto [end, error] = io::toCharsFixed(text, text + sizeof text, value, decimals);
  if (error != std::errc()) return "0";
  std::string out(text, end);
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  return out == "-0" ? "0" : out;
}

std::string shortestText(double value) {
  if (!std::isfinite(value)) return "null";
  char text[64];
  const auto [end, error] = io::toChars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "null";
}

}  // namespace tarvex::writers
