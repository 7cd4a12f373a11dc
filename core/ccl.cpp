#include "core/ccl.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/guards.h"
#include "core/levels.h"
#include "core/thermo.h"

namespace ondrik {

namespace {
constexpr Single kNoConvTemp = 99;
}  // namespace

void ComputeCCL() {
  const int d = gCurDataset;
  if (d < 0 || d > kMaxDatasets) return;
  const int n = std::clamp(gNumLevels(d), 0, kMaxLevels);
  const int lastHour = std::min(gLastHour(d), kMaxHours - 1);
  for (int h = 0; h <= lastHour; ++h) {
    const Single sfcPres = gSfcPres(d, h);
    gCclPres(d, h) = sfcPres;
    gConvTemp(d, h) = kNoConvTemp;

    // Mean mixing ratio of the levels within 100 mb of the surface.
    double sum = 0;
    int count = 0;
    for (int i = 1; i <= n && sfcPres - gPres(d, h, i) <= 100.0f; ++i) {
      sum += gRH(d, h, i) * gMixRatioSat(d, h, i) / 100.0f;
      ++count;
    }
    // No level within 100 mb of the ground: no mean, no condensation level.
    if (count == 0) continue;
    const double mean = sum / count;

    int k = 1;
    while (k <= n && !(gMixRatioSat(d, h, k) < mean)) ++k;
    if (k > n || k == 1) continue;

    const double wsBelow = gMixRatioSat(d, h, k - 1);
    const double wsAbove = gMixRatioSat(d, h, k);
    const double pC = (gPres(d, h, k - 1) - gPres(d, h, k)) * (mean - wsAbove) / (wsBelow - wsAbove) +
                      gPres(d, h, k);
    const Single tC = TempAtPressure(h, static_cast<Single>(pC));
    if (!(pC > 0) || IsMissing(tC) || !(sfcPres > 0)) continue;
    gCclPres(d, h) = static_cast<Single>(pC);
    gConvTemp(d, h) = static_cast<Single>(DryAdiabatC(tC, pC, sfcPres));
  }
}

void SmoothOmega() {
  const int d = gCurDataset;
  if (d < 0 || d > kMaxDatasets) return;
  const int last = std::min(gLastHour(d), kMaxHours - 1);
  const int n = std::clamp(gNumLevels(d), 0, kMaxLevels);
  for (int h = 0; h <= last; ++h) {
    for (int j = 1; j <= n; ++j) {
      // The point twice and each neighbour in hour and level that exists.
      Single sum = 2 * gOmega(d, h, j);
      int weight = 2;
      if (h < last) sum += gOmega(d, h + 1, j), ++weight;
      if (h > 0) sum += gOmega(d, h - 1, j), ++weight;
      if (j < n) sum += gOmega(d, h, j + 1), ++weight;
      if (j > 1) sum += gOmega(d, h, j - 1), ++weight;
      gOmegaSmooth(d, h, j) = sum / static_cast<Single>(weight);
    }
  }
  MarkDone(gOmegaSmoothDone(d));
}

void QuickSort(std::span<Single> values, Long lo, Long hi) {
  const Long size = static_cast<Long>(values.size());
  lo = std::max<Long>(lo, 0);
  hi = std::min<Long>(hi, size - 1);
  if (lo >= hi) return;
  const Single pivot = values[static_cast<size_t>(std::nearbyint((lo + hi) / 2.0))];
  Long i = lo;
  Long j = hi;
  while (i <= j) {
    while (values[i] < pivot && i < hi) ++i;
    while (pivot < values[j] && j > lo) --j;
    if (i <= j) {
      std::swap(values[i], values[j]);
      ++i;
      --j;
    }
  }
  if (lo < j) QuickSort(values, lo, j);
  if (i < hi) QuickSort(values, i, hi);
}

void Quartiles(std::span<Single> values, Integer n, Single& lower, Single& upper) {
  n = std::min<Integer>(n, static_cast<Integer>(values.size()));
  if (n <= 0) {
    lower = 0;
    upper = 0;
    return;
  }
  QuickSort(values, 0, n - 1);
  // x(k) is the k-th smallest value, counted from 1.
  auto x = [&](int k) { return values[static_cast<size_t>(k - 1)]; };
  const int q = n / 4;
  if (n == 1 || n % 4 == 2 || n % 4 == 3) {
    lower = x(q + 1);
    upper = x(n - q);
  } else {
    lower = (x(q) + x(q + 1)) / 2;
    upper = (x(n - q) + x(n - q + 1)) / 2;
  }
}

}  // namespace ondrik
