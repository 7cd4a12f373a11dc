// The sample-data generator's weather: air masses, the scripted series of
// them at each site, the sites, models and ensemble members, and the run's
// valid times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gendata {

// ---------------------------------------------------------------------------
// Air masses and the scripted weather of each site

struct AirMass {
  double slp = 1015;          // sea-level pressure, mb
  double tsfc = 10;           // daily-mean surface air temperature, °C
  double amp = 5;             // half the clear-sky diurnal range, °C
  double tdsfc = 0;           // surface dew point, °C
  double t850 = 5, t700 = -3, t500 = -20, t300 = -45;  // °C
  double ptrop = 230, ttrop = -57;                     // tropopause, mb and °C
  double t100 = -62, t50 = -58;
  double cap = 0, capP = 800;                // capping inversion: K, mb
  double nose = 0, noseP = 800;              // warm layer aloft: K, mb
  double moistDp = 100;                      // depth of the moist boundary layer, mb
  double rhMid = 50, rhUp = 30;              // free-air relative humidity, %
  double sat = 0, satBaseDp = 50, satTop = 500;  // saturated layer: 0..1, mb above ground, top mb
  double wlDir = 180, wlSpd = 15;            // wind about 100 mb above ground (deg, kt)
  double w5Dir = 250, w5Spd = 40;            // 500 mb wind
  double wjSpd = 80;                         // 250 mb jet speed
  double llj = 0;                            // nocturnal low-level jet, kt
  double omega = 0, omegaP = 600;            // peak vertical motion, Pa/s, and its pressure
  double rain = 0;                           // stratiform precipitation, mm/h
  double conv = 0;                           // convective precipitation potential, mm/h
  double lag = 0;  // hours per 100 mb by which the air aloft follows (+) or leads (-) the surface
};

struct Key {
  double t;  // hours after the run start
  AirMass m;
};

// The air mass at t hours, blended between the keys around it (the first or
// last key outside them).
AirMass Evaluate(const std::vector<Key>& keys, double t);

std::vector<Key> ScenarioPlains();
std::vector<Key> ScenarioCoastal();
std::vector<Key> ScenarioContinental();
std::vector<Key> ScenarioHighPlains();

struct Site {
  const char* id;
  double lat, lon, elev;  // degrees (east positive), metres
  int stnm;
  std::vector<Key> (*scenario)();
};

inline const Site kSites[] = {
    {"KOKC", 35.39, -97.60, 392.0, 723530, ScenarioPlains},
    {"KBOS", 42.36, -71.01, 5.0, 725090, ScenarioCoastal},
    {"KMSP", 44.88, -93.22, 256.0, 726580, ScenarioContinental},
    {"KDEN", 39.85, -104.66, 1656.0, 725650, ScenarioHighPlains},
};

enum class Layout { kEta, kGfs3 };

struct Model {
  const char* name;
  const char* key;
  Layout layout;
  int step;      // hours between forecast times
  int levels;
  double ptop;   // pressure of the top level, mb
};

struct Member {
  std::string title;
  double shift = 0;      // hours: the weather comes this much later
  double dT = 0;         // °C added to every temperature
  double dTd = 0;        // °C added to the dew points
  double windScale = 1;
  double precipScale = 1;
};

// Run start: 7 December 2026, 12 UTC.
constexpr int kRunYear = 2026, kRunMonth = 12, kRunDay = 7, kRunHour = 12;
constexpr int kHours = 85;

// "YYMMDD/HHMM" of the run start plus the given hours.
std::string ValidTime(int hours);

}  // namespace gendata
