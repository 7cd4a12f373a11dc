// The precipitation-type, heavy-precipitation, fog, data-table and lapse-rate
// panels and the lake-effect page inside the window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "core/parcels.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/paneltable.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

TEST_F(ProfileWindowTest, ThePanelsOfThisWindowDrawForTheHour) {
  frmProfile& w = Start();
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(2);
  const struct {
    int index;
    const char* picture;
  } panels[] = {{0, "picProfile"}, {5, "picMBE"}, {6, "picPrecipType"}, {7, "picLapse"}, {8, "picFog"}};
  for (const auto& p : panels) {
    w.btnDisplay_Click(p.index);
    auto* pic = Ctl<PictureBoxWidget>(w, p.picture);
    EXPECT_TRUE(pic->isVisibleTo(&w)) << p.picture;
    // Drawn at the size it is shown at, not only before it showed.
    EXPECT_EQ(pic->Pic().PixelWidth(), pic->width()) << p.picture;
    const QImage& img = pic->Pic().Image();
    const QRgb back = img.pixel(img.width() - 1, img.height() / 2);
    int drawn = 0;
    for (int y = 0; y < img.height(); y += 2)
      for (int x = 0; x < img.width(); x += 2) drawn += img.pixel(x, y) != back;
    EXPECT_GT(drawn, 200) << p.picture;
  }
}

TEST_F(ProfileWindowTest, PrecipTypeViewButtonTrailAndElevatedBar) {
  frmProfile& w = Start();
  w.btnDisplay_Click(6);
  auto* view = Ctl<QPushButton>(w, "btnPrecipType");
  auto* tails = Ctl<QPushButton>(w, "btnTails");
  auto* bar = Ctl<ScrollBar>(w, "vbsElevatedPT");
  EXPECT_FALSE(w.ShowThickness);
  EXPECT_EQ(view->text(), "Thickness");
  EXPECT_TRUE(bar->isVisibleTo(&w));
  view->click();
  EXPECT_TRUE(w.ShowThickness);
  EXPECT_EQ(view->text(), "Energy");
  EXPECT_FALSE(bar->isVisibleTo(&w));
  w.btnTails_Click();
  w.btnTails_Click();
  EXPECT_EQ(tails->text(), "24");
  view->click();  // the energy view trails at most 6 hours
  EXPECT_FALSE(w.ShowThickness);
  EXPECT_EQ(tails->text(), "6");
  EXPECT_TRUE(bar->isVisibleTo(&w));
  w.btnTails_Click();
  EXPECT_EQ(tails->text(), "0");
  view->click();  // to the thickness view: the trail stays
  EXPECT_EQ(tails->text(), "0");
  EXPECT_FALSE(Ctl<QWidget>(w, "picSleet")->isVisibleTo(&w));
}

TEST_F(ProfileWindowTest, LakePageAndTheChartReadOneLakeTemperature) {
  frmProfile& w = Start();
  w.ControlPanel = kNoControlPage;
  w.btnControl_Click(0);
  auto* lake = Ctl<ScrollBar>(w, "vsbLakeF");
  lake->SetValue(60);
  EXPECT_EQ(Ctl<QLabel>(w, "lblLakeF")->text(), "60");
  EXPECT_EQ(Ctl<QLabel>(w, "lblLakeC")->text(), "16");
  EXPECT_FLOAT_EQ(w.Chart().in.lblLakeC, 16);
  EXPECT_FALSE(Ctl<QLabel>(w, "lblT850")->text().isEmpty());
  EXPECT_EQ(Ctl<QLabel>(w, "lblT850")->text().toFloat(), w.Chart().in.lblT850);
  // With the page closed the chart still follows the hour.
  w.btnControl_Click(0);
  EXPECT_EQ(w.ControlPanel, kNoControlPage);
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(3);
  EXPECT_EQ(w.Chart().in.lblT850, *LakeLevelTempWholeC(3, w.Settings().gLakeLevel1Pres));
}

}  // namespace
}  // namespace ondrik
