// Running one of the special readers on a text, with guard elements behind
// the stated capacity to catch writes past it.
#pragma once

#include <string>
#include <vector>

#include "structured_readers.h"
#include "test_support.h"

namespace tarvex::test {

inline constexpr float kUntouched = -777.0f;
inline constexpr int kGuard = 8;

struct ReaderRun {
  int n = 0;
  std::vector<float> x, y;  // the first capacity elements
  bool guardsIntact = true;
  std::string output;  // what the reader wrote to its output
  std::vector<std::string> outputLines;
};

using Reader = void (*)(LineInput&, LineOutput&, std::span<float>, std::span<float>, int&);

inline ReaderRun runReader(Reader reader, std::string text, int capacity = 1000) {
  TextInput input(std::move(text));
  TextOutput output;
  std::vector<float> x(static_cast<std::size_t>(capacity + kGuard), kUntouched);
  std::vector<float> y(x);
  ReaderRun run;
  run.n = capacity;
  reader(input.in(), output.out(), x, y, run.n);
  for (std::size_t i = static_cast<std::size_t>(capacity); i < x.size(); ++i) {
    if (x[i] != kUntouched || y[i] != kUntouched) run.guardsIntact = false;
  }
  x.resize(static_cast<std::size_t>(capacity));
  y.resize(static_cast<std::size_t>(capacity));
  run.x = std::move(x);
  run.y = std::move(y);
  run.output = output.text();
  run.outputLines = output.lines();
  return run;
}

}  // namespace tarvex::test
