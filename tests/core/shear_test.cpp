#include "core/shear.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/parcels.h"
#include "sounding.h"

namespace ondrik {
namespace {

using testing::Level;
using testing::SetSounding;

constexpr double kKnots = 1.94254;

// Sounding of `count` levels every `step` m from the ground (site at sea
// level), pressures falling; winds set afterwards as components.
void SetLevels(int d, int h, int count, float step) {
  std::vector<Level> levels;
  for (int i = 0; i < count; ++i)
    levels.push_back({1000.0f - 60.0f * i, 20.0f - 6.0f * i, 10.0f - 6.0f * i, 270.0f, 10.0f,
                      step * static_cast<float>(i)});
  SetSounding(d, h, levels, 0.0f);
}

void SetWind(int d, int h, int level, float u, float v) {
  gWindU(d, h, level) = u;
  gWindV(d, h, level) = v;
}

TEST(WindDirection, CardinalCalmAndNearlyCalm) {
  EXPECT_NEAR(WindDirection(0, -5), 360.0f, 1e-4);  // from the north
  EXPECT_NEAR(WindDirection(-5, 0), 90.0f, 1e-4);   // from the east
  EXPECT_NEAR(WindDirection(0, 5), 180.0f, 1e-4);   // from the south
  EXPECT_NEAR(WindDirection(5, 0), 270.0f, 1e-4);   // from the west
  EXPECT_NEAR(WindDirection(-5, -5), 45.0f, 1e-4);  // from the north-east
  EXPECT_NEAR(WindDirection(3, -3), 315.0f, 1e-4);  // from the north-west
  EXPECT_EQ(WindDirection(0, 0), 360.0f);           // calm
  // A southerly wind with a tiny westward part is still southerly.
  EXPECT_NEAR(WindDirection(-1e-6f, 5), 180.0f, 1e-3);
  EXPECT_NEAR(WindDirection(1e-6f, 5), 180.0f, 1e-3);
  // A northerly with a tiny eastward or westward part stays near north.
  const float n1 = WindDirection(-1e-6f, -5);
  const float n2 = WindDirection(1e-6f, -5);
  EXPECT_LT(std::min(n1, 360.0f - n1), 1e-3);
  EXPECT_LT(std::min(n2, 360.0f - n2), 1e-3);
  // Always in (0, 360].
  for (int a = 0; a < 360; a += 7) {
    const float r = WindDirection(std::cos(a * 0.0174533f), std::sin(a * 0.0174533f));
    EXPECT_GT(r, 0.0f);
    EXPECT_LE(r, 360.0f);
  }
}

TEST(Helicity, StraightAndQuarterCircleHodographs) {
  gSRInflowDepth = 3.0f;
  // Straight hodograph along u from 0 to 20 m/s over 0-2 km.
  SetLevels(1, 10, 6, 500.0f);
  for (int i = 1; i <= 6; ++i) SetWind(1, 10, i, 4.0f * (i - 1), 0);
  SetWind(1, 10, 0, 0, 0);
  gSRHBottomLevel(1, 10) = 0;
  gSRHTopLevel(1, 10) = 6;  // 2.5 km
  gStormU(1, 10) = 10;  // on the line
  gStormV(1, 10) = 0;
  ComputeSRHelicity(10);
  EXPECT_NEAR(gHelicity(1, 10), 0.0f, 1e-3);
  EXPECT_NEAR(gSRHLayerShear(1, 10), 20.0f, 1e-4);
  EXPECT_NEAR(gSRHLayerShearPerKm(1, 10), 20.0f / 2.5f, 1e-4);
  EXPECT_EQ(gHelicityDone(1, 10), -1);
  // Storm 5 m/s to the right of the shear: twice the triangle of base 20 and
  // height 5, positive.
  gStormV(1, 10) = -5;
  ComputeSRHelicity(10);
  EXPECT_NEAR(gHelicity(1, 10), 100.0f, 1e-3);
  // Storm-relative inflow: ground (-10, 5), top (10, 5).
  EXPECT_NEAR(gSRInflowSfcSpd(1, 10), std::sqrt(125.0f), 1e-4);
  EXPECT_NEAR(gSRInflowSfcDir(1, 10), 90.0f + std::atan(0.5f) * 180 / M_PI, 1e-3);
  EXPECT_NEAR(gSRInflowTopDir(1, 10), 270.0f - std::atan(0.5f) * 180 / M_PI, 1e-3);
  EXPECT_NEAR(gSRWindU(1, 10, 3), 8.0f - 10.0f, 1e-5);

  // Quarter circle of radius 10 about the storm, turning clockwise with
  // height in three 30-degree steps: each step sweeps a triangle of area
  // R^2 sin(30)/2, and the helicity is twice the swept area: 3 R^2 sin 30.
  SetLevels(1, 11, 4, 1000.0f);
  for (int i = 0; i <= 3; ++i) {
    const double a = (90.0 - 30.0 * i) * M_PI / 180.0;
    SetWind(1, 11, i + 1, static_cast<float>(10 * std::cos(a)), static_cast<float>(10 * std::sin(a)));
  }
  SetWind(1, 11, 0, gWindU(1, 11, 1), gWindV(1, 11, 1));
  gStormU(1, 11) = 0;
  gStormV(1, 11) = 0;
  gSRHBottomLevel(1, 11) = 0;
  gSRHTopLevel(1, 11) = 4;
  ComputeSRHelicity(11);
  EXPECT_NEAR(gHelicity(1, 11), 150.0f, 1e-3);
  EXPECT_NEAR(gSRHLayerShear(1, 11), 3 * 2 * 10 * std::sin(15 * M_PI / 180), 1e-4);
  // The same hodograph turning anticlockwise gives the opposite sign.
  for (int i = 0; i <= 4; ++i) gWindU(1, 11, i) = -gWindU(1, 11, i);
  ComputeSRHelicity(11);
  EXPECT_NEAR(gHelicity(1, 11), -150.0f, 1e-3);
}

TEST(Helicity, LayerChoiceAndGuards) {
  SetLevels(1, 12, 10, 500.0f);  // up to 4.5 km
  for (int h = 0; h <= 12; ++h) gHelicityDone(1, h) = -1;
  gSRInflowDepth = 3.0f;
  gSRHTopLevel(1, 12) = 0;
  ComputeSRHelicity(12);
  EXPECT_EQ(gSRHTopLevel(1, 12), 7);  // 3000 m
  EXPECT_EQ(gSRHBottomLevel(1, 12), 0);
  EXPECT_EQ(gHelicityDone(1, 0), 0);  // every hour is to be computed afresh
  EXPECT_EQ(gHelicityDone(1, 12), -1);
  gHelicityDone(1, 0) = -1;
  ComputeSRHelicity(12);
  EXPECT_EQ(gHelicityDone(1, 0), -1);  // the second call clears nothing

  // Bottom equal to top: nothing to sum.
  gSRHBottomLevel(1, 12) = 5;
  gSRHTopLevel(1, 12) = 5;
  ComputeSRHelicity(12);
  EXPECT_EQ(gHelicity(1, 12), 0.0f);
  EXPECT_EQ(gSRHLayerShear(1, 12), 0.0f);

  // A top at the ground has no depth: no division by zero.
  gSRHBottomLevel(1, 12) = 0;
  gSRHTopLevel(1, 12) = 1;  // level 1 is at the ground
  ComputeSRHelicity(12);
  EXPECT_EQ(gSRHLayerShearPerKm(1, 12), 0.0f);

  // A layer left from a deeper earlier profile is held inside this one.
  gSRHTopLevel(1, 12) = 60;
  EXPECT_NO_THROW(ComputeSRHelicity(12));
  EXPECT_TRUE(std::isfinite(gHelicity(1, 12)));

  // An hour beyond the dataset changes nothing.
  gLastHour(1) = 12;
  gHelicity(1, 13) = 123;
  ComputeSRHelicity(13);
  EXPECT_EQ(gHelicity(1, 13), 123.0f);
}

TEST(BulkShear, LayersOfALinearProfile) {
  // u grows 2 m/s per km, levels every km up to 12 km.
  SetLevels(1, 20, 13, 1000.0f);
  for (int i = 1; i <= 13; ++i) SetWind(1, 20, i, 2.0f * (i - 1), 0);
  SetWind(1, 20, 0, 0, 0);

  ComputeBulkShear(1, 20, kShearSixKm);
  EXPECT_NEAR(gBulkShear(1, 20), 12 * kKnots, 1e-3);
  EXPECT_TRUE(gBulkShearDone(1, 20));
  ComputeBulkShear(1, 20, kShearOneKm);
  EXPECT_NEAR(gBulkShear(1, 20), 2 * kKnots, 1e-4);

  // No option: only the flag changes.
  gBulkShearDone(1, 20) = false;
  gBulkShear(1, 20) = -1;
  ComputeBulkShear(1, 20, kShearNone);
  EXPECT_EQ(gBulkShear(1, 20), -1.0f);
  EXPECT_TRUE(gBulkShearDone(1, 20));

  // Effective layer. Theta-e: 330, 335, 335, 340 (at exactly 3 km), then
  // 360 at 4 km, which is above the layer searched: the base is level 4.
  const float thetaE[] = {330, 335, 335, 340, 360, 300, 300, 300, 300, 300, 300, 300, 300};
  for (int i = 1; i <= 13; ++i) gThetaE(1, 20, i) = thetaE[i - 1];
  // The parcel of level 4 as if already lifted: its equilibrium level at
  // 430 mb lies between levels 10 (9 km, 460 mb) and 11 (10 km, 400 mb).
  gLevelParcelDone(1, 20, 4) = true;
  gElevCape(1, 20, 4) = 1000;
  gElevCin(1, 20, 4) = 25;
  gElevELPres(1, 20, 4) = 430;
  ComputeBulkShear(1, 20, kShearEffective);
  EXPECT_EQ(gEffectiveCape(1, 20), 1000.0f);
  EXPECT_EQ(gEffectiveCin(1, 20), 25.0f);
  // Half way from the base (3 km) to level 10 (9 km) is 6 km; the first
  // level above it is 7 km (u = 14); the base has u = 6.
  EXPECT_NEAR(gBulkShear(1, 20), 8 * kKnots, 1e-3);

  // A parcel without CAPE gives no shear but still marks the hour.
  gElevCape(1, 20, 4) = 0;
  gBulkShearDone(1, 20) = false;
  ComputeBulkShear(1, 20, kShearEffective);
  EXPECT_EQ(gBulkShear(1, 20), 0.0f);
  EXPECT_TRUE(gBulkShearDone(1, 20));

  // A dataset other than the current one is worked on as passed, and the
  // current dataset is kept.
  SetLevels(2, 20, 13, 1000.0f);
  for (int i = 0; i <= 13; ++i) SetWind(2, 20, i, 0, 0);
  SetWind(2, 20, 7, 0, 10);
  gCurDataset = 1;
  ComputeBulkShear(2, 20, kShearSixKm);
  EXPECT_NEAR(gBulkShear(2, 20), 10 * kKnots, 1e-3);
  EXPECT_EQ(gCurDataset, 1);

  // Profile shallower than 6 km: the shear is taken against level 0.
  SetLevels(1, 21, 4, 1000.0f);
  for (int i = 0; i <= 4; ++i) SetWind(1, 21, i, 0, 0);
  SetWind(1, 21, 1, 3, 4);
  ComputeBulkShear(1, 21, kShearSixKm);
  EXPECT_NEAR(gBulkShear(1, 21), 5 * kKnots, 1e-4);
  // Hour beyond the dataset: nothing happens.
  gLastHour(1) = 21;
  gBulkShearDone(1, 22) = false;
  ComputeBulkShear(1, 22, kShearSixKm);
  EXPECT_FALSE(gBulkShearDone(1, 22));
}

}  // namespace
}  // namespace ondrik
