// What the rib-sheet writers share: a part's points on its sheet, and
// numbers as text whatever the program's locale.
#pragma once

#include <string>

#include "tarvex_ribs.hpp"

namespace tarvex::writers {

// The point of the rib's part where its placement puts it on its sheet.
PointMm onSheet(const Rib& rib, PointMm p);

// decimals after the point, trailing zeros dropped ("12.5", "0", "-3.25").
std::string fixedText(double value, int decimals);
// The shortest text that reads back as the same double (JSON).
std::string shortestText(double value);

}  // namespace tarvex::writers
