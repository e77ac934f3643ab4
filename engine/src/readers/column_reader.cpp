#include "readers/column_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "io/line_scan.h"
#include "readers/count_line.h"
#include "readers/structured_readers.h"

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

int valuesNeeded(int kind) {
  switch (kind) {
    case kLayoutThreeColumns:
      return 3;
    case kLayoutFourColumns:
      return 4;
    default:
      return 2;
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

Layout layoutOfKind(int kind) {
  switch (kind) {
    case kLayoutTwoColumns:
      return Layout::twoColumns;
    case kLayoutThreeColumns:
      return Layout::threeColumns;
    case kLayoutCounted:
      return Layout::counted;
    case kLayoutFourColumns:
      return Layout::fourColumns;
    default:
      return Layout::unknown;
  }
}

std::string quoted(std::string_view line) { return "\"" + std::string(trimRight(line)) + "\""; }

// What a file that yields no section is, when its bytes tell more than its
// lines: a binary or UTF-16 file, or lines that end in a carriage return only.
std::string textHint(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) {
    return " (it holds NUL bytes: not a text file; a UTF-16 file must be saved as UTF-8 or "
           "Latin-1)";
  }
  if (text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos) {
    return " (its lines end in a carriage return only; save it with LF or CR LF line ends)";
  }
  return {};
}

// The reasons a reading fails, collected on the way.
struct Diagnosis {
  std::string_view text;
  int dataLines = 0;         // lines of numbers met
  int singleNumbers = 0;     // of them holding one number
  int unindexedRows = 0;     // four numbers, first not 1
  std::string firstFailure;  // the line that ended the reading

  std::string unknownLayout(Layout layout) const {
    if (!firstFailure.empty()) return firstFailure;
    switch (layout) {
      case Layout::cef:
        return "the CEF file lists fewer than two points";
      case Layout::dxf:
        return "the DXF file holds no POLYLINE, LWPOLYLINE or SPLINE with at least two points";
      case Layout::xml:
        return "the XML file holds fewer than two <x> and <y> points";
      default:
        break;
    }
    if (text.empty()) return "the input is empty";
    std::string reason;
    if (dataLines == 0) {
      reason = "no line of coordinates found";
    } else if (singleNumbers == dataLines) {
      reason = "the lines of numbers hold one number each, no coordinates";
    } else if (unindexedRows > 0) {
      reason = "four-column lines, but none whose index is 1";
    } else {
      reason = "no line of coordinates found";
    }
    return reason + textHint(text);
  }
};

}  // namespace

void SWAP(std::span<float> x, std::span<float> y, int n) {
  const auto count = static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(x.size())));
  std::reverse(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count));
  std::reverse(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(count));
}

int INKOO(LineInput& in, Section& section, int capacityWanted, std::string* reason) {
  const int capacity = std::max(capacityWanted, 0);
  section.x.assign(static_cast<std::size_t>(capacity), 0.0f);
  section.y.assign(static_cast<std::size_t>(capacity), 0.0f);
  std::span<float> x(section.x), y(section.y);
  Points p{x, y};
  CommentLines* comments = &section.comments;
  float xmin = 99999.99f;
  float xmax = -99999.99f;
  int kind = kLayoutUnknown;
  Layout special = Layout::unknown;
  int front = 0;
  int back = capacity + 1;
  int status = kReadOk;
  int count = 0;
  Diagnosis diagnosis;
  diagnosis.text = in.text();

  const auto finish = [&](int result, std::string why) {
    section.x.resize(static_cast<std::size_t>(count));
    section.y.resize(static_cast<std::size_t>(count));
    section.pointsRead = count;
    section.xmin = xmin;
    section.xmax = xmax;
    if (result == kReadOk) {
      section.layout = special != Layout::unknown ? special : layoutOfKind(kind);
    }
    if (result != kReadOk && reason != nullptr) *reason = std::move(why);
    return result;
  };
  const auto tooMany = [&] {
    return "more than " + std::to_string(kind == kLayoutTwoColumns ? capacity - 1 : capacity) +
           " points, the most that can be read in this layout";
  };

  std::string_view line;
  if (!in.next(line)) return finish(kReadUnknownLayout, diagnosis.unknownLayout(special));
  in.stepBack();
  LineBuffer first;
  setLine(first, line);
  if (!LISNUM(lineView(first), comments)) section.name = std::string(trimRight(lineView(first)));

  // Kept from line to line: a line with fewer numbers leaves the later
  // values of the line before in place.
  std::array<float, 4> v{};
  bool reading = true;
  LineNumbers plain;
  while (reading && LGETLN(in, comments, line, &plain)) {
    if (line == kCefMarker || line == kDxfMarker || line == kXmlMarker) {
      int n = capacity;
      if (line == kCefMarker) {
        READCEF(in, section, n);
        special = Layout::cef;
      } else if (line == kDxfMarker) {
        READDXF(in, section, n);
        special = Layout::dxf;
      } else {
        READXML(in, section, n);
        special = Layout::xml;
      }
      back = std::clamp(n, 0, capacity);
      front = 1;
      kind = kLayoutCounted;
      break;
    }
    int numbers = plain.count;
    if (numbers >= 0) {
      std::copy_n(plain.values.begin(), std::min(numbers, 4), v.begin());
    } else {
      numbers = decodeNumbers(in, line, v);
    }
    ++diagnosis.dataLines;
    if (numbers == 1) ++diagnosis.singleNumbers;
    // A data line with fewer numbers than its layout needs (such as a
    // placeholder "0.0000 ......") is not stored: the values left from the
    // line before would make up a point the file does not hold.
    if (front != 0 && numbers < valuesNeeded(kind)) continue;
    if (front == 0) {
      if (numbers == 3) {
        kind = kLayoutThreeColumns;
      } else if (numbers == 2) {
        const CountLineReading counts = readCountLine(in, line, v[0], v[1], capacity);
        if (counts.kind == CountLineReading::Kind::failed) {
          return finish(kReadUnknownLayout, counts.reason);
        }
        if (counts.kind == CountLineReading::Kind::counted) {
          if (!counts.note.empty()) comments->push_back(counts.note);
          const int upper = counts.upper;
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
        if (v[0] != 1.0f) {
          ++diagnosis.unindexedRows;
          continue;  // skipped until a line starting with 1
        }
        kind = kLayoutFourColumns;
      } else if (numbers == 1) {
        continue;  // a point count before the data
      } else {
        diagnosis.firstFailure =
            "line " + std::to_string(in.lineNumber()) + " " + quoted(line) +
            (numbers > 4
                 ? " holds " + std::to_string(numbers) + " numbers; coordinate lines hold 2, 3 or 4"
             : numbers == 0 ? " holds no number"
                            : " holds a number beyond the single-precision range");
        return finish(kReadUnknownLayout, diagnosis.firstFailure);
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
        const int firstValue = kind == kLayoutThreeColumns ? 0 : 1;
        if (front + 1 >= back - 1) {  // the two surfaces would meet
          status = kReadTooManyPoints;
          reading = false;
          break;
        }
        ++front;
        --back;
        p.set(front, v[static_cast<std::size_t>(firstValue)],
              v[static_cast<std::size_t>(firstValue + 1)]);
        p.set(back, v[static_cast<std::size_t>(firstValue)],
              v[static_cast<std::size_t>(firstValue + 2)]);
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
        SWAP(x.subspan(static_cast<std::size_t>(back - 1)),
             y.subspan(static_cast<std::size_t>(back - 1)), front);
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
      return finish(status == kReadOk ? kReadUnknownLayout : status,
                    status == kReadOk ? diagnosis.unknownLayout(special) : tooMany());
  }

  count = removeRepeatedPoints(p, count);
  const auto failure = [&](std::string why) {
    return finish(status == kReadOk ? kReadUnknownLayout : status,
                  status == kReadOk ? std::move(why) : tooMany());
  };
  if (count < 2) {
    return failure(count == 0 || special != Layout::unknown ? diagnosis.unknownLayout(special)
                                                            : "fewer than two distinct points");
  }
  xmin = xmax = p.X(count);
  for (int i = 1; i < count; ++i) {
    xmin = std::min(xmin, p.X(i));
    xmax = std::max(xmax, p.X(i));
  }
  const float chord = xmax - xmin;
  if (!(chord > 0.0f) || !std::isfinite(chord)) {
    return failure(std::isfinite(chord) ? "all points have the same x: the section has no chord"
                                        : "the x-range exceeds the single-precision range");
  }

  const float yte = (p.Y(1) + p.Y(count)) / 2.0f;
  for (int i = 1; i <= count; ++i) {
    p.set(i, (p.X(i) - xmin) / chord, (p.Y(i) - yte) / chord);
    // A chord tiny against the y values leaves no finite section.
    if (!std::isfinite(p.Y(i)) || !std::isfinite(p.X(i))) {
      return failure("the chord is too short for the size of the y values");
    }
  }
  return finish(status, status == kReadOk ? std::string() : tooMany());
}

}  // namespace tarvex
