// The profile window's refresh for the current hour and the ways the hour
// changes: the hour bar, keys, mouse wheel and the loop timer.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>

#include "core/shared.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/looppage.h"
#include "profilewindow/timezone.h"

namespace ondrik {

namespace {

// Platform key codes of the key table.
enum KeyCode {
  kKeySpace = 32, kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39,
  kKeyDown = 40, kKey1 = 49, kKey4 = 52, kKeyE = 69, kKeyL = 76, kKeyO = 79, kKeyT = 84,
  kKeyF1 = 112, kKeyF6 = 117, kKeyGrave = 192
};

std::string TwoDigits(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", v % 100);
  return buf;
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

void frmProfile::SetBold(QPushButton* b, bool bold) {
  if (b == nullptr) return;
  QFont f = b->font();
  if (f.bold() == bold) return;
  f.setBold(bold);
  b->setFont(f);
}

void frmProfile::SetUnderline(QPushButton* b, bool on) {
  if (b == nullptr) return;
  QFont f = b->font();
  f.setUnderline(on);
  b->setFont(f);
}

// ---- refresh ----

void frmProfile::DisplayHour() {
  if (!FileLoaded) return;
  if (gLoadingState) return;
  if (gCurDataset < 1 || gCurDataset > gDatasetCount) return;
  CurHour = hsbHour->Value();
  if (CurHour < 0 || CurHour > gLastHour(gCurDataset)) return;
  chart_.in.CurHour = CurHour;
  lblHour->setText(QString::fromStdString(HourCaption(CurHour, gHoursPerStep)));
  const DateTime valid = gValidTime(gCurDataset, CurHour);
  if (valid.IsSet()) {
    lblDate->setText(QString::fromStdString(DateCaption(valid)));
    lblLocal->setText(QString::fromStdString(LocalTimeLabel(valid, gTZOffset)));
  }
  // The side panel before the chart, then the open control page.
  if (SidePanel* p = panels_.Find(RightPanel)) {
    p->Draw();
    emit PanelDrawn(RightPanel);
  }
  if (SidePanel* page = pages_.Find(ControlPanel)) page->Draw();
  PlotProfile();
  PlotCursor();
}

// ---- hours ----

void frmProfile::SetHourRange(int lastHour) {
  lastHour = std::clamp(lastHour, 0, kMaxHours - 1);
  if (cfg_.gTimeLeftToRight)
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

// ---- keys, wheel, loop ----

bool frmProfile::TextBoxHasFocus() const {
  QWidget* f = QApplication::focusWidget();
  return qobject_cast<QLineEdit*>(f) != nullptr || qobject_cast<QTextEdit*>(f) != nullptr ||
         qobject_cast<QPlainTextEdit*>(f) != nullptr || qobject_cast<QAbstractSpinBox*>(f) != nullptr;
}

void frmProfile::Form_KeyDown(int keyCode, int /*shift*/) {
  const bool reverse = cfg_.gTimeLeftToRight;
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
    timerAutoDisplay->SetInterval(loopPage_->Rate());
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
    timerAutoDisplay->SetInterval(loopPage_->Rate());
  } else if (v + 1 == last) {
    hsbHour->SetValue(v + 1);
    timerAutoDisplay->SetInterval(loopPage_->Rate() + loopPage_->Delay());
  } else {
    hsbHour->SetValue(v + 1);
    timerAutoDisplay->SetInterval(loopPage_->Rate());
  }
}

void frmProfile::hsbRate_Change() {
  if (timerAutoDisplay != nullptr) timerAutoDisplay->SetInterval(loopPage_->Rate());
}

bool frmProfile::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && lstSiteIDs != nullptr && watched == lstSiteIDs->viewport())
    siteRowAtPress_ = lstSiteIDs->currentRow();
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
        picData->PointerMovedTo(label->mapTo(picData, m->position()), PictureBoxWidget::ButtonCode(m->buttons()),
                                PictureBoxWidget::ShiftCode(m->modifiers()));
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

}  // namespace ondrik
