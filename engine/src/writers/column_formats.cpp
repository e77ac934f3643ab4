// Formats 1 to 4: two columns in either direction, three columns in either
// direction.
#include "fixed_format.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr std::string_view kTwoColumnHeader = ";            X         Y";
constexpr std::string_view kThreeColumnHeader = "          X            Y upper            Y lower";

std::string pointLine(float x, float y) { return " " + fmt::F(x, 20, 8) + fmt::F(y, 20, 8); }

std::string rowLine(const SurfaceRow& r) {
  return " " + fmt::F(r.x, 20, 8) + fmt::F(r.upper, 20, 8) + fmt::F(r.lower, 20, 8);
}

}  // namespace

int twoColumnsUpperFirst(WriterContext& ctx) {
  if (!ctx.line(kTwoColumnHeader)) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    if (!ctx.line(pointLine(ctx.X(i), ctx.Y(i)))) return kWriteFailed;
  }
  return kWriteOk;
}

int twoColumnsLowerFirst(WriterContext& ctx) {
  if (!ctx.line(kTwoColumnHeader)) return kWriteFailed;
  for (int i = ctx.n; i >= 1; --i) {
    if (!ctx.line(pointLine(ctx.X(i), ctx.Y(i)))) return kWriteFailed;
  }
  return kWriteOk;
}

int threeColumnsTeToLe(WriterContext& ctx) {
  if (!ctx.line(kThreeColumnHeader)) return kWriteFailed;
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  for (int j = 1; j <= rowCount(ctx); ++j) {
    if (!ctx.line(rowLine(row(ctx, j)))) return kWriteFailed;
  }
  return kWriteOk;
}

int threeColumnsLeToTe(WriterContext& ctx) {
  if (const int status = prepareSameX(ctx); status != kWriteOk) return status;
  if (!ctx.line(kThreeColumnHeader)) return kWriteFailed;
  for (int j = rowCount(ctx); j >= 1; --j) {
    if (!ctx.line(rowLine(row(ctx, j)))) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
