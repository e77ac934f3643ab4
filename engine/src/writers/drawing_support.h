// Pieces the drawing and mesh formats share: numbers without their padding,
// the section in its final units, comment lines.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/inner_offset.h"
#include "writers/field_text.h"
#include "writers/output_writer.h"

namespace tarvex::writers {

// The value in Fw.d without its leading blanks; asterisks, noted as an
// overflow, when it does not fit.
std::string number(const WriterContext& ctx, double value, int w, int d);

// A value for a message, as short as it goes ("1.5", "20").
std::string shortText(double value);

// The unit chord's length in SVG and DXF R2000 drawings unless told.
inline constexpr double kDefaultChordMm = 100.0;

// The points multiplied by scale, a repeated closing point dropped: the
// outline a closed path or polyline draws.
std::vector<Vec2> outlinePoints(const WriterContext& ctx, double scale);

// What the drawing formats draw: the outline, or with a skin the rib inside
// it (the outline moved inward by the skin). Empty, with the refusal set,
// when the section holds no such rib or the skin is thinner than
// resolutionMm, the least the format's numbers tell apart.
std::vector<Vec2> ribOrOutline(const WriterContext& ctx, const std::vector<Vec2>& outline,
                               double resolutionMm);

// The smallest box around the points; all zero for none.
struct Bounds {
  double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
};
Bounds boundsOf(std::span<const Vec2> points);

// A comment line without its leading ';' and its trailing blanks, as one
// line of text (lineText).
std::string commentText(std::string_view line);

}  // namespace tarvex::writers
