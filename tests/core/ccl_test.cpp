#include "core/ccl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "tests/core/sounding.h"

namespace ondrik {
namespace {

using ondrik::testing::Level;
using ondrik::testing::SetSounding;

constexpr int kD = 3;

double SatVap(double t) { return 6.112 * std::exp(17.67 * t / (t + 243.5)); }
// Saturation mixing ratio (g/kg) as the reader stores it, with the
// enhancement factor of moist air.
double SatMixRatio(double t, double p) {
  const double es = SatVap(t) * (1.001 + 0.0034 * (p - 100) / 900);
  return 621.97 * es / (p - es);
}

TEST(ConvectiveCondensationLevel, ConstructedSounding) {
  // 30 C at 1000 mb falling with ln p, dew point 18 C in the lowest 100 mb
  // and much drier above; levels every 10 mb.
  auto t = [](double p) { return 30.0 + 60.0 * std::log(p / 1000.0); };
  auto td = [&](double p) { return p >= 900 ? 18.0 : t(p) - 25.0; };
  std::vector<Level> lv;
  for (double p = 1000; p >= 340; p -= 10)
    lv.push_back({static_cast<float>(p), static_cast<float>(t(p)), static_cast<float>(td(p)), 0, 0,
                  static_cast<float>(100 + (1000 - p) * 10)});
  gLastHour(kD) = 0;
  SetSounding(kD, 0, lv);
  SetSounding(kD, 1, lv);
  gSfcPres(kD, 1) = 1010;  // 900 mb now lies more than 100 mb up
  gCurDataset = kD;

  ComputeCCL();

  // The mean mixing ratio of the moist layer meets the saturation mixing
  // ratio of the environment (relative humidity times saturation mixing
  // ratio, as the reader's humidity gives it) somewhere above.
  double w = 0;
  int count = 0;
  for (double p = 1000; p >= 900; p -= 10, ++count) w += SatVap(18.0) / SatVap(t(p)) * SatMixRatio(t(p), p);
  w /= count;
  double lo = 340, hi = 1000;
  for (int it = 0; it < 60; ++it) {
    const double mid = (lo + hi) / 2;
    (SatMixRatio(t(mid), mid) > w ? hi : lo) = mid;
  }
  EXPECT_NEAR(gCclPres(kD, 0), lo, 1.0);
  // Convective temperature: the dry adiabat from there to the ground.
  const double tc = (t(lo) + 273.16) * std::pow(1000.0 / lo, 2.0 / 7.0) - 273.16;
  EXPECT_NEAR(gConvTemp(kD, 0), tc, 0.4);
  EXPECT_GT(gConvTemp(kD, 0), 30.0f);  // warmer than the surface air: capped

  // Hour 1: the surface is 10 mb lower, the moist layer one level thinner,
  // so the mean is a bit smaller and the condensation level a bit higher.
  EXPECT_LT(gCclPres(kD, 1), gCclPres(kD, 0) + 0.5f);
  EXPECT_NE(gConvTemp(kD, 1), 99);
}

TEST(ConvectiveCondensationLevel, EdgeCases) {
  std::vector<Level> lv = {{1000, 20, 10, 0, 0, 100}, {950, 16, 8, 0, 0, 550}, {900, 12, 6, 0, 0, 1000},
                           {850, 9, 0, 0, 0, 1500},   {800, 6, -5, 0, 0, 2000}};
  gLastHour(kD) = 0;
  SetSounding(kD, 0, lv);
  // Hand-set humidity: RH 50 % in the lowest three levels.
  const float ws[] = {20, 16, 14, 8, 4};
  for (int i = 1; i <= 5; ++i) {
    gMixRatioSat(kD, 0, i) = ws[i - 1];
    gRH(kD, 0, i) = 50;
  }
  gCurDataset = kD;
  ComputeCCL();
  // The level exactly 100 mb up counts: mean (10 + 8 + 7) / 3 = 8.333 g/kg,
  // reached between 900 mb (14) and 850 mb (8).
  EXPECT_NEAR(gCclPres(kD, 0), 850 + 50 * (25.0 / 3 - 8) / (14 - 8), 0.01);

  // The first level already drier than the mean: no condensation level.
  gMixRatioSat(kD, 0, 1) = 5;
  gRH(kD, 0, 1) = 100;
  gMixRatioSat(kD, 0, 2) = 30;
  gRH(kD, 0, 2) = 100;
  ComputeCCL();
  EXPECT_EQ(gCclPres(kD, 0), 1000);
  EXPECT_EQ(gConvTemp(kD, 0), 99);

  // No level within 100 mb of the ground: no mean, no condensation level.
  gSfcPres(kD, 0) = 1150;
  ComputeCCL();
  EXPECT_EQ(gCclPres(kD, 0), 1150);
  EXPECT_EQ(gConvTemp(kD, 0), 99);

  // Never drier than the mean: none either.
  gSfcPres(kD, 0) = 1000;
  for (int i = 1; i <= 5; ++i) gMixRatioSat(kD, 0, i) = 10, gRH(kD, 0, i) = 100;
  ComputeCCL();
  EXPECT_EQ(gConvTemp(kD, 0), 99);

  // One level, and no levels at all.
  SetSounding(kD, 0, {{1000, 20, 10, 0, 0, 100}});
  EXPECT_NO_THROW(ComputeCCL());
  EXPECT_EQ(gConvTemp(kD, 0), 99);
  gNumLevels(kD) = 0;
  EXPECT_NO_THROW(ComputeCCL());
  EXPECT_EQ(gConvTemp(kD, 0), 99);
}

TEST(OmegaSmoothing, WeightsInsideOnEdgesAndInCorners) {
  // Three hours, three levels, a single spike of 6 in the middle.
  std::vector<Level> lv = {{1000, 0, 0, 0, 0, 0}, {900, 0, 0, 0, 0, 0}, {800, 0, 0, 0, 0, 0}};
  gLastHour(kD) = 0;
  for (int h = 0; h <= 2; ++h) SetSounding(kD, h, lv);
  for (int h = 0; h <= 2; ++h)
    for (int j = 1; j <= 3; ++j) gOmega(kD, h, j) = 0;
  gOmega(kD, 1, 2) = 6;
  gOmegaSmoothDone(kD) = 0;
  gCurDataset = kD;
  SmoothOmega();
  EXPECT_EQ(gOmegaSmoothDone(kD), -1);
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 1, 2), 2.0f);  // 2 * 6 / 6
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 0, 2), 1.2f);  // first hour: / 5
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 2, 2), 1.2f);  // last hour
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 1, 1), 1.2f);  // bottom level: / 5
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 1, 3), 1.2f);  // top level
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 0, 1), 0.0f);  // corners see no spike
  // A spike in a corner: the point twice, one hour and one level, / 4.
  gOmega(kD, 1, 2) = 0;
  gOmega(kD, 0, 1) = 8;
  SmoothOmega();
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 0, 1), 4.0f);
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 1, 1), 8.0f / 5.0f);
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 0, 2), 8.0f / 5.0f);
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 1, 2), 0.0f);

  // Two hours: only edge and corner rules; a uniform field stays uniform.
  gLastHour(kD) = 1;
  for (int h = 0; h <= 1; ++h)
    for (int j = 1; j <= 3; ++j) gOmega(kD, h, j) = -3;
  SmoothOmega();
  for (int h = 0; h <= 1; ++h)
    for (int j = 1; j <= 3; ++j) EXPECT_FLOAT_EQ(gOmegaSmooth(kD, h, j), -3.0f);

  // One hour and one level: the value itself, nothing read beyond.
  gLastHour(kD) = 0;
  gNumLevels(kD) = 1;
  gOmega(kD, 0, 1) = 5;
  EXPECT_NO_THROW(SmoothOmega());
  EXPECT_FLOAT_EQ(gOmegaSmooth(kD, 0, 1), 5.0f);
  // All 85 hours and 67 levels of the store.
  gLastHour(kD) = 84;
  gNumLevels(kD) = 67;
  EXPECT_NO_THROW(SmoothOmega());
}

TEST(Quartiles, SortsInPlaceAndTakesTheQuartileVariant) {
  Single lo = -1, hi = -1;
  std::vector<Single> five = {5, 1, 4, 2, 3};
  Quartiles(five, 5, lo, hi);
  EXPECT_EQ(five, (std::vector<Single>{1, 2, 3, 4, 5}));
  EXPECT_FLOAT_EQ(lo, 1.5f);  // (x1 + x2) / 2
  EXPECT_FLOAT_EQ(hi, 4.5f);  // (x4 + x5) / 2

  std::vector<Single> six = {60, 20, 50, 10, 40, 30};
  Quartiles(six, 6, lo, hi);
  EXPECT_FLOAT_EQ(lo, 20);  // x2
  EXPECT_FLOAT_EQ(hi, 50);  // x5

  std::vector<Single> one = {7};
  Quartiles(one, 1, lo, hi);
  EXPECT_FLOAT_EQ(lo, 7);
  EXPECT_FLOAT_EQ(hi, 7);
  std::vector<Single> two = {9, 3};
  Quartiles(two, 2, lo, hi);
  EXPECT_FLOAT_EQ(lo, 3);
  EXPECT_FLOAT_EQ(hi, 9);

  // Only the first n values take part.
  std::vector<Single> part = {3, 1, 2, -100, 100};
  Quartiles(part, 3, lo, hi);
  EXPECT_FLOAT_EQ(lo, 1);
  EXPECT_FLOAT_EQ(hi, 3);
  EXPECT_EQ(part[3], -100);

  // Nothing to sort: both quartiles 0; a count beyond the values is limited.
  std::vector<Single> none;
  Quartiles(none, 0, lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  Quartiles(two, -3, lo, hi);
  EXPECT_EQ(hi, 0);
  std::vector<Single> short2 = {2, 1};
  Quartiles(short2, 6, lo, hi);
  EXPECT_FLOAT_EQ(lo, 1);
  EXPECT_FLOAT_EQ(hi, 2);
}

TEST(Quartiles, QuickSortAgreesWithTheLibrarySort) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> small(0, 5);
  for (int n : {0, 1, 2, 3, 10, 16, 24, 101}) {
    std::vector<Single> v(n);
    for (auto& x : v) x = static_cast<Single>(small(rng));  // many ties
    std::vector<Single> ref = v;
    std::sort(ref.begin(), ref.end());
    QuickSort(v, 0, n - 1);
    EXPECT_EQ(v, ref) << n;
  }
  // Index ranges outside the values are limited to them.
  std::vector<Single> v = {3, 2, 1};
  QuickSort(v, -5, 10);
  EXPECT_EQ(v, (std::vector<Single>{1, 2, 3}));
}

}  // namespace
}  // namespace ondrik
