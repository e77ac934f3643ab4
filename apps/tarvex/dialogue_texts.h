// The two text sets of the console dialogue. Every text keeps its leading
// blank; the German ones are UTF-8 for the terminal.
#pragma once

#include <span>
#include <string_view>

namespace tarvex::console {

struct DialogueTexts {
  std::string_view inputPrompt;
  std::string_view outputPrompt;
  std::span<const std::string_view> menu;  // one entry per line
  std::string_view cannotOpen;             // before the quoted name
  std::string_view cannotOpenEnd;          // after it
  std::string_view unknownFormat;
  std::string_view tooMany;
  std::string_view maximumIs;  // followed by the capacity in I4
  std::string_view maximumEnd;
  std::string_view noArea;
  std::string_view writeError;
  std::string_view noThreeColumns;
  std::string_view fieldOverflow;  // followed by the format number and "."
  std::string_view sameFile;
};

inline constexpr std::string_view kLanguagePrompt = " Deutsch [1]  or English [2] ?  > ";

// 1 selects German, every other answer English.
const DialogueTexts& textsFor(int language);

}  // namespace tarvex::console
