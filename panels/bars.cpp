#include "panels/bars.h"

#include <cmath>

namespace ondrik {

namespace {

constexpr Color kGreen = RGB(0, 255, 0);

// The thirds of a rising run t0 < t1 < t2 < t3 (each test only after the
// ones before it failed, so no third is ever of zero width).
BarPlace Rising(double v, double t0, double t1, double t2, double t3) {
  if (v <= t0) return {0, kBlack};
  if (v < t1) return {(v - t0) / (t1 - t0) * kFirstThird, kGreen};
  if (v < t2) return {(v - t1) / (t2 - t1) * kFirstThird + kFirstThird, kYellow};
  if (v < t3) return {(v - t2) / (t3 - t2) * kFirstThird + kSecondThird, kRed};
  return {100, kRed};
}

// The same run read downwards: t0 > t1 > t2 > t3.
BarPlace Falling(double v, double t0, double t1, double t2, double t3) {
  if (v >= t0) return {0, kBlack};
  if (v > t1) return {(t0 - v) / (t0 - t1) * kFirstThird, kGreen};
  if (v > t2) return {(t1 - v) / (t1 - t2) * kFirstThird + kFirstThird, kYellow};
  if (v > t3) return {(t2 - v) / (t2 - t3) * kFirstThird + kSecondThird, kRed};
  return {100, kRed};
}

}  // namespace

BarPlace IndexToX(Single value, int row, const IndexThresholdTable& t) {
  const double v = value;
  if (std::isnan(v)) return {0, kBlack};
  const double t0 = t(row, 0), t1 = t(row, 1), t2 = t(row, 2), t3 = t(row, 3);
  const bool rising = t0 < t1;
  if (!IndexThresholdTable::TwoSided(row)) return rising ? Rising(v, t0, t1, t2, t3) : Falling(v, t0, t1, t2, t3);
  const double t4 = t(row, 4), t5 = t(row, 5), t6 = t(row, 6);
  if (rising) {
    if (v < t3) return Rising(v, t0, t1, t2, t3);
    return Falling(v, t6, t5, t4, t3);  // beyond column 3, worst at column 3
  }
  if (v > t3) return Falling(v, t0, t1, t2, t3);
  return Rising(v, t6, t5, t4, t3);
}

void PlotBar(PictureBox& pic, Single value, int row, const IndexThresholdTable& t) {
  const double v = value;
  if (std::isnan(v)) return;
  const BarPlace b = Rising(v, t(row, 0), t(row, 1), t(row, 2), t(row, 3));
  if (b.x <= 0) return;
  pic.FillColor = b.colour;
  pic.Box(0, row - 1.9, b.x, row - 1.2, b.colour, true);
}

}  // namespace ondrik
