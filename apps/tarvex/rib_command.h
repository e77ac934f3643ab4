// `tarvex ribs`: the ribs of a wing panel nested on sheets for a laser
// cutter, their report, and the panel's foam-core outlines and G-code for a
// hot-wire cutter. The engine (tarvex_ribs.hpp) makes all of it.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace tarvex::console {

struct RibArguments {
  std::vector<std::string> sections;  // ROOT [TIP]: files or NACA designations
  std::string name, rootChord, tipChord, span, stations, sweep;
  int ribs = 0;
  double washout = 0.0, twistAxis = 0.25;
  bool plainBlend = false;
  std::string sheeting, leadingEdgeStock, trailingEdgeStock, holes, web, tabs, tabWidth, tabLength;
  std::vector<std::string> spars;
  double holeSize = 0.6;
  bool noEngrave = false;
  std::string label = "R";
  std::string sheet = "A4", gap, margin, kerf, stroke;
  std::string svg, dxf, report;
  bool json = false, quiet = false;
  std::string hotWire, gcode, wireKerf, leadIn, towers;
  int wirePoints = 201;
  double feed = 300.0;
};

CLI::App* addRibs(CLI::App& app, RibArguments& a);

// The exit status: 0 done, 1 refused or not written.
int runRibs(const RibArguments& a);

}  // namespace tarvex::console
