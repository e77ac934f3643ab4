// The output of one conversion. The target is opened at once, so that an
// output that cannot be written is known before any reading, but its content
// is changed only when the conversion succeeds: the lines wait in memory (or,
// past a few megabytes of echoed comments, in a temporary file) until commit.
// A failed conversion leaves an existing file as it was and creates none.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace tarvex {

// Collects written text in memory and moves it to a temporary file once it
// grows past a limit, so that memory use stays bounded.
class SpillBuffer : public std::streambuf {
public:
  explicit SpillBuffer(std::size_t limit) : limit_(limit) {}
  ~SpillBuffer() override;
  // Copies everything written so far to the stream; false on failure.
  bool copyTo(std::ostream& sink);
  std::streamsize size() const { return size_; }

protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;

private:
  bool spill();

  std::size_t limit_;
  std::string memory_;
  std::filesystem::path spillPath_;
  std::fstream spillFile_;
  std::streamsize size_ = 0;
  bool failed_ = false;
};

class OutputFile {
public:
  // Null when the target cannot be written: a missing folder, a folder, a
  // file without write permission.
  static std::unique_ptr<OutputFile> open(const std::filesystem::path& target, bool append);

  OutputFile(std::filesystem::path target, bool append, bool created);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::ostream& stream() { return stream_; }
  // Puts the written lines in place; false when that failed.
  bool commit();

private:
  std::filesystem::path path_;
  bool append_;
  bool created_;  // the target did not exist before this conversion
  bool committed_ = false;
  std::fstream target_;
  SpillBuffer buffer_;
  std::ostream stream_;
};

}  // namespace tarvex
