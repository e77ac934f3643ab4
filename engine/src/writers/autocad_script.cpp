// Format 9: an AutoCad command script drawing the contour as one polyline
// and the chord as a line.
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int autocadScript(const WriterContext& ctx) {
  if (!writeLines(ctx, {"_LIMITS _OFF", "_PLINE"})) return kWriteFailed;
  std::string scratch;
  for (int i = 1; i <= ctx.n; ++i) {
    FieldLine point(scratch);
    point.decimal(ctx.X(i), 10, 7).put(",").decimal(ctx.Y(i), 10, 7);
    if (!ctx.compacted(point, scratch, false)) return kWriteFailed;
  }
  // The empty lines end the polyline and the line command.
  if (!writeLines(ctx, {"", "_LINE 0,0 1,0", "", "_LIMITS _ON"})) return kWriteFailed;
  return kWriteOk;
}

}  // namespace tarvex::writers
