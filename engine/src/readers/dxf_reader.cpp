// READDXF: the vertices of a POLYLINE or LWPOLYLINE entity, or the control
// points of a SPLINE entity, as (group code line, value line) pairs.
#include <optional>
#include <string>

#include "io/fixed_fields.h"
#include "io/line_scan.h"
#include "readers/reader_text.h"
#include "structured_readers.h"

namespace tarvex {
namespace {

constexpr int kSearchLines = 5000;
constexpr int kPairsPerVertex = 50;

enum class Entity { kPolyline, kLwPolyline, kSpline };

struct PointSink {
  std::span<float> x, y;
  int capacity;
  int& n;
  // Code 10 comes before its code 20. Every file starts again at 0, so a
  // vertex without its own x never takes one from an earlier file.
  float pendingX = 0.0f;

  // Points beyond the capacity are dropped; the file is still read on.
  void add(float yValue) {
    if (n >= capacity) return;
    x[static_cast<std::size_t>(n)] = pendingX;
    y[static_cast<std::size_t>(n)] = yValue;
    ++n;
  }
};

bool endsEntity(std::string_view text) {
  return text.starts_with("SEQEND") || text.starts_with("ENDSEC");
}

// The group code of a code line, when the line holds exactly one number
// and that number is a whole one.
std::optional<int> groupCode(LineInput& in, const LineBuffer& line) {
  const auto decoded = readers::decodeText(in, lineView(line));
  if (decoded.found != 1) return std::nullopt;
  const auto code = readers::truncatedInteger(decoded.value[0]);
  if (static_cast<float>(code) != decoded.value[0] || code < 0 || code > 9999) return std::nullopt;
  return static_cast<int>(code);
}

std::optional<float> firstNumber(LineInput& in, const LineBuffer& line) {
  const auto decoded = readers::decodeText(in, lineView(line));
  if (decoded.count == 0) return std::nullopt;
  return decoded.value[0];
}

// The first entity word at column 1; nothing at the end of the input.
// After the search window the lines that follow are read as a polyline.
std::optional<Entity> findEntity(LineInput& in) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return std::nullopt;
    if (readers::startsWith(line, "POLYLINE")) return Entity::kPolyline;
    if (readers::startsWith(line, "LWPOLYLINE")) return Entity::kLwPolyline;
    if (readers::startsWith(line, "SPLINE  ")) return Entity::kSpline;
  }
  return Entity::kPolyline;
}

// One VERTEX: up to 50 pairs until its code 20 has given the point.
bool readVertex(LineInput& in, PointSink& sink) {
  LineBuffer code, value;
  for (int pair = 0; pair < kPairsPerVertex; ++pair) {
    if (!in.read(code) || !in.read(value)) return false;
    const auto number = groupCode(in, code);
    if (!number) continue;
    if (*number == 10) {
      if (const auto v = firstNumber(in, value)) sink.pendingX = *v;
    } else if (*number == 20) {
      if (const auto v = firstNumber(in, value)) sink.add(*v);
      return true;
    }
  }
  return true;
}

void readPolyline(LineInput& in, PointSink& sink) {
  LineBuffer line;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(line)) return;
    SHRINK(line);
    const auto text = lineView(line);
    if (text.starts_with("VERTEX")) {
      if (!readVertex(in, sink)) return;
    } else if (endsEntity(text)) {
      return;
    }
  }
}

// The lightweight polyline of current CAD programs keeps its vertices in the
// entity itself: a code 90 with their count, then codes 10 and 20 per vertex,
// up to the group code 0 that starts the next entity.
void readLwPolyline(LineInput& in, PointSink& sink) {
  LineBuffer code, value;
  bool closed = false;  // flag 1 of code 70: the last vertex joins the first
  const auto finish = [&] {
    if (closed && sink.n >= 2 && sink.n < sink.capacity &&
        (sink.x[std::size_t(sink.n - 1)] != sink.x[0] ||
         sink.y[std::size_t(sink.n - 1)] != sink.y[0])) {
      sink.pendingX = sink.x[0];
      sink.add(sink.y[0]);
    }
  };
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(code)) return finish();
    SHRINK(code);
    if (endsEntity(lineView(code))) return finish();
    const auto number = groupCode(in, code);
    if (number == 0) return finish();
    if (!in.read(value)) return finish();
    if (endsEntity(lineView(value))) return finish();
    // Text values (layer names, handles) are never decoded, as in spline mode.
    if (number != 10 && number != 20 && number != 70) continue;
    const auto v = firstNumber(in, value);
    if (!v) continue;
    if (*number == 70) {
      closed = (readers::truncatedInteger(*v) & 1) != 0;
    } else if (*number == 10) {
      sink.pendingX = *v;
    } else {
      sink.add(*v);
    }
  }
  finish();
}

// The warning and the degree and count lines go to the output whatever the
// comments flag says.
void note(Section& section, std::string text) { section.notices.push_back(std::move(text)); }

// 40 (knot values) and the other codes are passed over.
bool usesValue(int code) {
  return code == 10 || code == 20 || code == 71 || code == 72 || code == 73;
}

void readSpline(LineInput& in, Section& out, PointSink& sink) {
  note(out, "; WARNING:  DXF SPLINE entity not supported.");
  note(out, ";           try lower version of DXF format.");
  LineBuffer code, value;
  for (int i = 0; i < kSearchLines; ++i) {
    if (!in.read(code)) return;
    SHRINK(code);
    if (endsEntity(lineView(code))) return;
    const auto number = groupCode(in, code);
    if (!in.read(value)) return;
    if (endsEntity(lineView(value))) return;
    // Only the codes that use their value have it decoded: a text value
    // such as a layer name starting with F would otherwise pull in the
    // next line as a continuation.
    if (!number || !usesValue(*number)) continue;
    const auto v = firstNumber(in, value);
    if (!v) continue;
    switch (*number) {
      case 10:
        sink.pendingX = *v;
        break;
      case 20:
        sink.add(*v);
        break;
      case 71:
        note(out, "; Degree = " +
                      fields::decimal(static_cast<double>(readers::truncatedInteger(*v)), 2, 0));
        break;
      case 72:
        note(out, "; # of Knots = " + fields::integer(readers::truncatedInteger(*v), 12));
        break;
      case 73:
        note(out, "; # of Control Points = " + fields::integer(readers::truncatedInteger(*v), 12));
        break;
      default:
        break;
    }
  }
}

}  // namespace

void READDXF(LineInput& in, Section& section, int& n) {
  std::span<float> x(section.x), y(section.y);
  const int capacity = readers::usableCapacity(x, y, n);
  n = 0;
  in.rewind();
  PointSink sink{x, y, capacity, n};
  const auto entity = findEntity(in);
  if (!entity) return;
  switch (*entity) {
    case Entity::kSpline:
      readSpline(in, section, sink);
      break;
    case Entity::kLwPolyline:
      readLwPolyline(in, sink);
      break;
    case Entity::kPolyline:
      readPolyline(in, sink);
      break;
  }
}

}  // namespace tarvex
