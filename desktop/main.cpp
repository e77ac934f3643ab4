// Alvane: the desktop front end of the Tarvex coordinate converter.
#include <QApplication>
#include <QFileInfo>

#include "engine_library.h"
#include "frmMain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Alvane"));

  frmMain window(engineFileFromEnvironment());
  window.Form_Load();
  if (window.engineFailed()) return 1;
  window.show();
  // A file named on the command line is taken as if it had been dropped on the window.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.TakeInputFile(QFileInfo(arguments.at(1)).absoluteFilePath());
  return QApplication::exec();
}
