// What the fog panel decides before it draws: the humidity axis, the
// crossover temperature, the classes of the air and ground gauges and the
// boundary-layer stability number MRi. Qt-free; reads the profile store.
#pragma once

#include <string>

#include "core/store.h"
#include "panels/preciptyperules.h"

namespace ondrik {

// Maximum M and step s of the specific-humidity axis for the file's largest
// specific humidity (g/kg): 2 by 0.5 below 2, then the next multiple of 5
// above it by fifths, at most 20 by 4.
void HumidityAxis(Single maxSpecHum, double& M, double& s);

// The crossover temperature (deg C) of (d, h): the one set by hand for the
// hour (XoverManual, 999 = none), else the surface dew point at the warmest
// of the hour and the 23 hours before it (the most recent of equal maxima).
struct Crossover {
  Single temp = 0;
  bool manual = false;
  int hoursBack = 0;    // steps back to the source hour
  Integer sourceHour = 0;
};
Crossover FindCrossover(Integer d, Integer h, Single hoursPerStep);

// A gauge bar of the air or ground temperature against the crossover: the
// colour of its box, the "T=" text outside the end of the bar (above it when
// `above`, else below) at x, and a verdict of up to two lines.
struct FogGauge {
  Rgb box;
  const char* prefix = "T= ";
  double textX = 0;
  bool above = false;
  const char* verdict[2] = {nullptr, nullptr};
  double verdictX[2] = {0, 0};
};
// a: air minus crossover (deg F), held in -5.5..5.5.
FogGauge AirGauge(double a);
// g: ground minus crossover (deg F), held in -5.5..5.5.
FogGauge GroundGauge(double g);

// MRi: (temperature of the warmest level within 100 mb of the surface minus
// the surface temperature) divided by the square of the strongest wind below
// it within 1500 ft of the ground. Not valid without such a level or wind.
struct Mri {
  bool valid = false;
  Integer warmLevel = 0;
  Single warmTemp = 0;  // deg C
  Single maxWind = 0;   // kt
  double value = 0;     // deg C per kt squared
};
Mri ComputeMri(Integer d, Integer h);

}  // namespace ondrik
