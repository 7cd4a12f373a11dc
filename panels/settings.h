// What the side panels and control pages keep between runs and in display
// setups: one plain value that saved state reads and writes, and that each
// panel fills (Capture) and takes back (Apply) for its own fields.
//
// Qt-free. Panels add their fields here as they gain settings.
#pragma once

#include <array>

#include "core/store.h"

namespace ondrik {

struct PanelSettings {
  // Lake page: the lake temperature scroll bar, deg F.
  Integer LakeTempF = 34;
  // Map: the layer marked on the chart ("Sigma Level" or "Mean Wind", one
  // at a time) and the levels of their bars.
  bool chkSigmaLevel = false;
  bool chkMeanFlow = false;
  Integer SigmaLevel = 0;
  std::array<Integer, 2> MeanFlowLevels{};
};

}  // namespace ondrik
