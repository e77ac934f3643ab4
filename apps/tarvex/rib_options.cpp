#include "rib_options.h"

#include <cmath>

#include "io/number_chars.h"

namespace tarvex::console {
namespace {

std::vector<std::string_view> split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find_first_of(separators);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::optional<double> number(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = io::parseDouble(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool hasUnit(std::string_view text) {
  return !text.empty() &&
         ((text.back() >= 'a' && text.back() <= 'z') || (text.back() >= 'A' && text.back() <= 'Z'));
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

Parsed<double> length(std::string_view text) {
  if (const auto value = parseLength(text)) return {*value, {}};
  return {std::nullopt, quoted(text) + " is not a length (such as 6, 6mm, 0.25in)"};
}

}  // namespace

Parsed<double> parseFraction(std::string_view text) {
  const bool percent = !text.empty() && text.back() == '%';
  const auto value = number(percent ? text.substr(0, text.size() - 1) : text);
  if (value && (percent ? *value / 100.0 : *value) >= 0.0 &&
      (percent ? *value / 100.0 : *value) <= 1.0) {
    return {percent ? *value / 100.0 : *value, {}};
  }
  return {std::nullopt, quoted(text) + " is not a fraction of the chord (0 to 1, or 0% to 100%)"};
}

Parsed<ChordPosition> parseChordPosition(std::string_view text) {
  if (hasUnit(text)) {
    if (const auto mm = parseLength(text)) return {ChordPosition{*mm, true}, {}};
    return {std::nullopt, quoted(text) + " is not a length (such as 75mm)"};
  }
  const auto fraction = parseFraction(text);
  if (fraction.value) return {ChordPosition{*fraction.value, false}, {}};
  return {std::nullopt, quoted(text) +
                            " is no place on the chord: a fraction (0.3), a per cent (30%) or a "
                            "length from the leading edge with its unit (75mm)"};
}

Parsed<Spar> parseSpar(std::string_view text) {
  const auto fields = split(text, ":");
  const std::string shape =
      quoted(text) + " is not POS[/TIPPOS]:WIDTH:DEPTH[:top|bottom|both], such as 30%:6:6:both";
  if (fields.size() < 3 || fields.size() > 4) return {std::nullopt, shape};
  Spar spar;
  const auto places = split(fields[0], "/");
  if (places.size() > 2) return {std::nullopt, shape};
  const auto root = parseChordPosition(places[0]);
  if (!root.value) return {std::nullopt, root.why};
  spar.position = *root.value;
  if (places.size() == 2) {
    const auto tip = parseChordPosition(places[1]);
    if (!tip.value) return {std::nullopt, tip.why};
    spar.tipPosition = *tip.value;
  }
  const auto width = length(fields[1]), depth = length(fields[2]);
  if (!width.value) return {std::nullopt, width.why};
  if (!depth.value) return {std::nullopt, depth.why};
  spar.widthMm = *width.value;
  spar.depthMm = *depth.value;
  if (fields.size() == 4) {
    if (fields[3] == "both") {
      spar.bottom = true;
    } else if (fields[3] == "bottom") {
      spar.top = false;
      spar.bottom = true;
    } else if (fields[3] != "top") {
      return {std::nullopt, shape};
    }
  }
  return {spar, {}};
}

Parsed<Sheeting> parseSheeting(std::string_view text) {
  const auto fields = split(text, ":");
  if (fields.size() > 3) return {std::nullopt, quoted(text) + " is not THICKNESS[:TO[:BOTTOM_TO]]"};
  const auto thickness = length(fields[0]);
  if (!thickness.value) return {std::nullopt, thickness.why};
  Sheeting sheeting{*thickness.value, 1.0, 1.0};
  if (fields.size() > 1) {
    const auto top = parseFraction(fields[1]);
    if (!top.value) return {std::nullopt, top.why};
    sheeting.topTo = sheeting.bottomTo = *top.value;
  }
  if (fields.size() > 2) {
    const auto bottom = parseFraction(fields[2]);
    if (!bottom.value) return {std::nullopt, bottom.why};
    sheeting.bottomTo = *bottom.value;
  }
  return {sheeting, {}};
}

Parsed<LeadingEdgeStock> parseLeadingEdgeStock(std::string_view text) {
  const auto fields = split(text, ":");
  if (fields.size() != 2) return {std::nullopt, quoted(text) + " is not DEPTH:HEIGHT, such as 5:8"};
  const auto depth = length(fields[0]), height = length(fields[1]);
  if (!depth.value) return {std::nullopt, depth.why};
  if (!height.value) return {std::nullopt, height.why};
  return {LeadingEdgeStock{*depth.value, *height.value}, {}};
}

Parsed<Sweep> parseSweep(std::string_view text) {
  if (text.ends_with("deg")) {
    if (const auto angle = number(text.substr(0, text.size() - 3));
        angle && std::fabs(*angle) < 80.0) {
      return {Sweep{*angle, true}, {}};
    }
    return {std::nullopt, quoted(text) + " is not an angle of less than 80 degrees (such as 5deg)"};
  }
  // A sweep forward is a negative length.
  const bool forward = !text.empty() && text.front() == '-';
  if (const auto value = parseLength(forward ? text.substr(1) : text)) {
    return {Sweep{forward ? -*value : *value, false}, {}};
  }
  return {std::nullopt, quoted(text) +
                            " is not a sweep: the tip's leading edge aft of the root's as a "
                            "length (40mm, -10mm for forward) or an angle (5deg)"};
}

Parsed<std::vector<double>> parseLengths(std::string_view text) {
  std::vector<double> values;
  for (const auto part : split(text, "/,")) {
    const auto value = length(part);
    if (!value.value) return {std::nullopt, value.why};
    values.push_back(*value.value);
  }
  return {values, {}};
}

Parsed<std::vector<double>> parseFractions(std::string_view text) {
  std::vector<double> values;
  for (const auto part : split(text, "/,")) {
    const auto value = parseFraction(part);
    if (!value.value) return {std::nullopt, value.why};
    values.push_back(*value.value);
  }
  return {values, {}};
}

Parsed<std::pair<double, double>> parseLengthPair(std::string_view text, bool oneForBoth) {
  const auto fields = split(text, ":");
  if (fields.size() > 2 || (fields.size() == 1 && !oneForBoth)) {
    return {std::nullopt, quoted(text) + (oneForBoth ? " is not LENGTH[:LENGTH]" : " is not A:B")};
  }
  const auto a = length(fields[0]);
  if (!a.value) return {std::nullopt, a.why};
  const auto b = fields.size() == 2 ? length(fields[1]) : a;
  if (!b.value) return {std::nullopt, b.why};
  return {std::pair{*a.value, *b.value}, {}};
}

}  // namespace tarvex::console
