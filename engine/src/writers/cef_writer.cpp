// Format 6: the coordinate exchange format, one numbered key per point.
#include <string>

#include "engine_state.h"
#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int cef(WriterContext& ctx) {
  const std::string points = "Points=" + fmt::I(ctx.n, 4);
  const std::string name = "Name=" + fmt::A(wholeName(), 80);
  if (!writeLines(ctx, {"[Airfoil]", points, name, ";            X         Y"})) {
    return kWriteFailed;
  }
  for (int i = 1; i <= ctx.n; ++i) {
    const std::string text =
        "Point" + fmt::I(i, 3, 3) + "=" + fmt::F(ctx.X(i), 10, 6) + fmt::F(ctx.Y(i), 10, 6);
    if (!ctx.line(text)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
