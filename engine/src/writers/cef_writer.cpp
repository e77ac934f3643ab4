// Format 6: the coordinate exchange format, one numbered key per point.
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int cef(const WriterContext& ctx) {
  if (!ctx.line("[Airfoil]")) return kWriteFailed;
  FieldLine points = ctx.begin();
  points.put("Points=").integer(ctx.n, 4);
  if (!ctx.end(points)) return kWriteFailed;
  if (!writeLines(ctx, {"Name=" + ctx.wholeName(), ";            X         Y"})) {
    return kWriteFailed;
  }
  for (int i = 1; i <= ctx.n; ++i) {
    FieldLine line = ctx.begin();
    line.put("Point").integer(i, 3, 3).put("=").decimal(ctx.X(i), 10, 6).decimal(ctx.Y(i), 10, 6);
    if (!ctx.end(line)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
