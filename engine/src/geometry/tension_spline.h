// Exponential spline under tension over a non-decreasing abscissa.
// Interval i (0-based here) runs from knot i to knot i+1:
//   v(s) = A u + B t + C phi(u; p) + D phi(t; p),  t = (s - s_i)/h_i, u = 1 - t.
#pragma once

#include <algorithm>
#include <limits>
#include <span>

namespace tarvex {

// The basis function phi(t; p) = (sinh(p t) - t sinh p)/(sinh p - p).
float ZZPHI(float t, float p);

// Value of one piece with coefficients a, b, c, d, start si, length h, tension p.
float WERT(float a, float b, float c, float d, float s, float si, float h, float p);

// What a tension adds to every evaluation of its pieces, worked out once
// for the many evaluations of a search along one piece.
struct PieceTension {
  float p = 0;
  bool closedForm = false;  // the range evaluated through exp(p) and exp(p t)
  double ep = 0, sinhP = 0, excess = 0;
};
PieceTension pieceTension(float p);
// WERT with the tension's part worked out before: the same value, bit for bit.
float WERT(float a, float b, float c, float d, float s, float si, float h, const PieceTension& p);

// Fits n knots (n >= 2) with the tension p[i] on interval i; fills the knot
// slopes m (n entries) and the coefficients a, b, c, d (n - 1 entries each).
void SPLYX(std::span<const float> s, std::span<const float> v, int n, std::span<const float> p,
           std::span<float> m, std::span<float> a, std::span<float> b, std::span<float> c,
           std::span<float> d);

// Rounds a double to single precision, saturating at the largest finite float
// so that extreme but finite input never turns into infinities (and from
// there into NaN) further down.
inline float toSingle(double v) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  return static_cast<float>(std::clamp(v, -kLargest, kLargest));
}

}  // namespace tarvex
