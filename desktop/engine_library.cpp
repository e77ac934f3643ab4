#include "engine_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

constexpr auto kEngineName = "tarvex";
// The library's full file name beside the program: the bare name would also
// match the console program "tarvex", which lies in the same folder.
#if defined(Q_OS_WIN)
constexpr auto kEngineFileName = "tarvex.dll";
#elif defined(Q_OS_MACOS)
constexpr auto kEngineFileName = "libtarvex.dylib";
#else
constexpr auto kEngineFileName = "libtarvex.so";
#endif

}  // namespace

EngineLibrary::EngineLibrary(QString fileName) : fileName_(std::move(fileName)) {}

bool EngineLibrary::load() {
  if (loaded_) return true;
  if (!fileName_.isEmpty()) {
    library_.setFileName(fileName_);
    loaded_ = library_.load();
    if (!loaded_) error_ = library_.errorString();
    return loaded_;
  }
  // Beside the program first, so a build or an installation finds its own engine even
  // when another one lies on the library path.
  const QString beside =
      QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kEngineFileName));
  library_.setFileName(beside);
  if ((loaded_ = library_.load())) return true;
  const QString besideError = library_.errorString();

  library_.setFileName(QLatin1String(kEngineName));
  if ((loaded_ = library_.load())) return true;
  error_ = besideError + u'\n' + library_.errorString();
  return false;
}

QFunctionPointer EngineLibrary::resolve(const char* name) {
  if (!load()) return nullptr;
  QFunctionPointer entry = library_.resolve(name);
  if (!entry) {
    error_ = QStringLiteral("Cannot resolve symbol \"%1\" in %2: %3")
                 .arg(QLatin1String(name), library_.fileName(), library_.errorString());
  }
  return entry;
}

EngineLibrary::SetStationsEntry EngineLibrary::setStationsEntry() {
  if (!setStations_) setStations_ = reinterpret_cast<SetStationsEntry>(resolve("ISETXS"));
  return setStations_;
}

EngineLibrary::ConvertEntry EngineLibrary::convertEntry() {
  if (!convert_) convert_ = reinterpret_cast<ConvertEntry>(resolve("INORM"));
  return convert_;
}

EngineLibrary::AnyFormatEntry EngineLibrary::anyFormatEntry() {
  if (!anyFormatLooked_ && load()) {
    anyFormatLooked_ = true;
    anyFormat_ = reinterpret_cast<AnyFormatEntry>(library_.resolve("tarvex_convert"));
  }
  return anyFormat_;
}

EngineLibrary::NacaEntry EngineLibrary::nacaEntry() {
  if (!nacaLooked_ && load()) {
    nacaLooked_ = true;
    naca_ = reinterpret_cast<NacaEntry>(library_.resolve("tarvex_naca"));
  }
  return naca_;
}

QString engineFileFromEnvironment() { return qEnvironmentVariable("ALVANE_ENGINE"); }

void reportEngineFailure(const QString& error) {
  std::fprintf(stderr, "alvane: %s\n", qPrintable(error));
  std::fflush(stderr);
  // Nobody could close a message box on the offscreen platform.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
    QMessageBox::critical(nullptr, QStringLiteral("Alvane"), error);
  }
}
