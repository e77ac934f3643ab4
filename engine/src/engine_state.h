// The library-global state of the engine, kept in one place: the standard
// x-stations, the section name and the section properties. It lives as long
// as the library is loaded; the engine is not reentrant.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "text_io.h"

namespace tarvex {

inline constexpr int kMaxStations = 1000;
inline constexpr std::string_view kDefaultSectionName = "alvane";

struct SectionProperties {
  float area = 0, xs = 0, ys = 0, ixs = 0, iys = 0;  // area, centroid, moments about it
  float circumference = 0, x0 = 0, y0 = 0, ix0 = 0, iy0 = 0;  // contour line
};

struct StationTable {
  int count = 18;
  std::array<float, kMaxStations> x{0.0f, 0.0125f, 0.025f, 0.05f, 0.075f, 0.1f, 0.15f, 0.2f, 0.25f,
                                    0.3f,  0.4f,    0.5f,   0.6f,  0.7f,   0.8f, 0.9f,  0.95f, 1.0f};
};

struct EngineState {
  StationTable stations;
  LineBuffer sectionName{};  // 80 characters, blank-padded
  SectionProperties properties;
};

EngineState& engineState();

// The section name with and without its trailing blanks.
std::string_view wholeName();
std::string_view trimmedName();
void setSectionName(std::string_view text);

}  // namespace tarvex
