// Precipitation-type energies and the decided precipitation type.
#pragma once

#include "core/store.h"

namespace ondrik {

// Decides the precipitation type of every dataset and hour.
void DecidePrecipType();

}  // namespace ondrik
