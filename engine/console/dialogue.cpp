#include "dialogue.h"

#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

#include "answers.h"
#include "dialogue_texts.h"

namespace tarvex::console {
namespace {

constexpr std::size_t kNameLength = 255;
constexpr int32_t kCapacity = 1000;
constexpr std::size_t kFormatField = 10;

std::optional<std::string> readAnswer(std::istream& answers) {
  std::string line;
  if (!std::getline(answers, line)) return std::nullopt;
  // An answer file written on Windows keeps its carriage returns.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void writeLines(std::ostream& terminal, std::span<const std::string_view> lines) {
  for (const auto line : lines) terminal << line << '\n';
}

// The format number, asked until the answer is a number; nothing at the end
// of the answers.
std::optional<int> askFormat(std::istream& answers, std::ostream& terminal,
                             const DialogueTexts& texts) {
  for (;;) {
    writeLines(terminal, texts.menu);
    terminal.flush();
    const auto answer = readAnswer(answers);
    if (!answer) return std::nullopt;
    if (const auto format = integerField(*answer, kFormatField)) return format;
  }
}

// Iw: right-justified in width columns, asterisks when it does not fit.
std::string integerInField(int value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) > width)
    return std::string(static_cast<std::size_t>(width), '*');
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// The name as the terminal shows it: the buffer's padding is left out.
std::string_view shownName(const std::string& name) {
  const auto last = name.find_last_not_of(' ');
  return std::string_view(name).substr(0, last == std::string::npos ? 0 : last + 1);
}

void reportFailure(std::ostream& terminal, const DialogueTexts& texts, int32_t status,
                   const std::string& inName, const std::string& outName) {
  switch (status) {
    case TARVEX_INPUT_NOT_FOUND:
    case TARVEX_OUTPUT_NOT_WRITABLE: {
      const auto& name = status == TARVEX_INPUT_NOT_FOUND ? inName : outName;
      terminal << texts.cannotOpen << '\n'
               << " \"" << shownName(name) << '\n'
               << " \"" << '\n'
               << texts.cannotOpenEnd << '\n';
      break;
    }
    case TARVEX_UNKNOWN_FORMAT:
      terminal << texts.unknownFormat << '\n';
      break;
    case TARVEX_READ_FAILED:
      terminal << texts.tooMany << '\n'
               << texts.maximumIs << integerInField(kCapacity, 4) << texts.maximumEnd << '\n';
      break;
    case TARVEX_NO_AREA:
      terminal << texts.noArea << '\n';
      break;
    case TARVEX_WRITE_FAILED:
      terminal << texts.writeError << '\n';
      break;
    case TARVEX_NO_THREE_COLUMNS:
      terminal << texts.noThreeColumns << '\n';
      break;
    default:
      break;
  }
}

}  // namespace

void MAIN(std::istream& answers, std::ostream& terminal, ConvertEntry INORM) {
  terminal << kLanguagePrompt;
  terminal.flush();
  const auto languageAnswer = readAnswer(answers);
  if (!languageAnswer) {
    terminal << '\n';  // the prompt line stays open otherwise
    return;
  }
  // An answer that is not a number is taken as any other non-German one.
  const DialogueTexts& texts = textsFor(freeFormInteger(*languageAnswer).value_or(2));

  terminal << texts.inputPrompt << '\n';
  terminal.flush();
  const auto inAnswer = readAnswer(answers);
  if (!inAnswer) return;
  const std::string inName = nameBuffer(*inAnswer, kNameLength);

  terminal << texts.outputPrompt << '\n';
  terminal.flush();
  const auto outAnswer = readAnswer(answers);
  if (!outAnswer) return;
  const std::string outName = nameBuffer(*outAnswer, kNameLength);

  std::array<float, kCapacity> x{};
  std::array<float, kCapacity> y{};
  const int32_t nameLength = kNameLength;
  const int32_t redistribute = 0;
  const int32_t keepSize = 0;
  const float xFactor = 1.0f;
  const float yFactor = 1.0f;
  float xmin = 0.0f;
  float xmax = 0.0f;
  int32_t append = 0;

  for (auto format = askFormat(answers, terminal, texts); format && *format != 0;
       format = askFormat(answers, terminal, texts)) {
    int32_t count = kCapacity;
    int32_t formatNumber = *format;
    const int32_t status = INORM(inName.data(), nameLength, outName.data(), nameLength, &nameLength,
                                 &nameLength, x.data(), y.data(), &count, &formatNumber, &append,
                                 &redistribute, &keepSize, &xmin, &xmax, &xFactor, &yFactor);
    if (status != TARVEX_OK) {
      reportFailure(terminal, texts, status, inName, outName);
      return;
    }
    append = 1;
  }
}

}  // namespace tarvex::console
