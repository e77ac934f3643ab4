// Format 16: thickness and camber at the x-stations shared by both surfaces.
#include <string>

#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int thicknessCamber(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  const std::string head1 = fmt::X(14) + "Station            Thickness            Camber";
  const std::string head2 = fmt::X(14) + "  x/c                 t/c                f/c";
  if (!writeLines(ctx, {head1, head2})) return kWriteFailed;
  for (int j = rowCount(ctx); j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    const float thickness = r.upper - r.lower;
    const float camber = (r.upper + r.lower) * 0.5f;
    if (!ctx.line(" " + fmt::F(r.x, 20, 8) + fmt::F(thickness, 20, 8) + fmt::F(camber, 20, 8))) {
      return kWriteFailed;
    }
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
