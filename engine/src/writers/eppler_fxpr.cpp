// Format 5: the Eppler FXPR input, coordinates as integers of 1/100000 chord.
#include <cmath>
#include <string>

#include "engine_state.h"
#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

// The value truncated toward zero in Iw. Products far beyond any field are
// written as asterisks before the conversion to an integer could overflow.
std::string truncatedField(double value, int w) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15)
    return std::string(static_cast<std::size_t>(w), '*');
  return fmt::I(static_cast<long long>(std::trunc(value)), w);
}

}  // namespace

int epplerFxpr(WriterContext& ctx) {
  const std::string title = "REMO1              *P" + std::string(wholeName()) + "  *N@PROFIL";
  const std::string count = "____________     " + fmt::I(ctx.n, 3);
  if (!writeLines(ctx, {title, "FXPR     2", count})) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    // Formed in double from the single-precision points, then truncated.
    const double x = static_cast<double>(ctx.X(i)) * 100000.0;
    const double y = static_cast<double>(ctx.Y(i)) * 100000.0;
    if (!ctx.line(fmt::X(8) + truncatedField(x, 6) + truncatedField(y, 6))) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
