#include "core/shared.h"

namespace ondrik {

bool gOverlayAll = false;
DatasetArray<Boolean> gDatasetShown = [] {
  DatasetArray<Boolean> a;
  for (int d = 0; d <= kMaxDatasets; ++d) a(d) = true;
  return a;
}();
Integer gHourChangeSource = 0;

}  // namespace ondrik
