// Format 18: an SVG drawing of the section at its true size in millimetres,
// for printing at 100 % and for laser-cutter and plotter programs: one closed
// path without fill, y up on the paper, a small margin around it.
#include <algorithm>
#include <cmath>
#include <string>

#include "writers/drawing_support.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr double kMarginMm = 5.0;
constexpr double kResolutionMm = 1e-4;  // lengths have 4 decimals
constexpr double kLabelSizeMm = 3.5;    // the smallest lettering of technical drawings
constexpr double kLabelGapMm = 2.0;
// Marks that are no part of the cut (chord line, label) stand apart in blue,
// the colour cutting programs commonly leave to engraving or ignore.
constexpr std::string_view kMarkColour = "#0000ff";

// Millimetres on the page: x from the left edge, y down from the top.
struct Page {
  double left, top;
  std::string x(const WriterContext& ctx, double mm) const { return number(ctx, mm - left, 14, 4); }
  std::string y(const WriterContext& ctx, double mm) const { return number(ctx, top - mm, 14, 4); }
};

bool writeComments(const WriterContext& ctx) {
  if (ctx.drawing.comments.empty()) return true;
  if (!ctx.line("<!--")) return false;
  for (const std::string& line : ctx.drawing.comments) {
    if (!ctx.line(xmlCommentText(commentText(line)))) return false;
  }
  return ctx.line("-->");
}

}  // namespace

int svgDrawing(const WriterContext& ctx) {
  const DrawingOptions& options = ctx.drawing.options;
  const double scale = ctx.drawing.scaleOr(kDefaultChordMm);
  const std::vector<Vec2> outline = outlinePoints(ctx, scale);
  if (outline.size() < 3) {
    ctx.drawing.refusal = "an outline needs at least 3 points";
    return kWriterRefused;
  }
  const auto [xmin, xmax, ymin, ymax] = boundsOf(outline);
  // The first of the points of smallest x.
  const Vec2 nose = *std::min_element(outline.begin(), outline.end(),
                                      [](const Vec2& a, const Vec2& b) { return a.x < b.x; });
  const std::vector<Vec2> path = ribOrOutline(ctx, outline, kResolutionMm);
  if (path.empty()) return kWriterRefused;

  const double width = xmax - xmin + 2.0 * kMarginMm;
  double height = ymax - ymin + 2.0 * kMarginMm;
  const double labelBaseline = ymin - kLabelGapMm - kLabelSizeMm;
  if (options.label) height += kLabelGapMm + kLabelSizeMm;
  const Page page{xmin - kMarginMm, ymax + kMarginMm};
  const std::string w = number(ctx, width, 14, 4), h = number(ctx, height, 14, 4);
  const std::string stroke = number(ctx, options.strokeMm, 14, 4);

  if (!ctx.line(R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>)") ||
      !writeComments(ctx) ||
      !ctx.line(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width=")" + w +
                R"(mm" height=")" + h + R"(mm" viewBox="0 0 )" + w + " " + h + R"(">)") ||
      !ctx.line("<title>" + xmlText(ctx.name) + "</title>") ||
      !ctx.line(R"(<path fill="none" stroke="#000000" stroke-width=")" + stroke +
                R"(" stroke-linejoin="round" d=")")) {
    return kWriteFailed;
  }
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!ctx.line((i == 0 ? "M " : "L ") + page.x(ctx, path[i].x) + " " + page.y(ctx, path[i].y))) {
      return kWriteFailed;
    }
  }
  if (!ctx.line(R"(Z"/>)")) return kWriteFailed;

  if (options.chordLine) {
    const Vec2 te{0.5 * (scale * ctx.X(1) + scale * ctx.X(ctx.n)),
                  0.5 * (scale * ctx.Y(1) + scale * ctx.Y(ctx.n))};
    const std::string dash = number(ctx, 20.0 * options.strokeMm, 14, 4) + " " +
                             number(ctx, 10.0 * options.strokeMm, 14, 4);
    if (!ctx.line(R"(<line x1=")" + page.x(ctx, nose.x) + R"(" y1=")" + page.y(ctx, nose.y) +
                  R"(" x2=")" + page.x(ctx, te.x) + R"(" y2=")" + page.y(ctx, te.y) +
                  R"(" fill="none" stroke=")" + std::string(kMarkColour) + R"(" stroke-width=")" +
                  stroke + R"(" stroke-dasharray=")" + dash + R"("/>)")) {
      return kWriteFailed;
    }
  }
  if (options.label &&
      !ctx.line(R"(<text x=")" + page.x(ctx, xmin) + R"(" y=")" + page.y(ctx, labelBaseline) +
                R"(" font-family="sans-serif" font-size=")" + number(ctx, kLabelSizeMm, 14, 4) +
                R"(" fill=")" + std::string(kMarkColour) + R"(">)" + xmlText(ctx.name) +
                "</text>")) {
    return kWriteFailed;
  }
  return ctx.line("</svg>") ? kWriteOk : kWriteFailed;
}

}  // namespace tarvex::writers
