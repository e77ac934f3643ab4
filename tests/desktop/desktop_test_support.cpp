#include "desktop_test_support.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

namespace {

QString groupKey(const QString& key) { return QStringLiteral("Alvane/") + key; }

}  // namespace

TestSettings::TestSettings() {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  clear();
}

void TestSettings::clear() {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendlow"),
                     QStringLiteral("Alvane"));
  settings.clear();
  settings.sync();
}

bool TestSettings::has(const QString& key) const {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendlow"),
                     QStringLiteral("Alvane"));
  return settings.contains(groupKey(key));
}

QString TestSettings::value(const QString& key) const {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendlow"),
                     QStringLiteral("Alvane"));
  return settings.value(groupKey(key)).toString();
}

void TestSettings::set(const QString& key, const QString& value) {
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Wendlow"),
                     QStringLiteral("Alvane"));
  settings.setValue(groupKey(key), value);
  settings.sync();
}

FakeEngine::FakeEngine(const QString& path) : library_(path) {
  if (!library_.load()) qFatal("fake engine: %s", qPrintable(library_.errorString()));
  reset_ = reinterpret_cast<FakeReset>(library_.resolve("fakeReset"));
  setResult_ = reinterpret_cast<FakeSetConvertResult>(library_.resolve("fakeSetConvertResult"));
  lastConvert_ = reinterpret_cast<FakeLastConvert>(library_.resolve("fakeLastConvert"));
  lastStations_ = reinterpret_cast<FakeLastStations>(library_.resolve("fakeLastStations"));
  lastAnyFormat_ = reinterpret_cast<FakeLastAnyFormat>(library_.resolve("fakeLastAnyFormat"));
  if (!reset_ || !setResult_ || !lastConvert_ || !lastStations_) {
    qFatal("fake engine: %s", qPrintable(library_.errorString()));
  }
}

void FakeEngine::reset() { reset_(); }

void FakeEngine::answer(int status, const std::vector<float>& x, const std::vector<float>& y) {
  setResult_(status, static_cast<int32_t>(std::min(x.size(), y.size())), x.data(), y.data());
}

const FakeConvertCall& FakeEngine::lastConvert() const { return *lastConvert_(); }

const FakeStationsCall& FakeEngine::lastStations() const { return *lastStations_(); }

const FakeAnyFormatCall* FakeEngine::lastAnyFormat() const {
  return lastAnyFormat_ ? lastAnyFormat_() : nullptr;
}

std::vector<float> FakeEngine::stations() const {
  const FakeStationsCall& call = lastStations();
  return {call.stations, call.stations + call.count};
}

bool RecordingSurface::setScale(double l, double t, double r, double b) {
  ++scales;
  left = l;
  top = t;
  right = r;
  bottom = b;
  return r != l && b != t;
}

void RecordingSurface::lineTo(QPointF point) {
  lines.emplace_back(current, point);
  current = point;
}

std::unique_ptr<LoadedWindow> loadWindow(const QString& enginePath, const QString& directory) {
  auto loaded = std::make_unique<LoadedWindow>();
  loaded->window = std::make_unique<frmMain>(enginePath);
  QStringList* failures = &loaded->engineFailures;
  loaded->window->setEngineFailureHandler([failures](const QString& error) { *failures << error; });
  loaded->window->Form_Load();
  if (!directory.isEmpty()) loaded->window->setDir1Path(directory);
  return loaded;
}

QString writeFile(const QString& directory, const QString& name, const QByteArray& content) {
  const QString path = QDir(directory).filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    qFatal("cannot write %s", qPrintable(path));
  file.write(content);
  return path;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
