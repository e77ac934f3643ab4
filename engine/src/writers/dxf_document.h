// The parts of a DXF R2000 (AC1015) drawing in millimetres that a strict
// reader needs around the entities: header, tables, blocks and objects,
// every object with its handle and owner. Format 20 and the rib sheets
// write their entities between them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "writers/drawing_support.h"

namespace tarvex::writers::dxf {

// The fixed objects' handles; entities come after them, from firstEntity,
// and $HANDSEED after those.
namespace handle {
inline constexpr std::string_view blockRecords = "1", layers = "2", styles = "3", lineTypes = "5",
                                  views = "6", ucs = "7", viewports = "8", applications = "9",
                                  dimensionStyles = "A", rootDictionary = "C", groups = "D",
                                  layouts = "E", layer0 = "10", byBlock = "11", byLayer = "12",
                                  continuous = "13", standardStyle = "14", acad = "15",
                                  standardDimension = "16", activeViewport = "17",
                                  modelRecord = "18", modelBlock = "19", modelEnd = "1A",
                                  paperRecord = "1B", paperBlock = "1C", paperEnd = "1D",
                                  modelLayout = "1E", paperLayout = "1F", multilineStyles = "20",
                                  standardMultiline = "21", plotStyles = "22",
                                  normalPlotStyle = "23";
inline constexpr unsigned firstEntity = 0x30;
}  // namespace handle

// Where the lines go and how numbers are written.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual bool line(std::string_view text) = 0;
  virtual std::string number(double value) = 0;
};

// Group codes and values, one per line, the codes right-justified in three
// columns as AutoCAD writes them.
class Groups {
 public:
  explicit Groups(Sink& sink) : sink_(sink) {}

  Groups& operator()(int code, std::string_view value);
  Groups& operator()(int code, double value) { return (*this)(code, sink_.number(value)); }
  Groups& operator()(int code, int value) { return (*this)(code, std::to_string(value)); }
  Groups& point(int code, double x, double y) { return (*this)(code, x)(code + 10, y); }
  Groups& point3(int code, double x, double y, double z) {
    return (*this)(code, x)(code + 10, y)(code + 20, z);
  }
  Groups& variable(std::string_view name) { return (*this)(9, name); }
  // A table with its records, which follow; end with endTable().
  Groups& table(std::string_view name, std::string_view own, int records);
  Groups& endTable() { return (*this)(0, "ENDTAB"); }
  Groups& record(std::string_view type, std::string_view own, std::string_view owner,
                 std::string_view subclass);
  bool ok() const { return ok_; }

 private:
  Sink& sink_;
  bool ok_ = true;
};

// A layer beside layer 0 (colour 7): its handle (below firstEntity, not one
// of the fixed ones), its AutoCAD colour number, and whether it is plotted.
struct Layer {
  std::string_view name, own;
  int colour = 7;
  bool plotted = true;
};

void header(Groups& g, const Bounds& box, std::string_view seed);
void tables(Groups& g, const Bounds& box, std::span<const Layer> layers = {});
void blocks(Groups& g);
void objects(Groups& g);
// An entity's common groups, in model space on the layer.
Groups& entity(Groups& g, std::string_view type, std::string_view own,
               std::string_view layer = "0");

// A handle as DXF writes it: hexadecimal, upper case.
std::string handleText(unsigned value);

}  // namespace tarvex::writers::dxf
