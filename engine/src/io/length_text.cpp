// Lengths as people write them, for the drawing formats' options.
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "io/number_chars.h"
#include "tarvex.hpp"

namespace tarvex {

std::optional<float> parseLength(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  double value = 0.0;
  const auto [end, error] = io::parseDouble(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
  while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);
  constexpr std::array<std::pair<std::string_view, double>, 5> kUnits{
      {{"", 1.0}, {"mm", 1.0}, {"cm", 10.0}, {"m", 1000.0}, {"in", 25.4}}};
  for (const auto& [name, millimetres] : kUnits) {
    if (unit != name) continue;
    const double length = value * millimetres;
    if (!std::isfinite(length) || length < 0.0 || length > 1e9) return std::nullopt;
    return static_cast<float>(length);
  }
  return std::nullopt;
}

}  // namespace tarvex
