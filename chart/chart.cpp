// The redraw of the profile chart: entry checks, the frame and background
// (drawn once, from the shown dataset), the dataset overlay loop, and the two
// small drawing routines eRGB and ellipse that the side panels share.
#include "chart/chart.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include "chart/cursor.h"
#include "core/constants.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/parcels.h"
#include "core/shared.h"
#include "core/wholenumber.h"

namespace ondrik {

Integer gChartTMin = -40;
Integer gChartTMax = 40;

namespace {

// Background colours.
constexpr Color kElevatedBase = RGB(97, 54, 0);
constexpr Color kGround = RGB(124, 54, 0);
constexpr Color kMinorLine = RGB(127, 127, 127);
constexpr Color kMajorLine = RGB(191, 191, 191);
constexpr Color kIsotherm = RGB(0, 0, 255);
constexpr Color kExtraIsotherm = RGB(0, 255, 255);
constexpr Color kDryAdiabat = RGB(64, 128, 128);
// The height labels may move this far across the chart (frame x) to keep
// clear of the traces.
constexpr double kHeightLabelRoom = 25;

// A surface pressure outside (0, kMaxPressure] mb cannot be a pressure of the
// atmosphere; a dataset with one is not drawn (ln p and the adiabat walk from
// the surface need a real value).
constexpr double kMaxPressure = 2000.0;
// Bound of the temperature loops, so that absurd bounds cannot stall the redraw.
constexpr int kMaxLoopSteps = 2000;

// The pixels at the top a picture H pixels high spares for what lies over
// it, so that what lies there hides nothing of the chart: all of them,
// while they leave the chart a row of pixels at least (a picture all
// covered shows no chart anyway).
double SparedTopPx(double coveredPx, double H) { return coveredPx > 0 && coveredPx + 1 < H ? coveredPx : 0; }

bool UsablePressure(double p) { return std::isfinite(p) && p > 0 && p <= kMaxPressure; }

// The chart bounds give a usable picture: a pressure range with a top above
// the bottom, and a temperature range of some width.
bool FrameUsable() {
  return gChartTop > 0 && gChartBottom > gChartTop && gChartTMax > gChartTMin;
}

// A drawing step that fails (a subscript out of range in the store, for
// example) is skipped; the rest of the chart is drawn all the same.
template <typename F>
void RunStep(F&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// Whether dataset D is drawn at the hour: shown in the overlay, holding the
// hour, with a usable surface pressure.
bool DatasetDrawable(Integer D, Integer hour, Integer count) {
  if (D < 1 || D > count) return false;
  if (!gDatasetShown(D)) return false;
  if (hour > gLastHour(D)) return false;
  return UsablePressure(gSfcPres(D, hour));
}

// Height or pressure lines by the vertical unit, in the exclusive-or pen so
// that they show over whatever shading lies under them. Each level gets a
// line (full width with "Heights", else a tick) and its label centred on it.
void DrawHeightLines(PictureBox& pic, ChartState& s) {
  auto level = [&](double p, Color c, const std::string& label) {
    if (!(std::isfinite(p) && p > 0)) return;  // no ln of a non-positive pressure
    const double y = std::log(p);
    pic.ForeColor = c;
    if (s.opt.chkLines) pic.Line(0, y, 100, y);
    else pic.Line(5, y, 7, y);
    // Centred on its level; where a trace runs there, it moves along the
    // level within the chart's left quarter.
    pic.CurrentX = 8.5;
    pic.CurrentY = y - s.draw.HalfTextHeight;
    s.draw.labels.Print(pic, label, LabelPlace::HeightAxis, QPointF(8.5, y), 0, kHeightLabelRoom);
  };

  switch (s.opt.VerticalUnit) {
    case 0: {  // "P": every 100 mb, the odd hundreds (or 150) darker
      const int start = gChartTop < 200 ? 150 : 950;
      for (int p = start; p >= gChartTop; p -= 100) level(p, kMinorLine, ChartNumber(p));
      for (int p = 1000; p >= gChartTop; p -= 100) level(p, kMajorLine, ChartNumber(p));
      break;
    }
    case 1: {  // "Ft": thousands of feet above the surface
      const int top =
          static_cast<int>(std::floor(StdHeightFtOfPressure(static_cast<Single>(gChartTop)))) /
          1000;
      if (top <= 20) {
        for (int i = 1; i <= top; ++i)
          if (i % 5 != 0) level(gPresAtKft(i), kMinorLine, ChartNumber(i));
      }
      for (int i = 5; i <= top && i <= 70; i += 5) level(gPresAtKft(i), kMajorLine, ChartNumber(i));
      break;
    }
    case 2: {  // "Km": kilometres above the surface
      const int top =
          static_cast<int>(std::floor(StdHeightFtOfPressure(static_cast<Single>(gChartTop)))) /
          kFeetPerKm;
      for (int k = 1; k <= top && k <= 20; ++k)
        level(gPresAtKm(k), kMajorLine, std::to_string(k) + "Km");
      break;
    }
    default:
      break;
  }
}

// Temperature labels under the surface line, isotherms, extra isotherms and
// dry adiabats, in the temperature system of the shown dataset.
void DrawTemperatureGrid(PictureBox& pic, ChartState& s, double sfcPres) {
  SetTemperatureSystem(pic, s);
  const double lnTop = std::log(static_cast<double>(gChartTop));
  const double lnSfc = s.draw.LnSurfacePres;
  const double skew = s.draw.SkewFactor;
  const double skewSpan = skew * (lnSfc - lnTop);  // shift of an isotherm at the chart top
  const int step = (gChartTMax - gChartTMin < 45) ? 5 : 10;
  const int t0 = static_cast<int>(
      std::nearbyint(std::floor((gChartTMin - skewSpan) / step) * step - step));

  pic.ForeColor = kWhite;
  const double w0 = pic.TextWidth("0");
  const double tickLen = 1.1 * s.draw.HalfTextHeight;
  int n = 0;
  for (int t = t0; t <= gChartTMax && n < kMaxLoopSteps; t += step, ++n) {
    pic.Line(t, lnSfc, t, lnSfc + tickLen);
    // The numbers of the ticks on the chart (those of a skewed chart start
    // far left of it).
    if (t < gChartTMin || t > gChartTMax) continue;
    pic.CurrentX = t - w0;
    pic.CurrentY = lnSfc + tickLen;
    s.draw.labels.Print(pic, ChartNumber(t), LabelPlace::UnderAxis, QPointF(t, lnSfc + tickLen));
  }

  pic.Style = DrawStyle::Dot;
  n = 0;
  for (int t = t0; t <= gChartTMax && n < kMaxLoopSteps; t += step, ++n)
    pic.Line(t, lnSfc, t + skewSpan, lnTop, kIsotherm);

  const int extra = std::clamp<int>(s.in.HighlightIsothermCount, 0, 24);
  for (int i = 1; i <= extra; ++i) {
    const double t = s.in.HighlightIsotherms[static_cast<size_t>(i)];
    pic.Line(t, lnSfc, t + skewSpan, lnTop, kExtraIsotherm);
  }

  if (s.opt.chkDryAdiabats) {
    // Each adiabat starts at the surface and walks up in 10 mb steps to
    // 700 mb, keeping the potential temperature of its surface value.
    const double P = gChartTop < 700 ? 700.0 : static_cast<double>(gChartTop);
    const int a0 = static_cast<int>(std::floor(static_cast<double>(gChartTMin) / step)) * step - step;
    const int a1 = static_cast<int>(std::nearbyint(gChartTMax + skew * (lnSfc - std::log(P)) + step));
    const auto X = [&](double T, double p) { return T + skew * (lnSfc - std::log(p)); };
    n = 0;
    for (int a = a0; a <= a1 && n < kMaxLoopSteps; a += step, ++n) {
      double p1 = sfcPres;
      double T1 = a;
      const double start = std::floor(p1 / 10) * 10;
      if (!FitsInt(start)) break;
      for (int p = static_cast<int>(start); p >= 700; p -= 10) {
        // Divided by the power of p1 / p, which rounds otherwise than
        // DryAdiabatC's product with the power of p / p1.
        const double T2 = (T1 + kKelvin) / std::pow(p1 / p, kKappa) - kKelvin;
        pic.Line(X(T1, p1), std::log(p1), X(T2, p), std::log(static_cast<double>(p)), kDryAdiabat);
        T1 = T2;
        p1 = p;
      }
    }
  }
}

// The frame and background of the chart, drawn once per redraw under every
// dataset: elevated-base box, the shown dataset's shadings, the height or
// pressure lines, the ground, temperature labels, isotherms and adiabats.
// The surface is the shown dataset's.
void DrawBackground(PictureBox& pic, ChartState& s, bool shownIsDrawn) {
  const Integer D = s.draw.ShownDataset;
  const Integer H = s.in.CurHour;
  const double sfcPres = gSfcPres(D, H);
  const bool hasSurface = UsablePressure(sfcPres);

  s.draw.SkewFactor = s.opt.chkSkewT ? static_cast<Single>(kSkewPerLnP) : 0.0f;
  if (hasSurface) s.draw.LnSurfacePres = static_cast<Single>(std::log(sfcPres));

  SetFrameSystem(pic, s);
  s.draw.HalfTextHeight = static_cast<Single>(pic.TextHeight("9") / 2);
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.DrawWidth = 1;  // dotted lines need the thin pen
  pic.FontTransparent = true;

  // The layer between the surface and the base of elevated parcels.
  if (hasSurface && gElevatedLevel > 1 && gElevatedLevel <= std::min<int>(gNumLevels(D), kMaxLevels)) {
    const double pe = gPres(D, H, gElevatedLevel);
    if (std::isfinite(pe) && pe > 0)
      pic.Box(0, std::log(pe), 100, s.draw.LnSurfacePres, kElevatedBase, true);
  }

  if (shownIsDrawn) {
    if (s.opt.chkClouds) RunStep([&] { PlotCloudFraction(pic, s); });
    if (s.opt.chkLayer2Layer) RunStep([&] { PlotLayerToLayer(pic, s); });
    if (s.opt.chkRH[0] || s.opt.chkRH[1]) RunStep([&] { PlotRHBars(pic, s); });
    RunStep([&] { PlotInversions(pic, s); });
    SetFrameSystem(pic, s);
  }

  pic.Mode = DrawMode::XorPen;
  pic.Style = DrawStyle::Dot;
  pic.DrawWidth = 1;
  pic.FontTransparent = false;
  RunStep([&] { DrawHeightLines(pic, s); });
  pic.Mode = DrawMode::CopyPen;
  pic.Style = DrawStyle::Solid;
  pic.FontTransparent = true;

  if (!hasSurface) return;
  pic.Box(0, std::log(static_cast<double>(DrawnChartBottom(s))), 100, s.draw.LnSurfacePres, kGround, true);
  DrawTemperatureGrid(pic, s, sfcPres);
  pic.Style = DrawStyle::Solid;
}

}  // namespace

double CoveredTopPx(const ChartState& s) {
  return std::max<double>(s.opt.ChkOmega ? kOmegaStripPx : 0, s.in.TopBandPx);
}

Integer DrawnChartBottom(const ChartState& s) { return s.draw.ChartBottom > 0 ? s.draw.ChartBottom : gChartBottom; }

void SetChartScale(PictureBox& pic, const ChartState& s, double left, double right) {
  const double lnTop = std::log(static_cast<double>(gChartTop));
  const double lnBottom = std::log(static_cast<double>(DrawnChartBottom(s)));
  // The picture's top edge lies the covered pixels above the chart's top,
  // at the chart's own ln p per pixel.
  const double H = pic.PixelHeight();
  const double covered = SparedTopPx(s.draw.CoveredPx, H);
  pic.Scale(left, lnTop - (lnBottom - lnTop) * covered / (H - covered), right, lnBottom);
}

void SetFrameSystem(PictureBox& pic, const ChartState& s) { SetChartScale(pic, s, 0.0, 100.0); }

void SetTemperatureSystem(PictureBox& pic, const ChartState& s) { SetChartScale(pic, s, gChartTMin, gChartTMax); }

std::string ChartNumber(long n) {
  return n < 0 ? std::to_string(n) + " " : " " + std::to_string(n) + " ";
}

void PlotProfile(PictureBox& picData, ChartState& s) {
  if (gLoadingState) return;
  const Integer count = std::min<Integer>(gDatasetCount, kMaxDatasets);
  if (count <= 0 || gCurDataset < 1 || gCurDataset > count || !FrameUsable()) {
    // No file loaded (or nothing the chart can stand on): an empty chart.
    picData.Cls();
    ForgetReadout(s);
    return;
  }
  const Integer H = s.in.CurHour;
  if (H < 0 || H >= kMaxHours || H > gLastHour(gCurDataset)) return;

  picData.Cls();
  ForgetReadout(s);
  s.draw.CoveredPx = CoveredTopPx(s);
  s.draw.ChartBottom = ChartBottomFor(picData, s.draw.CoveredPx);
  s.draw.labels.Begin(picData, SparedTopPx(s.draw.CoveredPx, picData.PixelHeight()));
  // The lake page's labels: the lake temperature and the temperature at its
  // lower lake level, in whole degrees; an hour without that level keeps the
  // value of the last one.
  s.in.lblLakeC = LakeTempWholeC();
  if (const std::optional<Single> t = LakeLevelTempWholeC(H, s.in.LakeLevelPres)) s.in.lblT850 = *t;
  s.draw.ShownDataset = gCurDataset;
  const CurrentDatasetGuard keeper(s.draw.ShownDataset);

  const DrawOrder order = OverlayOrder(s.draw.ShownDataset, gOverlayAll, count);
  bool anyDrawn = false;
  bool shownDrawn = false;
  for (int i = 0; i < order.n; ++i) {
    if (DatasetDrawable(order.d[i], H, count)) {
      anyDrawn = true;
      if (order.d[i] == s.draw.ShownDataset) shownDrawn = true;
    }
  }

  if (anyDrawn) {
    // The background is drawn once: its exclusive-or lines would cancel out
    // with every second dataset, and the opaque boxes would hide the traces
    // of the datasets drawn before.
    RunStep([&] { DrawBackground(picData, s, shownDrawn); });
    // What the datasets draw is the data the texts keep clear of.
    const DataMarksGuard data(picData, s.draw.labels.Data());

    for (int i = 0; i < order.n; ++i) {
      const Integer D = order.d[i];
      gCurDataset = D;
      if (!DatasetDrawable(D, H, count)) continue;
      s.draw.SkewFactor = s.opt.chkSkewT ? static_cast<Single>(kSkewPerLnP) : 0.0f;
      s.draw.LnSurfacePres = static_cast<Single>(std::log(static_cast<double>(gSfcPres(D, H))));
      SetTemperatureSystem(picData, s);
      s.draw.HalfTextHeight = static_cast<Single>(picData.TextHeight("9") / 2);
      picData.Mode = DrawMode::CopyPen;
      picData.Style = DrawStyle::Solid;
      picData.FontTransparent = true;
      picData.DrawWidth = 2;
      s.draw.labels.SetShown(D == s.draw.ShownDataset);
      RunStep([&] { PlotDatasetTraces(picData, s); });
      if (s.events != nullptr) s.events->DatasetDrawn(D);
    }
  }

  // What was drawn above the chart's top (a trace of a zoomed chart) is
  // taken off the band that lies under the strip or the titles.
  if (const double covered = SparedTopPx(s.draw.CoveredPx, picData.PixelHeight()); covered > 0) {
    picData.ScalePixels();
    picData.Mode = DrawMode::CopyPen;
    picData.Box(0, 0, picData.PixelWidth() - 1, std::ceil(covered) - 1, picData.BackColor, true);
    SetFrameSystem(picData, s);
  }
  gCurDataset = s.draw.ShownDataset;
  s.draw.labels.SetShown(true);
  RunStep([&] { PloteeTitle(picData, s); });
  RunStep([&] { s.draw.labels.PrintAll(picData); });
  // The mouse reads the chart as it was drawn.
  SetFrameSystem(picData, s);
  picData.KeepMapping();
  if (gHourChangeSource != 2 && s.events != nullptr) s.events->FocusHourBar();
}

// The temperature labels stand in the ground band under the surface line: a
// tick of 1.1 half text heights, then the text. When the band of the highest
// surface is too low for them at the picture's height, the chart goes down
// until they fit.
Integer ChartBottomFor(const PictureBox& pic, double coveredTopPx) {
  const Integer bound = gChartBottom;
  if (gCurDataset < 1 || gCurDataset > std::min<Integer>(gDatasetCount, kMaxDatasets)) return bound;
  if (!(gChartTop > 0 && bound > gChartTop)) return bound;
  double sfcPres = 0;
  for (int h = 0; h <= std::min<int>(gLastHour(gCurDataset), kMaxHours - 1); ++h)
    if (UsablePressure(gSfcPres(gCurDataset, h))) sfcPres = std::max<double>(sfcPres, gSfcPres(gCurDataset, h));
  const double highest = std::max<double>(sfcPres, MaxSfcPres);
  if (!UsablePressure(highest) || highest >= bound) return bound;
  const double needPx = 1.55 * pic.TextHeightPx("9") + 2;
  const double H = pic.PixelHeight() - SparedTopPx(coveredTopPx, pic.PixelHeight());
  if (!std::isfinite(needPx) || H <= 2 * needPx) return bound;
  const double lnTop = std::log(static_cast<double>(gChartTop));
  const double lnSfc = std::log(highest);
  const double lnBottom = std::log(static_cast<double>(bound));
  if ((lnBottom - lnSfc) / (lnBottom - lnTop) * H >= needPx) return bound;
  const double lnNeeded = (lnSfc * H - needPx * lnTop) / (H - needPx);
  const double bottom = std::ceil(std::exp(lnNeeded));
  return std::isfinite(bottom) && bottom > bound && bottom < 1e5 ? static_cast<Integer>(bottom) : bound;
}

Color eRGB(Integer shownDataset, int r, int g, int b) {
  if (gCurDataset != shownDataset) {
    r = (r * 3) / 6;
    g = (g * 3) / 6;
    b = (b * 3) / 6;
  }
  return RGB(r, g, b);
}

Color eRGB(const ChartState& s, int r, int g, int b) { return eRGB(s.draw.ShownDataset, r, g, b); }

void ellipse(PictureBox& pic, double x, double y, double w, double h) {
  if (!(h > 0 && w > 0)) return;
  const double pw = pic.PixelWidth();
  const double ph = pic.PixelHeight();
  const double sh = pic.ScaleHeight();
  if (pw <= 0 || ph <= 0 || sh == 0) return;
  // u turns a length in y units into the same length on screen in x units
  // (the scale may run upwards, so only its size counts).
  const double u = std::fabs(pic.ScaleWidth() / sh) * ph / pw;
  const double aspect = h * u / w;
  const double r = aspect > 1 ? h * u : w;
  pic.FillTransparent = true;
  pic.Circle(x, y, r, pic.ForeColor, aspect);
  pic.FillTransparent = true;
}

}  // namespace ondrik
