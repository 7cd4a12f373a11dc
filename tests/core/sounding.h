// Test helper: writes a hand-made sounding into the current profile store the
// way the reader would (humidity, wind components, heights above ground).
#pragma once

#include <cmath>
#include <vector>

#include "core/store.h"

namespace ondrik::testing {

struct Level {
  float p;     // mb
  float t;     // deg C
  float td;    // deg C
  float wdir;  // degrees, direction the wind blows from
  float wspd;  // knots
  float hght;  // m above sea level
};

// Fills dataset d, hour h with the levels (bottom up). Sets gNumLevels(d),
// raises gLastHour(d) to at least h, makes d the only dataset when d is 1,
// and sets the surface values (level 0) from the first level.
inline void SetSounding(int d, int h, const std::vector<Level>& levels, float siteElevM = -1) {
  const float elev = siteElevM >= 0 ? siteElevM : levels.front().hght;
  gNumLevels(d) = static_cast<int>(levels.size());
  if (gLastHour(d) < h) gLastHour(d) = h;
  if (gDatasetCount < d) gDatasetCount = d;
  gCurDataset = d;
  gSiteElev(d) = elev / 1000.0f;
  for (size_t k = 0; k < levels.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    const Level& L = levels[k];
    gPres(d, h, i) = L.p;
    gTemp(d, h, i) = L.t;
    gDewpt(d, h, i) = L.td;
    gWdir(d, h, i) = L.wdir;
    gWspd(d, h, i) = L.wspd;
    gHght(d, h, i) = L.hght;
    gHghtAGL(d, h, i) = L.hght - elev;
    const double e = 6.112 * std::exp(17.67 * L.td / (L.td + 243.5));
    const double es = 6.112 * std::exp(17.67 * L.t / (L.t + 243.5));
    gRH(d, h, i) = static_cast<float>(100 * e / es);
    gRHIce(d, h, i) = gRH(d, h, i);
    const double f = 1.001 + 0.0034 * (L.p - 100) / 900;
    gMixRatioSat(d, h, i) = static_cast<float>(0.62197 * es * f / (L.p - es * f) * 1000);
    gMixRatio(d, h, i) = static_cast<float>(0.62197 * e * f / (L.p - e * f) * 1000);
    gSpecHum(d, h, i) = gMixRatio(d, h, i) / (gMixRatio(d, h, i) + 1000) * 1000;
    gTheta(d, h, i) = static_cast<float>((L.t + 273.16) * std::pow(1000.0 / L.p, 2.0 / 7.0));
    // Wet bulb: a rough one-third rule is enough for the tests that use it.
    gWetBulb(d, h, i) = L.t - (L.t - L.td) / 3.0f;
    const double rad = (270.0 - L.wdir) * M_PI / 180.0;
    gWindU(d, h, i) = static_cast<float>(L.wspd / 1.94254 * std::cos(rad));
    gWindV(d, h, i) = static_cast<float>(L.wspd / 1.94254 * std::sin(rad));
    gWindUAsLoaded(d, h, i) = gWindU(d, h, i);
    gWindVAsLoaded(d, h, i) = gWindV(d, h, i);
  }
  gPres(d, h, 0) = levels.front().p;
  gSfcPres(d, h) = levels.front().p;
  gSfcTemp(d, h) = levels.front().t;
  gSfcDewpt(d, h) = levels.front().td;
  gHght(d, h, 0) = elev;
  gWindU(d, h, 0) = gWindU(d, h, 1);
  gWindV(d, h, 0) = gWindV(d, h, 1);
  gWdir(d, h, 0) = gWdir(d, h, 1);
  gWspd(d, h, 0) = gWspd(d, h, 1);
}

}  // namespace ondrik::testing
