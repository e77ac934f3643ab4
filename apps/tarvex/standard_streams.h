// The standard streams as the program uses them: whole texts written to the
// standard output with the system's reason kept on failure, the terminal
// tests, and the text conversion a terminal needs.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::console {

class StandardOutput {
 public:
  // Writes the text; on a terminal, lines in ISO 8859-1 are shown as UTF-8.
  bool write(std::string_view text);
  // False when anything failed, with the reason.
  bool finish();
  std::string failure() const;
  // The program was started with its standard output closed.
  static void markClosed();

 private:
  int error_ = 0;
};

bool standardInputIsTerminal();
bool standardOutputIsTerminal();
bool standardErrorIsTerminal();

// Lines that are not valid UTF-8 read as ISO 8859-1 (the engine's own
// encoding) and turned into UTF-8; valid UTF-8 stays as it is.
std::string latin1LinesAsUtf8(std::string_view text);
bool isUtf8(std::string_view text);

// Puts the standard streams into binary mode where the platform makes a
// difference, so that the bytes pass unchanged.
void useBinaryStandardStreams();

}  // namespace tarvex::console
