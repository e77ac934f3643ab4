#include "help_viewer.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "Module1.h"

namespace {

constexpr int kMainWindowContext = 10000;

}  // namespace

HelpViewer::HelpViewer() : QWidget(nullptr) {
  setObjectName(QStringLiteral("HelpViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser = new QTextBrowser(this);
  browser->setObjectName(QStringLiteral("browser"));
  browser->setOpenExternalLinks(true);
  btnContents = new QPushButton(this);
  btnBack = new QPushButton(this);
  btnBack->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnContents);
  buttons->addWidget(btnBack);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser, 1);
  resize(620, 600);

  connect(btnContents, &QPushButton::clicked, this, [this] { showPage(contentsPage()); });
  connect(btnBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
  connect(browser, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
  connect(browser, &QTextBrowser::sourceChanged, this,
          [this] { setWindowTitle(browser->documentTitle()); });
}

QString HelpViewer::contentsPage() { return QStringLiteral("index.html"); }

QString HelpViewer::pageForContext(int context) {
  return context == kMainWindowContext ? QStringLiteral("main.html") : contentsPage();
}

void HelpViewer::showPage(const QString& page) {
  language_ = CurrentLanguage == 2 ? QStringLiteral("en") : QStringLiteral("de");
  // The two buttons are the viewer's own, so they follow the language of the pages.
  btnContents->setText(language_ == QLatin1String("en") ? QStringLiteral("&Contents")
                                                        : QStringLiteral("&Inhalt"));
  btnBack->setText(language_ == QLatin1String("en") ? QStringLiteral("&Back")
                                                    : QStringLiteral("&Zurück"));
  browser->setSource(QUrl(QStringLiteral("qrc:/help/%1/%2").arg(language_, page)));
}

QString HelpViewer::currentPage() const { return QFileInfo(browser->source().path()).fileName(); }
