#include "panels/fogrules.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"

namespace ondrik {

namespace {
constexpr Single kNoManualCrossover = 999;
constexpr Rgb kGaugeGreen{0, 255, 0}, kGaugeYellow{255, 255, 0}, kGaugeGrey{192, 192, 192},
    kGaugeWhite{255, 255, 255};

void Verdict(FogGauge& g, const char* first, double x1, const char* second = nullptr, double x2 = 0) {
  g.verdict[0] = first;
  g.verdictX[0] = x1;
  g.verdict[1] = second;
  g.verdictX[1] = x2;
}

}  // namespace

void HumidityAxis(Single v, double& M, double& s) {
  if (!(v >= 2)) {
    M = 2;
    s = 0.5;
  } else if (v <= 19.9999f) {
    M = 5 * std::floor(v / 5.0) + 5;
    s = M / 5;
  } else {
    M = 20;
    s = 4;
  }
}

Crossover FindCrossover(Integer d, Integer h, Single hoursPerStep) {
  Crossover c;
  c.sourceHour = h;
  if (XoverManual(d, h) != kNoManualCrossover) {
    c.temp = XoverManual(d, h);
    c.manual = true;
    return c;
  }
  // A file of one hour has no step: only the hour itself is searched.
  const int n = std::isfinite(hoursPerStep) && hoursPerStep > 0
                    ? static_cast<int>(std::min(std::floor(23.0 / hoursPerStep), 84.0))
                    : 0;
  Single warmest = -999;
  for (int k = 0; k <= n && h - k >= 0; ++k) {
    if (gSfcTemp(d, h - k) > warmest) {
      warmest = gSfcTemp(d, h - k);
      c.temp = gSfcDewpt(d, h - k);
      c.hoursBack = k;
      c.sourceHour = h - k;
    }
  }
  return c;
}

FogGauge AirGauge(double a) {
  FogGauge g;
  g.textX = 13;
  if (a > 1) {
    g.box = kGaugeGreen;
    g.above = true;
    Verdict(g, "Less", 14, "Likely", 13.5);
  } else if (a > 0) {
    g.box = kGaugeYellow;
    g.above = true;
    Verdict(g, "Br Psbl", 13);
  } else if (a >= -1) {
    g.box = kGaugeGrey;
  } else if (a > -3) {
    g.box = kGaugeGrey;
    Verdict(g, "Br  More", 12, "Likely", 13.5);
  } else {
    g.box = kGaugeWhite;
    g.prefix = "T = ";
    Verdict(g, "F  More", 12.5, "Likely", 13.5);
  }
  return g;
}

FogGauge GroundGauge(double v) {
  FogGauge g;
  g.textX = 28;
  if (v > 5) {
    g.box = kGaugeGreen;
    g.above = true;
    Verdict(g, "Less", 29, "Likely", 28.5);
  } else if (v >= 0) {
    g.box = kGaugeYellow;
    g.above = true;
  } else if (v > -5) {
    g.box = kGaugeYellow;
  } else {
    g.box = kGaugeWhite;
    g.prefix = "T = ";
    g.textX = 27.5;
    Verdict(g, "More", 29, "Likely", 28.5);
  }
  return g;
}

Mri ComputeMri(Integer d, Integer h) {
  Mri m;
  const Integer n = std::min(gNumLevels(d), kMaxLevels);
  const Single sfcPres = gSfcPres(d, h);
  Single warmest = -999;
  for (Integer L = 1; L <= n && sfcPres - gPres(d, h, L) <= 100; ++L) {
    if (gTemp(d, h, L) > warmest) {
      warmest = gTemp(d, h, L);
      m.warmLevel = L;
    }
  }
  if (m.warmLevel == 0) return m;
  m.warmTemp = warmest;
  Single strongest = -999;
  for (Integer L = 1; L <= m.warmLevel && gHghtAGL(d, h, L) / kFeetToMetre <= 1500; ++L)
    strongest = std::max(strongest, gWspd(d, h, L));
  m.maxWind = strongest;
  // No wind, or no level low enough to have one: no number.
  if (!(strongest > 0)) return m;
  m.value = (static_cast<double>(warmest) - gSfcTemp(d, h)) / (static_cast<double>(strongest) * strongest);
  m.valid = std::isfinite(m.value);
  return m;
}

}  // namespace ondrik
