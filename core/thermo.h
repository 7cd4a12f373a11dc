// Dry-adiabatic and moist-adiabatic lifting (temperatures in deg C unless
// said otherwise, pressures in mb).
#pragma once

#include <cmath>

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
float Wobus(float t);
float SatTempAtPressure(float thm, float p);
// (p / 1000)^(2/7) in single precision: the pressure factor of the saturated
// adiabats.
float PressureFactor(float p);
// SatTempAtPressure with Wobus(thm) and PressureFactor(p) worked out by the
// caller (once for many pressures, or once for many parcels); the same result.
float SatTempAtFactor(float thm, float wobusThm, float p, float f);
// Temperature at p2 of a saturated parcel of temperature t at p1.
float LiftMoist(float t, float p1, float p2);

}  // namespace ondrik
