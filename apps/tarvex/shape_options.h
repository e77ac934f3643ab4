// The shaping options convert, naca and info share: --te-gap, --thickness,
// --camber and their positions, --le-radius-scale, --flap, --blend and
// --repanel, each a step of tarvex_shape.hpp.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "tarvex_shape.hpp"

namespace tarvex::console {

struct ShapeArguments {
  std::string trailingEdgeGap, leadingEdgeRadius, flap, blend, repanel;
  std::optional<double> thickness, thicknessX, camber, camberX;
};

void addShapeOptions(CLI::App* command, ShapeArguments& a);

// The steps asked for; the blend's second section is read here, and a file
// that gives none fails with the reason.
Result<ShapeSteps> shapeSteps(const ShapeArguments& a);

}  // namespace tarvex::console
