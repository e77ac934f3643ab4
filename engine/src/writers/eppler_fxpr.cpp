// Format 5: the Eppler FXPR input, coordinates as integers of 1/100000 chord.
#include <cmath>
#include <string>

#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

// The value truncated toward zero in Iw. Products far beyond any field are
// written as asterisks before the conversion to an integer could overflow.
void truncatedField(FieldLine& line, double value, int w) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) value = 1e15;
  line.integer(static_cast<long long>(std::trunc(value)), w);
}

}  // namespace

int epplerFxpr(const WriterContext& ctx) {
  const std::string title = "REMO1              *P" + ctx.wholeName() + "  *N@PROFIL";
  if (!writeLines(ctx, {title, "FXPR     2"})) return kWriteFailed;
  FieldLine count = ctx.begin();
  count.put("____________     ").integer(ctx.n, 3);
  if (!ctx.end(count)) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    // Formed in double from the single-precision points, then truncated.
    FieldLine line = ctx.begin();
    line.blanks(8);
    truncatedField(line, static_cast<double>(ctx.X(i)) * 100000.0, 6);
    truncatedField(line, static_cast<double>(ctx.Y(i)) * 100000.0, 6);
    if (!ctx.end(line)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
