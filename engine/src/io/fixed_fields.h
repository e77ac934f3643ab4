// Fixed-field number layout of the output formats: Fw.d, Iw, Iw.m, Aw and
// nX. A number that does not fit its field is written as w asterisks, and the
// line that holds it remembers that it overflowed.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::fields {

// Each appends exactly w characters (or n blanks) to text. The number
// functions return false when the value did not fit and asterisks were put.

// Fw.d: rounded to d decimals, right-justified in w columns; the 0 before
// the point only where the field has room for it.
bool appendDecimal(std::string& text, double value, int w, int d);
// The same into out, which has room for w characters.
bool placeDecimal(char* out, double value, int w, int d);
// Iw, and with minDigits Iw.m: at least that many digits (leading zeros).
bool appendInteger(std::string& text, long long value, int w, int minDigits = 1);
// Aw: right-justified in w columns, a longer text cut to its first w.
void appendText(std::string& text, std::string_view value, int w);
// nX.
void appendBlanks(std::string& text, int n);

// The same as new strings.
std::string decimal(double value, int w, int d);
std::string integer(long long value, int w, int minDigits = 1);
std::string text(std::string_view value, int w);
std::string blanks(int n);

}  // namespace tarvex::fields

namespace tarvex {

// One line built from literal text and fields, at the end of a text.
class FieldLine {
 public:
  explicit FieldLine(std::string& text) : text_(text) {}

  FieldLine& put(std::string_view literal) {
    text_.append(literal);
    return *this;
  }
  FieldLine& decimal(double value, int w, int d) {
    overflowed_ |= !fields::appendDecimal(text_, value, w, d);
    return *this;
  }
  FieldLine& integer(long long value, int w, int minDigits = 1) {
    overflowed_ |= !fields::appendInteger(text_, value, w, minDigits);
    return *this;
  }
  FieldLine& text(std::string_view value, int w) {
    fields::appendText(text_, value, w);
    return *this;
  }
  FieldLine& blanks(int n) {
    fields::appendBlanks(text_, n);
    return *this;
  }
  bool overflowed() const { return overflowed_; }

 private:
  std::string& text_;
  bool overflowed_ = false;
};

}  // namespace tarvex
