// The snow-to-liquid ratio by technique, and the snow amounts and totals.
#include <algorithm>
#include <cmath>
#include <span>

#include "overview/calc.h"

namespace ondrik {

namespace {

struct RatioPoint {
  Single t, r;
};
constexpr RatioPoint k2005[] = {{-300, 10}, {-22, 10}, {-20, 15}, {-17, 45}, {-16, 50}, {-15, 45}, {-11, 10},
                                {-10, 7},   {-9, 6.5}, {-5, 7.5}, {0, 3},    {1, 0},    {300, 0}};
constexpr RatioPoint k2011[] = {{-300, 7.2}, {-30, 7.2}, {-28, 6.8}, {-26, 7},  {-24, 8.8}, {-22, 12}, {-20, 18},
                                {-18, 23},   {-16, 26},  {-14, 22.5}, {-12, 17.5}, {-10, 12}, {-8, 9.5}, {-6, 9},
                                {-4, 8.5},   {-2, 7},    {0, 3},     {1, 0},     {300, 0}};

}  // namespace

Single DGZRatioAt(bool rev2011, Single t) {
  const std::span<const RatioPoint> pts = rev2011 ? std::span<const RatioPoint>(k2011) : std::span<const RatioPoint>(k2005);
  if (!(t >= pts.front().t)) return pts.front().r;  // below the table (or not a number): its first value
  for (size_t j = 1; j < pts.size(); ++j)
    if (pts[j].t > t) return pts[j - 1].r + (pts[j].r - pts[j - 1].r) / (pts[j].t - pts[j - 1].t) * (t - pts[j - 1].t);
  return pts.back().r;
}

Single RatioOfMaxTemp(Single t) {
  if (t > 2) return 0;
  if (t > 0) return 10;
  if (t > -10) return 10 - 1.5f * t;
  if (t > -18) return 25;
  if (t > -22) return 25 + 2.5f * (t + 18);
  return 15;
}

void MakeSnowRatio_DGZxOmega(Integer d, bool rev2011) {
  if (!IsLoadedDataset(d)) return;
  const int n = LevelsOf(d);
  for (int h = 0; h <= LastHourOf(d); ++h) {
    const auto saturated = [&](int k) { return gRHIce(d, h, k) >= 90; };
    Single wmin = 999;
    for (int k = 1; k <= n - 1; ++k)
      if (saturated(k)) wmin = std::min(wmin, gOmega(d, h, k));
    double sum = 0, weights = 0;
    if (wmin < 0)
      for (int k = 1; k <= n - 1; ++k) {
        if (!saturated(k)) continue;
        const double w0 = gOmega(d, h, k), share = w0 / wmin;
        const double w = share * share * std::abs(w0) * (gHght(d, h, k + 1) - gHght(d, h, k));
        weights += w;
        sum += w * DGZRatioAt(rev2011, gTemp(d, h, k));
      }
    // No saturated upward motion, or no weight to share out: no ratio.
    Store().SnowRatio(d, h) = weights > 0 && std::isfinite(sum) ? static_cast<Single>(sum / weights) : 0;
  }
}

Long RefreshTypeCode(Integer d, int h, bool typeFromA) {
  return gPtypeCode(d, h) = typeFromA ? gPtypeSrcA(d, h) : gPtypeSrcB(d, h);
}

void MakeSnowRatio(Integer d, Integer technique, Single fixedRatio, bool typeFromA) {
  if (!IsLoadedDataset(d)) return;
  const int last = LastHourOf(d);
  if (technique == 0 || technique == 2) {
    MakeSnowRatio_DGZxOmega(d, technique == 2);
  } else {
    for (int h = 0; h <= last; ++h) {
      Single tmax = -999;
      for (int k = 1; k <= LevelsOf(d); ++k) tmax = std::max(tmax, gTemp(d, h, k));
      Store().SnowRatio(d, h) = technique == 1 ? RatioOfMaxTemp(tmax) : fixedRatio;
    }
  }
  const double hps = gHoursPerStep > 0 ? gHoursPerStep : 1;
  for (int b = 0; b <= last; ++b) {
    const bool snow = RefreshTypeCode(d, b, typeFromA) == kPtypeSnow && gPrecip(d, b) > 0;
    Store().SnowAmount(d, b) = snow ? Store().SnowRatio(d, b) * gPrecip(d, b) : 0;
    double total = 0, settled = 0;
    for (int i = 0; i <= b; ++i) {
      total += Store().SnowAmount(d, i);
      settled += Store().SnowAmount(d, i) * std::exp(-0.08f * std::sqrt((b - i) * hps));
    }
    Store().SnowfallTotal(d, b) = static_cast<Single>(total);
    Store().SnowAccumSettled(d, b) = static_cast<Single>(settled);
  }
  MarkDone(Store().SnowRatioDone(d));
}

}  // namespace ondrik
