// Run-time binding of the conversion engine libtarvex. The program does not link the
// engine; it loads the library by name and finds INORM and ISETXS in it, each at its
// first use, tarvex_convert for the formats after the seventeen and tarvex_naca for NACA
// sections when the engine has them.
// The library stays loaded until the program ends.
#pragma once

#include <QLibrary>
#include <QString>

#include "tarvex.h"

class EngineLibrary {
 public:
  using SetStationsEntry = decltype(&ISETXS);
  using ConvertEntry = decltype(&INORM);
  using AnyFormatEntry = decltype(&tarvex_convert);
  using NacaEntry = decltype(&tarvex_naca);

  // An explicit file name binds exactly that library; an empty one looks for "tarvex"
  // beside the program first, then on the platform's library path.
  explicit EngineLibrary(QString fileName = {});

  // The entry, bound on the first call; nullptr when the library or the entry cannot be
  // bound, with the loader's report in errorString().
  SetStationsEntry setStationsEntry();
  ConvertEntry convertEntry();
  // The second entry, or nullptr when this engine has none (an older one); that is no
  // failure, and errorString() stays as it was.
  AnyFormatEntry anyFormatEntry();
  // The entry that makes NACA sections, or nullptr when this engine has none, likewise.
  NacaEntry nacaEntry();

  QString errorString() const { return error_; }

 private:
  bool load();
  QFunctionPointer resolve(const char* name);

  QString fileName_;
  QLibrary library_;
  bool loaded_ = false;
  QString error_;
  SetStationsEntry setStations_ = nullptr;
  ConvertEntry convert_ = nullptr;
  AnyFormatEntry anyFormat_ = nullptr;
  bool anyFormatLooked_ = false;
  NacaEntry naca_ = nullptr;
  bool nacaLooked_ = false;
};

// The library named by the environment variable ALVANE_ENGINE, or empty for the usual
// search; lets tests and packagers point the program at a particular engine.
QString engineFileFromEnvironment();

// What the program does when the engine cannot be bound: the loader's report goes to
// standard error and, on a screen a user can see, into a message box.
void reportEngineFailure(const QString& error);
