#include "core/ccl.h"

namespace ondrik {

void ComputeCCL() {}

}  // namespace ondrik
