// Reading a coordinate file: layout detection, ordering into one polyline
// from trailing edge to trailing edge, repeated points, normalisation.
#pragma once

#include <span>
#include <string>

#include "io/line_io.h"
#include "tarvex.hpp"

namespace tarvex {

enum LayoutKind : int {
  kLayoutUnknown = 0,
  kLayoutTwoColumns = 1,
  kLayoutThreeColumns = 2,
  kLayoutCounted = 3,  // also every file read by the CEF, DXF and XML readers
  kLayoutFourColumns = 4,
};

enum ReaderStatus : int { kReadOk = 0, kReadUnknownLayout = 1, kReadTooManyPoints = 2 };

// Reads the section from the input into at most capacity points: its name,
// points (normalised), layout, x-range before normalising, comment lines and
// notices. Returns a ReaderStatus; on failure reason says why.
int INKOO(LineInput& in, Section& section, int capacity, std::string* reason = nullptr);

// Reverses the order of the first n points.
void SWAP(std::span<float> x, std::span<float> y, int n);

}  // namespace tarvex
