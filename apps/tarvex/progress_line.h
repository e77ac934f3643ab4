// A progress line on standard error for batches that take a while: it
// appears only on a terminal and only once the batch has run a second.
#pragma once

#include <chrono>
#include <ostream>
#include <string_view>

namespace tarvex::console {

class ProgressLine {
 public:
  ProgressLine(std::ostream& terminal, bool enabled);
  ~ProgressLine() { clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Before file `done + 1` of `total`.
  void update(int done, int total, std::string_view name);
  // Removes the line so that a message can take its place.
  void clear();

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& terminal_;
  bool enabled_;
  Clock::time_point start_;
  Clock::time_point lastShown_{};
  std::size_t shownLength_ = 0;
};

}  // namespace tarvex::console
