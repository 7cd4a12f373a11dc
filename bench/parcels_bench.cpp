// Parcel lifting over a whole dataset: the parcel from every level of every
// hour, and the lake-modified surface parcel of every hour.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/levels.h"
#include "core/parcels.h"
#include "tests/core/sounding.h"

namespace ondrik {
namespace {

constexpr int kDataset = 1;
constexpr int kHours = 85;
constexpr int kLevels = 60;

// An 85-hour dataset of 60 levels from 1000 to 115 mb: a warm, moist and
// unstable afternoon sounding whose surface temperature and moisture follow
// the day, with a tropopause near 200 mb.
void SynthesizeDataset() {
  gDatasetCount = 0;
  gLastHour(kDataset) = 0;
  for (int h = 0; h < kHours; ++h) {
    const double day = std::sin(2 * M_PI * (h % 24) / 24.0);
    const double tSfc = 26 + 6 * day;
    const double tdSfc = 19 + 2 * day;
    std::vector<testing::Level> lv;
    for (int i = 0; i < kLevels; ++i) {
      const double p = 1000 - 15.0 * i;
      const double z = StdHeightMOfPressure(static_cast<Single>(p));
      const double t = std::max(tSfc - 6.8 * z / 1000.0, -58.0);
      const double spread = 2 + 10 * z / 1000.0 * (1 + 0.3 * std::sin(h + i));
      const double td = std::min(tdSfc - 2 * z / 1000.0, t - 1) - (z > 1500 ? spread : 0);
      lv.push_back({static_cast<float>(p), static_cast<float>(t), static_cast<float>(td),
                    static_cast<float>(200 + 2 * i), static_cast<float>(10 + i),
                    static_cast<float>(z + 100)});
    }
    testing::SetSounding(kDataset, h, lv, 100);
    gLfct(kDataset, h) = 850;
    gEqlv(kDataset, h) = 250;
  }
  gCurDataset = kDataset;
  gLakeTempC = 30;  // warmer than the air: the lake parcel rises
}

void BM_EffectiveParcelsAllLevelsAllHours(benchmark::State& state) {
  SynthesizeDataset();
  for (auto _ : state) {
    for (int h = 0; h < kHours; ++h)
      for (int l = 1; l <= kLevels; ++l) ComputeEffectiveParcels(kDataset, h, l);
    benchmark::DoNotOptimize(gElevCape(kDataset, kHours - 1, 1));
  }
  state.SetItemsProcessed(state.iterations() * kHours * kLevels);
}
BENCHMARK(BM_EffectiveParcelsAllLevelsAllHours)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LiftSurfaceParcelAllHours(benchmark::State& state) {
  SynthesizeDataset();
  for (auto _ : state) {
    for (int h = 0; h < kHours; ++h) LiftSurfaceParcel(h);
    benchmark::DoNotOptimize(gLakeCape(kDataset, kHours - 1));
  }
  state.SetItemsProcessed(state.iterations() * kHours);
}
BENCHMARK(BM_LiftSurfaceParcelAllHours)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace ondrik
