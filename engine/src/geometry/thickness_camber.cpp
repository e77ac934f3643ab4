// Maximum thickness and camber set and moved as XFOIL's TSET and HIGH do:
// the distributions taken apart on common stations, each scaled and its x
// remapped so that the maximum moves while the ends stay, then put back.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "geometry/shape_surfaces.h"
#include "tarvex_shape.hpp"

namespace tarvex {
namespace {

// Where along the chord (0 to 1) f has its extreme, and the value there:
// a dense cosine-spaced search refined by the parabola through the best
// sample and its neighbours.
struct Extreme {
  double u = 0, value = 0;
};
template <typename F>
Extreme extremeOf(F&& f) {
  constexpr int samples = 4000;
  auto at = [](double j) { return (1.0 - std::cos(std::numbers::pi * j / samples)) / 2.0; };
  int best = 0;
  double bestValue = f(at(0));
  for (int j = 1; j <= samples; ++j)
    if (const double v = f(at(j)); std::fabs(v) > std::fabs(bestValue)) best = j, bestValue = v;
  if (best == 0 || best == samples) return {at(best), bestValue};
  const double a = f(at(best - 1)), c = f(at(best + 1));
  const double bend = a - 2 * bestValue + c;
  const double shift = bend != 0 ? std::clamp(0.5 * (a - c) / bend, -1.0, 1.0) : 0.0;
  return {at(best + shift), bestValue};
}

// The smooth map of [0, 1] onto itself that takes to into from: k u / (1 + (k - 1) u).
double remap(double u, double to, double from) {
  const double k = from * (1 - to) / (to * (1 - from));
  return k * u / (1 + (k - 1) * u);
}

bool inside(const std::optional<double>& v) { return !v || (*v > 0 && *v < 1); }

}  // namespace

Result<Section> setThicknessCamber(const Section& section, const ThicknessCamber& step) {
  if (step.thickness && !(*step.thickness > 0 && std::isfinite(*step.thickness)))
    return shape::refused("thickness and camber: the thickness must be more than 0");
  if (step.camber && !std::isfinite(*step.camber))
    return shape::refused("thickness and camber: the camber must be a number");
  if (!inside(step.thicknessX) || !inside(step.camberX))
    return shape::refused(
        "thickness and camber: the positions of the maxima must lie between 0 and 1 chord");
  auto split = shape::splitAtNose(section, "thickness and camber");
  if (!split) return split.error();
  const auto& upper = split->upper;
  const auto& lower = split->lower;
  // Along the chord from the smooth contour's nose, where both surfaces start.
  const double x0 = split->frontX;
  const double span = split->trailingEdgeX - x0;
  auto thickness = [&](double u) {
    const double x = x0 + u * span;
    return shape::surfaceY(upper, x) - shape::surfaceY(lower, x);
  };
  auto camber = [&](double u) {
    const double x = x0 + u * span;
    return (shape::surfaceY(upper, x) + shape::surfaceY(lower, x)) / 2;
  };
  const Extreme thick = extremeOf(thickness), bent = extremeOf(camber);
  if (!(thick.value > 0))
    return shape::refused("thickness and camber: the section has no thickness to scale");
  const bool cambered = std::fabs(bent.value) > 1e-6 * span;
  const bool wantsCamber = (step.camber && *step.camber != 0) || (step.camberX && !step.camber);
  if (wantsCamber && !cambered)
    return shape::refused("thickness and camber: the section has no camber to scale or move");
  auto movable = [](const Extreme& e) { return e.u > 1e-6 && e.u < 1 - 1e-6; };
  if ((step.thicknessX && !movable(thick)) || (step.camberX && cambered && !movable(bent)))
    return shape::refused("thickness and camber: the maximum lies at an end of the chord");

  // The stations: with an odd count, the surfaces paired around the middle
  // point at the same x (the mean of each pair's), that point on the nose,
  // so that the result's own common stations are these; else each point's x.
  const std::size_t n = section.x.size();
  const bool paired = n % 2 == 1;
  const std::size_t middle = paired ? n / 2 : split->nose;
  std::vector<double> x(n), y(n);
  if (paired) {
    double station = x0;
    for (std::size_t k = 0; k <= middle; ++k) {
      if (k > 0)
        station = std::max(station, (double(section.x[middle - k]) + section.x[middle + k]) / 2);
      x[middle - k] = x[middle + k] = station;
    }
  } else {
    // Each point at its own x, made to grow away from the nose on each side.
    double reach = x0;
    for (std::size_t i = middle + 1; i-- > 0;) x[i] = reach = std::max(reach, double(section.x[i]));
    reach = x0;
    for (std::size_t i = middle; i < n; ++i) x[i] = reach = std::max(reach, double(section.x[i]));
  }
  // Thickness and camber in chords: of the x-range, as the figures count them.
  const double chord = *std::max_element(x.begin(), x.end()) - x0;
  std::vector<double> t(n), c(n);
  double tMax = 0, cMax = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double u = std::clamp((x[i] - x0) / span, 0.0, 1.0);
    t[i] = thickness(step.thicknessX ? remap(u, *step.thicknessX, thick.u) : u);
    c[i] = camber(step.camberX && cambered ? remap(u, *step.camberX, bent.u) : u);
    tMax = std::max(tMax, t[i]);
    if (std::fabs(c[i]) > std::fabs(cMax)) cMax = c[i];
  }
  if (!(tMax > 0))
    return shape::refused("thickness and camber: the section has no thickness to scale");
  // Scaled to what was asked, or back to the maximum it had.
  double tScale = 1, cScale = 1;
  if (step.thickness || step.thicknessX)
    tScale = (step.thickness ? *step.thickness * chord : thick.value) / tMax;
  if (step.camber && *step.camber == 0)
    cScale = 0;
  else if ((step.camber || step.camberX) && cambered && cMax != 0)
    cScale = (step.camber ? *step.camber * chord : bent.value) / cMax;
  auto scaled = [&] {
    for (std::size_t i = 0; i < n; ++i) {
      const double half = t[i] * tScale / 2;
      const bool above = i < middle || (i == middle && (paired || section.y[i] >= split->frontY));
      y[i] = c[i] * cScale + (above ? half : -half);
    }
    return shape::rebuilt(section, x, y);
  };
  auto result = scaled();
  // The figures measure on common stations: with an even count they
  // interpolate between the points, and miss the maxima set on them by up
  // to 1e-4. What was asked, or what the figures said before, is met there.
  const auto before = figuresOf(section);
  if (!result || !before) return result;
  // NaN where the step leaves the figure alone.
  constexpr double kLeave = std::numeric_limits<double>::quiet_NaN();
  const double thicknessWanted = step.thickness    ? *step.thickness
                                 : step.thicknessX ? double(before->maxThickness)
                                                   : kLeave;
  const double camberWanted = step.camber && *step.camber != 0           ? *step.camber
                              : step.camberX && !step.camber && cambered ? double(before->maxCamber)
                                                                         : kLeave;
  for (int round = 0; round < 6; ++round) {
    const auto figures = figuresOf(*result);
    if (!figures) break;
    auto off = [](double wanted, float measured) {
      return std::isfinite(wanted) && measured != 0 && std::fabs(wanted - measured) > 1e-9;
    };
    const bool thicknessOff = off(thicknessWanted, figures->maxThickness);
    const bool camberOff = off(camberWanted, figures->maxCamber);
    if (!thicknessOff && !camberOff) break;
    if (thicknessOff) tScale *= thicknessWanted / figures->maxThickness;
    if (camberOff) cScale *= camberWanted / figures->maxCamber;
    if (auto next = scaled())
      result = std::move(next);
    else
      break;
  }
  return result;
}

}  // namespace tarvex
