// The output of one conversion. The target is checked at once, so that an
// output that cannot be written is known before any reading, but its content
// is changed only when the conversion succeeds: the lines wait in memory (or,
// past a few megabytes of echoed comments, in a temporary file) until commit.
// A failed conversion leaves an existing file as it was and creates none; a
// replaced file is written beside the old one and renamed over it, and a
// failed append is cut back to the old length, so even a full disk at commit
// time loses nothing.
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

  enum class Kind { Created, Appended, Replaced, Special };
  OutputFile(std::filesystem::path target, Kind kind);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::ostream& stream() { return stream_; }
  // Puts the written lines in place; false when that failed.
  bool commit();

private:
  bool replace();
  bool appendToEnd();

  std::filesystem::path path_;
  Kind kind_;
  std::uintmax_t oldSize_ = 0;  // of an appended file
  bool committed_ = false;
  std::fstream target_;
  SpillBuffer buffer_;
  std::ostream stream_;
};

}  // namespace tarvex
