// Formats 14 and 15: array initialisations for FORTRAN/BASIC and C/Java
// source text. The two differ only in their symbols.
#include <charconv>
#include <iterator>
#include <string>
#include <string_view>

#include "writers/field_text.h"
#include "writers/writers.h"

namespace tarvex::writers {
namespace {

struct SourceSymbols {
  char open;   // opening bracket of an index
  char close;  // closing bracket
  char statementEnd;
  char quote;
  int firstIndex;
  bool backslashEscapes;  // a quote inside a string is \" rather than ""
};

constexpr SourceSymbols kFortranBasic{'(', ')', ' ', '"', 1, false};
constexpr SourceSymbols kCJava{'[', ']', ';', '"', 0, true};

// scratch: the line's room, kept from one coordinate to the next.
bool writeCoordinate(const WriterContext& ctx, const SourceSymbols& s, char letter, int i,
                     float value, std::string& scratch) {
  char index[16];
  char* const indexEnd = std::to_chars(index, std::end(index), i - 1 + s.firstIndex).ptr;
  scratch.assign("___");
  scratch.push_back(letter);
  scratch.push_back(s.open);
  scratch.append(index, static_cast<std::size_t>(indexEnd - index));
  scratch.push_back(s.close);
  scratch.append("_=_");
  FieldLine line(scratch);
  line.decimal(value, 10, 7).put(std::string_view(&s.statementEnd, 1));
  return ctx.compacted(line, scratch, true);
}

int writeSource(const WriterContext& ctx, const SourceSymbols& s) {
  if (!ctx.line(compacted("***_TODO:_add_array_and_string_dimensioning_***", true))) {
    return kWriteFailed;
  }
  // The name keeps its blanks, and is written whole however long it is.
  const std::string quote(1, s.quote);
  if (!ctx.line("   NAME = " + quote + stringLiteralBody(ctx.name, s.quote, s.backslashEscapes) +
                quote + s.statementEnd)) {
    return kWriteFailed;
  }
  if (!ctx.line(compacted("___NPTS_=_" + std::to_string(ctx.n) + s.statementEnd, true))) {
    return kWriteFailed;
  }
  std::string scratch;
  for (int i = 1; i <= ctx.n; ++i) {
    if (!writeCoordinate(ctx, s, 'X', i, ctx.X(i), scratch) ||
        !writeCoordinate(ctx, s, 'Y', i, ctx.Y(i), scratch)) {
      return kWriteFailed;
    }
  }
  return kWriteOk;
}

}  // namespace

int fortranBasic(const WriterContext& ctx) { return writeSource(ctx, kFortranBasic); }
int cJava(const WriterContext& ctx) { return writeSource(ctx, kCJava); }

}  // namespace tarvex::writers
