// The overview's time window, its keys and mouse wheel, and the datasets:
// the dataset bar and boxes, mirrored with the profile window's.
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "core/guards.h"
#include "core/shared.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

// Platform key codes of the key table.
enum KeyCode {
  kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40,
  kKey1 = 49, kKey4 = 52, kKeyC = 67, kKeyE = 69, kKeyG = 71, kKeyN = 78, kKeyP = 80,
  kKeyF1 = 112, kKeyF6 = 117, kKeyGrave = 192
};

Integer CurrentLastHour() {
  return gCurDataset >= 1 && gCurDataset <= std::min<Integer>(gDatasetCount, kMaxDatasets) ? gLastHour(gCurDataset) : 0;
}

}  // namespace

// ---- time window ----

void frmOverView::btnHours_Click(int index) {
  if (index < 0 || index > 3) return;
  for (int i = 0; i < 4; ++i) SetBold(btnHours[static_cast<size_t>(i)], i == index);
  const Integer columns = ColumnsOfWindow(btnHours[static_cast<size_t>(index)]->text().toFloat());
  SetTimeWindow(state_.frame, columns, 0);
  const Integer last = CurrentLastHour();
  {
    // The bar is set up without redrawing at every step.
    auto onChange = std::move(hsbHours->onChange);
    hsbHours->onChange = nullptr;
    if (last > columns - 1) {
      hsbHours->setVisible(true);
      hsbHours->SetRange(last - (columns - 1), 0);
      hsbHours->SetValue(0);
      hsbHours->SetLargeChange(std::max(1, columns - 1));
    } else {
      hsbHours->setVisible(false);
    }
    hsbHours->onChange = std::move(onChange);
  }
  DrawTimeAxis();
  PlotData();
}

void frmOverView::hsbHours_Change() {
  SetTimeWindow(state_.frame, state_.frame.ColumnsShown, hsbHours->Value());
  DrawTimeAxis();
  PlotData();
}

// ---- keys and wheel ----

// Left, Right, Home and End step the profile window's hour bar, which moves
// both windows: Left to the next hour (after the last, hour 0), Right to the
// one before, Home and End to the two ends of the bar.
void frmOverView::StepHour(int keyCode) {
  if (gHourChangeSource == 0) gHourChangeSource = 2;
  const ProfileLink::HourBar bar = profile_.Hours();
  const bool reverse = profile_.Inputs().ReverseScroll;
  const int v = bar.value;
  int to = v;
  switch (keyCode) {
    case kKeyLeft:
      to = reverse ? (v < bar.max ? v + 1 : bar.min) : (v < bar.min ? v + 1 : bar.max);
      break;
    case kKeyRight:
      to = reverse ? (v > bar.min ? v - 1 : bar.max) : (v > bar.max ? v - 1 : bar.min);
      break;
    case kKeyHome: to = bar.min; break;
    case kKeyEnd: to = bar.max; break;
    default: break;
  }
  profile_.SetHour(to);
  if (gHourChangeSource == 2) {
    FocusScrollBar();
    gHourChangeSource = 0;
  }
}

void frmOverView::Form_KeyDown(int keyCode, int /*shift*/) {
  switch (keyCode) {
    case kKeyLeft:
    case kKeyRight:
    case kKeyHome:
    case kKeyEnd: StepHour(keyCode); break;
    case kKeyDown: {
      const int e = vsbEE->Value();
      vsbEE->SetValue(e < vsbEE->Max ? e + 1 : static_cast<int>(vsbEE->Min));
      break;
    }
    case kKeyUp: {
      const int e = vsbEE->Value();
      vsbEE->SetValue(e > vsbEE->Min ? e - 1 : static_cast<int>(vsbEE->Max));
      break;
    }
    case kKeyE:
      if (btnEnsemble->isVisible()) btnEnsemble_Click();
      break;
    case kKeyC: SetBox(kBoxCursor, 1 - Box(kBoxCursor)->Value()); break;
    case kKeyN: SetBox(kBoxNow, 1 - Box(kBoxNow)->Value()); break;
    case kKeyP: profile_.BringForward(); break;
    case kKeyG: SetBox(kBoxGridTime, 1 - Box(kBoxGridTime)->Value()); break;
    case kKeyGrave: CycleOn(); break;
    default:
      if (keyCode >= kKeyF1 && keyCode <= kKeyF6) {
        btnRecall_Click(keyCode - kKeyF1);
        FocusScrollBar();
      } else if (keyCode >= kKey1 && keyCode <= kKey4) {
        Cycle(keyCode - kKey1 + 1);
      }
      break;
  }
}

void frmOverView::MouseWheel(int rotation) { Form_KeyDown(rotation > 0 ? kKeyUp : kKeyDown, 0); }

bool frmOverView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || unloaded_) return QWidget::eventFilter(watched, event);
  auto* w = qobject_cast<QWidget*>(watched);
  if (w == nullptr || w->window() != this) return QWidget::eventFilter(watched, event);
  auto* k = static_cast<QKeyEvent*>(event);
  const int code = PlatformKeyCode(k->key());
  if (code != 0) Form_KeyDown(code, PictureBoxWidget::ShiftCode(k->modifiers()));
  // Every key ends here, handled or not: the window's controls never see it.
  return true;
}

// ---- datasets ----

// The title columns of the dataset boxes: box 5 * column + j - 6 is the j-th
// box of column 1..4.
void frmOverView::Cycle(int column) {
  const ProfileStore& st = Store();
  if (gDatasetCount <= 1 || column < 1 || column > 4 || column > st.gTitleColumnCount) return;
  const int words = std::clamp<int>(st.gTitleWordCount(column), 0, 5);
  if (words == 0) return;
  int last = 99;
  {
    const LoadingStateGuard loading;
    for (int j = 1; j <= words; ++j) {
      CheckBox* b = chkefname[static_cast<size_t>(5 * column + j - 6)];
      if (b->Value() == 0) continue;
      last = j;
      b->SetValue(0);
    }
  }
  int next = last + 1;
  if (next > words) next = 1;
  chkefname[static_cast<size_t>(5 * column + next - 6)]->SetValue(1);
}

void frmOverView::CycleOn() {
  const ProfileStore& st = Store();
  if (gDatasetCount <= 1) return;
  {
    const LoadingStateGuard loading;
    for (int c = 1; c <= std::min(4, st.gTitleColumnCount); ++c)
      for (int j = 1; j <= std::clamp<int>(st.gTitleWordCount(c), 0, 5); ++j)
        chkefname[static_cast<size_t>(5 * c + j - 6)]->SetValue(1);
  }
  profile_.DatasetBoxesSet();
}

// The overview's side of the dataset bar: a change begun here (source 2)
// goes to the profile window, which makes the dataset current; one begun
// there (source 1) only redraws. Set by code during a bulk change, it does
// nothing.
void frmOverView::vsbEE_Change() {
  if (gLoadingState) return;
  if (gHourChangeSource == 0) gHourChangeSource = 2;
  if (gHourChangeSource != 1) profile_.SetDataset(vsbEE->Value());
  PlotData();
  if (gHourChangeSource == 2) {
    FocusScrollBar();
    gHourChangeSource = 0;
  }
}

void frmOverView::chkefname_Click(int index) {
  if (GridSwitchGuard != 0 || gEnsembleMirrorGuard != 0) return;
  profile_.SetDatasetBox(index, chkefname[static_cast<size_t>(index)]->Value());
  FocusScrollBar();
}

void frmOverView::btnEnsemble_Click() { profile_.ToggleOverlay(); }

void frmOverView::ShowOverlay() { SetBold(btnEnsemble, gOverlayAll); }

void frmOverView::MirrorDatasetBar(int max, int value, bool visible) {
  vsbEE->SetRange(1, std::max(1, max));
  vsbEE->SetValue(value);
  vsbEE->setVisible(visible);
  btnEnsemble->setVisible(visible);
  ShowOverlay();
}

void frmOverView::MirrorDatasetBox(const std::string& summary, int index, int value) {
  ::ondrik::SetCaption(lblSelectEnsemble, QString::fromStdString(summary));
  if (index >= 0 && index < kDatasetBoxCount) chkefname[static_cast<size_t>(index)]->SetValue(value);
}

}  // namespace ondrik
