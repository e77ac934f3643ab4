// Moving the points of a contour onto x-stations shared by both surfaces.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvex {

enum RedistributionMode : int { kCosineStations = 0, kStandardStations = 1 };

inline constexpr int kMaxStations = 1000;
inline constexpr std::array<float, 18> kDefaultStations{
    0.0f, 0.0125f, 0.025f, 0.05f, 0.075f, 0.1f, 0.15f, 0.2f,  0.25f,
    0.3f, 0.4f,    0.5f,   0.6f,  0.7f,   0.8f, 0.9f,  0.95f, 1.0f};

// A station list as the standard stations take it: 2 to 1000 finite values,
// strictly increasing; a list whose last value exceeds 1.0 is in per cent and
// comes back scaled. Nothing, with the reason, for any other list; status
// says which result ISETXS gives for it (1 too many, 2 otherwise).
std::optional<std::vector<float>> standardStations(std::span<const float> stations,
                                                   std::string* reason = nullptr,
                                                   int* status = nullptr);

// Redistributes the contour x[0..n), y[0..n) (capacity x.size()). In cosine
// mode m is the requested point count; in station mode the stations are
// the standard ones (the first stands for the leading edge). Returns 0 on
// success (n updated), 1 when refused (too many points, or a result beyond
// the capacity), 2 when the leading edge cannot be found; on failure the
// contour is unchanged.
int IRESPL(std::span<float> x, std::span<float> y, int& n, int m, float sigma, int mode,
           std::span<const float> stations = kDefaultStations);

// True when point i and point n+1-i share their x for every pair.
bool LSAMEX(std::span<const float> x, int n);

}  // namespace tarvex
