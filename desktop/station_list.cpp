#include "station_list.h"

#include <QStringList>

#include "leading_number.h"

namespace {

// The pieces before each "/" of text + "/?": the "?" closes the last value and is never
// a piece itself.
QStringList slashPieces(const QString& stored) {
  QStringList pieces = (stored + QStringLiteral("/?")).split(u'/');
  pieces.removeLast();
  return pieces;
}

}  // namespace

QString defaultStationText() {
  return QStringLiteral(
      "0.0/0.0125/0.025/0.05/0.075/0.1/0.15/0.2/0.25/0.3/0.4/0.5/0.6/0.7/0.8/0.9/0.95/1.0");
}

std::vector<float> parseStoredStations(const QString& stored) {
  std::vector<float> stations;
  for (const QString& piece : slashPieces(stored)) {
    if (!piece.isEmpty()) stations.push_back(leadingSingle(piece));
  }
  return stations;
}

QString stationFieldText(const QString& stored) {
  QString field;
  for (const QString& piece : slashPieces(stored)) field += piece + u'\n';
  return field;
}

StationEntry parseStationField(const QString& field) {
  StationEntry entry;
  QStringList lines = (field + u'\n').split(u'\n');
  lines.removeLast();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (line.isEmpty()) continue;
    const std::optional<float> value = wholeSingle(line);
    if (!value) {
      entry.badLine = int(i + 1);
      entry.badText = line;
      return entry;
    }
    entry.values.push_back(*value);
    if (entry.values.size() > 1) entry.storedText += u'/';
    entry.storedText += line;
  }
  return entry;
}
