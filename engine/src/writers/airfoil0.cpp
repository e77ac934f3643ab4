// Format 7: the AIRFOIL0 input, one row per x-station from the leading edge.
#include "writers/writers.h"

namespace tarvex::writers {

int airfoil0(const WriterContext& ctx) {
  if (!ctx.line("3")) return kWriteFailed;
  for (int j = rowCount(ctx); j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    FieldLine line = ctx.begin();
    line.put(" ").decimal(r.x, 20, 5).decimal(r.lower, 20, 5).decimal(r.upper, 20, 5);
    if (!ctx.end(line)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
