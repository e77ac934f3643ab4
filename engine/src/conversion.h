// The conversion pipeline on text in memory, and the one way in from files:
// read, properties, orientation, comment header, redistribution, size and
// distortion, writer. Nothing reaches a step but through its arguments.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/redistribution.h"
#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex {

struct ConversionSettings {
  int format = 1;  // a number of kFormats; any other writes no data
  bool comments = false;
  bool redistribute = false;
  std::span<const float> stations = kDefaultStations;
  bool keepSize = false;  // scale back to the input's x-range
  float xFactor = 1.0f;
  float yFactor = 1.0f;
  int capacity = 1000;    // points the work arrays hold
  std::string_view date;  // MM/DD/YY; empty: today
  // The C entry writes data only for the formats of its description.
  bool classicFormatsOnly = false;
  DrawingOptions drawing;  // checked (checkDrawingOptions)
  // Applied to the section after reading, before everything else; the
  // outcome's section is the shaped one. Empty: none.
  std::function<Result<Section>(const Section&)> shape;
};

// The drawing options as the writers take them: lengths finite and not
// negative, a stroke and a mesh size above 0, a far field of at least one
// chord, and no chord together with keepSize.
Error checkDrawingOptions(const DrawingOptions& drawing, bool keepSize);

struct ConversionOutcome {
  Error error;
  Section section;           // as read (empty points when reading failed)
  std::vector<float> x, y;   // the points as written
  float xmin = 0, xmax = 0;  // the input's x-range as the C entry hands it back
  bool reachedHeader = false;
};

// The section of a text: read, properties computed, oriented counter-clockwise.
// On failure the section holds what the reading found (its x-range).
Error readSection(std::string_view text, int capacity, Section& section);

// Writes the section into out as the settings say; x and y receive the
// points as written. On failure out holds no complete output.
Error writeSection(const Section& section, const ConversionSettings& settings, LineOutput& out,
                   std::vector<float>& x, std::vector<float>& y, float* xminBack = nullptr);

// The properties of a section whose points are in place, and its points
// turned counter-clockwise: the last step of reading, also for sections made
// from points.
Error completeSection(Section& section);

// Both steps on a text.
ConversionOutcome convertText(std::string_view text, const ConversionSettings& settings,
                              LineOutput& out);

// A whole conversion from a file to a file: the output is changed as a
// whole or not at all.
ConversionOutcome convertFiles(const std::string& input, const std::string& output, bool append,
                               const ConversionSettings& settings);

}  // namespace tarvex
