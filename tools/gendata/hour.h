// One forecast hour of the sample data: the levels, the station indices
// and the surface record, all derived from the site's scripted air masses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/gendata/weather.h"

namespace gendata {

struct Level {
  double p, t, tw, td, te, wdir, wspd, u, v, omega, cfrl, z, rh;
};

struct Indices {
  double show, li, sweat, ki, lclp, pw, tt, cape, lclt, cin, el, lfc, brn;
};

struct Surface {
  double ps, slp, t2, td2, q2, skin, soil1, soil2, u10, v10;  // soil1, soil2 in K, t2, td2, skin in °C
  double precip, conv, runoff, evap, snra, lcld, mcld, hcld, tcld;
  double stormU, stormV, srh, cloudBase, vis, snowfall;
  int ptype;
};

struct Hour {
  std::string time;  // YYMMDD/HHMM
  int fhr;
  std::vector<Level> lv;
  Indices ix;
  Surface s;
};

// Forecast hours 0 .. count-1 of one dataset; the seed makes its noise.
std::vector<Hour> MakeHours(const Site& site, const Model& model, const Member& member, uint64_t seed, int count);

}  // namespace gendata
