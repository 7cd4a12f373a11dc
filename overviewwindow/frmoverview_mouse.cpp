// The mouse on the overview: hours and readouts on picRH, zoom of the scales
// on the side pictures, the picture-in-picture of the profile chart and the
// training logo.
#include <QLabel>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "core/shared.h"
#include "overview/series.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

namespace {

constexpr int kLeftButton = 1;
constexpr Color kTimeBack = RGB(124, 54, 3);  // picTime's background

Integer CurrentLast() {
  return gCurDataset >= 1 && gCurDataset <= std::min<Integer>(gDatasetCount, kMaxDatasets) ? gLastHour(gCurDataset) : 0;
}

}  // namespace

// The mouse reads picRH in hours across (time running right to left) and
// 0 to 1 upwards over the forecast drawn, and the side pictures 0 to 100
// across their three regions (and upwards until a press chooses an axis).
void frmOverView::KeepTimeMapping() {
  picRH->Pic().KeepMapping(state_.frame.TimeLeft, 1, state_.frame.TimeRight, 0);
}

void frmOverView::KeepSideMappings() {
  for (PictureBoxWidget* p : {picLeft, picRight}) p->Pic().KeepMapping(0, 100, 100, 0);
}

void frmOverView::ConnectMouse() {
  picRH->onMouseDown = [this](int b, int s, double x, double y) { picRH_MouseDown(b, s, x, y); };
  picRH->onMouseMove = [this](int b, int s, double x, double y) { picRH_MouseMove(b, s, x, y); };
  picRH->onMouseUp = [this](int b, int s, double x, double y) { picRH_MouseUp(b, s, x, y); };
  picLeft->onMouseDown = [this](int b, int s, double x, double y) { picLeft_MouseDown(b, s, x, y); };
  picRight->onMouseDown = [this](int b, int s, double x, double y) { picRight_MouseDown(b, s, x, y); };
  picLeft->onMouseUp = [this](int b, int, double, double y) { picSide_MouseUp(true, b, y); };
  picRight->onMouseUp = [this](int b, int, double, double y) { picSide_MouseUp(false, b, y); };
}

// ---- picRH ----

void frmOverView::picRH_MouseDown(int button, int /*shift*/, double x, double y) {
  if (button != kLeftButton) {
    const std::optional<int> column = ColumnAfter(x);
    if (!column) return;
    MarkerHour = ClampHour(*column, CurrentLast());
    PictureBox& t = picTime->Pic();
    t.Scale(state_.frame.TimeLeft, 0, state_.frame.TimeRight, 100);
    t.Box(MarkerHour, 0, MarkerHour - 1, 10, kWhite, false);
    picTime->update();
    ShowPrecipTotal(MarkerHour, y);
    ZoomAxisChosen = ZoomAxis::LakeCape;
    return;
  }
  const std::optional<int> h = PickedHour(x, CurrentLast());
  if (!h) return;
  if (gHourChangeSource == 0) gHourChangeSource = 2;
  profile_.SetHour(*h);
  if (gHourChangeSource == 2) {
    FocusScrollBar();
    gHourChangeSource = 0;
  }
}

void frmOverView::picRH_MouseMove(int button, int shift, double x, double y) {
  if (button == 0) return;
  if (button == kLeftButton) {
    const std::optional<int> h = PickedHour(x, CurrentLast());
    if (!h || *h == ReadoutHour) return;
    picRH_MouseDown(kLeftButton, shift, x, y);
    if (state_.opt.On(kBoxPIP)) PIP(x);
    return;
  }
  const std::optional<int> h = ColumnAfter(x);
  if (!h || *h == ReadoutHour || *h < 0 || *h > CurrentLast()) return;
  ShowPrecipTotal(*h, y);
}

void frmOverView::picRH_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  if (ZoomAxisChosen == ZoomAxis::LakeCape) {
    lblPrecip->setVisible(false);
    PictureBox& t = picTime->Pic();
    t.Scale(state_.frame.TimeLeft, 0, state_.frame.TimeRight, 100);
    t.Box(MarkerHour, 0, MarkerHour - 1, 10, kTimeBack, false);
    picTime->update();
  }
  picPIP->setVisible(false);
}

// ---- picture-in-picture ----

void frmOverView::PIP(double x) {
  // Whole inside the window: a chart larger than it is drawn anew to fit.
  const QWidget* page = picPIP->parentWidget();
  const PictureBox* pic = profile_.ChartPicture(page->size());
  if (pic == nullptr || pic->Image().isNull()) return;
  const QImage* chart = &pic->Image();
  picPIP->resize(chart->deviceIndependentSize().toSize());
  const double m = PipPointerX(x, state_.frame, picRH->x(), picRH->width());
  picPIP->move(PipLeft(picPIP->x(), m, page->width(), picPIP->width()), page->height() - picPIP->height());
  picPIP->setPixmap(QPixmap::fromImage(*chart));  // at the chart's resolution
  picPIP->setVisible(true);
  picPIP->raise();
}

void frmOverView::picPIP_Resize() {
  if (picPIP->x() > 0) picPIP->move(std::max(0, width() - picPIP->width()), picPIP->y());
}

// ---- zoom of the side scales ----

// The press keeps x 0..100 and gives y the units of the axis chosen, so that
// the release reads the pointer on that axis, whatever is drawn between.
void frmOverView::picLeft_MouseDown(int /*button*/, int /*shift*/, double x, double /*y*/) {
  const ZoomAxis a = LeftPressAxis(x, state_.opt.On(kBoxSfcPres), state_.opt.On(kBoxVisibility),
                                   state_.opt.On(kBoxVentilation));
  if (a == ZoomAxis::None) return;
  ZoomAxisChosen = a;
  const auto [top, bottom] = ZoomScale(a, state_.frame);
  picLeft->Pic().KeepMapping(0, top, 100, bottom);
}

void frmOverView::picRight_MouseDown(int /*button*/, int /*shift*/, double x, double /*y*/) {
  const ZoomAxis a = RightPressAxis(x);
  if (a == ZoomAxis::None) return;
  ZoomAxisChosen = a;
  const auto [top, bottom] = ZoomScale(a, state_.frame);
  picRight->Pic().KeepMapping(0, top, 100, bottom);
}

// y is on the axis the press chose. Each picture's release zooms only its
// own axes.
void frmOverView::picSide_MouseUp(bool left, int button, double y) {
  const ZoomAxis a = ZoomAxisChosen;
  if (a == ZoomAxis::None || OnLeftPicture(a) != left) return;
  const BoxId grid = ZoomGridBox(a);
  if (grid == kBoxCount || Box(grid)->isHidden()) return;
  if (!ZoomRelease(a, button == kLeftButton, y, state_.frame, state_.opt.TenMeterBase != 0, gCurDataset)) return;
  PlotData();
}

// ---- training and snow ratio ----

void frmOverView::picLogo_Click() { profile_.ToggleTrainingMode(); }

// The snow ratio of every dataset again, by the technique chosen now.
void frmOverView::RedoSnowRatio() {
  ondrik::RedoSnowRatio(state_);
  PlotData();
}

}  // namespace ondrik
