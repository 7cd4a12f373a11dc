// The overview's redraw and what it leaves on the window, the hour cursor,
// the time axis and the precipitation readout.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "core/guards.h"
#include "core/levels.h"
#include "core/shared.h"
#include "core/shear.h"
#include "overview/plotdata.h"
#include "overview/plotters.h"
#include "overview/series.h"
#include "overview/timelabels.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"

namespace ondrik {

// The profile window's options as they are now: the labels name them, and
// the transport winds of another transfer step and the snow of other
// precipitation types are computed again.
void frmOverView::PlotData() {
  if (gLoadingState) return;
  state_.in = profile_.Inputs();
  if (state_.in.XferIndex != transferStep_) {
    ClearTransportWinds();
    transferStep_ = state_.in.XferIndex;
  }
  FollowTypeSource();
  ShowProfileValues();
  OverviewDraw d{state_, picRH->Pic(), picLeft->Pic(), picRight->Pic()};
  ondrik::PlotData(d);
  KeepTimeMapping();
  cursorAt_.reset();
  if (state_.opt.On(kBoxCursor)) cursorAt_ = gCursorHour;
  ShowRedraw();
  emit Drawn();
}

// What the redraw leaves on the controls: the grid boxes of the axes shown,
// the panels and legends of the fields and strips ticked (whichever road
// ticked them: the design, a click, a reset or a recall), the quality
// alert, the pictures.
void frmOverView::ShowRedraw() {
  ShowAllPanels(*this, state_.opt);
  for (const OverviewRow& r : OverviewRows())
    if (r.kind == BoxKind::Grid) Box(r.id)->setVisible(state_.draw.GridVisible[static_cast<size_t>(r.id)]);
  txtQualityControl->setPlainText(QString::fromStdString(state_.draw.QualityText));
  txtQualityControl->setVisible(state_.draw.QualityVisible);
  ShowPTypeLegend();
  for (PictureBoxWidget* p : {picRH, picLeft, picRight}) p->update();
}

void frmOverView::DrawTimeAxis() {
  ondrik::DrawTimeAxis(picTime->Pic(), state_);
  picTime->update();
}

bool frmOverView::PlotCursor(int /*fromHour*/, int toHour) {
  if (!state_.opt.On(kBoxCursor)) return false;
  // The line on the picture is taken away where it is, whatever the caller
  // remembers.
  if (cursorAt_) DrawCursorLine(picRH->Pic(), state_, *cursorAt_);
  DrawCursorLine(picRH->Pic(), state_, toHour);
  cursorAt_ = toHour;
  picRH->update();
  return true;
}

void frmOverView::ShowPrecipTotal(int hour, double y) {
  PictureBox& pic = picRH->Pic();
  const OverviewFrame& f = state_.frame;
  double pointerRow = pic.MappedYToPixel(y);  // as the mouse reported it
  if (!std::isfinite(pointerRow)) pointerRow = 0;
  pic.Scale(f.TimeLeft, 1, f.TimeRight, 0);
  const double x = f.TimeLeft - 1 > hour ? hour + 1.5 : f.TimeLeft;
  std::string caption;
  if (state_.opt.On(kBoxSnow) || state_.opt.On(kBoxSnowAcumm))
    caption = SnowTotalCaption(SnowTotals(gCurDataset, MarkerHour, hour));
  else
    caption = PrecipTotalCaption(PrecipitationTotal(gCurDataset, MarkerHour, hour));
  lblPrecip->setText(QString::fromStdString(caption));
  lblPrecip->adjustSize();
  // The label stands at the pointer's height, one label height lower.
  const double column = pic.XToPixel(x);
  const int px = std::isfinite(column) ? static_cast<int>(std::lround(std::clamp(column, -1e4, 1e4))) : 0;
  const int py = static_cast<int>(std::lround(std::clamp(pointerRow, -1e4, 1e4))) + lblPrecip->height();
  lblPrecip->move(px, py);
  lblPrecip->setVisible(true);
  ReadoutHour = hour;
}

void frmOverView::DisplayECAPELabels() {
  if (!state_.opt.On(kBoxECAPE) && !state_.opt.On(kBoxEHailCape)) return;
  const auto items = ECapeLegend(state_.opt.ContourInterval, state_.opt.ECAPELowestClass);
  for (size_t i = 0; i < items.size(); ++i) {
    const Color c = items[i].colour;
    ::ondrik::SetCaption(lblECAPE[i], QString::fromStdString(items[i].caption));
    lblECAPE[i]->setStyleSheet(QString("QLabel { color: rgb(%1, %2, %3); }").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c)));
  }
}

}  // namespace ondrik
