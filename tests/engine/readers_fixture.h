// Running one of the special readers on a text, with guard elements behind
// the stated capacity to catch writes past it.
#pragma once

#include <string>
#include <vector>

#include "readers/structured_readers.h"
#include "test_support.h"

namespace tarvex::test {

inline constexpr float kUntouched = -777.0f;
inline constexpr int kGuard = 8;

struct ReaderRun {
  int n = 0;
  std::vector<float> x, y;  // the first capacity elements
  bool guardsIntact = true;
  std::string output;  // the notices the reader left for the output
  std::vector<std::string> outputLines;
  std::string name;  // the section name afterwards
};

using Reader = void (*)(LineInput&, Section&, int&);

inline ReaderRun runReader(Reader reader, std::string text, int capacity = 1000,
                           std::string_view nameBefore = "alvane") {
  TextInput input(std::move(text));
  Section section;
  section.name = nameBefore;
  section.x.assign(static_cast<std::size_t>(capacity + kGuard), kUntouched);
  section.y = section.x;
  ReaderRun run;
  run.n = capacity;
  reader(input.in(), section, run.n);
  std::vector<float>& x = section.x;
  std::vector<float>& y = section.y;
  for (std::size_t i = static_cast<std::size_t>(capacity); i < x.size(); ++i) {
    if (x[i] != kUntouched || y[i] != kUntouched) run.guardsIntact = false;
  }
  x.resize(static_cast<std::size_t>(capacity));
  y.resize(static_cast<std::size_t>(capacity));
  run.x = std::move(x);
  run.y = std::move(y);
  for (const auto& line : section.notices) run.output += line + "\n";
  run.outputLines = section.notices;
  run.name = section.name;
  return run;
}

}  // namespace tarvex::test
