// The series the overview computes on demand for a dataset before a field or
// strip that needs them is drawn. Each keeps its results and done flags in
// the profile store, so a new file starts with none of them and a redraw
// only draws what was computed once.
#pragma once

#include "core/store.h"
#include "overview/state.h"

namespace ondrik {

// Parcels lifted from every level (ComputeEffectiveParcels) of every hour of
// dataset d, for the levels fromLevel..toLevel (held within the dataset's)
// whose parcel has not been lifted yet.
void MakeLevelParcels(Integer d, Integer fromLevel, Integer toLevel);

// The parcels the EL CIN field paints (levels 2..gNumLevels - 1) and those
// the elevated-CAPE contours need (levels 1..TopLevel).
void MakeInnerLevelParcels(const OverviewState& s, Integer d);
void MakeLowLevelParcels(const OverviewState& s, Integer d);

// The smoothed omega of dataset d, when the smoothed field is drawn.
void MakeSmoothedOmega(const OverviewState& s, Integer d);

// The series of the derived fields and strips (overview/calc.h computes
// them), each run when its done flag for dataset d is not set; the mean
// wind, the apparent temperature and the mixing layer of the mixing-layer
// and ventilation strips are computed again at every draw.
void IcingSeries(const OverviewState& s, Integer d);
void DeltaThetaESeries(const OverviewState& s, Integer d);
void ShearContourSeries(const OverviewState& s, Integer d);
void LayertoLayerSeries(const OverviewState& s, Integer d);
void HodoLengthShearSeries(const OverviewState& s, Integer d);
void MeanMixingRatioSeries(const OverviewState& s, Integer d);
void SnowGrowthSeries(const OverviewState& s, Integer d);
void LakeLevelTempSeries(const OverviewState& s, Integer d);
void TotalTotalsSeries(const OverviewState& s, Integer d);
void HainesSeries(const OverviewState& s, Integer d);
void MixingLayerSeries(const OverviewState& s, Integer d);       // at every draw
void TransportWindSeries(const OverviewState& s, Integer d);     // once
void MeanWindSeries(const OverviewState& s, Integer d);          // at every draw
void HelicitySeries(const OverviewState& s, Integer d);
void MbeSeries(const OverviewState& s, Integer d);
void TQSeries(const OverviewState& s, Integer d);
void WarmCloudSeries(const OverviewState& s, Integer d);
void LakeParcelSeries(const OverviewState& s, Integer d);
void LayerCapeSeries(const OverviewState& s, Integer d);
void SnowRatioSeries(const OverviewState& s, Integer d);
void ApparentTempSeries(const OverviewState& s, Integer d);     // at every draw

// The done flags of the series above, of every loaded dataset: a new
// overview computes them afresh.
void ClearSeriesFlags();
// The series that follow an option of the overview or the profile window,
// of every loaded dataset, to be computed again: the hodograph-length shear
// (its unit), the transport winds (the momentum-transfer step) and the snow
// amounts (the precipitation types: their source and level).
void ClearHodoLengthShear();
void ClearTransportWinds();
void ClearSnowRatio();

// The snow ratio of every loaded dataset again, by the technique and fixed
// ratio chosen now (the technique options and hsbRatio call it).
void RedoSnowRatio(const OverviewState& s);

}  // namespace ondrik
