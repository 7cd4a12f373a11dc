#include <gtest/gtest.h>

#include <QWidget>

#include <cmath>
#include <limits>

#include "core/guards.h"
#include "panels/indexscale.h"
#include "panels/indices.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::FakeHost;

TEST(IndexScale, RisingFallingAndTwoSidedRows) {
  IndexThresholdTable t;
  StoreDefaultIndexThresholds(t);
  const auto F = IndexThird::First, S = IndexThird::Second, L = IndexThird::Last, N = IndexThird::None;
  const struct {
    int row;
    Single v;
    Single x;
    IndexThird third;
  } cases[] = {
      {kRowCape, 0, 0, N},                                   // at T0: no bar
      {kRowCape, 350, 16.65f, F},
      {kRowCape, 700, 33.3f, S},                             // at T1: second third begins
      {kRowCape, 2000, 83.25f, L},
      {kRowCape, 3000, 100, L},
      {kRowCape, 5000, 100, L},
      {kRowLiftedIndex, 2, 0, N},                            // falling: at T0 nothing
      {kRowLiftedIndex, 1.5f, 16.65f, F},
      {kRowLiftedIndex, 1, 33.3f, S},                        // at T1: second
      {kRowLiftedIndex, -5, 79.92f, L},
      {kRowLiftedIndex, -9, 100, L},
      {kRowBulkRichardson, 8, 44.4f, S},                     // near side, rising
      {kRowBulkRichardson, 22, 100, L},                      // T3: the worst
      {kRowBulkRichardson, 30, 88.3174f, L},                 // far side mirrored
      {kRowBulkRichardson, 48, 46.62f, S},
      {kRowBulkRichardson, 55, 16.65f, F},
      {kRowBulkRichardson, 70, 0, N},
      {kRowWetBulbZero, 9500, 49.95f, S},
      {kRowCape, std::numeric_limits<Single>::quiet_NaN(), 0, N},
  };
  for (const auto& c : cases) {
    const IndexPosition p = IndexToX(c.v, c.row, t);
    EXPECT_NEAR(p.x, c.x, 0.01) << "row " << c.row << " v " << c.v;
    EXPECT_EQ(p.third, c.third) << "row " << c.row << " v " << c.v;
  }
  // The gauges read every row rising: the falling MBE-speed row gives a bar
  // only from its column 0 up.
  EXPECT_EQ(RisingIndexToX(10, kRowMbeSpeed, t).third, IndexThird::None);
  EXPECT_NEAR(RisingIndexToX(1.375f, kRowPrecipWaterGauge, t).x, 49.95f, 0.01);
}

TEST(IndexScale, EqualThresholdsGiveADefinedPosition) {
  IndexThresholdTable t;
  for (int c = 0; c < 7; ++c) t(kRowCape, c) = 5;  // every bound the same
  t(kRowTQ, 0) = 10, t(kRowTQ, 1) = 12, t(kRowTQ, 2) = 12, t(kRowTQ, 3) = 20;
  for (Single v : {4.0f, 5.0f, 6.0f}) {
    const IndexPosition p = IndexToX(v, kRowCape, t);
    EXPECT_TRUE(std::isfinite(p.x));
    EXPECT_TRUE(p.x == 0 || p.x == 100) << v;
  }
  // An empty second third: 12 goes on into the last third.
  EXPECT_NEAR(IndexToX(12, kRowTQ, t).x, 66.6f, 1e-4);
  EXPECT_EQ(IndexToX(12, kRowTQ, t).third, IndexThird::Last);
}

TEST(IndexScale, ThresholdsShownAndTheirText) {
  IndexThresholdTable t;
  StoreDefaultIndexThresholds(t);
  Single a, b;
  ShownThresholds(30, kRowBulkRichardson, a, b, t);
  EXPECT_EQ(a, 50);
  EXPECT_EQ(b, 45);
  ShownThresholds(8, kRowBulkRichardson, a, b, t);
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, 10);
  ShownThresholds(30, kRowCape, a, b, t);
  EXPECT_EQ(a, 700);
  EXPECT_EQ(FormatIndexValue(-1234.6, "#,##0"), "-1,235");
  EXPECT_EQ(FormatIndexValue(1234567, "#,##0"), "1,234,567");
  EXPECT_EQ(FormatIndexValue(0.125, "0.000"), "0.125");
  EXPECT_EQ(FormatIndexValue(-0.001, "0.00"), "0.00");
  EXPECT_EQ(FormatIndexValue(2.5, "0"), "3");
}

TEST(IndexScale, GaugeBarsStandAtTheirRow) {
  StoreDefaultIndexThresholds();
  PictureBox pic(100, 200);
  pic.BackColor = kBlack;
  pic.Cls();
  pic.Scale(0, 0, 100, 20);  // 10 px per row
  PlotBar(pic, 0.1f, kRowPrecipWaterGauge);    // at or below its start: nothing
  EXPECT_EQ(testing::PixelsOf(pic.Image(), RGB(255, 255, 0)) + testing::PixelsOf(pic.Image(), RGB(0, 255, 0)), 0);
  PlotBar(pic, 1.375f, kRowPrecipWaterGauge);  // half-way through the second third
  const QImage& img = pic.Image();
  EXPECT_EQ(img.pixel(20, 135) & 0xFFFFFF, 0xFFFF00u);  // row 15 - 1.9 .. - 1.2: pixels 131..138
  EXPECT_EQ(img.pixel(60, 135) & 0xFFFFFF, 0u);         // beyond x = 49.95
  EXPECT_EQ(img.pixel(20, 145) & 0xFFFFFF, 0u);         // not on the next row
}

class IndicesPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreDefaultIndexThresholds();
    parent_.resize(300, 300);
    panel_ = std::make_unique<IndicesPanel>(host_, &parent_);
    panel_->Widget()->setGeometry(0, 0, 238, 238);
    panel_->Widget()->show();
    parent_.show();
  }
  PictureBox& Pic() { return static_cast<PictureBoxWidget*>(panel_->Widget())->Pic(); }
  CheckBox* Box(const char* name) { return panel_->ButtonBar()->findChild<CheckBox*>(name); }

  QWidget parent_;
  FakeHost host_;
  std::unique_ptr<IndicesPanel> panel_;
};

TEST_F(IndicesPanelTest, BarsCirclesAndQuartilesOfTheShippedEnsemble) {
  testing::LoadShipped("SREF_KOKC.ond");
  ASSERT_GT(gDatasetCount, 1);
  host_.hour = 8;
  gCurDataset = 2;
  gOverlayAll = true;
  for (const char* b : {"chkIndcyBar", "chkIndcyCircle", "chkIndicyBox"}) Box(b)->SetValue(1);
  EXPECT_EQ(host_.focus, 2);  // every click gives the focus back to the hour bar
  panel_->PrintIndices();
  testing::SavePng(Pic().Image(), "indices_sref");
  EXPECT_EQ(gCurDataset, 2);
  // TQ was computed for every dataset the circles and the box visited.
  for (Integer d = 1; d <= gDatasetCount; ++d) EXPECT_TRUE(gTQIndexDone(d)) << d;
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(255, 127, 0)), 50);  // values (antialiased)
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(127, 127, 127)), 10);  // circle outline, current dataset
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(63, 63, 63)), 10);     // dimmed outlines of the others
}

TEST_F(IndicesPanelTest, BoxesChangedDuringABulkChangeDrawNothing) {
  testing::LoadShipped("NAM_KOKC.ond");
  Pic().Cls();
  {
    const LoadingStateGuard bulk;
    Box("chkIndcyCircle")->SetValue(1);
  }
  EXPECT_EQ(host_.focus, 0);
  EXPECT_EQ(testing::PixelsOf(Pic().Image(), RGB(255, 0, 0)), 0);
  // With one dataset no quartile box, whatever its box says.
  Box("chkIndicyBox")->SetValue(1);
  testing::SavePng(Pic().Image(), "indices_nam");
  EXPECT_EQ(testing::PixelsOf(Pic().Image(), RGB(255, 255, 255)) > 0, true);  // thresholds are white
}

}  // namespace
}  // namespace ondrik
