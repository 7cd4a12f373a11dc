// The profile window's behaviour: start-up and shut-down, model and site
// choice, the hour refresh, panels and control pages, the dataset boxes, keys,
// mouse wheel, loop timer and scroll bars.
#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QAbstractSpinBox>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "core/levels.h"
#include "core/parcels.h"
#include "core/preciptype.h"
#include "core/reader.h"
#include "core/shared.h"
#include "core/shear.h"
#include "chart/cursor.h"
#include "chart/windcolumn.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/programs.h"
#include "profilewindow/timezone.h"

namespace ondrik {

Integer gOverviewOpen = 0;
Integer gEnsembleMirrorGuard = 0;
bool gDayFirst = false;
std::array<std::string, 8> gDayNames{};
Integer gCursorHour = -99;
Integer gShownCount = 0;
std::array<Long, 8> gWindowGeometry{15000, 11010, 0, 0, 15000, 11010, 0, 0};
bool gSettingGeometry = false;
Single gHodoScale = 26;
Single gMBEScale = 51;
Long gHelpLeft = -9999;
Integer gCapeShearMaxCape = 4000;
Integer gCapeShearMaxShear = 100;

namespace {

constexpr const char* kTitle = "ONDRIK";

// Platform key codes of the key table.
enum KeyCode {
  kKeySpace = 32, kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39,
  kKeyDown = 40, kKey1 = 49, kKey4 = 52, kKeyE = 69, kKeyL = 76, kKeyO = 79, kKeyT = 84,
  kKeyF1 = 112, kKeyF6 = 117, kKeyGrave = 192
};

// The platform key code of a Qt key; 0 for keys the table does not know.
int PlatformKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_QuoteLeft: return kKeyGrave;
    default: break;
  }
  if (qtKey >= Qt::Key_1 && qtKey <= Qt::Key_9) return kKey1 + (qtKey - Qt::Key_1);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return kKeyF1 + (qtKey - Qt::Key_F1);
  return 0;
}

std::string TwoDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v % 100);
  return buf;
}

std::string JoinArgs(const std::vector<std::string>& args) {
  std::string s;
  for (const auto& a : args) {
    if (!s.empty()) s += ' ';
    s += a;
  }
  return s;
}

}  // namespace

// ---- labels ----

std::string HourCaption(int curHour, Single hoursPerStep) {
  const Single hours = static_cast<Single>(curHour) * hoursPerStep;
  if (hoursPerStep >= 1) return QString::number(static_cast<double>(hours), 'g', 7).toStdString();
  return QString::number(static_cast<double>(hours), 'f', 1).toStdString();
}

std::string DateCaption(const DateTime& v) {
  return TwoDigits(v.month) + "/" + TwoDigits(v.day) + "/" + TwoDigits(v.year) + "     " +
         std::to_string(v.hour) + ":" + TwoDigits(v.minute) + " Z";
}

// ---- start-up ----

void frmProfile::SetLoadingState(bool on) { gLoadingState = on; }

void frmProfile::SetBold(QPushButton* b, bool bold) {
  if (b == nullptr) return;
  QFont f = b->font();
  if (f.bold() == bold) return;
  f.setBold(bold);
  b->setFont(f);
}

// The saved state of the last run is not read yet: start from the values a
// first run gets.
void frmProfile::ReadHistoryDefaults() {
  SavedLakeF = 34;
  SavedRightPanel = 0;
  SavedControlPanel = 0;
  RightPanel = 4;
  ControlPanel = 1;
  gChartTop = 295;
  HeightAxis = 1;
  gXferIndex = 1;
  gSRInflowDepth = 3;
  gOverlayAll = false;
  gWindowGeometry = {15000, 11010, 0, 0, 15000, 11010, 0, 0};
  chkWindVector->SetValue(1);
  chkWindDigital->SetValue(1);
  chkLines->SetValue(1);
  for (int i = 0; i < static_cast<int>(btnPHK.size()); ++i) SetBold(btnPHK[i], i == HeightAxis);
  for (int i = 0; i < static_cast<int>(btnXfer.size()); ++i) SetBold(btnXfer[i], i == gXferIndex);
  chart.WindLevelStep = 1;
  chart.WindAutoSpacing = 1;
  chart.WindAutoMode = true;
  chart.ColorWindsBySpeed = true;
  chart.DigitalWindDirections = false;
  chart.ReadoutUnit = 0;
  SetBold(btnVWPInterval, false);
  SetBold(btnVWPIntervalA, true);
}

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
  cfg = r.config;
  chart.gOmegaSmoothOn = cfg.gOmegaSmoothOn;
  cfg.gDayFirst = gDayFirst;
  gTZConfigOffset = cfg.gTZConfigOffset;
  if (cfg.ChartBoundsGiven) gChartTop = cfg.gChartTop;
  if (cfg.ChartTemperaturesGiven) {
    PlainTMin = SkewTMin = cfg.gChartTMin;
    PlainTMax = SkewTMax = cfg.gChartTMax;
  }
  chart.HighlightIsothermCount =
      std::min<int>(static_cast<int>(cfg.HighlightIsotherms.size()), kMaxHighlightIsotherms);
  for (int i = 0; i < chart.HighlightIsothermCount; ++i)
    chart.HighlightIsotherms[i + 1] = cfg.HighlightIsotherms[i];
  {
    const QSignalBlocker block(lstoptModel);
    lstoptModel->clear();
    for (const auto& name : cfg.ModelNames) lstoptModel->addItem(QString::fromStdString(name));
    lstoptModel->setCurrentRow(-1);
  }
  return true;
}

void frmProfile::ApplySavedGeometry() {
  gSettingGeometry = true;
  resize(std::max<int>(1, gWindowGeometry[0] / kTwipsPerPixel),
         std::max<int>(1, gWindowGeometry[1] / kTwipsPerPixel));
  move(gWindowGeometry[3] / kTwipsPerPixel, gWindowGeometry[2] / kTwipsPerPixel);
  gSettingGeometry = false;
}

bool frmProfile::Form_Load(const std::vector<std::string>& args) {
  args_ = args;
  commandLine_ = JoinArgs(args);
  // 1. Files named without a folder are in the program folder.
  QDir::setCurrent(QString::fromStdString(ProgramFolder()));
  // 2 to 6.
  PlainTMin = SkewTMin = -60;
  PlainTMax = SkewTMax = 30;
  OmegaRange = 11.0F;
  LastReadoutLevel = 20;
  gOverviewOpen = 0;
  SetLoadingState(true);
  ModelSwitchByCode = 0;
  gEnsembleMirrorGuard = 0;
  // 7. Saved state of the last run.
  ReadHistoryDefaults();
  // 8. Date order of the locale: is 2 January 2001 written with a leading 1?
  gDayFirst = DayFirstFromShortDate(
      QLocale().toString(QDate(2001, 1, 2), QLocale::ShortFormat).toStdString());
  // 9. Configuration; a missing or unreadable one ends the program.
  if (!ReadConfigStep()) {
    SetLoadingState(false);
    return false;
  }
  // 10, 11.
  ApplySavedGeometry();
  vsbLakeF->SetValue(SavedLakeF);
  vsbLakeF_Change();
  // 12, 13.
  SetLoadingState(false);
  if (chkSkewT->Value() != 0) {
    gChartTMin = SkewTMin;
    gChartTMax = SkewTMax;
  } else {
    gChartTMin = PlainTMin;
    gChartTMax = PlainTMax;
  }
  // 14 to 21 (the lookup table, the index list and the training index are
  // not part of this window yet).
  LoopRunning = false;
  timerAutoDisplay->SetEnabled(false);
  gCapeShearMaxCape = 4000;
  gCapeShearMaxShear = 100;
  gDayNames = {"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  picLogo->setVisible(true);
  InflowSelectMode = false;
  chart.LastReadoutLevel = LastReadoutLevel;
  gCursorHour = -99;
  // 22.
  show();
  // 23. Time-zone table, before the first load.
  const std::string tzPath = FindFileNoCase(ProgramFolder(), "TimeZone.DAT");
  if (!tzPath.empty()) ReadTimeZoneFile(tzPath);
  // 24. In WINE mode a window saved on a larger screen comes back into view.
  if (cfg.gLinuxMode && screen() != nullptr) {
    const QRect s = screen()->geometry();
    if (s.width() < x()) move(0, y());
    if (s.height() < y()) move(x(), 0);
  }
  // 25, 26.
  btnDisplay[9]->setVisible(cfg.HiddenPanelEnabled);
  LastSite = "xxx";
  gHelpLeft = -9999;
  // 27. The first model: its click lists the sites, whose click loads a file.
  SelectModelRow(0);
  // 28 to 30.
  gHodoScale = 26;
  picHodograph->Pic().Scale(-26, 26, 26, -26);
  gMBEScale = 51;
  lblCI850->setText(QString::number(cfg.gLakeLevel1Pres));
  lblCI700->setText(QString::number(cfg.gLakeLevel2Pres));
  // 31. Panels of the last run, only when a file was loaded.
  if (FileLoaded) {
    btnDisplay_Click(SavedRightPanel);
    ControlPanel = -1;
    btnControl_Click(SavedControlPanel);
  }
  // 32, 33.
  picData->setEnabled(true);
  DrawOmegaScale();
  // 34. The training index is not part of this window yet. The tool tips of
  // the download lists are kept for the downloader buttons (this window has
  // none of its own).
  HaulixToolTips = GetToolTips(ProgramFolder());
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
    // lists, which scroll as lists do.
    for (QWidget* c : findChildren<QWidget*>()) {
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
  // The history file is written here once the saved state is part of the program.
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
  gProfileExt.clear();
  SetLoadingState(true);
  SelectModel(cfg, row, model);
  FillSiteList();
  SetLoadingState(false);
}

void frmProfile::FillSiteList() {
  SiteList list = ondrik::FillSiteList(cfg, model, LastSite, SiteNow());
  SiteFileCount = list.SiteFileCount;
  mapSites = list.mapSites;
  {
    const QSignalBlocker block(lstSiteIDs);
    lstSiteIDs->clear();
    for (const auto& r : list.rows) lstSiteIDs->addItem(QString::fromStdString(r));
    lstSiteIDs->setCurrentRow(-1);
  }
  if (SiteFileCount == 0) {
    TheEffects().Message(list.message, kTitle, MsgIcon::Warning);
    return;
  }
  SelectSiteRow(list.selectedRow);
}

LoadOptions frmProfile::CurrentLoadOptions() const {
  LoadOptions opt;
  const int m = model.gModelIndex;
  opt.modelKey = (m >= 0 && m < static_cast<int>(cfg.ModelCodes.size())) ? cfg.ModelCodes[m] : "";
  opt.dayFirst = gDayFirst;
  opt.timeLeftToRight = cfg.gTimeLeftToRight;
  opt.sigmaLevelStep = model.params.gSigmaLevelStep;
  opt.sigmaLevelPres = cfg.SigmaLevelPres;
  opt.srInflowDepth = gSRInflowDepth;
  opt.hodoBaseIndex = 0;
  opt.modelHourStep = static_cast<Single>(model.params.gModelHourStep > 0 ? model.params.gModelHourStep : 1);
  return opt;
}

LoadResult frmProfile::LoadFile(const std::string& path) {
  // The loader raises the loading state itself and draws at its end.
  SetLoadingState(false);
  LoadResult r;
  try {
    r = LoadProfileFile(path, CurrentLoadOptions(), *this);
  } catch (const std::exception& e) {
    r.ok = false;
    r.message = "Can't read " + path + ": " + e.what();
    SetLoadingState(false);
  }
  return r;
}

void frmProfile::lstSiteIDs_Click() {
  const int row = lstSiteIDs->currentRow();
  if (row < 0) return;
  const std::string site = lstSiteIDs->item(row)->text().toStdString();
  if (site == kBlankRow || TrimBlanks(site).empty()) return;
  const std::string path = SiteFilePath(model.gProfileDir, model.gModelName, site);
  if (path.empty()) {
    TheEffects().Message("Can't find the profile file of " + site + " in " + model.gProfileDir,
                         kTitle, MsgIcon::Warning);
    return;
  }
  const LoadResult r = LoadFile(path);
  if (!r.ok) {
    // The data loaded before stay current and on the screen.
    TheEffects().Message(r.message, kTitle, MsgIcon::Warning);
    return;
  }
  gSiteId = site;
  LastSite = site;
  setWindowTitle(QString::fromStdString(SiteCaption(site, model.gModelName)));
  UpdateOverview();
}

// ---- refresh ----

void frmProfile::DisplayHour() {
  if (!FileLoaded) return;
  if (gLoadingState) return;
  if (gCurDataset < 1 || gCurDataset > gDatasetCount) return;
  CurHour = hsbHour->Value();
  if (CurHour < 0 || CurHour > gLastHour(gCurDataset)) return;
  lblHour->setText(QString::fromStdString(HourCaption(CurHour, gHoursPerStep)));
  const DateTime valid = gValidTime(gCurDataset, CurHour);
  if (valid.IsSet()) {
    lblDate->setText(QString::fromStdString(DateCaption(valid)));
    lblLocal->setText(QString::fromStdString(LocalTimeLabel(valid, gTZOffset)));
  }

  switch (RightPanel) {
    case 0: DrawDataTable(); break;
    case 1: RefreshMap(); break;
    case 2: DrawHodograph(); break;
    case 3: PrintIndices(); break;
    case 4: PlotCapeShear(); break;
    case 5: DrawHeavyPrecipPanel(); break;
    case 6: DrawPrecipTypePanel(); break;
    case 7: PrintLapseRates(); break;
    case 8: DrawFogPanel(); break;
    default: break;
  }
  switch (ControlPanel) {
    case 0: ShowLakeEffect(); break;
    case 3:
      if (chkECAPE->Value() != 0) DisplayECAPEFrame();
      break;
    case 4:
      picReason->Pic().Cls();
      picReason->update();
      ShowMatrixPanel();
      break;
    default: break;
  }
  PlotProfile();
  PlotCursor();
}

// Copies what the chart reads from the window into its state.
void frmProfile::SyncChartState() {
  ChartState& c = chart;
  c.CurHour = CurHour;
  c.VerticalUnit = HeightAxis;
  c.chkSkewT = chkSkewT->Value() != 0;
  c.chkLines = chkLines->Value() != 0;
  c.chkDryAdiabats = chkDryAdiabats->Value() != 0;
  c.chkClouds = chkClouds->Value() != 0;
  c.chkLayer2Layer = chkLayer2Layer->Value() != 0;
  c.chkRH = {chkRH[0]->Value() != 0, chkRH[1]->Value() != 0};
  c.chkInversions = chkInversions->Value() != 0;
  c.chkWetBulb = chkWetBulb->Value() != 0;
  c.chkIcing = chkIcing->Value() != 0;
  c.chkFP = chkFP->Value() != 0;
  c.chkLakeIndex = chkLakeIndex->Value() != 0;
  c.chkLIC = chkLIC->Value() != 0;
  c.chkMoistLakeIndex = chkMoistLakeIndex->Value() != 0;
  c.chkLCL = chkLCL->Value() != 0;
  c.chkLFC = chkLFC->Value() != 0;
  c.chkEQL = chkEQL->Value() != 0;
  c.chkWBZ = chkWBZ->Value() != 0;
  c.chkCCL = chkCCL->Value() != 0;
  c.chkConvectiveTemp = chkConvectiveTemp->Value() != 0;
  c.chkParcel = chkParcel->Value() != 0;
  c.chkCINS = chkCINS->Value() != 0;
  c.chkMomentum = chkMomentum->Value() != 0;
  c.chkSnowGrowth = chkSnowGrowth->Value() != 0;
  c.chkHailGrowth = chkHailGrowth->Value() != 0;
  c.chk10MWind = chk10MWind->Value() != 0;
  c.ChkOmega = ChkOmega->Value() != 0;
  c.chkWindVector = chkWindVector->Value() != 0;
  c.chkWindDigital = chkWindDigital->Value() != 0;
  c.lblLakeC = static_cast<Single>(std::lround(gLakeTempC));
  // The lake panel's temperature at its lower lake level, in whole degrees.
  if (FileLoaded && gCurDataset >= 1 && gCurDataset <= gDatasetCount && CurHour >= 0 &&
      CurHour <= gLastHour(gCurDataset)) {
    const Single t850 = TempAtPressure(CurHour, static_cast<Single>(cfg.gLakeLevel1Pres));
    if (!IsMissing(t850) && std::isfinite(t850)) c.lblT850 = static_cast<Single>(std::lround(t850));
  }
  c.LakeIndexPres = cfg.gLakeIndexPres;
  c.LakeIndexDiff = cfg.gLakeIndexDiff;
  c.OmegaRange = OmegaRange;
  c.gXferIndex = gXferIndex;
  c.gPtypeSrcFlag = chksWSYMb->Value() != 0;
  c.chkSigmaLevel = chkSigmaLevel->Value() != 0;
  c.chkMeanFlow = chkMeanFlow->Value() != 0;
  c.gSigmaLevel = vsbSigmaLevel->Value();
  c.MeanFlowLevels = {vsbMeanFlow[0]->Value(), vsbMeanFlow[1]->Value()};
  c.gInversionDT = model.params.gInversionDT;
  c.gIsothermDT = model.params.gIsothermDT;
  c.gIsothermMinDepression = model.params.gIsothermMinDepression;
  c.SiteFileCount = FileLoaded ? std::max(1, SiteFileCount) : 0;
  c.chkActiveReadout = chkActiveReadout->Value() != 0;
  c.ElevatedCapeMode = ECAPEShown;
  c.SelectInflowMode = InflowSelectMode;
  c.RightPanel = RightPanel;
  c.picHodograph = &picHodograph->Pic();
  if (!c.focusHourBar) c.focusHourBar = [this] { FocusHourBar(); };
  if (!c.openTrainingLinks) c.openTrainingLinks = [this](const std::string& t) { OpenTrainingLinks(t); };
  if (!c.btnSelectInflow_Click) c.btnSelectInflow_Click = [this] { btnSelectInflow_Click(); };
  if (!c.drawHeavyPrecipPanel) c.drawHeavyPrecipPanel = [this] { DrawHeavyPrecipPanel(); };
}

void frmProfile::PlotProfile() {
  if (gLoadingState || !FileLoaded) return;
  SyncChartState();
  try {
    ::ondrik::PlotProfile(picData->Pic(), chart);
  } catch (const std::exception& e) {
    // A drawing step that fails is skipped; the rest of the window stands.
    std::fprintf(stderr, "Ondrik: the chart of hour %d could not be drawn: %s\n", CurHour, e.what());
  }
  picData->update();
  ++chartDrawCount;
}

// Shows the readout labels and the elevated-parcel frame as the chart left them.
void frmProfile::ShowReadout() {
  const std::pair<QLabel*, const ChartState::ReadoutLabel*> labels[5] = {
      {lblActiveTemp, &chart.lblActiveTemp},
      {lblActiveDP, &chart.lblActiveDP},
      {lblActiveDir, &chart.lblActiveDir},
      {lblActiveKts, &chart.lblActiveKts},
      {lblActiveAxis, &chart.lblActiveAxis}};
  for (const auto& [label, r] : labels) {
    if (!r->Visible) {
      label->setVisible(false);
      continue;
    }
    label->setText(QString::fromStdString(r->Caption));
    label->adjustSize();
    const int w = r->WidthPx > 0 ? static_cast<int>(r->WidthPx) : label->width();
    const int h = r->HeightPx > 0 ? static_cast<int>(r->HeightPx) : label->height();
    label->setGeometry(static_cast<int>(std::lround(r->LeftPx)), static_cast<int>(std::lround(r->TopPx)), w, h);
    label->setVisible(true);
  }
  const auto& f = chart.frameECAPE;
  const std::string* texts[8] = {&f.lblEParcelp, &f.lblEParcelt, &f.lblEParceldp, &f.lblECAPE,
                                 &f.lblEHailCape, &f.lblECIN, &f.lblEEQL, &f.lblNECAPE};
  for (int i = 0; i < 8; ++i) frameECAPELabels[i]->setText(QString::fromStdString(*texts[i]));
  picEHailCape->setVisible(f.picEHailCapeVisible);
  if (f.picEHailCapeVisible) {
    DrawEHailCapeBar(picEHailCape->Pic(), f, RGB(240, 240, 240));
    picEHailCape->update();
  }
}

// The chart's vertical coordinate (ln p) of a pixel row of picData. The
// drawing steps leave various scales in force on the picture, so the mouse
// position is taken from the pixel row and the chart's pressure range.
double frmProfile::ChartYOfPixel(double py) const {
  const double top = std::log(static_cast<double>(std::max<Integer>(1, gChartTop)));
  const double bottom = std::log(static_cast<double>(std::max<Integer>(gChartTop + 1, gChartBottom)));
  const int h = std::max(1, picData->Pic().PixelHeight());
  return top + (bottom - top) * py / h;
}

void frmProfile::picData_MouseDown(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  ::ondrik::picData_MouseDown(picData->Pic(), chart, button, shift, x, y);
}

void frmProfile::picData_MouseMove(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  SyncChartState();
  try {
    ::ondrik::picData_MouseMove(picData->Pic(), chart, button, shift, x, y);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Ondrik: chart readout failed: %s\n", e.what());
  }
  InflowSelectMode = chart.SelectInflowMode;
  picData->update();
  picHodograph->update();
  ShowReadout();
}

void frmProfile::picData_MouseUp(int button, int shift, double x, double y) {
  if (!FileLoaded || gLoadingState) return;
  SyncChartState();
  try {
    ::ondrik::picData_MouseUp(picData->Pic(), chart, button, shift, x, y);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Ondrik: chart zoom failed: %s\n", e.what());
  }
  InflowSelectMode = chart.SelectInflowMode;
  picData->update();
  ShowReadout();
}

void frmProfile::ReadoutLabel_MouseUp(QLabel* label, int button) {
  if (!FileLoaded || gLoadingState) return;
  SyncChartState();
  PictureBox& pic = picData->Pic();
  try {
    if (label == lblActiveTemp)
      lblActiveTemp_MouseUp(pic, chart, button);
    else if (label == lblActiveDP)
      lblActiveDP_MouseUp(pic, chart, button);
    else if (label == lblActiveDir)
      lblActiveDir_MouseUp(pic, chart, button);
    else if (label == lblActiveKts)
      lblActiveKts_MouseUp(pic, chart, button);
    else
      return;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Ondrik: chart zoom failed: %s\n", e.what());
  }
  picData->update();
  ++chartDrawCount;
}

// The Heavy Precip panel's inflow selection: the chart's cursor picks the jet level.
void frmProfile::btnSelectInflow_Click() {
  InflowSelectMode = !InflowSelectMode;
  chart.SelectInflowMode = InflowSelectMode;
}

void frmProfile::PlotCursor() {
  if (gOverviewOpen == 0 || !overview_->IsOpen()) return;
  overview_->MoveCursor(gCursorHour, CurHour);
  gCursorHour = CurHour;
}

void frmProfile::UpdateOverview() {
  if (ModelSwitchByCode != 0 || gOverviewOpen == 0) return;
  overview_->Rebuild();
  FocusHourBar();
}

void frmProfile::SetOverviewLink(std::unique_ptr<OverviewLink> link) {
  overview_ = link ? std::move(link) : std::make_unique<OverviewLink>();
}

void frmProfile::btnOverView_Click() {
  if (!FileLoaded) return;
  if (LoopRunning) btnAutoDisplay_Click();
  overview_->Open();
  gOverviewOpen = overview_->IsOpen() ? 1 : 0;
}

// ---- side panels and control pages ----
// Each side panel is drawn by its own part of the program; until a panel
// exists its drawer leaves the picture empty.

void frmProfile::DrawDataTable() { ++panelDrawCount; }
void frmProfile::RefreshMap() { ++panelDrawCount; }
void frmProfile::DrawHodograph() { ++panelDrawCount; }
void frmProfile::PrintIndices() { ++panelDrawCount; }
void frmProfile::PlotCapeShear() { ++panelDrawCount; }
void frmProfile::DrawHeavyPrecipPanel() { ++panelDrawCount; }
void frmProfile::DrawPrecipTypePanel() { ++panelDrawCount; }
void frmProfile::PrintLapseRates() { ++panelDrawCount; }
void frmProfile::DrawFogPanel() { ++panelDrawCount; }
void frmProfile::ShowLakeEffect() {}
void frmProfile::ShowMatrixPanel() {}
void frmProfile::DrawOmegaScale() {
  SyncChartState();
  ::ondrik::DrawOmegaScale(picOmega->Pic(), chart);
  picOmega->update();
}
void frmProfile::OpenTrainingLinks(const std::string& /*topic*/) {}
// Display setups belong to the saved state, which is not kept yet: a recall
// finds no setup and leaves every setting as it is, with a plain redraw.
void frmProfile::btnRecall_Click(int /*index*/) {
  if (OmegaRange < 0.1F) OmegaRange = 11.0F;
  DrawOmegaScale();
  DisplayHour();
}

void frmProfile::btnDisplay_Click(int index) {
  if (RightPanel != 99) PreviousPanel = RightPanel;
  static const char* const kTopics[9] = {"Data",         "Map",         "Hodograph",
                                         "Indicies",     "Storm Type",  "Heavy Precip",
                                         "Precip Type",  "Lapse Rates", "Fog"};
  if (index >= 0 && index <= 8) OpenTrainingLinks(kTopics[index]);
  for (auto* b : btnDisplay) SetBold(b, false);
  RightPanel = index;
  if (index >= 0 && index < static_cast<int>(btnDisplay.size())) SetBold(btnDisplay[index], true);
  DisplayHour();
  if (QWidget* shown = PanelControl(index)) {
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 99}) {
      QWidget* w = PanelControl(i);
      if (w != shown) w->setVisible(false);
    }
    shown->setVisible(true);
  }
  pnlMap->setVisible(picMap->isVisible());
  pnlHodograph->setVisible(frameHodograph->isVisible());
  pnlShear->setVisible(picCape->isVisible());
  FocusHourBar();
}

void frmProfile::btnControl_Click(int index) {
  static const char* const kTopics[6] = {"Lake Effect", "Alerts", "Loop",
                                         "Convection",  "Korvan", "Controls"};
  if (index >= 0 && index <= 5) OpenTrainingLinks(kTopics[index]);
  if (index == ControlPanel) {
    ControlPanel = 6;
  } else {
    ControlPanel = index;
    if (index >= 0 && index <= 5) {
      SetBold(btnControl[index], true);
      pnlControl[index]->setVisible(true);
    }
  }
  for (int i = 0; i <= 5; ++i) {
    if (i == ControlPanel) continue;
    SetBold(btnControl[i], false);
    pnlControl[i]->setVisible(false);
  }
  FocusHourBar();
  if (ControlPanel == 4 || ControlPanel == 0 || ControlPanel == 3) DisplayHour();
}

void frmProfile::DisplayECAPEFrame() {
  const int d = gCurDataset, h = CurHour;
  if (d < 1 || d > gDatasetCount || h < 0 || h > gLastHour(d)) return;
  if (gECapeMark(d, h) == -1) {
    gECapeMark(d, h) = 0;
    for (int l = 1; l <= gNumLevels(d) - 3; ++l) {
      if (!gLevelParcelDone(d, h, l)) ComputeEffectiveParcels(d, h, l);
      if (gElevCape(d, h, l) > 0.5F) {
        gECapeMark(d, h) = 1;
        break;
      }
    }
  }
  frameECAPE->setVisible(gECapeMark(d, h) == 1);
}

// ---- chart options ----

void frmProfile::ChartBoxClicked(CheckBox* /*box*/) { PlotProfile(); }

void frmProfile::chkRH_Click(int index) {
  if (chkRH[index]->Value() != 0 && chkRH[1 - index]->Value() != 0) {
    const bool was = gLoadingState;
    SetLoadingState(true);
    chkRH[1 - index]->SetValue(0);
    SetLoadingState(was);
  }
  PlotProfile();
}

void frmProfile::chkSkewT_Click() {
  OpenTrainingLinks("Skew T");
  if (chkSkewT->Value() != 0) {
    gChartTMin = SkewTMin;
    gChartTMax = SkewTMax;
  } else {
    gChartTMin = PlainTMin;
    gChartTMax = PlainTMax;
  }
  PlotProfile();
}

void frmProfile::chkMeanFlow_Click() {
  const bool on = chkMeanFlow->Value() != 0;
  vsbMeanFlow[0]->setVisible(on);
  vsbMeanFlow[1]->setVisible(on);
  if (on && chkSigmaLevel->Value() != 0) {
    const bool was = gLoadingState;
    SetLoadingState(true);
    chkSigmaLevel->SetValue(0);
    SetLoadingState(was);
  }
  if (!gLoadingState) {
    PlotProfile();
    RefreshMap();
  }
}

void frmProfile::chkSigmaLevel_Click() {
  const bool on = chkSigmaLevel->Value() != 0;
  vsbSigmaLevel->setVisible(on);
  if (on && chkMeanFlow->Value() != 0) {
    const bool was = gLoadingState;
    SetLoadingState(true);
    chkMeanFlow->SetValue(0);
    SetLoadingState(was);
  }
  if (!gLoadingState) {
    PlotProfile();
    RefreshMap();
  }
}

void frmProfile::chksWSYMb_Click() {
  OpenTrainingLinks("Bourgouin Precip Type");
  PlotProfile();
}

void frmProfile::ChkOmega_Click() {
  OpenTrainingLinks("Omega");
  const bool on = ChkOmega->Value() != 0;
  picOmega->setVisible(on);
  btnOmegaFiltered->setVisible(on);
  DrawOmegaScale();
  PlotProfile();
}

void frmProfile::chkWindVector_Click() {
  OpenTrainingLinks("Vector Winds");
  btnColorWinds->setVisible(chkWindVector->Value() != 0);
  PlotProfile();
}

void frmProfile::chkWindDigital_Click() {
  OpenTrainingLinks("Digital Winds");
  btnDigitalWinds->setVisible(chkWindDigital->Value() != 0);
  PlotProfile();
}

void frmProfile::chkActiveReadout_Click() {
  OpenTrainingLinks("Active Read Out");
  const bool on = chkActiveReadout->Value() != 0;
  btnActiveReadOut->setVisible(on);
  const int u = chart.ReadoutUnit;
  if (u >= 0 && u < static_cast<int>(btnPHK.size())) {
    QFont f = btnPHK[u]->font();
    f.setUnderline(on);
    btnPHK[u]->setFont(f);
  }
  if (!on) {
    for (QLabel* l : {lblActiveTemp, lblActiveDP, lblActiveDir, lblActiveKts, lblActiveAxis})
      l->setVisible(false);
    for (auto* r : {&chart.lblActiveTemp, &chart.lblActiveDP, &chart.lblActiveDir,
                    &chart.lblActiveKts, &chart.lblActiveAxis})
      r->Visible = false;
  }
  PlotProfile();
}

void frmProfile::btnActiveReadOut_Click() {
  auto underline = [this](int u, bool on) {
    if (u < 0 || u >= static_cast<int>(btnPHK.size())) return;
    QFont f = btnPHK[u]->font();
    f.setUnderline(on);
    btnPHK[u]->setFont(f);
  };
  underline(chart.ReadoutUnit, false);
  chart.ReadoutUnit = (chart.ReadoutUnit + 1) % 3;
  underline(chart.ReadoutUnit, true);
}

void frmProfile::btnVWPInterval_Click() {
  if (chart.WindAutoMode) {
    chart.WindAutoMode = false;
    SetBold(btnVWPIntervalA, false);
    SetBold(btnVWPInterval, true);
  } else {
    chart.WindLevelStep = chart.WindLevelStep % 3 + 1;
    btnVWPInterval->setText(QString::number(chart.WindLevelStep));
  }
  FocusHourBar();
  PlotProfile();
}

void frmProfile::btnVWPIntervalA_Click() {
  if (chart.WindAutoMode) {
    chart.WindAutoSpacing = chart.WindAutoSpacing % 3 + 1;
    btnVWPIntervalA->setText("A" + QString::number(chart.WindAutoSpacing));
  } else {
    chart.WindAutoMode = true;
    SetBold(btnVWPInterval, false);
    SetBold(btnVWPIntervalA, true);
  }
  FocusHourBar();
  PlotProfile();
}

void frmProfile::btnColorWinds_Click() {
  chart.ColorWindsBySpeed = !chart.ColorWindsBySpeed;
  PlotProfile();
}

void frmProfile::btnDigitalWinds_Click() {
  chart.DigitalWindDirections = !chart.DigitalWindDirections;
  PlotProfile();
}

void frmProfile::btnOmegaFiltered_Click() {
  chart.gOmegaSmoothOn = !chart.gOmegaSmoothOn;
  if (!gLoadingState) PlotProfile();
}

void frmProfile::picOmega_MouseUp(int button) {
  if (picOmega->isVisible()) {
    if (button == 1)
      OmegaRange *= 0.7F;
    else if (button == 2)
      OmegaRange /= 0.7F;
  }
  DrawOmegaScale();
  PlotProfile();
}

void frmProfile::chkMomentum_Click() {
  OpenTrainingLinks("Momentum Xfer");
  frmXfer->setVisible(chkMomentum->Value() != 0);
  PlotProfile();
}

void frmProfile::chkECAPE_Click() {
  OpenTrainingLinks("Elevated CAPE");
  ECAPEShown = chkECAPE->Value() != 0;
  frameECAPE->setVisible(ECAPEShown);
}

void frmProfile::TempBoundStep(bool leftBound, int delta) {
  const bool skew = chkSkewT->Value() != 0;
  if (leftBound) {
    (skew ? SkewTMin : PlainTMin) += delta;
    gChartTMin += delta;
  } else {
    (skew ? SkewTMax : PlainTMax) += delta;
    gChartTMax += delta;
  }
  PlotProfile();
}

void frmProfile::btnPHK_Click(int index) {
  if (index != HeightAxis && index >= 0 && index < static_cast<int>(btnPHK.size())) {
    if (HeightAxis >= 0 && HeightAxis < static_cast<int>(btnPHK.size()))
      SetBold(btnPHK[HeightAxis], false);
    HeightAxis = index;
    SetBold(btnPHK[index], true);
    PlotProfile();
  }
  FocusHourBar();
}

void frmProfile::btnXfer_Click(int index) {
  if (index != gXferIndex && index >= 0 && index < static_cast<int>(btnXfer.size())) {
    if (gXferIndex >= 0 && gXferIndex < static_cast<int>(btnXfer.size()))
      SetBold(btnXfer[gXferIndex], false);
    gXferIndex = index;
    SetBold(btnXfer[index], true);
    PlotProfile();
  }
  FocusHourBar();
}

void frmProfile::vsbLakeF_Change() {
  const int f = vsbLakeF->Value();
  gLakeTempC = static_cast<Single>(f - 32) * 5.0F / 9.0F;
  lblLakeC->setText(QString::number(static_cast<int>(std::lround(gLakeTempC))));
  if (gCurDataset >= 1 && gCurDataset <= gDatasetCount)
    for (int h = 0; h <= gLastHour(gCurDataset) && h < kMaxHours; ++h) gLakeParcelDone(gCurDataset, h) = 0;
  if (!gLoadingState) DisplayHour();
}

void frmProfile::vbsElevatedPT_Change() {
  gElevatedLevel = vbsElevatedPT->Value();
  if (FileLoaded && gDatasetCount > 0) DecidePrecipType();
  DisplayHour();
}

// ---- hours and datasets ----

void frmProfile::SetHourRange(int lastHour) {
  lastHour = std::clamp(lastHour, 0, kMaxHours - 1);
  if (cfg.gTimeLeftToRight)
    hsbHour->SetRange(0, lastHour);
  else
    hsbHour->SetRange(lastHour, 0);
  hsbHour->SmallChange = 1;
  hsbHour->LargeChange = 1;
}

void frmProfile::hsbHour_Change() {
  if (!gLoadingState) DisplayHour();
}

void frmProfile::lblHour_Click() { hsbHour->SetValue(0); }

// The number of earlier hours the precipitation-type panel trails behind the
// current one: 6, 12, 24, 48, 0 in the thickness view, 6 or 0 in the energy view.
void frmProfile::btnTails_Click() {
  int n = btnTails->text().toInt();
  if (ShowThickness) {
    n *= 2;
    if (n == 0)
      n = 6;
    else if (n > 48)
      n = 0;
  } else {
    n = n < 1 ? 6 : 0;
  }
  FocusHourBar();
  btnTails->setText(QString::number(n));
  DisplayHour();
}

void frmProfile::vsbEE_Change() {
  if (gLoadingState) return;
  if (gHourChangeSource == 0) gHourChangeSource = 1;
  int n = 0;
  for (int d = 1; d <= gDatasetCount; ++d) {
    if (!gDatasetShown(d)) continue;
    if (++n == vsbEE->Value()) {
      gCurDataset = d;
      break;
    }
  }
  // The hour bar covers the hours of the current dataset only.
  if (gCurDataset >= 1 && gCurDataset <= gDatasetCount) {
    SetLoadingState(true);
    SetHourRange(gLastHour(gCurDataset));
    SetLoadingState(false);
  }
  DisplayHour();
  if (gOverviewOpen != 0) overview_->MirrorDatasetBar(std::max(1, gShownCount), vsbEE->Value(), vsbEE->isVisible());
  if (gHourChangeSource == 1) gHourChangeSource = 0;
}

void frmProfile::chkefname_Click(int index) {
  lblSelectEnsemble->setVisible(gDatasetCount > 1);
  if (gDatasetCount <= 1) {
    gDatasetShown(1) = true;
    gShownCount = gDatasetCount;
    DisplayHour();
    return;
  }
  const ProfileStore& st = Store();
  const int columns = std::clamp(st.gTitleColumnCount, 0, 4);
  gShownCount = gDatasetCount;
  for (int d = 1; d <= gDatasetCount; ++d) {
    gDatasetShown(d) = true;
    const std::string& title = gDatasetTitle(d);
    for (int c = 1; c <= columns; ++c) {
      const int words = std::clamp(st.gTitleWordCount(c), 0, 5);
      bool found = false;
      for (int k = 1; k <= words && !found; ++k) {
        const int box = 5 * (c - 1) + k - 1;
        found = chkefname[box]->Value() == 1 && !boxCaption_[box].empty() &&
                title.find(boxCaption_[box] + " ") != std::string::npos;
      }
      if (!found) {
        gDatasetShown(d) = false;
        --gShownCount;
        break;
      }
    }
  }
  for (int d = gDatasetCount + 1; d <= kMaxDatasets; ++d) gDatasetShown(d) = false;
  FocusHourBar();
  int position = 1;
  if (gCurDataset >= 1 && gCurDataset <= gDatasetCount && gDatasetShown(gCurDataset)) {
    position = 0;
    for (int d = 1; d <= gCurDataset; ++d)
      if (gDatasetShown(d)) ++position;
  }
  const bool was = gLoadingState;
  SetLoadingState(true);
  // With no dataset shown the bar keeps a range of one and is hidden.
  vsbEE->SetRange(1, std::max(1, gShownCount));
  vsbEE->SetValue(position);
  lblSelectEnsemble->setText(QString::number(gShownCount) + " Slected Ensemble Elements");
  vsbEE->setVisible(gShownCount > 0);
  btnEnsemble->setVisible(gShownCount > 0);
  if (gOverviewOpen != 0) overview_->MirrorDatasetBar(std::max(1, gShownCount), position, gShownCount > 0);
  SetLoadingState(was);
  vsbEE_Change();
  if (gOverviewOpen != 0) {
    gHourChangeSource = 1;
    overview_->PlotData();
    gHourChangeSource = 0;
    gEnsembleMirrorGuard = 1;
    if (index >= 0 && index < kDatasetBoxCount)
      overview_->MirrorDatasetBox(lblSelectEnsemble->text().toStdString(), index,
                                  chkefname[index]->Value());
    gEnsembleMirrorGuard = 0;
  }
}

void frmProfile::btnEnsemble_Click() {
  gOverlayAll = !gOverlayAll;
  SetBold(btnEnsemble, gOverlayAll);
  vsbEE->setFocus();
  DisplayHour();
}

void frmProfile::Cycle(int column) {
  const ProfileStore& st = Store();
  if (gDatasetCount <= 1 || column < 1 || column > 4 || column > st.gTitleColumnCount) return;
  const int words = std::clamp(st.gTitleWordCount(column), 0, 5);
  if (words == 0) return;
  const bool was = gLoadingState;
  SetLoadingState(true);
  int last = 99;
  for (int r = 1; r <= words; ++r) {
    CheckBox* box = chkefname[5 * (column - 1) + r - 1];
    if (box->Value() == 1) {
      last = r;
      box->SetValue(0);
    }
  }
  int next = last + 1;
  if (next > words) next = 1;
  SetLoadingState(was);
  CheckBox* box = chkefname[5 * (column - 1) + next - 1];
  if (box->Value() == 1)
    chkefname_Click(5 * (column - 1) + next - 1);
  else
    box->SetValue(1);
}

void frmProfile::CycleOn() {
  const bool was = gLoadingState;
  SetLoadingState(true);
  const ProfileStore& st = Store();
  if (gDatasetCount > 1)
    for (int c = 1; c <= std::min(4, st.gTitleColumnCount); ++c)
      for (int r = 1; r <= std::clamp(st.gTitleWordCount(c), 0, 5); ++r)
        chkefname[5 * (c - 1) + r - 1]->SetValue(1);
  SetLoadingState(was);
  DisplayHour();
}

// ---- keys, wheel, loop ----

bool frmProfile::TextBoxHasFocus() const {
  QWidget* f = QApplication::focusWidget();
  return qobject_cast<QLineEdit*>(f) != nullptr || qobject_cast<QTextEdit*>(f) != nullptr ||
         qobject_cast<QPlainTextEdit*>(f) != nullptr || qobject_cast<QAbstractSpinBox*>(f) != nullptr;
}

void frmProfile::Form_KeyDown(int keyCode, int /*shift*/) {
  const bool reverse = cfg.gTimeLeftToRight;
  ScrollBar& hb = *hsbHour;
  ScrollBar& eb = *vsbEE;
  const int hMin = hb.Min, hMax = hb.Max, v = hb.Value();
  switch (keyCode) {
    case kKeySpace:
    case kKeyL: btnAutoDisplay_Click(); break;
    case kKeyEnd: hb.SetValue(reverse ? hMax : hMin); break;
    case kKeyHome: hb.SetValue(reverse ? hMin : hMax); break;
    case kKeyLeft:
      if (reverse)
        hb.SetValue(v > hMin ? v - 1 : hMax);
      else
        hb.SetValue(v < hMin ? v + 1 : hMax);
      break;
    case kKeyRight:
      if (reverse)
        hb.SetValue(v < hMax ? v + 1 : hMin);
      else
        hb.SetValue(v > hMax ? v - 1 : hMin);
      break;
    case kKeyUp: {
      const int e = eb.Value();
      eb.SetValue(e > eb.Min ? e - 1 : static_cast<int>(eb.Max));
      break;
    }
    case kKeyDown: {
      const int e = eb.Value();
      eb.SetValue(e < eb.Max ? e + 1 : static_cast<int>(eb.Min));
      break;
    }
    case kKeyE:
      if (btnEnsemble->isVisible()) btnEnsemble_Click();
      break;
    case kKeyO: btnOverView_Click(); break;
    case kKeyT: btnTails_Click(); break;
    case kKeyGrave: CycleOn(); break;
    default:
      if (keyCode >= kKey1 && keyCode <= kKey4) {
        Cycle(keyCode - kKey1 + 1);
      } else if (keyCode >= kKeyF1 && keyCode <= kKeyF6) {
        btnRecall_Click(keyCode - kKeyF1);
        FocusHourBar();
      }
      break;
  }
}

void frmProfile::MouseWheel(int rotation) { Form_KeyDown(rotation > 0 ? kKeyUp : kKeyDown, 0); }

void frmProfile::btnAutoDisplay_Click() {
  LoopRunning = !LoopRunning;
  if (!LoopRunning) {
    timerAutoDisplay->SetEnabled(false);
    SetBold(btnAutoDisplay, false);
  } else {
    timerAutoDisplay->SetInterval(hsbRate->Value());
    timerAutoDisplay->SetEnabled(true);
    SetBold(btnAutoDisplay, true);
  }
}

void frmProfile::timerAutoDisplay_Timer() {
  if (!FileLoaded || gCurDataset < 1 || gCurDataset > gDatasetCount) return;
  const int v = hsbHour->Value();
  const int last = gLastHour(gCurDataset);
  if (v >= last) {
    hsbHour->SetValue(0);
    timerAutoDisplay->SetInterval(hsbRate->Value());
  } else if (v + 1 == last) {
    hsbHour->SetValue(v + 1);
    timerAutoDisplay->SetInterval(hsbRate->Value() + hsbDelay->Value());
  } else {
    hsbHour->SetValue(v + 1);
    timerAutoDisplay->SetInterval(hsbRate->Value());
  }
}

void frmProfile::hsbRate_Change() {
  if (timerAutoDisplay != nullptr) timerAutoDisplay->SetInterval(hsbRate->Value());
}

bool frmProfile::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && watched == lblHour) {
    lblHour_Click();
    return true;
  }
  if (watched == lblActiveTemp || watched == lblActiveDP || watched == lblActiveDir ||
      watched == lblActiveKts) {
    auto* label = static_cast<QLabel*>(watched);
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return true;
      case QEvent::MouseButtonRelease:
        ReadoutLabel_MouseUp(label, PictureBoxWidget::ButtonCode(static_cast<QMouseEvent*>(event)->button()));
        return true;
      case QEvent::MouseMove: {
        // The chart goes on following the cursor over its labels.
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint at = label->mapTo(picData, m->position().toPoint());
        picData_MouseMove(PictureBoxWidget::ButtonCode(m->buttons()), PictureBoxWidget::ShiftCode(m->modifiers()),
                          picData->Pic().PixelToX(at.x()), ChartYOfPixel(at.y()));
        return true;
      }
      default:
        break;
    }
  }
  if (event->type() != QEvent::KeyPress || ended_) return QWidget::eventFilter(watched, event);
  auto* w = qobject_cast<QWidget*>(watched);
  if (w == nullptr || w->window() != this) return QWidget::eventFilter(watched, event);
  auto* k = static_cast<QKeyEvent*>(event);
  const int code = PlatformKeyCode(k->key());
  const bool fKey = code >= kKeyF1 && code <= kKeyF1 + 11;
  // A text box keeps its keys; only the function keys act there.
  if (TextBoxHasFocus() && !fKey) return false;
  if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) return false;
  if (code != 0) Form_KeyDown(code, PictureBoxWidget::ShiftCode(k->modifiers()));
  // Every key ends here, so the focused control never acts on it.
  return true;
}

// ---- LoadUi ----

Integer frmProfile::GetTimeZoneOffset(Single siteLat, Single siteLon) {
  int row = -1;
  const int offset = TimeZoneOffsetFor(gTZRecords, siteLat, siteLon, cfg.gTZConfigOffset, row);
  gTZRow = row;
  return offset;
}

void frmProfile::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++busyDepth_;
  } else if (busyDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busyDepth_;
  }
}

void frmProfile::SetElevatedLevelBar(Integer value) { vbsElevatedPT->SetValue(value); }

void frmProfile::SetHourBar(Integer /*lastHour*/, Integer /*valueLimit*/, bool /*timeLeftToRight*/) {
  // The bar covers the hours of the current dataset, so no hour beyond its
  // last can be chosen; the direction is the configuration's.
  const int d = std::clamp(gCurDataset, 1, std::max(1, gDatasetCount));
  SetHourRange(gLastHour(d));
}

void frmProfile::SetSigmaLevelBar(Integer min, Integer max, Integer value) {
  vsbSigmaLevel->SetRange(min, max);
  vsbSigmaLevel->SetValue(value);
}

void frmProfile::SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) {
  vsbMeanFlow[0]->SetMin(min0);
  vsbMeanFlow[1]->SetMin(min1);
  vsbMeanFlow[0]->SetValue(value0);
  vsbMeanFlow[1]->SetValue(value1);
}

void frmProfile::ShowEnsembleControls(bool visible) {
  btnEnsemble->setVisible(visible);
  vsbEE->setVisible(visible);
}

// The hodograph's layer buttons belong to the hodograph panel.
void frmProfile::HodoHeightClick(Integer /*index*/) {}
void frmProfile::HodoBaseClick(Integer /*index*/) {}

// The map buffer belongs to the map panel.
void frmProfile::RedrawMap() {}

void frmProfile::SetDatasetBoxes(const DatasetBoxes& boxes) {
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    boxCaption_[i] = boxes.caption[i];
    chkefname[i]->setText(QString::fromStdString(boxes.caption[i]));
    chkefname[i]->setVisible(boxes.visible[i]);
  }
}

void frmProfile::DatasetsChanged() {
  FileLoaded = true;
  chkefname_Click(0);
}

void frmProfile::FocusHourBar() {
  if (hsbHour != nullptr && hsbHour->isVisible()) hsbHour->setFocus();
}

}  // namespace ondrik
