// One place along a wing panel's span: its chord, leading edge and twist,
// and the blend of the root and tip sections there.
#pragma once

#include <cmath>

#include "tarvex_ribs.hpp"

namespace tarvex::ribs {

struct Station {
  double y = 0.0, fraction = 0.0, chord = 0.0, leadingEdge = 0.0;
  double twist = 0.0;  // radians, nose down
  Section section;     // unit chord
  double front = 0.0;  // the smallest x of the section at its chord
  double pivot = 0.0;  // the x it turns about

  // The x of a place on its chord (from its leading edge) once it is turned.
  double chordX(double position) const {
    return pivot + (front + position - pivot) * std::cos(twist);
  }
};

// The station y millimetres from the root (the panel checked).
Result<Station> stationAt(const WingPanel& panel, double y);

}  // namespace tarvex::ribs
