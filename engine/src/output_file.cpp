#include "output_file.h"

#include <random>

namespace tarvex {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kMemoryLimit = 4 * 1024 * 1024;

fs::path uniqueTemporaryPath() {
  std::random_device device;
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  for (;;) {
    const fs::path candidate = folder / ("tarvex-" + std::to_string(device()) + ".tmp");
    if (!fs::exists(candidate, error)) return candidate;
  }
}

}  // namespace

SpillBuffer::~SpillBuffer() {
  if (spillFile_.is_open()) spillFile_.close();
  if (!spillPath_.empty()) {
    std::error_code ignored;
    fs::remove(spillPath_, ignored);
  }
}

bool SpillBuffer::spill() {
  spillPath_ = uniqueTemporaryPath();
  spillFile_.open(spillPath_, std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
  if (!spillFile_) return false;
  spillFile_.write(memory_.data(), static_cast<std::streamsize>(memory_.size()));
  std::string().swap(memory_);
  return static_cast<bool>(spillFile_);
}

std::streambuf::int_type SpillBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

std::streamsize SpillBuffer::xsputn(const char* text, std::streamsize count) {
  if (failed_) return 0;
  if (!spillFile_.is_open()) {
    memory_.append(text, static_cast<std::size_t>(count));
    if (memory_.size() > limit_ && !spill()) failed_ = true;
  } else if (!spillFile_.write(text, count)) {
    failed_ = true;
  }
  if (failed_) return 0;
  size_ += count;
  return count;
}

bool SpillBuffer::copyTo(std::ostream& sink) {
  if (failed_) return false;
  if (!spillFile_.is_open()) {
    sink.write(memory_.data(), static_cast<std::streamsize>(memory_.size()));
    return static_cast<bool>(sink);
  }
  spillFile_.flush();
  spillFile_.seekg(0);
  if (size_ > 0) sink << spillFile_.rdbuf();
  return static_cast<bool>(sink) && static_cast<bool>(spillFile_);
}

std::unique_ptr<OutputFile> OutputFile::open(const fs::path& target, bool append) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (fs::is_directory(status)) return nullptr;
  const bool exists = fs::exists(status);
  // A file made through a dangling link is left in place on failure: removing
  // the path would remove the link instead.
  const bool created = !exists && !fs::is_symlink(fs::symlink_status(target, error));
  auto file = std::make_unique<OutputFile>(target, append, created);
  // An existing file is opened without truncation: its content stays until commit.
  std::ios::openmode mode = std::ios::binary | std::ios::out;
  if (append) {
    mode |= std::ios::app;
  } else if (exists && fs::is_regular_file(status)) {
    mode |= std::ios::in;
  }
  file->target_.open(target, mode);
  if (!file->target_) {
    file->created_ = false;  // nothing was made
    return nullptr;
  }
  return file;
}

OutputFile::OutputFile(fs::path target, bool append, bool created)
    : path_(std::move(target)),
      append_(append),
      created_(created),
      buffer_(kMemoryLimit),
      stream_(&buffer_) {}

OutputFile::~OutputFile() {
  if (target_.is_open()) target_.close();
  if (!committed_ && created_) {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
}

bool OutputFile::commit() {
  stream_.flush();
  if (!stream_ || !target_.is_open()) return false;
  const bool replacing = !append_ && !created_ && fs::is_regular_file(path_);
  if (!buffer_.copyTo(target_)) return false;
  target_.flush();
  if (!target_) return false;
  target_.close();
  if (replacing) {
    // The old content was longer: cut it after the new lines.
    std::error_code error;
    if (fs::file_size(path_, error) != static_cast<std::uintmax_t>(buffer_.size())) {
      fs::resize_file(path_, static_cast<std::uintmax_t>(buffer_.size()), error);
      if (error) return false;
    }
  }
  committed_ = true;
  return true;
}

}  // namespace tarvex
