// The small rules of one conversion that need no window: format numbers, default output
// extensions, the derived output name and the status-line message.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "tarvex.h"
#include "tarvex_formats.hpp"

// Points the work arrays hold; the engine is told this capacity and the
// too-many-points message quotes it.
inline constexpr int PointCapacity = 500;

inline const QString kInputTempName = QStringLiteral("alvane.I.tmp");
inline const QString kOutputTempName = QStringLiteral("alvane.O.tmp");

// The format options the window offers: option i writes format number i + 1. The first
// kOptionCount are the classic formats INORM writes; the drawing and mesh formats after
// them go through the engine's second entry and are offered only when it has one.
inline constexpr int kOptionCount = tarvex::kClassicFormatCount;
// The drawing and mesh formats 18 to 20, and the Selig and Lednicer layouts.
inline constexpr int kDrawingOptionCount = 5;
static_assert(kOptionCount + kDrawingOptionCount <= static_cast<int>(tarvex::kFormats.size()));
inline constexpr int kAllOptionCount = kOptionCount + kDrawingOptionCount;

bool isDrawingOption(int optionIndex);

// The drawing and mesh settings an option uses.
struct DrawingFields {
  bool chord = false, skin = false, label = false, chordLine = false;
  bool farfield = false, meshSize = false, spline = false;
  bool any() const { return chord || skin || label || chordLine || farfield || meshSize || spline; }
};
DrawingFields drawingFields(int optionIndex);

// Caption an output-format option starts with; options 0..3 and 15 are later replaced
// from the text table, the others keep it in both languages.
QString initialOptionCaption(int optionIndex);

// Default extension of the output for an option, without the dot, from the format table.
QString defaultExtension(int optionIndex);

// The format number handed to the engine: the selected index + 1 (1 when no option is
// selected), negated when comments are off.
int formatNumber(int selectedOption, bool withComments);

// The output name derived from the input name: everything up to and including the last
// "." followed by the option's extension; nothing when the last "." is missing or is the
// first character.
std::optional<QString> derivedOutputName(const QString& inputName, int optionIndex);

// The file name, without extension, of a made NACA section's output: its name (or
// designation) in lower case, blanks and parentheses as one "_", other characters
// that are no letter, digit, "-" or "." left out, "naca" in front ("NACA 63(2)-615"
// gives "naca63_2-615").
QString nacaFileStem(const QString& sectionName);

// The caption an option shows in the current language.
QString optionCaption(int optionIndex);

// The two ends of one conversion: the names handed to the engine, and whether each stands
// for the clipboard (its name is then that of a temporary file, which messages do not show).
struct ConversionEnds {
  QString inName;
  QString outName;
  bool inClipboard = false;
  bool outClipboard = false;
};

// The status-line message for an engine status code, in the current language; pointCount
// is the count the engine returned, optionIndex the selected format option, reason what the
// second entry said of options it refused.
QString conversionMessage(int status, const ConversionEnds& ends, int optionIndex, int pointCount,
                          const QString& reason = {});

// The section's figures in per cent of the chord, one line each in the current language,
// after a heading line; what the engine could not find (NaN) is said so.
QString figuresText(const TarvexFigures& figures);

// A message of the window's own, after the error prefix.
QString prefixedMessage(const QString& text);

// The refusal to convert a file into itself.
QString sameFileMessage(const ConversionEnds& ends);

// The clipboard input could not be put into its temporary file, or the output could not be
// read back from its one.
QString inputTempFailureMessage();
QString outputTempFailureMessage();

// The name patterns of coordinate files: what the readers take and every format writes.
QString coordinateFilePatterns();

// The entries of the input filter list in the current language, each a text and a pattern
// in parentheses; the coordinate files come first.
QStringList inputFilterEntries();

// Pattern of an input-filter entry: from after the first "(" up to, not including, the
// last character ("All Files (*.*)" gives "*.*").
QString filterPattern(const QString& entry);
