#include "writers/comment_header.h"

#include "io/fixed_fields.h"
#include "writers/field_text.h"

namespace tarvex {
namespace {

enum class HeaderLanguage { English, German };

bool writeLine(LineOutput& out, const FieldLine& line) {
  if (line.overflowed()) out.noteOverflow();
  return out.endLine();
}

// The 16 property lines of one language.
bool writePropertyBlock(LineOutput& out, const Properties& p, HeaderLanguage language) {
  struct Row {
    const char* english;
    const char* german;
    const float* value;
    const char* unit;
  };
  // The German labels carry the ISO 8859-1 byte of the letter a-umlaut.
  const Row rows[] = {
      {"; *** Area Properties:",
       "; *** Fl\xE4"
       "cheneigenschaften:",
       nullptr, nullptr},
      {"; Area:           ",
       "; Fl\xE4"
       "che:         ",
       &p.area, " [c^2]"},
      {"; Center of Gravity C.G.:", "; Schwerpunktlage S:", nullptr, nullptr},
      {";              Xs:", ";              Xs:", &p.xs, " [c]"},
      {";              Ys:", ";              Ys:", &p.ys, " [c]"},
      {"; Area Moments relative to C.G.:", "; Tr\xE4gheitsmomente bzgl. S:", nullptr, nullptr},
      {";             IXs:", ";             IXs:", &p.ixs, " [c^4]"},
      {";             IYs:", ";             IYs:", &p.iys, " [c^4]"},
      {"; *** Shell Properties:", "; *** Schaleneigenschaften:", nullptr, nullptr},
      {"; Circumference:", "; Umfang:         ", &p.circumference, " [c]"},
      {"; Center of Torsion C.T.:", "; Neutralpunktlage 0:", nullptr, nullptr},
      {";              X0:", ";              X0:", &p.x0, " [c]"},
      {";              Y0:", ";              Y0:", &p.y0, " [c]"},
      {"; Inertia Moments relative to C.T.:", "; Tr\xE4gheitsmomente bzgl. 0:", nullptr, nullptr},
      {";             IX0:", ";             IX0:", &p.ix0, " [c^4]"},
      {";             IY0:", ";             IY0:", &p.iy0, " [c^4]"},
  };
  for (const Row& row : rows) {
    FieldLine line(out.buffer());
    line.put(language == HeaderLanguage::English ? row.english : row.german);
    if (row.value != nullptr) line.decimal(*row.value, 12, 6).put(row.unit);
    if (!writeLine(out, line)) return false;
  }
  return true;
}

bool writeCount(LineOutput& out, const char* label, int pointCount) {
  FieldLine line(out.buffer());
  line.put(label).integer(pointCount, 12);
  return writeLine(out, line);
}

bool writeRange(LineOutput& out, const char* label, float xmin, float xmax) {
  FieldLine line(out.buffer());
  line.put(label).decimal(xmin, 12, 5).put("...").decimal(xmax, 12, 5);
  return writeLine(out, line);
}

}  // namespace

bool writeCommentHeader(LineOutput& out, int pointCount, float xmin, float xmax,
                        const Properties& p) {
  return out.write(";") && out.write("; Creator:  INORM") && out.write("; Author:   Tolmark") &&
         out.write(";") && writeCount(out, "; Number of points:", pointCount) &&
         writeRange(out, "; x-Range: ", xmin, xmax) &&
         writePropertyBlock(out, p, HeaderLanguage::English) && out.write(";") &&
         writeCount(out, "; Koordinatenzahl: ", pointCount) &&
         writeRange(out, "; x-Bereich: ", xmin, xmax) &&
         writePropertyBlock(out, p, HeaderLanguage::German) && out.write(";");
}

bool writeCommentLines(LineOutput& out, std::span<const std::string> lines) {
  for (const std::string& line : lines) {
    out.append("; ");
    if (!out.write(writers::lineText(line))) return false;
  }
  return true;
}

}  // namespace tarvex
