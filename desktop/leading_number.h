// The one rule by which the program reads numbers from text (settings, station lines,
// scale fields): the leading number of the text, or 0 when there is none.
#pragma once

#include <QStringView>
#include <optional>

// Blanks, tabs and line feeds are ignored wherever they stand. An optional sign, digits
// with "." or "," as the decimal mark and an optional exponent (E or D) are read; "&H" or "&O"
// introduce a hexadecimal or octal integer. Reading stops at the first character that
// cannot continue the number. A text without a leading number, or one whose value does
// not fit a double, gives 0.
double leadingNumber(QStringView text);

// The same, as single precision; a value beyond the single-precision range gives 0 so
// that no infinity ever reaches the engine.
float leadingSingle(QStringView text);

// The text read by the same rule when it is one number and nothing else (blanks, tabs
// and line feeds aside) and fits single precision; nothing otherwise. For what the user
// types, where a leading number would silently drop the rest.
std::optional<float> wholeSingle(QStringView text);
