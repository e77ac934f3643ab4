// Format 12: a Rhinoceros command script that interpolates a curve through
// the points, with tangent directions given at both ends.
#include <algorithm>
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool writePoint(const WriterContext& ctx, double x, double y) {
  std::string scratch;
  FieldLine point(scratch);
  point.decimal(x, 10, 7).put(",").decimal(y, 10, 7).put(",").decimal(0.0, 10, 7);
  return ctx.compacted(point, scratch, false);
}

}  // namespace

int rhinoScript(const WriterContext& ctx) {
  const int n = ctx.n;
  if (!writeLines(ctx, {"! InterpCrv", "Tan"})) return kWriteFailed;
  if (n >= 1) {
    // Sections too short for the layout repeat their last point in place
    // of the missing ones.
    auto point = [&](int i) {
      i = std::clamp(i, 1, n);
      return writePoint(ctx, ctx.X(i), ctx.Y(i));
    };
    // Point 1 and point 2 give the start tangent; point 2 then opens the curve points.
    if (!point(1) || !point(2)) return kWriteFailed;
    for (int i = 2; i <= n - 1; ++i) {
      if (!point(i)) return kWriteFailed;
    }
    if (!ctx.line("Tan") || !point(n)) return kWriteFailed;
    // The end tangent points from point N away from point N-1.
    const int before = std::max(n - 1, 1);
    const float x = 2.0f * ctx.X(n) - ctx.X(before);
    const float y = 2.0f * ctx.Y(n) - ctx.Y(before);
    if (!writePoint(ctx, x, y)) return kWriteFailed;
  } else if (!ctx.line("Tan")) {
    return kWriteFailed;
  }
  if (!ctx.line("Enter")) return kWriteFailed;
  return kWriteOk;
}

}  // namespace tarvex::writers
