#include "overview/series.h"

#include <algorithm>

#include "core/ccl.h"
#include "core/guards.h"
#include "core/parcels.h"

namespace ondrik {

void MakeLevelParcels(Integer d, Integer fromLevel, Integer toLevel) {
  if (d < 1 || d > std::min<Integer>(gDatasetCount, kMaxDatasets)) return;
  const int last = std::min<int>(gLastHour(d), kMaxHours - 1);
  const int from = std::max<int>(1, fromLevel);
  const int to = std::min<int>({toLevel, gNumLevels(d), kMaxLevels});
  for (int h = 0; h <= last; ++h)
    for (int k = from; k <= to; ++k)
      ComputeOnce(gLevelParcelDone(d, h, k), [&] { ComputeEffectiveParcels(d, h, k); });
}

void MakeInnerLevelParcels(const OverviewState&, Integer d) {
  if (d >= 1 && d <= kMaxDatasets) MakeLevelParcels(d, 2, gNumLevels(d) - 1);
}

void MakeLowLevelParcels(const OverviewState& s, Integer d) {
  if (d >= 1 && d <= kMaxDatasets) MakeLevelParcels(d, 1, s.draw.TopLevel[static_cast<size_t>(d)]);
}

void MakeSmoothedOmega(const OverviewState& s, Integer d) {
  if (!s.in.OmegaSmoothOn || d < 1 || d > std::min<Integer>(gDatasetCount, kMaxDatasets)) return;
  const CurrentDatasetGuard current(d);
  ComputeOnce(gOmegaSmoothDone(d), [] { SmoothOmega(); });
}

}  // namespace ondrik
