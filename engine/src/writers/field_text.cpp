#include "writers/field_text.h"

namespace tarvex::writers {
namespace {

bool isControl(char c) {
  const auto code = static_cast<unsigned char>(c);
  return (code < 0x20 && c != '\t') || code == 0x7F;
}

// The length of the UTF-8 sequence starting at text[i], or 0 when there is
// none there that XML takes (overlong forms, surrogates, U+FFFE and U+FFFF
// and what lies beyond U+10FFFF are refused).
std::size_t sequenceLength(std::string_view text, std::size_t i, char32_t& code) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3Fu);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
      code == 0xFFFE || code == 0xFFFF) {
    return 0;
  }
  return length;
}

bool isUtf8(std::string_view text) {
  char32_t code = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sequenceLength(text, i, code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// Appends c, or its reference when it is one of the markup characters.
void appendXml(std::string& out, char c, bool quote) {
  switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += quote ? "&quot;" : "\"";
      break;
    default:
      out += c;
  }
}

}  // namespace

std::string lineText(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (isControl(c)) c = ' ';
  }
  return line;
}

std::string stringLiteralBody(std::string_view text, char quote, bool backslashEscapes) {
  std::string body;
  body.reserve(text.size());
  for (const char c : lineText(text)) {
    if (backslashEscapes && (c == quote || c == '\\')) {
      body += '\\';
    } else if (!backslashEscapes && c == quote) {
      body += quote;
    }
    body += c;
  }
  return body;
}

std::string latin1XmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : lineText(text)) appendXml(out, c, false);
  return out;
}

std::string utf8Text(std::string_view text) {
  const bool utf8 = isUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 && c != '\t') {
      out += '?';
      ++i;
    } else if (c < 0x80) {
      out += text[i++];
    } else if (utf8) {
      char32_t code = 0;
      const std::size_t length = sequenceLength(text, i, code);
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
      ++i;
    }
  }
  return out;
}

std::string xmlText(std::string_view text) {
  std::string out;
  for (const char c : utf8Text(text)) appendXml(out, c, true);
  return out;
}

std::string xmlCommentText(std::string_view text) {
  std::string line = utf8Text(text);
  for (std::size_t at; (at = line.find("--")) != std::string::npos;) line.insert(at + 1, " ");
  return line;
}

}  // namespace tarvex::writers
