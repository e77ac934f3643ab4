// The fallback floating conversions against the standard library's, on
// generated numbers of every awkward kind.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "io/number_chars_fallback.h"

namespace {

#if defined(TARVEX_HAVE_FLOAT_CHARCONV)

int mismatches = 0;

// Reports the first few differences only, so a fault does not flood the log.
bool report(bool same, const std::string& what) {
  if (!same && ++mismatches <= 10) ADD_FAILURE() << what;
  return same;
}

template <typename T>
void expectSameParse(const std::string& text) {
  using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
  T expected = T(42), actual = T(42);
  const char* first = text.data();
  const char* last = first + text.size();
  const auto want = std::from_chars(first, last, expected);
  const auto got = tarvex::io::fallback::parseNumber(first, last, actual);
  report(want.ec == got.ec && want.ptr == got.ptr &&
             std::bit_cast<Bits>(expected) == std::bit_cast<Bits>(actual),
         "parsing \"" + text + "\" as " + (sizeof(T) == 4 ? "float" : "double"));
}

template <typename T>
void expectSameText(T value) {
  char want[64], got[64];
  const auto w = std::to_chars(want, want + sizeof want, value);
  const auto g = tarvex::io::fallback::toChars(got, got + sizeof got, value);
  report(std::string(want, w.ptr) == std::string(got, g.ptr),
         std::string(want, w.ptr) + " written as " + std::string(got, g.ptr));
}

// Random texts: signs, leading zeros, long mantissas, exponents near and past
// the limits of both types, junk after the number, and nothing at all.
std::string randomText(std::mt19937_64& random) {
  static const std::string junk[] = {"", "", "", " 1", "x", "e", "e+", ".", "-", "..5", "d3"};
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::string text;
  if (pick(4) == 0) text += '-';
  if (pick(8) == 0) text += '+';
  if (pick(5) == 0) text.append(static_cast<std::size_t>(pick(30)), '0');
  const int integer = pick(4) == 0 ? pick(60) : pick(6);
  for (int k = 0; k < integer; ++k) text += static_cast<char>('0' + pick(10));
  if (pick(2)) {
    text += '.';
    const int fraction = pick(3) == 0 ? pick(800) : pick(12);
    for (int k = 0; k < fraction; ++k) text += static_cast<char>('0' + pick(10));
  }
  if (pick(3)) {
    static const int centres[] = {0, 38, -38, -45, 308, -308, -324, 5000};
    text += pick(2) ? 'e' : 'E';
    const int exponent = centres[pick(8)] + pick(21) - 10;
    text += std::to_string(exponent);
  }
  return text + junk[pick(11)];
}

TEST(NumberChars, FallbackParsesAsTheStandardLibrary) {
  std::mt19937_64 random(20261209);
  const char* fixed[] = {"",        "-",       "inf",         "-infinity", "nan",
                         "nan(1)",  "1e400",   "2e-324",      "1e-46",     "4.9e-324",
                         "0e99999", "1.8e308", "3.4028236e38"};
  for (const char* text : fixed) {
    expectSameParse<double>(text);
    expectSameParse<float>(text);
  }
  const int count = 1'000'000;
  for (int k = 0; k < count; ++k) {
    const auto text = randomText(random);
    expectSameParse<double>(text);
    expectSameParse<float>(text);
  }
  std::printf("compared %d parsed texts as double and as float\n", count + 13);
}

TEST(NumberChars, FallbackWritesAsTheStandardLibrary) {
  std::mt19937_64 random(7);
  for (double v : {0.0, -0.0, 1e300, 1.5e-7, 1e22, 123456.0, 1e16, 5e-324, 1e-5, 0.0001})
    expectSameText(v);
  int count = 0;
  // Powers of two and their neighbours, where the gaps below and above differ.
  for (int e = -1074; e <= 1023; ++e, count += 3) {
    const double v = std::ldexp(1.0, e);
    expectSameText(v);
    expectSameText(std::nextafter(v, 0.0));
    expectSameText(static_cast<float>(std::ldexp(1.0f, std::clamp(e, -149, 127))));
  }
  for (int k = 0; k < 200'000; ++k, count += 4) {
    const std::uint64_t bits = random();
    expectSameText(std::bit_cast<double>(bits));
    expectSameText(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    expectSameText(static_cast<double>(static_cast<std::int64_t>(bits % 2000000) - 1000000) / 1e4);
    expectSameText(static_cast<float>(bits % 100000) / 1000.0f);
  }
  std::printf("compared %d written numbers\n", count);
}

void expectSameFixed(double value, int decimals) {
  char want[400], got[400];
  const auto w = std::to_chars(want, want + sizeof want, value, std::chars_format::fixed, decimals);
  const auto g = tarvex::io::fallback::toCharsFixed(got, got + sizeof got, value, decimals);
  report(w.ec == g.ec && std::string(want, w.ptr) == std::string(got, g.ptr),
         std::string(want, w.ptr) + " with " + std::to_string(decimals) + " decimals written as " +
             std::string(got, g.ptr));
}

// Fixed decimals: exact halves (which round to even), values at the edges of
// the integer way (2^63, 19 decimals), negative values rounding to zero,
// subnormals, and random bits and coordinates.
TEST(NumberChars, FallbackWritesFixedAsTheStandardLibrary) {
  std::mt19937_64 random(11);
  int count = 0;
  for (double v : {0.0, -0.0, 0.125, 0.375, 2.5, 3.5, -2.5, 1e-300, -1e-7, 5e-324, 0x1p63,
                   0x1p63 - 1024, 0x1p64, 1e19, 123456789.125, 0.05, 1e22, -0.5}) {
    for (int d = 0; d <= 21; ++d, ++count) expectSameFixed(v, d);
  }
  for (int k = 0; k < 100'000; ++k, count += 4) {
    const std::uint64_t bits = random();
    const int d = static_cast<int>(bits % 22);
    expectSameFixed(std::bit_cast<double>(bits), d);
    expectSameFixed(std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 140) - 120),
                    d);
    expectSameFixed(100.0 * static_cast<float>(static_cast<double>(bits % 2000001) / 1e6 - 1.0),
                    static_cast<int>(bits % 9));
    // Multiples of a power of two: many exact halves at some number of decimals.
    expectSameFixed(std::ldexp(static_cast<double>(bits % 100000), -static_cast<int>(bits % 24)),
                    static_cast<int>((bits >> 8) % 12));
  }
  std::printf("compared %d numbers with fixed decimals\n", count);
}

#else

TEST(NumberChars, FallbackAgainstTheStandardLibrary) {
  GTEST_SKIP() << "this standard library has no floating charconv to compare the fallback with "
                  "(the build with libstdc++ compares them)";
}

#endif

}  // namespace
