// The shading overlays of the shown dataset, drawn in the frame system
// (x 0..100 across the chart, y = ln p) under the background lines and the
// traces: cloud fraction, layer-to-layer shear, RH bars and inversions.
#include <algorithm>
#include <cmath>
#include <string>

#include "chart/chart.h"
#include "core/wholenumber.h"

namespace ondrik {

namespace {

constexpr Color kInversionBand = RGB(127, 127, 127);
constexpr Color kInversionLabel = RGB(255, 255, 0);
constexpr Color kShearStrong = RGB(128, 0, 0);
constexpr Color kShearModerate = RGB(128, 128, 0);
// An inversion's label may move this far across the chart (frame x) to keep
// clear of the traces.
constexpr double kInversionLabelRoom = 30;

// Only the hours and levels the store holds for the dataset.
bool HourUsable(Integer D, Integer H) {
  return D >= 1 && D <= kMaxDatasets && H >= 0 && H < kMaxHours && H <= gLastHour(D);
}

Integer LevelCount(Integer D) { return std::clamp<Integer>(gNumLevels(D), 0, kMaxLevels); }

// A pressure that ln p and the labels can take (mb).
bool PositivePressure(double p) { return std::isfinite(p) && p > 0 && p < 1e5; }

// A box across the whole width of the chart between two pressures.
void Band(PictureBox& pic, double pLow, double pHigh, Color c) {
  if (!PositivePressure(pLow) || !PositivePressure(pHigh)) return;
  pic.Box(0, std::log(pLow), 100, std::log(pHigh), c, true);
}

// A band for the XOR pen: boxes include both edge rows, so two bands that
// meet at a level would cancel on the row they share (a black line across a
// cloud layer). Each band leaves out its lowest row, which the band below
// covers.
void XorBand(PictureBox& pic, double pLow, double pHigh, Color c) {
  if (!PositivePressure(pLow) || !PositivePressure(pHigh)) return;
  const double y0 = pic.YToPixel(std::log(pLow));
  const double y1 = pic.YToPixel(std::log(pHigh));
  if (!std::isfinite(y0) || !std::isfinite(y1)) return;
  const double top = std::floor(std::min(y0, y1) + 0.5);
  const double bottom = std::floor(std::max(y0, y1) + 0.5) - 1;
  if (bottom < top) return;
  pic.Box(0, pic.PixelToY(top), 100, pic.PixelToY(bottom), c, true);
}

}  // namespace

void PlotCloudFraction(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  if (!HourUsable(D, H)) return;
  // Grey by the cloud fraction, combined with what lies under it by XOR.
  picData.Mode = DrawMode::XorPen;
  const Integer n = LevelCount(D);
  for (Integer c = 1; c <= n - 1; ++c) {
    Single f = gCfrl(D, H, c);
    if (!std::isfinite(f) || f < 0) continue;  // missing value: no shading
    f = std::min(f, 100.0f);
    // In single precision, halves to even: 50 % is 127.5 and becomes 128.
    const int g = static_cast<int>(std::nearbyint(f * 2.55f));
    XorBand(picData, gPres(D, H, c), gPres(D, H, c + 1), RGB(g, g, g));
  }
  // The shear bands, RH bars and inversion bands that follow are opaque.
  picData.Mode = DrawMode::CopyPen;
}

void PlotLayerToLayer(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  if (!HourUsable(D, H)) return;
  const Integer n = LevelCount(D);
  for (Integer L = 1; L <= n - 1; ++L) {
    // Magnitude of the wind difference per metre of height, per hour; a
    // layer without depth counts as no shear.
    double S = 0;
    const double du = static_cast<double>(gWindU(D, H, L)) - gWindU(D, H, L + 1);
    const double dv = static_cast<double>(gWindV(D, H, L)) - gWindV(D, H, L + 1);
    const double dz = static_cast<double>(gHght(D, H, L + 1)) - gHght(D, H, L);
    if (dz != 0 && std::isfinite(dz)) {
      S = std::sqrt(du * du + dv * dv) / dz * 3600.0;
      if (!std::isfinite(S)) S = 0;
    }
    if (S >= s.in.LayerShearT2) Band(picData, gPres(D, H, L), gPres(D, H, L + 1), kShearStrong);
    else if (S >= s.in.LayerShearT1) Band(picData, gPres(D, H, L), gPres(D, H, L + 1), kShearModerate);
  }
}

void PlotRHBars(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  if (D != s.draw.ShownDataset) return;  // no bars for dimmed datasets
  if (!HourUsable(D, H)) return;
  const Integer n = LevelCount(D);
  if (n < 1) return;

  // Pressure of level c, with the levels just below the first and above the
  // last mirrored about the surface pressure and the top level: the lowest
  // bar starts at the ground and the top bar has an upper edge. The mirrored
  // values stay here; the store is not written.
  const double p1 = gPres(D, H, 1);
  const double pTop = gPres(D, H, n);
  const double pBelowTop = n >= 2 ? static_cast<double>(gPres(D, H, n - 1))
                                  : 2.0 * gSfcPres(D, H) - p1;
  auto P = [&](Integer c) -> double {
    if (c <= 0) return 2.0 * gSfcPres(D, H) - p1;
    if (c > n) return 2.0 * pTop - pBelowTop;
    return gPres(D, H, c);
  };

  // Classes by lower bound (%), first match wins; water classes begin at 95 %.
  struct RHClass {
    double bound;
    Color c;
  };
  static constexpr RHClass kIce[] = {
      {109, RGB(255, 0, 0)}, {106, RGB(191, 0, 0)}, {103, RGB(127, 0, 0)}, {100, RGB(96, 0, 0)},
      {95, RGB(60, 0, 115)}, {90, RGB(0, 255, 0)},  {80, RGB(0, 191, 0)},  {70, RGB(0, 127, 0)}};
  const bool water = s.opt.chkRH[0];  // with both boxes ticked, water wins
  const RHClass* first = water ? kIce + 4 : kIce;
  const RHClass* last = kIce + std::size(kIce);

  const Integer top = std::clamp<Integer>(gTopLevel(D), 0, n);
  for (Integer c = 1; c <= top; ++c) {
    const double rh = water ? gRH(D, H, c) : gRHIce(D, H, c);
    if (!std::isfinite(rh)) continue;
    const RHClass* k = std::find_if(first, last, [&](const RHClass& r) { return rh >= r.bound; });
    if (k == last) continue;  // below 70 %: no bar
    const double lower = (P(c - 1) + P(c)) / 2;
    const double upper = (P(c) + P(c + 1)) / 2;
    if (!PositivePressure(lower) || !PositivePressure(upper)) continue;
    picData.Box(0, std::log(lower), (rh - 70) * 0.4, std::log(upper), k->c, true);
  }
}

void PlotInversions(PictureBox& picData, ChartState& s) {
  if (!s.opt.chkInversions) return;
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  if (!HourUsable(D, H)) return;
  picData.ForeColor = kInversionLabel;
  bool labelShown = false;

  // Top bound from hour 0: the highest level with more than 400 mb.
  const Integer n = LevelCount(D);
  Integer t = 0;
  for (Integer j = n; j >= 1; --j) {
    if (gPres(D, 0, j) > 400) {
      t = j;
      break;
    }
  }
  // Each layer needs the level above it; the top level has none.
  t = std::min<Integer>(t, n - 1);

  for (Integer i = 1; i <= t; ++i) {
    const Single dT = gTemp(D, H, i + 1) - gTemp(D, H, i);
    const Single depression = gTemp(D, H, i + 1) - gDewpt(D, H, i + 1);
    const double pi = gPres(D, H, i);
    const double pj = gPres(D, H, i + 1);
    const bool marked =
        PositivePressure(pi) && PositivePressure(pj) &&
        (dT >= s.in.gInversionDT || (dT >= s.in.gIsothermDT && depression >= s.in.gIsothermMinDepression));
    if (!marked) {
      labelShown = false;  // the next marked layer starts a new run
      continue;
    }
    Band(picData, pi, pj, kInversionBand);
    if (!labelShown && FitsInt(std::floor(pi + 0.5))) {
      // The base pressure of the run, centred on its level.
      picData.CurrentX = 10;
      picData.CurrentY = std::log(pi) - s.draw.HalfTextHeight;
      s.draw.labels.Print(picData, ChartNumber(static_cast<long>(std::floor(pi + 0.5))) + "mb",
                          LabelPlace::AlongRow, QPointF(10, std::log(pi)), 0, kInversionLabelRoom);
      labelShown = true;
    }
  }
}

}  // namespace ondrik
