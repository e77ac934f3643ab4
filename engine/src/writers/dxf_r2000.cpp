// Format 20: a DXF R2000 (AC1015) drawing in millimetres for current CAD
// programs: the section as one closed LWPOLYLINE, or as a fit-point SPLINE,
// with the header, tables, blocks and objects a strict reader needs, every
// object with its handle and owner.
#include <algorithm>
#include <cmath>
#include <string>

#include "writers/drawing_support.h"
#include "writers/dxf_document.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr double kResolutionMm = 1e-6;  // lengths have 6 decimals

// The entities' handles, and the seed after them.
constexpr std::string_view kOutline = "30", kTrailingEdge = "31", kSeed = "40";

// The writer's lines, its numbers in F20.6 (an overflow noted).
class ContextSink : public dxf::Sink {
 public:
  explicit ContextSink(const WriterContext& ctx) : ctx_(ctx) {}
  bool line(std::string_view text) override { return ctx_.line(text); }
  std::string number(double value) override { return writers::number(ctx_, value, 20, 6); }

 private:
  const WriterContext& ctx_;
};

}  // namespace

int dxfR2000(const WriterContext& ctx) {
  const double scale = ctx.drawing.scaleOr(kDefaultChordMm);
  const std::vector<Vec2> points = outlinePoints(ctx, scale);
  if (points.size() < 3) {
    ctx.drawing.refusal = "an outline needs at least 3 points";
    return kWriterRefused;
  }
  // A sharp trailing edge is the outline's first point, its repetition dropped.
  bool sharp = points.size() < static_cast<std::size_t>(ctx.n);
  std::vector<Vec2> outline = ribOrOutline(ctx, points, kResolutionMm);
  if (outline.empty()) return kWriterRefused;
  if (ctx.drawing.options.skinMm > 0.0f) {
    // The rib ends in a point behind: the corner a spline starts and ends at.
    std::rotate(outline.begin(),
                std::max_element(outline.begin(), outline.end(),
                                 [](const Vec2& a, const Vec2& b) { return a.x < b.x; }),
                outline.end());
    sharp = true;
  }
  const Bounds box = boundsOf(outline);

  for (const std::string& line : ctx.drawing.comments) {
    if (!ctx.line("999") || !ctx.line(commentText(line))) return kWriteFailed;
  }
  ContextSink sink(ctx);
  dxf::Groups g(sink);
  dxf::header(g, box, kSeed);
  dxf::tables(g, box);
  dxf::blocks(g);
  g(0, "SECTION")(2, "ENTITIES");
  const auto count = static_cast<int>(outline.size());
  if (!ctx.drawing.options.spline) {
    dxf::entity(g, "LWPOLYLINE", kOutline)(100, "AcDbPolyline")(90, count)(70, 1)(43, 0.0);
    for (const Vec2& p : outline) g.point(10, p.x, p.y);
  } else {
    // Open, from the trailing edge round to it, with the tangents of its
    // first and last piece: the edge stays a corner, as the points make it.
    const Vec2 last = sharp ? outline.front() : outline.back();
    const Vec2 before = sharp ? outline.back() : outline[std::size_t(count - 2)];
    const auto unit = [](Vec2 from, Vec2 to) {
      const double l = std::hypot(to.x - from.x, to.y - from.y);
      return l > 0.0 ? Vec2{(to.x - from.x) / l, (to.y - from.y) / l} : Vec2{1.0, 0.0};
    };
    const Vec2 start = unit(outline[0], outline[1]), end = unit(before, last);
    dxf::entity(g, "SPLINE", kOutline)(100, "AcDbSpline").point3(210, 0, 0, 1);
    g(70, 8)(71, 3)(72, 0)(73, 0)(74, count + (sharp ? 1 : 0))(44, 1e-10);
    g.point3(12, start.x, start.y, 0).point3(13, end.x, end.y, 0);
    for (const Vec2& p : outline) g.point3(11, p.x, p.y, 0);
    if (sharp) g.point3(11, last.x, last.y, 0);
    if (!sharp) {
      dxf::entity(g, "LINE", kTrailingEdge)(100, "AcDbLine");
      g.point3(10, last.x, last.y, 0).point3(11, outline[0].x, outline[0].y, 0);
    }
  }
  g(0, "ENDSEC");
  dxf::objects(g);
  g(0, "EOF");
  return g.ok() ? kWriteOk : kWriteFailed;
}

}  // namespace tarvex::writers
