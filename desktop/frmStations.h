// The dialog that edits the standard x-stations, hands them to the engine and stores
// them when the engine took them.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmStations : public QDialog {
  Q_OBJECT

 public:
  // setStations hands a list to the engine and returns its result (0 = taken).
  using SetStations = std::function<int(const std::vector<float>&)>;

  frmStations(SetStations setStations, QWidget* owner);

  void Form_Load();
  void SwitchLanguage();
  void btnSave_Click();
  void btnReset_Click();
  void btnCancel_Click();

  QLabel* Label1 = nullptr;
  // Why OK did not take the list; hidden until then.
  QLabel* lblMessage = nullptr;
  QPlainTextEdit* txtStations = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnReset = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  void showMessage(const QString& text);

  SetStations setStations_;
};
