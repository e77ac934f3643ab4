// The thickness forms and mean lines of NACA's reports, as functions of the
// chord station x in [0, 1], in chord units. A NACA section is one thickness
// form laid off normal to one mean line.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tarvex::naca {

// Half the thickness at x.
using ThicknessForm = std::function<double(double x)>;

// The ordinate of the mean line at x and its slope dy/dx.
struct MeanLinePoint {
  double y = 0.0;
  double slope = 0.0;
};
using MeanLine = std::function<MeanLinePoint(double x)>;

// The four-digit form of thickness t: 5t (0.2969 sqrt x - 0.1260 x - 0.3516 x^2
// + 0.2843 x^3 - 0.1015 x^4); closed, the last coefficient is -0.1036.
ThicknessForm fourDigitThickness(double t, bool closed);

// The modified four-digit form: a0 sqrt x + a1 x + a2 x^2 + a3 x^3 ahead of the
// maximum thickness at m, d0 + d1 (1-x) + d2 (1-x)^2 + d3 (1-x)^3 behind it,
// with the leading-edge radius of index I (1.1019 (t I/6)^2, three times the
// four-digit radius for I = 9), the trailing-edge slope d1 the reports give for
// m, a trailing-edge half thickness of 0.01 t (0 when closed), and the slope
// and the curvature of both parts equal at m. Fails for m outside 0.2..0.6.
std::optional<ThicknessForm> modifiedFourDigitThickness(double t, int leIndex, double m,
                                                        bool closed);

// The two-parabola four-digit mean line of camber c at p.
MeanLine fourDigitMeanLine(double c, double p);

// The five-digit mean line of design lift coefficient cl with its maximum
// camber at p (0.05 to 0.25 in steps of 0.05), plain or reflexed, from the
// reports' table of r, k1 and k2/k1 for cl = 0.3, scaled by cl / 0.3. Fails
// for a p outside the table (the reflexed line starts at 0.10).
std::optional<MeanLine> fiveDigitMeanLine(double cl, double p, bool reflexed);

// The six-series mean line of design lift coefficient cl with uniform
// loading from the leading edge to a (0 to 1).
MeanLine uniformLoadMeanLine(double cl, double a);

// The 6A-series' "a = 0.8 (modified)" mean line: the a = 0.8 line times
// 0.97948 up to x = 0.86, then straight with the slope -0.24521 cl to the
// trailing edge, the constants that reproduce the tabulated ordinates.
MeanLine modifiedSixAMeanLine(double cl);

}  // namespace tarvex::naca
