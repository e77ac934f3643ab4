#include "output_checks.h"

#include <charconv>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "io/number_chars.h"

namespace tarvex::fuzz {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool isNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80;
}
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// The length of the UTF-8 sequence at text[i] of a character XML allows; 0
// for none.
std::size_t utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead < 0x80) return 1;
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

class XmlScan {
 public:
  XmlScan(std::string_view text, bool utf8) : text_(text), utf8_(utf8) {}

  std::string fault() {
    if (!characters()) return fault_;
    if (at("<?xml") && !skipPast("?>")) return "unterminated XML declaration";
    if (!misc()) return fault_;
    if (!at("<")) return "no root element";
    if (!element()) return fault_;
    if (!misc()) return fault_;
    if (i_ != text_.size()) return "text after the root element at " + std::to_string(i_);
    return {};
  }

 private:
  bool fail(std::string why) {
    fault_ = std::move(why) + " at " + std::to_string(i_);
    return false;
  }
  bool at(std::string_view s) const { return text_.substr(i_).starts_with(s); }
  bool skipPast(std::string_view s) {
    const auto end = text_.find(s, i_);
    if (end == std::string_view::npos) return false;
    i_ = end + s.size();
    return true;
  }
  void spaces() {
    while (i_ < text_.size() && isSpace(text_[i_])) ++i_;
  }

  bool characters() {
    for (std::size_t k = 0; k < text_.size();) {
      const auto c = static_cast<unsigned char>(text_[k]);
      if (c < 0x20 && !isSpace(text_[k])) {
        i_ = k;
        return fail("control character " + std::to_string(c));
      }
      const std::size_t length = utf8_ ? utf8Length(text_, k) : 1;
      if (length == 0) {
        i_ = k;
        return fail("not UTF-8");
      }
      k += length;
    }
    return true;
  }

  bool comment() {
    i_ += 4;
    const auto end = text_.find("--", i_);
    if (end == std::string_view::npos) return fail("unterminated comment");
    if (text_.substr(end, 3) != "-->") return fail("\"--\" inside a comment");
    i_ = end + 3;
    return true;
  }

  // Comments, processing instructions and blanks between elements.
  bool misc() {
    for (;;) {
      spaces();
      if (at("<!--")) {
        if (!comment()) return false;
      } else if (at("<?")) {
        if (!skipPast("?>")) return fail("unterminated processing instruction");
      } else {
        return true;
      }
    }
  }

  bool name(std::string* out) {
    const std::size_t start = i_;
    if (i_ >= text_.size() || !isNameStart(text_[i_])) return fail("a name expected");
    while (i_ < text_.size() && isNameChar(text_[i_])) ++i_;
    if (out != nullptr) *out = std::string(text_.substr(start, i_ - start));
    return true;
  }

  bool reference() {
    ++i_;  // '&'
    const auto end = text_.find(';', i_);
    if (end == std::string_view::npos) return fail("unterminated reference");
    const std::string_view ref = text_.substr(i_, end - i_);
    bool known = ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos";
    if (!known && ref.size() > 1 && ref[0] == '#') {
      const bool hex = ref[1] == 'x';
      const std::string_view digits = ref.substr(hex ? 2 : 1);
      unsigned long code = 0;
      const auto [end2, error] =
          std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
      known = error == std::errc() && end2 == digits.data() + digits.size() && !digits.empty() &&
              (code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0x10FFFF));
    }
    if (!known) return fail("unknown reference &" + std::string(ref) + ";");
    i_ = end + 1;
    return true;
  }

  bool attributes(bool& empty) {
    std::vector<std::string> seen;
    for (;;) {
      const std::size_t before = i_;
      spaces();
      if (at("/>")) {
        i_ += 2;
        empty = true;
        return true;
      }
      if (at(">")) {
        ++i_;
        empty = false;
        return true;
      }
      if (i_ == before) return fail("no blank before an attribute");
      std::string attribute;
      if (!name(&attribute)) return false;
      for (const auto& other : seen) {
        if (other == attribute) return fail("attribute " + attribute + " twice");
      }
      seen.push_back(attribute);
      spaces();
      if (!at("=")) return fail("'=' expected");
      ++i_;
      spaces();
      if (i_ >= text_.size() || (text_[i_] != '"' && text_[i_] != '\'')) {
        return fail("a quoted value expected");
      }
      const char quote = text_[i_++];
      for (;;) {
        if (i_ >= text_.size()) return fail("unterminated attribute value");
        const char c = text_[i_];
        if (c == quote) break;
        if (c == '<') return fail("'<' in an attribute value");
        if (c == '&') {
          if (!reference()) return false;
        } else {
          ++i_;
        }
      }
      ++i_;
    }
  }

  // An element with its content, iteratively, so that deep nesting cannot
  // exhaust the stack.
  bool element() {
    std::vector<std::string> open;
    do {
      if (at("</")) {
        i_ += 2;
        std::string closing;
        if (!name(&closing)) return false;
        spaces();
        if (!at(">")) return fail("'>' expected");
        ++i_;
        if (open.empty() || open.back() != closing) return fail("</" + closing + "> unmatched");
        open.pop_back();
      } else if (at("<!--")) {
        if (!comment()) return false;
      } else if (at("<![CDATA[")) {
        if (!skipPast("]]>")) return fail("unterminated CDATA");
      } else if (at("<?")) {
        if (!skipPast("?>")) return fail("unterminated processing instruction");
      } else if (at("<")) {
        ++i_;
        std::string tag;
        if (!name(&tag)) return false;
        bool empty = false;
        if (!attributes(empty)) return false;
        if (!empty) open.push_back(tag);
      } else if (i_ >= text_.size()) {
        return fail("unclosed <" + open.back() + ">");
      } else if (text_[i_] == '&') {
        if (!reference()) return false;
      } else {
        if (at("]]>")) return fail("\"]]>\" in text");
        ++i_;
      }
    } while (!open.empty());
    return true;
  }

  std::string_view text_;
  bool utf8_;
  std::size_t i_ = 0;
  std::string fault_;
};

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

template <typename T>
bool parses(std::string_view s, T& value) {
  s = trimmed(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  const char* end = nullptr;
  std::errc error{};
  if constexpr (std::is_floating_point_v<T>) {
    const auto parsed = io::parseDouble(s.data(), s.data() + s.size(), value);
    end = parsed.ptr;
    error = parsed.ec;
  } else {
    const auto parsed = std::from_chars(s.data(), s.data() + s.size(), value);
    end = parsed.ptr;
    error = parsed.ec;
  }
  return !s.empty() && error == std::errc() && end == s.data() + s.size();
}

enum class Value { text, real, integer };

// The kind of value a group code carries, as the DXF reference lists them.
Value kindOf(int code) {
  if ((code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
      (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059)) {
    return Value::real;
  }
  if ((code >= 60 && code <= 99) || (code >= 160 && code <= 179) || (code >= 270 && code <= 299) ||
      (code >= 370 && code <= 389) || (code >= 400 && code <= 409) ||
      (code >= 420 && code <= 429) || (code >= 440 && code <= 459) ||
      (code >= 1060 && code <= 1071)) {
    return Value::integer;
  }
  return Value::text;
}

}  // namespace

std::string lineFault(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') return "NUL at " + std::to_string(i);
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
      return "bare carriage return at " + std::to_string(i);
    }
  }
  return {};
}

std::string xmlFault(std::string_view text, bool utf8) { return XmlScan(text, utf8).fault(); }

std::string dxfFault(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    if (end == std::string_view::npos) return "the last line has no line end";
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (lines.size() % 2 != 0) return "an odd number of lines";
  bool inSection = false, ended = false;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::string where = " at line " + std::to_string(i + 1);
    if (ended) return "groups after EOF" + where;
    int code = 0;
    if (!parses(lines[i], code) || code < 0 || code > 1071) {
      return "no group code" + where + ": " + std::string(lines[i]);
    }
    const std::string_view value = lines[i + 1];
    if (value.find('\r') != std::string_view::npos) return "a carriage return in a value" + where;
    double real = 0;
    long long integer = 0;
    const Value kind = kindOf(code);
    if (kind == Value::real && !parses(value, real)) return "no number for code" + where;
    if (kind == Value::integer && !parses(value, integer)) return "no integer for code" + where;
    if (code == 0) {
      if (value == "SECTION") {
        if (inSection) return "SECTION inside a section" + where;
        inSection = true;
      } else if (value == "ENDSEC") {
        if (!inSection) return "ENDSEC outside a section" + where;
        inSection = false;
      } else if (value == "EOF") {
        if (inSection) return "EOF inside a section" + where;
        ended = true;
      } else if (!inSection) {
        return std::string(value) + " outside a section" + where;
      }
    } else if (!inSection && code != 999) {
      return "a group outside a section" + where;
    }
  }
  return ended ? std::string() : "no EOF";
}

}  // namespace tarvex::fuzz
