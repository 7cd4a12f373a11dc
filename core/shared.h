// Module-level values that the profile window, the chart and the overview
// share besides the profile store.
#pragma once

#include "core/store.h"

namespace ondrik {

// The program's version, as the help window shows it and saved files carry it.
inline constexpr const char* kProgramVersion = "13.4.2";

// Overlay of datasets: draw every shown dataset, the current one last.
extern bool gOverlayAll;
// Per dataset: shown in the overlay (from the dataset check boxes).
extern DatasetArray<Boolean> gDatasetShown;
// Where the last change of the hour started: 0 idle, 1 the profile window,
// 2 the overview window.
extern Integer gHourChangeSource;

}  // namespace ondrik
