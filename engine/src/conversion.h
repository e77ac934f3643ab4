// INORM: one conversion from an input file to an output file.
#pragma once

#include <span>
#include <string_view>

namespace tarvex {

enum ConversionStatus : int {
  kDone = 0,
  kInputNotFound = 1,
  kOutputNotWritable = 2,
  kUnknownInputFormat = 3,  // reserved for the callers, never returned
  kReadFailed = 4,
  kNoArea = 5,
  kWriteError = 6,
  kNoThreeColumns = 7,
};

struct ConversionOptions {
  int format = 1;           // 1..17, negative: without comments
  bool append = false;
  bool redistribute = false;
  bool keepSize = false;     // scale back to the input's x-range
  float xFactor = 1.0f;
  float yFactor = 1.0f;
};

struct ConversionResult {
  int status = kDone;
  int count = 0;            // points written (status 0), 0 after a writer failure
  int layoutKind = 0;
  int pointsRead = 0;
  float xmin = 0, xmax = 0;  // x-range of the input before normalisation
};

// The conversion pipeline. x and y are the work arrays (their size is the
// capacity) and hold the written points afterwards. Nothing is written to the
// output unless the conversion succeeds.
ConversionResult INORM(std::string_view inName, std::string_view outName, std::span<float> x,
                       std::span<float> y, const ConversionOptions& options);

}  // namespace tarvex
