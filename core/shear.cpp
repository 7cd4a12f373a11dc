#include "core/shear.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/parcels.h"

namespace ondrik {

namespace {
constexpr double kNorthSnap = 1e-4;  // degrees

bool ValidHour(Integer d, Integer h) {
  return d >= 0 && d <= kMaxDatasets && h >= 0 && h < kMaxHours && h <= gLastHour(d);
}

// Length of the wind difference between levels a and b, in knots.
Single WindDifferenceKnots(Integer d, Integer h, Integer a, Integer b) {
  const double du = static_cast<double>(gWindU(d, h, a)) - gWindU(d, h, b);
  const double dv = static_cast<double>(gWindV(d, h, a)) - gWindV(d, h, b);
  return static_cast<Single>(std::sqrt(du * du + dv * dv) * kKnotsPerMps);
}
}  // namespace

Integer gCapeShearOption = kShearSixKm;
Single gSRInflowDepth = 3.0f;
Single gSRInflowBase = 0.0f;

Single WindDirection(Single u, Single v) {
  if (u == 0 && v == 0) return 360.0f;
  // The wind blows from the direction opposite to its vector (-u, -v);
  // atan2(east, north) gives the bearing of that direction.
  double deg = std::atan2(-static_cast<double>(u), -static_cast<double>(v)) * 180.0 / std::numbers::pi;
  if (deg <= 0) deg += 360.0;
  // Bearings a hair east of north (rounding of components that should be 0)
  // are north, so that north always reads 360.
  if (deg < kNorthSnap) deg = 360.0;
  return static_cast<Single>(deg);
}

void ComputeBulkShear(Integer dataset, Integer hour, Integer option) {
  if (!ValidHour(dataset, hour)) return;
  const CurrentDatasetGuard current(dataset);
  const Integer d = dataset;
  const Integer h = hour;
  const Integer n = gNumLevels(d);

  if (option == kShearSixKm || option == kShearOneKm) {
    if (n < 1) {
      gBulkShear(d, h) = 0;
    } else {
      const Integer top = LevelOfHeight(h, option == kShearSixKm ? 6.0f : 1.0f);
      gBulkShear(d, h) = WindDifferenceKnots(d, h, top, 1);
    }
  } else if (option == kShearEffective) {
    if (n < 1) {
      gEffectiveCape(d, h) = 0;
      gEffectiveCin(d, h) = 0;
      gBulkShear(d, h) = 0;
    } else {
      // Base: the level of highest theta-e in the lowest 3 km; a tie keeps
      // the lower level.
      Integer b = 1;
      for (Integer L = 2; L <= n && gHghtAGL(d, h, L) <= 3000.0f; ++L) {
        if (gThetaE(d, h, L) > gThetaE(d, h, b)) b = L;
      }
      ComputeOnce(gLevelParcelDone(d, h, b), [&] { ComputeEffectiveParcels(d, h, b); });
      gEffectiveCape(d, h) = gElevCape(d, h, b);
      gEffectiveCin(d, h) = gElevCin(d, h, b);
      if (!(gEffectiveCape(d, h) > 0)) {
        gBulkShear(d, h) = 0;
      } else {
        // e: the last level at or below the parcel's equilibrium level.
        const Single elPres = gElevELPres(d, h, b);
        Integer e = 0;
        for (Integer t = 1; t <= n; ++t) {
          if (gPres(d, h, t) < elPres) {
            e = t - 1;
            break;
          }
        }
        const Single hb = gHghtAGL(d, h, b);
        const Single he = e > 0 ? gHghtAGL(d, h, e) : 0.0f;  // level 0 is the ground
        const Single mid = (hb + he) / 2;
        Integer top = 0;
        for (Integer L = 1; L <= n; ++L) {
          if (gHghtAGL(d, h, L) > mid) {
            top = L;
            break;
          }
        }
        gBulkShear(d, h) = WindDifferenceKnots(d, h, top, b);
      }
    }
  }
  MarkDone(gBulkShearDone(d, h));
}

void ComputeSRHelicity(Integer hour) {
  const Integer d = gCurDataset;
  if (!ValidHour(d, hour)) return;
  const Integer h = hour;

  if (gSRHTopLevel(d, h) == 0) {
    gSRHBottomLevel(d, h) = 0;
    gSRHTopLevel(d, h) = LevelOfHeight(h, gSRInflowDepth);
    for (Integer k = 0; k <= gLastHour(d) && k < kMaxHours; ++k) gHelicityDone(d, k) = 0;
  }

  // Layer levels chosen for an earlier file may lie above this profile.
  const Integer n = std::max(gNumLevels(d), 0);
  const Integer top = std::clamp(gSRHTopLevel(d, h), 0, n);
  const Integer bottom = std::clamp(gSRHBottomLevel(d, h), 0, top);

  const Single su0 = gStormU(d, h);
  const Single sv0 = gStormV(d, h);
  for (Integer k = 0; k <= top; ++k) {
    gSRWindU(d, h, k) = gWindU(d, h, k) - su0;
    gSRWindV(d, h, k) = gWindV(d, h, k) - sv0;
  }

  auto speed = [](Single u, Single v) {
    return static_cast<Single>(std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v));
  };
  gSRInflowSfcSpd(d, h) = speed(gSRWindU(d, h, 0), gSRWindV(d, h, 0));
  gSRInflowSfcDir(d, h) = WindDirection(gSRWindU(d, h, 0), gSRWindV(d, h, 0));
  gSRInflowTopSpd(d, h) = speed(gSRWindU(d, h, top), gSRWindV(d, h, top));
  gSRInflowTopDir(d, h) = WindDirection(gSRWindU(d, h, top), gSRWindV(d, h, top));

  Single helicity = 0;
  Single length = 0;
  for (Integer j = bottom + 1; j <= top; ++j) {
    helicity += gSRWindU(d, h, j) * gSRWindV(d, h, j - 1) - gSRWindU(d, h, j - 1) * gSRWindV(d, h, j);
    const double dv = static_cast<double>(gWindV(d, h, j)) - gWindV(d, h, j - 1);
    const double du = static_cast<double>(gWindU(d, h, j)) - gWindU(d, h, j - 1);
    length += static_cast<Single>(std::sqrt(dv * dv + du * du));
  }
  gHelicity(d, h) = helicity;
  gSRHLayerShear(d, h) = length;
  // A top at the ground has no depth: no shear per km.
  const Single topKm = gHghtAGL(d, h, top) / 1000.0f;
  gSRHLayerShearPerKm(d, h) = (top > 0 && topKm > 0) ? length / topKm : 0.0f;

  MarkDone(gHelicityDone(d, h));
}

}  // namespace ondrik
