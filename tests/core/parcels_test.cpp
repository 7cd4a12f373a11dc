#include "core/parcels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <functional>
#include <vector>

#include "core/levels.h"
#include "core/reader.h"
#include "core/thermo.h"
#include "tests/core/sounding.h"

namespace ondrik {
namespace {

using ondrik::testing::Level;
using ondrik::testing::SetSounding;

constexpr int kD = 2;
constexpr int kH = 1;
constexpr double kG = 9.80616;

// Temperature (C) at p of a dry parcel that is t0 at p0.
double DryAdiabat(double t0, double p0, double p) {
  return (t0 + 273.16) * std::pow(p / p0, 2.0 / 7.0) - 273.16;
}

double StdZ(double p) { return StdHeightMOfPressure(static_cast<Single>(p)); }

// Levels from p0 down to p1 every dp mb, heights from the standard atmosphere,
// temperature and dew point from the given functions of pressure.
std::vector<Level> MakeLevels(double p0, double p1, double dp, const std::function<double(double)>& t,
                              const std::function<double(double)>& td) {
  std::vector<Level> v;
  for (double p = p0; p >= p1 - 1e-6; p -= dp) {
    v.push_back({static_cast<float>(p), static_cast<float>(t(p)), static_cast<float>(td(p)), 270, 20,
                 static_cast<float>(StdZ(p))});
  }
  return v;
}

void Load(const std::vector<Level>& levels, float siteElevM = -1) {
  gLastHour(kD) = 0;
  SetSounding(kD, kH, levels, siteElevM);
  gLakeParcelDone(kD, kH) = 0;
  gLayerCapeDone(kD, kH) = false;
  for (int l = 0; l <= kMaxLevels; ++l) gLevelParcelDone(kD, kH, l) = false;
}

// --------------------------------------------------------------------------
// Parcels from every level
// --------------------------------------------------------------------------

TEST(EffectiveParcels, CappedSoundingGivesHandComputedCinCapeAndEquilibriumLevel) {
  // A dry surface parcel (30 C, dew point -10 C: condensation near 550 mb)
  // under a 2 C cap at 975-925 mb, 3 C buoyant at 900-825 mb, 12 C too cold
  // at 800 mb where the ascent must stop, and buoyant again above.
  auto tp = [](double p) { return DryAdiabat(30.0, 1000.0, p); };
  std::vector<Level> lv = MakeLevels(1000, 575, 25, tp, [&](double p) { return tp(p) - 20; });
  lv[0].t = 30;
  lv[0].td = -10;
  for (int i = 2; i <= 4; ++i) lv[i - 1].t = static_cast<float>(tp(lv[i - 1].p) + 2);
  for (int i = 5; i <= 8; ++i) lv[i - 1].t = static_cast<float>(tp(lv[i - 1].p) - 3);
  lv[8].t = static_cast<float>(tp(lv[8].p) + 12);
  for (size_t i = 9; i < lv.size(); ++i) lv[i].t = static_cast<float>(tp(lv[i].p) - 5);
  Load(lv);
  gElevParcelTemp(kD, kH, 1, 10) = 999;
  gElevELTemp(kD, kH, 1) = 999;

  ComputeEffectiveParcels(kD, kH, 1);
  ASSERT_TRUE(gLevelParcelDone(kD, kH, 1));
  // Below its condensation level the parcel follows the dry adiabat.
  for (int i = 1; i <= 9; ++i) EXPECT_NEAR(gElevParcelTemp(kD, kH, 1, i), tp(lv[i - 1].p), 2e-3) << i;
  // The ascent stopped at level 9: level 10 was never lifted.
  EXPECT_EQ(gElevParcelTemp(kD, kH, 1, 10), 999);

  auto z = [&](int i) { return static_cast<double>(lv[i - 1].hght); };
  EXPECT_NEAR(gElevCin(kD, kH, 1), kG * 2 / 273.16 * (z(5) - z(2)), 0.05);
  EXPECT_NEAR(gElevCape(kD, kH, 1), kG * 3 / 273.16 * (z(9) - z(5)), 0.05);
  EXPECT_EQ(gElevHailCape(kD, kH, 1), 0);
  // Equilibrium level 3/15 of the way from 825 to 800 mb.
  EXPECT_EQ(gElevELLevel(kD, kH, 1), 8);
  EXPECT_NEAR(gElevELPres(kD, kH, 1), 820.0, 0.01);
  EXPECT_NEAR(gElevELTemp(kD, kH, 1), tp(820.0), 0.01);
  // 3.281 ft per metre of the standard atmosphere, above level 1.
  EXPECT_NEAR(gElevEL(kD, kH, 1), 3.281 * (StdZ(820) - StdZ(1000)), 0.5);
  EXPECT_NEAR(gElevNCape(kD, kH, 1), gElevCape(kD, kH, 1) / (StdZ(820) - z(1)), 1e-4);

  // A parcel from inside the cap, made too dry and cold to rise, keeps the
  // defaults, and its flag is still set.
  gTemp(kD, kH, 3) = -40;
  gDewpt(kD, kH, 3) = -80;
  gElevCape(kD, kH, 3) = 77;
  ComputeEffectiveParcels(kD, kH, 3);
  EXPECT_TRUE(gLevelParcelDone(kD, kH, 3));
  EXPECT_EQ(gElevCape(kD, kH, 3), 0);
  EXPECT_EQ(gElevCin(kD, kH, 3), 0);
  EXPECT_EQ(gElevHailCape(kD, kH, 3), 0);
  EXPECT_EQ(gElevELLevel(kD, kH, 3), 0);
  EXPECT_EQ(gElevEL(kD, kH, 3), 0);
  EXPECT_EQ(gElevNCape(kD, kH, 3), 0);
  EXPECT_EQ(gElevELPres(kD, kH, 3), lv[2].p);
}

TEST(EffectiveParcels, CapeMatchesAnIndependentIntegralOfTheBuoyancy) {
  // A saturated parcel from 20 C at 1000 mb; the environment is colder than
  // the parcel by 3 sin(pi (z - z1) / (z2 - z1)) between 900 and 400 mb and
  // 1 C warmer elsewhere, so the positive area is g 3 (2/pi)(z2 - z1)/273.16.
  const double z1 = StdZ(900), z2 = StdZ(400);
  auto parcel = [](double p) { return static_cast<double>(LiftMoist(20.0f, 1000.0f, static_cast<float>(p))); };
  auto bump = [&](double z) { return z <= z1 || z >= z2 ? -1.0 : 3.0 * std::sin(M_PI * (z - z1) / (z2 - z1)); };
  auto env = [&](double p) { return parcel(p) - bump(StdZ(p)); };
  std::vector<Level> lv = MakeLevels(1000, 340, 10, env, [&](double p) { return env(p) - 15; });
  lv[0].t = 20;
  lv[0].td = 20;
  ASSERT_EQ(lv.size(), 67u);
  Load(lv);

  ComputeEffectiveParcels(kD, kH, 1);
  const double positive = kG * 3.0 * 2.0 / M_PI * (z2 - z1) / 273.16;
  EXPECT_NEAR(gElevCape(kD, kH, 1), positive, 0.02 * positive);
  // Negative area from the start up to 900 mb.
  EXPECT_NEAR(gElevCin(kD, kH, 1), kG * 1.0 * (z1 - StdZ(1000)) / 273.16, 1.0);
  // The last buoyant level is the one below 400 mb's zero of the sine, and
  // the equilibrium level lies between it and 400 mb.
  EXPECT_EQ(gElevELLevel(kD, kH, 1), 60);
  EXPECT_GT(gElevELPres(kD, kH, 1), 399.0f);
  EXPECT_LT(gElevELPres(kD, kH, 1), 410.0f);

  // Hail part: the same integral over the heights where the environment is
  // between -30 and -10 C, in metre steps.
  double hail = 0;
  for (double zz = z1; zz < z2; zz += 1.0) {
    const double p = StdPressureOfFeet(static_cast<Single>(zz * 3.281));
    const double te = env(p);
    if (te > -30 && te < -10) hail += bump(zz);
  }
  hail *= kG / 273.16;
  ASSERT_GT(hail, 50);
  // Levels take the environment class of their own temperature: allow one
  // layer's worth.
  EXPECT_NEAR(gElevHailCape(kD, kH, 1), hail, kG * 3.0 * 200 / 273.16);
}

TEST(EffectiveParcels, TopOfTheProfileAndLevelsOutsideTheData) {
  // A parcel still buoyant at level 67, the last level the store has: the
  // ascent ends there without reading past it and no equilibrium level is
  // reported.
  auto tp2 = [](double p) { return DryAdiabat(35.0, 1000.0, p); };
  std::vector<Level> deep = MakeLevels(1000, 670, 5, [&](double p) { return tp2(p) - 2; },
                                       [&](double p) { return tp2(p) - 40; });
  ASSERT_EQ(deep.size(), 67u);
  deep[0].t = 35;
  deep[0].td = -10;
  Load(deep);
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, 1));
  EXPECT_TRUE(gLevelParcelDone(kD, kH, 1));
  EXPECT_EQ(gElevELLevel(kD, kH, 1), 0);
  EXPECT_EQ(gElevEL(kD, kH, 1), 0);
  EXPECT_EQ(gElevNCape(kD, kH, 1), 0);
  EXPECT_NEAR(gElevCape(kD, kH, 1), kG * 2 / 273.16 * (deep[66].hght - deep[1].hght), 0.1);
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, 67));
  EXPECT_TRUE(gLevelParcelDone(kD, kH, 67));
  EXPECT_EQ(gElevCape(kD, kH, 67), 0);

  Load({{1000, 20, 10, 270, 10, 100}});  // one level
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, 1));
  EXPECT_TRUE(gLevelParcelDone(kD, kH, 1));
  EXPECT_EQ(gElevELLevel(kD, kH, 1), 0);

  // Starting levels and hours outside the data are ignored.
  gLevelParcelDone(kD, kH, 0) = false;
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, 0));
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, 68));
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH, -1));
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, 85, 1));
  EXPECT_NO_THROW(ComputeEffectiveParcels(kD, kH + 1, 1));  // beyond gLastHour
  EXPECT_NO_THROW(ComputeEffectiveParcels(25, kH, 1));
  EXPECT_FALSE(gLevelParcelDone(kD, kH, 0));
  EXPECT_FALSE(gLevelParcelDone(kD, kH + 1, 1));
}

// --------------------------------------------------------------------------
// Lake-modified surface parcel
// --------------------------------------------------------------------------

TEST(LakeParcel, BlendedDryParcelCapeAndEquilibriumLevel) {
  // Surface -5 C, dew point -40 C, lake 10 C: the parcel starts at
  // 0.4 (-5) + 0.6 (10) = 4 C with dew point 0.7 (-40) - 1.31 + 3.5 = -25.81 C.
  // Up to 740 mb it is dry; the environment is colder by
  // 2 sin(pi (z - z1) / (z2 - z1)) on standard heights between 1000 and
  // 745 mb and 3 C warmer above.
  gLakeTempC = 10;
  const double z1 = StdZ(1000), z2 = StdZ(745);
  auto tp = [](double p) { return DryAdiabat(4.0, 1000.0, p); };
  auto bump = [&](double z) { return z > z2 ? -3.0 : 2.0 * std::sin(M_PI * (z - z1) / (z2 - z1)); };
  auto env = [&](double p) { return tp(p) - bump(StdZ(p)); };
  std::vector<Level> lv = MakeLevels(1000, 500, 10, env, [&](double p) { return env(p) - 30; });
  Load(lv);
  gSfcTemp(kD, kH) = -5;
  gSfcDewpt(kD, kH) = -40;
  gTemp(kD, kH, 1) = 3.999f;
  gLakeParcelTemp(kD, kH, 28) = 999;

  LiftSurfaceParcel(kH);
  ASSERT_EQ(gLakeParcelDone(kD, kH), -1);
  EXPECT_NEAR(gLakeParcelT(kD, kH), 4.0, 1e-5);
  EXPECT_NEAR(gLakeParcelTd(kD, kH), -25.81, 1e-4);
  // Condensation level: about Td - (0.001296 Td + 0.1963)(T - Td), on the dry
  // adiabat from the surface.
  const double tlcl = -25.81 - (0.001296 * -25.81 + 0.1963) * 29.81;
  EXPECT_NEAR(gLakeLclTemp(kD, kH), tlcl, 0.5);
  EXPECT_NEAR(gLakeLclPres(kD, kH), 1000 * std::pow((tlcl + 273.16) / 277.16, 3.5), 8.0);

  // Level 26 is 750 mb, the first colder level 27 (740 mb).
  EXPECT_EQ(gLakeELLevel(kD, kH), 27);
  for (int i = 1; i <= 27; ++i) EXPECT_NEAR(gLakeParcelTemp(kD, kH, i), tp(lv[i - 1].p), 2e-3) << i;
  EXPECT_EQ(gLakeParcelTemp(kD, kH, 28), 999);
  // The parcel is b = bump(750 mb) warmer at 750 mb and 3 C colder at 740 mb.
  const double b = bump(StdZ(750));
  const double pE = 750 - 10 * b / (b + 3);
  EXPECT_NEAR(gLakeELPres(kD, kH), pE, 0.02);
  EXPECT_NEAR(gLakeELTemp(kD, kH), tp(pE), 0.02);
  EXPECT_NEAR(gLakeEL(kD, kH), 3.281 * (StdZ(pE) - z1), 1.0);
  const double positive = kG * 2.0 * 2.0 / M_PI * (z2 - z1) / 273.16;
  EXPECT_NEAR(gLakeCape(kD, kH), positive, 0.01 * positive);
  // CAPE per metre of depth, with 0.3048 m per foot.
  EXPECT_NEAR(gLakeNCape(kD, kH) * gLakeEL(kD, kH) * 0.3048, gLakeCape(kD, kH), 1e-3);
}

TEST(LakeParcel, BlendingLimitsAndParcelsThatDoNotRise) {
  auto t = [](double p) { return DryAdiabat(10.0, 1000.0, p) - 3; };
  std::vector<Level> lv = MakeLevels(1000, 500, 25, t, [&](double p) { return t(p) - 5; });
  Load(lv);
  // Lake as warm as the air: the parcel is the air; a moist surface blended
  // with a cold lake gives a dew point above the temperature, lowered to it.
  gSfcTemp(kD, kH) = 20;
  gSfcDewpt(kD, kH) = 20;
  gLakeTempC = 20;
  LiftSurfaceParcel(kH);
  EXPECT_FLOAT_EQ(gLakeParcelT(kD, kH), 20);
  gLakeTempC = 0;
  LiftSurfaceParcel(kH);
  EXPECT_FLOAT_EQ(gLakeParcelT(kD, kH), 8);
  EXPECT_FLOAT_EQ(gLakeParcelTd(kD, kH), 8);
  EXPECT_NEAR(gLakeLclPres(kD, kH), 1000, 0.01);

  // Not warmer than level 1: nothing rises, the per-level temperatures are
  // left alone.
  gTemp(kD, kH, 1) = 8;
  for (int i = 1; i <= 5; ++i) gLakeParcelTemp(kD, kH, i) = 999;
  gLakeParcelDone(kD, kH) = 0;
  LiftSurfaceParcel(kH);
  EXPECT_EQ(gLakeParcelDone(kD, kH), -1);
  EXPECT_EQ(gLakeCape(kD, kH), 0);
  EXPECT_EQ(gLakeEL(kD, kH), 0);
  EXPECT_EQ(gLakeNCape(kD, kH), 0);
  EXPECT_EQ(gLakeELLevel(kD, kH), 0);
  EXPECT_EQ(gLakeELPres(kD, kH), gSfcPres(kD, kH));
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(gLakeParcelTemp(kD, kH, i), 999);

  // Warmer than the environment all the way to level 67: the top level is the
  // equilibrium level, with nothing read above it.
  auto tp = [](double p) { return DryAdiabat(25.0, 1000.0, p); };
  std::vector<Level> deep = MakeLevels(1000, 670, 5, [&](double p) { return tp(p) - 2; },
                                       [&](double p) { return tp(p) - 40; });
  Load(deep);
  gSfcTemp(kD, kH) = 25;
  gSfcDewpt(kD, kH) = -30;
  gLakeTempC = 25;
  EXPECT_NO_THROW(LiftSurfaceParcel(kH));
  EXPECT_EQ(gLakeELLevel(kD, kH), 67);
  EXPECT_FLOAT_EQ(gLakeELPres(kD, kH), 670);
  EXPECT_GT(gLakeCape(kD, kH), 0);

  // One level and an hour past the data.
  Load({{1000, 0, -5, 270, 10, 100}});
  gLakeTempC = 10;
  EXPECT_NO_THROW(LiftSurfaceParcel(kH));
  EXPECT_EQ(gLakeParcelDone(kD, kH), -1);
  EXPECT_EQ(gLakeCape(kD, kH), 0);
  EXPECT_NO_THROW(LiftSurfaceParcel(kH + 1));
  EXPECT_NO_THROW(LiftSurfaceParcel(85));
  EXPECT_EQ(gLakeParcelDone(kD, kH + 1), 0);
}

// --------------------------------------------------------------------------
// Layer CAPEs
// --------------------------------------------------------------------------

// Levels every 10 mb from 1000 mb, site at 300 m; the parcel leaves 850 mb at
// 14 C and is 2 C warmer than the environment above it.
std::vector<Level> LayerSounding(double top) {
  auto parcel = [](double p) { return static_cast<double>(LiftMoist(14.0f, 850.0f, static_cast<float>(p))); };
  auto env = [&](double p) { return p >= 850 ? 14.0 + (p - 850) * 0.08 : parcel(p) - 2.0; };
  std::vector<Level> lv = MakeLevels(1000, top, 10, env, [&](double p) { return env(p) - 5; });
  lv[15].t = 14;  // 850 mb exactly
  return lv;
}

TEST(LayerCapes, LayersFromTheFreeConvectionLevel) {
  Load(LayerSounding(340), 300);
  gLfct(kD, kH) = 850;
  gEqlv(kD, kH) = 400;
  const double zF = StdZ(850);
  const double perMetre = kG * 2 / 273.16;

  ComputeLayerCapes(kH);
  ASSERT_TRUE(gLayerCapeDone(kD, kH));
  // Layer tops are heights above sea level: 3.3, 4.3, 5.3 and 6.3 km.
  for (int k = 3; k <= 6; ++k) {
    const double zT = (k + 0.3) * 1000;
    EXPECT_NEAR(gLayerCape(kD, kH, k), perMetre * (zT - zF), perMetre * 60) << k;
  }
  // Each further kilometre adds exactly 2 K of buoyancy over 1000 m.
  EXPECT_NEAR(gLayerCape(kD, kH, 4) - gLayerCape(kD, kH, 3), perMetre * 1000, 0.2);
  EXPECT_NEAR(gLayerCape(kD, kH, 6) - gLayerCape(kD, kH, 5), perMetre * 1000, 0.2);

  // Hail zone: from where the environment reaches -10 C up to the
  // equilibrium level at 400 mb (the environment there is about -19 C).
  double lo = 400, hi = 850;  // pressure where the environment is -10 C
  for (int it = 0; it < 60; ++it) {
    const double mid = (lo + hi) / 2;
    (LiftMoist(14.0f, 850.0f, static_cast<float>(mid)) - 2.0 > -10.0 ? hi : lo) = mid;
  }
  const double hail = perMetre * (StdZ(400) - StdZ(lo));
  EXPECT_NEAR(gLayerCape(kD, kH, 7), hail, perMetre * 200);

  // An equilibrium level at 550 mb (about 4.85 km): the 5 and 6 km layers
  // both stop there.
  gEqlv(kD, kH) = 550;
  ComputeLayerCapes(kH);
  EXPECT_EQ(gLayerCape(kD, kH, 5), gLayerCape(kD, kH, 6));
  EXPECT_NEAR(gLayerCape(kD, kH, 5), perMetre * (StdZ(550) - zF), perMetre * 60);
  EXPECT_LT(gLayerCape(kD, kH, 4), gLayerCape(kD, kH, 5));
  // The environment reaches -10 C only above 550 mb: no hail CAPE.
  EXPECT_GT(lo, 0);
  EXPECT_LT(lo, 550);
  EXPECT_EQ(gLayerCape(kD, kH, 7), 0);

  // A free-convection level at 600 mb (4.2 km): the 3 km layer lies below it.
  gLfct(kD, kH) = 600;
  ComputeLayerCapes(kH);
  EXPECT_EQ(gLayerCape(kD, kH, 3), 0);
}

TEST(LayerCapes, NoFreeConvectionLevelAndShallowProfiles) {
  Load(LayerSounding(340), 300);
  auto allZero = [] {
    for (int k = 3; k <= 7; ++k)
      if (gLayerCape(kD, kH, k) != 0) return false;
    return gLayerCapeDone(kD, kH);
  };
  auto run = [&](float lfc, float el) {
    for (int k = 3; k <= 7; ++k) gLayerCape(kD, kH, k) = 55;
    gLayerCapeDone(kD, kH) = false;
    gLfct(kD, kH) = lfc;
    gEqlv(kD, kH) = el;
    ComputeLayerCapes(kH);
  };
  run(1000, 1000);  // no LFC: the reader sets both to the surface pressure
  EXPECT_TRUE(allZero());
  run(1010, 400);  // LFC below level 1
  EXPECT_TRUE(allZero());
  run(300, 250);  // LFC above the top of the profile
  EXPECT_TRUE(allZero());

  // A profile that ends at 700 mb (about 3 km), below every layer top: each
  // layer ends at the top level.
  Load(LayerSounding(700), 300);
  run(850, 400);
  const double perMetre = kG * 2 / 273.16;
  for (int k = 3; k <= 6; ++k) {
    EXPECT_NEAR(gLayerCape(kD, kH, k), perMetre * (StdZ(700) - StdZ(850)), perMetre * 60) << k;
  }

  // One level.
  Load({{1000, 20, 10, 270, 10, 100}});
  run(850, 400);
  EXPECT_TRUE(allZero());
  EXPECT_NO_THROW(ComputeLayerCapes(85));
  EXPECT_NO_THROW(ComputeLayerCapes(-1));
}


// The parcel from every level against a plain lift of every level on its own
// (LiftMoist from the condensation level), on every shipped file and every
// sixth hour: every parcel temperature within 0.01 C, CAPE, hail CAPE and
// CIN within 0.1 % (or 0.01 J/kg), the same equilibrium level.
struct PlainParcel {
  std::array<float, kMaxLevels + 2> tp{};
  int top = 0;  // last level lifted
  double cape = 0, hail = 0, cin = 0;
  int el = 0;
};

PlainParcel PlainLift(int d, int h, int l0) {
  PlainParcel r;
  const int n = gNumLevels(d);
  const double tk = gTemp(d, h, l0) + 273.16, tdk = gDewpt(d, h, l0) + 273.16;
  if (!(tdk > 56.0)) return r;
  const double tlK = 1.0 / (1.0 / (tdk - 56.0) + std::log(tk / tdk) / 800.0) + 56.0;
  const double pL = std::pow(tlK / tk, 7.0 / 2.0) * gPres(d, h, l0);
  bool buoyantAtTop = false;
  for (int i = l0; i <= n; ++i) {
    const float t = gTemp(d, h, i), p = gPres(d, h, i);
    r.tp[i] = p > pL ? static_cast<float>(tlK / std::pow(pL / p, 2.0 / 7.0) - 273.16)
                     : LiftMoist(static_cast<float>(tlK - 273.16), static_cast<float>(pL), p);
    r.top = i;
    if (r.tp[i] > t + 0.005f) {
      r.el = i;
      if (i == n) {
        buoyantAtTop = true;
        break;
      }
      const double b = (r.tp[i] - t) / 273.16 * (gHght(d, h, i + 1) - gHght(d, h, i));
      r.cape += b * kG;
      if (t > -30.0f && t < -10.0f) r.hail += b * kG;
    } else if (t - 10.0f > r.tp[i]) {
      break;
    }
  }
  for (int i = l0; i <= r.el && i < n; ++i) {
    if (r.tp[i] < gTemp(d, h, i)) r.cin -= (r.tp[i] - gTemp(d, h, i)) / 273.16 * (gHght(d, h, i + 1) - gHght(d, h, i)) * kG;
  }
  if (r.el < 2 || buoyantAtTop) r.el = 0;
  return r;
}

TEST(EffectiveParcels, MatchAPlainLiftOfEveryLevelOnTheShippedFiles) {
  const std::pair<const char*, const char*> files[] = {
      {"NAM_KOKC.ond", "eta"},  {"NAM_KBOS.ond", "eta"},  {"NAM_KMSP.ond", "eta"}, {"NAM_KDEN.ond", "eta"},
      {"RUC_KOKC.ond", "ruc"},  {"RUC_KBOS.ond", "ruc"},  {"RUC_KMSP.ond", "ruc"}, {"RUC_KDEN.ond", "ruc"},
      {"GFS_KOKC.ond", "gfs3"}, {"GFS_KBOS.ond", "gfs3"}, {"GFS_KMSP.ond", "gfs3"}, {"GFS_KDEN.ond", "gfs3"},
      {"SREF_KOKC.ond", "eta"}};
  int parcels = 0, buoyant = 0;
  for (const auto& [name, key] : files) {
    SCOPED_TRACE(name);
    LoadOptions options;
    options.modelKey = key;
    ASSERT_TRUE(LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/" + name, options).ok);
    double worstTemp = 0, worstEnergy = 0;
    int elDiffers = 0;
    for (int d = 1; d <= gDatasetCount; ++d) {
      for (int h = 0; h <= gLastHour(d); h += 6) {
        for (int l0 = 1; l0 <= gNumLevels(d); ++l0) {
          ComputeEffectiveParcels(d, h, l0);
          const PlainParcel r = PlainLift(d, h, l0);
          ++parcels;
          if (r.cape > 0) ++buoyant;
          for (int i = l0; i <= r.top; ++i)
            worstTemp = std::max(worstTemp, std::fabs(double{gElevParcelTemp(d, h, l0, i)} - r.tp[i]));
          const auto rel = [](double got, double want) {
            return std::fabs(got - want) <= 0.01 ? 0.0 : std::fabs(got - want) / std::fabs(want);
          };
          worstEnergy = std::max({worstEnergy, rel(gElevCape(d, h, l0), r.cape), rel(gElevHailCape(d, h, l0), r.hail),
                                  rel(gElevCin(d, h, l0), r.cin)});
          if (gElevELLevel(d, h, l0) != r.el) ++elDiffers;
        }
      }
    }
    EXPECT_LE(worstTemp, 0.01);
    EXPECT_LE(worstEnergy, 0.001);
    EXPECT_EQ(elDiffers, 0);
  }
  // The files hold parcels that rise: the comparison is not one of zeros.
  EXPECT_GT(buoyant, parcels / 20);
}

}  // namespace
}  // namespace ondrik
