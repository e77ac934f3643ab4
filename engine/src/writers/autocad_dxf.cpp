// Format 11: an AutoCad DXF drawing holding the contour as one polyline, in
// per cent of chord. The extents are fixed, not those of the section.
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

// A group code line and its value line holding a number in F12.6.
bool writeValue(const WriterContext& ctx, std::string_view code, double value) {
  if (!ctx.line(code)) return false;
  FieldLine line = ctx.begin();
  line.decimal(value, 12, 6);
  return ctx.end(line);
}

}  // namespace

int autocadDxf(const WriterContext& ctx) {
  if (!writeLines(ctx, {"  0", "SECTION", "  2", "HEADER", "  9", "$EXTMIN"}) ||
      !writeValue(ctx, " 10", 0.0) || !writeValue(ctx, " 20", -50.0) ||
      !writeLines(ctx, {"  9", "$EXTMAX"}) || !writeValue(ctx, " 10", 100.0) ||
      !writeValue(ctx, " 20", 50.0) ||
      !writeLines(ctx, {"  0", "ENDSEC",                                     //
                        "  0", "SECTION", "  2", "TABLES", "  0", "ENDSEC",  //
                        "  0", "SECTION", "  2", "ENTITIES",                 //
                        "  0", "POLYLINE", "  8", "0", " 66", "     1"})) {
    return kWriteFailed;
  }
  for (int i = 1; i <= ctx.n; ++i) {
    if (!writeLines(ctx, {"  0", "VERTEX", "  8", "0"}) ||
        !writeValue(ctx, " 10", 100.0 * ctx.X(i)) || !writeValue(ctx, " 20", 100.0 * ctx.Y(i))) {
      return kWriteFailed;
    }
  }
  if (!writeLines(ctx, {"  0", "SEQEND", "  8", "0", "  0", "ENDSEC", "  0", "EOF"})) {
    return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
