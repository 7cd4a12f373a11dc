// Mouse handlers of the profile chart: readout, elevated parcel, inflow
// level, hodograph highlight and zoom.
#include "chart/cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "core/derived.h"
#include "core/levels.h"
#include "core/parcels.h"
#include "core/wholenumber.h"

namespace ondrik {

namespace {

constexpr Color kSketch = RGB(255, 255, 0);

bool FileLoaded(const ChartState& s) {
  return s.in.FileLoaded && gDatasetCount >= 1 && gDatasetCount <= kMaxDatasets &&
         gCurDataset >= 1 && gCurDataset <= gDatasetCount;
}

bool HourUsable(Integer D, Integer H) {
  return D >= 1 && D <= kMaxDatasets && H >= 0 && H < kMaxHours && H <= gLastHour(D);
}

Integer LevelCount(Integer D) { return std::clamp<Integer>(gNumLevels(D), 0, kMaxLevels); }

// A pressure that ln p and the labels can take (mb).
bool PositivePressure(double p) { return std::isfinite(p) && p > 0 && p < 1e5; }

bool ChartBoundsUsable() {
  return gChartTop > 0 && gChartBottom > gChartTop && gChartTMax > gChartTMin;
}

// Whole number as a "###" format shows it: no digits for 0.
std::string Hashes(long n) { return n == 0 ? std::string() : std::to_string(n); }

// The nearest whole number as text; empty for a value no whole number holds.
std::string WholeText(double v) { return FitsInt(v) ? std::to_string(std::lround(v)) : std::string(); }

// A value with one decimal, halves away from zero, as the "0.0" format.
std::string OneDecimal(double v) {
  double r = std::round(v * 10.0) / 10.0;
  if (r == 0) r = 0;  // no "-0.0"
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", r);
  return buf;
}

// A value rounded to `decimals` places (halves to even) as a number turns
// into text: no trailing zeros, no trailing point.
std::string Rounded(double v, int decimals) {
  if (!std::isfinite(v)) return "0";
  const double f = std::pow(10.0, decimals);
  double r = std::nearbyint(v * f) / f;
  if (r == 0) r = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, r);
  std::string t = buf;
  if (t.find('.') != std::string::npos) {
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
  }
  return t;
}

// The label's size in pixels: the window's, or the caption's text size.
void LabelSizePx(const PictureBox& pic, const ChartCursor::ReadoutLabel& l, double& w, double& h) {
  w = l.WidthPx;
  h = l.HeightPx;
  if (w <= 0) w = std::fabs(pic.TextWidth(l.Caption) * pic.PixelWidth() / pic.ScaleWidth());
  if (h <= 0) h = std::fabs(pic.TextHeight(l.Caption) * pic.PixelHeight() / pic.ScaleHeight());
  if (!std::isfinite(w)) w = 0;
  if (!std::isfinite(h)) h = 0;
}

void HideReadout(ChartState& s) {
  for (ChartCursor::ReadoutLabel* l :
       {&s.cursor.lblActiveTemp, &s.cursor.lblActiveDP, &s.cursor.lblActiveDir, &s.cursor.lblActiveKts, &s.cursor.lblActiveAxis})
    l->Visible = false;
}

// The path of the parcel from level S: its temperature at S and each level up
// to T, then the equilibrium level; in the XOR pen, so that drawing the same
// path again takes it off.
void DrawSketch(PictureBox& pic, const ChartState& s, Integer D, Integer H, Integer S, Integer T) {
  const Integer n = LevelCount(D);
  if (S < 1 || S > n) return;
  T = std::min(T, n);
  auto X = [&](double v, double p) { return v + (s.draw.LnSurfacePres - std::log(p)) * s.draw.SkewFactor; };
  const double pS = gPres(D, H, S);
  if (!PositivePressure(pS)) return;
  pic.PSet(X(gElevParcelTemp(D, H, S, S), pS), std::log(pS), kSketch);
  for (Integer k = S + 1; k <= T; ++k) {
    const double pk = gPres(D, H, k);
    if (!PositivePressure(pk)) continue;
    pic.LineTo(X(gElevParcelTemp(D, H, S, k), pk), std::log(pk), kSketch);
  }
  const double pE = gElevELPres(D, H, S);
  if (PositivePressure(pE)) pic.LineTo(X(gElevELTemp(D, H, S), pE), std::log(pE), kSketch);
}

void SetSketchPen(PictureBox& pic, const ChartState& s) {
  SetTemperatureSystem(pic, s);
  pic.DrawWidth = 1;
  pic.Mode = DrawMode::XorPen;
}

// Takes the sketch on the chart off, if there is one.
void EraseSketch(PictureBox& pic, ChartState& s) {
  if (!s.cursor.ElevSketchDrawn) return;
  if (HourUsable(s.cursor.ElevSketchDataset, s.cursor.ElevSketchHour))
    DrawSketch(pic, s, s.cursor.ElevSketchDataset, s.cursor.ElevSketchHour, s.cursor.ElevSketchLevel, s.cursor.ElevSketchTop);
  s.cursor.ElevSketchDrawn = false;
}

// Whether a readout label (picture pixels) keeps a blank beside it and a
// pixel over and under it from every text in `texts`.
bool ClearOf(const std::vector<QRectF>& texts, const QRectF& label, double blank) {
  const QRectF room = label.adjusted(-blank, -1, blank, 1);
  return std::none_of(texts.begin(), texts.end(), [&](const QRectF& t) { return t.intersects(room); });
}

// Moves a readout label to the nearest place inside `bounds` (its left and
// top corners' room, picture pixels) where it stands clear of the texts:
// along its row for the label of a level (point null), within a line of
// its point for the label of a trace's point. Where none is, it stays.
void StandClear(const std::vector<QRectF>& texts, ChartCursor::ReadoutLabel& l, double w, double h,
                const QRectF& bounds, const QPointF* point, double line, double blank) {
  const auto at = [&](double dx, double dy) { return QRectF(l.LeftPx + dx, l.TopPx + dy, w, h); };
  const auto inside = [&](double dx, double dy) {
    return bounds.contains(QPointF(l.LeftPx + dx, l.TopPx + dy));
  };
  const auto byPoint = [&](const QRectF& r) {
    const double dx = std::max({r.left() - point->x(), point->x() - r.right(), 0.0});
    const double dy = std::max({r.top() - point->y(), point->y() - r.bottom(), 0.0});
    return std::hypot(dx, dy) <= line;
  };
  if (ClearOf(texts, at(0, 0), blank)) return;
  const int reachX = static_cast<int>(point == nullptr ? bounds.width() : w + line);
  const int reachY = point == nullptr ? 0 : static_cast<int>(line);
  double best = -1, bx = 0, by = 0;
  for (int dy = -reachY; dy <= reachY; ++dy)
    for (int dx = -reachX; dx <= reachX; ++dx) {
      const double d = 1.0 * dx * dx + 1.0 * dy * dy;
      if ((best >= 0 && d >= best) || !inside(dx, dy)) continue;
      const QRectF r = at(dx, dy);
      if ((point == nullptr || byPoint(r)) && ClearOf(texts, r, blank)) {
        best = d;
        bx = dx;
        by = dy;
      }
    }
  if (best < 0) return;
  l.LeftPx += bx;
  l.TopPx += by;
}

// The five readout labels of level L.
void Readout(PictureBox& pic, ChartState& s, Integer D, Integer H, Integer L) {
  const double pL = gPres(D, H, L);
  if (!PositivePressure(pL)) return;
  const double yL = std::log(pL);
  double w, h;

  SetTemperatureSystem(pic, s);
  s.cursor.lblActiveTemp.Caption = ReadoutTempCaption(gTemp(D, H, L));
  s.cursor.lblActiveDP.Caption = ReadoutDewpointCaption(gDewpt(D, H, L));
  LabelSizePx(pic, s.cursor.lblActiveTemp, w, h);
  const double rowPx = pic.YToPixel(yL);
  const double topPx = rowPx - 0.5 * h;
  const double xT = gTemp(D, H, L) + (s.draw.LnSurfacePres - yL) * s.draw.SkewFactor;
  s.cursor.lblActiveTemp.LeftPx = pic.XToPixel(xT) + 0.035 * w;
  LabelSizePx(pic, s.cursor.lblActiveDP, w, h);
  const double xD = gDewpt(D, H, L) + (s.draw.LnSurfacePres - yL) * s.draw.SkewFactor;
  s.cursor.lblActiveDP.LeftPx = pic.XToPixel(xD) - 1.015 * w;
  // (A trace's point beyond the chart's edge: the edge.)
  const auto onChart = [&](double x) { return std::clamp(pic.XToPixel(x), 0.0, static_cast<double>(pic.PixelWidth())); };
  const QPointF tempAt(onChart(xT), rowPx), dewAt(onChart(xD), rowPx);

  SetFrameSystem(pic, s);
  s.cursor.lblActiveDir.Caption = WholeText(gWdir(D, H, L));
  s.cursor.lblActiveKts.Caption = WholeText(gWspd(D, H, L));
  LabelSizePx(pic, s.cursor.lblActiveDir, w, h);
  s.cursor.lblActiveDir.LeftPx = pic.XToPixel(93) - 1.075 * w;
  LabelSizePx(pic, s.cursor.lblActiveKts, w, h);
  s.cursor.lblActiveKts.LeftPx = pic.XToPixel(93) + 0.39 * w;
  if (s.opt.ReadoutUnit >= 0 && s.opt.ReadoutUnit <= 2)
    s.cursor.lblActiveAxis.Caption = ReadoutAxisCaption(s.opt.ReadoutUnit, pL, gSfcPres(D, H));
  s.cursor.lblActiveAxis.LeftPx = pic.XToPixel(0);
  // The chart's top, under the band that lies over it (the omega strip).
  const double chartTopPx = std::max(0.0, pic.YToPixel(std::log(static_cast<double>(gChartTop))));

  // The wind's first (where the chart's own wind column stands), each kept
  // clear of the texts the chart printed and of the labels before it: a
  // number of the readout that stands beside one of the chart reads as one
  // with it.
  std::vector<QRectF> taken = s.draw.labels.Printed();
  const double line = pic.TextHeightPx("9"), blank = pic.TextWidthPx(" ");
  const struct {
    ChartCursor::ReadoutLabel* label;
    const QPointF* point;  // a trace's point; null: a label of its level
  } labels[] = {{&s.cursor.lblActiveKts, nullptr},
                {&s.cursor.lblActiveDir, nullptr},
                {&s.cursor.lblActiveTemp, &tempAt},
                {&s.cursor.lblActiveDP, &dewAt},
                {&s.cursor.lblActiveAxis, nullptr}};
  for (const auto& [l, point] : labels) {
    l->TopPx = topPx;
    // A label whose place no whole pixel holds (absurd values) is not shown;
    // one that would run out of the chart (a trace near its edge, a level
    // near or above its top) stands whole at the edge, below what lies over
    // the top.
    l->Visible = FitsInt(l->LeftPx) && FitsInt(l->TopPx);
    if (!l->Visible) continue;
    LabelSizePx(pic, *l, w, h);
    const QRectF bounds(QPointF(0, chartTopPx), QPointF(std::max(0.0, pic.PixelWidth() - w),
                                                        std::max(chartTopPx, pic.PixelHeight() - h)));
    l->LeftPx = std::clamp(l->LeftPx, bounds.left(), bounds.right());
    l->TopPx = std::clamp(l->TopPx, bounds.top(), bounds.bottom());
    StandClear(taken, *l, w, h, bounds, point, line, blank);
    taken.emplace_back(l->LeftPx, l->TopPx, w, h);
  }
}

}  // namespace

void ForgetReadout(ChartState& s) {
  HideReadout(s);
  s.cursor.LastReadoutLevel = 0;
  s.cursor.ElevSketchDrawn = false;
  s.cursor.frameECAPE = ChartCursor::ECapeFrame{};
}

std::string ReadoutTempCaption(double t) { return "< " + OneDecimal(t); }

std::string ReadoutDewpointCaption(double td) { return OneDecimal(td) + " >"; }

std::string ReadoutAxisCaption(int unit, double p, double sfcPres) {
  switch (unit) {
    case 0:
      if (!FitsInt(p)) return {};
      return Hashes(std::lround(p)) + "mb";
    case 1: {
      const double ft = static_cast<double>(StdHeightFtOfPressure(static_cast<Single>(p))) -
                        StdHeightFtOfPressure(static_cast<Single>(sfcPres));
      const double rounded = std::floor(ft / 100 + 0.5);
      if (!FitsInt(rounded * 100)) return {};
      const long hundreds = static_cast<long>(rounded);
      return Hashes(hundreds * 100) + "'";
    }
    case 2: {
      const double km = (static_cast<double>(StdHeightMOfPressure(static_cast<Single>(p))) -
                         StdHeightMOfPressure(static_cast<Single>(sfcPres))) /
                        1000.0;
      // "#.0": the whole kilometres only when there are any, one decimal.
      if (!FitsInt(km * 10)) return {};
      const long tenths = std::lround(km * 10);
      const long a = std::labs(tenths);
      std::string t = (tenths < 0 ? "-" : "");
      if (a / 10 != 0) t += std::to_string(a / 10);
      return t + "." + std::to_string(a % 10) + "km";
    }
    default:
      return {};
  }
}

namespace {

void MouseMove(PictureBox& picData, ChartState& s, double y) {
  const bool panelFollows = s.events != nullptr && s.events->WantsCursorLevel();
  if (!(s.opt.chkActiveReadout || s.opt.chkECAPE || panelFollows)) return;
  const Integer D = gCurDataset;
  const Integer H = s.in.CurHour;
  if (!HourUsable(D, H) || !std::isfinite(y)) return;

  const double p = std::exp(y);
  if (p > gSfcPres(D, H)) {  // below the ground
    HideReadout(s);
    s.cursor.LastReadoutLevel = 0;
    return;
  }
  // The first level at or above the cursor.
  const Integer n = LevelCount(D);
  Integer L = 0;
  for (Integer k = 1; k <= n; ++k) {
    if (gPres(D, H, k) <= p) {
      L = k;
      break;
    }
  }
  if (L == 0) return;  // above the top level: everything stays as it is
  if (L == s.cursor.LastReadoutLevel) return;

  if (s.opt.chkECAPE) PlotECAPE(picData, s, H, L);
  if (s.events != nullptr) s.events->CursorLevel(D, H, L);

  if (!s.opt.chkActiveReadout) return;
  if (!ChartBoundsUsable()) return;
  Readout(picData, s, D, H, L);
  s.cursor.LastReadoutLevel = L;
}

}  // namespace

void picData_MouseMove(PictureBox& picData, ChartState& s, int, int, double, double y) {
  if (!FileLoaded(s)) return;
  // A profile the parcel or vector computations cannot handle (a subscript
  // out of range) leaves the chart as it is rather than ending the program.
  try {
    MouseMove(picData, s, y);
  } catch (const std::exception&) {
    picData.Mode = DrawMode::CopyPen;
  }
}

void picData_MouseDown(PictureBox&, ChartState&, int, int, double, double) {}

void picData_MouseUp(PictureBox& picData, ChartState& s, int button, int, double, double) {
  if (!FileLoaded(s)) return;
  if (s.events != nullptr) {
    s.events->OpenTrainingLinks("Profile");
    // A side panel may take the click (the end of its inflow selection).
    if (s.events->TakeChartClick()) return;
  }
  ZoomProfile(picData, s, button);
}

void ZoomProfile(PictureBox& picData, ChartState& s, int button) {
  if (!FileLoaded(s)) return;
  const double c = MaxSfcPres;
  if (!PositivePressure(c) || gChartTop <= 0 || gChartBottom <= gChartTop) return;

  // Start from the unrounded limits of the last zoom while the chart still
  // shows them, so that in and out again return to the same whole numbers.
  double top = gChartTop;
  double bottom = gChartBottom;
  if (s.cursor.ZoomTopExact > 0 && std::nearbyint(s.cursor.ZoomTopExact) == gChartTop &&
      std::nearbyint(s.cursor.ZoomBottomExact) == gChartBottom) {
    top = s.cursor.ZoomTopExact;
    bottom = s.cursor.ZoomBottomExact;
  }
  const double lc = std::log(c);
  auto apply = [&](double factor) {
    const double t = std::exp(lc - (lc - std::log(top)) * factor);
    const double b = std::exp(lc - (lc - std::log(bottom)) * factor);
    const double tr = std::nearbyint(t);
    const double br = std::nearbyint(b);
    if (!(tr >= 1 && br > tr && br < 1e5)) return;
    if (factor < 1 && br - tr < kMinZoomSpan) return;  // zoom in no further
    gChartTop = static_cast<Integer>(tr);
    gChartBottom = static_cast<Integer>(br);
    s.cursor.ZoomTopExact = t;
    s.cursor.ZoomBottomExact = b;
  };
  if (button == 1) apply(0.85);
  else if (gChartTop > 30) apply(1 / 0.85);

  SetProfileTopLevels();
  PlotProfile(picData, s);
}

void PlotECAPE(PictureBox& picData, ChartState& s, Integer hour, Integer level) {
  const Integer D = gCurDataset;
  const Integer H = hour;
  const Integer L = level;
  if (!HourUsable(D, H) || L < 1 || L > LevelCount(D)) return;
  if (!gLevelParcelDone(D, H, L)) ComputeEffectiveParcels(D, H, L);

  ChartCursor::ECapeFrame& f = s.cursor.frameECAPE;
  const Integer top = gElevELLevel(D, H, L);
  SetSketchPen(picData, s);
  EraseSketch(picData, s);
  if (top <= 0) {  // nowhere buoyant: no sketch, blank labels
    picData.DrawWidth = 1;
    picData.Mode = DrawMode::CopyPen;
    f = ChartCursor::ECapeFrame{};
    return;
  }
  DrawSketch(picData, s, D, H, L, top);
  s.cursor.ElevSketchLevel = L;
  s.cursor.ElevSketchTop = top;
  s.cursor.ElevSketchDataset = D;
  s.cursor.ElevSketchHour = H;
  s.cursor.ElevSketchDrawn = true;
  picData.DrawWidth = 1;
  picData.Mode = DrawMode::CopyPen;

  f.lblEParcelp = Rounded(gPres(D, H, L), 0) + " mb";
  f.lblEParcelt = Rounded(gTemp(D, H, L), 1) + " C";
  f.lblEParceldp = Rounded(gDewpt(D, H, L), 1) + " C";
  f.lblECAPE = Rounded(gElevCape(D, H, L), 0) + " J/kg";
  f.lblEHailCape = Rounded(gElevHailCape(D, H, L), 0) + " J/kg";
  f.lblECIN = Rounded(gElevCin(D, H, L), 0) + " J/kg ";
  f.lblEEQL = Rounded(gElevEL(D, H, L), 0) + " ft";
  f.lblNECAPE = Rounded(static_cast<double>(gElevNCape(D, H, L)) * 100, 0) + " cm/s";
  f.picEHailCapeVisible = true;
  // Share of the CAPE in the hail zone; without CAPE the bar stays empty.
  const double cape = gElevCape(D, H, L);
  const double hail = gElevHailCape(D, H, L);
  f.HailCapeShare = (cape > 0 && std::isfinite(hail)) ? std::clamp(hail / cape, 0.0, 1.0) : 0.0;
}

void DrawEHailCapeBar(PictureBox& bar, const ChartCursor::ECapeFrame& f, Color buttonFace) {
  if (!f.picEHailCapeVisible) return;
  bar.ScalePixels();
  const double w = bar.PixelWidth();
  const double h = bar.PixelHeight();
  bar.Mode = DrawMode::CopyPen;
  bar.Box(0, 0, w, h, buttonFace, true);
  if (f.HailCapeShare > 0) bar.Box(0, 0, w * f.HailCapeShare, h, kBlack, true);
}

}  // namespace ondrik
