// Every sheet of ribs in one DXF R2000 drawing: the cut on the layer CUT
// and the scoring on ENGRAVE, each entity also coloured as its layer (red,
// blue) for the programs that go by colour; the sheets' borders on SHEET,
// which is not plotted. The text is scored strokes: DXF TEXT needs a font
// file on the machine that reads it, and laser programs often skip it.
#include <string>

#include "tarvex_ribs.hpp"
#include "writers/dxf_document.h"
#include "writers/rib_sheet.h"

namespace tarvex {
namespace {

constexpr double kSheetsApart = 20.0;
constexpr int kRed = 1, kBlue = 5, kGrey = 8;
constexpr writers::dxf::Layer kLayers[] = {
    {"CUT", "24", kRed, true}, {"ENGRAVE", "25", kBlue, true}, {"SHEET", "26", kGrey, false}};

class TextSink : public writers::dxf::Sink {
 public:
  bool line(std::string_view text) override {
    text_.append(text).push_back('\n');
    return true;
  }
  std::string number(double value) override { return writers::fixedText(value, 6); }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

}  // namespace

std::string ribSheetsDxf(const RibSet& set) {
  namespace dxf = writers::dxf;
  const SheetLayout& layout = set.layout;
  const double stride = layout.widthMm + kSheetsApart;
  const writers::Bounds box{0.0, set.sheets * stride - kSheetsApart, 0.0, layout.heightMm};

  // The entities first, to know the handle seed.
  TextSink entities;
  dxf::Groups e(entities);
  unsigned next = dxf::handle::firstEntity;
  const auto polyline = [&](std::string_view layer, int colour, const std::vector<PointMm>& points,
                            bool closed, double shift) {
    dxf::entity(e, "LWPOLYLINE", dxf::handleText(next++), layer)(62, colour);
    e(100, "AcDbPolyline")(90, static_cast<int>(points.size()))(70, closed ? 1 : 0)(43, 0.0);
    for (const PointMm& p : points) e.point(10, p.x + shift, p.y);
  };
  for (int sheet = 0; sheet < set.sheets; ++sheet) {
    const double shift = sheet * stride;
    polyline("SHEET", kGrey,
             {{0.0, 0.0},
              {layout.widthMm, 0.0},
              {layout.widthMm, layout.heightMm},
              {0.0, layout.heightMm}},
             true, shift);
    for (const Rib& rib : set.ribs) {
      if (rib.sheet != sheet) continue;
      const auto placed = [&](const std::vector<PointMm>& points) {
        std::vector<PointMm> out;
        for (const PointMm& p : points) out.push_back(writers::onSheet(rib, p));
        return out;
      };
      for (const auto& stroke : rib.part.engraving)
        polyline("ENGRAVE", kBlue, placed(stroke), false, shift);
      for (const CircleMm& hole : rib.part.holes) {
        const PointMm centre = writers::onSheet(rib, hole.centre);
        dxf::entity(e, "CIRCLE", dxf::handleText(next++), "CUT")(62, kRed)(100, "AcDbCircle");
        e.point3(10, centre.x + shift, centre.y, 0.0)(40, hole.radius);
      }
      polyline("CUT", kRed, placed(rib.part.outline), true, shift);
    }
  }

  TextSink document;
  dxf::Groups g(document);
  dxf::header(g, box, dxf::handleText(next));
  dxf::tables(g, box, kLayers);
  dxf::blocks(g);
  g(0, "SECTION")(2, "ENTITIES");
  std::string text = document.take() + entities.take();
  TextSink rest;
  dxf::Groups tail(rest);
  tail(0, "ENDSEC");
  dxf::objects(tail);
  tail(0, "EOF");
  return text + rest.take();
}

}  // namespace tarvex
