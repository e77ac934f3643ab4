// The modal dialog for the x and y distortion factors of the conversion.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmDistort : public QDialog {
  Q_OBJECT

 public:
  explicit frmDistort(QWidget* owner = nullptr);

  // Both factors written with four decimals.
  void setScales(float xScale, float yScale);

  void btnOK_Click();
  void btnReset_Click();

  QLabel* lblXScale = nullptr;
  QLabel* lblYScale = nullptr;
  QLineEdit* txtXScale = nullptr;
  QLineEdit* txtYScale = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnReset = nullptr;
  // Why OK did not take the factors; hidden until then.
  QLabel* lblMessage = nullptr;
};

// A factor as the dialog shows it: "0.0000" pattern, "." as the decimal mark.
QString formatScale(float scale);
