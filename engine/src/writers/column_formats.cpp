// Formats 1 to 4: two columns in either direction, three columns in either
// direction.
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr std::string_view kTwoColumnHeader = ";            X         Y";
constexpr std::string_view kThreeColumnHeader = "          X            Y upper            Y lower";

bool writePoint(const WriterContext& ctx, int i) {
  FieldLine line = ctx.begin();
  line.put(" ").decimal(ctx.X(i), 20, 8).decimal(ctx.Y(i), 20, 8);
  return ctx.end(line);
}

bool writeRow(const WriterContext& ctx, int j) {
  const SurfaceRow r = row(ctx, j);
  FieldLine line = ctx.begin();
  line.put(" ").decimal(r.x, 20, 8).decimal(r.upper, 20, 8).decimal(r.lower, 20, 8);
  return ctx.end(line);
}

}  // namespace

int twoColumnsUpperFirst(const WriterContext& ctx) {
  if (!ctx.line(kTwoColumnHeader)) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  return kWriteOk;
}

int twoColumnsLowerFirst(const WriterContext& ctx) {
  if (!ctx.line(kTwoColumnHeader)) return kWriteFailed;
  for (int i = ctx.n; i >= 1; --i) {
    if (!writePoint(ctx, i)) return kWriteFailed;
  }
  return kWriteOk;
}

int threeColumnsTeToLe(const WriterContext& ctx) {
  if (!ctx.line(kThreeColumnHeader)) return kWriteFailed;
  for (int j = 1; j <= rowCount(ctx); ++j) {
    if (!writeRow(ctx, j)) return kWriteFailed;
  }
  return kWriteOk;
}

int threeColumnsLeToTe(const WriterContext& ctx) {
  if (!ctx.line(kThreeColumnHeader)) return kWriteFailed;
  for (int j = rowCount(ctx); j >= 1; --j) {
    if (!writeRow(ctx, j)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
