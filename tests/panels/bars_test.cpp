#include <gtest/gtest.h>

#include "panels/bars.h"
#include "panels/thresholds.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

constexpr Color kGreen = RGB(0, 255, 0);

TEST(Bars, IndexToXByRowKind) {
  IndexThresholdTable t;
  StoreDefaultIndexThresholds(t);
  const struct {
    Single v;
    int row;
    double x;
    Color c;
  } cases[] = {
      {700, kRowCape, 33.3, kYellow},           // a value at T1 of a rising row
      {0, kRowCape, 0, kBlack},                 // at T0: no bar
      {350, kRowCape, 16.65, kGreen},
      {5000, kRowCape, 100, kRed},
      {-5, kRowLiftedIndex, 79.92, kRed},       // falling row
      {2, kRowLiftedIndex, 0, kBlack},
      {30, kRowBulkRichardson, 88.3174, kRed},  // beyond column 3: mirrored thirds
      {8, kRowBulkRichardson, 44.4, kYellow},
      {22, kRowBulkRichardson, 100, kRed},
      {70, kRowBulkRichardson, 0, kBlack},
  };
  for (const auto& c : cases) {
    const BarPlace b = IndexToX(c.v, c.row, t);
    EXPECT_NEAR(b.x, c.x, 1e-3) << c.v << " row " << c.row;
    EXPECT_EQ(b.colour, c.c) << c.v << " row " << c.row;
  }
  // Equal bounds give no third of zero width and no division by zero.
  t(kRowCape, 1) = t(kRowCape, 0);
  EXPECT_TRUE(std::isfinite(IndexToX(0, kRowCape, t).x));
  EXPECT_EQ(IndexToX(0.0f / 0.0f, kRowCape, t).x, 0);
}

TEST(Bars, PlotBarReadsEveryRowRising) {
  IndexThresholdTable t;
  StoreDefaultIndexThresholds(t);
  PictureBox pic(200, 260);
  pic.BackColor = kBlack;
  pic.Cls();
  pic.Scale(-100, -8, 100, 18);
  PlotBar(pic, 0.1f, kRowPrecipWaterGauge, t);  // at or below T0: nothing
  EXPECT_EQ(testing::PixelsOf(pic.Image(), kGreen), 0);
  PlotBar(pic, 1.0f, kRowPrecipWaterGauge, t);  // first third, green, right of x = 0
  const int green = testing::PixelsOf(pic.Image(), kGreen);
  EXPECT_GT(green, 0);
  EXPECT_EQ(pic.Image().pixel(90, 214) & 0xFFFFFF, 0u);          // left of the bar's start
  EXPECT_NE(pic.Image().pixel(110, 214) & 0xFFFFFF, 0u);         // on it
  PlotBar(pic, 60, kRowLowLevelJet, t);                            // full, red
  EXPECT_GT(testing::PixelsOf(pic.Image(), kRed), 0);
}

}  // namespace
}  // namespace ondrik
