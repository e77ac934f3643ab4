#include "writers/output_writer.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "geometry/redistribution.h"
#include "io/line_scan.h"
#include "writers/field_text.h"
#include "writers/writers.h"

namespace tarvex {
namespace {

struct WriterEntry {
  WriterFunction write;
  bool ownComments;
};

// The writer of each writer code (code 1 first).
constexpr std::array<WriterEntry, 22> kWriters{{
    {writers::twoColumnsUpperFirst, false},
    {writers::threeColumnsTeToLe, false},
    {writers::twoColumnsLowerFirst, false},
    {writers::threeColumnsLeToTe, false},
    {writers::epplerFxpr, false},
    {writers::cef, false},
    {writers::airfoil0, false},
    {writers::vsaero, false},
    {writers::autocadScript, false},
    {writers::vuzOvoravKsc, false},
    {writers::autocadDxf, false},
    {writers::rhinoScript, false},
    {writers::xmlDocument, false},
    {writers::fortranBasic, false},
    {writers::cJava, false},
    {writers::thicknessCamber, false},
    {writers::pmarcCmarc, false},
    {writers::svgDrawing, true},
    {writers::gmshGeometry, true},
    {writers::dxfR2000, true},
    {writers::seligLayout, true},
    {writers::lednicerLayout, true},
}};
static_assert(kWriters.size() == kFormats.size(), "one writer for every row of the table");

// The row of each writer code, found once.
constexpr auto kRowOfWriterCode = [] {
  std::array<const FormatRow*, kFormats.size()> rows{};
  for (const FormatRow& format : kFormats) {
    rows[static_cast<std::size_t>(format.writerCode - 1)] = &format;
  }
  return rows;
}();

}  // namespace

const FormatRow* formatByWriterCode(int code) {
  if (code < 1 || code > static_cast<int>(kRowOfWriterCode.size())) return nullptr;
  return kRowOfWriterCode[static_cast<std::size_t>(code - 1)];
}

std::string WriterContext::dateText() const {
  return date.empty() ? localDateText() : std::string(date);
}

bool writesOwnComments(int writerCode) {
  if (writerCode < 1 || writerCode > static_cast<int>(kWriters.size())) return false;
  return kWriters[static_cast<std::size_t>(writerCode - 1)].ownComments;
}

std::string WriterContext::wholeName() const {
  std::string whole(name.substr(0, 80));
  whole.resize(80, ' ');
  return whole;
}

bool WriterContext::end(const FieldLine& line) const {
  if (line.overflowed()) out.noteOverflow();
  return out.endLine();
}

bool WriterContext::compacted(const FieldLine& line, std::string& scratch,
                              bool underscoresToBlanks) const {
  if (line.overflowed()) out.noteOverflow();
  compactInPlace(scratch, underscoresToBlanks);
  const bool written = out.write(scratch);
  scratch.clear();
  return written;
}

std::string localDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d", local.tm_mon + 1, local.tm_mday,
                local.tm_year % 100);
  return text;
}

int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode,
           std::string_view name, std::string_view date, DrawingContext* drawing) {
  const FormatRow* format = formatByWriterCode(writerCode);
  if (format == nullptr) return kWriteOk;
  if (format->pairsSurfaces) {
    if (const int status = prepareSameX(x, y, n); status != kWriteOk) return status;
  }
  // The name as its 80-character field holds it, trailing blanks dropped,
  // and never more than one line.
  const std::string plain = writers::lineText(name.substr(0, kLineLength));
  const std::string_view trimmed = trimRight(plain);
  DrawingContext defaults;
  const WriterContext ctx{out, x, y, n, trimmed, date, drawing != nullptr ? *drawing : defaults};
  const int status = kWriters[static_cast<std::size_t>(writerCode - 1)].write(ctx);
  if (status == kWriterRefused) return kWriterRefused;
  return status == kWriteOk ? kWriteOk : kWriteFailed;
}

int prepareSameX(std::span<float> x, std::span<float> y, int& n) {
  if (LSAMEX(x, n)) return kWriteOk;
  int count = n;
  const int m = 2 * (count / 2) + 1;
  const int status = IRESPL(x, y, count, m, 1.0f, kCosineStations);
  if (status == 0) n = count;
  return status;
}

int rowCount(const WriterContext& ctx) { return (ctx.n + 1) / 2; }

SurfaceRow row(const WriterContext& ctx, int j) {
  return {ctx.X(j), ctx.Y(j), ctx.Y(ctx.n + 1 - j)};
}

void compactInPlace(std::string& line, bool underscoresToBlanks) {
  const int kept = NOBLANK(line);
  line.resize(static_cast<std::size_t>(kept));
  if (underscoresToBlanks) REPLACE(line, '_', ' ');
}

std::string compacted(std::string_view text, bool underscoresToBlanks) {
  std::string line(text);
  compactInPlace(line, underscoresToBlanks);
  return line;
}

}  // namespace tarvex
