#include "frmDistort.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Module1.h"
#include "leading_number.h"

QString formatScale(float scale) { return QString::number(double(scale), 'f', 4); }

frmDistort::frmDistort(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmDistort"));
  setWindowTitle(QStringLiteral("Airfoil Distorsion"));
  setModal(true);

  lblXScale = new QLabel(this);
  lblYScale = new QLabel(this);
  txtXScale = new QLineEdit(QStringLiteral("1.0"), this);
  txtXScale->setObjectName(QStringLiteral("txtXScale"));
  txtYScale = new QLineEdit(QStringLiteral("1.0"), this);
  txtYScale->setObjectName(QStringLiteral("txtYScale"));
  lblXScale->setBuddy(txtXScale);
  lblYScale->setBuddy(txtYScale);
  btnOK = new QPushButton(QStringLiteral("&OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnReset = new QPushButton(this);
  btnReset->setObjectName(QStringLiteral("btnReset"));
  btnReset->setAutoDefault(false);
  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblMessage->hide();

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblXScale, 0, 0);
  layout->addWidget(txtXScale, 0, 1);
  layout->addWidget(lblYScale, 1, 0);
  layout->addWidget(txtYScale, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnReset);
  buttons->addWidget(btnOK);
  layout->addWidget(lblMessage, 2, 0, 1, 2);
  layout->addLayout(buttons, 3, 0, 1, 2);

  connect(btnOK, &QPushButton::clicked, this, &frmDistort::btnOK_Click);
  connect(btnReset, &QPushButton::clicked, this, &frmDistort::btnReset_Click);
}

void frmDistort::setScales(float xScale, float yScale) {
  txtXScale->setText(formatScale(xScale));
  txtYScale->setText(formatScale(yScale));
}

void frmDistort::btnOK_Click() {
  // A factor that is not one number would be taken as its leading digits (2 from "2;5");
  // the dialog stays open until both fields can be read.
  for (QLineEdit* field : {txtXScale, txtYScale}) {
    if (!wholeSingle(field->text())) {
      lblMessage->setText(LoadText(153).arg(field->text()));
      lblMessage->show();
      field->setFocus();
      field->selectAll();
      return;
    }
  }
  accept();
}

void frmDistort::btnReset_Click() {
  txtXScale->setText(QStringLiteral("1.000"));
  txtYScale->setText(QStringLiteral("1.000"));
}
