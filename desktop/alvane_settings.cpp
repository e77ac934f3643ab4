#include "alvane_settings.h"

#include <QSettings>

#include "station_list.h"

namespace AlvaneSettings {
namespace {

const QString kLanguageKey = QStringLiteral("Language");
const QString kStationsKey = QStringLiteral("Standard.Stations");

class Section {
 public:
  Section()
      : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendlow"),
                  QStringLiteral("Alvane")) {
    settings_.beginGroup(QStringLiteral("Alvane"));
  }
  QSettings& operator*() { return settings_; }
  QSettings* operator->() { return &settings_; }

 private:
  QSettings settings_;
};

// A hand-edited INI value with an unquoted comma reads back as a list; the text is wanted.
QString asText(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
  return value.toString();
}

}  // namespace

QString language() { return asText(Section()->value(kLanguageKey, QStringLiteral("1"))); }

void storeLanguage(int language) { Section()->setValue(kLanguageKey, QString::number(language)); }

QString stations() { return asText(Section()->value(kStationsKey, defaultStationText())); }

void storeStations(const QString& stations) { Section()->setValue(kStationsKey, stations); }

}  // namespace AlvaneSettings
