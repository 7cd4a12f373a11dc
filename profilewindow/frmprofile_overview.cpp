// The profile window's side of the link with the overview: opening and
// rebuilding it, its hour cursor, and what the overview reads of this
// window and asks of it (ProfileLink).
#include <QPushButton>

#include <algorithm>
#include <exception>

#include "core/shared.h"
#include "core/shear.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"

#include "profilewindow/frmprofile.h"
#include "profilewindow/overlayspage.h"
#include "profilewindow/timezone.h"
#include "savedstate/ownfiles.h"

namespace ondrik {

// ---- the overview ----

void frmProfile::PlotCursor() {
  if (gOverviewOpen == 0 || !overview_->IsOpen()) return;
  if (overview_->MoveCursor(gCursorHour, CurHour)) gCursorHour = CurHour;
}

void frmProfile::RedrawOverview() {
  if (gLoadingState || gOverviewOpen == 0) return;
  // Asked from this window: the keyboard focus stays here.
  const Integer source = gHourChangeSource;
  if (source == 0) gHourChangeSource = 1;
  overview_->PlotData();
  gHourChangeSource = source;
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

// ---- ProfileLink ----

OverviewInputs frmProfile::Inputs() const {
  OverviewInputs in;
  in.ProfileCaption = windowTitle().toStdString();
  in.HourValue = hsbHour->Value();
  in.ModelIndex = model_.gModelIndex;
  in.TimeLabelStep = model_.params.gTimeLabelStep;
  in.WindowSteps = model_.params.gOverviewWindowSteps;
  in.InversionDT = model_.params.gInversionDT;
  in.IsothermDT = model_.params.gIsothermDT;
  in.LakeIndexPres = cfg_.gLakeIndexPres;
  in.LakeIndexDelta = cfg_.gLakeIndexDiff;
  in.TotalsLowerPres = cfg_.gTotalsLowPres;
  in.ModelHourStep = static_cast<Single>(model_.params.gModelHourStep);
  in.SigmaLevelStep = std::max(1, model_.params.gSigmaLevelStep);
  in.IsothermMinDPD = model_.params.gIsothermMinDepression;
  in.OmegaSmoothOn = chart_.opt.gOmegaSmoothOn;
  in.PtypeDecided = chart_.opt.chksWSYMb;
  in.XferIndex = chart_.opt.gXferIndex;
  in.SRInflowBottom = gSRInflowBase;
  in.SRInflowDepth = gSRInflowDepth;
  for (int c = 0; c < 3; ++c) in.LayerShearBounds[static_cast<size_t>(c)] = gIndexThresholds(kRowLayerShear, c);
  in.CapeBounds = {gIndexThresholds(kRowCins, 1), gIndexThresholds(kRowCins, 2)};
  in.Now = SiteNow(cfg_.gClockIsLocal, cfg_.gClockUtcOffset);
  in.ReverseScroll = cfg_.gTimeLeftToRight;
  in.LinuxMode = cfg_.gLinuxMode;
  return in;
}

ProfileLink::HourBar frmProfile::Hours() const { return {hsbHour->Min, hsbHour->Max, hsbHour->Value()}; }

ProfileLink::DatasetBar frmProfile::Datasets() const {
  return {vsbEE->Max, vsbEE->Value(), !vsbEE->isHidden(), !btnEnsemble->isHidden()};
}

ProfileLink::DatasetBoxState frmProfile::Boxes() const {
  DatasetBoxState b;
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    b.caption[static_cast<size_t>(i)] = overlaysPage_->Caption(i);
    b.value[static_cast<size_t>(i)] = overlaysPage_->Value(i);
  }
  b.summary = overlaysPage_->Summary();
  b.summaryVisible = gDatasetCount > 1;
  return b;
}

ProfileLink::LevelBars frmProfile::Levels() const {
  LevelBars l = loadedLevelBars_;
  const PanelSettings s = CapturePanelSettings();
  l.sigmaValue = s.SigmaLevel;
  l.meanValue0 = s.MeanFlowLevels[0];
  l.meanValue1 = s.MeanFlowLevels[1];
  return l;
}

std::string frmProfile::LakeTemperatureCaption() const { return std::to_string(CapturePanelSettings().LakeTempF); }

void frmProfile::SetHour(int value) { hsbHour->SetValue(value); }

void frmProfile::SetDataset(int value) { vsbEE->SetValue(value); }

void frmProfile::SetDatasetBox(int index, int value) {
  if (index >= 0 && index < kDatasetBoxCount) overlaysPage_->SetValue(index, value);
}

void frmProfile::SetBourgouin(int value) {
  for (CheckBox* b : chartBoxes_)
    if (b->objectName() == "chksWSYMb") b->SetValue(value);
}

void frmProfile::SetElevatedLevel(int level) { vbsElevatedPT->SetValue(level); }

bool frmProfile::AdjustTimeZone(int delta) {
  std::string path = FindFileNoCase(ProgramFolder(), saved::kTimeZoneFileName);
  if (path.empty()) path = ProgramFolder() + saved::kTimeZoneFileName;
  return AdjustTimeZoneOffset(delta, path);
}

const PictureBox* frmProfile::ChartPicture(QSize room) {
  if (picData == nullptr) return nullptr;
  const PictureBox& shown = picData->Pic();
  const int w = std::min(shown.PixelWidth(), room.width()), h = std::min(shown.PixelHeight(), room.height());
  if (w == shown.PixelWidth() && h == shown.PixelHeight()) return &shown;
  if (w < 1 || h < 1 || !FileLoaded || gLoadingState) return nullptr;
  // Every number at the size the chart prints it, with the window's
  // choices; the window's chart, its bounds, its cursor and its focus stay
  // as they are (the side panel's marks are asked for, nothing else).
  struct MarksOnly : ChartEvents {
    ChartEvents* to = nullptr;
    ChartMarks MarksFor(Integer D, Integer H) override { return to != nullptr ? to->MarksFor(D, H) : ChartMarks{}; }
  } marks;
  marks.to = chart_.events;
  ChartState s = chart_;
  s.events = &marks;
  s.in.CurHour = CurHour;
  pipChart_.Resize(w, h, shown.DeviceScale());
  pipChart_.BackColor = shown.BackColor;
  pipChart_.FontName = shown.FontName;
  pipChart_.FontSize = shown.FontSize;
  pipChart_.FontBold = shown.FontBold;
  try {
    ::ondrik::PlotProfile(pipChart_, s);
  } catch (const std::exception& e) {
    PrintMessageLine("the chart of hour " + std::to_string(CurHour) + " could not be drawn: " + e.what());
  }
  return &pipChart_;
}

void frmProfile::BringForward() {
  raise();
  activateWindow();
  FocusHourBar();
}

}  // namespace ondrik
