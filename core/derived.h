// Values derived from the profile store once a file's arrays are filled:
// chart top levels, pressure-at-height tables, cloud fraction from humidity,
// wet-bulb zero, thickness heights and the dataset labels and title columns.
#pragma once

#include "core/loadui.h"
#include "core/store.h"

namespace ondrik {

// gTopLevel of every loaded dataset: the lowest level of hour 0 at or above
// gChartTop, never above gNumLevels.
void SetProfileTopLevels();

// gChartBottom 4 % of the chart's log-pressure span below MaxSfcPres (the
// highest surface pressure of the file), rounded halves to even; left alone
// unless both MaxSfcPres and gChartTop are positive. True when it was set.
bool SetChartBottom();

// gPresAtKft and gPresAtKm from the surface pressure of hour 0 of gCurDataset.
void MakeHeightScale();

// gCfrl of every hour and level of the dataset from the relative humidity
// over ice: 0 at 75 % and below, 100 at saturation.
void MakeCFRL(Integer dataset);

// gWbzHgt of every hour of gCurDataset: pressure altitude (ft) of the highest
// crossing of 0 degC wet-bulb, or of the surface when there is none.
void FindWetBulbZero();

// ThickHeights(D, H, k) for k = 1..4 (1000, 850, 700, 500 mb) of every hour
// of gCurDataset, then ThicknessDone(D) = -1.
void MakeThickness();

// Labels (text after "#"), padded title columns, the title word tables and
// the captions and visibility of the 20 dataset boxes. Writes the store and
// returns the boxes; touches no control.
DatasetBoxes ComputeEnsembleNames();

// ComputeEnsembleNames, then hands the boxes to the window and, with more
// than one dataset, calls ui.DatasetsChanged().
void NormalizeEnsembleNames(LoadUi& ui);

}  // namespace ondrik
