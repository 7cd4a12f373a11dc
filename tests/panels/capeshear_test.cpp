#include <gtest/gtest.h>

#include <QRadioButton>
#include <QWidget>

#include <cmath>
#include <QWidget>

#include "core/guards.h"
#include "core/shear.h"
#include "panels/capeshear.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::FakeHost;
using testing::PixelsOf;

constexpr Color kRing = RGB(255, 255, 0);
constexpr Color kPath = RGB(255, 255, 127);

class CapeShearPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreDefaultIndexThresholds();
    gCapeShearOption = kShearSixKm;
    parent_.resize(300, 300);
    panel_ = std::make_unique<CapeShearPanel>(host_, &parent_);
    panel_->Widget()->setGeometry(0, 0, 238, 238);
    panel_->ButtonBar()->setGeometry(0, 240, 238, 22);
    panel_->Widget()->show();
    panel_->ButtonBar()->show();
    parent_.show();
    panel_->Start();
  }
  PictureBox& Pic() { return parent_.findChild<PictureBoxWidget*>("picCape")->Pic(); }
  CheckBox* Box(const char* name) { return parent_.findChild<CheckBox*>(name); }

  QWidget parent_;
  FakeHost host_;
  std::unique_ptr<CapeShearPanel> panel_;
};

TEST_F(CapeShearPanelTest, PathRingAndTheCurrentDatasetKept) {
  testing::LoadShipped("SREF_KOKC.ond");
  host_.hour = 12;
  gCurDataset = 3;
  gOverlayAll = true;
  panel_->PlotCapeShear();
  EXPECT_EQ(PixelsOf(Pic().Image(), kPath), 0);  // no path without "Evolution Path"
  EXPECT_EQ(PixelsOf(Pic().Image(), kRing), 0);
  Box("chkCapeShearHistory")->SetValue(1);
  Box("chkCapeShearVariability")->SetValue(1);
  EXPECT_EQ(host_.focus, 2);
  testing::SavePng(Pic().Image(), "capeshear_sref");
  testing::SavePng(parent_.grab(QRect(0, 0, 238, 262)).toImage(), "capeshear_panel");
  EXPECT_EQ(gCurDataset, 3);
  EXPECT_GT(PixelsOf(Pic().Image(), kPath), 10);
  EXPECT_GT(PixelsOf(Pic().Image(), kRing), 10);
  // Every hour of the window, of every dataset drawn, has its shear.
  for (Integer d = 1; d <= gDatasetCount; ++d)
    for (Integer h = 6; h <= 12; ++h) EXPECT_TRUE(gBulkShearDone(d, h)) << d << " " << h;
  EXPECT_FALSE(gBulkShearDone(1, 5));
}

TEST_F(CapeShearPanelTest, EarlyHoursAndAZeroCapeHourWithTheEffectiveLayer) {
  testing::LoadShipped("NAM_KOKC.ond");
  Box("chkCapeShearHistory")->SetValue(1);
  host_.hour = 2;  // the window starts at hour 0
  panel_->PlotCapeShear();
  for (Integer h = 0; h <= 2; ++h) EXPECT_TRUE(gBulkShearDone(1, h));
  // Hour 0 of the shipped file has no CAPE: on the shear axis with the
  // surface CAPE, no point at all with the most-unstable one.
  host_.hour = 0;
  Box("chkCapeShearHistory")->SetValue(0);
  panel_->PlotCapeShear();
  const int blueOutline = PixelsOf(Pic().Image(), RGB(0, 0, 255));
  EXPECT_GT(blueOutline, 0);
  parent_.findChild<QRadioButton*>("optCapeShear2")->click();
  EXPECT_EQ(gCapeShearOption, kShearEffective);
  ASSERT_FALSE(gEffectiveCape(1, 0) > 0);
  EXPECT_EQ(PixelsOf(Pic().Image(), RGB(0, 0, 255)), 0);
  // The ring is drawn only around collected points.
  Box("chkCapeShearVariability")->SetValue(1);
  EXPECT_EQ(PixelsOf(Pic().Image(), kRing), 0);
}

TEST_F(CapeShearPanelTest, TheLayerChoiceClearsEveryDatasetsOwnHours) {
  testing::LoadShipped("SREF_KOKC.ond");
  ASSERT_GE(gDatasetCount, 2);
  gLastHour(1) = 10;  // datasets with different lengths
  for (Integer d = 1; d <= gDatasetCount; ++d)
    for (Integer h = 0; h <= gLastHour(d); ++h) gBulkShearDone(d, h) = true;
  parent_.findChild<QRadioButton*>("optCapeShear1")->click();
  EXPECT_EQ(gCapeShearOption, kShearOneKm);
  // Dataset 2's hours beyond the current dataset's last are cleared too.
  ASSERT_GT(gLastHour(2), 10);
  for (Integer h = 0; h <= gLastHour(2); ++h) EXPECT_FALSE(gBulkShearDone(2, h)) << h;
  for (Integer h = 1; h <= 10; ++h) EXPECT_FALSE(gBulkShearDone(1, h)) << h;
  EXPECT_EQ(host_.focus, 1);
}

// The axes' numbers and titles stand whole in the picture, apart from each
// other, whatever the axes' lengths.
TEST_F(CapeShearPanelTest, TheAxisTextsStandApartInThePicture) {
  testing::LoadShipped("NAM_KOKC.ond");
  struct Recording {
    Recording() { PictureBox::RecordPrintedTexts(true); }
    ~Recording() { PictureBox::RecordPrintedTexts(false); }
  } recording;
  for (const Integer top : {1000, 2000, 4000, 9000})
    for (const Integer shear : {40, 100}) {
      SCOPED_TRACE(std::to_string(top) + " J/kg, " + std::to_string(shear) + " kt");
      gCapeAxisMax = top;
      gShearAxisMax = shear;
      panel_->PlotCapeShear();
      const PictureBox& pic = Pic();
      const auto& texts = pic.PrintedTexts();
      ASSERT_GT(texts.size(), 4u);
      const QRectF inside(0, 0, pic.PixelWidth(), pic.PixelHeight());
      for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(inside.contains(texts[i].ink)) << texts[i].text;
        for (size_t j = i + 1; j < texts.size(); ++j)
          EXPECT_FALSE(texts[i].ink.intersects(texts[j].ink)) << texts[i].text << " / " << texts[j].text;
      }
    }
}

TEST_F(CapeShearPanelTest, ZoomStaysWithinItsBounds) {
  testing::LoadShipped("NAM_KOKC.ond");
  const struct {
    int button;
    double y;
    Integer cape, shear;
  } steps[] = {
      {1, 100, 3000, 100}, {1, 100, 2000, 100}, {1, 100, 1000, 100}, {1, 100, 1000, 100},  // lowest
      {2, 100, 2000, 100}, {1, -5, 2000, 80},   {2, 0, 2000, 100},   {2, -1, 2000, 120},
  };
  for (const auto& s : steps) {
    panel_->picCape_MouseUp(s.button, 0, 10, s.y);
    EXPECT_EQ(gCapeAxisMax, s.cape);
    EXPECT_EQ(gShearAxisMax, s.shear);
  }
  for (int i = 0; i < 20; ++i) panel_->picCape_MouseUp(2, 0, 0, 500), panel_->picCape_MouseUp(2, 0, 0, -1);
  EXPECT_EQ(gCapeAxisMax, 9000);
  EXPECT_EQ(gShearAxisMax, 200);
}

}  // namespace
}  // namespace ondrik
