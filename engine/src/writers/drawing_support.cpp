#include "writers/drawing_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "io/fixed_fields.h"

namespace tarvex::writers {

std::string number(const WriterContext& ctx, double value, int w, int d) {
  if (w <= 0) return {};
  // The field is laid out in place, and only its digits make the string: short
  // enough, mostly, to be held inside it without an allocation, for every
  // coordinate of a drawing.
  std::array<char, 64> field;
  std::string wide;
  char* out = field.data();
  if (static_cast<std::size_t>(w) > field.size()) {
    wide.resize(static_cast<std::size_t>(w));
    out = wide.data();
  }
  if (!fields::placeDecimal(out, value, w, d)) ctx.out.noteOverflow();
  const std::string_view text(out, static_cast<std::size_t>(w));
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
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

std::vector<Vec2> ribOrOutline(const WriterContext& ctx, const std::vector<Vec2>& outline,
                               double resolutionMm) {
  const double skin = ctx.drawing.options.skinMm;
  if (skin <= 0.0) return outline;
  std::string& refusal = ctx.drawing.refusal;
  const std::string what = "no rib inside a skin of " + shortText(skin) + " mm: ";
  if (skin < 0.999 * resolutionMm) {  // a float of 1e-4 is a little less
    // Offset by less than its numbers show, the rib would be the outline.
    refusal = what + "it is thinner than the " + shortText(resolutionMm) +
              " mm the drawing resolves; give 0 for the outline itself";
    return {};
  }
  std::vector<Vec2> rib = innerOffset(outline, skin, &refusal);
  if (rib.empty()) refusal = what + refusal;
  return rib;
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

std::string commentText(std::string_view line) {
  if (!line.empty() && line.front() == ';') line.remove_prefix(1);
  std::string text = lineText(line);
  // The classic formats keep a name line's padding; here it would only trail.
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  return text;
}

}  // namespace tarvex::writers
