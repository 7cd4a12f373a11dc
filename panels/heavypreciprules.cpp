#include "panels/heavypreciprules.h"

#include <algorithm>
#include <cmath>

namespace ondrik {

std::optional<Single> MeanRHTo500(Integer d, Integer h) {
  const Integer n = std::min(gNumLevels(d), kMaxLevels);
  double sum = 0;
  int count = 0;
  for (Integer L = 1; L <= n; ++L) {
    if (!(gPres(d, h, L) >= 500.0f)) break;
    sum += gRH(d, h, L);
    ++count;
  }
  if (count == 0) return std::nullopt;
  return static_cast<Single>(sum / count);
}

std::optional<double> Thickness1000To500Dam(Integer d, Integer h) {
  const double h1000 = ThickHeights(d, h, 1), h500 = ThickHeights(d, h, 4);
  // A height of 0 is a level the profile does not reach.
  if (h500 == 0) return std::nullopt;
  const double t = (h500 - h1000) / 10.0;
  if (!std::isfinite(t) || t <= 0) return std::nullopt;
  return t;
}

void SetThicknessThresholds(double t, IndexThresholdTable& table) {
  const double pw1 = 3e-55 * std::pow(t, 19.816);
  const double pw2 = 1.35 * pw1;
  const double rh1 = 0.7 * pw1, rh2 = 0.8 * pw2;
  // The history saves the table: a border that single precision cannot hold
  // is never stored.
  for (double v : {pw1, pw2, rh1, rh2})
    if (!std::isfinite(v) || !std::isfinite(static_cast<Single>(v))) return;
  table(kRowPrecipWaterGauge, 1) = static_cast<Single>(pw1);
  table(kRowPrecipWaterGauge, 2) = static_cast<Single>(pw2);
  table(kRowPWTimesRH, 1) = static_cast<Single>(rh1);
  table(kRowPWTimesRH, 2) = static_cast<Single>(rh2);
}

std::vector<int> MbeRings(Single scale) {
  std::vector<int> rings;
  if (!std::isfinite(scale) || scale <= 0) return rings;
  const long whole = std::lround(scale);
  const long step = whole / 52 * 10 + 10;
  const long last = std::lround(static_cast<double>(step) + scale);
  for (long r = step; r <= last; r += step) rings.push_back(static_cast<int>(r));
  return rings;
}

}  // namespace ondrik
