// The two layouts of airfoil work: Selig (the name, then x y around the
// section from the trailing edge over the upper surface and back) and
// Lednicer (the name, the two surface counts, each surface from the leading
// edge after a blank line). Neither has a comment syntax, so comment lines
// are left out; six decimals, rounded from the value.
#include "writers/field_text.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

bool nameLine(const WriterContext& ctx) {
  return ctx.line(lineText(ctx.name.empty() ? std::string_view("alvane") : ctx.name));
}

bool point(const WriterContext& ctx, int i) {
  FieldLine line = ctx.begin();
  line.put(" ").decimal(ctx.X(i), 10, 6).decimal(ctx.Y(i), 11, 6);
  return ctx.end(line);
}

// The point of smallest x, the first of them.
int leadingEdge(const WriterContext& ctx) {
  int nose = 1;
  for (int i = 2; i <= ctx.n; ++i) {
    if (ctx.X(i) < ctx.X(nose)) nose = i;
  }
  return nose;
}

}  // namespace

int seligLayout(const WriterContext& ctx) {
  if (!nameLine(ctx)) return kWriteFailed;
  for (int i = 1; i <= ctx.n; ++i) {
    if (!point(ctx, i)) return kWriteFailed;
  }
  return kWriteOk;
}

int lednicerLayout(const WriterContext& ctx) {
  const int nose = leadingEdge(ctx);
  if (nose == 1 || nose == ctx.n) {
    ctx.drawing.refusal = "the point of smallest x is an end of the outline, so the section has "
                          "no two surfaces to count";
    return kWriterRefused;
  }
  if (!nameLine(ctx)) return kWriteFailed;
  FieldLine counts = ctx.begin();
  counts.integer(nose, 8).put(".").integer(ctx.n - nose + 1, 10).put(".");
  if (!ctx.end(counts) || !ctx.line("")) return kWriteFailed;
  for (int i = nose; i >= 1; --i) {
    if (!point(ctx, i)) return kWriteFailed;
  }
  if (!ctx.line("")) return kWriteFailed;
  for (int i = nose; i <= ctx.n; ++i) {
    if (!point(ctx, i)) return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
