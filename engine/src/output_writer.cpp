#include "output_writer.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "engine_state.h"
#include "fixed_format.h"
#include "line_scan.h"
#include "redistribution.h"
#include "section_properties.h"
#include "writers/writers.h"

namespace tarvex {
namespace {

struct FormatEntry {
  OutputFormat format;
  WriterFunction write;
};

constexpr std::array<FormatEntry, kFormatCount> kFormats{{
    {{1, 1, "xy", "two columns, TE -> upper surface -> LE -> lower surface -> TE", "geo", false},
     writers::twoColumnsUpperFirst},
    {{2, 3, "xy-lower", "two columns, TE -> lower surface -> LE -> upper surface -> TE", "txt",
      false},
     writers::twoColumnsLowerFirst},
    {{3, 2, "xyy", "three columns, TE -> LE", "txt", true}, writers::threeColumnsTeToLe},
    {{4, 4, "xyy-le", "three columns, LE -> TE", "txt", true}, writers::threeColumnsLeToTe},
    {{5, 5, "eppler", "Eppler FXPR format", "epp", false}, writers::epplerFxpr},
    {{6, 6, "cef", "CEF coordinate exchange format", "cef", false}, writers::cef},
    {{7, 7, "airfoil0", "AIRFOIL0 format", "af0", true}, writers::airfoil0},
    {{8, 8, "vsaero", "VSAERO format", "vsa", true}, writers::vsaero},
    {{9, 9, "acad-script", "AutoCad script format", "scr", false}, writers::autocadScript},
    {{10, 10, "ksc", "Vuz Ovorav KSC format", "ksc", true}, writers::vuzOvoravKsc},
    {{11, 11, "dxf", "AutoCad DXF format", "dxf", false}, writers::autocadDxf},
    {{12, 12, "rhino", "Rhinoceros script command format", "txt", false}, writers::rhinoScript},
    {{13, 13, "xml", "XML format", "xml", false}, writers::xmlDocument},
    {{14, 14, "fortran", "FORTRAN/BASIC source format", "for", false}, writers::fortranBasic},
    {{15, 15, "c", "C/Java source format", "c", false}, writers::cJava},
    {{16, 16, "camber", "x/c, t/c, f/c (thickness and camber) format", "txt", true},
     writers::thicknessCamber},
    {{17, 17, "pmarc", "PMARC/CMARC format", "txt", true}, writers::pmarcCmarc},
}};

const std::array<OutputFormat, kFormatCount> kFormatTable = [] {
  std::array<OutputFormat, kFormatCount> table{};
  for (std::size_t i = 0; i < kFormats.size(); ++i) table[i] = kFormats[i].format;
  return table;
}();

}  // namespace

std::span<const OutputFormat> outputFormats() { return kFormatTable; }

const OutputFormat* formatByNumber(int number) {
  if (number < 1 || number > kFormatCount) return nullptr;
  return &kFormatTable[static_cast<std::size_t>(number - 1)];
}

const OutputFormat* formatByWriterCode(int code) {
  for (const auto& format : kFormatTable) {
    if (format.writerCode == code) return &format;
  }
  return nullptr;
}

int writerCodeFor(int formatNumber) {
  const OutputFormat* format = formatByNumber(formatNumber);
  return format != nullptr ? format->writerCode : 0;
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

int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode) {
  return OUTKOO(out, x, y, n, writerCode, localDateText());
}

int OUTKOO(LineOutput& out, std::span<float> x, std::span<float> y, int& n, int writerCode,
           std::string_view date) {
  for (const auto& entry : kFormats) {
    if (entry.format.writerCode != writerCode) continue;
    WriterContext ctx{out, x, y, n, date};
    return entry.write(ctx);
  }
  return kWriteOk;
}

int prepareSameX(WriterContext& ctx) {
  if (LSAMEX(ctx.x, ctx.n)) return kWriteOk;
  int n = ctx.n;
  const int m = 2 * (n / 2) + 1;
  const int status = IRESPL(ctx.x, ctx.y, n, m, 1.0f, kCosineStations);
  if (status == 0) ctx.n = n;
  return status;
}

int rowCount(const WriterContext& ctx) { return (ctx.n + 1) / 2; }

SurfaceRow row(const WriterContext& ctx, int j) {
  return {ctx.X(j), ctx.Y(j), ctx.Y(ctx.n + 1 - j)};
}

std::string compacted(std::string_view text, bool underscoresToBlanks) {
  std::string line(text);
  const int kept = NOBLANK(line);
  line.resize(static_cast<std::size_t>(kept));
  if (underscoresToBlanks) REPLACE(line, '_', ' ');
  return line;
}

bool writeCommentHeader(LineOutput& out, int pointCount, float xmin, float xmax,
                        const SectionProperties& p) {
  const std::string range = fmt::F(xmin, 12, 5) + "..." + fmt::F(xmax, 12, 5);
  return out.write(";") && out.write("; Creator:  INORM") && out.write("; Author:   Tolmark") &&
         out.write(";") && out.write("; Number of points:" + fmt::I(pointCount, 12)) &&
         out.write("; x-Range: " + range) &&
         writePropertyBlock(out, p, HeaderLanguage::English) && out.write(";") &&
         out.write("; Koordinatenzahl: " + fmt::I(pointCount, 12)) &&
         out.write("; x-Bereich: " + range) &&
         writePropertyBlock(out, p, HeaderLanguage::German) && out.write(";");
}

}  // namespace tarvex
