#include "core/preciptype.h"

namespace ondrik {

void DecidePrecipType() {}

}  // namespace ondrik
