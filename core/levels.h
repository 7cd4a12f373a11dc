// Level search and interpolation in one profile of the current dataset, and
// the standard-atmosphere conversions between pressure and height.
#pragma once

#include "core/store.h"

namespace ondrik {

// Result of an interpolation that has no data to work with (a pressure above
// the top level, or below the first level where no extrapolation is defined).
inline constexpr Single kMissing = -9999.0f;
inline bool IsMissing(Single v) { return !(v > kMissing + 1.0f); }

// Level of hour 0 nearest a pressure (mb); a value below 100 is already a
// level number and is returned unchanged. 0 when no level lies above p.
Integer LevelOfPressure(Integer p);
// Level of the hour nearest a height above ground (km); 0 when no level is
// higher, and level 0 (the ground) when it is at least as near as level 1.
Integer LevelOfHeight(Integer hour, Single km);

Single StdPressureOfFeet(Single ft);
Single StdHeightFtOfPressure(Single p);
Single StdHeightMOfPressure(Single p);

// Values at a pressure, linear in ln p between the two levels around it.
// kMissing above the top level; DewpointAtPressure also below the first level,
// while TempAtPressure extrapolates along levels 1 and 2 there.
Single DewpointAtPressure(Integer hour, Single p);
Single TempAtPressure(Integer hour, Single p);
// Relative humidity (%) at a pressure; kMissing outside the profile.
Single InterpolateToPressure(Integer hour, Single p);
// Pressure at which the temperature between levels i-1 and i equals t;
// 0 when the pair has no temperature difference or the level is out of range.
Single InterpolateP(Integer hour, Integer i, Single t);
// Height (m above sea level) at a pressure, linear in pressure; below the
// first level the surface (level 0) is the lower end. 0 above the top level.
Single InterpH(Integer hour, Single p);

}  // namespace ondrik
