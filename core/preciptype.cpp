#include "core/preciptype.h"

#include <algorithm>
#include <string>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"

namespace ondrik {

namespace {
constexpr Single kLeastAloftEnergy = 2.0f;   // J/kg: a warm layer aloft below this does not count
constexpr Single kSnowRainEnergy = 13.2f;    // J/kg
constexpr Single kSurfaceMeltEnergy = 20.0f; // J/kg
constexpr Single kAloftSearchTop = 200.0f;   // mb
constexpr Single kCloudTopGap = 1519.0f;     // m
constexpr Single kSeederTemp = -10.0f;       // deg C

Integer LastDataset() { return std::clamp<Integer>(gDatasetCount, 0, kMaxDatasets); }
Integer LastHourOf(Integer d) { return std::min<Integer>(gLastHour(d), kMaxHours - 1); }
Integer LevelsOf(Integer d) { return std::clamp<Integer>(gNumLevels(d), 0, kMaxLevels); }

// The temperature column of one hour, with the energy areas of its layers.
class Column {
 public:
  Column(Integer d, Integer h, Integer s) : d_(d), h_(h), s_(s), n_(LevelsOf(d)) {}

  Single T(Integer i) const { return gTemp(d_, h_, i); }
  Single P(Integer i) const { return gPres(d_, h_, i); }
  Single Z(Integer i) const { return gHght(d_, h_, i); }

  // First level from `from` up to the top that is colder than 0 C (cold) or
  // warmer than 0 C (warm); n + 1 when there is none. A level at exactly
  // 0 C is neither.
  Integer FirstCold(Integer from) const {
    Integer i = from;
    while (i <= n_ && !(T(i) < 0)) ++i;
    return i;
  }
  Integer FirstWarm(Integer from) const {
    Integer i = from;
    while (i <= n_ && !(T(i) > 0)) ++i;
    return i;
  }

  // Energy area (J/kg) of levels a..b-1, positive for a layer of its own
  // sign: warm areas weigh T, cold ones -T. Each level stands for the layer
  // from midway to the level below to midway to the level above; the lowest
  // layer starts at the level below the start level, and the top level's
  // layer ends at the top level itself.
  Single Area(Integer a, Integer b, bool warm) const {
    Single sum = 0;
    for (Integer u = a; u <= b - 1 && u <= n_; ++u) {
      const Single t = warm ? T(u) : -T(u);
      sum += (Boundary(u) - Boundary(u - 1)) * t / kKelvinF;
    }
    return kGravityF * sum;
  }

  Integer n() const { return n_; }

 private:
  Single Boundary(Integer u) const {
    if (u <= s_ - 1) return Z(s_ - 1);
    if (u >= n_) return Z(n_);
    return (Z(u) + Z(u + 1)) / 2;
  }

  Integer d_, h_, s_, n_;
};

void EnergyPatternOfHour(Integer d, Integer h) {
  const Integer s = gElevatedLevel;
  const Integer n = LevelsOf(d);

  // Nothing of an earlier hour, dataset or start level may remain.
  gEnergyPattern(d, h) = "";
  gPosEnergy(d, h) = 0;
  gNegEnergy(d, h) = 0;
  gSfcPosEnergy(d, h) = 0;
  gSfcWarmDepth(d, h) = 0;
  gCloudTopLevel(d, h) = 0;
  gSeederFeeder(d, h) = false;
  if (n < 1 || s < 1 || s > n) return;

  const Column c(d, h, s);
  std::string pattern;

  if (c.T(s) > 0) {
    // Warm start level.
    const Integer L1 = c.FirstCold(s + 1);
    pattern = "AB";
    Integer L2 = n + 1;
    if (L1 <= n) {
      L2 = c.FirstWarm(L1 + 1);
      if (L2 <= n) pattern = "ABAB";
    }
    if (pattern == "ABAB") {
      const Integer L3 = c.FirstCold(L2 + 1);
      gSfcPosEnergy(d, h) = c.Area(s, L1, true);
      gNegEnergy(d, h) = c.Area(L1, L2, false);
      gPosEnergy(d, h) = c.Area(L2, L3, true);
      if (gPosEnergy(d, h) < kLeastAloftEnergy) {
        pattern = "AB";
        gPosEnergy(d, h) = gSfcPosEnergy(d, h);
      }
    } else {
      gPosEnergy(d, h) = c.Area(s, L1, true);
    }
    if (pattern == "AB") {
      // Depth of the warm layer at the ground: up to 0 C, linear in pressure
      // between the last warm level and the first cold one; up to the top
      // level when the column is warm throughout.
      Single p0 = c.P(n);
      if (L1 <= n) {
        const Single tw = c.T(L1 - 1);
        const Single tc = c.T(L1);
        p0 = c.P(L1 - 1) - (c.P(L1 - 1) - c.P(L1)) * tw / (tw - tc);
      }
      gSfcWarmDepth(d, h) = StdHeightFtOfPressure(p0) - StdHeightFtOfPressure(gSfcPres(d, h));
    }
  } else {
    // Start level at or below 0 C: look for a warm layer aloft below 200 mb.
    pattern = "BB";
    Integer L2 = 0;
    for (Integer i = s; i <= n; ++i) {
      if (c.P(i) < kAloftSearchTop) break;
      if (c.T(i) > 0) {
        L2 = i;
        break;
      }
    }
    if (L2 > 0) {
      pattern = "BA";
      const Integer L1 = c.FirstCold(L2 + 1);
      gNegEnergy(d, h) = c.Area(s, L2, false);
      gPosEnergy(d, h) = c.Area(L2, L1, true);
      if (gPosEnergy(d, h) < kLeastAloftEnergy) pattern = "BB";
    }
  }
  gEnergyPattern(d, h) = pattern;

  // Cloud top and seeder-feeder: a level is cloudy when its dew-point
  // depression is below (9 - T) / 7, at least 2 C. The scan ends at a dry
  // level more than 1519 m above the cloud top found so far.
  gCloudTopLevel(d, h) = s;
  bool drySeen = false;
  for (Integer i = s; i <= n; ++i) {
    const Single t = c.T(i);
    const Single margin = std::max((9 - t) / 7, 2.0f);
    if (t - gDewpt(d, h, i) < margin) {
      gCloudTopLevel(d, h) = i;
      if (t <= kSeederTemp && drySeen) gSeederFeeder(d, h) = true;
    } else {
      drySeen = true;
      if (c.Z(i) - c.Z(gCloudTopLevel(d, h)) > kCloudTopGap) break;
    }
  }
}

// Standard height (ft) of the pressure of 0 C (t0 = 0) or -20 C (t0 = -20),
// linear in pressure below the first level colder than t0; the height of the
// surface pressure when no level is colder or the first level already is.
Single HeightOfTemperature(Integer d, Integer h, Single t0) {
  const Integer n = LevelsOf(d);
  Integer i = 1;
  while (i <= n && !(gTemp(d, h, i) < t0)) ++i;
  const Integer j = (i > n) ? 0 : i - 1;
  if (j <= 0) return StdHeightFtOfPressure(gSfcPres(d, h));
  const Single tj = gTemp(d, h, j);
  const Single tk = gTemp(d, h, j + 1);
  const Single p = gPres(d, h, j) - (gPres(d, h, j) - gPres(d, h, j + 1)) * (tj - t0) / (tj - tk);
  return StdHeightFtOfPressure(p);
}

bool ValidDataset(Integer d) { return d >= 0 && d <= kMaxDatasets; }
}  // namespace

Long PrecipTypeOfEnergies(const std::string& pattern, Single pa, Single na, Single sfcPa) {
  const Single refreeze = static_cast<Single>(70.0 + pa * 300.0 / 450.0);
  if (pattern == "BA") return na < refreeze ? kPtypeFreezingRain : kPtypeIcePellets;
  if (pattern == "AB") return pa < kSnowRainEnergy ? kPtypeSnow : kPtypeRain;
  if (pattern == "BB") return kPtypeSnow;
  if (pattern == "ABAB") {
    if (na < refreeze) return kPtypeRain;
    if (sfcPa >= kSurfaceMeltEnergy) return kPtypeRain;
    return kPtypeIcePellets;
  }
  return kPtypeNone;
}

void ComputeEnergyPatterns() {
  const CurrentDatasetGuard restore;
  for (gCurDataset = 1; gCurDataset <= LastDataset(); ++gCurDataset) {
    for (Integer h = 0; h <= LastHourOf(gCurDataset); ++h) EnergyPatternOfHour(gCurDataset, h);
  }
}

void DecidePrecipType() {
  if (LastDataset() < 1) return;
  ComputeEnergyPatterns();
  const CurrentDatasetGuard restore;
  for (gCurDataset = 1; gCurDataset <= LastDataset(); ++gCurDataset) {
    for (Integer h = 0; h <= LastHourOf(gCurDataset); ++h)
      gPtypeSrcA(gCurDataset, h) = PrecipTypeOfEnergies(gEnergyPattern(gCurDataset, h), gPosEnergy(gCurDataset, h),
                                                        gNegEnergy(gCurDataset, h), gSfcPosEnergy(gCurDataset, h));
  }
}

void FindWarmCloudTop() {
  const Integer d = gCurDataset;
  if (!ValidDataset(d)) return;
  for (Integer h = 0; h <= LastHourOf(d); ++h) {
    gMinus20LevelFt(d, h) = HeightOfTemperature(d, h, -20.0f);
    gFreezingLevelFt(d, h) = HeightOfTemperature(d, h, 0.0f);
  }
  MarkDone(gWarmCloudTopDone(d));
}

void ComputeWarmCloudDepth() {
  const Integer d = gCurDataset;
  if (!ValidDataset(d)) return;
  ComputeOnce(gWarmCloudTopDone(d), FindWarmCloudTop);
  const Single base = StdHeightFtOfPressure(gSfcPres(d, 0));
  for (Integer h = 0; h <= LastHourOf(d); ++h) {
    const Single depth = gFreezingLevelFt(d, h) - StdHeightFtOfPressure(gLclPres(d, h));
    gWarmCloudDepthFt(d, h) = std::max(depth, 0.0f);
    gWarmCloudDepth(d, h) = base + gWarmCloudDepthFt(d, h);
  }
  MarkDone(gWarmCloudDepthDone(d));
}

void ComputeTQIndex() {
  const Integer d = gCurDataset;
  if (!ValidDataset(d)) return;
  for (Integer h = 0; h <= LastHourOf(d); ++h) {
    const Single t850 = TempAtPressure(h, 850.0f);
    const Single td850 = DewpointAtPressure(h, 850.0f);
    const Single t700 = TempAtPressure(h, 700.0f);
    if (IsMissing(t850) || IsMissing(td850) || IsMissing(t700)) {
      gTQIndex(d, h) = kMissing;
    } else {
      gTQIndex(d, h) = t850 + td850 - 1.7f * t700;
    }
  }
  MarkDone(gTQIndexDone(d));
}

}  // namespace ondrik
