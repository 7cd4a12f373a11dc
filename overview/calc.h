// The overview's computations, free of drawing: the derived level fields,
// the per-hour series of the strips and the small formulas they use. Each
// works on the dataset it is given, keeps its results in the profile store
// (so a new file starts without them) and marks its done flag there.
// A value that cannot be formed is NaN, which the strips draw as a gap.
#pragma once

#include <algorithm>
#include <array>
#include <limits>

#include "core/guards.h"
#include "core/levels.h"
#include "core/store.h"

namespace ondrik {

// "No value": a gap in a strip, no contour in a field.
inline constexpr Single kNoValue = std::numeric_limits<Single>::quiet_NaN();

// The loops of the computations: a loaded dataset, its last hour and its
// number of levels, held within the store's bounds.
inline bool IsLoadedDataset(Integer d) { return d >= 1 && d <= kMaxDatasets && d <= gDatasetCount; }
inline int LastHourOf(Integer d) { return std::clamp<int>(gLastHour(d), -1, kMaxHours - 1); }
inline int LevelsOf(Integer d) { return std::clamp<int>(gNumLevels(d), 0, kMaxLevels); }

// Levels whose values are missing in the file (IsMissing): no temperature
// (and so none of the values the reader makes from it), no wind (direction
// or speed), no height.
inline bool NoTemp(Integer d, int h, int k) { return IsMissing(gTemp(d, h, k)); }
inline bool NoWind(Integer d, int h, int k) { return IsMissing(gWspd(d, h, k)) || IsMissing(gWdir(d, h, k)); }
inline bool NoHeight(Integer d, int h, int k) { return IsMissing(gHght(d, h, k)); }
// A value of the store as the overview draws it: no value when missing.
inline Single OrNoValue(Single v) { return IsMissing(v) ? kNoValue : v; }

// ---- derived level fields, every hour of dataset d ----
// Each is NaN at a level whose values it is made from are missing.
void MakeIcing(Integer d);            // -8 (T - Td) - T, 0 where positive above 0 C
void MakeDeltaThetaE(Integer d);      // theta-e minus that of level 1, K
void MakeShearContour(Integer d);     // |mean wind 0-500 m AGL - wind|, m/s; NaN without a wind in 500 m
void MakeLayertoLayer(Integer d);     // |dV| / dz * 3600 between adjacent levels; NaN for one height
void MakeHodoLengthShear(Integer d, bool perKm);  // hodograph length from the 10-m wind, m/s (or per km)
void MakeMeanMixingRatio(Integer d);  // mean mixing ratio of levels 1..k (those with a temperature), g/kg
void MakeSnowGrowth(Integer d);       // 10 in -18..-12 C, 21 there with RH > 75 %, else 0
// Temperature at p mb (linear in ln p); NaN where p lies outside the levels.
void MakeTempAtPressure(Integer d, Integer p);
// (T - T500) + (Td - T500) at the lower level p mb; NaN outside the profile.
void MakeTotalTotals(Integer d, Integer lowerPres);
// Runs MakeTotalTotals again (for a new lower level).
void RemakeTotalTotals(Integer d, Integer lowerPres);

// ---- winds ----
// Directions come from core/shear.h WindDirection (a calm wind is 360).
// Mean wind direction and spread (knots) of levels bottom..top of every
// hour, held within the dataset's levels; an empty layer gives NaN.
void ComputeMeanWind(Integer d, Integer bottom, Integer top);
// Mixing-layer top (level of the bottom of the first stable run at least
// stepMb deep, else of the last run begun, else the top level) and the mean
// wind of levels 1..top, every hour.
void MakeMixingLayer(Integer d, Single stepMb);
// The momentum-transfer step (mb) of a btnXferO index: 0 "30", 1 "1", 2 "10", 3 "20".
Single TransferStepMb(Integer xferIndex);
// Ventilation factor of an hour: transport speed (m/s) times the height of
// the mixing-layer top above ground (m), / 1000; NaN without a layer.
Single Ventilation(Integer d, int h);

// ---- fire weather and stability ----
// Haines low (k 1), mid (2) and high (3) of every hour.
void MakeHainesIndex(Integer d);
// One Haines variant (2..6) from its stability difference and dew-point
// depression (deg C); 0 when either is not a number.
Integer HainesOf(int k, Single stability, Single depression);

// ---- snow ratio ----
// Ratio by the warmest temperature of the profile.
Single RatioOfMaxTemp(Single tmax);
// The 2005 ("2005") or 2011 table value at a temperature.
Single DGZRatioAt(bool rev2011, Single t);
// The ratio of every hour of dataset d by the omega-weighted table.
void MakeSnowRatio_DGZxOmega(Integer d, bool rev2011);
// Ratio by technique (0 cobb05, 1 warmest level, 2 cobb11, 3 fixed), snow
// amount of each snow hour and the running and settled totals from hour 0
// of dataset d; typeFromA chooses the decided type over the model's.
void MakeSnowRatio(Integer d, Integer technique, Single fixedRatio, bool typeFromA);
// The type code of the hour refreshed from its source.
Long RefreshTypeCode(Integer d, int h, bool typeFromA);

// ---- surface and comfort ----
Single ApparentTemperature(Single t, Single rh);  // deg F from deg C and %
Single WindChill(double t, Single knots);         // deg F, never above the air temperature
// Hour indexes in 3 hours for a step (hours between hour indexes); 0 when
// no 3-hour change can be formed (a step above 3 hours). A step that is not
// positive is taken as `fallbackStep`, and one of those as 1.
Integer PresChangeSteps(Single hoursPerStep, Single fallbackStep);
// Heat class 1 (most severe) .. 5 of an apparent temperature (deg F).
int HeatClass(Single f);

}  // namespace ondrik
