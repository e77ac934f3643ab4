#include "frmStations.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
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
  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblMessage->hide();
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
  layout->addWidget(lblMessage);
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
  const StationEntry entry = parseStationField(txtStations->toPlainText());
  if (entry.badLine > 0) {
    showMessage(LoadText(154).arg(QString::number(entry.badLine), entry.badText));
    QTextCursor line(txtStations->document()->findBlockByNumber(entry.badLine - 1));
    line.select(QTextCursor::LineUnderCursor);
    txtStations->setTextCursor(line);
    txtStations->setFocus();
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  int result = 0;
  if (!entry.values.empty() && setStations_) {
    result = setStations_(entry.values);
    // A list the engine refuses is not stored; the engine keeps what it had.
    if (result == 0) AlvaneSettings::storeStations(entry.storedText);
  }
  QApplication::restoreOverrideCursor();
  // The dialog stays open so the list can be corrected.
  if (result == 1) {
    showMessage(LoadText(155));
  } else if (result == 2) {
    showMessage(LoadText(156));
  } else {
    close();
  }
}

void frmStations::showMessage(const QString& text) {
  lblMessage->setText(text);
  lblMessage->show();
}

void frmStations::btnReset_Click() {
  // The default list is shown, not stored: it takes effect only through OK.
  SwitchLanguage();
  txtStations->setPlainText(stationFieldText(defaultStationText()));
}

void frmStations::btnCancel_Click() { close(); }
