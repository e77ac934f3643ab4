// Format 10: the Vuz Ovorav KSC input, coordinates in per cent of chord.
#include <string>
#include <string_view>

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

int vuzOvoravKsc(const WriterContext& ctx) {
  const int rows = rowCount(ctx);
  FieldLine count = ctx.begin();
  count.integer(rows, 3);
  if (!ctx.end(count)) return kWriteFailed;
  FieldLine title = ctx.begin();
  title.decimal(0.0, 7, 3).blanks(2).text(ctx.wholeName(), 16).blanks(2);
  title.put(dayMonthYear(ctx.dateText())).blanks(2).blanks(30);
  if (!ctx.end(title)) return kWriteFailed;
  for (int j = rows; j >= 1; --j) {
    const SurfaceRow r = row(ctx, j);
    FieldLine line = ctx.begin();
    line.decimal(100.0 * r.x, 8, 3).put("\t").decimal(100.0 * r.upper, 8, 3).put("\t");
    line.decimal(100.0 * r.lower, 8, 3);
    if (!ctx.end(line)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
