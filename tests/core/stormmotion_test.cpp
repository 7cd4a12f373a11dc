#include "core/stormmotion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/shear.h"
#include "sounding.h"

namespace ondrik {
namespace {

using testing::Level;
using testing::SetSounding;

struct WindLevel {
  float agl;  // m above ground
  float u, v; // m/s
};

// Writes a sounding on a site 300 m above sea level whose winds are given as
// components; pressures fall 10 mb per 100 m, which is enough here.
void SetWindProfile(int d, int h, const std::vector<WindLevel>& winds) {
  std::vector<Level> levels;
  for (const WindLevel& w : winds)
    levels.push_back({1000.0f - w.agl / 10.0f, 15.0f, 10.0f, 270.0f, 10.0f, 300.0f + w.agl});
  SetSounding(d, h, levels, 300.0f);
  for (size_t k = 0; k < winds.size(); ++k) {
    gWindU(d, h, static_cast<int>(k) + 1) = winds[k].u;
    gWindV(d, h, static_cast<int>(k) + 1) = winds[k].v;
  }
  gWindU(d, h, 0) = winds.front().u;  // the 10-m wind
  gWindV(d, h, 0) = winds.front().v;
}

TEST(StormMotion, WorkedExampleMeanTenFiveShearTwentyZero) {
  // Samples at 0..6 km: u = 0, 2, 6, 10, 14, 18, 20 (mean 10), v = 5
  // everywhere; 0-500 m layer (0, 5), 5.5-6 km layer (20, 5): shear (20, 0).
  SetWindProfile(1, 0,
                 {{0, 0, 5}, {500, 0, 5}, {1000, 2, 5}, {2000, 6, 5}, {3000, 10, 5},
                  {4000, 14, 5}, {5000, 18, 5}, {5500, 20, 5}, {6000, 20, 5}, {7000, 30, 5}});
  MakeStormMotion(0);

  EXPECT_NEAR(gRightMoverU(1, 0), 10.0f, 1e-4);
  EXPECT_NEAR(gRightMoverV(1, 0), -2.5f, 1e-4);
  EXPECT_NEAR(gLeftMoverU(1, 0), 10.0f, 1e-4);
  EXPECT_NEAR(gLeftMoverV(1, 0), 12.5f, 1e-4);
  // Mean wind (10, 5): blowing towards east-north-east, from 243.4 degrees.
  EXPECT_NEAR(gMeanWindSpd(1, 0), std::sqrt(125.0f), 1e-4);
  EXPECT_NEAR(gMeanWindDir(1, 0), 270.0 - std::atan(0.5) * 180 / M_PI, 1e-3);
  // The right mover is the storm motion, in every place that holds it.
  EXPECT_EQ(gStormU(1, 0), gRightMoverU(1, 0));
  EXPECT_EQ(gStormV(1, 0), gRightMoverV(1, 0));
  EXPECT_EQ(gWindU(1, 0, -1), gStormU(1, 0));
  EXPECT_EQ(gWindV(1, 0, -1), gStormV(1, 0));
  EXPECT_NEAR(gStormMotionSpd(1, 0), std::sqrt(100.0f + 6.25f), 1e-4);
  // (10, -2.5) blows towards east-south-east: from 284.04 degrees.
  EXPECT_NEAR(gStormMotionDir(1, 0), 270.0 + std::atan(0.25) * 180 / M_PI, 1e-3);
}

TEST(StormMotion, UpperLayerWithoutLevelsTakesFirstLevelAbove6Km) {
  // u grows 2 m/s per km; v is 0 except at 6.5 km, the first level above
  // 6 km, which therefore stands for the 5.5-6 km layer alone.
  SetWindProfile(1, 1,
                 {{0, 0, 0}, {1000, 2, 0}, {2000, 4, 0}, {3000, 6, 0}, {4000, 8, 0},
                  {5000, 10, 0}, {6500, 13, 13}, {8000, 16, 0}});
  MakeStormMotion(1);
  // Samples 0..6 km: u = 0..12 (mean 6); v = 0 but at 6 km, 2/3 of the way
  // to 6.5 km: 13 * 2/3.
  const double um = 6.0;
  const double vm = 13.0 * 2.0 / 3.0 / 7.0;
  // Shear (13, 13): the right mover lies 7.5 m/s along (1, -1) / sqrt 2.
  const double k = 7.5 / std::sqrt(2.0);
  EXPECT_NEAR(gRightMoverU(1, 1), um + k, 1e-4);
  EXPECT_NEAR(gRightMoverV(1, 1), vm - k, 1e-4);
  EXPECT_NEAR(gLeftMoverU(1, 1), um - k, 1e-4);
  EXPECT_NEAR(gLeftMoverV(1, 1), vm + k, 1e-4);
  // The movers lie symmetric about the mean wind.
  EXPECT_NEAR((gRightMoverU(1, 1) + gLeftMoverU(1, 1)) / 2, um, 1e-4);
  EXPECT_NEAR((gRightMoverV(1, 1) + gLeftMoverV(1, 1)) / 2, vm, 1e-4);
}

TEST(StormMotion, ProfilesThatGiveNoMoverKeepADefinedMotion) {
  // Uniform wind: no shear, both movers are the mean wind.
  SetWindProfile(1, 2,
                 {{0, 5, -3}, {400, 5, -3}, {2000, 5, -3}, {4000, 5, -3}, {5800, 5, -3},
                  {7000, 5, -3}});
  MakeStormMotion(2);
  EXPECT_NEAR(gStormU(1, 2), 5.0f, 1e-5);
  EXPECT_NEAR(gStormV(1, 2), -3.0f, 1e-5);
  EXPECT_NEAR(gLeftMoverU(1, 2), 5.0f, 1e-5);
  EXPECT_FALSE(std::isnan(gStormMotionDir(1, 2)));

  // First level already 800 m up: the 10-m wind stands for the 0-500 m layer.
  SetWindProfile(1, 3, {{800, 10, 0}, {3000, 10, 0}, {5600, 20, 0}, {7000, 20, 0}});
  gWindU(1, 3, 0) = 0;  // calm at 10 m
  gWindV(1, 3, 0) = 0;
  MakeStormMotion(3);
  // Shear (20, 0) from the calm ground: the right mover is south of the mean.
  EXPECT_FALSE(std::isnan(gStormU(1, 3)));
  EXPECT_NEAR(gStormV(1, 3), -7.5f, 1e-4);

  // Shallower than 6 km: the hour keeps the storm motion it had.
  SetWindProfile(1, 4, {{0, 1, 1}, {1000, 4, 2}, {4000, 9, 9}});
  gStormU(1, 4) = 3;
  gStormV(1, 4) = 4;
  EXPECT_NO_THROW(MakeStormMotion(4));
  EXPECT_EQ(gStormU(1, 4), 3.0f);
  EXPECT_EQ(gStormV(1, 4), 4.0f);
  EXPECT_EQ(gWindU(1, 4, -1), 3.0f);
  EXPECT_EQ(gWindV(1, 4, -1), 4.0f);
  EXPECT_NEAR(gStormMotionSpd(1, 4), 5.0f, 1e-6);
  EXPECT_EQ(gRightMoverU(1, 4), 3.0f);
  EXPECT_EQ(gMeanWindSpd(1, 4), 5.0f);

  // One level.
  SetWindProfile(1, 5, {{0, 2, 2}});
  gStormU(1, 5) = 1;
  gStormV(1, 5) = 0;
  EXPECT_NO_THROW(MakeStormMotion(5));
  EXPECT_EQ(gWindU(1, 5, -1), 1.0f);
  EXPECT_NEAR(gStormMotionDir(1, 5), 270.0f, 1e-4);

  // An hour outside the store is ignored.
  EXPECT_NO_THROW(MakeStormMotion(85));
  EXPECT_NO_THROW(MakeStormMotion(-1));
}

}  // namespace
}  // namespace ondrik
