// The program's help: HTML pages compiled into the program, shown in a small browser
// window in the current language.
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  HelpViewer();

  static QString contentsPage();
  // The page of a help context number; the contents page for an unknown one.
  static QString pageForContext(int context);

  // Shows a page of the help in the current language.
  void showPage(const QString& page);
  QString currentPage() const;

  QTextBrowser* browser = nullptr;
  QPushButton* btnContents = nullptr;
  QPushButton* btnBack = nullptr;

 private:
  QString language_;
};
