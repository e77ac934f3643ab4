#include "section_info.h"

#include <array>
#include <cstdio>
#include <optional>

#include "batch_files.h"
#include "conversion.h"
#include "coordinate_reader.h"
#include "engine_state.h"
#include "failure_text.h"
#include "json_text.h"

namespace tarvex::console {
namespace {

struct SectionInfo {
  std::string file;
  ConversionResult result;
  std::string name;  // the section name, blanks at the end dropped
  SectionProperties properties;
  std::string failure;  // empty when the file was read
};

std::string_view layoutName(int kind) {
  switch (kind) {
    case kLayoutTwoColumns:
      return "two columns";
    case kLayoutThreeColumns:
      return "three columns";
    case kLayoutCounted:
      return "counted or CEF/DXF/XML";
    case kLayoutFourColumns:
      return "four columns";
    default:
      return "unknown";
  }
}

struct PropertyField {
  std::string_view key;    // JSON member
  std::string_view label;  // as in the comment header
  std::string_view unit;
  float SectionProperties::*value;
};

constexpr std::array<PropertyField, 10> kPropertyFields = {{
    {"area", "Area", "c^2", &SectionProperties::area},
    {"xs", "Xs", "c", &SectionProperties::xs},
    {"ys", "Ys", "c", &SectionProperties::ys},
    {"ixs", "IXs", "c^4", &SectionProperties::ixs},
    {"iys", "IYs", "c^4", &SectionProperties::iys},
    {"circumference", "Circumference", "c", &SectionProperties::circumference},
    {"x0", "X0", "c", &SectionProperties::x0},
    {"y0", "Y0", "c", &SectionProperties::y0},
    {"ix0", "IX0", "c^4", &SectionProperties::ix0},
    {"iy0", "IY0", "c^4", &SectionProperties::iy0},
}};

// Reads the file as a conversion would, with no format to write: the engine
// stops after the properties and leaves them in its state.
SectionInfo readSection(const std::string& input, std::optional<TemporaryFile>& standardInput,
                        bool& standardInputRead, std::istream& in) {
  SectionInfo info;
  info.file = input;
  std::string path = input;
  if (input == kStandardStream) {
    if (!standardInputRead) {
      standardInputRead = true;
      standardInput = captureStream(in, "in");
    }
    if (!standardInput) {
      info.failure = " cannot read the standard input.";
      return info;
    }
    path = standardInput->path().string();
  }
  std::array<float, kBatchCapacity> x{}, y{};
  ConversionOptions options;
  options.format = 0;
  info.result = guardedINORM(path, nullDevice(), x, y, options);
  if (info.result.status != kDone) {
    info.failure = failureText(info.result.status, input, kBatchCapacity);
    return info;
  }
  info.name = std::string(trimmedName());
  info.properties = engineState().properties;
  return info;
}

std::string valueText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
  return text;
}

void printBlock(std::ostream& out, const SectionInfo& info) {
  out << info.file << '\n';
  if (!info.failure.empty()) {
    out << "  error         " << info.failure.substr(1) << '\n';
    return;
  }
  const auto line = [&out](std::string_view label, const std::string& value) {
    out << "  " << label << std::string(14 - label.size(), ' ') << value << '\n';
  };
  line("section", info.name);
  line("layout", std::string(layoutName(info.result.layoutKind)));
  line("points", std::to_string(info.result.pointsRead));
  line("x-range", valueText(info.result.xmin) + " .. " + valueText(info.result.xmax));
  for (const PropertyField& field : kPropertyFields) {
    line(field.label,
         valueText(info.properties.*field.value) + " [" + std::string(field.unit) + "]");
  }
}

void printJson(std::ostream& out, const SectionInfo& info) {
  out << "  {\"file\": " << jsonString(info.file);
  if (!info.failure.empty()) {
    out << ", \"status\": " << info.result.status
        << ", \"error\": " << jsonString(info.failure.substr(1)) << "}";
    return;
  }
  out << ", \"section\": " << jsonString(info.name)
      << ", \"layout\": " << jsonString(layoutName(info.result.layoutKind))
      << ", \"layoutKind\": " << info.result.layoutKind
      << ", \"points\": " << info.result.pointsRead
      << ", \"xmin\": " << jsonNumber(info.result.xmin)
      << ", \"xmax\": " << jsonNumber(info.result.xmax) << ",\n   \"properties\": {";
  const char* separator = "";
  for (const PropertyField& field : kPropertyFields) {
    out << separator << jsonString(field.key) << ": " << jsonNumber(info.properties.*field.value);
    separator = ", ";
  }
  out << "}}";
}

}  // namespace

int describeFiles(const std::vector<std::string>& inputs, bool json, StandardStreams streams) {
  useBinaryStandardStreams();
  std::optional<TemporaryFile> standardInput;
  bool standardInputRead = false;
  int failed = 0;
  if (json) streams.out << "[\n";
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const SectionInfo info = readSection(inputs[i], standardInput, standardInputRead, streams.in);
    if (!info.failure.empty()) {
      ++failed;
      // The table shows it in the file's block already.
      if (json) streams.err << "tarvex: " << info.file << ":" << info.failure << '\n';
    }
    if (json) {
      printJson(streams.out, info);
      streams.out << (i + 1 < inputs.size() ? ",\n" : "\n");
    } else {
      if (i > 0) streams.out << '\n';
      printBlock(streams.out, info);
    }
  }
  if (json) streams.out << "]\n";
  streams.out.flush();
  return failed == 0 ? 0 : 1;
}

}  // namespace tarvex::console
