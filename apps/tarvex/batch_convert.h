// `tarvex convert`: many input files in one output format, going on past a
// failed file and summing up at the end.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tarvex.hpp"
#include "tarvex_shape.hpp"

namespace tarvex::console {

inline constexpr std::string_view kStandardStream = "-";

struct ConvertRequest {
  std::vector<std::string> inputs;  // "-" is the standard input
  // The inputs are NACA designations, made with these options.
  bool inputsAreDesignations = false;
  NacaOptions naca;
  const FormatRow* format = nullptr;
  // At most one of the two; neither (or "-" as the file) writes to the
  // standard output.
  std::optional<std::string> outputFile;
  std::optional<std::string> outputFolder;
  bool comments = false;
  bool append = false;
  bool redistribute = false;
  std::vector<float> stations;  // checked; empty: the standard stations
  int cosinePoints = 0;         // cosine redistribution onto this many points
  bool keepSize = false;
  float xFactor = 1.0f;
  float yFactor = 1.0f;
  DrawingOptions drawing;  // SVG, Gmsh and DXF R2000
  ShapeSteps shape;        // applied to every section before redistribution
  bool quiet = false;      // nothing but errors
  bool verbose = false;    // a line for every file written
  bool noClobber = false;  // existing outputs are left alone
};

// Converts every input; returns the exit status: 0 when all were converted,
// 1 when any failed or was left alone. Messages go to err.
int convertFiles(const ConvertRequest& request, std::ostream& err);

// The standard input's text, read once for every "-" of a command; the
// hint says how to end it when it comes from a terminal.
class StandardInput {
 public:
  explicit StandardInput(std::ostream& err, bool quiet) : err_(err), quiet_(quiet) {}
  const Result<std::string>& text();

 private:
  std::ostream& err_;
  bool quiet_;
  std::optional<Result<std::string>> text_;
};

// The file name a NACA designation's output takes in a folder: "NACA
// 63(2)-615" becomes naca63_2-615.
std::string designationStem(std::string_view designation);

// The message line for a failed file: the failure's own file when it names
// one, else the input it concerns.
std::string failureLine(std::string_view input, const Error& error);

}  // namespace tarvex::console
