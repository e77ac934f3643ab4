// READXML: the name element and the x and y elements of the coordinate
// blocks of an XML airfoil document, read line by line.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "readers/reader_text.h"
#include "structured_readers.h"

namespace tarvex {
namespace {

constexpr int kSearchLines = 1000;
constexpr int kMaxBlocks = 100;
constexpr int kMaxPoints = 1000;

bool contains(const LineBuffer& line, std::string_view text) {
  return lineView(line).find(text) != std::string_view::npos;
}

// The text between open and close on the line, when both are there in
// this order.
std::optional<std::string_view> elementText(const LineBuffer& line, std::string_view open,
                                            std::string_view close) {
  const auto text = lineView(line);
  const auto start = text.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  const auto from = start + open.size();
  const auto end = text.find(close, from);
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(from, end - from);
}

// The XML writer escapes markup characters in the name; undo the five
// predefined entities, leaving any other '&' as it stands.
std::string unescaped(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string plain;
  std::size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    if (text[i] == '&') {
      for (const auto& [entity, character] : kEntities) {
        if (text.substr(i).starts_with(entity)) {
          plain += character;
          i += entity.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) plain += text[i++];
  }
  return plain;
}

// The name element, searched before the first coordinate block: the name
// goes from right after "<name>" to "</name>" on the same line, else it is
// blank. A document without one keeps the name and is read from its start.
void readName(LineInput& in, Section& section) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) {
      in.rewind();
      return;
    }
    const auto text = lineView(line);
    const auto start = text.find("<name");
    if (start == std::string_view::npos) continue;
    const auto from = start + 6;
    const auto end = from > text.size() ? std::string_view::npos : text.find("</name>", from);
    if (end == std::string_view::npos) {
      section.name.clear();
    } else {
      readers::setName(section, unescaped(text.substr(from, end - from)));
    }
    return;
  }
}

bool findBlock(LineInput& in) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return false;
    if (contains(line, "<coordinates")) return true;
  }
  return true;
}

struct PointCollector {
  std::span<float> x, y;
  int limit;  // the capacity, never more than 1000 points
  int i = 0;  // the current point
  bool hasY = false;
  int& n;

  // False when the point would lie beyond the limit.
  bool addX(float value) {
    // A point that never got its y is replaced rather than kept with a
    // made-up one.
    if (i == 0 || hasY) ++i;
    if (i > limit) return false;
    x[static_cast<std::size_t>(i - 1)] = value;
    hasY = false;
    return true;
  }
  void setY(float value) {
    if (i == 0 || i > limit) return;  // a y before any x belongs to no point
    y[static_cast<std::size_t>(i - 1)] = value;
    hasY = true;
    n = i;
  }
};

// Returns false when the input has ended.
bool readBlock(LineInput& in, PointCollector& points) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return false;
    if (contains(line, "</coordinates>")) return true;
    if (const auto text = elementText(line, "<x>", "</x>")) {
      const auto decoded = readers::decodeText(in, *text);
      if (decoded.count == 0) continue;
      if (!points.addX(decoded.value[0])) return true;
    }
    if (const auto text = elementText(line, "<y>", "</y>")) {
      const auto decoded = readers::decodeText(in, *text);
      if (decoded.count > 0) points.setY(decoded.value[0]);
    }
  }
  return true;
}

}  // namespace

void READXML(LineInput& in, Section& section, int& n) {
  std::span<float> x(section.x), y(section.y);
  const int capacity = std::min(readers::usableCapacity(x, y, n), kMaxPoints);
  n = 0;
  in.rewind();
  readName(in, section);
  PointCollector points{x, y, capacity, 0, false, n};
  for (int block = 0; block < kMaxBlocks; ++block) {
    if (!findBlock(in)) return;
    if (!readBlock(in, points)) return;
  }
}

}  // namespace tarvex
