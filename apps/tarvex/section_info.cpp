#include "section_info.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "batch_convert.h"
#include "io/file_names.h"
#include "json_text.h"
#include "standard_streams.h"
#include "tarvex.hpp"

namespace tarvex::console {
namespace {

struct PropertyField {
  std::string_view key;    // JSON member
  std::string_view label;  // as in the comment header
  std::string_view unit;
  float Properties::*value;
};

constexpr std::array<PropertyField, 10> kPropertyFields = {{
    {"area", "Area", "c^2", &Properties::area},
    {"xs", "Xs", "c", &Properties::xs},
    {"ys", "Ys", "c", &Properties::ys},
    {"ixs", "IXs", "c^4", &Properties::ixs},
    {"iys", "IYs", "c^4", &Properties::iys},
    {"circumference", "Circumference", "c", &Properties::circumference},
    {"x0", "X0", "c", &Properties::x0},
    {"y0", "Y0", "c", &Properties::y0},
    {"ix0", "IX0", "c^4", &Properties::ix0},
    {"iy0", "IY0", "c^4", &Properties::iy0},
}};

std::string valueText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
  return text;
}

struct FigureField {
  std::string_view key;  // JSON member
  float Figures::*value;
};

constexpr std::array<FigureField, 6> kFigureFields = {{
    {"maxThickness", &Figures::maxThickness},
    {"maxThicknessX", &Figures::maxThicknessX},
    {"maxCamber", &Figures::maxCamber},
    {"maxCamberX", &Figures::maxCamberX},
    {"trailingEdgeThickness", &Figures::trailingEdgeThickness},
    {"leadingEdgeRadius", &Figures::leadingEdgeRadius},
}};

std::string block(const std::string& file, const Result<Section>& read) {
  std::string out = nameForMessage(file) + '\n';
  const auto line = [&out](std::string_view label, const std::string& value) {
    out.append("  ").append(label).append(14 - label.size(), ' ').append(value).append("\n");
  };
  if (!read) {
    line("error", read.error().message);
    return out;
  }
  const Section& s = *read;
  line("section", s.name);
  line("layout", std::string(layoutName(s.layout)));
  line("points", std::to_string(s.pointsRead));
  line("x-range", valueText(s.xmin) + " .. " + valueText(s.xmax));
  for (const PropertyField& field : kPropertyFields) {
    line(field.label, valueText(s.properties.*field.value) + " [" + std::string(field.unit) + "]");
  }
  const auto figures = figuresOf(s);
  if (!figures) {
    line("figures", figures.error().message);
    return out;
  }
  const auto at = [](float value, float x) {
    return valueText(value) + " [c] at x = " + valueText(x) + " [c]";
  };
  line("max thickness", at(figures->maxThickness, figures->maxThicknessX));
  line("max camber", at(figures->maxCamber, figures->maxCamberX));
  line("TE thickness", valueText(figures->trailingEdgeThickness) + " [c]");
  line("LE radius", std::isfinite(figures->leadingEdgeRadius)
                        ? valueText(figures->leadingEdgeRadius) + " [c]"
                        : std::string("not found (no round nose)"));
  return out;
}

std::string jsonObject(const std::string& file, const Result<Section>& read) {
  std::string out = "  {\"file\": " + jsonString(file);
  if (!read) {
    out += ", \"status\": " + std::to_string(static_cast<int>(read.error().status)) +
           ", \"error\": " + jsonString(read.error().message) + "}";
    return out;
  }
  const Section& s = *read;
  out += ", \"section\": " + jsonString(s.name) +
         ", \"layout\": " + jsonString(layoutName(s.layout)) +
         ", \"layoutKind\": " + std::to_string(layoutKind(s.layout)) +
         ", \"points\": " + std::to_string(s.pointsRead) + ", \"xmin\": " + jsonNumber(s.xmin) +
         ", \"xmax\": " + jsonNumber(s.xmax) + ",\n   \"properties\": {";
  const char* separator = "";
  for (const PropertyField& field : kPropertyFields) {
    out += separator + jsonString(field.key) + ": " + jsonNumber(s.properties.*field.value);
    separator = ", ";
  }
  out += "},\n   \"figures\": ";
  const auto figures = figuresOf(s);
  if (!figures) return out + "null, \"figuresError\": " + jsonString(figures.error().message) + "}";
  separator = "{";
  for (const FigureField& field : kFigureFields) {
    out += separator + jsonString(field.key) + ": " + jsonNumber((*figures).*field.value);
    separator = ", ";
  }
  out += "}}";
  return out;
}

}  // namespace

int describeFiles(const std::vector<std::string>& inputs, bool json, int cosinePoints,
                  const ShapeSteps& shape, std::ostream& err) {
  StandardInput standardInput(err, false);
  StandardOutput out;
  int failed = 0;
  std::string text = json ? "[\n" : "";
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::string& input = inputs[i];
    ReadOptions options;
    options.capacity = Batch::kCapacity;
    Result<Section> read = Error{};
    if (input == kStandardStream) {
      const auto& stdinText = standardInput.text();
      read = stdinText ? readText(*stdinText, options) : Result<Section>(stdinText.error());
    } else {
      read = readFile(pathOf(input), options);
    }
    if (read && shape.any()) read = shapeSection(*read, shape);
    if (read && cosinePoints > 0) read = redistributeCosine(*read, cosinePoints);
    if (!read) {
      ++failed;
      // The table shows it in the file's block already.
      if (json) err << failureLine(input, read.error()) << '\n';
    }
    if (json) {
      text += jsonObject(input, read) + (i + 1 < inputs.size() ? ",\n" : "\n");
    } else {
      if (i > 0) text += '\n';
      text += block(input, read);
    }
  }
  if (json) text += "]\n";
  if (!out.write(text) || !out.finish()) {
    err << "tarvex: " << out.failure() << '\n';
    return 2;
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace tarvex::console
