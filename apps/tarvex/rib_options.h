// The option texts of `tarvex ribs`: places along the chord (0.3, 30%,
// 75mm), spars, sheeting, sweep and lists, each read into the engine's
// terms, or the reason it cannot be.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tarvex_ribs.hpp"

namespace tarvex::console {

// A text's value, or why it has none (a sentence that names the text).
template <class T>
struct Parsed {
  std::optional<T> value;
  std::string why;
};

// A fraction: a number from 0 to 1, or a per cent such as "30%".
Parsed<double> parseFraction(std::string_view text);
// A place along the chord: a fraction, or a length with its unit ("75mm").
Parsed<ChordPosition> parseChordPosition(std::string_view text);
// POS[/TIPPOS]:WIDTH:DEPTH[:top|bottom|both]; top by default.
Parsed<Spar> parseSpar(std::string_view text);
// THICKNESS[:TO[:BOTTOM_TO]]: over the whole rib, or to TO of the chord on
// both sides, or to TO on the top and BOTTOM_TO on the bottom.
Parsed<Sheeting> parseSheeting(std::string_view text);
// DEPTH:HEIGHT.
Parsed<LeadingEdgeStock> parseLeadingEdgeStock(std::string_view text);
// A length, or an angle with "deg" (the sweep of the leading edge).
struct Sweep {
  double value = 0.0;
  bool degrees = false;
};
Parsed<Sweep> parseSweep(std::string_view text);
// Entries separated by / or ,: lengths, or fractions.
Parsed<std::vector<double>> parseLengths(std::string_view text);
Parsed<std::vector<double>> parseFractions(std::string_view text);
// A:B of two lengths, or one length for both.
Parsed<std::pair<double, double>> parseLengthPair(std::string_view text, bool oneForBoth);

}  // namespace tarvex::console
