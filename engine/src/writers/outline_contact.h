// Whether a closed outline is one simple curve: no two of its sides cross,
// and none comes nearer to another than a given distance. Mesh generators
// cannot recover a boundary that meets itself.
#pragma once

#include <span>

#include "geometry/inner_offset.h"

namespace tarvex::writers {

struct OutlineContact {
  enum class Kind {
    none,      // a simple outline
    crossing,  // two sides cross
    touching,  // two sides come nearer than the distance, or one folds back onto the next
    tooMany,   // too many sides lie side by side to look at every pair
  };
  Kind kind = Kind::none;
  Vec2 at;  // where it happens
};

// The first contact found in the outline (its last point joined back to the
// first; repeated points already merged). Sides that share a point touch
// there by right, unless the later one runs back along the earlier.
OutlineContact findContact(std::span<const Vec2> ring, double nearest);

}  // namespace tarvex::writers
