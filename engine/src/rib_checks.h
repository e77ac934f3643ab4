// What a rib set is refused for before anything is made of it: numbers out
// of their ranges and features that make no sense, each with the reason.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tarvex_ribs.hpp"

namespace tarvex::ribs {

Error refusal(std::string why);

// A length for a message: "1.5 mm", "213 mm".
std::string mm(double value);

// The sections, chords, span, sweep and washout.
std::optional<Error> checkWing(const WingPanel& panel);
// The features' numbers and the label.
std::optional<Error> checkFeatures(const RibFeatures& features, const WingPanel& panel);
// The wing, the ribs' stations, their features and the sheets.
std::optional<Error> checkPanel(const WingPanel& panel, const RibFeatures& features,
                                const SheetLayout& layout);

// The ribs' distances from the root (the panel checked).
std::vector<double> stationsOf(const WingPanel& panel);

}  // namespace tarvex::ribs
