// Line-oriented text input and output used by every reader and writer.
// Readers see the input text, held in memory, as lines of at most 80
// characters with one step back and a rewind; writers add whole lines to a
// buffer that goes on to its destination in blocks.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

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
  explicit LineInput(std::string_view text);

  // The next line: its first 80 characters, without the line end and without
  // padding. A carriage return before the line feed (or before the end)
  // belongs to the line end, and a UTF-8 byte-order mark at the start of the
  // text is skipped. False at the end of the text.
  bool next(std::string_view& line);
  // The same, blank-padded to 80 characters.
  bool read(LineBuffer& line);
  // The next read delivers the last line again.
  void stepBack() { position_ = lastStart_; }
  void rewind();
  std::string_view text() const { return text_; }
  // The number of the line last delivered, counted from 1.
  int lineNumber() const;

 private:
  std::string_view text_;
  std::size_t start_ = 0;  // past the byte-order mark
  std::size_t position_ = 0;
  std::size_t lastStart_ = 0;
};

// The output text of one conversion, gathered in memory: it goes to its
// file only when the whole conversion has succeeded.
class LineOutput {
 public:
  // Writes text and a line end. True: the text is kept (the file is written
  // later, and its failures are reported there).
  [[nodiscard]] bool write(std::string_view text);
  // Appends to the line being built; endLine() adds its line end.
  void append(std::string_view text) { buffer_.append(text); }
  std::string& buffer() { return buffer_; }
  const std::string& buffer() const { return buffer_; }
  [[nodiscard]] bool endLine();

  // A number that did not fit its field was written as asterisks.
  void noteOverflow() { overflowed_ = true; }
  bool overflowed() const { return overflowed_; }

 private:
  std::string buffer_;
  bool overflowed_ = false;
};

}  // namespace tarvex
