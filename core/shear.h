// Wind direction, bulk shear and storm-relative helicity.
//
// Bulk shear and helicity are computed on demand for one dataset and hour and
// remembered through gBulkShearDone / gHelicityDone. The results are arrays
// of the profile store (core/store.h): gBulkShear, gEffectiveCape,
// gEffectiveCin, gSRHTopLevel, gSRHBottomLevel, gSRWindU, gSRWindV,
// gSRInflow*, gHelicity, gSRHLayerShear and gSRHLayerShearPerKm.
#pragma once

#include "core/store.h"

namespace ondrik {

// Direction (degrees) from which a wind of components (u, v) blows, in
// (0, 360]: north 360, east 90, south 180, west 270. A calm wind (0, 0) has
// the direction 360, and so has a wind less than 0.0001 degree east of north.
// Units of u and v do not matter.
Single WindDirection(Single u, Single v);

// ---- bulk shear ----

// Layer choice of the CAPE-shear panel (its option buttons optCapeShear).
inline constexpr Integer kShearSixKm = 0;      // "SCAPE - 6km Bulk Shear"
inline constexpr Integer kShearOneKm = 1;      // "SCAPE - 1km Bulk Shear"
inline constexpr Integer kShearEffective = 2;  // "MUCAPE - Effective Shear"
inline constexpr Integer kShearNone = -1;      // no option ticked

// The layer the panel has chosen; the profile window keeps it in step with
// its option buttons. Default: the 0-6 km layer.
extern Integer gCapeShearOption;

// Bulk wind difference of one hour over the chosen layer into
// gBulkShear(dataset, hour); the effective layer also fills gEffectiveCape
// and gEffectiveCin. Sets gBulkShearDone(dataset, hour). Works on the dataset
// passed (made current for the duration). Nothing happens for an hour outside
// 0..gLastHour(dataset).
void ComputeBulkShear(Integer dataset, Integer hour, Integer option = gCapeShearOption);

// ---- storm-relative helicity ----

// Depth (km) of the storm-relative inflow layer: the top of the helicity
// layer of an hour whose layer has not been chosen yet, and the index of the
// hodograph's chosen top button. gSRInflowBase: the index of its chosen
// bottom button, the bottom height in km (0 the surface). Both are saved
// with the history and the display setups.
extern Single gSRInflowDepth;
extern Single gSRInflowBase;

// Storm-relative winds, inflow, helicity and hodograph length of one hour of
// gCurDataset over the levels gSRHBottomLevel..gSRHTopLevel. When the hour
// has no layer yet, the top is the level nearest gSRInflowDepth and the done
// flags of every hour of the dataset are cleared. Sets gHelicityDone. Nothing
// happens for an hour outside 0..gLastHour.
void ComputeSRHelicity(Integer hour);

}  // namespace ondrik
