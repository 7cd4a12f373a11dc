// The profile store: every loaded profile series (dataset), its forecast hours
// and levels, the values derived from them at load time and the done flags of
// the results computed on demand.
//
// All arrays have fixed bounds and are laid out with the dataset fastest:
// element (D, H, L) is number D + 25*H + 2125*L (L + 1 on the wind arrays,
// whose levels start at -1). Every subscript is range-tested.
//
// The arrays live in a ProfileStore object: what the reader fills, what it
// derives at load time and every result computed on demand from them (bulk
// shear and helicity, MBE vectors, lake parcel, layer CAPEs, parcels from
// every level, the chart's parcel traces and precipitation type). The names
// g* below are handles that always address the *current* store, so code
// reads `gTemp(d, h, l)`.
// The reader clears a scratch store, fills it and makes it current only when
// the whole file has been read: a new file starts from nothing, with no
// result of an earlier file left over, and a bad file never leaves a
// half-filled store nor touches the results of the data loaded before.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/datetime.h"

namespace ondrik {

inline constexpr int kMaxDatasets = 24;   // datasets 1..24
inline constexpr int kMaxHours = 85;      // hours 0..84
inline constexpr int kMaxLevels = 67;     // levels 1..67
inline constexpr int kDatasetSlots = kMaxDatasets + 1;          // 25
inline constexpr int kPerLevel = kDatasetSlots * kMaxHours;     // 2125

[[noreturn]] void SubscriptOutOfRange(const char* what);

// (D, H, L) array with levels LMin..67.
template <typename T, int LMin = 0>
class LevelArray {
 public:
  static constexpr int kLevelSlots = kMaxLevels + 1 - LMin;
  T& operator()(int d, int h, int l) { return v_[Index(d, h, l)]; }
  const T& operator()(int d, int h, int l) const { return v_[Index(d, h, l)]; }
  static constexpr int Index(int d, int h, int l) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || l < LMin || l > kMaxLevels)
      SubscriptOutOfRange("level array");
    return d + kDatasetSlots * h + kPerLevel * (l - LMin);
  }

 private:
  std::array<T, kPerLevel * kLevelSlots> v_{};
};

// (D, H) array.
template <typename T>
class HourArray {
 public:
  T& operator()(int d, int h) { return v_[Index(d, h)]; }
  const T& operator()(int d, int h) const { return v_[Index(d, h)]; }
  static constexpr int Index(int d, int h) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours) SubscriptOutOfRange("hour array");
    return d + kDatasetSlots * h;
  }

 private:
  std::array<T, kPerLevel> v_{};
};

// (D) array.
template <typename T>
class DatasetArray {
 public:
  T& operator()(int d) { return v_[Index(d)]; }
  const T& operator()(int d) const { return v_[Index(d)]; }
  static constexpr int Index(int d) {
    if (d < 0 || d > kMaxDatasets) SubscriptOutOfRange("dataset array");
    return d;
  }

 private:
  std::array<T, kDatasetSlots> v_{};
};

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

// Fixed vector indexed lo..hi.
template <typename T, int Lo, int Hi>
class FixedVector {
 public:
  T& operator()(int i) { return v_[Index(i)]; }
  const T& operator()(int i) const { return v_[Index(i)]; }
  static constexpr int Index(int i) {
    if (i < Lo || i > Hi) SubscriptOutOfRange("vector");
    return i - Lo;
  }

 private:
  std::array<T, Hi - Lo + 1> v_{};
};

using Single = float;
using Integer = int;  // 16-bit in the stored files' sense; range is never exceeded
using Boolean = bool;
using Long = std::int32_t;

// Precipitation-type codes.
inline constexpr Long kPtypeRain = 60;
inline constexpr Long kPtypeFreezingRain = 66;
inline constexpr Long kPtypeSnow = 70;
inline constexpr Long kPtypeIcePellets = 79;
inline constexpr Long kPtypeNone = 999;

struct ProfileStore {
  // ---- per-level arrays (D, H, 0..67) ----
  LevelArray<Single> gPres, gTemp, gWetBulb, gDewpt, gThetaE, gWdir, gWspd, gOmega, gCfrl,
      gHght, gHghtAGL, gRH, gRHIce, gMixRatioSat, gMixRatio, gSpecHum, gTheta, gOmegaSmooth;
  LevelArray<double> gFrostPt;
  LevelArray<Boolean> gLevelParcelDone;

  // ---- wind components (D, H, -1..67), m/s ----
  LevelArray<Single, -1> gWindU, gWindV, gWindUAsLoaded, gWindVAsLoaded;

  // ---- per-hour arrays filled by the reader ----
  HourArray<DateTime> gValidTime;
  HourArray<Single> gShow, gLift, gSweat, gKIndex;
  HourArray<Single> gLclPres, gPwat, gTotals, gCape;
  HourArray<Single> gLclTemp, gCins, gEqlv, gLfct;
  HourArray<Single> gBrch;
  HourArray<Single> gNormCape, gEqlvHgtAGL, gLfcHgtAGL, gLclHgtAGL, gWbzHgtAGL, gWbzHgt;

  // ---- surface section ----
  HourArray<Single> gSfcPres, gSfcTemp, gSfcDewpt, gSkinTemp, gSoilTemp, gPrecip, gConvPrecip,
      gPrecipAccum, gRunOff, gEvaporation, gSnra, gWind10U, gWind10V, gWind10m, gWind10Dir,
      gStormU, gStormV, gSfcHelicity, gEhi, gCloudBasePres, gVisibility;
  HourArray<Long> gPtypeSrcB;

  // ---- storm motion (computed at load and after hodograph edits) ----
  HourArray<Single> gMeanWindDir, gMeanWindSpd, gRightMoverU, gRightMoverV, gLeftMoverU,
      gLeftMoverV, gStormMotionDir, gStormMotionSpd;

  // ---- convective condensation level (computed at load) ----
  HourArray<Single> gCclPres, gConvTemp;

  // ---- precipitation-type energies (computed at load and on demand) ----
  HourArray<std::string> gEnergyPattern;
  HourArray<Single> gPosEnergy, gNegEnergy, gSfcPosEnergy, gSfcWarmDepth;
  HourArray<Integer> gCloudTopLevel;
  HourArray<Boolean> gSeederFeeder;
  HourArray<Long> gPtypeSrcA;
  HourArray<Single> gFreezingLevelFt, gMinus20LevelFt, gWarmCloudDepthFt, gWarmCloudDepth,
      gTQIndex;

  // ---- per-dataset arrays ----
  DatasetArray<Integer> gNumLevels, gLastHour;
  DatasetArray<Single> gSiteLat, gSiteLon, gSiteElev;
  DatasetArray<std::string> gDatasetTitle, gDatasetLabel;
  DatasetArray<Integer> gTopLevel;

  // ---- fields of the profile window that belong to the store ----
  HourArray<Single> PrecipTotal, ConvPrecipTotal, XoverManual;
  HourArray<Integer> UserStormSet;
  HourArray<Integer> gECapeMark;

  // ---- computed-on-demand flags ----
  HourArray<Integer> gHelicityDone;
  HourArray<Boolean> gBulkShearDone;
  HourArray<Integer> gMbeDone;
  HourArray<Integer> gLakeParcelDone;
  HourArray<Boolean> gLayerCapeDone;
  HourArray<Integer> gParcelTraceDone, gCinTraceDone;
  // Parcel temperatures of the chart's CAPE and CIN traces per (D, H, level);
  // complete for (D, H) when gParcelTraceDone / gCinTraceDone is -1.
  LevelArray<Single> gParcelTraceTemp, gCinTraceTemp;
  HourArray<Integer> StormMatrixDone;
  HourArray<Boolean> gWindEdited;
  DatasetArray<Integer> gOmegaSmoothDone, gWarmCloudTopDone, gWarmCloudDepthDone;
  DatasetArray<Boolean> gTQIndexDone;
  DatasetArray<Integer> ThicknessDone;

  // ---- thickness heights (D, H, k = 1..4: 1000, 850, 700, 500 mb), metres ----
  LevelArray<Single> ThickHeights;  // level slot k holds the k-th height

  // ---- bulk shear (ComputeBulkShear, core/shear.h) ----
  HourArray<Single> gBulkShear;      // bulk wind difference, knots
  HourArray<Single> gEffectiveCape;  // CAPE of the effective-layer parcel, J/kg
  HourArray<Single> gEffectiveCin;   // its CIN, J/kg (positive)

  // ---- storm-relative helicity (ComputeSRHelicity, core/shear.h) ----
  HourArray<Integer> gSRHTopLevel;     // top level of the helicity layer; 0 = not chosen
  HourArray<Integer> gSRHBottomLevel;  // bottom level; the sum starts above it
  LevelArray<Single> gSRWindU, gSRWindV;                     // storm-relative wind, m/s, levels 0..top
  HourArray<Single> gSRInflowSfcSpd, gSRInflowSfcDir;        // at level 0 (10-m wind)
  HourArray<Single> gSRInflowTopSpd, gSRInflowTopDir;        // at the top level
  HourArray<Single> gHelicity;            // storm-relative helicity, m2/s2
  HourArray<Single> gSRHLayerShear;       // hodograph length of the layer, m/s
  HourArray<Single> gSRHLayerShearPerKm;  // the same per km of the top's height

  // ---- cloud-layer wind, low-level jet, MBE vectors (ComputeMBEVectors,
  // core/mbe.h); knots and degrees ----
  HourArray<Single> gCloudLayerU, gCloudLayerV;  // mean wind 850-300 mb
  HourArray<Single> gCloudLayerDir, gCloudLayerSpd;
  HourArray<Single> gLLJDir, gLLJSpd;            // low-level jet
  HourArray<Single> gLLJPres;                    // pressure of the jet level, mb
  HourArray<Integer> gLLJUncertain;  // -1: the jet sits at the top of the searched layer
  HourArray<Single> gLLJU, gLLJV;
  HourArray<Single> gMbeU, gMbeV, gMbeDir, gMbeSpd;                  // MBE vector
  HourArray<Single> gMbeUpwindU, gMbeUpwindV, gMbeUpwindDir;         // only with forward prop

  // ---- lake-modified surface parcel (LiftSurfaceParcel, core/parcels.h) ----
  HourArray<Single> gLakeParcelT;   // starting temperature
  HourArray<Single> gLakeParcelTd;  // starting dew point, never above gLakeParcelT
  HourArray<Single> gLakeLclTemp;   // temperature at the condensation level
  HourArray<Single> gLakeLclPres;   // pressure of the condensation level
  HourArray<Integer> gLakeELLevel;  // first level colder than the environment; 0 = not buoyant
  HourArray<Single> gLakeELPres;    // equilibrium-level pressure; surface pressure when not buoyant
  HourArray<Single> gLakeELTemp;    // parcel temperature at the equilibrium level
  HourArray<Single> gLakeEL;        // equilibrium-level height above level 1, ft
  HourArray<Single> gLakeCape;      // J/kg
  HourArray<Single> gLakeNCape;     // CAPE per metre of depth; 0 when gLakeEL is not above 0
  // Parcel temperature per (dataset, hour, level), written for levels 1 up to
  // gLakeELLevel; levels above it keep older values of the same file.
  LevelArray<Single> gLakeParcelTemp;

  // ---- layer CAPEs above the level of free convection (ComputeLayerCapes,
  // core/parcels.h) ----
  // Per (dataset, hour, k): k = 3..6 the CAPE from the free-convection level
  // gLfct up to k km above the site, k = 7 the CAPE where the environment is
  // between -30 and -10 C; elements 0..2 are not used.
  HourElementArray<Single, 7> gLayerCape;

  // ---- parcels from every level (ComputeEffectiveParcels, core/parcels.h),
  // per (dataset, hour, starting level L0) ----
  LevelArray<Single> gElevCape;       // J/kg
  LevelArray<Single> gElevHailCape;   // part of the CAPE where -30 < T < -10 C
  LevelArray<Single> gElevCin;        // positive, J/kg
  LevelArray<Integer> gElevELLevel;   // last buoyant level; 0 when none, or only level 1
  LevelArray<Single> gElevELPres;     // pressure of L0 when gElevELLevel is 0
  LevelArray<Single> gElevELTemp;     // written only when an equilibrium level is found
  LevelArray<Single> gElevEL;         // height above level 1, ft; 0 when none
  LevelArray<Single> gElevNCape;      // CAPE per metre from L0 to the EL; 0 when none
  // Parcel temperature per (dataset, hour, L0, level) from L0 up to the level
  // where the ascent stopped; levels above keep older values of the same file.
  ParcelLevelArray<Single> gElevParcelTemp;

  // ---- precipitation type the chart shows (DrawModelPrecipType, chart/) ----
  // 60 rain, 66 freezing rain, 70 snow, 79 ice pellets, 999 none: the decided
  // type or the model's own, as the chart's gPtypeSrcFlag chooses.
  HourArray<Long> gPtypeCode;

  // ---- pressure-at-height tables of the current dataset's first hour ----
  FixedVector<Integer, 0, 70> gPresAtKft;
  FixedVector<Integer, 0, 20> gPresAtKm;

  // ---- dataset-title columns (words of each title column) ----
  FixedVector<Integer, 1, 4> gTitleWordCount;
  std::array<std::array<std::string, 17>, 5> gTitleWords{};  // [column 1..4][word 1..16]
  Integer gTitleColumnCount = 0;
};

// The current store. Never null; points at one of two statically allocated
// stores (the current one and the reader's scratch store).
ProfileStore& Store();
// The store the reader fills; becomes current with CommitScratchStore().
ProfileStore& ScratchStore();
// Puts every value of the scratch store back to its initial state (zero,
// false, empty text), in place.
void ClearScratchStore();
// Makes the scratch store current (the previous current store becomes the
// next scratch store).
void CommitScratchStore();

// Runs code against another store as if it were current (the reader uses this
// to run the derivations on its scratch store); restores on scope exit.
class StoreOverride {
 public:
  explicit StoreOverride(ProfileStore& s);
  ~StoreOverride();
  StoreOverride(const StoreOverride&) = delete;
  StoreOverride& operator=(const StoreOverride&) = delete;

 private:
  ProfileStore* previous_;
};

// Handle that forwards element access to a member of the current store.
template <auto Member>
struct StoreField {
  template <typename... I>
  decltype(auto) operator()(I... i) const {
    return (Store().*Member)(i...);
  }
};

#define ONDRIK_FIELD(name) inline constexpr StoreField<&ProfileStore::name> name{};
ONDRIK_FIELD(gPres) ONDRIK_FIELD(gTemp) ONDRIK_FIELD(gWetBulb) ONDRIK_FIELD(gDewpt)
ONDRIK_FIELD(gThetaE) ONDRIK_FIELD(gWdir) ONDRIK_FIELD(gWspd) ONDRIK_FIELD(gOmega)
ONDRIK_FIELD(gCfrl) ONDRIK_FIELD(gHght) ONDRIK_FIELD(gHghtAGL) ONDRIK_FIELD(gRH)
ONDRIK_FIELD(gRHIce) ONDRIK_FIELD(gMixRatioSat) ONDRIK_FIELD(gMixRatio) ONDRIK_FIELD(gSpecHum)
ONDRIK_FIELD(gTheta) ONDRIK_FIELD(gOmegaSmooth) ONDRIK_FIELD(gFrostPt)
ONDRIK_FIELD(gLevelParcelDone)
ONDRIK_FIELD(gWindU) ONDRIK_FIELD(gWindV) ONDRIK_FIELD(gWindUAsLoaded) ONDRIK_FIELD(gWindVAsLoaded)
ONDRIK_FIELD(gValidTime)
ONDRIK_FIELD(gShow) ONDRIK_FIELD(gLift) ONDRIK_FIELD(gSweat) ONDRIK_FIELD(gKIndex)
ONDRIK_FIELD(gLclPres) ONDRIK_FIELD(gPwat) ONDRIK_FIELD(gTotals) ONDRIK_FIELD(gCape)
ONDRIK_FIELD(gLclTemp) ONDRIK_FIELD(gCins) ONDRIK_FIELD(gEqlv) ONDRIK_FIELD(gLfct)
ONDRIK_FIELD(gBrch) ONDRIK_FIELD(gNormCape) ONDRIK_FIELD(gEqlvHgtAGL) ONDRIK_FIELD(gLfcHgtAGL)
ONDRIK_FIELD(gLclHgtAGL) ONDRIK_FIELD(gWbzHgtAGL) ONDRIK_FIELD(gWbzHgt)
ONDRIK_FIELD(gSfcPres) ONDRIK_FIELD(gSfcTemp) ONDRIK_FIELD(gSfcDewpt) ONDRIK_FIELD(gSkinTemp)
ONDRIK_FIELD(gSoilTemp) ONDRIK_FIELD(gPrecip) ONDRIK_FIELD(gConvPrecip) ONDRIK_FIELD(gPrecipAccum)
ONDRIK_FIELD(gRunOff) ONDRIK_FIELD(gEvaporation) ONDRIK_FIELD(gSnra) ONDRIK_FIELD(gWind10U)
ONDRIK_FIELD(gWind10V) ONDRIK_FIELD(gWind10m) ONDRIK_FIELD(gWind10Dir) ONDRIK_FIELD(gStormU)
ONDRIK_FIELD(gStormV) ONDRIK_FIELD(gSfcHelicity) ONDRIK_FIELD(gEhi) ONDRIK_FIELD(gCloudBasePres)
ONDRIK_FIELD(gVisibility) ONDRIK_FIELD(gPtypeSrcB)
ONDRIK_FIELD(gMeanWindDir) ONDRIK_FIELD(gMeanWindSpd) ONDRIK_FIELD(gRightMoverU)
ONDRIK_FIELD(gRightMoverV) ONDRIK_FIELD(gLeftMoverU) ONDRIK_FIELD(gLeftMoverV)
ONDRIK_FIELD(gStormMotionDir) ONDRIK_FIELD(gStormMotionSpd)
ONDRIK_FIELD(gCclPres) ONDRIK_FIELD(gConvTemp)
ONDRIK_FIELD(gEnergyPattern) ONDRIK_FIELD(gPosEnergy) ONDRIK_FIELD(gNegEnergy)
ONDRIK_FIELD(gSfcPosEnergy) ONDRIK_FIELD(gSfcWarmDepth) ONDRIK_FIELD(gCloudTopLevel)
ONDRIK_FIELD(gSeederFeeder) ONDRIK_FIELD(gPtypeSrcA) ONDRIK_FIELD(gFreezingLevelFt)
ONDRIK_FIELD(gMinus20LevelFt) ONDRIK_FIELD(gWarmCloudDepthFt) ONDRIK_FIELD(gWarmCloudDepth)
ONDRIK_FIELD(gTQIndex)
ONDRIK_FIELD(gNumLevels) ONDRIK_FIELD(gLastHour) ONDRIK_FIELD(gSiteLat) ONDRIK_FIELD(gSiteLon)
ONDRIK_FIELD(gSiteElev) ONDRIK_FIELD(gDatasetTitle) ONDRIK_FIELD(gDatasetLabel) ONDRIK_FIELD(gTopLevel)
ONDRIK_FIELD(PrecipTotal) ONDRIK_FIELD(ConvPrecipTotal) ONDRIK_FIELD(XoverManual)
ONDRIK_FIELD(UserStormSet) ONDRIK_FIELD(gECapeMark)
ONDRIK_FIELD(gHelicityDone) ONDRIK_FIELD(gBulkShearDone) ONDRIK_FIELD(gMbeDone)
ONDRIK_FIELD(gLakeParcelDone) ONDRIK_FIELD(gLayerCapeDone) ONDRIK_FIELD(gParcelTraceDone)
ONDRIK_FIELD(gCinTraceDone) ONDRIK_FIELD(gParcelTraceTemp) ONDRIK_FIELD(gCinTraceTemp) ONDRIK_FIELD(StormMatrixDone) ONDRIK_FIELD(gWindEdited)
ONDRIK_FIELD(gOmegaSmoothDone) ONDRIK_FIELD(gWarmCloudTopDone) ONDRIK_FIELD(gWarmCloudDepthDone)
ONDRIK_FIELD(gTQIndexDone) ONDRIK_FIELD(ThicknessDone) ONDRIK_FIELD(ThickHeights)
ONDRIK_FIELD(gPresAtKft) ONDRIK_FIELD(gPresAtKm) ONDRIK_FIELD(gTitleWordCount)
ONDRIK_FIELD(gBulkShear) ONDRIK_FIELD(gEffectiveCape) ONDRIK_FIELD(gEffectiveCin)
ONDRIK_FIELD(gSRHTopLevel) ONDRIK_FIELD(gSRHBottomLevel) ONDRIK_FIELD(gSRWindU)
ONDRIK_FIELD(gSRWindV) ONDRIK_FIELD(gSRInflowSfcSpd) ONDRIK_FIELD(gSRInflowSfcDir)
ONDRIK_FIELD(gSRInflowTopSpd) ONDRIK_FIELD(gSRInflowTopDir) ONDRIK_FIELD(gHelicity)
ONDRIK_FIELD(gSRHLayerShear) ONDRIK_FIELD(gSRHLayerShearPerKm)
ONDRIK_FIELD(gCloudLayerU) ONDRIK_FIELD(gCloudLayerV) ONDRIK_FIELD(gCloudLayerDir)
ONDRIK_FIELD(gCloudLayerSpd) ONDRIK_FIELD(gLLJDir) ONDRIK_FIELD(gLLJSpd) ONDRIK_FIELD(gLLJPres)
ONDRIK_FIELD(gLLJUncertain) ONDRIK_FIELD(gLLJU) ONDRIK_FIELD(gLLJV) ONDRIK_FIELD(gMbeU)
ONDRIK_FIELD(gMbeV) ONDRIK_FIELD(gMbeDir) ONDRIK_FIELD(gMbeSpd) ONDRIK_FIELD(gMbeUpwindU)
ONDRIK_FIELD(gMbeUpwindV) ONDRIK_FIELD(gMbeUpwindDir)
ONDRIK_FIELD(gLakeParcelT) ONDRIK_FIELD(gLakeParcelTd) ONDRIK_FIELD(gLakeLclTemp)
ONDRIK_FIELD(gLakeLclPres) ONDRIK_FIELD(gLakeELLevel) ONDRIK_FIELD(gLakeELPres)
ONDRIK_FIELD(gLakeELTemp) ONDRIK_FIELD(gLakeEL) ONDRIK_FIELD(gLakeCape) ONDRIK_FIELD(gLakeNCape)
ONDRIK_FIELD(gLakeParcelTemp) ONDRIK_FIELD(gLayerCape)
ONDRIK_FIELD(gElevCape) ONDRIK_FIELD(gElevHailCape) ONDRIK_FIELD(gElevCin)
ONDRIK_FIELD(gElevELLevel) ONDRIK_FIELD(gElevELPres) ONDRIK_FIELD(gElevELTemp)
ONDRIK_FIELD(gElevEL) ONDRIK_FIELD(gElevNCape) ONDRIK_FIELD(gElevParcelTemp)
ONDRIK_FIELD(gPtypeCode)
#undef ONDRIK_FIELD

// ---- scalars shared by every window ----
// The reader saves and restores the ones it writes when a load fails.
extern Integer gDatasetCount;   // datasets loaded (index of the last one)
extern Integer gCurDataset;     // current dataset: first index of every access
extern std::string gProfileExt; // last three characters of the loaded path
extern Integer gChartTop;       // top of the chart, mb (configuration / zoom)
extern Integer gChartBottom;    // bottom of the chart, mb (set by the reader)
extern Single gHoursPerStep;    // hours between consecutive hour indexes
extern bool gLoadingState;      // raised while code changes many controls at once
extern Integer gElevatedLevel;  // base level of elevated parcels (1 = lowest)
extern Integer gTZOffset;       // hours behind UTC of the loaded site
extern Single MaxSpecHum;       // largest specific humidity met while loading
extern Single MaxSfcPres;       // largest surface pressure of the dataset being loaded

}  // namespace ondrik
