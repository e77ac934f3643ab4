// The batch command line of the console program: convert, info, formats.
// Everything goes through the engine's C++ interface (tarvex.hpp).
#include "command_line.h"

#include <CLI/CLI.hpp>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "batch_convert.h"
#include "format_choice.h"
#include "io/file_names.h"
#include "io/number_chars.h"
#include "rib_command.h"
#include "section_info.h"
#include "shape_options.h"
#include "standard_streams.h"
#include "station_option.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "unknown"
#endif

namespace tarvex::console {
namespace {

constexpr int kUsageError = 2;
constexpr std::string_view kCommands[] = {"convert", "naca", "info", "formats", "ribs"};

const CLI::Validator kFormatName(
    [](const std::string& text) {
      return formatFromArgument(text) ? std::string() : "unknown format \"" + text + "\"";
    },
    "FORMAT");

const CLI::Validator kStationList(
    [](const std::string& text) -> std::string {
      const auto stations = parseStations(text);
      if (!stations) return "\"" + text + "\" is not a list of numbers separated by / or ,";
      const auto checked = checkStations(*stations);
      if (!checked)
        return "the stations \"" + text + "\" are not usable: " + checked.error().message;
      return {};
    },
    "LIST");

const CLI::Validator kFiniteNumber(
    [](const std::string& text) -> std::string {
      float value = 0.0f;
      const auto [end, error] =
          tarvex::io::parseFloat(text.data(), text.data() + text.size(), value);
      if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return "\"" + text + "\" is not a number";
      }
      return {};
    },
    "F");

const CLI::Validator kLength(
    [](const std::string& text) -> std::string {
      if (parseLength(text)) return {};
      return "\"" + text +
             "\" is not a length: a number of 0 or more with mm (the default), cm, m or in, such "
             "as 250mm, 10in or 0.3m";
    },
    "LENGTH");

const CLI::Validator kWidth(
    [](const std::string& text) -> std::string {
      const auto length = parseLength(text);
      if (length && *length > 0.0f) return {};
      return "\"" + text + "\" is not a line width: a length of more than 0, such as 0.1mm";
    },
    "LENGTH");

// A number within [least, most], least itself allowed or not.
CLI::Validator numberWithin(double least, bool leastAllowed, double most, std::string what) {
  return CLI::Validator(
      [=](const std::string& text) -> std::string {
        double value = 0.0;
        const auto [end, error] =
            tarvex::io::parseDouble(text.data(), text.data() + text.size(), value);
        const bool number = error == std::errc() && end == text.data() + text.size();
        if (number && std::isfinite(value) && (value > least || (leastAllowed && value == least)) &&
            value <= most) {
          return {};
        }
        return "\"" + text + "\" is not " + what;
      },
      "F");
}

// FIRST:RATIO:THICKNESS of a boundary layer, each a finite number.
std::optional<std::array<float, 3>> boundaryLayerOf(std::string_view text) {
  std::array<float, 3> values{};
  for (std::size_t k = 0; k < values.size(); ++k) {
    const auto colon = text.find(':');
    if ((colon == std::string_view::npos) != (k + 1 == values.size())) return std::nullopt;
    const std::string_view part = text.substr(0, colon);
    const auto [end, error] =
        tarvex::io::parseFloat(part.data(), part.data() + part.size(), values[k]);
    if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
        !std::isfinite(values[k])) {
      return std::nullopt;
    }
    text.remove_prefix(colon == std::string_view::npos ? text.size() : colon + 1);
  }
  return values;
}

struct ConvertArguments {
  ConvertRequest request;
  std::string format;
  std::string stations;
  CLI::Option* outputFile = nullptr;
  CLI::Option* outputFolder = nullptr;
  CLI::Option* stationOption = nullptr;
  std::string chord, skin, stroke, meshSize, boundaryLayer;
  bool noComments = false;
  std::string file, folder;
  ShapeArguments shape;
};

void addDrawingOptions(CLI::App& convert, ConvertArguments& a, CLI::Option* keepSize) {
  const std::string group = "Drawing and mesh formats (svg, gmsh, dxf2000)";
  convert
      .add_option("--chord", a.chord,
                  "draw the unit chord this long: 250mm, 10in, 0.3m (default: 100 mm, in gmsh "
                  "the unit chord; with --keep-size the input's own size)")
      ->check(kLength)
      ->excludes(keepSize)
      ->group(group);
  convert
      .add_option("--skin", a.skin,
                  "svg, dxf2000: draw the rib inside a skin this thick (the outline moved inward) "
                  "instead of the outline")
      ->check(kLength)
      ->group(group);
  convert.add_option("--stroke", a.stroke, "svg: line width (default 0.1mm)")
      ->check(kWidth)
      ->group(group);
  convert.add_flag("--label", a.request.drawing.label, "svg: the section's name below it")
      ->group(group);
  convert
      .add_flag("--chord-line", a.request.drawing.chordLine,
                "svg: the chord from the nose to the trailing edge")
      ->group(group);
  convert
      .add_option("--farfield", a.request.drawing.farfieldChords,
                  "gmsh: a far-field circle of R chords around the section, which becomes a hole")
      ->check(numberWithin(1.0, true, 1e6, "a radius of at least 1 chord"))
      ->group(group);
  const CLI::Validator size =
      numberWithin(0.0, false, 1.0, "a size of more than 0 and at most 1 chord");
  convert
      .add_option("--mesh-size", a.meshSize,
                  "gmsh: element size at the section in chords (default 0.02), or auto: every "
                  "point's own spacing, so the points' clustering carries into the mesh (straight "
                  "lines only)")
      ->type_name("SIZE|auto")
      ->check(CLI::Validator(
          [size](std::string& text) -> std::string {
            return text == "auto" ? std::string() : size(text);
          },
          ""))
      ->group(group);
  convert
      .add_option(
          "--boundary-layer", a.boundaryLayer,
          "gmsh, with --farfield and --spline: quadrangle layers on the section, the first FIRST "
          "chords thick, each next RATIO times thicker, THICKNESS chords in all")
      ->type_name("FIRST:RATIO:THICKNESS")
      ->check(CLI::Validator(
          [](const std::string& text) -> std::string {
            return boundaryLayerOf(text) ? std::string()
                                         : "\"" + text +
                                               "\" is not FIRST:RATIO:THICKNESS, such as "
                                               "0.0001:1.2:0.02";
          },
          ""))
      ->group(group);
  convert
      .add_flag("--spline", a.request.drawing.spline,
                "gmsh and dxf2000: splines through the points instead of straight lines")
      ->group(group);
}

const CLI::Validator kPointCount = CLI::Range(3, 1000);

// The output options convert and naca share.
void addOutputOptions(CLI::App* convert, ConvertArguments& a) {
  a.outputFile = convert->add_option(
      "-o,--output", a.file,
      "output file (- or none: the standard output); several inputs follow one another in it, "
      "and it is put in place only when the run ends");
  a.outputFolder = convert->add_option(
      "-d,--output-dir", a.folder,
      "output folder: each input goes there under its own name with the format's extension. "
      "Formats that share an extension (txt) replace each other's files there; --no-clobber "
      "keeps existing files");
  a.outputFile->excludes(a.outputFolder);
  convert->add_flag("--comments", a.request.comments,
                    "write the input's comment lines and the section properties as comment "
                    "lines before the data. Other programs cannot read the " +
                        formatsBrokenByComments() + " formats with them");
  convert->add_flag("--no-comments", a.noComments, "leave out the comment lines (the default)");
  convert->add_flag("--append", a.request.append, "append to existing output files");
  CLI::Option* keepSize = convert->add_flag(
      "--keep-size", a.request.keepSize,
      "keep the input's own x-range instead of the unit chord (svg and dxf2000 read it as "
      "millimetres)");
  convert->add_option("--scale-x", a.request.xFactor, "multiply every x by F")
      ->check(kFiniteNumber);
  convert->add_option("--scale-y", a.request.yFactor, "multiply every y by F")
      ->check(kFiniteNumber);
  addDrawingOptions(*convert, a, keepSize);
  convert->add_flag("-n,--no-clobber", a.request.noClobber,
                    "leave existing output files alone (reported; exit status 1)");
  auto* quiet = convert->add_flag("-q,--quiet", a.request.quiet, "print nothing but errors");
  auto* verbose = convert->add_flag("-v,--verbose", a.request.verbose,
                                    "print a line for every file written and the summary");
  quiet->excludes(verbose);
}

void addRedistribution(CLI::App* command, ConvertArguments& a) {
  auto* redistribute = command->add_flag("--redistribute", a.request.redistribute,
                                         "redistribute the points onto the standard x-stations");
  a.stationOption = command
                        ->add_option("--stations", a.stations,
                                     "redistribute onto these x-stations (implies --redistribute): "
                                     "2 to 1000 increasing values separated by / or , (a list "
                                     "ending beyond 1 is in per cent)")
                        ->check(kStationList);
  command
      ->add_option("--points", a.request.cosinePoints,
                   "redistribute onto N cosine-spaced points around the section (3 to 1000; the "
                   "nose takes a point, so an even N gives N + 1)")
      ->check(kPointCount)
      ->excludes(redistribute)
      ->excludes(a.stationOption);
}

CLI::App* addConvert(CLI::App& app, ConvertArguments& a) {
  CLI::App* convert = app.add_subcommand(
      "convert",
      "Convert coordinate files into one output format. Goes on past a failed file; "
      "the exit status is 1 when any failed or was left alone.");
  convert->add_option("INPUT", a.request.inputs, "input files; - reads the standard input")
      ->required();
  convert->add_option("-f,--format", a.format, "output format: " + formatChoices())
      ->required()
      ->check(kFormatName);
  addShapeOptions(convert, a.shape);
  addRedistribution(convert, a);
  addOutputOptions(convert, a);
  return convert;
}

struct NacaArguments {
  ConvertArguments output;
  std::string spacing = "cosine";
};

CLI::App* addNaca(CLI::App& app, NacaArguments& a) {
  CLI::App* naca = app.add_subcommand(
      "naca",
      "Make NACA sections: four-digit (2412), modified four-digit (0012-64), five-digit (23012, "
      "reflexed 23112), 16-series (16-212) and six-series (63-206, 63(2)-615, 64A210, "
      "\"65(4)-421 a=0.5\"), and write them as convert does (Selig layout on the standard "
      "output by default).");
  naca->add_option("DESIGNATION", a.output.request.inputs, "NACA designations")->required();
  a.output.format = "selig";
  naca->add_option("-f,--format", a.output.format,
                   "output format (default selig): " + formatChoices())
      ->check(kFormatName);
  ConvertRequest& request = a.output.request;
  request.inputsAreDesignations = true;
  naca->add_option("--points", request.naca.points,
                   "points of the whole section, a point on the nose (default 161; an even "
                   "count gives one more)")
      ->check(CLI::Range(5, kMaxNacaPoints));
  naca->add_option("--spacing", a.spacing, "stations along the chord: cosine (default) or uniform")
      ->check(CLI::IsMember({"cosine", "uniform"}));
  naca->add_flag("--closed-te", request.naca.closedTrailingEdge,
                 "end the four-digit and 16-series forms in a point (last coefficient -0.1036; "
                 "the modified forms end in 0 instead of 0.01 t)");
  addShapeOptions(naca, a.output.shape);
  addOutputOptions(naca, a.output);
  return naca;
}

int runConvert(ConvertArguments& a) {
  a.request.format = formatFromArgument(a.format);
  if (!a.chord.empty()) a.request.drawing.chordMm = *parseLength(a.chord);
  if (!a.skin.empty()) a.request.drawing.skinMm = *parseLength(a.skin);
  if (!a.stroke.empty()) a.request.drawing.strokeMm = *parseLength(a.stroke);
  if (a.meshSize == "auto") {
    a.request.drawing.meshSizeFromSpacing = true;
  } else if (!a.meshSize.empty()) {
    tarvex::io::parseFloat(a.meshSize.data(), a.meshSize.data() + a.meshSize.size(),
                           a.request.drawing.meshSizeChords);
  }
  if (const auto layer = boundaryLayerOf(a.boundaryLayer)) {
    a.request.drawing.boundaryLayerFirst = (*layer)[0];
    a.request.drawing.boundaryLayerRatio = (*layer)[1];
    a.request.drawing.boundaryLayerThickness = (*layer)[2];
  }
  if (a.outputFile->count() > 0) a.request.outputFile = a.file;
  if (a.outputFolder->count() > 0) a.request.outputFolder = a.folder;
  if (a.stationOption != nullptr && a.stationOption->count() > 0) {
    a.request.redistribute = true;
    a.request.stations = *checkStations(*parseStations(a.stations));
  }
  auto steps = shapeSteps(a.shape);
  if (!steps) {
    std::cerr << "tarvex: " << steps.error().message << '\n';
    return 1;
  }
  a.request.shape = std::move(*steps);
  return convertFiles(a.request, std::cerr);
}

// A first word that is no command: say which commands there are, and for a
// file name, how to convert it.
std::optional<int> misplacedCommand(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return std::nullopt;
  const std::string_view word = argv[1];
  for (const std::string_view command : kCommands) {
    if (word == command) return std::nullopt;
  }
  // A name with control characters comes quoted already.
  const std::string shown = nameForMessage(word);
  const std::string quoted = shown == word ? "\"" + shown + "\"" : shown;
  std::error_code error;
  if (std::filesystem::exists(pathOf(word), error)) {
    std::cerr << "tarvex: " << quoted << " is a file, not a command; name the command first:\n"
              << "  tarvex convert " << shown << (argc > 2 ? " ..." : "")
              << " -f FORMAT [-o OUTPUT]   (convert files)\n"
              << "  tarvex info " << shown << (argc > 2 ? " ..." : "")
              << "                         (show the section's figures)\n";
  } else {
    std::cerr << "tarvex: unknown command " << quoted
              << "; the commands are convert, naca, info, formats and ribs (see tarvex --help)\n";
  }
  return kUsageError;
}

// Help and version text goes to the standard output, messages to the
// standard error; a help that cannot be written is a failure too.
int finishParse(CLI::App& app, const CLI::ParseError& error) {
  std::ostringstream out, err;
  const int status = app.exit(error, out, err);
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr && app.get_subcommands().empty()) {
    std::cerr
        << "tarvex: name a command: convert, naca, info, formats or ribs (see tarvex --help)\n";
    return kUsageError;
  }
  std::cerr << err.str();
  StandardOutput standardOutput;
  if (!standardOutput.write(out.str()) || !standardOutput.finish()) {
    std::cerr << "tarvex: " << standardOutput.failure() << '\n';
    return kUsageError;
  }
  return status == 0 ? 0 : kUsageError;
}

}  // namespace

int runCommandLine(int argc, char** argv) {
  // What the commands write on the standard output is the same bytes on
  // every system; messages on the standard error end their lines as the
  // system does.
  useBinaryStandardStreams();
  if (const auto status = misplacedCommand(argc, argv)) return *status;

  CLI::App app("Tarvex " TARVEX_VERSION
               " converts airfoil coordinate files. Without arguments it asks for the "
               "conversion in a dialogue.",
               "tarvex");
  app.set_version_flag("--version", "tarvex " TARVEX_VERSION);
  app.require_subcommand(1);
  // CLI11 takes /x for an option on Windows, and so a path such as
  // /data/naca.dat; the options are the same everywhere. Subcommands made
  // after this inherit it.
  app.allow_windows_style_options(false);

  ConvertArguments convertArguments;
  CLI::App* convert = addConvert(app, convertArguments);

  NacaArguments nacaArguments;
  CLI::App* naca = addNaca(app, nacaArguments);

  std::vector<std::string> infoInputs;
  bool json = false;
  int infoPoints = 0;
  CLI::App* info = app.add_subcommand(
      "info", "Show the layout, point count, x-range and section properties of each file.");
  info->add_option("INPUT", infoInputs, "input files; - reads the standard input")->required();
  info->add_flag("--json", json, "print a JSON array with one object per file");
  info->add_option("--points", infoPoints,
                   "the figures after a cosine redistribution onto N points (3 to 1000; an even "
                   "N gives N + 1)")
      ->check(kPointCount);
  ShapeArguments infoShape;
  addShapeOptions(info, infoShape);

  CLI::App* formats = app.add_subcommand("formats", "List the output formats.");

  RibArguments ribArguments;
  CLI::App* ribs = addRibs(app, ribArguments);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return finishParse(app, error);
  }

  if (convert->parsed()) return runConvert(convertArguments);
  if (naca->parsed()) {
    if (nacaArguments.spacing == "uniform") {
      nacaArguments.output.request.naca.spacing = Spacing::uniform;
    }
    return runConvert(nacaArguments.output);
  }
  if (info->parsed()) {
    const auto steps = shapeSteps(infoShape);
    if (!steps) {
      std::cerr << "tarvex: " << steps.error().message << '\n';
      return 1;
    }
    return describeFiles(infoInputs, json, infoPoints, *steps, std::cerr);
  }
  if (ribs->parsed()) return runRibs(ribArguments);
  if (formats->parsed()) {
    StandardOutput out;
    if (!out.write(formatTable()) || !out.finish()) {
      std::cerr << "tarvex: " << out.failure() << '\n';
      return 1;
    }
    return 0;
  }
  return kUsageError;
}

}  // namespace tarvex::console
