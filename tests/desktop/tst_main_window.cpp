// The main window driven as a user would, bound to the stand-in engine: start-up and
// settings, the engine call, status messages, output names, clipboard exchange, browsing
// and drag and drop, and a missing engine.
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeView>
#include <QtTest>

#include "Module1.h"
#include "click_label.h"
#include "conversion_rules.h"
#include "desktop_test_support.h"
#include "shape_preview.h"

namespace {

const Qt::DropActions kAllEffects = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

QString clipboardText() { return QGuiApplication::clipboard()->text(); }
void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

std::unique_ptr<QMimeData> filesMime(const QStringList& paths) {
  auto mime = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  mime->setUrls(urls);
  return mime;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestSettings> settings_;
  std::unique_ptr<FakeEngine> fake_;
  std::unique_ptr<QTemporaryDir> work_;
  QString startDirectory_;

  std::unique_ptr<LoadedWindow> open() { return loadWindow(fake_->path(), work_->path()); }
  QString workFile(const QString& name) const { return QDir(work_->path()).filePath(name); }

  // One conversion of `input` (relative to the work folder) with the current options.
  void convert(frmMain& window, const QString& input) {
    window.txtInputFilename->setText(input);
    window.btnConvert_Click();
  }

 private slots:
  void initTestCase() {
    settings_ = std::make_unique<TestSettings>();
    fake_ = std::make_unique<FakeEngine>();
    startDirectory_ = QDir::currentPath();
  }

  void init() {
    settings_->clear();
    fake_->reset();
    CurrentLanguage = 1;
    QGuiApplication::clipboard()->clear();
    work_ = std::make_unique<QTemporaryDir>();
    writeFile(work_->path(), QStringLiteral("in.dat"), "naca\r\n1 0\r\n0 0\r\n1 0\r\n");
  }

  void cleanup() { QDir::setCurrent(startDirectory_); }

  // --- start-up and shutdown -----------------------------------------------------------

  void loadHandsDefaultStationsToEngine() {
    auto loaded = open();
    QVERIFY(loaded->engineFailures.isEmpty());
    QCOMPARE(fake_->lastStations().calls, 1);
    const std::vector<float> stations = fake_->stations();
    QCOMPARE(stations.size(), std::size_t(18));
    QCOMPARE(stations[1], 0.0125f);
    QCOMPARE(stations[17], 1.0f);
    QCOMPARE(loaded->window->XScale, 1.0f);
    QCOMPARE(loaded->window->coordUpperIndex(), 0);
    QCOMPARE(loaded->window->statusText(), QStringLiteral("Ready."));
  }

  void loadSkipsEmptyStationPieces() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0.0/0.5//1.0/"));
    open();
    QCOMPARE(fake_->stations(), (std::vector<float>{0.0f, 0.5f, 1.0f}));

    fake_->reset();
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("//"));
    auto loaded = open();
    QVERIFY(loaded->engineFailures.isEmpty());
    QCOMPARE(fake_->lastStations().calls, 0);
  }

  void storedLanguageIsRestored_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("language");
    QTest::newRow("absent") << QString() << 1;
    QTest::newRow("German") << "1" << 1;
    QTest::newRow("English") << "2" << 2;
    QTest::newRow("1.5 rounds to 2") << "1.5" << 2;
    QTest::newRow("2.5 rounds to even") << "2.5" << 2;
    QTest::newRow("blanks") << " 2 " << 2;
    QTest::newRow("3 starts German") << "3" << 1;
    QTest::newRow("0 starts German") << "0" << 1;
    QTest::newRow("text starts German") << "English" << 1;
  }

  void storedLanguageIsRestored() {
    QFETCH(QString, stored);
    QFETCH(int, language);
    if (!stored.isNull()) settings_->set(QStringLiteral("Language"), stored);
    auto loaded = open();
    QCOMPARE(CurrentLanguage, language);
    QCOMPARE(loaded->window->cbLanguage->currentIndex(), language - 1);
    QCOMPARE(loaded->window->btnConvert->text(),
             language == 2 ? QStringLiteral("&Convert") : QStringLiteral("&Konvertieren"));
    QCOMPARE(loaded->window->cbFileType->currentIndex(), 0);
    QCOMPARE(loaded->window->fileListPattern(), coordinateFilePatterns());
  }

  void languageIsStoredAtUnload() {
    auto loaded = open();
    QVERIFY(!settings_->has(QStringLiteral("Language")));
    loaded->window->cbLanguage->setCurrentIndex(1);
    loaded->window->close();
    QCOMPARE(settings_->value(QStringLiteral("Language")), QStringLiteral("2"));
    loaded->window->cbLanguage->setCurrentIndex(0);
    loaded->window->TerminateApp();
    QCOMPARE(settings_->value(QStringLiteral("Language")), QStringLiteral("1"));
  }

  void windowFitsTheSmallScreen() {
    for (int language : {1, 2}) {
      settings_->set(QStringLiteral("Language"), QString::number(language));
      auto loaded = open();
      loaded->window->show();
      const QSize needed = loaded->window->minimumSizeHint();
      QVERIFY2(needed.width() <= 1000 && needed.height() <= 700,
               qPrintable(QStringLiteral("%1x%2").arg(needed.width()).arg(needed.height())));
      QVERIFY(loaded->window->width() <= 1000 && loaded->window->height() <= 700);

      // The longest message wraps onto a second line rather than being cut off.
      fake_->answer(8);
      convert(*loaded->window, QStringLiteral("in.dat"));
      const auto* status = loaded->window->StatusBar->findChild<QLabel*>();
      const QRect room(0, 0, status->width(), 1000);
      QTRY_VERIFY(
          status->fontMetrics().boundingRect(room, Qt::TextWordWrap, status->text()).height() <=
          status->height());
    }
  }

  // --- the engine call -----------------------------------------------------------------

  void formatNumberFollowsOptionAndComments() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    for (int option = 0; option < kOptionCount; ++option) {
      window.Option1[option]->click();
      for (bool comments : {false, true}) {
        window.chkDetails->setChecked(comments);
        convert(window, QStringLiteral("in.dat"));
        QCOMPARE(fake_->lastConvert().format, comments ? option + 1 : -(option + 1));
      }
    }
  }

  void engineReceivesNamesFlagsAndFactors() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    const QString input = QStringLiteral("prüf.dat");
    writeFile(work_->path(), input, "1 0\n0 0\n1 0\n");
    window.chkAppend->setChecked(true);
    window.chkNoNormalize->setChecked(true);
    window.XScale = 2.0f;
    window.YScale = 0.5f;
    convert(window, input);

    const FakeConvertCall& call = fake_->lastConvert();
    const QByteArray encoded = QFile::encodeName(input);
    QCOMPARE(QByteArray(call.inName), encoded);
    QCOMPARE(call.inLength, encoded.size());
    QCOMPARE(call.inDeclared, encoded.size());
    QCOMPARE(QByteArray(call.outName), QFile::encodeName(QStringLiteral("prüf.geo")));
    QCOMPARE(call.outDeclared, call.outLength);
    QCOMPARE(call.capacity, PointCapacity);
    QCOMPARE(call.append, 1);
    QCOMPARE(call.redistribute, 0);
    QCOMPARE(call.keepSize, 1);
    QCOMPARE(call.xminIn, 0.0f);
    QCOMPARE(call.xmaxIn, 0.0f);
    QCOMPARE(call.xFactor, 2.0f);
    QCOMPARE(call.yFactor, 0.5f);

    window.chkAppend->setChecked(false);
    window.chkRedistStandard->setChecked(true);
    window.chkNoNormalize->setChecked(false);
    convert(window, input);
    QCOMPARE(fake_->lastConvert().append, 0);
    QCOMPARE(fake_->lastConvert().redistribute, 1);
    QCOMPARE(fake_->lastConvert().keepSize, 0);
  }

  void conversionRunsInTheShownDirectory() {
    auto loaded = open();
    QDir::setCurrent(startDirectory_);
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(QDir::currentPath(), QDir(work_->path()).canonicalPath());
    QVERIFY(QFile::exists(workFile(QStringLiteral("in.geo"))));
  }

  void successKeepsThePoints() {
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    auto loaded = open();
    std::vector<float> x(61), y(61);
    for (int i = 0; i < 61; ++i) {
      x[i] = static_cast<float>(std::abs(30 - i)) / 30.0f;
      y[i] = (i < 30 ? 0.05f : -0.03f) * std::sin(x[i] * 3.14159f);
    }
    fake_->answer(0, x, y);
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Ready (61 points have been converted)."));
    QCOMPARE(loaded->window->coordUpperIndex(), 61);
    QCOMPARE(std::vector<float>(loaded->window->CoordX().begin(), loaded->window->CoordX().end()),
             x);
    QVERIFY(loaded->window->btnConvert->isEnabled());

    CurrentLanguage = 1;
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Bereit (61 Punkte wurden konvertiert)."));
  }

  void failureMessagesAndEmptyPoints_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("status");
    for (int language : {1, 2}) {
      for (int status : {2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        QTest::addRow("%s %d", language == 1 ? "de" : "en", status) << language << status;
      }
    }
  }

  void failureMessagesAndEmptyPoints() {
    QFETCH(int, language);
    QFETCH(int, status);
    settings_->set(QStringLiteral("Language"), QString::number(language));
    auto loaded = open();
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->window->coordUpperIndex(), 5);
    fake_->answer(status);
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->window->statusText(),
             conversionMessage(status, {QStringLiteral("in.dat"), QStringLiteral("in.geo")}, 0, 0));
    QCOMPARE(loaded->window->coordUpperIndex(), 0);
    QVERIFY(loaded->window->btnConvert->isEnabled());
    loaded->window->picShape_Click();
    QVERIFY(!loaded->window->zoomWindow());
  }

  void outputIsNeverTheInput() {
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    auto loaded = open();
    frmMain& window = *loaded->window;
    const QString raw = writeFile(work_->path(), QStringLiteral("raw.geo"), "1 0\n");
    QVERIFY(QFile::link(raw, workFile(QStringLiteral("link.dat"))));
    QVERIFY(::link(qPrintable(raw), qPrintable(workFile(QStringLiteral("hard.dat")))) == 0);
    // Format 1 derives raw.geo from raw.geo; a link or another spelling is the same file.
    const std::vector<std::pair<QString, QString>> cases{
        {"raw.geo", "raw.geo"}, {"link.dat", "raw.geo"}, {"hard.dat", "./raw.geo"}};
    for (const auto& [input, output] : cases) {
      window.txtInputFilename->setText(input);
      window.txtOutputFilename->setText(output);
      window.btnConvert_Click();
      QCOMPARE(fake_->lastConvert().calls, 0);
      QCOMPARE(window.statusText(), QStringLiteral("Error: Input file '%1' and output file '%2' "
                                                   "are the same file, nothing was written.")
                                        .arg(input, output));
    }
    QCOMPARE(readFile(raw), QByteArray("1 0\n"));
  }

  void nothingRunsInsideAConversion() {
    auto loaded = open();
    // A language change waits in the queue when Convert is clicked.
    QTimer::singleShot(0, [&loaded] { loaded->window->cbLanguage->setCurrentIndex(1); });
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->window->statusText(), QStringLiteral("Bereit (5 Punkte wurden konvertiert)."));
    QVERIFY(loaded->window->centralWidget()->isEnabled());
    QTRY_COMPARE(CurrentLanguage, 2);
  }

  void emptyInputNameIsHandedOver() {
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    auto loaded = open();
    convert(*loaded->window, QString());
    QCOMPARE(fake_->lastConvert().inLength, 0);
    QCOMPARE(loaded->window->statusText(), QStringLiteral("Error: Input file '' not found."));
  }

  void missingConvertEntryIsReported() {
    auto loaded = loadWindow(QStringLiteral(FAKE_ENGINE_NOCONVERT_PATH), work_->path());
    QVERIFY(loaded->engineFailures.isEmpty());
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(loaded->engineFailures.size(), 1);
    QVERIFY2(loaded->engineFailures.first().contains(QStringLiteral("INORM")),
             qPrintable(loaded->engineFailures.first()));
    QCOMPARE(loaded->window->coordUpperIndex(), 0);
  }

  void missingEngineEndsTheProgram() {
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("ALVANE_ENGINE"),
                       QStringLiteral("/nonexistent/libtarvex.so"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ALVANE_PROGRAM), {});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY(program.exitCode() != 0);
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("Cannot load library /nonexistent/libtarvex.so")),
             qPrintable(error));
  }

  // --- the drawing and mesh formats ----------------------------------------------------

  void drawingFormatsGoThroughTheSecondEntry() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    QVERIFY(window.drawingFormatsOffered());
    QVERIFY(window.OptionDrawing[0]->isVisibleTo(&window));
    QVERIFY(!window.fraDrawing->isEnabled());
    QCOMPARE(window.OptionDrawing[0]->text(), QStringLiteral("SVG-Zeichnung in wahrer Größe (mm)"));
    window.txtInputFilename->setText(QStringLiteral("in.dat"));
    window.OptionDrawing[0]->click();
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("in.svg"));
    // SVG uses the chord, the skin and the marks, not the far field or splines.
    QVERIFY(window.txtSkin->isEnabled() && window.chkLabel->isEnabled());
    QVERIFY(!window.txtFarfield->isEnabled() && !window.chkSpline->isEnabled());
    window.txtChord->setText(QStringLiteral("250"));
    window.txtSkin->setText(QStringLiteral("1,5"));
    window.chkLabel->setChecked(true);
    window.chkSpline->setChecked(true);
    window.chkDetails->setChecked(true);
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(window.statusText(), QStringLiteral("Bereit (5 Punkte wurden konvertiert)."));
    QCOMPARE(fake_->lastConvert().calls, 0);
    const FakeAnyFormatCall& call = *fake_->lastAnyFormat();
    QCOMPARE(call.calls, 1);
    QCOMPARE(call.format, 18);
    QVERIFY(call.hasOutput && call.hasOptions);
    QVERIFY(QString::fromLocal8Bit(call.outName).endsWith(QStringLiteral("in.svg")));
    QCOMPARE(call.options.size, static_cast<int32_t>(sizeof(TarvexOptions)));
    QCOMPARE(call.options.comments, 1);
    QCOMPARE(call.options.chordMm, 250.0f);
    QCOMPARE(call.options.skinMm, 1.5f);
    QCOMPARE(call.options.label, 1);
    QCOMPARE(call.options.spline, 0);
    QCOMPARE(call.capacity, PointCapacity);
    QVERIFY(
        window.picShape->toolTip().contains(QStringLiteral("Größte Dicke 12,00 % bei x = 30,0 %")));

    // Keeping the input's size leaves the chord to it; Gmsh takes far field and mesh size.
    window.OptionDrawing[1]->click();
    window.chkNoNormalize->setChecked(true);
    QVERIFY(!window.txtChord->isEnabled());
    window.txtFarfield->setText(QStringLiteral("20"));
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(fake_->lastAnyFormat()->format, 19);
    QCOMPARE(fake_->lastAnyFormat()->options.keepSize, 1);
    QCOMPARE(fake_->lastAnyFormat()->options.chordMm, 0.0f);
    QCOMPARE(fake_->lastAnyFormat()->options.farfieldChords, 20.0f);
    QCOMPARE(fake_->lastAnyFormat()->options.spline, 1);

    // A field that holds no number is named, and nothing is converted.
    window.txtMeshSize->setText(QStringLiteral("fein"));
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(window.statusText(), QStringLiteral("Fehler: 'fein' ist keine Zahl."));
    QCOMPARE(fake_->lastAnyFormat()->calls, 2);
    QCOMPARE(window.coordUpperIndex(), 0);
    QCOMPARE(window.picShape->toolTip(), QStringLiteral("Preview Window"));

    // What the engine refuses comes with its reason.
    window.txtMeshSize->setText(QStringLiteral("0.05"));
    fake_->answer(10);
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(window.statusText(),
             QStringLiteral("Fehler: Die Optionen für Zeichnung und Netz passen "
                            "nicht zu diesem Profil: the fake refuses."));
  }

  void classicFormatsShowTheFiguresToo() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(fake_->lastConvert().calls, 1);
    // Asked of the second entry with no output: nothing is written there.
    QCOMPARE(fake_->lastAnyFormat()->calls, 1);
    QVERIFY(!fake_->lastAnyFormat()->hasOutput);
    QCOMPARE(fake_->lastAnyFormat()->format, 1);
    QVERIFY(window.picShape->toolTip().startsWith(QStringLiteral("Preview Window\nProfilwerte")));
    window.cbLanguage->setCurrentIndex(1);
    QVERIFY(window.picShape->toolTip().contains(QStringLiteral("Leading-edge radius 1.58 %")));
  }

  void anEngineWithoutTheSecondEntryOffersTheSeventeen() {
    auto loaded = loadWindow(QStringLiteral(FAKE_ENGINE_CLASSIC_PATH), work_->path());
    frmMain& window = *loaded->window;
    QVERIFY(loaded->engineFailures.isEmpty());
    QVERIFY(!window.drawingFormatsOffered());
    QVERIFY(!window.OptionDrawing[0]->isVisibleTo(&window));
    QVERIFY(!window.fraDrawing->isVisibleTo(&window));
    QVERIFY(!window.btnNaca->isVisibleTo(&window));
    convert(window, QStringLiteral("in.dat"));
    QCOMPARE(window.statusText(), QStringLiteral("Bereit (5 Punkte wurden konvertiert)."));
    QCOMPARE(window.picShape->toolTip(), QStringLiteral("Preview Window"));
  }

  // --- output names --------------------------------------------------------------------

  void outputNameFollowsInputAndFormat() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.txtInputFilename->setText(QStringLiteral("naca.dat"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca.geo"));
    window.Option1[14]->click();
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca.c"));
    window.Option1[15]->click();
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca.txt"));
    window.txtOutputFilename->setText(QStringLiteral("typed.out"));
    window.txtInputFilename->setText(QStringLiteral("naca"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("typed.out"));
    window.txtInputFilename->setText(QStringLiteral(".naca"));
    window.Option1[4]->click();
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("typed.out"));
    window.txtInputFilename->setText(QStringLiteral("old.v2/naca"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("old.epp"));
  }

  // --- clipboard -----------------------------------------------------------------------

  void clipboardOfTenCharactersIsNotWritten() {
    auto loaded = open();
    loaded->window->chkInClip->setChecked(true);
    setClipboard(QStringLiteral("0123456789"));
    loaded->window->btnConvert_Click();
    const QString inName = QString::fromLocal8Bit(fake_->lastConvert().inName);
    QCOMPARE(QFileInfo(inName).fileName(), kInputTempName);
    QVERIFY(!QFile::exists(inName));
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Fehler: Eingabedatei (die Zwischenablage) wurde nicht gefunden."));
  }

  void clipboardOfElevenCharactersIsConverted() {
    auto loaded = open();
    loaded->window->chkInClip->setChecked(true);
    loaded->window->txtOutputFilename->setText(QStringLiteral("clip.geo"));
    setClipboard(QStringLiteral("01234567890"));
    loaded->window->btnConvert_Click();
    QCOMPARE(fake_->lastConvert().format, -1);
    // The stand-in engine copies its input to the output.
    QCOMPARE(readFile(workFile(QStringLiteral("clip.geo"))), QByteArray("01234567890\r\n"));
    QVERIFY(!QFile::exists(workFile(kInputTempName)));
    QCOMPARE(loaded->window->statusText(), QStringLiteral("Bereit (5 Punkte wurden konvertiert)."));
  }

  void failedClipboardConversionLeavesNoFiles() {
    auto loaded = open();
    loaded->window->chkInClip->setChecked(true);
    loaded->window->chkOutClip->setChecked(true);
    setClipboard(QStringLiteral("1 0\n0 0\n1 0\n"));
    fake_->answer(8);
    loaded->window->btnConvert_Click();
    QCOMPARE(fake_->lastConvert().calls, 1);
    QVERIFY(!QFile::exists(QString::fromLocal8Bit(fake_->lastConvert().inName)));
    QVERIFY(!QFile::exists(QString::fromLocal8Bit(fake_->lastConvert().outName)));
    // A file of that name in the shown folder is the user's: never converted in place of
    // the clipboard, and kept.
    writeFile(work_->path(), kInputTempName, "1 0\n0 0\n1 0\n");
    fake_->reset();
    setClipboard(QStringLiteral("short"));
    loaded->window->btnConvert_Click();
    QVERIFY(QFile::exists(workFile(kInputTempName)));
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Fehler: Eingabedatei (die Zwischenablage) wurde nicht gefunden."));
    QCOMPARE(loaded->window->coordUpperIndex(), 0);
  }

  void unwritableClipboardFileIsReported() {
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    auto loaded = open();
    // No folder for the clipboard's files can be made under a file.
    const QByteArray tmpdir = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] { qputenv("TMPDIR", tmpdir); });
    qputenv("TMPDIR", QFile::encodeName(writeFile(work_->path(), QStringLiteral("tmp"), "x")));
    loaded->window->chkInClip->setChecked(true);
    for (const QString& clip : {QStringLiteral("a long enough text"), QStringLiteral("short")}) {
      setClipboard(clip);
      loaded->window->btnConvert_Click();
      QCOMPARE(fake_->lastConvert().calls, 0);
      QCOMPARE(loaded->window->statusText(),
               QStringLiteral("Error: Input file (the clipboard) not writeable."));
      QVERIFY(loaded->window->btnConvert->isEnabled());
    }
    loaded->window->chkInClip->setChecked(false);
    loaded->window->chkOutClip->setChecked(true);
    convert(*loaded->window, QStringLiteral("in.dat"));
    QCOMPARE(fake_->lastConvert().calls, 0);
    QCOMPARE(loaded->window->statusText(),
             QStringLiteral("Error: Output file (the clipboard) not writeable."));
  }

  void outputGoesToTheClipboard() {
    auto loaded = open();
    const QByteArray content = "naca 0012\r\n1 0\r\n0 0\r\n1 0\r\n";
    writeFile(work_->path(), QStringLiteral("in.dat"), content);
    loaded->window->chkOutClip->setChecked(true);
    convert(*loaded->window, QStringLiteral("in.dat"));
    const QString outName = QString::fromLocal8Bit(fake_->lastConvert().outName);
    QCOMPARE(QFileInfo(outName).fileName(), kOutputTempName);
    QCOMPARE(clipboardText(), QString::fromLatin1(content));
    QVERIFY(!QFile::exists(outName));
    QVERIFY(QFile::exists(workFile(QStringLiteral("in.dat"))));
  }

  void clipboardRoundTrip() {
    auto loaded = open();
    loaded->window->chkInClip->setChecked(true);
    loaded->window->chkOutClip->setChecked(true);
    setClipboard(QStringLiteral("Profil Größe\n1 0\n0 0\n1 0"));
    loaded->window->btnConvert_Click();
    QCOMPARE(clipboardText(), QStringLiteral("Profil Größe\n1 0\n0 0\n1 0\r\n"));
    QVERIFY(!QFile::exists(workFile(kInputTempName)));
    QVERIFY(!QFile::exists(workFile(kOutputTempName)));
  }

  void clipboardFilesStayOutOfTheShownFolder() {
    // The user's own files of the exchange's names, one a link to another file of theirs.
    writeFile(work_->path(), kInputTempName, "MINE\n");
    writeFile(work_->path(), QStringLiteral("victim.txt"), "VICTIM\n");
    QVERIFY(QFile::link(QStringLiteral("victim.txt"), workFile(kOutputTempName)));
    auto loaded = open();
    const auto entries = [&] {
      return QDir(work_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    };
    const QStringList before = entries();
    loaded->window->chkInClip->setChecked(true);
    loaded->window->chkOutClip->setChecked(true);
    QList<QFileInfo> used;
    for (const int status : {0, 8}) {
      fake_->answer(status);
      setClipboard(QStringLiteral("1 0\n0 0\n1 0\n"));
      loaded->window->btnConvert_Click();
      used << QFileInfo(QString::fromLocal8Bit(fake_->lastConvert().inName))
           << QFileInfo(QString::fromLocal8Bit(fake_->lastConvert().outName));
      if (status == 0) QCOMPARE(clipboardText(), QStringLiteral("1 0\n0 0\n1 0\n\r\n"));
    }
    QCOMPARE(entries(), before);
    QCOMPARE(readFile(workFile(kInputTempName)), QByteArray("MINE\n"));
    QCOMPARE(readFile(workFile(QStringLiteral("victim.txt"))), QByteArray("VICTIM\n"));
    QVERIFY(QFileInfo(workFile(kOutputTempName)).isSymLink());
    // The exchange's own folder, away from the user's, is gone after each run.
    for (const QFileInfo& file : used) {
      QVERIFY2(file.isAbsolute() && file.path() != work_->path(), qPrintable(file.filePath()));
      QVERIFY2(!file.dir().exists(), qPrintable(file.path()));
    }
    QCOMPARE(used[0].fileName(), kInputTempName);
    QCOMPARE(used[1].fileName(), kOutputTempName);
  }

  void clipboardBoxesGreyTheNameFields() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.txtInputFilename->setText(QStringLiteral("in.dat"));
    window.Label3_Click();
    QVERIFY(window.chkInClip->isChecked());
    QVERIFY(!window.txtInputFilename->isEnabled());
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("in.dat"));
    emit window.Label3->clicked();
    QVERIFY(!window.chkInClip->isChecked());
    QVERIFY(window.txtInputFilename->isEnabled());
    window.chkOutClip->click();
    QVERIFY(!window.txtOutputFilename->isEnabled());
    window.Label4_Click();
    QVERIFY(window.txtOutputFilename->isEnabled());
  }

  // --- browsing and drag and drop -----------------------------------------------------

  void filterListChoosesThePattern() {
    const QString browse = workFile(QStringLiteral("browse"));
    QDir().mkpath(browse);
    for (const char* name : {"a.txt", "b.geo", "c.koo", "d.cef", "noext", "E.KOO"}) {
      writeFile(browse, QString::fromLatin1(name), "1 0\n");
    }
    auto loaded = loadWindow(fake_->path(), browse);
    frmMain& window = *loaded->window;
    QCOMPARE(window.fileListPath(), QDir(browse).absolutePath());
    QCOMPARE(window.fileListEntries(), (QStringList{"a.txt", "b.geo", "c.koo", "d.cef", "E.KOO"}));
    window.cbFileType->setCurrentIndex(1);
    QCOMPARE(window.fileListEntries().size(), 6);
    window.cbFileType->setCurrentIndex(5);
    QCOMPARE(window.fileListPattern(), QStringLiteral("*.koo"));
    QCOMPARE(window.fileListEntries(), (QStringList{"c.koo", "E.KOO"}));
    window.cbFileType->setCurrentIndex(3);
    QCOMPARE(window.fileListEntries(), QStringList{"d.cef"});

    window.FileList->setCurrentRow(0);
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("d.cef"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("d.geo"));
  }

  void treeShowsTheStartFolder() {
    // Many sibling folders put the start folder below the tree's first screenful.
    for (int i = 0; i < 80; ++i) QDir(work_->path()).mkdir(QStringLiteral("f%1").arg(i));
    const QString start = workFile(QStringLiteral("z/deeper"));
    QDir().mkpath(start);
    QDir::setCurrent(start);
    // Shown at once, while the folders are still being listed, and shown after that.
    for (int waitBeforeShow : {0, 300}) {
      auto loaded = loadWindow(fake_->path(), QString());
      QTreeView* tree = loaded->window->Dir1;
      QTest::qWait(waitBeforeShow);
      loaded->window->show();
      const QModelIndex index =
          qobject_cast<QFileSystemModel*>(tree->model())->index(QDir(start).canonicalPath());
      auto shown = [&] {
        return tree->currentIndex() == index &&
               tree->viewport()->rect().contains(tree->visualRect(index));
      };
      QTRY_VERIFY(shown());
      QTest::qWait(200);
      QVERIFY(shown());
    }
  }

  void droppedFileSetsDirectoryAndName() {
    const QString data = workFile(QStringLiteral("data"));
    QDir().mkpath(data);
    const QString naca = writeFile(data, QStringLiteral("naca.dat"), "1 0\n0 0\n1 0\n");
    const QString other = writeFile(work_->path(), QStringLiteral("other.dat"), "1 0\n");
    auto loaded = open();
    frmMain& window = *loaded->window;

    window.Form_OLEDragDrop(*filesMime({naca}), Qt::CopyAction | Qt::MoveAction);
    QCOMPARE(window.txtInputFilename->text(), QString());

    window.Form_OLEDragDrop(*filesMime({naca, other}), kAllEffects);
    QCOMPARE(window.Dir1Path(), QDir(data).absolutePath());
    QCOMPARE(window.fileListPath(), QDir(data).absolutePath());
    QVERIFY(window.FileList->currentItem());
    QCOMPARE(window.FileList->currentItem()->text(), QStringLiteral("naca.dat"));
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("naca.dat"));
    QCOMPARE(window.txtOutputFilename->text(), QStringLiteral("naca.geo"));

    // The same through the window's drop event (straight to the window: without a real
    // drag the application would not route it).
    auto mime = filesMime({other});
    QDropEvent drop(QPointF(10, 10), kAllEffects, mime.get(), Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(window).event(&drop);
    QCOMPARE(window.Dir1Path(), QDir(work_->path()).absolutePath());
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("other.dat"));
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QVERIFY(QFile::exists(other));

    // A name without a directory leaves the tree where it is.
    window.TakeInputFile(QStringLiteral("naca.dat"));
    QCOMPARE(window.Dir1Path(), QDir(work_->path()).absolutePath());
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("naca.dat"));
  }

  void dragOntoTheWindow() {
    const QString data = workFile(QStringLiteral("data"));
    QDir().mkpath(data);
    writeFile(data, QStringLiteral("naca.dat"), "1 0\n");
    auto loaded = open();
    frmMain& window = *loaded->window;
    const auto files = filesMime({data, workFile(QStringLiteral("in.dat"))});
    QDragEnterEvent enter(QPoint(9, 9), kAllEffects, files.get(), Qt::LeftButton, {});
    static_cast<QObject&>(window).event(&enter);
    QVERIFY(enter.isAccepted());

    // A folder dropped first of several becomes the shown one; the names stay.
    window.txtInputFilename->setText(QStringLiteral("in.dat"));
    QDropEvent drop(QPointF(9, 9), kAllEffects, files.get(), Qt::LeftButton, {});
    static_cast<QObject&>(window).event(&drop);
    QCOMPARE(window.Dir1->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
             QDir(data).absolutePath());
    QCOMPARE(window.fileListEntries(), QStringList{"naca.dat"});
    QCOMPARE(window.txtInputFilename->text(), QStringLiteral("in.dat"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
