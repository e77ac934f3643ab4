#include "writers/dxf_document.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <tuple>

namespace tarvex::writers::dxf {

Groups& Groups::operator()(int code, std::string_view value) {
  if (ok_) {
    // Right-justified in three columns: as many of the blanks before the
    // digits as that takes.
    char text[16] = {' ', ' '};
    char* const digits = text + 2;
    const char* const end = std::to_chars(digits, std::end(text), code).ptr;
    const auto length = end - digits;
    const char* const first = length < 3 ? digits - (3 - length) : digits;
    ok_ = sink_.line(std::string_view(first, static_cast<std::size_t>(end - first))) &&
          sink_.line(value);
  }
  return *this;
}

Groups& Groups::table(std::string_view name, std::string_view own, int records) {
  (*this)(0, "TABLE")(2, name)(5, own)(330, "0")(100, "AcDbSymbolTable")(70, records);
  return *this;
}

Groups& Groups::record(std::string_view type, std::string_view own, std::string_view owner,
                       std::string_view subclass) {
  return (*this)(0, type)(type == "DIMSTYLE" ? 105 : 5, own)(330, owner)(
      100, "AcDbSymbolTableRecord")(100, subclass);
}

std::string handleText(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

void header(Groups& g, const Bounds& box, std::string_view seed) {
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
  g.variable("$HANDSEED")(5, seed);
  g.variable("$CMLSTYLE")(2, "Standard");
  g.variable("$MEASUREMENT")(70, 1);
  g.variable("$INSUNITS")(70, 4);  // millimetres
  g.variable("$PSTYLEMODE")(290, 1);
  g(0, "ENDSEC");
  g(0, "SECTION")(2, "CLASSES")(0, "ENDSEC");
}

void tables(Groups& g, const Bounds& box, std::span<const Layer> layers) {
  g(0, "SECTION")(2, "TABLES");
  // The view opens on the drawing with a little room around it.
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

  g.table("LAYER", handle::layers, 1 + static_cast<int>(layers.size()));
  g.record("LAYER", handle::layer0, handle::layers, "AcDbLayerTableRecord")(2, "0")(70, 0);
  g(62, 7)(6, "Continuous")(370, -3)(390, handle::normalPlotStyle);
  for (const Layer& layer : layers) {
    g.record("LAYER", layer.own, handle::layers, "AcDbLayerTableRecord")(2, layer.name)(70, 0);
    g(62, layer.colour)(6, "Continuous");
    if (!layer.plotted) g(290, 0);
    g(370, -3)(390, handle::normalPlotStyle);
  }
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

namespace {

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

}  // namespace

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

Groups& entity(Groups& g, std::string_view type, std::string_view own, std::string_view layer) {
  return g(0, type)(5, own)(330, handle::modelRecord)(100, "AcDbEntity")(8, layer);
}

}  // namespace tarvex::writers::dxf
