// The count line of the counted layout: whether the first line of two
// numbers counts the points of the two surfaces, and where the upper surface
// ends, judged by the data that follows it.
#pragma once

#include <string>
#include <string_view>

#include "io/line_io.h"

namespace tarvex {

struct CountLineReading {
  enum class Kind { point, counted, failed };
  Kind kind = Kind::point;  // point: the line is the first point of a plain file
  int upper = 0;            // counted: the points of the upper surface
  std::string note;         // counted: why the reading differs from the counts
  std::string reason;       // failed: why no section can be made of the file
};

// The line holds the two numbers first and second; in is positioned just
// after it. At most capacity points are looked at beyond the counting.
CountLineReading readCountLine(const LineInput& in, std::string_view line, float first,
                               float second, int capacity);

}  // namespace tarvex
