// A single-stroke font for engraving: every character a few straight strokes
// that a laser scores once, so that a part's number needs no font on the
// machine that cuts it and comes out the same in every program.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/inner_offset.h"

namespace tarvex::strokes {

using Stroke = std::vector<Vec2>;

// Whether the font draws the character: letters (lower case drawn as upper
// case), digits, the blank and . , - + / : # ( ) _ = '.
bool drawable(char c);
// The first character of text the font cannot draw.
std::optional<char> firstUndrawable(std::string_view text);

// The width of text set with capitals height high.
double width(std::string_view text, double height);

// The strokes of text, its baseline starting at origin, capitals height high.
std::vector<Stroke> strokes(std::string_view text, Vec2 origin, double height);

}  // namespace tarvex::strokes
