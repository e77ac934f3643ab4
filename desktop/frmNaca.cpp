#include "frmNaca.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "Module1.h"
#include "conversion_rules.h"

namespace {

// The fewest points the engine makes a section of.
constexpr int kFewestPoints = 5;

}  // namespace

int frmNaca::mostPoints() { return PointCapacity % 2 == 1 ? PointCapacity : PointCapacity - 1; }

frmNaca::frmNaca(const NacaRequest& start, Make make, QWidget* owner)
    : QDialog(owner), make_(std::move(make)) {
  setObjectName(QStringLiteral("frmNaca"));
  setAttribute(Qt::WA_DeleteOnClose);

  lblDesignation = new QLabel(this);
  txtDesignation = new QLineEdit(start.designation, this);
  txtDesignation->setObjectName(QStringLiteral("txtDesignation"));
  txtDesignation->setMinimumWidth(180);
  txtDesignation->selectAll();
  lblDesignation->setBuddy(txtDesignation);
  lblExamples = new QLabel(this);
  lblExamples->setObjectName(QStringLiteral("lblExamples"));
  lblExamples->setEnabled(false);
  lblPoints = new QLabel(this);
  spnPoints = new QSpinBox(this);
  spnPoints->setObjectName(QStringLiteral("spnPoints"));
  spnPoints->setRange(kFewestPoints, mostPoints());
  spnPoints->setValue(start.points);
  lblPoints->setBuddy(spnPoints);
  chkClosedTE = new QCheckBox(this);
  chkClosedTE->setObjectName(QStringLiteral("chkClosedTE"));
  chkClosedTE->setChecked(start.closedTrailingEdge);
  lblMessage = new QLabel(this);
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00000;"));
  lblMessage->setMaximumWidth(420);
  lblMessage->hide();
  btnOK = new QPushButton(this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnCancel = new QPushButton(this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblDesignation, 0, 0);
  layout->addWidget(txtDesignation, 0, 1);
  layout->addWidget(lblExamples, 1, 1);
  layout->addWidget(lblPoints, 2, 0);
  layout->addWidget(spnPoints, 2, 1, Qt::AlignLeft);
  layout->addWidget(chkClosedTE, 3, 1);
  layout->addWidget(lblMessage, 4, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  layout->addLayout(buttons, 5, 0, 1, 2);

  connect(btnOK, &QPushButton::clicked, this, &frmNaca::btnOK_Click);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  SwitchLanguage();
}

void frmNaca::SwitchLanguage() {
  setWindowTitle(LoadText(178));
  lblDesignation->setText(LoadText(179));
  lblExamples->setText(LoadText(182));
  lblPoints->setText(LoadText(180));
  chkClosedTE->setText(LoadText(181));
  btnOK->setText(LoadText(139));
  btnCancel->setText(LoadText(138));
}

NacaRequest frmNaca::request() const {
  return {txtDesignation->text().trimmed(), spnPoints->value(), chkClosedTE->isChecked()};
}

void frmNaca::btnOK_Click() {
  // A number being typed counts as it stands, not as the last one the box took.
  spnPoints->interpretText();
  const std::optional<QString> failure = make_ ? make_(request()) : std::nullopt;
  if (!failure) {
    accept();
    return;
  }
  // Open until the designation is corrected or the dialog cancelled.
  lblMessage->setText(*failure);
  lblMessage->show();
  txtDesignation->setFocus();
  txtDesignation->selectAll();
  adjustSize();
}
