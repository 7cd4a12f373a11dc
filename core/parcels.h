// Parcels lifted on demand: the lake-modified surface parcel, the CAPE of
// layers above the level of free convection, and the parcel from every level.
//
// Each result is computed for one (dataset, hour) or one (dataset, hour,
// starting level) and remembered through a done flag of the profile store
// (gLakeParcelDone, gLayerCapeDone, gLevelParcelDone), which the reader clears
// for every dataset it loads. Callers run the computation when the flag is
// 0 / false; the computation sets it when it has filled its results.
//
// Temperatures in deg C, pressures in mb, heights of the equilibrium level in
// feet of the standard atmosphere, CAPE and CIN in J/kg.
#pragma once

#include "core/store.h"

namespace ondrik {

// (D, H, k) array with elements 0..Hi, laid out with the dataset fastest.
template <typename T, int Hi>
class HourElementArray {
 public:
  T& operator()(int d, int h, int k) { return v_[Index(d, h, k)]; }
  const T& operator()(int d, int h, int k) const { return v_[Index(d, h, k)]; }
  static constexpr int Index(int d, int h, int k) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || k < 0 || k > Hi)
      SubscriptOutOfRange("hour element array");
    return d + kDatasetSlots * h + kPerLevel * k;
  }

 private:
  std::array<T, kPerLevel * (Hi + 1)> v_{};
};

// (D, H, starting level, level) array, levels 0..67 on both level indexes.
// The levels of one starting level lie next to each other.
template <typename T>
class ParcelLevelArray {
 public:
  static constexpr int kLevelSlots = kMaxLevels + 1;
  T& operator()(int d, int h, int l0, int l) { return v_[Index(d, h, l0, l)]; }
  const T& operator()(int d, int h, int l0, int l) const { return v_[Index(d, h, l0, l)]; }
  static constexpr int Index(int d, int h, int l0, int l) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || l0 < 0 || l0 > kMaxLevels ||
        l < 0 || l > kMaxLevels)
      SubscriptOutOfRange("parcel level array");
    return (d + kDatasetSlots * h + kPerLevel * l0) * kLevelSlots + l;
  }

 private:
  std::array<T, static_cast<std::size_t>(kPerLevel) * kLevelSlots * kLevelSlots> v_{};
};

// ---------------------------------------------------------------------------
// Lake-modified surface parcel
// ---------------------------------------------------------------------------

// Lake temperature (deg C) set by the profile window's lake-temperature bar;
// the default is the bar's initial 34 F. A change must clear gLakeParcelDone
// for every hour of the current dataset.
inline Single gLakeTempC = (34.0f - 32.0f) * 5.0f / 9.0f;

// Results of LiftSurfaceParcel, per (dataset, hour).
inline HourArray<Single> gLakeParcelT;   // starting temperature
inline HourArray<Single> gLakeParcelTd;  // starting dew point, never above gLakeParcelT
inline HourArray<Single> gLakeLclTemp;   // temperature at the condensation level
inline HourArray<Single> gLakeLclPres;   // pressure of the condensation level
inline HourArray<Integer> gLakeELLevel;  // first level colder than the environment; 0 = not buoyant
inline HourArray<Single> gLakeELPres;    // equilibrium-level pressure; surface pressure when not buoyant
inline HourArray<Single> gLakeELTemp;    // parcel temperature at the equilibrium level
inline HourArray<Single> gLakeEL;        // equilibrium-level height above level 1, ft
inline HourArray<Single> gLakeCape;      // J/kg
inline HourArray<Single> gLakeNCape;     // CAPE per metre of depth; 0 when gLakeEL is not above 0
// Parcel temperature per (dataset, hour, level), written for levels 1 up to
// gLakeELLevel; levels above it keep older values.
inline LevelArray<Single> gLakeParcelTemp;

// Lifts the lake-modified surface parcel of (gCurDataset, hour) and sets
// gLakeParcelDone(gCurDataset, hour) to -1. An hour outside the dataset is
// ignored.
void LiftSurfaceParcel(Integer hour);

// ---------------------------------------------------------------------------
// Layer CAPEs above the level of free convection
// ---------------------------------------------------------------------------

// Per (dataset, hour, k): k = 3..6 the CAPE from the free-convection level
// gLfct up to k km above the site, k = 7 the CAPE where the environment is
// between -30 and -10 C; elements 0..2 are not used.
inline HourElementArray<Single, 7> gLayerCape;

// Fills gLayerCape(gCurDataset, hour, 3..7) and sets gLayerCapeDone. An hour
// outside the dataset is ignored.
void ComputeLayerCapes(Integer hour);

// ---------------------------------------------------------------------------
// Parcels from every level
// ---------------------------------------------------------------------------

// Results of ComputeEffectiveParcels, per (dataset, hour, starting level L0).
inline LevelArray<Single> gElevCape;       // J/kg
inline LevelArray<Single> gElevHailCape;   // part of the CAPE where -30 < T < -10 C
inline LevelArray<Single> gElevCin;        // positive, J/kg
inline LevelArray<Integer> gElevELLevel;   // last buoyant level; 0 when none, or only level 1
inline LevelArray<Single> gElevELPres;     // pressure of L0 when gElevELLevel is 0
inline LevelArray<Single> gElevELTemp;     // written only when an equilibrium level is found
inline LevelArray<Single> gElevEL;         // height above level 1, ft; 0 when none
inline LevelArray<Single> gElevNCape;      // CAPE per metre from L0 to the EL; 0 when none
// Parcel temperature per (dataset, hour, L0, level) from L0 up to the level
// where the ascent stopped; levels above keep older values.
inline ParcelLevelArray<Single> gElevParcelTemp;

// Lifts the parcel that starts at level l0 of (dataset, hour) and sets
// gLevelParcelDone(dataset, hour, l0). A dataset, hour or level outside the
// loaded data is ignored.
void ComputeEffectiveParcels(Integer dataset, Integer hour, Integer l0);

}  // namespace ondrik
