// Line-oriented text input and output used by every reader and writer.
// Readers see the input as 80-character, blank-padded lines with one step
// back and a rewind; writers add whole lines and learn of every failure.
#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr std::size_t kLineLength = 80;
using LineBuffer = std::array<char, kLineLength>;

// Blank-padded copy of text into a line buffer (longer text is cut).
void setLine(LineBuffer& line, std::string_view text);
std::string_view lineView(const LineBuffer& line);
// Position of the last non-blank character counted from 1; 0 for a blank line.
int significantLength(std::string_view text);
std::string_view trimRight(std::string_view text);

class LineInput {
public:
  explicit LineInput(std::istream& stream);

  // Next line as its first 80 characters, blank-padded. A carriage return
  // before the line feed (or before the end) belongs to the line end, and a
  // UTF-8 byte-order mark at the start of the input is skipped. False at the
  // end of the input or on a read error.
  bool read(LineBuffer& line);
  // The next read delivers the last line again.
  void stepBack();
  void rewind();

private:
  // Makes more input available at buffer_[begin_, end_); false at the end.
  bool fill();

  std::istream& stream_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atStart_ = true;  // the byte-order mark is still to be looked for
  LineBuffer last_{};
  bool haveLast_ = false;
  bool replay_ = false;
};

class LineOutput {
public:
  explicit LineOutput(std::ostream& stream) : stream_(stream) {}

  // Writes text and a line end; false when the stream failed.
  [[nodiscard]] bool write(std::string_view text);
  bool failed() const { return stream_.fail(); }

private:
  std::ostream& stream_;
};

}  // namespace tarvex
