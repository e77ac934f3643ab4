// Format 9: an AutoCad command script drawing the contour as one polyline
// and the chord as a line.
#include <string>

#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int autocadScript(WriterContext& ctx) {
  if (!writeLines(ctx, {"_LIMITS _OFF", "_PLINE"})) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    const std::string point = fmt::F(ctx.X(i), 10, 7) + "," + fmt::F(ctx.Y(i), 10, 7);
    if (!ctx.line(compacted(point, false))) return kWriteFailed;
  }
  // The empty lines end the polyline and the line command.
  if (!writeLines(ctx, {"", "_LINE 0,0 1,0", "", "_LIMITS _ON"})) return kWriteFailed;
  return kWriteOk;
}

}  // namespace tarvex::writers
