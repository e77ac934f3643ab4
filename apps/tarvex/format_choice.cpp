#include "format_choice.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tarvex::console {
namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char p, char q) {
    return std::tolower(static_cast<unsigned char>(p)) ==
           std::tolower(static_cast<unsigned char>(q));
  });
}

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.resize(width, ' ');
  return out;
}

}  // namespace

const FormatRow* formatFromArgument(std::string_view argument) {
  int number = 0;
  const auto [end, error] =
      std::from_chars(argument.data(), argument.data() + argument.size(), number);
  if (!argument.empty() && error == std::errc() && end == argument.data() + argument.size()) {
    return formatByNumber(number);
  }
  for (const FormatRow& format : kFormats) {
    if (sameIgnoringCase(argument, format.shortName)) return &format;
  }
  return nullptr;
}

std::string formatChoices() {
  std::string text = "1-" + std::to_string(kFormats.size()) + " or one of:";
  const char* separator = " ";
  for (const FormatRow& format : kFormats) {
    text.append(separator).append(format.shortName);
    separator = ", ";
  }
  return text;
}

std::string formatsBrokenByComments() {
  std::string text;
  for (const FormatRow& format : kFormats) {
    if (!format.commentsBreakIt) continue;
    if (!text.empty()) text += ", ";
    text += format.shortName;
  }
  return text;
}

std::string formatTable() {
  std::size_t nameWidth = 4;
  for (const FormatRow& format : kFormats) {
    nameWidth = std::max(nameWidth, format.shortName.size());
  }
  std::string text = " No.  " + padded("Name", nameWidth) + "  Ext.  Description\n";
  for (const FormatRow& format : kFormats) {
    const std::string number = std::to_string(format.number);
    text.append(3 - std::min<std::size_t>(number.size(), 3), ' ').append(number).append("   ");
    text.append(padded(format.shortName, nameWidth)).append("  ");
    text.append(padded(format.extension, 4)).append("  ");
    text.append(format.title).append("\n");
  }
  return text;
}

}  // namespace tarvex::console
