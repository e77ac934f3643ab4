#include "geometry/naca_shapes.h"

#include <array>
#include <cmath>
#include <numbers>

namespace tarvex::naca {
namespace {

// u ln|u| and u^2 ln|u| with their limits at 0, where the mean lines of
// uniform loading have logarithmic ends.
double timesLog(double u) { return u == 0.0 ? 0.0 : u * std::log(std::fabs(u)); }
double squareTimesLog(double u) { return u * timesLog(u); }

struct FiveDigitRow {
  double p, r, k1, k2OverK1;
};
// For cl = 0.3.
constexpr std::array<FiveDigitRow, 5> kPlainRows{{{0.05, 0.0580, 361.4, 0.0},
                                                  {0.10, 0.1260, 51.64, 0.0},
                                                  {0.15, 0.2025, 15.957, 0.0},
                                                  {0.20, 0.2900, 6.643, 0.0},
                                                  {0.25, 0.3910, 3.230, 0.0}}};
constexpr std::array<FiveDigitRow, 4> kReflexedRows{{{0.10, 0.1300, 51.99, 0.000764},
                                                     {0.15, 0.2170, 15.793, 0.00677},
                                                     {0.20, 0.3180, 6.520, 0.0303},
                                                     {0.25, 0.4410, 3.191, 0.1355}}};

template <std::size_t N>
const FiveDigitRow* rowFor(const std::array<FiveDigitRow, N>& rows, double p) {
  for (const FiveDigitRow& row : rows) {
    if (std::fabs(row.p - p) < 1e-9) return &row;
  }
  return nullptr;
}

// The trailing-edge slope of the modified four-digit forms, per unit of t,
// for the maximum thickness at 0.2, 0.3, ... 0.6.
constexpr std::array<double, 5> kTrailingEdgeSlope{1.000, 1.170, 1.575, 2.325, 3.500};

// Solves the 3x3 system a z = b by Cramer's rule (the matrix is regular for
// every m of the table).
std::array<double, 3> solve3(const std::array<std::array<double, 3>, 3>& a,
                             const std::array<double, 3>& b) {
  const auto det = [](const std::array<std::array<double, 3>, 3>& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  };
  const double d = det(a);
  std::array<double, 3> z{};
  for (std::size_t column = 0; column < 3; ++column) {
    auto replaced = a;
    for (std::size_t row = 0; row < 3; ++row) replaced[row][column] = b[row];
    z[column] = det(replaced) / d;
  }
  return z;
}

}  // namespace

ThicknessForm fourDigitThickness(double t, bool closed) {
  const double last = closed ? -0.1036 : -0.1015;
  return [t, last](double x) {
    return 5.0 * t *
           (0.2969 * std::sqrt(x) + x * (-0.1260 + x * (-0.3516 + x * (0.2843 + x * last))));
  };
}

std::optional<ThicknessForm> modifiedFourDigitThickness(double t, int leIndex, double m,
                                                        bool closed) {
  const double tenths = std::round(m * 10.0);
  if (tenths < 2.0 || tenths > 6.0 || std::fabs(m * 10.0 - tenths) > 1e-9) return std::nullopt;
  if (leIndex < 0 || leIndex > 9) return std::nullopt;
  const double radiusFactor = leIndex == 9 ? std::sqrt(3.0) : leIndex / 6.0;
  const double a0 = 5.0 * 0.2969 * t * radiusFactor;
  const double d0 = closed ? 0.0 : 0.01 * t;
  const double d1 = kTrailingEdgeSlope[static_cast<std::size_t>(tenths) - 2] * t;
  const double half = t / 2.0;
  // Behind m: half thickness at m with zero slope.
  const double s = 1.0 - m;
  const double rest = half - d0 - d1 * s;
  const double d3 = (-d1 * s - 2.0 * rest) / (s * s * s);
  const double d2 = (rest - d3 * s * s * s) / (s * s);
  const double curvature = 2.0 * d2 + 6.0 * d3 * s;
  // Ahead of m: the same thickness, slope and curvature at m.
  const double root = std::sqrt(m);
  const auto a = solve3({{{m, m * m, m * m * m}, {1.0, 2.0 * m, 3.0 * m * m}, {0.0, 2.0, 6.0 * m}}},
                        {half - a0 * root, -a0 / (2.0 * root), curvature + a0 / (4.0 * m * root)});
  return ThicknessForm([=](double x) {
    if (x < m) return a0 * std::sqrt(x) + x * (a[0] + x * (a[1] + x * a[2]));
    const double u = 1.0 - x;
    return d0 + u * (d1 + u * (d2 + u * d3));
  });
}

MeanLine fourDigitMeanLine(double c, double p) {
  return [c, p](double x) {
    if (x < p) return MeanLinePoint{c / (p * p) * (2.0 * p * x - x * x), 2.0 * c / (p * p) * (p - x)};
    const double q = (1.0 - p) * (1.0 - p);
    return MeanLinePoint{c / q * (1.0 - 2.0 * p + 2.0 * p * x - x * x), 2.0 * c / q * (p - x)};
  };
}

std::optional<MeanLine> fiveDigitMeanLine(double cl, double p, bool reflexed) {
  const FiveDigitRow* row = reflexed ? rowFor(kReflexedRows, p) : rowFor(kPlainRows, p);
  if (row == nullptr) return std::nullopt;
  const double r = row->r;
  const double k1 = row->k1 * cl / 0.3;
  const double k21 = row->k2OverK1;
  if (!reflexed) {
    return MeanLine([r, k1](double x) {
      if (x < r) {
        return MeanLinePoint{k1 / 6.0 * (x * x * x - 3.0 * r * x * x + r * r * (3.0 - r) * x),
                             k1 / 6.0 * (3.0 * x * x - 6.0 * r * x + r * r * (3.0 - r))};
      }
      return MeanLinePoint{k1 * r * r * r / 6.0 * (1.0 - x), -k1 * r * r * r / 6.0};
    });
  }
  return MeanLine([r, k1, k21](double x) {
    const double tail = k21 * (1.0 - r) * (1.0 - r) * (1.0 - r) + r * r * r;
    const double factor = x < r ? 1.0 : k21;
    const double d = x - r;
    return MeanLinePoint{k1 / 6.0 * (factor * d * d * d - tail * x + r * r * r),
                         k1 / 6.0 * (3.0 * factor * d * d - tail)};
  });
}

MeanLine uniformLoadMeanLine(double cl, double a) {
  constexpr double pi = std::numbers::pi;
  if (a >= 1.0) {
    return [cl](double x) {
      const double factor = -cl / (4.0 * pi);
      const double slope = x <= 0.0 || x >= 1.0 ? 0.0 : factor * (std::log(x) - std::log(1.0 - x));
      return MeanLinePoint{factor * (timesLog(1.0 - x) + timesLog(x)), slope};
    };
  }
  const double g = -1.0 / (1.0 - a) * (squareTimesLog(a) / 2.0 - a * a / 4.0 + 0.25);
  const double h =
      1.0 / (1.0 - a) * (squareTimesLog(1.0 - a) / 2.0 - (1.0 - a) * (1.0 - a) / 4.0) + g;
  const double factor = cl / (2.0 * pi * (a + 1.0));
  return [=](double x) {
    const double y =
        factor * ((squareTimesLog(a - x) / 2.0 - squareTimesLog(1.0 - x) / 2.0 +
                   (1.0 - x) * (1.0 - x) / 4.0 - (a - x) * (a - x) / 4.0) /
                      (1.0 - a) -
                  timesLog(x) + g - h * x);
    const double slope =
        x <= 0.0 ? 0.0
                 : factor * ((timesLog(1.0 - x) - timesLog(a - x)) / (1.0 - a) - std::log(x) - 1.0 - h);
    return MeanLinePoint{y, slope};
  };
}

MeanLine modifiedSixAMeanLine(double cl) {
  const MeanLine curved = uniformLoadMeanLine(0.97948 * cl, 0.8);
  const double slope = -0.24521 * cl;
  return [curved, slope](double x) {
    if (x <= 0.86) return curved(x);
    return MeanLinePoint{slope * (x - 1.0), slope};
  };
}

}  // namespace tarvex::naca
