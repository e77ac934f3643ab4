// The small rules of one conversion that need no window: format numbers, default output
// extensions, the derived output name and the status-line message.
#pragma once

#include <QString>
#include <optional>

#include "tarvex_formats.hpp"
// Points the work arrays hold; the engine is told this capacity and the
// too-many-points message quotes it.
inline constexpr int PointCapacity = 500;

inline const QString kInputTempName = QStringLiteral("alvane.I.tmp");
inline const QString kOutputTempName = QStringLiteral("alvane.O.tmp");

// The format options the window offers: option i writes format number i + 1.
inline constexpr int kOptionCount = tarvex::kClassicFormatCount;

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

// The status-line message for an engine status code, in the current language. inName and
// outName are the names handed to the engine, pointCount the count it returned.
QString conversionMessage(int status, const QString& inName, const QString& outName,
                          int pointCount);

// The message for a temporary clipboard file that could not be written or read: the
// input or output file named, with "not writeable" or "not found".
QString inputTempFailureMessage(const QString& inName);
QString outputTempFailureMessage(const QString& outName);

// Pattern of an input-filter entry: from after the first "(" up to, not including, the
// last character ("All Files (*.*)" gives "*.*").
QString filterPattern(const QString& entry);
