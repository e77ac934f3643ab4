#include "io/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "io/windows_files.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/message_name.h"

namespace tarvex {
namespace {

Error fileError(const std::string& name, int code) {
  return {Status::inputNotFound, nameForMessage(name) + ": " + std::strerror(code), name, code};
}

Error tooLarge(const std::string& name, std::string why) {
  return {Status::inputNotFound, nameForMessage(name) + ": " + std::move(why), name, EFBIG};
}

std::string limitText(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

#if defined(_WIN32)
using ReadSize = unsigned int;
int readSome(int fd, char* data, std::size_t size) {
  return _read(fd, data, static_cast<ReadSize>(std::min<std::size_t>(size, 1u << 30)));
}
int closeFile(int fd) { return _close(fd); }
#else
long readSome(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
int closeFile(int fd) { return ::close(fd); }
#endif

// Reads to the end of the descriptor. A regular file of known size is taken
// in one read; anything else in blocks, watching the limits as it comes.
Error readAll(int fd, const std::string& name, bool regular, std::size_t size, std::string& text) {
  text.clear();
  std::size_t want = regular ? size + 1 : std::size_t{64} << 10;
  std::size_t sinceLineEnd = 0;
  for (;;) {
    const std::size_t used = text.size();
    if (used + want > kInputLimit + 1) want = kInputLimit + 1 - used;
    text.resize(used + want);
    const auto got = readSome(fd, text.data() + used, want);
    if (got < 0) {
      if (errno == EINTR) {
        text.resize(used);
        continue;
      }
      const int code = errno;
      text.clear();
      return fileError(name, code);
    }
    const auto count = static_cast<std::size_t>(got);
    text.resize(used + count);
    if (text.size() > kInputLimit) {
      text.clear();
      return tooLarge(name, "the input is larger than " + limitText(kInputLimit));
    }
    if (count == 0) return {};
    // A regular file's short read is its end; no second read is needed.
    if (regular && count < want) return {};
    if (regular) {
      // Longer than its size said (a growing file, or one of /proc): go on
      // in blocks.
      regular = false;
      want = std::size_t{64} << 10;
    } else {
      const auto block = std::string_view(text).substr(used);
      const auto lastEnd = block.rfind('\n');
      sinceLineEnd = lastEnd == std::string_view::npos ? sinceLineEnd + count : count - lastEnd - 1;
      if (sinceLineEnd > kLineEndLimit) {
        text.clear();
        return tooLarge(name, "more than " + limitText(kLineEndLimit) +
                                  " without a line end: not coordinate text");
      }
      want = std::min<std::size_t>(want * 2, std::size_t{4} << 20);
    }
  }
}

}  // namespace

Error readInputFile(const std::string& path, InputText& input) {
  if (path.find('\0') != std::string::npos) return nullByteInName(path, Status::inputNotFound);
#if defined(_WIN32)
  // Others may read, write, rename and remove the file meanwhile, as they may
  // elsewhere: an output replacing it is not stopped by this reading.
  const std::wstring name = wideName(path);
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const auto failure = windows::lastError(name);
    return {Status::inputNotFound, nameForMessage(path) + ": " + failure.reason, path,
            failure.code};
  }
  const bool regular = GetFileType(file) == FILE_TYPE_DISK;
  LARGE_INTEGER size{};
  if (regular && !GetFileSizeEx(file, &size)) size.QuadPart = 0;
  if (regular && static_cast<std::uint64_t>(size.QuadPart) > kInputLimit) {
    CloseHandle(file);
    return tooLarge(path, "the input is larger than " + limitText(kInputLimit));
  }
  input.key = windows::keyOf(file);
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(file);
    return fileError(path, EMFILE);
  }
  Error error = readAll(fd, path, regular, static_cast<std::size_t>(size.QuadPart), input.text);
  closeFile(fd);
  return error;
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fileError(path, errno);
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    const int code = errno;
    closeFile(fd);
    return fileError(path, code);
  }
  if (S_ISDIR(status.st_mode)) {
    closeFile(fd);
    return fileError(path, EISDIR);
  }
  const bool regular = S_ISREG(status.st_mode);
  if (regular && static_cast<std::uint64_t>(status.st_size) > kInputLimit) {
    closeFile(fd);
    return tooLarge(path, "the input is larger than " + limitText(kInputLimit));
  }
  input.key =
      FileKey{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  Error error = readAll(fd, path, regular, static_cast<std::size_t>(status.st_size), input.text);
  closeFile(fd);
  return error;
#endif
}

std::optional<FileKey> keyOf(const std::string& path) {
#if defined(_WIN32)
  return windows::keyOfName(wideName(path));
#else
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileKey{static_cast<std::uint64_t>(status.st_dev),
                 static_cast<std::uint64_t>(status.st_ino)};
#endif
}

Error readInputDescriptor(int descriptor, const std::string& name, InputText& input) {
  input.key.reset();
  return readAll(descriptor, name, false, 0, input.text);
}

}  // namespace tarvex
