// A sheet of ribs as an SVG document at its true size in millimetres, for
// laser-cutter programs: they map the stroke colours to operations, red to
// cutting and blue to scoring. The text is scored strokes, not SVG text,
// which each program would set in a font of its own choosing, or drop.
#include <string>

#include "tarvex_ribs.hpp"
#include "writers/field_text.h"
#include "writers/rib_sheet.h"

namespace tarvex {
namespace {

constexpr int kDecimals = 4;
constexpr std::string_view kCut = "#ff0000", kScore = "#0000ff";

// SVG's y runs down from the top edge.
std::string at(PointMm p, double sheetHeight) {
  return writers::fixedText(p.x, kDecimals) + " " +
         writers::fixedText(sheetHeight - p.y, kDecimals);
}

}  // namespace

std::string ribSheetSvg(const RibSet& set, int sheet) {
  using writers::fixedText;
  const SheetLayout& layout = set.layout;
  const std::string w = fixedText(layout.widthMm, kDecimals),
                    h = fixedText(layout.heightMm, kDecimals);
  std::string title = set.name.empty() ? "Ribs" : set.name + ": ribs";
  title += ", sheet " + std::to_string(sheet + 1) + " of " + std::to_string(set.sheets);
  std::string svg = R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>)"
                    "\n"
                    R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width=")" +
                    w + R"(mm" height=")" + h + R"(mm" viewBox="0 0 )" + w + " " + h + "\">\n";
  svg += "<title>" + writers::xmlText(title) + "</title>\n";
  svg += "<desc>Cut the red lines, score the blue ones; one unit is one millimetre.</desc>\n";
  for (const Rib& rib : set.ribs) {
    if (rib.sheet != sheet) continue;
    const std::string name =
        rib.part.text.empty() ? "rib " + std::to_string(rib.number) : rib.part.text;
    svg += R"(<g id="rib-)" + std::to_string(rib.number) + R"(" fill="none" stroke-width=")" +
           fixedText(layout.strokeMm, kDecimals) +
           R"(" stroke-linecap="round" stroke-linejoin="round">)" + "\n";
    svg += "<title>" + writers::xmlText(name) + "</title>\n";
    if (!rib.part.engraving.empty()) {
      svg += R"(<path stroke=")" + std::string(kScore) + R"(" d=")";
      for (const auto& stroke : rib.part.engraving) {
        for (std::size_t i = 0; i < stroke.size(); ++i) {
          svg += (i == 0 ? "M " : " L ") + at(writers::onSheet(rib, stroke[i]), layout.heightMm);
        }
        svg += " ";
      }
      svg.back() = '"';
      svg += "/>\n";
    }
    for (const CircleMm& hole : rib.part.holes) {
      const PointMm centre = writers::onSheet(rib, hole.centre);
      svg += R"(<circle stroke=")" + std::string(kCut) + R"(" cx=")" +
             fixedText(centre.x, kDecimals) + R"(" cy=")" +
             fixedText(layout.heightMm - centre.y, kDecimals) + R"(" r=")" +
             fixedText(hole.radius, kDecimals) + "\"/>\n";
    }
    svg += R"(<path stroke=")" + std::string(kCut) + R"(" d=")";
    for (std::size_t i = 0; i < rib.part.outline.size(); ++i) {
      svg +=
          (i == 0 ? "M " : " L ") + at(writers::onSheet(rib, rib.part.outline[i]), layout.heightMm);
    }
    svg += " Z\"/>\n</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace tarvex
