#include "conversion_rules.h"

#include <array>

#include "Module1.h"

namespace {

// UI texts, not format facts: the captions the options start with.
constexpr auto kInitialCaptions = std::to_array<const char*>({
    "2 columns, TE > upper > LE > lower > TE",
    "2 columns, TE > lower > LE > upper > TE",
    "3 columns, TE > LE",
    "3 columns, LE > TE",
    "Eppler FXPR Format",
    "CEF Coordinate Exchange Format",
    "Airfoil0 Format",
    "VSaero Format",
    "Autocad Script",
    "Vuz Ovorav KSC Format",
    "Autocad DXF Format",
    "Rhinoceros Command Script",
    "XML (Extensible Markup Language)",
    "FORTRAN / BASIC Code",
    "C / C++ / C#, Java Code",
    "x/c   t/c   f/c          LE > TE",
    "PMARC/CMARC Format",
});
static_assert(kInitialCaptions.size() == kOptionCount);
static_assert(kOptionCount <= static_cast<int>(tarvex::kFormats.size()));

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool validOption(int index) { return index >= 0 && index < kOptionCount; }

QString prefix() { return LoadText(100) + u' '; }

}  // namespace

QString initialOptionCaption(int optionIndex) {
  return validOption(optionIndex) ? QString::fromUtf8(kInitialCaptions[optionIndex]) : QString();
}

QString defaultExtension(int optionIndex) {
  if (!validOption(optionIndex)) return QString();
  return fromView(tarvex::formatByNumber(optionIndex + 1)->extension);
}

int formatNumber(int selectedOption, bool withComments) {
  const int number = validOption(selectedOption) ? selectedOption + 1 : 1;
  return withComments ? number : -number;
}

std::optional<QString> derivedOutputName(const QString& inputName, int optionIndex) {
  const qsizetype dot = inputName.lastIndexOf(u'.');
  if (dot < 1 || !validOption(optionIndex)) return std::nullopt;
  return inputName.left(dot + 1) + defaultExtension(optionIndex);
}

QString conversionMessage(int status, const QString& inName, const QString& outName,
                          int pointCount) {
  switch (status) {
    case 0:
      return LoadText(113) + QStringLiteral(" (") + QString::number(pointCount) + u' ' +
             LoadText(114) + QStringLiteral(").");
    case 1:
      return prefix() + LoadText(101) + QStringLiteral(" '") + inName + QStringLiteral("' ") +
             LoadText(103) + u'.';
    case 2:
      return prefix() + LoadText(102) + QStringLiteral(" '") + outName + QStringLiteral("' ") +
             LoadText(104) + u'.';
    case 3:
      return prefix() + LoadText(105) + u'.';
    case 4:
      return prefix() + LoadText(106) + u' ' + LoadText(107) + u' ' +
             QString::number(PointCapacity) + u' ' + LoadText(108) + u'.';
    case 5:
      return prefix() + LoadText(109) + u'?';
    case 6:
      return prefix() + LoadText(110) + u'.';
    case 7:
      return prefix() + LoadText(111) + u'.';
    default:
      return prefix();
  }
}

QString inputTempFailureMessage(const QString& inName) {
  return prefix() + LoadText(101) + QStringLiteral(" '") + inName + QStringLiteral("' ") +
         LoadText(104) + u'.';
}

QString outputTempFailureMessage(const QString& outName) {
  return prefix() + LoadText(102) + QStringLiteral(" '") + outName + QStringLiteral("' ") +
         LoadText(103) + u'.';
}

QString filterPattern(const QString& entry) {
  const qsizetype open = entry.indexOf(u'(');
  if (open < 0 || entry.size() < open + 2) return QString();
  return entry.mid(open + 1, entry.size() - open - 2);
}
