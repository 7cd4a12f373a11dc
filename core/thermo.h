// Moist-adiabatic lifting of a saturated parcel (temperatures in deg C,
// pressures in mb).
#pragma once

namespace ondrik {

float PotentialTemp(float t, float p);
float Wobus(float t);
float SatTempAtPressure(float thm, float p);
// Temperature at p2 of a saturated parcel of temperature t at p1.
float LiftMoist(float t, float p1, float p2);

}  // namespace ondrik
