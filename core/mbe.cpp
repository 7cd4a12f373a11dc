#include "core/mbe.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/guards.h"
#include "core/shear.h"

namespace ondrik {

namespace {
Single Length(Single u, Single v) {
  return static_cast<Single>(std::sqrt(static_cast<double>(v) * v + static_cast<double>(u) * u));
}
}  // namespace

bool gMbeForwardProp = false;

void ComputeMBEVectors(Integer dataset, Integer hour, Integer jetLevel, bool forwardProp) {
  const Integer d = dataset;
  const Integer h = hour;
  if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || h > gLastHour(d)) return;
  const Integer n = std::min(gNumLevels(d), kMaxLevels);
  if (n < 1) return;

  // 1-2. Unweighted mean wind of the levels from 850 to 300 mb. Without such
  // a level the cloud-layer wind is calm.
  double sumU = 0, sumV = 0;
  int count = 0;
  for (Integer L = 1; L <= n; ++L) {
    const Single p = gPres(d, h, L);
    if (p < 300.0f) break;
    if (p > 850.0f) continue;
    sumU += gWindU(d, h, L);
    sumV += gWindV(d, h, L);
    ++count;
  }
  const Single cu = count > 0 ? static_cast<Single>(sumU / count * kKnotsPerMps) : 0.0f;
  const Single cv = count > 0 ? static_cast<Single>(sumV / count * kKnotsPerMps) : 0.0f;
  gCloudLayerU(d, h) = cu;
  gCloudLayerV(d, h) = cv;
  gCloudLayerDir(d, h) = WindDirection(cu, cv);
  gCloudLayerSpd(d, h) = Length(cu, cv);

  // 3. Low-level jet.
  if (jetLevel != 0) {
    const Integer j = std::clamp(jetLevel, 1, n);
    gLLJDir(d, h) = gWdir(d, h, j);
    gLLJSpd(d, h) = gWspd(d, h, j);
    gLLJPres(d, h) = gPres(d, h, j);
    gLLJUncertain(d, h) = 0;
  } else {
    gLLJDir(d, h) = gWdir(d, h, 1);
    gLLJSpd(d, h) = gWspd(d, h, 1);
    gLLJPres(d, h) = gPres(d, h, 1);
    gLLJUncertain(d, h) = 0;
    for (Integer L = 2; L <= n; ++L) {
      if (gPres(d, h, L) < 800.0f) break;
      if (gWspd(d, h, L) > gLLJSpd(d, h)) {
        gLLJDir(d, h) = gWdir(d, h, L);
        gLLJSpd(d, h) = gWspd(d, h, L);
        gLLJPres(d, h) = gPres(d, h, L);
        // A jet at the top of the searched layer may have a stronger wind
        // above it; so may a jet at the top of the profile.
        gLLJUncertain(d, h) = (L == n || gPres(d, h, L + 1) < 800.0f) ? -1 : 0;
      }
    }
  }

  // 4.
  const double a = (270.0 - gLLJDir(d, h)) * kRadPerDeg;
  gLLJU(d, h) = static_cast<Single>(gLLJSpd(d, h) * std::cos(a));
  gLLJV(d, h) = static_cast<Single>(gLLJSpd(d, h) * std::sin(a));

  // 5. Upwind-propagating vector: cloud-layer wind minus jet.
  gMbeU(d, h) = cu - gLLJU(d, h);
  gMbeV(d, h) = cv - gLLJV(d, h);

  // 6. Forward-propagating vector: the cloud-layer wind plus the upwind one.
  if (forwardProp) {
    gMbeUpwindU(d, h) = gMbeU(d, h);
    gMbeUpwindV(d, h) = gMbeV(d, h);
    gMbeUpwindDir(d, h) = WindDirection(gMbeU(d, h), gMbeV(d, h));
    gMbeU(d, h) += cu;
    gMbeV(d, h) += cv;
  }

  // 7-8.
  gMbeDir(d, h) = WindDirection(gMbeU(d, h), gMbeV(d, h));
  gMbeSpd(d, h) = Length(gMbeU(d, h), gMbeV(d, h));
  MarkDone(gMbeDone(d, h));
}

}  // namespace ondrik
