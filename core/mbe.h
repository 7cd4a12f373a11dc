// Cloud-layer wind, low-level jet and the MBE (propagation) vectors of
// mesoscale convective systems, computed on demand for one dataset and hour
// and remembered through gMbeDone. The results are arrays of the profile
// store (core/store.h): gCloudLayer*, gLLJ* and gMbe*. Speeds and vector
// components in knots, directions in degrees (direction the vector comes
// from, as for winds).
#pragma once

#include "core/store.h"

namespace ondrik {

// The Heavy Precip panel's "Frwd Prop" box (chkMBE2): when set, gMbeU/gMbeV
// hold the forward-propagating vector and the upwind one goes to
// gMbeUpwindU/V/Dir. The profile window keeps it in step with the box.
extern bool gMbeForwardProp;

// Computes the vectors of (dataset, hour). jetLevel 0 searches the jet (the
// fastest wind from level 1 up to 800 mb); another level is taken as the jet
// (held inside 1..gNumLevels). Sets gMbeDone(dataset, hour) to -1. Nothing
// happens for an hour outside 0..gLastHour or a dataset without levels.
void ComputeMBEVectors(Integer dataset, Integer hour, Integer jetLevel,
                       bool forwardProp = gMbeForwardProp);

}  // namespace ondrik
