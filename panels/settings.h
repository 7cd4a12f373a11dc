// What the side panels and control pages keep between runs and in display
// setups: one plain value that saved state reads and writes, and that each
// panel fills (Capture) and takes back (Apply) for its own fields.
//
// Qt-free. Panels add their fields here as they gain settings.
#pragma once

#include "core/store.h"

namespace ondrik {

struct PanelSettings {
  // Lake page: the lake temperature scroll bar, deg F.
  Integer LakeTempF = 34;
};

}  // namespace ondrik
