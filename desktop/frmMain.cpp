#include "frmMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "Module1.h"
#include "alvane_settings.h"
#include "click_label.h"
#include "conversion_rules.h"
#include "frmAbout.h"
#include "frmDistort.h"
#include "frmModify.h"
#include "frmNaca.h"
#include "frmStations.h"
#include "frmZoom.h"
#include "help_viewer.h"
#include "leading_number.h"
#include "shape_drawing.h"
#include "shape_preview.h"
#include "station_list.h"

namespace {

constexpr int kMainHelpContext = 10000;
constexpr double kDistortionTolerance = 1e-10;
constexpr int kPreviewFormat = 1;  // any format: the preview asks for points, not a file

// Clipboard text goes to the engine, and comes back from it, in the system's 8-bit
// encoding; output that is not valid in it (an ISO 8859-1 file echoed by the engine) is
// read as ISO 8859-1 rather than garbled.
QString decode8Bit(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::System);
  QString text = decoder(bytes);
  return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

// A small picture of an airfoil beside the input field; files dropped on it are taken.
QPixmap airfoilPicture() {
  QPixmap pixmap(64, 28);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath outline;
  const int steps = 40;
  for (int side = 0; side < 2; ++side) {
    for (int i = 0; i <= steps; ++i) {
      const double t = side == 0 ? 1.0 - double(i) / steps : double(i) / steps;
      const double x = t * t;
      const double half = 0.6 * (0.2969 * std::sqrt(x) - 0.126 * x - 0.3516 * x * x +
                                 0.2843 * x * x * x - 0.1036 * x * x * x * x);
      const QPointF point(2 + 60 * x, 14 - (side == 0 ? 1 : -1) * 60 * half);
      if (side == 0 && i == 0)
        outline.moveTo(point);
      else
        outline.lineTo(point);
    }
  }
  painter.setPen(QPen(QColor(30, 60, 120), 1.2));
  painter.setBrush(QColor(170, 200, 235));
  painter.drawPath(outline);
  return pixmap;
}

// Whether two names denote one existing file: the same device and inode, so hard links,
// symbolic links and other spellings of one path count as well.
bool sameExistingFile(const QString& a, const QString& b) {
  std::error_code error;
  const bool same =
      std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                  std::filesystem::path(QFile::encodeName(b).toStdString()), error);
  return same && !error;
}

QCheckBox* boxWithoutText(QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return box;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
  auto* layout = new QHBoxLayout;
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  if (stretch) layout->addStretch(1);
  return layout;
}

}  // namespace

frmMain::frmMain(const QString& engineFile, QWidget* parent)
    : QMainWindow(parent), engine_(engineFile) {
  setObjectName(QStringLiteral("frmMain"));
  engineFailureHandler_ = [](const QString& error) {
    reportEngineFailure(error);
    QCoreApplication::exit(1);
  };

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout;
  columns->addWidget(createInputColumn(), 3);
  columns->addWidget(createOptionColumn(), 3);
  columns->addWidget(createFormatFrame(), 3);

  picShape = new ShapePreview(central);
  picShape->setObjectName(QStringLiteral("picShape"));
  picShape->setToolTip(QStringLiteral("Preview Window"));
  picShape->setMinimumHeight(150);

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(columns);
  layout->addWidget(picShape, 1);
  setCentralWidget(central);

  StatusBar = statusBar();
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  statusLabel_ = new QLabel(QStringLiteral("Ready."), StatusBar);
  // A long message (a long file name, an overflow with its advice) takes a second line
  // rather than running off the window's edge.
  statusLabel_->setWordWrap(true);
  StatusBar->addWidget(statusLabel_, 1);

  // A file dropped on a name field is taken by the window, not pasted there as text.
  setAcceptDrops(true);
  txtInputFilename->setAcceptDrops(false);
  txtOutputFilename->setAcceptDrops(false);
  connectControls();
  resize(980, 680);
}

frmMain::~frmMain() {
  // The zoom, about and help windows have no owner; they must not outlive the window
  // whose shape and settings they show.
  delete zoom_;
  delete about_;
  delete help_;
}

QWidget* frmMain::createInputColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  dirModel_ = new QFileSystemModel(this);
  dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  dirModel_->setRootPath(QDir::rootPath());
  Dir1 = new QTreeView(column);
  Dir1->setObjectName(QStringLiteral("Dir1"));
  Dir1->setModel(dirModel_);
  for (int c = 1; c < dirModel_->columnCount(); ++c) Dir1->hideColumn(c);
  Dir1->setHeaderHidden(true);
  Dir1->setToolTip(QStringLiteral("The directory structure to search."));

  FileList = new QListWidget(column);
  FileList->setObjectName(QStringLiteral("FileList"));
  fileListPattern_ = QStringLiteral("*.geo;*.koo;*.txt");

  cbFileType = new QComboBox(column);
  cbFileType->setObjectName(QStringLiteral("cbFileType"));
  // The coordinate-file entry lists many patterns; it must not widen the column.
  cbFileType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbFileType->setMinimumContentsLength(16);

  layout->addWidget(Dir1, 3);
  layout->addWidget(FileList, 2);
  layout->addWidget(cbFileType);
  return column;
}

QWidget* frmMain::createOptionColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  Label1 = new QLabel(column);
  txtInputFilename = new QLineEdit(column);
  txtInputFilename->setObjectName(QStringLiteral("txtInputFilename"));
  txtInputFilename->setToolTip(
      QStringLiteral("The name of the file containing the coordinates to convert."));
  Image1 = new QLabel(column);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(airfoilPicture());
  chkInClip = boxWithoutText(column);
  chkInClip->setObjectName(QStringLiteral("chkInClip"));
  Label3 = new ClickLabel(column);
  btnNaca = new QPushButton(column);
  btnNaca->setObjectName(QStringLiteral("btnNaca"));

  Label2 = new QLabel(column);
  txtOutputFilename = new QLineEdit(column);
  txtOutputFilename->setObjectName(QStringLiteral("txtOutputFilename"));
  txtOutputFilename->setToolTip(
      QStringLiteral("The name of the file to write the converted coordinates to."));
  chkOutClip = boxWithoutText(column);
  chkOutClip->setObjectName(QStringLiteral("chkOutClip"));
  Label4 = new ClickLabel(column);

  chkDetails = new QCheckBox(column);
  chkDetails->setObjectName(QStringLiteral("chkDetails"));
  chkDetails->setToolTip(
      QStringLiteral("Additional lines and comments are also written to the output file."));
  chkAppend = new QCheckBox(column);
  chkAppend->setObjectName(QStringLiteral("chkAppend"));
  chkRedistStandard = new QCheckBox(column);
  chkRedistStandard->setObjectName(QStringLiteral("chkRedistStandard"));
  btnStandard = new QPushButton(column);
  btnStandard->setObjectName(QStringLiteral("btnStandard"));
  btnStandard->setToolTip(QStringLiteral("Define x-Stations for redistribution of points."));
  chkNoNormalize = new QCheckBox(column);
  chkNoNormalize->setObjectName(QStringLiteral("chkNoNormalize"));
  btnDistort = new QPushButton(column);
  btnDistort->setObjectName(QStringLiteral("btnDistort"));
  btnDistort->setToolTip(QStringLiteral("Define stretching of airfoil shape."));
  shpDistort = new QFrame(column);
  shpDistort->setObjectName(QStringLiteral("shpDistort"));
  shpDistort->setFixedSize(14, 14);
  shpDistort->setStyleSheet(
      QStringLiteral("#shpDistort { background: #d02020; border-radius: 7px; }"));
  shpDistort->hide();
  btnModify = new QPushButton(column);
  btnModify->setObjectName(QStringLiteral("btnModify"));
  shpModify = new QFrame(column);
  shpModify->setObjectName(QStringLiteral("shpModify"));
  shpModify->setFixedSize(14, 14);
  shpModify->setStyleSheet(
      QStringLiteral("#shpModify { background: #d02020; border-radius: 7px; }"));
  shpModify->hide();

  btnConvert = new QPushButton(column);
  btnConvert->setObjectName(QStringLiteral("btnConvert"));
  btnConvert->setMinimumHeight(40);
  btnHelp = new QPushButton(column);
  btnHelp->setObjectName(QStringLiteral("btnHelp"));
  btnQuestion = new QPushButton(column);
  btnQuestion->setObjectName(QStringLiteral("btnQuestion"));
  cbLanguage = new QComboBox(column);
  cbLanguage->setObjectName(QStringLiteral("cbLanguage"));

  layout->addWidget(Label1);
  layout->addLayout(row({txtInputFilename, Image1}, false));
  auto* inputChoice = row({chkInClip, Label3});
  inputChoice->addWidget(btnNaca);
  layout->addLayout(inputChoice);
  layout->addSpacing(6);
  layout->addWidget(Label2);
  layout->addWidget(txtOutputFilename);
  layout->addLayout(row({chkOutClip, Label4}));
  layout->addSpacing(12);
  layout->addWidget(chkDetails);
  layout->addWidget(chkAppend);
  layout->addWidget(chkRedistStandard);
  layout->addLayout(row({btnStandard}));
  layout->addWidget(chkNoNormalize);
  layout->addLayout(row({btnDistort, shpDistort, btnModify, shpModify}));
  layout->addWidget(createDrawingFrame(column));
  layout->addStretch(1);
  layout->addWidget(btnConvert);
  layout->addLayout(row({btnHelp, btnQuestion, cbLanguage}, false));
  return column;
}

QWidget* frmMain::createFormatFrame() {
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* layout = new QVBoxLayout(Frame1);
  // Twenty-two options and the preview below them must fit a screen 768 pixels high.
  layout->setSpacing(0);
  optionGroup_ = new QButtonGroup(this);
  for (int i = 0; i < kOptionCount; ++i) {
    Option1[i] = new QRadioButton(initialOptionCaption(i), Frame1);
    Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    optionGroup_->addButton(Option1[i], i);
    layout->addWidget(Option1[i]);
  }
  for (int i = 0; i < kDrawingOptionCount; ++i) {
    OptionDrawing[i] = new QRadioButton(Frame1);
    OptionDrawing[i]->setObjectName(QStringLiteral("OptionDrawing_%1").arg(i));
    optionGroup_->addButton(OptionDrawing[i], kOptionCount + i);
    layout->addWidget(OptionDrawing[i]);
  }
  layout->addStretch(1);
  Option1[0]->setChecked(true);
  return Frame1;
}

QGroupBox* frmMain::createDrawingFrame(QWidget* parent) {
  fraDrawing = new QGroupBox(parent);
  fraDrawing->setObjectName(QStringLiteral("fraDrawing"));
  auto* grid = new QGridLayout(fraDrawing);
  grid->setVerticalSpacing(0);
  grid->setContentsMargins(6, 0, 6, 2);
  const auto field = [&](QLabel*& label, QLineEdit*& edit, const char* name, const char* text,
                         int row, int column) {
    label = new QLabel(fraDrawing);
    edit = new QLineEdit(QString::fromLatin1(text), fraDrawing);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(44);
    edit->setMaximumWidth(56);
    label->setBuddy(edit);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
  };
  const auto box = [&](QCheckBox*& check, const char* name, int row, int column) {
    check = new QCheckBox(fraDrawing);
    check->setObjectName(QString::fromLatin1(name));
    grid->addWidget(check, row, column, 1, 2);
  };
  field(lblChord, txtChord, "txtChord", "100", 0, 0);
  field(lblSkin, txtSkin, "txtSkin", "0", 1, 0);
  box(chkLabel, "chkLabel", 2, 0);
  box(chkChordLine, "chkChordLine", 3, 0);
  field(lblFarfield, txtFarfield, "txtFarfield", "0", 0, 2);
  field(lblMeshSize, txtMeshSize, "txtMeshSize", "0.02", 1, 2);
  box(chkSpline, "chkSpline", 2, 2);
  return fraDrawing;
}

void frmMain::connectControls() {
  connect(btnConvert, &QPushButton::clicked, this, &frmMain::btnConvert_Click);
  connect(optionGroup_, &QButtonGroup::idClicked, this, &frmMain::Option1_Click);
  connect(txtInputFilename, &QLineEdit::textChanged, this, &frmMain::txtInputFilename_Change);
  connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) setDir1Path(dirModel_->filePath(current));
          });
  // The model lists folders in the background and sorts each listing afterwards, which
  // moves the rows: the tree follows the shown folder until the user scrolls it.
  connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
    const QString branch = path.endsWith(u'/') ? path : path + u'/';
    if (followDir1_ && (path == dirPath_ || dirPath_.startsWith(branch))) revealDir1Path();
  });
  connect(dirModel_, &QAbstractItemModel::layoutChanged, this, [this] {
    if (followDir1_) revealDir1Path();
  });
  connect(Dir1->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this] { followDir1_ = false; });
  connect(FileList, &QListWidget::itemClicked, this, &frmMain::FileList_Click);
  connect(FileList, &QListWidget::currentItemChanged, this, &frmMain::FileList_Click);
  connect(cbFileType, &QComboBox::currentIndexChanged, this, &frmMain::cbFileType_Click);
  connect(cbLanguage, &QComboBox::currentIndexChanged, this, &frmMain::cbLanguage_Click);
  connect(chkInClip, &QCheckBox::toggled, this, &frmMain::chkInClip_Click);
  connect(chkOutClip, &QCheckBox::toggled, this, &frmMain::chkOutClip_Click);
  connect(Label3, &ClickLabel::clicked, this, &frmMain::Label3_Click);
  connect(Label4, &ClickLabel::clicked, this, &frmMain::Label4_Click);
  connect(picShape, &ShapePreview::clicked, this, &frmMain::picShape_Click);
  connect(chkNoNormalize, &QCheckBox::toggled, this, &frmMain::updateDrawingFields);
  connect(btnStandard, &QPushButton::clicked, this, &frmMain::btnStandard_Click);
  connect(btnDistort, &QPushButton::clicked, this, &frmMain::btnDistort_Click);
  connect(btnModify, &QPushButton::clicked, this, &frmMain::btnModify_Click);
  connect(btnNaca, &QPushButton::clicked, this, &frmMain::btnNaca_Click);
  connect(btnHelp, &QPushButton::clicked, this, &frmMain::btnHelp_Click);
  connect(btnQuestion, &QPushButton::clicked, this, &frmMain::btnQuestion_Click);
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(helpKey, &QShortcut::activated, this, &frmMain::Form_HelpKey);
}

// ---------------------------------------------------------------------------------------
// Load and unload

void frmMain::Form_Load() {
  {
    const QSignalBlocker blocker(cbLanguage);
    cbLanguage->clear();
    cbLanguage->addItems({QStringLiteral("Deutsch"), QStringLiteral("English")});
    cbLanguage->setCurrentIndex(-1);
  }
  InitializeApp();

  helpContext_ = kMainHelpContext;
  cbFileType->setCurrentIndex(0);
  setDir1Path(QDir::currentPath());

  // Bound here even when no stations are stored, so a missing engine shows at start-up.
  const auto setStations = engine_.setStationsEntry();
  if (!setStations) {
    engineFailure(engine_.errorString());
    return;
  }
  const std::vector<float> stations = parseStoredStations(AlvaneSettings::stations());
  if (!stations.empty()) {
    const auto count = static_cast<int32_t>(stations.size());
    setStations(stations.data(), &count);
  }
  // An engine without the second entry writes the seventeen formats only.
  const bool offered = drawingFormatsOffered();
  for (QRadioButton* option : OptionDrawing) option->setVisible(offered);
  fraDrawing->setVisible(offered);
  updateDrawingFields();
  btnNaca->setVisible(nacaSectionsOffered());

  XScale = 1.0f;
  YScale = 1.0f;
  updateDistortionIndicator();
  setCoordEmpty();
}

void frmMain::InitializeApp() {
  // Halves round to even; anything that is not 1 or 2 starts in German.
  const double stored = std::nearbyint(leadingNumber(AlvaneSettings::language()));
  CurrentLanguage = stored == 2.0 ? 2 : 1;
  cbLanguage->setCurrentIndex(CurrentLanguage - 1);
}

void frmMain::TerminateApp() {
  AlvaneSettings::storeLanguage(CurrentLanguage);
  if (zoom_) zoom_->close();
  if (stations_) stations_->close();
  if (about_) about_->close();
  if (help_) help_->close();
  if (naca_) naca_->close();
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A hidden tree cannot scroll; the shown folder is brought into view once it is laid out.
  followDir1_ = true;
  QTimer::singleShot(0, this, &frmMain::revealDir1Path);
}

void frmMain::closeEvent(QCloseEvent* event) {
  TerminateApp();
  event->accept();
}

// ---------------------------------------------------------------------------------------
// Conversion

int frmMain::selectedOption() const { return optionGroup_->checkedId(); }

bool frmMain::drawingFormatsOffered() { return engine_.anyFormatEntry() != nullptr; }

void frmMain::updateDrawingFields() {
  const DrawingFields uses = drawingFields(selectedOption());
  fraDrawing->setEnabled(uses.any());
  // Keeping the input's size gives the chord in the input's own units, read as millimetres.
  const bool chord = uses.chord && !chkNoNormalize->isChecked();
  lblChord->setEnabled(chord);
  txtChord->setEnabled(chord);
  lblSkin->setEnabled(uses.skin);
  txtSkin->setEnabled(uses.skin);
  chkLabel->setEnabled(uses.label);
  chkChordLine->setEnabled(uses.chordLine);
  lblFarfield->setEnabled(uses.farfield);
  txtFarfield->setEnabled(uses.farfield);
  lblMeshSize->setEnabled(uses.meshSize);
  txtMeshSize->setEnabled(uses.meshSize);
  chkSpline->setEnabled(uses.spline);
}

std::variant<TarvexOptions, QString> frmMain::drawingOptions() const {
  TarvexOptions options = TARVEX_OPTIONS_INIT;
  options.comments = chkDetails->isChecked() ? 1 : 0;
  options.append = chkAppend->isChecked() ? 1 : 0;
  options.redistribute = chkRedistStandard->isChecked() ? 1 : 0;
  options.keepSize = chkNoNormalize->isChecked() ? 1 : 0;
  options.xFactor = XScale;
  options.yFactor = YScale;
  // Only the fields the format uses are read (the window is disabled during the call, so
  // the format says which); a number typed there must be one.
  const DrawingFields uses = drawingFields(selectedOption());
  const auto number = [](bool used, const QLineEdit* edit, float& to) -> std::optional<QString> {
    if (!used) return std::nullopt;
    const std::optional<float> value = wholeSingle(edit->text());
    if (!value) return prefixedMessage(LoadText(153).arg(edit->text()));
    to = *value;
    return std::nullopt;
  };
  if (auto message = number(uses.chord && !options.keepSize, txtChord, options.chordMm)) {
    return *message;
  }
  if (auto message = number(uses.skin, txtSkin, options.skinMm)) return *message;
  if (auto message = number(uses.farfield, txtFarfield, options.farfieldChords)) return *message;
  if (auto message = number(uses.meshSize, txtMeshSize, options.meshSizeChords)) {
    return *message;
  }
  options.label = uses.label && chkLabel->isChecked() ? 1 : 0;
  options.chordLine = uses.chordLine && chkChordLine->isChecked() ? 1 : 0;
  options.spline = uses.spline && chkSpline->isChecked() ? 1 : 0;
  return options;
}

void frmMain::showFigures(std::optional<TarvexFigures> figures) {
  figures_ = figures;
  const QString window = QStringLiteral("Preview Window");
  picShape->setToolTip(figures ? window + u'\n' + figuresText(*figures) : window);
}

void frmMain::showStatus(const QString& text) { statusLabel_->setText(text); }

QString frmMain::statusText() const { return statusLabel_->text(); }

void frmMain::setCoordEmpty() {
  coordX_.clear();
  coordY_.clear();
}

void frmMain::btnConvert_Click() {
  if (converting_) return;
  converting_ = true;
  // Nothing the user does may run inside a conversion (a drop or a language change would
  // find it half done): the window takes no input until the outcome is shown.
  const QPointer<QWidget> focus = QApplication::focusWidget();
  btnConvert->setEnabled(false);
  centralWidget()->setEnabled(false);
  if (const std::optional<QString> message = convert()) showStatus(*message);
  centralWidget()->setEnabled(true);
  btnConvert->setEnabled(true);
  if (focus) focus->setFocus();
  converting_ = false;
}

std::optional<QString> frmMain::convert() {
  QDir::setCurrent(dirPath_);
  const bool inClipboard = chkInClip->isChecked();
  const bool outClipboard = chkOutClip->isChecked();
  // The clipboard's files live in a folder of their own, made afresh for this conversion
  // (only this user may enter it) and removed with everything in it whatever the outcome:
  // the user's files of those names in the shown folder, or links planted there, are
  // never touched.
  std::optional<QTemporaryDir> exchange;
  if (inClipboard || outClipboard) {
    exchange.emplace(QDir(QDir::tempPath()).filePath(QStringLiteral("alvane-XXXXXX")));
    if (!exchange->isValid()) {
      setCoordEmpty();
      return inClipboard ? inputTempFailureMessage()
                         : conversionMessage(2, ConversionEnds{{}, {}, false, true}, 0, 0);
    }
  }
  const ConversionEnds ends{
      inClipboard    ? exchange->filePath(kInputTempName)
      : madeSection_ ? madeSection_->file
                     : txtInputFilename->text(),
      outClipboard ? exchange->filePath(kOutputTempName) : txtOutputFilename->text(), inClipboard,
      outClipboard};

  if (ends.inClipboard && !CopyDataFromClipboard(ends.inName)) {
    setCoordEmpty();
    return inputTempFailureMessage();
  }
  // The engine would overwrite its own input (raw.geo in format 1 derives raw.geo).
  if (sameExistingFile(ends.inName, ends.outName)) {
    setCoordEmpty();
    return sameFileMessage(ends);
  }
  const QByteArray in8 = QFile::encodeName(ends.inName);
  const QByteArray out8 = QFile::encodeName(ends.outName);
  const auto inLength = static_cast<int32_t>(in8.size());
  const auto outLength = static_cast<int32_t>(out8.size());

  coordX_.assign(PointCapacity, 0.0f);
  coordY_.assign(PointCapacity, 0.0f);
  int32_t count = PointCapacity;
  const int option = selectedOption();
  int32_t format = formatNumber(option, chkDetails->isChecked());
  const int32_t append = chkAppend->isChecked() ? 1 : 0;
  const int32_t redistribute = chkRedistStandard->isChecked() ? 1 : 0;
  const int32_t keepSize = chkNoNormalize->isChecked() ? 1 : 0;
  float xmin = 0.0f;
  float xmax = 0.0f;
  const auto anyFormat = engine_.anyFormatEntry();
  // The drawing formats, and every format of a modified section, go through the second
  // entry; the classic formats otherwise through the first, as they always have.
  std::optional<TarvexOptions> drawing;
  QByteArray blendName;
  if (isDrawingOption(option) || modify_.any()) {
    auto options = drawingOptions();
    if (const QString* message = std::get_if<QString>(&options); message || !anyFormat) {
      setCoordEmpty();
      showFigures(std::nullopt);
      return message ? *message : prefixedMessage(LoadText(168) + u'.');
    }
    drawing = std::get<TarvexOptions>(options);
    if (const auto unread = modify_.apply(*drawing, blendName)) {
      setCoordEmpty();
      showFigures(std::nullopt);
      return prefixedMessage(*unread);
    }
  }

  // Painted at once, without running pending events: the engine call blocks the window.
  showStatus(LoadText(112));
  statusLabel_->repaint();

  int status = 0;
  TarvexFigures figures{};
  bool haveFigures = false;
  char reason[512] = "";
  if (drawing) {
    status = anyFormat(in8.constData(), out8.constData(), std::abs(format), &*drawing,
                       coordX_.data(), coordY_.data(), &count, &figures, reason, sizeof reason);
    haveFigures = status == 0;
  } else {
    const auto convertEntry = engine_.convertEntry();
    if (!convertEntry) {
      setCoordEmpty();
      engineFailure(engine_.errorString());
      return std::nullopt;
    }
    status = convertEntry(in8.constData(), inLength, out8.constData(), outLength, &inLength,
                          &outLength, coordX_.data(), coordY_.data(), &count, &format, &append,
                          &redistribute, &keepSize, &xmin, &xmax, &XScale, &YScale);
    // The figures come from the second entry, which writes nothing without an output name.
    haveFigures = status == 0 && anyFormat &&
                  anyFormat(in8.constData(), nullptr, std::abs(format), nullptr, nullptr, nullptr,
                            nullptr, &figures, nullptr, 0) == 0;
  }
  // The engine never writes more than it was given room for; a count beyond the capacity
  // would make the drawing read past the arrays.
  const int points = std::clamp<int>(count, 0, PointCapacity);

  if (status != 0) {
    setCoordEmpty();
    showFigures(std::nullopt);
    return conversionMessage(status, ends, option, points, QString::fromUtf8(reason));
  }
  coordX_.resize(points);
  coordY_.resize(points);
  picShape->showShape(coordX_, coordY_);
  // A section the engine found no thickness for has no figures to show.
  haveFigures = haveFigures && std::isfinite(figures.maxThickness);
  showFigures(haveFigures ? std::optional(figures) : std::nullopt);
  QString message = conversionMessage(status, ends, option, points);
  if (ends.outClipboard && !CopyFileToClipboard(ends.outName)) message = outputTempFailureMessage();
  refreshFileList();
  return message;
}

void frmMain::engineFailure(const QString& error) {
  engineFailed_ = true;
  if (engineFailureHandler_) engineFailureHandler_(error);
}

void frmMain::setEngineFailureHandler(std::function<void(const QString&)> handler) {
  engineFailureHandler_ = std::move(handler);
}

int frmMain::SetStandardStations(const std::vector<float>& stations) {
  const auto setStations = engine_.setStationsEntry();
  if (!setStations) {
    engineFailure(engine_.errorString());
    return -1;
  }
  const auto count = static_cast<int32_t>(stations.size());
  return setStations(stations.data(), &count);
}

void frmMain::Option1_Click(int /*index*/) {
  deriveOutputName();
  updateDrawingFields();
}

void frmMain::txtInputFilename_Change() {
  // A name typed or picked replaces the made section as the input.
  if (!showingSectionName_) forgetMadeSection();
  deriveOutputName();
}

void frmMain::deriveOutputName() {
  // The made section's file lies in the section folder; its output goes to the shown one.
  if (madeSection_) {
    const QString extension = defaultExtension(selectedOption());
    if (!extension.isEmpty())
      txtOutputFilename->setText(nacaFileStem(madeSection_->name) + u'.' + extension);
    return;
  }
  if (const auto name = derivedOutputName(txtInputFilename->text(), selectedOption())) {
    txtOutputFilename->setText(*name);
  }
}

// ---------------------------------------------------------------------------------------
// Clipboard exchange

bool frmMain::CopyDataFromClipboard(const QString& fileName) {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.size() > 10) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = text.toLocal8Bit() + "\r\n";
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
  }
  // Whatever the file held must not be converted in place of the clipboard; without it the
  // engine reports the input as not found.
  return !QFile::exists(fileName) || QFile::remove(fileName);
}

bool frmMain::CopyFileToClipboard(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(decode8Bit(bytes));
  return true;
}

void frmMain::chkInClip_Click() { txtInputFilename->setEnabled(!chkInClip->isChecked()); }

void frmMain::chkOutClip_Click() { txtOutputFilename->setEnabled(!chkOutClip->isChecked()); }

void frmMain::Label3_Click() {
  chkInClip->setChecked(!chkInClip->isChecked());
  QCoreApplication::processEvents();
}

void frmMain::Label4_Click() {
  chkOutClip->setChecked(!chkOutClip->isChecked());
  QCoreApplication::processEvents();
}

// ---------------------------------------------------------------------------------------
// Input browsing and drag and drop

void frmMain::setDir1Path(const QString& path) {
  const QString clean = QDir::cleanPath(QDir(path).absolutePath());
  if (clean == dirPath_) return;
  dirPath_ = clean;
  followDir1_ = true;
  revealDir1Path();
  Dir1_Change();
}

void frmMain::revealDir1Path() {
  const QModelIndex index = dirModel_->index(dirPath_);
  if (!index.isValid()) return;
  Dir1->setCurrentIndex(index);
  Dir1->scrollTo(index);
}

void frmMain::Dir1_Change() { setFileListPath(dirPath_); }

void frmMain::setFileListPath(const QString& path) {
  fileListPath_ = path;
  refreshFileList();
}

void frmMain::setFileListPattern(const QString& pattern) {
  fileListPattern_ = pattern;
  refreshFileList();
}

QStringList frmMain::fileListEntries() const {
  QStringList entries;
  for (int i = 0; i < FileList->count(); ++i) entries << FileList->item(i)->text();
  return entries;
}

void frmMain::refreshFileList() {
  QStringList patterns;
  for (QString part : fileListPattern_.split(u';', Qt::SkipEmptyParts)) {
    part = part.trimmed();
    // "*.*" means every file, also one without a dot in its name.
    patterns << (part == QLatin1String("*.*") ? QStringLiteral("*") : part);
  }
  const QString current = FileList->currentItem() ? FileList->currentItem()->text() : QString();
  const QSignalBlocker blocker(FileList);
  FileList->clear();
  if (fileListPath_.isEmpty()) return;
  FileList->addItems(
      QDir(fileListPath_).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
  const auto same = FileList->findItems(current, Qt::MatchExactly);
  if (!current.isEmpty() && !same.isEmpty()) FileList->setCurrentItem(same.first());
}

void frmMain::selectInFileList(const QString& fullName) {
  const QFileInfo info(fullName);
  if (info.absoluteDir().exists()) setFileListPath(info.absolutePath());
  const auto matches = FileList->findItems(info.fileName(), Qt::MatchExactly);
  const QSignalBlocker blocker(FileList);
  FileList->setCurrentItem(matches.isEmpty() ? nullptr : matches.first());
}

void frmMain::FileList_Click() {
  if (QListWidgetItem* item = FileList->currentItem()) {
    forgetMadeSection();
    txtInputFilename->setText(item->text());
  }
}

void frmMain::cbFileType_Click() {
  if (cbFileType->currentIndex() < 0) return;
  setFileListPattern(filterPattern(cbFileType->currentText()));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  if ((event->possibleActions() & all) == all && event->mimeData()->hasUrls()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void frmMain::dropEvent(QDropEvent* event) {
  Form_OLEDragDrop(*event->mimeData(), event->possibleActions());
  // Copy, never move: the source must keep its file.
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void frmMain::Form_OLEDragDrop(const QMimeData& dropped, Qt::DropActions offered) {
  if (converting_) return;
  const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  if ((offered & all) != all) return;
  const QList<QUrl> urls = dropped.urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  TakeInputFile(urls.first().toLocalFile());
}

void frmMain::TakeInputFile(const QString& path) {
  // A folder (dropped, or named on the command line) becomes the shown one: its files
  // are then in the list to pick from.
  if (QFileInfo(path).isDir()) {
    setDir1Path(path);
    return;
  }
  const qsizetype i = path.lastIndexOf(u'/') + 1;
  // A directory part that names no directory leaves the tree where it is.
  if (i > 1 && QFileInfo(path.left(i)).isDir()) setDir1Path(path.left(i));
  forgetMadeSection();
  txtInputFilename->setText(path);
  selectInFileList(path);
  txtInputFilename->setText(path.mid(i));
}

// ---------------------------------------------------------------------------------------
// Language, preview, dialogs and help

void frmMain::cbLanguage_Click() {
  const int entry = cbLanguage->currentIndex();
  if (entry < 0) return;
  CurrentLanguage = entry + 1;
  SwitchLanguage();
}

void frmMain::SwitchLanguage() {
  {
    // The refilled list keeps the chosen entry, and so the file list its pattern.
    const QSignalBlocker blocker(cbFileType);
    const int chosen = cbFileType->currentIndex();
    cbFileType->clear();
    cbFileType->addItems(inputFilterEntries());
    cbFileType->setCurrentIndex(chosen);
  }
  setWindowTitle(LoadText(122));
  Label1->setText(LoadText(101));
  Label2->setText(LoadText(102));
  Label3->setText(LoadText(120));
  Label4->setText(LoadText(121));
  btnQuestion->setText(LoadText(123));
  btnHelp->setText(LoadText(124));
  btnStandard->setText(LoadText(141));
  Frame1->setTitle(LoadText(125));
  btnConvert->setText(LoadText(126));
  chkRedistStandard->setText(LoadText(127));
  chkAppend->setText(LoadText(128));
  chkDetails->setText(LoadText(129));
  chkNoNormalize->setText(LoadText(142));
  for (int i = 0; i < kOptionCount; ++i) Option1[i]->setText(optionCaption(i));
  for (int i = 0; i < kDrawingOptionCount; ++i) {
    OptionDrawing[i]->setText(optionCaption(kOptionCount + i));
  }
  btnDistort->setText(LoadText(143));
  btnModify->setText(LoadText(186));
  btnNaca->setText(LoadText(177));
  if (naca_) naca_->SwitchLanguage();
  fraDrawing->setTitle(LoadText(160));
  lblChord->setText(LoadText(161));
  lblSkin->setText(LoadText(162));
  chkLabel->setText(LoadText(163));
  chkChordLine->setText(LoadText(164));
  lblFarfield->setText(LoadText(165));
  lblMeshSize->setText(LoadText(166));
  chkSpline->setText(LoadText(167));
  showFigures(figures_);
}

void frmMain::DrawShape(DrawingSurface& surface) const {
  if (coordUpperIndex() <= 0) return;
  drawStretched(surface, coordX_, coordY_);
}

void frmMain::picShape_Click() {
  if (coordUpperIndex() <= 0) return;
  if (!zoom_) zoom_ = new frmZoom([this](DrawingSurface& surface) { DrawShape(surface); });
  // Exactly over the preview.
  zoom_->setGeometry(QRect(picShape->mapToGlobal(QPoint(0, 0)), picShape->size()));
  zoom_->show();
  zoom_->raise();
  zoom_->update();
}

void frmMain::btnStandard_Click() {
  if (!stations_) {
    stations_ = new frmStations(
        [this](const std::vector<float>& stations) { return SetStandardStations(stations); }, this);
    stations_->Form_Load();
  }
  stations_->show();
  stations_->raise();
  stations_->activateWindow();
}

void frmMain::btnDistort_Click() {
  auto dialog = std::make_unique<frmDistort>(this);
  dialog->setScales(XScale, YScale);
  dialog->btnReset->setText(LoadText(144));
  dialog->lblXScale->setText(LoadText(145));
  dialog->lblYScale->setText(LoadText(146));
  if (dialog->exec() != QDialog::Accepted) {
    // Closed by its frame: the dialog is gone, and its fields read as a fresh one's.
    dialog = std::make_unique<frmDistort>(this);
  }
  XScale = leadingSingle(dialog->txtXScale->text());
  YScale = leadingSingle(dialog->txtYScale->text());
  dialog.reset();
  updateDistortionIndicator();
}

void frmMain::updateDistortionIndicator() {
  shpDistort->setVisible(std::fabs(XScale - 1.0) > kDistortionTolerance ||
                         std::fabs(YScale - 1.0) > kDistortionTolerance);
}

bool frmMain::distortionShown() const { return !shpDistort->isHidden(); }

void frmMain::btnModify_Click() {
  frmModify dialog(modify_, this);
  if (dialog.exec() == QDialog::Accepted) setModifications(dialog.settings());
}

void frmMain::setModifications(const ModifySettings& settings) {
  modify_ = settings;
  shpModify->setVisible(modify_.any());
  // A made section is shown as it will convert; a file shows when converted.
  if (madeSection_) {
    if (const auto unread = previewFile(QFile::encodeName(madeSection_->file))) {
      showStatus(prefixedMessage(*unread));
    }
  }
}

bool frmMain::modificationShown() const { return !shpModify->isHidden(); }

void frmMain::showHelpPage(const QString& page) {
  if (!help_) help_ = new HelpViewer;
  help_->showPage(page);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void frmMain::btnHelp_Click() { showHelpPage(HelpViewer::contentsPage()); }

void frmMain::Form_HelpKey() { showHelpPage(HelpViewer::pageForContext(helpContext_)); }

frmZoom* frmMain::zoomWindow() const { return zoom_; }
frmStations* frmMain::stationsDialog() const { return stations_; }
frmAbout* frmMain::aboutBox() const { return about_; }
frmNaca* frmMain::nacaDialog() const { return naca_; }
HelpViewer* frmMain::helpViewer() const { return help_; }

void frmMain::btnQuestion_Click() {
  if (!about_) {
    about_ = new frmAbout;
    about_->Form_Load();
  }
  about_->show();
  about_->raise();
  about_->activateWindow();
}

// ---------------------------------------------------------------------------------------
// NACA sections

bool frmMain::nacaSectionsOffered() {
  // The made section is read back through the second entry for the preview.
  return engine_.nacaEntry() != nullptr && engine_.anyFormatEntry() != nullptr;
}

QString frmMain::madeSectionName() const { return madeSection_ ? madeSection_->name : QString(); }

void frmMain::btnNaca_Click() {
  if (!naca_) {
    naca_ = new frmNaca(
        nacaRequest_, [this](const NacaRequest& request) { return MakeNacaSection(request); },
        this);
  }
  // Modal to the window only, so the window's message loop keeps running.
  naca_->open();
  naca_->raise();
  naca_->activateWindow();
}

std::optional<QString> frmMain::MakeNacaSection(const NacaRequest& request) {
  const auto failure = [](const QString& why) { return LoadText(184).arg(why); };
  const auto naca = engine_.nacaEntry();
  if (!naca || !engine_.anyFormatEntry()) return failure(engine_.errorString());
  if (!sectionFolder_) {
    auto folder = std::make_unique<QTemporaryDir>(
        QDir(QDir::tempPath()).filePath(QStringLiteral("alvane-XXXXXX")));
    if (!folder->isValid()) return failure(LoadText(185));
    sectionFolder_ = std::move(folder);
  }
  // A file of its own for every section: the one that is the input stays as it is until
  // the new one could be made and read.
  const QString file = sectionFolder_->filePath(QStringLiteral("naca-%1.dat").arg(++sectionsMade_));
  const QByteArray file8 = QFile::encodeName(file);
  TarvexNacaOptions options = TARVEX_NACA_OPTIONS_INIT;
  options.points = request.points;
  options.closedTrailingEdge = request.closedTrailingEdge ? 1 : 0;
  char reason[512] = "";
  if (naca(request.designation.toUtf8().constData(), &options, file8.constData(), reason,
           sizeof reason) != 0) {
    return failure(QString::fromUtf8(reason));
  }
  QFile written(file);
  // The name line comes first, as the engine names the section ("NACA 0012-64").
  QString name = written.open(QIODevice::ReadOnly)
                     ? QString::fromLatin1(written.readLine(200)).trimmed()
                     : QString();
  written.close();
  if (const std::optional<QString> unread = previewFile(file8)) {
    QFile::remove(file);
    return failure(*unread);
  }
  if (name.isEmpty()) name = QStringLiteral("NACA ") + request.designation;
  forgetMadeSection();
  madeSection_ = MadeSection{name, file};
  nacaRequest_ = request;
  // The section asked for is the input now, not the clipboard.
  chkInClip->setChecked(false);
  showingSectionName_ = true;
  txtInputFilename->setText(name);
  showingSectionName_ = false;
  deriveOutputName();
  showStatus(LoadText(183).arg(name, QString::number(coordUpperIndex())));
  return std::nullopt;
}

void frmMain::forgetMadeSection() {
  if (!madeSection_) return;
  QFile::remove(madeSection_->file);
  madeSection_.reset();
}

std::optional<QString> frmMain::previewFile(const QByteArray& file) {
  const auto anyFormat = engine_.anyFormatEntry();
  if (!anyFormat) return engine_.errorString();
  std::vector<float> x(PointCapacity), y(PointCapacity);
  int32_t count = PointCapacity;
  TarvexFigures figures{};
  char reason[512] = "";
  TarvexOptions options = TARVEX_OPTIONS_INIT;
  QByteArray blendName;
  if (const auto unread = modify_.apply(options, blendName)) return *unread;
  if (anyFormat(file.constData(), nullptr, kPreviewFormat, &options, x.data(), y.data(), &count,
                &figures, reason, sizeof reason) != 0) {
    return QString::fromUtf8(reason);
  }
  const auto points = static_cast<std::size_t>(std::clamp<int>(count, 0, PointCapacity));
  x.resize(points);
  y.resize(points);
  coordX_ = x;
  coordY_ = y;
  picShape->showShape(std::move(x), std::move(y));
  showFigures(std::isfinite(figures.maxThickness) ? std::optional(figures) : std::nullopt);
  return std::nullopt;
}
