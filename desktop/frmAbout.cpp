#include "frmAbout.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "Module1.h"

QStringList aboutLines() {
  return {QStringLiteral("Alvane - Coordinate Converter"),
          QStringLiteral("Version %1.%2 Rev. %3")
              .arg(ALVANE_VERSION_MAJOR)
              .arg(ALVANE_VERSION_MINOR)
              .arg(ALVANE_VERSION_REVISION),
          QStringLiteral("(c) 2026 Wendlow. Free software.")};
}

frmAbout::frmAbout() : QWidget(nullptr) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);

  Image1 = new QLabel(this);
  Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
  Image1->setAlignment(Qt::AlignTop);
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setReadOnly(true);
  Text1->setFrameStyle(QFrame::NoFrame);
  Text1->viewport()->setAutoFillBackground(false);
  Text1->setFixedSize(320, 70);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->installEventFilter(this);
  Command1 = new QPushButton(this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setDefault(true);

  auto* top = new QHBoxLayout;
  top->addWidget(Image1);
  top->addWidget(Text1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Command1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(bottom);
  setFixedSize(sizeHint());

  connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
}

void frmAbout::Form_Load() {
  SwitchLanguage();
  Text1->setPlainText(aboutLines().join(u'\n'));
}

void frmAbout::SwitchLanguage() {
  setWindowTitle(LoadText(134));
  Command1->setText(LoadText(135));
}

void frmAbout::Command1_Click() { close(); }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  // The text is only to be read; the focus belongs to the close button.
  if (watched == Text1 && event->type() == QEvent::FocusIn) Command1->setFocus();
  return QWidget::eventFilter(watched, event);
}
