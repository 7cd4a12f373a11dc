// Parcels lifted on demand: the lake-modified surface parcel, the CAPE of
// layers above the level of free convection, and the parcel from every level.
//
// Each result is computed for one (dataset, hour) or one (dataset, hour,
// starting level) and remembered through a done flag (gLakeParcelDone,
// gLayerCapeDone, gLevelParcelDone). Flags and results are arrays of the
// profile store (core/store.h), so a new file starts with none of them.
// Callers run the computation when the flag is 0 / false; the computation
// sets it when it has filled its results.
//
// Temperatures in deg C, pressures in mb, heights of the equilibrium level in
// feet of the standard atmosphere, CAPE and CIN in J/kg.
#pragma once

#include <optional>

#include "core/store.h"

namespace ondrik {

// ---------------------------------------------------------------------------
// Lake-modified surface parcel
// ---------------------------------------------------------------------------

// Lake temperature (deg C) set by the profile window's lake-temperature bar;
// the default is the bar's initial 34 F. Change it through SetLakeTempC.
inline Single gLakeTempC = (34.0f - 32.0f) * 5.0f / 9.0f;
// Sets gLakeTempC and clears gLakeParcelDone of every dataset and hour: each
// lake parcel is lifted again, with the new temperature, at its next use.
void SetLakeTempC(Single c);

// The lake page's temperatures in whole deg C, which the chart's lake
// overlays read as well: the lake temperature, and the air temperature of
// gCurDataset at the hour at a lake level (none when the level lies outside
// the profile). Halves round away from zero.
Single LakeTempWholeC();
std::optional<Single> LakeLevelTempWholeC(Integer hour, Integer pres);

// Lifts the lake-modified surface parcel of (gCurDataset, hour) into
// gLakeParcelT, gLakeParcelTd, gLakeLclTemp, gLakeLclPres, gLakeELLevel,
// gLakeELPres, gLakeELTemp, gLakeEL, gLakeCape, gLakeNCape and the parcel
// temperatures gLakeParcelTemp, and sets gLakeParcelDone(gCurDataset, hour)
// to -1. An hour outside the dataset is ignored.
void LiftSurfaceParcel(Integer hour);

// ---------------------------------------------------------------------------
// Layer CAPEs above the level of free convection
// ---------------------------------------------------------------------------

// Fills gLayerCape(gCurDataset, hour, 3..7) and sets gLayerCapeDone. An hour
// outside the dataset is ignored.
void ComputeLayerCapes(Integer hour);

// ---------------------------------------------------------------------------
// Parcels from every level
// ---------------------------------------------------------------------------

// Lifts the parcel that starts at level l0 of (dataset, hour) into gElevCape,
// gElevHailCape, gElevCin, gElevELLevel, gElevELPres, gElevELTemp, gElevEL,
// gElevNCape (at l0) and the parcel temperatures gElevParcelTemp (from l0),
// and sets gLevelParcelDone(dataset, hour, l0). A dataset, hour or level
// outside the loaded data is ignored.
void ComputeEffectiveParcels(Integer dataset, Integer hour, Integer l0);

}  // namespace ondrik
