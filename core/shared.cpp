#include "core/shared.h"

namespace ondrik {

bool gOverlayAll = false;
DatasetArray<Boolean> gDatasetShown = [] {
  DatasetArray<Boolean> a;
  for (int d = 0; d <= kMaxDatasets; ++d) a(d) = true;
  return a;
}();
Integer gHourChangeSource = 0;

Integer gOverviewOpen = 0;
Integer gEnsembleMirrorGuard = 0;
Integer gCursorHour = -99;
std::array<Long, 8> gWindowGeometry{15000, 11010, 0, 0, 15000, 11010, 0, 0};
bool gSettingGeometry = false;
std::array<std::string, 8> gDayNames{"", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

DrawOrder OverlayOrder(Integer shown, bool overlayAll, Integer count) {
  DrawOrder o;
  const int first = overlayAll ? 1 : shown;
  const int last = overlayAll ? count : shown;
  for (int k = first; k <= last && o.n < kMaxDatasets; ++k) {
    Integer D;
    if (k == last) D = shown;
    else if (k >= shown) D = k + 1;
    else D = k;
    o.d[o.n++] = D;
  }
  return o;
}

}  // namespace ondrik
