// The Python module tarvex: the engine's C++ interface (tarvex.hpp) with
// numpy arrays, exceptions and keyword arguments. The engine works without
// the interpreter lock, so threads convert side by side.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "errors.h"
#include "section_object.h"
#include "tarvex.hpp"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "unknown"
#endif

namespace tarvex::python {

// The shortest decimal that names the engine's single-precision value, so
// that 0.08223104 prints as such and not as 0.08223103731870651.
double shortest(float value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  double wide = static_cast<double>(value);
  if (error == std::errc() && std::isfinite(value)) std::from_chars(text, end, wide);
  return wide;
}

std::string typeName(py::handle object) { return py::str(py::type::of(object).attr("__name__")); }

// An int (or numpy integer) within the range of int, else nothing.
std::optional<int> wholeNumber(py::handle value) {
  if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr())) return std::nullopt;
  const auto index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
  if (!index) throw py::error_already_set();
  int overflow = 0;
  const long number = PyLong_AsLongAndOverflow(index.ptr(), &overflow);
  if (overflow != 0 || number < std::numeric_limits<int>::min() ||
      number > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(number);
}

py::array_t<double> readOnlyArray(const std::vector<float>& values) {
  py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
  double* data = array.mutable_data();
  for (std::size_t i = 0; i < values.size(); ++i) data[i] = static_cast<double>(values[i]);
  // The engine keeps its own copy: a changed array would not change what
  // write() writes, so it cannot be changed.
  array.attr("setflags")(py::arg("write") = false);
  return array;
}

py::object sectionFrom(Result<Section>& result, py::handle filename) {
  if (!result) raise(result.error(), filename);
  return py::cast(SectionObject(std::move(*result)));
}

namespace {

namespace fs = std::filesystem;

// The named-tuple classes made at import; they live as long as the module.
PyObject* propertiesClass = nullptr;
PyObject* figuresClass = nullptr;
PyObject* formatClass = nullptr;
PyObject* convertResultClass = nullptr;

// A cosine redistribution of more points than the engine's station limit
// allows (1000 stations, both surfaces) serves nobody and only costs memory.
constexpr int kMostCosinePoints = 1999;

py::object namedTuple(py::module_& module, const char* name, const char* fields, const char* doc,
                      std::initializer_list<const char*> fieldDocs) {
  py::object type = py::module_::import("collections")
                        .attr("namedtuple")(name, fields, py::arg("module") = "tarvex");
  type.attr("__doc__") = doc;
  const py::tuple names = type.attr("_fields");
  std::size_t i = 0;
  for (const char* fieldDoc : fieldDocs) {
    if (i >= names.size()) break;
    type.attr(names[i++]).attr("__doc__") = fieldDoc;
  }
  module.add_object(name, type);
  return type;
}

bool isPathLike(py::handle object) { return py::hasattr(object, "__fspath__"); }

// A path argument as a str for messages and exceptions, as os.fsdecode
// gives it.
py::object fileNameOf(py::handle path) {
  py::object name = py::reinterpret_borrow<py::object>(path);
  if (isPathLike(path)) {
    name = py::reinterpret_steal<py::object>(PyOS_FSPath(path.ptr()));
    if (!name) throw py::error_already_set();
  }
  if (PyBytes_Check(name.ptr())) {
    return fileNameText(std::string(PyBytes_AS_STRING(name.ptr()),
                                    static_cast<std::size_t>(PyBytes_GET_SIZE(name.ptr()))));
  }
  return name;
}

// A Python number in single precision; beyond its range it is infinite
// (a plain conversion would be undefined there).
float single(py::handle value) {
  const double wide = PyFloat_AsDouble(value.ptr());
  if (wide == -1.0 && PyErr_Occurred() != nullptr) throw py::error_already_set();
  if (wide > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
  if (wide < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(wide);
}

// A path argument (str, bytes or os.PathLike) as the file system spells it.
fs::path pathOf(py::handle object, const char* what) {
  py::object path = py::reinterpret_borrow<py::object>(object);
  if (isPathLike(object)) {
    path = py::reinterpret_steal<py::object>(PyOS_FSPath(object.ptr()));
    if (!path) throw py::error_already_set();
  }
  if (PyUnicode_Check(path.ptr())) {
    path = py::reinterpret_steal<py::object>(PyUnicode_EncodeFSDefault(path.ptr()));
    if (!path) throw py::error_already_set();
  }
  if (!PyBytes_Check(path.ptr())) {
    throw py::type_error(std::string(what) + " must be a path (str, bytes or os.PathLike), not " +
                         typeName(object));
  }
  const std::string bytes(PyBytes_AS_STRING(path.ptr()),
                          static_cast<std::size_t>(PyBytes_GET_SIZE(path.ptr())));
  // The system would take the name up to the zero byte: refused as open() does.
  if (bytes.find('\0') != std::string::npos) throw py::value_error("embedded null byte");
  return fs::path(bytes);
}

const FormatRow& formatOf(py::handle format) {
  const FormatRow* row = nullptr;
  if (PyBool_Check(format.ptr())) {
    // True is 1 to Python, but nobody means the first format by it.
  } else if (PyIndex_Check(format.ptr())) {
    if (const auto number = wholeNumber(format)) row = formatByNumber(*number);
  } else if (PyUnicode_Check(format.ptr())) {
    const std::string name = py::str(format);
    int digits = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), digits);
    if (!name.empty() && error == std::errc() && end == name.data() + name.size()) {
      row = formatByNumber(digits);
    }
    for (const FormatRow& candidate : kFormats) {
      if (row != nullptr) break;
      if (candidate.shortName.size() != name.size()) continue;
      bool same = true;
      for (std::size_t i = 0; i < name.size() && same; ++i) {
        same = std::tolower(static_cast<unsigned char>(name[i])) ==
               static_cast<unsigned char>(candidate.shortName[i]);
      }
      if (same) row = &candidate;
    }
  } else if (py::hasattr(format, "number")) {
    return formatOf(format.attr("number"));
  } else {
    throw py::type_error("format must be a number, a short name or a tarvex.Format, not " +
                         typeName(format));
  }
  if (row != nullptr) return *row;
  std::string choices;
  for (const FormatRow& candidate : kFormats) {
    choices.append(choices.empty() ? "" : ", ").append(candidate.shortName);
  }
  throw py::value_error("unknown format " + std::string(py::repr(format)) + "; the formats are 1-" +
                        std::to_string(kFormats.size()) + " or one of: " + choices);
}

float factor(py::handle value, const char* name) {
  const float narrow = single(value);
  if (!std::isfinite(narrow)) {
    throw py::value_error(std::string(name) + " factor " + std::string(py::repr(value)) +
                          " is not a finite single-precision number");
  }
  return narrow;
}

std::string dateText(py::handle date) {
  if (date.is_none()) return {};
  if (PyUnicode_Check(date.ptr())) return py::cast<std::string>(date);
  if (py::hasattr(date, "strftime"))
    return py::cast<std::string>(date.attr("strftime")("%m/%d/%y"));
  throw py::type_error("date must be None, a str MM/DD/YY or a datetime.date");
}

// The drawing and mesh formats' options as Python gives them.
struct DrawingArguments {
  py::handle chord, skin, stroke, farfield, meshSize;
  bool label = false, chordLine = false, spline = false;
};

// A length in millimetres: a number, or a str with its unit (mm, cm, m, in).
float millimetres(py::handle value, const char* name) {
  if (PyUnicode_Check(value.ptr())) {
    const std::string text = py::cast<std::string>(value);
    if (const auto length = parseLength(text)) return *length;
    throw py::value_error(std::string(name) + " " + text +
                          " is not a length: a number of 0 or more with mm (the default), cm, m "
                          "or in");
  }
  const auto number = py::reinterpret_steal<py::object>(PyNumber_Float(value.ptr()));
  if (!number) throw py::error_already_set();
  const float narrow = single(number);
  if (!std::isfinite(narrow) || narrow < 0.0f) {
    throw py::value_error(std::string(name) + " must be a finite length of at least 0");
  }
  return narrow;
}

DrawingOptions drawingOptions(const DrawingArguments& a) {
  DrawingOptions drawing;
  if (!a.chord.is_none()) drawing.chordMm = millimetres(a.chord, "chord");
  if (!a.skin.is_none()) drawing.skinMm = millimetres(a.skin, "skin");
  if (!a.stroke.is_none()) drawing.strokeMm = millimetres(a.stroke, "stroke");
  if (!a.farfield.is_none()) drawing.farfieldChords = factor(a.farfield, "the far field's");
  if (!a.meshSize.is_none()) drawing.meshSizeChords = factor(a.meshSize, "the mesh size");
  drawing.label = a.label;
  drawing.chordLine = a.chordLine;
  drawing.spline = a.spline;
  return drawing;
}

WriteOptions writeOptions(py::handle format, bool comments, bool keepSize, py::handle scale,
                          py::handle date, const DrawingArguments& drawing = {}) {
  WriteOptions options;
  options.drawing = drawingOptions(drawing);
  options.format = formatOf(format).number;
  options.comments = comments;
  options.keepSize = keepSize;
  if (!PySequence_Check(scale.ptr()) || PyUnicode_Check(scale.ptr()) ||
      PySequence_Size(scale.ptr()) != 2) {
    PyErr_Clear();
    throw py::value_error("scale must be a pair of factors (x, y)");
  }
  const auto factors = py::reinterpret_borrow<py::sequence>(scale);
  options.xFactor = factor(factors[0], "the x");
  options.yFactor = factor(factors[1], "the y");
  options.date = dateText(date);
  return options;
}

std::vector<float> stationsOf(py::handle stations) {
  std::vector<float> values;
  for (py::handle value : py::iter(stations)) {
    // Beyond single precision becomes infinite, which the check refuses.
    values.push_back(single(value));
  }
  return values;
}

py::tuple textLines(const std::vector<std::string>& lines) {
  py::tuple out(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) out[i] = inputText(lines[i]);
  return out;
}

// Points are no coordinate text: a numpy array would otherwise be read as
// the bytes of its numbers, and a list says nothing of its layout.
void refusePoints(py::handle source, const char* what) {
  if (PyList_Check(source.ptr()) || PyTuple_Check(source.ptr()) ||
      py::hasattr(source, "__array_interface__") || py::hasattr(source, "__array__")) {
    throw py::type_error(std::string(what) +
                         " takes a path, coordinate text or an open file, not " + typeName(source) +
                         "; make a section of points with tarvex.Section(x, y) or "
                         "tarvex.Section.from_coordinates(points)");
  }
}

py::object readText(py::handle text) {
  refusePoints(text, "read_text()");
  Result<Section> result = Error{};
  if (PyUnicode_Check(text.ptr())) {
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
    if (data == nullptr) throw py::error_already_set();
    // The str keeps its UTF-8 form as long as it lives, and it outlives the call.
    py::gil_scoped_release unlocked;
    result = tarvex::readText(std::string_view(data, static_cast<std::size_t>(size)));
  } else if (PyBytes_Check(text.ptr())) {
    const std::string_view data(PyBytes_AS_STRING(text.ptr()),
                                static_cast<std::size_t>(PyBytes_GET_SIZE(text.ptr())));
    py::gil_scoped_release unlocked;
    result = tarvex::readText(data);
  } else if (PyObject_CheckBuffer(text.ptr())) {
    // A bytearray or memoryview can change under another thread: read a copy.
    return readText(py::reinterpret_steal<py::object>(PyBytes_FromObject(text.ptr())));
  } else {
    throw py::type_error("coordinate text must be str or bytes, not " + typeName(text));
  }
  return sectionFrom(result, py::none());
}

py::object readFileAt(py::handle path) {
  const fs::path file = pathOf(path, "the file");
  Result<Section> result = Error{};
  {
    py::gil_scoped_release unlocked;
    result = tarvex::readFile(file);
  }
  if (!result) raise(result.error(), fileNameOf(path));
  return sectionFrom(result, py::none());
}

py::object readSource(py::handle source) {
  if (PyUnicode_Check(source.ptr())) {
    // A str with a line end is text; a file name never holds one in practice.
    const Py_ssize_t length = PyUnicode_GetLength(source.ptr());
    for (const Py_UCS4 end : {Py_UCS4{'\n'}, Py_UCS4{'\r'}}) {
      const Py_ssize_t at = PyUnicode_FindChar(source.ptr(), end, 0, length, 1);
      if (at == -2) throw py::error_already_set();
      if (at >= 0) return readText(source);
    }
    return readFileAt(source);
  }
  if (isPathLike(source)) return readFileAt(source);
  refusePoints(source, "read()");
  if (PyBytes_Check(source.ptr()) || PyObject_CheckBuffer(source.ptr())) return readText(source);
  if (py::hasattr(source, "read")) return readText(source.attr("read")());
  throw py::type_error("read() takes a path, coordinate text (str or bytes) or an open file, not " +
                       typeName(source));
}

py::object sectionX(SectionObject& self) {
  if (!self.x) self.x = readOnlyArray(self.section.x);
  return self.x;
}

py::object sectionY(SectionObject& self) {
  if (!self.y) self.y = readOnlyArray(self.section.y);
  return self.y;
}

py::object sectionFigures(SectionObject& self) {
  if (!self.figures) {
    Result<Figures> figures = Error{};
    {
      py::gil_scoped_release unlocked;
      figures = figuresOf(self.section);
    }
    if (!figures) raise(figures.error());
    const Figures& f = *figures;
    self.figures = py::reinterpret_borrow<py::object>(figuresClass)(
        shortest(f.maxThickness), shortest(f.maxThicknessX), shortest(f.maxCamber),
        shortest(f.maxCamberX), shortest(f.trailingEdgeThickness), shortest(f.leadingEdgeRadius));
  }
  return self.figures;
}

py::object sectionProperties(SectionObject& self) {
  if (!self.properties) {
    const Properties& p = self.section.properties;
    self.properties = py::reinterpret_borrow<py::object>(propertiesClass)(
        shortest(p.area), shortest(p.xs), shortest(p.ys), shortest(p.ixs), shortest(p.iys),
        shortest(p.circumference), shortest(p.x0), shortest(p.y0), shortest(p.ix0),
        shortest(p.iy0));
  }
  return self.properties;
}

py::object writeSection(const SectionObject& self, py::handle target, py::handle format,
                        bool comments, bool keepSize, py::handle scale, bool append,
                        py::handle date, py::handle chord, py::handle skin, py::handle stroke,
                        bool label, bool chordLine, py::handle farfield, py::handle meshSize,
                        bool spline) {
  const WriteOptions options =
      writeOptions(format, comments, keepSize, scale, date,
                   {chord, skin, stroke, farfield, meshSize, label, chordLine, spline});
  if (target.is_none()) {
    if (append) throw py::value_error("append needs a target file");
    Result<std::string> text = Error{};
    {
      py::gil_scoped_release unlocked;
      text = writeText(self.section, options);
    }
    if (!text) raise(text.error());
    // The engine writes ISO 8859-1; Latin-1 text gives back each byte as it
    // is, with .encode("latin-1").
    return py::reinterpret_steal<py::object>(
        PyUnicode_DecodeLatin1(text->data(), static_cast<Py_ssize_t>(text->size()), nullptr));
  }
  const fs::path file = pathOf(target, "the target");
  Error error;
  {
    py::gil_scoped_release unlocked;
    error = writeFile(self.section, file, options, append);
  }
  if (error) raise(error);
  return py::none();
}

// A count of cosine-spaced points for a redistribution.
int cosineCount(py::handle count, const char* what) {
  if (PyBool_Check(count.ptr()) || !PyIndex_Check(count.ptr())) {
    throw py::type_error(std::string(what) + " must be an int, not " + typeName(count));
  }
  const int points = wholeNumber(count).value_or(0);
  if (points < 3 || points > kMostCosinePoints) {
    throw py::value_error("a cosine redistribution takes 3 to " +
                          std::to_string(kMostCosinePoints) + " points, not " +
                          std::string(py::repr(count)));
  }
  return points;
}

py::object redistributed(const SectionObject& self, py::handle stations, py::handle count) {
  if (!stations.is_none() && !count.is_none()) {
    throw py::value_error("give either stations or a count of cosine-spaced points, not both");
  }
  Result<Section> result = Error{};
  if (!count.is_none()) {
    const int points = cosineCount(count, "count");
    py::gil_scoped_release unlocked;
    result = redistributeCosine(self.section, points);
  } else {
    const std::vector<float> given =
        stations.is_none() ? std::vector<float>() : stationsOf(stations);
    if (!stations.is_none() && given.empty()) throw py::value_error("the station list is empty");
    py::gil_scoped_release unlocked;
    const auto list = given.empty() ? defaultStations() : std::span<const float>(given);
    // Room for both surfaces on every station, however many there are.
    const int capacity = std::max(self.section.size(), 2 * static_cast<int>(list.size()) - 1);
    result = redistribute(self.section, list, capacity);
  }
  return sectionFrom(result, py::none());
}

std::string sectionRepr(SectionObject& self) {
  std::string text = "<tarvex.Section " + std::string(py::repr(inputText(self.section.name))) +
                     ": " + std::to_string(self.section.size()) + " points";
  if (const auto thickness = thicknessPerCent(self)) {
    char figure[48];
    std::snprintf(figure, sizeof figure, ", %.1f %% thick", *thickness);
    text += figure;
  }
  return text + ">";
}

py::list formats() {
  py::list rows;
  for (const FormatRow& row : kFormats) {
    rows.append(py::reinterpret_borrow<py::object>(formatClass)(
        row.number, std::string(row.shortName), std::string(row.extension), std::string(row.title),
        row.pairsSurfaces, row.perCent, row.commentsBreakIt));
  }
  return rows;
}

// An output left alone under no_clobber, as the OSError that opening it
// with O_EXCL would give.
Error leftAlone(const std::filesystem::path& target) {
  return {Status::outputNotWritable,
          nameForMessage(target.string()) + ": exists, left alone (no_clobber)", target.string(),
          EEXIST};
}

py::list convert(py::handle inputs, py::handle output, py::handle outputDir, py::handle format,
                 bool comments, bool redistribute, py::handle stations, bool keepSize,
                 py::handle scale, bool append, bool noClobber, py::handle date, py::handle chord,
                 py::handle skin, py::handle stroke, bool label, bool chordLine,
                 py::handle farfield, py::handle meshSize, bool spline, py::handle points) {
  if (!output.is_none() && !outputDir.is_none()) {
    throw py::value_error("give output or output_dir, not both");
  }
  BatchSettings request;
  std::vector<std::filesystem::path> inputPaths;
  request.options =
      writeOptions(format, comments, keepSize, scale, date,
                   {chord, skin, stroke, farfield, meshSize, label, chordLine, spline});
  // One path alone is one input, not a sequence of characters.
  py::list given;
  if (PyUnicode_Check(inputs.ptr()) || PyBytes_Check(inputs.ptr()) || isPathLike(inputs)) {
    given.append(inputs);
  } else {
    for (py::handle input : py::iter(inputs)) given.append(input);
  }
  for (py::handle input : given) inputPaths.push_back(pathOf(input, "each input"));
  if (!output.is_none()) request.outputFile = pathOf(output, "output");
  if (!outputDir.is_none()) request.outputFolder = pathOf(outputDir, "output_dir");
  if (append && output.is_none() && outputDir.is_none()) {
    throw py::value_error("append needs output or output_dir");
  }
  request.redistribute = redistribute || !stations.is_none();
  if (!points.is_none()) {
    if (request.redistribute) {
      throw py::value_error("give points or redistribute and stations, not both");
    }
    request.cosinePoints = cosineCount(points, "points");
  }
  if (!stations.is_none()) {
    auto checked = checkStations(stationsOf(stations));
    if (!checked) raise(checked.error());
    request.stations = std::move(*checked);
  }
  request.append = append;
  request.noClobber = noClobber;

  Batch batch(request, inputPaths);
  Error started;
  {
    py::gil_scoped_release unlocked;
    started = batch.start();
  }
  if (started) raise(started);
  std::vector<BatchOutcome> outcomes;
  for (const std::filesystem::path& input : inputPaths) {
    {
      py::gil_scoped_release unlocked;
      outcomes.push_back(batch.convertFile(input));
    }
    // Ctrl-C between two files stops the batch; an uncommitted single
    // output file leaves nothing behind.
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  }
  Error finished;
  {
    py::gil_scoped_release unlocked;
    finished = batch.finish();
  }
  py::list results;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    BatchOutcome& outcome = outcomes[i];
    if (finished && outcome.kind == BatchOutcome::Kind::converted) {
      // Nothing of the single output file was put in place.
      outcome.kind = BatchOutcome::Kind::failed;
      outcome.error = finished;
    }
    if (outcome.kind == BatchOutcome::Kind::skipped) outcome.error = leftAlone(outcome.target);
    const bool ok = outcome.kind == BatchOutcome::Kind::converted;
    const py::object input = given[i];
    const py::object name = fileNameOf(input);
    results.append(py::reinterpret_borrow<py::object>(convertResultClass)(
        input,
        request.outputFile || request.outputFolder
            ? py::object(fileNameText(outcome.target.string()))
            : py::object(py::none()),
        ok, ok ? py::object(py::none()) : exceptionFor(outcome.error, name),
        ok && !request.outputFile && !request.outputFolder
            ? py::reinterpret_steal<py::object>(PyUnicode_DecodeLatin1(
                  outcome.text.data(), static_cast<Py_ssize_t>(outcome.text.size()), nullptr))
            : py::object(py::none())));
  }
  return results;
}

}  // namespace
}  // namespace tarvex::python

PYBIND11_MODULE(tarvex, module) {
  using namespace tarvex::python;
  using pybind11::arg;
  // pybind11 would name the Python-typed arguments "handle"; each docstring
  // starts with its signature in Python's terms instead.
  pybind11::options options;
  options.disable_function_signatures();

  module.doc() =
      "Read, inspect, redistribute and write airfoil coordinate files.\n\n"
      "Read a section in any layout the engine recognises, look at its properties, "
      "redistribute it, and write it in any of the output formats:\n\n"
      "    import tarvex\n"
      "    section = tarvex.read('naca2412.dat')\n"
      "    print(section.properties.area)\n"
      "    section.write('naca2412.dxf', format='dxf')\n\n"
      "Coordinates are the engine's single-precision values. Failures raise exceptions: "
      "ReadError for input that holds no section, OSError (FileNotFoundError, "
      "IsADirectoryError, ...) for file problems, FieldOverflowError when a number does not "
      "fit its field, ValueError for bad arguments. The engine runs without the interpreter "
      "lock, so threads convert in parallel.";
  module.attr("__version__") = TARVEX_VERSION;

  addExceptions(module);
  propertiesClass =
      namedTuple(
          module, "Properties", "area xs ys ixs iys circumference x0 y0 ix0 iy0",
          "Section properties in chord units c, of the section as read and normalised "
          "to unit chord. The engine computes them in single precision; each field is "
          "the shortest decimal of that value.",
          {"area of the section [c^2]", "x of the area centroid [c]", "y of the area centroid [c]",
           "second moment of area about the centroid's x axis [c^4]",
           "second moment of area about the centroid's y axis [c^4]",
           "length of the contour line [c]", "x of the contour line's centroid [c]",
           "y of the contour line's centroid [c]",
           "second moment of the area about the contour centroid's x axis [c^4]",
           "second moment of the area about the contour centroid's y axis [c^4]"})
          .release()
          .ptr();
  figuresClass =
      namedTuple(module, "Figures",
                 "max_thickness max_thickness_x max_camber max_camber_x "
                 "trailing_edge_thickness leading_edge_radius",
                 "The figures people look for first, in chord units c, from the upper and "
                 "lower surface on common x-stations (as format 16 lists them).",
                 {"largest distance between the surfaces [c]", "its x [c]",
                  "the camber farthest from zero, with its sign [c]", "its x [c]",
                  "the gap between the first and the last point [c]",
                  "radius of the round nose fitted over the points next to the point of "
                  "smallest x [c]; nan when they form none"})
          .release()
          .ptr();
  formatClass = namedTuple(module, "Format",
                           "number name extension title pairs_surfaces per_cent comments_break_it",
                           "One output format of the engine's format table.",
                           {"the format's number", "its short name (as on the command line)",
                            "default file extension, without the dot", "one-line description",
                            "True when it writes upper and lower surface side by side on common "
                            "x-stations",
                            "True when every coordinate is written multiplied by 100",
                            "True when comment lines make the file unreadable for other programs"})
                    .release()
                    .ptr();
  convertResultClass =
      namedTuple(module, "ConvertResult", "input output ok error text",
                 "The outcome of one input of tarvex.convert().",
                 {"the input as it was given", "the output file (None when none was named)",
                  "True when the input was converted",
                  "the exception saying why not (None when ok); an existing output left "
                  "alone under no_clobber is a FileExistsError",
                  "the converted text (str, ISO 8859-1 decoded) when no output was named, "
                  "else None"})
          .release()
          .ptr();

  py::class_<SectionObject> sectionClass(
      module, "Section",
      "One airfoil section. Read by tarvex.read(), it is normalised to unit chord: x from 0 at "
      "the leading edge to 1, y from the mean of the trailing-edge points; tarvex.naca() and "
      "Section(x, y) make one. The points run from the trailing edge over the upper surface to "
      "the leading edge and back over the lower surface. A section never changes.");
  sectionClass
      .def_property_readonly(
          "name", [](const SectionObject& self) { return inputText(self.section.name); },
          "The section's name: the input's first line when it is not numbers.")
      .def_property_readonly("x", &sectionX,
                             "x of every point (numpy float64 array, read-only): the engine's "
                             "single-precision values.")
      .def_property_readonly("y", &sectionY,
                             "y of every point (numpy float64 array, read-only), as x.")
      .def_property_readonly(
          "layout",
          [](const SectionObject& self) { return std::string(layoutName(self.section.layout)); },
          "How the input laid out its points: 'two columns', 'three columns', 'counted two "
          "columns', 'four columns', 'CEF', 'DXF' or 'XML'; 'points' for a section made from "
          "points or by tarvex.naca().")
      .def_property_readonly(
          "comments", [](const SectionObject& self) { return textLines(self.section.comments); },
          "The input's lines that are not numbers, as a conversion with comments repeats them "
          "(tuple of str).")
      .def_property_readonly(
          "notices", [](const SectionObject& self) { return textLines(self.section.notices); },
          "Lines the reader writes ahead of every output, comments or not, each with its "
          "leading '; ' (the DXF reader's note on spline control points).")
      .def_property_readonly("figures", &sectionFigures,
                             "Maximum thickness and camber with their x, trailing-edge "
                             "thickness and leading-edge radius (tarvex.Figures).")
      .def_property_readonly("properties", &sectionProperties,
                             "Area, centroid, second moments and contour figures "
                             "(tarvex.Properties) of the section as read.")
      .def_property_readonly(
          "points_read", [](const SectionObject& self) { return self.section.pointsRead; },
          "How many points the input held (before any redistribution).")
      .def_property_readonly(
          "x_range",
          [](const SectionObject& self) {
            return py::make_tuple(shortest(self.section.xmin), shortest(self.section.xmax));
          },
          "The input's x-range (min, max) before it was normalised to unit chord.")
      .def(
          "__len__", [](const SectionObject& self) { return self.section.x.size(); },
          "__len__() -> int\n\nThe number of points.")
      .def("__repr__", &sectionRepr)
      .def("write", &writeSection, arg("target") = py::none(), arg("format") = 1, py::kw_only(),
           arg("comments") = false, arg("keep_size") = false,
           py::arg_v("scale", py::make_tuple(1.0, 1.0), "(1.0, 1.0)"), arg("append") = false,
           arg("date") = py::none(), arg("chord") = py::none(), arg("skin") = py::none(),
           arg("stroke") = py::none(), arg("label") = false, arg("chord_line") = false,
           arg("farfield") = py::none(), arg("mesh_size") = py::none(), arg("spline") = false,
           "write(target=None, format=1, *, comments=False, keep_size=False, scale=(1.0, 1.0), "
           "append=False, date=None, chord=None, skin=None, stroke=None, label=False, "
           "chord_line=False, farfield=None, mesh_size=None, spline=False) -> str | None\n\n"
           "Writes the section in an output format.\n\n"
           "target: a path (str, bytes or os.PathLike); the file is replaced as a whole (or "
           "appended to, with append=True) and stays as it was when writing fails. None "
           "returns the output as a str instead, decoded as ISO 8859-1 (Latin-1), so "
           "text.encode('latin-1') gives the bytes a file would hold.\n"
           "format: a number, a short name (see tarvex.formats()) or a tarvex.Format.\n"
           "comments: write the input's comment lines and the section properties before the "
           "data (some formats become unreadable for other programs).\n"
           "keep_size: back at the input's own x-range instead of unit chord.\n"
           "scale: (x, y) factors every coordinate is multiplied by.\n"
           "date: what the formats that carry a date write (datetime.date or 'MM/DD/YY'); "
           "None: today.\n"
           "The drawing and mesh formats (svg, gmsh, dxf2000): chord, the chord's length (a "
           "number in mm or a str such as '250mm', '10in', '0.3m'); skin, the SVG rib inside a "
           "skin this thick; stroke, the SVG line width (0.1 mm); label and chord_line, the "
           "name and the chord in an SVG; farfield, a Gmsh circle of this many chords around "
           "the section; mesh_size, the Gmsh element size in chords (0.02); spline, splines "
           "through the points in Gmsh and DXF.\n\n"
           "Raises FieldOverflowError when a number does not fit its field, WriteError when "
           "the surfaces cannot be paired, OSError when the file cannot be written.")
      .def("redistribute", &redistributed, arg("stations") = py::none(), py::kw_only(),
           arg("count") = py::none(),
           "redistribute(stations=None, *, count=None) -> Section\n\n"
           "A new section on other x-stations, upper and lower surface at the same x.\n\n"
           "stations: None for the standard 18 stations, or 2 to 1000 increasing x-stations "
           "(a list ending beyond 1 is in per cent); 2 * len(stations) - 1 points.\n"
           "count: instead of stations, this many cosine-spaced points around the section, 3 "
           "to 1999; the nose takes a point, so an even count gives one more (count=60 gives "
           "61 points).\n\n"
           "The properties stay those of the section as read. Raises RedistributionError "
           "when the leading edge cannot be found, ValueError for unusable stations.");

  addSectionShape(sectionClass);
  addSectionSteps(sectionClass);
  addNaca(module);
  addRibs(module);

  module.def("read", &readSource, arg("source"),
             "read(source) -> Section\n\n"
             "Reads an airfoil section; the layout is recognised by itself.\n\n"
             "source: a path (os.PathLike, or a str without a line end); coordinate text (a "
             "str holding a line end, or bytes in UTF-8 or Latin-1); or an open file, whose "
             "read() result is taken as text. Use read_text() for text of one line.\n\n"
             "Raises ReadError with the reason when no section can be made of it, "
             "FileNotFoundError, IsADirectoryError, PermissionError etc. when the file "
             "cannot be read.");
  module.def("read_text", &readText, arg("text"),
             "read_text(text) -> Section\n\n"
             "Reads an airfoil section from coordinate text (str, or bytes in UTF-8 or "
             "Latin-1), whatever it holds. Raises ReadError with the reason.");
  module.def("formats", &formats,
             "formats() -> list[Format]\n\n"
             "The output formats, one tarvex.Format each, in the order of their numbers.");
  module.def("convert", &convert, arg("inputs"), arg("output") = py::none(), py::kw_only(),
             arg("output_dir") = py::none(), arg("format") = 1, arg("comments") = false,
             arg("redistribute") = false, arg("stations") = py::none(), arg("keep_size") = false,
             py::arg_v("scale", py::make_tuple(1.0, 1.0), "(1.0, 1.0)"), arg("append") = false,
             arg("no_clobber") = false, arg("date") = py::none(), arg("chord") = py::none(),
             arg("skin") = py::none(), arg("stroke") = py::none(), arg("label") = false,
             arg("chord_line") = false, arg("farfield") = py::none(), arg("mesh_size") = py::none(),
             arg("spline") = false, arg("points") = py::none(),
             "convert(inputs, output=None, *, output_dir=None, format=1, comments=False, "
             "redistribute=False, stations=None, keep_size=False, scale=(1.0, 1.0), "
             "append=False, no_clobber=False, date=None, chord=None, skin=None, stroke=None, "
             "label=False, chord_line=False, farfield=None, mesh_size=None, spline=False, "
             "points=None) -> list[ConvertResult]\n\n"
             "Converts files as `tarvex convert` does, going on past a failed file; returns "
             "one tarvex.ConvertResult per input, in order.\n\n"
             "inputs: one path or an iterable of paths.\n"
             "output: one file that takes every section one after the other; it is put in "
             "place only at the end (and not at all when none converted).\n"
             "output_dir: a folder (made when missing) where each input goes under its own "
             "name with the format's extension.\n"
             "Neither: each result's text holds the converted text.\n"
             "redistribute / stations: onto the standard x-stations, or these ones (stations "
             "imply redistribute).\n"
             "points: instead, onto this many cosine-spaced points around the section, 3 to "
             "1999 (as `tarvex convert --points`); the nose takes a point, so an even count "
             "gives one more.\n"
             "append: add to existing output files. no_clobber: leave existing output files "
             "alone (their results fail with FileExistsError).\n"
             "format, comments, keep_size, scale, date and the drawing options: as for "
             "Section.write().\n\n"
             "Raises ValueError for bad arguments, OSError when the output folder cannot be "
             "made or the output file cannot be opened; failures of single files are in the "
             "results.");
}
