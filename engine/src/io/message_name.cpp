// File names in messages. A name is shown as it is unless it holds a control
// character: a line end would forge a second message line and an escape
// sequence would reach the terminal, so such a name is shown in single
// quotes with C escapes, as the GNU tools show it.
#include "io/message_name.h"

#include <algorithm>
#include <cerrno>

#include "tarvex.hpp"

namespace tarvex {
namespace {

bool isControl(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code < 0x20 || code == 0x7F;
}

}  // namespace

std::string nameForMessage(std::string_view name) {
  if (std::none_of(name.begin(), name.end(), isControl)) return std::string(name);
  // The letters of \a \b \t \n \v \f \r, codes 7 to 13.
  constexpr std::string_view kLetters = "abtnvfr";
  std::string shown = "'";
  for (const char c : name) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= '\a' && code <= '\r') {
      shown += '\\';
      shown += kLetters[code - '\a'];
    } else if (isControl(c)) {
      shown += '\\';
      shown += static_cast<char>('0' + (code >> 6));
      shown += static_cast<char>('0' + ((code >> 3) & 7));
      shown += static_cast<char>('0' + (code & 7));
    } else {
      if (c == '\\' || c == '\'') shown += '\\';
      shown += c;
    }
  }
  return shown + "'";
}

Error nullByteInName(const std::string& path, Status status) {
  return {status, nameForMessage(path) + ": a file name cannot hold a null byte", path, EINVAL};
}

}  // namespace tarvex
