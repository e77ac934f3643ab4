#include "conversion.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "coordinate_reader.h"
#include "engine_state.h"
#include "output_file.h"
#include "output_writer.h"
#include "redistribution.h"
#include "section_properties.h"

namespace tarvex {
namespace fs = std::filesystem;
namespace {

// The writers that put out every coordinate multiplied by 100.
bool writesPerCent(int format) { return format == 10 || format == 11; }

// Names arrive in the system's 8-bit encoding, which is what a narrow path
// holds on every platform.
fs::path pathFrom(std::string_view name) { return fs::path(std::string(name)); }

}  // namespace

ConversionResult INORM(std::string_view inName, std::string_view outName, std::span<float> x,
                       std::span<float> y, const ConversionOptions& options) {
  ConversionResult result;
  if (inName.empty()) return {.status = kInputNotFound};
  if (outName.empty()) return {.status = kOutputNotWritable};

  const bool comments = options.format > 0;
  // The most negative number has no positive counterpart and selects no format.
  const int format = options.format == INT_MIN ? 0 : std::abs(options.format);
  setSectionName(kDefaultSectionName);

  const fs::path inputPath = pathFrom(inName);
  std::error_code error;
  if (fs::is_directory(inputPath, error)) return {.status = kInputNotFound};
  std::ifstream inputStream(inputPath, std::ios::binary);
  if (!inputStream) return {.status = kInputNotFound};

  const auto output = OutputFile::open(pathFrom(outName), options.append);
  if (!output) return {.status = kOutputNotWritable};

  LineInput in(inputStream);
  LineOutput out(output->stream());
  const auto capacity = static_cast<int>(std::min(x.size(), y.size()));
  int n = capacity;
  if (INKOO(in, out, x, y, n, result.layoutKind, comments, result.xmin, result.xmax) != 0) {
    result.status = kReadFailed;
    return result;
  }
  result.pointsRead = n;

  SectionProperties& properties = engineState().properties;
  if (PROGEO(x, y, n, properties) != 0) {
    result.status = kNoArea;
    return result;
  }
  if (properties.area < 0.0f) {
    SWAP(x, y, n);
    properties.area = std::fabs(properties.area);
  }
  if (comments) (void)writeCommentHeader(out, n, result.xmin, result.xmax, properties);

  if (options.redistribute) (void)IRESPL(x, y, n, n + 1, 1.0f, kStandardStations);

  if (options.keepSize) {
    float chord = result.xmax - result.xmin;
    float origin = result.xmin;
    if (writesPerCent(format)) {
      chord /= 100.0f;
      origin /= 100.0f;
      result.xmin = origin;
    }
    for (int i = 0; i < n; ++i) {
      x[static_cast<std::size_t>(i)] = origin + chord * x[static_cast<std::size_t>(i)];
      y[static_cast<std::size_t>(i)] = chord * y[static_cast<std::size_t>(i)];
    }
  }
  for (int i = 0; i < n; ++i) {
    x[static_cast<std::size_t>(i)] *= options.xFactor;
    y[static_cast<std::size_t>(i)] *= options.yFactor;
  }

  if (formatByNumber(format) != nullptr) {
    const int written = OUTKOO(out, x, y, n, writerCodeFor(format));
    if (written != 0) {
      result.status = kReadFailed + 1 + written;
      return result;
    }
  }
  if (!output->commit()) {
    result.status = kWriteError;
    return result;
  }
  result.count = n;
  return result;
}

}  // namespace tarvex
