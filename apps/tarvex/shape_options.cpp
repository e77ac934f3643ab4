#include "shape_options.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "io/file_names.h"
#include "io/number_chars.h"

namespace tarvex::console {
namespace {

// "0.005", "0.005:0.8": the numbers between the colons, all finite.
std::optional<std::vector<double>> numbers(std::string_view text, std::size_t least,
                                           std::size_t most) {
  std::vector<double> values;
  while (true) {
    const auto colon = text.find(':');
    const std::string_view part = text.substr(0, colon);
    double value = 0.0;
    const auto [end, error] =
        tarvex::io::parseDouble(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
        !std::isfinite(value)) {
      return std::nullopt;
    }
    values.push_back(value);
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (values.size() < least || values.size() > most) return std::nullopt;
  return values;
}

CLI::Validator colonNumbers(std::size_t least, std::size_t most, std::string shape) {
  return CLI::Validator(
      [=](const std::string& text) -> std::string {
        if (numbers(text, least, most)) return {};
        return "\"" + text + "\" is not " + shape;
      },
      "");
}

// FILE:FRACTION, the fraction after the last colon (a file name may hold one).
std::optional<std::pair<std::string, double>> blendArgument(std::string_view text) {
  const auto colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const auto fraction = numbers(text.substr(colon + 1), 1, 1);
  if (!fraction || !((*fraction)[0] >= 0.0 && (*fraction)[0] <= 1.0)) return std::nullopt;
  return std::pair{std::string(text.substr(0, colon)), (*fraction)[0]};
}

}  // namespace

void addShapeOptions(CLI::App* command, ShapeArguments& a) {
  const std::string group =
      "Shaping (before any redistribution; blend, thickness and camber, leading-edge radius, "
      "trailing-edge gap, flap, repanel)";
  command
      ->add_option("--te-gap", a.trailingEdgeGap,
                   "set the trailing-edge gap to GAP chords (0 closes it), blended over BLEND "
                   "chords from the trailing edge (default 0.8)")
      ->type_name("GAP[:BLEND]")
      ->check(colonNumbers(1, 2, "GAP or GAP:BLEND, such as 0.005 or 0.005:0.8"))
      ->group(group);
  command->add_option("--thickness", a.thickness, "set the maximum thickness (chords)")
      ->check(CLI::PositiveNumber)
      ->group(group);
  command
      ->add_option("--thickness-x", a.thicknessX, "move the maximum thickness to this x (chords)")
      ->check(CLI::Range(0.0, 1.0))
      ->group(group);
  command
      ->add_option("--camber", a.camber,
                   "set the maximum camber (chords; 0: the symmetric section)")
      ->check(CLI::Range(-1.0, 1.0))
      ->group(group);
  command->add_option("--camber-x", a.camberX, "move the maximum camber to this x (chords)")
      ->check(CLI::Range(0.0, 1.0))
      ->group(group);
  command
      ->add_option("--le-radius-scale", a.leadingEdgeRadius,
                   "multiply the leading-edge radius by FACTOR, blended over BLEND chords "
                   "(default 0.2)")
      ->type_name("FACTOR[:BLEND]")
      ->check(colonNumbers(1, 2, "FACTOR or FACTOR:BLEND, such as 1.2 or 1.2:0.2"))
      ->group(group);
  command
      ->add_option("--flap", a.flap,
                   "deflect a trailing-edge flap hinged at X chords by DEGREES (down), the hinge "
                   "at FRACTION of the local thickness (default 0.5)")
      ->type_name("X:DEGREES[:FRACTION]")
      ->check(colonNumbers(2, 3, "X:DEGREES or X:DEGREES:FRACTION, such as 0.75:10"))
      ->group(group);
  command
      ->add_option("--blend", a.blend,
                   "the weighted mean with a second section: 0 keeps this one, 1 gives FILE's")
      ->type_name("FILE:FRACTION")
      ->check(CLI::Validator(
          [](const std::string& text) -> std::string {
            if (blendArgument(text)) return {};
            return "\"" + text +
                   "\" is not FILE:FRACTION with a fraction from 0 to 1, such as "
                   "tip.dat:0.3";
          },
          ""))
      ->group(group);
  command
      ->add_option("--repanel", a.repanel,
                   "repanel onto exactly N points clustered by curvature; BUNCHING weighs the "
                   "curvature (default 1), TE the trailing-edge panel over the leading edge's "
                   "(default 0.15)")
      ->type_name("N[:BUNCHING[:TE]]")
      ->check(colonNumbers(1, 3, "N, N:BUNCHING or N:BUNCHING:TE, such as 160 or 160:1:0.15"))
      ->group(group);
}

Result<ShapeSteps> shapeSteps(const ShapeArguments& a) {
  ShapeSteps steps;
  if (!a.trailingEdgeGap.empty()) {
    const auto v = *numbers(a.trailingEdgeGap, 1, 2);
    steps.trailingEdgeGap = TrailingEdgeGap{v[0], v.size() > 1 ? v[1] : 0.8};
  }
  if (a.thickness || a.thicknessX || a.camber || a.camberX) {
    steps.thicknessCamber = ThicknessCamber{a.thickness, a.thicknessX, a.camber, a.camberX};
  }
  if (!a.leadingEdgeRadius.empty()) {
    const auto v = *numbers(a.leadingEdgeRadius, 1, 2);
    steps.leadingEdgeRadius = LeadingEdgeRadius{v[0], v.size() > 1 ? v[1] : 0.2};
  }
  if (!a.flap.empty()) {
    const auto v = *numbers(a.flap, 2, 3);
    steps.flap = Flap{v[0], v[1], v.size() > 2 ? v[2] : 0.5};
  }
  if (!a.blend.empty()) {
    const auto [file, fraction] = *blendArgument(a.blend);
    auto with = readFile(pathOf(file));
    if (!with) {
      Error error = with.error();
      error.message = "the section to blend with: " + error.message;
      return error;
    }
    steps.blend = Blend{std::move(*with), fraction};
  }
  if (!a.repanel.empty()) {
    const auto v = *numbers(a.repanel, 1, 3);
    if (v[0] != std::floor(v[0]) || v[0] < 5 || v[0] > 100000) {
      return Error{Status::badOptions,
                   "--repanel takes a whole number of points from 5 to 100000, not " +
                       a.repanel.substr(0, a.repanel.find(':')),
                   {},
                   0};
    }
    Panelling panelling;
    panelling.points = static_cast<int>(v[0]);
    if (v.size() > 1) panelling.bunching = v[1];
    if (v.size() > 2) panelling.trailingEdgeRatio = v[2];
    steps.panelling = panelling;
  }
  return steps;
}

}  // namespace tarvex::console
