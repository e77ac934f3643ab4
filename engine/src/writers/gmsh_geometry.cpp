// Format 19: a Gmsh geometry script. The section is one closed curve loop
// (straight lines through the points, or splines), its trailing edge a
// corner, meshed as a plane surface; or, with a far field, the hole in a
// circular surface around it. Physical groups name what a solver needs:
// the curves "airfoil" and "farfield" and the surface.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "writers/drawing_support.h"
#include "writers/outline_contact.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

// Points nearer than this (in chords) are one point to Gmsh, which merges
// them: a repeated one would leave a line without length.
constexpr double kSamePoint = 1e-7;
// The finest mesh size, in chords: the resolution of the coordinates.
constexpr double kFinestMeshChords = 1e-8;
// Elements on the far-field circle: its size is a fifth of the radius.
constexpr double kFarfieldSizePerRadius = 0.2;

// Decimals of the coordinates: 8 for a chord of 1 or more, more for a
// shorter one, so that they always resolve a hundred-millionth of the chord.
int coordinateDecimals(double chord) {
  return 8 + std::clamp(static_cast<int>(std::ceil(-std::log10(chord))), 0, 12);
}

std::string fixed(const WriterContext& ctx, double value, int decimals) {
  return number(ctx, value, decimals + 12, decimals);
}

// A length with six significant digits at least: a mesh size far below the
// coordinates' resolution is still the size asked for, not 0.
std::string length(const WriterContext& ctx, double value, int decimals) {
  const int significant = 5 - static_cast<int>(std::floor(std::log10(value)));
  return fixed(ctx, value, std::clamp(significant, decimals, 40));
}

std::string contactReason(const OutlineContact& contact, double xmin, double chord, int decimals) {
  // (+ 0.0: no "-0")
  const std::string where = "near x/c = " + shortText((contact.at.x - xmin) / chord + 0.0) +
                            ", y/c = " + shortText(contact.at.y / chord + 0.0);
  switch (contact.kind) {
    case OutlineContact::Kind::crossing:
      return "the outline crosses itself " + where + "; Gmsh cannot mesh a curve loop that does";
    case OutlineContact::Kind::touching:
      return "the outline touches itself " + where + ": two of its sides come within " +
             shortText(std::pow(10.0, -decimals) / chord) +
             " chords of each other, the resolution of the coordinates, which Gmsh cannot mesh";
    default:
      return "the outline has too many sides lying over one another to be checked for crossings";
  }
}

std::string range(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + ":" + std::to_string(last);
}

// The point, not next to the trailing edge, where the outline turns least.
int straightestPoint(const std::vector<Vec2>& points) {
  const int count = static_cast<int>(points.size());
  int best = count / 2;
  double least = 4.0;
  for (int i = 2; i + 2 < count; ++i) {
    const Vec2 a = points[std::size_t(i - 1)], b = points[std::size_t(i)],
               c = points[std::size_t(i + 1)];
    const double turn =
        std::fabs(std::atan2((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x),
                             (b.x - a.x) * (c.x - b.x) + (b.y - a.y) * (c.y - b.y)));
    if (turn < least) {
      least = turn;
      best = i;
    }
  }
  return best;
}

// The shorter of each point's two sides on the closed outline.
std::vector<double> localSpacing(const std::vector<Vec2>& points) {
  const std::size_t count = points.size();
  std::vector<double> sizes(count);
  for (std::size_t i = 0; i < count; ++i) {
    const Vec2& a = points[(i + count - 1) % count];
    const Vec2& b = points[i];
    const Vec2& c = points[(i + 1) % count];
    sizes[i] = std::min(std::hypot(b.x - a.x, b.y - a.y), std::hypot(c.x - b.x, c.y - b.y));
  }
  return sizes;
}

// Quadrangle layers grown from the section's curves into the far field; a
// sharp trailing edge is a fan point, so the layers turn round it.
int boundaryLayer(const WriterContext& ctx, int curves, bool bluntEdge, int decimals,
                  double chord) {
  const DrawingOptions& options = ctx.drawing.options;
  if (options.boundaryLayerFirst <= 0.0f) return kWriteOk;
  const auto size = [&](double chords) { return length(ctx, chords * chord, decimals); };
  const bool written =
      ctx.line("Field[1] = BoundaryLayer;") &&
      ctx.line("Field[1].CurvesList = {" + range(1, curves) + "};") &&
      ctx.line("Field[1].Size = " + size(options.boundaryLayerFirst) + ";") &&
      ctx.line("Field[1].Ratio = " + shortText(options.boundaryLayerRatio) + ";") &&
      ctx.line("Field[1].Thickness = " + size(options.boundaryLayerThickness) + ";") &&
      ctx.line("Field[1].Quads = 1;") && (bluntEdge || ctx.line("Field[1].FanPointsList = {1};")) &&
      ctx.line("BoundaryLayer Field = 1;");
  return written ? kWriteOk : kWriteFailed;
}

}  // namespace

int gmshGeometry(const WriterContext& ctx) {
  const DrawingOptions& options = ctx.drawing.options;
  const double scale = ctx.drawing.scaleOr(1.0);
  std::vector<Vec2> all = outlinePoints(ctx, scale);
  const auto [xmin, xmax, ymin, ymax] = boundsOf(all);
  const double chord = xmax - xmin;
  std::vector<Vec2> points;
  for (const Vec2& p : all) {
    if (points.empty() ||
        std::hypot(p.x - points.back().x, p.y - points.back().y) > kSamePoint * chord) {
      points.push_back(p);
    }
  }
  while (points.size() > 1 &&
         std::hypot(points.front().x - points.back().x, points.front().y - points.back().y) <=
             kSamePoint * chord) {
    points.pop_back();
  }
  if (points.size() < 3 || !(chord > 0.0)) {
    ctx.drawing.refusal = "a curve loop needs at least 3 distinct points";
    return kWriterRefused;
  }
  // Elements smaller than the coordinates resolve cannot be made; long
  // before that the mesh would hold more elements than any computer.
  if (options.meshSizeChords < kFinestMeshChords) {
    ctx.drawing.refusal = "a mesh size of " + shortText(options.meshSizeChords) +
                          " chords is finer than the coordinates resolve; make it " +
                          shortText(kFinestMeshChords) + " chords or more";
    return kWriterRefused;
  }
  // The points as Gmsh reads them, rounded to the written decimals, make one
  // simple outline or the section is refused with the place where they do not.
  const int decimals = coordinateDecimals(chord);
  const double step = std::pow(10.0, decimals);
  std::vector<Vec2> rounded;
  rounded.reserve(points.size());
  for (const Vec2& p : points)
    rounded.push_back({std::nearbyint(p.x * step) / step, std::nearbyint(p.y * step) / step});
  if (const OutlineContact contact = findContact(rounded, 1.0 / step);
      contact.kind != OutlineContact::Kind::none) {
    ctx.drawing.refusal = contactReason(contact, xmin, chord, decimals);
    return kWriterRefused;
  }
  const auto coordinate = [&](double value) { return fixed(ctx, value, decimals); };

  const double radius = options.farfieldChords * chord;
  const Vec2 centre{0.5 * (xmin + xmax), 0.5 * (ymin + ymax)};
  if (options.farfieldChords > 0.0f) {
    for (const Vec2& p : points) {
      if (std::hypot(p.x - centre.x, p.y - centre.y) > 0.9 * radius) {
        ctx.drawing.refusal = "the far field of " + shortText(options.farfieldChords) +
                              " chords does not clear the section; make it larger";
        return kWriterRefused;
      }
    }
  }

  if (!ctx.line("// " + std::string(ctx.name))) return kWriteFailed;
  for (const std::string& line : ctx.drawing.comments) {
    if (!ctx.line("//" + std::string(commentText(line)))) return kWriteFailed;
  }
  const int count = static_cast<int>(points.size());
  const std::vector<double> sizes =
      options.meshSizeFromSpacing ? localSpacing(points) : std::vector<double>();
  const double largest = sizes.empty() ? options.meshSizeChords * chord
                                       : *std::max_element(sizes.begin(), sizes.end());
  if (sizes.empty() && !ctx.line("h = " + length(ctx, options.meshSizeChords * chord, decimals) +
                                 ";  // element size at the section")) {
    return kWriteFailed;
  }
  // MeshAdapt follows sizes that change fast along the outline; the
  // default algorithm leaves slivers where the spacing is finest.
  if (!sizes.empty() && (!ctx.line("// element sizes at the section: the points' own spacing") ||
                         !ctx.line("Mesh.Algorithm = 1;  // MeshAdapt"))) {
    return kWriteFailed;
  }
  const bool bluntEdge =
      std::hypot(ctx.X(1) - ctx.X(ctx.n), ctx.Y(1) - ctx.Y(ctx.n)) * scale > kSamePoint * chord;
  for (int i = 0; i < count; ++i) {
    const Vec2& p = points[static_cast<std::size_t>(i)];
    const std::string size =
        sizes.empty()
            ? std::string("h")
            : length(ctx, std::max(sizes[static_cast<std::size_t>(i)], kFinestMeshChords * chord),
                     decimals);
    if (!ctx.line("Point(" + std::to_string(i + 1) + ") = {" + coordinate(p.x) + ", " +
                  coordinate(p.y) + ", 0, " + size + "};")) {
      return kWriteFailed;
    }
  }

  int curves = 0;
  if (options.spline) {
    // A spline that starts and ends at one point is periodic in Gmsh, which
    // would round a sharp trailing edge. A blunt edge is a line of its own;
    // a sharp one takes a second spline, split where the outline turns
    // least: the splines' ends meet at the angle the points make there, a
    // fraction of a degree, where at the nose it would be many degrees.
    if (bluntEdge) {
      if (!ctx.line("Spline(1) = {" + range(1, count) + "};") ||
          !ctx.line("Line(2) = {" + std::to_string(count) + ", 1};")) {
        return kWriteFailed;
      }
    } else {
      const int split = straightestPoint(points);
      if (!ctx.line("Spline(1) = {" + range(1, split + 1) + "};") ||
          !ctx.line("Spline(2) = {" + range(split + 1, count) + ", 1};")) {
        return kWriteFailed;
      }
    }
    curves = 2;
  } else {
    for (int i = 1; i <= count; ++i) {
      if (!ctx.line("Line(" + std::to_string(i) + ") = {" + std::to_string(i) + ", " +
                    std::to_string(i % count + 1) + "};")) {
        return kWriteFailed;
      }
    }
    curves = count;
  }
  if (!ctx.line("Curve Loop(1) = {" + range(1, curves) + "};")) return kWriteFailed;

  if (options.farfieldChords > 0.0f) {
    const int c = count + 1;  // the circle's centre, then its four quarter points
    const auto point = [&](int tag, double x, double y) {
      return ctx.line("Point(" + std::to_string(tag) + ") = {" + coordinate(x) + ", " +
                      coordinate(y) + ", 0, H};");
    };
    if (!ctx.line(
            "H = " + length(ctx, std::max(largest, kFarfieldSizePerRadius * radius), decimals) +
            ";  // element size at the far field") ||
        !point(c, centre.x, centre.y) || !point(c + 1, centre.x + radius, centre.y) ||
        !point(c + 2, centre.x, centre.y + radius) || !point(c + 3, centre.x - radius, centre.y) ||
        !point(c + 4, centre.x, centre.y - radius)) {
      return kWriteFailed;
    }
    for (int k = 0; k < 4; ++k) {
      if (!ctx.line("Circle(" + std::to_string(curves + 1 + k) + ") = {" +
                    std::to_string(c + 1 + k) + ", " + std::to_string(c) + ", " +
                    std::to_string(c + 1 + (k + 1) % 4) + "};")) {
        return kWriteFailed;
      }
    }
    const std::string circle = range(curves + 1, curves + 4);
    if (!ctx.line("Curve Loop(2) = {" + circle + "};") || !ctx.line("Plane Surface(1) = {2, 1};") ||
        !ctx.line("Physical Curve(\"airfoil\") = {" + range(1, curves) + "};") ||
        !ctx.line("Physical Curve(\"farfield\") = {" + circle + "};") ||
        !ctx.line("Physical Surface(\"fluid\") = {1};")) {
      return kWriteFailed;
    }
    return boundaryLayer(ctx, curves, bluntEdge, decimals, chord);
  }
  if (!ctx.line("Plane Surface(1) = {1};") ||
      !ctx.line("Physical Curve(\"airfoil\") = {" + range(1, curves) + "};") ||
      !ctx.line("Physical Surface(\"section\") = {1};")) {
    return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
