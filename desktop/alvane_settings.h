// The two stored settings, kept as text under application "Wendlow", section "Alvane".
#pragma once

#include <QString>

namespace AlvaneSettings {

// The stored Language text, "1" when absent.
QString language();
void storeLanguage(int language);

// The stored Standard.Stations text, the default list when absent.
QString stations();
void storeStations(const QString& stations);

}  // namespace AlvaneSettings
