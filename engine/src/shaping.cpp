#include <string>

#include "tarvex_shape.hpp"

namespace tarvex {
namespace {

// The step's name in front of its reason, so a batch message says which of
// several steps refused the section.
Result<Section> named(Result<Section> result, std::string_view step) {
  if (result) return result;
  Error error = result.error();
  if (!error.message.starts_with(step)) error.message = std::string(step) + ": " + error.message;
  return error;
}

}  // namespace

Result<Section> shapeSection(const Section& section, const ShapeSteps& steps) {
  Result<Section> shaped = section;
  if (shaped && steps.blend) {
    shaped = named(blendSections(*shaped, steps.blend->with, steps.blend->fraction), "blend");
  }
  if (shaped && steps.thicknessCamber) {
    shaped = named(setThicknessCamber(*shaped, *steps.thicknessCamber), "thickness and camber");
  }
  if (shaped && steps.leadingEdgeRadius) {
    shaped =
        named(scaleLeadingEdgeRadius(*shaped, *steps.leadingEdgeRadius), "leading-edge radius");
  }
  if (shaped && steps.trailingEdgeGap) {
    shaped = named(setTrailingEdgeGap(*shaped, *steps.trailingEdgeGap), "trailing-edge gap");
  }
  if (shaped && steps.flap) shaped = named(deflectFlap(*shaped, *steps.flap), "flap");
  if (shaped && steps.panelling) shaped = named(repanel(*shaped, *steps.panelling), "repanel");
  // What the input said of itself goes on: its name, layout, point count,
  // x-range (which --keep-size scales back to) and comment lines.
  if (shaped) {
    shaped->name = section.name;
    shaped->layout = section.layout;
    shaped->pointsRead = section.pointsRead;
    shaped->xmin = section.xmin;
    shaped->xmax = section.xmax;
    shaped->comments = section.comments;
    shaped->notices = section.notices;
  }
  return shaped;
}

}  // namespace tarvex
