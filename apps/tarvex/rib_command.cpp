#include "rib_command.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <numbers>

#include "rib_options.h"
#include "standard_streams.h"
#include "tarvex_ribs.hpp"

namespace tarvex::console {
namespace {

namespace fs = std::filesystem;

template <class Parse>
CLI::Validator checkedBy(Parse parse) {
  return CLI::Validator([parse](std::string& text) { return parse(text).why; }, "");
}

const CLI::Validator kLength(
    [](const std::string& text) -> std::string {
      if (parseLength(text)) return {};
      return "\"" + text + "\" is not a length: a number with mm (the default), cm, m or in";
    },
    "LENGTH");

constexpr std::string_view kExamples = R"(Examples:
  A tapered panel, Clark Y root and NACA 0012 tip, on A3 sheets, with a report:
    tarvex ribs clarky.dat 0012 --root-chord 250mm --tip-chord 150mm --span 600mm \
      --ribs 8 --washout 2 --sheeting 1.5mm:25% --spar 30%:6:6:both \
      --sheet A3 --svg ribs.svg --dxf ribs.dxf
  Ribs at given stations, a swept leading edge, stock at both edges, holes and jig tabs:
    tarvex ribs 2412 --root-chord 200mm --tip-chord 140mm --span 500mm \
      --stations 0/60/130/210/300/400/500 --sweep 5deg --le-stock 4:6 --te-stock 2 \
      --holes 45%/62% --tabs 10%/80% --kerf 0.15 --svg ribs.svg
  The panel's foam core for a four-axis hot-wire cutter:
    tarvex ribs clarky.dat 0012 --root-chord 250mm --tip-chord 150mm --span 600mm \
      --washout 2 --spar 30%:6:6:both --hotwire core.dat --gcode core.nc --feed 250 \
      --wire-kerf 1.2mm:1.6mm --towers 900mm:150mm
Nothing is written when anything is refused, and all files are written together.)";

void addPanel(CLI::App* ribs, RibArguments& a) {
  const std::string group = "Panel";
  ribs->add_option("ROOT TIP", a.sections,
                   "the root section and (optionally) the tip section: coordinate files or NACA "
                   "designations (2412, 0012, 23012, 63-415); without a tip the root's all along")
      ->type_name("")
      ->required()
      ->expected(1, 2);
  ribs->add_option("--root-chord", a.rootChord, "the root's chord: 250mm, 10in")
      ->required()
      ->check(kLength)
      ->group(group);
  ribs->add_option("--tip-chord", a.tipChord, "the tip's chord (default: the root's)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--span", a.span, "the panel's length from root to tip")
      ->required()
      ->check(kLength)
      ->group(group);
  auto* count = ribs->add_option("--ribs", a.ribs,
                                 "this many ribs, evenly spaced from the root to the tip, both "
                                 "included")
                    ->check(CLI::Range(1, 500))
                    ->group(group);
  auto* stations = ribs->add_option("--stations", a.stations,
                                    "instead: the ribs' distances from the root, increasing, "
                                    "separated by / or , (0/80/170/600)")
                       ->check(checkedBy(parseLengths))
                       ->group(group);
  count->excludes(stations);
  ribs->add_option("--sweep", a.sweep,
                   "the tip's leading edge aft of the root's: a length (40mm; negative forward) "
                   "or the leading edge's angle (5deg)")
      ->check(checkedBy(parseSweep))
      ->group(group);
  ribs->add_option("--washout", a.washout,
                   "the tip's nose down by DEGREES, growing linearly from the root")
      ->check(CLI::Range(-44.9, 44.9))
      ->group(group);
  ribs->add_option("--twist-axis", a.twistAxis,
                   "the fraction of the chord the ribs turn about (default 0.25)")
      ->check(CLI::Range(0.0, 1.0))
      ->group(group);
  ribs->add_flag("--plain-blend", a.plainBlend,
                 "blend each rib at its fraction of the span itself instead of weighted by the "
                 "chords: the ribs then leave the straight lines from root to tip that a "
                 "straight spar, planking and a hot-wire core follow")
      ->group(group);
  ribs->add_option("--name", a.name, "the panel's name in the report and the drawings' titles")
      ->group(group);
}

void addFeatures(CLI::App* ribs, RibArguments& a) {
  const std::string group = "Rib features";
  ribs->add_option("--sheeting", a.sheeting,
                   "the rib moved inward by sheeting THICKNESS, over the whole rib, or from the "
                   "leading edge to TO of the chord on both sides (1.5mm:25%), or to TO on top "
                   "and BOTTOM_TO underneath")
      ->type_name("THICKNESS[:TO[:BOTTOM_TO]]")
      ->check(checkedBy(parseSheeting))
      ->group(group);
  ribs->add_option("--spar", a.spars,
                   "a spar notch, WIDTH by DEPTH, its middle at POS (0.3, 30% or 75mm from the "
                   "leading edge) in the root rib and TIPPOS in the tip rib (default: as at the "
                   "root), straight through the wing; into the top (default), the bottom or both. "
                   "Repeat for more spars")
      ->type_name("POS[/TIPPOS]:WIDTH:DEPTH[:top|bottom|both]")
      ->check(checkedBy(parseSpar))
      ->group(group);
  ribs->add_option("--le-stock", a.leadingEdgeStock,
                   "a notch for a leading-edge stock, DEPTH back from the nose and HEIGHT tall")
      ->type_name("DEPTH:HEIGHT")
      ->check(checkedBy(parseLeadingEdgeStock))
      ->group(group);
  ribs->add_option("--te-stock", a.trailingEdgeStock,
                   "end each rib square where it is this thick, for a trailing-edge stock")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--holes", a.holes,
                   "round lightening holes at these fractions of the chord (40%/55%/70%)")
      ->check(checkedBy(parseFractions))
      ->group(group);
  ribs->add_option("--hole-size", a.holeSize,
                   "the holes' diameter as a fraction of the rib's depth there (default 0.6)")
      ->check(CLI::Range(0.01, 0.99))
      ->group(group);
  ribs->add_option("--web", a.web,
                   "the least material around holes and under notches (default 2mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--tabs", a.tabs,
                   "jig tabs at these fractions of the chord, down to one flat building board "
                   "that holds every rib at its washout (10%/85%)")
      ->check(checkedBy(parseFractions))
      ->group(group);
  ribs->add_option("--tab-width", a.tabWidth, "the tabs' width (default 6mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--tab-length", a.tabLength,
                   "how far the board lies below the lowest rib (default 10mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--label", a.label,
                   "engraved before each rib's number, with its chord (default R: R1 250.0)")
      ->group(group);
  ribs->add_flag("--no-engrave", a.noEngrave, "engrave nothing")->group(group);
}

void addSheets(CLI::App* ribs, RibArguments& a) {
  const std::string group = "Sheets and output";
  ribs->add_option("--sheet", a.sheet,
                   "the sheet: A4 (default) or A3, taken across, or WIDTHxHEIGHT in mm (600x300)")
      ->check(CLI::Validator(
          [](const std::string& text) -> std::string {
            return sheetSize(text) ? std::string()
                                   : "\"" + text + "\" is not A4, A3 or WIDTHxHEIGHT (600x300)";
          },
          ""))
      ->group(group);
  ribs->add_option("--gap", a.gap, "between parts (default 3mm)")->check(kLength)->group(group);
  ribs->add_option("--margin", a.margin, "along the sheet's edges (default 5mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--kerf", a.kerf,
                   "the laser's cut width: outlines move out by half of it, holes and notches in "
                   "(default 0)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--stroke", a.stroke, "the SVG's line width (default 0.1mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--svg", a.svg,
                   "an SVG per sheet: FILE itself for one sheet, FILE with -1, -2, ... before its "
                   "extension for more; cut red, engrave blue")
      ->type_name("FILE")
      ->group(group);
  ribs->add_option("--dxf", a.dxf,
                   "one DXF R2000 drawing with every sheet side by side: layers CUT, ENGRAVE and "
                   "SHEET (the borders, not plotted)")
      ->type_name("FILE")
      ->group(group);
  ribs->add_option("--report", a.report, "the report into FILE instead of the standard output")
      ->type_name("FILE")
      ->group(group);
  ribs->add_flag("--json", a.json, "the report as JSON")->group(group);
  ribs->add_flag("-q,--quiet", a.quiet, "no report on the standard output")->group(group);
}

void addHotWire(CLI::App* ribs, RibArguments& a) {
  const std::string group = "Hot-wire foam core";
  ribs->add_option("--hotwire", a.hotWire,
                   "the core's root and tip outlines, point for point matched at the edges and "
                   "the spars' sides, as Selig files in millimetres: FILE with -root and -tip "
                   "before its extension")
      ->type_name("FILE")
      ->group(group);
  ribs->add_option("--gcode", a.gcode,
                   "four-axis G-code (X Y root, U V tip) that cuts the core from a lead-in "
                   "behind the trailing edge and back")
      ->type_name("FILE")
      ->group(group);
  ribs->add_option("--wire-points", a.wirePoints,
                   "points of each outline (default 201; an even count gives one more)")
      ->check(CLI::Range(5, 2001))
      ->group(group);
  ribs->add_option("--wire-kerf", a.wireKerf,
                   "the wire's cut at the root and at the tip (one for both): each outline "
                   "moves out by half of it")
      ->type_name("ROOT[:TIP]")
      ->check(checkedBy([](std::string_view text) { return parseLengthPair(text, true); }))
      ->group(group);
  ribs->add_option("--feed", a.feed, "the feed rate in mm/min (default 300)")
      ->check(CLI::Range(0.1, 100000.0))
      ->group(group);
  ribs->add_option("--lead-in", a.leadIn,
                   "where the wire starts, behind the trailing edge (default 10mm)")
      ->check(kLength)
      ->group(group);
  ribs->add_option("--towers", a.towers,
                   "the towers SPACING apart, the root face ROOT_FACE from the X Y tower: the "
                   "G-code moves the towers (default: the faces themselves)")
      ->type_name("SPACING:ROOT_FACE")
      ->check(checkedBy([](std::string_view text) { return parseLengthPair(text, false); }))
      ->group(group);
}

// A section from a file, or else from a NACA designation.
Result<Section> sectionOf(const std::string& text) {
  std::error_code error;
  if (fs::exists(text, error)) return readFile(text);
  auto naca = nacaSection(text);
  if (naca) return naca;
  Error why = naca.error();
  why.message = nameForMessage(text) + ": no such file, and " + why.message;
  return why;
}

double lengthOr(const std::string& text, double fallback) {
  return text.empty() ? fallback : static_cast<double>(*parseLength(text));
}

// name with what before its extension: ribs.svg, -2 gives ribs-2.svg.
std::string withSuffix(const std::string& name, const std::string& what) {
  const fs::path path(name);
  const fs::path stem = path.parent_path() / path.stem();
  return stem.string() + what + path.extension().string();
}

Result<WingPanel> panelOf(const RibArguments& a) {
  WingPanel panel;
  panel.name = a.name;
  auto root = sectionOf(a.sections[0]);
  if (!root) return root.error();
  panel.root = std::move(*root);
  if (a.sections.size() > 1) {
    auto tip = sectionOf(a.sections[1]);
    if (!tip) return tip.error();
    panel.tip = std::move(*tip);
  }
  panel.rootChordMm = *parseLength(a.rootChord);
  panel.tipChordMm = lengthOr(a.tipChord, panel.rootChordMm);
  panel.spanMm = *parseLength(a.span);
  panel.ribCount = a.ribs;
  if (!a.stations.empty()) panel.stationsMm = *parseLengths(a.stations).value;
  if (a.ribs == 0 && a.stations.empty() && a.hotWire.empty() && a.gcode.empty()) {
    return Error{Status::badOptions, "give the number of ribs (--ribs) or their stations", {}, 0};
  }
  if (!a.sweep.empty()) {
    const Sweep sweep = *parseSweep(a.sweep).value;
    panel.sweepMm = sweep.degrees ? panel.spanMm * std::tan(sweep.value * std::numbers::pi / 180.0)
                                  : sweep.value;
  }
  panel.washoutDegrees = a.washout;
  panel.twistAxis = a.twistAxis;
  panel.ruled = !a.plainBlend;
  return panel;
}

RibFeatures featuresOf(const RibArguments& a) {
  RibFeatures features;
  if (!a.sheeting.empty()) features.sheeting = *parseSheeting(a.sheeting).value;
  for (const std::string& spar : a.spars) features.spars.push_back(*parseSpar(spar).value);
  if (!a.leadingEdgeStock.empty()) {
    features.leadingEdgeStock = *parseLeadingEdgeStock(a.leadingEdgeStock).value;
  }
  features.trailingEdgeStockMm = lengthOr(a.trailingEdgeStock, 0.0);
  if (!a.holes.empty()) features.holes = *parseFractions(a.holes).value;
  features.holeSize = a.holeSize;
  features.webMm = lengthOr(a.web, features.webMm);
  if (!a.tabs.empty()) features.tabs = *parseFractions(a.tabs).value;
  features.tabWidthMm = lengthOr(a.tabWidth, features.tabWidthMm);
  features.tabLengthMm = lengthOr(a.tabLength, features.tabLengthMm);
  features.engrave = !a.noEngrave;
  features.label = a.label;
  return features;
}

SheetLayout layoutOf(const RibArguments& a) {
  SheetLayout layout = *sheetSize(a.sheet);
  layout.gapMm = lengthOr(a.gap, layout.gapMm);
  layout.marginMm = lengthOr(a.margin, layout.marginMm);
  layout.kerfMm = lengthOr(a.kerf, 0.0);
  layout.strokeMm = lengthOr(a.stroke, layout.strokeMm);
  return layout;
}

// The core's outlines and G-code, added to the outputs.
Error addHotWire(const RibArguments& a, const WingPanel& panel, const RibFeatures& features,
                 std::vector<OutputText>& outputs) {
  HotWireOptions options;
  options.points = a.wirePoints;
  if (!a.wireKerf.empty()) {
    const auto [root, tip] = *parseLengthPair(a.wireKerf, true).value;
    options.kerfRootMm = root;
    options.kerfTipMm = tip;
  }
  options.feedMmPerMinute = a.feed;
  options.leadInMm = lengthOr(a.leadIn, options.leadInMm);
  if (!a.towers.empty()) {
    const auto [spacing, face] = *parseLengthPair(a.towers, false).value;
    options.towerSpacingMm = spacing;
    options.rootFaceMm = face;
  }
  auto cut = hotWireCut(panel, features, options);
  if (!cut) return cut.error();
  if (!a.hotWire.empty()) {
    WriteOptions selig;
    selig.format = 21;
    for (const auto& [face, suffix] :
         {std::pair{&cut->root, "-root"}, std::pair{&cut->tip, "-tip"}}) {
      auto text = writeText(*face, selig);
      if (!text) {
        Error error = text.error();
        error.message = "the core's outline: " + error.message;
        return error;
      }
      outputs.push_back({withSuffix(a.hotWire, suffix), std::move(*text)});
    }
  }
  if (!a.gcode.empty()) {
    auto gcode = hotWireGcode(*cut, panel, options);
    if (!gcode) return gcode.error();
    outputs.push_back({a.gcode, std::move(*gcode)});
  }
  return {};
}

int fail(const Error& error) {
  std::cerr << "tarvex: " << error.message << '\n';
  return 1;
}

}  // namespace

CLI::App* addRibs(CLI::App& app, RibArguments& a) {
  CLI::App* ribs = app.add_subcommand(
      "ribs",
      "Make the ribs of a wing panel from a root and a tip section: each the blend at its "
      "station, at its chord, with its washout; with sheeting, spar notches, leading- and "
      "trailing-edge stock, lightening holes, jig tabs and its number engraved; nested on "
      "sheets for a laser cutter (SVG, DXF). Also the panel's foam core for a hot-wire cutter. "
      "Lengths in mm unless they say cm, m or in.");
  addPanel(ribs, a);
  addFeatures(ribs, a);
  addSheets(ribs, a);
  addHotWire(ribs, a);
  ribs->footer(std::string(kExamples));
  return ribs;
}

int runRibs(const RibArguments& a) {
  auto panel = panelOf(a);
  if (!panel) return fail(panel.error());
  const RibFeatures features = featuresOf(a);
  std::vector<OutputText> outputs;
  std::optional<RibSet> set;
  if (panel->ribCount > 0 || !panel->stationsMm.empty()) {
    auto made = makeRibSet(*panel, features, layoutOf(a));
    if (!made) return fail(made.error());
    set = std::move(*made);
  }
  std::vector<std::string> sheetFiles;
  if (set && !a.svg.empty()) {
    for (int k = 0; k < set->sheets; ++k) {
      sheetFiles.push_back(set->sheets == 1 ? a.svg
                                            : withSuffix(a.svg, "-" + std::to_string(k + 1)));
      outputs.push_back({sheetFiles.back(), ribSheetSvg(*set, k)});
    }
  }
  if (set && !a.dxf.empty()) outputs.push_back({a.dxf, ribSheetsDxf(*set)});
  if (!a.hotWire.empty() || !a.gcode.empty()) {
    if (Error error = addHotWire(a, *panel, features, outputs)) return fail(error);
  }
  std::string report;
  if (set) report = a.json ? ribReportJson(*set, sheetFiles) : ribReport(*set, sheetFiles);
  const bool reportToOutput = a.report.empty() || a.report == "-";
  if (!reportToOutput) outputs.push_back({a.report, report});
  if (Error error = writeOutputs(outputs)) return fail(error);
  if (reportToOutput && (!a.quiet || a.report == "-") && !report.empty()) {
    StandardOutput out;
    if (!out.write(report) || !out.finish()) {
      std::cerr << "tarvex: " << out.failure() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace tarvex::console
