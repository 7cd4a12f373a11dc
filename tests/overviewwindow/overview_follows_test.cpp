// The open overview follows what the profile window changes, whatever the
// road: the helicity layer by its button, the storm motion dragged on the
// hodograph, the transfer step, a display setup by its key, the datasets
// by the grave accent. After each the picture is the one a fresh
// computation gives, and closing and opening the overview gives it too.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>
#include <string>
#include <vector>

#include "core/shared.h"
#include "core/shear.h"
#include "overview/series.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

QImage Picture(frmOverView& o) { return Ctl<PictureBoxWidget>(o, "picRH")->Pic().Image().copy(); }

// The picture drawn from no computed result at all.
QImage Fresh(frmOverView& o) {
  for (Integer d = 1; d <= gDatasetCount; ++d)
    for (Integer h = 0; h <= gLastHour(d); ++h) gHelicityDone(d, h) = 0;
  ClearSeriesFlags();
  o.PlotData();
  return Picture(o);
}

// A press, a move and a release of the left button on a picture, at the
// points of its scale.
void Drag(PictureBoxWidget& w, double x0, double y0, double x1, double y1) {
  const PictureBox& pic = w.Pic();
  auto send = [&w](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, at, w.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
  };
  const QPointF from(pic.XToPixel(x0), pic.YToPixel(y0)), to(pic.XToPixel(x1), pic.YToPixel(y1));
  send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);  // picks the point
  send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

TEST_F(OverviewWindowTest, OverviewFollowsTheProfileWindowsWindsAndSteps) {
  frmProfile& w = Start();
  Ensemble(w);
  w.btnDisplay_Click(2);  // the hodograph
  w.btnSave_Click(0);     // the setup of the layer and step as they start
  frmOverView* o = &Open(w);
  for (const char* b : {"chkHelicity", "chkStormRelInflow", "chkTransportSpeed", "chkLIC"})
    Ctl<CheckBox>(*o, b)->SetValue(1);
  struct Road {
    const char* what;
    std::function<void()> change;
  };
  const Road roads[] = {
      {"layer button", [&] { Ctl<QPushButton>(w, "btnHodoHeight1")->click(); }},
      {"storm motion dragged",
       [&] {
         const Integer H = w.CurHour;
         Drag(*Ctl<PictureBoxWidget>(w, "picHodograph"), gStormU(1, H), gStormV(1, H), gStormU(1, H) + 15,
              gStormV(1, H) - 10);
       }},
      {"transfer step", [&] { Ctl<QPushButton>(w, "btnXfer", 0)->click(); }},
      {"setup by its key", [&] { w.Form_KeyDown(112, 0); }},
      {"lake temperature", [&] { Ctl<ScrollBar>(w, "vsbLakeF")->SetValue(80); }},
  };
  for (const Road& r : roads) {
    SCOPED_TRACE(r.what);
    const QImage before = Picture(*o);
    const int draws = drawn_;
    r.change();
    EXPECT_EQ(drawn_, draws + 1);
    const QImage shown = Picture(*o);
    EXPECT_NE(shown, before);
    EXPECT_EQ(Ctl<CheckBox>(*o, "chkHelicity")->text().toStdString(),
              "Helicity " + std::to_string(static_cast<int>(gSRInflowBase)) + " - " +
                  std::to_string(static_cast<int>(gSRInflowDepth)) + " km");
    // The labels and buttons that name the profile window's values.
    EXPECT_EQ(Ctl<QLabel>(*o, "lblLakeTemp")->text(),
              QString("Lake Temp %1").arg(Ctl<ScrollBar>(w, "vsbLakeF")->Value()) + QChar(0xB0));
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(Ctl<QPushButton>(*o, "btnXferO", k)->font().bold(), k == w.Chart().opt.gXferIndex) << k;
    // Closed and opened again: the same picture, computed afresh.
    Ctl<QPushButton>(*o, "btnQuit")->click();
    o = &Open(w);
    EXPECT_EQ(Picture(*o), shown);
    EXPECT_EQ(Fresh(*o), shown);
  }
}

TEST_F(OverviewWindowTest, EveryDatasetKeyRedrawsBothWindows) {
  frmProfile& w = Start();
  Ensemble(w);
  frmOverView& o = Open(w);
  for (const std::function<void()>& everyDataset :
       std::vector<std::function<void()>>{[&] { w.Form_KeyDown(192, 0); }, [&] { o.Form_KeyDown(192, 0); }}) {
    w.Form_KeyDown(50, 0);  // 2: the members of one model only
    ASSERT_LT(gShownCount, 8);
    const int draws = drawn_, charts = chartDraws_;
    everyDataset();
    EXPECT_EQ(gShownCount, 8);
    EXPECT_GT(drawn_, draws);
    EXPECT_GT(chartDraws_, charts);
    EXPECT_EQ(Ctl<ScrollBar>(o, "vsbEE")->Max, 8);
    const QImage shown = Picture(o);
    o.PlotData();
    EXPECT_EQ(Picture(o), shown);
  }
}

// The Overlay button of either window (or the overview's key for it) draws
// every shown dataset, or the current one only, in both windows, and both
// buttons say which.
TEST_F(OverviewWindowTest, EitherOverlayButtonRedrawsBothWindows) {
  frmProfile& w = Start();
  Ensemble(w);
  frmOverView& o = Open(w);
  for (const std::function<void()>& toggle : std::vector<std::function<void()>>{
           [&] { Ctl<QPushButton>(w, "btnEnsemble")->click(); }, [&] { Ctl<QPushButton>(o, "btnEnsemble")->click(); },
           [&] { Ctl<QPushButton>(o, "btnEnsemble")->click(); }, [&] { Ctl<QPushButton>(w, "btnEnsemble")->click(); }}) {
    const bool before = gOverlayAll;
    const QImage picture = Picture(o);
    const int charts = chartDraws_;
    toggle();
    EXPECT_NE(gOverlayAll, before);
    EXPECT_GT(chartDraws_, charts);
    EXPECT_NE(Picture(o), picture);
    EXPECT_EQ(Fresh(o), Picture(o));
    for (QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&o)})
      EXPECT_EQ(Ctl<QPushButton>(*window, "btnEnsemble")->font().bold(), gOverlayAll);
  }
}

}  // namespace
}  // namespace ondrik
