// The one loop of a side panel over the datasets it overlays: with the
// overlay on, every dataset ticked as shown, in the chart's order with the
// shown dataset last; otherwise the shown dataset alone (and only when it is
// ticked). Datasets that do not hold the hour are left out. gCurDataset is
// each dataset in turn while fn runs and what it was before afterwards.
#pragma once

#include <algorithm>

#include "chart/chart.h"
#include "core/guards.h"
#include "core/shared.h"

namespace ondrik {

template <typename Fn>
void ForEachShownDataset(Integer shown, Integer hour, Fn&& fn) {
  const CurrentDatasetGuard restore;
  const Integer count = std::clamp<Integer>(gDatasetCount, 0, kMaxDatasets);
  const DrawOrder order = OverlayOrder(shown, gOverlayAll, count);
  for (int i = 0; i < order.n; ++i) {
    const Integer d = order.d[i];
    if (d < 1 || d > count || !gDatasetShown(d)) continue;
    if (hour < 0 || hour >= kMaxHours || hour > gLastHour(d)) continue;
    gCurDataset = d;
    fn(d);
  }
}

}  // namespace ondrik
