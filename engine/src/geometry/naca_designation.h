// NACA designations as people type them, read into the thickness form and
// the mean line of the section they name.
#pragma once

#include <string>
#include <string_view>

#include "geometry/naca_shapes.h"
#include "tarvex.hpp"

namespace tarvex::naca {

struct Recipe {
  std::string name;  // "NACA 2412", the designation as the reports write it
  ThicknessForm thickness;
  MeanLine meanLine;  // empty for a symmetric section
};

// Four-digit (2412), modified four-digit (0012-64), five-digit (23012,
// reflexed 23112, also with -IM), 16-series (16-212), six-series (63-206,
// 63(2)-615, 65_2-415, 65(4)-421 a=0.5) and 6A-series (64A210, 63(2)A-015),
// with or without a leading "NACA". The failure says what is wrong.
Result<Recipe> parseDesignation(std::string_view designation, bool closedTrailingEdge);

}  // namespace tarvex::naca
