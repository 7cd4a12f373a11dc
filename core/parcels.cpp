#include "core/parcels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/recentvalues.h"
#include "core/thermo.h"

namespace ondrik {

namespace {
bool ValidDataset(int d) { return d >= 0 && d <= kMaxDatasets; }
bool ValidHour(int d, int hour) { return hour >= 0 && hour < kMaxHours && hour <= gLastHour(d); }
int LevelCount(int d) { return std::clamp(gNumLevels(d), 0, kMaxLevels); }

// Lifting condensation level of a parcel (Bolton): temperature in kelvin and
// pressure. False when the values give no condensation point.
bool CondensationPoint(double t, double td, double p, double& tlK, double& pL) {
  const double tk = t + kKelvin;
  const double tdk = td + kKelvin;
  if (!(tdk > 56.0) || !(tk > 0.0) || !(p > 0.0)) return false;
  tlK = 1.0 / (1.0 / (tdk - 56.0) + std::log(tk / tdk) / 800.0) + 56.0;
  pL = std::pow(tlK / tk, 1.0 / kKappa) * p;
  return std::isfinite(tlK) && tlK > 0.0 && std::isfinite(pL) && pL > 0.0;
}

// The pressure factors of the saturated adiabats at the levels met most
// recently: every parcel of an hour rises through the same levels.
float LevelPressureFactor(float p) {
  thread_local RecentValues<float> factors(PressureFactor);
  return factors(p);
}

// p^(2/7) of the levels met most recently: a parcel's dry ascent to a level
// is its condensation temperature times (p / pL)^(2/7), worked out as two
// powers of that fixed exponent, the level's shared by every parcel of the
// hour.
double LevelPowerOfKappa(float p) {
  thread_local RecentValues<double> powers([](float x) { return std::pow(static_cast<double>(x), kKappa); });
  return powers(p);
}

// A saturated parcel leaving its condensation level: LiftMoist(tL, pL, p)
// with the parcel's saturated potential temperature (and its Wobus term)
// worked out once, and each level's pressure factor once for all parcels.
class MoistAscent {
 public:
  MoistAscent(float tL, float pL) : pL_(pL) {
    const float theta = PotentialTemp(tL, pL);
    thm_ = theta - Wobus(theta) + Wobus(tL);
    wobusThm_ = Wobus(thm_);
  }
  float At(float p) const { return SatTempAtFactor(thm_, wobusThm_, p, Factor(p)) + Drift(p); }
  // At(p[k]) into out[k] for k < count, the searches side by side.
  void At(const float* p, int count, float* out) const {
    std::array<float, kMaxLevels + 1> f;
    for (int k = 0; k < count; ++k) f[k] = Factor(p[k]);
    SatTempsAtFactors(thm_, wobusThm_, p, f.data(), count, out);
    for (int k = 0; k < count; ++k) out[k] += Drift(p[k]);
  }

 private:
  static float Factor(float p) { return LevelPressureFactor(p); }
  float Drift(float p) const { return 0.3f * (p - pL_) / 500.0f; }

  float pL_;
  float thm_;
  float wobusThm_;
};

// Parcel temperature (deg C) at p: the dry adiabat through the condensation
// point below it, the moist ascent from it above.
float ParcelTempAt(const MoistAscent& moist, double tlK, double pL, float p) {
  if (p > pL) return static_cast<float>(tlK / std::pow(pL / p, kKappa) - kKelvin);
  return moist.At(p);
}
}  // namespace

// ---------------------------------------------------------------------------

void SetLakeTempC(Single c) {
  gLakeTempC = c;
  Store().gLakeParcelDone.Clear();
}

Single LakeTempWholeC() { return static_cast<Single>(std::lround(gLakeTempC)); }

std::optional<Single> LakeLevelTempWholeC(Integer hour, Integer pres) {
  const Single t = TempAtPressure(hour, static_cast<Single>(pres));
  if (IsMissing(t) || !std::isfinite(t)) return std::nullopt;
  return static_cast<Single>(std::lround(t));
}

void LiftSurfaceParcel(Integer hour) {
  const int d = gCurDataset;
  if (!ValidDataset(d) || !ValidHour(d, hour)) return;
  const int n = LevelCount(d);
  const Single sfcPres = gSfcPres(d, hour);

  const Single t = 0.4f * gSfcTemp(d, hour) + 0.6f * gLakeTempC;
  Single td = 0.7f * gSfcDewpt(d, hour) - 1.31f + 0.35f * gLakeTempC;
  if (td > t) td = t;
  gLakeParcelT(d, hour) = t;
  gLakeParcelTd(d, hour) = td;

  auto notBuoyant = [&] {
    gLakeCape(d, hour) = 0;
    gLakeEL(d, hour) = 0;
    gLakeELPres(d, hour) = sfcPres;
    gLakeELTemp(d, hour) = t;
    gLakeELLevel(d, hour) = 0;
    gLakeNCape(d, hour) = 0;
    MarkDone(gLakeParcelDone(d, hour));
  };

  double tlK = 0, pL = 0;
  if (!CondensationPoint(t, td, sfcPres, tlK, pL)) {
    gLakeLclTemp(d, hour) = t;
    gLakeLclPres(d, hour) = sfcPres;
    notBuoyant();
    return;
  }
  gLakeLclPres(d, hour) = static_cast<Single>(pL);
  gLakeLclTemp(d, hour) = static_cast<Single>(tlK - kKelvin);

  if (n < 1 || !(t > gTemp(d, hour, 1))) {
    notBuoyant();
    return;
  }

  // Ascent up to the first level where the parcel is colder than its
  // environment. A parcel still warmer at the top level takes the top level
  // as its equilibrium level.
  const MoistAscent moist(static_cast<float>(tlK - kKelvin), static_cast<float>(pL));
  int k = n;
  bool crossed = false;
  for (int i = 1; i <= n; ++i) {
    const float tp = ParcelTempAt(moist, tlK, pL, gPres(d, hour, i));
    gLakeParcelTemp(d, hour, i) = tp;
    if (tp < gTemp(d, hour, i)) {
      k = i;
      crossed = true;
      break;
    }
  }
  // Colder already at level 1: no buoyant level at all.
  if (k == 1) {
    notBuoyant();
    return;
  }

  float pE = gPres(d, hour, k);
  if (crossed) {
    const double b = gLakeParcelTemp(d, hour, k - 1) - gTemp(d, hour, k - 1);
    const double c = gTemp(d, hour, k) - gLakeParcelTemp(d, hour, k);
    const double f = b / (b + c);  // b >= 0 and c > 0
    pE = static_cast<float>(gPres(d, hour, k - 1) - (gPres(d, hour, k - 1) - gPres(d, hour, k)) * f);
  }
  gLakeELPres(d, hour) = pE;
  gLakeELTemp(d, hour) = ParcelTempAt(moist, tlK, pL, pE);
  gLakeEL(d, hour) = StdHeightFtOfPressure(pE) - StdHeightFtOfPressure(gPres(d, hour, 1));

  // CAPE over standard-atmosphere slices: from the surface to the midpoint
  // between levels 1 and 2, then midpoint to midpoint, up to level k - 1.
  double sum = 0;
  double lower = StdHeightMOfPressure(sfcPres);
  double zHere = StdHeightMOfPressure(gPres(d, hour, 1));
  for (int j = 1; j <= k - 1; ++j) {
    const double zNext = StdHeightMOfPressure(gPres(d, hour, j + 1));
    const double upper = (zHere + zNext) / 2.0;
    sum += (gLakeParcelTemp(d, hour, j) - gTemp(d, hour, j)) / kKelvin * (upper - lower);
    lower = upper;
    zHere = zNext;
  }
  gLakeCape(d, hour) = static_cast<Single>(sum * kGravity);
  gLakeELLevel(d, hour) = k;
  const double depthM = gLakeEL(d, hour) * kFeetToMetre;
  gLakeNCape(d, hour) = depthM > 0 ? static_cast<Single>(gLakeCape(d, hour) / depthM) : 0.0f;
  MarkDone(gLakeParcelDone(d, hour));
}

// ---------------------------------------------------------------------------

void ComputeLayerCapes(Integer hour) {
  const int d = gCurDataset;
  if (!ValidDataset(d) || !ValidHour(d, hour)) return;
  const int n = LevelCount(d);
  for (int k = 3; k <= 7; ++k) gLayerCape(d, hour, k) = 0;

  const Single pF = gLfct(d, hour);
  const Single pE = gEqlv(d, hour);
  // First level at or above the free-convection level; the layers start
  // there only when at least one level lies below it.
  int o = 1;
  while (o <= n && !(gPres(d, hour, o) <= pF)) ++o;
  const Single tF = TempAtPressure(hour, pF);
  if (o == 1 || o > n || IsMissing(tF) || !(pF > 0)) {
    MarkDone(gLayerCapeDone(d, hour));
    return;
  }

  const double zF = StdHeightMOfPressure(pF);
  const double zE = StdHeightMOfPressure(pE);
  const MoistAscent moist(tF, pF);
  // Standard-atmosphere height of every level, and the buoyancy (K / 273.16)
  // of the parcel from the free-convection level at levels o and up.
  std::array<double, kMaxLevels + 1> z{};
  std::array<double, kMaxLevels + 1> buoy{};
  for (int l = 1; l <= n; ++l) z[l] = StdHeightMOfPressure(gPres(d, hour, l));
  std::array<float, kMaxLevels + 1> pres{}, tParcel{};
  for (int l = o; l <= n; ++l) pres[l] = gPres(d, hour, l);
  moist.At(&pres[o], n - o + 1, &tParcel[o]);
  for (int l = o; l <= n; ++l) buoy[l] = (tParcel[l] - gTemp(d, hour, l)) / kKelvin;

  for (int k = 3; k <= 6; ++k) {
    const double zT = std::nearbyint((k + static_cast<double>(gSiteElev(d))) * 1000.0);
    if (!(zF < zT)) continue;
    double sum = 0;
    double lower = zF;
    for (int l = o; l <= n; ++l) {
      // Slices end at the midpoint to the next level; the level below the
      // layer top ends at the top, the level below the equilibrium level at
      // the equilibrium level. The top level's slice ends at the level.
      const bool atTop = l == n;
      double upper = atTop ? z[l] : (z[l] + z[l + 1]) / 2.0;
      bool last = atTop;
      const bool pastTop = !atTop && z[l + 1] > zT;
      const bool pastEL = atTop ? gPres(d, hour, l) < pE : gPres(d, hour, l + 1) < pE;
      if (pastTop && pastEL) {
        upper = std::min(zT, zE);
      } else if (pastTop) {
        upper = zT;
      } else if (pastEL) {
        upper = atTop ? std::min(upper, zE) : zE;
      }
      if (pastTop || pastEL) last = true;
      if (atTop) upper = std::min(upper, zT);
      // A bound below the slice's lower end (an equilibrium level under the
      // free-convection level) leaves nothing to add.
      if (upper > lower) sum += buoy[l] * (upper - lower);
      lower = upper;
      if (last) break;
    }
    gLayerCape(d, hour, k) = static_cast<Single>(std::max(0.0, sum * kGravity));
  }

  // Hail zone: levels from o up to the equilibrium level whose environment is
  // between -30 and -10 C, each with the slice between its midpoints.
  double sum = 0;
  for (int j = o; j <= n; ++j) {
    const bool atTop = j == n;
    const double lower = (z[j - 1] + z[j]) / 2.0;  // o >= 2
    double upper = atTop ? z[j] : (z[j] + z[j + 1]) / 2.0;
    bool last = atTop;
    if (atTop ? gPres(d, hour, j) < pE : gPres(d, hour, j + 1) < pE) {
      upper = atTop ? std::min(upper, zE) : zE;
      last = true;
    }
    const Single te = gTemp(d, hour, j);
    if (te >= -30.0f && te <= -10.0f && upper > lower) sum += buoy[j] * (upper - lower);
    if (last) break;
  }
  gLayerCape(d, hour, 7) = static_cast<Single>(std::max(0.0, sum * kGravity));
  MarkDone(gLayerCapeDone(d, hour));
}

// ---------------------------------------------------------------------------

void ComputeEffectiveParcels(Integer dataset, Integer hour, Integer l0) {
  const int d = dataset;
  if (!ValidDataset(d) || !ValidHour(d, hour)) return;
  const int n = LevelCount(d);
  if (l0 < 1 || l0 > n) return;
  ProfileStore& s = Store();

  s.gElevCape(d, hour, l0) = 0;
  s.gElevHailCape(d, hour, l0) = 0;
  s.gElevCin(d, hour, l0) = 0;
  s.gElevEL(d, hour, l0) = 0;
  s.gElevELPres(d, hour, l0) = s.gPres(d, hour, l0);
  s.gElevNCape(d, hour, l0) = 0;
  s.gElevELLevel(d, hour, l0) = 0;

  double tlK = 0, pL = 0;
  if (!CondensationPoint(s.gTemp(d, hour, l0), s.gDewpt(d, hour, l0), s.gPres(d, hour, l0), tlK, pL)) {
    MarkDone(s.gLevelParcelDone(d, hour, l0));
    return;
  }
  const MoistAscent moist(static_cast<float>(tlK - kKelvin), static_cast<float>(pL));

  // The hour's levels from l0 up, read once.
  std::array<float, kMaxLevels + 2> te{}, pr{}, z{};
  const auto temps = s.gTemp.Of(d, hour), pressures = s.gPres.Of(d, hour), heights = s.gHght.Of(d, hour);
  for (int i = l0; i <= n; ++i) {
    te[i] = temps[i];
    pr[i] = pressures[i];
    z[i] = heights[i];
  }
  Single* const parcelTemp = s.gElevParcelTemp.Row(d, hour, l0);
  const double pLKappa = std::pow(pL, kKappa);

  // The moist ascent is worked out a few levels ahead, their searches side
  // by side; the ascent stops before the top on most parcels.
  constexpr int kMoistAhead = 4;
  std::array<float, kMaxLevels + 1> moistTemp;
  int moistUpTo = l0 - 1;
  auto moistAt = [&](int i) {
    if (i > moistUpTo) {
      const int count = std::min(kMoistAhead, n - i + 1);
      moist.At(&pr[i], count, &moistTemp[i]);
      moistUpTo = i + count - 1;
    }
    return moistTemp[i];
  };

  std::array<float, kMaxLevels + 1> tp{};
  double cape = 0, hail = 0;
  int e = 0;
  bool buoyantAtTop = false;
  for (int i = l0; i <= n; ++i) {
    const float t = te[i];
    tp[i] = pr[i] > pL ? static_cast<float>(tlK * LevelPowerOfKappa(pr[i]) / pLKappa - kKelvin) : moistAt(i);
    parcelTemp[i] = tp[i];
    const float margin = t + 0.005f;
    if (tp[i] > margin) {
      e = i;
      if (i == n) {
        // Still buoyant at the top level: the ascent ends there, the top
        // level has no layer above it and there is no equilibrium level.
        buoyantAtTop = true;
        break;
      }
      const double b = (tp[i] - t) / kKelvin * (z[i + 1] - z[i]);
      cape += b;
      if (t > -30.0f && t < -10.0f) hail += b;
    } else if (t - 10.0f > tp[i]) {
      break;
    }
  }

  // CIN: every colder level from the start up to the last buoyant one.
  double cin = 0;
  for (int i = l0; i <= e && i < n; ++i) {
    if (tp[i] < te[i]) cin -= (tp[i] - te[i]) / kKelvin * (z[i + 1] - z[i]);
  }

  s.gElevCape(d, hour, l0) = static_cast<Single>(cape * kGravity);
  s.gElevHailCape(d, hour, l0) = static_cast<Single>(hail * kGravity);
  s.gElevCin(d, hour, l0) = static_cast<Single>(cin * kGravity);

  if (e >= 2 && !buoyantAtTop) {
    // Level e + 1 was lifted and is not buoyant, so a > 0.005 and c >= -0.005.
    s.gElevELLevel(d, hour, l0) = e;
    const double a = tp[e] - te[e];
    const double c = te[e + 1] - tp[e + 1];
    const double f = a / (a + c);
    const float pE = static_cast<float>(pr[e] - (pr[e] - pr[e + 1]) * f);
    s.gElevELPres(d, hour, l0) = pE;
    s.gElevELTemp(d, hour, l0) = ParcelTempAt(moist, tlK, pL, pE);
    s.gElevEL(d, hour, l0) = StdHeightFtOfPressure(pE) - StdHeightFtOfPressure(s.gPres(d, hour, 1));
    const double depth = StdHeightMOfPressure(pE) - z[l0];
    s.gElevNCape(d, hour, l0) = depth > 0 ? static_cast<Single>(s.gElevCape(d, hour, l0) / depth) : 0.0f;
  }
  MarkDone(s.gLevelParcelDone(d, hour, l0));
}

}  // namespace ondrik
