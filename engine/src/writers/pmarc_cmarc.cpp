// Format 17: the PMARC/CMARC section input in namelist form, lower and upper
// surface as two blocks.
#include <string>

#include "engine_state.h"
#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool writePoint(WriterContext& ctx, int i) {
  return ctx.line(fmt::F(ctx.X(i), 10, 7) + fmt::F(0.0, 10, 7) + fmt::F(ctx.Y(i), 10, 7));
}

bool writeBlockEnd(WriterContext& ctx, int node) {
  return ctx.line(" &BPNODE TNODE =" + fmt::I(node, 2) + ", TNPC =" + fmt::I(15, 3) +
                  ", TINTC = 0," + " &END");
}

}  // namespace

int pmarcCmarc(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  const std::string title = "# Airfoil " + std::string(trimmedName());
  if (!writeLines(ctx, {title, "&SECT1 STX = 0.0, STY = 0.0, STZ = 0.0, SCALE = 1.0,",
                        "       ALF = 0.0, THETA = 0.0, INMODE = 4,",
                        "       TNODS = 0, TNPS = 0, TINTS = 0, &END"})) {
    return kWriteFailed;
  }
  // Both blocks hold the leading-edge point k: each surface is complete.
  const int k = rowCount(ctx);
  for (int i = ctx.n; i >= k; --i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  if (!writeBlockEnd(ctx, 1)) return kWriteFailed;
  for (int i = k; i >= 1; --i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  if (!writeBlockEnd(ctx, 3)) return kWriteFailed;
  return kWriteOk;
}

}  // namespace tarvex::writers
