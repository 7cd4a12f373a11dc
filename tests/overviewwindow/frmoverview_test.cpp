// The overview window with the profile window, headless: opened by the
// button and key O, its time window, the hour cursor that follows the
// profile window's hour, its keys, wheel and dataset boxes mirrored with the
// profile window, its layout kept through closing and through a new file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <filesystem>

#include "core/shared.h"
#include "overview/layout.h"
#include "overview/plotdata.h"
#include "overview/timelabels.h"
#include "overviewwindow/frmoverview.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

TEST_F(OverviewWindowTest, OpensByKeyAndButtonWithTheFileAndTimeWindow) {
  frmProfile& w = Start();
  EXPECT_EQ(Overview(), nullptr);
  frmOverView& o = Open(w);
  EXPECT_EQ(gOverviewOpen, 1);
  EXPECT_EQ(o.windowTitle(), "KOKC - NAM - ONDRIK Overview");
  EXPECT_GE(o.width() * 15, kOverviewMinWidthTw);
  // Six hourly hours fit the first window of 24 hours: 25 columns, no bar.
  EXPECT_EQ(Ctl<QPushButton>(o, "btnHours", 0)->text(), "24");
  EXPECT_EQ(Ctl<QPushButton>(o, "btnHours", 3)->text(), "84");
  EXPECT_EQ(o.State().frame.ColumnsShown, 25);
  EXPECT_EQ(o.State().frame.TimeRight, -1);
  EXPECT_TRUE(Ctl<ScrollBar>(o, "hsbHours")->isHidden());
  // A second O, or the button, brings the same window forward.
  w.Form_KeyDown(79, 0);
  Ctl<QPushButton>(w, "btnOverView")->click();
  EXPECT_EQ(Overview(), &o);
  // With no layout kept, the fields of the design show with their axes and
  // the grid box of the plane; "Reset" clears them, and a field brings the
  // grid box back.
  for (const char* name : {"chkRH0", "chkTemperature", "chkPrecip", "chkSfcTemp", "chkSfcDewPoint"})
    EXPECT_EQ(Ctl<CheckBox>(o, name)->Value(), 1) << name;
  EXPECT_FALSE(Ctl<CheckBox>(o, "chkGridHeight")->isHidden());
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(o, "picRH")->Pic()), 1000);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(o, "picRight")->Pic()), 50);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(o, "picTime")->Pic()), 50);
  o.btnReset_Click();
  EXPECT_TRUE(Ctl<CheckBox>(o, "chkGridHeight")->isHidden());
  Ctl<CheckBox>(o, "chkTemperature")->SetValue(1);
  EXPECT_FALSE(Ctl<CheckBox>(o, "chkGridHeight")->isHidden());
  // A shorter window of the ensemble's 84 three-hourly steps shows the bar.
  Ensemble(w);
  frmOverView* rebuilt = Overview();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_EQ(rebuilt->State().frame.ColumnsShown, 85);
  rebuilt->btnHours_Click(0);
  ScrollBar* bar = Ctl<ScrollBar>(*rebuilt, "hsbHours");
  EXPECT_FALSE(bar->isHidden());
  EXPECT_EQ(bar->Min, 84 - 24);
  bar->SetValue(10);
  EXPECT_EQ(rebuilt->State().frame.TimeLeft, 25 + 10);
  EXPECT_EQ(rebuilt->State().frame.TimeRight, 9);
}

TEST_F(OverviewWindowTest, CursorFollowsTheProfileWindowsHour) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  o.btnReset_Click();  // a black plane under the line
  Ctl<CheckBox>(o, "chkCursor")->SetValue(1);
  const PictureBox& pic = Ctl<PictureBoxWidget>(o, "picRH")->Pic();
  EXPECT_EQ(gCursorHour, w.CurHour);
  const int before = CursorColumn(o);
  EXPECT_NE(pic.Image().pixel(before, 3) & 0xFFFFFF, 0u);
  const int draws = drawn_;
  w.Form_KeyDown(37, 0);  // the next hour in the profile window
  EXPECT_EQ(gCursorHour, w.CurHour);
  EXPECT_EQ(w.CurHour, 1);
  EXPECT_EQ(drawn_, draws);  // only the line moves
  const int after = CursorColumn(o);
  EXPECT_NE(after, before);
  EXPECT_EQ(pic.Image().pixel(before, 3) & 0xFFFFFF, 0u);
  EXPECT_NE(pic.Image().pixel(after, 3) & 0xFFFFFF, 0u);
  // The readout of the precipitation from the marked hour to the pointer's.
  o.MarkerHour = 1;
  o.ShowPrecipTotal(3, 0.5);
  QLabel* readout = Ctl<QLabel>(o, "lblPrecip");
  EXPECT_FALSE(readout->isHidden());
  EXPECT_EQ(readout->text().toStdString(), PrecipTotalCaption(PrecipitationTotal(1, 1, 3)));
  EXPECT_EQ(o.ReadoutHour, 3);
  // Without "Cursor" the line goes and the hour it was at stays.
  o.Form_KeyDown(67, 0);  // C
  EXPECT_EQ(Ctl<CheckBox>(o, "chkCursor")->Value(), 0);
  w.Form_KeyDown(37, 0);
  EXPECT_EQ(gCursorHour, 1);
  EXPECT_EQ(pic.Image().pixel(after, 3) & 0xFFFFFF, 0u);
}

TEST_F(OverviewWindowTest, KeysAndWheelStepHoursAndDatasets) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  // Left to the next hour, wrapping after the last; Right back; Home, End.
  o.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 1);
  o.Form_KeyDown(39, 0);
  o.Form_KeyDown(39, 0);
  EXPECT_EQ(w.CurHour, 5);
  o.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 0);
  o.Form_KeyDown(36, 0);  // Home: the last hour without the reverse option
  EXPECT_EQ(w.CurHour, 5);
  o.Form_KeyDown(35, 0);
  EXPECT_EQ(w.CurHour, 0);
  EXPECT_EQ(gHourChangeSource, 0);
  // N and G switch the present-time line and the time grid.
  const bool now = o.State().opt.On(kBoxNow), grid = o.State().opt.On(kBoxGridTime);
  o.Form_KeyDown(78, 0);
  o.Form_KeyDown(71, 0);
  EXPECT_NE(o.State().opt.On(kBoxNow), now);
  EXPECT_NE(o.State().opt.On(kBoxGridTime), grid);

  Ensemble(w);
  frmOverView& e = *Overview();
  QObject::connect(&e, &frmOverView::Drawn, [this] { ++drawn_; });
  ASSERT_EQ(gCurDataset, 1);
  int draws = drawn_;
  e.Form_KeyDown(40, 0);  // Down: the next dataset, in both windows, one redraw
  EXPECT_EQ(gCurDataset, 2);
  EXPECT_EQ(Ctl<ScrollBar>(w, "vsbEE")->Value(), 2);
  EXPECT_EQ(drawn_, draws + 1);
  e.MouseWheel(120);  // away from the user: Up
  EXPECT_EQ(gCurDataset, 1);
  e.Form_KeyDown(38, 0);  // Up from the first wraps to the last
  EXPECT_EQ(gCurDataset, 8);
  // The profile window's bar moves the overview's once, without an echo.
  draws = drawn_;
  Ctl<ScrollBar>(w, "vsbEE")->SetValue(3);
  EXPECT_EQ(Ctl<ScrollBar>(e, "vsbEE")->Value(), 3);
  EXPECT_EQ(drawn_, draws + 1);
  EXPECT_EQ(gHourChangeSource, 0);
  // E switches the overlay.
  e.Form_KeyDown(69, 0);
  EXPECT_TRUE(gOverlayAll);
  e.Form_KeyDown(69, 0);
  EXPECT_FALSE(gOverlayAll);
  // Every key ends in the window, handled or not: a text box never sees it.
  auto* box = new QLineEdit(&e);
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  QApplication::sendEvent(box, &x);
  EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(OverviewWindowTest, DatasetBoxesMirroredAndCycled) {
  frmProfile& w = Start();
  Ensemble(w);
  frmOverView& o = Open(w);
  // The boxes and their captions as the profile window has them.
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(Ctl<CheckBox>(o, "chkefname", i)->text(), Ctl<CheckBox>(w, "chkefname", i)->text()) << i;
    EXPECT_EQ(Ctl<CheckBox>(o, "chkefname", i)->Value(), Ctl<CheckBox>(w, "chkefname", i)->Value()) << i;
  }
  // Titles "SREF ARW CTL 12Z" ... "SREF NMM P1 12Z": the second column's
  // words ARW and NMM are boxes 5 and 6.
  ASSERT_EQ(Ctl<CheckBox>(o, "chkefname", 6)->text(), "NMM");
  // Unticking a box here unticks the profile window's, which decides the shown datasets.
  Ctl<CheckBox>(o, "chkefname", 6)->SetValue(0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->Value(), 0);
  EXPECT_EQ(gShownCount, 5);
  EXPECT_EQ(gEnsembleMirrorGuard, 0);
  // And the other way.
  Ctl<CheckBox>(w, "chkefname", 6)->SetValue(1);
  EXPECT_EQ(Ctl<CheckBox>(o, "chkefname", 6)->Value(), 1);
  EXPECT_EQ(gShownCount, 8);
  // 2 cycles the second title column: one box ticked, then the next.
  o.Form_KeyDown(50, 0);
  EXPECT_EQ(Ctl<CheckBox>(o, "chkefname", 5)->Value(), 1);
  EXPECT_EQ(Ctl<CheckBox>(o, "chkefname", 6)->Value(), 0);
  EXPECT_EQ(gShownCount, 5);
  o.Form_KeyDown(50, 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->Value(), 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->Value(), 1);
  EXPECT_EQ(gShownCount, 3);
  // The grave accent ticks every box again; a column beyond the titles does nothing.
  o.Form_KeyDown(192, 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->Value(), 1);
  EXPECT_FALSE(gLoadingState);
  o.Cycle(4);
  o.Cycle(5);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 15)->Value(), 1);
}

TEST_F(OverviewWindowTest, LayoutKeptWhenClosedAndThroughANewFile) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkInstability")->SetValue(1);
  Ctl<CheckBox>(o, "chkGridHeight")->SetValue(1);
  // Closing stores the place and layout 8; the next opening recalls it.
  Ctl<QPushButton>(o, "btnQuit")->click();
  EXPECT_EQ(gOverviewOpen, 0);
  EXPECT_EQ(Overview(), nullptr);
  ASSERT_TRUE(slots_.Recall(8).has_value());
  frmOverView& again = Open(w);
  EXPECT_EQ(Ctl<CheckBox>(again, "chkInstability")->Value(), 1);
  EXPECT_TRUE(again.State().opt.On(kBoxGridHeight));
  // A new file rebuilds the window with the layout kept (slot 9).
  Ctl<CheckBox>(again, "chkClouds")->SetValue(1);
  w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KBOS"));
  frmOverView* rebuilt = Overview();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_EQ(w.windowTitle(), "KBOS - NAM - ONDRIK");
  EXPECT_EQ(rebuilt->windowTitle(), "KBOS - NAM - ONDRIK Overview");
  EXPECT_TRUE(rebuilt->State().opt.On(kBoxClouds));
  EXPECT_TRUE(rebuilt->State().opt.On(kBoxInstability));
  EXPECT_EQ(gOverviewOpen, 1);
  // The profile window's end saves layout 8 while the overview is open.
  Ctl<CheckBox>(*rebuilt, "chkClouds")->SetValue(0);
  w.btnDone_Click();
  EXPECT_EQ(slots_.Recall(8)->chkClouds, 0);
}

// A batch snapshot of the ensemble at half size (the main picture shrinks,
// its title does not): the pictures are drawn at that size, under the title
// band, and the dataset title shows whole.
TEST_F(OverviewWindowTest, SnapshotAtHalfSizeDrawsThePicturesAndKeepsTheDatasetTitle) {
  frmProfile& w = Start();
  Ensemble(w);
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkTemperature")->SetValue(1);
  o.ScalePictures(0.5);
  ASSERT_TRUE(o.Snap("A"));
  fs::path file;
  for (const auto& e : fs::recursive_directory_iterator(folder_))
    if (e.path().filename() == "sref_kmsp_ondrikoverview_a.png") file = e.path();
  const QImage img(QString::fromStdString(file.string()));
  ASSERT_FALSE(img.isNull()) << file;
  PictureBox& rh = Ctl<PictureBoxWidget>(o, "picRH")->Pic();
  const int left = Ctl<PictureBoxWidget>(o, "picLeft")->Pic().PixelWidth();
  const int top = o.SnapshotTitlePicture().PixelHeight();
  ASSERT_EQ(img.height(), top + rh.PixelHeight() + Ctl<PictureBoxWidget>(o, "picTime")->Pic().PixelHeight());
  int drawn = 0;
  for (int y = rh.PixelHeight() / 3; y < rh.PixelHeight(); ++y)
    for (int x = left; x < left + rh.PixelWidth(); ++x) drawn += (img.pixel(x, top + y) & 0xFFFFFF) != 0;
  EXPECT_GT(drawn, rh.PixelWidth() * rh.PixelHeight() / 20);
  // The dataset title, white letters on black, not the white band.
  const PixelBox title = PlaceTitle(rh, gCurDataset).ink;
  int white = 0, all = 0;
  for (int y = static_cast<int>(title.top); y < static_cast<int>(title.bottom); ++y)
    for (int x = static_cast<int>(title.left); x < static_cast<int>(title.right); ++x, ++all)
      white += (img.pixel(left + x, top + y) & 0xFFFFFF) == 0xFFFFFF;
  ASSERT_GT(all, 100);
  EXPECT_LT(white, all / 5);
}

}  // namespace
}  // namespace ondrik
