#include "geometry/tension_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace tarvex {
namespace {

// One fit with its storage; p is the tension of every interval.
struct Fit {
  std::vector<float> s, v, p, m, a, b, c, d;

  Fit(std::vector<float> knots, std::vector<float> values, float tension)
      : s(std::move(knots)), v(std::move(values)) {
    const std::size_t n = s.size();
    p.assign(n - 1, tension);
    m.assign(n, 0.0f);
    a.assign(n - 1, 0.0f);
    b.assign(n - 1, 0.0f);
    c.assign(n - 1, 0.0f);
    d.assign(n - 1, 0.0f);
    SPLYX(s, v, static_cast<int>(n), p, m, a, b, c, d);
  }
  int intervals() const { return static_cast<int>(s.size()) - 1; }
  float h(int i) const { return s[i + 1] - s[i]; }
  float value(int i, float at) const { return WERT(a[i], b[i], c[i], d[i], at, s[i], h(i), p[i]); }
};

// phi'(1; p) and phi''(1; p), from their closed forms in long double.
long double betaOf(long double p) { return (p * std::cosh(p) - std::sinh(p)) / (std::sinh(p) - p); }
long double alphaOf(long double p) { return p * p * std::sinh(p) / (std::sinh(p) - p); }

// First and second derivative of piece i at its start (t = 0) and its end
// (t = 1), from the representation: phi'(0) = -1, phi'(1) = beta,
// phi''(0) = 0, phi''(1) = alpha.
struct EndDerivatives {
  double slopeStart, slopeEnd, curvatureStart, curvatureEnd;
};
EndDerivatives endDerivatives(const Fit& fit, int i) {
  const double beta = static_cast<double>(betaOf(fit.p[i]));
  const double alpha = static_cast<double>(alphaOf(fit.p[i]));
  const double h = fit.h(i);
  const double rise = static_cast<double>(fit.b[i]) - fit.a[i];
  return {(rise - beta * fit.c[i] - fit.d[i]) / h, (rise + fit.c[i] + beta * fit.d[i]) / h,
          alpha * fit.c[i] / (h * h), alpha * fit.d[i] / (h * h)};
}

struct PointSet {
  std::string name;
  std::vector<float> s, v;
};

std::vector<PointSet> pointSets() {
  std::vector<PointSet> sets;
  PointSet sine{"sine", {}, {}};
  for (int i = 0; i <= 20; ++i) {
    sine.s.push_back(0.5f * static_cast<float>(i));
    sine.v.push_back(std::sin(0.5f * static_cast<float>(i)));
  }
  sets.push_back(sine);

  // y over the chord length of a cambered section: uneven steps, sharp nose.
  PointSet contour{"contour", {0.0f}, {}};
  const auto points = test::nacaSection(2412, 31);
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) {
      contour.s.push_back(contour.s.back() +
                          std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y));
    }
    contour.v.push_back(points[i].y);
  }
  sets.push_back(contour);

  sets.push_back({"three knots", {0.0f, 1.0f, 3.0f}, {0.0f, 2.0f, 1.0f}});

  PointSet scattered{"scattered", {0.0f}, {0.3f}};
  std::mt19937 random(7);
  std::uniform_real_distribution<float> step(0.05f, 1.0f), value(-2.0f, 2.0f);
  for (int i = 1; i < 25; ++i) {
    scattered.s.push_back(scattered.s.back() + step(random));
    scattered.v.push_back(value(random));
  }
  sets.push_back(scattered);
  return sets;
}

TEST(TensionSplineBasis, RegimesAndZeros) {
  for (float p : {0.0f, 1.0e-13f, 1.0e-11f, 0.005f, 0.3f, 0.5f, 1.0f, 4.0f, 19.9f, 25.0f, 80.0f,
                  1.0e5f, 2.0e12f}) {
    EXPECT_EQ(ZZPHI(0.0f, p), 0.0f) << "p = " << p;
    EXPECT_EQ(ZZPHI(1.0f, p), 0.0f) << "p = " << p;
  }
  for (float t : {-0.5f, 0.1f, 0.37f, 0.8f, 0.99f}) {
    const double cubic = static_cast<double>(t) * t * t - t;
    EXPECT_FLOAT_EQ(ZZPHI(t, 1.0e-13f), static_cast<float>(cubic)) << "t = " << t;
    EXPECT_FLOAT_EQ(ZZPHI(t, 2.0e12f), -t) << "t = " << t;
  }
}

TEST(TensionSplineBasis, MatchesClosedFormAcrossTensions) {
  for (float pf : {0.01f, 0.3f, 0.5f, 0.7f, 1.0f, 4.0f, 20.0f, 21.0f, 80.0f}) {
    const long double p = pf;
    for (float tf : {0.05f, 0.25f, 0.5f, 0.9f, 0.999f}) {
      const long double t = tf;
      const long double expected = (std::sinh(p * t) - t * std::sinh(p)) / (std::sinh(p) - p);
      // The closed form in long double is itself only good to about 1e-19/p^3.
      const double tolerance = 1.0e-6 * std::fabs(static_cast<double>(expected)) + 1.0e-7;
      EXPECT_NEAR(ZZPHI(tf, pf), static_cast<double>(expected), tolerance)
          << "p = " << static_cast<double>(p) << ", t = " << static_cast<double>(t);
    }
  }
  // Tiny tensions join the cubic limit (where the closed form itself has
  // cancelled all its digits), huge ones the polygon.
  EXPECT_NEAR(ZZPHI(0.5f, 1.0e-9f), -0.375f, 1.0e-7f);
  const double t = 0.999f;
  EXPECT_FLOAT_EQ(ZZPHI(0.999f, 1.0e-6f), static_cast<float>(t * t * t - t));
  EXPECT_NEAR(ZZPHI(0.5f, 1.0e6f), -0.5f, 1.0e-7f);
}

TEST(TensionSpline, PassesThroughKnotsWithSmoothJoins) {
  for (float tension : {1.0f, 4.0f}) {
    for (const PointSet& set : pointSets()) {
      SCOPED_TRACE(set.name + " at tension " + std::to_string(tension));
      const Fit fit(set.s, set.v, tension);
      const int last = fit.intervals();
      double largestCurvature = 1.0;
      for (int i = 0; i < last; ++i) {
        const EndDerivatives e = endDerivatives(fit, i);
        largestCurvature =
            std::max({largestCurvature, std::fabs(e.curvatureStart), std::fabs(e.curvatureEnd)});
      }
      for (int i = 0; i < last; ++i) {
        EXPECT_FLOAT_EQ(fit.value(i, fit.s[i]), set.v[i]) << "start of interval " << i;
        EXPECT_FLOAT_EQ(fit.value(i, fit.s[i + 1]), set.v[i + 1]) << "end of interval " << i;
        const EndDerivatives here = endDerivatives(fit, i);
        EXPECT_NEAR(here.slopeStart, fit.m[i], 1.0e-4 * (1.0 + std::fabs(fit.m[i])));
        if (i + 1 < last) {
          const EndDerivatives next = endDerivatives(fit, i + 1);
          EXPECT_NEAR(here.slopeEnd, next.slopeStart, 1.0e-4 * (1.0 + std::fabs(next.slopeStart)))
              << "slope at knot " << i + 1;
          EXPECT_NEAR(here.curvatureEnd, next.curvatureStart, 1.0e-4 * largestCurvature)
              << "curvature at knot " << i + 1;
        }
      }
      const float firstChord = (set.v[1] - set.v[0]) / (set.s[1] - set.s[0]);
      const float lastChord = (set.v[last] - set.v[last - 1]) / (set.s[last] - set.s[last - 1]);
      EXPECT_FLOAT_EQ(fit.m[0], firstChord);
      EXPECT_FLOAT_EQ(fit.m[last], lastChord);
      EXPECT_NEAR(endDerivatives(fit, 0).slopeStart, firstChord,
                  1.0e-4 * (1 + std::fabs(firstChord)));
      EXPECT_NEAR(endDerivatives(fit, last - 1).slopeEnd, lastChord,
                  1.0e-4 * (1 + std::fabs(lastChord)));
    }
  }
}

TEST(TensionSpline, TwoKnotsGiveTheChord) {
  const Fit fit({1.0f, 3.0f}, {2.0f, -1.0f}, 1.0f);
  EXPECT_FLOAT_EQ(fit.m[0], -1.5f);
  EXPECT_FLOAT_EQ(fit.m[1], -1.5f);
  EXPECT_NEAR(fit.c[0], 0.0f, 1.0e-6f);
  EXPECT_NEAR(fit.d[0], 0.0f, 1.0e-6f);
  for (float at : {1.5f, 2.0f, 2.7f})
    EXPECT_NEAR(fit.value(0, at), 2.0f - 1.5f * (at - 1.0f), 1e-6f);
}

TEST(TensionSpline, HighTensionHugsThePolygon) {
  const Fit fit({0.0f, 1.0f, 2.0f, 3.0f}, {0.0f, 1.0f, 0.0f, 1.0f}, 1000.0f);
  EXPECT_NEAR(fit.value(1, 1.5f), 0.5f, 0.01f);
  EXPECT_NEAR(fit.value(0, 0.25f), 0.25f, 0.01f);
}

TEST(TensionSpline, CoincidentKnotsStayFinite) {
  // A repeated knot inside and at both ends.
  const Fit fit({0.0f, 0.0f, 1.0f, 2.0f, 2.0f, 3.0f, 3.0f},
                {0.0f, 0.1f, 1.0f, 0.5f, 0.6f, 0.0f, 0.0f}, 1.0f);
  for (int i = 0; i < fit.intervals(); ++i) {
    for (float t : {0.0f, 0.3f, 1.0f}) {
      const float value = fit.value(i, fit.s[i] + t * fit.h(i));
      EXPECT_TRUE(std::isfinite(value)) << "interval " << i;
    }
    EXPECT_FLOAT_EQ(fit.value(i, fit.s[i]), fit.v[i]);
  }
  // The pieces of non-zero length still run through their knots.
  EXPECT_FLOAT_EQ(fit.value(1, 1.0f), 1.0f);
  EXPECT_FLOAT_EQ(fit.value(2, 2.0f), 0.5f);
}

TEST(TensionSpline, ExtremeFiniteInputGivesNoNaN) {
  std::mt19937 random(11);
  const std::vector<float> tensions{0.0f, 1.0e-20f, 1.0e-11f, 0.005f,  1.0f,
                                    4.0f, 25.0f,    1.0e6f,   1.0e15f, 3.0e38f};
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::uniform_int_distribution<int> exponent(-40, 38);
  auto wild = [&] { return unit(random) * std::pow(10.0f, static_cast<float>(exponent(random))); };
  for (int round = 0; round < 200; ++round) {
    const int n = 2 + round % 9;
    std::vector<float> s(n), v(n);
    for (auto& value : s) value = wild();
    std::sort(s.begin(), s.end());
    if (round % 3 == 0) s[n / 2] = s[(n - 1) / 2];  // a repeated knot
    for (auto& value : v) value = wild();
    const Fit fit(s, v, tensions[round % tensions.size()]);
    for (int i = 0; i < n; ++i) ASSERT_FALSE(std::isnan(fit.m[i])) << "round " << round;
    for (int i = 0; i + 1 < n; ++i) {
      ASSERT_FALSE(std::isnan(fit.c[i]) || std::isnan(fit.d[i])) << "round " << round;
      for (float t : {0.0f, 0.5f, 1.0f}) {
        const float at = s[i] + t * (s[i + 1] - s[i]);
        ASSERT_FALSE(std::isnan(fit.value(i, at))) << "round " << round << ", interval " << i;
      }
    }
  }
}

// The cubic limit against an independent cubic spline with the same end
// slopes (scipy's CubicSpline).
TEST(TensionSplineScipy, TinyTensionIsTheCubicSpline) {
  const char* python = "/usr/bin/python3";
  if (!std::filesystem::exists(python) ||
      test::runCommand(std::string(python) + " -c 'import scipy.interpolate' 2>/dev/null") != 0) {
    GTEST_SKIP() << "/usr/bin/python3 with scipy is not available";
  }
  for (const PointSet& set : pointSets()) {
    SCOPED_TRACE(set.name);
    const Fit fit(set.s, set.v, 1.0e-11f);
    const int last = fit.intervals();
    const double firstChord = (static_cast<double>(set.v[1]) - set.v[0]) / (set.s[1] - set.s[0]);
    const double lastChord = (static_cast<double>(set.v[last]) - set.v[last - 1]) /
                             (static_cast<double>(set.s[last]) - set.s[last - 1]);
    std::ostringstream request;
    request.precision(9);
    request << "slopes " << firstChord << ' ' << lastChord << '\n';
    for (std::size_t i = 0; i < set.s.size(); ++i)
      request << "knot " << set.s[i] << ' ' << set.v[i] << '\n';
    std::vector<std::pair<int, float>> samples;
    double scale = 0;
    for (int i = 0; i < last; ++i) {
      for (float t : {0.2f, 0.5f, 0.85f}) {
        samples.emplace_back(i, set.s[i] + t * fit.h(i));
        request << "sample " << samples.back().second << '\n';
      }
      scale = std::max(scale, static_cast<double>(std::fabs(set.v[i])));
    }
    test::TempDir dir;
    const auto file = dir.write("knots.txt", request.str());
    std::string reply;
    const std::string script = std::string(TARVEX_SOURCE_DIR) + "/tests/tools/cubic_spline.py";
    ASSERT_EQ(
        test::runCommand(std::string(python) + " '" + script + "' '" + file.string() + "'", &reply),
        0);
    std::istringstream values(reply);
    for (const auto& [interval, at] : samples) {
      double expected = 0;
      ASSERT_TRUE(values >> expected);
      EXPECT_NEAR(fit.value(interval, at), expected, 2.0e-6 * (1.0 + scale))
          << "interval " << interval << " at " << at;
    }
  }
}

// The search along a piece uses the tension's terms worked out once; its
// values must be those of WERT itself, to the last bit.
TEST(TensionSplinePiece, PreparedTensionGivesWertsValues) {
  for (const float p : {0.0f, 0.3f, 0.5f, 1.0f, 4.0f, 20.0f, 25.0f}) {
    const PieceTension prepared = pieceTension(p);
    for (int k = 0; k <= 40; ++k) {
      const float s = 0.25f + 0.0125f * static_cast<float>(k);
      EXPECT_EQ(WERT(0.3f, -0.2f, 0.07f, -0.05f, s, 0.25f, 0.5f, prepared),
                WERT(0.3f, -0.2f, 0.07f, -0.05f, s, 0.25f, 0.5f, p))
          << "p " << p << " s " << s;
    }
  }
}

}  // namespace
}  // namespace tarvex
