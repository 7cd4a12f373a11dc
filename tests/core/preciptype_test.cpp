#include "core/preciptype.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/levels.h"
#include "sounding.h"

namespace ondrik {
namespace {

using testing::Level;
using testing::SetSounding;

constexpr double kG = 9.80616;
constexpr double kK = 273.16;

// Levels every 500 m from a site at sea level, pressure falling 50 mb per
// level, dew point 1 C below the temperature (cloudy throughout).
std::vector<Level> Column(const std::vector<float>& temps) {
  std::vector<Level> levels;
  for (size_t i = 0; i < temps.size(); ++i) {
    const float t = temps[i];
    levels.push_back({1000.0f - 50.0f * i, t, t - 1.0f, 270, 10, 500.0f * i});
  }
  return levels;
}

// Loads dataset 1 with the given hours. A dataset has one level count for
// all its hours: shorter columns are continued with their top temperature.
void LoadHours(std::vector<std::vector<float>> hours) {
  size_t n = 0;
  for (const auto& t : hours) n = std::max(n, t.size());
  for (auto& t : hours) t.resize(n, t.back());
  for (size_t h = 0; h < hours.size(); ++h) SetSounding(1, static_cast<int>(h), Column(hours[h]), 0.0f);
  gLastHour(1) = static_cast<int>(hours.size()) - 1;
  gDatasetCount = 1;
}

TEST(PrecipType, WarmNoseColdAndWarmColumns) {
  gElevatedLevel = 1;
  const std::vector<float> warmNose = {-4, -2, 3, 3, -3, -8, -14, -20, -26, -32, -38, -44, -50,
                                       -56, -60, -60, -60};
  std::vector<float> deepCold = warmNose;
  deepCold[0] = -10;
  deepCold[1] = -10;
  const std::vector<float> allCold = {-2, -4, -6, -8, -10, -14, -20, -26, -32, -38, -44, -50,
                                      -56, -60, -60, -60, -60};
  const std::vector<float> warm = {12, 10, 8, 6, 4, 2, -2, -6, -10, -16, -22, -30, -38, -46,
                                   -54, -60, -60};
  LoadHours({warmNose, deepCold, allCold, warm});
  gCurDataset = 1;
  DecidePrecipType();

  // Hour 0: the layers stand for the levels' half-way heights: level 1 for
  // 0-250 m, level 2 for 250-750 m, levels 3 and 4 for 750-1250 and
  // 1250-1750 m.
  const double na0 = kG * (250 * 4 + 500 * 2) / kK;  // 71.8 J/kg
  const double pa0 = kG * (500 * 3 + 500 * 3) / kK;  // 107.7 J/kg
  EXPECT_EQ(gEnergyPattern(1, 0), "BA");
  EXPECT_NEAR(gNegEnergy(1, 0), na0, 1e-2);
  EXPECT_NEAR(gPosEnergy(1, 0), pa0, 1e-2);
  EXPECT_EQ(gSfcWarmDepth(1, 0), 0.0f);
  // 71.8 lies below the refreezing line 70 + 107.7 * 2/3 = 141.8.
  EXPECT_EQ(gPtypeSrcA(1, 0), kPtypeFreezingRain);

  // Hour 1: a deeper, colder layer at the ground refreezes the drops.
  EXPECT_EQ(gEnergyPattern(1, 1), "BA");
  EXPECT_NEAR(gNegEnergy(1, 1), kG * (250 * 10 + 500 * 10) / kK, 1e-2);  // 269.2
  EXPECT_EQ(gPtypeSrcA(1, 1), kPtypeIcePellets);

  // Hour 2: cold throughout; nothing left of the hours before.
  EXPECT_EQ(gEnergyPattern(1, 2), "BB");
  EXPECT_EQ(gPosEnergy(1, 2), 0.0f);
  EXPECT_EQ(gNegEnergy(1, 2), 0.0f);
  EXPECT_EQ(gSfcWarmDepth(1, 2), 0.0f);
  EXPECT_EQ(gPtypeSrcA(1, 2), kPtypeSnow);

  // Hour 3: warm up to 0 C half way between 750 mb (2 C) and 700 mb (-2 C).
  EXPECT_EQ(gEnergyPattern(1, 3), "AB");
  const double pa3 = kG * (250 * 12 + 500 * (10 + 8 + 6 + 4 + 2)) / kK;
  EXPECT_NEAR(gPosEnergy(1, 3), pa3, 1e-2);
  EXPECT_NEAR(gSfcWarmDepth(1, 3), StdHeightFtOfPressure(725) - StdHeightFtOfPressure(1000), 0.5);
  EXPECT_EQ(gPtypeSrcA(1, 3), kPtypeRain);
  EXPECT_EQ(gCurDataset, 1);
}

TEST(PrecipType, PatternEdges) {
  gElevatedLevel = 1;
  // 0: warm at the ground, a cold layer, a warm layer aloft, cold above
  //    (ABAB); the refreezing layer is too weak: rain.
  const std::vector<float> abab = {2, -1, 4, 4, -4, -10, -20, -30, -40, -50, -60, -60};
  // 1: warm aloft too weak (< 2 J/kg): demoted to AB, decided on the
  //    surface warm area alone (small: snow).
  const std::vector<float> ababWeak = {0.5f, -1, 0.05f, -4, -10, -20, -30, -40, -50, -60};
  // 2: start level at exactly 0 C is not warm: BB.
  const std::vector<float> zeroStart = {0, -2, -6, -10, -20, -30, -40, -50, -60};
  // 3: warm throughout the column (continued with 8 C up to 450 mb): no
  //    level below 0 C at all.
  const std::vector<float> allWarm = {20, 18, 16, 14, 12, 10, 8};
  // 4: a warm layer aloft with little energy: BA demoted to BB, snow, its
  //    small energies kept.
  const std::vector<float> baWeak = {-3, 0.1f, -2, -10, -20, -30, -40, -50, -60};
  // 5: a level at exactly 0 C inside the warm layer does not end it.
  const std::vector<float> zeroInside = {5, 0, 5, -5, -15, -25, -35, -45, -55};
  LoadHours({abab, ababWeak, zeroStart, allWarm, baWeak, zeroInside});
  DecidePrecipType();

  EXPECT_EQ(gEnergyPattern(1, 0), "ABAB");
  EXPECT_NEAR(gSfcPosEnergy(1, 0), kG * 250 * 2 / kK, 1e-3);
  EXPECT_NEAR(gNegEnergy(1, 0), kG * 500 * 1 / kK, 1e-3);
  EXPECT_NEAR(gPosEnergy(1, 0), kG * 1000 * 4 / kK, 1e-3);
  EXPECT_EQ(gPtypeSrcA(1, 0), kPtypeRain);

  EXPECT_EQ(gEnergyPattern(1, 1), "AB");
  EXPECT_NEAR(gPosEnergy(1, 1), kG * 250 * 0.5 / kK, 1e-3);
  EXPECT_EQ(gPosEnergy(1, 1), gSfcPosEnergy(1, 1));
  EXPECT_EQ(gPtypeSrcA(1, 1), kPtypeSnow);

  EXPECT_EQ(gEnergyPattern(1, 2), "BB");
  EXPECT_EQ(gPtypeSrcA(1, 2), kPtypeSnow);

  EXPECT_EQ(gEnergyPattern(1, 3), "AB");
  EXPECT_GT(gPosEnergy(1, 3), 13.2f);
  EXPECT_EQ(gPtypeSrcA(1, 3), kPtypeRain);
  // The warm layer reaches the top level (450 mb).
  EXPECT_NEAR(gSfcWarmDepth(1, 3), StdHeightFtOfPressure(450) - StdHeightFtOfPressure(1000), 0.5);

  EXPECT_EQ(gEnergyPattern(1, 4), "BB");
  EXPECT_NEAR(gPosEnergy(1, 4), kG * 500 * 0.1 / kK, 1e-4);
  EXPECT_NEAR(gNegEnergy(1, 4), kG * 250 * 3 / kK, 1e-3);
  EXPECT_EQ(gPtypeSrcA(1, 4), kPtypeSnow);

  EXPECT_EQ(gEnergyPattern(1, 5), "AB");
  EXPECT_NEAR(gPosEnergy(1, 5), kG * (250 * 5 + 500 * 5) / kK, 1e-3);
  // 0 C half way between 900 mb (5 C) and 850 mb (-5 C).
  EXPECT_NEAR(gSfcWarmDepth(1, 5), StdHeightFtOfPressure(875) - StdHeightFtOfPressure(1000), 0.5);
}

TEST(PrecipType, StartLevelCloudTopAndGuards) {
  // Start level 2: the first layer begins at level 1's height (0 m) and
  // level 2 stands for 0-750 m.
  const std::vector<float> warmNose = {-4, -2, 3, 3, -3, -8, -14, -20, -26, -32, -38, -44};
  LoadHours({warmNose});
  SetSounding(2, 0, Column({5}), 0.0f);  // dataset 2: one level
  gLastHour(2) = 0;
  gElevatedLevel = 2;
  DecidePrecipType();
  EXPECT_EQ(gEnergyPattern(1, 0), "BA");
  EXPECT_NEAR(gNegEnergy(1, 0), kG * 750 * 2 / kK, 1e-2);
  // A start level above the one-level column: no pattern, no type.
  EXPECT_EQ(gEnergyPattern(2, 0), "");
  EXPECT_EQ(gPtypeSrcA(2, 0), kPtypeNone);
  EXPECT_EQ(gPosEnergy(2, 0), 0.0f);

  // The one level, warm, started at the ground: a warm layer that ends at
  // the top at once, without depth.
  gElevatedLevel = 1;
  EXPECT_NO_THROW(DecidePrecipType());
  EXPECT_EQ(gEnergyPattern(2, 0), "AB");
  EXPECT_EQ(gSfcWarmDepth(2, 0), 0.0f);
  gDatasetCount = 1;

  // Seeder-feeder: dry levels below a cloud at -12 C within 1519 m.
  std::vector<Level> s = Column({2, 0, -3, -6, -9, -12, -15, -20, -30});
  for (int i = 1; i <= 3; ++i) s[i].td = s[i].t - 10;  // levels 2..4 dry
  SetSounding(1, 0, s, 0.0f);
  gLastHour(1) = 0;
  DecidePrecipType();
  EXPECT_TRUE(gSeederFeeder(1, 0));
  EXPECT_EQ(gCloudTopLevel(1, 0), 9);

  // A dry column more than 1519 m deep above the start level ends the scan.
  for (size_t i = 1; i < s.size(); ++i) s[i].td = s[i].t - 15;
  s[8].td = s[8].t - 1;  // a cloud at 4000 m, out of reach
  SetSounding(1, 0, s, 0.0f);
  DecidePrecipType();
  EXPECT_EQ(gCloudTopLevel(1, 0), 1);
  EXPECT_FALSE(gSeederFeeder(1, 0));

  // No dataset: nothing happens and gCurDataset stays.
  gDatasetCount = 0;
  gCurDataset = 7;
  DecidePrecipType();
  EXPECT_EQ(gCurDataset, 7);
  gDatasetCount = 1;
  gCurDataset = 1;
}

TEST(PrecipType, ThresholdsDecideOnTheirExactValues) {
  // The decision at its thresholds, in single precision: 13.2 J/kg between
  // snow and rain, the refreezing line (70 + 45 * 300 / 450 = 100 J/kg), the
  // 20 J/kg surface warm area.
  const float below13 = std::nextafter(13.2f, 0.0f), below100 = std::nextafter(100.0f, 0.0f);
  const float below20 = std::nextafter(20.0f, 0.0f);
  const struct {
    const char* pattern;
    float pa, na, sfcPa;
    Long code;
  } decisions[] = {
      {"AB", 13.2f, 0, 0, kPtypeRain},          {"AB", below13, 0, 0, kPtypeSnow},
      {"BA", 45, 100, 0, kPtypeIcePellets},     {"BA", 45, below100, 0, kPtypeFreezingRain},
      {"ABAB", 45, 100, 20, kPtypeRain},        {"ABAB", 45, 100, below20, kPtypeIcePellets},
      {"ABAB", 45, below100, 0, kPtypeRain},    {"BB", 500, 0, 0, kPtypeSnow},
      {"", 500, 0, 0, kPtypeNone},
  };
  for (const auto& d : decisions)
    EXPECT_EQ(PrecipTypeOfEnergies(d.pattern, d.pa, d.na, d.sfcPa), d.code)
        << d.pattern << " " << d.pa << " " << d.na << " " << d.sfcPa;

  // The cloud-top scan at its thresholds: a dry gap of exactly 1519 m above
  // the cloud top goes on to the cloud above it, 1520 m ends the scan; a cloud
  // at exactly -10 C above a dry level is a seeder, one at -9.9 C is not.
  // Levels: pressure, temperature, dew point, height; depression 1 is cloudy,
  // 10 is dry.
  const struct {
    float dryTop;   // height of the highest dry level (m)
    float cloudT;   // temperature of the cloud above it (deg C)
    Integer cloudTop;
    bool seeder;
  } scans[] = {{1519, -12, 4, true}, {1520, -12, 1, false}, {1000, -10, 4, true}, {1000, -9.9f, 4, false}};
  gElevatedLevel = 1;
  for (const auto& c : scans) {
    SetSounding(1, 0,
                {{1000, 5, 4, 270, 10, 0},
                 {950, 0, -10, 270, 10, 500},
                 {900, -5, -15, 270, 10, c.dryTop},
                 {850, c.cloudT, c.cloudT - 1, 270, 10, 2000},
                 {800, -60, -80, 270, 10, 4000}},
                0.0f);
    gLastHour(1) = 0;
    gDatasetCount = 1;
    DecidePrecipType();
    EXPECT_EQ(gCloudTopLevel(1, 0), c.cloudTop) << c.dryTop << " m, " << c.cloudT << " C";
    EXPECT_EQ(gSeederFeeder(1, 0), c.seeder) << c.dryTop << " m, " << c.cloudT << " C";
  }
}

TEST(PrecipType, FreezingLevelWarmCloudDepthAndTQ) {
  // Hour 0: 0 C half way between 800 mb (2 C) and 700 mb (-2 C); -20 C half
  // way between 500 mb (-18 C) and 400 mb (-22 C); 850 and 700 mb are levels.
  const std::vector<Level> h0 = {{1000, 20, 18, 270, 10, 100}, {850, 10, 8, 270, 10, 1500},
                                 {800, 2, 0, 270, 10, 2000},   {700, -2, -5, 270, 10, 3000},
                                 {500, -18, -25, 270, 10, 5600}, {400, -22, -30, 270, 10, 7200},
                                 {300, -40, -50, 270, 10, 9200}};
  SetSounding(1, 0, h0);
  gLclPres(1, 0) = 900;
  // Hour 1: a high site, below 0 C from the first level up.
  // (A dataset has one level count: seven levels here too.)
  const std::vector<Level> h1 = {{800, -1, -3, 270, 10, 2000},  {700, -8, -10, 270, 10, 3000},
                                 {500, -25, -30, 270, 10, 5600}, {400, -35, -40, 270, 10, 7200},
                                 {300, -45, -50, 270, 10, 9200}, {250, -50, -55, 270, 10, 10400},
                                 {200, -55, -60, 270, 10, 11800}};
  SetSounding(1, 1, h1);
  gLclPres(1, 1) = 780;
  gLastHour(1) = 1;
  gCurDataset = 1;

  gWarmCloudTopDone(1) = 0;
  gWarmCloudDepthDone(1) = 0;
  ComputeWarmCloudDepth();  // finds the 0 C heights first
  EXPECT_EQ(gWarmCloudTopDone(1), -1);
  EXPECT_EQ(gWarmCloudDepthDone(1), -1);
  EXPECT_NEAR(gFreezingLevelFt(1, 0), StdHeightFtOfPressure(750), 0.5);
  EXPECT_NEAR(gMinus20LevelFt(1, 0), StdHeightFtOfPressure(450), 0.5);
  const float depth0 = StdHeightFtOfPressure(750) - StdHeightFtOfPressure(900);
  EXPECT_NEAR(gWarmCloudDepthFt(1, 0), depth0, 0.5);
  EXPECT_NEAR(gWarmCloudDepth(1, 0), StdHeightFtOfPressure(1000) + depth0, 0.5);
  // Hour 1: the first level is already below 0 C: the surface height; the
  // condensation level above it gives no depth, drawn at hour 0's surface.
  EXPECT_NEAR(gFreezingLevelFt(1, 1), StdHeightFtOfPressure(800), 0.5);
  EXPECT_EQ(gWarmCloudDepthFt(1, 1), 0.0f);
  EXPECT_NEAR(gWarmCloudDepth(1, 1), StdHeightFtOfPressure(1000), 0.5);

  gTQIndexDone(1) = false;
  ComputeTQIndex();
  EXPECT_NEAR(gTQIndex(1, 0), 10 + 8 - 1.7 * -2, 1e-3);  // 21.4
  // 850 mb lies below the high site's ground: no dew point there.
  EXPECT_TRUE(IsMissing(gTQIndex(1, 1)));
  EXPECT_TRUE(gTQIndexDone(1));
}

}  // namespace
}  // namespace ondrik
