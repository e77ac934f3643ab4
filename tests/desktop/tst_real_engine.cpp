// Conversions end to end through the real engine library, bound at run time as the
// program does it. Skipped when libtarvex has not been built.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <cmath>

#include "Module1.h"
#include "desktop_test_support.h"
#include "engine_library.h"
#include "frmNaca.h"
#include "shape_preview.h"

namespace {

// A NACA 0012 section from the trailing edge over the upper surface to the leading edge
// and back: 61 points, cosine-spaced.
QByteArray naca0012Text() {
  QByteArray text = "NACA 0012\n";
  const int perSide = 30;
  for (int i = -perSide; i <= perSide; ++i) {
    const double x = 0.5 * (1 - std::cos(M_PI * std::abs(i) / perSide));
    const double t = 0.6 * (0.2969 * std::sqrt(x) - 0.126 * x - 0.3516 * x * x +
                            0.2843 * x * x * x - 0.1036 * x * x * x * x);
    text +=
        QByteArray::number(x, 'f', 6) + "  " + QByteArray::number(i < 0 ? t : -t, 'f', 6) + "\n";
  }
  return text;
}

QList<QByteArray> dataLines(const QByteArray& text) {
  QList<QByteArray> lines;
  for (const QByteArray& line : text.split('\n')) {
    if (!line.trimmed().isEmpty()) lines << line;
  }
  return lines;
}

}  // namespace

class RealEngineTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestSettings> settings_;
  std::unique_ptr<QTemporaryDir> work_;
  QString startDirectory_;

  std::unique_ptr<LoadedWindow> open() {
    return loadWindow(QStringLiteral(TARVEX_ENGINE_PATH), work_->path());
  }

 private slots:
  void initTestCase() {
    if (!QFile::exists(QStringLiteral(TARVEX_ENGINE_PATH))) {
      QSKIP("libtarvex has not been built");
    }
    settings_ = std::make_unique<TestSettings>();
    startDirectory_ = QDir::currentPath();
  }

  void init() {
    settings_->clear();
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    work_ = std::make_unique<QTemporaryDir>();
    writeFile(work_->path(), QStringLiteral("naca0012.dat"), naca0012Text());
  }

  void cleanup() { QDir::setCurrent(startDirectory_); }

  // Test programs live in the build's bin folder beside libtarvex and the
  // console program "tarvex", as the installed alvane does.
  void findsTheEngineBesideTheProgram() {
    EngineLibrary library;
    QVERIFY2(library.setStationsEntry() != nullptr, qPrintable(library.errorString()));
    QVERIFY(library.convertEntry() != nullptr);
  }

  void convertsIntoAFile() {
    auto loaded = open();
    QVERIFY(loaded->engineFailures.isEmpty());
    frmMain& window = *loaded->window;
    window.txtInputFilename->setText(QStringLiteral("naca0012.dat"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca0012.geo"));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (61 points have been converted)."));
    QCOMPARE(window.coordUpperIndex(), 61);
    QCOMPARE(window.CoordX().front(), 1.0f);
    QCOMPARE(*std::min_element(window.CoordX().begin(), window.CoordX().end()), 0.0f);

    const QList<QByteArray> lines =
        dataLines(readFile(QDir(work_->path()).filePath(QStringLiteral("naca0012.geo"))));
    // The column heading, then one line per point.
    QCOMPARE(lines.size(), 62);
    QCOMPARE(lines.first(), QByteArray(";            X         Y"));
    QCOMPARE(lines[1].simplified(), QByteArray("1.00000000 0.00000000"));
  }

  // The Modify steps reach a classic format too, through the second entry; a field that
  // is no number is refused before anything is written.
  void modificationsReachEveryFormat() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    ModifySettings steps;
    steps.on[ModifySettings::teGap] = true;
    steps.fields[ModifySettings::teGap][0] = QStringLiteral("0.01");
    steps.on[ModifySettings::repanel] = true;
    steps.fields[ModifySettings::repanel][0] = QStringLiteral("120");
    window.setModifications(steps);
    QVERIFY(window.modificationShown());
    window.txtInputFilename->setText(QStringLiteral("naca0012.dat"));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (120 points have been converted)."));
    QVERIFY(std::fabs(window.CoordY().front() - window.CoordY().back() - 0.01f) < 1e-5f);
    steps.fields[ModifySettings::teGap][0] = QStringLiteral("thin");
    window.setModifications(steps);
    window.btnConvert_Click();
    QVERIFY2(window.statusText().contains(QStringLiteral("'thin' is not a number.")),
             qPrintable(window.statusText()));
    // A made section's preview follows the steps at once.
    window.setModifications({});
    window.btnNaca->click();
    window.nacaDialog()->btnOK->click();
    QTRY_VERIFY(!window.nacaDialog());
    QCOMPARE(window.coordUpperIndex(), 161);
    steps.fields[ModifySettings::teGap][0] = QStringLiteral("0.02");
    window.setModifications(steps);
    QCOMPARE(window.coordUpperIndex(), 120);
  }

  void commentsAndAppendReachTheFile() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.chkDetails->setChecked(true);
    window.txtInputFilename->setText(QStringLiteral("naca0012.dat"));
    window.btnConvert_Click();
    const QString output = QDir(work_->path()).filePath(QStringLiteral("naca0012.geo"));
    const QList<QByteArray> once = dataLines(readFile(output));
    QVERIFY(once.size() > 62);
    QVERIFY(once.first().startsWith(';'));
    window.chkAppend->setChecked(true);
    window.btnConvert_Click();
    QCOMPARE(dataLines(readFile(output)).size(), 2 * once.size());
  }

  void redistributesOntoTheStoredStations() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0/0.25/0.5/1"));
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.chkRedistStandard->setChecked(true);
    window.txtInputFilename->setText(QStringLiteral("naca0012.dat"));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (7 points have been converted)."));
  }

  void clipboardInAndOut() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.chkInClip->setChecked(true);
    window.chkOutClip->setChecked(true);
    window.Option1[2]->click();
    QGuiApplication::clipboard()->setText(QString::fromLatin1(naca0012Text()));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (61 points have been converted)."));
    // Three columns: the heading, then one row per station from trailing to leading edge.
    const QList<QByteArray> rows = dataLines(QGuiApplication::clipboard()->text().toLatin1());
    QCOMPARE(rows.size(), 32);
    QCOMPARE(rows[1].simplified().split(' ').size(), 3);
    QVERIFY(!QFile::exists(QDir(work_->path()).filePath(QStringLiteral("alvane.I.tmp"))));
    QVERIFY(!QFile::exists(QDir(work_->path()).filePath(QStringLiteral("alvane.O.tmp"))));
  }

  void drawsTheSectionAtTrueSizeAndShowsItsFigures() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    QVERIFY(window.drawingFormatsOffered());
    window.txtInputFilename->setText(QStringLiteral("naca0012.dat"));
    window.OptionDrawing[0]->click();
    window.txtChord->setText(QStringLiteral("250"));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (61 points have been converted)."));
    const QByteArray svg = readFile(QDir(work_->path()).filePath(QStringLiteral("naca0012.svg")));
    QVERIFY2(svg.contains("width=\"260.0000mm\""), svg.left(300).constData());
    QVERIFY2(window.picShape->toolTip().contains(
                 QStringLiteral("Maximum thickness 12.00 % at x = 29.7 %")),
             qPrintable(window.picShape->toolTip()));
    // A skin thicker than half the section leaves no rib.
    window.txtSkin->setText(QStringLiteral("20"));
    window.btnConvert_Click();
    QVERIFY2(window.statusText().startsWith(QStringLiteral(
                 "Error: The drawing and mesh options do not fit this section: no rib")),
             qPrintable(window.statusText()));
  }

  // The entry makes the section, the preview shows it and it converts like a file, into
  // the shown folder; a designation the engine does not know keeps the dialog open with
  // the reason, and a picked file is the input again.
  void makesANacaSectionThatConvertsLikeAFile() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    QVERIFY(window.btnNaca->isVisibleTo(&window));
    window.btnNaca->click();
    frmNaca* dialog = window.nacaDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->spnPoints->value(), 161);
    dialog->txtDesignation->setText(QStringLiteral("2412x"));
    dialog->btnOK->click();
    QVERIFY(dialog->isVisible());
    QVERIFY2(dialog->lblMessage->text().startsWith(QStringLiteral(
                 "The NACA section cannot be made: \"2412x\" is no NACA designation")),
             qPrintable(dialog->lblMessage->text()));
    QCOMPARE(window.coordUpperIndex(), 0);

    dialog->txtDesignation->setText(QStringLiteral("2412"));
    dialog->btnOK->click();
    QTRY_VERIFY(!window.nacaDialog());
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("NACA 2412"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca2412.geo"));
    QCOMPARE(window.coordUpperIndex(), 161);
    QVERIFY(window.picShape->toolTip().contains(QStringLiteral("Maximum camber 2.00 %")));
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (161 points have been converted)."));
    const QString output = QDir(work_->path()).filePath(QStringLiteral("naca2412.geo"));
    QCOMPARE(dataLines(readFile(output)).size(), 162);
    QCOMPARE(QDir(work_->path()).entryList(QDir::Files).size(), 2);

    window.btnNaca->click();
    window.nacaDialog()->txtDesignation->setText(QStringLiteral("0009"));
    window.nacaDialog()->spnPoints->setValue(40);
    window.nacaDialog()->btnOK->click();
    window.OptionDrawing[3]->click();  // Selig
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca0009.dat"));
    window.chkOutClip->setChecked(true);
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (41 points have been converted)."));
    const QList<QByteArray> selig = dataLines(QGuiApplication::clipboard()->text().toLatin1());
    QCOMPARE(selig.size(), 42);
    QCOMPARE(selig.first(), QByteArray("NACA 0009"));
    window.chkOutClip->setChecked(false);

    window.FileList->setCurrentItem(
        window.FileList->findItems(QStringLiteral("naca0012.dat"), Qt::MatchExactly).value(0));
    QCOMPARE(window.madeSectionName(), QString());
    window.Option1[0]->click();
    window.btnConvert_Click();
    QCOMPARE(window.statusText(), QStringLiteral("Ready (61 points have been converted)."));
  }

  void unreadableInputIsReported() {
    writeFile(work_->path(), QStringLiteral("words.txt"), "just some words\nand more words\n");
    auto loaded = open();
    loaded->window->txtInputFilename->setText(QStringLiteral("words.txt"));
    loaded->window->btnConvert_Click();
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Error: Too many points in input file (can read up to 500 points), "
                            "or wrong format."));
    QCOMPARE(loaded->window->coordUpperIndex(), 0);
  }
};

QTEST_MAIN(RealEngineTest)
#include "tst_real_engine.moc"
