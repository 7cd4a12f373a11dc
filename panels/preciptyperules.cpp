#include "panels/preciptyperules.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"

namespace ondrik {

namespace {
constexpr int kMaxEnergyTrail = 6;
constexpr Single kSnowEnergy = 5.6f;       // J/kg
constexpr Single kRainEnergy = 13.2f;      // J/kg
constexpr Single kIceCloudDepthFt = 2000;  // a deeper cloud this warm holds no ice
constexpr Single kIceCloudTopTemp = -10.0f;

bool SurfacePattern(const std::string& p) { return p == "AB" || p == "BB"; }
}  // namespace

bool Thicknesses(Integer d, Integer h, double& lower, double& upper) {
  const double h1000 = ThickHeights(d, h, 1), h850 = ThickHeights(d, h, 2), h700 = ThickHeights(d, h, 3);
  // A height of 0 is a level the profile does not reach.
  if (!std::isfinite(h1000) || !std::isfinite(h850) || !std::isfinite(h700) || h850 == 0 || h700 == 0) return false;
  lower = h850 - h1000;
  upper = h700 - h850;
  return true;
}

void ThicknessChartPoint(double lower, double upper, double& x, double& y) {
  x = std::clamp(upper, kThickUpperMin, kThickUpperMax);
  y = std::clamp(lower, kThickLowerMin, kThickLowerMax);
}

double ThicknessTrailRadius(int n, int age) {
  if (n < 1) return 1.8;
  return 1.8 - (1.1 / n) * age;
}

EnergyDiagram DiagramOf(const std::string& p) {
  if (SurfacePattern(p)) return EnergyDiagram::Surface;
  if (p == "BA") return EnergyDiagram::Elevated;
  if (p == "ABAB") return EnergyDiagram::TwoLayer;
  return EnergyDiagram::None;
}

bool SameFamily(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  if (a.size() < 2) return a == b;
  return a[1] == b[1];
}

int EnergyTrailLength(Integer d, Integer hour, EnergyDiagram diagram, bool trailOn) {
  if (!trailOn) return 0;
  int n = 0;
  for (Integer i = hour - 1; i >= 0 && n < kMaxEnergyTrail; --i) {
    const bool surface = SurfacePattern(gEnergyPattern(d, i));
    if (diagram == EnergyDiagram::Surface ? !surface : surface) break;
    ++n;
  }
  return n;
}

Rgb SurfacePointColour(Single e) {
  if (e < kSnowEnergy) return kSnowPoint;
  if (e < kRainEnergy) return kSnowOrRainPoint;
  return kRainPoint;
}

Rgb LayerPointColour(Single pos, Single neg, const std::string& pattern, bool* refreezes) {
  const Single line = pos * 300.0f / 450.0f + 50.0f;
  const bool above = neg >= line;
  if (refreezes != nullptr) *refreezes = above;
  if (above) return neg < line + 20.0f ? kBarelyRefreezingPoint : kSleetPoint;
  return pattern == "ABAB" ? kRainPoint : kFreezingRainPoint;
}

TopDown TopDownOf(Integer d, Integer h, Integer startLevel) {
  TopDown t;
  const Integer top = gCloudTopLevel(d, h);
  const Integer n = std::min(gNumLevels(d), kMaxLevels);
  if (top < 1 || top > n || startLevel < 1 || startLevel > n) return t;
  t.valid = true;
  const Single depth = gHght(d, h, top) - gHght(d, h, startLevel);
  t.cloudTopFt = static_cast<Single>(depth / kFeetToMetre);
  t.cloudTopTemp = gTemp(d, h, top);
  t.seederFeeder = gSeederFeeder(d, h);
  // The rule reads the cloud top as printed, so the two always agree.
  if (gPtypeSrcA(d, h) == kPtypeSnow && t.cloudTopFt > kIceCloudDepthFt && t.cloudTopTemp > kIceCloudTopTemp)
    t.warning = gSfcTemp(d, h) > 0 ? IceWarning::Drizzle : IceWarning::FreezingDrizzle;
  return t;
}

}  // namespace ondrik
