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

std::unique_ptr<OutputFile> OutputFile::open(const fs::path& requested, bool append) {
  std::error_code error;
  const fs::file_status status = fs::status(requested, error);
  if (fs::is_directory(status)) return nullptr;
  if (!fs::exists(status)) {
    // A file made through a dangling link is left in place on failure:
    // removing the path would remove the link instead.
    const bool link = fs::is_symlink(fs::symlink_status(requested, error));
    auto file = std::make_unique<OutputFile>(requested, link ? Kind::Special : Kind::Created);
    file->target_.open(requested, std::ios::binary | std::ios::out);
    return file->target_ ? std::move(file) : nullptr;
  }
  if (!fs::is_regular_file(status)) {
    // Devices and pipes are written directly: there is nothing to keep.
    auto file = std::make_unique<OutputFile>(requested, Kind::Special);
    file->target_.open(requested, std::ios::binary | std::ios::out | std::ios::app);
    return file->target_ ? std::move(file) : nullptr;
  }
  // Links are followed, so that a replaced file stays where the link points.
  const fs::path target = fs::canonical(requested, error);
  if (error) return nullptr;
  auto file = std::make_unique<OutputFile>(target, append ? Kind::Appended : Kind::Replaced);
  // Opening for appending changes nothing but proves the file writable.
  file->target_.open(target, std::ios::binary | std::ios::out | std::ios::app);
  if (!file->target_) return nullptr;
  if (append) {
    file->oldSize_ = fs::file_size(target, error);
  } else {
    file->target_.close();
  }
  return file;
}

OutputFile::OutputFile(fs::path target, Kind kind)
    : path_(std::move(target)), kind_(kind), buffer_(kMemoryLimit), stream_(&buffer_) {}

OutputFile::~OutputFile() {
  if (target_.is_open()) target_.close();
  if (!committed_ && kind_ == Kind::Created) {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
}

bool OutputFile::commit() {
  stream_.flush();
  if (!stream_) return false;
  switch (kind_) {
    case Kind::Replaced:
      committed_ = replace();
      break;
    case Kind::Appended:
      committed_ = appendToEnd();
      break;
    case Kind::Created:
    case Kind::Special:
      committed_ = buffer_.copyTo(target_) && target_.flush() && (target_.close(), !target_.fail());
      break;
  }
  return committed_;
}

bool OutputFile::replace() {
  std::error_code error;
  std::random_device device;
  fs::path temporary;
  do {
    temporary = path_.parent_path() /
                ("." + path_.filename().string() + ".tarvex-" + std::to_string(device()) + ".tmp");
  } while (fs::exists(temporary, error));
  std::ofstream sink(temporary, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!sink) {
    // A folder that takes no new file: the lines can only go over the old ones.
    std::fstream inPlace(path_, std::ios::binary | std::ios::out | std::ios::trunc);
    return buffer_.copyTo(inPlace) && inPlace.flush() && (inPlace.close(), !inPlace.fail());
  }
  const bool written = buffer_.copyTo(sink) && sink.flush() && (sink.close(), !sink.fail());
  if (written) {
    fs::permissions(temporary, fs::status(path_, error).permissions(), error);
    fs::rename(temporary, path_, error);
    if (!error) return true;
  }
  fs::remove(temporary, error);
  return false;
}

bool OutputFile::appendToEnd() {
  bool written = true;
  if (oldSize_ > 0) {
    // An old last line without its line end keeps its own line.
    std::ifstream old(path_, std::ios::binary);
    old.seekg(-1, std::ios::end);
    if (old.get() != '\n') written = static_cast<bool>(target_.put('\n'));
  }
  written = written && buffer_.copyTo(target_) && target_.flush();
  target_.close();
  if (written && !target_.fail()) return true;
  std::error_code error;
  fs::resize_file(path_, oldSize_, error);  // nothing of a failed append stays
  return false;
}

}  // namespace tarvex
