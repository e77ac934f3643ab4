// The Python Section object and the helpers its parts share.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tarvex.hpp"

namespace tarvex::python {

namespace py = pybind11;

// Thickness u - l and camber (u + l) / 2 on the surfaces' common stations,
// leading edge first, as the figures and format 16 have them.
struct StationTable {
  std::vector<double> x, thickness, camber;
};

// One airfoil section as the engine holds it; the Python views of it are
// made when first asked for.
struct SectionObject {
  explicit SectionObject(Section made) : section(std::move(made)) {}

  Section section;
  py::object x, y, properties, figures, coordinates, upper, lower;
  std::optional<StationTable> stations;
};

// The shortest decimal that names the engine's single-precision value.
double shortest(float value);

std::string typeName(py::handle object);

// An int (or numpy integer) within the range of int, else nothing.
std::optional<int> wholeNumber(py::handle value);

// A read-only float64 copy of the engine's values.
py::array_t<double> readOnlyArray(const std::vector<float>& values);

// The Section object of a result, or the failure raised (filename names
// the input, None for none).
py::object sectionFrom(Result<Section>& result, py::handle filename);

// Section(x, y), Section.from_coordinates(), coordinates, upper, lower,
// thickness() and camber().
void addSectionShape(py::class_<SectionObject>& type);

// The largest thickness on the common stations in per cent of the chord;
// nothing when the surfaces cannot be paired.
std::optional<double> thicknessPerCent(SectionObject& self);

// te_gap(), with_thickness_camber(), scale_le_radius(), flap(), blend() and
// repanel(): the shaping steps, each giving a new section.
void addSectionSteps(py::class_<SectionObject>& type);

// tarvex.naca().
void addNaca(py::module_& module);

// tarvex.ribs() and tarvex.hot_wire(), with their result types.
void addRibs(py::module_& module);

}  // namespace tarvex::python
