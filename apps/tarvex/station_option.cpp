#include "station_option.h"

#include <charconv>
#include <cmath>

#include "io/number_chars.h"

namespace tarvex::console {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<float> number(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  float value = 0.0f;
  const auto [end, error] = tarvex::io::parseFloat(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::vector<float>> parseStations(std::string_view list) {
  std::vector<float> stations;
  for (;;) {
    const auto separator = list.find_first_of("/,");
    const auto value = number(list.substr(0, separator));
    if (!value) return std::nullopt;
    stations.push_back(*value);
    if (separator == std::string_view::npos) return stations;
    list.remove_prefix(separator + 1);
  }
}

}  // namespace tarvex::console
