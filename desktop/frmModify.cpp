#include "frmModify.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Module1.h"
#include "leading_number.h"

namespace {

// The fields each step takes, and the texts of their labels (0: none).
struct StepRow {
  int caption;
  int fieldCount;
  std::array<int, 3> labels;
};
constexpr std::array<StepRow, ModifySettings::stepCount> kRows{{
    {188, 2, {0, 195, 0}},
    {189, 2, {0, 196, 0}},
    {190, 2, {0, 196, 0}},
    {191, 2, {0, 195, 0}},
    {192, 3, {0, 197, 198}},
    {193, 2, {0, 199, 0}},
    {194, 1, {0, 0, 0}},
}};

}  // namespace

bool ModifySettings::any() const {
  for (bool step : on) {
    if (step) return true;
  }
  return false;
}

std::optional<QString> ModifySettings::apply(TarvexOptions& options, QByteArray& blendName) const {
  std::optional<QString> failure;
  // A field left empty where it is optional (the positions) keeps the section's own.
  const auto number = [&](Step step, int field, float& to, int32_t bit) {
    const QString& text = fields[step][static_cast<std::size_t>(field)];
    if (failure || (bit != 0 && text.trimmed().isEmpty())) return;
    const std::optional<float> value = wholeSingle(text);
    if (!value) {
      failure = LoadText(153).arg(text);
      return;
    }
    to = *value;
    options.steps |= bit;
  };
  options.steps = 0;
  if (on[teGap]) {
    options.steps |= TARVEX_STEP_TE_GAP;
    number(teGap, 0, options.teGap, 0);
    number(teGap, 1, options.teBlend, 0);
  }
  if (on[thickness]) {
    number(thickness, 0, options.thickness, TARVEX_STEP_THICKNESS);
    number(thickness, 1, options.thicknessX, TARVEX_STEP_THICKNESS_X);
  }
  if (on[camber]) {
    number(camber, 0, options.camber, TARVEX_STEP_CAMBER);
    number(camber, 1, options.camberX, TARVEX_STEP_CAMBER_X);
  }
  if (on[leRadius]) {
    options.steps |= TARVEX_STEP_LE_RADIUS;
    number(leRadius, 0, options.leRadiusFactor, 0);
    number(leRadius, 1, options.leRadiusBlend, 0);
  }
  if (on[flap]) {
    options.steps |= TARVEX_STEP_FLAP;
    number(flap, 0, options.flapHingeX, 0);
    number(flap, 1, options.flapDegrees, 0);
    number(flap, 2, options.flapHingeY, 0);
  }
  if (on[blend] && !failure) {
    if (fields[blend][0].trimmed().isEmpty()) return LoadText(201);
    blendName = QFile::encodeName(fields[blend][0].trimmed());
    options.blendWith = blendName.constData();
    options.steps |= TARVEX_STEP_BLEND;
    number(blend, 1, options.blendFraction, 0);
  }
  if (on[repanel] && !failure) {
    float points = 0.0f;
    number(repanel, 0, points, 0);
    options.repanelPoints = static_cast<int32_t>(points);
    options.steps |= TARVEX_STEP_REPANEL;
  }
  return failure;
}

frmModify::frmModify(const ModifySettings& start, QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmModify"));
  setModal(true);
  auto* layout = new QGridLayout(this);
  for (std::size_t step = 0; step < kRows.size(); ++step) {
    const auto row = static_cast<int>(step);
    chkStep[step] = new QCheckBox(this);
    chkStep[step]->setObjectName(QStringLiteral("chkStep%1").arg(row));
    chkStep[step]->setChecked(start.on[step]);
    layout->addWidget(chkStep[step], row, 0);
    // The blend's file name takes the room of a field and a label; its fraction moves on.
    const bool blend = step == ModifySettings::blend;
    for (int k = 0; k < kRows[step].fieldCount; ++k) {
      const auto field = static_cast<std::size_t>(k);
      const int column = 2 * k + 1 + (blend && k > 0 ? 2 : 0);
      if (kRows[step].labels[field] != 0) {
        lblField[step][field] = new QLabel(this);
        layout->addWidget(lblField[step][field], row, column - 1);
      }
      QLineEdit* edit = new QLineEdit(start.fields[step][field], this);
      txtField[step][field] = edit;
      edit->setObjectName(QStringLiteral("txtField%1_%2").arg(row).arg(k));
      if (blend && k == 0) {
        edit->setMinimumWidth(220);
        layout->addWidget(edit, row, column, 1, 3);
      } else {
        edit->setFixedWidth(72);
        layout->addWidget(edit, row, column);
      }
      if (lblField[step][field] != nullptr) lblField[step][field]->setBuddy(edit);
    }
  }
  btnBrowse = new QPushButton(this);
  btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
  btnBrowse->setAutoDefault(false);
  layout->addWidget(btnBrowse, ModifySettings::blend, 6);
  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblMessage->hide();
  layout->addWidget(lblMessage, ModifySettings::stepCount, 0, 1, 7);
  btnOK = new QPushButton(this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnReset = new QPushButton(this);
  btnReset->setObjectName(QStringLiteral("btnReset"));
  btnReset->setAutoDefault(false);
  btnCancel = new QPushButton(this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnReset);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons, ModifySettings::stepCount + 1, 0, 1, 7);

  connect(btnOK, &QPushButton::clicked, this, &frmModify::btnOK_Click);
  connect(btnReset, &QPushButton::clicked, this, &frmModify::btnReset_Click);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnBrowse, &QPushButton::clicked, this, &frmModify::btnBrowse_Click);
  SwitchLanguage();
}

void frmModify::SwitchLanguage() {
  setWindowTitle(LoadText(187));
  for (std::size_t step = 0; step < kRows.size(); ++step) {
    chkStep[step]->setText(LoadText(kRows[step].caption));
    for (std::size_t field = 0; field < 3; ++field) {
      if (lblField[step][field] != nullptr) {
        lblField[step][field]->setText(LoadText(kRows[step].labels[field]));
      }
    }
  }
  btnBrowse->setText(LoadText(200));
  btnOK->setText(LoadText(139));
  btnReset->setText(LoadText(144));
  btnCancel->setText(LoadText(138));
}

ModifySettings frmModify::settings() const {
  ModifySettings read;
  for (std::size_t step = 0; step < kRows.size(); ++step) {
    read.on[step] = chkStep[step]->isChecked();
    for (std::size_t field = 0; field < 3; ++field) {
      read.fields[step][field] =
          txtField[step][field] != nullptr ? txtField[step][field]->text() : QString();
    }
  }
  return read;
}

void frmModify::btnOK_Click() {
  // Open until every field of a step that is on can be read.
  TarvexOptions options = TARVEX_OPTIONS_INIT;
  QByteArray blendName;
  if (const auto failure = settings().apply(options, blendName)) {
    lblMessage->setText(*failure);
    lblMessage->show();
    adjustSize();
    return;
  }
  accept();
}

void frmModify::btnReset_Click() {
  const ModifySettings fresh;
  for (std::size_t step = 0; step < kRows.size(); ++step) {
    chkStep[step]->setChecked(false);
    for (std::size_t field = 0; field < 3; ++field) {
      if (txtField[step][field] != nullptr)
        txtField[step][field]->setText(fresh.fields[step][field]);
    }
  }
  lblMessage->hide();
}

void frmModify::btnBrowse_Click() {
  const QString file = QFileDialog::getOpenFileName(this, LoadText(193).remove(u'&'));
  if (file.isEmpty()) return;
  txtField[ModifySettings::blend][0]->setText(file);
  chkStep[ModifySettings::blend]->setChecked(true);
}
