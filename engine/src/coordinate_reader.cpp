#include "coordinate_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "engine_state.h"
#include "line_scan.h"
#include "structured_readers.h"

namespace tarvex {
namespace {

// Points are counted from 1 as in the layouts; these views hide the offset.
struct Points {
  std::span<float> x, y;
  float& X(int i) { return x[static_cast<std::size_t>(i - 1)]; }
  float& Y(int i) { return y[static_cast<std::size_t>(i - 1)]; }
  void set(int i, float xv, float yv) {
    X(i) = xv;
    Y(i) = yv;
  }
};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

int valuesNeeded(int kind) {
  switch (kind) {
    case kLayoutThreeColumns: return 3;
    case kLayoutFourColumns: return 4;
    default: return 2;
  }
}

// Removes each point identical to the one before it; returns the new count.
int removeRepeatedPoints(Points& p, int count) {
  if (count < 1) return 0;
  int kept = 1;
  for (int i = 2; i <= count; ++i) {
    if (std::fabs(p.X(i) - p.X(kept)) < 1.0e-15f && std::fabs(p.Y(i) - p.Y(kept)) < 1.0e-15f) {
      continue;
    }
    ++kept;
    p.set(kept, p.X(i), p.Y(i));
  }
  return kept;
}

}  // namespace

void SWAP(std::span<float> x, std::span<float> y, int n) {
  const auto count = static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(x.size())));
  std::reverse(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count));
  std::reverse(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
}

int INKOO(LineInput& in, LineOutput& out, std::span<float> x, std::span<float> y, int& count,
          int& kind, bool comments, float& xmin, float& xmax) {
  const int capacity = std::clamp(count, 0, static_cast<int>(std::min(x.size(), y.size())));
  Points p{x, y};
  xmin = 99999.99f;
  xmax = -99999.99f;
  kind = kLayoutUnknown;
  int front = 0;
  int back = capacity + 1;
  int status = kReadOk;
  count = 0;

  LineBuffer line{};
  if (!in.read(line)) return kReadUnknownLayout;
  in.stepBack();
  if (!LISNUM(lineView(line), out, comments)) setSectionName(lineView(line));

  // Kept from line to line: a line with fewer numbers leaves the later
  // values of the line before in place.
  std::array<float, 4> v{};
  bool reading = true;
  while (reading && LGETLN(in, out, line, comments)) {
    const std::string_view text = lineView(line);
    if (startsWith(text, "CEF-FILE") || startsWith(text, "DXF-FILE") ||
        startsWith(text, "XML-FILE")) {
      int n = capacity;
      if (text[0] == 'C') READCEF(in, out, x, y, n);
      if (text[0] == 'D') READDXF(in, out, x, y, n);
      if (text[0] == 'X') READXML(in, out, x, y, n);
      back = std::clamp(n, 0, capacity);
      front = 1;
      kind = kLayoutCounted;
      break;
    }
    SHRINK(line);
    const int numbers = DLFF(in, v, line);
    // A data line with fewer numbers than its layout needs (such as a
    // placeholder "0.0000 ......") is not stored: the values left from the
    // line before would make up a point the file does not hold.
    if (front != 0 && numbers < valuesNeeded(kind)) continue;
    if (front == 0) {
      if (numbers == 3) {
        kind = kLayoutThreeColumns;
      } else if (numbers == 2) {
        if (v[0] > 5.0f && v[0] < 100.0f && v[1] > 5.0f && v[1] < 100.0f) {
          // Count header of the counted layout: upper surface count first.
          const int upper = static_cast<int>(v[0]);
          if (upper >= capacity) {
            status = kReadTooManyPoints;
            break;
          }
          kind = kLayoutCounted;
          front = upper + 1;
          back = upper;
          continue;
        }
        kind = kLayoutTwoColumns;
      } else if (numbers == 4) {
        if (v[0] != 1.0f) continue;  // skipped until a line starting with 1
        kind = kLayoutFourColumns;
      } else if (numbers == 1) {
        continue;  // a point count before the data
      } else {
        return kReadUnknownLayout;
      }
    }
    switch (kind) {
      case kLayoutTwoColumns:
        if (front + 1 >= capacity) {
          status = kReadTooManyPoints;
          reading = false;
          break;
        }
        ++front;
        p.set(front, v[0], v[1]);
        break;
      case kLayoutThreeColumns:
      case kLayoutFourColumns: {
        const int first = kind == kLayoutThreeColumns ? 0 : 1;
        if (front + 1 >= back - 1) {  // the two surfaces would meet
          status = kReadTooManyPoints;
          reading = false;
          break;
        }
        ++front;
        --back;
        p.set(front, v[first], v[first + 1]);
        p.set(back, v[first], v[first + 2]);
        if (front == capacity / 2) {
          status = kReadTooManyPoints;
          reading = false;
        }
        break;
      }
      case kLayoutCounted:
        if (front > 1) {
          --front;
          p.set(front, v[0], v[1]);
        } else if (back >= capacity) {
          status = kReadTooManyPoints;
          reading = false;
        } else {
          ++back;
          p.set(back, v[0], v[1]);
        }
        break;
      default:
        break;
    }
  }

  switch (kind) {
    case kLayoutThreeColumns:
    case kLayoutFourColumns: {
      if (kind == kLayoutThreeColumns &&
          std::all_of(y.begin(), y.begin() + front, [&](float value) { return value == p.Y(1); })) {
        // A constant middle column: the third column holds the y values.
        for (int i = 1; i <= front; ++i) p.Y(i) = p.Y(capacity + 1 - i);
        kind = kLayoutTwoColumns;
        if (front >= 2 && p.X(2) > p.X(1)) SWAP(x, y, front);
        count = front;
        break;
      }
      if (front >= 2 && p.X(2) > p.X(1)) {
        SWAP(x, y, front);
        SWAP(x.subspan(static_cast<std::size_t>(back - 1)), y.subspan(static_cast<std::size_t>(back - 1)),
             front);
      }
      for (int i = 1; i <= front; ++i) p.set(front + i, p.X(back + i - 1), p.Y(back + i - 1));
      count = 2 * front;
      break;
    }
    case kLayoutTwoColumns:
      if (front >= 2 && p.X(2) > p.X(1)) SWAP(x, y, front);
      count = front;
      break;
    case kLayoutCounted:
      // Upper points missing from a short counted file leave no gap.
      if (front > 1) {
        for (int i = front; i <= back; ++i) p.set(i - front + 1, p.X(i), p.Y(i));
        back -= front - 1;
      }
      count = std::max(back, 0);
      break;
    default:
      count = 0;
      return status == kReadOk ? kReadUnknownLayout : status;
  }

  count = removeRepeatedPoints(p, count);
  const int failure = status == kReadOk ? kReadUnknownLayout : status;
  if (count < 2) return failure;
  xmin = xmax = p.X(count);
  for (int i = 1; i < count; ++i) {
    xmin = std::min(xmin, p.X(i));
    xmax = std::max(xmax, p.X(i));
  }
  const float chord = xmax - xmin;
  if (!(chord > 0.0f) || !std::isfinite(chord)) return failure;

  const float yte = (p.Y(1) + p.Y(count)) / 2.0f;
  for (int i = 1; i <= count; ++i) {
    p.set(i, (p.X(i) - xmin) / chord, (p.Y(i) - yte) / chord);
    // A chord tiny against the y values leaves no finite section.
    if (!std::isfinite(p.Y(i)) || !std::isfinite(p.X(i))) return failure;
  }
  return status;
}

}  // namespace tarvex
