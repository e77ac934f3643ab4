// The standard x-stations as the settings keep them: numbers separated by "/".
#pragma once

#include <QString>
#include <vector>

// The list the engine holds before any change: 18 stations from 0 to 1.
QString defaultStationText();

// Stations of a stored list. Empty pieces ("//" or a final "/") are skipped; every other
// piece is read by the leading-number rule.
std::vector<float> parseStoredStations(const QString& stored);

// The stored list as the stations dialog shows it: one piece per line, each ended by a
// line break; empty pieces give empty lines.
QString stationFieldText(const QString& stored);

// What OK in the stations dialog takes from the field: one value per non-empty line and
// the lines themselves, unchanged, joined by "/" for storing. A line that is not one
// number stops the reading: badLine is then its number (from 1) and badText its text.
struct StationEntry {
  std::vector<float> values;
  QString storedText;
  int badLine = 0;
  QString badText;
};
StationEntry parseStationField(const QString& field);
