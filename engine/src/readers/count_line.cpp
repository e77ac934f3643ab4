#include "readers/count_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "io/line_scan.h"

namespace tarvex {
namespace {

struct Point {
  float x, y;
};

// The points after the count line, and how blank or text lines part them
// into runs.
struct Survey {
  int points = 0;
  std::vector<int> runs;
  std::vector<Point> first;  // as many as a reading can store
  float xmin = std::numeric_limits<float>::infinity(), xmax = -xmin;
  float ymin = xmin, ymax = -xmin;
};

Survey survey(LineInput in, std::size_t keep) {
  Survey s;
  const std::string_view text = in.text();
  const char* const end = text.data() + text.size();
  const char* next = nullptr;  // where the line after the last point starts
  bool parted = true;
  std::string_view line;
  LineNumbers plain;
  std::array<float, 4> v{};
  while (LGETLN(in, nullptr, line, &plain)) {
    if (line == kCefMarker || line == kDxfMarker || line == kXmlMarker) {
      parted = true;
      continue;
    }
    // LGETLN passes over blank and text lines: a line that does not follow
    // the last point directly had such lines before it.
    if (line.data() != next) parted = true;
    int numbers = plain.count;
    if (numbers >= 0) {
      std::copy_n(plain.values.begin(), std::min(numbers, 4), v.begin());
    } else {
      numbers = decodeNumbers(in, line, v);
    }
    const auto* newline = static_cast<const char*>(
        std::memchr(line.data(), '\n', static_cast<std::size_t>(end - line.data())));
    next = newline != nullptr ? newline + 1 : end;
    if (numbers < 2) {
      parted = true;
      continue;
    }
    if (parted) s.runs.push_back(0);
    parted = false;
    ++s.runs.back();
    ++s.points;
    if (s.first.size() < keep) s.first.push_back({v[0], v[1]});
    s.xmin = std::min(s.xmin, v[0]);
    s.xmax = std::max(s.xmax, v[0]);
    s.ymin = std::min(s.ymin, v[1]);
    s.ymax = std::max(s.ymax, v[1]);
  }
  return s;
}

bool wholeCount(float value) {
  return value >= 2.0f && value <= 1.0e9f && value == std::floor(value);
}

float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Both surfaces start at the leading edge: the first point after the upper
// ones lies nearer to the first upper point than to the last.
bool lowerStartsAtLeadingEdge(const Survey& s, int upper) {
  const auto at = [&](int i) { return s.first[static_cast<std::size_t>(i - 1)]; };
  return distance(at(upper + 1), at(1)) <= distance(at(upper + 1), at(upper));
}

}  // namespace

CountLineReading readCountLine(const LineInput& in, std::string_view line, float first,
                               float second, int capacity) {
  // Counts between 5 and 100 make a count line whatever follows; other whole
  // numbers only when the data bears them out.
  const bool countRange = first > 5.0f && first < 100.0f && second > 5.0f && second < 100.0f;
  if (!countRange && !(wholeCount(first) && wholeCount(second))) return {};
  const int upper = static_cast<int>(first);
  const int lower = static_cast<int>(second);
  const Survey s = survey(in, static_cast<std::size_t>(std::max(capacity, 0)) + 1);
  const bool blankParted = s.runs.size() == 2 && s.runs[0] >= 2 && s.runs[1] >= 2;

  const std::string counts = "line " + std::to_string(in.lineNumber()) + " \"" +
                             std::string(trimRight(line)) + "\" counts " + std::to_string(upper) +
                             " upper and " + std::to_string(lower) + " lower points";
  const std::string remedy = "; correct the counts or put a blank line between the surfaces";
  const auto failed = [&](std::string why) {
    return CountLineReading{
        CountLineReading::Kind::failed, 0, {}, counts + ", but " + why + remedy};
  };
  const std::string follow = std::to_string(s.points) + " points follow";

  // Where the upper surface ends: at the blank line, else as counted.
  const int split = blankParted ? s.runs[0] : upper;
  const bool beyond = split >= capacity;  // the reader reports too many points
  const bool sound = !beyond && s.points > split && lowerStartsAtLeadingEdge(s, split);
  if (!countRange && s.points != upper + lower && !(blankParted && (sound || beyond))) {
    // Read as a point, the line would lie far off the section.
    const float span = std::max(s.xmax - s.xmin, s.ymax - s.ymin);
    if (s.points > 0 && (first > s.xmax + span || second > s.ymax + span)) return failed(follow);
    return {};
  }
  CountLineReading counted{CountLineReading::Kind::counted, split, {}, {}};
  if (beyond) return counted;
  if (s.points <= split) return failed("only " + follow);
  if (!sound) {
    return failed("point " + std::to_string(split + 1) + " of the " + std::to_string(s.points) +
                  " that follow, where the lower surface would start, is not at the leading edge");
  }
  if (split != upper) {
    counted.note = counts + "; read as the " + std::to_string(s.runs[0]) + " and " +
                   std::to_string(s.runs[1]) + " that a blank line parts";
  }
  return counted;
}

}  // namespace tarvex
