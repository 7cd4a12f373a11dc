// Convective condensation level, omega smoothing and quartiles.
#pragma once

#include "core/store.h"

namespace ondrik {

// Convective condensation level and convective temperature of every hour of
// gCurDataset.
void ComputeCCL();

}  // namespace ondrik
