// The batch commands call the engine's C++ routines, linked into this program
// from the static core; the dialogue binds the exported C entry of libtarvex
// at run time. One run is either the dialogue or one batch command, so the
// engine's library-global state (stations, section name, properties) has one
// copy in each run.
#include "command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <iostream>

#include "batch_convert.h"
#include "batch_files.h"
#include "engine_state.h"
#include "format_choice.h"
#include "redistribution.h"
#include "section_info.h"
#include "station_option.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "unknown"
#endif

namespace tarvex::console {
namespace {

constexpr int kUsageError = 2;

const CLI::Validator kFormatName(
    [](const std::string& text) {
      return formatFromArgument(text) ? std::string() : "unknown format \"" + text + "\"";
    },
    "FORMAT");

const CLI::Validator kStationList(
    [](const std::string& text) -> std::string {
      const auto stations = parseStations(text);
      if (!stations) return "\"" + text + "\" is not a list of numbers separated by / or ,";
      if (stations->size() > static_cast<std::size_t>(kMaxStations)) {
        return "more than " + std::to_string(kMaxStations) + " stations";
      }
      return {};
    },
    "LIST");

const CLI::Validator kFiniteNumber(
    [](const std::string& text) -> std::string {
      float value = 0.0f;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
      if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return "\"" + text + "\" is not a number";
      }
      return {};
    },
    "F");

struct ConvertArguments {
  ConvertRequest request;
  std::string format;
  std::string stations;
  CLI::Option* outputFile = nullptr;
  CLI::Option* outputFolder = nullptr;
  CLI::Option* stationOption = nullptr;
  bool noComments = false;
  std::string file, folder;
};

CLI::App* addConvert(CLI::App& app, ConvertArguments& a) {
  CLI::App* convert = app.add_subcommand(
      "convert",
      "Convert coordinate files into one output format. Goes on past a failed file; "
      "the exit status is 1 when any failed.");
  convert->add_option("INPUT", a.request.inputs, "input files; - reads the standard input")
      ->required();
  convert->add_option("-f,--format", a.format, "output format: " + formatChoices())
      ->required()
      ->check(kFormatName);
  a.outputFile = convert->add_option(
      "-o,--output", a.file,
      "output file (- or none: the standard output); several inputs follow one another in it");
  a.outputFolder = convert->add_option(
      "-d,--output-dir", a.folder,
      "output folder: each input goes there under its own name with the format's extension");
  a.outputFile->excludes(a.outputFolder);
  convert->add_flag("--no-comments", a.noComments, "leave out the comment lines");
  convert->add_flag("--append", a.request.append, "append to existing output files");
  convert->add_flag("--redistribute", a.request.redistribute,
                    "redistribute the points onto the standard x-stations");
  a.stationOption = convert
                        ->add_option("--stations", a.stations,
                                     "standard x-stations, separated by / or , (at most 1000; "
                                     "a list ending beyond 1 is in per cent)")
                        ->check(kStationList);
  convert->add_flag("--keep-size", a.request.keepSize,
                    "keep the input's own x-range instead of the unit chord");
  convert->add_option("--scale-x", a.request.xFactor, "multiply every x by F")
      ->check(kFiniteNumber);
  convert->add_option("--scale-y", a.request.yFactor, "multiply every y by F")
      ->check(kFiniteNumber);
  return convert;
}

int runConvert(ConvertArguments& a) {
  a.request.format = formatFromArgument(a.format);
  a.request.comments = !a.noComments;
  if (a.outputFile->count() > 0) a.request.outputFile = a.file;
  if (a.outputFolder->count() > 0) a.request.outputFolder = a.folder;
  if (a.stationOption->count() > 0) {
    const auto stations = parseStations(a.stations);
    if (!stations || ISETXS(*stations) != 0) {
      std::cerr << "tarvex: the stations \"" << a.stations << "\" were not accepted\n";
      return kUsageError;
    }
  }
  return convertFiles(a.request, {std::cin, std::cout, std::cerr, standardErrorIsTerminal()});
}

}  // namespace

int runCommandLine(int argc, char** argv) {
  CLI::App app("Tarvex " TARVEX_VERSION
               " converts airfoil coordinate files. Without arguments it asks for the "
               "conversion in a dialogue.",
               "tarvex");
  app.set_version_flag("--version", "tarvex " TARVEX_VERSION);
  app.require_subcommand(1);

  ConvertArguments convertArguments;
  CLI::App* convert = addConvert(app, convertArguments);

  std::vector<std::string> infoInputs;
  bool json = false;
  CLI::App* info = app.add_subcommand(
      "info", "Show the layout, point count, x-range and section properties of each file.");
  info->add_option("INPUT", infoInputs, "input files; - reads the standard input")->required();
  info->add_flag("--json", json, "print a JSON array with one object per file");

  CLI::App* formats = app.add_subcommand("formats", "List the output formats.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : kUsageError;
  }

  if (convert->parsed()) return runConvert(convertArguments);
  if (info->parsed()) return describeFiles(infoInputs, json, {std::cin, std::cout, std::cerr});
  if (formats->parsed()) {
    std::cout << formatTable();
    return 0;
  }
  return kUsageError;
}

}  // namespace tarvex::console
