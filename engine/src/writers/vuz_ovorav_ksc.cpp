// Format 10: the Vuz Ovorav KSC input, coordinates in per cent of chord.
#include <string>
#include <string_view>

#include "engine_state.h"
#include "fixed_format.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

// MM/DD/YY rearranged as DD/MM/YY; a short date text is padded with blanks.
std::string dayMonthYear(std::string_view date) {
  std::string text(date.substr(0, 8));
  text.resize(8, ' ');
  return text.substr(3, 2) + "/" + text.substr(0, 2) + "/" + text.substr(6, 2);
}

}  // namespace

int vuzOvoravKsc(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  const int rows = rowCount(ctx);
  if (!ctx.line(fmt::I(rows, 3))) return kWriteFailed;
  const std::string title = fmt::F(0.0, 7, 3) + fmt::X(2) + fmt::A(wholeName(), 16) + fmt::X(2) +
                            dayMonthYear(ctx.date) + fmt::X(2) + fmt::X(30);
  if (!ctx.line(title)) return kWriteFailed;
  for (int j = rows; j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    const std::string text = fmt::F(100.0 * r.x, 8, 3) + "\t" + fmt::F(100.0 * r.upper, 8, 3) +
                             "\t" + fmt::F(100.0 * r.lower, 8, 3);
    if (!ctx.line(text)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
