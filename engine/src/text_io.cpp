#include "text_io.h"

#include <algorithm>

namespace tarvex {

void setLine(LineBuffer& line, std::string_view text) {
  const std::size_t n = std::min(text.size(), line.size());
  std::copy_n(text.begin(), n, line.begin());
  std::fill(line.begin() + static_cast<std::ptrdiff_t>(n), line.end(), ' ');
}

std::string_view lineView(const LineBuffer& line) { return {line.data(), line.size()}; }

int significantLength(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? 0 : static_cast<int>(last) + 1;
}

std::string_view trimRight(std::string_view text) {
  return text.substr(0, static_cast<std::size_t>(significantLength(text)));
}

LineInput::LineInput(std::istream& stream) : stream_(stream) { skipByteOrderMark(); }

void LineInput::skipByteOrderMark() {
  std::streambuf* buffer = stream_.rdbuf();
  if (buffer == nullptr) return;
  static constexpr unsigned char kBom[3] = {0xEF, 0xBB, 0xBF};
  for (int i = 0; i < 3; ++i) {
    const auto c = buffer->sgetc();
    if (c != kBom[i]) {
      // Only a complete mark is skipped; a partial one is put back.
      for (int j = 0; j < i; ++j) buffer->sungetc();
      return;
    }
    buffer->sbumpc();
  }
}

bool LineInput::read(LineBuffer& line) {
  if (replay_) {
    replay_ = false;
    line = last_;
    return true;
  }
  std::streambuf* buffer = stream_.rdbuf();
  if (buffer == nullptr || !stream_.good()) return false;

  // Keep one character beyond the 80 so that a carriage return ending an
  // 80-character line is still recognised as part of the line end.
  std::array<char, kLineLength + 1> raw{};
  std::size_t kept = 0;
  std::size_t total = 0;
  bool lastWasCr = false;
  bool any = false;
  for (;;) {
    const auto c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      stream_.setstate(std::ios::eofbit);
      break;
    }
    any = true;
    if (c == '\n') break;
    if (kept < raw.size()) raw[kept++] = static_cast<char>(c);
    ++total;
    lastWasCr = (c == '\r');
  }
  if (!any) return false;
  if (lastWasCr && total == kept) --kept;
  setLine(line, std::string_view(raw.data(), std::min(kept, kLineLength)));
  last_ = line;
  haveLast_ = true;
  return true;
}

void LineInput::stepBack() {
  if (haveLast_) replay_ = true;
}

void LineInput::rewind() {
  stream_.clear();
  stream_.seekg(0);
  replay_ = false;
  haveLast_ = false;
  skipByteOrderMark();
}

bool LineOutput::write(std::string_view text) {
  if (stream_.fail()) return false;
  stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
  stream_.put('\n');
  return !stream_.fail();
}

}  // namespace tarvex
