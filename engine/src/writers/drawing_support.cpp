#include "writers/drawing_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "io/fixed_fields.h"

namespace tarvex::writers {
namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when there is
// none there that XML takes (overlong forms, surrogates, U+FFFE and U+FFFF
// and what lies beyond U+10FFFF are refused).
std::size_t sequenceLength(std::string_view text, std::size_t i, char32_t& code) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
      code == 0xFFFE || code == 0xFFFF) {
    return 0;
  }
  return length;
}

bool isUtf8(std::string_view text) {
  char32_t code = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sequenceLength(text, i, code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string number(const WriterContext& ctx, double value, int w, int d) {
  std::string text;
  if (!fields::appendDecimal(text, value, w, d)) ctx.out.noteOverflow();
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string shortText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::vector<Vec2> outlinePoints(const WriterContext& ctx, double scale) {
  std::vector<Vec2> points;
  points.reserve(static_cast<std::size_t>(ctx.n));
  for (int i = 1; i <= ctx.n; ++i) points.push_back({scale * ctx.X(i), scale * ctx.Y(i)});
  if (points.size() > 1 && points.front().x == points.back().x &&
      points.front().y == points.back().y) {
    points.pop_back();
  }
  return points;
}

Bounds boundsOf(std::span<const Vec2> points) {
  if (points.empty()) return {};
  Bounds box{points[0].x, points[0].x, points[0].y, points[0].y};
  for (const Vec2& p : points) {
    box.xmin = std::min(box.xmin, p.x);
    box.xmax = std::max(box.xmax, p.x);
    box.ymin = std::min(box.ymin, p.y);
    box.ymax = std::max(box.ymax, p.y);
  }
  return box;
}

std::string_view commentText(std::string_view line) {
  if (!line.empty() && line.front() == ';') line.remove_prefix(1);
  // The classic formats keep a name line's padding; here it would only trail.
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line;
}

std::string utf8Text(std::string_view text) {
  const bool utf8 = isUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 && c != '\t') {
      out += '?';
      ++i;
    } else if (c < 0x80) {
      out += text[i++];
    } else if (utf8) {
      char32_t code = 0;
      const std::size_t length = sequenceLength(text, i, code);
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out;
}

std::string xmlText(std::string_view text) {
  std::string out;
  for (const char c : utf8Text(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace tarvex::writers
