// Format 7: the AIRFOIL0 input, one row per x-station from the leading edge.
#include <string>

#include "fixed_format.h"
#include "writers/writers.h"

namespace tarvex::writers {

int airfoil0(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  if (!ctx.line("3")) return kWriteFailed;
  for (int j = rowCount(ctx); j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    if (!ctx.line(" " + fmt::F(r.x, 20, 5) + fmt::F(r.lower, 20, 5) + fmt::F(r.upper, 20, 5))) {
      return kWriteFailed;
    }
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
