// The index thresholds: the colour breakpoints of the indices panel's bars
// and of the other gauges, one row per index of the index list.
//
// Columns 0 to 3 are where a row's bar begins, leaves its first third, leaves
// its second third and is full; a row runs upwards when column 0 < column 1,
// else downwards. Columns 4 to 6 serve only the two-sided rows 4 (Bulk
// Richardson Number) and 6 (Wet Bulb Zero). Rows 14 to 21 are the gauges of
// other panels: 14 the propagation-speed circles, 15 to 19 the
// heavy-precipitation gauges, 20 the chart's layer-to-layer shear bands, 21
// the map's mean-flow limits.
//
// The table is the user's: saved with the history, edited on the Alerts page,
// read by the panels at every drawing. Qt-free.
#pragma once

#include <array>

#include "core/store.h"

namespace ondrik {

inline constexpr int kIndexThresholdRows = 26;     // rows 0..25
inline constexpr int kIndexThresholdColumns = 7;   // columns 0..6

// Rows of the table, in the order of the index list.
enum IndexRow : int {
  kRowCape = 0,
  kRowCins = 1,
  kRowHelicity = 2,
  kRowEhi = 3,
  kRowBulkRichardson = 4,
  kRowEquilibriumLevel = 5,
  kRowWetBulbZero = 6,
  kRowLiftedIndex = 7,
  kRowTotalTotals = 8,
  kRowTQ = 9,
  kRowKIndex = 10,
  kRowShowalter = 11,
  kRowSweat = 12,
  kRowNormalizedCape = 13,
  kRowMbeSpeed = 14,
  kRowPrecipWaterGauge = 15,
  kRowMeanRH = 16,
  kRowPWTimesRH = 17,
  kRowWarmCloudDepth = 18,
  kRowLowLevelJet = 19,
  kRowLayerShear = 20,
  kRowLesMapRms = 21,
  kRowLfc = 22,
  kRowLcl = 23,
  kRowPrecipWater = 24,
  kRowPrecipitation = 25,
};

// The names of the rows as the index list shows them. Rows 15 and 24 carry
// the same name and keep separate thresholds.
extern const std::array<const char*, kIndexThresholdRows> kIndexNames;

// Rows 0..25 by columns 0..6; element (row, column) is number row + 26 *
// column, as the history file lists them. Every subscript is range-tested.
class IndexThresholdTable {
 public:
  Single& operator()(int row, int column) { return v_[Index(row, column)]; }
  const Single& operator()(int row, int column) const { return v_[Index(row, column)]; }
  static constexpr int Index(int row, int column) {
    if (row < 0 || row >= kIndexThresholdRows || column < 0 || column >= kIndexThresholdColumns)
      SubscriptOutOfRange("index thresholds");
    return row + kIndexThresholdRows * column;
  }
  // True for the rows whose bars are two-sided (they use columns 4 to 6).
  static constexpr bool TwoSided(int row) { return row == kRowBulkRichardson || row == kRowWetBulbZero; }

 private:
  std::array<Single, kIndexThresholdRows * kIndexThresholdColumns> v_{};
};

// The table in use.
extern IndexThresholdTable gIndexThresholds;

// Puts the first-run thresholds into the table: columns 0 to 3 of every row,
// columns 4 to 6 of the two-sided rows, 0 elsewhere.
void StoreDefaultIndexThresholds(IndexThresholdTable& table = gIndexThresholds);

}  // namespace ondrik
