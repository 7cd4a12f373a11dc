// The derived level fields of the overview's contours and the per-hour
// temperature and Total Totals series.
#include <cmath>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"
#include "overview/calc.h"

namespace ondrik {

namespace {

// Runs f(h, k) over every hour and level 1..n of d and marks the flag.
template <typename F>
void EveryLevel(Integer d, Integer& done, F&& f) {
  if (!IsLoadedDataset(d)) return;
  for (int h = 0; h <= LastHourOf(d); ++h)
    for (int k = 1; k <= LevelsOf(d); ++k) f(h, k);
  MarkDone(done);
}

double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }

}  // namespace

void MakeIcing(Integer d) {
  EveryLevel(d, Store().IcingDone(d), [d](int h, int k) {
    const Single t = gTemp(d, h, k), td = gDewpt(d, h, k);
    Single i = -8 * (t - td) - t;
    if (i > 0 && t > 0) i = 0;
    Store().IcingIndex(d, h, k) = NoTemp(d, h, k) || IsMissing(td) ? kNoValue : i;
  });
}

void MakeDeltaThetaE(Integer d) {
  EveryLevel(d, Store().DeltaThetaEDone(d), [d](int h, int k) {
    const bool none = NoTemp(d, h, k) || NoTemp(d, h, 1) || IsMissing(gThetaE(d, h, k)) || IsMissing(gThetaE(d, h, 1));
    Store().DeltaThetaE(d, h, k) = none ? kNoValue : gThetaE(d, h, k) - gThetaE(d, h, 1);
  });
}

void MakeMeanMixingRatio(Integer d) {
  if (!IsLoadedDataset(d)) return;
  for (int h = 0; h <= LastHourOf(d); ++h) {
    double sum = 0;
    int count = 0;
    for (int k = 1; k <= LevelsOf(d); ++k) {
      if (NoTemp(d, h, k)) {
        Store().gMeanMixRatio(d, h, k) = kNoValue;
        continue;
      }
      sum += gMixRatio(d, h, k);
      ++count;
      Store().gMeanMixRatio(d, h, k) = static_cast<Single>(sum / count);
    }
  }
  MarkDone(Store().MeanMixingRatioDone(d));
}

void MakeSnowGrowth(Integer d) {
  EveryLevel(d, Store().SnowGrowthDone(d), [d](int h, int k) {
    const Single t = gTemp(d, h, k);
    Single g = 0;
    if (t >= -18 && t <= -12) g = gRH(d, h, k) > 75 ? 21 : 10;
    Store().SnowGrowth(d, h, k) = NoTemp(d, h, k) ? kNoValue : g;
  });
}

void MakeShearContour(Integer d) {
  if (!IsLoadedDataset(d)) return;
  const int n = LevelsOf(d);
  for (int h = 0; h <= LastHourOf(d); ++h) {
    double su = 0, sv = 0;
    int count = 0;
    for (int k = 1; k <= n; ++k) {
      if (NoHeight(d, h, k)) continue;
      if (gHghtAGL(d, h, k) > 500) break;
      if (NoWind(d, h, k)) continue;
      su += gWindU(d, h, k);
      sv += gWindV(d, h, k);
      ++count;
    }
    for (int k = 1; k <= n; ++k) {
      Single v = kNoValue;  // no mean wind without a wind in the lowest 500 m; the top level is not computed
      if (count > 0 && k < n && !NoWind(d, h, k))
        v = static_cast<Single>(Hypot(su / count - gWindU(d, h, k), sv / count - gWindV(d, h, k)));
      Store().ShearContour(d, h, k) = v;
    }
  }
  MarkDone(Store().ShearContourDone(d));
}

void MakeLayertoLayer(Integer d) {
  if (!IsLoadedDataset(d)) return;
  const int n = LevelsOf(d);
  for (int h = 0; h <= LastHourOf(d); ++h)
    for (int k = 1; k <= n; ++k) {
      Single v = kNoValue;  // the top level, and two levels at one height, have no shear
      const auto none = [d, h](int l) { return NoWind(d, h, l) || NoHeight(d, h, l); };
      if (k < n && !none(k) && !none(k + 1)) {
        const double dz = gHght(d, h, k + 1) - gHght(d, h, k);
        const double dv = Hypot(gWindU(d, h, k + 1) - gWindU(d, h, k), gWindV(d, h, k + 1) - gWindV(d, h, k));
        if (dz != 0) v = static_cast<Single>(std::abs(dv / dz) * 3600);
      }
      Store().LayertoLayer(d, h, k) = v;
    }
  MarkDone(Store().LayertoLayerDone(d));
}

void MakeHodoLengthShear(Integer d, bool perKm) {
  if (!IsLoadedDataset(d)) return;
  for (int h = 0; h <= LastHourOf(d); ++h) {
    double up = gWind10U(d, h), vp = gWind10V(d, h), length = 0;
    const Single ground = StdHeightFtOfPressure(gSfcPres(d, h));
    for (int k = 1; k <= LevelsOf(d); ++k) {
      if (NoWind(d, h, k)) {  // the length goes on from the level below
        Store().HodoLengthShear(d, h, k) = kNoValue;
        continue;
      }
      const double s = gWspd(d, h, k) / kKnotsPerMps, a = (270 - gWdir(d, h, k)) * kRadPerDegRounded;
      const double u = s * std::cos(a), v = s * std::sin(a);
      length += Hypot(u - up, v - vp);
      up = u;
      vp = v;
      double r = length;
      if (perKm) {
        const double km = (StdHeightFtOfPressure(gPres(d, h, k)) - ground) / kFeetPerKm;
        r = km > 0.5 ? length / km : 0;
      }
      Store().HodoLengthShear(d, h, k) = static_cast<Single>(r);
    }
  }
  MarkDone(Store().HodoLengthShearDone(d));
}

void MakeTempAtPressure(Integer d, Integer p) {
  if (!IsLoadedDataset(d)) return;
  const double lp = std::log(static_cast<double>(p));
  for (int h = 0; h <= LastHourOf(d); ++h) {
    Single t = kNoValue;  // p below the first level or above the last: no value
    for (int a = 1; a <= LevelsOf(d); ++a) {
      if (!(gPres(d, h, a) < p)) continue;
      if (a > 1 && gPres(d, h, a) > 0 && gPres(d, h, a - 1) > gPres(d, h, a)) {
        const double l0 = std::log(gPres(d, h, a - 1)), l1 = std::log(gPres(d, h, a));
        t = static_cast<Single>(gTemp(d, h, a) + (gTemp(d, h, a - 1) - gTemp(d, h, a)) * (lp - l1) / (l0 - l1));
      }
      break;
    }
    Store().LakeLevelTemp(d, h) = t;
  }
  MarkDone(Store().LakeLevelTempDone(d));
}

void MakeTotalTotals(Integer d, Integer lowerPres) {
  if (!IsLoadedDataset(d)) return;
  const CurrentDatasetGuard current(d);
  for (int h = 0; h <= LastHourOf(d); ++h) {
    const Single t500 = TempAtPressure(h, 500), t = TempAtPressure(h, static_cast<Single>(lowerPres));
    const Single td = DewpointAtPressure(h, static_cast<Single>(lowerPres));
    Store().TotalTotals(d, h) = IsMissing(t500) || IsMissing(t) || IsMissing(td) ? kNoValue : (t - t500) + (td - t500);
  }
  MarkDone(Store().TotalTotalsDone(d));
}

void RemakeTotalTotals(Integer d, Integer lowerPres) { MakeTotalTotals(d, lowerPres); }

}  // namespace ondrik
