// Format 17: the PMARC/CMARC section input in namelist form, lower and upper
// surface as two blocks.
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool writePoint(const WriterContext& ctx, int i) {
  FieldLine line = ctx.begin();
  line.decimal(ctx.X(i), 10, 7).decimal(0.0, 10, 7).decimal(ctx.Y(i), 10, 7);
  return ctx.end(line);
}

bool writeBlockEnd(const WriterContext& ctx, int node) {
  FieldLine line = ctx.begin();
  line.put(" &BPNODE TNODE =").integer(node, 2).put(", TNPC =").integer(15, 3);
  line.put(", TINTC = 0,").put(" &END");
  return ctx.end(line);
}

}  // namespace

int pmarcCmarc(const WriterContext& ctx) {
  const std::string title = "# Airfoil " + std::string(ctx.name);
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
