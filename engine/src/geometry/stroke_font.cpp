#include "geometry/stroke_font.h"

#include <array>
#include <cctype>

namespace tarvex::strokes {
namespace {

// Each glyph on a grid 4 wide and 6 high (the baseline at 0): strokes
// separated by blanks, each a run of points written as two digits x y.
struct Glyph {
  char c;
  std::string_view strokes;
};
constexpr std::array kGlyphs{
    Glyph{'0', "103041453616050110 1135"},
    Glyph{'1', "152620 1030"},
    Glyph{'2', "05163645440040"},
    Glyph{'3', "05163645443313 334241301001"},
    Glyph{'4', "30360242"},
    Glyph{'5', "460603334241301001"},
    Glyph{'6', "36160501103041423303"},
    Glyph{'7', "064610"},
    Glyph{'8', "13040516364544331302011030414233"},
    Glyph{'9', "43130405163645413010"},
    Glyph{'A', "0004264440 0343"},
    Glyph{'B', "00063645443303 3342413000"},
    Glyph{'C', "4536160501103041"},
    Glyph{'D', "00063645413000"},
    Glyph{'E', "46060040 0333"},
    Glyph{'F', "460600 0333"},
    Glyph{'G', "45361605011030414323"},
    Glyph{'H', "0006 4046 0343"},
    Glyph{'I', "1636 2620 1030"},
    Glyph{'J', "4641301001"},
    Glyph{'K', "0006 4602 1340"},
    Glyph{'L', "060040"},
    Glyph{'M', "0006234640"},
    Glyph{'N', "00064046"},
    Glyph{'O', "103041453616050110"},
    Glyph{'P', "00063645443303"},
    Glyph{'Q', "103041453616050110 2240"},
    Glyph{'R', "00063645443303 2340"},
    Glyph{'S', "453616050413334241301001"},
    Glyph{'T', "0646 2620"},
    Glyph{'U', "060110304146"},
    Glyph{'V', "062046"},
    Glyph{'W', "0610233046"},
    Glyph{'X', "0046 0640"},
    Glyph{'Y', "062346 2320"},
    Glyph{'Z', "06460040"},
    Glyph{'.', "2021"},
    Glyph{',', "2110"},
    Glyph{'-', "1333"},
    Glyph{'+', "2125 0343"},
    Glyph{'/', "0046"},
    Glyph{':', "2122 2425"},
    Glyph{'#', "1016 3036 0242 0444"},
    Glyph{'(', "36141230"},
    Glyph{')', "16343210"},
    Glyph{'_', "0040"},
    Glyph{'=', "0242 0444"},
    Glyph{'\'', "2624"},
    Glyph{' ', ""},
};

constexpr double kCellHeight = 6.0;
constexpr double kAdvance = 6.0;  // the glyph's 4 and a space of 2

const Glyph* glyphOf(char c) {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.c == upper) return &glyph;
  }
  return nullptr;
}

}  // namespace

bool drawable(char c) {
  // toupper of a byte beyond ASCII depends on the locale; those are never drawn.
  return static_cast<unsigned char>(c) < 0x80 && glyphOf(c) != nullptr;
}

std::optional<char> firstUndrawable(std::string_view text) {
  for (const char c : text) {
    if (!drawable(c)) return c;
  }
  return std::nullopt;
}

double width(std::string_view text, double height) {
  if (text.empty()) return 0.0;
  return height / kCellHeight * (kAdvance * static_cast<double>(text.size()) - 2.0);
}

std::vector<Stroke> strokes(std::string_view text, Vec2 origin, double height) {
  const double unit = height / kCellHeight;
  std::vector<Stroke> out;
  double left = origin.x;
  for (const char c : text) {
    if (drawable(c)) {
      const std::string_view runs = glyphOf(c)->strokes;
      Stroke stroke;
      for (std::size_t i = 0; i <= runs.size(); ++i) {
        if (i == runs.size() || runs[i] == ' ') {
          if (stroke.size() > 1) out.push_back(std::move(stroke));
          stroke.clear();
          continue;
        }
        const double gx = runs[i] - '0', gy = runs[i + 1] - '0';
        stroke.push_back({left + unit * gx, origin.y + unit * gy});
        ++i;
      }
    }
    left += unit * kAdvance;
  }
  return out;
}

}  // namespace tarvex::strokes
