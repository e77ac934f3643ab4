// The window-free rules of the desktop program: text table, leading-number rule, station
// lists, messages, output names and the geometry of the two drawings.
#include <QtTest>
#include <cmath>
#include <limits>

#include "Module1.h"
#include "conversion_rules.h"
#include "desktop_test_support.h"
#include "leading_number.h"
#include "shape_drawing.h"
#include "station_list.h"

namespace {

bool near(double a, double b) { return std::abs(a - b) < 1e-7; }

}  // namespace

class DesktopRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { CurrentLanguage = 1; }

  void textTableHasEveryEntryInBothLanguages() {
    for (int language : {1, 2}) {
      CurrentLanguage = language;
      for (int k = 100; k <= 201; ++k)
        QVERIFY2(!LoadText(k).isEmpty(), qPrintable(QString::number(k)));
      QVERIFY(LoadText(99).isEmpty());
      QVERIFY(LoadText(202).isEmpty());
    }
  }

  void textTableLooksUpByLanguage() {
    CurrentLanguage = 2;
    QCOMPARE(LoadText(113), QStringLiteral("Ready"));
    QCOMPARE(LoadText(147), QStringLiteral("x/c   t/c   f/c          LE > TE"));
    CurrentLanguage = 1;
    QCOMPARE(LoadText(113), QStringLiteral("Bereit"));
    QCOMPARE(LoadText(147), QStringLiteral("x/l   d/l   f/l      Nase > Hinterkante"));
    QCOMPARE(LoadText(108), QStringLiteral("Punkte möglich), oder falsches Format"));
    QCOMPARE(LoadText(140), QStringLiteral("Geben Sie die gewünschten Standard x-Stationen in das "
                                           "Textfeld ein - jeweils einen Wert pro Zeile."));
  }

  void leadingNumberRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "0.0125" << 0.0125;
    QTest::newRow("blanks around") << " 0.5 " << 0.5;
    QTest::newRow("blanks inside") << "1 2.5" << 12.5;
    QTest::newRow("tab and line feed") << "\t-2\n5" << -25.0;
    QTest::newRow("carriage return stops") << "3\r4" << 3.0;
    QTest::newRow("plus and fraction only") << "+.25" << 0.25;
    QTest::newRow("exponent") << "1.5e2" << 150.0;
    QTest::newRow("negative exponent") << "-5E-1" << -0.5;
    QTest::newRow("D exponent") << "2d3" << 2000.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("hexadecimal") << "&H1f" << 31.0;
    QTest::newRow("octal") << "&o17" << 15.0;
    QTest::newRow("ampersand alone") << "&17" << 0.0;
    QTest::newRow("trailing text") << "12abc" << 12.0;
    QTest::newRow("decimal comma") << "1,5" << 1.5;
    QTest::newRow("second mark stops") << "1,000.5" << 1.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("double sign") << "--1" << 0.0;
    QTest::newRow("dot only") << "." << 0.0;
    QTest::newRow("beyond double") << "1e999" << 0.0;
  }

  void leadingNumberRule() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
  }

  void singlePrecisionNeverGivesInfinity() {
    QCOMPARE(leadingSingle(u"1e300"), 0.0f);
    QCOMPARE(leadingSingle(u"-1e39"), 0.0f);
    QCOMPARE(leadingSingle(u"0.95"), 0.95f);
  }

  void wholeNumberOrNothing() {
    QCOMPARE(wholeSingle(u" 2,5 "), 2.5f);
    QCOMPARE(wholeSingle(u"-1.5e1"), -15.0f);
    QCOMPARE(wholeSingle(u"&H10"), 16.0f);
    for (const char16_t* text :
         {u"", u" ", u"2;5", u"1,000.5", u"0.5x", u"7e", u"&H", u"-", u".", u"1e39", u"1e999"}) {
      QVERIFY2(!wholeSingle(text), qPrintable(QString::fromUtf16(text)));
    }
  }

  void storedStationsSkipEmptyPieces() {
    const std::vector<float> defaults = parseStoredStations(defaultStationText());
    QCOMPARE(defaults.size(), std::size_t(18));
    QCOMPARE(defaults[1], 0.0125f);
    QCOMPARE(defaults.back(), 1.0f);
    QCOMPARE(parseStoredStations(QStringLiteral("0.0/0.5//1.0/")),
             (std::vector<float>{0.0f, 0.5f, 1.0f}));
    QCOMPARE(parseStoredStations(QStringLiteral("/ /x")), (std::vector<float>{0.0f, 0.0f}));
    QVERIFY(parseStoredStations(QString()).empty());
  }

  void stationFieldShowsOnePiecePerLine() {
    const QString field = stationFieldText(defaultStationText());
    QCOMPARE(field.count(u'\n'), 18);
    QVERIFY(field.startsWith(QStringLiteral("0.0\n0.0125\n0.025\n")));
    QVERIFY(field.endsWith(QStringLiteral("0.95\n1.0\n")));
    QCOMPARE(stationFieldText(QStringLiteral("0//1")), QStringLiteral("0\n\n1\n"));
  }

  void stationFieldKeepsLinesAsTyped() {
    StationEntry entry = parseStationField(QStringLiteral("0\n\n1"));
    QCOMPARE(entry.values, (std::vector<float>{0.0f, 1.0f}));
    QCOMPARE(entry.storedText, QStringLiteral("0/1"));

    entry = parseStationField(QStringLiteral(" 0.5 \n"));
    QCOMPARE(entry.values, (std::vector<float>{0.5f}));
    QCOMPARE(entry.storedText, QStringLiteral(" 0.5 "));

    entry = parseStationField(QStringLiteral("0,1\n1.0\n"));
    QCOMPARE(entry.values, (std::vector<float>{0.1f, 1.0f}));
    QCOMPARE(entry.storedText, QStringLiteral("0,1/1.0"));
    QCOMPARE(entry.badLine, 0);

    entry = parseStationField(QStringLiteral("0\n\nabc\n1.0\n"));
    QCOMPARE(entry.badLine, 3);
    QCOMPARE(entry.badText, QStringLiteral("abc"));

    QVERIFY(parseStationField(QStringLiteral("\n\n")).values.empty());
  }

  void messages_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("en 0") << 2 << 0 << "Ready (61 points have been converted).";
    QTest::newRow("de 0") << 1 << 0 << "Bereit (61 Punkte wurden konvertiert).";
    QTest::newRow("en 1") << 2 << 1 << "Error: Input file 'naca.dat' not found.";
    QTest::newRow("de 1") << 1 << 1 << "Fehler: Eingabedatei 'naca.dat' wurde nicht gefunden.";
    QTest::newRow("en 2") << 2 << 2 << "Error: Output file 'naca.geo' not writeable.";
    QTest::newRow("de 2") << 1 << 2
                          << "Fehler: Ausgabedatei 'naca.geo' kann nicht geschrieben werden.";
    QTest::newRow("en 3") << 2 << 3 << "Error: Unknown input file format.";
    QTest::newRow("de 3") << 1 << 3 << "Fehler: Unbekanntes Eingabeformat.";
    QTest::newRow("en 4") << 2 << 4
                          << "Error: Too many points in input file (can read up to 500 points), "
                             "or wrong format.";
    QTest::newRow("de 4") << 1 << 4
                          << "Fehler: Zu viele Punkte in der Eingabedatei (bis zu 500 Punkte "
                             "möglich), oder falsches Format.";
    QTest::newRow("en 5") << 2 << 5 << "Error: Coordinates do not enclose an area?";
    QTest::newRow("de 5") << 1 << 5 << "Fehler: Punkte bilden keine geschlossene Kurve?";
    QTest::newRow("en 6") << 2 << 6 << "Write error on output file. Disk full?";
    QTest::newRow("de 6") << 1 << 6
                          << "Fehler beim Schreiben der Ausgabedatei. Ist die Platte voll?";
    QTest::newRow("en 7") << 2 << 7 << "Error: Cannot create three columns for output file.";
    QTest::newRow("de 7") << 1 << 7 << "Fehler: Dreispaltige Ausgabe nicht möglich.";
    QTest::newRow("en 8") << 2 << 8
                          << "Error: A number does not fit its field in the format 'Vuz Ovorav KSC "
                             "Format', nothing was written. Try normalised output: untick 'do not "
                             "normalize' and reset the distortion.";
    QTest::newRow("de 9") << 1 << 9
                          << "Fehler: Die Punkte lassen sich nicht auf die Standard x-Stationen "
                             "verteilen (zu viele oder unbrauchbare Stationen).";
    QTest::newRow("en other") << 2 << 11 << "Error: ";
    QTest::newRow("de other") << 1 << -1 << "Fehler: ";
  }

  void messages() {
    QFETCH(int, language);
    QFETCH(int, status);
    QFETCH(QString, message);
    CurrentLanguage = language;
    // Option 9 is the KSC format.
    const ConversionEnds ends{QStringLiteral("naca.dat"), QStringLiteral("naca.geo")};
    QCOMPARE(conversionMessage(status, ends, 9, 61), message);
  }

  void namesInMessages() {
    CurrentLanguage = 2;
    QCOMPARE(conversionMessage(1, {}, 0, 0), QStringLiteral("Error: Input file '' not found."));
    const ConversionEnds clipboard{kInputTempName, kOutputTempName, true, true};
    QCOMPARE(conversionMessage(2, clipboard, 0, 0),
             QStringLiteral("Error: Output file (the clipboard) not writeable."));
    CurrentLanguage = 1;
    QCOMPARE(outputTempFailureMessage(),
             QStringLiteral("Fehler: Ausgabedatei (die Zwischenablage) wurde nicht gefunden."));
  }

  void formatNumbers() {
    for (int option = 0; option < kOptionCount; ++option) {
      QCOMPARE(formatNumber(option, true), option + 1);
      QCOMPARE(formatNumber(option, false), -(option + 1));
    }
    QCOMPARE(formatNumber(-1, true), 1);
    QCOMPARE(formatNumber(-1, false), -1);
  }

  void drawingOptionsFollowTheSeventeen() {
    QCOMPARE(kAllOptionCount, 22);
    QVERIFY(!isDrawingOption(16) && isDrawingOption(17) && isDrawingOption(19));
    QCOMPARE(formatNumber(17, false), -18);
    QCOMPARE(formatNumber(19, true), 20);
    QCOMPARE(derivedOutputName(QStringLiteral("naca.dat"), 17).value_or(QString()),
             QStringLiteral("naca.svg"));
    QCOMPARE(defaultExtension(18), QStringLiteral("geo"));
    QCOMPARE(defaultExtension(19), QStringLiteral("dxf"));
    QVERIFY(initialOptionCaption(17).isEmpty());  // from the text table in both languages
    CurrentLanguage = 2;
    QCOMPARE(optionCaption(17), QStringLiteral("SVG drawing at true size (mm)"));
    CurrentLanguage = 1;
    QCOMPARE(optionCaption(18), QStringLiteral("Gmsh-Geometrie zum Vernetzen"));
    QCOMPARE(optionCaption(20), QStringLiteral("Selig-Format (XFOIL, UIUC)"));
    QCOMPARE(optionCaption(21), QStringLiteral("Lednicer-Format, Seiten VK > HK"));
    QVERIFY(!drawingFields(20).any() && drawingFields(19).any());
    QVERIFY(drawingFields(17).skin && drawingFields(17).label && !drawingFields(17).spline);
    QVERIFY(drawingFields(18).farfield && drawingFields(18).meshSize && !drawingFields(18).skin);
    QVERIFY(drawingFields(19).spline && drawingFields(19).skin && !drawingFields(19).label);
    QVERIFY(!drawingFields(3).chord);
    // The coordinate-file filter keeps to what can be read back.
    QVERIFY(!coordinateFilePatterns().contains(QStringLiteral("svg")));
  }

  void figuresAndRefusalsInBothLanguages() {
    const float unknown = std::numeric_limits<float>::quiet_NaN();
    const TarvexFigures figures{0.12f, 0.2987f, 0.02f, 0.4024f, 0.0025f, unknown};
    CurrentLanguage = 1;
    QCOMPARE(figuresText(figures), QStringLiteral("Profilwerte in % der Profiltiefe:\n"
                                                  "Größte Dicke 12,00 % bei x = 29,9 %\n"
                                                  "Größte Wölbung 2,00 % bei x = 40,2 %\n"
                                                  "Hinterkantendicke 0,25 %\n"
                                                  "Nasenradius nicht bestimmbar"));
    CurrentLanguage = 2;
    QVERIFY(
        figuresText(figures).contains(QStringLiteral("Maximum thickness 12.00 % at x = 29.9 %")));
    QCOMPARE(conversionMessage(10, {}, 17, 0, QStringLiteral("no rib inside a skin of 9 mm")),
             QStringLiteral("Error: The drawing and mesh options do not fit this section: no rib "
                            "inside a skin of 9 mm."));
  }

  void derivedOutputNames() {
    const QStringList extensions{"geo", "txt", "txt", "txt", "epp", "cef", "af0", "vsa", "scr",
                                 "ksc", "dxf", "txt", "xml", "for", "c",   "txt", "txt"};
    for (int option = 0; option < kOptionCount; ++option) {
      QCOMPARE(derivedOutputName(QStringLiteral("naca.dat"), option).value_or(QString()),
               QStringLiteral("naca.") + extensions[option]);
    }
    QCOMPARE(derivedOutputName(QStringLiteral("a.b.dat"), 0).value_or(QString()),
             QStringLiteral("a.b.geo"));
    QCOMPARE(derivedOutputName(QStringLiteral("dir.v1/naca"), 14).value_or(QString()),
             QStringLiteral("dir.c"));
    QVERIFY(!derivedOutputName(QStringLiteral("naca"), 0));
    QVERIFY(!derivedOutputName(QStringLiteral(".naca"), 0));
    QCOMPARE(derivedOutputName(QStringLiteral("x."), 4).value_or(QString()),
             QStringLiteral("x.epp"));
  }

  void madeSectionsNameTheirOutput() {
    QCOMPARE(nacaFileStem(QStringLiteral("NACA 2412")), QStringLiteral("naca2412"));
    QCOMPARE(nacaFileStem(QStringLiteral("NACA 63(2)-615")), QStringLiteral("naca63_2-615"));
    QCOMPARE(nacaFileStem(QStringLiteral("65(4)-421 a=0.5")), QStringLiteral("naca65_4-421_a0.5"));
    QCOMPARE(nacaFileStem(QStringLiteral("../x/Ä")), QStringLiteral("naca..x"));
  }

  void coordinateFilesCoverEveryFormatOnce() {
    const QStringList patterns = coordinateFilePatterns().split(u';');
    QCOMPARE(QSet<QString>(patterns.begin(), patterns.end()).size(), patterns.size());
    for (const char* input : {"*.dat", "*.koo", "*.cef", "*.dxf", "*.xml"})
      QVERIFY2(patterns.contains(QLatin1String(input)), input);
    for (int option = 0; option < kOptionCount; ++option)
      QVERIFY(patterns.contains(QStringLiteral("*.") + defaultExtension(option)));
  }

  void filterPatterns() {
    QCOMPARE(filterPattern(QStringLiteral("Alle Dateien (*.*)")), QStringLiteral("*.*"));
    QCOMPARE(filterPattern(QStringLiteral("Wiechers Coordinate Files (*.koo)")),
             QStringLiteral("*.koo"));
    QCOMPARE(filterPattern(QStringLiteral("(")), QString());
    QCOMPARE(filterPattern(QStringLiteral("no pattern")), QString());
  }

  void previewSpansTheChordBetweenTheMargins() {
    const std::vector<float> x{1.0f, 0.5f, 0.0f, 0.5f, 1.0f};
    const std::vector<float> y{0.0f, 0.06f, 0.0f, -0.04f, 0.0f};
    const double width = 250.0;
    const double height = 40.0;
    QCOMPARE(previewScale(x, width).value_or(0), 246.0);

    RecordingSurface surface;
    drawPreview(surface, x, y, width, height);
    QCOMPARE(surface.clears, 1);
    QCOMPARE(surface.left, 0.0);
    QCOMPARE(surface.top, 0.0);
    QCOMPARE(surface.right, width);
    QCOMPARE(surface.bottom, height);
    QCOMPARE(surface.lines.size(), x.size());
    const QPointF trailingEdge = surface.lines.front().second;
    const QPointF leadingEdge = surface.lines[2].second;
    QCOMPARE(trailingEdge, QPointF(width - 2, height / 2));
    QCOMPARE(leadingEdge, QPointF(2, height / 2));
    QCOMPARE(surface.lines[1].second.y(), height / 2 - 246.0 * double(0.06f));
    QCOMPARE(surface.circles.size(), x.size());
    QCOMPARE(surface.circles.front().radius, 0.5);
    QCOMPARE(surface.fill, QColor(Qt::white));
  }

  void previewOfUndefinedScaleDrawsNothing() {
    for (const std::vector<float>& x :
         {std::vector<float>{0.0f, -1.0f, 0.0f}, std::vector<float>{}}) {
      RecordingSurface surface;
      drawPreview(surface, x, std::vector<float>(x.size(), 0.1f), 100, 40);
      QCOMPARE(surface.clears, 1);
      QVERIFY(surface.lines.empty());
      QVERIFY(surface.circles.empty());
    }
    QVERIFY(!previewScale(std::vector<float>{1.0f}, 4.0));
  }

  void zoomWidensByFivePercent() {
    const std::vector<float> x{1.0f, 0.5f, 0.0f, 0.5f, 1.0f};
    const std::vector<float> y{0.0f, 0.1f, 0.0f, -0.1f, 0.0f};
    const auto extents = zoomExtents(x, y);
    QVERIFY(extents);
    QCOMPARE(extents->xmin, -0.05);
    QCOMPARE(extents->xmax, 1.0525);
    QVERIFY(near(extents->ymin, -0.11));
    QVERIFY(near(extents->ymax, 0.1 + 0.05 * 0.21));

    // Markers of a few pixels: 2 on a 1102.5 x 300 surface, whose x unit is 1000 pixels.
    RecordingSurface surface;
    surface.size = QSizeF(1102.5, 300);
    drawStretched(surface, x, y);
    QCOMPARE(surface.left, extents->xmin);
    QCOMPARE(surface.top, extents->ymax);
    QCOMPARE(surface.right, extents->xmax);
    QCOMPARE(surface.bottom, extents->ymin);
    QCOMPARE(surface.lines.size(), x.size() - 1);
    QCOMPARE(surface.lines.front().first, QPointF(1.0, 0.0));
    QCOMPARE(surface.circles.size(), x.size() - 1);
    QCOMPARE(surface.circles.front().centre, QPointF(0.5, double(0.1f)));
    QVERIFY(near(surface.circles.front().radius, 0.002));
    QCOMPARE(zoomMarkerPixels(QSizeF(100, 100)), 1.5);
    QCOMPARE(zoomMarkerPixels(QSizeF(2000, 1500)), 4.0);
  }

  void zoomOfEqualValuesDrawsNothing() {
    const std::vector<float> flat{0.0f, 0.0f, 0.0f};
    const std::vector<float> ramp{0.0f, 0.5f, 1.0f};
    for (const auto& [x, y] : {std::pair(ramp, flat), std::pair(flat, ramp)}) {
      QVERIFY(!zoomExtents(x, y));
      RecordingSurface surface;
      drawStretched(surface, x, y);
      QCOMPARE(surface.scales, 0);
      QVERIFY(surface.lines.empty());
    }
  }
};

QTEST_MAIN(DesktopRulesTest)
#include "tst_desktop_rules.moc"
