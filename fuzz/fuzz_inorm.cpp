// libFuzzer target: arbitrary bytes as the input of one conversion, in
// memory. The last bytes choose the format and the options, the scale
// factors, the drawing options and (through the check ISETXS makes) a
// station list, so that every writer and the redistribution see what the
// readers make of odd input. The plain number scan is checked against the
// general parser on every line. Every output is checked for what its
// readers need: no NUL or bare carriage return anywhere, and the XML, SVG
// and DXF outputs well-formed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "conversion.h"
#include "io/line_scan.h"
#include "output_checks.h"
#include "tarvex_formats.hpp"

namespace {

// The options come from the end of the input, so that a seed file keeps
// its text at the start.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t byte() { return size_ > 0 ? data_[--size_] : 0; }
  float number() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = bits << 8 | byte();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  std::string_view rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

void checkNumberScans(std::string_view text) {
  tarvex::LineInput in(text);
  std::string_view line;
  while (in.next(line)) {
    std::array<float, 4> plain{}, general{};
    const int fast = tarvex::scanPlainNumbers(line, plain);
    if (fast < 0) continue;
    tarvex::LineBuffer buffer;
    tarvex::setLine(buffer, line);
    tarvex::SHRINK(buffer);
    tarvex::LineInput none("");
    const int slow = tarvex::DLFF(none, general, buffer);
    if (fast != slow) __builtin_trap();
    for (int i = 0; i < std::min(fast, 4); ++i) {
      const auto k = static_cast<std::size_t>(i);
      if (std::memcmp(&plain[k], &general[k], sizeof(float)) != 0) __builtin_trap();
    }
  }
}

[[noreturn]] void fault(int format, const std::string& what, std::string_view output) {
  std::fprintf(stderr, "format %d: %s\n%.*s\n", format, what.c_str(),
               static_cast<int>(std::min<std::size_t>(output.size(), 4000)), output.data());
  __builtin_trap();
}

// The output without the comment lines a classic format writes ahead of it.
std::string_view afterCommentLines(std::string_view text) {
  while (text.starts_with(';')) {
    const auto end = text.find('\n');
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return text;
}

void checkOutput(int format, std::string_view text) {
  if (auto what = tarvex::fuzz::lineFault(text); !what.empty()) fault(format, what, text);
  std::string what;
  if (format == 11 || format == 20) what = tarvex::fuzz::dxfFault(afterCommentLines(text));
  if (format == 13) what = tarvex::fuzz::xmlFault(afterCommentLines(text), false);
  if (format == 18) what = tarvex::fuzz::xmlFault(text, true);
  if (!what.empty()) fault(format, what, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  const std::uint8_t format = bytes.byte();
  const std::uint8_t flags = bytes.byte();
  tarvex::ConversionSettings settings;
  settings.format =
      format % (static_cast<int>(tarvex::kFormats.size()) + 2);  // also 0 and one past
  settings.comments = (flags & 1) != 0;
  settings.redistribute = (flags & 2) != 0;
  settings.keepSize = (flags & 4) != 0;
  // A small capacity reaches the too-many-points paths of every reader.
  settings.capacity = (flags & 8) != 0 ? 40 : 1000;
  settings.date = "03/07/03";
  if ((flags & 16) != 0) {
    settings.xFactor = bytes.number();
    settings.yFactor = bytes.number();
  }
  // The drawing formats' options: a skin (the inward offset), a far field,
  // splines and a chord, checked as every caller's are.
  if ((flags & 64) != 0) {
    settings.drawing.skinMm = static_cast<float>(bytes.byte()) / 16.0f;
    settings.drawing.chordMm = static_cast<float>(bytes.byte()) * 4.0f;
    settings.drawing.farfieldChords = static_cast<float>(bytes.byte() % 40);
    settings.drawing.spline = (flags & 128) != 0;
    settings.drawing.label = (flags & 128) != 0;
    if (tarvex::checkDrawingOptions(settings.drawing, settings.keepSize)) {
      settings.drawing = {};
    }
  }
  std::vector<float> stations;
  std::vector<float> accepted;
  if ((flags & 32) != 0) {
    const int count = bytes.byte() % 24;
    for (int i = 0; i < count; ++i) stations.push_back(bytes.number());
    if (auto scaled = tarvex::standardStations(stations)) accepted = *scaled;
    if (!accepted.empty()) settings.stations = accepted;
  }
  const std::string_view text = bytes.rest();
  checkNumberScans(text);

  tarvex::LineOutput out;
  const auto outcome = tarvex::convertText(text, settings, out);
  // Whatever the input, a conversion reports a known status and stays
  // within its arrays.
  const int status = static_cast<int>(outcome.error.status);
  if (status < 0 || status > TARVEX_BAD_OPTIONS) __builtin_trap();
  if (outcome.x.size() != outcome.y.size() ||
      outcome.x.size() > static_cast<std::size_t>(settings.capacity)) {
    __builtin_trap();
  }
  if (!outcome.error) checkOutput(settings.format, out.buffer());
  return 0;
}
