// The one rule by which the program reads numbers from text (settings, station lines,
// scale fields): the leading number of the text, or 0 when there is none.
#pragma once

#include <QStringView>

// Blanks, tabs and line feeds are ignored wherever they stand. An optional sign, digits
// with "." as the decimal mark and an optional exponent (E or D) are read; "&H" or "&O"
// introduce a hexadecimal or octal integer. Reading stops at the first character that
// cannot continue the number. A text without a leading number, or one whose value does
// not fit a double, gives 0.
double leadingNumber(QStringView text);

// The same, as single precision; a value beyond the single-precision range gives 0 so
// that no infinity ever reaches the engine.
float leadingSingle(QStringView text);
