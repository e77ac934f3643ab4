#include "text_io.h"

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
  // Lines are mostly trailing blanks: skip them eight at a time.
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

LineInput::LineInput(std::istream& stream) : stream_(stream), buffer_(64 * 1024) {}

bool LineInput::fill() {
  if (begin_ > 0) {
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_),
              buffer_.begin() + static_cast<std::ptrdiff_t>(end_), buffer_.begin());
    end_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size() || !stream_.good()) return end_ > begin_;
  stream_.read(buffer_.data() + end_, static_cast<std::streamsize>(buffer_.size() - end_));
  end_ += static_cast<std::size_t>(stream_.gcount());
  return end_ > begin_;
}

bool LineInput::read(LineBuffer& line) {
  if (replay_) {
    replay_ = false;
    line = last_;
    return true;
  }
  if (atStart_) {
    atStart_ = false;
    while (end_ - begin_ < 3 && stream_.good() && fill()) {
    }
    static constexpr char kBom[] = "\xEF\xBB\xBF";
    if (end_ - begin_ >= 3 && std::equal(kBom, kBom + 3, buffer_.data() + begin_)) begin_ += 3;
  }

  // Keep one character beyond the 80 so that a carriage return ending an
  // 80-character line is still recognised as part of the line end.
  std::array<char, kLineLength + 1> raw{};
  std::size_t kept = 0;
  std::size_t total = 0;
  bool lastWasCr = false;
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !fill()) break;
    any = true;
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t length =
        newline != nullptr ? static_cast<std::size_t>(newline - start) : available;
    if (length > 0) {
      const std::size_t take = std::min(length, raw.size() - kept);
      std::copy_n(start, take, raw.data() + kept);
      kept += take;
      total += length;
      lastWasCr = start[length - 1] == '\r';
    }
    begin_ += length;
    if (newline != nullptr) {
      ++begin_;
      break;
    }
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
  begin_ = end_ = 0;
  atStart_ = true;
  replay_ = false;
  haveLast_ = false;
}

bool LineOutput::write(std::string_view text) {
  if (stream_.fail()) return false;
  stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
  stream_.put('\n');
  return !stream_.fail();
}

}  // namespace tarvex
