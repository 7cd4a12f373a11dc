#include "core/levels.h"

#include <cmath>

#include "core/constants.h"

namespace ondrik {

namespace {
constexpr double kStdSeaLevel = 1013.2;
constexpr double kStdExponent = 5.265;
constexpr double kStdScaleM = 44307.7;
constexpr double kStdScaleFt = 145373.5637;

// First level i >= from of the hour whose pressure is below p; n + 1 when none.
int FirstLevelBelowPressure(int d, int hour, Single p, int from) {
  const int n = gNumLevels(d);
  int i = from;
  while (i <= n && !(gPres(d, hour, i) < p)) ++i;
  return i;
}

template <typename Field>
Single LogInterp(Field field, int d, int hour, int i, Single p) {
  const double lp = std::log(static_cast<double>(p));
  const double l0 = std::log(static_cast<double>(gPres(d, hour, i)));
  const double l1 = std::log(static_cast<double>(gPres(d, hour, i - 1)));
  if (l1 == l0) return field(d, hour, i);
  const double xi = field(d, hour, i);
  const double xm = field(d, hour, i - 1);
  return static_cast<Single>(xi + (xm - xi) * (lp - l0) / (l1 - l0));
}

bool ValidHour(int d, int hour) { return hour >= 0 && hour <= gLastHour(d) && hour < kMaxHours; }
}  // namespace

Integer LevelOfPressure(Integer p) {
  if (p < 100) return p;
  const int d = gCurDataset;
  const int n = gNumLevels(d);
  int i = 1;
  while (i <= n && !(gPres(d, 0, i) < p)) ++i;
  if (i > n) return 0;
  if (i == 1) return 1;
  const Single below = std::fabs(gPres(d, 0, i - 1) - static_cast<Single>(p));
  const Single above = std::fabs(gPres(d, 0, i) - static_cast<Single>(p));
  return below <= above ? i - 1 : i;
}

Integer LevelOfHeight(Integer hour, Single km) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour)) return 0;
  const Single t = km * 1000.0f;
  const int n = gNumLevels(d);
  int i = 1;
  while (i <= n && !(gHghtAGL(d, hour, i) > t)) ++i;
  if (i > n) return 0;
  const Single lower = std::fabs(gHghtAGL(d, hour, i - 1) - t);
  const Single upper = std::fabs(gHghtAGL(d, hour, i) - t);
  return lower <= upper ? i - 1 : i;
}

Single StdPressureOfFeet(Single ft) {
  const double r = 1.0 - static_cast<double>(ft) / kStdScaleFt;
  if (r <= 0) return 0;
  return static_cast<Single>(kStdSeaLevel * std::pow(r, kStdExponent));
}

Single StdHeightMOfPressure(Single p) {
  if (!(p > 0)) return static_cast<Single>(kStdScaleM);
  return static_cast<Single>((1.0 - std::pow(p / kStdSeaLevel, 1.0 / kStdExponent)) * kStdScaleM);
}

Single StdHeightFtOfPressure(Single p) {
  return static_cast<Single>(static_cast<double>(StdHeightMOfPressure(p)) * kFeetPerMetre);
}

Single DewpointAtPressure(Integer hour, Single p) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour) || !(p > 0)) return kMissing;
  const int i = FirstLevelBelowPressure(d, hour, p, 1);
  if (i == 1 || i > gNumLevels(d)) return kMissing;
  return LogInterp(gDewpt, d, hour, i, p);
}

Single TempAtPressure(Integer hour, Single p) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour) || !(p > 0) || gNumLevels(d) < 2) return kMissing;
  const int i = FirstLevelBelowPressure(d, hour, p, 2);
  if (i > gNumLevels(d)) {
    // p at or above the top level: the top level's own pressure is inside.
    const int n = gNumLevels(d);
    if (p == gPres(d, hour, n)) return gTemp(d, hour, n);
    return kMissing;
  }
  return LogInterp(gTemp, d, hour, i, p);
}

Single InterpolateToPressure(Integer hour, Single p) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour) || !(p > 0)) return kMissing;
  const int i = FirstLevelBelowPressure(d, hour, p, 1);
  if (i > gNumLevels(d)) {
    const int n = gNumLevels(d);
    if (n >= 1 && p == gPres(d, hour, n)) return gRH(d, hour, n);
    return kMissing;
  }
  if (i == 1) return p == gPres(d, hour, 1) ? gRH(d, hour, 1) : kMissing;
  return LogInterp(gRH, d, hour, i, p);
}

Single InterpolateP(Integer hour, Integer i, Single t) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour) || i < 1 || i > gNumLevels(d)) return 0;
  const double t0 = gTemp(d, hour, i - 1);
  const double t1 = gTemp(d, hour, i);
  const double p0 = gPres(d, hour, i - 1);
  const double p1 = gPres(d, hour, i);
  if (t1 == t0 || !(p0 > 0) || !(p1 > 0)) return 0;
  const double l0 = std::log(p0);
  const double lp = l0 + (std::log(p1) - l0) * (t - t0) / (t1 - t0);
  return static_cast<Single>(std::exp(lp));
}

Single InterpH(Integer hour, Single p) {
  const int d = gCurDataset;
  if (!ValidHour(d, hour)) return 0;
  const int i = FirstLevelBelowPressure(d, hour, p, 1);
  if (i > gNumLevels(d)) return 0;
  const double h0 = gHght(d, hour, i - 1);
  const double h1 = gHght(d, hour, i);
  const double p0 = gPres(d, hour, i - 1);
  const double p1 = gPres(d, hour, i);
  if (p1 == p0) return static_cast<Single>(h1);
  return static_cast<Single>(h0 + (h1 - h0) / (p1 - p0) * (p - p0));
}

}  // namespace ondrik
