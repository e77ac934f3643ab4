// The exported C entries: thin adapters from the documented arguments to the
// engine's C++ interface. The state the C interface defines lives here and
// only here: the standard stations that ISETXS sets for every later INORM.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion.h"
#include "geometry/redistribution.h"
#include "geometry/section_figures.h"
#include "io/file_names.h"
#include "io/input_file.h"
#include "io/line_io.h"
#include "io/temporary_files.h"
#include "tarvex.h"
#include "tarvex_formats.hpp"
#include "tarvex_shape.hpp"

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

extern "C" TARVEX_ENTRY int32_t TARVEX_CALL
INORM(const char* inName, int32_t inDecl, const char* outName, int32_t outDecl,
      const int32_t* inLen, const int32_t* outLen, float* x, float* y, int32_t* count,
      int32_t* format, const int32_t* append, const int32_t* redistribute, const int32_t* keepSize,
      float* xmin, float* xmax, const float* xFactor, const float* yFactor) {
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

extern "C" TARVEX_ENTRY int32_t TARVEX_CALL ISETXS(const float* stations, const int32_t* count) {
  if (stations == nullptr || count == nullptr || *count < 1) return 2;
  int status = 2;
  const auto scaled = tarvex::standardStations(
      std::span<const float>(stations, static_cast<std::size_t>(*count)), nullptr, &status);
  if (!scaled) return status;
  standardStationTable() = *scaled;
  return 0;
}

namespace {

// The fewest points that enclose an area.
constexpr int kFewestPoints = 3;

// The layout of the first TarvexOptions is what callers were compiled
// against; later fields go only after it.
static_assert(offsetof(TarvexOptions, size) == 0);
static_assert(offsetof(TarvexOptions, comments) == 4);
static_assert(offsetof(TarvexOptions, append) == 8);
static_assert(offsetof(TarvexOptions, redistribute) == 12);
static_assert(offsetof(TarvexOptions, keepSize) == 16);
static_assert(offsetof(TarvexOptions, xFactor) == 20);
static_assert(offsetof(TarvexOptions, yFactor) == 24);
static_assert(offsetof(TarvexOptions, chordMm) == 28);
static_assert(offsetof(TarvexOptions, skinMm) == 32);
static_assert(offsetof(TarvexOptions, strokeMm) == 36);
static_assert(offsetof(TarvexOptions, label) == 40);
static_assert(offsetof(TarvexOptions, chordLine) == 44);
static_assert(offsetof(TarvexOptions, farfieldChords) == 48);
static_assert(offsetof(TarvexOptions, meshSizeChords) == 52);
static_assert(offsetof(TarvexOptions, spline) == 56);
static_assert(sizeof(TarvexOptions) >= TARVEX_OPTIONS_SIZE_V1);
static_assert(offsetof(TarvexOptions, steps) == 60);
static_assert(offsetof(TarvexOptions, teGap) == 64);
static_assert(offsetof(TarvexOptions, repanelTeRatio) == 120);

// The fields a caller's options struct holds, by its size: a newer caller's
// fields beyond this engine's are not read, and an older caller's struct
// ends before the fields added since, which are 0 for it.
bool readOptions(const TarvexOptions* given, TarvexOptions& options) {
  options = TARVEX_OPTIONS_INIT;
  if (given == nullptr) return true;
  if (given->size < TARVEX_OPTIONS_SIZE_V1) return false;
  const auto held = std::min(static_cast<std::size_t>(given->size), sizeof(TarvexOptions));
  options = {};
  std::memcpy(&options, given, held);
  return true;
}

void giveReason(const std::string& text, char* reason, int32_t reasonSize) {
  if (reason == nullptr || reasonSize <= 0) return;
  const auto length = std::min(text.size(), static_cast<std::size_t>(reasonSize - 1));
  std::memcpy(reason, text.data(), length);
  reason[length] = '\0';
}

void giveFigures(const tarvex::Section& section, TarvexFigures* figures) {
  if (figures == nullptr) return;
  constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();
  *figures = {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};
  if (section.x.empty()) return;
  const auto found = tarvex::sectionFigures(section.x, section.y);
  if (!found) return;
  *figures = {found->maxThickness, found->maxThicknessX,         found->maxCamber,
              found->maxCamberX,   found->trailingEdgeThickness, found->leadingEdgeRadius};
}

// The shaping steps the options' bits ask for; the section to blend with is
// read here.
tarvex::Result<tarvex::ShapeSteps> shapeStepsOf(const TarvexOptions& options) {
  tarvex::ShapeSteps steps;
  const auto has = [&](int32_t bit) { return (options.steps & bit) != 0; };
  if (has(TARVEX_STEP_TE_GAP)) steps.trailingEdgeGap = {options.teGap, options.teBlend};
  if (has(TARVEX_STEP_THICKNESS | TARVEX_STEP_THICKNESS_X | TARVEX_STEP_CAMBER |
          TARVEX_STEP_CAMBER_X)) {
    tarvex::ThicknessCamber step;
    if (has(TARVEX_STEP_THICKNESS)) step.thickness = options.thickness;
    if (has(TARVEX_STEP_THICKNESS_X)) step.thicknessX = options.thicknessX;
    if (has(TARVEX_STEP_CAMBER)) step.camber = options.camber;
    if (has(TARVEX_STEP_CAMBER_X)) step.camberX = options.camberX;
    steps.thicknessCamber = step;
  }
  if (has(TARVEX_STEP_LE_RADIUS)) {
    steps.leadingEdgeRadius = {options.leRadiusFactor, options.leRadiusBlend};
  }
  if (has(TARVEX_STEP_FLAP)) {
    steps.flap = {options.flapHingeX, options.flapDegrees, options.flapHingeY};
  }
  if (has(TARVEX_STEP_BLEND)) {
    if (options.blendWith == nullptr) {
      return tarvex::Error{
          tarvex::Status::badOptions, "the section to blend with is not named", {}, 0};
    }
    auto with = tarvex::readFile(tarvex::pathOf(options.blendWith));
    if (!with) {
      tarvex::Error error = with.error();
      error.message = "the section to blend with: " + error.message;
      return error;
    }
    steps.blend = tarvex::Blend{std::move(*with), options.blendFraction};
  }
  if (has(TARVEX_STEP_REPANEL)) {
    tarvex::Panelling panelling;
    panelling.points = options.repanelPoints;
    panelling.bunching = options.repanelBunching;
    panelling.trailingEdgeRatio = options.repanelTeRatio;
    steps.panelling = panelling;
  }
  return steps;
}

tarvex::Error convertWith(const char* input, const char* output, int32_t format,
                          const TarvexOptions& options, int capacity,
                          tarvex::ConversionOutcome& outcome) {
  const auto bad = [](std::string why) {
    return tarvex::Error{tarvex::Status::badOptions, std::move(why), {}, 0};
  };
  if (tarvex::formatByNumber(format) == nullptr) {
    return bad("there is no output format " + std::to_string(format));
  }
  tarvex::ConversionSettings settings;
  settings.format = format;
  settings.comments = options.comments != 0;
  settings.redistribute = options.redistribute != 0;
  settings.stations = standardStationTable();
  settings.keepSize = options.keepSize != 0;
  settings.xFactor = options.xFactor;
  settings.yFactor = options.yFactor;
  settings.capacity = capacity;
  settings.drawing.chordMm = options.chordMm;
  settings.drawing.skinMm = options.skinMm;
  settings.drawing.strokeMm = options.strokeMm;
  settings.drawing.label = options.label != 0;
  settings.drawing.chordLine = options.chordLine != 0;
  settings.drawing.farfieldChords = options.farfieldChords;
  settings.drawing.meshSizeChords = options.meshSizeChords;
  settings.drawing.spline = options.spline != 0;
  if (tarvex::Error error = tarvex::checkDrawingOptions(settings.drawing, settings.keepSize)) {
    return error;
  }
  auto steps = shapeStepsOf(options);
  if (!steps) return steps.error();
  if (steps->any()) {
    settings.shape = [steps = std::move(*steps)](const tarvex::Section& section) {
      return tarvex::shapeSection(section, steps);
    };
  }
  if (output != nullptr) {
    outcome = tarvex::convertFiles(input, output, options.append != 0, settings);
    return outcome.error;
  }
  tarvex::InputText text;
  if (tarvex::Error error = tarvex::readInputFile(input, text)) return error;
  tarvex::LineOutput discarded;
  outcome = tarvex::convertText(text.text, settings, discarded);
  return outcome.error;
}

}  // namespace

extern "C" TARVEX_ENTRY int32_t TARVEX_CALL tarvex_convert(
    const char* input, const char* output, int32_t format, const TarvexOptions* options, float* x,
    float* y, int32_t* count, TarvexFigures* figures, char* reason, int32_t reasonSize) {
  const bool points = x != nullptr && y != nullptr && count != nullptr;
  const int capacity = points ? std::max(*count, 0) : 1000;
  if (points) *count = 0;
  giveReason({}, reason, reasonSize);
  giveFigures({}, figures);
  TarvexOptions known;
  tarvex::Error error;
  tarvex::ConversionOutcome outcome;
  try {
    if (input == nullptr || *input == '\0') {
      error = {tarvex::Status::inputNotFound, "no input file is named", {}, 0};
    } else if (output != nullptr && *output == '\0') {
      error = {tarvex::Status::outputNotWritable, "the output file's name is empty", {}, 0};
    } else if (points && capacity < kFewestPoints) {
      error = {tarvex::Status::readFailed,
               "the point arrays hold " + std::to_string(capacity) +
                   " points (*count), fewer than the " + std::to_string(kFewestPoints) +
                   " a section needs; pass NULL for x, y and count to get no points back",
               {},
               0};
    } else if (!readOptions(options, known)) {
      error = {tarvex::Status::badOptions,
               "the options' size field holds " + std::to_string(options->size) +
                   ", less than the " + std::to_string(TARVEX_OPTIONS_SIZE_V1) +
                   " bytes of the first TarvexOptions",
               {},
               0};
    } else {
      error = convertWith(input, output, format, known, capacity, outcome);
      giveFigures(outcome.section, figures);
    }
  } catch (...) {
    // Nothing may cross the C boundary; the output is left as it was.
    error = {tarvex::Status::writeFailed, "the engine ran out of memory", {}, 0};
  }
  if (error) {
    giveReason(error.message, reason, reasonSize);
    return static_cast<int32_t>(error.status);
  }
  if (points) {
    const auto written = std::min(outcome.x.size(), static_cast<std::size_t>(capacity));
    std::copy_n(outcome.x.begin(), written, x);
    std::copy_n(outcome.y.begin(), written, y);
    *count = static_cast<int32_t>(written);
  }
  return TARVEX_OK;
}

namespace {

static_assert(offsetof(TarvexNacaOptions, size) == 0);
static_assert(offsetof(TarvexNacaOptions, points) == 4);
static_assert(offsetof(TarvexNacaOptions, spacing) == 8);
static_assert(offsetof(TarvexNacaOptions, closedTrailingEdge) == 12);
static_assert(sizeof(TarvexNacaOptions) >= TARVEX_NACA_OPTIONS_SIZE_V1);

constexpr int kSeligFormat = 21;
static_assert(tarvex::formatByNumber(kSeligFormat)->shortName == "selig");

tarvex::Error nacaFile(const char* designation, const TarvexNacaOptions* given,
                       const char* output) {
  const auto bad = [](std::string why) {
    return tarvex::Error{tarvex::Status::badOptions, std::move(why), {}, 0};
  };
  if (designation == nullptr) return bad("no NACA designation is given");
  if (output == nullptr || *output == '\0') {
    return {tarvex::Status::outputNotWritable, "no output file is named", {}, 0};
  }
  TarvexNacaOptions options = TARVEX_NACA_OPTIONS_INIT;
  if (given != nullptr) {
    if (given->size < TARVEX_NACA_OPTIONS_SIZE_V1) {
      return bad("the options' size field holds " + std::to_string(given->size) +
                 ", less than the " + std::to_string(TARVEX_NACA_OPTIONS_SIZE_V1) +
                 " bytes of the first TarvexNacaOptions");
    }
    options = {};
    std::memcpy(&options, given,
                std::min(static_cast<std::size_t>(given->size), sizeof(TarvexNacaOptions)));
  }
  if (options.spacing != 0 && options.spacing != 1) {
    return bad("the spacing " + std::to_string(options.spacing) +
               " is neither 0 (cosine) nor 1 (equal steps)");
  }
  tarvex::NacaOptions naca;
  naca.points = options.points;
  naca.spacing = options.spacing == 1 ? tarvex::Spacing::uniform : tarvex::Spacing::cosine;
  naca.closedTrailingEdge = options.closedTrailingEdge != 0;
  const auto section = tarvex::nacaSection(designation, naca);
  if (!section) return section.error();
  tarvex::WriteOptions write;
  write.format = kSeligFormat;
  return tarvex::writeFile(*section, tarvex::pathOf(output), write);
}

}  // namespace

extern "C" TARVEX_ENTRY int32_t TARVEX_CALL tarvex_naca(const char* designation,
                                                        const TarvexNacaOptions* options,
                                                        const char* output, char* reason,
                                                        int32_t reasonSize) {
  giveReason({}, reason, reasonSize);
  tarvex::Error error;
  try {
    error = nacaFile(designation, options, output);
  } catch (...) {
    // Nothing may cross the C boundary; the output is left as it was.
    error = {tarvex::Status::writeFailed, "the engine ran out of memory", {}, 0};
  }
  giveReason(error.message, reason, reasonSize);
  return static_cast<int32_t>(error.status);
}

extern "C" TARVEX_ENTRY void TARVEX_CALL tarvex_remove_temporary_files(void) {
  tarvex::temporaries::removeAll();
}
