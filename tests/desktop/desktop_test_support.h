// Shared pieces of the desktop tests: settings in a temporary folder, the stand-in
// engine, a recording drawing surface and a ready-loaded main window.
#pragma once

#include <QLibrary>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "drawing_surface.h"
#include "fake_engine.h"
#include "frmMain.h"

// Points the settings of this process at a fresh temporary folder.
class TestSettings {
 public:
  TestSettings();
  void clear();
  bool has(const QString& key) const;
  QString value(const QString& key) const;
  void set(const QString& key, const QString& value);

 private:
  QTemporaryDir dir_;
};

// The stand-in engine as the tests see it: the same loaded library the window binds.
class FakeEngine {
 public:
  explicit FakeEngine(const QString& path = QStringLiteral(FAKE_ENGINE_PATH));
  QString path() const { return library_.fileName(); }
  void reset();
  void answer(int status, const std::vector<float>& x = {}, const std::vector<float>& y = {});
  const FakeConvertCall& lastConvert() const;
  const FakeStationsCall& lastStations() const;
  // The last call of the second entry; nullptr when this fake has none.
  const FakeAnyFormatCall* lastAnyFormat() const;
  std::vector<float> stations() const;

 private:
  QLibrary library_;
  FakeReset reset_ = nullptr;
  FakeSetConvertResult setResult_ = nullptr;
  FakeLastConvert lastConvert_ = nullptr;
  FakeLastStations lastStations_ = nullptr;
  FakeLastAnyFormat lastAnyFormat_ = nullptr;
};

// Records every drawing operation.
class RecordingSurface final : public DrawingSurface {
 public:
  struct Circle {
    QPointF centre;
    double radius;
  };
  void clear() override { ++clears; }
  QSizeF pixelSize() const override { return size; }
  bool setScale(double left, double top, double right, double bottom) override;
  void moveTo(QPointF point) override { current = point; }
  void lineTo(QPointF point) override;
  void setFillColor(QColor color) override { fill = color; }
  void circle(QPointF centre, double radius) override { circles.push_back({centre, radius}); }

  QSizeF size{1000, 400};
  int clears = 0;
  int scales = 0;
  double left = 0, top = 0, right = 0, bottom = 0;
  QPointF current;
  QColor fill;
  std::vector<std::pair<QPointF, QPointF>> lines;
  std::vector<Circle> circles;
};

// A main window bound to the given engine, loaded, with engine failures recorded instead
// of ending the program, and the shown directory set to `directory`.
struct LoadedWindow {
  std::unique_ptr<frmMain> window;
  QStringList engineFailures;
};
std::unique_ptr<LoadedWindow> loadWindow(const QString& enginePath, const QString& directory);

// Writes a text file (bytes as given) and returns its full path.
QString writeFile(const QString& directory, const QString& name, const QByteArray& content);
QByteArray readFile(const QString& path);
