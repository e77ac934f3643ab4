#include "io/line_io.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarvex {

void setLine(LineBuffer& line, std::string_view text) {
  const std::size_t n = std::min(text.size(), line.size());
  std::copy_n(text.begin(), n, line.begin());
  std::fill(line.begin() + static_cast<std::ptrdiff_t>(n), line.end(), ' ');
}

std::string_view lineView(const LineBuffer& line) { return {line.data(), line.size()}; }

int significantLength(std::string_view text) {
  std::size_t length = text.size();
  // Padded lines are mostly trailing blanks: skip them eight at a time.
  constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
  while (length >= 8) {
    std::uint64_t chunk;
    std::memcpy(&chunk, text.data() + length - 8, sizeof chunk);
    if (chunk != kEightBlanks) break;
    length -= 8;
  }
  while (length > 0 && text[length - 1] == ' ') --length;
  return static_cast<int>(length);
}

std::string_view trimRight(std::string_view text) {
  return text.substr(0, static_cast<std::size_t>(significantLength(text)));
}

LineInput::LineInput(std::string_view text) : text_(text) {
  if (text_.starts_with("\xEF\xBB\xBF")) start_ = 3;
  rewind();
}

void LineInput::rewind() { position_ = lastStart_ = start_; }

int LineInput::lineNumber() const {
  // Asked for only to name a line in a message: counting is cheap enough.
  const auto before = text_.substr(start_, lastStart_ - start_);
  return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
}

bool LineInput::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  lastStart_ = position_;
  const char* start = text_.data() + position_;
  const std::size_t available = text_.size() - position_;
  const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
  std::size_t length = newline != nullptr ? static_cast<std::size_t>(newline - start) : available;
  position_ += newline != nullptr ? length + 1 : length;
  if (length > 0 && start[length - 1] == '\r') --length;
  line = std::string_view(start, std::min(length, kLineLength));
  return true;
}

bool LineInput::read(LineBuffer& line) {
  std::string_view text;
  if (!next(text)) return false;
  setLine(line, text);
  return true;
}

bool LineOutput::write(std::string_view text) {
  buffer_.append(text);
  return endLine();
}

bool LineOutput::endLine() {
  buffer_.push_back('\n');
  return true;
}

}  // namespace tarvex
