// Module-level values that the profile window, the chart and the overview
// share besides the profile store.
#pragma once

#include <array>
#include <string>

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

// The overview window is open (the profile window sets it when it opens the
// overview; the overview clears it when it closes).
extern Integer gOverviewOpen;
// Raised while the profile window copies a dataset tick to the overview, so
// that the overview's box does not send it back.
extern Integer gEnsembleMirrorGuard;
// Hour of the cursor line now drawn on the overview; -99 before the first.
extern Integer gCursorHour;
// Window sizes and places in twips: Width, Height, Top, Left of the profile
// window, then the same of the overview.
extern std::array<Long, 8> gWindowGeometry;
// Raised while a window is placed from gWindowGeometry, so that its resize
// does not store the size back.
extern bool gSettingGeometry;
// Weekday names, 1 = "Sunday" .. 7 = "Saturday".
extern std::array<std::string, 8> gDayNames;

// Datasets in drawing order, the shown one last: with the overlay, counters
// 1..count; otherwise the one counter `shown`. The last counter draws the
// shown dataset; the others draw k + 1 from the shown one on, else k. So the
// others come in rising order and the shown one comes last, on top.
struct DrawOrder {
  std::array<Integer, kMaxDatasets> d{};
  int n = 0;
};
DrawOrder OverlayOrder(Integer shown, bool overlayAll, Integer count);

}  // namespace ondrik
