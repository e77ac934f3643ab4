// Sections that are not read from a file: from points, and NACA sections.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "conversion.h"
#include "geometry/naca_designation.h"
#include "tarvex.hpp"

namespace tarvex {
namespace {

Error badPoints(std::string why) { return {Status::readFailed, std::move(why), {}, 0}; }

bool fitsSingle(double value) {
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

// Points one after the other that the reader would take as one.
void removeRepeatedPoints(Section& section) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < section.x.size(); ++i) {
    if (kept > 0 && std::fabs(section.x[i] - section.x[kept - 1]) < 1.0e-15f &&
        std::fabs(section.y[i] - section.y[kept - 1]) < 1.0e-15f) {
      continue;
    }
    section.x[kept] = section.x[i];
    section.y[kept] = section.y[i];
    ++kept;
  }
  section.x.resize(kept);
  section.y.resize(kept);
}

void normalise(Section& section) {
  const auto [low, high] = std::minmax_element(section.x.begin(), section.x.end());
  section.xmin = *low;
  section.xmax = *high;
  const float chord = section.xmax - section.xmin;
  const float yte = (section.y.front() + section.y.back()) / 2.0f;
  for (std::size_t i = 0; i < section.x.size(); ++i) {
    section.x[i] = (section.x[i] - section.xmin) / chord;
    section.y[i] = (section.y[i] - yte) / chord;
  }
}

// Stations from the leading edge (0) to the trailing edge (1).
std::vector<double> stations(int count, Spacing spacing) {
  std::vector<double> x(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double s = static_cast<double>(i) / (count - 1);
    x[static_cast<std::size_t>(i)] =
        spacing == Spacing::cosine ? (1.0 - std::cos(std::numbers::pi * s)) / 2.0 : s;
  }
  x.back() = 1.0;
  return x;
}

}  // namespace

Result<Section> sectionFromPoints(std::string name, std::span<const double> x,
                                  std::span<const double> y, const PointsOptions& options) {
  if (x.size() != y.size()) {
    return Error{Status::badOptions,
                 "the points have " + std::to_string(x.size()) + " x but " +
                     std::to_string(y.size()) + " y values",
                 {},
                 0};
  }
  if (x.size() > static_cast<std::size_t>(std::max(options.capacity, 0))) {
    return badPoints("more than " + std::to_string(options.capacity) +
                     " points, the most a section may hold");
  }
  Section section;
  section.name = std::move(name);
  section.layout = Layout::points;
  section.x.reserve(x.size());
  section.y.reserve(y.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (!fitsSingle(x[i]) || !fitsSingle(y[i])) {
      return badPoints("point " + std::to_string(i + 1) +
                       " is not a finite number in single precision");
    }
    section.x.push_back(static_cast<float>(x[i]));
    section.y.push_back(static_cast<float>(y[i]));
  }
  section.pointsRead = section.size();
  removeRepeatedPoints(section);
  if (section.size() < 2) return badPoints("fewer than two distinct points");
  if (section.x[1] > section.x[0]) {
    std::reverse(section.x.begin(), section.x.end());
    std::reverse(section.y.begin(), section.y.end());
  }
  const auto [low, high] = std::minmax_element(section.x.begin(), section.x.end());
  if (!(*high - *low > 0.0f) || !std::isfinite(*high - *low)) {
    return badPoints(std::isfinite(*high - *low)
                         ? "all points have the same x: the section has no chord"
                         : "the x-range exceeds the single-precision range");
  }
  if (options.normalise) {
    normalise(section);
  } else {
    section.xmin = 0.0f;
    section.xmax = 1.0f;
  }
  if (Error error = completeSection(section)) return error;
  return section;
}

Result<Section> nacaSection(std::string_view designation, const NacaOptions& options) {
  if (options.points < 5 || options.points > kMaxNacaPoints) {
    return Error{Status::badOptions,
                 "a NACA section has 5 to " + std::to_string(kMaxNacaPoints) + " points, not " +
                     std::to_string(options.points),
                 {},
                 0};
  }
  auto recipe = naca::parseDesignation(designation, options.closedTrailingEdge);
  if (!recipe) return recipe.error();
  const std::vector<double> x = stations(options.points / 2 + 1, options.spacing);
  // From the trailing edge over the upper surface to the nose, then back.
  std::vector<double> px(2 * x.size() - 1), py(px.size());
  const std::size_t nose = x.size() - 1;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = recipe->thickness(x[i]);
    naca::MeanLinePoint mean;
    if (recipe->meanLine) mean = recipe->meanLine(x[i]);
    const double angle = std::atan(mean.slope);
    const double dx = t * std::sin(angle), dy = t * std::cos(angle);
    px[nose - i] = x[i] - dx;
    py[nose - i] = mean.y + dy;
    px[nose + i] = x[i] + dx;
    py[nose + i] = mean.y - dy;
  }
  PointsOptions points;
  points.normalise = false;
  points.capacity = static_cast<int>(px.size());
  return sectionFromPoints(std::move(recipe->name), px, py, points);
}

}  // namespace tarvex
