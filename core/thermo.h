// Dry-adiabatic and moist-adiabatic lifting (temperatures in deg C unless
// said otherwise, pressures in mb).
#pragma once

#include <cmath>
#include <limits>

#include "core/constants.h"

namespace ondrik {

// Temperature at p1 of air of temperature tK (kelvin) at p0 brought there
// dry-adiabatically: tK (p1 / p0)^(2/7), in kelvin; the potential
// temperature is DryAdiabatK(tK, p, 1000).
inline double DryAdiabatK(double tK, double p0, double p1) {
  return tK * std::pow(p1 / p0, kKappa);
}
// The same for a temperature in deg C.
inline double DryAdiabatC(double tC, double p0, double p1) {
  return DryAdiabatK(tC + kKelvin, p0, p1) - kKelvin;
}

float PotentialTemp(float t, float p);
float SatTempAtPressure(float thm, float p);
// (p / 1000)^(2/7) in single precision: the pressure factor of the saturated
// adiabats.
float PressureFactor(float p);
// The two sides of the Wobus fit at x = t - 20 (t in deg C), for one value
// or for several side by side (the same operations in the same order).
template <typename T>
inline T WobusAtOrBelow20(T x) {
  T pol = T{} - 3.8598073e-10f;
  pol = -3.2607217e-8f + x * pol;
  pol = -9.671989e-7f + x * pol;
  pol = 1.4714143e-4f + x * pol;
  pol = -8.8416605e-3f + x * pol;
  pol = 1.0f + x * pol;
  const T pol2 = pol * pol;
  return 15.13f / (pol2 * pol2);
}
template <typename T>
inline T WobusAbove20(T x) {
  T pol = T{} + 1.668828e-16f;
  pol = -1.2588129e-13f + x * pol;
  pol = 3.9401551e-11f + x * pol;
  pol = -6.1059365e-9f + x * pol;
  pol = 4.9618922e-7f + x * pol;
  pol = -1.3603273e-5f + x * pol;
  pol = 3.6182989e-3f + x * pol;
  pol = 1.0f + x * pol;
  const T pol2 = pol * pol;
  return 29.93f / (pol2 * pol2) + 0.96f * x - 14.8f;
}
// The Wobus function of a temperature in deg C. Here, with SatTempAtFactor,
// so that the moist ascents of every level's parcel run it without a call.
inline float Wobus(float t) {
  const float x = t - 20.0f;
  return x <= 0.0f ? WobusAtOrBelow20(x) : WobusAbove20(x);
}

inline constexpr float kSecantTolerance = 0.1f;
// The secant search converges in a handful of steps on real soundings; the
// cap only keeps a pathological input from looping.
inline constexpr int kMaxSecantSteps = 50;

// SatTempAtPressure with Wobus(thm) and PressureFactor(p) worked out by the
// caller (once for many pressures, or once for many parcels); the same result.
inline float SatTempAtFactor(float thm, float wobusThm, float p, float f) {
  // A temperature or pressure that is not a number, or a pressure that is not
  // positive, has no saturated adiabat to follow.
  if (!std::isfinite(thm) || !std::isfinite(p) || !(p > 0.0f)) return std::numeric_limits<float>::quiet_NaN();
  if (std::fabs(p - 1000.0f) <= 0.001f) return thm;

  float t1 = (thm + kKelvinF) * f - kKelvinF;
  float e1 = Wobus(t1) - wobusThm;
  float rate = 1.0f;
  float t2 = t1;
  float correction = 0.0f;
  for (int step = 0; step < kMaxSecantSteps; ++step) {
    t2 = t1 - e1 * rate;
    const float th = (t2 + kKelvinF) / f - kKelvinF;
    const float e2 = Wobus(t2) + th - Wobus(th) - thm;
    correction = e2 * rate;
    if (!(std::fabs(correction) > kSecantTolerance)) break;
    // Two equal errors give no slope: the current estimate is the best one.
    if (e2 == e1) break;
    rate = (t2 - t1) / (e2 - e1);
    t1 = t2;
    e1 = e2;
  }
  return t2 - correction;
}
// SatTempAtFactor of one adiabat at several pressures at once, bit for bit:
// out[k] = SatTempAtFactor(thm, wobusThm, p[k], f[k]) for k < count. The
// searches of four pressures run side by side, each step for all four.
void SatTempsAtFactors(float thm, float wobusThm, const float* p, const float* f, int count, float* out);
// Temperature at p2 of a saturated parcel of temperature t at p1.
float LiftMoist(float t, float p1, float p2);

}  // namespace ondrik
