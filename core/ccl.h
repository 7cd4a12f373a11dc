// Convective condensation level, omega smoothing and quartiles.
#pragma once

#include <span>

#include "core/store.h"

namespace ondrik {

// Convective condensation level and convective temperature of every hour of
// gCurDataset: gCclPres (mb) and gConvTemp (deg C; 99 when the hour has no
// convective condensation level, gCclPres then being the surface pressure).
void ComputeCCL();

// Smooths gOmega of gCurDataset over hour and level into gOmegaSmooth (weight
// 2 on the point, 1 on each neighbour that exists) for hours 0..gLastHour and
// levels 1..gNumLevels, then sets gOmegaSmoothDone(gCurDataset) to -1.
void SmoothOmega();

// Sorts values[lo..hi] in place, ascending. Indexes outside the span are
// clamped to it.
void QuickSort(std::span<Single> values, Long lo, Long hi);

// Sorts the first n values in place and gives their lower and upper
// quartiles: with q = n / 4, for n = 1 or n mod 4 = 2 or 3 the (q+1)-th and
// (n-q)-th smallest values, otherwise the means of the q-th and (q+1)-th and
// of the (n-q)-th and (n-q+1)-th. n is limited to the span's size; with no
// values both quartiles are 0.
void Quartiles(std::span<Single> values, Integer n, Single& lower, Single& upper);

}  // namespace ondrik
