// Precipitation-type energies and the decided precipitation type, the 0 C and
// -20 C heights, the warm-cloud depth and the TQ index.
//
// Results are members of the profile store by (dataset, hour): gEnergyPattern,
// gPosEnergy, gNegEnergy, gSfcPosEnergy, gSfcWarmDepth, gCloudTopLevel,
// gSeederFeeder, gPtypeSrcA, gFreezingLevelFt, gMinus20LevelFt,
// gWarmCloudDepthFt, gWarmCloudDepth, gTQIndex.
#pragma once

#include <string>

#include "core/store.h"

namespace ondrik {

// Freezing-layer pattern ("AB", "BA", "BB", "ABAB", read from gElevatedLevel
// upward; "" when the start level lies outside the profile), its melting and
// refreezing energy areas, the cloud top and the seeder-feeder mark of every
// hour of every dataset. Every output of an hour is reset first.
// Steps gCurDataset through the datasets and restores it.
void ComputeEnergyPatterns();

// Runs ComputeEnergyPatterns and decides gPtypeSrcA (60 rain, 66 freezing
// rain, 70 snow, 79 ice pellets; 999 when the hour has no pattern) for every
// hour of every dataset. Steps gCurDataset through the datasets and restores
// it.
void DecidePrecipType();

// The decision of one hour from its pattern and energies (J/kg): "BA" is
// freezing rain below the refreezing line 70 + pa * 300 / 450 (in single
// precision), else ice pellets; "AB" snow below 13.2, else rain; "BB" snow;
// "ABAB" rain below the line or with a surface warm area of at least 20,
// else ice pellets; any other pattern kPtypeNone.
Long PrecipTypeOfEnergies(const std::string& pattern, Single pa, Single na, Single sfcPa);

// Standard-atmosphere heights (ft) of the 0 C and -20 C levels of every hour
// of gCurDataset (the surface height when the first level is already colder);
// sets gWarmCloudTopDone.
void FindWarmCloudTop();

// Depth (ft) from the lifting condensation level up to the 0 C level, never
// below 0, and that depth above the height of hour 0's surface pressure, for
// every hour of gCurDataset. Runs FindWarmCloudTop first when the dataset
// lacks it. Sets gWarmCloudDepthDone.
void ComputeWarmCloudDepth();

// TQ index T850 + Td850 - 1.7 T700 of every hour of gCurDataset; kMissing
// (core/levels.h) when 850 or 700 mb lies outside the hour's profile. Sets
// gTQIndexDone.
void ComputeTQIndex();

}  // namespace ondrik
