#include "tension_spline.h"

#include <cmath>
#include <cstddef>

namespace tarvex {
namespace {

constexpr double kLargestSingle = std::numeric_limits<float>::max();

// Below this tension the closed form of phi loses its digits to cancellation
// (sinh p - p is of order p^3), so the same quotient is summed as a series.
constexpr double kSeriesTension = 0.5;
// Above this tension (where the closed forms of the fit end) the quotients are
// taken with everything divided through by sinh p, which cannot overflow.
constexpr double kLargeTension = 20.0;
constexpr int kSeriesTerms = 10;

double saturated(double v) { return std::clamp(v, -kLargestSingle, kLargestSingle); }

// (sinh p - p)/p^3 and, when |p t| <= 1, (sinh(p t) - t sinh p)/p^3, both as
// sums of their Taylor series: the terms fall at least as fast as 1/(2k+1)!.
struct SeriesSums {
  double numerator = 0;
  double denominator = 0;
};

SeriesSums seriesSums(double t, double p) {
  const double q = p * p;
  const double t2 = t * t;
  double coefficient = 1.0 / 6.0;  // p^(2k-2)/(2k+1)!
  double power = t2 * t;           // t^(2k+1)
  SeriesSums sums;
  for (int k = 1; k <= kSeriesTerms; ++k) {
    sums.numerator += coefficient * (power - t);
    sums.denominator += coefficient;
    coefficient *= q / ((2.0 * k + 2.0) * (2.0 * k + 3.0));
    power *= t2;
  }
  return sums;
}

double phi(double t, double p) {
  if (p < 1.0e-12) return saturated(t * t * t - t);
  // The limit -t everywhere but at the knots, where phi stays 0 for every p
  // so that the spline keeps running through them.
  if (p > 1.0e12) return std::fabs(t) == 1.0 ? 0.0 : -t;
  if (p <= kSeriesTension) {
    const SeriesSums sums = seriesSums(t, p);
    if (std::fabs(p * t) <= 1.0) return sums.numerator / sums.denominator;
    const double value = (std::sinh(p * t) - t * std::sinh(p)) / (p * p * p * sums.denominator);
    return saturated(value);
  }
  if (p <= kLargeTension) {
    return saturated((std::sinh(p * t) - t * std::sinh(p)) / (std::sinh(p) - p));
  }
  // sinh(p t)/sinh p for either sign of t, and p/sinh p, without forming sinh p.
  const double at = std::fabs(t);
  const double oneMinusE2p = -std::expm1(-2.0 * p);
  const double ratio =
      std::copysign(std::exp(p * (at - 1.0)) * (-std::expm1(-2.0 * p * at)) / oneMinusE2p, t);
  const double pOverSinh = 2.0 * p * std::exp(-p) / oneMinusE2p;
  return saturated((ratio - t) / (1.0 - pOverSinh));
}

// phi(1 - t; p) and phi(t; p) together, as one piece needs them. In the
// ordinary range of tensions both come from exp(p) and exp(p t): half the work
// of four hyperbolic sines, and still exactly 0 at t = 0 and t = 1.
struct BasisPair {
  double atU, atT;
};

BasisPair basisPair(double t, const PieceTension& tension) {
  const double p = tension.p;
  if (!tension.closedForm) return {phi(1.0 - t, p), phi(t, p)};
  const double ep = tension.ep, et = std::exp(p * t);
  const double sinhP = tension.sinhP;
  const double sinhT = 0.5 * (et - 1.0 / et);
  const double sinhU = 0.5 * (ep / et - et / ep);
  const double excess = tension.excess;
  return {saturated((sinhU - (1.0 - t) * sinhP) / excess), saturated((sinhT - t * sinhP) / excess)};
}

// alpha = phi''(1; p) and beta = phi'(1; p), the two tension terms of the fit.
struct TensionTerms {
  double alpha;
  double beta;
};

TensionTerms tensionTerms(double p) {
  if (p > kLargeTension) {
    const double e = std::exp(-p);
    const double oneMinusE2p = -std::expm1(-2.0 * p);
    const double pOverSinh = 2.0 * p * e / oneMinusE2p;
    const double coth = (1.0 + e * e) / oneMinusE2p;
    const double scale = 1.0 - pOverSinh;
    return {p * p / scale, (p * coth - 1.0) / scale};
  }
  if (p > 0.01) {
    const double sinhP = std::sinh(p);
    const double excess = sinhP - p;
    return {p * p * sinhP / excess, (p * std::cosh(p) - sinhP) / excess};
  }
  if (p > 1.0e-10) {
    const double q = p * p;
    const double f = 1.0 / (1.0 + q / 20.0 + q * q / 840.0);
    return {(6.0 + q + q * q / 20.0) * f, (2.0 + q / 5.0 + q * q / 140.0) * f};
  }
  return {6.0, 2.0};  // the cubic spline
}

}  // namespace

float ZZPHI(float t, float p) { return toSingle(phi(t, p)); }

PieceTension pieceTension(float p) {
  PieceTension tension;
  tension.p = p;
  tension.closedForm = p > kSeriesTension && p <= kLargeTension;
  if (tension.closedForm) {
    tension.ep = std::exp(static_cast<double>(p));
    tension.sinhP = 0.5 * (tension.ep - 1.0 / tension.ep);
    tension.excess = tension.sinhP - static_cast<double>(p);
  }
  return tension;
}

float WERT(float a, float b, float c, float d, float s, float si, float h, float p) {
  return WERT(a, b, c, d, s, si, h, pieceTension(p));
}

float WERT(float a, float b, float c, float d, float s, float si, float h,
           const PieceTension& p) {
  // A piece of zero length is only ever evaluated at its start.
  const double t = h != 0.0f ? (static_cast<double>(s) - si) / h : 0.0;
  const BasisPair basis = basisPair(t, p);
  return toSingle(a * (1.0 - t) + b * t + c * basis.atU + d * basis.atT);
}

void SPLYX(std::span<const float> s, std::span<const float> v, int n, std::span<const float> p,
           std::span<float> m, std::span<float> a, std::span<float> b, std::span<float> c,
           std::span<float> d) {
  // Never reach past what the caller supplied.
  const std::size_t fits = std::min({s.size(), v.size(), m.size(), p.size() + 1, a.size() + 1,
                                     b.size() + 1, c.size() + 1, d.size() + 1});
  if (n > static_cast<int>(fits)) n = static_cast<int>(fits);
  if (n < 2) {
    if (n == 1) m[0] = 0.0f;
    return;
  }
  const auto at = [](auto span, int i) -> auto& { return span[static_cast<std::size_t>(i)]; };
  // In double: the knots may span more than the float range.
  const auto length = [&](int i) { return static_cast<double>(at(s, i + 1)) - at(s, i); };
  const int last = n - 1;

  // End slopes: the first and the last chord.
  const double h0 = length(0);
  at(m, 0) = h0 != 0.0 ? toSingle((static_cast<double>(at(v, 1)) - at(v, 0)) / h0) : 9.0e30f;
  const double hl = length(last - 1);
  at(m, last) =
      hl != 0.0 ? toSingle((static_cast<double>(at(v, last)) - at(v, last - 1)) / hl) : 1.0e10f;

  // Per interval, kept in the coefficient arrays until the slopes are known:
  // a = beta, b = e = alpha g / h, c = w = e (1 + beta) (v(i+1) - v(i)) / h.
  // A zero-length interval carries no slope information: it is left out of
  // the continuity conditions, so the spline simply restarts after it.
  // The tensions take a few values only (the contour's ends and its middle):
  // their terms are worked out once each.
  float termsOf = 0.0f;
  TensionTerms terms = tensionTerms(0.0f);
  for (int i = 0; i < last; ++i) {
    if (i == 0 || at(p, i) != termsOf) {
      termsOf = at(p, i);
      terms = tensionTerms(termsOf);
    }
    const double g = 1.0 / (terms.beta * terms.beta - 1.0);
    const double h = length(i);
    double e = 0.0, w = 0.0;
    if (h != 0.0) {
      e = terms.alpha * g / h;
      w = e * (1.0 + terms.beta) * (static_cast<double>(at(v, i + 1)) - at(v, i)) / h;
    }
    at(a, i) = toSingle(terms.beta);
    at(b, i) = toSingle(e);
    at(c, i) = toSingle(w);
  }

  // Continuity of the second derivative at the interior knots: a tridiagonal
  // system, eliminated forwards (c' kept in d, d' in m) and solved backwards.
  double previousC = 0.0, previousD = 0.0;
  for (int j = 1; j < last; ++j) {
    const double eLeft = at(b, j - 1), eRight = at(b, j);
    double rhs = static_cast<double>(at(c, j - 1)) + at(c, j);
    if (j == 1) rhs -= eLeft * at(m, 0);
    if (j == last - 1) rhs -= eRight * at(m, last);
    const double diagonal = static_cast<double>(at(a, j - 1)) * eLeft + at(a, j) * eRight;
    const double pivot = diagonal - eLeft * previousC;
    if (pivot == 0.0) {
      // No equation left at this knot (both neighbours of zero length, or
      // weights lost to underflow): it keeps the slope of the chord over it.
      const double width = static_cast<double>(at(s, j + 1)) - at(s, j - 1);
      previousC = 0.0;
      previousD = width != 0.0 ? (static_cast<double>(at(v, j + 1)) - at(v, j - 1)) / width : 0.0;
    } else {
      previousC = eRight / pivot;
      previousD = (rhs - eLeft * previousD) / pivot;
    }
    at(d, j) = toSingle(previousC);
    at(m, j) = toSingle(previousD);
    previousC = at(d, j);
    previousD = at(m, j);
  }
  for (int j = last - 2; j >= 1; --j) {
    at(m, j) = toSingle(at(m, j) - static_cast<double>(at(d, j)) * at(m, j + 1));
  }

  // Slopes into coefficients.
  for (int i = 0; i < last; ++i) {
    const double beta = at(a, i);
    const double k = length(i) / (beta * beta - 1.0);
    const double dv = static_cast<double>(at(v, i + 1)) - at(v, i);
    const double q = beta - 1.0 != 0.0 ? dv / (beta - 1.0) : 1.0e10;
    const double mi = at(m, i), mNext = at(m, i + 1);
    at(a, i) = at(v, i);
    at(b, i) = at(v, i + 1);
    at(c, i) = toSingle(q - (beta * mi + mNext) * k);
    at(d, i) = toSingle((beta * mNext + mi) * k - q);
  }
}

}  // namespace tarvex
