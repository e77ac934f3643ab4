// The exported C entries: thin adapters from the documented arguments to the
// engine's own routines.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string_view>

#include "conversion.h"
#include "redistribution.h"
#include "tarvex.h"
#include "text_io.h"

namespace {

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
                                                float* x, float* y, int32_t* count,
                                                int32_t* format, const int32_t* append,
                                                const int32_t* redistribute,
                                                const int32_t* keepSize, float* xmin, float* xmax,
                                                const float* xFactor, const float* yFactor) {
  std::string_view input, output;
  if (!nameArgument(inName, inDecl, inLen, input)) return tarvex::kInputNotFound;
  if (!nameArgument(outName, outDecl, outLen, output)) return tarvex::kOutputNotWritable;

  const auto capacity = static_cast<std::size_t>(std::max(*count, 0));
  tarvex::ConversionOptions options;
  options.format = *format;
  options.append = *append != 0;
  options.redistribute = *redistribute == 1;
  options.keepSize = *keepSize == 1;
  options.xFactor = *xFactor;
  options.yFactor = *yFactor;

  tarvex::ConversionResult result;
  try {
    result = tarvex::INORM(input, output, std::span<float>(x, capacity),
                           std::span<float>(y, capacity), options);
  } catch (...) {
    // Nothing may cross the C boundary; the output is left as it was.
    *count = 0;
    return tarvex::kWriteError;
  }
  if (result.status == tarvex::kInputNotFound || result.status == tarvex::kOutputNotWritable) {
    return result.status;
  }
  *xmin = result.xmin;
  *xmax = result.xmax;
  if (result.status == tarvex::kDone || result.status >= tarvex::kWriteError) {
    *count = result.count;
  }
  const bool headerStepReached =
      result.status == tarvex::kDone || result.status >= tarvex::kWriteError;
  if (headerStepReached && *format < 0 && *format != INT32_MIN) *format = -*format;
  return result.status;
}

extern "C" TARVEX_API int32_t TARVEX_CALL ISETXS(const float* stations, const int32_t* count) {
  if (stations == nullptr || count == nullptr || *count < 1) return 2;
  return tarvex::ISETXS(std::span<const float>(stations, static_cast<std::size_t>(*count)));
}
