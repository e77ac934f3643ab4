// The shaping steps as Section methods, each giving a new section: te_gap(),
// with_thickness_camber(), scale_le_radius(), flap(), blend(), repanel().
#include <cmath>

#include "errors.h"
#include "section_object.h"
#include "tarvex_shape.hpp"

namespace tarvex::python {
namespace {

using py::arg;

double finite(py::handle value, const char* what) {
  const double number = py::cast<double>(value);
  if (!std::isfinite(number)) {
    throw py::value_error(std::string(what) + " must be a finite number");
  }
  return number;
}

std::optional<double> optionalNumber(py::handle value, const char* what) {
  if (value.is_none()) return std::nullopt;
  return finite(value, what);
}

// The step run without the interpreter lock; a refusal raises ValueError.
template <class Step>
SectionObject shaped(const SectionObject& self, Step step) {
  Result<Section> result = Error{};
  {
    py::gil_scoped_release unlocked;
    result = step(self.section);
  }
  if (!result) raise(result.error());
  return SectionObject(std::move(*result));
}

}  // namespace

void addSectionSteps(py::class_<SectionObject>& type) {
  type.def(
          "te_gap",
          [](const SectionObject& self, py::handle gap, py::handle blend) {
            const TrailingEdgeGap step{finite(gap, "gap"), finite(blend, "blend")};
            return shaped(self, [&](const Section& s) { return setTrailingEdgeGap(s, step); });
          },
          arg("gap"), arg("blend") = 0.8,
          "te_gap(gap, blend=0.8) -> Section\n\n"
          "The section with the trailing-edge gap set to gap chords (0 closes it), the change "
          "blended over blend chords from the trailing edge.")
      .def(
          "with_thickness_camber",
          [](const SectionObject& self, py::handle thickness, py::handle thicknessX,
             py::handle camber, py::handle camberX) {
            const ThicknessCamber step{
                optionalNumber(thickness, "thickness"), optionalNumber(thicknessX, "thickness_x"),
                optionalNumber(camber, "camber"), optionalNumber(camberX, "camber_x")};
            return shaped(self, [&](const Section& s) { return setThicknessCamber(s, step); });
          },
          py::kw_only(), arg("thickness") = py::none(), arg("thickness_x") = py::none(),
          arg("camber") = py::none(), arg("camber_x") = py::none(),
          "with_thickness_camber(*, thickness=None, thickness_x=None, camber=None, "
          "camber_x=None) -> Section\n\n"
          "The section with its maximum thickness and camber set and their positions moved "
          "(chords), the shapes of the distributions kept; None leaves a figure as it is. "
          "camber=0 gives the symmetric section.")
      .def(
          "scale_le_radius",
          [](const SectionObject& self, py::handle factor, py::handle blend) {
            const LeadingEdgeRadius step{finite(factor, "factor"), finite(blend, "blend")};
            return shaped(self, [&](const Section& s) { return scaleLeadingEdgeRadius(s, step); });
          },
          arg("factor"), arg("blend") = 0.2,
          "scale_le_radius(factor, blend=0.2) -> Section\n\n"
          "The section with its leading-edge radius multiplied by factor, blended over blend "
          "chords from the leading edge.")
      .def(
          "flap",
          [](const SectionObject& self, py::handle hingeX, py::handle degrees, py::handle hingeY) {
            const Flap step{finite(hingeX, "hinge_x"), finite(degrees, "degrees"),
                            finite(hingeY, "hinge_y")};
            return shaped(self, [&](const Section& s) { return deflectFlap(s, step); });
          },
          arg("hinge_x"), arg("degrees"), arg("hinge_y") = 0.5,
          "flap(hinge_x, degrees, hinge_y=0.5) -> Section\n\n"
          "The section with a trailing-edge flap hinged at hinge_x chords, hinge_y of the local "
          "thickness above the lower surface, deflected by degrees (positive down).")
      .def(
          "blend",
          [](const SectionObject& self, const SectionObject& other, py::handle fraction) {
            const double f = finite(fraction, "fraction");
            const Section& with = other.section;
            return shaped(self, [&](const Section& s) { return blendSections(s, with, f); });
          },
          arg("other"), arg("fraction"),
          "blend(other, fraction) -> Section\n\n"
          "The weighted mean of this section and other on common stations: fraction 0 gives "
          "this one, 1 gives other.")
      .def(
          "repanel",
          [](const SectionObject& self, py::handle points, py::handle bunching,
             py::handle teRatio) {
            const auto count = wholeNumber(points);
            if (!count) throw py::type_error("points must be an int, not " + typeName(points));
            Panelling step;
            step.points = *count;
            step.bunching = finite(bunching, "bunching");
            step.trailingEdgeRatio = finite(teRatio, "te_ratio");
            return shaped(self, [&](const Section& s) { return repanel(s, step); });
          },
          arg("points") = 160, py::kw_only(), arg("bunching") = 1.0, arg("te_ratio") = 0.15,
          "repanel(points=160, *, bunching=1.0, te_ratio=0.15) -> Section\n\n"
          "The section on exactly points points clustered by curvature, finer at the leading "
          "and trailing edges: bunching weighs the curvature (0: by arc length alone), "
          "te_ratio is the trailing-edge panel's length over the leading edge's.");
}

}  // namespace tarvex::python
