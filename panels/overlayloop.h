// The one loop of the side panels over the datasets they overlay: every shown
// dataset in the chart's order, the current one last, each made current while
// it is drawn; the current dataset is restored afterwards, also when the
// drawing throws.
#pragma once

#include <algorithm>

#include "chart/chart.h"
#include "core/guards.h"
#include "core/shared.h"
#include "core/store.h"

namespace ondrik {

// Calls fn(D) for each dataset to draw at the hour, with gCurDataset = D:
// with gOverlayAll every dataset 1..gDatasetCount, else only `shown`; a
// dataset not ticked in gDatasetShown, or without that hour, is skipped.
// `shown` is the dataset current when the drawing began (ShownDataset),
// drawn last and at full strength (eRGB(shown, ...)).
template <typename Fn>
void ForEachShownDataset(Integer shown, Integer hour, Fn&& fn) {
  const Integer count = std::min<Integer>(gDatasetCount, kMaxDatasets);
  if (shown < 1 || shown > count || hour < 0 || hour >= kMaxHours) return;
  const CurrentDatasetGuard restore;
  const DrawOrder order = OverlayOrder(shown, gOverlayAll, count);
  for (int i = 0; i < order.n; ++i) {
    const Integer D = order.d[i];
    if (D < 1 || D > count || !gDatasetShown(D) || hour > gLastHour(D)) continue;
    gCurDataset = D;
    fn(D);
  }
}

}  // namespace ondrik
