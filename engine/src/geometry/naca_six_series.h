// The basic thickness forms of the NACA 6- and 6A-series sections, worked
// out the way NACA derived them: a circle is mapped conformally onto a
// near-circle by the family's functions psi(phi) and epsilon(phi), and that
// onto the section by the Joukowski transformation:
//   x = -2 cosh(k psi) cos(phi - k eps),  y = 2 sinh(k psi) sin(phi - k eps),
// the leading edge at phi = 0, the trailing edge at phi = pi, the chord
// then scaled to 1. One factor k on both functions gives every other
// thickness; it is found so that the mapped form has exactly the requested
// maximum thickness. Between the tabulated values the functions are cubic
// splines in phi, so the form is evaluated at any station directly, without
// interpolating ordinates.
#pragma once

#include <array>
#include <optional>

namespace tarvex::detail {

enum class SixSeriesFamily { s63, s64, s65, s66, s67, s63A, s64A, s65A };

// The half thickness of the family's basic thickness form scaled to the
// maximum thickness t, as a function of x in [0, 1] (chord from 0 to 1).
class SixSeriesThickness {
 public:
  // The 6A-series forms run straight from here to the trailing edge.
  static constexpr double kStraightFrom = 0.8;

  // The thickest form make() gives: 0.40 for the 6-series (NACA tabulated
  // them up to 0.21), 0.20 for the 6A-series (tabulated up to 0.15), whose
  // straight sides close before the trailing edge soon beyond that.
  static double maxThickness(SixSeriesFamily family);
  // Nothing for a family out of range, a t that is not in
  // (0, maxThickness(family)], or one whose mapping does not give a section.
  static std::optional<SixSeriesThickness> make(SixSeriesFamily family, double t);

  // y_t(x): 0 at x = 0; x is taken as 0 below the chord and as 1 beyond it,
  // NaN stays NaN. The 6-series forms close at x = 1; the 6A-series forms
  // keep there the small thickness their straight sides run out to.
  double halfThickness(double x) const;
  // The radius of curvature of the mapped form at its nose (chord 1).
  double leadingEdgeRadius() const { return leadingEdgeRadius_; }

  static constexpr int kIntervals = 200;  // of the tabulated functions over [0, pi]
  using Knots = std::array<double, kIntervals + 1>;
  // A cubic spline over the uniform knots of [0, pi]: its values and
  // second derivatives there.
  struct Spline {
    Knots value{}, curvature{};
  };

 private:
  SixSeriesThickness() = default;
  double solvePhi(double x) const;   // the mapping's phi for the chord station x
  double mappedX(double phi) const;  // normalised to the chord [0, 1]
  double mappedY(double phi) const;

  Spline epsilon_, psi_;  // already scaled by the thickness factor
  double leadX_ = 0, chord_ = 1;
  Knots knotX_{};  // the chord station of every knot, increasing
  bool straightRear_ = false;
  double rearY_ = 0, rearSlope_ = 0;
  double leadingEdgeRadius_ = 0;
};

}  // namespace tarvex::detail
