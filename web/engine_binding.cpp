// The engine's entries for the JavaScript module tarvex.mjs: plain C functions
// over the WebAssembly memory. A call that makes something leaves it in the
// reply, where the module reads it through the accessors before its next
// call; sections come in through two slots, the one to work on and the one to
// blend it with. Everything runs on the one thread of the worker (or page)
// that loaded the module, one call at a time.
#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/utf8_text.h"
#include "tarvex.hpp"
#include "tarvex_formats.hpp"
#include "tarvex_shape.hpp"

#define WEB_ENTRY extern "C" EMSCRIPTEN_KEEPALIVE

namespace {

using tarvex::Error;
using tarvex::Result;
using tarvex::Section;
using tarvex::Status;

struct Reply {
  Error error;
  std::string output;
  Section section;
  std::string comments, notices;  // the section's lines, each ended by a line end
  std::array<float, 10> properties{};
  std::array<float, 6> figures{};
};

Reply reply;
std::array<Section, 2> slots;  // the section worked on, the one blended with

std::string_view bytes(const char* data, std::size_t size) {
  return size == 0 ? std::string_view() : std::string_view(data, size);
}

std::string joinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text.append(line).push_back('\n');
  return text;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

int failed(const Error& error) {
  reply.error = error;
  return static_cast<int>(error.status);
}

Error badOptions(std::string message) { return {Status::badOptions, std::move(message), {}, 0}; }

int madeSection(Result<Section> made) {
  if (!made) return failed(made.error());
  reply.error = {};
  reply.section = std::move(*made);
  const tarvex::Properties& p = reply.section.properties;
  reply.properties = {p.area, p.xs, p.ys, p.ixs, p.iys, p.circumference, p.x0, p.y0, p.ix0, p.iy0};
  reply.comments = joinedLines(reply.section.comments);
  reply.notices = joinedLines(reply.section.notices);
  return 0;
}

int wroteText(Result<std::string> written) {
  if (!written) return failed(written.error());
  reply.error = {};
  reply.output = std::move(*written);
  return 0;
}

// The shaping steps as the module lays them out, NaN where a step or an
// optional value is not given:
//   0 gap, 1 its blending distance; 2 thickness, 3 its x, 4 camber, 5 its x;
//   6 leading-edge radius factor, 7 its blending distance; 8 flap hinge x,
//   9 degrees, 10 hinge height; 11 blend fraction (with the second slot);
//   12 repanel points, 13 bunching, 14 trailing-edge ratio.
constexpr int kShapeValues = 15;

std::optional<double> given(double value) {
  return std::isnan(value) ? std::nullopt : std::optional<double>(value);
}

Result<tarvex::ShapeSteps> shapeSteps(const double* v) {
  tarvex::ShapeSteps steps;
  if (v == nullptr) return steps;
  if (given(v[0])) steps.trailingEdgeGap = tarvex::TrailingEdgeGap{v[0], v[1]};
  if (given(v[2]) || given(v[3]) || given(v[4]) || given(v[5])) {
    steps.thicknessCamber =
        tarvex::ThicknessCamber{given(v[2]), given(v[3]), given(v[4]), given(v[5])};
  }
  if (given(v[6])) steps.leadingEdgeRadius = tarvex::LeadingEdgeRadius{v[6], v[7]};
  if (given(v[8])) steps.flap = tarvex::Flap{v[8], v[9], v[10]};
  if (given(v[11])) steps.blend = tarvex::Blend{slots[1], v[11]};
  if (given(v[12])) {
    if (v[12] != std::floor(v[12]) || v[12] < 5 || v[12] > tarvex::kMaxNacaPoints) {
      return badOptions("repanelling takes a whole number of points from 5 to " +
                        std::to_string(tarvex::kMaxNacaPoints));
    }
    tarvex::Panelling panelling;
    panelling.points = static_cast<int>(v[12]);
    panelling.bunching = v[13];
    panelling.trailingEdgeRatio = v[14];
    panelling.capacity = tarvex::kMaxNacaPoints;
    steps.panelling = panelling;
  }
  return steps;
}

// The write options as the module lays them out (flags are 0 or 1):
//   0 format, 1 comments, 2 keep size, 3 x factor, 4 y factor, 5 chord (mm),
//   6 skin (mm), 7 stroke (mm), 8 label, 9 chord line, 10 far field (chords),
//   11 mesh size (chords), 12 mesh size from the spacing, 13 first boundary
//   layer, 14 its ratio, 15 its thickness, 16 spline.
constexpr int kWriteValues = 17;

tarvex::WriteOptions writeOptions(const double* v, std::string_view date) {
  const auto f = [v](int i) { return static_cast<float>(v[i]); };
  tarvex::WriteOptions options;
  options.format = static_cast<int>(v[0]);
  options.comments = v[1] != 0;
  options.keepSize = v[2] != 0;
  options.xFactor = f(3);
  options.yFactor = f(4);
  options.date = date;
  tarvex::DrawingOptions& d = options.drawing;
  d.chordMm = f(5);
  d.skinMm = f(6);
  d.strokeMm = f(7);
  d.label = v[8] != 0;
  d.chordLine = v[9] != 0;
  d.farfieldChords = f(10);
  d.meshSizeChords = f(11);
  d.meshSizeFromSpacing = v[12] != 0;
  d.boundaryLayerFirst = f(13);
  d.boundaryLayerRatio = f(14);
  d.boundaryLayerThickness = f(15);
  d.spline = v[16] != 0;
  return options;
}

// Redistribution as tarvex convert does it: onto cosine-spaced points when
// cosinePoints is more than 0, else onto the stations when asked (none
// given: the standard ones).
Result<Section> redistributed(const Section& section, bool redistribute, const float* stations,
                              int stationCount, int cosinePoints) {
  if (cosinePoints > 0) return tarvex::redistributeCosine(section, cosinePoints);
  if (!redistribute) return section;
  if (stations == nullptr || stationCount <= 0) {
    return tarvex::redistribute(section, tarvex::defaultStations(), tarvex::Batch::kCapacity);
  }
  auto checked = tarvex::checkStations(std::span(stations, static_cast<std::size_t>(stationCount)));
  if (!checked) return checked.error();
  return tarvex::redistribute(section, *checked, tarvex::Batch::kCapacity);
}

// What text's bytes are: 0 ASCII only, 1 UTF-8 by the rules of the
// browsers' decoder (no overlong forms, surrogates or code points beyond
// U+10FFFF), 2 neither. The module decodes the output the cheap way for
// each; finding out here costs less than having the browser try UTF-8 first,
// and stops at the first byte that is no UTF-8 (the German property header
// near the top, say).
int encodingOf(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  bool ascii = true;
  std::size_t i = 0;
  while (i < n) {
    if (bytes[i] < 0x80) {
      // ASCII runs a word at a time.
      for (std::uint64_t word = 0; i + 8 <= n; i += 8) {
        std::memcpy(&word, bytes + i, 8);
        if ((word & 0x8080808080808080u) != 0) break;
      }
      while (i < n && bytes[i] < 0x80) ++i;
      continue;
    }
    ascii = false;
    const std::size_t length = tarvex::io::utf8SequenceLength(text, i);
    if (length == 0) return 2;
    i += length;
  }
  return ascii ? 0 : 1;
}

}  // namespace

// Sizes of the option arrays, so that the module can check its own layout.
WEB_ENTRY int tarvex_web_shape_values() { return kShapeValues; }
WEB_ENTRY int tarvex_web_write_values() { return kWriteValues; }

// Reading and making sections; each leaves the section in the reply.

WEB_ENTRY int tarvex_web_read(const char* text, std::size_t size, int capacity) {
  return madeSection(tarvex::readText(bytes(text, size), {.capacity = capacity}));
}

WEB_ENTRY int tarvex_web_naca(const char* designation, std::size_t size, int points, int uniform,
                              int closedTrailingEdge) {
  tarvex::NacaOptions options;
  options.points = points;
  options.spacing = uniform != 0 ? tarvex::Spacing::uniform : tarvex::Spacing::cosine;
  options.closedTrailingEdge = closedTrailingEdge != 0;
  return madeSection(tarvex::nacaSection(bytes(designation, size), options));
}

// A section the module holds, put into slot 0 or 1 as it was made.
WEB_ENTRY void tarvex_web_give(int slot, const char* name, std::size_t nameSize, int layout,
                               int pointsRead, float xmin, float xmax, const float* properties,
                               const float* x, const float* y, int count, const char* comments,
                               std::size_t commentsSize, const char* notices,
                               std::size_t noticesSize) {
  Section& s = slots[slot == 1 ? 1 : 0];
  const auto n = static_cast<std::size_t>(count > 0 ? count : 0);
  s.name = bytes(name, nameSize);
  s.layout = static_cast<tarvex::Layout>(layout);
  s.pointsRead = pointsRead;
  s.xmin = xmin;
  s.xmax = xmax;
  const float* p = properties;
  s.properties = {p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9]};
  s.x.assign(x, x + n);
  s.y.assign(y, y + n);
  s.comments = splitLines(bytes(comments, commentsSize));
  s.notices = splitLines(bytes(notices, noticesSize));
}

WEB_ENTRY int tarvex_web_shape(const double* steps) {
  auto shape = shapeSteps(steps);
  if (!shape) return failed(shape.error());
  return madeSection(tarvex::shapeSection(slots[0], *shape));
}

WEB_ENTRY int tarvex_web_redistribute(const float* stations, int count) {
  return madeSection(redistributed(slots[0], true, stations, count, 0));
}

WEB_ENTRY int tarvex_web_redistribute_cosine(int points) {
  return madeSection(tarvex::redistributeCosine(slots[0], points));
}

WEB_ENTRY int tarvex_web_figures() {
  const auto figures = tarvex::figuresOf(slots[0]);
  if (!figures) return failed(figures.error());
  reply.error = {};
  const tarvex::Figures& f = *figures;
  reply.figures = {f.maxThickness, f.maxThicknessX,         f.maxCamber,
                   f.maxCamberX,   f.trailingEdgeThickness, f.leadingEdgeRadius};
  return 0;
}

WEB_ENTRY int tarvex_web_write(const double* options, const char* date, std::size_t dateSize) {
  return wroteText(tarvex::writeText(slots[0], writeOptions(options, bytes(date, dateSize))));
}

// One whole conversion of coordinate text as tarvex convert makes it: read,
// shape, redistribute, write. The section as read stays in the reply.
WEB_ENTRY int tarvex_web_convert(const char* text, std::size_t size, const double* options,
                                 const char* date, std::size_t dateSize, const double* steps,
                                 int redistribute, const float* stations, int stationCount,
                                 int cosinePoints) {
  auto read = tarvex::readText(bytes(text, size), {.capacity = tarvex::Batch::kCapacity});
  if (!read) return failed(read.error());
  Result<Section> section = std::move(*read);
  if (steps != nullptr) {
    auto shape = shapeSteps(steps);
    if (!shape) return failed(shape.error());
    if (shape->any()) section = tarvex::shapeSection(*section, *shape);
  }
  // Not redistributed, the section is written as read, not copied first.
  if (section && (redistribute != 0 || cosinePoints > 0)) {
    section = redistributed(*section, redistribute != 0, stations, stationCount, cosinePoints);
  }
  if (!section) return failed(section.error());
  return wroteText(tarvex::writeText(*section, writeOptions(options, bytes(date, dateSize))));
}

// What the last call left: the failure, the output text, the section made.

WEB_ENTRY const char* tarvex_web_error_message() { return reply.error.message.c_str(); }
WEB_ENTRY std::size_t tarvex_web_error_message_size() { return reply.error.message.size(); }
WEB_ENTRY const char* tarvex_web_output() { return reply.output.data(); }
WEB_ENTRY std::size_t tarvex_web_output_size() { return reply.output.size(); }
WEB_ENTRY int tarvex_web_output_encoding() { return encodingOf(reply.output); }
WEB_ENTRY void tarvex_web_release_output() { std::string().swap(reply.output); }

WEB_ENTRY const char* tarvex_web_name() { return reply.section.name.data(); }
WEB_ENTRY std::size_t tarvex_web_name_size() { return reply.section.name.size(); }
WEB_ENTRY const char* tarvex_web_comments() { return reply.comments.data(); }
WEB_ENTRY std::size_t tarvex_web_comments_size() { return reply.comments.size(); }
WEB_ENTRY const char* tarvex_web_notices() { return reply.notices.data(); }
WEB_ENTRY std::size_t tarvex_web_notices_size() { return reply.notices.size(); }
WEB_ENTRY const float* tarvex_web_x() { return reply.section.x.data(); }
WEB_ENTRY const float* tarvex_web_y() { return reply.section.y.data(); }
WEB_ENTRY int tarvex_web_count() { return reply.section.size(); }
WEB_ENTRY int tarvex_web_layout() { return static_cast<int>(reply.section.layout); }
WEB_ENTRY int tarvex_web_points_read() { return reply.section.pointsRead; }
WEB_ENTRY float tarvex_web_xmin() { return reply.section.xmin; }
WEB_ENTRY float tarvex_web_xmax() { return reply.section.xmax; }
WEB_ENTRY const float* tarvex_web_properties() { return reply.properties.data(); }
WEB_ENTRY const float* tarvex_web_figures_values() { return reply.figures.data(); }

// The engine's tables: layouts, formats, standard stations, lengths.

WEB_ENTRY const char* tarvex_web_layout_name(int layout) {
  return tarvex::layoutName(static_cast<tarvex::Layout>(layout)).data();
}
WEB_ENTRY std::size_t tarvex_web_layout_name_size(int layout) {
  return tarvex::layoutName(static_cast<tarvex::Layout>(layout)).size();
}

WEB_ENTRY int tarvex_web_format_count() { return static_cast<int>(tarvex::kFormats.size()); }

namespace {
std::string_view formatField(int number, int field) {
  const tarvex::FormatRow* row = tarvex::formatByNumber(number);
  if (row == nullptr) return {};
  switch (field) {
    case 0:
      return row->shortName;
    case 1:
      return row->extension;
    default:
      return row->title;
  }
}
}  // namespace

// Field 0 the short name, 1 the extension, 2 the title.
WEB_ENTRY const char* tarvex_web_format_text(int number, int field) {
  return formatField(number, field).data();
}
WEB_ENTRY std::size_t tarvex_web_format_text_size(int number, int field) {
  return formatField(number, field).size();
}
// 1: pairs the surfaces, 2: per cent, 4: comments break it.
WEB_ENTRY int tarvex_web_format_flags(int number) {
  const tarvex::FormatRow* row = tarvex::formatByNumber(number);
  if (row == nullptr) return 0;
  return (row->pairsSurfaces ? 1 : 0) | (row->perCent ? 2 : 0) | (row->commentsBreakIt ? 4 : 0);
}

WEB_ENTRY const float* tarvex_web_default_stations() { return tarvex::defaultStations().data(); }
WEB_ENTRY int tarvex_web_default_station_count() {
  return static_cast<int>(tarvex::defaultStations().size());
}

WEB_ENTRY float tarvex_web_parse_length(const char* text, std::size_t size) {
  const auto length = tarvex::parseLength(bytes(text, size));
  return length ? *length : NAN;
}
