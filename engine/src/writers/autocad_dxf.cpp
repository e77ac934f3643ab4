// Format 11: an AutoCad DXF drawing holding the contour as one polyline, in
// per cent of chord. The extents are fixed, not those of the section.
#include <string>

#include "fixed_format.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {

int autocadDxf(WriterContext& ctx) {
  const std::string xmin = fmt::F(0.0, 12, 6);
  const std::string ymin = fmt::F(-50.0, 12, 6);
  const std::string xmax = fmt::F(100.0, 12, 6);
  const std::string ymax = fmt::F(50.0, 12, 6);
  if (!writeLines(ctx, {"  0", "SECTION",  "  2", "HEADER",                     //
                        "  9", "$EXTMIN",  " 10", xmin,       " 20", ymin,      //
                        "  9", "$EXTMAX",  " 10", xmax,       " 20", ymax,      //
                        "  0", "ENDSEC",                                        //
                        "  0", "SECTION",  "  2", "TABLES",   "  0", "ENDSEC",  //
                        "  0", "SECTION",  "  2", "ENTITIES",                   //
                        "  0", "POLYLINE", "  8", "0",        " 66", "     1"})) {
    return kWriteFailed;
  }
  for (int i = 1; i <= ctx.n; ++i) {
    const std::string x = fmt::F(100.0 * ctx.X(i), 12, 6);
    const std::string y = fmt::F(100.0 * ctx.Y(i), 12, 6);
    if (!writeLines(ctx, {"  0", "VERTEX", "  8", "0", " 10", x, " 20", y})) return kWriteFailed;
  }
  if (!writeLines(ctx, {"  0", "SEQEND", "  8", "0", "  0", "ENDSEC", "  0", "EOF"})) {
    return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
