#include "core/stormmotion.h"

namespace ondrik {

void MakeStormMotion(Integer /*hour*/) {}

}  // namespace ondrik
