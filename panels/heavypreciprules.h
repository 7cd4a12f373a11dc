// What the heavy-precipitation panel computes besides the vectors: the mean
// relative humidity up to 500 mb, the gauge borders that follow the
// 1000-500 mb thickness, and the rings of the vector diagram. Qt-free.
#pragma once

#include <optional>
#include <vector>

#include "core/store.h"
#include "core/thresholds.h"

namespace ondrik {

// Mean relative humidity (%) of the levels of (d, h) from level 1 up to the
// last one at or below 500 mb; none when the first level is already above
// 500 mb.
std::optional<Single> MeanRHTo500(Integer d, Integer h);

// The 1000-500 mb thickness of (d, h) in dam from ThickHeights; none when a
// height is missing or the thickness is not a positive finite number.
std::optional<double> Thickness1000To500Dam(Integer d, Integer h);

// Rewrites the precipitable-water and PW*RH gauge borders (columns 1 and 2 of
// rows 15 and 17) from a thickness t (dam): 3e-55 t^19.816 inches and 1.35
// times that for row 15, 0.7 and 0.8 of those for row 17. Computed in double
// precision; nothing is written when a border would not be finite.
void SetThicknessThresholds(double thicknessDam, IndexThresholdTable& table = gIndexThresholds);

// The ring radii (kt) of the vector diagram of half-width `scale`: every
// (round(scale) \ 52) * 10 + 10 kt up to round(step + scale).
std::vector<int> MbeRings(Single scale);

}  // namespace ondrik
