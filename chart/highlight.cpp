#include <cmath>

#include "chart/chart.h"

namespace ondrik {

bool LevelBandPressures(Integer D, Integer H, Integer L, Single& p1, Single& p2) {
  if (D < 1 || D > kMaxDatasets || H < 0 || H >= kMaxHours) return false;
  const Integer n = gNumLevels(D);
  if (L < 1 || L > n || L > kMaxLevels) return false;
  const Single p = gPres(D, H, L);
  if (!(p > 0)) return false;
  // The neighbours' pressures, 0 where there is none.
  const Single above = L + 1 <= n && L + 1 <= kMaxLevels ? gPres(D, H, L + 1) : 0;
  const Single below = gPres(D, H, L - 1);
  const bool hasAbove = above > 0 && above < p;
  const bool hasBelow = below > p;
  if (!hasAbove && !hasBelow) return false;
  const Single halfUp = hasAbove ? (p - above) / 2 : (below - p) / 2;
  const Single halfDown = hasBelow ? (below - p) / 2 : (p - above) / 2;
  p1 = p - halfUp;
  p2 = p + halfDown;
  return true;
}

void HighlightLevelBand(PictureBox& picData, Integer D, Integer H, Integer L) {
  Single p1 = 0, p2 = 0;
  if (!LevelBandPressures(D, H, L, p1, p2)) return;
  if (!(gChartTop > 0 && gChartBottom > gChartTop)) return;  // no chart to mark
  picData.ScaleToMapping();
  picData.Mode = DrawMode::XorPen;
  picData.Box(0, std::log(static_cast<double>(p1)), 100, std::log(static_cast<double>(p2)), RGB(192, 192, 0), true);
  picData.Mode = DrawMode::CopyPen;
}

}  // namespace ondrik
