#include "geometry/naca_designation.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "geometry/naca_six_series.h"
#include "io/number_chars.h"

namespace tarvex::naca {
namespace {

using detail::SixSeriesFamily;
using detail::SixSeriesThickness;

Error refused(std::string why) { return {Status::badOptions, std::move(why), {}, 0}; }

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) return false;
  }
  return true;
}

int digit(std::string_view text, std::size_t at) { return text[at] - '0'; }
int number(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

// A text without blanks, upper case, without a leading "NACA".
std::string core(std::string_view designation) {
  std::string text;
  for (char c : designation) {
    if (std::isspace(static_cast<unsigned char>(c)) == 0) {
      text += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  if (text.starts_with("NACA")) text.erase(0, 4);
  if (text.starts_with("-")) text.erase(0, 1);
  return text;
}

// The "a=0.5" of a six-series mean line, taken off the end of the text.
Result<std::optional<double>> takeLoading(std::string& text) {
  const auto at = text.find("A=");
  if (at == std::string::npos) return std::optional<double>();
  const std::string value = text.substr(at + 2);
  text.erase(at);
  double a = 0.0;
  const auto [end, error] = io::parseDouble(value.data(), value.data() + value.size(), a);
  if (error != std::errc() || end != value.data() + value.size() || !(a >= 0.0 && a <= 1.0)) {
    return refused("the mean line's a=" + value + " is not a number from 0 to 1");
  }
  return std::optional<double>(a);
}

Error thicknessRefusal(int percent) {
  return refused(percent == 0 ? "a thickness of 0 per cent makes no section"
                              : "the thickness of " + std::to_string(percent) + " per cent");
}

// The four-digit form, or with a modifier (-64) the modified one.
Result<ThicknessForm> fourDigitFamilyThickness(int percent, std::optional<std::string_view> mod,
                                               bool closed) {
  const double t = percent / 100.0;
  if (!mod) return fourDigitThickness(t, closed);
  auto form = modifiedFourDigitThickness(t, digit(*mod, 0), digit(*mod, 1) / 10.0, closed);
  if (!form) {
    return refused(
        "the maximum thickness of a modified section lies at 0.2 to 0.6 of the chord "
        "(the last digit 2 to 6)");
  }
  return std::move(*form);
}

std::string fourDigitName(std::string_view text) { return "NACA " + std::string(text); }

Result<Recipe> fourDigit(std::string_view text, bool closed, std::optional<std::string_view> mod) {
  const int camber = digit(text, 0), position = digit(text, 1), percent = number(text.substr(2));
  if (percent == 0) return thicknessRefusal(0);
  if (camber > 0 && position == 0) {
    return refused("a camber of " + std::to_string(camber) +
                   " per cent needs its position (the second digit) above 0");
  }
  Recipe recipe;
  recipe.name = fourDigitName(text) + (mod ? "-" + std::string(*mod) : "");
  auto thickness = fourDigitFamilyThickness(percent, mod, closed);
  if (!thickness) return thickness.error();
  recipe.thickness = std::move(*thickness);
  if (camber > 0) recipe.meanLine = fourDigitMeanLine(camber / 100.0, position / 10.0);
  return recipe;
}

Result<Recipe> fiveDigit(std::string_view text, bool closed, std::optional<std::string_view> mod) {
  const int lift = digit(text, 0), position = digit(text, 1), reflex = digit(text, 2);
  const int percent = number(text.substr(3));
  if (percent == 0) return thicknessRefusal(0);
  if (reflex > 1) return refused("the third digit of a five-digit section is 0, or 1 for reflex");
  Recipe recipe;
  recipe.name = fourDigitName(text) + (mod ? "-" + std::string(*mod) : "");
  auto thickness = fourDigitFamilyThickness(percent, mod, closed);
  if (!thickness) return thickness.error();
  recipe.thickness = std::move(*thickness);
  if (lift > 0) {
    auto line = fiveDigitMeanLine(0.15 * lift, position / 20.0, reflex == 1);
    if (!line) {
      return refused(reflex == 1 ? "reflexed five-digit mean lines have their camber at 0.10 to "
                                   "0.25 of the chord (the second digit 2 to 5)"
                                 : "five-digit mean lines have their camber at 0.05 to 0.25 of the "
                                   "chord (the second digit 1 to 5)");
    }
    recipe.meanLine = std::move(*line);
  }
  return recipe;
}

std::string loadingName(std::optional<double> a) {
  if (!a) return {};
  char buffer[32];
  const auto end = io::toChars(buffer, buffer + sizeof buffer, *a).ptr;
  return " a=" + std::string(buffer, end);
}

// 16-212: the 0012-45 thickness form under the mean line of uniform loading.
Result<Recipe> sixteenSeries(std::string_view digits, std::optional<double> a, bool closed) {
  const int lift = digit(digits, 0), percent = number(digits.substr(1));
  if (percent == 0) return thicknessRefusal(0);
  Recipe recipe;
  recipe.name = "NACA 16-" + std::string(digits) + loadingName(a);
  recipe.thickness = *modifiedFourDigitThickness(percent / 100.0, 4, 0.5, closed);
  if (lift > 0) recipe.meanLine = uniformLoadMeanLine(lift / 10.0, a.value_or(1.0));
  return recipe;
}

// 63-206, 63(2)-615, 63_2-615, 632-615, 64A210, 63(2)A-015.
Result<Recipe> sixSeries(std::string_view text, std::optional<double> a, bool closed) {
  const int series = digit(text, 1);
  std::string_view rest = text.substr(2);
  std::string subscript;
  if (rest.starts_with("(")) {
    const auto close = rest.find(')');
    if (close == std::string_view::npos || !allDigits(rest.substr(1, close - 1))) {
      return refused("the low-drag range in brackets, as in 63(2)-615, is a number");
    }
    subscript = std::string(rest.substr(1, close - 1));
    rest.remove_prefix(close + 1);
  } else if (rest.starts_with("_") || rest.starts_with(",")) {
    rest.remove_prefix(1);
    if (rest.empty() || !allDigits(rest.substr(0, 1))) {
      return refused("the low-drag range after '_' is a digit, as in 65_2-415");
    }
    subscript = std::string(rest.substr(0, 1));
    rest.remove_prefix(1);
  } else if (rest.size() == 5 && allDigits(rest.substr(0, 1)) && rest[1] == '-') {
    subscript = std::string(rest.substr(0, 1));  // 652-415, the range written inline
    rest.remove_prefix(1);
  }
  const bool aSeries = rest.starts_with("A");
  if (aSeries) rest.remove_prefix(1);
  if (rest.starts_with("-")) {
    rest.remove_prefix(1);
  } else if (!aSeries) {
    return refused(
        "a six-series designation has a dash before its last three digits, as in "
        "63-206");
  }
  if (rest.size() != 3 || !allDigits(rest)) {
    return refused(
        "a six-series designation ends in three digits: the design lift in tenths and "
        "the thickness in per cent");
  }
  if (aSeries && (series < 3 || series > 5)) {
    return refused("the 6A-series has the thickness forms 63A, 64A and 65A");
  }
  if (aSeries && a) return refused("a 6A-series section has its own mean line; leave out a=");
  const int lift = digit(rest, 0), percent = number(rest.substr(1));
  if (percent == 0) return thicknessRefusal(0);
  using enum SixSeriesFamily;
  constexpr SixSeriesFamily plain[] = {s63, s64, s65, s66, s67};
  constexpr SixSeriesFamily withA[] = {s63A, s64A, s65A};
  const SixSeriesFamily family = aSeries ? withA[series - 3] : plain[series - 3];
  auto form = SixSeriesThickness::make(family, percent / 100.0);
  if (!form) {
    const int most = static_cast<int>(SixSeriesThickness::maxThickness(family) * 100.0 + 0.5);
    return refused("the thickness of " + std::to_string(percent) + " per cent is beyond the " +
                   (aSeries ? "6A" : "6") + "-series thickness forms, which reach " +
                   std::to_string(most) + " per cent");
  }
  Recipe recipe;
  recipe.name = "NACA 6" + std::to_string(series) +
                (subscript.empty() ? "" : "(" + subscript + ")") + (aSeries ? "A" : "") +
                (aSeries && subscript.empty() ? "" : "-") + std::string(rest) + loadingName(a);
  // The 6-series forms close by themselves; closed, a 6A-series form loses
  // its trailing-edge thickness in proportion to x.
  const double rear = closed ? form->halfThickness(1.0) : 0.0;
  recipe.thickness = [form = std::move(*form), rear](double x) {
    return form.halfThickness(x) - rear * std::clamp(x, 0.0, 1.0);
  };
  if (lift > 0) {
    recipe.meanLine = aSeries ? modifiedSixAMeanLine(lift / 10.0)
                              : uniformLoadMeanLine(lift / 10.0, a.value_or(1.0));
  }
  return recipe;
}

}  // namespace

Result<Recipe> parseDesignation(std::string_view designation, bool closedTrailingEdge) {
  std::string text = core(designation);
  auto loading = takeLoading(text);
  if (!loading) return loading.error();
  const auto dash = text.find('-');
  const std::string_view whole = text;
  const std::string_view head = whole.substr(0, dash);
  const std::optional<std::string_view> tail =
      dash == std::string::npos ? std::nullopt : std::optional(whole.substr(dash + 1));
  const bool modifier = tail && tail->size() == 2 && allDigits(*tail);

  if (head == "16" && tail && tail->size() == 3 && allDigits(*tail)) {
    return sixteenSeries(*tail, *loading, closedTrailingEdge);
  }
  if (text.size() >= 3 && text[0] == '6' && text[1] >= '3' && text[1] <= '7' &&
      !(allDigits(head) && (head.size() == 4 || head.size() == 5) && (!tail || modifier))) {
    return sixSeries(text, *loading, closedTrailingEdge);
  }
  if (*loading) return refused("only six-series and 16-series mean lines take a=");
  if (allDigits(head) && (!tail || modifier)) {
    if (head.size() == 4) return fourDigit(head, closedTrailingEdge, tail);
    if (head.size() == 5) return fiveDigit(head, closedTrailingEdge, tail);
  }
  return refused("\"" + std::string(designation) +
                 "\" is no NACA designation this program knows: four digits (2412), four digits "
                 "and a modifier (0012-64), five digits (23012), 16-series (16-212) or "
                 "six-series (63-206, 63(2)-615, 64A210, 65(4)-421 a=0.5)");
}

}  // namespace tarvex::naca
