#include "geometry/redistribution.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "geometry/tension_spline.h"

namespace tarvex {
namespace {

constexpr int kMaxPoints = 1000;
constexpr float kPi = 3.1415927f;
constexpr int kLeadingEdgeSteps = 250;
constexpr float kBisectionWidth = 1.0e-11f;

enum class Surface { kUpper, kLower };

// The contour as the two tension splines x(s) and y(s) over its cumulative
// chord length; all working storage of one redistribution lives here.
class ContourSpline {
 public:
  ContourSpline(std::span<const float> x, std::span<const float> y, int n, float sigma)
      : n_(n), storage_(static_cast<std::size_t>(n) * kArrays) {
    s_ = slice(0);
    const auto tension = slice(1);
    const auto slopes = slice(2);
    for (int k = 0; k < 4; ++k) {
      xCoefficients_[k] = slice(3 + k);
      yCoefficients_[k] = slice(7 + k);
    }

    // Tensions below 0.01 fall back to the plain cubic; the end intervals are
    // four times as tight, which keeps the trailing edge close to its chords.
    const float tight = sigma >= 0.01f ? std::min(sigma, 20.0f) : 0.0f;
    std::fill(tension.begin(), tension.end(), tight);
    tension[0] = tension[static_cast<std::size_t>(n - 2)] = 4.0f * tight;

    s_[0] = 0.0f;
    for (int i = 0; i + 1 < n; ++i) {
      const double dx = static_cast<double>(x[at(i + 1)]) - x[at(i)];
      const double dy = static_cast<double>(y[at(i + 1)]) - y[at(i)];
      s_[at(i + 1)] = toSingle(s_[at(i)] + std::sqrt(dx * dx + dy * dy));
    }
    const auto& xc = xCoefficients_;
    const auto& yc = yCoefficients_;
    SPLYX(s_, x, n, tension, slopes, xc[0], xc[1], xc[2], xc[3]);
    SPLYX(s_, y, n, tension, slopes, yc[0], yc[1], yc[2], yc[3]);
    // Every station's search evaluates one interval's pieces many times.
    pieceTensions_.reserve(at(n - 1));
    for (int i = 0; i + 1 < n; ++i) {
      const float p = tension[at(i)];
      pieceTensions_.push_back(i > 0 && p == tension[at(i - 1)] ? pieceTensions_.back()
                                                                : pieceTension(p));
    }
  }

  // The spans point into the object's own storage: a copy would share it.
  ContourSpline(const ContourSpline&) = delete;
  ContourSpline& operator=(const ContourSpline&) = delete;

  float start(int i) const { return s_[at(i)]; }
  float length(int i) const { return s_[at(i + 1)] - s_[at(i)]; }
  float x(int i, float s) const { return evaluate(xCoefficients_, i, s); }
  float y(int i, float s) const { return evaluate(yCoefficients_, i, s); }

  // Where x(s) on interval i lies against a float value v, when that is
  // certain without the hyperbolic terms: 1 when it is at least above (the
  // float after v), -1 when at most below (the float before v), 0 when only
  // evaluating it can tell. The piece is its straight part plus c phi(u) +
  // d phi(t), and phi lies in [-1, 0] on [0, 1] for every tension, so the
  // curved part is at most |c| + |d| away; the searches mostly look far from
  // the value they seek.
  int xSide(int i, float s, float below, float above) const {
    const std::size_t k = at(i);
    if (!pieceTensions_[k].closedForm) return 0;
    const float h = length(i);
    if (h == 0.0f) return 0;
    const double t = (static_cast<double>(s) - s_[k]) / h;  // as the evaluation takes it
    if (!(t >= 0.0 && t <= 1.0)) return 0;
    const double a = xCoefficients_[0][k], b = xCoefficients_[1][k];
    const double bend = std::fabs(xCoefficients_[2][k]) + std::fabs(xCoefficients_[3][k]);
    const double straight = a * (1.0 - t) + b * t;
    // Generous room for the rounding of the evaluation's double arithmetic.
    const double slack = 1.0e-9 * (std::fabs(a) + std::fabs(b) + bend);
    if (straight - bend - slack >= above) return 1;
    if (straight + bend + slack <= below) return -1;
    return 0;
  }

  // The parameter on interval i at which x(s) reaches the station xs: the
  // lower end of the last bracket of a bisection down to 1.0E-11. Once the
  // midpoint rounds to the lower end, no later step can move it (smaller
  // halves round to it as well), so the search ends there.
  float solve(int i, float xs, Surface surface) const {
    const float below = std::nextafter(xs, -std::numeric_limits<float>::infinity());
    const float above = std::nextafter(xs, std::numeric_limits<float>::infinity());
    const bool upper = surface == Surface::kUpper;
    float a = start(i);
    float w = length(i) / 2.0f;
    float mid = a + w;
    while (w > kBisectionWidth && mid != a) {
      // The station lies beyond mid when x(mid) is past it in the surface's direction.
      bool beyond = false;
      if (const int side = xSide(i, mid, below, above); side != 0) {
        beyond = upper ? side > 0 : side < 0;
      } else {
        const float xm = x(i, mid);
        beyond = upper ? xs < xm : xs > xm;
      }
      if (beyond) a = mid;
      mid = a + w / 2.0f;
      w /= 2.0f;
    }
    return a;
  }

 private:
  static constexpr int kArrays = 11;
  using Coefficients = std::span<float>[4];

  static std::size_t at(int i) { return static_cast<std::size_t>(i); }
  std::span<float> slice(int k) {
    return std::span<float>(storage_).subspan(at(k) * at(n_), at(n_));
  }
  float evaluate(const Coefficients& c, int i, float s) const {
    const std::size_t k = at(i);
    return WERT(c[0][k], c[1][k], c[2][k], c[3][k], s, s_[k], length(i), pieceTensions_[k]);
  }

  int n_;
  std::vector<float> storage_;
  std::span<float> s_;
  Coefficients xCoefficients_, yCoefficients_;
  std::vector<PieceTension> pieceTensions_;
};

struct ParameterPoint {
  int interval;
  float s;
};

// The point of smallest x on the spline, sampled 251 times on each of the two
// intervals next to the input point l of smallest x; ties keep the earlier
// sample.
ParameterPoint leadingEdge(const ContourSpline& spline, std::span<const float> x, int l) {
  ParameterPoint best{l - 1, spline.start(l - 1)};
  float bestX = x[static_cast<std::size_t>(l - 1)];
  for (int i = l - 1; i <= l; ++i) {
    const float step = spline.length(i) / static_cast<float>(kLeadingEdgeSteps);
    float s = spline.start(i);
    for (int k = 0; k <= kLeadingEdgeSteps; ++k) {
      // A sample certainly not below the best so far need not be evaluated.
      const float above = std::nextafter(bestX, std::numeric_limits<float>::infinity());
      const float below = std::nextafter(bestX, -std::numeric_limits<float>::infinity());
      if (spline.xSide(i, s, below, above) <= 0) {
        const float xv = spline.x(i, s);
        if (xv < bestX) {
          bestX = xv;
          best = {i, s};
        }
      }
      s += step;
    }
  }
  return best;
}

}  // namespace

std::optional<std::vector<float>> standardStations(std::span<const float> stations,
                                                   std::string* reason, int* status) {
  const auto refuse = [&](int code, std::string why) -> std::optional<std::vector<float>> {
    if (reason != nullptr) *reason = std::move(why);
    if (status != nullptr) *status = code;
    return std::nullopt;
  };
  if (stations.size() > static_cast<std::size_t>(kMaxStations)) {
    return refuse(1, "more than " + std::to_string(kMaxStations) + " stations");
  }
  if (stations.size() < 2) return refuse(2, "fewer than two stations");
  // A station that is no number would put no number into every section, and
  // stations out of order make sections that double back on themselves.
  for (std::size_t i = 0; i < stations.size(); ++i) {
    if (!std::isfinite(stations[i])) return refuse(2, "a station is not a finite number");
    if (i > 0 && !(stations[i] > stations[i - 1])) {
      return refuse(2, "the stations do not increase strictly");
    }
  }
  // A list ending beyond the chord is given in per cent.
  const float factor = stations.back() > 1.0f ? 0.01f : 1.0f;
  std::vector<float> scaled(stations.size());
  std::transform(stations.begin(), stations.end(), scaled.begin(),
                 [factor](float station) { return factor * station; });
  if (status != nullptr) *status = 0;
  return scaled;
}

bool LSAMEX(std::span<const float> x, int n) {
  n = std::min(n, static_cast<int>(x.size()));
  for (int i = 0; i < (n + 1) / 2; ++i) {
    const double difference = static_cast<double>(x[static_cast<std::size_t>(i)]) -
                              x[static_cast<std::size_t>(n - 1 - i)];
    if (std::fabs(difference) > 1.0e-15) return false;
  }
  return true;
}

int IRESPL(std::span<float> x, std::span<float> y, int& n, int m, float sigma, int mode,
           std::span<const float> stations) {
  const auto at = [](auto i) { return static_cast<std::size_t>(i); };
  const auto capacity = static_cast<std::int64_t>(std::min(x.size(), y.size()));
  if (n > kMaxPoints || n > capacity) return 1;
  if (n < 3) return 2;

  const int k = mode == kCosineStations ? m / 2 : static_cast<int>(stations.size()) - 1;
  if (k < 1) return 2;  // no station besides the leading edge: nothing to scale to
  if (2 * static_cast<std::int64_t>(k) + 1 > capacity) return 1;

  // The first point of smallest x, and the largest x.
  int l = 0;
  float xMin = x[0], xMax = x[0];
  for (int i = 1; i < n; ++i) {
    if (x[at(i)] < xMin) {
      xMin = x[at(i)];
      l = i;
    }
    xMax = std::max(xMax, x[at(i)]);
  }
  // The leading-edge search needs an interval on either side.
  if (l == 0 || l == n - 1) return 2;

  const ContourSpline spline(x, y, n, sigma);

  std::vector<float> st(at(k) + 1), yu(at(k) + 1), yl(at(k) + 1);
  if (mode == kCosineStations) {
    const float delta = kPi / static_cast<float>(k);
    const double halfRange = 0.5 * (static_cast<double>(xMax) - xMin);
    for (int j = 1; j < k; ++j) {
      const float angle = static_cast<float>(j) * delta;
      st[at(j)] = toSingle(xMin + halfRange * (1.0 - std::cos(static_cast<double>(angle))));
    }
    st[at(k)] = xMax;
  } else {
    std::copy_n(stations.begin() + 1, k, st.begin() + 1);
  }

  const ParameterPoint edge = leadingEdge(spline, x, l);
  const float xEdge = spline.x(edge.interval, edge.s);
  const float yEdge = spline.y(edge.interval, edge.s);
  st[0] = xEdge;
  yu[0] = yl[0] = yEdge;

  const double c = static_cast<double>(st[at(k)]) - xEdge;
  if (c == 0.0) return 2;

  // Each station takes its y on each surface from the last interval of that
  // surface (in point order) that brackets it: a wavy contour has several.
  const float xFirst = x[0], yFirst = y[0];
  const float xLast = x[at(n - 1)], yLast = y[at(n - 1)];
  std::vector<char> upperFound(at(k) + 1, 0), lowerFound(at(k) + 1, 0);
  const auto stationsFrom = st.begin() + 1, stationsTo = st.begin() + k + 1;
  const bool ordered =
      std::is_sorted(stationsFrom, stationsTo) &&
      std::all_of(stationsFrom, stationsTo, [](float v) { return std::isfinite(v); });
  if (ordered) {
    // The stations an interval brackets lie together in the sorted list, so
    // the intervals are walked once, the last first, and every station is
    // solved once per surface.
    const auto firstAbove = [&](float value) {
      return static_cast<int>(std::upper_bound(stationsFrom, stationsTo, value) - st.begin());
    };
    for (int i = n - 2; i >= 0; --i) {
      const float x0 = x[at(i)], x1 = x[at(i + 1)];
      if (std::isnan(x0) || std::isnan(x1) || x0 == x1) continue;
      const bool upper = x1 < x0;
      const int from = firstAbove(upper ? x1 : x0), to = firstAbove(upper ? x0 : x1);
      std::vector<char>& found = upper ? upperFound : lowerFound;
      std::vector<float>& values = upper ? yu : yl;
      for (int j = from; j < to; ++j) {
        if (found[at(j)]) continue;
        const float s = spline.solve(i, st[at(j)], upper ? Surface::kUpper : Surface::kLower);
        values[at(j)] = spline.y(i, s);
        found[at(j)] = 1;
      }
    }
  } else {
    for (int j = 1; j <= k; ++j) {
      const float xs = st[at(j)];
      for (int i = 0; i + 1 < n; ++i) {
        const float x0 = x[at(i)], x1 = x[at(i + 1)];
        if (x1 < xs && xs <= x0) {
          yu[at(j)] = spline.y(i, spline.solve(i, xs, Surface::kUpper));
          upperFound[at(j)] = 1;
        } else if (x0 < xs && xs <= x1) {
          yl[at(j)] = spline.y(i, spline.solve(i, xs, Surface::kLower));
          lowerFound[at(j)] = 1;
        }
      }
    }
  }
  // A station beyond a surface's x-range takes the y of that surface's end
  // nearest in x: the trailing-edge point or the leading edge.
  for (int j = 1; j <= k; ++j) {
    const float xs = st[at(j)];
    if (!upperFound[at(j)]) {
      yu[at(j)] = std::fabs(xs - xFirst) <= std::fabs(xs - xEdge) ? yFirst : yEdge;
    }
    if (!lowerFound[at(j)]) {
      yl[at(j)] = std::fabs(xs - xLast) <= std::fabs(xs - xEdge) ? yLast : yEdge;
    }
  }

  // Leading edge to 0, last station to 1; y keeps its origin.
  for (int j = 0; j <= k; ++j) {
    st[at(j)] = toSingle((static_cast<double>(st[at(j)]) - xEdge) / c);
    yu[at(j)] = toSingle(static_cast<double>(yu[at(j)]) / c);
    yl[at(j)] = toSingle(static_cast<double>(yl[at(j)]) / c);
  }
  st[at(k)] = 1.0f;

  // Trailing edge over the upper surface to the leading edge, and back over
  // the lower surface.
  for (int j = 0; j <= k; ++j) {
    x[at(k - j)] = st[at(j)];
    y[at(k - j)] = yu[at(j)];
    x[at(k + j)] = st[at(j)];
    y[at(k + j)] = yl[at(j)];
  }
  n = 2 * k + 1;
  return 0;
}

}  // namespace tarvex
