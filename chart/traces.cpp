// The profile's own curves on the chart (wet bulb, icing, frost point, dew
// point, temperature), the three lake-effect overlays and the text markers
// of the characteristic levels. Everything is drawn in the temperature
// system for gCurDataset at s.in.CurHour.
#include <cmath>
#include <cstdio>
#include <string>

#include "chart/steps.h"
#include "chart/trace_point.h"
#include "core/levels.h"
#include "core/parcels.h"
#include "core/wholenumber.h"

namespace ondrik {

namespace {

using chartpt::UsablePres;
using chartpt::X;


// Draws one trace through levels 1..top: the point of level 1, then a line
// on to each level. A level without a usable pressure or value is left out
// and the trace goes on from the next good level.
template <typename Value>
void DrawTrace(PictureBox& pic, const ChartState& s, Integer D, Integer H, int top, Color c, Value value) {
  pic.ForeColor = c;
  bool started = false;
  for (int L = 1; L <= top; ++L) {
    const double p = gPres(D, H, L);
    const double v = value(L);
    if (!UsablePres(p) || !std::isfinite(v)) {
      started = false;
      continue;
    }
    const double x = X(s, v, p), y = std::log(p);
    if (!started) pic.PSet(x, y, c);
    else pic.LineTo(x, y, c);
    started = true;
  }
}

// Label of a lake index: a blank where a minus sign would stand.
std::string IndexText(long n) { return n < 0 ? std::to_string(n) : " " + std::to_string(n); }

// Line from the surface value to the mark (tm at p), a 2-degree tick across
// the mark, and the label n (when there is one) centred above the tick.
void DrawLakeMark(PictureBox& pic, ChartState& s, double tSfc, double tm, double p,
                  Color c, bool haveLabel, long n) {
  const double y = std::log(p);
  const double xm = X(s, tm, p);
  pic.Line(tSfc, s.draw.LnSurfacePres, xm, y, c);
  const double xt = X(s, tm - 1, p);
  pic.Line(xt, y, xt + 2, y, c);
  if (!haveLabel) return;
  const std::string label = IndexText(n);
  pic.ForeColor = kWhite;
  pic.CurrentX = xm - pic.TextWidth(label) / 2;
  pic.CurrentY = y - pic.TextHeight("3");
  s.draw.labels.Print(pic, label, LabelPlace::AtPoint, QPointF(xm, y));
}

// Lake index: the lake temperature at the surface, the mark lakeDiff colder
// at the index level, and how much warmer the panel's level is than the mark.
void DrawLakeIndex(PictureBox& pic, ChartState& s) {
  const double p = s.in.LakeIndexPres;
  const double tl = s.in.lblLakeC;
  const double tm = tl - s.in.LakeIndexDiff;
  if (!UsablePres(p) || !std::isfinite(tm)) return;
  const double diff = static_cast<double>(s.in.lblT850) - tm;
  // The index is the lake's, the same for every dataset drawn: labelled
  // once, with the shown dataset.
  const bool haveLabel = FitsInt(diff) && gCurDataset == s.draw.ShownDataset;
  const long n = haveLabel ? std::lrint(diff) : 0;  // halves to even
  DrawLakeMark(pic, s, tl, tm, p, RGB(0, 0, 255), haveLabel, n);
}

// Lake-modified surface parcel: its moist ascent up to the equilibrium level
// (when it is buoyant), and the dry and moisture legs from the surface to
// its condensation level.
void DrawLakeParcel(PictureBox& pic, const ChartState& s, Integer D, Integer H) {
  if (gLakeParcelDone(D, H) != -1) LiftSurfaceParcel(H);
  const int elLevel = gLakeELLevel(D, H);
  if (elLevel > 0) {
    pic.ForeColor = kWhite;
    const int last = std::min(elLevel - 1, chartpt::LastLevel(D));
    bool started = false;
    for (int L = 1; L <= std::max(last, 1); ++L) {
      const double p = gPres(D, H, L);
      const double t = gLakeParcelTemp(D, H, L);
      if (!UsablePres(p) || !std::isfinite(t)) continue;
      if (!started) pic.PSet(X(s, t, p), std::log(p), kWhite);
      else pic.LineTo(X(s, t, p), std::log(p), kWhite);
      started = true;
    }
    const double pe = gLakeELPres(D, H);
    if (started && UsablePres(pe)) pic.LineTo(X(s, gLakeELTemp(D, H), pe), std::log(pe), kWhite);
  }

  const double pl = gLakeLclPres(D, H);
  if (!UsablePres(pl)) return;
  const double xl = X(s, gLakeLclTemp(D, H), pl), yl = std::log(pl);
  pic.ForeColor = RGB(255, 64, 64);
  pic.PSet(gLakeParcelT(D, H), s.draw.LnSurfacePres, pic.ForeColor);
  pic.LineTo(xl, yl, pic.ForeColor);
  pic.ForeColor = RGB(65, 255, 64);
  pic.PSet(gLakeParcelTd(D, H), s.draw.LnSurfacePres, pic.ForeColor);
  pic.LineTo(xl, yl, pic.ForeColor);
}

// Moist lake index: air mixed half and half from the lake and the lowest
// layer, its mark 9 degrees colder 150 mb above the surface, and how much
// warmer the environment is there.
void DrawMoistLakeIndex(PictureBox& pic, ChartState& s, Integer D, Integer H) {
  if (chartpt::LastLevel(D) < 2) return;
  const double tlow = (static_cast<double>(gTemp(D, H, 1)) + gTemp(D, H, 2)) / 2;
  const double tmix = (static_cast<double>(s.in.lblLakeC) + tlow) / 2;
  const double tm = tmix - 9;
  const double pm = static_cast<double>(gSfcPres(D, H)) - 150;
  if (!UsablePres(pm) || !std::isfinite(tm)) return;
  const Single te = TempAtPressure(H, static_cast<Single>(pm));
  // Above the profile there is no environment temperature: no label then;
  // nor for a difference no whole number holds (absurd temperatures).
  const double rounded = std::floor(static_cast<double>(te) - tm + 0.5);
  const bool haveLabel = !IsMissing(te) && FitsInt(rounded);
  const long n = haveLabel ? static_cast<long>(rounded) : 0;
  DrawLakeMark(pic, s, tmix, tm, pm, RGB(0, 255, 0), haveLabel, n);
}

// One level marker: its text with the level line a third of a line above
// the text's foot, left edge at the marker temperature.
void LevelMark(PictureBox& pic, ChartState& s, Integer D, Integer H, double p, double t,
               double margin, const char* text) {
  if (!UsablePres(p) || !(static_cast<double>(gSfcPres(D, H)) - p > margin)) return;
  if (!std::isfinite(t) || IsMissing(static_cast<Single>(t))) return;
  pic.ForeColor = kRed;
  pic.CurrentX = X(s, t, p);
  pic.CurrentY = std::log(p) - 0.66 * pic.TextHeight("H");
  s.draw.labels.Print(pic, text, LabelPlace::AtLevel, QPointF(pic.CurrentX, std::log(p)));
}

}  // namespace

void PlotTraces(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset, H = s.in.CurHour;
  if (!chartpt::DatasetHourOk(D, H)) return;
  const int top = chartpt::TopLevel(D);
  if (top >= 1) {
    if (s.opt.chkWetBulb)
      DrawTrace(picData, s, D, H, top, eRGB(s, 0, 255, 255),
                [&](int L) { return static_cast<double>(gWetBulb(D, H, L)); });
    if (s.opt.chkIcing)
      DrawTrace(picData, s, D, H, top, eRGB(s, 0, 0, 255), [&](int L) {
        return -8.0 * (static_cast<double>(gTemp(D, H, L)) - gDewpt(D, H, L));
      });
    if (s.opt.chkFP)
      DrawTrace(picData, s, D, H, top, eRGB(s, 127, 255, 255),
                [&](int L) { return static_cast<double>(static_cast<Single>(gFrostPt(D, H, L))); });
    DrawTrace(picData, s, D, H, top, eRGB(s, 0, 255, 0),
              [&](int L) { return static_cast<double>(gDewpt(D, H, L)); });
    DrawTrace(picData, s, D, H, top, eRGB(s, 255, 0, 0),
              [&](int L) { return static_cast<double>(gTemp(D, H, L)); });
  }
  picData.DrawWidth = 1;

  if (s.opt.chkLakeIndex) chartpt::Guarded([&] { DrawLakeIndex(picData, s); });
  if (s.opt.chkLIC) chartpt::Guarded([&] { DrawLakeParcel(picData, s, D, H); });
  if (s.opt.chkMoistLakeIndex) chartpt::Guarded([&] { DrawMoistLakeIndex(picData, s, D, H); });
}

void PlotLevelMarkers(PictureBox& picData, ChartState& s) {
  const Integer D = gCurDataset, H = s.in.CurHour;
  if (!chartpt::DatasetHourOk(D, H)) return;
  auto envT = [&](double p) -> double {
    return UsablePres(p) ? static_cast<double>(TempAtPressure(H, static_cast<Single>(p))) : kMissing;
  };
  if (s.opt.chkLCL) LevelMark(picData, s, D, H, gLclPres(D, H), gLclTemp(D, H), 20, "<LCL");
  if (s.opt.chkLFC) LevelMark(picData, s, D, H, gLfct(D, H), envT(gLfct(D, H)), 20, " <LFC");
  if (s.opt.chkEQL) LevelMark(picData, s, D, H, gEqlv(D, H), envT(gEqlv(D, H)), 60, " <EQL");
  if (s.opt.chkWBZ) {
    const double p = StdPressureOfFeet(gWbzHgt(D, H));
    LevelMark(picData, s, D, H, p, envT(p), 10, " <WBZ");
  }
  if (s.opt.chkCCL) LevelMark(picData, s, D, H, gCclPres(D, H), envT(gCclPres(D, H)), 10, " <CCL");

  // Convective temperature: an arrow head on the surface line with the value
  // above it, the two as one, in the pen the markers left. One beyond the
  // chart's edge has no point on it to stand over: its value stands on the
  // surface at that edge with a sign that points off the chart, and no
  // arrow head; where the wind column takes the edge, along the surface
  // away from it.
  const double ct = gConvTemp(D, H);
  if (s.opt.chkConvectiveTemp && std::isfinite(ct) && ct < 99 && ct > -1000) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", ct);
    const std::string value = buf;
    const double hv = picData.TextHeight("v");
    const double sfc = s.draw.LnSurfacePres;
    if (ct > gChartTMax || ct < gChartTMin) {
      const bool right = ct > gChartTMax;
      const std::string text = right ? value + " >" : "< " + value;
      const double edge = right ? gChartTMax : gChartTMin;
      picData.CurrentX = right ? edge - picData.TextWidth(text) : edge;
      picData.CurrentY = sfc - hv;
      s.draw.labels.Print(picData, text, LabelPlace::AtLevel, QPointF(edge, sfc - hv / 2));
    } else {
      s.draw.labels.PrintBlock(picData,
                               {{"v", ct - picData.TextWidth("v") / 2, sfc - hv},
                                {value, ct - picData.TextWidth(value) / 2, sfc - 1.7 * hv}},
                               LabelPlace::AtPoint, QPointF(ct, sfc));
    }
  }
}

}  // namespace ondrik
