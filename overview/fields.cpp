// The fields of the current dataset on the time-height plane: humidity,
// cloud and stability painters and the contoured fields.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/guards.h"
#include "core/parcels.h"
#include "core/numberformat.h"
#include "overview/calc.h"
#include "overview/plotters.h"
#include "overview/series.h"
#include "overview/timelabels.h"

namespace ondrik {

namespace {

// ln of a pressure; NaN (nothing drawn) for one that is not positive.
double Ln(double p) { return p > 0 ? std::log(p) : std::nan(""); }

int Levels(Integer D) { return std::clamp<int>(gNumLevels(D), 0, kMaxLevels); }
int LastHour(Integer D) { return std::clamp<int>(gLastHour(D), -1, kMaxHours - 1); }
Integer Top(const OverviewDraw& d, Integer D) {
  return std::clamp<Integer>(d.s.draw.TopLevel[static_cast<size_t>(D)], 0, Levels(D));
}

// The cell of hour h between two y values.
// A solid cell is ground a text may stand on whole; a hatched one, its
// lines and outline, is data the texts keep off.
void SolidCell(PictureBox& pic, int h, double y1, double y2, Color c) { pic.Box(h - 0.5, y1, h + 0.5, y2, c, true); }
void HatchedCell(OverviewDraw& d, int h, double y1, double y2, Color c) {
  const DataMarksGuard data(d.rh, &d.s.draw.Texts);
  d.rh.BoxFill(h - 0.5, y1, h + 0.5, y2, c);
}

// Mid-level cell of level k: between the pressures halfway to the levels
// below and above.
void MidLevelCell(Integer D, int h, int k, double& y1, double& y2) {
  y1 = Ln((gPres(D, h, k - 1) + gPres(D, h, k)) / 2);
  y2 = Ln((gPres(D, h, k) + gPres(D, h, k + 1)) / 2);
}

void HatchPlane(OverviewDraw& d, Color c) {
  ScalePlane(d);
  d.rh.ForeColor = c;
  d.rh.FillColor = c;
  d.rh.Fill = FillStyle::DiagonalCross;
  d.rh.Mode = DrawMode::CopyPen;
}

void EndHatch(OverviewDraw& d) {
  d.rh.Fill = FillStyle::Solid;
  d.rh.Mode = DrawMode::CopyPen;
}

}  // namespace

CloudClass CloudClassOf(Single c) {
  const Color grey = RGB(127, 127, 127);
  if (c < 6) return {FillStyle::Solid, kBlack};
  if (c < 25) return {FillStyle::DownwardDiagonal, grey};
  if (c < 50) return {FillStyle::DiagonalCross, grey};
  if (c < 90) return {FillStyle::Solid, grey};
  return {FillStyle::Solid, kWhite};
}

// The cells of the plane are painted before any text of it is set: a plan
// has nothing of them to record.
void PlotClouds(OverviewDraw& d) {
  if (d.plan) return;
  const PaintedGround ground(d);
  const Integer D = gCurDataset;
  ScalePlane(d);
  const bool shades = d.s.opt.CloudShadeMode != 0;
  for (int h = 0; h <= LastHour(D); ++h)
    for (int k = 1; k <= Levels(D) - 1; ++k) {
      const double y1 = Ln(gPres(D, h, k)), y2 = Ln(gPres(D, h, k + 1));
      const Single c = gCfrl(D, h, k);
      if (shades) {
        // Fractions outside 0..100 are held at black and white.
        const int g = static_cast<int>(std::nearbyint(std::clamp(c * 2.55, 0.0, 255.0)));
        SolidCell(d.rh, h, y1, y2, RGB(g, g, g));
      } else {
        const CloudClass cls = CloudClassOf(c);
        d.rh.Fill = cls.fill;
        d.rh.FillColor = cls.colour;
        // A class of one colour is a filled cell (its outline would add
        // nothing but a frame a text over it is measured against).
        if (cls.fill == FillStyle::Solid)
          SolidCell(d.rh, h, y1, y2, cls.colour);
        else
          HatchedCell(d, h, y1, y2, cls.colour);
      }
    }
  if (!shades) d.rh.Fill = FillStyle::Solid;
}

namespace {

struct HumidityClass {
  int index;
  Single from;
  bool strict;
  Color colour;
};
constexpr HumidityClass kClasses[] = {
      {9, 109, true, RGB(255, 0, 0)}, {8, 106, true, RGB(191, 0, 0)}, {7, 103, true, RGB(127, 0, 0)},
      {6, 100, true, RGB(96, 0, 0)},  {5, 95, false, RGB(60, 0, 115)}, {4, 90, false, RGB(0, 255, 0)},
      {3, 80, false, RGB(0, 191, 0)}, {2, 70, false, RGB(0, 127, 0)},  {1, 30, false, RGB(40, 40, 12)}};

}  // namespace

Color HumidityClassColour(int index) {
  for (const HumidityClass& c : kClasses)
    if (c.index == index) return c.colour;
  return kBlack;
}

bool HumidityCellColour(Single rh, bool ice, Integer lowestClass, Color& colour) {
  const int topIndex = ice ? 9 : 5;
  for (const HumidityClass& c : kClasses) {
    if (c.index > topIndex) continue;
    if (!(c.strict ? rh > c.from : rh >= c.from)) continue;
    if (lowestClass > c.index && c.index != topIndex) return false;
    colour = c.colour;
    return true;
  }
  return false;
}

void PlotRH(OverviewDraw& d) {
  if (d.plan) return;
  const PaintedGround ground(d);
  const Integer D = gCurDataset;
  ScalePlane(d);
  const bool ice = !d.s.opt.On(kBoxRH0);
  for (int h = 0; h <= LastHour(D); ++h)
    for (int k = 2; k <= Levels(D) - 1; ++k) {
      Color c;
      if (!HumidityCellColour(ice ? gRHIce(D, h, k) : gRH(D, h, k), ice, d.s.opt.RHLowestClass, c)) continue;
      double y1, y2;
      MidLevelCell(D, h, k, y1, y2);
      SolidCell(d.rh, h, y1, y2, c);
    }
}

void PlotELCIN(OverviewDraw& d) {
  if (d.plan) return;
  const PaintedGround ground(d);
  const Integer D = gCurDataset;
  ScalePlane(d);
  for (int h = 0; h <= LastHour(D); ++h)
    for (int k = 2; k <= Levels(D) - 1; ++k) {
      ComputeOnce(gLevelParcelDone(D, h, k), [&] { ComputeEffectiveParcels(D, h, k); });
      if (gElevELLevel(D, h, k) < 1) continue;
      const Color c = ElCinColour(gElevCin(D, h, k));
      double y1, y2;
      MidLevelCell(D, h, k, y1, y2);
      SolidCell(d.rh, h, y1, y2, c);
    }
}

void PlotInversions(OverviewDraw& d) {
  if (d.plan) return;
  const PaintedGround ground(d);
  const Integer D = gCurDataset;
  HatchPlane(d, kWhite);
  // The highest level whose hour-0 pressure exceeds 400 mb; the cells above
  // it reach one level higher, never past the top level.
  int top = 0;
  for (int k = Levels(D); k >= 1; --k)
    if (gPres(D, 0, k) > 400) {
      top = k;
      break;
    }
  top = std::min(top, Levels(D) - 1);
  const OverviewInputs& in = d.s.in;
  for (int h = 0; h <= LastHour(D); ++h)
    for (int k = 1; k <= top; ++k) {
      if (NoTemp(D, h, k) || NoTemp(D, h, k + 1)) continue;
      const Single dT = gTemp(D, h, k + 1) - gTemp(D, h, k);
      const Single depression = gTemp(D, h, k + 1) - gDewpt(D, h, k + 1);
      if (dT >= in.InversionDT || (dT >= in.IsothermDT && depression >= in.IsothermMinDPD))
        HatchedCell(d, h, LevelY(d.s, D, k), LevelY(d.s, D, k + 1), kWhite);
    }
  EndHatch(d);
}

void PlotInstability(OverviewDraw& d) {
  if (d.plan) return;
  const PaintedGround ground(d);
  const Integer D = gCurDataset;
  const Color green = RGB(0, 255, 0);
  HatchPlane(d, green);
  const int top = std::min<int>(Top(d, D), Levels(D) - 1);
  for (int h = 0; h <= LastHour(D); ++h)
    for (int k = 1; k <= top; ++k)
      if (!NoTemp(D, h, k) && !NoTemp(D, h, k + 1) && gThetaE(D, h, k + 1) < gThetaE(D, h, k))
        HatchedCell(d, h, LevelY(d.s, D, k), LevelY(d.s, D, k + 1), green);
  EndHatch(d);
}

namespace {

void ElevatedCapeContours(OverviewDraw& d, const LevelArray<Single>& field) {
  const Integer D = gCurDataset;
  MakeLowLevelParcels(d.s, D);
  ScalePlane(d);
  d.rh.DrawWidth = 1;
  d.rh.ForeColor = kYellow;
  const ContourGrid g = PlaneGrid(d, field);
  PlaneContours contours(d, g);
  // The values of the legend, each while the legend shows it drawn.
  for (const ECapeLegendItem& item : ECapeLegend(d.s.opt.ContourInterval, d.s.opt.ECAPELowestClass)) {
    if (item.colour == kBlack) continue;
    const Single v = static_cast<Single>(std::stoi(item.caption));
    contours.Trace(v, kYellow, NumberItem(v));
  }
  contours.Draw();
  d.rh.DrawWidth = 1;
}

// A field the reader makes from the level's temperature: none where that
// is missing.
ContourGrid ThermoGrid(const OverviewDraw& d, const LevelArray<Single>& field) {
  return PlaneGrid(d, field, 1, &Store().gTemp);
}

}  // namespace

void PlotECAPE(OverviewDraw& d) { ElevatedCapeContours(d, Store().gElevCape); }
void PlotEHailCape(OverviewDraw& d) { ElevatedCapeContours(d, Store().gElevHailCape); }

void PlotTemperatureContours(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().gTemp), RGB(255, 255, 0), RGB(127, 127, 0), 10);
}
void PlotWindSpeedContours(OverviewDraw& d) { PlotContourColor(d, true, PlaneGrid(d, Store().gWspd), WindSpeedClasses()); }
void PlotHumidityContours(OverviewDraw& d) {
  PlotContourColor(d, true, ThermoGrid(d, Store().gRH), HumidityClasses());
}
void PlotIceHumidityContours(OverviewDraw& d) {
  PlotContourColor(d, true, ThermoGrid(d, Store().gRHIce), IceHumidityClasses());
}
void PlotDewPointContours(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().gDewpt), RGB(127, 127, 255), RGB(63, 63, 127), 10);
}
void PlotThetaContours(OverviewDraw& d) {
  PlotContour(d, ThermoGrid(d, Store().gTheta), RGB(255, 255, 127), RGB(127, 127, 63), 10);
}
void PlotThetaEContours(OverviewDraw& d) { PlotContourColor(d, true, ThermoGrid(d, Store().gThetaE), ThetaEClasses()); }
void PlotWetBulbContours(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().gWetBulb), RGB(0, 255, 255), RGB(0, 127, 127), 10);
}
void PlotOmegaContours(OverviewDraw& d) {
  if (d.s.in.OmegaSmoothOn)
    PlotContour(d, PlaneGrid(d, Store().gOmegaSmooth), RGB(0, 0, 255), RGB(255, 0, 0), 0);
  else
    PlotContour(d, PlaneGrid(d, Store().gOmega), RGB(0, 0, 255), RGB(255, 0, 0), -1);
}
void PlotMixingRatioContours(OverviewDraw& d) {
  PlotContourColor(d, true, ThermoGrid(d, Store().gMixRatio), MixingRatioClasses());
}

// In the time window's own scale: the plotter before may have drawn in
// another, or in none at all.
void PlotNow(OverviewDraw& d) {
  const OverviewFrame& f = d.s.frame;
  const double x = NowHourIndex(gCurDataset, d.s.in.Now) + 0.5;
  if (!(x >= std::min(f.TimeLeft, f.TimeRight) && x <= std::max(f.TimeLeft, f.TimeRight))) return;
  d.rh.Scale(f.TimeLeft, 0, f.TimeRight, 1);
  d.rh.DrawWidth = 3;
  const double line[4] = {x, 0, x, 1};
  if (d.plan)
    PlanLine(d, line, 1.5);
  else
    d.rh.Line(x, 0, x, 1, kWhite);
  d.rh.DrawWidth = 1;
}

}  // namespace ondrik
