#include "dialogue.h"

#include <array>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

#include "answers.h"
#include "dialogue_texts.h"
#include "io/file_names.h"
#include "tarvex.hpp"

namespace tarvex::console {
namespace {

constexpr std::size_t kNameLength = 255;
constexpr int32_t kCapacity = 1000;
constexpr std::size_t kFormatField = 10;

// The answers are short; what goes beyond this is not kept, and an
// answer that never ends (a stream of zeros) ends the dialogue.
constexpr std::size_t kAnswerRoom = 4096;
constexpr std::size_t kAnswerLimit = std::size_t{1} << 20;

std::optional<std::string> readAnswer(std::istream& answers) {
  std::string line;
  std::size_t length = 0;
  for (int c = answers.get(); c != std::char_traits<char>::eof(); c = answers.get()) {
    if (c == '\n') {
      // An answer file written on Windows keeps its carriage returns.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    if (++length > kAnswerLimit) return std::nullopt;
    if (line.size() < kAnswerRoom) line += static_cast<char>(c);
  }
  if (length == 0) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool hasZeroByte(std::string_view name) { return name.find('\0') != std::string_view::npos; }

// True when both names lead to one existing file.
bool sameFile(const std::string& inName, const std::string& outName) {
  const auto keyOf = [](const std::string& name) {
    return fileKey(pathOf(name.substr(0, name.find_last_not_of(' ') + 1)));
  };
  const auto in = keyOf(inName);
  return in && in == keyOf(outName);
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
                   const std::string& inName, const std::string& outName, int format) {
  switch (status) {
    case TARVEX_INPUT_NOT_FOUND:
    case TARVEX_OUTPUT_NOT_WRITABLE: {
      const auto& name = status == TARVEX_INPUT_NOT_FOUND ? inName : outName;
      terminal << texts.cannotOpen << '\n'
               << " \"" << nameForMessage(shownName(name)) << '\n'
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
    case TARVEX_FIELD_OVERFLOW:
      terminal << texts.fieldOverflow << ' ' << format << ".\n";
      break;
    default:
      break;
  }
}

}  // namespace

bool MAIN(std::istream& answers, std::ostream& terminal, ConvertEntry INORM) {
  terminal << kLanguagePrompt;
  terminal.flush();
  const auto languageAnswer = readAnswer(answers);
  if (!languageAnswer) {
    terminal << '\n';  // the prompt line stays open otherwise
    return true;
  }
  // An answer that is not a number is taken as any other non-German one.
  const DialogueTexts& texts = textsFor(freeFormInteger(*languageAnswer).value_or(2));

  terminal << texts.inputPrompt << '\n';
  terminal.flush();
  const auto inAnswer = readAnswer(answers);
  if (!inAnswer) return true;
  const std::string inName = nameBuffer(*inAnswer, kNameLength);

  terminal << texts.outputPrompt << '\n';
  terminal.flush();
  const auto outAnswer = readAnswer(answers);
  if (!outAnswer) return true;
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
    // The engine takes a zero byte for the end of a name, as C does; typed
    // into an answer it would open the file that the name's first part names.
    if (hasZeroByte(inName) || hasZeroByte(outName)) {
      reportFailure(terminal, texts,
                    hasZeroByte(inName) ? TARVEX_INPUT_NOT_FOUND : TARVEX_OUTPUT_NOT_WRITABLE,
                    inName, outName, *format);
      return false;
    }
    // The engine refuses it too; here the message can say why.
    if (sameFile(inName, outName)) {
      terminal << texts.sameFile << '\n';
      return false;
    }
    int32_t count = kCapacity;
    int32_t formatNumber = *format;
    const int32_t status = INORM(inName.data(), nameLength, outName.data(), nameLength, &nameLength,
                                 &nameLength, x.data(), y.data(), &count, &formatNumber, &append,
                                 &redistribute, &keepSize, &xmin, &xmax, &xFactor, &yFactor);
    if (status != TARVEX_OK) {
      reportFailure(terminal, texts, status, inName, outName, formatNumber);
      return false;
    }
    append = 1;
  }
  return true;
}

}  // namespace tarvex::console
