#include "conversion.h"

#include <cmath>

#include "geometry/section_properties.h"
#include "io/file_names.h"
#include "io/input_file.h"
#include "io/output_file.h"
#include "one_document.h"
#include "readers/column_reader.h"
#include "readers/reader_text.h"
#include "writers/comment_header.h"
#include "writers/output_writer.h"

namespace tarvex {
namespace {

Error failure(Status status, std::string message) { return {status, std::move(message), {}, 0}; }

std::string redistributionReason(int status, int stations, int points, int capacity) {
  if (status == 1) {
    if (points > kMaxStations) {
      return "redistribution takes at most " + std::to_string(kMaxStations) +
             " points; the section has " + std::to_string(points);
    }
    return "redistribution onto " + std::to_string(stations) + " stations gives " +
           std::to_string(2 * stations - 1) + " points, more than the " + std::to_string(capacity) +
           " the output can hold";
  }
  return "redistribution cannot find the leading edge: the point of smallest x is the first or "
         "the last point";
}

Error overflowError(const FormatRow* format, bool header, bool drawing = false) {
  if (header) {
    return failure(Status::fieldOverflow,
                   "a section property or the x-range does not fit its field in the comment "
                   "header; write without comments");
  }
  return failure(Status::fieldOverflow,
                 "a number does not fit its field in format " + std::to_string(format->number) +
                     " (" + std::string(format->title) +
                     "); write the section normalised (without keeping its size) or with smaller "
                     "scale factors" +
                     (drawing ? std::string(" or a shorter chord") : std::string()));
}

}  // namespace

Error readSection(std::string_view text, int capacity, Section& section) {
  LineInput in(text);
  std::string reason;
  if (INKOO(in, section, capacity, &reason) != kReadOk) {
    return failure(Status::readFailed, std::move(reason));
  }
  return completeSection(section);
}

Error completeSection(Section& section) {
  readers::keepPlainText(section);
  const int n = section.size();
  if (PROGEO(section.x, section.y, n, section.properties) != 0) {
    return failure(Status::noArea, "the points enclose no area");
  }
  if (section.properties.area < 0.0f) {
    SWAP(section.x, section.y, n);
    section.properties.area = std::fabs(section.properties.area);
  }
  return {};
}

Error checkDrawingOptions(const DrawingOptions& drawing, bool keepSize) {
  const auto bad = [](std::string what) { return failure(Status::badOptions, std::move(what)); };
  for (const auto& [value, what] :
       {std::pair{drawing.chordMm, "the chord"}, std::pair{drawing.skinMm, "the skin thickness"},
        std::pair{drawing.farfieldChords, "the far field radius"}}) {
    if (!std::isfinite(value) || value < 0.0f) {
      return bad(std::string(what) + " must be a length of 0 or more");
    }
  }
  if (drawing.chordMm > 0.0f && keepSize) {
    return bad("a chord length and the input's own size exclude each other");
  }
  if (!std::isfinite(drawing.strokeMm) || drawing.strokeMm <= 0.0f) {
    return bad("the line width must be more than 0");
  }
  if (drawing.farfieldChords > 0.0f && drawing.farfieldChords < 1.0f) {
    return bad("the far field must reach at least 1 chord from the section's middle");
  }
  if (!std::isfinite(drawing.meshSizeChords) || drawing.meshSizeChords <= 0.0f ||
      drawing.meshSizeChords > 1.0f) {
    return bad("the mesh size must be more than 0 and at most 1 chord");
  }
  if (drawing.boundaryLayerFirst != 0.0f) {
    if (!std::isfinite(drawing.boundaryLayerFirst) || drawing.boundaryLayerFirst < 0.0f ||
        !std::isfinite(drawing.boundaryLayerThickness) ||
        !(drawing.boundaryLayerThickness > drawing.boundaryLayerFirst) ||
        drawing.boundaryLayerThickness > 1.0f) {
      return bad(
          "the boundary layer's first layer must be more than 0 and thinner than its total "
          "thickness, which is at most 1 chord");
    }
    if (!(drawing.boundaryLayerRatio >= 1.0f && drawing.boundaryLayerRatio <= 3.0f)) {
      return bad("the boundary layer's growth ratio must be from 1 to 3");
    }
    if (drawing.farfieldChords == 0.0f) {
      return bad("a boundary layer needs a far field around the section to grow into");
    }
    // Gmsh's boundary-layer field fails on an outline of many straight lines
    // ("Unable to recover the edge") or crashes; on the two splines it holds.
    if (!drawing.spline) return bad("a boundary layer needs the section drawn as splines");
  }
  // Gmsh takes the sizes of a spline's points only at its ends.
  if (drawing.meshSizeFromSpacing && drawing.spline) {
    return bad(
        "mesh sizes from the points' spacing need straight lines between the points, not "
        "splines");
  }
  return {};
}

Error writeSection(const Section& section, const ConversionSettings& settings, LineOutput& out,
                   std::vector<float>& x, std::vector<float>& y, float* xminBack) {
  const FormatRow* format = formatByNumber(settings.format);
  if (settings.classicFormatsOnly && settings.format > kClassicFormatCount) format = nullptr;
  // Formats with a comment syntax of their own take the lines to place them.
  LineOutput commentLines;
  const bool ownComments = format != nullptr && writesOwnComments(format->writerCode);
  LineOutput& head = ownComments ? commentLines : out;
  if (settings.comments && !writeCommentLines(head, section.comments)) {
    return failure(Status::writeFailed, "the output cannot be written");
  }
  for (const std::string& line : section.notices) (void)head.write(line);
  if (settings.comments) {
    (void)writeCommentHeader(head, section.pointsRead, section.xmin, section.xmax,
                             section.properties);
    if (head.overflowed()) return overflowError(nullptr, true);
  }

  int n = section.size();
  const int capacity = std::max(settings.capacity, n);
  x.assign(section.x.begin(), section.x.end());
  y.assign(section.y.begin(), section.y.end());
  x.resize(static_cast<std::size_t>(capacity));
  y.resize(static_cast<std::size_t>(capacity));
  const auto done = [&](Error error) {
    x.resize(static_cast<std::size_t>(n));
    y.resize(static_cast<std::size_t>(n));
    return error;
  };

  if (settings.redistribute) {
    const int stations = static_cast<int>(settings.stations.size());
    const int status = IRESPL(x, y, n, n + 1, 1.0f, kStandardStations, settings.stations);
    if (status != 0) {
      return done(failure(Status::redistributionFailed,
                          redistributionReason(status, stations, n, settings.capacity)));
    }
  }

  if (settings.keepSize) {
    float chord = section.xmax - section.xmin;
    float origin = section.xmin;
    if (format != nullptr && format->perCent) {
      chord /= 100.0f;
      origin /= 100.0f;
      if (xminBack != nullptr) *xminBack = origin;
    }
    for (int i = 0; i < n; ++i) {
      x[static_cast<std::size_t>(i)] = origin + chord * x[static_cast<std::size_t>(i)];
      y[static_cast<std::size_t>(i)] = chord * y[static_cast<std::size_t>(i)];
    }
  }
  for (int i = 0; i < n; ++i) {
    x[static_cast<std::size_t>(i)] *= settings.xFactor;
    y[static_cast<std::size_t>(i)] *= settings.yFactor;
  }

  if (format != nullptr) {
    DrawingContext drawing;
    drawing.options = settings.drawing;
    if (settings.drawing.chordMm > 0.0f) {
      drawing.scale = settings.drawing.chordMm;
    } else if (settings.keepSize) {
      drawing.scale = 1.0;
    }
    if (ownComments) {
      std::string_view lines = commentLines.buffer();
      while (!lines.empty()) {
        const auto end = lines.find('\n');
        drawing.comments.emplace_back(lines.substr(0, end));
        lines.remove_prefix(end + 1);
      }
    }
    const int written =
        OUTKOO(out, x, y, n, format->writerCode, section.name, settings.date, &drawing);
    if (written == kWriterRefused) return done(failure(Status::badOptions, drawing.refusal));
    if (written == kSameXFailed) {
      return done(failure(Status::noThreeColumns,
                          "the upper and lower surface cannot be brought onto common x-stations"));
    }
    if (written != kWriteOk) {
      return done(failure(Status::writeFailed,
                          n > kMaxStations
                              ? "the surfaces of more than 1000 points cannot be paired"
                              : "the output cannot be written"));
    }
    if (out.overflowed()) return done(overflowError(format, false, ownComments));
  }
  return done({});
}

ConversionOutcome convertText(std::string_view text, const ConversionSettings& settings,
                              LineOutput& out) {
  ConversionOutcome outcome;
  outcome.error = readSection(text, settings.capacity, outcome.section);
  outcome.xmin = outcome.section.xmin;
  outcome.xmax = outcome.section.xmax;
  if (outcome.error) return outcome;
  if (settings.shape) {
    auto shaped = settings.shape(outcome.section);
    if (!shaped) {
      outcome.error = shaped.error();
      return outcome;
    }
    outcome.section = std::move(*shaped);
  }
  outcome.reachedHeader = true;
  outcome.error = writeSection(outcome.section, settings, out, outcome.x, outcome.y, &outcome.xmin);
  return outcome;
}

ConversionOutcome convertFiles(const std::string& input, const std::string& output, bool append,
                               const ConversionSettings& settings) {
  ConversionOutcome outcome;
  InputText text;
  if (Error error = readInputFile(input, text)) {
    outcome.error = std::move(error);
    return outcome;
  }
  // INORM writes no drawing formats, so appends nothing to refuse.
  const auto oneSection =
      settings.classicFormatsOnly ? std::nullopt : oneSectionFormat(settings.format);
  if (oneSection && append && holdsContent(pathOf(output))) {
    outcome.error = oneSectionPerFile(*oneSection, kNoAppending);
    return outcome;
  }
  Error error;
  auto transaction = OutputTransaction::open(
      output, append,
      text.key ? std::span<const FileKey>(&*text.key, 1) : std::span<const FileKey>(), error);
  if (!transaction) {
    outcome.error = std::move(error);
    return outcome;
  }
  LineOutput out;
  outcome = convertText(text.text, settings, out);
  if (outcome.error) return outcome;
  if (Error written = transaction->write(out.buffer())) {
    outcome.error = std::move(written);
  } else if (Error committed = transaction->commit()) {
    outcome.error = std::move(committed);
  }
  return outcome;
}

}  // namespace tarvex
