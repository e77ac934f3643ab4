#include "failure_text.h"

#include "dialogue_texts.h"
#include "tarvex.h"

namespace tarvex::console {
namespace {

constexpr int kEnglish = 2;

// Iw: right-justified in width columns, asterisks when it does not fit.
std::string integerInField(int value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string failureText(int status, std::string_view failedName, int capacity) {
  const DialogueTexts& texts = textsFor(kEnglish);
  std::string text;
  switch (status) {
    case TARVEX_INPUT_NOT_FOUND:
    case TARVEX_OUTPUT_NOT_WRITABLE:
      text.append(texts.cannotOpen).append(" \"").append(failedName).append("\"");
      text.append(texts.cannotOpenEnd);
      break;
    case TARVEX_UNKNOWN_FORMAT:
      text = texts.unknownFormat;
      break;
    case TARVEX_READ_FAILED:
      text.append(texts.tooMany).append(texts.maximumIs);
      text.append(integerInField(capacity, 4)).append(texts.maximumEnd);
      break;
    case TARVEX_NO_AREA:
      text = texts.noArea;
      break;
    case TARVEX_WRITE_FAILED:
      text = texts.writeError;
      break;
    case TARVEX_NO_THREE_COLUMNS:
      text = texts.noThreeColumns;
      break;
    default:
      text = " conversion failed with status " + std::to_string(status) + ".";
      break;
  }
  return text;
}

}  // namespace tarvex::console
