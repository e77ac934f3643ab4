// Format 16: thickness and camber at the x-stations shared by both surfaces.
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int thicknessCamber(const WriterContext& ctx) {
  if (!writeLines(ctx, {"              Station            Thickness            Camber",
                        "                x/c                 t/c                f/c"})) {
    return kWriteFailed;
  }
  for (int j = rowCount(ctx); j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    const float thickness = r.upper - r.lower;
    const float camber = (r.upper + r.lower) * 0.5f;
    FieldLine line = ctx.begin();
    line.put(" ").decimal(r.x, 20, 8).decimal(thickness, 20, 8).decimal(camber, 20, 8);
    if (!ctx.end(line)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
