// `tarvex convert`: many input files in one output format, going on past a
// failed file and summing up at the end.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "conversion.h"
#include "output_writer.h"

namespace tarvex::console {

inline constexpr int kBatchCapacity = 1000;
inline constexpr std::string_view kStandardStream = "-";

struct ConvertRequest {
  std::vector<std::string> inputs;  // "-" is the standard input
  const OutputFormat* format = nullptr;
  // At most one of the two; neither (or "-" as the file) writes to the
  // standard output.
  std::optional<std::string> outputFile;
  std::optional<std::string> outputFolder;
  bool comments = true;
  bool append = false;
  bool redistribute = false;
  bool keepSize = false;
  float xFactor = 1.0f;
  float yFactor = 1.0f;
};

struct StandardStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;  // failures, the summary and the progress line
  bool errIsTerminal = false;
};

// INORM for a batch: a failure the engine throws (such as running out of
// memory) is that file's write error, and the batch goes on.
ConversionResult guardedINORM(std::string_view inName, std::string_view outName, std::span<float> x,
                              std::span<float> y, const ConversionOptions& options);

// Converts every input; returns the exit status: 0 when all were converted,
// 1 when any failed.
int convertFiles(const ConvertRequest& request, StandardStreams streams);

}  // namespace tarvex::console
