#include "core/thermo.h"

#include <cmath>
#include <limits>

namespace ondrik {

namespace {
constexpr float kSecantTolerance = 0.1f;
// The secant search converges in a handful of steps on real soundings; the
// cap only keeps a pathological input from looping.
constexpr int kMaxSecantSteps = 50;

float Nan() { return std::numeric_limits<float>::quiet_NaN(); }
}  // namespace

float PotentialTemp(float t, float p) {
  const float factor = static_cast<float>(std::pow(1000.0 / static_cast<double>(p), kKappaSingle));
  return (t + kKelvinF) * factor - kKelvinF;
}

float Wobus(float t) {
  const float x = t - 20.0f;
  if (x <= 0.0f) {
    float pol = -3.8598073e-10f;
    pol = -3.2607217e-8f + x * pol;
    pol = -9.671989e-7f + x * pol;
    pol = 1.4714143e-4f + x * pol;
    pol = -8.8416605e-3f + x * pol;
    pol = 1.0f + x * pol;
    const float pol2 = pol * pol;
    return 15.13f / (pol2 * pol2);
  }
  float pol = 1.668828e-16f;
  pol = -1.2588129e-13f + x * pol;
  pol = 3.9401551e-11f + x * pol;
  pol = -6.1059365e-9f + x * pol;
  pol = 4.9618922e-7f + x * pol;
  pol = -1.3603273e-5f + x * pol;
  pol = 3.6182989e-3f + x * pol;
  pol = 1.0f + x * pol;
  const float pol2 = pol * pol;
  return 29.93f / (pol2 * pol2) + 0.96f * x - 14.8f;
}

float SatTempAtPressure(float thm, float p) {
  if (!std::isfinite(thm) || !std::isfinite(p) || !(p > 0.0f)) return Nan();
  return SatTempAtFactor(thm, Wobus(thm), p, PressureFactor(p));
}

float PressureFactor(float p) {
  return static_cast<float>(std::pow(static_cast<double>(p) / 1000.0, kKappaSingle));
}

float SatTempAtFactor(float thm, float wobusThm, float p, float f) {
  // A temperature or pressure that is not a number, or a pressure that is not
  // positive, has no saturated adiabat to follow.
  if (!std::isfinite(thm) || !std::isfinite(p) || !(p > 0.0f)) return Nan();
  if (std::fabs(p - 1000.0f) <= 0.001f) return thm;

  float t1 = (thm + kKelvinF) * f - kKelvinF;
  float e1 = Wobus(t1) - wobusThm;
  float rate = 1.0f;
  float t2 = t1;
  float correction = 0.0f;
  for (int step = 0; step < kMaxSecantSteps; ++step) {
    t2 = t1 - e1 * rate;
    const float th = (t2 + kKelvinF) / f - kKelvinF;
    const float e2 = Wobus(t2) + th - Wobus(th) - thm;
    correction = e2 * rate;
    if (!(std::fabs(correction) > kSecantTolerance)) break;
    // Two equal errors give no slope: the current estimate is the best one.
    if (e2 == e1) break;
    rate = (t2 - t1) / (e2 - e1);
    t1 = t2;
    e1 = e2;
  }
  return t2 - correction;
}

float LiftMoist(float t, float p1, float p2) {
  const float theta = PotentialTemp(t, p1);
  const float thm = theta - Wobus(theta) + Wobus(t);
  return SatTempAtPressure(thm, p2) + 0.3f * (p2 - p1) / 500.0f;
}

}  // namespace ondrik
