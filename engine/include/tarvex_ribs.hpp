// Rib sets for builders: the ribs of a tapered wing panel with their
// features, nested on sheets for a laser cutter (an SVG per sheet, or one DXF
// R2000 drawing), a report of them, and the root and tip outlines of the
// panel's foam core for a four-axis hot-wire cutter.
//
//   tarvex::WingPanel panel;
//   panel.root = *tarvex::readFile("clarky.dat");
//   panel.tip = *tarvex::nacaSection("0012");
//   panel.rootChordMm = 250;
//   panel.tipChordMm = 150;
//   panel.spanMm = 600;
//   panel.ribCount = 8;
//   panel.washoutDegrees = 2;
//   tarvex::RibFeatures features;
//   features.sheeting = {1.5, 0.25, 0.25};
//   tarvex::Spar spar;  // at 30 % of the chord, 6 by 6 mm, top and bottom
//   spar.position.value = 0.3;
//   spar.widthMm = spar.depthMm = 6;
//   spar.bottom = true;
//   features.spars.push_back(spar);
//   auto set = tarvex::makeRibSet(panel, features, tarvex::SheetLayout{});
//   if (!set) return fail(set.error().message);
//   for (int k = 0; k < set->sheets; ++k) save(tarvex::ribSheetSvg(*set, k));
//
// Lengths are millimetres, angles degrees. The wing's coordinates run x aft
// from the root's leading edge, y along the span from the root and z up. A
// rib's own coordinates are those of the wing about its station: x aft from
// where its leading edge would be without washout, z up from the chord plane
// (the chord line before any twist), the washout turned in.
#ifndef TARVEX_RIBS_HPP
#define TARVEX_RIBS_HPP

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tarvex.hpp"

namespace tarvex {

// A place along a rib's chord: a fraction of it (0 the leading edge, 1 the
// trailing edge) or millimetres from the leading edge.
struct ChordPosition {
  double value = 0.0;
  bool millimetres = false;
  double in(double chordMm) const { return millimetres ? value : value * chordMm; }
};

// The panel: a root section and a tip section (both as read or made, unit
// chord), their chords, the span and where the ribs stand. Each rib is the
// blend of root and tip at its fraction of the span (blendSections), scaled to
// its chord (the chord tapers linearly), its leading edge swept back linearly
// and its nose turned down by the washout, which grows linearly from 0 at the
// root to washoutDegrees at the tip, about twistAxis of its chord.
struct WingPanel {
  std::string name;  // the report's title
  Section root;
  std::optional<Section> tip;  // none: the root's section all along
  double rootChordMm = 0.0;
  double tipChordMm = 0.0;
  double spanMm = 0.0;
  int ribCount = 0;                // evenly spaced from the root to the tip, both included
  std::vector<double> stationsMm;  // instead: ribs this far from the root, increasing
  double sweepMm = 0.0;            // the tip's leading edge this far aft of the root's
  double washoutDegrees = 0.0;
  double twistAxis = 0.25;
  // Blend at the span fraction weighted by the chords (f times the tip's
  // chord over the rib's): every point of a rib then lies on the straight
  // line joining its places in the root and the tip rib, as on a hot-wire
  // cut core, so that straight spars and planking sit flush on every rib.
  // false: the plain blend at the span fraction, which bows away from those
  // lines when root and tip differ in both section and chord (by 0.8 mm at
  // mid-span on a 250 to 150 mm Clark Y to NACA 0012 panel).
  bool ruled = true;
};

// Sheeting laid over the ribs: each rib is moved inward by the thickness,
// from the leading edge round the nose to topTo of the chord on the top and
// bottomTo on the bottom, where its outline steps back out to the full
// section. 1 for both: the whole rib, which then ends in a point where the
// two insets meet (unless a trailing-edge stock cuts it off first).
struct Sheeting {
  double thicknessMm = 0.0;  // 0: none
  double topTo = 1.0;
  double bottomTo = 1.0;
};

// A spar straight in the wing: its middle at position in the root rib and at
// tipPosition in the tip rib (none: the same position, fraction or
// millimetres, as at the root), in between on the straight line joining them
// in the wing, so that with sweep and taper its place along the chord
// changes. A notch widthMm wide takes it into the top and/or the bottom of
// every rib, its sides upright in the wing; its floor lies depthMm inside the
// rib at the root and at the tip and on the straight line between them (the
// depth each rib gets is in the report).
struct Spar {
  ChordPosition position;
  std::optional<ChordPosition> tipPosition;
  double widthMm = 0.0;
  double depthMm = 0.0;
  bool top = true;
  bool bottom = false;
};

// A leading-edge stock: the nose of every rib cut back depthMm from its
// leading edge over heightMm about the middle of the rib there (a height
// above the rib's depth cuts its nose off square).
struct LeadingEdgeStock {
  double depthMm = 0.0;
  double heightMm = 0.0;
};

struct RibFeatures {
  Sheeting sheeting;
  std::vector<Spar> spars;
  std::optional<LeadingEdgeStock> leadingEdgeStock;
  // The rib ends where it is this thick, in a straight cut across the
  // chord, for a trailing-edge stock behind it; 0: in its own trailing edge.
  double trailingEdgeStockMm = 0.0;
  // Lightening holes: round, their middles at these fractions of the chord
  // halfway through the rib, their diameter holeSize times the rib's depth
  // there; each keeps webMm of material to every edge and other hole.
  std::vector<double> holes;
  double holeSize = 0.6;
  double webMm = 2.0;
  // Jig tabs at these fractions of the chord, tabWidthMm wide, reaching down
  // to one building board for all ribs, tabLengthMm below the lowest of
  // them: set up on a flat board, the ribs stand with their washout.
  std::vector<double> tabs;
  double tabWidthMm = 6.0;
  double tabLengthMm = 10.0;
  // Each rib's label (this text and its number, R1 at the root) and its
  // chord, scored in a single-stroke font (letters, digits, blanks and
  // . , - + / : # ( ) _ = ').
  bool engrave = true;
  std::string label = "R";
};

// The sheets the ribs are cut from.
struct SheetLayout {
  double widthMm = 297.0;  // A4 across
  double heightMm = 210.0;
  double gapMm = 3.0;     // between parts
  double marginMm = 5.0;  // along the sheet's edges
  // The cut's width: every outline is moved out by half of it, so that
  // holes and notches move in and the parts come out at their size.
  double kerfMm = 0.0;
  double strokeMm = 0.1;  // the SVG's line width
};
// A sheet by name: A4, A3 (taken across, the long side horizontal: ribs are
// long), or WxH in millimetres ("600x300", "600x300mm"); nothing otherwise.
TARVEX_API std::optional<SheetLayout> sheetSize(std::string_view text);

struct PointMm {
  double x = 0.0, y = 0.0;
};
struct CircleMm {
  PointMm centre;
  double radius = 0.0;
};

// One rib as cut: its outline (closed, counter-clockwise, the kerf
// allowed for) and its holes to cut, and the strokes to score, in the rib's
// own coordinates.
struct RibPart {
  std::vector<PointMm> outline;
  std::vector<CircleMm> holes;
  std::vector<std::vector<PointMm>> engraving;
  std::string text;  // what the strokes spell
};

struct Rib {
  int number = 0;  // 1 at the root
  double stationMm = 0.0;
  double chordMm = 0.0;
  double twistDegrees = 0.0;   // nose down
  double leadingEdgeMm = 0.0;  // its leading edge's x in the wing (the sweep)
  // The blend at its station scaled to its chord and turned by its twist, in
  // its own coordinates: the rib without its features.
  Section profile;
  std::vector<double> notchDepthsMm;  // of each spar notch, in the order given, top before bottom
  RibPart part;
  // On its sheet: the part turned rotationDegrees (counter-clockwise) about
  // its own origin, then moved by (x, y) from the sheet's lower left corner.
  int sheet = 0;  // from 0
  double x = 0.0, y = 0.0, rotationDegrees = 0.0;
};

struct RibSet {
  std::string name;
  std::vector<Rib> ribs;
  SheetLayout layout;
  int sheets = 0;
  std::vector<double> sheetUse;  // each sheet's area covered by parts, 0 to 1
};

// The ribs with their features, laid out on sheets: each turned to its
// smallest height, or a quarter turn more where only so it fits; their boxes
// packed from the top of the sheet down along a skyline, tallest first, each
// on the first sheet with room where it reaches least deep. Parts never come
// closer than the gap, but no part tucks into another's curve. Refused with
// the reason, before any output is made: a chord or span of 0, a washout of
// 45 degrees or more, a notch deeper than the rib, a hole that does not fit,
// a part larger than the sheet, text the font cannot draw, and the like.
TARVEX_API Result<RibSet> makeRibSet(const WingPanel& panel, const RibFeatures& features,
                                     const SheetLayout& layout);

// One sheet (from 0) as an SVG document at its true size in millimetres:
// the cut in red (#ff0000) and the scoring in blue (#0000ff), each part a
// group, the scoring first, then the holes, then the outline, so that a part
// falls out last.
TARVEX_API std::string ribSheetSvg(const RibSet& set, int sheet);
// Every sheet in one DXF R2000 drawing in millimetres, the sheets side by
// side from left to right 20 mm apart: closed LWPOLYLINEs and CIRCLEs on the
// layer CUT (red), open LWPOLYLINEs on ENGRAVE (blue), each sheet's border
// on SHEET (grey, not plotted).
TARVEX_API std::string ribSheetsDxf(const RibSet& set);
// The ribs' stations, chords, twist, sheets and notch depths as a table, or
// as JSON; files names what each sheet was written to (none: not named).
TARVEX_API std::string ribReport(const RibSet& set, std::span<const std::string> files = {});
TARVEX_API std::string ribReportJson(const RibSet& set, std::span<const std::string> files = {});

// A foam core for a four-axis hot-wire cutter: the root and the tip section
// at their chords, the tip with its sweep and washout (inside the sheeting
// when it covers the whole section), each with the same number of points,
// point for point matched: the trailing edge, the leading edge and both
// sides of every spar fall on points of the same number, so that both ends
// of the wire reach them together.
struct HotWireOptions {
  int points = 201;  // of each outline; an even count gives one more
  // The wire's cut at the root and at the tip face: each outline moved out by
  // half of it (0: as drawn).
  double kerfRootMm = 0.0;
  double kerfTipMm = 0.0;
  // G-code: the feed rate, and where the wire starts and ends, this far
  // behind the root's trailing edge on its chord line.
  double feedMmPerMinute = 300.0;
  double leadInMm = 10.0;
  // The cutter's towers this far apart, the root face this far from the
  // left (X Y) one: the G-code then moves the towers, the wire's path at
  // the faces carried out to them; 0: X Y and U V are the faces themselves.
  double towerSpacingMm = 0.0;
  double rootFaceMm = 0.0;
};
struct HotWireCut {
  // In the wing's x and z (millimetres), Selig order: from the trailing edge
  // over the top to the leading edge and back under it.
  Section root, tip;
  std::vector<int> matched;  // the matched points' indices, the same in both
  // Where the wire starts and ends: leadInMm behind each trailing edge on
  // its chord line.
  PointMm rootStart, tipStart;
};
TARVEX_API Result<HotWireCut> hotWireCut(const WingPanel& panel, const RibFeatures& features,
                                         const HotWireOptions& options);
// Four-axis G-code (G21, G90, G1 with X Y for the root tower, U V for the tip
// tower) that cuts the core round from the lead-in point and back.
TARVEX_API Result<std::string> hotWireGcode(const HotWireCut& cut, const WingPanel& panel,
                                            const HotWireOptions& options);

// Several outputs written together: every file is opened (refusals before
// anything is written) and written in full beside its target first, then all
// are put in place. Should putting one in place fail, those put in place
// before it that were new are removed again; replaced ones cannot be restored,
// and the message names them.
struct OutputText {
  std::filesystem::path path;
  std::string text;
};
TARVEX_API Error writeOutputs(std::span<const OutputText> outputs);

}  // namespace tarvex

#endif
