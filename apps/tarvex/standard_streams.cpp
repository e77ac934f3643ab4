#include "standard_streams.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

#include "io/utf8_text.h"

namespace tarvex::console {
namespace {

bool writeAll(int fd, std::string_view text, int& error) {
  while (!text.empty()) {
#if defined(_WIN32)
    const auto written = _write(fd, text.data(), static_cast<unsigned int>(text.size()));
#else
    const auto written = ::write(fd, text.data(), text.size());
#endif
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool isTerminal(int fd) {
#if defined(_WIN32)
  return _isatty(fd) != 0;
#else
  return isatty(fd) != 0;
#endif
}

}  // namespace

bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = io::utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string latin1LinesAsUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
    text.remove_prefix(line.size());
    if (isUtf8(line)) {
      out += line;
      continue;
    }
    for (const char ch : line) {
      const auto c = static_cast<unsigned char>(ch);
      if (c < 0x80) {
        out += ch;
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  }
  return out;
}

namespace {
bool standardOutputClosed = false;
}  // namespace

void StandardOutput::markClosed() { standardOutputClosed = true; }

bool StandardOutput::write(std::string_view text) {
  if (standardOutputClosed) error_ = EBADF;
  if (error_ != 0) return false;
  static const bool terminal = standardOutputIsTerminal();
  if (terminal) return writeAll(1, latin1LinesAsUtf8(text), error_);
  return writeAll(1, text, error_);
}

bool StandardOutput::finish() { return error_ == 0; }

std::string StandardOutput::failure() const {
  return std::string("<stdout>: ") + std::strerror(error_);
}

bool standardInputIsTerminal() { return isTerminal(0); }
bool standardOutputIsTerminal() { return isTerminal(1); }
bool standardErrorIsTerminal() { return isTerminal(2); }

void useBinaryStandardStreams() {
#if defined(_WIN32)
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace tarvex::console
