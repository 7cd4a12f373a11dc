// The profile window: the chart of one forecast hour above the side panels,
// the model and site lists, the hour and dataset scroll bars, the loop and
// the control pages. Its Form_Load runs the start-up of the whole program.
//
// Controls keep the names of the window design (btnDisplay(i) is
// btnDisplay[i]); handlers are named control_Event. Layout is done by code in
// pixels; the design sizes are given in twips (15 twips a pixel). The chart
// spans the window's width; under it frameLeft (labels, chart buttons, check
// boxes and control pages) and frameRight (the side panels, its right edge on
// the chart's right edge) stand on the bottom of the window.
#pragma once

#include <functional>

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/loadui.h"
#include "core/reader.h"
#include "core/store.h"
#include "profilewindow/archive.h"
#include "profilewindow/config.h"
#include "profilewindow/models.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace ondrik {

class CheckBox;
class PictureBoxWidget;
class ScrollBar;
class Timer;
class WheelFilter;

// Window sizes are kept in twips, as the saved geometry holds them.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kMinWindowWidthTw = 13900;
inline constexpr int kMinWindowHeightTw = 10780;

// What the profile window asks of the overview window. The overview is not
// part of this program yet: the default link has no window, so every call does
// nothing and IsOpen() is false.
class OverviewLink {
 public:
  virtual ~OverviewLink() = default;
  virtual bool IsOpen() const { return false; }
  // btnOverView_Click: create and show the overview.
  virtual void Open() {}
  // UpdateOverview: rebuild the overview for a new file, keeping its layout.
  virtual void Rebuild() {}
  // frmOverView.PlotData.
  virtual void PlotData() {}
  // PlotCursor: move the overview's hour line from fromHour to toHour.
  virtual void MoveCursor(int /*fromHour*/, int /*toHour*/) {}
  // The overview's copy of the dataset bar and overlay button.
  virtual void MirrorDatasetBar(int /*max*/, int /*value*/, bool /*visible*/) {}
  virtual void MirrorDatasetBox(const std::string& /*caption*/, int /*index*/, int /*value*/) {}
  // Saves the overview's layout for the next run.
  virtual void SaveLayout() {}
};

// Module values of the profile window that other windows read.
extern Integer gOverviewOpen;          // the overview window is open
extern Integer gEnsembleMirrorGuard;   // a dataset tick is being copied to the overview
extern bool gDayFirst;                 // the locale writes the day before the month
extern std::array<std::string, 8> gDayNames;  // 1 = "Sunday" .. 7 = "Saturday"
extern Integer gCursorHour;            // hour of the overview's cursor line; -99 none
extern Integer gShownCount;            // datasets shown by the dataset boxes
extern std::array<Long, 8> gWindowGeometry;  // twips: W, H, Top, Left of profile, then overview
extern bool gSettingGeometry;          // a window is being placed from gWindowGeometry
extern Single gHodoScale;
extern Single gMBEScale;
extern Long gHelpLeft;
extern Integer gCapeShearMaxCape;
extern Integer gCapeShearMaxShear;

class frmProfile : public QWidget, public LoadUi {
  Q_OBJECT

 public:
  explicit frmProfile(QWidget* parent = nullptr);
  ~frmProfile() override;

  // ---- start-up and shut-down ----
  // The start-up of the program; args is the command line without the
  // program name. False when start-up ended early (a configuration that
  // cannot be read); the message has then been shown and EndProgram called.
  bool Form_Load(const std::vector<std::string>& args);
  void Form_Resize();
  void Form_Unload();
  void btnDone_Click();

  // ---- models and sites ----
  void lstoptModel_Click();
  void FillSiteList();
  void lstSiteIDs_Click();
  // Selects a row of a list by code, which runs its click handler.
  void SelectModelRow(int row);
  void SelectSiteRow(int row);

  // ---- refresh and panels ----
  void DisplayHour();
  void btnDisplay_Click(int index);
  void btnControl_Click(int index);
  void DisplayECAPEFrame();
  void UpdateOverview();
  void PlotCursor();
  void PlotProfile();

  // ---- hours, datasets, keys, wheel, loop ----
  // Key handler with the platform's key codes (Left 37, Up 38, F1 112 ...).
  void Form_KeyDown(int keyCode, int shift);
  void MouseWheel(int rotation);
  void btnAutoDisplay_Click();
  void timerAutoDisplay_Timer();
  void hsbRate_Change();
  void hsbHour_Change();
  void vsbEE_Change();
  void Cycle(int column);
  void CycleOn();
  void chkefname_Click(int index);
  void btnEnsemble_Click();
  void btnOverView_Click();
  void lblHour_Click();
  void btnTails_Click();
  void btnPHK_Click(int index);
  void btnXfer_Click(int index);
  void btnVWPInterval_Click();
  void btnVWPIntervalA_Click();
  void btnColorWinds_Click();
  void btnDigitalWinds_Click();
  void btnActiveReadOut_Click();
  void btnOmegaFiltered_Click();
  void btnSelectInflow_Click();
  void picOmega_MouseUp(int button);
  void picData_MouseDown(int button, int shift, double x, double y);
  void picData_MouseMove(int button, int shift, double x, double y);
  // A release over one of the readout labels (lblActiveTemp, lblActiveDP,
  // lblActiveDir, lblActiveKts): zooms as a click on the chart does, also
  // while the inflow selection is on.
  void ReadoutLabel_MouseUp(QLabel* label, int button);
  void picData_MouseUp(int button, int shift, double x, double y);

  // ---- LoadUi: what loading a file does to the controls ----
  Integer GetTimeZoneOffset(Single siteLat, Single siteLon) override;
  void SetBusyCursor(bool busy) override;
  void SetElevatedLevelBar(Integer value) override;
  void SetHourBar(Integer lastHour, Integer valueLimit, bool timeLeftToRight) override;
  void SetSigmaLevelBar(Integer min, Integer max, Integer value) override;
  void SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) override;
  void ShowEnsembleControls(bool visible) override;
  void HodoHeightClick(Integer index) override;
  void HodoBaseClick(Integer index) override;
  void RedrawMap() override;
  void SetDatasetBoxes(const DatasetBoxes& boxes) override;
  void DatasetsChanged() override;
  void FocusHourBar() override;

  // Loads a profile file with the options of the chosen model; the data
  // loaded before stay when it fails.
  LoadResult LoadFile(const std::string& path);
  LoadOptions CurrentLoadOptions() const;
  // The command line's batch work (CommandProfile).
  void CommandProfileStep();
  // Saves the chart of the current hour with its titles (ProfileSnap); an
  // empty name is the interactive snapshot.
  bool ProfileSnapStep(const std::string& name);

  // The archive lists in the side-panel area ("Archive" button) and the choice
  // of a file from them.
  void btnSelect_Click();
  void btnProfileSnapShot_Click();
  void btnExport_Click();
  void ArchiveListClick(ArchiveList list, int row);
  void ApplySelectFile(const SelectFilePlan& plan);
  // "Load": any profile file chosen in the open-file dialog.
  void btnArchive_Click();
  // Shows the open-file dialog (start folder, title, filter) and returns the
  // chosen path, "" when cancelled; tests put their own chooser here.
  std::function<std::string(const std::string& folder, const std::string& title,
                            const std::string& filter)>
      chooseProfileFile;

  // The overview window; the window keeps the link (never null).
  void SetOverviewLink(std::unique_ptr<OverviewLink> link);

  // Renders the whole window into a PNG file; false when it cannot be written.
  bool SaveWindowPng(const std::string& path);

  // ---- form fields ----
  Integer CurHour = 0;
  Integer RightPanel = 0;
  Integer PreviousPanel = 0;
  Integer ControlPanel = 6;
  Integer SiteFileCount = 0;
  Integer ModelSwitchByCode = 0;
  bool LoopRunning = false;
  bool InflowSelectMode = false;
  bool ECAPEShown = false;
  std::string LastSite = "xxx";
  Integer PlainTMin = -60, PlainTMax = 30, SkewTMin = -60, SkewTMax = 30;
  Single OmegaRange = 11.0F;
  Integer LastReadoutLevel = 20;
  Integer HeightAxis = 1;         // pressed btnPHK: 0 "P", 1 "Ft", 2 "Km"
  bool ShowThickness = false;     // precipitation-type panel: thickness view (else energy)
  Integer SavedRightPanel = 0;    // side panel and control page of the last run
  Integer SavedControlPanel = 0;
  Integer SavedLakeF = 34;
  bool FileLoaded = false;        // a profile file is in the store (lets DisplayHour draw)
  bool ArchiveMode = false;       // "-ARCHIVE": snapshot names carry the valid time
  Integer gXferIndex = 1;         // pressed btnXfer: momentum-transfer step of the chart
  std::string gSiteId;            // site of the loaded file
  // Tool tips of the downloader's lists "A" to "V", read at start-up; no
  // value for a list whose file is missing.
  std::vector<std::optional<std::string>> HaulixToolTips;

  // The configuration read at start-up, the chosen model and its site list.
  Config cfg;
  ModelState model;
  std::vector<MapSite> mapSites;

  // The chart's own state and check-box values (filled from the boxes at
  // every redraw).
  ChartState chart;

  // ---- controls ----
  QFrame* frameData = nullptr;
  QFrame* frameLeft = nullptr;
  QFrame* frameRight = nullptr;
  QFrame* frameOverview = nullptr;
  QListWidget* lstoptModel = nullptr;
  QListWidget* lstSiteIDs = nullptr;
  PictureBoxWidget* picData = nullptr;
  PictureBoxWidget* picOmega = nullptr;
  PictureBoxWidget* picLogo = nullptr;
  // Side panels (index order of the panel table) and the archive lists.
  PictureBoxWidget* picProfile = nullptr;
  PictureBoxWidget* picMap = nullptr;
  QFrame* frameHodograph = nullptr;
  PictureBoxWidget* picHodograph = nullptr;
  PictureBoxWidget* picIndices = nullptr;
  PictureBoxWidget* picCape = nullptr;
  PictureBoxWidget* picMBE = nullptr;
  PictureBoxWidget* picPrecipType = nullptr;
  PictureBoxWidget* picLapse = nullptr;
  PictureBoxWidget* picFog = nullptr;
  PictureBoxWidget* picDont = nullptr;
  QFrame* picFiles = nullptr;
  QLabel* lblModelSite = nullptr;
  QLabel* lblModel = nullptr;
  QLabel* lblAll = nullptr;
  QListWidget* lstModelSite = nullptr;
  QListWidget* lstModel = nullptr;
  QListWidget* lstAll = nullptr;
  ArchiveLists archive;
  QPushButton* btnArchive = nullptr;
  std::string gFileModel;  // model of the last file chosen in the dialog
  QFrame* pnlMap = nullptr;
  QFrame* pnlHodograph = nullptr;
  QFrame* pnlShear = nullptr;
  PictureBoxWidget* picReason = nullptr;
  QFrame* frameECAPE = nullptr;
  QFrame* frmXfer = nullptr;

  ScrollBar* hsbHour = nullptr;
  ScrollBar* vsbEE = nullptr;
  ScrollBar* hsbRate = nullptr;
  ScrollBar* hsbDelay = nullptr;
  ScrollBar* vsbLakeF = nullptr;
  ScrollBar* vbsElevatedPT = nullptr;
  ScrollBar* vsbSigmaLevel = nullptr;
  std::array<ScrollBar*, 2> vsbMeanFlow{};
  Timer* timerAutoDisplay = nullptr;

  QLabel* lblHour = nullptr;
  QLabel* lblDate = nullptr;
  QLabel* lblLocal = nullptr;
  QLabel* lblSelectEnsemble = nullptr;
  QLabel* lblCI850 = nullptr;
  QLabel* lblCI700 = nullptr;
  QLabel* lblLakeC = nullptr;
  QLabel* lblRate = nullptr;
  QLabel* lblDelay = nullptr;

  QPushButton* btnAutoDisplay = nullptr;
  QPushButton* btnDone = nullptr;
  QPushButton* btnOverView = nullptr;
  QPushButton* btnSetup = nullptr;
  QPushButton* btnHelp = nullptr;
  QPushButton* btnSelect = nullptr;
  QPushButton* btnProfileSnapShot = nullptr;
  QPushButton* btnExport = nullptr;
  QPushButton* btnEnsemble = nullptr;
  QPushButton* btnTails = nullptr;
  QPushButton* btnT1Lower = nullptr;
  QPushButton* btnT1Higher = nullptr;
  QPushButton* btnTempLower = nullptr;
  QPushButton* btnTemHigher = nullptr;
  QPushButton* btnVWPInterval = nullptr;
  QPushButton* btnVWPIntervalA = nullptr;
  QPushButton* btnOmegaFiltered = nullptr;
  QPushButton* btnColorWinds = nullptr;
  QPushButton* btnDigitalWinds = nullptr;
  QPushButton* btnActiveReadOut = nullptr;
  // Cursor readout beside the chart's traces, and the elevated-parcel frame.
  QLabel* lblActiveTemp = nullptr;
  QLabel* lblActiveDP = nullptr;
  QLabel* lblActiveDir = nullptr;
  QLabel* lblActiveKts = nullptr;
  QLabel* lblActiveAxis = nullptr;
  std::vector<QLabel*> frameECAPELabels;  // p, t, dp, CAPE, hail CAPE, CIN, EQL, NCAPE
  PictureBoxWidget* picEHailCape = nullptr;
  std::vector<QPushButton*> btnDisplay;   // 0..9
  std::vector<QPushButton*> btnControl;   // 0..5
  std::vector<QFrame*> pnlControl;        // 0..5
  std::vector<QPushButton*> btnPHK;       // 0 "P", 1 "Ft", 2 "Km"
  std::vector<QPushButton*> btnXfer;      // 0 "30", 1 "1", 2 "10", 3 "20"
  std::vector<CheckBox*> chkefname;       // 0..19: 4 columns of 5

  // Chart check boxes.
  CheckBox* chkSkewT = nullptr;
  CheckBox* chkLines = nullptr;
  CheckBox* chkDryAdiabats = nullptr;
  CheckBox* chkClouds = nullptr;
  CheckBox* chkLayer2Layer = nullptr;
  std::vector<CheckBox*> chkRH;           // 0 "Rel Humidity", 1 "Rel Humidity (Ice)"
  CheckBox* chkInversions = nullptr;
  CheckBox* chkWetBulb = nullptr;
  CheckBox* chkIcing = nullptr;
  CheckBox* chkFP = nullptr;
  CheckBox* chkLakeIndex = nullptr;
  CheckBox* chkLIC = nullptr;
  CheckBox* chkMoistLakeIndex = nullptr;
  CheckBox* chkLCL = nullptr;
  CheckBox* chkLFC = nullptr;
  CheckBox* chkEQL = nullptr;
  CheckBox* chkWBZ = nullptr;
  CheckBox* chkCCL = nullptr;
  CheckBox* chkConvectiveTemp = nullptr;
  CheckBox* chkParcel = nullptr;
  CheckBox* chkCINS = nullptr;
  CheckBox* chkMomentum = nullptr;
  CheckBox* chkSnowGrowth = nullptr;
  CheckBox* chkHailGrowth = nullptr;
  CheckBox* chk10MWind = nullptr;
  CheckBox* ChkOmega = nullptr;
  CheckBox* chkWindVector = nullptr;
  CheckBox* chkWindDigital = nullptr;
  CheckBox* chkMeanFlow = nullptr;
  CheckBox* chkSigmaLevel = nullptr;
  CheckBox* chkActiveReadout = nullptr;
  CheckBox* chksWSYMb = nullptr;
  CheckBox* chkECAPE = nullptr;

  // Counters the tests read: how often the chart and the side panel were drawn.
  int chartDrawCount = 0;
  int panelDrawCount = 0;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildSidePanels();
  void BuildControlPages();
  void BuildChartOptions();
  void PlaceControls();
  void LayoutFrameLeft();
  void LayoutFrameRight();
  CheckBox* MakeChartBox(QWidget* parent, const char* caption);
  QPushButton* MakeButton(QWidget* parent, const QString& caption);

  // Start-up steps that lean on other parts of the program.
  bool ReadConfigStep();
  void ApplySavedGeometry();
  void ReadHistoryDefaults();

  // One drawer per side panel; the panels are not part of this window.
  void DrawDataTable();
  void RefreshMap();
  void DrawHodograph();
  void PrintIndices();
  void PlotCapeShear();
  void DrawHeavyPrecipPanel();
  void DrawPrecipTypePanel();
  void PrintLapseRates();
  void DrawFogPanel();
  void ShowLakeEffect();
  void ShowMatrixPanel();
  void DrawOmegaScale();
  void OpenTrainingLinks(const std::string& topic);
  void btnRecall_Click(int index);

  // Chart check box handlers.
  void ChartBoxClicked(CheckBox* box);
  void chkRH_Click(int index);
  void chkSkewT_Click();
  void chkMeanFlow_Click();
  void chkSigmaLevel_Click();
  void ChkOmega_Click();
  void chkWindVector_Click();
  void chkWindDigital_Click();
  void chkActiveReadout_Click();
  void chksWSYMb_Click();
  void SyncChartState();
  void ShowReadout();
  void chkMomentum_Click();
  void chkECAPE_Click();
  void vsbLakeF_Change();
  void vbsElevatedPT_Change();
  void TempBoundStep(bool leftBound, int delta);

  double ChartYOfPixel(double py) const;
  void SetHourRange(int lastHour);
  void SetLoadingState(bool on);
  void SetBold(QPushButton* b, bool bold);
  // Position of the keyboard focus: true while a text box has it.
  bool TextBoxHasFocus() const;
  QWidget* PanelControl(int index) const;

  std::unique_ptr<OverviewLink> overview_;
  WheelFilter* wheel_ = nullptr;
  bool ended_ = false;
  int busyDepth_ = 0;
  std::string commandLine_;
  std::vector<std::string> args_;
  std::array<std::string, kDatasetBoxCount> boxCaption_{};
};

// Whole pixels of a length in twips.
inline int Px(int twips) { return twips / kTwipsPerPixel; }

// Caption of the hour label: hour index times hours per step, as the window
// shows it ("15", "1.5", "0.0").
std::string HourCaption(int curHour, Single hoursPerStep);
// The date label: "03/12/12     18:00 Z".
std::string DateCaption(const DateTime& valid);

}  // namespace ondrik
