// tarvex.convert: many input files in one output format, file by file, as
// the console program's `tarvex convert` does it. Plain C++, so the Python
// side can run each step without the interpreter lock.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tarvex.hpp"

namespace tarvex::python {

struct BatchRequest {
  std::vector<std::filesystem::path> inputs;
  // At most one of the two; neither keeps each output as text.
  std::optional<std::filesystem::path> outputFile;
  std::optional<std::filesystem::path> outputFolder;
  WriteOptions options;
  bool redistribute = false;
  std::vector<float> stations;  // checked; empty: the standard stations
  bool append = false;
  bool noClobber = false;
};

struct FileOutcome {
  enum class Kind { converted, failed, skipped };
  Kind kind = Kind::failed;
  Error error;                   // why it failed or was skipped
  std::filesystem::path target;  // the output it went (or would have gone) to
  std::string text;              // the output itself when no output is named
};

class Batch {
 public:
  explicit Batch(const BatchRequest& request);

  // Makes the output folder or opens the single output file. A failure
  // means nothing was converted; an existing single output under noClobber
  // skips every input.
  Error start();
  bool skipsEverything() const { return skipEverything_; }

  FileOutcome convert(std::size_t index);

  // Puts the single output file in place; until then it is not there.
  Error finish();

 private:
  Result<Section> read(const std::filesystem::path& input) const;
  std::filesystem::path folderTarget(const std::filesystem::path& input) const;

  const BatchRequest& request_;
  std::vector<FileKey> inputKeys_;
  std::optional<OutputFile> singleFile_;
  std::set<std::filesystem::path> written_;
  bool skipEverything_ = false;
  bool wroteSingle_ = false;
};

// The capacity the console program's batch reads with.
inline constexpr int kBatchCapacity = 1000;

}  // namespace tarvex::python
