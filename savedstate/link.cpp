#include "savedstate/link.h"

#include <cmath>

#include "core/levels.h"

namespace ondrik::saved {

Single PressureOfLevel(Integer level) {
  const Integer d = gCurDataset;
  if (d < 1 || d > gDatasetCount || level < 1 || level > gNumLevels(d)) return static_cast<Single>(level);
  return gPres(d, 0, level);
}

std::optional<Integer> LevelOfSavedPressure(Single p) {
  const Integer d = gCurDataset;
  if (d < 1 || d > gDatasetCount || !std::isfinite(p) || p < 0 || p > 32767) return std::nullopt;
  const Integer level = LevelOfPressure(static_cast<Integer>(std::nearbyint(p)));
  if (level < 1 || level > gNumLevels(d)) return std::nullopt;
  return level;
}

}  // namespace ondrik::saved
