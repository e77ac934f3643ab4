// The output writer: the table of the seventeen formats and OUTKOO, which
// writes the finished point sequence in the format of a writer code.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "text_io.h"

namespace tarvex {

inline constexpr int kFormatCount = 17;

enum WriterStatus : int { kWriteOk = 0, kWriteFailed = 1, kSameXFailed = 2 };

struct OutputFormat {
  int number;                   // the user's format number 1..17
  int writerCode;               // equals number, except 2 and 3 are exchanged
  std::string_view shortName;   // for the command line
  std::string_view title;       // one-line description
  std::string_view extension;   // default file extension, without the dot
  bool sameX;                   // upper and lower surface brought onto common x first
};

std::span<const OutputFormat> outputFormats();
// nullptr when the number lies outside 1..17.
const OutputFormat* formatByNumber(int number);
const OutputFormat* formatByWriterCode(int code);
int writerCodeFor(int formatNumber);

// Everything one writer works on. x and y have the caller's capacity; n is
// the number of points and changes when the same-x preparation re-interpolates.
struct WriterContext {
  LineOutput& out;
  std::span<float> x;
  std::span<float> y;
  int& n;
  std::string_view date;  // MM/DD/YY, local date

  // Writes one line; false on failure.
  [[nodiscard]] bool line(std::string_view text) { return out.write(text); }
  float X(int i) const { return x[static_cast<std::size_t>(i - 1)]; }  // points counted from 1
  float Y(int i) const { return y[static_cast<std::size_t>(i - 1)]; }
};

using WriterFunction = int (*)(WriterContext&);

// Writes with the local date. Returns a WriterStatus.
int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode);
// The same with a given date text, for reproducible output.
int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode,
           std::string_view date);

// The current local date as MM/DD/YY.
std::string localDateText();

// Same-x preparation: when the surfaces do not share their x-stations, the
// section is re-interpolated in cosine mode to n rounded up to odd. Returns 0,
// or the redistribution's failure status (the section then stays as it was).
int prepareSameX(WriterContext& ctx);

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

// Comment header written by the conversion before the writer runs (42 lines).
struct SectionProperties;
bool writeCommentHeader(LineOutput& out, int pointCount, float xmin, float xmax,
                        const SectionProperties& p);

}  // namespace tarvex
