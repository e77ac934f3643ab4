// tarvex.ribs() and tarvex.hot_wire(): the ribs of a wing panel nested on
// sheets, and the panel's foam core, through the engine's tarvex_ribs.hpp.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "errors.h"
#include "section_object.h"
#include "tarvex_ribs.hpp"

namespace tarvex::python {
namespace {

using py::arg;

PyObject* ribSetClass = nullptr;
PyObject* ribPartClass = nullptr;
PyObject* hotWireClass = nullptr;

std::string shown(py::handle value) { return py::repr(value); }

template <class T>
py::tuple tupleOf(const std::vector<T>& values) {
  py::tuple out(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) out[i] = py::cast(values[i]);
  return out;
}

double numberOf(py::handle value, const std::string& what) {
  if (PyUnicode_Check(value.ptr()) || PyBool_Check(value.ptr()) || !PyNumber_Check(value.ptr())) {
    throw py::type_error(what + " must be a number, not " + typeName(value));
  }
  const double number = py::cast<double>(value);
  if (!std::isfinite(number)) throw py::value_error(what + " must be finite, not " + shown(value));
  return number;
}

// Millimetres: a number, or a str with its unit ('250mm', '10in').
double lengthOf(py::handle value, const std::string& what) {
  if (PyUnicode_Check(value.ptr())) {
    if (const auto length = parseLength(py::cast<std::string>(value))) return *length;
    throw py::value_error(what + " " + shown(value) +
                          " is not a length: a number of 0 or more with mm, cm, m or in");
  }
  return numberOf(value, what);
}

// A fraction: a number, or a str per cent ('25%').
double fractionOf(py::handle value, const std::string& what) {
  if (PyUnicode_Check(value.ptr())) {
    std::string text = py::cast<std::string>(value);
    if (!text.empty() && text.back() == '%') {
      text.pop_back();
      try {
        std::size_t used = 0;
        const double percent = std::stod(text, &used);
        if (used == text.size() && std::isfinite(percent)) return percent / 100.0;
      } catch (const std::exception&) {
      }
    }
    throw py::value_error(what + " " + shown(value) +
                          " is not a fraction (0.25) or a per cent ('25%')");
  }
  return numberOf(value, what);
}

// A place on the chord: a fraction (0.3, '30%') or a length from the leading
// edge with its unit ('75mm').
ChordPosition positionOf(py::handle value, const std::string& what) {
  if (PyUnicode_Check(value.ptr())) {
    const std::string text = py::cast<std::string>(value);
    if (!text.empty() && text.back() != '%') return {lengthOf(value, what), true};
  }
  return {fractionOf(value, what), false};
}

std::vector<double> listOf(py::handle values, const std::string& what, bool lengths) {
  if (PyUnicode_Check(values.ptr())) {
    throw py::type_error(what + " must be a sequence of numbers, not a str");
  }
  std::vector<double> out;
  for (py::handle value : py::iter(values)) {
    out.push_back(lengths ? lengthOf(value, what) : fractionOf(value, what));
  }
  return out;
}

// A Section, a path to a coordinate file, or a NACA designation.
Section sectionOf(py::handle value, const char* what) {
  if (py::isinstance<SectionObject>(value)) return py::cast<const SectionObject&>(value).section;
  if (!PyUnicode_Check(value.ptr()) && !py::hasattr(value, "__fspath__")) {
    throw py::type_error(std::string(what) +
                         " must be a tarvex.Section, a path or a NACA designation, not " +
                         typeName(value));
  }
  const py::object path = py::module_::import("os").attr("fsencode")(value);
  const std::string bytes = py::cast<std::string>(path);
  std::error_code error;
  Result<Section> section = Error{};
  if (std::filesystem::exists(std::filesystem::path(bytes), error)) {
    py::gil_scoped_release unlocked;
    section = readFile(bytes);
  } else if (PyUnicode_Check(value.ptr())) {
    section = nacaSection(bytes);
    if (!section) {
      Error why = section.error();
      why.message = shown(value) + " names no file, and " + why.message;
      raise(why);
    }
  }
  if (!section) raise(section.error(), value);
  return std::move(*section);
}

struct PanelArguments {
  py::handle root, tip, rootChord, tipChord, span, sweep, washout, twistAxis, name;
  bool ruled = true;
};

WingPanel panelOf(const PanelArguments& a) {
  WingPanel panel;
  panel.root = sectionOf(a.root, "root");
  if (!a.tip.is_none()) panel.tip = sectionOf(a.tip, "tip");
  panel.rootChordMm = lengthOf(a.rootChord, "root_chord");
  panel.tipChordMm = a.tipChord.is_none() ? panel.rootChordMm : lengthOf(a.tipChord, "tip_chord");
  panel.spanMm = lengthOf(a.span, "span");
  if (PyUnicode_Check(a.sweep.ptr()) && py::cast<std::string>(a.sweep).ends_with("deg")) {
    std::string text = py::cast<std::string>(a.sweep);
    text.resize(text.size() - 3);
    std::size_t used = 0;
    double degrees = NAN;
    try {
      degrees = std::stod(text, &used);
    } catch (const std::exception&) {
    }
    if (used != text.size() || !(std::fabs(degrees) < 80.0)) {
      throw py::value_error("sweep " + shown(a.sweep) + " is not an angle of less than 80 degrees");
    }
    panel.sweepMm = panel.spanMm * std::tan(degrees * 3.14159265358979323846 / 180.0);
  } else if (PyUnicode_Check(a.sweep.ptr()) && py::cast<std::string>(a.sweep).starts_with("-")) {
    panel.sweepMm = -lengthOf(py::str(py::cast<std::string>(a.sweep).substr(1)), "sweep");
  } else {
    panel.sweepMm =
        PyUnicode_Check(a.sweep.ptr()) ? lengthOf(a.sweep, "sweep") : numberOf(a.sweep, "sweep");
  }
  panel.washoutDegrees = numberOf(a.washout, "washout");
  panel.twistAxis = fractionOf(a.twistAxis, "twist_axis");
  panel.ruled = a.ruled;
  if (!PyUnicode_Check(a.name.ptr())) throw py::type_error("name must be a str");
  panel.name = py::cast<std::string>(a.name);
  return panel;
}

Sheeting sheetingOf(py::handle value) {
  Sheeting sheeting;
  if (value.is_none()) return sheeting;
  if (!PyTuple_Check(value.ptr()) && !PyList_Check(value.ptr())) {
    sheeting.thicknessMm = lengthOf(value, "sheeting");
    return sheeting;
  }
  const auto items = py::reinterpret_borrow<py::sequence>(value);
  if (items.size() < 1 || items.size() > 3) {
    throw py::value_error(
        "sheeting is a thickness, (thickness, to) or (thickness, top_to, bottom_to)");
  }
  sheeting.thicknessMm = lengthOf(items[0], "the sheeting's thickness");
  if (items.size() > 1)
    sheeting.topTo = sheeting.bottomTo = fractionOf(items[1], "the sheeting's extent");
  if (items.size() > 2)
    sheeting.bottomTo = fractionOf(items[2], "the sheeting's extent underneath");
  return sheeting;
}

// (position, width, depth[, side]) or a dict of position, tip_position,
// width, depth and side; position may be a pair (root, tip).
Spar sparOf(py::handle value, std::size_t number) {
  const std::string name = "spar " + std::to_string(number);
  py::object position, width, depth, side = py::str("top"), tipPosition = py::none();
  if (PyDict_Check(value.ptr())) {
    const auto items = py::reinterpret_borrow<py::dict>(value);
    for (const auto& [key, item] : items) {
      const std::string k = py::str(key);
      if (k == "position")
        position = py::reinterpret_borrow<py::object>(item);
      else if (k == "tip_position")
        tipPosition = py::reinterpret_borrow<py::object>(item);
      else if (k == "width")
        width = py::reinterpret_borrow<py::object>(item);
      else if (k == "depth")
        depth = py::reinterpret_borrow<py::object>(item);
      else if (k == "side")
        side = py::reinterpret_borrow<py::object>(item);
      else
        throw py::value_error(name + ": unknown key " + shown(key));
    }
    if (!position || !width || !depth) {
      throw py::value_error(name + " needs position, width and depth");
    }
  } else {
    const auto items = py::reinterpret_borrow<py::sequence>(value);
    if (items.size() < 3 || items.size() > 4) {
      throw py::value_error(name + " is (position, width, depth[, side]), not " + shown(value));
    }
    position = items[0];
    width = items[1];
    depth = items[2];
    if (items.size() == 4) side = items[3];
  }
  Spar spar;
  if (PyTuple_Check(position.ptr()) || PyList_Check(position.ptr())) {
    const auto pair = py::reinterpret_borrow<py::sequence>(position);
    if (pair.size() != 2) throw py::value_error(name + ": position is one place or (root, tip)");
    spar.position = positionOf(pair[0], name + "'s position");
    spar.tipPosition = positionOf(pair[1], name + "'s position at the tip");
  } else {
    spar.position = positionOf(position, name + "'s position");
  }
  if (!tipPosition.is_none()) spar.tipPosition = positionOf(tipPosition, name + "'s tip_position");
  spar.widthMm = lengthOf(width, name + "'s width");
  spar.depthMm = lengthOf(depth, name + "'s depth");
  const std::string where = PyUnicode_Check(side.ptr()) ? py::cast<std::string>(side) : "";
  if (where != "top" && where != "bottom" && where != "both") {
    throw py::value_error(name + ": side is 'top', 'bottom' or 'both', not " + shown(side));
  }
  spar.top = where != "bottom";
  spar.bottom = where != "top";
  return spar;
}

struct FeatureArguments {
  py::handle sheeting, spars, leStock, teStock, holes, holeSize, web, tabs, tabWidth, tabLength,
      label;
  bool engrave = true;
};

RibFeatures featuresOf(const FeatureArguments& a) {
  RibFeatures features;
  features.sheeting = sheetingOf(a.sheeting);
  std::size_t number = 0;
  for (py::handle spar : py::iter(a.spars)) features.spars.push_back(sparOf(spar, ++number));
  if (!a.leStock.is_none()) {
    const auto pair = py::reinterpret_borrow<py::sequence>(a.leStock);
    if (pair.size() != 2) throw py::value_error("le_stock is (depth, height)");
    features.leadingEdgeStock = LeadingEdgeStock{lengthOf(pair[0], "le_stock's depth"),
                                                 lengthOf(pair[1], "le_stock's height")};
  }
  features.trailingEdgeStockMm = lengthOf(a.teStock, "te_stock");
  features.holes = listOf(a.holes, "holes", false);
  features.holeSize = numberOf(a.holeSize, "hole_size");
  features.webMm = lengthOf(a.web, "web");
  features.tabs = listOf(a.tabs, "tabs", false);
  features.tabWidthMm = lengthOf(a.tabWidth, "tab_width");
  features.tabLengthMm = lengthOf(a.tabLength, "tab_length");
  features.engrave = a.engrave;
  if (!PyUnicode_Check(a.label.ptr())) throw py::type_error("label must be a str");
  features.label = py::cast<std::string>(a.label);
  return features;
}

SheetLayout layoutOf(py::handle sheet, py::handle gap, py::handle margin, py::handle kerf,
                     py::handle stroke) {
  SheetLayout layout;
  if (PyUnicode_Check(sheet.ptr())) {
    const auto size = sheetSize(py::cast<std::string>(sheet));
    if (!size) throw py::value_error("sheet " + shown(sheet) + " is not 'A4', 'A3' or 'WxH' in mm");
    layout = *size;
  } else {
    const auto pair = py::reinterpret_borrow<py::sequence>(sheet);
    if (pair.size() != 2) throw py::value_error("sheet is 'A4', 'A3', 'WxH' or (width, height)");
    layout.widthMm = lengthOf(pair[0], "the sheet's width");
    layout.heightMm = lengthOf(pair[1], "the sheet's height");
  }
  layout.gapMm = lengthOf(gap, "gap");
  layout.marginMm = lengthOf(margin, "margin");
  layout.kerfMm = lengthOf(kerf, "kerf");
  layout.strokeMm = lengthOf(stroke, "stroke");
  return layout;
}

py::array_t<double> pointArray(const std::vector<PointMm>& points) {
  py::array_t<double> array({static_cast<py::ssize_t>(points.size()), py::ssize_t{2}});
  auto view = array.mutable_unchecked<2>();
  for (std::size_t i = 0; i < points.size(); ++i) {
    view(static_cast<py::ssize_t>(i), 0) = points[i].x;
    view(static_cast<py::ssize_t>(i), 1) = points[i].y;
  }
  return array;
}

py::object partOf(const Rib& rib) {
  py::array_t<double> holes({static_cast<py::ssize_t>(rib.part.holes.size()), py::ssize_t{3}});
  auto view = holes.mutable_unchecked<2>();
  for (std::size_t i = 0; i < rib.part.holes.size(); ++i) {
    const auto k = static_cast<py::ssize_t>(i);
    view(k, 0) = rib.part.holes[i].centre.x;
    view(k, 1) = rib.part.holes[i].centre.y;
    view(k, 2) = rib.part.holes[i].radius;
  }
  py::tuple engraving(rib.part.engraving.size());
  for (std::size_t i = 0; i < rib.part.engraving.size(); ++i) {
    engraving[i] = pointArray(rib.part.engraving[i]);
  }
  return py::reinterpret_borrow<py::object>(ribPartClass)(
      rib.number, rib.stationMm, rib.chordMm, rib.twistDegrees, rib.leadingEdgeMm,
      tupleOf(rib.notchDepthsMm), rib.sheet, rib.x, rib.y, rib.rotationDegrees,
      pointArray(rib.part.outline), holes, engraving, rib.part.text);
}

py::object ribs(py::handle root, py::handle tip, py::handle rootChord, py::handle tipChord,
                py::handle span, py::handle count, py::handle stations, py::handle sweep,
                py::handle washout, py::handle twistAxis, bool ruled, py::handle name,
                py::handle sheeting, py::handle spars, py::handle leStock, py::handle teStock,
                py::handle holes, py::handle holeSize, py::handle web, py::handle tabs,
                py::handle tabWidth, py::handle tabLength, bool engrave, py::handle label,
                py::handle sheet, py::handle gap, py::handle margin, py::handle kerf,
                py::handle stroke) {
  WingPanel panel =
      panelOf({root, tip, rootChord, tipChord, span, sweep, washout, twistAxis, name, ruled});
  if (!count.is_none()) {
    const auto number = wholeNumber(count);
    if (!number) throw py::type_error("ribs must be an int, not " + typeName(count));
    panel.ribCount = *number;
  }
  if (!stations.is_none()) panel.stationsMm = listOf(stations, "stations", true);
  if (count.is_none() && stations.is_none()) {
    throw py::value_error("give the number of ribs (ribs=8) or their stations");
  }
  const RibFeatures features = featuresOf({sheeting, spars, leStock, teStock, holes, holeSize, web,
                                           tabs, tabWidth, tabLength, label, engrave});
  const SheetLayout layout = layoutOf(sheet, gap, margin, kerf, stroke);
  Result<RibSet> set = Error{};
  std::vector<std::string> svg;
  std::string dxf, report, json;
  {
    py::gil_scoped_release unlocked;
    set = makeRibSet(panel, features, layout);
    if (set) {
      for (int k = 0; k < set->sheets; ++k) svg.push_back(ribSheetSvg(*set, k));
      dxf = ribSheetsDxf(*set);
      report = ribReport(*set);
      json = ribReportJson(*set);
    }
  }
  if (!set) raise(set.error());
  py::tuple sections(set->ribs.size()), parts(set->ribs.size());
  for (std::size_t i = 0; i < set->ribs.size(); ++i) {
    sections[i] = py::cast(SectionObject(set->ribs[i].profile));
    parts[i] = partOf(set->ribs[i]);
  }
  return py::reinterpret_borrow<py::object>(ribSetClass)(tupleOf(svg), dxf, report, json, sections,
                                                         parts);
}

py::object hotWire(py::handle root, py::handle tip, py::handle rootChord, py::handle tipChord,
                   py::handle span, py::handle sweep, py::handle washout, py::handle twistAxis,
                   bool ruled, py::handle name, py::handle sheeting, py::handle spars,
                   py::handle points, py::handle kerf, py::handle feed, py::handle leadIn,
                   py::handle towers) {
  const WingPanel panel =
      panelOf({root, tip, rootChord, tipChord, span, sweep, washout, twistAxis, name, ruled});
  RibFeatures features;
  features.sheeting = sheetingOf(sheeting);
  std::size_t number = 0;
  for (py::handle spar : py::iter(spars)) features.spars.push_back(sparOf(spar, ++number));
  HotWireOptions options;
  const auto count = wholeNumber(points);
  if (!count) throw py::type_error("points must be an int, not " + typeName(points));
  options.points = *count;
  if (PyTuple_Check(kerf.ptr()) || PyList_Check(kerf.ptr())) {
    const auto pair = py::reinterpret_borrow<py::sequence>(kerf);
    if (pair.size() != 2) throw py::value_error("kerf is one length or (root, tip)");
    options.kerfRootMm = lengthOf(pair[0], "the root's kerf");
    options.kerfTipMm = lengthOf(pair[1], "the tip's kerf");
  } else {
    options.kerfRootMm = options.kerfTipMm = lengthOf(kerf, "kerf");
  }
  options.feedMmPerMinute = numberOf(feed, "feed");
  options.leadInMm = lengthOf(leadIn, "lead_in");
  if (!towers.is_none()) {
    const auto pair = py::reinterpret_borrow<py::sequence>(towers);
    if (pair.size() != 2) throw py::value_error("towers is (spacing, root_face)");
    options.towerSpacingMm = lengthOf(pair[0], "the towers' spacing");
    options.rootFaceMm = lengthOf(pair[1], "the root face's distance");
  }
  Result<HotWireCut> cut = Error{};
  Result<std::string> gcode = Error{};
  {
    py::gil_scoped_release unlocked;
    cut = hotWireCut(panel, features, options);
    if (cut) gcode = hotWireGcode(*cut, panel, options);
  }
  if (!cut) raise(cut.error());
  if (!gcode) raise(gcode.error());
  return py::reinterpret_borrow<py::object>(hotWireClass)(py::cast(SectionObject(cut->root)),
                                                          py::cast(SectionObject(cut->tip)),
                                                          tupleOf(cut->matched), *gcode);
}

PyObject* namedTupleClass(py::module_& module, const char* name, const char* fields,
                          const char* doc) {
  py::object type = py::module_::import("collections")
                        .attr("namedtuple")(name, fields, py::arg("module") = "tarvex");
  type.attr("__doc__") = doc;
  module.add_object(name, type);
  return type.release().ptr();
}

constexpr const char* kPanelDoc =
    "root, tip: tarvex.Section objects, coordinate files or NACA designations ('2412'); "
    "without a tip the root's section all along.\n"
    "root_chord, tip_chord (default: the root's), span: lengths, numbers in mm or str with "
    "their unit ('250mm', '10in').\n"
    "sweep: the tip's leading edge aft of the root's, a length, or an angle as '5deg'.\n"
    "washout: the tip's nose down in degrees, growing linearly from the root, about "
    "twist_axis of the chord (0.25).\n"
    "ruled: blend at the span fraction weighted by the chords, so that every point lies on "
    "the straight line from root to tip (straight spars sit flush, as on a hot-wire core); "
    "False: at the span fraction itself.\n"
    "sheeting: a thickness over the whole rib, (thickness, to) from the leading edge to that "
    "fraction of the chord on both sides, or (thickness, top_to, bottom_to).\n"
    "spars: (position, width, depth[, side]) each, or dicts of position, tip_position, width, "
    "depth and side ('top', 'bottom' or 'both'); a position is a fraction (0.3, '30%') or a "
    "length from the leading edge ('75mm'), at the root, and the spar runs straight to "
    "tip_position (default: the same) in the tip rib.\n";

}  // namespace

void addRibs(py::module_& module) {
  ribSetClass = namedTupleClass(
      module, "RibSet", "sheets dxf report json ribs parts",
      "The ribs of tarvex.ribs(): sheets, one SVG document (str) per sheet; dxf, every sheet in "
      "one DXF R2000 drawing (str); report and json, the report as a table and as JSON; ribs, "
      "each rib's section (tarvex.Section: the blend at its station, at its chord in mm, turned "
      "by its washout) from the root; parts, each rib as cut (tarvex.RibPart).");
  ribPartClass = namedTupleClass(
      module, "RibPart",
      "number station chord twist leading_edge notch_depths sheet x y rotation outline holes "
      "engraving text",
      "One rib as cut, in its own coordinates (mm: x aft from its leading edge before the "
      "washout, y up from the chord plane): number from 1 at the root; station, chord, twist "
      "(degrees, nose down) and leading_edge (its x in the wing); notch_depths of each spar "
      "notch; sheet (an index into RibSet.sheets), and x, y, rotation: the part turned by "
      "rotation degrees about its origin, then moved by (x, y) from the sheet's lower left "
      "corner; outline (N x 2, closed, the kerf allowed for), holes (K x 3: x, y, radius), "
      "engraving (the strokes, each M x 2) and the text they spell.");
  hotWireClass = namedTupleClass(
      module, "HotWire", "root tip matched gcode",
      "A foam core from tarvex.hot_wire(): root and tip outlines (tarvex.Section, mm, Selig "
      "order) with the same number of points, the indices of the matched points (trailing "
      "edge, leading edge, the spars' sides), and four-axis G-code (str).");

  static const std::string ribsDoc =
      std::string(
          "ribs(root, tip=None, *, root_chord, tip_chord=None, span, ribs=None, "
          "stations=None, sweep=0, washout=0, twist_axis=0.25, ruled=True, "
          "name='', sheeting=None, spars=(), le_stock=None, te_stock=0, "
          "holes=(), hole_size=0.6, web=2, tabs=(), tab_width=6, "
          "tab_length=10, engrave=True, label='R', sheet='A4', gap=3, "
          "margin=5, kerf=0, stroke=0.1) -> RibSet\n\n"
          "The ribs of a wing panel, each the blend of root and tip at its "
          "station, at its chord, turned by its washout, with its features, "
          "nested on sheets for a laser cutter, as `tarvex ribs` makes them.\n\n"
          "ribs: this many, evenly from the root to the tip; or stations: "
          "their distances from the root.\n") +
      kPanelDoc +
      "le_stock: (depth, height) of a notch for a leading-edge stock; te_stock: the "
      "thickness where each rib ends square.\n"
      "holes: lightening holes at these fractions of the chord, hole_size times the "
      "rib's depth across; web: the least material around holes and under notches.\n"
      "tabs: jig tabs at these fractions, tab_width wide, down to one flat board "
      "tab_length below the lowest rib.\n"
      "engrave: the label, number and chord scored on each rib.\n"
      "sheet: 'A4', 'A3' (taken across), 'WxH' or (width, height) in mm; gap between "
      "parts, margin along the edges, kerf of the cut (outlines move out by half), "
      "stroke: the SVG's line width.\n\n"
      "Raises ValueError with the reason for anything that cannot be made (a notch "
      "deeper than the rib, a hole that does not fit, a part larger than the sheet, "
      "...).";
  static const std::string hotWireDoc =
      std::string(
          "hot_wire(root, tip=None, *, root_chord, tip_chord=None, span, "
          "sweep=0, washout=0, twist_axis=0.25, ruled=True, name='', "
          "sheeting=None, spars=(), points=201, kerf=0, feed=300, lead_in=10, "
          "towers=None) -> HotWire\n\n"
          "The panel's foam core for a four-axis hot-wire cutter: root and tip "
          "outlines with the same number of points, matched at the trailing "
          "edge, the leading edge and the spars' sides, and G-code.\n\n") +
      kPanelDoc +
      "points: of each outline (an even count gives one more); kerf: the wire's cut, "
      "one length or (root, tip), each outline moved out by half; feed in mm/min; "
      "lead_in: where the wire starts behind the trailing edge; towers: (spacing, "
      "root_face), the G-code then moves the towers.";
  module.def("ribs", &ribs, arg("root"), arg("tip") = py::none(), py::kw_only(), arg("root_chord"),
             arg("tip_chord") = py::none(), arg("span"), arg("ribs") = py::none(),
             arg("stations") = py::none(), arg("sweep") = 0.0, arg("washout") = 0.0,
             arg("twist_axis") = 0.25, arg("ruled") = true, arg("name") = "",
             arg("sheeting") = py::none(), arg("spars") = py::tuple(), arg("le_stock") = py::none(),
             arg("te_stock") = 0.0, arg("holes") = py::tuple(), arg("hole_size") = 0.6,
             arg("web") = 2.0, arg("tabs") = py::tuple(), arg("tab_width") = 6.0,
             arg("tab_length") = 10.0, arg("engrave") = true, arg("label") = "R",
             arg("sheet") = "A4", arg("gap") = 3.0, arg("margin") = 5.0, arg("kerf") = 0.0,
             arg("stroke") = 0.1, ribsDoc.c_str());
  module.def("hot_wire", &hotWire, arg("root"), arg("tip") = py::none(), py::kw_only(),
             arg("root_chord"), arg("tip_chord") = py::none(), arg("span"), arg("sweep") = 0.0,
             arg("washout") = 0.0, arg("twist_axis") = 0.25, arg("ruled") = true, arg("name") = "",
             arg("sheeting") = py::none(), arg("spars") = py::tuple(), arg("points") = 201,
             arg("kerf") = 0.0, arg("feed") = 300.0, arg("lead_in") = 10.0,
             arg("towers") = py::none(), hotWireDoc.c_str());
}

}  // namespace tarvex::python
