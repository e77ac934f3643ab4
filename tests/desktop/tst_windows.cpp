// The windows around the main window: stations and distortion dialogs, preview and zoom,
// language switching, about box and help, each driven through the main window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>
#include <functional>

#include "Module1.h"
#include "click_label.h"
#include "conversion_rules.h"
#include "desktop_test_support.h"
#include "frmAbout.h"
#include "frmDistort.h"
#include "frmStations.h"
#include "frmZoom.h"
#include "help_viewer.h"
#include "shape_preview.h"
#include "station_list.h"

namespace {

// Runs `action` on the distortion dialog once its modal loop is running.
void whenDistortShows(std::function<void(frmDistort&)> action) {
  auto attempt = std::make_shared<std::function<void(int)>>();
  *attempt = [action, attempt](int triesLeft) {
    if (auto* dialog = qobject_cast<frmDistort*>(QApplication::activeModalWidget())) {
      action(*dialog);
    } else if (triesLeft > 0) {
      QTimer::singleShot(10, [attempt, triesLeft] { (*attempt)(triesLeft - 1); });
    }
  };
  QTimer::singleShot(0, [attempt] { (*attempt)(500); });
}

// Every language-dependent caption of the main window, in a fixed order.
QStringList mainCaptions(const frmMain& window) {
  QStringList captions{window.windowTitle(),
                       window.Label1->text(),
                       window.Label2->text(),
                       window.Label3->text(),
                       window.Label4->text(),
                       window.btnQuestion->text(),
                       window.btnHelp->text(),
                       window.btnStandard->text(),
                       window.Frame1->title(),
                       window.btnConvert->text(),
                       window.chkRedistStandard->text(),
                       window.chkAppend->text(),
                       window.chkDetails->text(),
                       window.chkNoNormalize->text(),
                       window.btnDistort->text()};
  for (QRadioButton* option : window.Option1) captions << option->text();
  return captions;
}

// Columns of an image that hold anything but white, as fractions of its width.
std::pair<double, double> drawnColumns(const QImage& image) {
  int first = image.width(), last = -1;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixelColor(x, y).lightness() < 128) {
        first = std::min(first, x);
        last = std::max(last, x);
        break;
      }
    }
  }
  return {double(first) / image.width(), double(last + 1) / image.width()};
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestSettings> settings_;
  std::unique_ptr<FakeEngine> fake_;
  std::unique_ptr<QTemporaryDir> work_;
  QString startDirectory_;

  std::unique_ptr<LoadedWindow> open() { return loadWindow(fake_->path(), work_->path()); }

  void convert(frmMain& window) {
    window.txtInputFilename->setText(QStringLiteral("in.dat"));
    window.btnConvert_Click();
  }

  frmStations& openStations(frmMain& window) {
    window.btnStandard_Click();
    frmStations* dialog = window.stationsDialog();
    if (!dialog) qFatal("no stations dialog");
    return *dialog;
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
    work_ = std::make_unique<QTemporaryDir>();
    writeFile(work_->path(), QStringLiteral("in.dat"), "1 0\n0 0\n1 0\n");
  }

  void cleanup() { QDir::setCurrent(startDirectory_); }

  // --- stations dialog -------------------------------------------------------------------

  void stationsDialogShowsTheDefaultList() {
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.parentWidget(), loaded->window.get());
    QCOMPARE(dialog.txtStations->toPlainText(), stationFieldText(defaultStationText()));
    QCOMPARE(dialog.txtStations->toPlainText().count(u'\n'), 18);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Standard x-Stationen"));
    QCOMPARE(dialog.btnSave->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog.btnReset->text(), QStringLiteral("&Zurücksetzen"));
    QCOMPARE(dialog.btnCancel->text(), QStringLiteral("&Abbrechen"));
  }

  void stationsOkHandsOverAndStores_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<std::vector<float>>("stations");
    QTest::addColumn<QString>("stored");
    QTest::newRow("0, empty line, 1") << "0\n\n1\n" << std::vector<float>{0.0f, 1.0f} << "0/1";
    QTest::newRow("blanks kept") << " 0.5 \n1" << std::vector<float>{0.5f, 1.0f} << " 0.5 /1";
    QTest::newRow("per cent") << "0\n50\n100" << std::vector<float>{0.0f, 50.0f, 100.0f}
                              << "0/50/100";
    QTest::newRow("decimal comma")
        << "0\n0,1\n1" << std::vector<float>{0.0f, 0.1f, 1.0f} << "0/0,1/1";
  }

  void stationsOkHandsOverAndStores() {
    QFETCH(QString, field);
    QFETCH(std::vector<float>, stations);
    QFETCH(QString, stored);
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    dialog.txtStations->setPlainText(field);
    dialog.btnSave->click();
    QCOMPARE(fake_->lastStations().calls, 2);
    QCOMPARE(fake_->stations(), stations);
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), stored);
    QTRY_VERIFY(!loaded->window->stationsDialog());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void storedEmptyPieceShowsAnEmptyLine() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0//1"));
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    QCOMPARE(dialog.txtStations->toPlainText(), QStringLiteral("0\n\n1\n"));
    dialog.btnSave_Click();
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), QStringLiteral("0/1"));
  }

  void refusedOrEmptyListIsNotStored() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0/1"));
    settings_->set(QStringLiteral("Language"), QStringLiteral("2"));
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    QStringList many;
    for (int i = 0; i <= 1000; ++i) many << QString::number(i / 1000.0);
    // Each is named in the dialog, which stays open; the unreadable line never reaches
    // the engine.
    const std::vector<std::pair<QString, QString>> refused{
        {"0\n\n0.5x\n1", "Line 3: '0.5x' is not a number."},
        {many.join(u'\n'), "Too many stations: at most 1000 are possible."},
        {"0\n0.5\n0.25", "The stations must be numbers in strictly increasing order."}};
    for (const auto& [field, message] : refused) {
      dialog.txtStations->setPlainText(field);
      dialog.btnSave_Click();
      QCOMPARE(dialog.lblMessage->text(), message);
      QVERIFY(dialog.isVisible());
    }
    QCOMPARE(fake_->lastStations().calls, 3);
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), QStringLiteral("0/1"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    dialog.txtStations->setPlainText(QStringLiteral("\n\n"));
    dialog.btnSave_Click();
    QCOMPARE(fake_->lastStations().calls, 3);
    QTRY_VERIFY(!loaded->window->stationsDialog());
  }

  void resetThenCancelKeepsTheStoredList() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0/0.5/1"));
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    QCOMPARE(dialog.txtStations->toPlainText(), QStringLiteral("0\n0.5\n1\n"));
    dialog.btnReset->click();
    QCOMPARE(dialog.txtStations->toPlainText(), stationFieldText(defaultStationText()));
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), QStringLiteral("0/0.5/1"));
    dialog.btnCancel->click();
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), QStringLiteral("0/0.5/1"));
    QCOMPARE(fake_->lastStations().calls, 1);
    QTRY_VERIFY(!loaded->window->stationsDialog());
  }

  void resetThenOkStoresTheDefaultList() {
    settings_->set(QStringLiteral("Standard.Stations"), QStringLiteral("0/0.5/1"));
    auto loaded = open();
    frmStations& dialog = openStations(*loaded->window);
    dialog.btnReset_Click();
    dialog.btnSave_Click();
    QCOMPARE(settings_->value(QStringLiteral("Standard.Stations")), defaultStationText());
    QCOMPARE(fake_->stations().size(), std::size_t(18));
  }

  // --- distortion dialog -----------------------------------------------------------------

  void distortionShowsFourDecimalsAndKeepsItOnOk() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    QVERIFY(!window.distortionShown());
    window.XScale = 1.5f;
    QStringList seen;
    whenDistortShows([&seen](frmDistort& dialog) {
      seen << dialog.windowTitle() << dialog.txtXScale->text() << dialog.txtYScale->text()
           << dialog.btnReset->text() << dialog.lblXScale->text() << dialog.lblYScale->text()
           << dialog.btnOK->text();
      dialog.btnOK->click();
    });
    window.btnDistort_Click();
    QCOMPARE(seen, (QStringList{"Airfoil Distorsion", "1.5000", "1.0000", "&Zurücksetzen",
                                "Verzerrung in x-Richtung", "Verzerrung in y-Richtung", "&OK"}));
    QCOMPARE(window.XScale, 1.5f);
    QCOMPARE(window.YScale, 1.0f);
    QVERIFY(window.distortionShown());
  }

  void distortionResetWritesThreeDecimals() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.XScale = 2.0f;
    window.YScale = 0.5f;
    QStringList seen;
    whenDistortShows([&seen](frmDistort& dialog) {
      dialog.btnReset->click();
      seen << dialog.txtXScale->text() << dialog.txtYScale->text();
      dialog.btnOK_Click();
    });
    window.btnDistort_Click();
    QCOMPARE(seen, (QStringList{"1.000", "1.000"}));
    QCOMPARE(window.XScale, 1.0f);
    QCOMPARE(window.YScale, 1.0f);
    QVERIFY(!window.distortionShown());
  }

  void distortionClosedByItsFrameGivesOne() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.XScale = 3.0f;
    whenDistortShows([](frmDistort& dialog) {
      dialog.txtXScale->setText(QStringLiteral("4"));
      dialog.close();
    });
    window.btnDistort_Click();
    QCOMPARE(window.XScale, 1.0f);
    QCOMPARE(window.YScale, 1.0f);
    QVERIFY(!window.distortionShown());
  }

  void distortionTakesADecimalCommaAndRefusesTheUnreadable() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    QStringList seen;
    whenDistortShows([&seen](frmDistort& dialog) {
      dialog.txtXScale->setText(QStringLiteral("2,5"));
      dialog.txtYScale->setText(QStringLiteral("2;5"));
      dialog.btnOK->click();
      // Still open, saying why.
      seen << dialog.lblMessage->text() << QString::number(dialog.isVisible());
      dialog.txtYScale->setText(QStringLiteral(" 0,5 "));
      dialog.btnOK->click();
    });
    window.btnDistort_Click();
    QCOMPARE(seen, (QStringList{"'2;5' ist keine Zahl.", "1"}));
    QCOMPARE(window.XScale, 2.5f);
    QCOMPARE(window.YScale, 0.5f);
  }

  void shrinkingShowsTheIndicator() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    whenDistortShows([](frmDistort& dialog) {
      dialog.txtYScale->setText(QStringLiteral(" 0.8 "));
      dialog.btnOK->click();
    });
    window.btnDistort_Click();
    QCOMPARE(window.YScale, 0.8f);
    QVERIFY(window.distortionShown());
    convert(window);
    QCOMPARE(fake_->lastConvert().yFactor, 0.8f);
  }

  // --- preview and zoom ------------------------------------------------------------------

  void previewIsTrueToScale() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    convert(window);
    const QSizeF mm = window.picShape->sizeMm();
    QCOMPARE(mm.width(),
             window.picShape->contentsRect().width() * 25.4 / window.picShape->logicalDpiX());
    RecordingSurface surface;
    window.picShape->paintShape(surface);
    QCOMPARE(surface.lines.size(), std::size_t(5));
    QCOMPARE(surface.lines.front().second, QPointF(mm.width() - 2, mm.height() / 2));
    QCOMPARE(surface.lines[2].second, QPointF(2, mm.height() / 2));

    const auto [left, right] = drawnColumns(window.picShape->grab().toImage());
    const double pixelsPerMm = window.picShape->width() / (mm.width() + 0.0);
    QVERIFY2(left * window.picShape->width() < 3 * pixelsPerMm + 4,
             qPrintable(QString::number(left)));
    QVERIFY2(right > 0.95, qPrintable(QString::number(right)));
  }

  void zoomOpensOverThePreview() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.picShape_Click();
    QVERIFY(!window.zoomWindow());

    convert(window);
    emit window.picShape->clicked();
    frmZoom* zoom = window.zoomWindow();
    QVERIFY(zoom);
    QVERIFY(zoom->isVisible());
    QVERIFY(!zoom->parentWidget());
    QCOMPARE(zoom->windowTitle(), QStringLiteral("Zoom"));
    QCOMPARE(zoom->geometry(),
             QRect(window.picShape->mapToGlobal(QPoint(0, 0)), window.picShape->size()));

    RecordingSurface surface;
    zoom->Form_Paint(surface);
    QCOMPARE(surface.clears, 1);
    QCOMPARE(surface.left, -0.05);
    QCOMPARE(surface.right, 1.0525);
    QCOMPARE(surface.circles.size(), std::size_t(4));
    // Markers of a few pixels leave the outline visible.
    const double pixels = surface.circles.front().radius * surface.size.width() / 1.1025;
    QVERIFY2(pixels >= 1.5 && pixels <= 4, qPrintable(QString::number(pixels)));
  }

  void zoomStretchesToEverySize() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.show();
    convert(window);
    window.picShape_Click();
    frmZoom* zoom = window.zoomWindow();
    for (const QSize size : {QSize(600, 200), QSize(200, 300)}) {
      zoom->resize(size);
      const auto [left, right] = drawnColumns(zoom->grab().toImage());
      // The section spans 0..1 of the -0.05..1.0525 range.
      QVERIFY2(std::abs(left - 0.05 / 1.1025) < 0.02, qPrintable(QString::number(left)));
      QVERIFY2(std::abs(right - 1.05 / 1.1025) < 0.02, qPrintable(QString::number(right)));
    }
  }

  void failedConversionEmptiesTheZoomOnly() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.show();
    convert(window);
    window.picShape_Click();
    fake_->answer(5);
    convert(window);
    RecordingSurface surface;
    window.zoomWindow()->Form_Paint(surface);
    QCOMPARE(surface.clears, 1);
    QVERIFY(surface.lines.empty());
    // The preview keeps the last successful drawing.
    RecordingSurface preview;
    window.picShape->paintShape(preview);
    QCOMPARE(preview.lines.size(), std::size_t(5));
  }

  void zoomClosesOnButtonReleaseAndAtUnload() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    window.show();
    convert(window);
    window.picShape_Click();
    QVERIFY(QTest::qWaitForWindowExposed(window.zoomWindow()));
    QTest::mouseRelease(window.zoomWindow(), Qt::RightButton);
    QTRY_VERIFY(!window.zoomWindow());

    window.picShape_Click();
    QVERIFY(window.zoomWindow());
    window.TerminateApp();
    QTRY_VERIFY(!window.zoomWindow());
  }

  // --- language --------------------------------------------------------------------------

  void switchingLanguageAndBackRestoresEveryCaption() {
    auto loaded = open();
    frmMain& window = *loaded->window;
    const QStringList german = mainCaptions(window);
    QCOMPARE(german[0], QStringLiteral("Alvane - Koordinaten-Konverter"));
    QCOMPARE(window.Option1[15]->text(), QStringLiteral("x/l   d/l   f/l      Nase > Hinterkante"));
    window.cbFileType->setCurrentIndex(5);

    window.cbLanguage->setCurrentIndex(1);
    QCOMPARE(CurrentLanguage, 2);
    const QStringList english = mainCaptions(window);
    QCOMPARE(english[0], QStringLiteral("Alvane - Coordinate Converter"));
    QCOMPARE(window.Option1[0]->text(), QStringLiteral("2 columns: TE > upper > LE > lower > TE"));
    for (int i = 0; i < static_cast<int>(german.size()); ++i) {
      const int option = i - static_cast<int>(german.size() - kOptionCount);
      const bool fixed = option >= 4 && option != 15;
      QCOMPARE(english[i] == german[i], fixed);
      if (fixed) QCOMPARE(english[i], initialOptionCaption(option));
    }
    // The filter list is refilled in the new language and keeps its entry.
    QCOMPARE(window.cbFileType->count(), 6);
    QCOMPARE(window.cbFileType->currentIndex(), 5);
    QCOMPARE(window.cbFileType->currentText(), QStringLiteral("Wiechers Coordinate Files (*.koo)"));
    QCOMPARE(window.cbFileType->itemText(3), QStringLiteral("Coordinate Exchange Files (*.cef)"));
    QCOMPARE(window.fileListPattern(), QStringLiteral("*.koo"));

    window.cbFileType->setCurrentIndex(0);
    window.cbLanguage->setCurrentIndex(0);
    QCOMPARE(mainCaptions(window), german);
    QCOMPARE(window.cbFileType->currentText(),
             QStringLiteral("Koordinatendateien (") + coordinateFilePatterns() + u')');
    QCOMPARE(window.cbFileType->itemText(1), QStringLiteral("Alle Dateien (*.*)"));
    QCOMPARE(window.fileListPattern(), coordinateFilePatterns());
  }

  void dialogsTakeTheCurrentLanguage() {
    auto loaded = open();
    loaded->window->cbLanguage->setCurrentIndex(1);
    frmStations& stations = openStations(*loaded->window);
    QCOMPARE(stations.windowTitle(), QStringLiteral("Standard x-Stations"));
    QCOMPARE(
        stations.Label1->text(),
        QStringLiteral("Enter the desired standard x-stations into the text field, one per line."));
    QStringList seen;
    whenDistortShows([&seen](frmDistort& dialog) {
      seen << dialog.btnReset->text() << dialog.lblXScale->text();
      dialog.btnOK->click();
    });
    loaded->window->btnDistort_Click();
    QCOMPARE(seen, (QStringList{"&Reset", "Scale in x-Direction"}));
  }

  // --- about box and help ----------------------------------------------------------------

  void aboutBoxNamesProductAndVersion() {
    for (int language : {1, 2}) {
      settings_->set(QStringLiteral("Language"), QString::number(language));
      auto loaded = open();
      loaded->window->btnQuestion_Click();
      frmAbout* about = loaded->window->aboutBox();
      QVERIFY(about);
      QVERIFY(about->isVisible());
      QVERIFY(!about->parentWidget());
      const QStringList lines = about->Text1->toPlainText().split(u'\n');
      QCOMPARE(lines.size(), 3);
      QCOMPARE(lines[0], QStringLiteral("Alvane - Coordinate Converter"));
      QCOMPARE(lines[1], QStringLiteral("Version 1.2 Rev. 38"));
      QCOMPARE(about->windowTitle(),
               language == 1 ? QStringLiteral("Über Alvane") : QStringLiteral("About Alvane"));
      QCOMPARE(about->Command1->text(),
               language == 1 ? QStringLiteral("&Schließen") : QStringLiteral("&Close"));
      about->Command1->click();
      QTRY_VERIFY(!loaded->window->aboutBox());
    }
  }

  void aboutTextPassesTheFocusOn() {
    auto loaded = open();
    loaded->window->btnQuestion_Click();
    frmAbout* about = loaded->window->aboutBox();
    QApplication::setActiveWindow(about);
    QVERIFY(QTest::qWaitForWindowActive(about));
    about->Text1->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about->Command1));
  }

  void helpOpensContentsAndTheMainWindowTopic() {
    for (int language : {1, 2}) {
      settings_->set(QStringLiteral("Language"), QString::number(language));
      auto loaded = open();
      frmMain& window = *loaded->window;
      QCOMPARE(window.helpContext(), 10000);
      window.btnHelp->click();
      HelpViewer* help = window.helpViewer();
      QVERIFY(help);
      QVERIFY(help->isVisible());
      QCOMPARE(help->currentPage(), QStringLiteral("index.html"));
      QVERIFY(help->browser->toPlainText().contains(
          language == 1 ? QStringLiteral("Eine Konvertierung") : QStringLiteral("A conversion")));

      window.show();
      QApplication::setActiveWindow(&window);
      QVERIFY(QTest::qWaitForWindowActive(&window));
      QTest::keyClick(&window, Qt::Key_F1);
      QCOMPARE(help->currentPage(), QStringLiteral("main.html"));
      const QString page = help->browser->toPlainText();
      QVERIFY(page.contains(language == 1 ? QStringLiteral("Das Hauptfenster")
                                          : QStringLiteral("The main window")));
      // Every output format is explained.
      for (int option = 4; option < kOptionCount; ++option) {
        if (option != 15)
          QVERIFY2(page.contains(initialOptionCaption(option)),
                   qPrintable(initialOptionCaption(option)));
      }
      QCOMPARE(help->windowTitle(), help->browser->documentTitle());
      window.TerminateApp();
      QTRY_VERIFY(!window.helpViewer());
    }
  }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
