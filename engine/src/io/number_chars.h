#pragma once
// Floating from_chars and to_chars where the standard library has them
// (TARVEX_HAVE_FLOAT_CHARCONV, found when configuring), the fallback where not.

#include <charconv>
#include <system_error>

#ifndef TARVEX_HAVE_FLOAT_CHARCONV
#include "io/number_chars_fallback.h"
#endif

namespace tarvex::io {

#ifdef TARVEX_HAVE_FLOAT_CHARCONV
struct CharsResult {
  const char* ptr;
  std::errc ec;
};

inline CharsResult parseDouble(const char* first, const char* last, double& value) {
  const auto result = std::from_chars(first, last, value);
  return {result.ptr, result.ec};
}
inline CharsResult parseFloat(const char* first, const char* last, float& value) {
  const auto result = std::from_chars(first, last, value);
  return {result.ptr, result.ec};
}
inline std::to_chars_result toChars(char* first, char* last, double value) {
  return std::to_chars(first, last, value);
}
inline std::to_chars_result toChars(char* first, char* last, float value) {
  return std::to_chars(first, last, value);
}
inline std::to_chars_result toCharsFixed(char* first, char* last, double value, int decimals) {
  return std::to_chars(first, last, value, std::chars_format::fixed, decimals);
}
#else
using fallback::CharsResult;
using fallback::parseDouble;
using fallback::parseFloat;
using fallback::toChars;
using fallback::toCharsFixed;
#endif

}  // namespace tarvex::io
