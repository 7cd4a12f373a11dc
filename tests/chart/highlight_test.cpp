// The level band the Data panel's listing asks the chart for.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/chart.h"
#include "tests/chart/chart_test_util.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

TEST(LevelBand, HalfWayToTheNeighboursAndNeverPastTheProfile) {
  ResetChartGlobals();
  gDatasetCount = 1;
  gNumLevels(1) = 3;
  gPres(1, 0, 0) = 1000;  // the surface
  gPres(1, 0, 1) = 980;
  gPres(1, 0, 2) = 900;
  gPres(1, 0, 3) = 800;
  const struct {
    Integer level;
    bool ok;
    Single p1, p2;
  } cases[] = {
      {1, true, 940, 990},   // surface below
      {2, true, 850, 940},
      {3, true, 750, 850},   // the top level: as far above as below
      {0, false, 0, 0},
      {4, false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    Single p1 = 0, p2 = 0;
    EXPECT_EQ(LevelBandPressures(1, 0, c.level, p1, p2), c.ok);
    if (!c.ok) continue;
    EXPECT_FLOAT_EQ(p1, c.p1);
    EXPECT_FLOAT_EQ(p2, c.p2);
  }
  // A profile of all 67 levels: the top one reads no level 68.
  gNumLevels(1) = kMaxLevels;
  for (int l = 1; l <= kMaxLevels; ++l) gPres(1, 0, l) = 1000.0F - 14.0F * static_cast<Single>(l);
  Single p1 = 0, p2 = 0;
  ASSERT_TRUE(LevelBandPressures(1, 0, kMaxLevels, p1, p2));
  EXPECT_FLOAT_EQ(p1, gPres(1, 0, kMaxLevels) - 7);

  // Drawn twice, the band is gone again; it stands in the frame system the
  // chart kept, whatever scale is in force.
  PictureBox pic(200, 300);
  pic.BackColor = 0;
  pic.Cls();
  pic.Scale(0, std::log(static_cast<double>(gChartTop)), 100, std::log(static_cast<double>(gChartBottom)));
  pic.KeepMapping();
  pic.ScalePixels();
  const QImage before = pic.Image();
  HighlightLevelBand(pic, 1, 0, 10);
  EXPECT_NE(pic.Image(), before);
  const int y = static_cast<int>(pic.YToPixel(std::log(static_cast<double>(gPres(1, 0, 10)))));
  EXPECT_EQ(At(pic, 100, y), RGB(192, 192, 0));
  HighlightLevelBand(pic, 1, 0, 10);
  EXPECT_EQ(pic.Image(), before);
  ResetChartGlobals();
}

}  // namespace
}  // namespace ondrik
