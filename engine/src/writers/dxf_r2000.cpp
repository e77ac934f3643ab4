// Format 20: a DXF R2000 (AC1015) drawing in millimetres for current CAD
// programs: the section as one closed LWPOLYLINE, or as a fit-point SPLINE,
// with the header, tables, blocks and objects a strict reader needs, every
// object with its handle and owner.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "writers/drawing_support.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr double kResolutionMm = 1e-6;  // lengths have 6 decimals

// The fixed objects' handles; entities come after them, and $HANDSEED
// after those.
namespace handle {
constexpr std::string_view blockRecords = "1", layers = "2", styles = "3", lineTypes = "5",
                           views = "6", ucs = "7", viewports = "8", applications = "9",
                           dimensionStyles = "A", rootDictionary = "C", groups = "D", layouts = "E",
                           layer0 = "10", byBlock = "11", byLayer = "12", continuous = "13",
                           standardStyle = "14", acad = "15", standardDimension = "16",
                           activeViewport = "17", modelRecord = "18", modelBlock = "19",
                           modelEnd = "1A", paperRecord = "1B", paperBlock = "1C", paperEnd = "1D",
                           modelLayout = "1E", paperLayout = "1F", multilineStyles = "20",
                           standardMultiline = "21", plotStyles = "22", normalPlotStyle = "23",
                           outline = "30", trailingEdge = "31", seed = "40";
}

// Group codes and values, one per line, the codes right-justified in three
// columns as AutoCAD writes them.
class Groups {
 public:
  explicit Groups(const WriterContext& ctx) : ctx_(ctx) {}

  Groups& operator()(int code, std::string_view value) {
    if (ok_) {
      std::string text = std::to_string(code);
      if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
      ok_ = ctx_.line(text) && ctx_.line(value);
    }
    return *this;
  }
  Groups& operator()(int code, double value) { return (*this)(code, number(ctx_, value, 20, 6)); }
  Groups& operator()(int code, int value) { return (*this)(code, std::to_string(value)); }
  Groups& point(int code, double x, double y) { return (*this)(code, x)(code + 10, y); }
  Groups& point3(int code, double x, double y, double z) {
    return (*this)(code, x)(code + 10, y)(code + 20, z);
  }
  Groups& variable(std::string_view name) { return (*this)(9, name); }
  // A table with its records, which follow; end with endTable().
  Groups& table(std::string_view name, std::string_view own, int records) {
    (*this)(0, "TABLE")(2, name)(5, own)(330, "0")(100, "AcDbSymbolTable")(70, records);
    return *this;
  }
  Groups& endTable() { return (*this)(0, "ENDTAB"); }
  Groups& record(std::string_view type, std::string_view own, std::string_view owner,
                 std::string_view subclass) {
    return (*this)(0, type)(type == "DIMSTYLE" ? 105 : 5, own)(330, owner)(
        100, "AcDbSymbolTableRecord")(100, subclass);
  }
  bool ok() const { return ok_; }

 private:
  const WriterContext& ctx_;
  bool ok_ = true;
};

void header(Groups& g, const Bounds& box) {
  g(0, "SECTION")(2, "HEADER");
  g.variable("$ACADVER")(1, "AC1015");
  g.variable("$DWGCODEPAGE")(3, "ANSI_1252");
  g.variable("$INSBASE").point3(10, 0, 0, 0);
  g.variable("$EXTMIN").point3(10, box.xmin, box.ymin, 0);
  g.variable("$EXTMAX").point3(10, box.xmax, box.ymax, 0);
  g.variable("$LIMMIN").point(10, 0, 0);
  g.variable("$LIMMAX").point(10, 420, 297);
  g.variable("$TEXTSTYLE")(7, "Standard");
  g.variable("$CLAYER")(8, "0");
  g.variable("$CELTYPE")(6, "ByLayer");
  g.variable("$DIMSTYLE")(2, "Standard");
  g.variable("$LUNITS")(70, 2);
  g.variable("$LUPREC")(70, 4);
  g.variable("$HANDSEED")(5, handle::seed);
  g.variable("$CMLSTYLE")(2, "Standard");
  g.variable("$MEASUREMENT")(70, 1);
  g.variable("$INSUNITS")(70, 4);  // millimetres
  g.variable("$PSTYLEMODE")(290, 1);
  g(0, "ENDSEC");
  g(0, "SECTION")(2, "CLASSES")(0, "ENDSEC");
}

void tables(Groups& g, const Bounds& box) {
  g(0, "SECTION")(2, "TABLES");
  // The view opens on the section with a little room around it.
  const double width = std::max(box.xmax - box.xmin, 1e-3);
  const double height = std::max(box.ymax - box.ymin, 1e-3);
  g.table("VPORT", handle::viewports, 1);
  g.record("VPORT", handle::activeViewport, handle::viewports, "AcDbViewportTableRecord")(
      2, "*Active")(70, 0);
  g.point(10, 0, 0).point(11, 1, 1).point(12, 0.5 * (box.xmin + box.xmax),
                                          0.5 * (box.ymin + box.ymax));
  g.point(13, 0, 0).point(14, 10, 10).point(15, 10, 10).point3(16, 0, 0, 1).point3(17, 0, 0, 0);
  g(40, 1.5 * std::max(height, width / 1.5))(41, 1.5)(42, 50.0)(43, 0.0)(44, 0.0)(50, 0.0)(51, 0.0);
  g(71, 0)(72, 1000)(73, 1)(74, 3)(75, 0)(76, 0)(77, 0)(78, 0);
  g.endTable();

  g.table("LTYPE", handle::lineTypes, 3);
  for (const auto& [own, name] :
       {std::pair{handle::byBlock, "ByBlock"}, std::pair{handle::byLayer, "ByLayer"},
        std::pair{handle::continuous, "Continuous"}}) {
    g.record("LTYPE", own, handle::lineTypes, "AcDbLinetypeTableRecord")(2, name)(70, 0);
    g(3, std::string_view(name) == "Continuous" ? "Solid line" : "")(72, 65)(73, 0)(40, 0.0);
  }
  g.endTable();

  g.table("LAYER", handle::layers, 1);
  g.record("LAYER", handle::layer0, handle::layers, "AcDbLayerTableRecord")(2, "0")(70, 0);
  g(62, 7)(6, "Continuous")(370, -3)(390, handle::normalPlotStyle);
  g.endTable();

  g.table("STYLE", handle::styles, 1);
  g.record("STYLE", handle::standardStyle, handle::styles, "AcDbTextStyleTableRecord");
  g(2, "Standard")(70, 0)(40, 0.0)(41, 1.0)(50, 0.0)(71, 0)(42, 2.5)(3, "txt")(4, "");
  g.endTable();

  g.table("VIEW", handle::views, 0).endTable();
  g.table("UCS", handle::ucs, 0).endTable();

  g.table("APPID", handle::applications, 1);
  g.record("APPID", handle::acad, handle::applications, "AcDbRegAppTableRecord")(2, "ACAD")(70, 0);
  g.endTable();

  g(0, "TABLE")(2, "DIMSTYLE")(5, handle::dimensionStyles)(330, "0")(100, "AcDbSymbolTable");
  g(70, 1)(100, "AcDbDimStyleTable");
  g.record("DIMSTYLE", handle::standardDimension, handle::dimensionStyles,
           "AcDbDimStyleTableRecord")(2, "Standard")(70, 0);
  g.endTable();

  g.table("BLOCK_RECORD", handle::blockRecords, 2);
  g.record("BLOCK_RECORD", handle::modelRecord, handle::blockRecords, "AcDbBlockTableRecord");
  g(2, "*Model_Space")(340, handle::modelLayout);
  g.record("BLOCK_RECORD", handle::paperRecord, handle::blockRecords, "AcDbBlockTableRecord");
  g(2, "*Paper_Space")(340, handle::paperLayout);
  g.endTable();
  g(0, "ENDSEC");
}

void blocks(Groups& g) {
  g(0, "SECTION")(2, "BLOCKS");
  for (const auto& [record, begin, end, name] :
       {std::tuple{handle::modelRecord, handle::modelBlock, handle::modelEnd, "*Model_Space"},
        std::tuple{handle::paperRecord, handle::paperBlock, handle::paperEnd, "*Paper_Space"}}) {
    g(0, "BLOCK")(5, begin)(330, record)(100, "AcDbEntity")(8, "0")(100, "AcDbBlockBegin");
    g(2, name)(70, 0).point3(10, 0, 0, 0)(3, name)(1, "");
    g(0, "ENDBLK")(5, end)(330, record)(100, "AcDbEntity")(8, "0")(100, "AcDbBlockEnd");
  }
  g(0, "ENDSEC");
}

void layout(Groups& g, std::string_view own, std::string_view name, int flags, int order,
            std::string_view record) {
  g(0, "LAYOUT")(5, own)(330, handle::layouts)(100, "AcDbPlotSettings")(1, "")(2, "none_device");
  g(4, "ISO_A3_(420.00_x_297.00_MM)")(6, "")(40, 7.5)(41, 20.0)(42, 7.5)(43, 20.0)(44, 420.0);
  g(45, 297.0)(46, 0.0)(47, 0.0)(48, 0.0)(49, 0.0)(140, 0.0)(141, 0.0)(142, 1.0)(143, 1.0);
  g(70, flags)(72, 1)(73, 1)(74, 5)(7, "")(75, 16)(147, 1.0)(148, 0.0)(149, 0.0);
  g(100, "AcDbLayout")(1, name)(70, 1)(71, order).point(10, 0, 0).point(11, 420, 297);
  g.point3(12, 0, 0, 0).point3(14, 0, 0, 0).point3(15, 0, 0, 0)(146, 0.0).point3(13, 0, 0, 0);
  g.point3(16, 1, 0, 0).point3(17, 0, 1, 0)(76, 0)(330, record);
}

void objects(Groups& g) {
  g(0, "SECTION")(2, "OBJECTS");
  g(0, "DICTIONARY")(5, handle::rootDictionary)(330, "0")(100, "AcDbDictionary")(281, 1);
  g(3, "ACAD_GROUP")(350, handle::groups)(3, "ACAD_LAYOUT")(350, handle::layouts);
  g(3, "ACAD_MLINESTYLE")(350, handle::multilineStyles);
  g(3, "ACAD_PLOTSTYLENAME")(350, handle::plotStyles);
  g(0, "DICTIONARY")(5, handle::groups)(330, handle::rootDictionary)(100, "AcDbDictionary")(281, 1);
  g(0, "DICTIONARY")(5, handle::layouts)(330, handle::rootDictionary)(100, "AcDbDictionary")(281,
                                                                                             1);
  g(3, "Model")(350, handle::modelLayout)(3, "Layout1")(350, handle::paperLayout);
  g(0, "DICTIONARY")(5, handle::multilineStyles)(330, handle::rootDictionary);
  g(100, "AcDbDictionary")(281, 1)(3, "Standard")(350, handle::standardMultiline);
  g(0, "ACDBDICTIONARYWDFLT")(5, handle::plotStyles)(330, handle::rootDictionary);
  g(100, "AcDbDictionary")(281, 1)(3, "Normal")(350, handle::normalPlotStyle);
  g(100, "AcDbDictionaryWithDefault")(340, handle::normalPlotStyle);
  g(0, "ACDBPLACEHOLDER")(5, handle::normalPlotStyle)(330, handle::plotStyles);
  layout(g, handle::modelLayout, "Model", 1024, 0, handle::modelRecord);
  layout(g, handle::paperLayout, "Layout1", 0, 1, handle::paperRecord);
  g(0, "MLINESTYLE")(5, handle::standardMultiline)(330, handle::multilineStyles);
  g(100, "AcDbMlineStyle")(2, "Standard")(70, 0)(3, "")(62, 256)(51, 90.0)(52, 90.0)(71, 2);
  g(49, 0.5)(62, 256)(6, "BYLAYER")(49, -0.5)(62, 256)(6, "BYLAYER");
  g(0, "ENDSEC");
}

Groups& entity(Groups& g, std::string_view type, std::string_view own) {
  return g(0, type)(5, own)(330, handle::modelRecord)(100, "AcDbEntity")(8, "0");
}

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
  Groups g(ctx);
  header(g, box);
  tables(g, box);
  blocks(g);
  g(0, "SECTION")(2, "ENTITIES");
  const auto count = static_cast<int>(outline.size());
  if (!ctx.drawing.options.spline) {
    entity(g, "LWPOLYLINE", handle::outline)(100, "AcDbPolyline")(90, count)(70, 1)(43, 0.0);
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
    entity(g, "SPLINE", handle::outline)(100, "AcDbSpline").point3(210, 0, 0, 1);
    g(70, 8)(71, 3)(72, 0)(73, 0)(74, count + (sharp ? 1 : 0))(44, 1e-10);
    g.point3(12, start.x, start.y, 0).point3(13, end.x, end.y, 0);
    for (const Vec2& p : outline) g.point3(11, p.x, p.y, 0);
    if (sharp) g.point3(11, last.x, last.y, 0);
    if (!sharp) {
      entity(g, "LINE", handle::trailingEdge)(100, "AcDbLine");
      g.point3(10, last.x, last.y, 0).point3(11, outline[0].x, outline[0].y, 0);
    }
  }
  g(0, "ENDSEC");
  objects(g);
  g(0, "EOF");
  return g.ok() ? kWriteOk : kWriteFailed;
}

}  // namespace tarvex::writers
