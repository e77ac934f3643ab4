#include "leading_number.h"

#include <QByteArray>
#include <cfloat>
#include <cmath>

namespace {

bool isIgnored(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The characters of the text that take part in reading, i.e. without ignored ones.
class SignificantChars {
 public:
  explicit SignificantChars(QStringView text) : text_(text) { skip(); }
  bool atEnd() const { return pos_ >= text_.size(); }
  QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }
  void next() {
    ++pos_;
    skip();
  }

 private:
  void skip() {
    while (!atEnd() && isIgnored(text_[pos_])) ++pos_;
  }
  QStringView text_;
  qsizetype pos_ = 0;
};

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digitValue(QChar c, int base) {
  int value = -1;
  if (isDigit(c))
    value = c.unicode() - u'0';
  else if (c >= u'a' && c <= u'f')
    value = c.unicode() - u'a' + 10;
  else if (c >= u'A' && c <= u'F')
    value = c.unicode() - u'A' + 10;
  return value < base ? value : -1;
}

// The number read, and whether it had digits and every character taken belonged to it.
struct Reading {
  double value = 0;
  bool complete = false;
};

Reading readRadixInteger(SignificantChars& chars, int base) {
  double value = 0;
  bool digits = false;
  for (int digit; (digit = digitValue(chars.peek(), base)) >= 0; chars.next()) {
    value = value * base + digit;
    digits = true;
  }
  return {value, digits};
}

// Returns the number of digits taken.
qsizetype appendDigits(SignificantChars& chars, QByteArray& out) {
  qsizetype count = 0;
  for (; isDigit(chars.peek()); chars.next(), ++count) out.append(char(chars.peek().unicode()));
  return count;
}

// A comma is a decimal mark too: German users type one, and no text read by this rule
// holds a list that a comma would separate.
bool isDecimalMark(QChar c) { return c == u'.' || c == u','; }

Reading readDecimal(SignificantChars& chars) {
  QByteArray number;
  if (chars.peek() == u'+' || chars.peek() == u'-') {
    number.append(char(chars.peek().unicode()));
    chars.next();
  }
  qsizetype mantissaDigits = appendDigits(chars, number);
  if (isDecimalMark(chars.peek())) {
    number.append('.');
    chars.next();
    mantissaDigits += appendDigits(chars, number);
  }
  if (mantissaDigits == 0) return {};

  bool complete = true;
  const QChar e = chars.peek().toUpper();
  if (e == u'E' || e == u'D') {
    chars.next();
    QByteArray exponent("e");
    if (chars.peek() == u'+' || chars.peek() == u'-') {
      exponent.append(char(chars.peek().unicode()));
      chars.next();
    }
    if (appendDigits(chars, exponent) > 0)
      number.append(exponent);
    else
      complete = false;
  }
  bool ok = false;
  const double value = number.toDouble(&ok);
  return {ok ? value : 0, complete && ok};
}

Reading readNumber(QStringView text) {
  SignificantChars chars(text);
  Reading reading;
  if (chars.peek() == u'&') {
    chars.next();
    const QChar kind = chars.peek().toUpper();
    if (kind == u'H' || kind == u'O') {
      chars.next();
      reading = readRadixInteger(chars, kind == u'H' ? 16 : 8);
    }
  } else {
    reading = readDecimal(chars);
  }
  if (!std::isfinite(reading.value)) return {};
  reading.complete = reading.complete && chars.atEnd();
  return reading;
}

}  // namespace

double leadingNumber(QStringView text) { return readNumber(text).value; }

float leadingSingle(QStringView text) {
  const double value = leadingNumber(text);
  return std::fabs(value) <= FLT_MAX ? static_cast<float>(value) : 0.0f;
}

std::optional<float> wholeSingle(QStringView text) {
  const Reading reading = readNumber(text);
  if (!reading.complete || std::fabs(reading.value) > FLT_MAX) return std::nullopt;
  return static_cast<float>(reading.value);
}
