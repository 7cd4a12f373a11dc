#include "overview/series.h"

#include <algorithm>

#include "core/ccl.h"
#include "core/guards.h"
#include "core/parcels.h"
#include "core/mbe.h"
#include "core/preciptype.h"
#include "core/shear.h"
#include "overview/calc.h"

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

namespace {

// Runs make(d) for a loaded dataset whose flag is not done.
template <typename Flag, typename Make>
void Once(Integer d, const Flag& flag, Make&& make) {
  if (IsLoadedDataset(d)) ComputeOnce(flag, [&] { make(); });
}

}  // namespace

void IcingSeries(const OverviewState&, Integer d) { Once(d, Store().IcingDone(d), [d] { MakeIcing(d); }); }
void DeltaThetaESeries(const OverviewState&, Integer d) {
  Once(d, Store().DeltaThetaEDone(d), [d] { MakeDeltaThetaE(d); });
}
void ShearContourSeries(const OverviewState&, Integer d) {
  Once(d, Store().ShearContourDone(d), [d] { MakeShearContour(d); });
}
void LayertoLayerSeries(const OverviewState&, Integer d) {
  Once(d, Store().LayertoLayerDone(d), [d] { MakeLayertoLayer(d); });
}
void HodoLengthShearSeries(const OverviewState& s, Integer d) {
  Once(d, Store().HodoLengthShearDone(d), [&] { MakeHodoLengthShear(d, s.opt.LayerShearOption[1]); });
}
void MeanMixingRatioSeries(const OverviewState&, Integer d) {
  Once(d, Store().MeanMixingRatioDone(d), [d] { MakeMeanMixingRatio(d); });
}
void SnowGrowthSeries(const OverviewState&, Integer d) {
  Once(d, Store().SnowGrowthDone(d), [d] { MakeSnowGrowth(d); });
}
void LakeLevelTempSeries(const OverviewState& s, Integer d) {
  Once(d, Store().LakeLevelTempDone(d), [&] { MakeTempAtPressure(d, s.in.LakeIndexPres); });
}
void TotalTotalsSeries(const OverviewState& s, Integer d) {
  Once(d, Store().TotalTotalsDone(d), [&] { MakeTotalTotals(d, s.in.TotalsLowerPres); });
}
void HainesSeries(const OverviewState&, Integer d) { Once(d, Store().HainesDone(d), [d] { MakeHainesIndex(d); }); }
void MixingLayerSeries(const OverviewState& s, Integer d) {
  if (IsLoadedDataset(d)) MakeMixingLayer(d, TransferStepMb(s.in.XferIndex));
}
void TransportWindSeries(const OverviewState& s, Integer d) {
  Once(d, Store().MixingLayerDone(d), [&] { MakeMixingLayer(d, TransferStepMb(s.in.XferIndex)); });
}
void MeanWindSeries(const OverviewState& s, Integer d) {
  if (IsLoadedDataset(d)) ComputeMeanWind(d, s.opt.MeanWindLevels[0], s.opt.MeanWindLevels[1]);
}
// Hour by hour on the flags of the helicity itself, which a new layer, a
// storm motion or wind moved on the hodograph and a new file clear.
void HelicitySeries(const OverviewState&, Integer d) {
  if (!IsLoadedDataset(d)) return;
  const CurrentDatasetGuard current(d);
  for (int h = 0; h <= LastHourOf(d); ++h) ComputeOnce(gHelicityDone(d, h), [h] { ComputeSRHelicity(h); });
}
void MbeSeries(const OverviewState&, Integer d) {
  if (!IsLoadedDataset(d)) return;
  for (int h = 0; h <= LastHourOf(d); ++h) ComputeOnce(gMbeDone(d, h), [&] { ComputeMBEVectors(d, h, 0); });
}
void TQSeries(const OverviewState&, Integer d) {
  Once(d, gTQIndexDone(d), [d] {
    const CurrentDatasetGuard current(d);
    ComputeTQIndex();
  });
}
void WarmCloudSeries(const OverviewState&, Integer d) {
  Once(d, gWarmCloudDepthDone(d), [d] {
    const CurrentDatasetGuard current(d);
    ComputeWarmCloudDepth();
  });
}
void LakeParcelSeries(const OverviewState&, Integer d) {
  if (!IsLoadedDataset(d)) return;
  const CurrentDatasetGuard current(d);
  for (int h = 0; h <= LastHourOf(d); ++h) ComputeOnce(gLakeParcelDone(d, h), [h] { LiftSurfaceParcel(h); });
}
void LayerCapeSeries(const OverviewState& s, Integer d) {
  bool any = false;
  for (int v = 3; v <= 7; ++v) any = any || s.opt.CapeLineOn[static_cast<size_t>(v)];
  if (!any || !IsLoadedDataset(d)) return;
  const CurrentDatasetGuard current(d);
  for (int h = 0; h <= LastHourOf(d); ++h) ComputeOnce(gLayerCapeDone(d, h), [h] { ComputeLayerCapes(h); });
}
void SnowRatioSeries(const OverviewState& s, Integer d) {
  Once(d, Store().SnowRatioDone(d), [&] {
    MakeSnowRatio(d, s.opt.SnowTechnique, static_cast<Single>(s.opt.SnowRatioValue), s.in.PtypeDecided);
  });
}
void ApparentTempSeries(const OverviewState& s, Integer d) {
  if (!IsLoadedDataset(d)) return;
  for (int h = 0; h <= LastHourOf(d); ++h) {
    const Single t = s.in.ModelIndex <= 2 ? gSfcTemp(d, h) : gTemp(d, h, 1);
    Store().ApparentTempF(d, h) = ApparentTemperature(t, gRH(d, h, 1));
  }
}

namespace {

template <typename... Flags>
void ClearFlags(Flags... flags) {
  ProfileStore& st = Store();
  for (Integer d = 1; d <= std::min<Integer>(gDatasetCount, kMaxDatasets); ++d) (((st.*flags)(d) = 0), ...);
}

}  // namespace

void ClearSeriesFlags() {
  using S = ProfileStore;
  ClearFlags(&S::IcingDone, &S::DeltaThetaEDone, &S::ShearContourDone, &S::LayertoLayerDone, &S::HodoLengthShearDone,
             &S::MeanMixingRatioDone, &S::SnowGrowthDone, &S::LakeLevelTempDone, &S::TotalTotalsDone, &S::HainesDone,
             &S::MixingLayerDone, &S::SnowRatioDone);
}

void ClearHodoLengthShear() { ClearFlags(&ProfileStore::HodoLengthShearDone); }
void ClearTransportWinds() { ClearFlags(&ProfileStore::MixingLayerDone); }
void ClearSnowRatio() { ClearFlags(&ProfileStore::SnowRatioDone); }

void RedoSnowRatio(const OverviewState& s) {
  for (int d = 1; d <= std::min<int>(gDatasetCount, kMaxDatasets); ++d) {
    Store().SnowRatioDone(d) = 0;
    SnowRatioSeries(s, d);
  }
}

}  // namespace ondrik
