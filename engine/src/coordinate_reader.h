// Reading a coordinate file: layout detection, ordering into one polyline
// from trailing edge to trailing edge, repeated points, normalisation.
#pragma once

#include <span>

#include "text_io.h"

namespace tarvex {

enum LayoutKind : int {
  kLayoutUnknown = 0,
  kLayoutTwoColumns = 1,
  kLayoutThreeColumns = 2,
  kLayoutCounted = 3,  // also every file read by the CEF, DXF and XML readers
  kLayoutFourColumns = 4,
};

enum ReaderStatus : int { kReadOk = 0, kReadUnknownLayout = 1, kReadTooManyPoints = 2 };

// count: in the capacity (at most x.size()), out the number of points.
// xmin, xmax: the x-range of the input before normalisation.
int INKOO(LineInput& in, LineOutput& out, std::span<float> x, std::span<float> y, int& count,
          int& kind, bool comments, float& xmin, float& xmax);

// Reverses the order of the first n points.
void SWAP(std::span<float> x, std::span<float> y, int n);

}  // namespace tarvex
