// Small helpers shared by the trace, marker, parcel and growth-layer steps of
// the chart redraw: the chart point of a value at a pressure in the
// temperature system, and the checks every step makes before it reads the
// store for (gCurDataset, CurHour).
#pragma once

#include <algorithm>
#include <cmath>
#include <exception>

#include "chart/chart.h"

namespace ondrik::chartpt {

// A pressure whose logarithm can be taken and drawn.
inline bool UsablePres(double p) { return std::isfinite(p) && p > 0; }

// x of the chart point of value v at pressure p: skewed by the distance of p
// above the surface of the dataset being drawn.
inline double X(const ChartState& s, double v, double p) {
  return v + s.draw.SkewFactor * (s.draw.LnSurfacePres - std::log(p));
}

// The dataset being drawn holds the hour: D in 1..24, H in 0..gLastHour(D).
inline bool DatasetHourOk(Integer D, Integer H) {
  return D >= 1 && D <= kMaxDatasets && H >= 0 && H < kMaxHours && H <= gLastHour(D);
}

// The highest level a trace may read: gTopLevel(D), never above the
// dataset's last level or the store's.
inline int TopLevel(Integer D) {
  return std::min({static_cast<int>(gTopLevel(D)), static_cast<int>(gNumLevels(D)), kMaxLevels});
}

// The dataset's last level, within the store.
inline int LastLevel(Integer D) { return std::clamp<int>(gNumLevels(D), 0, kMaxLevels); }

// One overlay of a step that fails is skipped; the other overlays and the
// later steps of the redraw are still drawn.
template <typename F>
void Guarded(F&& part) {
  try {
    part();
  } catch (const std::exception&) {
  }
}

}  // namespace ondrik::chartpt
