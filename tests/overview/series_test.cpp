// The overview's computations apart from drawing: the comfort, fire-weather
// and snow-ratio formulas, the class colours, the direction trace's wrap and
// gap rules, and the series on a shipped file with profiles set by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "core/levels.h"
#include "core/shear.h"
#include "overview/calc.h"
#include "overview/plotters.h"
#include "overview/series.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

TEST(OverviewFormulas, ComfortAndPressureChange) {
  struct {
    Single t, rh, f;
  } heat[] = {{20, 50, 66.3f}, {30, 50, 88.4f}, {35, 70, 124.7f}};
  for (const auto& c : heat) EXPECT_NEAR(ApparentTemperature(c.t, c.rh), c.f, 0.05) << c.t << " " << c.rh;

  struct {
    double t;
    Single kt, f;
  } chill[] = {{0, 20, 19.17f}, {0, 0, 32}, {20, 5, 68}, {-10, 30, -8.02f}};
  for (const auto& c : chill) EXPECT_NEAR(WindChill(c.t, c.kt), c.f, 0.3) << c.t << " " << c.kt;
  // Never above the air temperature.
  for (double t = -30; t <= 30; t += 5)
    for (Single v = 0; v <= 60; v += 10) EXPECT_LE(WindChill(t, v), t * 9 / 5 + 32 + 1e-4);

  struct {
    Single step, fallback;
    Integer n;
  } steps[] = {{1, 1, 3}, {3, 1, 1}, {0, 3, 1}, {0, 0, 3}, {-1, 1, 3}, {6, 1, 0}, {2, 1, 1}};
  for (const auto& c : steps) EXPECT_EQ(PresChangeSteps(c.step, c.fallback), c.n) << c.step;

  struct {
    Single f;
    int cls;
  } classes[] = {{79.9f, 5}, {80, 4}, {90, 3}, {105, 2}, {130, 1}};
  for (const auto& c : classes) EXPECT_EQ(HeatClass(c.f), c.cls) << c.f;
}

TEST(OverviewFormulas, HainesAndSnowRatioTables) {
  struct {
    int k;
    Single stability, depression;
    Integer index;
  } haines[] = {{1, 3.5f, 0, 3},  {1, 3.4f, 5.4f, 2}, {1, 7.5f, 9.5f, 6},  {2, 10.4f, 12.5f, 5},
                {3, 17.4f, 18, 3}, {3, 22, 21, 6},     {3, 20, 14, 3},       {2, kNoValue, 3, 0}};
  for (const auto& c : haines) EXPECT_EQ(HainesOf(c.k, c.stability, c.depression), c.index) << c.k;

  struct {
    Single tmax, ratio;
  } warmest[] = {{2.0f, 10}, {2.1f, 0}, {0, 10}, {-10, 25}, {-20, 20}, {-22, 15}, {-30, 15}, {-5, 17.5f}};
  for (const auto& c : warmest) EXPECT_FLOAT_EQ(RatioOfMaxTemp(c.tmax), c.ratio) << c.tmax;

  struct {
    bool rev2011;
    Single t, ratio;
  } table[] = {{false, -16, 50}, {false, -16.5f, 47.5f}, {false, -40, 10}, {false, 5, 0}, {false, -400, 10},
               {true, -16, 26},  {true, -17, 24.5f},     {true, -35, 7.2f}, {true, 0.5f, 1.5f}, {true, 400, 0}};
  for (const auto& c : table) EXPECT_NEAR(DGZRatioAt(c.rev2011, c.t), c.ratio, 1e-4) << c.rev2011 << " " << c.t;
}

TEST(OverviewFormulas, ClassColours) {
  EXPECT_EQ(WindClassColour(2.0f), RGB(0, 232, 0));
  EXPECT_EQ(WindClassColour(4.0f), RGB(232, 232, 0));
  EXPECT_EQ(WindClassColour(4.1f), RGB(232, 0, 0));
  const std::array<Integer, 6> b{10, 20, 30, 40, 50, 60};
  EXPECT_EQ(VWPClassColour(9, b), kWhite);
  EXPECT_EQ(VWPClassColour(10, b), kRed);
  EXPECT_EQ(VWPClassColour(45, b), RGB(0, 128, 0));
  EXPECT_EQ(VWPClassColour(60, b), RGB(255, 0, 255));
  EXPECT_EQ(LakeIndexColour(2, 5), RGB(192, 192, 0));
  EXPECT_EQ(LakeIndexColour(4, 5), RGB(0, 192, 0));
  EXPECT_EQ(LakeIndexColour(-1, 5), RGB(223, 0, 0));
  EXPECT_EQ(HeatColour(75, 95), kRed);  // the more severe end
  EXPECT_EQ(HeatColour(95, 75), kRed);
  EXPECT_EQ(HainesColour(4, 6), kBlue);
  EXPECT_EQ(DavisColour(9, 15), kRed);
  const std::array<Single, 2> cins{-50, -100};
  EXPECT_EQ(CapeColour(0.5f, -500, cins), RGB(0, 255, 0));  // no CAPE: green whatever the inhibition
  EXPECT_EQ(CapeColour(500, -150, cins), kRed);
  EXPECT_EQ(CapeColour(500, -60, cins), kYellow);
  EXPECT_EQ(PrecipTypeColour(79), RGB(255, 128, 0));
  EXPECT_EQ(PrecipTypeColour(999), kWhite);
}

TEST(OverviewTraces, DirectionWrapsAndGaps) {
  using P = DirectionPoint;
  struct Case {
    std::vector<Single> dir;
    std::vector<P> points;
  };
  const Case cases[] = {
      // Up through 360: out to 370, in from -10 to the hour itself; the trace goes on from there.
      {{350, 10, 20}, {{0, 350, false}, {1, 370, true}, {0, -10, false}, {1, 10, true}, {2, 20, true}}},
      // Down through 0.
      {{10, 350}, {{0, 10, false}, {1, -10, true}, {0, 370, false}, {1, 350, true}}},
      // A step of exactly 180 is an ordinary segment.
      {{90, 270}, {{0, 90, false}, {1, 270, true}}},
      // A gap: the trace starts again after it.
      {{90, kNoValue, 100, 110}, {{0, 90, false}, {2, 100, false}, {3, 110, true}}},
  };
  for (const Case& c : cases) {
    const std::vector<P> got = DirectionTracePoints(c.dir);
    ASSERT_EQ(got.size(), c.points.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_DOUBLE_EQ(got[i].x, c.points[i].x) << i;
      EXPECT_DOUBLE_EQ(got[i].y, c.points[i].y) << i;
      EXPECT_EQ(got[i].line, c.points[i].line) << i;
    }
  }
}

// Profiles of a shipped file set by hand (dataset 1, hours 0 and 1).
class OverviewSeriesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::LoadShipped("NAM_KOKC.ond", s, "KOKC - NAM - ONDRIK")); }
  // Level k of dataset 1 at hour h: pressure, temperature, wind (u, v in m/s) and height.
  void Level(int h, int k, Single p, Single t, Single u, Single v, Single z) {
    gPres(1, h, k) = p;
    gTemp(1, h, k) = t;
    gWindU(1, h, k) = u;
    gWindV(1, h, k) = v;
    gHght(1, h, k) = z;
    gHghtAGL(1, h, k) = z - 300;
    gWspd(1, h, k) = std::hypot(u, v) * 1.94254f;
    gWdir(1, h, k) = WindDirection(u, v);
  }
  OverviewState s;
};

TEST_F(OverviewSeriesTest, MeanWindAndMixingLayer) {
  const int n = gNumLevels(1);
  ASSERT_GE(n, 10);
  // Hour 0: a north wind at every level; the lowest three layers dry-adiabatic,
  // then two 20-mb stable layers split by a mixed one, then a 40-mb stable run.
  const Single p[] = {0, 1000, 980, 960, 940, 920, 900, 880, 860, 840, 820};
  const Single lapse[] = {0, 0, -1.8f, -1.8f, -1.8f, 0, -1.8f, 0, 0, 0, 0};
  Single t = 20;
  for (int k = 1; k <= 10; ++k) {
    t += lapse[k];
    Level(0, k, p[k], t, 0, -10, 300 + 180 * k);
  }
  for (int k = 11; k <= n; ++k) Level(0, k, 800 - 10 * (k - 10), t - 10 * (k - 10), 0, -10, 2300 + 100 * k);
  ComputeMeanWind(1, 1, 10);
  EXPECT_NEAR(Store().MeanWindDir(1, 0), 360, 1e-3);  // north, not south
  EXPECT_NEAR(Store().MeanWindSpread(1, 0), 0, 1e-4);
  for (int k = 1; k <= 3; ++k) gWspd(1, 1, k) = 0;  // a calm layer blows from 360
  ComputeMeanWind(1, 1, 3);
  EXPECT_EQ(Store().MeanWindDir(1, 1), 360);
  EXPECT_EQ(Store().MeanWindSpread(1, 1), 0);
  ComputeMeanWind(1, 5, 4);  // an inverted layer has no mean
  EXPECT_TRUE(std::isnan(Store().MeanWindDir(1, 0)));
  // No level above the dataset's is read.
  gWindU(1, 0, n + 1) = 50;
  ComputeMeanWind(1, n - 1, kMaxLevels);
  EXPECT_NEAR(Store().MeanWindDir(1, 0), 360, 1e-3);

  MakeMixingLayer(1, 30);
  EXPECT_EQ(Store().MixTopLevel(1, 0), 6);  // the 20-mb run at 940 mb is broken; the next reaches 40 mb
  EXPECT_NEAR(Store().TransportWindDir(1, 0), 360, 1e-3);
  EXPECT_NEAR(Store().TransportWindSpeed(1, 0), 10 * 1.94254, 1e-3);
  MakeMixingLayer(1, 1);
  EXPECT_EQ(Store().MixTopLevel(1, 0), 4);
  // No stable layer at all: the whole profile mixes, for this hour and this call alone.
  for (int k = 1; k <= n; ++k) Level(0, k, 1000 * std::exp(-0.05f * k), 20 - 4.0f * k, 0, -10, 300 + 180 * k);
  MakeMixingLayer(1, 30);
  EXPECT_EQ(Store().MixTopLevel(1, 0), n);
  // 10 m/s times the height of the top above the ground, in metres.
  const double agl = (StdHeightFtOfPressure(gPres(1, 0, n)) - StdHeightFtOfPressure(gSfcPres(1, 0))) * 0.3048;
  EXPECT_NEAR(Ventilation(1, 0), 10 * agl / 1000, 1e-3);
}

TEST_F(OverviewSeriesTest, LevelFieldsWithoutDivisionByZero) {
  const int n = gNumLevels(1);
  // Every level above 500 m AGL.
  for (int k = 1; k <= n; ++k) Level(0, k, 1000 * std::exp(-0.05f * k), 10, 5.0f + k, 0, 800 + 100.0f * k);
  gHght(1, 0, 3) = gHght(1, 0, 2);  // two levels at one height
  MakeShearContour(1);
  MakeLayertoLayer(1);
  EXPECT_TRUE(std::isnan(Store().ShearContour(1, 0, 1)));
  EXPECT_TRUE(std::isnan(Store().LayertoLayer(1, 0, 2)));
  EXPECT_NEAR(Store().LayertoLayer(1, 0, 1), 1.0 / 100 * 3600, 1e-3);
  EXPECT_TRUE(std::isnan(Store().LayertoLayer(1, 0, n)));
  EXPECT_TRUE(IsDone(Store().ShearContourDone(1)) && IsDone(Store().LayertoLayerDone(1)));

  // A pressure under the first level, or above the last, is a gap, not 0 C.
  MakeTempAtPressure(1, 1100);
  EXPECT_TRUE(std::isnan(Store().LakeLevelTemp(1, 0)));
  MakeTempAtPressure(1, 10);
  EXPECT_TRUE(std::isnan(Store().LakeLevelTemp(1, 0)));
  MakeTempAtPressure(1, 940);
  EXPECT_NEAR(Store().LakeLevelTemp(1, 0), 10, 1e-4);
}

TEST_F(OverviewSeriesTest, SnowRatioAndTotals) {
  const int n = gNumLevels(1);
  const int last = gLastHour(1);
  for (int h = 0; h <= last; ++h) {
    for (int k = 1; k <= n; ++k) {
      gRHIce(1, h, k) = 50;
      gOmega(1, h, k) = 0;
    }
    gPrecip(1, h) = 0;
    gPtypeSrcB(1, h) = kPtypeRain;
  }
  // Hour 0: one saturated level rising at -16 C (its weight cancels); hour
  // 1: saturated but sinking; hour 2: saturated levels of no depth.
  gRHIce(1, 0, 3) = 95;
  gOmega(1, 0, 3) = -5;
  gTemp(1, 0, 3) = -16;
  gRHIce(1, 1, 3) = 95;
  gOmega(1, 1, 3) = 2;
  gRHIce(1, 2, 3) = 95;
  gOmega(1, 2, 3) = -5;
  gHght(1, 2, 4) = gHght(1, 2, 3);
  MakeSnowRatio_DGZxOmega(1, false);
  EXPECT_FLOAT_EQ(Store().SnowRatio(1, 0), 50);
  EXPECT_FLOAT_EQ(Store().SnowRatio(1, 1), 0);
  EXPECT_FLOAT_EQ(Store().SnowRatio(1, 2), 0);

  // Snow at hours 0 and 2 at a fixed 10:1: hour 0 counts in every total.
  gPrecip(1, 0) = 0.1f;
  gPrecip(1, 2) = 0.2f;
  gPtypeSrcB(1, 0) = gPtypeSrcB(1, 2) = kPtypeSnow;
  MakeSnowRatio(1, 3, 10, false);
  EXPECT_FLOAT_EQ(Store().SnowAmount(1, 0), 1);
  EXPECT_FLOAT_EQ(Store().SnowfallTotal(1, 0), 1);
  EXPECT_FLOAT_EQ(Store().SnowAccumSettled(1, 0), 1);  // age 0
  EXPECT_FLOAT_EQ(Store().SnowfallTotal(1, 2), 3);
  const double hps = gHoursPerStep;
  EXPECT_NEAR(Store().SnowAccumSettled(1, 2), std::exp(-0.08 * std::sqrt(2 * hps)) + 2, 1e-5);
  EXPECT_EQ(gPtypeCode(1, 2), kPtypeSnow);
  EXPECT_TRUE(IsDone(Store().SnowRatioDone(1)));
  EXPECT_FALSE(IsDone(Store().SnowRatioDone(2)));  // one dataset's run computes that dataset
}

}  // namespace
}  // namespace ondrik
