// The output writer: OUTKOO writes the finished point sequence in the format
// of a writer code, after the same-x preparation the format needs.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/fixed_fields.h"
#include "io/line_io.h"
#include "tarvex.hpp"
#include "tarvex_formats.hpp"

namespace tarvex {

enum WriterStatus : int { kWriteOk = 0, kWriteFailed = 1, kSameXFailed = 2, kWriterRefused = 3 };

// What the drawing and mesh formats need beyond the points.
struct DrawingContext {
  DrawingOptions options;
  // Millimetres per unit of the points: the chord asked for, or 1 when the
  // points stand at the input's own size; 0: the format's own default.
  double scale = 0.0;
  // The comment lines (each starting with ';') that the classic formats
  // write ahead of their data, for the format to put into its own syntax.
  std::vector<std::string> comments;
  // Why the writer refused the section (kWriterRefused).
  std::string refusal;

  double scaleOr(double fallback) const { return scale > 0.0 ? scale : fallback; }
};

// Everything one writer works on: the points (counted from 1 in X and Y),
// the section name and the date, and the output.
struct WriterContext {
  LineOutput& out;
  std::span<const float> x;
  std::span<const float> y;
  int n;
  std::string_view name;  // trailing blanks dropped
  std::string_view date;  // MM/DD/YY as given; empty: today, see dateText()
  DrawingContext& drawing;

  float X(int i) const { return x[static_cast<std::size_t>(i - 1)]; }
  float Y(int i) const { return y[static_cast<std::size_t>(i - 1)]; }
  // The name as its 80-character, blank-padded field.
  std::string wholeName() const;
  // The date as MM/DD/YY: the given one, or the local date (taken only by
  // the formats that carry one, as reading the clock costs system calls).
  std::string dateText() const;

  // Writes one line; false on failure.
  [[nodiscard]] bool line(std::string_view text) const { return out.write(text); }
  // A line built in place at the end of the output, finished by end().
  FieldLine begin() const { return FieldLine(out.buffer()); }
  [[nodiscard]] bool end(const FieldLine& line) const;
  // Writes the line built in scratch as a compacted line: blanks and tabs
  // removed, then (when asked) every underscore turned into a blank.
  [[nodiscard]] bool compacted(const FieldLine& line, std::string& scratch,
                               bool underscoresToBlanks) const;
};

using WriterFunction = int (*)(const WriterContext&);

// The row of the format a writer code selects; nullptr for an unknown code.
const FormatRow* formatByWriterCode(int code);

// Whether the writer puts the comment lines into its own comment syntax
// (DrawingContext::comments) instead of having them written ahead of it.
bool writesOwnComments(int writerCode);

// Writes the points in the format of the writer code, with the given date
// text (empty: the local date) and, for the drawing formats, their context
// (nullptr: the defaults). The formats that pair the surfaces first
// bring them onto common x-stations in cosine mode, which changes n and the
// points (within x.size()). Returns a WriterStatus.
int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode,
           std::string_view name, std::string_view date = {}, DrawingContext* drawing = nullptr);

// The current local date as MM/DD/YY.
std::string localDateText();

// Same-x preparation: when the surfaces do not share their x-stations, the
// section is re-interpolated in cosine mode to n rounded up to odd. Returns 0,
// or the redistribution's failure status (the section then stays as it was).
int prepareSameX(std::span<float> x, std::span<float> y, int& n);

// Pairing of the surfaces: K = (n+1)/2 rows; row j pairs point j (upper)
// with point n+1-j (lower); row 1 is the trailing edge, row K the leading edge.
struct SurfaceRow {
  float x, upper, lower;
};
int rowCount(const WriterContext& ctx);
SurfaceRow row(const WriterContext& ctx, int j);

// A compacted line: blanks and tabs removed, then (when asked) every
// underscore turned into a blank.
std::string compacted(std::string_view text, bool underscoresToBlanks);
void compactInPlace(std::string& line, bool underscoresToBlanks);

}  // namespace tarvex
