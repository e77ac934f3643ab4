// The main window: input and output choice, output format and options, the Convert
// button that makes one engine call, the status line and the preview.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "conversion_rules.h"
#include "engine_library.h"
#include "frmModify.h"
#include "frmNaca.h"

class ClickLabel;
class DrawingSurface;
class HelpViewer;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMimeData;
class QPushButton;
class QRadioButton;
class QTemporaryDir;
class QTreeView;
class ShapePreview;
class frmAbout;
class frmStations;
class frmZoom;

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // engineFile names the engine library to bind; empty for the usual search.
  explicit frmMain(const QString& engineFile = {}, QWidget* parent = nullptr);
  ~frmMain() override;

  // Load and unload.
  void Form_Load();
  void InitializeApp();
  void TerminateApp();

  // Event handlers.
  void btnConvert_Click();
  void Option1_Click(int index);
  void txtInputFilename_Change();
  void Dir1_Change();
  void FileList_Click();
  void cbFileType_Click();
  void cbLanguage_Click();
  void chkInClip_Click();
  void chkOutClip_Click();
  void Label3_Click();
  void Label4_Click();
  void Form_OLEDragDrop(const QMimeData& data, Qt::DropActions offered);
  void picShape_Click();
  void btnStandard_Click();
  void btnDistort_Click();
  void btnModify_Click();
  void btnNaca_Click();
  void btnHelp_Click();
  void btnQuestion_Click();
  void Form_HelpKey();

  // Operations the other windows use.
  void SwitchLanguage();
  void DrawShape(DrawingSurface& surface) const;
  bool CopyDataFromClipboard(const QString& fileName);
  bool CopyFileToClipboard(const QString& fileName);
  // ISETXS with these stations: the engine's result, or -1 when it cannot be bound.
  int SetStandardStations(const std::vector<float>& stations);

  // A file taken as if it had been dropped on the window (also the command-line file).
  void TakeInputFile(const QString& path);

  // Makes the NACA section of the request and takes it as the input, in place of a file,
  // until a file is picked, dropped or typed; shows it in the preview. Nothing, or why it
  // could not be made (the input and the preview then stay as they were).
  std::optional<QString> MakeNacaSection(const NacaRequest& request);
  // Whether the engine makes NACA sections, so the entry is offered.
  bool nacaSectionsOffered();
  // The name of the made section while it is the input, else empty.
  QString madeSectionName() const;

  // Input browsing.
  QString Dir1Path() const { return dirPath_; }
  void setDir1Path(const QString& path);
  QString fileListPath() const { return fileListPath_; }
  QString fileListPattern() const { return fileListPattern_; }
  QStringList fileListEntries() const;

  // Whether the engine has the entry for the drawing and mesh formats, so they are offered.
  bool drawingFormatsOffered();

  // Conversion state.
  int selectedOption() const;
  int coordUpperIndex() const { return static_cast<int>(coordX_.size()); }
  std::span<const float> CoordX() const { return coordX_; }
  std::span<const float> CoordY() const { return coordY_; }
  bool distortionShown() const;
  bool modificationShown() const;
  // The shaping steps every later conversion applies (what the Modify dialog gives).
  void setModifications(const ModifySettings& settings);
  QString statusText() const;
  int helpContext() const { return helpContext_; }

  // Engine binding failures: the default reports them and ends the program.
  void setEngineFailureHandler(std::function<void(const QString&)> handler);
  bool engineFailed() const { return engineFailed_; }

  // Windows opened from here, while they exist.
  frmZoom* zoomWindow() const;
  frmStations* stationsDialog() const;
  frmAbout* aboutBox() const;
  frmNaca* nacaDialog() const;
  HelpViewer* helpViewer() const;

  float XScale = 1.0f;
  float YScale = 1.0f;

  // Controls, named as the window's own.
  QTreeView* Dir1 = nullptr;
  QListWidget* FileList = nullptr;
  QComboBox* cbFileType = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  ClickLabel* Label3 = nullptr;
  ClickLabel* Label4 = nullptr;
  QLabel* Image1 = nullptr;
  QLineEdit* txtInputFilename = nullptr;
  QLineEdit* txtOutputFilename = nullptr;
  QCheckBox* chkInClip = nullptr;
  QCheckBox* chkOutClip = nullptr;
  QGroupBox* Frame1 = nullptr;
  std::array<QRadioButton*, kOptionCount> Option1{};
  // Further options after the seventeen: the drawing and mesh formats, and their settings.
  std::array<QRadioButton*, kDrawingOptionCount> OptionDrawing{};
  QGroupBox* fraDrawing = nullptr;
  QLabel* lblChord = nullptr;
  QLineEdit* txtChord = nullptr;
  QLabel* lblSkin = nullptr;
  QLineEdit* txtSkin = nullptr;
  QCheckBox* chkLabel = nullptr;
  QCheckBox* chkChordLine = nullptr;
  QLabel* lblFarfield = nullptr;
  QLineEdit* txtFarfield = nullptr;
  QLabel* lblMeshSize = nullptr;
  QLineEdit* txtMeshSize = nullptr;
  QCheckBox* chkSpline = nullptr;
  QCheckBox* chkDetails = nullptr;
  QCheckBox* chkAppend = nullptr;
  QCheckBox* chkRedistStandard = nullptr;
  QCheckBox* chkNoNormalize = nullptr;
  QPushButton* btnStandard = nullptr;
  QPushButton* btnDistort = nullptr;
  QPushButton* btnModify = nullptr;
  QFrame* shpModify = nullptr;
  QPushButton* btnNaca = nullptr;
  QFrame* shpDistort = nullptr;
  QPushButton* btnConvert = nullptr;
  QPushButton* btnHelp = nullptr;
  QPushButton* btnQuestion = nullptr;
  QComboBox* cbLanguage = nullptr;
  ShapePreview* picShape = nullptr;
  QStatusBar* StatusBar = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QWidget* createInputColumn();
  QWidget* createOptionColumn();
  QWidget* createFormatFrame();
  QGroupBox* createDrawingFrame(QWidget* parent);
  void connectControls();

  // One conversion: the status-line message, or nothing when the engine cannot be bound.
  std::optional<QString> convert();
  void showStatus(const QString& text);
  // The settings of the drawing and mesh formats as the second entry takes them, or the
  // message for a field that holds no number.
  std::variant<TarvexOptions, QString> drawingOptions() const;
  // The figures of the converted section, or none, shown in the preview's tool tip.
  void showFigures(std::optional<TarvexFigures> figures);
  // Enables the settings the selected format uses.
  void updateDrawingFields();
  void deriveOutputName();
  // Selects the shown folder in the tree and scrolls it into view.
  void revealDir1Path();
  void setFileListPath(const QString& path);
  void setFileListPattern(const QString& pattern);
  void refreshFileList();
  void selectInFileList(const QString& fullName);
  void setCoordEmpty();
  // The points of a file as a conversion would draw them, with their figures; the reason
  // when the engine cannot read it.
  std::optional<QString> previewFile(const QByteArray& file);
  // A file or the clipboard is the input again.
  void forgetMadeSection();
  void updateDistortionIndicator();
  void showHelpPage(const QString& page);
  void engineFailure(const QString& error);

  EngineLibrary engine_;
  std::function<void(const QString&)> engineFailureHandler_;
  bool engineFailed_ = false;
  bool converting_ = false;
  bool followDir1_ = true;

  // Converted points 1..n (element i - 1 is point i); empty after load and after a failed
  // conversion, 500 zeros during the engine call.
  std::vector<float> coordX_, coordY_;
  std::optional<TarvexFigures> figures_;

  // A made NACA section as the input: its name and its file in the section folder, a
  // folder of the program's own among the temporary files that goes with the window.
  struct MadeSection {
    QString name;
    QString file;
  };
  std::optional<MadeSection> madeSection_;
  std::unique_ptr<QTemporaryDir> sectionFolder_;
  int sectionsMade_ = 0;
  NacaRequest nacaRequest_;
  // The input field shows the made section's name, which is no file name typed.
  bool showingSectionName_ = false;

  QString dirPath_;
  QString fileListPath_;
  QString fileListPattern_;
  int helpContext_ = 0;

  QFileSystemModel* dirModel_ = nullptr;
  QButtonGroup* optionGroup_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QPointer<frmZoom> zoom_;
  QPointer<frmStations> stations_;
  QPointer<frmAbout> about_;
  QPointer<frmNaca> naca_;
  ModifySettings modify_;  // the shaping steps every conversion applies
  QPointer<HelpViewer> help_;
};
