// The profile window: the chart of one forecast hour above the side panels,
// the model and site lists, the hour and dataset scroll bars, the loop and
// the control pages. Its Form_Load runs the start-up of the whole program.
//
// Controls keep the names of the window design and are private; tests find
// them by object name. Handlers are named control_Event and are public: the
// command line, the overview and saved state call them. Side panels and
// control pages are made from the panel tables (profilewindow/paneltable.h)
// and reached only through their interface; the chart's check boxes are made
// from one table of options (frmprofile_chart.cpp).
//
// The implementation is split by concern: frmprofile.cpp (controls and
// layout), frmprofile_startup.cpp (start-up, shut-down, models and sites),
// frmprofile_hours.cpp (refresh, hour stepping, keys, loop), _datasets.cpp
// (dataset boxes and bar, what a load does), _chart.cpp (chart options,
// buttons and mouse), _panels.cpp (panel and page switching), _overview.cpp
// (the link with the overview window), _batch.cpp (command line, archive,
// snapshot and export).
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/loadui.h"
#include "core/reader.h"
#include "core/shared.h"
#include "overviewwindow/profilelink.h"
#include "core/store.h"
#include "panels/panel.h"
#include "profilewindow/archive.h"
#include "platform/busycursor.h"
#include "platform/windowplace.h"
#include "config/config.h"
#include "profilewindow/models.h"
#include "profilewindow/training.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace ondrik {

namespace saved {
struct DisplaySetup;
struct HistoryFile;
}  // namespace saved

class AlertsPage;
class ArchivePanel;
class CheckBox;
class ConvectionPage;
class frmHelp;
class frmSetUp;
class LoopPage;
class OverlaysPage;
class PictureBoxWidget;
class ScrollBar;
class ScrollPage;
class SnapshotSaver;
struct SnapshotRequest;
class Timer;
class WheelFilter;

// The window's smallest size in twips (kTwipsPerPixel: platform/windowplace.h).
inline constexpr int kMinWindowWidthTw = 13900;
inline constexpr int kMinWindowHeightTw = 10780;

// What the profile window asks of the overview window. The window's link
// (profilewindow/overviewlink.h) creates the overview when it is opened; this
// default has no window, so every call does nothing and IsOpen() is false.
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
  // PlotCursor: move the overview's hour line from fromHour to toHour; false
  // when no line is drawn (the overview's "Cursor" is not ticked).
  virtual bool MoveCursor(int /*fromHour*/, int /*toHour*/) { return false; }
  // The overview's copy of the dataset bar and overlay button (bold while
  // gOverlayAll).
  virtual void MirrorDatasetBar(int /*max*/, int /*value*/, bool /*visible*/) {}
  virtual void MirrorDatasetBox(const std::string& /*caption*/, int /*index*/, int /*value*/) {}
  // Keeps the overview's place and its layout (slot 8) for the next run.
  virtual void SaveLayout() {}
  // The command line's overview snapshots: recall a layout (false when the
  // slot held none), save the snapshot named for the suffix, size the
  // pictures by the scale and lay the window out again.
  virtual bool RecallLayout(int /*slot*/) { return false; }
  virtual bool Snap(const std::string& /*suffix*/) { return false; }
  virtual void ScalePictures(double /*scale*/) {}
  virtual void Resize() {}
};

// Module values of the profile window that other windows read.
extern bool gDayFirst;                 // the locale writes the day before the month
extern Integer gShownCount;            // datasets shown by the dataset boxes

class frmProfile;

// What the click of a chart box redraws (none, or the chart and/or the map).
enum BoxRedraw : unsigned { kDrawNone = 0, kDrawChart = 1, kDrawMap = 2 };

// One check box of the chart: its name and caption, the option it sets, the
// help topic its click hands over, the box it unticks (the two may not both be
// ticked), where it stands (the chart's grid, or a control page at a place),
// what else its click shows or hides, what it redraws, and whether the click
// does anything beyond setting the option while the loading state is raised
// (a guarded box does not).
struct ChartBoxRow {
  const char* name;
  const char* caption;
  bool& (*field)(ChartOptions&);
  const char* topic;
  const char* unticks;
  int page;  // -1: the grid under the chart
  int x, y;  // place on the page
  void (frmProfile::*follow)();
  unsigned redraw;  // BoxRedraw flags
  bool guarded = false;
};

class frmProfile : public QWidget, public LoadUi, private PanelHost, private ChartEvents, private ProfileLink {
  Q_OBJECT

 public:
  // The one table of the chart's check boxes: it builds them, drives their
  // clicks, and is what display setups save of them.
  static const std::vector<ChartBoxRow>& ChartBoxes();

  // The panel tables the window is made from; tests may add or replace rows.
  struct PanelTables {
    std::vector<PanelEntry> panels;
    std::vector<PanelEntry> pages;
  };
  static PanelTables DefaultPanelTables();

  explicit frmProfile(QWidget* parent = nullptr, PanelTables tables = DefaultPanelTables());
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
  // Lists the sites of the chosen model; the row to select (-1 none).
  int FillSiteList();
  void lstSiteIDs_Click();
  // Selects a row of a list by code, which runs its click handler.
  void SelectModelRow(int row);
  void SelectSiteRow(int row) override;

  // ---- the downloader ----
  // A list button "A".."V" (index 0..21): the downloader with that list; the
  // model list turns dark red when the list brought compressed files.
  void btnHaulix_Click(int index);
  // "Get Data": the downloader without a list.
  void btnNewData_Click();
  // The model list's mark for compressed files that wait for the converter.
  bool ModelListMarked() const { return modelListMarked_; }

  // ---- refresh and panels ----
  void DisplayHour() override;
  void btnDisplay_Click(int index);
  // A side panel shown again by a road other than its button (the last
  // run's panel, a setup's): the archive panel with its lists filled and
  // captioned (as "Archive" fills them, when this run has not yet); any
  // other as its button does.
  void ShowPanelAgain(int index);
  void btnControl_Click(int index);
  void UpdateOverview();
  void PlotCursor();
  // The open overview drawn again, after a change of what it shows from
  // this window (the helicity layer, the winds, the transfer step, a setup,
  // the datasets shown, the lake temperature); nothing while the loading
  // state is raised.
  void RedrawOverview() override;
  void PlotProfile();
  void DrawOmegaScale();

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

  // ---- chart buttons and mouse ----
  void btnPHK_Click(int index);
  void btnXfer_Click(int index) override;
  void btnVWPInterval_Click();
  void btnVWPIntervalA_Click();
  void btnColorWinds_Click();
  void btnDigitalWinds_Click();
  void btnActiveReadOut_Click();
  void btnOmegaFiltered_Click();
  // The level bars of the map's overlays: the two bounds of the mean-wind
  // layer (never equal: a bar moved onto the other is pushed one step past
  // it) and the sigma level.
  void picOmega_MouseUp(int button);
  void picData_MouseDown(int button, int shift, double x, double y);
  void picData_MouseMove(int button, int shift, double x, double y);
  void picData_MouseUp(int button, int shift, double x, double y);
  // A release over one of the readout labels (lblActiveTemp, lblActiveDP,
  // lblActiveDir, lblActiveKts): zooms as a click on the chart does, also
  // while a side panel's inflow selection is on.
  void ReadoutLabel_MouseUp(QLabel* label, int button);
  // Display setups: every chart box and button from the options, with the
  // loading state raised, as a recall does; nothing is drawn.
  void SetChartOptions(const ChartOptions& options);
  // Side panels and pages for saved state.
  PanelSettings CapturePanelSettings() const;
  void ApplyPanelSettings(const PanelSettings& settings);
  // Display setups (frmprofile_savedstate.cpp): F1 to F6 are slots 0 to 5.
  // False when the setup could not be saved (the user has been told).
  bool btnSave_Click(int index);
  void btnRecall_Click(int index);

  // ---- LoadUi: what loading a file does to the controls ----
  Integer GetTimeZoneOffset(Single siteLat, Single siteLon) override;
  void SetBusyCursor(bool busy) override;
  void SetElevatedLevelBar(Integer value) override;
  void SetHourBar(Integer lastHour, Integer valueLimit, bool timeLeftToRight) override;
  void SetSigmaLevelBar(Integer min, Integer max, Integer value) override;
  void SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) override;
  void ShowEnsembleControls(bool visible) override;
  void NewFileLoaded() override;
  void HodoHeightClick(Integer index) override;
  void HodoBaseClick(Integer index) override;
  void RedrawMap() override;
  void SetDatasetBoxes(const DatasetBoxes& boxes) override;
  void DatasetsChanged() override;
  void FocusHourBar() override;

  // Loads a profile file with the options of the chosen model; the data
  // loaded before stay when it fails. Once it is loaded, `shown` makes the
  // window show it (the road's caption, site list, overview), and only then
  // is the user told what of the file was left out (once: not again when
  // the same file, unchanged, is loaded right after itself, as the command
  // line does after its model choice).
  LoadResult LoadFile(const std::string& path, const std::function<void()>& shown);
  LoadOptions CurrentLoadOptions() const;
  // The command line's batch work (CommandProfile).
  void CommandProfileStep();
  // Saves the chart of the current hour with its titles (ProfileSnap) and
  // draws it clean again; an empty name is the interactive snapshot.
  bool ProfileSnapStep(const std::string& name);
  // The batch's snapshot: the titles stay on the chart until the next redraw
  // (the batch draws once at its end), and the saver saves the picture while
  // the next one is drawn; `saved` learns how that went.
  void ProfileSnapInBackground(char letter, SnapshotSaver& saver, std::function<void(bool ok)> saved);
  // The request of a snapshot of the current hour; none without a file.
  std::optional<SnapshotRequest> ProfileSnapRequest(const std::string& name) const;
  // The chart drawn for a snapshot: its frame below the band that the titles
  // (and the omega strip over them) will take, so that they hide none of it.
  void PlotProfileUnderSnapshotTitles(const SnapshotRequest& req);
  // The chart for the overview's picture-in-picture within room (pixels).
  const PictureBox* ChartPicture(QSize room) override;

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

  // ---- training, help and set-up ----
  // GetTraining: reads the training index and turns training mode off.
  void GetTraining();
  const TrainingIndex& Training() const { return training_; }
  // The logo: training mode on or off (the pointer shows it).
  void picLogo_Click();
  // "Training": the help window; "Set Up": the set-up window.
  void btnHelp_Click();
  void btnSetup_Click();

  // The overview window; the window keeps the link (never null).
  void SetOverviewLink(std::unique_ptr<OverviewLink> link);

  // Renders the whole window into a PNG file; false when it cannot be written.
  bool SaveWindowPng(const std::string& path);

  // ---- what others read ----
  const ChartState& Chart() const override { return chart_; }
  const Config& Settings() const override { return cfg_; }
  const ModelState& Model() const { return model_; }
  SidePanel* Panel(int index) const;
  SidePanel* Page(int index) const;

  // ---- form fields ----
  Integer CurHour = 0;
  Integer RightPanel = 0;
  Integer PreviousPanel = 0;
  Integer ControlPanel = 6;
  Integer SiteFileCount = 0;
  Integer ModelSwitchByCode = 0;
  bool LoopRunning = false;
  std::string LastSite = "xxx";
  bool ShowThickness = false;     // precipitation-type panel: thickness view (else energy)
  Integer SavedRightPanel = 0;    // side panel and control page of the last run
  Integer SavedControlPanel = 0;
  Integer SavedLakeF = 34;
  bool FileLoaded = false;        // a profile file is in the store (lets DisplayHour draw)
  bool ArchiveMode = false;       // "-ARCHIVE": snapshot names carry the valid time
  std::string gSiteId;            // site of the loaded file
  std::string gFileModel;         // model of the last file chosen in the dialog
  // Tool tips of the downloader's lists "A" to "V", read at start-up; no
  // value for a list whose file is missing.
  std::vector<std::optional<std::string>> HaulixToolTips;

 signals:
  // The chart was drawn (a redraw or a zoom).
  void ChartDrawn();
  // A side panel was asked to draw.
  void PanelDrawn(int index);
  // The chart drew a dataset (in drawing order, the current one last).
  void ChartDatasetDrawn(int dataset);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // ---- PanelHost ----
  Integer Hour() const override { return CurHour; }
  void OpenTrainingLinks(const std::string& topic) override;
  void RedrawChart() override { PlotProfile(); }
  void HighlightChartLevel(Integer L) override;
  void WindsEdited(bool finished) override;
  const std::vector<MapSite>& MapSites() const override { return mapSites_; }
  const MapFeatureTable& MapFeatures() const override { return mapFeatures_; }
  Integer SigmaLevelStep() const override { return model_.params.gSigmaLevelStep; }

  // ---- ProfileLink: what the overview reads and asks (frmprofile_overview.cpp) ----
  OverviewInputs Inputs() const override;
  HourBar Hours() const override;
  DatasetBar Datasets() const override;
  DatasetBoxState Boxes() const override;
  LevelBars Levels() const override;
  std::string LakeTemperatureCaption() const override;
  void SetHour(int value) override;
  void SetDataset(int value) override;
  void SetDatasetBox(int index, int value) override;
  void ToggleOverlay() override { btnEnsemble_Click(); }
  void DatasetBoxesSet() override;
  void SetBourgouin(int value) override;
  void SetElevatedLevel(int level) override;
  void SetHodoLayer(Single top, Single bottom) override;
  std::string SnapshotTitle() const override;
  std::optional<std::string> SaveSnapshot(const QImage& image, const std::string& suffix) override;
  void BringForward() override;
  bool AdjustTimeZone(int delta) override;
  void SetOmegaSmooth(bool on) override { chart_.opt.gOmegaSmoothOn = on; }
  void ToggleTrainingMode() override { picLogo_Click(); }
  std::string BrowserPath() const override { return cfg_.gBrowserPath; }
  bool ThicknessView() const override { return ShowThickness; }
  void SetThicknessView(bool thickness) override;
  int TrailHours() const override;

  // ---- ChartEvents: passed on to the side panel shown ----
  void DatasetDrawn(Integer dataset) override { emit ChartDatasetDrawn(dataset); }
  bool WantsCursorLevel() const override;
  void CursorLevel(Integer D, Integer H, Integer L) override;
  bool TakeChartClick() override;
  ChartMarks MarksFor(Integer D, Integer H) override;

  // ---- building and layout (frmprofile.cpp) ----
  void BuildControls();
  void BuildChartControls();
  void BuildChartBoxes();
  void BuildPanels(const PanelTables& tables);
  void ConnectHandlers();
  void DrawLogo();
  void PlaceControls();
  void LayoutFrameLeft();
  void LayoutFrameRight();
  QPushButton* MakeButton(QWidget* parent, const QString& caption);

  // ---- start-up steps ----
  bool ReadConfigStep();
  void ApplySavedGeometry();

  // ---- saved state (frmprofile_savedstate.cpp) ----
  void ReadHistory();
  bool WriteHistory() const;
  saved::HistoryFile CaptureHistory() const;
  void ApplyHistory(const saved::HistoryFile& h);
  saved::DisplaySetup CaptureSetup() const;
  void ApplySetup(const saved::DisplaySetup& u);
  Single PressureOfLevel(Integer level) const;
  std::optional<Integer> LevelOfSavedPressure(Single p) const;
  void ChooseHodoLayer(Single top, Single bottom);
  // The index thresholds changed: the chart takes its layer-shear bands from them.
  void IndexThresholdsChanged();

  // ---- chart options (frmprofile_chart.cpp) ----
  void ChartBoxClicked(const ChartBoxRow& row);
  void SkewBoundsFollowBox();
  void OmegaStripFollowsBox();
  void ColorWindsFollowBox();
  void DigitalWindsFollowBox();
  void ReadoutFollowsBox();
  void TransferButtonsFollowBox();
  // The overview draws the precipitation types of the source chosen.
  void OverviewFollowsTypeSource();
  void ShowChartButtons();
  void ShowReadout();
  // After a redraw of the chart: the readout read again where the pointer
  // rests over the chart, or hidden.
  void ReadoutAfterRedraw();
  void vbsElevatedPT_Change();
  void TempBoundStep(bool leftBound, int delta);
  void ChartOptionsChanged();

  void SetHourRange(int lastHour);
  void SetBold(QPushButton* b, bool bold);
  void SetUnderline(QPushButton* b, bool on);
  // True while a text box has the keyboard focus.
  bool TextBoxHasFocus() const;
  SidePanel* ShownPanel() const;

  // ---- state ----
  Config cfg_;
  ModelState model_;
  std::vector<MapSite> mapSites_;
  MapFeatureTable mapFeatures_;  // the lookup table, read at start-up
  ArchiveLists archive_;
  ChartState chart_;
  PictureBox pipChart_{1, 1};  // the chart drawn anew for the overview's picture-in-picture
  std::unique_ptr<OverviewLink> overview_;
  LevelBars loadedLevelBars_;  // the level bars as the last load set them
  WheelFilter* wheel_ = nullptr;
  // The controls scroll in a window that the screen holds only smaller.
  std::unique_ptr<ScrollPage> scroll_;
  bool ended_ = false;
  BusyCursor busy_;
  std::string commandLine_;
  std::vector<std::string> args_;
  std::string startFolder_;  // the current folder when the program started, ending in "/"
  TrainingIndex training_;
  bool modelListMarked_ = false;
  int shownSiteRow_ = -1;  // row of lstSiteIDs whose data are shown; -1 none
  int siteRowAtPress_ = -1;  // the current row of lstSiteIDs when the mouse was last pressed on it
  std::string loadedNotice_;  // what the last load said of its file, with the file's time
  // The site list's row back on the site shown, without a load.
  void ShowSiteShown();
  // A file of `site` is shown, whichever road loaded it: it is the site of
  // the snapshots and the one a model switch loads next (gSiteId, LastSite),
  // and the list chooses its row (`row`, or the first that names the site;
  // none when no row does) without a load. A file whose name gives no site
  // ("") keeps the site before and chooses no row.
  void FollowSiteShown(const std::string& site, int row = -1);
  void MarkModelList(bool marked);
  QPointer<frmHelp> help_;
  QPointer<frmSetUp> setup_;

  // ---- panels and pages ----
  PanelRegistry panels_;
  PanelRegistry pages_;
  // The window's own pages and panel, which it works with directly.
  ArchivePanel* archivePanel_ = nullptr;
  AlertsPage* alertsPage_ = nullptr;
  LoopPage* loopPage_ = nullptr;
  ConvectionPage* convectionPage_ = nullptr;
  OverlaysPage* overlaysPage_ = nullptr;

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
  QFrame* frmXfer = nullptr;

  ScrollBar* hsbHour = nullptr;
  ScrollBar* vsbEE = nullptr;
  ScrollBar* vbsElevatedPT = nullptr;
  Timer* timerAutoDisplay = nullptr;

  QLabel* lblHour = nullptr;
  QLabel* lblDate = nullptr;
  QLabel* lblLocal = nullptr;

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
  // Cursor readout beside the chart's traces.
  QLabel* lblActiveTemp = nullptr;
  QLabel* lblActiveDP = nullptr;
  QLabel* lblActiveDir = nullptr;
  QLabel* lblActiveKts = nullptr;
  QLabel* lblActiveAxis = nullptr;
  // One button per side panel with a caption, with the panel's index.
  std::vector<std::pair<int, QPushButton*>> btnDisplay;
  std::vector<QPushButton*> btnControl;   // 0..5
  std::vector<QPushButton*> btnPHK;       // 0 "P", 1 "Ft", 2 "Km"
  std::vector<QPushButton*> btnXfer;      // 0 "30", 1 "1", 2 "10", 3 "20"
  // The chart's check boxes, in the order of the options table.
  std::vector<CheckBox*> chartBoxes_;
};

// Whole pixels of a length in twips.
inline int Px(int twips) { return twips / kTwipsPerPixel; }

// Caption of the hour label: hour index times hours per step, as the window
// shows it ("15", "1.5", "0.0").
std::string HourCaption(int curHour, Single hoursPerStep);
// The date label: "03/12/12     18:00 Z".
std::string DateCaption(const DateTime& valid);

}  // namespace ondrik
