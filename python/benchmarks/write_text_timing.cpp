// The C++ side of the module's call-overhead measurement: how long
// tarvex::writeText takes for the same section that compare.py writes from
// Python. Prints the best time per call in microseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tarvex.hpp"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FILE POINTS [CALLS]\n", argv[0]);
    return 2;
  }
  const int points = std::atoi(argv[2]);
  const int calls = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20000;
  auto read = tarvex::readFile(argv[1]);
  if (!read) {
    std::fprintf(stderr, "%s\n", read.error().message.c_str());
    return 1;
  }
  auto section = tarvex::redistributeCosine(*read, points);
  if (!section) {
    std::fprintf(stderr, "%s\n", section.error().message.c_str());
    return 1;
  }
  const tarvex::WriteOptions options;
  double best = 1e30;
  std::size_t bytes = 0;
  for (int round = 0; round < 7; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
      auto text = tarvex::writeText(*section, options);
      bytes += text ? text->size() : 0;  // keeps the call from being optimised away
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, spent.count() / calls);
  }
  std::printf("%d points, %.3f us per writeText call (%zu bytes)\n", section->size(), best,
              bytes / (7u * static_cast<unsigned>(calls)));
  return 0;
}
