// The profile store: every loaded profile series (dataset), its forecast hours
// and levels, the values derived from them at load time and the done flags of
// the results computed on demand.
//
// All arrays have fixed bounds and are laid out with the dataset fastest:
// element (D, H, L) is number D + 25*H + 2125*L (L + 1 on the wind arrays,
// whose levels start at -1). Every subscript is range-tested.
//
// The arrays live in a ProfileStore object. The names g* below are handles
// that always address the *current* store, so code reads `gTemp(d, h, l)`.
// The reader fills a scratch store and makes it current only when the whole
// file has been read, so a bad file never leaves a half-filled store.
#pragma once

#include <array>
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
