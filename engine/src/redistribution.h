// Moving the points of a contour onto x-stations shared by both surfaces.
#pragma once

#include <span>

namespace tarvex {

enum RedistributionMode : int { kCosineStations = 0, kStandardStations = 1 };

// Replaces the standard station table. Returns 0 when stored, 1 for more than
// 1000 stations, 2 for fewer than 1 (the table then stays as it was).
// Stations whose last value exceeds 1.0 are taken as per cent of chord.
int ISETXS(std::span<const float> stations);

// Redistributes the contour x[0..n), y[0..n) (capacity x.size()); m is the
// requested point count in cosine mode. Returns 0 on success (n updated),
// 1 when refused (too many points), 2 when the leading edge cannot be found;
// on failure the contour is unchanged.
int IRESPL(std::span<float> x, std::span<float> y, int& n, int m, float sigma, int mode);

// True when point i and point n+1-i share their x for every pair.
bool LSAMEX(std::span<const float> x, int n);

}  // namespace tarvex
