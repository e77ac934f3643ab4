// Format 8: the VSAERO section input, lower and upper surface as two blocks
// whose tags stand in the fixed columns 82 to 84.
#include <string>
#include <string_view>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool writePoint(const WriterContext& ctx, int i) {
  FieldLine line = ctx.begin();
  line.decimal(ctx.X(i), 10, 7).decimal(ctx.Y(i), 10, 7).blanks(61).put("12B");
  return ctx.end(line);
}

// The two lines that close a surface block; code 1 for the lower, 3 for the
// upper surface.
bool writeBlockEnd(const WriterContext& ctx, std::string_view surface, int code) {
  FieldLine title = ctx.begin();
  title.put("End of ").text(surface, 5).put(" surface          NODEC  NPC INTC MOVE");
  title.blanks(31).put("14");
  if (!ctx.end(title)) return false;
  FieldLine values = ctx.begin();
  values.blanks(34).integer(code, 1).blanks(3).integer(15, 2).put("    0    0").blanks(31);
  values.put("14");
  return ctx.end(values);
}

}  // namespace

int vsaero(const WriterContext& ctx) {
  const std::string title = "# Airfoil " + std::string(ctx.name);
  if (!writeLines(
          ctx,
          {title,
           "Begin  STX       STY       STZ     SCALE      ALFA     THETA INMO NODS  NPS INTS 11",
           "    0.0000    0.0000    0.0000    1.0000    0.0000    0.0000    2    0    0    0 "
           "11"})) {
    return kWriteFailed;
  }
  // Both blocks hold the leading-edge point k: each surface is complete.
  const int k = rowCount(ctx);
  for (int i = ctx.n; i >= k; --i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  if (!writeBlockEnd(ctx, "lower", 1)) return kWriteFailed;
  for (int i = k; i >= 1; --i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  if (!writeBlockEnd(ctx, "upper", 3)) return kWriteFailed;
  return kWriteOk;
}

}  // namespace tarvex::writers
