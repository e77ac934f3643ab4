#include "answers.h"

#include <charconv>

namespace tarvex::console {
namespace {

std::optional<int> parseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty() || text.front() == '+') return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> freeFormInteger(std::string_view answer) {
  constexpr std::string_view kSeparators = " \t,/";
  const auto start = answer.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  answer.remove_prefix(start);
  return parseInteger(answer.substr(0, answer.find_first_of(kSeparators)));
}

std::optional<int> integerField(std::string_view answer, std::size_t width) {
  std::string digits;
  for (const char c : answer.substr(0, width)) {
    if (c != ' ' && c != '\t') digits += c;
  }
  if (digits.empty()) return 0;
  return parseInteger(digits);
}

std::string nameBuffer(std::string_view answer, std::size_t size) {
  std::string name(answer.substr(0, size));
  name.resize(size, ' ');
  return name;
}

}  // namespace tarvex::console
