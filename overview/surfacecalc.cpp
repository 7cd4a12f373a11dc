// The comfort formulas of the surface strips: apparent temperature, wind
// chill, heat classes and the steps of the 3-hour pressure change.
#include <algorithm>
#include <cmath>

#include "overview/calc.h"

namespace ondrik {

Single ApparentTemperature(Single tc, Single rh) {
  const double t = tc;
  const Single pv = static_cast<Single>(6.11 * std::pow(10.0, 7.567 * t / (t + 239.7)) * rh * 0.01);
  const double pa = pv * 0.1;
  const double er = 180 * (0.143 - 0.00112 * t - 0.0168 * pa);
  double tapp = 0;
  bool answered = false;
  {
    const double ra = 1 / (0.036 * t + 4.18 + 17.4), za = 0.060606 / 17.4;
    const double rf = 1 / (0.049 * t + 3.35 + 11.6), zf = 0.060606 / 11.6;
    const double x1 = ((37 - t) + ra * (5.65 - pa) / (za + 0.0521)) / (ra + 0.0387);
    const double qc = ((180 - er) - 0.16 * x1) / 0.84;
    const double b = (zf + 0.0521) / 0.124 + rf + 0.0387 - ((5.65 - pa) / 0.124 + 37 - t) / qc;
    const double c = ((zf + 0.0521) * (rf + 0.0387) - (rf * (5.65 - pa) + (zf + 0.0521) * (37 - t)) / qc) / 0.124;
    const Single disc = static_cast<Single>(b * b - 4 * c);
    if (disc >= 0) {
      const double x = (-b + std::sqrt(static_cast<double>(disc))) * 0.5;
      if (!(static_cast<Single>(60 * x) < 0)) {
        const double k1 = 0.16 / (ra + 0.0387), k2 = 0.84 / (rf + x + 0.0387);
        const double k3 = 4.05 * ra / (za + 0.0521), k4 = 4.05 * (rf + x) / (zf + 0.124 * x + 0.0521);
        tapp = (k2 * (k4 + 37) + k1 * (k3 + 37) - 159.0984) / (k1 + k2 + 0.2016);
        answered = true;
      }
    }
  }
  if (!answered) {
    const double ra2 = 1 / (0.028 * t + 4.1 + 12.3), za2 = 0.060606 / 12.3;
    double x = 0.0387, z = 0;
    for (int i = 0; i < 10; ++i) {
      z = ra2 * (5.65 - pa) / ((ra2 + x) * (180 - er) - (37 - t)) - za2;
      if (z < 0) z = 0;
      const double xn = std::pow(z / 600000, 0.2);
      if (std::abs(x - xn) <= 0.0001) break;
      x = (x + xn) * 0.5;
    }
    tapp = ((4.05 * ra2 / (za2 + z) + 37) / (ra2 + x) - 159.0984) / (1 / (ra2 + x) + 0.2016);
  }
  return static_cast<Single>(1.8 * tapp + 32);
}

Single WindChill(double t, Single knots) {
  const double tf = t * 9 / 5 + 32, v = std::pow(std::max(0.0, knots * 1.1508), 0.16);
  const double wc = 35.74 + 0.6215 * tf - 35.75 * v + 0.4274 * tf * v;
  return static_cast<Single>(wc > tf ? tf : wc);
}

int HeatClass(Single f) {
  if (f < 80) return 5;
  if (f < 90) return 4;
  if (f < 105) return 3;
  if (f < 130) return 2;
  return 1;
}

Integer PresChangeSteps(Single hoursPerStep, Single fallbackStep) {
  const Single step = hoursPerStep > 0 ? hoursPerStep : fallbackStep > 0 ? fallbackStep : 1;
  if (step > 3) return 0;  // no two forecast times 3 hours apart
  return static_cast<Integer>(std::min<Single>(3 / step, kMaxHours));
}

}  // namespace ondrik
