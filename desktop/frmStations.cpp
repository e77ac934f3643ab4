#include "frmStations.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Module1.h"
#include "alvane_settings.h"
#include "station_list.h"

frmStations::frmStations(SetStations setStations, QWidget* owner)
    : QDialog(owner), setStations_(std::move(setStations)) {
  setObjectName(QStringLiteral("frmStations"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  Label1 = new QLabel(this);
  Label1->setWordWrap(true);
  txtStations = new QPlainTextEdit(this);
  txtStations->setObjectName(QStringLiteral("txtStations"));
  txtStations->setMinimumSize(220, 300);
  btnSave = new QPushButton(this);
  btnSave->setObjectName(QStringLiteral("btnSave"));
  btnReset = new QPushButton(this);
  btnReset->setObjectName(QStringLiteral("btnReset"));
  btnCancel = new QPushButton(this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  // Return belongs to the text field, which takes one value per line.
  for (QPushButton* button : {btnSave, btnReset, btnCancel}) button->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnReset);
  buttons->addStretch(1);
  buttons->addWidget(btnSave);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(txtStations, 1);
  layout->addLayout(buttons);

  connect(btnSave, &QPushButton::clicked, this, &frmStations::btnSave_Click);
  connect(btnReset, &QPushButton::clicked, this, &frmStations::btnReset_Click);
  connect(btnCancel, &QPushButton::clicked, this, &frmStations::btnCancel_Click);
}

void frmStations::Form_Load() {
  SwitchLanguage();
  txtStations->setPlainText(stationFieldText(AlvaneSettings::stations()));
}

void frmStations::SwitchLanguage() {
  setWindowTitle(LoadText(136));
  btnReset->setText(LoadText(137));
  btnCancel->setText(LoadText(138));
  btnSave->setText(LoadText(139));
  Label1->setText(LoadText(140));
}

void frmStations::btnSave_Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const StationEntry entry = parseStationField(txtStations->toPlainText());
  // A list the engine refuses is not stored; the engine keeps what it had.
  if (!entry.values.empty() && setStations_ && setStations_(entry.values) == 0) {
    AlvaneSettings::storeStations(entry.storedText);
  }
  QApplication::restoreOverrideCursor();
  close();
}

void frmStations::btnReset_Click() {
  // The default list is shown, not stored: it takes effect only through OK.
  SwitchLanguage();
  txtStations->setPlainText(stationFieldText(defaultStationText()));
}

void frmStations::btnCancel_Click() { close(); }
