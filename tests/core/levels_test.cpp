#include "core/levels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/core/sounding.h"

namespace ondrik {
namespace {

using testing::SetSounding;

// Six levels 1000..500 mb, 100 m to 5600 m above sea level, site at sea level.
void SixLevels() {
  SetSounding(1, 0,
              {{1000, 20, 10, 180, 10, 100},
               {900, 14, 6, 200, 15, 1000},
               {800, 8, 0, 220, 20, 2000},
               {700, 0, -8, 240, 25, 3000},
               {600, -8, -16, 260, 30, 4200},
               {500, -18, -28, 270, 40, 5600}},
              0.0f);
  gLastHour(1) = 0;
}

TEST(Levels, StandardAtmosphere) {
  EXPECT_NEAR(StdHeightMOfPressure(1013.2f), 0.0, 1e-3);
  EXPECT_NEAR(StdHeightMOfPressure(500), 5562, 3);
  EXPECT_NEAR(StdHeightFtOfPressure(500), 18249, 10);
  EXPECT_NEAR(StdPressureOfFeet(0), 1013.2, 1e-3);
  // 10000 ft is close to 697 mb in the standard atmosphere.
  EXPECT_NEAR(StdPressureOfFeet(10000), 696.8, 1.0);
  // Feet and pressure go back and forth.
  for (float p : {1000.0f, 850.0f, 700.0f, 300.0f}) {
    EXPECT_NEAR(StdPressureOfFeet(StdHeightFtOfPressure(p)), p, 0.05 * p / 100);
  }
  // Outside the atmosphere the conversions stay finite.
  EXPECT_EQ(StdPressureOfFeet(200000), 0.0f);
  EXPECT_TRUE(std::isfinite(StdHeightMOfPressure(0)));
}

TEST(Levels, LevelSearchRules) {
  SixLevels();
  EXPECT_EQ(LevelOfPressure(85), 85);  // already a level number
  EXPECT_EQ(LevelOfPressure(0), 0);
  EXPECT_EQ(LevelOfPressure(700), 4);
  EXPECT_EQ(LevelOfPressure(710), 4);
  EXPECT_EQ(LevelOfPressure(750), 3);   // halfway: the lower level (higher pressure)
  EXPECT_EQ(LevelOfPressure(1050), 1);  // below the first level
  EXPECT_EQ(LevelOfPressure(500), 0);   // at the top level: none above
  EXPECT_EQ(LevelOfPressure(400), 0);

  EXPECT_EQ(LevelOfHeight(0, 1.0f), 2);   // exactly 1000 m above ground
  EXPECT_EQ(LevelOfHeight(0, 1.5f), 2);   // tie: the lower level
  EXPECT_EQ(LevelOfHeight(0, 1.6f), 3);
  EXPECT_EQ(LevelOfHeight(0, 0.04f), 0);  // the ground is nearer than level 1
  EXPECT_EQ(LevelOfHeight(0, 0.06f), 1);
  EXPECT_EQ(LevelOfHeight(0, 6.0f), 0);   // no level above 6 km
  EXPECT_EQ(LevelOfHeight(5, 1.0f), 0);   // hour not loaded
}

TEST(Levels, InterpolationInLogPressure) {
  SixLevels();
  // 950 mb lies 0.4868 of the way from 1000 to 900 mb in ln p.
  const double frac = std::log(1000.0 / 950) / std::log(1000.0 / 900);
  EXPECT_NEAR(TempAtPressure(0, 950), 20 - 6 * frac, 1e-4);
  EXPECT_NEAR(DewpointAtPressure(0, 950), 10 - 4 * frac, 1e-4);
  EXPECT_NEAR(InterpolateToPressure(0, 950),
              gRH(1, 0, 1) + (gRH(1, 0, 2) - gRH(1, 0, 1)) * frac, 1e-3);
  // At a level: that level's value.
  EXPECT_NEAR(TempAtPressure(0, 700), 0, 1e-5);
  EXPECT_NEAR(DewpointAtPressure(0, 1000), 10, 1e-5);
  EXPECT_NEAR(TempAtPressure(0, 500), -18, 1e-5);  // top level itself
  // Below the first level the temperature extrapolates along levels 1 and 2;
  // the dew point has no value there.
  const double below = std::log(1050.0 / 1000) / std::log(1000.0 / 900);
  EXPECT_NEAR(TempAtPressure(0, 1050), 20 + 6 * below, 1e-4);
  EXPECT_TRUE(IsMissing(DewpointAtPressure(0, 1050)));
  // Above the top: no value.
  EXPECT_TRUE(IsMissing(TempAtPressure(0, 400)));
  EXPECT_TRUE(IsMissing(DewpointAtPressure(0, 400)));
  EXPECT_TRUE(IsMissing(InterpolateToPressure(0, 400)));

  // Pressure where the temperature between levels 1 and 2 is 17 degC:
  // halfway in ln p, the geometric mean of 1000 and 900.
  EXPECT_NEAR(InterpolateP(0, 2, 17), std::sqrt(1000.0 * 900.0), 0.01);
  SetSounding(1, 0, {{1000, 5, 0, 0, 0, 100}, {900, 5, 0, 0, 0, 1000}}, 0.0f);
  EXPECT_EQ(InterpolateP(0, 2, 5), 0.0f);  // no temperature difference
  SixLevels();

  // Heights are linear in pressure.
  EXPECT_NEAR(InterpH(0, 950), 550, 1e-3);
  EXPECT_NEAR(InterpH(0, 650), 3600, 1e-3);
  EXPECT_EQ(InterpH(0, 500), 0.0f);  // at or above the top level
  gPres(1, 0, 0) = 1020;             // surface below level 1
  gHght(1, 0, 0) = 0;
  EXPECT_NEAR(InterpH(0, 1010), 50, 1e-3);
}

}  // namespace
}  // namespace ondrik
