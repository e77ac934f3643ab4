// Parts laid out on sheets: each turned to its smallest height (or a quarter
// turn more), then their boxes packed from the top of the sheet down along a
// skyline, tallest first, each on the first sheet it fits where it reaches
// least deep.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geometry/outline_ops.h"

namespace tarvex::nesting {

struct Sheet {
  double width = 0.0, height = 0.0, gap = 0.0, margin = 0.0;
};

// Where a part goes: turned by radians about its origin, then moved by
// offset on sheet number sheet (from 0).
struct Placement {
  int sheet = 0;
  double radians = 0.0;
  Vec2 offset;
};

struct Layout {
  std::vector<Placement> placements;  // one per part, in the parts' order
  int sheets = 0;
};

// Nothing, with the reason naming the part (by its index), when a part does
// not fit the sheet inside its margins either way round.
std::optional<Layout> nest(std::span<const outline::Ring> parts, const Sheet& sheet,
                           std::size_t& tooLarge);

}  // namespace tarvex::nesting
