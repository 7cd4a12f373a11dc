// Storm motion of one hour: 0-6 km mean wind, right and left movers.
#pragma once

#include "core/store.h"

namespace ondrik {

// Computes the storm motion of hour `hour` of gCurDataset.
void MakeStormMotion(Integer hour);

}  // namespace ondrik
