// The about box: product name, version and the maker's notice.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmAbout : public QWidget {
  Q_OBJECT

 public:
  frmAbout();

  void Form_Load();
  void SwitchLanguage();
  void Command1_Click();

  QLabel* Image1 = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The three lines of the about text: product, version and revision, maker's notice.
QStringList aboutLines();
