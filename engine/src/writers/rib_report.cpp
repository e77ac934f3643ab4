// The report of a rib set: each rib's station, chord, twist, leading edge,
// sheet and notch depths, as a table for people and as JSON for programs.
#include <cstdio>
#include <string>

#include "tarvex_ribs.hpp"
#include "writers/field_text.h"
#include "writers/rib_sheet.h"

namespace tarvex {
namespace {

std::string formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A JSON string of text taken as UTF-8 (or ISO 8859-1 where it is not).
std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : writers::utf8Text(text)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\t') {
      out += "\\t";
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string sheetFile(std::span<const std::string> files, int sheet) {
  return static_cast<std::size_t>(sheet) < files.size() ? files[static_cast<std::size_t>(sheet)]
                                                        : std::string();
}

}  // namespace

std::string ribReport(const RibSet& set, std::span<const std::string> files) {
  using writers::fixedText;
  const SheetLayout& layout = set.layout;
  std::string out =
      (set.name.empty() ? std::string("Ribs") : writers::lineText(set.name) + ": ribs") + ", " +
      std::to_string(set.ribs.size()) + " on " + std::to_string(set.sheets) +
      (set.sheets == 1 ? " sheet" : " sheets") + " of " + fixedText(layout.widthMm, 1) + " x " +
      fixedText(layout.heightMm, 1) + " mm (gap " + fixedText(layout.gapMm, 2) + " mm, kerf " +
      fixedText(layout.kerfMm, 3) + " mm)\n";
  out += "  rib  station mm  chord mm  twist deg  LE x mm  sheet  notch depths mm\n";
  for (const Rib& rib : set.ribs) {
    char line[128];
    std::snprintf(line, sizeof line, "%5d  %10.1f  %8.1f  %9.2f  %7.1f  %5d ", rib.number,
                  rib.stationMm, rib.chordMm, rib.twistDegrees, rib.leadingEdgeMm, rib.sheet + 1);
    out += line;
    for (const double depth : rib.notchDepthsMm) out += " " + formatted("%.2f", depth);
    out += "\n";
  }
  for (int sheet = 0; sheet < set.sheets; ++sheet) {
    int count = 0;
    for (const Rib& rib : set.ribs) count += rib.sheet == sheet ? 1 : 0;
    const std::string file = sheetFile(files, sheet);
    out += "sheet " + std::to_string(sheet + 1) +
           (file.empty() ? "" : " (" + writers::lineText(file) + ")") + ": " +
           std::to_string(count) + (count == 1 ? " rib, " : " ribs, ") +
           formatted("%.0f", 100.0 * set.sheetUse[static_cast<std::size_t>(sheet)]) +
           " % of it covered\n";
  }
  return out;
}

std::string ribReportJson(const RibSet& set, std::span<const std::string> files) {
  using writers::shortestText;
  const SheetLayout& layout = set.layout;
  std::string out = "{\n  \"name\": " + jsonString(set.name) +
                    ",\n  \"sheet\": {\"width\": " + shortestText(layout.widthMm) +
                    ", \"height\": " + shortestText(layout.heightMm) +
                    ", \"gap\": " + shortestText(layout.gapMm) +
                    ", \"margin\": " + shortestText(layout.marginMm) +
                    ", \"kerf\": " + shortestText(layout.kerfMm) + "},\n  \"sheets\": [";
  for (int sheet = 0; sheet < set.sheets; ++sheet) {
    const std::string file = sheetFile(files, sheet);
    out += std::string(sheet == 0 ? "\n" : ",\n") +
           "    {\"number\": " + std::to_string(sheet + 1) +
           ", \"file\": " + (file.empty() ? "null" : jsonString(file)) + ", \"ribs\": [";
    bool first = true;
    for (const Rib& rib : set.ribs) {
      if (rib.sheet != sheet) continue;
      out += (first ? "" : ", ") + std::to_string(rib.number);
      first = false;
    }
    out += "], \"covered\": " + shortestText(set.sheetUse[static_cast<std::size_t>(sheet)]) + "}";
  }
  out += "\n  ],\n  \"ribs\": [";
  for (std::size_t i = 0; i < set.ribs.size(); ++i) {
    const Rib& rib = set.ribs[i];
    out += std::string(i == 0 ? "\n" : ",\n") + "    {\"number\": " + std::to_string(rib.number) +
           ", \"text\": " + jsonString(rib.part.text) +
           ", \"station\": " + shortestText(rib.stationMm) +
           ", \"chord\": " + shortestText(rib.chordMm) +
           ", \"twist\": " + shortestText(rib.twistDegrees) +
           ", \"leadingEdge\": " + shortestText(rib.leadingEdgeMm) + ", \"notchDepths\": [";
    for (std::size_t k = 0; k < rib.notchDepthsMm.size(); ++k) {
      out += (k == 0 ? "" : ", ") + shortestText(rib.notchDepthsMm[k]);
    }
    out += "], \"sheet\": " + std::to_string(rib.sheet + 1) + ", \"x\": " + shortestText(rib.x) +
           ", \"y\": " + shortestText(rib.y) +
           ", \"rotation\": " + shortestText(rib.rotationDegrees) + "}";
  }
  out += "\n  ]\n}\n";
  return out;
}

}  // namespace tarvex
