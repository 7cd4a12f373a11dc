// The profile window's start-up and shut-down, and the choice of model and
// site that loads a file.
#include <QApplication>
#include <QDate>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <system_error>

#include "core/guards.h"
#include "core/shared.h"
#include "core/shear.h"
#include "chart/chart.h"
#include "overviewwindow/frmoverview.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "platform/scrollpage.h"
#include "profilewindow/alertspage.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/looppage.h"
#include "profilewindow/programs.h"
#include "profilewindow/timezone.h"
#include "savedstate/ownfiles.h"
#include "savedstate/temporary.h"

namespace ondrik {

bool gDayFirst = false;
Integer gShownCount = 0;

namespace {

constexpr const char* kTitle = kProgramName;

std::string JoinArgs(const std::vector<std::string>& args) {
  std::string s;
  for (const auto& a : args) {
    if (!s.empty()) s += ' ';
    s += a;
  }
  return s;
}

}  // namespace

bool frmProfile::ReadConfigStep() {
  ConfigResult r;
  try {
    r = ReadConfig(GetUserName(commandLine_), ProgramFolder());
  } catch (const std::exception& e) {
    r.ok = false;
    r.message = std::string("The configuration file could not be read: ") + e.what();
  }
  if (!r.ok || r.config.ModelNames.empty()) {
    TheEffects().Message(r.ok ? "The configuration file " + r.config.fileName + " names no model."
                              : r.message,
                         kTitle, MsgIcon::Critical);
    ended_ = true;
    TheEffects().EndProgram(1);
    return false;
  }
  cfg_ = r.config;
  chart_.opt.gOmegaSmoothOn = cfg_.gOmegaSmoothOn;
  cfg_.gDayFirst = gDayFirst;
  gTZConfigOffset = cfg_.gTZConfigOffset;
  ChartInputs& in = chart_.in;
  in.HighlightIsothermCount =
      std::min<int>(static_cast<int>(cfg_.HighlightIsotherms.size()), kMaxHighlightIsotherms);
  for (int i = 0; i < in.HighlightIsothermCount; ++i)
    in.HighlightIsotherms[static_cast<size_t>(i + 1)] = cfg_.HighlightIsotherms[static_cast<size_t>(i)];
  in.LakeLevelPres = cfg_.gLakeLevel1Pres;
  in.LakeIndexPres = cfg_.gLakeIndexPres;
  in.LakeIndexDiff = cfg_.gLakeIndexDiff;
  {
    const QSignalBlocker block(lstoptModel);
    lstoptModel->clear();
    for (const auto& name : cfg_.ModelNames) lstoptModel->addItem(QString::fromStdString(name));
    lstoptModel->setCurrentRow(-1);
  }
  return true;
}

// Both windows' saved places are fitted to the screens now, so that a place
// that cannot be shown is mended in the history written at the end even in
// a run that never opens the overview.
void frmProfile::ApplySavedGeometry() {
  gSettingGeometry = true;
  PlaceFromSaved(*this, std::span<Long, 4>(gWindowGeometry.data(), 4),
                 PixelSizeOfTwips(kMinWindowWidthTw, kMinWindowHeightTw));
  FitSavedPlace(std::span<Long, 4>(gWindowGeometry.data() + 4, 4),
                PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw));
  gSettingGeometry = false;
}

bool frmProfile::Form_Load(const std::vector<std::string>& args) {
  args_ = args;
  commandLine_ = JoinArgs(args);
  // 1. Files named without a folder are in the program folder. Paths of the
  // command line are read against the folder the program was started from.
  startFolder_ = EnterProgramFolder();
  // Saves that a kill cut short may have left their temporary files, here
  // and (once the configuration names them) in the snapshot and export
  // folders.
  saved::StrayCleaner strays;
  strays.Clean(SavedStateFolder());
  strays.Clean(ProgramFolder());
  // 2 to 6.
  chart_.opt.PlainTMin = chart_.opt.SkewTMin = -60;
  chart_.opt.PlainTMax = chart_.opt.SkewTMax = 30;
  chart_.opt.OmegaRange = 11.0F;
  chart_.cursor.LastReadoutLevel = 20;
  gOverviewOpen = 0;
  ModelSwitchByCode = 0;
  gEnsembleMirrorGuard = 0;
  {
    const LoadingStateGuard loading;
    // 7. Saved state of the last run.
    ReadHistory();
    // 8. Date order of the locale: is 2 January 2001 written with a leading 1?
    gDayFirst = DayFirstFromShortDate(
        QLocale().toString(QDate(2001, 1, 2), QLocale::ShortFormat).toStdString());
    // 9. Configuration; a missing or unreadable one ends the program.
    if (!ReadConfigStep()) return false;
    strays.Clean(cfg_.gSnapshotDir);
    strays.Clean(cfg_.ExportDir);
    // 10, 11.
    ApplySavedGeometry();
    PanelSettings lake = CapturePanelSettings();
    lake.LakeTempF = SavedLakeF;
    ApplyPanelSettings(lake);
  }
  // 12, 13.
  const ChartOptions& o = chart_.opt;
  gChartTMin = o.chkSkewT ? o.SkewTMin : o.PlainTMin;
  gChartTMax = o.chkSkewT ? o.SkewTMax : o.PlainTMax;
  // 14. The map's lookup table; without one the map draws no features.
  mapFeatures_ = ReadLookupTable(FindFileNoCase(ProgramFolder(), "Ondrik.Dat"));
  // 15 to 21 (the index list and the training index are not part of this
  // window yet).
  LoopRunning = false;
  alertsPage_->FillIndexList();
  timerAutoDisplay->SetEnabled(false);
  gDayNames = {"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  picLogo->setVisible(true);
  gCursorHour = -99;
  // 22.
  show();
  // 23. Time-zone table, before the first load.
  const std::string tzPath = FindFileNoCase(ProgramFolder(), saved::kTimeZoneFileName);
  if (!tzPath.empty()) ReadTimeZoneFile(tzPath);
  // 24. In WINE mode a window saved on a larger screen comes back into view.
  if (cfg_.gLinuxMode && screen() != nullptr) {
    const QRect s = screen()->geometry();
    if (s.width() < x()) move(0, y());
    if (s.height() < y()) move(x(), 0);
  }
  // 25, 26.
  for (const auto& [index, button] : btnDisplay)
    if (index == 9) button->setVisible(cfg_.HiddenPanelEnabled);
  LastSite = "xxx";
  gHelpLeft = -9999;
  // 27. The first model: its click lists the sites, whose click loads a file.
  SelectModelRow(0);
  // 28 to 30: the panels take the configuration.
  for (const PanelRegistry* r : {&panels_, &pages_})
    for (const auto& item : r->Items()) item.panel->Start();
  // 31. Panels of the last run, only when a file was loaded.
  if (FileLoaded) {
    ShowPanelAgain(SavedRightPanel);
    ControlPanel = -1;
    btnControl_Click(SavedControlPanel);
  }
  // 32, 33.
  picData->setEnabled(true);
  DrawOmegaScale();
  // 34. The training index and the tool tips of the download lists.
  GetTraining();
  HaulixToolTips = GetToolTips(ProgramFolder());
  loopPage_->SetListToolTips(HaulixToolTips);
  // 35.
  gHourChangeSource = 0;
  // 36. The command line; "-CLOSE" ends the program here.
  CommandProfileStep();
  if (ended_) return true;
  // 37. Mouse wheel.
  if (wheel_ == nullptr) {
    wheel_ = new WheelFilter([this](int delta) { MouseWheel(delta); }, this);
    wheel_->InstallOn(this);
    // The wheel steps the datasets wherever the pointer is, except over the
    // lists, which scroll as lists do (and the window's own scroll bars).
    for (QWidget* c : findChildren<QWidget*>()) {
      if (scroll_->IsScrollPart(c)) continue;
      bool inList = false;
      for (QWidget* p = c; p != nullptr && p != this; p = p->parentWidget())
        if (qobject_cast<QListWidget*>(p) != nullptr) inList = true;
      if (!inList) c->installEventFilter(wheel_);
    }
  }
  return true;
}

void frmProfile::Form_Unload() {
  if (ended_) return;
  if (wheel_ != nullptr) wheel_->onWheel = nullptr;
  btnDone_Click();
}

void frmProfile::btnDone_Click() {
  if (ended_) return;
  gWindowGeometry[2] = y() * kTwipsPerPixel;
  gWindowGeometry[3] = x() * kTwipsPerPixel;
  if (gOverviewOpen != 0) overview_->SaveLayout();
  // A history that cannot be written has been reported; the program ends all the same.
  WriteHistory();
  ended_ = true;
  if (timerAutoDisplay != nullptr) timerAutoDisplay->SetEnabled(false);
  TheEffects().EndProgram(0);
}

// ---- models and sites ----

void frmProfile::SelectModelRow(int row) {
  if (row < 0 || row >= lstoptModel->count()) return;
  if (lstoptModel->currentRow() == row) return;  // the click runs only on a change
  lstoptModel->setCurrentRow(row);
}

void frmProfile::SelectSiteRow(int row) {
  if (row < 0 || row >= lstSiteIDs->count()) return;
  if (lstSiteIDs->currentRow() == row) {
    lstSiteIDs_Click();  // choosing the same site again reloads it
    return;
  }
  lstSiteIDs->setCurrentRow(row);
}

void frmProfile::lstoptModel_Click() {
  const int row = lstoptModel->currentRow();
  if (row < 0) return;
  RunConverter(ProgramFolder());
  MarkModelList(false);  // the converter has taken the compressed files
  gProfileExt.clear();
  int site = -1;
  {
    const LoadingStateGuard loading;
    SelectModel(cfg_, row, model_);
    chart_.in.gInversionDT = model_.params.gInversionDT;
    chart_.in.gIsothermDT = model_.params.gIsothermDT;
    chart_.in.gIsothermMinDepression = model_.params.gIsothermMinDepression;
    site = FillSiteList();
  }
  // The site's load draws both windows, so it runs with the loading state
  // lowered, as the overview rebuilt after it.
  SelectSiteRow(site);
}

void frmProfile::MarkModelList(bool marked) {
  modelListMarked_ = marked;
  // Colours through the palette: a style sheet set while a click is being
  // handled lays the list out anew under the mouse, and another row than
  // the chosen one would show chosen.
  QPalette colours = lstoptModel->palette();
  colours.setColor(QPalette::Base, marked ? QColor(64, 0, 0) : QColor(Qt::black));
  colours.setColor(QPalette::Text, Qt::white);
  lstoptModel->setPalette(colours);
  lstoptModel->setToolTip(marked ? "New compressed profiles: choose a model to convert them" : "");
}

void frmProfile::btnHaulix_Click(int index) {
  if (HaulixButtonClick(ProgramFolder(), index).compressedArrived) MarkModelList(true);
  FocusHourBar();
}

void frmProfile::btnNewData_Click() {
  StartDownloader(ProgramFolder());
  FocusHourBar();
}

int frmProfile::FillSiteList() {
  SiteList list = ondrik::FillSiteList(cfg_, model_, LastSite, SiteNow(cfg_.gClockIsLocal, cfg_.gClockUtcOffset));
  SiteFileCount = list.SiteFileCount;
  mapSites_ = list.mapSites;
  {
    const QSignalBlocker block(lstSiteIDs);
    lstSiteIDs->clear();
    for (const auto& r : list.rows) lstSiteIDs->addItem(QString::fromStdString(r));
    lstSiteIDs->setCurrentRow(-1);
  }
  shownSiteRow_ = -1;  // the data shown, if any, are of another list
  if (SiteFileCount == 0) {
    // Nothing of the model before stays live under this one: no refresh,
    // stepping, overview or snapshot until a file is loaded.
    FileLoaded = false;
    chart_.in.FileLoaded = false;
    TheEffects().Message(list.message, kTitle, MsgIcon::Warning);
    return -1;
  }
  return list.selectedRow;
}

LoadOptions frmProfile::CurrentLoadOptions() const {
  return LoadOptionsFor(cfg_, model_, gDayFirst, gSRInflowDepth, gSRInflowBase);
}

LoadResult frmProfile::LoadFile(const std::string& path, const std::function<void()>& shown) {
  // The loader raises the loading state itself and draws at its end.
  const LoadingStateGuard loaderOwnsIt(false);
  LoadResult r;
  try {
    r = LoadProfileFile(path, CurrentLoadOptions(), *this);
  } catch (const std::exception& e) {
    r.ok = false;
    r.message = "Can't read " + path + ": " + e.what();
  }
  if (!r.ok) return r;
  shown();
  // Every road that loads a file tells what of it was left out, over the
  // window that shows that file.
  std::error_code ec;
  const std::string told =
      r.notice.empty() ? "" : r.notice + "@" + std::to_string(std::filesystem::last_write_time(path, ec).time_since_epoch().count());
  if (!told.empty() && told != loadedNotice_) TheEffects().Message(r.notice, kTitle, MsgIcon::Warning);
  loadedNotice_ = told;
  return r;
}

void frmProfile::ShowSiteShown() {
  const QSignalBlocker block(lstSiteIDs);
  lstSiteIDs->setCurrentRow(shownSiteRow_);
}

void frmProfile::FollowSiteShown(const std::string& site, int row) {
  if (!site.empty()) {
    gSiteId = site;
    LastSite = site;
  }
  for (int i = 0; row < 0 && !site.empty() && i < lstSiteIDs->count(); ++i)
    if (lstSiteIDs->item(i)->text().toStdString() == site) row = i;
  shownSiteRow_ = row;
  ShowSiteShown();
}

void frmProfile::lstSiteIDs_Click() {
  const int row = lstSiteIDs->currentRow();
  if (row < 0) return;
  const std::string site = lstSiteIDs->item(row)->text().toStdString();
  if (site == kBlankRow || TrimBlanks(site).empty()) return;
  const std::string path = SiteFilePath(model_.gProfileDir, model_.gModelName, site);
  if (path.empty()) {
    TheEffects().Message("Can't find the profile file of " + site + " in " + model_.gProfileDir,
                         kTitle, MsgIcon::Warning);
    return;
  }
  const LoadResult r = LoadFile(path, [&] {
    FollowSiteShown(site, row);
    setWindowTitle(QString::fromStdString(SiteCaption(site, model_.gModelName)));
    UpdateOverview();
  });
  if (!r.ok) {
    // The data loaded before stay current and on the screen, and the list
    // keeps their site, so that a second click on this one tries again. A
    // click or key on the list chooses its row after this handler has run:
    // the row is set back once more when the event is done.
    ShowSiteShown();
    TheEffects().Message(r.message, kTitle, MsgIcon::Warning);
    QTimer::singleShot(0, this, [this] { ShowSiteShown(); });
  }
}

}  // namespace ondrik
