#include "batch_files.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tarvex::console {
namespace fs = std::filesystem;

std::optional<TemporaryFile> TemporaryFile::create(std::string_view tag) {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error);
  if (error) return std::nullopt;
  std::random_device device;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        folder / ("tarvex-" + std::string(tag) + "-" + std::to_string(device()) + ".tmp");
    // "x": made here and now, never an existing file of someone else.
    if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) {
      std::fclose(file);
      return TemporaryFile(candidate);
    }
  }
  return std::nullopt;
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
  if (this != &other) {
    std::error_code ignored;
    if (!path_.empty()) fs::remove(path_, ignored);
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

TemporaryFile::~TemporaryFile() {
  if (path_.empty()) return;
  std::error_code ignored;
  fs::remove(path_, ignored);
}

void useBinaryStandardStreams() {
#if defined(_WIN32)
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

std::optional<TemporaryFile> captureStream(std::istream& in, std::string_view tag) {
  auto file = TemporaryFile::create(tag);
  if (!file) return std::nullopt;
  std::ofstream out(file->path(), std::ios::binary | std::ios::trunc);
  if (!out) return std::nullopt;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    out.write(block, in.gcount());
    if (!out) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  out.close();
  if (!out) return std::nullopt;
  return file;
}

bool copyFileTo(const fs::path& path, std::ostream& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    out.write(block, in.gcount());
    if (!out) return false;
  }
  out.flush();
  return !in.bad() && static_cast<bool>(out);
}

std::string_view nullDevice() {
#if defined(_WIN32)
  return "NUL";
#else
  return "/dev/null";
#endif
}

bool standardErrorIsTerminal() {
#if defined(_WIN32)
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace tarvex::console
