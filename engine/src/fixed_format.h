// Fixed-field number layout of the output formats: Fw.d, Iw, Iw.m, Aw, nX.
// A value that does not fit its field is written as w asterisks.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::fmt {

// Fw.d: rounded to d decimals, right-justified in w columns; the 0 before
// the point only where the field has room for it.
std::string F(double value, int w, int d);
// Iw: the integer right-justified in w columns.
std::string I(long long value, int w);
// Iw.m: as Iw with at least m digits (leading zeros).
std::string I(long long value, int w, int m);
// Aw: the text right-justified in w columns, a longer text cut to its first w.
std::string A(std::string_view text, int w);
// nX: n blanks.
std::string X(int n);

}  // namespace tarvex::fmt
