#include "geometry/panelling.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tarvex_shape.hpp"

namespace tarvex {
namespace {

Error badStep(std::string why) { return Error{Status::badOptions, std::move(why), {}, 0}; }

// Second derivatives of the cubic through v over the knots s with free ends
// (zero there), by the tridiagonal elimination, which needs no pivoting as
// the system is diagonally dominant.
std::vector<double> secondDerivatives(const std::vector<double>& s, const std::vector<double>& v) {
  const std::size_t n = s.size();
  std::vector<double> m(n, 0.0);
  if (n < 3) return m;
  // Row i: h[i-1] m[i-1] + 2 (h[i-1] + h[i]) m[i] + h[i] m[i+1] = r[i], m[0] = m[n-1] = 0.
  std::vector<double> diagonal(n, 1.0), right(n, 0.0);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double h0 = s[i] - s[i - 1], h1 = s[i + 1] - s[i];
    diagonal[i] = 2.0 * (h0 + h1);
    right[i] = 6.0 * ((v[i + 1] - v[i]) / h1 - (v[i] - v[i - 1]) / h0);
    if (i > 1) {
      const double factor = h0 / diagonal[i - 1];
      diagonal[i] -= factor * h0;
      right[i] -= factor * right[i - 1];
    }
  }
  for (std::size_t i = n - 2; i >= 1; --i) {
    m[i] = (right[i] - (s[i + 1] - s[i]) * m[i + 1]) / diagonal[i];
  }
  return m;
}

// The knots where the contour turns sharply against its neighbours, such as
// the cut a flap leaves at its hinge: more than 5 degrees, and three times
// what the knots on either side turn. A spline through such a corner would
// overshoot into a loop; it ends there instead and starts afresh.
std::vector<std::size_t> cornerKnots(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = x.size();
  std::vector<double> turn(n, 0.0);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double ax = x[i] - x[i - 1], ay = y[i] - y[i - 1];
    const double bx = x[i + 1] - x[i], by = y[i + 1] - y[i];
    turn[i] = std::fabs(std::atan2(ax * by - ay * bx, ax * bx + ay * by));
  }
  constexpr double kLeast = 5.0 * std::numbers::pi / 180.0;
  std::vector<std::size_t> corners;
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double before = i > 1 ? turn[i - 1] : 0.0, after = i + 2 < n ? turn[i + 1] : 0.0;
    if (turn[i] > kLeast && turn[i] > 3.0 * std::max(before, after)) corners.push_back(i);
  }
  return corners;
}

// Free-ended splines between the corners, each solved on its own.
std::vector<double> piecewiseSecondDerivatives(const std::vector<double>& s,
                                               const std::vector<double>& v,
                                               const std::vector<std::size_t>& corners) {
  std::vector<double> m(s.size(), 0.0);
  std::size_t from = 0;
  for (std::size_t k = 0; k <= corners.size(); ++k) {
    const std::size_t to = k < corners.size() ? corners[k] : s.size() - 1;
    const std::vector<double> piece = secondDerivatives(
        std::vector<double>(s.begin() + std::ptrdiff_t(from), s.begin() + std::ptrdiff_t(to) + 1),
        std::vector<double>(v.begin() + std::ptrdiff_t(from), v.begin() + std::ptrdiff_t(to) + 1));
    for (std::size_t i = 1; i + 1 < piece.size(); ++i) m[from + i] = piece[i];
    from = to;
  }
  return m;
}

// The density smoothed over about width: (1 - width^2 d2/ds2) out = in on
// equal steps h, the ends without flux, so that a spike of curvature spreads
// over its neighbourhood instead of making one panel much shorter than the next.
std::vector<double> smoothed(const std::vector<double>& in, double h, double width) {
  const std::size_t n = in.size();
  if (n < 3 || !(width > 0.0)) return in;
  const double a = (width / h) * (width / h);
  std::vector<double> diagonal(n), out(in);
  for (std::size_t i = 0; i < n; ++i) {
    diagonal[i] = (i == 0 || i + 1 == n) ? 1.0 + a : 1.0 + 2.0 * a;
  }
  for (std::size_t i = 1; i < n; ++i) {
    const double factor = -a / diagonal[i - 1];
    diagonal[i] -= factor * -a;
    out[i] -= factor * out[i - 1];
  }
  out[n - 1] /= diagonal[n - 1];
  for (std::size_t i = n - 1; i-- > 0;) out[i] = (out[i] + a * out[i + 1]) / diagonal[i];
  return out;
}

// The density along the contour: w = 1 + 3 bunching sqrt(k L), which is
// what spreads the polyline's distance from the curve (k h^2 / 8 for a
// panel h) evenly where the curvature k dominates, raised towards both
// trailing-edge ends to trailingEdgeRatio of the leading edge's.
std::vector<double> density(const ContourSpline& shape, double length, int samples,
                            const Panelling& step) {
  const double h = length / (samples - 1), scale = shape.length() / length;
  std::vector<double> k(static_cast<std::size_t>(samples));
  double largest = 0.0;
  for (int j = 0; j < samples; ++j) {
    const double c = shape.curvature(scale * h * j);
    k[std::size_t(j)] = std::isfinite(c) ? c : 0.0;
    largest = std::max(largest, k[std::size_t(j)]);
  }
  // Three tenths of the tightest radius (more blurs the nose's curvature), kept within 1e-4 to 1e-2
  // of the length.
  const double width =
      std::clamp(largest > 0.0 ? 0.3 / largest : length, 1e-4 * length, 1e-2 * length);
  std::vector<double> w = smoothed(k, h, width);
  double peak = 0.0;
  for (double& v : w) {
    v = 1.0 + 3.0 * step.bunching * std::sqrt(std::max(v, 0.0) * length);
    peak = std::max(peak, v);
  }
  const double decay = 0.025 * length;  // about 0.05 chords on a section
  const double raiseFirst = std::max(step.trailingEdgeRatio * peak - w.front(), 0.0);
  const double raiseLast = std::max(step.trailingEdgeRatio * peak - w.back(), 0.0);
  for (int j = 0; j < samples; ++j) {
    const double s = h * j;
    w[std::size_t(j)] +=
        raiseFirst * std::exp(-s / decay) + raiseLast * std::exp(-(length - s) / decay);
  }
  return w;
}

}  // namespace

std::optional<ContourSpline> ContourSpline::through(std::span<const float> x,
                                                    std::span<const float> y, double minSpacing) {
  const std::size_t n = std::min(x.size(), y.size());
  ContourSpline spline;
  for (std::size_t i = 0; i < n; ++i) {
    const double xi = x[i], yi = y[i];
    if (!std::isfinite(xi) || !std::isfinite(yi)) return std::nullopt;
    if (spline.x_.empty()) {
      spline.x_.push_back(xi);
      spline.y_.push_back(yi);
      spline.s_.push_back(0.0);
      continue;
    }
    const double step = std::hypot(xi - spline.x_.back(), yi - spline.y_.back());
    const bool last = i + 1 == n;
    if (step > minSpacing) {
      spline.x_.push_back(xi);
      spline.y_.push_back(yi);
      spline.s_.push_back(spline.s_.back() + step);
    } else if (last && step > 0.0 && spline.x_.size() > 1) {
      // The last point replaces the one kept just before it, so that the
      // contour still ends where the section does.
      spline.x_.back() = xi;
      spline.y_.back() = yi;
      const std::size_t k = spline.s_.size() - 1;
      const double back = std::hypot(xi - spline.x_[k - 1], yi - spline.y_[k - 1]);
      if (back > 0.0) {
        spline.s_[k] = spline.s_[k - 1] + back;
      } else {
        spline.x_.pop_back();
        spline.y_.pop_back();
        spline.s_.pop_back();
      }
    } else if (last && step > 0.0) {
      spline.x_.push_back(xi);
      spline.y_.push_back(yi);
      spline.s_.push_back(spline.s_.back() + step);
    }
  }
  if (spline.s_.size() < 2 || !(spline.s_.back() > 0.0) || !std::isfinite(spline.s_.back())) {
    return std::nullopt;
  }
  const std::vector<std::size_t> corners = cornerKnots(spline.x_, spline.y_);
  spline.mx_ = piecewiseSecondDerivatives(spline.s_, spline.x_, corners);
  spline.my_ = piecewiseSecondDerivatives(spline.s_, spline.y_, corners);
  for (std::size_t k : corners) spline.corners_.push_back(spline.s_[k]);
  return spline;
}

double ContourSpline::value(double s, const std::vector<double>& v, const std::vector<double>& m,
                            int derivative) const {
  s = std::clamp(s, s_.front(), s_.back());
  const auto above = std::upper_bound(s_.begin(), s_.end(), s);
  const std::size_t i = std::min(
      static_cast<std::size_t>(std::max<std::ptrdiff_t>(above - s_.begin(), 1)) - 1, s_.size() - 2);
  const double h = s_[i + 1] - s_[i];
  const double a = (s_[i + 1] - s) / h, b = (s - s_[i]) / h;
  switch (derivative) {
    case 0:
      return a * v[i] + b * v[i + 1] +
             ((a * a * a - a) * m[i] + (b * b * b - b) * m[i + 1]) * h * h / 6.0;
    case 1:
      return (v[i + 1] - v[i]) / h - (3.0 * a * a - 1.0) / 6.0 * h * m[i] +
             (3.0 * b * b - 1.0) / 6.0 * h * m[i + 1];
    default:
      return a * m[i] + b * m[i + 1];
  }
}

double ContourSpline::curvature(double s) const {
  const double dx = value(s, x_, mx_, 1), dy = value(s, y_, my_, 1);
  const double ddx = value(s, x_, mx_, 2), ddy = value(s, y_, my_, 2);
  const double speed = std::hypot(dx, dy);
  if (!(speed > 0.0)) return 0.0;
  return std::fabs(dx * ddy - dy * ddx) / (speed * speed * speed);
}

double ContourSpline::leadingEdge() const {
  const auto nearest = std::min_element(x_.begin(), x_.end()) - x_.begin();
  const auto j = static_cast<std::size_t>(nearest);
  // The smallest x of the curve lies on one of the two pieces at that knot.
  double low = s_[j > 0 ? j - 1 : 0], high = s_[std::min(j + 1, s_.size() - 1)];
  for (int i = 0; i < 200 && high - low > 1e-15 * s_.back(); ++i) {
    const double a = low + (high - low) / 3.0, b = high - (high - low) / 3.0;
    if (x(a) < x(b)) {
      high = b;
    } else {
      low = a;
    }
  }
  const double s = 0.5 * (low + high);
  return x(s) <= x_[j] ? s : s_[j];
}

double ContourSpline::whereX(double target, double from, double to) const {
  double xFrom = x(from) - target, xTo = x(to) - target;
  if (xFrom == 0.0) return from;
  if (xTo == 0.0) return to;
  if ((xFrom > 0.0) == (xTo > 0.0)) return std::fabs(xFrom) <= std::fabs(xTo) ? from : to;
  for (int i = 0; i < 200 && std::fabs(to - from) > 1e-15 * s_.back(); ++i) {
    const double middle = 0.5 * (from + to), xMiddle = x(middle) - target;
    if (xMiddle == 0.0) return middle;
    if ((xMiddle > 0.0) == (xFrom > 0.0)) {
      from = middle;
      xFrom = xMiddle;
    } else {
      to = middle;
    }
  }
  return 0.5 * (from + to);
}

Result<Section> sectionLike(const Section& input, const std::vector<double>& x,
                            const std::vector<double>& y, int capacity) {
  auto result = sectionFromPoints(input.name, x, y, {.normalise = false, .capacity = capacity});
  if (!result) return result;
  result->layout = input.layout;
  result->pointsRead = input.pointsRead;
  result->xmin = input.xmin;
  result->xmax = input.xmax;
  result->comments = input.comments;
  result->notices = input.notices;
  return result;
}

std::optional<ContourSpline> contourOf(const Section& section, std::string& reason) {
  if (section.x.size() != section.y.size() || section.x.size() < 3) {
    reason = "a section needs at least 3 points, as many x as y values";
    return std::nullopt;
  }
  auto contour = ContourSpline::through(section.x, section.y);
  if (!contour) reason = "the section's points are not finite or all at one place";
  return contour;
}

Result<Section> repanel(const Section& section, const Panelling& step) {
  if (step.points < 5) {
    return badStep("a panelling needs at least 5 points, not " + std::to_string(step.points));
  }
  if (step.points > kMaxNacaPoints) {
    return badStep("a panelling has at most " + std::to_string(kMaxNacaPoints) + " points, not " +
                   std::to_string(step.points));
  }
  if (step.points > step.capacity) {
    return badStep(std::to_string(step.points) + " points exceed the capacity of " +
                   std::to_string(step.capacity));
  }
  if (!(step.bunching >= 0.0) || !std::isfinite(step.bunching)) {
    return badStep("the curvature bunching is a finite number of 0 or more");
  }
  if (!(step.trailingEdgeRatio >= 0.0) || !std::isfinite(step.trailingEdgeRatio)) {
    return badStep("the trailing-edge density ratio is a finite number of 0 or more");
  }
  std::string reason;
  const auto contour = contourOf(section, reason);
  if (!contour) return badStep(reason);
  const double length = contour->length();
  // Curvature from knots at least 5e-4 of the length apart: single-precision
  // points a rounding apart (the close trailing-edge stations of a cosine
  // spacing) would make it noise.
  const auto coarse = ContourSpline::through(section.x, section.y, 5e-4 * length);
  const ContourSpline& shape = coarse ? *coarse : *contour;

  const int samples = std::max(20001, 20 * step.points + 1);
  const std::vector<double> w = density(shape, length, samples, step);
  const double h = length / (samples - 1);
  std::vector<double> integral(w.size(), 0.0);
  for (std::size_t j = 1; j < w.size(); ++j) {
    integral[j] = integral[j - 1] + 0.5 * h * (w[j - 1] + w[j]);
  }
  // Equal increments of the integral of the density.
  std::vector<double> x(static_cast<std::size_t>(step.points)), y(x.size()), where(x.size());
  std::size_t j = 0;
  for (int i = 0; i < step.points; ++i) {
    double s = length;
    if (i + 1 < step.points) {
      const double target = integral.back() * i / (step.points - 1);
      while (j + 2 < integral.size() && integral[j + 1] < target) ++j;
      const double piece = integral[j + 1] - integral[j];
      const double t = piece > 0.0 ? std::clamp((target - integral[j]) / piece, 0.0, 1.0) : 0.0;
      s = h * (static_cast<double>(j) + t);
    }
    where[std::size_t(i)] = s;
  }
  // A point on every corner, the nearest one moved there, so that the
  // polyline keeps the corner instead of cutting it.
  for (const double corner : contour->corners()) {
    const auto nearest = std::min_element(
        where.begin() + 1, where.end() - 1,
        [&](double a, double b) { return std::fabs(a - corner) < std::fabs(b - corner); });
    if (nearest != where.end() - 1) *nearest = corner;
  }
  for (std::size_t i = 0; i < where.size(); ++i) {
    x[i] = contour->x(where[i]);
    y[i] = contour->y(where[i]);
  }
  auto result = sectionLike(section, x, y, step.capacity);
  if (result && result->size() != step.points) {
    return badStep("the section is too small for " + std::to_string(step.points) +
                   " distinct points in single precision");
  }
  return result;
}

}  // namespace tarvex
