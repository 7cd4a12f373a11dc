// The layer values of the wind and fire-weather strips: the layer mean wind,
// the mixing layer with its transport wind, the ventilation factor and the
// Haines index.
#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/shear.h"
#include "overview/calc.h"

namespace ondrik {

void ComputeMeanWind(Integer d, Integer bottom, Integer top) {
  if (!IsLoadedDataset(d)) return;
  const int b = std::max<int>(bottom, 1), t = std::min<int>(top, LevelsOf(d));
  for (int h = 0; h <= LastHourOf(d); ++h) {
    Store().MeanWindDir(d, h) = Store().MeanWindSpread(d, h) = kNoValue;  // an empty layer has no mean
    if (t < b) continue;
    // The levels of the layer that have a wind.
    std::array<double, kMaxLevels + 1> x{}, y{};
    int n = 0;
    double sx = 0, sy = 0;
    for (int k = b; k <= t; ++k) {
      if (NoWind(d, h, k)) continue;
      const double a = (270 - gWdir(d, h, k)) * kRadPerDegRounded;
      x[static_cast<size_t>(n)] = gWspd(d, h, k) * std::cos(a);
      y[static_cast<size_t>(n)] = gWspd(d, h, k) * std::sin(a);
      sx += x[static_cast<size_t>(n)];
      sy += y[static_cast<size_t>(n)];
      ++n;
    }
    if (n == 0) continue;
    const double mx = sx / n, my = sy / n;
    double spread = 0;
    for (int i = 0; i < n; ++i)
      spread += (x[static_cast<size_t>(i)] - mx) * (x[static_cast<size_t>(i)] - mx) +
                (y[static_cast<size_t>(i)] - my) * (y[static_cast<size_t>(i)] - my);
    Store().MeanWindDir(d, h) = WindDirection(static_cast<Single>(mx), static_cast<Single>(my));
    Store().MeanWindSpread(d, h) = static_cast<Single>(std::sqrt(spread) / n);
  }
}

Single TransferStepMb(Integer xferIndex) {
  constexpr Single kSteps[4] = {30, 1, 10, 20};
  return xferIndex >= 0 && xferIndex < 4 ? kSteps[xferIndex] : 1;
}

void MakeMixingLayer(Integer d, Single stepMb) {
  if (!IsLoadedDataset(d)) return;
  const int n = LevelsOf(d);
  for (int h = 0; h <= LastHourOf(d); ++h) {
    int top = 0;  // every hour starts afresh
    double depth = 0;
    for (int e = 2; e <= n; ++e) {
      const double p0 = gPres(d, h, e - 1), p1 = gPres(d, h, e);
      const double t0 = gTemp(d, h, e - 1) + kKelvin, t1 = gTemp(d, h, e) + kKelvin;
      if (!(p0 > 0 && p1 > 0) || p0 == p1 || NoTemp(d, h, e - 1) || NoTemp(d, h, e)) continue;
      const double dlp = std::log(p1) - std::log(p0);
      const double dry = (t0 * std::pow(p1 / p0, kKappa) - t0) / dlp, env = (t1 - t0) / dlp;
      if (static_cast<Single>(0.7 * dry) > env) {
        if (depth == 0) top = e - 1;
        depth += p0 - p1;
        if (depth >= stepMb) break;
      } else {
        depth = 0;
      }
    }
    if (top == 0) {  // no stable layer: the whole profile mixes, up to its last temperature
      top = n;
      while (top > 1 && NoTemp(d, h, top)) --top;
    }
    Store().MixTopLevel(d, h) = static_cast<Single>(top);
    double su = 0, sv = 0;
    int winds = 0;  // the levels of the layer that have a wind
    for (int i = 1; i <= top; ++i) {
      if (NoWind(d, h, i)) continue;
      su += gWindU(d, h, i) * kKnotsPerMps;
      sv += gWindV(d, h, i) * kKnotsPerMps;
      ++winds;
    }
    if (winds == 0) {
      Store().TransportWindDir(d, h) = Store().TransportWindSpeed(d, h) = kNoValue;
      continue;
    }
    const double u = su / winds, v = sv / winds;
    Store().TransportWindDir(d, h) = WindDirection(static_cast<Single>(u), static_cast<Single>(v));
    Store().TransportWindSpeed(d, h) = static_cast<Single>(std::sqrt(u * u + v * v));
  }
  MarkDone(Store().MixingLayerDone(d));
}

Single Ventilation(Integer d, int h) {
  const int top = static_cast<int>(std::lround(Store().MixTopLevel(d, h)));
  if (top < 1 || top > LevelsOf(d)) return kNoValue;
  const double ft = StdHeightFtOfPressure(gPres(d, h, top)) - StdHeightFtOfPressure(gSfcPres(d, h));
  return static_cast<Single>(Store().TransportWindSpeed(d, h) / kKnotsPerMps * std::max(0.0, ft * kFeetToMetre) / 1000);
}

void MakeHainesIndex(Integer d) {
  if (!IsLoadedDataset(d)) return;
  const CurrentDatasetGuard current(d);
  for (int h = 0; h <= LastHourOf(d); ++h) {
    const Single t950 = TempAtPressure(h, 950), t850 = TempAtPressure(h, 850), t700 = TempAtPressure(h, 700),
                 t500 = TempAtPressure(h, 500), td850 = DewpointAtPressure(h, 850), td700 = DewpointAtPressure(h, 700);
    const auto diff = [](Single a, Single b) { return IsMissing(a) || IsMissing(b) ? kNoValue : a - b; };
    Store().HainesIndex(d, h, 1) = HainesOf(1, diff(t950, t850), diff(t850, td850));
    Store().HainesIndex(d, h, 2) = HainesOf(2, diff(t850, t700), diff(t850, td850));
    Store().HainesIndex(d, h, 3) = HainesOf(3, diff(t700, t500), diff(t700, td700));
  }
  MarkDone(Store().HainesDone(d));
}

Integer HainesOf(int k, Single stability, Single depression) {
  struct Variant {
    Single s1, s2, m1, m2;
  };
  static constexpr Variant kVariants[4] = {{}, {3.5f, 7.5f, 5.5f, 9.5f}, {5.5f, 10.5f, 5.5f, 12.5f},
                                           {17.5f, 21.5f, 14.5f, 20.5f}};
  if (k < 1 || k > 3 || !std::isfinite(stability) || !std::isfinite(depression)) return 0;  // 0: no value
  const Variant& v = kVariants[k];
  const auto term = [](Single x, Single a, Single b) { return x < a ? 1 : x < b ? 2 : 3; };
  return term(stability, v.s1, v.s2) + term(depression, v.m1, v.m2);
}

}  // namespace ondrik
