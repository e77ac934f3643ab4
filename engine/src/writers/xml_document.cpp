// Format 13: an XML airfoil document with an identity transformation and
// one coordinate block.
#include <string>
#include <string_view>

#include "writers/field_text.h"
#include "writers/writer_lines.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

constexpr std::string_view kAirfoilNamespace = "http://www.tarvex.org/airfoil-schema";

}  // namespace

int xmlDocument(const WriterContext& ctx) {
  const std::string ns(kAirfoilNamespace);
  if (!writeLines(
          ctx, {R"(<?xml version="1.0" encoding="ISO-8859-1"?>)", "<airfoil xmlns=\"" + ns + "\"",
                R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")",
                "xsi:schemaLocation=\"" + ns + " airfoil-schema.xsd\">",
                "<name>" + latin1XmlText(ctx.name) + "</name>", "<elements>", "<element>",
                "<transformation>", "   <scaling>",
                "      <point><x>1.0</x><y>1.0</y><z>1.0</z></point>", "   </scaling>",
                "   <translation>", "      <point><x>0.0</x><y>0.0</y><z>0.0</z></point>",
                "   </translation>", "   <rotation>",
                "      <point><x>0.0</x><y>0.0</y><z>0.0</z></point>", "   </rotation>",
                "</transformation>", compacted("___<coordinates>", true)})) {
    return kWriteFailed;
  }
  std::string scratch;
  for (int i = 1; i <= ctx.n; ++i) {
    FieldLine point(scratch);
    point.put("______<point><x>").decimal(ctx.X(i), 10, 7).put("</x><y>");
    point.decimal(ctx.Y(i), 10, 7).put("</y><z>").decimal(0.0, 10, 7).put("</z></point>");
    if (!ctx.compacted(point, scratch, true)) return kWriteFailed;
  }
  if (!writeLines(ctx, {"   </coordinates>", "</element>", "</elements>", "</airfoil>"})) {
    return kWriteFailed;
  }
  return kWriteOk;
}

}  // namespace tarvex::writers
