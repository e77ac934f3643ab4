#include "conversion_rules.h"

#include <array>
#include <cmath>
#include <span>

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

// The text numbers of the captions of the options after the seventeen, in format order.
constexpr auto kLaterCaptions = std::to_array<int>({157, 158, 159, 175, 176});
static_assert(kLaterCaptions.size() == kDrawingOptionCount);
static_assert(kOptionCount <= static_cast<int>(tarvex::kFormats.size()));

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool validOption(int index) { return index >= 0 && index < kOptionCount; }
bool anyOption(int index) { return index >= 0 && index < kAllOptionCount; }

// Per cent of the chord as the language writes numbers.
QString perCent(float value, int decimals) {
  if (!std::isfinite(value)) return LoadText(173);
  QString text = QString::number(100.0 * value, 'f', decimals);
  return CurrentLanguage == 1 ? text.replace(u'.', u',') : text;
}

QString prefix() { return LoadText(100) + u' '; }

// A name in a message: quoted, or the clipboard when it stands for it.
QString shownName(const QString& name, bool clipboard) {
  return clipboard ? u'(' + LoadText(151) + u')' : u'\'' + name + u'\'';
}

}  // namespace

QString initialOptionCaption(int optionIndex) {
  return validOption(optionIndex) ? QString::fromUtf8(kInitialCaptions[optionIndex]) : QString();
}

QString optionCaption(int optionIndex) {
  if (optionIndex >= 0 && optionIndex < 4) return LoadText(130 + optionIndex);
  if (optionIndex == 15) return LoadText(147);
  if (isDrawingOption(optionIndex)) {
    return LoadText(kLaterCaptions[static_cast<std::size_t>(optionIndex - kOptionCount)]);
  }
  return initialOptionCaption(optionIndex);
}

bool isDrawingOption(int optionIndex) {
  return optionIndex >= kOptionCount && optionIndex < kAllOptionCount;
}

DrawingFields drawingFields(int optionIndex) {
  if (!isDrawingOption(optionIndex)) return {};
  const std::string_view format = tarvex::formatByNumber(optionIndex + 1)->shortName;
  if (format == "svg") return {.chord = true, .skin = true, .label = true, .chordLine = true};
  if (format == "gmsh") {
    return {.chord = true, .farfield = true, .meshSize = true, .spline = true};
  }
  if (format == "dxf2000") return {.chord = true, .skin = true, .spline = true};
  return {};
}

QString defaultExtension(int optionIndex) {
  if (!anyOption(optionIndex)) return QString();
  return fromView(tarvex::formatByNumber(optionIndex + 1)->extension);
}

int formatNumber(int selectedOption, bool withComments) {
  const int number = anyOption(selectedOption) ? selectedOption + 1 : 1;
  return withComments ? number : -number;
}

std::optional<QString> derivedOutputName(const QString& inputName, int optionIndex) {
  const qsizetype dot = inputName.lastIndexOf(u'.');
  if (dot < 1 || !anyOption(optionIndex)) return std::nullopt;
  return inputName.left(dot + 1) + defaultExtension(optionIndex);
}

QString nacaFileStem(const QString& sectionName) {
  QString stem;
  for (const QChar c : sectionName) {
    if (c.isLetterOrNumber() && c.unicode() < 128) {
      stem += c.toLower();
    } else if (c == u'-' || c == u'.') {
      stem += c;
    } else if ((c == u' ' || c == u'(' || c == u'_') && !stem.isEmpty() && !stem.endsWith(u'_')) {
      stem += u'_';
    }
  }
  if (stem.startsWith(QLatin1String("naca_"))) stem.remove(4, 1);
  if (!stem.startsWith(QLatin1String("naca"))) stem.prepend(QLatin1String("naca"));
  return stem;
}

QString figuresText(const TarvexFigures& f) {
  // A figure that was not found has no per-cent sign after it.
  const auto line = [](int text, float value, int decimals) {
    QString pattern = LoadText(text);
    if (!std::isfinite(value)) pattern.replace(QStringLiteral("%1 %"), QStringLiteral("%1"));
    return pattern.arg(perCent(value, decimals));
  };
  return LoadText(174) + u'\n' +
         LoadText(169).arg(perCent(f.maxThickness, 2), perCent(f.maxThicknessX, 1)) + u'\n' +
         LoadText(170).arg(perCent(f.maxCamber, 2), perCent(f.maxCamberX, 1)) + u'\n' +
         line(171, f.trailingEdgeThickness, 2) + u'\n' + line(172, f.leadingEdgeRadius, 2);
}

QString conversionMessage(int status, const ConversionEnds& ends, int optionIndex, int pointCount,
                          const QString& reason) {
  switch (status) {
    case 0:
      return LoadText(113) + QStringLiteral(" (") + QString::number(pointCount) + u' ' +
             LoadText(114) + QStringLiteral(").");
    case 1:
      return prefix() + LoadText(101) + u' ' + shownName(ends.inName, ends.inClipboard) + u' ' +
             LoadText(103) + u'.';
    case 2:
      return prefix() + LoadText(102) + u' ' + shownName(ends.outName, ends.outClipboard) + u' ' +
             LoadText(104) + u'.';
    case 3:
      return prefix() + LoadText(105) + u'.';
    case 4:
      return prefix() + LoadText(106) + u' ' + LoadText(107) + u' ' +
             QString::number(PointCapacity) + u' ' + LoadText(108) + u'.';
    case 5:
      return prefix() + LoadText(109) + u'?';
    case 6:
      // The text says itself that it is an error and ends in a question.
      return LoadText(110);
    case 7:
      return prefix() + LoadText(111) + u'.';
    case 8:
      return prefix() + LoadText(149).arg(optionCaption(optionIndex), LoadText(142)) + u'.';
    case 9:
      return prefix() + LoadText(150) + u'.';
    case 10:
      return prefix() + LoadText(168) +
             (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason) + u'.';
    default:
      return prefix();
  }
}

QString prefixedMessage(const QString& text) { return prefix() + text; }

QString sameFileMessage(const ConversionEnds& ends) {
  return prefix() +
         LoadText(148).arg(shownName(ends.inName, ends.inClipboard),
                           shownName(ends.outName, ends.outClipboard)) +
         u'.';
}

QString inputTempFailureMessage() {
  return prefix() + LoadText(101) + u' ' + shownName({}, true) + u' ' + LoadText(104) + u'.';
}

QString outputTempFailureMessage() {
  return prefix() + LoadText(102) + u' ' + shownName({}, true) + u' ' + LoadText(103) + u'.';
}

QString coordinateFilePatterns() {
  // What the readers take whatever its name, then what the formats write.
  QStringList extensions{"dat", "txt", "cef", "dxf", "xml", "koo"};
  // The drawing and mesh formats are not read back as coordinates.
  for (const tarvex::FormatRow& format :
       std::span(tarvex::kFormats).first(tarvex::kClassicFormatCount)) {
    const QString extension = fromView(format.extension);
    if (!extensions.contains(extension)) extensions << extension;
  }
  return QStringLiteral("*.") + extensions.join(QStringLiteral(";*."));
}

QStringList inputFilterEntries() {
  return {LoadText(152) + QStringLiteral(" (") + coordinateFilePatterns() + u')',
          LoadText(115) + QStringLiteral(" (*.*)"),
          LoadText(116) + QStringLiteral(" (*.txt)"),
          LoadText(118) + QStringLiteral(" (*.cef)"),
          LoadText(117) + QStringLiteral(" (*.geo)"),
          LoadText(119) + QStringLiteral(" (*.koo)")};
}

QString filterPattern(const QString& entry) {
  const qsizetype open = entry.indexOf(u'(');
  if (open < 0 || entry.size() < open + 2) return QString();
  return entry.mid(open + 1, entry.size() - open - 2);
}
