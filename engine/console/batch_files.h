// Files around the batch conversions: temporary files standing in for the
// standard streams (the engine reads and writes files by name), and the
// terminal test for the progress line.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>

namespace tarvex::console {

// A new, empty file in the temporary folder, removed with the object.
class TemporaryFile {
 public:
  // Nothing when no file could be made.
  static std::optional<TemporaryFile> create(std::string_view tag);
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&& other) noexcept;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  const std::filesystem::path& path() const { return path_; }

 private:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  std::filesystem::path path_;
};

// Puts the standard streams into binary mode where the platform makes a
// difference, so that the bytes pass unchanged.
void useBinaryStandardStreams();

// Copies everything from the stream into a new temporary file.
std::optional<TemporaryFile> captureStream(std::istream& in, std::string_view tag);

// Appends the file's bytes to the stream; false on a read or write failure.
bool copyFileTo(const std::filesystem::path& path, std::ostream& out);

// The null device, for conversions that are run for their figures only.
std::string_view nullDevice();

bool standardErrorIsTerminal();

}  // namespace tarvex::console
