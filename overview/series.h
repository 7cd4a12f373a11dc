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

}  // namespace ondrik
