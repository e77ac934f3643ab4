// READCEF: the initialisation-file style CEF layout. Pass 1 finds the
// stated point count, pass 2 fills the points by their keys, in any order.
#include <algorithm>
#include <optional>

#include "io/line_scan.h"
#include "readers/reader_text.h"
#include "structured_readers.h"

namespace tarvex {
namespace {

constexpr int kSearchLines = 1000;

// The text after the first '=' of the line.
std::string_view afterEquals(const LineBuffer& line, int column) {
  return lineView(line).substr(static_cast<std::size_t>(column));
}

// The stated count of the "Points" line, or nothing when the file ends
// before it or holds none within the search.
std::optional<int> statedCount(LineInput& in, int capacity) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return std::nullopt;
    if (readers::startsWith(line, "[Airfoil]")) break;
  }
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return std::nullopt;
    const int k = readers::equalsColumn(line);
    if (readers::startsWith(line, "Points") && k > 6) {
      const auto decoded = readers::decodeText(in, afterEquals(line, k));
      if (decoded.count == 0) return std::nullopt;
      const long long stated = readers::truncatedInteger(decoded.value[0]);
      return static_cast<int>(std::clamp<long long>(stated, 0, capacity));
    }
  }
  return std::nullopt;
}

// The point index of columns 6 to 8 read as a three-column integer field
// (blanks do not count). The key must end there: anything but blanks
// between column 9 and the '=' means an index of more than three digits.
std::optional<int> pointIndex(const LineBuffer& line, int k) {
  const auto text = lineView(line);
  for (int column = 9; column < k; ++column) {
    if (text[static_cast<std::size_t>(column - 1)] != ' ') return std::nullopt;
  }
  int sign = 1;
  int value = 0;
  bool digits = false;
  bool signAllowed = true;
  for (const char c : text.substr(5, 3)) {
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && signAllowed) {
      if (c == '-') sign = -1;
      signAllowed = false;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    digits = true;
    signAllowed = false;
  }
  if (!digits) return std::nullopt;
  return sign * value;
}

}  // namespace

void READCEF(LineInput& in, Section& section, int& n) {
  std::span<float> x(section.x), y(section.y);
  const int capacity = readers::usableCapacity(x, y, n);
  n = 0;
  in.rewind();
  const auto count = statedCount(in, capacity);
  if (!count) return;
  std::fill_n(x.begin(), *count, 0.0f);
  std::fill_n(y.begin(), *count, 0.0f);
  const int stated = *count;
  // A stated count beyond the keys the file lists would add phantom points
  // at (0, 0): the section ends at the highest index listed.
  int highest = 0;

  // The key search covers the stated points on top of the usual window, so
  // that no listed point is lost however many lines precede the keys.
  in.rewind();
  LineBuffer line;
  for (int i = 0; i < kSearchLines + stated; ++i) {
    if (!in.read(line)) break;
    const int k = readers::equalsColumn(line);
    if (readers::startsWith(line, "Points") && k > 6) continue;
    if (readers::startsWith(line, "Name") && k > 4) {
      LineBuffer name;
      setLine(name, afterEquals(line, k));
      SHRINK(name);
      readers::setName(section, lineView(name));
    } else if (readers::startsWith(line, "Point") && k > 8) {
      const auto index = pointIndex(line, k);
      if (!index || *index < 1 || *index > stated) continue;
      const auto decoded = readers::decodeText(in, afterEquals(line, k));
      if (decoded.count < 2) continue;
      x[static_cast<std::size_t>(*index - 1)] = decoded.value[0];
      y[static_cast<std::size_t>(*index - 1)] = decoded.value[1];
      highest = std::max(highest, *index);
    }
  }
  n = highest;
}

}  // namespace tarvex
