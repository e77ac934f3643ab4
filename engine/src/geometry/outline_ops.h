// Closed outlines in the plane and the few operations a cut part needs:
// cutting a rectangle out of an outline (a notch) or adding one to it (a tab),
// turning it, and finding where a vertical line crosses it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geometry/inner_offset.h"

namespace tarvex::outline {

// The points of a closed outline, the closing point not repeated.
using Ring = std::vector<Vec2>;

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(double s, Vec2 a) { return {s * a.x, s * a.y}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
double length(Vec2 a);

// Positive for a counter-clockwise ring.
double signedArea(std::span<const Vec2> ring);
bool inside(Vec2 p, std::span<const Vec2> ring);
double distanceToSegment(Vec2 p, Vec2 a, Vec2 b);
double distanceToRing(Vec2 p, std::span<const Vec2> ring);

// Every point turned by radians (counter-clockwise) about the centre.
Ring turned(std::span<const Vec2> ring, Vec2 centre, double radians);

// The heights at which the vertical line at x crosses the ring, lowest first.
std::vector<double> heightsAt(std::span<const Vec2> ring, double x);

struct Box {
  double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
};
Box boxOf(std::span<const Vec2> points);

// The counter-clockwise ring with the box cut out of it, or added to it.
// The ring's boundary must pass through the box in one stretch: a notch
// that reaches in from one side, a tab that overlaps one edge. Anything else
// (a box that misses the ring or lies inside it, one that cuts the ring in
// two) gives nothing, with the reason.
enum class BoxOperation { cutOut, add };
std::optional<Ring> withBox(const Ring& ring, const Box& box, BoxOperation operation,
                            std::string& reason);

}  // namespace tarvex::outline
