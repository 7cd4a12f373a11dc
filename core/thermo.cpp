#include "core/thermo.h"

#include <cmath>
#include <limits>

namespace ondrik {

namespace {
float Nan() { return std::numeric_limits<float>::quiet_NaN(); }

// Four floats, or four lane masks (all bits set for true), handled as one.
using Lanes = float __attribute__((vector_size(16)));
using LaneMask = int __attribute__((vector_size(16)));
constexpr int kLanes = 4;

inline bool Any(LaneMask m) { return (m[0] | m[1] | m[2] | m[3]) != 0; }
inline Lanes Abs(Lanes v) { return v < 0.0f ? -v : v; }

// Wobus() in every lane: both sides of the fit worked out and the lane's own
// kept.
inline Lanes WobusLanes(Lanes t) {
  const Lanes x = t - 20.0f;
  const LaneMask atOrBelow = x <= 0.0f;
  return atOrBelow ? WobusAtOrBelow20(x) : WobusAbove20(x);
}

// SatTempAtFactor's search in every lane, for pressures that take the search
// (finite, positive and not 1000 mb), thm finite.
Lanes SatTempLanes(float thm, float wobusThm, Lanes f) {
  Lanes t1 = (thm + kKelvinF) * f - kKelvinF;
  Lanes e1 = WobusLanes(t1) - wobusThm;
  Lanes rate = Lanes{} + 1.0f;
  Lanes t2 = t1;
  Lanes correction = Lanes{};
  LaneMask searching = LaneMask{} - 1;
  for (int step = 0; step < kMaxSecantSteps && Any(searching); ++step) {
    const Lanes t2Next = t1 - e1 * rate;
    const Lanes th = (t2Next + kKelvinF) / f - kKelvinF;
    const Lanes e2 = WobusLanes(t2Next) + th - WobusLanes(th) - thm;
    const Lanes correctionNext = e2 * rate;
    t2 = searching ? t2Next : t2;
    correction = searching ? correctionNext : correction;
    // A lane stops where the scalar search breaks: a small correction (or
    // one that is not a number), or two equal errors.
    searching &= (Abs(correctionNext) > kSecantTolerance) & (e2 != e1);
    rate = searching ? (t2Next - t1) / (e2 - e1) : rate;
    t1 = searching ? t2Next : t1;
    e1 = searching ? e2 : e1;
  }
  return t2 - correction;
}
}  // namespace

void SatTempsAtFactors(float thm, float wobusThm, const float* p, const float* f, int count, float* out) {
  for (int k = 0; k < count; k += kLanes) {
    const int n = count - k < kLanes ? count - k : kLanes;
    // Lanes past the end, and pressures with an answer of their own, search
    // from a harmless factor; their results are not kept.
    Lanes fl = Lanes{} + 1.0f;
    bool searchAll = std::isfinite(thm);
    for (int j = 0; j < n; ++j) {
      const float pj = p[k + j];
      const bool searches = std::isfinite(pj) && pj > 0.0f && !(std::fabs(pj - 1000.0f) <= 0.001f);
      if (searches) fl[j] = f[k + j];
      searchAll = searchAll && searches;
    }
    if (!searchAll) {
      for (int j = 0; j < n; ++j) out[k + j] = SatTempAtFactor(thm, wobusThm, p[k + j], f[k + j]);
      continue;
    }
    const Lanes t = SatTempLanes(thm, wobusThm, fl);
    for (int j = 0; j < n; ++j) out[k + j] = t[j];
  }
}

float PotentialTemp(float t, float p) {
  const float factor = static_cast<float>(std::pow(1000.0 / static_cast<double>(p), kKappaSingle));
  return (t + kKelvinF) * factor - kKelvinF;
}

float SatTempAtPressure(float thm, float p) {
  if (!std::isfinite(thm) || !std::isfinite(p) || !(p > 0.0f)) return Nan();
  return SatTempAtFactor(thm, Wobus(thm), p, PressureFactor(p));
}

float PressureFactor(float p) {
  return static_cast<float>(std::pow(static_cast<double>(p) / 1000.0, kKappaSingle));
}

float LiftMoist(float t, float p1, float p2) {
  const float theta = PotentialTemp(t, p1);
  const float thm = theta - Wobus(theta) + Wobus(t);
  return SatTempAtPressure(thm, p2) + 0.3f * (p2 - p1) / 500.0f;
}

}  // namespace ondrik
