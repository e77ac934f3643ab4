#include "progress_line.h"

#include <string>

#include "tarvex.hpp"

namespace tarvex::console {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(100);
constexpr std::size_t kNameRoom = 50;

}  // namespace

ProgressLine::ProgressLine(std::ostream& terminal, bool enabled)
    : terminal_(terminal), enabled_(enabled), start_(Clock::now()) {}

void ProgressLine::update(int done, int total, std::string_view name) {
  if (!enabled_) return;
  const auto now = Clock::now();
  if (now - start_ < kQuietStart || now - lastShown_ < kRefresh) return;
  lastShown_ = now;
  std::string shown = nameForMessage(name);
  if (shown.size() > kNameRoom) shown.erase(0, shown.size() - kNameRoom);
  std::string text = "tarvex: " + std::to_string(done) + "/" + std::to_string(total) + " " + shown;
  const std::size_t length = text.size();
  // Blanks over the rest of a longer line before; no terminal control codes,
  // so that every console shows it the same way.
  if (length < shownLength_) text.append(shownLength_ - length, ' ');
  terminal_ << '\r' << text << std::flush;
  shownLength_ = length;
}

void ProgressLine::clear() {
  if (shownLength_ == 0) return;
  terminal_ << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
  shownLength_ = 0;
}

}  // namespace tarvex::console
