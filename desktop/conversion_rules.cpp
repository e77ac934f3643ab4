#include "conversion_rules.h"

#include <array>

#include "Module1.h"

namespace {

struct OutputFormat {
  const char* caption;
  const char* extension;
};

constexpr std::array<OutputFormat, kFormatCount> kFormats{{
    {"2 columns, TE > upper > LE > lower > TE", "geo"},
    {"2 columns, TE > lower > LE > upper > TE", "txt"},
    {"3 columns, TE > LE", "txt"},
    {"3 columns, LE > TE", "txt"},
    {"Eppler FXPR Format", "epp"},
    {"CEF Coordinate Exchange Format", "cef"},
    {"Airfoil0 Format", "af0"},
    {"VSaero Format", "vsa"},
    {"Autocad Script", "scr"},
    {"Vuz Ovorav KSC Format", "ksc"},
    {"Autocad DXF Format", "dxf"},
    {"Rhinoceros Command Script", "txt"},
    {"XML (Extensible Markup Language)", "xml"},
    {"FORTRAN / BASIC Code", "for"},
    {"C / C++ / C#, Java Code", "c"},
    {"x/c   t/c   f/c          LE > TE", "txt"},
    {"PMARC/CMARC Format", "txt"},
}};

bool validOption(int index) { return index >= 0 && index < kFormatCount; }

QString prefix() { return LoadText(100) + u' '; }

}  // namespace

QString initialOptionCaption(int optionIndex) {
  return validOption(optionIndex) ? QString::fromUtf8(kFormats[optionIndex].caption) : QString();
}

QString defaultExtension(int optionIndex) {
  return validOption(optionIndex) ? QString::fromUtf8(kFormats[optionIndex].extension) : QString();
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
