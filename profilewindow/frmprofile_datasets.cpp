// The profile window's datasets: the dataset bar, the dataset boxes of the
// overlay page and the overlay button, and what a load does to the window.
#include <QApplication>
#include <QCursor>
#include <QPushButton>

#include <algorithm>

#include "core/guards.h"
#include "core/shared.h"
#include "platform/controls.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/overlayspage.h"
#include "profilewindow/timezone.h"

namespace ondrik {

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
    const LoadingStateGuard loading;
    SetHourRange(gLastHour(gCurDataset));
  }
  DisplayHour();
  if (gOverviewOpen != 0) overview_->MirrorDatasetBar(std::max(1, gShownCount), vsbEE->Value(), vsbEE->isVisible());
  if (gHourChangeSource == 1) gHourChangeSource = 0;
}

void frmProfile::chkefname_Click(int index) {
  OverlaysPage& page = *overlaysPage_;
  page.ShowSummary(gDatasetCount > 1);
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
        found = page.Value(box) == 1 && !page.Caption(box).empty() &&
                title.find(page.Caption(box) + " ") != std::string::npos;
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
  {
    const LoadingStateGuard loading;
    // With no dataset shown the bar keeps a range of one and is hidden.
    vsbEE->SetRange(1, std::max(1, gShownCount));
    vsbEE->SetValue(position);
    page.SetSummary(std::to_string(gShownCount) + " Slected Ensemble Elements");
    vsbEE->setVisible(gShownCount > 0);
    btnEnsemble->setVisible(gShownCount > 0);
    if (gOverviewOpen != 0) overview_->MirrorDatasetBar(std::max(1, gShownCount), position, gShownCount > 0);
  }
  vsbEE_Change();
  if (gOverviewOpen != 0) {
    gHourChangeSource = 1;
    overview_->PlotData();
    gHourChangeSource = 0;
    gEnsembleMirrorGuard = 1;
    if (index >= 0 && index < kDatasetBoxCount)
      overview_->MirrorDatasetBox(page.Summary(), index, page.Value(index));
    gEnsembleMirrorGuard = 0;
  }
}

void frmProfile::btnEnsemble_Click() {
  gOverlayAll = !gOverlayAll;
  SetBold(btnEnsemble, gOverlayAll);
  vsbEE->setFocus();
  DisplayHour();
  if (gOverviewOpen != 0) {
    overview_->MirrorDatasetBar(std::max(1, gShownCount), vsbEE->Value(), vsbEE->isVisible());
    RedrawOverview();
  }
}

void frmProfile::Cycle(int column) {
  const ProfileStore& st = Store();
  if (gDatasetCount <= 1 || column < 1 || column > 4 || column > st.gTitleColumnCount) return;
  const int words = std::clamp(st.gTitleWordCount(column), 0, 5);
  if (words == 0) return;
  OverlaysPage& page = *overlaysPage_;
  int last = 99;
  {
    const LoadingStateGuard loading;
    for (int r = 1; r <= words; ++r) {
      const int box = 5 * (column - 1) + r - 1;
      if (page.Value(box) == 1) {
        last = r;
        page.SetValue(box, 0);
      }
    }
  }
  int next = last + 1;
  if (next > words) next = 1;
  const int box = 5 * (column - 1) + next - 1;
  if (page.Value(box) == 1)
    chkefname_Click(box);
  else
    page.SetValue(box, 1);
}

void frmProfile::CycleOn() {
  {
    const LoadingStateGuard loading;
    const ProfileStore& st = Store();
    if (gDatasetCount > 1)
      for (int c = 1; c <= std::min(4, st.gTitleColumnCount); ++c)
        for (int r = 1; r <= std::clamp(st.gTitleWordCount(c), 0, 5); ++r)
          overlaysPage_->SetValue(5 * (c - 1) + r - 1, 1);
  }
  DatasetBoxesSet();
}

// The shown datasets as the boxes stand, in both windows.
void frmProfile::DatasetBoxesSet() { chkefname_Click(-1); }

// ---- LoadUi ----

Integer frmProfile::GetTimeZoneOffset(Single siteLat, Single siteLon) {
  int row = -1;
  const int offset = TimeZoneOffsetFor(gTZRecords, siteLat, siteLon, cfg_.gTZConfigOffset, row);
  gTZRow = row;
  return offset;
}

void frmProfile::SetBusyCursor(bool busy) { busy_.Set(busy); }

void frmProfile::SetElevatedLevelBar(Integer value) { vbsElevatedPT->SetValue(value); }

void frmProfile::SetHourBar(Integer /*lastHour*/, Integer /*valueLimit*/, bool /*timeLeftToRight*/) {
  // The bar covers the hours of the current dataset, so no hour beyond its
  // last can be chosen; the direction is the configuration's.
  const int d = std::clamp(gCurDataset, 1, std::max(1, gDatasetCount));
  SetHourRange(gLastHour(d));
}

// The load's calls that belong to the side panels go to every panel.
void frmProfile::SetSigmaLevelBar(Integer min, Integer max, Integer value) {
  loadedLevelBars_.sigmaMin = min;
  loadedLevelBars_.sigmaMax = max;
  for (const auto& item : panels_.Items()) item.panel->SetSigmaLevelBar(min, max, value);
}

void frmProfile::SetMeanFlowBars(Integer min0, Integer min1, Integer value0, Integer value1) {
  loadedLevelBars_.meanMin1 = min1;
  for (const auto& item : panels_.Items()) item.panel->SetMeanFlowBars(min0, min1, value0, value1);
}

void frmProfile::ShowEnsembleControls(bool visible) {
  btnEnsemble->setVisible(visible);
  vsbEE->setVisible(visible);
}

void frmProfile::NewFileLoaded() {
  for (const PanelRegistry* r : {&panels_, &pages_})
    for (const auto& item : r->Items()) item.panel->NewFileLoaded();
}

void frmProfile::HodoHeightClick(Integer index) {
  for (const auto& item : panels_.Items()) item.panel->HodoHeightClick(index);
}

void frmProfile::HodoBaseClick(Integer index) {
  for (const auto& item : panels_.Items()) item.panel->HodoBaseClick(index);
}

void frmProfile::RedrawMap() {
  for (const auto& item : panels_.Items()) item.panel->RedrawMap();
}

void frmProfile::SetDatasetBoxes(const DatasetBoxes& boxes) { overlaysPage_->SetBoxes(boxes); }

void frmProfile::DatasetsChanged() {
  FileLoaded = true;
  chart_.in.FileLoaded = true;
  chkefname_Click(0);
}

void frmProfile::FocusHourBar() {
  if (hsbHour != nullptr && hsbHour->isVisible()) hsbHour->setFocus();
}

}  // namespace ondrik
