// The profile store: every loaded profile series (dataset), its forecast hours
// and levels, the values derived from them at load time, and the results
// computed on demand with their done flags.
//
// All arrays have fixed bounds. Element (D, H, L) is number D + 25*H +
// 2125*L (L + 1 on the wind arrays, whose levels start at -1); in memory the
// levels of one dataset and hour lie together (HourVectorArray). Every
// subscript is range-tested.
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

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
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

// Which rows of an array were handed out for writing (a non-const access),
// so that clearing the array touches just those rows: a load clears the
// whole store, and most of it is never written for a file of one site and a
// few hours.
//
// The rows come in groups of RowsPerGroup (a dataset's), each with words of
// its own: threads that each write the rows of their own group (the reader's
// datasets) never write one word.
template <int Rows, int RowsPerGroup = Rows>
class WrittenRows {
 public:
  void Mark(int row) { Mark(row / RowsPerGroup, row % RowsPerGroup); }
  void Mark(int group, int row) {
    bits_[static_cast<std::size_t>(group * kGroupWords + row / 64)] |= std::uint64_t{1} << (row % 64);
  }
  // Calls clearRows(first, count) for every run of marked rows and forgets
  // the marks.
  template <typename F>
  void ClearRuns(F&& clearRows) {
    std::ptrdiff_t start = -1;  // first row of the open run
    for (int g = 0; g * RowsPerGroup < Rows; ++g) {
      const int rowsHere = std::min(RowsPerGroup, Rows - g * RowsPerGroup);
      for (int k = 0; k * 64 < rowsHere; ++k) {
        std::uint64_t& word = bits_[static_cast<std::size_t>(g * kGroupWords + k)];
        std::uint64_t bits = word;
        word = 0;
        // The bits past the group's last row carry that row's state on.
        const int valid = std::min(64, rowsHere - k * 64);
        if (valid < 64 && ((bits >> (valid - 1)) & 1) != 0) bits |= ~std::uint64_t{0} << valid;
        int b = 0;
        while (b < valid) {
          const std::uint64_t rest = (start < 0 ? bits : ~bits) >> b;
          if (rest == 0) break;  // no change of state in this word
          b += std::countr_zero(rest);
          const auto row = static_cast<std::ptrdiff_t>(g) * RowsPerGroup + k * 64 + b;
          if (start < 0) {
            start = row;
          } else {
            clearRows(start, row - start);
            start = -1;
          }
        }
      }
    }
    if (start >= 0) clearRows(start, Rows - start);
  }

 private:
  static constexpr int kGroupWords = (RowsPerGroup + 63) / 64;
  std::array<std::uint64_t, static_cast<std::size_t>((Rows + RowsPerGroup - 1) / RowsPerGroup * kGroupWords)> bits_{};
};

// (D, H, k) array with elements Lo..Hi for every dataset and hour: the
// level arrays (k a level) and the few arrays of a handful of values per
// hour. Index() is the element's number in the store's addressing, D + 25*H
// + 2125*(k - Lo). In memory the elements of one (D, H) lie next to each
// other, its row, and the rows of one dataset too: a one-dataset file fills
// 23 KB of each level array rather than touching every page of its 578 KB,
// and a loop over the levels of one hour reads consecutive values.
template <typename T, int Lo, int Hi>
class HourVectorArray {
 public:
  static constexpr int kSlots = Hi - Lo + 1;
  T& operator()(int d, int h, int k) {
    const int row = Row(d, h, k);
    written_.Mark(d, h);
    return v_[Slot(row, k)];
  }
  const T& operator()(int d, int h, int k) const { return v_[Slot(Row(d, h, k), k)]; }
  static constexpr int Index(int d, int h, int k) {
    Row(d, h, k);
    return d + kDatasetSlots * h + kPerLevel * (k - Lo);
  }
  // The elements Lo..Hi of (d, h) in order.
  std::span<const T, kSlots> Of(int d, int h) const {
    return std::span<const T, kSlots>(&v_[Slot(Row(d, h, Lo), Lo)], kSlots);
  }
  // The same for writing (all of them count as written).
  std::span<T, kSlots> Of(int d, int h) {
    const int row = Row(d, h, Lo);
    written_.Mark(d, h);
    return std::span<T, kSlots>(&v_[Slot(row, Lo)], kSlots);
  }
  // Every element back to T{}.
  void Clear() {
    written_.ClearRuns([this](std::ptrdiff_t row, std::ptrdiff_t rows) {
      std::fill_n(v_.begin() + row * kSlots, rows * kSlots, T{});
    });
  }
  // Equal elements (which rows were written does not count).
  bool operator==(const HourVectorArray& o) const { return v_ == o.v_; }
  // The elements in storage order.
  const auto& Values() const { return v_; }

 private:
  static constexpr int kRows = kDatasetSlots * kMaxHours;
  // The row of (d, h); throws when a subscript is out of range.
  static constexpr int Row(int d, int h, int k) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || k < Lo || k > Hi)
      SubscriptOutOfRange(Lo < 0 || Hi == kMaxLevels ? "level array" : "hour element array");
    return d * kMaxHours + h;
  }
  static constexpr std::size_t Slot(int row, int k) { return static_cast<std::size_t>(row * kSlots + (k - Lo)); }

  std::array<T, static_cast<std::size_t>(kRows) * kSlots> v_;  // zero from the storage (see ParcelLevelArray)
  WrittenRows<kRows, kMaxHours> written_;  // a dataset's rows apart
};

// (D, H, L) array with levels LMin..67.
template <typename T, int LMin = 0>
using LevelArray = HourVectorArray<T, LMin, kMaxLevels>;

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
  // Every element back to T{}.
  void Clear() { v_.fill(T{}); }
  bool operator==(const HourArray&) const = default;
  // The elements in storage order.
  const auto& Values() const { return v_; }

 private:
  std::array<T, kPerLevel> v_;  // zero from the storage (see ParcelLevelArray)
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
  // Every element back to T{}.
  void Clear() { v_.fill(T{}); }
  bool operator==(const DatasetArray&) const = default;
  // The elements in storage order.
  const auto& Values() const { return v_; }

 private:
  std::array<T, kDatasetSlots> v_{};
};

// (D, H, k) array with elements 0..Hi.
template <typename T, int Hi>
using HourElementArray = HourVectorArray<T, 0, Hi>;

// (D, H, starting level, level) array, levels 0..67 on both level indexes.
// Like the level arrays it is laid out with the dataset slowest: the levels
// of one starting level (a row) lie next to each other, and the rows of one
// dataset too (1.6 MB), so that the parcels of a one-dataset file take that
// much memory and not a page for every row.
//
// At 68 times the size of a level array this is most of a store, and only
// the rows of the parcels someone has lifted are ever used. So it remembers
// which rows it has handed out for writing, and Clear() zeroes only those:
// clearing costs nothing for the rows never used.
//
// Like the level, hour and hour-element arrays, its elements have no
// initialiser: the two stores have static storage, which starts them at zero
// without writing (and so without holding) their 130 MB at start-up; a page
// takes memory when a load or a computation first writes it. Any other store
// must be value-initialised (`new ProfileStore()`, std::make_unique), never
// default-initialised (`new ProfileStore`).
template <typename T>
class ParcelLevelArray {
 public:
  static constexpr int kLevelSlots = kMaxLevels + 1;
  static constexpr int kRows = kPerLevel * kLevelSlots;
  T& operator()(int d, int h, int l0, int l) {
    const int i = Index(d, h, l0, l);
    written_.Mark(i / kLevelSlots);
    return v_[static_cast<std::size_t>(i)];
  }
  const T& operator()(int d, int h, int l0, int l) const {
    return v_[static_cast<std::size_t>(Index(d, h, l0, l))];
  }
  // The levels 0..67 of starting level l0 of (d, h), for writing.
  T* Row(int d, int h, int l0) {
    const int i = Index(d, h, l0, 0);
    written_.Mark(i / kLevelSlots);
    return &v_[static_cast<std::size_t>(i)];
  }
  static constexpr int Index(int d, int h, int l0, int l) {
    if (d < 0 || d > kMaxDatasets || h < 0 || h >= kMaxHours || l0 < 0 || l0 > kMaxLevels ||
        l < 0 || l > kMaxLevels)
      SubscriptOutOfRange("parcel level array");
    return ((d * kMaxHours + h) * kLevelSlots + l0) * kLevelSlots + l;
  }
  // Every element back to T{}.
  void Clear() {
    written_.ClearRuns([this](std::ptrdiff_t row, std::ptrdiff_t rows) {
      std::fill_n(v_.begin() + row * kLevelSlots, rows * kLevelSlots, T{});
    });
  }
  // Equal elements (which rows were written does not count).
  bool operator==(const ParcelLevelArray& o) const { return v_ == o.v_; }
  // The elements in storage order.
  const auto& Values() const { return v_; }

 private:
  std::array<T, static_cast<std::size_t>(kRows) * kLevelSlots> v_;  // zero from the storage
  WrittenRows<kRows> written_;
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
  // Every element back to T{}.
  void Clear() { v_.fill(T{}); }
  bool operator==(const FixedVector&) const = default;
  // The elements in storage order.
  const auto& Values() const { return v_; }

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
  HourArray<Integer> MatrixPageDone;  // the storm-matrix cell of the hour is built
  // The winds, the storm motion or the boundary of the hour were edited on
  // the hodograph; UserStormSet: the storm motion is the user's.
  HourArray<Boolean> gWindEdited;
  DatasetArray<Integer> gOmegaSmoothDone, gWarmCloudTopDone, gWarmCloudDepthDone;
  DatasetArray<Boolean> gTQIndexDone;
  DatasetArray<Integer> ThicknessDone;

  // ---- thickness heights (D, H, k = 1..4: 1000, 850, 700, 500 mb), metres ----
  LevelArray<Single> ThickHeights;  // level slot k holds the k-th height

  // ---- pressure-at-height tables of the current dataset's first hour ----
  FixedVector<Integer, 0, 70> gPresAtKft;
  FixedVector<Integer, 0, 20> gPresAtKm;

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

  // ---- hodograph edits (panels/hodoedit.h) ----
  HourArray<Boolean> BoundaryShown;                   // the boundary overlay is on
  HourArray<Single> BoundaryMotionU, BoundaryMotionV; // boundary motion placed by hand, m/s

  // ---- convective storm matrix (BuildStormMatrixPage, panels/matrixcell.h) ----
  HourArray<std::string> MatrixCellCode;  // row letter and column digit ("M4"), "-" below 300 J/kg
  HourArray<std::string> MatrixPagePath;  // base name of the cell's training pages
  HourArray<Single> MatrixMeanDPD;        // mean dew-point depression LFC..EL, deg C

  // ---- precipitation type the chart shows (DrawModelPrecipType, chart/) ----
  // 60 rain, 66 freezing rain, 70 snow, 79 ice pellets, 999 none: the decided
  // type or the model's own, as the chart's gPtypeSrcFlag chooses.
  HourArray<Long> gPtypeCode;

  // ---- series of the overview (overview/) ----
  // Snow of each (dataset, hour), inches, from the snow-ratio computation;
  // the precipitation readout sums it.
  HourArray<Single> SnowAmount;
  // Derived level fields (overview/derivedfields.h), per (dataset, hour,
  // level), with a done flag per dataset.
  LevelArray<Single> IcingIndex, DeltaThetaE, ShearContour, LayertoLayer, HodoLengthShear, gMeanMixRatio,
      SnowGrowth;
  DatasetArray<Integer> IcingDone, DeltaThetaEDone, ShearContourDone, LayertoLayerDone, HodoLengthShearDone,
      MeanMixingRatioDone, SnowGrowthDone;
  // One value per (dataset, hour): the temperature at the lake-index level
  // (NaN where the level lies outside the profile), the Total Totals, the
  // layer mean wind, the mixing layer and its transport wind, the snow ratio
  // and its totals, the apparent temperature (deg F).
  HourArray<Single> LakeLevelTemp, TotalTotals, MeanWindDir, MeanWindSpread, MixTopLevel, TransportWindDir,
      TransportWindSpeed, SnowRatio, SnowfallTotal, SnowAccumSettled, ApparentTempF;
  HourElementArray<Integer, 3> HainesIndex;  // k = 1 low, 2 mid, 3 high
  DatasetArray<Integer> LakeLevelTempDone, TotalTotalsDone, HainesDone, MixingLayerDone, SnowRatioDone;

  // ---- dataset-title columns (words of each title column) ----
  FixedVector<Integer, 1, 4> gTitleWordCount;
  // The two members that are not arrays with handles stay last.
  std::array<std::array<std::string, 17>, 5> gTitleWords{};  // [column 1..4][word 1..16]
  Integer gTitleColumnCount = 0;

  // Puts every value back to its initial state (zero, false, empty text), in
  // place: the arrays of ONDRIK_STORE_ARRAYS below and the title words.
  void Clear();
};

namespace detail {
extern ProfileStore* gCurrentStore;
}  // namespace detail

// The current store. Never null; points at one of two statically allocated
// stores (the current one and the reader's scratch store).
inline ProfileStore& Store() { return *detail::gCurrentStore; }
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

// Every array of ProfileStore, once and in the order of declaration: the list
// gives each its handle and is what ProfileStore::Clear() resets (store.cpp
// checks at compile time that no member is missing).
#define ONDRIK_STORE_ARRAYS(X)                                                                  \
  X(gPres) X(gTemp) X(gWetBulb) X(gDewpt) X(gThetaE) X(gWdir) X(gWspd) X(gOmega) X(gCfrl)       \
  X(gHght) X(gHghtAGL) X(gRH) X(gRHIce) X(gMixRatioSat) X(gMixRatio) X(gSpecHum) X(gTheta)      \
  X(gOmegaSmooth) X(gFrostPt) X(gLevelParcelDone)                                               \
  X(gWindU) X(gWindV) X(gWindUAsLoaded) X(gWindVAsLoaded)                                       \
  X(gValidTime) X(gShow) X(gLift) X(gSweat) X(gKIndex) X(gLclPres) X(gPwat) X(gTotals) X(gCape) \
  X(gLclTemp) X(gCins) X(gEqlv) X(gLfct) X(gBrch) X(gNormCape) X(gEqlvHgtAGL) X(gLfcHgtAGL)     \
  X(gLclHgtAGL) X(gWbzHgtAGL) X(gWbzHgt)                                                        \
  X(gSfcPres) X(gSfcTemp) X(gSfcDewpt) X(gSkinTemp) X(gSoilTemp) X(gPrecip) X(gConvPrecip)      \
  X(gPrecipAccum) X(gRunOff) X(gEvaporation) X(gSnra) X(gWind10U) X(gWind10V) X(gWind10m)       \
  X(gWind10Dir) X(gStormU) X(gStormV) X(gSfcHelicity) X(gEhi) X(gCloudBasePres) X(gVisibility)  \
  X(gPtypeSrcB)                                                                                 \
  X(gMeanWindDir) X(gMeanWindSpd) X(gRightMoverU) X(gRightMoverV) X(gLeftMoverU) X(gLeftMoverV) \
  X(gStormMotionDir) X(gStormMotionSpd)                                                         \
  X(gCclPres) X(gConvTemp)                                                                      \
  X(gEnergyPattern) X(gPosEnergy) X(gNegEnergy) X(gSfcPosEnergy) X(gSfcWarmDepth)               \
  X(gCloudTopLevel) X(gSeederFeeder) X(gPtypeSrcA) X(gFreezingLevelFt) X(gMinus20LevelFt)       \
  X(gWarmCloudDepthFt) X(gWarmCloudDepth) X(gTQIndex)                                           \
  X(gNumLevels) X(gLastHour) X(gSiteLat) X(gSiteLon) X(gSiteElev) X(gDatasetTitle)              \
  X(gDatasetLabel) X(gTopLevel)                                                                 \
  X(PrecipTotal) X(ConvPrecipTotal) X(XoverManual) X(UserStormSet) X(gECapeMark)                \
  X(gHelicityDone) X(gBulkShearDone) X(gMbeDone) X(gLakeParcelDone) X(gLayerCapeDone)           \
  X(gParcelTraceDone) X(gCinTraceDone) X(gParcelTraceTemp) X(gCinTraceTemp) X(MatrixPageDone)   \
  X(gWindEdited) X(gOmegaSmoothDone) X(gWarmCloudTopDone) X(gWarmCloudDepthDone)                \
  X(gTQIndexDone) X(ThicknessDone)                                                              \
  X(ThickHeights)                                                                               \
  X(gPresAtKft) X(gPresAtKm)                                                                    \
  X(gBulkShear) X(gEffectiveCape) X(gEffectiveCin)                                              \
  X(gSRHTopLevel) X(gSRHBottomLevel) X(gSRWindU) X(gSRWindV) X(gSRInflowSfcSpd)                 \
  X(gSRInflowSfcDir) X(gSRInflowTopSpd) X(gSRInflowTopDir) X(gHelicity) X(gSRHLayerShear)       \
  X(gSRHLayerShearPerKm)                                                                        \
  X(gCloudLayerU) X(gCloudLayerV) X(gCloudLayerDir) X(gCloudLayerSpd) X(gLLJDir) X(gLLJSpd)     \
  X(gLLJPres) X(gLLJUncertain) X(gLLJU) X(gLLJV) X(gMbeU) X(gMbeV) X(gMbeDir) X(gMbeSpd)        \
  X(gMbeUpwindU) X(gMbeUpwindV) X(gMbeUpwindDir)                                                \
  X(gLakeParcelT) X(gLakeParcelTd) X(gLakeLclTemp) X(gLakeLclPres) X(gLakeELLevel)              \
  X(gLakeELPres) X(gLakeELTemp) X(gLakeEL) X(gLakeCape) X(gLakeNCape) X(gLakeParcelTemp)        \
  X(gLayerCape)                                                                                 \
  X(gElevCape) X(gElevHailCape) X(gElevCin) X(gElevELLevel) X(gElevELPres) X(gElevELTemp)       \
  X(gElevEL) X(gElevNCape) X(gElevParcelTemp)                                                   \
  X(BoundaryShown) X(BoundaryMotionU) X(BoundaryMotionV)                                        \
  X(MatrixCellCode) X(MatrixPagePath) X(MatrixMeanDPD)                                          \
  X(gPtypeCode)                                                                                 \
  X(SnowAmount)                                                                                 \
  X(IcingIndex) X(DeltaThetaE) X(ShearContour) X(LayertoLayer) X(HodoLengthShear) X(gMeanMixRatio) \
  X(SnowGrowth) X(IcingDone) X(DeltaThetaEDone) X(ShearContourDone) X(LayertoLayerDone)          \
  X(HodoLengthShearDone) X(MeanMixingRatioDone) X(SnowGrowthDone)                               \
  X(LakeLevelTemp) X(TotalTotals) X(MeanWindDir) X(MeanWindSpread) X(MixTopLevel)               \
  X(TransportWindDir) X(TransportWindSpeed) X(SnowRatio) X(SnowfallTotal) X(SnowAccumSettled)   \
  X(ApparentTempF) X(HainesIndex) X(LakeLevelTempDone) X(TotalTotalsDone) X(HainesDone)         \
  X(MixingLayerDone) X(SnowRatioDone)                                                            \
  X(gTitleWordCount)

#define ONDRIK_FIELD(name) inline constexpr StoreField<&ProfileStore::name> name{};
ONDRIK_STORE_ARRAYS(ONDRIK_FIELD)
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
