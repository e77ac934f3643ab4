// A smooth curve through the points of a contour, over their arc length, and
// the placing of points along it (repanel, blendSections).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tarvex.hpp"

namespace tarvex {

// Cubic splines x(s), y(s) with free (zero-curvature) ends through the points
// of a contour, s the length of the polyline up to each point. Points closer
// than minSpacing to the last one kept are left out, the last point always
// kept: repeated points would give pieces of zero length, and points a
// rounding apart give a curvature of noise. At a corner (a knot turning
// sharply against its neighbours) the splines end and start afresh.
class ContourSpline {
 public:
  // Nothing when fewer than two points are minSpacing apart.
  static std::optional<ContourSpline> through(std::span<const float> x, std::span<const float> y,
                                              double minSpacing = 0.0);

  double length() const { return s_.back(); }
  // The s of the corners, where the curve is continuous but not smooth.
  const std::vector<double>& corners() const { return corners_; }
  double x(double s) const { return value(s, x_, mx_, 0); }
  double y(double s) const { return value(s, y_, my_, 0); }
  // The curvature (1 / radius, without sign) at s.
  double curvature(double s) const;
  // The s of the smallest x, the leading edge; searched piece by piece.
  double leadingEdge() const;
  // The s in [from, to] at which x(s) = target, by bisection, x taken as
  // monotone between; the nearer end when target lies outside.
  double whereX(double target, double from, double to) const;

 private:
  double value(double s, const std::vector<double>& v, const std::vector<double>& m,
               int derivative) const;
  std::vector<double> s_, x_, y_, mx_, my_;  // knots and second derivatives there
  std::vector<double> corners_;
};

// The points of a result turned into a section with its properties, keeping
// what the input carried besides its points (name, layout, comments).
Result<Section> sectionLike(const Section& input, const std::vector<double>& x,
                            const std::vector<double>& y, int capacity);

// The contour of a section as its points stand, or the reason it has none.
std::optional<ContourSpline> contourOf(const Section& section, std::string& reason);

}  // namespace tarvex
