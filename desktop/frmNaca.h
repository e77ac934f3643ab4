// The dialog that asks for a NACA section by its designation, the number of points and
// the trailing edge; the main window makes the section, and the dialog stays open with the
// reason when it cannot be made.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

struct NacaRequest {
  QString designation = QStringLiteral("2412");
  int points = 161;
  bool closedTrailingEdge = false;
};

class frmNaca : public QDialog {
  Q_OBJECT

 public:
  // make makes the section and returns why it could not, or nothing when it did.
  using Make = std::function<std::optional<QString>(const NacaRequest&)>;

  // The most points offered: the section must fit the window's point arrays, and an even
  // count becomes the next odd one.
  static int mostPoints();

  frmNaca(const NacaRequest& start, Make make, QWidget* owner);

  void SwitchLanguage();
  NacaRequest request() const;
  void btnOK_Click();

  QLabel* lblDesignation = nullptr;
  QLineEdit* txtDesignation = nullptr;
  QLabel* lblExamples = nullptr;
  QLabel* lblPoints = nullptr;
  QSpinBox* spnPoints = nullptr;
  QCheckBox* chkClosedTE = nullptr;
  // Why the section could not be made; hidden until then.
  QLabel* lblMessage = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  Make make_;
};
