// Sections made from points and by NACA designation, and the shape of a
// section as arrays: its points, its two surfaces, its thickness and camber.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"
#include "section_object.h"

namespace tarvex::python {
namespace {

// As many points as a NACA section may have; a file holds at most 1000.
constexpr int kMostPoints = kMaxNacaPoints;

std::string numberText(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : std::string("?");
}

std::string shapeText(const py::array& array) { return py::str(py::object(array.attr("shape"))); }

// An array-like of numbers as a contiguous float64 array. Text is refused
// although numpy would turn '0.5' into 0.5: nobody means coordinates by it.
py::array_t<double> numbers(py::handle values, const std::string& what) {
  const py::module_ numpy = py::module_::import("numpy");
  py::object array;
  try {
    array = numpy.attr("asarray")(values);
  } catch (py::error_already_set& error) {
    if (!error.matches(PyExc_ValueError)) throw;
    throw py::value_error(
        what + " must be numbers in rows of one length: " + std::string(py::str(error.value())));
  }
  const std::string kind = py::str(array.attr("dtype").attr("kind"));
  if (kind == "O") {
    // numpy makes None nan, and a str the number it spells.
    for (const py::handle item : array.attr("flat")) {
      if (item.is_none() || PyUnicode_Check(item.ptr()) || PyBytes_Check(item.ptr()) ||
          !py::hasattr(item, "__float__")) {
        throw py::type_error(what + " must be numbers, not " + typeName(item));
      }
    }
    try {
      array = array.attr("astype")("float64");
    } catch (py::error_already_set& error) {
      if (!error.matches(PyExc_ValueError) && !error.matches(PyExc_TypeError)) throw;
      throw py::type_error(what + " must be numbers: " + std::string(py::str(error.value())));
    }
  } else if (kind != "i" && kind != "u" && kind != "f") {
    const std::string found = kind == "U" || kind == "S" ? "str"
                              : kind == "b"              ? "bool"
                              : kind == "c"              ? "complex"
                                            : py::str(array.attr("dtype").attr("name"));
    throw py::type_error(what + " must be numbers, not " + found + " values");
  }
  // asarray keeps a single number 0-dimensional, as ascontiguousarray would not.
  return numpy.attr("asarray")(array, py::arg("dtype") = "float64", py::arg("order") = "C");
}

std::vector<double> column(py::handle values, const char* what) {
  const py::array_t<double> array = numbers(values, what);
  if (array.ndim() == 0) {
    throw py::type_error(std::string(what) + " must be a sequence of numbers, not " +
                         typeName(values));
  }
  if (array.ndim() != 1) {
    throw py::value_error(std::string(what) + " must be one-dimensional, not of shape " +
                          shapeText(array));
  }
  return {array.data(), array.data() + array.size()};
}

std::string nameText(py::handle name) {
  if (!PyUnicode_Check(name.ptr()))
    throw py::type_error("name must be a str, not " + typeName(name));
  std::string text = py::cast<std::string>(name);
  // Every format writes the name on a line of its own.
  if (text.find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos) {
    throw py::value_error("a section's name is one line: no line end or null byte in it");
  }
  return text;
}

Section fromPoints(const std::vector<double>& x, const std::vector<double>& y, py::handle name,
                   bool normalise) {
  std::string text = nameText(name);
  PointsOptions options;
  options.normalise = normalise;
  options.capacity = kMostPoints;
  Result<Section> made = Error{};
  {
    py::gil_scoped_release unlocked;
    made = sectionFromPoints(std::move(text), x, y, options);
  }
  if (!made) raise(made.error());
  return std::move(*made);
}

Section fromCoordinates(py::handle points, py::handle name, bool normalise) {
  const py::array_t<double> array = numbers(points, "coordinates");
  if (array.ndim() != 2 || array.shape(1) != 2) {
    std::string why = "coordinates must be an N×2 array, a row (x, y) per point, not of shape " +
                      shapeText(array);
    if (array.ndim() == 2 && array.shape(0) == 2)
      why += "; for a row of x and one of y use Section(x, y)";
    throw py::value_error(why);
  }
  const auto rows = static_cast<std::size_t>(array.shape(0));
  std::vector<double> x(rows), y(rows);
  for (std::size_t i = 0; i < rows; ++i) {
    x[i] = array.data()[2 * i];
    y[i] = array.data()[2 * i + 1];
  }
  return fromPoints(x, y, name, normalise);
}

// The points first to last (inclusive, either way round) as read-only rows (x, y).
py::array_t<double> pointRows(const Section& section, std::size_t first, std::size_t last) {
  const std::size_t count = (first <= last ? last - first : first - last) + 1;
  py::array_t<double> rows({static_cast<py::ssize_t>(count), py::ssize_t{2}});
  double* data = rows.mutable_data();
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t i = first <= last ? first + k : first - k;
    data[2 * k] = section.x[i];
    data[2 * k + 1] = section.y[i];
  }
  rows.attr("setflags")(py::arg("write") = false);
  return rows;
}

// The leading edge: the first point of smallest x, where the redistribution
// puts it too.
std::size_t nose(const Section& section) {
  return static_cast<std::size_t>(std::min_element(section.x.begin(), section.x.end()) -
                                  section.x.begin());
}

py::object coordinates(SectionObject& self) {
  if (!self.coordinates) self.coordinates = pointRows(self.section, 0, self.section.x.size() - 1);
  return self.coordinates;
}

py::object upper(SectionObject& self) {
  if (!self.upper) self.upper = pointRows(self.section, nose(self.section), 0);
  return self.upper;
}

py::object lower(SectionObject& self) {
  if (!self.lower) {
    self.lower = pointRows(self.section, nose(self.section), self.section.x.size() - 1);
  }
  return self.lower;
}

const StationTable& stationTable(SectionObject& self) {
  if (!self.stations) {
    Result<Surfaces> surfaces = Error{};
    {
      py::gil_scoped_release unlocked;
      surfaces = surfacesOf(self.section);
    }
    if (!surfaces) raise(surfaces.error());
    const std::vector<float>& x = surfaces->x;
    if (!std::is_sorted(x.begin(), x.end()) || !(x.back() > x.front())) {
      throw py::value_error(
          "the surfaces' stations do not run from the leading to the trailing edge: thickness "
          "and camber are no functions of x for this section");
    }
    // Re-interpolated stations come in units of the chord from the leading
    // edge; stations the surfaces share stay in the section's own, which
    // differ for a section kept at its size.
    const double origin = x.front(), chord = double(x.back()) - origin;
    StationTable table;
    for (std::size_t i = 0; i < x.size(); ++i) {
      // In single precision, as the figures and format 16 have them.
      const float u = surfaces->upper[i], l = surfaces->lower[i];
      table.x.push_back((x[i] - origin) / chord);
      table.thickness.push_back((u - l) / chord);
      table.camber.push_back((u + l) * 0.5f / chord);
    }
    // Another thread may have made it meanwhile, and may be reading it.
    if (!self.stations) self.stations = std::move(table);
  }
  return *self.stations;
}

// Linear between the stations around x, which lies within them (0 to 1).
double interpolated(const std::vector<double>& stations, const std::vector<double>& values,
                    double x) {
  const auto above = std::upper_bound(stations.begin(), stations.end(), x);
  if (above == stations.end()) return values.back();
  const auto i = static_cast<std::size_t>(above - stations.begin());
  const double x0 = stations[i - 1], x1 = stations[i];
  return values[i - 1] + (values[i] - values[i - 1]) * ((x - x0) / (x1 - x0));
}

py::object along(SectionObject& self, py::handle at, bool camber) {
  const StationTable& table = stationTable(self);
  const std::vector<double>& values = camber ? table.camber : table.thickness;
  const py::array_t<double> x = numbers(at, "x");
  py::array_t<double> out(std::vector<py::ssize_t>(x.shape(), x.shape() + x.ndim()));
  for (py::ssize_t k = 0; k < x.size(); ++k) {
    const double xk = x.data()[k];
    if (!(xk >= 0.0 && xk <= 1.0)) {
      throw py::value_error("x " + numberText(xk) +
                            " lies outside the chord: 0 at the leading edge to 1 at the "
                            "trailing edge");
    }
    out.mutable_data()[k] = interpolated(table.x, values, xk);
  }
  if (x.ndim() == 0) return py::float_(out.data()[0]);
  return out;
}

}  // namespace

std::optional<double> thicknessPerCent(SectionObject& self) {
  try {
    const StationTable& table = stationTable(self);
    return 100.0 * *std::max_element(table.thickness.begin(), table.thickness.end());
  } catch (py::error_already_set&) {
  } catch (py::builtin_exception&) {
    // Surfaces that cannot be paired have no thickness to show.
  }
  return std::nullopt;
}

namespace {

py::object naca(py::handle designation, py::handle points, bool closedTe, py::handle spacing) {
  if (!PyUnicode_Check(designation.ptr())) {
    throw py::type_error("the designation must be a str such as '2412', not " +
                         typeName(designation));
  }
  if (PyBool_Check(points.ptr()) || !PyIndex_Check(points.ptr())) {
    throw py::type_error("points must be an int, not " + typeName(points));
  }
  NacaOptions options;
  const int count = wholeNumber(points).value_or(0);
  if (count < 5 || count > kMaxNacaPoints) {
    throw py::value_error("a NACA section has 5 to " + std::to_string(kMaxNacaPoints) +
                          " points, not " + std::string(py::repr(points)));
  }
  options.points = count;
  const std::string spacingName =
      PyUnicode_Check(spacing.ptr()) ? py::cast<std::string>(spacing) : std::string();
  if (spacingName != "cosine" && spacingName != "uniform") {
    throw py::value_error("spacing is 'cosine' or 'uniform', not " +
                          std::string(py::repr(spacing)));
  }
  options.spacing = spacingName == "cosine" ? Spacing::cosine : Spacing::uniform;
  options.closedTrailingEdge = closedTe;
  const std::string text = py::cast<std::string>(designation);
  Result<Section> made = Error{};
  {
    py::gil_scoped_release unlocked;
    made = nacaSection(text, options);
  }
  // With the count checked, whatever fails is the designation's fault.
  if (!made) raiseDesignationError(made.error());
  return py::cast(SectionObject(std::move(*made)));
}

}  // namespace

void addSectionShape(py::class_<SectionObject>& type) {
  using py::arg;
  type.def(py::init([](py::handle x, py::handle y, py::handle name, bool normalise) {
             return SectionObject(fromPoints(column(x, "x"), column(y, "y"), name, normalise));
           }),
           arg("x"), arg("y"), arg("name") = "", py::kw_only(), arg("normalise") = true,
           "Section(x, y, name='', *, normalise=True)\n\n"
           "A section of points: x and y are array-likes of numbers of the same length, from "
           "the trailing edge over one surface to the leading edge and back over the other "
           "(either way round; the section is turned to run over the upper surface first). "
           "Repeated points are removed.\n\n"
           "normalise: to unit chord as a read section, x from 0 at the leading edge to 1 and "
           "y from the mean of the trailing-edge points; False keeps the points as given.\n\n"
           "Raises TypeError for what are not numbers, ValueError for arrays of other shapes, "
           "ReadError with the reason for points that make no section (not finite, fewer "
           "than two distinct ones, no chord, no area enclosed) and ValueError for more than "
           "100001 points.")
      .def_static(
          "from_coordinates",
          [](py::handle points, py::handle name, bool normalise) {
            return SectionObject(fromCoordinates(points, name, normalise));
          },
          arg("points"), arg("name") = "", py::kw_only(), arg("normalise") = true,
          "from_coordinates(points, name='', *, normalise=True) -> Section\n\n"
          "A section of an N×2 array-like, one row (x, y) per point, as Section(x, y) takes "
          "them.")
      .def_property_readonly("coordinates", &coordinates,
                             "The points as an N×2 numpy float64 array (read-only), a row (x, "
                             "y) each, in the order of x and y.")
      .def_property_readonly("upper", &upper,
                             "The upper surface's points as a K×2 array (read-only), from the "
                             "leading edge (the first point of smallest x) to the trailing "
                             "edge.")
      .def_property_readonly("lower", &lower,
                             "The lower surface's points as upper has them, the leading-edge "
                             "point in both.")
      .def(
          "thickness", [](SectionObject& self, py::handle x) { return along(self, x, false); },
          arg("x"),
          "thickness(x) -> float | numpy.ndarray\n\n"
          "The distance upper - lower between the surfaces at x, in units of the chord: a "
          "float for a number, an array of x's shape for an array-like. The surfaces are those "
          "on the common stations the figures use (cosine-spaced and scaled to the chord from "
          "the leading edge when the section's surfaces do not share theirs), linear between "
          "the stations; at a station it is the thickness format 16 lists there, so "
          "thickness(figures.max_thickness_x) is figures.max_thickness.\n\n"
          "x: in units of the chord, 0 at the leading edge to 1 at the trailing edge (the "
          "section's own x for a section read or normalised). An x outside 0 to 1, or nan, "
          "raises ValueError rather than giving a value the section does not have; surfaces "
          "that cannot be paired raise WriteError, as figures does.")
      .def(
          "camber", [](SectionObject& self, py::handle x) { return along(self, x, true); },
          arg("x"),
          "camber(x) -> float | numpy.ndarray\n\n"
          "The mean line (upper + lower) / 2 at x, as thickness() takes x.");
}

void addNaca(py::module_& module) {
  using py::arg;
  module.def("naca", &naca, arg("designation"), py::kw_only(), arg("points") = 161,
             arg("closed_te") = false, arg("spacing") = "cosine",
             "naca(designation, *, points=161, closed_te=False, spacing='cosine') -> Section\n\n"
             "A NACA section by its designation as people type it: four-digit ('2412'), "
             "modified four-digit ('0012-64'), five-digit ('23012', reflexed '23112'), "
             "16-series ('16-212'), six-series ('63-206', '63(2)-615', '65(4)-421 a=0.5') and "
             "6A-series ('64A210'). The thickness is laid off normal to the mean line; the "
             "section keeps the reports' coordinates, chord from (0, 0) to (1, 0), and is not "
             "renormalised to the x-range of its points.\n\n"
             "points: of the whole section, 5 to 100001; the nose takes a point, so an even "
             "count gives one more.\n"
             "closed_te: end the four-digit and 16-series forms in a point (last coefficient "
             "-0.1036 instead of -0.1015; the modified forms end in 0 instead of 0.01 t).\n"
             "spacing: 'cosine' (close at both edges) or 'uniform' stations along the chord.\n\n"
             "Raises DesignationError (a ValueError) with the reason for a designation that "
             "names no section.");
}

}  // namespace tarvex::python
