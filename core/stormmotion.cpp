#include "core/stormmotion.h"

#include <cmath>

#include "core/shear.h"

namespace ondrik {

namespace {
// Deviation of a supercell's motion from the 0-6 km mean wind, m/s.
constexpr double kDeviation = 7.5;

// Writes a storm motion into every place that holds it.
void StoreStormMotion(Integer d, Integer h, Single u, Single v) {
  gStormU(d, h) = u;
  gWindU(d, h, -1) = u;
  gStormV(d, h) = v;
  gWindV(d, h, -1) = v;
  gStormMotionDir(d, h) = WindDirection(u, v);
  gStormMotionSpd(d, h) = std::sqrt(u * u + v * v);
}
}  // namespace

void MakeStormMotion(Integer hour) {
  const Integer d = gCurDataset;
  if (d < 0 || d > kMaxDatasets || hour < 0 || hour >= kMaxHours) return;
  const Integer h = hour;
  const Integer n = gNumLevels(d);

  // A profile that does not reach 6 km above ground gives no 0-6 km mean
  // wind: the hour keeps the storm motion it has (the file's at load), and
  // the mean wind and both movers are set to it so that nothing older shows.
  if (n < 1 || n > kMaxLevels || !(gHghtAGL(d, h, n) >= 6000.0f)) {
    const Single u = gStormU(d, h);
    const Single v = gStormV(d, h);
    gMeanWindDir(d, h) = WindDirection(u, v);
    gMeanWindSpd(d, h) = std::sqrt(u * u + v * v);
    gRightMoverU(d, h) = u;
    gRightMoverV(d, h) = v;
    gLeftMoverU(d, h) = u;
    gLeftMoverV(d, h) = v;
    StoreStormMotion(d, h, u, v);
    return;
  }

  // Height above ground of a level; level 0 stands for the ground.
  auto agl = [&](Integer L) { return L == 0 ? 0.0f : gHghtAGL(d, h, L); };

  // 1. Mean of the winds at 0, 1, ..., 6 km above ground. The level pointer
  // moves up only; the top level is at least 6 km high, so it stays in range.
  Single sumU = 0, sumV = 0;
  Integer L = 1;
  for (int k = 0; k <= 6; ++k) {
    const Single z = 1000.0f * static_cast<Single>(k);
    while (L < n && agl(L) < z) ++L;
    const Single h0 = agl(L - 1);
    const Single h1 = agl(L);
    const Single f = (h1 == h0) ? 0.0f : (z - h0) / (h1 - h0);
    sumU += gWindU(d, h, L - 1) + f * (gWindU(d, h, L) - gWindU(d, h, L - 1));
    sumV += gWindV(d, h, L - 1) + f * (gWindV(d, h, L) - gWindV(d, h, L - 1));
  }
  const Single um = sumU / 7;
  const Single vm = sumV / 7;

  // Heights above ground for the layer means, from the site elevation.
  const Single elev = 1000.0f * gSiteElev(d);
  auto above = [&](Integer i) { return gHght(d, h, i) - elev; };

  // 4. Pressure-weighted mean of the levels within 500 m of the ground.
  // Without such a level the 10-m wind stands for the layer.
  Single spL = 0, spuL = 0, spvL = 0;
  for (Integer i = 1; i <= n && above(i) <= 500.0f; ++i) {
    const Single p = gPres(d, h, i);
    spL += p;
    spuL += p * gWindU(d, h, i);
    spvL += p * gWindV(d, h, i);
  }
  const Single ul = spL > 0 ? spuL / spL : gWindU(d, h, 0);
  const Single vl = spL > 0 ? spvL / spL : gWindV(d, h, 0);

  // 5. Pressure-weighted mean of the levels 5500 to 6000 m above ground;
  // without one, the wind of the first level above 6000 m (or the top level).
  Single spU = 0, spuU = 0, spvU = 0;
  Integer end = n;
  for (Integer i = 1; i <= n; ++i) {
    const Single z = above(i);
    if (z > 6000.0f) {
      end = i;
      break;
    }
    if (z >= 5500.0f) {
      const Single p = gPres(d, h, i);
      spU += p;
      spuU += p * gWindU(d, h, i);
      spvU += p * gWindV(d, h, i);
    }
  }
  const Single uu = spU > 0 ? spuU / spU : gWindU(d, h, end);
  const Single vu = spU > 0 ? spvU / spU : gWindV(d, h, end);

  // 6-7. Movers: 7.5 m/s to either side of the shear vector. Without shear
  // there is no side to move to and both movers are the mean wind.
  const double su = static_cast<double>(uu) - ul;
  const double sv = static_cast<double>(vu) - vl;
  const double s = std::sqrt(su * su + sv * sv);
  double du = 0, dv = 0;
  if (s > 0) {
    du = kDeviation * sv / s;
    dv = -kDeviation * su / s;
  }

  // 8.
  gMeanWindDir(d, h) = WindDirection(um, vm);
  gMeanWindSpd(d, h) = std::sqrt(um * um + vm * vm);
  gRightMoverU(d, h) = static_cast<Single>(um + du);
  gRightMoverV(d, h) = static_cast<Single>(vm + dv);
  gLeftMoverU(d, h) = static_cast<Single>(um - du);
  gLeftMoverV(d, h) = static_cast<Single>(vm - dv);
  StoreStormMotion(d, h, gRightMoverU(d, h), gRightMoverV(d, h));
}

}  // namespace ondrik
