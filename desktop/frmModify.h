// The dialog for the shaping steps a conversion applies before anything else: trailing-edge
// gap, thickness and camber, leading-edge radius, flap, blend with a second section and
// panelling by curvature. Each step has a box that turns it on and the fields it takes.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "tarvex.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The steps as the window keeps them: the fields' texts and which steps are on.
struct ModifySettings {
  enum Step { teGap, thickness, camber, leRadius, flap, blend, repanel, stepCount };
  std::array<bool, stepCount> on{};
  // Two fields a step at most (the flap has three; its hinge height is the third).
  std::array<std::array<QString, 3>, stepCount> fields{{
      {QStringLiteral("0.005"), QStringLiteral("0.8"), {}},
      {QStringLiteral("0.12"), {}, {}},
      {QStringLiteral("0.02"), {}, {}},
      {QStringLiteral("1.0"), QStringLiteral("0.2"), {}},
      {QStringLiteral("0.75"), QStringLiteral("10"), QStringLiteral("0.5")},
      {QString(), QStringLiteral("0.5"), QString()},
      {QStringLiteral("160"), {}, {}},
  }};

  bool any() const;
  // The steps written into the options; the blend file's name is kept in blendName, whose
  // bytes the options point to while it lives. Why a field cannot be read, or nothing.
  std::optional<QString> apply(TarvexOptions& options, QByteArray& blendName) const;
};

class frmModify : public QDialog {
  Q_OBJECT

 public:
  frmModify(const ModifySettings& start, QWidget* owner);

  void SwitchLanguage();
  ModifySettings settings() const;
  void btnOK_Click();
  void btnReset_Click();
  void btnBrowse_Click();

  std::array<QCheckBox*, ModifySettings::stepCount> chkStep{};
  std::array<std::array<QLineEdit*, 3>, ModifySettings::stepCount> txtField{};
  std::array<std::array<QLabel*, 3>, ModifySettings::stepCount> lblField{};
  QPushButton* btnBrowse = nullptr;
  QLabel* lblMessage = nullptr;  // why OK did not take the fields; hidden until then
  QPushButton* btnOK = nullptr;
  QPushButton* btnReset = nullptr;
  QPushButton* btnCancel = nullptr;
};
