// The exported C entries: thin adapters from the documented arguments to the
// engine's C++ interface. The state the C interface defines lives here and
// only here: the standard stations that ISETXS sets for every later INORM.
#include <algorithm>
#include <climits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion.h"
#include "geometry/redistribution.h"
#include "io/line_io.h"
#include "tarvex.h"

namespace {

std::vector<float>& standardStationTable() {
  static std::vector<float> stations(tarvex::kDefaultStations.begin(),
                                     tarvex::kDefaultStations.end());
  return stations;
}

// The significant part of a name argument, trailing blanks dropped. False
// when the significant length is not within the declared length.
bool nameArgument(const char* text, int32_t declared, const int32_t* length,
                  std::string_view& name) {
  if (text == nullptr || length == nullptr || *length <= 0 || *length > declared) return false;
  name = tarvex::trimRight(std::string_view(text, static_cast<std::size_t>(*length)));
  return !name.empty();
}

}  // namespace

extern "C" TARVEX_API int32_t TARVEX_CALL INORM(const char* inName, int32_t inDecl,
                                                const char* outName, int32_t outDecl,
                                                const int32_t* inLen, const int32_t* outLen,
                                                float* x, float* y, int32_t* count, int32_t* format,
                                                const int32_t* append, const int32_t* redistribute,
                                                const int32_t* keepSize, float* xmin, float* xmax,
                                                const float* xFactor, const float* yFactor) {
  std::string_view input, output;
  if (!nameArgument(inName, inDecl, inLen, input)) return TARVEX_INPUT_NOT_FOUND;
  if (!nameArgument(outName, outDecl, outLen, output)) return TARVEX_OUTPUT_NOT_WRITABLE;
  // The points are read into x and y; everything else concerns the output.
  if (x == nullptr || y == nullptr || count == nullptr) return TARVEX_INPUT_NOT_FOUND;
  if (format == nullptr || append == nullptr || redistribute == nullptr || keepSize == nullptr ||
      xmin == nullptr || xmax == nullptr || xFactor == nullptr || yFactor == nullptr) {
    return TARVEX_OUTPUT_NOT_WRITABLE;
  }

  const int capacity = std::max(*count, 0);
  tarvex::ConversionSettings settings;
  // The most negative number has no positive counterpart and selects no format.
  settings.format = *format == INT32_MIN ? 0 : std::abs(*format);
  settings.comments = *format > 0;
  settings.redistribute = *redistribute == 1;
  settings.stations = standardStationTable();
  settings.keepSize = *keepSize == 1;
  settings.xFactor = *xFactor;
  settings.yFactor = *yFactor;
  settings.capacity = capacity;
  settings.classicFormatsOnly = true;

  tarvex::ConversionOutcome outcome;
  try {
    outcome = tarvex::convertFiles(std::string(input), std::string(output), *append != 0, settings);
  } catch (...) {
    // Nothing may cross the C boundary; the output is left as it was.
    *count = 0;
    return TARVEX_WRITE_FAILED;
  }
  const auto status = static_cast<int32_t>(outcome.error.status);
  if (status == TARVEX_INPUT_NOT_FOUND || status == TARVEX_OUTPUT_NOT_WRITABLE) return status;
  *xmin = outcome.xmin;
  *xmax = outcome.xmax;
  if (!outcome.reachedHeader) return status;
  if (*format < 0 && *format != INT32_MIN) *format = -*format;
  if (status != TARVEX_OK) {
    *count = 0;
    return status;
  }
  const auto written = std::min(outcome.x.size(), static_cast<std::size_t>(capacity));
  std::copy_n(outcome.x.begin(), written, x);
  std::copy_n(outcome.y.begin(), written, y);
  *count = static_cast<int32_t>(written);
  return status;
}

extern "C" TARVEX_API int32_t TARVEX_CALL ISETXS(const float* stations, const int32_t* count) {
  if (stations == nullptr || count == nullptr || *count < 1) return 2;
  int status = 2;
  const auto scaled = tarvex::standardStations(
      std::span<const float>(stations, static_cast<std::size_t>(*count)), nullptr, &status);
  if (!scaled) return status;
  standardStationTable() = *scaled;
  return 0;
}
