#include "panels/hodoedit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/guards.h"
#include "core/levels.h"
#include "core/shear.h"
#include "core/stormmotion.h"

namespace ondrik {

namespace {

// Levels a drag reaches on either side of the picked one.
constexpr Integer kDragReach = 4;
// Metres per second of one knot in the read-out.
constexpr double kMpsPerKnot = 0.514791;


// "#.0": one decimal, no digit before the point below 1 (".4").
std::string KmText(double km) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", std::round(km * 10) / 10);
  std::string s = buf;
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s;
}

bool HourExists(Integer D, Integer H) {
  return D >= 1 && D <= std::min<Integer>(gDatasetCount, kMaxDatasets) && H >= 0 && H < kMaxHours &&
         H <= gLastHour(D);
}

// The level of every loaded hour nearest km above its own ground, in the order
// datasets, hours; `fits` decides whether the hour takes it. Applies all or
// nothing.
template <typename Fits, typename Apply>
bool SetLayerBound(Single km, Fits fits, Apply apply) {
  struct Choice {
    Integer D, H, L;
  };
  std::vector<Choice> choices;
  const Integer count = std::min<Integer>(gDatasetCount, kMaxDatasets);
  for (Integer D = 1; D <= count; ++D) {
    const CurrentDatasetGuard own(D);  // each dataset's own heights
    for (Integer H = 0; H <= std::min<Integer>(gLastHour(D), kMaxHours - 1); ++H) {
      const Integer L = LevelOfHeight(H, km);
      if (!fits(D, H, L)) return false;
      choices.push_back({D, H, L});
    }
  }
  for (const Choice& c : choices) {
    apply(c.D, c.H, c.L);
    gHelicityDone(c.D, c.H) = 0;
  }
  return true;
}

void MarkEdited(Integer D, Integer H) {
  gWindEdited(D, H) = true;
  ClearWindResults(D, H);
}

}  // namespace

bool SetHelicityLayerTop(Single km) {
  return SetLayerBound(
      km, [](Integer D, Integer H, Integer L) { return L > gSRHBottomLevel(D, H); },
      [](Integer D, Integer H, Integer L) { gSRHTopLevel(D, H) = L; });
}

bool SetHelicityLayerBottom(Single km) {
  return SetLayerBound(
      km, [](Integer D, Integer H, Integer L) { return L < gSRHTopLevel(D, H); },
      [](Integer D, Integer H, Integer L) { gSRHBottomLevel(D, H) = L; });
}

void ClearWindResults(Integer D, Integer H) {
  gHelicityDone(D, H) = 0;
  gBulkShearDone(D, H) = false;
  gMbeDone(D, H) = 0;
  MatrixPageDone(D, H) = 0;
}

void MoveStormMotion(Integer D, Integer H, Single u, Single v) {
  if (!HourExists(D, H)) return;
  gStormU(D, H) = u;
  gStormV(D, H) = v;
  gWindU(D, H, -1) = u;
  gWindV(D, H, -1) = v;
  gStormMotionDir(D, H) = WindDirection(u, v);
  gStormMotionSpd(D, H) = std::sqrt(u * u + v * v);
  UserStormSet(D, H) = 1;
  MarkEdited(D, H);
}

Single DragWeight(Integer L, Integer m) {
  const Integer k = std::abs(m - L);
  if (k > kDragReach) return 0.0f;
  return 1.0f - static_cast<Single>(k) / 5.0f;
}

void DraggedLevels(Integer D, Integer H, Integer L, Integer& first, Integer& last) {
  const Integer top = std::min({gSRHTopLevel(D, H), gNumLevels(D), kMaxLevels});
  first = std::max(L - kDragReach, 0);
  last = std::min(L + kDragReach, top);
}

void SaveDragStart(HodoDrag& drag, Integer D, Integer H, Integer L) {
  if (!HourExists(D, H)) return;
  Integer first, last;
  DraggedLevels(D, H, L, first, last);
  for (Integer m = first; m <= last; ++m) {
    drag.u[static_cast<size_t>(m)] = gWindU(D, H, m);
    drag.v[static_cast<size_t>(m)] = gWindV(D, H, m);
  }
}

void MoveLevel(const HodoDrag& drag, Integer D, Integer H, Integer L, Single u, Single v) {
  if (!HourExists(D, H) || L < 0 || L > kMaxLevels) return;
  Integer first, last;
  DraggedLevels(D, H, L, first, last);
  const Single du = u - drag.u[static_cast<size_t>(L)];
  const Single dv = v - drag.v[static_cast<size_t>(L)];
  for (Integer m = first; m <= last; ++m) {
    const Single w = DragWeight(L, m);
    gWindU(D, H, m) = w * du + drag.u[static_cast<size_t>(m)];
    gWindV(D, H, m) = w * dv + drag.v[static_cast<size_t>(m)];
  }
  {
    const CurrentDatasetGuard own(D);
    MakeStormMotion(H);
  }
  UserStormSet(D, H) = 0;  // the storm motion follows the winds again
  MarkEdited(D, H);
}

void PlaceBoundary(Integer D, Integer H, Single u, Single v) {
  if (!HourExists(D, H)) return;
  BoundaryMotionU(D, H) = u;
  BoundaryMotionV(D, H) = v;
  BoundaryShown(D, H) = true;
  gWindEdited(D, H) = true;
}

void ToggleBoundary(Integer D, Integer H) {
  if (!HourExists(D, H)) return;
  BoundaryShown(D, H) = !BoundaryShown(D, H);
}

void ResetHour(Integer D, Integer H) {
  if (!HourExists(D, H)) return;
  // Level -1 too: a profile too short for a computed storm motion keeps the
  // one it was loaded with, not the one set by hand.
  for (Integer L = -1; L <= std::min(gNumLevels(D), kMaxLevels); ++L) {
    gWindU(D, H, L) = gWindUAsLoaded(D, H, L);
    gWindV(D, H, L) = gWindVAsLoaded(D, H, L);
  }
  gStormU(D, H) = gWindU(D, H, -1);
  gStormV(D, H) = gWindV(D, H, -1);
  ClearWindResults(D, H);
  {
    const CurrentDatasetGuard own(D);
    MakeStormMotion(H);
  }
  gWindEdited(D, H) = false;
  UserStormSet(D, H) = 0;
  BoundaryShown(D, H) = false;
}

Integer NearestHodoPoint(Integer D, Integer H, Single u, Single v) {
  if (!HourExists(D, H)) return kNoPoint;
  const Integer top = std::min({gSRHTopLevel(D, H), gNumLevels(D), kMaxLevels});
  double best = 99999;
  Integer picked = kNoPoint;
  for (Integer c = kStormPoint; c <= top; ++c) {
    const double dv = static_cast<double>(gWindV(D, H, c)) - v;
    const double du = static_cast<double>(gWindU(D, H, c)) - u;
    const double d = std::sqrt(dv * dv + du * du);
    if (d < best) {
      best = d;
      picked = c;
    }
  }
  return best < kPickRadius ? picked : kNoPoint;
}

std::vector<std::string> HodoReadOut(Integer D, Integer H, Integer point, Single u, Single v) {
  std::vector<std::string> lines;
  if (point == kStormPoint) {
    lines = {"Storm", "Motion"};
  } else if (point == kBoundaryReadout) {
    lines = {"Boundary", "Motion"};
  } else if (HourExists(D, H) && point >= 0 && point <= kMaxLevels) {
    lines = {KmText(gHght(D, H, point) / 1000.0 - gSiteElev(D)) + " km",
             std::to_string(NearestWhole(gPres(D, H, point))) + " mb"};
  }
  const double speed = std::sqrt(static_cast<double>(u) * u + static_cast<double>(v) * v);
  lines.push_back(std::to_string(NearestWhole(WindDirection(u, v))) + "\u00BA " + std::to_string(NearestWhole(speed)) + " m/s");
  lines.push_back(std::to_string(NearestWhole(speed / kMpsPerKnot)) + " kts");
  return lines;
}

BoundaryRelative RelativeToBoundary(double bu, double bv, double dir, double speed) {
  const double bdir = WindDirection(static_cast<Single>(bu), static_cast<Single>(bv));
  const double bspd = std::sqrt(bu * bu + bv * bv);
  BoundaryRelative r;
  r.speed = speed * std::cos((bdir - dir) * kRadPerDegRounded) - bspd;
  r.u = r.speed * std::cos((450 - bdir) * kRadPerDegRounded);
  r.v = r.speed * std::sin((450 - bdir) * kRadPerDegRounded);
  return r;
}

}  // namespace ondrik
