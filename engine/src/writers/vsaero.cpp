// Format 8: the VSAERO section input, lower and upper surface as two blocks
// whose tags stand in the fixed columns 82 to 84.
#include <string>
#include <string_view>

#include "engine_state.h"
#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool writePoint(WriterContext& ctx, int i) {
  return ctx.line(fmt::F(ctx.X(i), 10, 7) + fmt::F(ctx.Y(i), 10, 7) + fmt::X(61) + "12B");
}

// The two lines that close a surface block; code 1 for the lower, 3 for the
// upper surface.
bool writeBlockEnd(WriterContext& ctx, std::string_view surface, int code) {
  const std::string title =
      "End of " + fmt::A(surface, 5) + " surface          NODEC  NPC INTC MOVE" + fmt::X(31) + "14";
  const std::string values =
      fmt::X(34) + fmt::I(code, 1) + fmt::X(3) + fmt::I(15, 2) + "    0    0" + fmt::X(31) + "14";
  return writeLines(ctx, {title, values});
}

}  // namespace

int vsaero(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  const std::string title = "# Airfoil " + std::string(trimmedName());
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
