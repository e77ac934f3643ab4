// Whole conversions of coordinate text in memory (read, then write) into every
// format, timed: the loop that bench/web_compare.py also runs in a browser on
// the engine compiled to WebAssembly, for the ratio of the two.
//   tarvex_text_loop --input         the 200-point section text it converts
//   tarvex_text_loop [milliseconds [format]]
//                                    per format (or the one): {"1": microseconds, ...}
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "tarvex.hpp"

namespace {

// The surfaces do not share their x-stations, as in most real files, so the
// pairing writers pay for their same-x preparation.
std::string sectionText() {
  return tarvex::bench::seligText(tarvex::bench::nacaSection(2412, 200, false), "NACA 2412");
}

// Microseconds per conversion, after as many again to warm up.
double microsecondsPerConversion(std::string_view text, int format, double milliseconds) {
  using Clock = std::chrono::steady_clock;
  tarvex::WriteOptions options;
  options.format = format;
  options.comments = true;
  std::size_t written = 0;
  double elapsed = 0.0;
  for (int round = 0; round < 2; ++round) {
    long count = 0;
    const auto start = Clock::now();
    do {
      const auto section = tarvex::readText(text);
      if (!section) return -1.0;
      const auto output = tarvex::writeText(*section, options);
      if (!output) return -1.0;
      written += output->size();
      ++count;
      elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    } while (elapsed < 1000.0 * milliseconds);
    elapsed /= static_cast<double>(count);
  }
  return written > 0 ? elapsed : -1.0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string text = sectionText();
  if (argc > 1 && std::string_view(argv[1]) == "--input") {
    std::fputs(text.c_str(), stdout);
    return 0;
  }
  const double milliseconds = argc > 1 ? std::atof(argv[1]) : 200.0;
  const int only = argc > 2 ? std::atoi(argv[2]) : 0;
  std::printf("{");
  for (const tarvex::FormatRow& format : tarvex::kFormats) {
    if (only != 0 && format.number != only) continue;
    const double us = microsecondsPerConversion(text, format.number, milliseconds);
    if (us < 0) {
      std::fprintf(stderr, "tarvex_text_loop: format %d failed\n", format.number);
      return 1;
    }
    std::printf("%s\"%d\": %.3f", format.number > 1 && only == 0 ? ", " : "", format.number, us);
  }
  std::printf("}\n");
  return 0;
}
