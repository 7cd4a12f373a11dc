// The line strips of the overview: ONE table, a row per strip (its pen,
// width, the value of an hour and the colour of a segment where it has
// one of its own), drawn by one plotter; the few strips of several lines;
// and the contours of the derived level fields.
#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/levels.h"
#include "core/parcels.h"
#include "overview/calc.h"
#include "overview/controlrules.h"
#include "overview/plotters.h"
#include "overview/series.h"

namespace ondrik {

namespace {

enum class Pen { Full, Dim, Dim2 };  // never dimmed, eRGB, eRGB2

using StripValue = Single (*)(const OverviewState& s, Integer D, int h);
using SegmentColour = Color (*)(const OverviewState& s, Integer D, int h, Single from, Single to);

struct StripRow {
  BoxId id;
  Color colour;
  Pen pen;
  int width;  // through eWidth; negative: -width for every dataset
  StripValue value;
  SegmentColour segment;  // nullptr: the pen colour
  double dot;             // radius of a filled dot at every point; 0: none
};

Single F(Single c) { return c * 9 / 5 + 32; }
Single Ln(Single p) { return p > 0 ? std::log(p) : kNoValue; }
Single LakeTemp() { return std::nearbyint(gLakeTempC); }
bool TypeFromA(const OverviewState& s) { return s.in.PtypeDecided; }

// The surface temperature and wind of the comfort strips: the 2-m and 10-m
// values of the first models, the lowest level of the others.
Single ComfortTemp(const OverviewState& s, Integer D, int h) { return s.in.ModelIndex <= 2 ? gSfcTemp(D, h) : gTemp(D, h, 1); }
Single ComfortWind(const OverviewState& s, Integer D, int h) { return s.in.ModelIndex <= 2 ? gWind10m(D, h) : gWspd(D, h, 1); }

Single LevelOrGap(Integer D, int h, Integer level, const LevelArray<Single>& a) {
  return level >= 1 && level <= LevelsOf(D) ? a(D, h, level) : kNoValue;
}

Single PresChange(const OverviewState& s, Integer D, int h) {
  // The file's own hours per step; the model's only for a file that cannot
  // tell (one forecast time).
  const Integer n = PresChangeSteps(gHoursPerStep, s.in.ModelHourStep);
  return n >= 1 && h >= n ? gSfcPres(D, h) - gSfcPres(D, h - n) : kNoValue;
}

Single VisibilityY(Integer D, int h) {
  // Visibility beyond the axis top lies at the top for every hour.
  const Single v = std::clamp<Single>(gVisibility(D, h) * 0.621371f, 0, gVisAxisTop);
  return (gVisAxisTop - v) * (gVisAxisTop - v);
}

Single MixingTopY(Integer D, int h) {
  return Ln(LevelOrGap(D, h, static_cast<Integer>(std::lround(Store().MixTopLevel(D, h))), Store().gPres));
}

Single MoistLakeIndex(Integer D, int h) {
  const Single up = TempAtPressure(h, gSfcPres(D, h) - 150);
  if (IsMissing(up) || LevelsOf(D) < 2) return kNoValue;
  const Single low = (gTemp(D, h, 1) + gTemp(D, h, 2)) / 2;
  return up - ((LakeTemp() + low) / 2 - 9);
}

Color TypeColour(const OverviewState& s, Integer D, int h, Single, Single) {
  return PrecipTypeColour(RefreshTypeCode(D, h, TypeFromA(s)));
}

#define ONDRIK_SEGMENT(name, fn) \
  Color name(const OverviewState&, Integer, int, Single a, Single b) { return fn(a, b); }
ONDRIK_SEGMENT(LakeSegment, LakeIndexColour)
ONDRIK_SEGMENT(DavisSegment, DavisColour)
ONDRIK_SEGMENT(HainesSegment, HainesColour)
ONDRIK_SEGMENT(HeatSegment, HeatColour)
#undef ONDRIK_SEGMENT

#define V(expr) [](const OverviewState& s, Integer D, int h) -> Single { (void)s; (void)D; (void)h; return expr; }

const StripRow kStrips[] = {
    // id, colour, pen, width, value, segment colour, dot (the axis is the box row's)
    {kBoxLakeIndex, kWhite, Pen::Dim, 3,
     V(Store().LakeLevelTemp(D, h) - (LakeTemp() - s.in.LakeIndexDelta)), LakeSegment, 0},
    {kBoxMoistLakeIndex, kWhite, Pen::Dim, 3, V(MoistLakeIndex(D, h)), LakeSegment, 0},
    {kBoxVVTrend, kWhite, Pen::Dim, 3, V(LevelOrGap(D, h, s.opt.SigmaLevel, Store().gOmega)), nullptr, 0},
    {kBoxApparentTemp, kWhite, Pen::Dim, 3, V(Store().ApparentTempF(D, h)), HeatSegment, 0},
    {kBoxSkinTemp, RGB(0, 255, 255), Pen::Dim, 3, V(F(gSkinTemp(D, h))), nullptr, 0},
    {kBoxSfcTemp, RGB(255, 0, 0), Pen::Dim, 3, V(F(gSfcTemp(D, h))), nullptr, 0},
    {kBoxSfcDewPoint, RGB(0, 255, 0), Pen::Dim, 3, V(F(gSfcDewpt(D, h))), nullptr, 0},
    {kBoxWindChill, RGB(128, 128, 255), Pen::Dim, 3,
     V(WindChill(ComfortTemp(s, D, h), ComfortWind(s, D, h))), nullptr, 0},
    {kBoxTotalTotals, RGB(0, 0, 255), Pen::Dim2, 3, V(Store().TotalTotals(D, h)), nullptr, 0},
    {kBoxHelicity, RGB(0, 0, 255), Pen::Dim2, 2, V(gHelicity(D, h) / kHelicityIndexFactor), nullptr, 0.3},
    {kBoxStormRelInflow, kYellow, Pen::Dim, 3,
     V(static_cast<Single>(gSRInflowSfcSpd(D, h) * kKnotsPerMps)), nullptr, 0},
    {kBoxMBEspeed, kYellow, Pen::Dim, 4, V(gMbeSpd(D, h)), nullptr, 0},
    {kBoxPresChange3h, RGB(255, 0, 255), Pen::Dim, 4, V(PresChange(s, D, h)), nullptr, 0},
    {kBoxSfcPres, kWhite, Pen::Dim, 3, V(gSfcPres(D, h)), nullptr, 0},
    {kBoxPrecipAcumm, kWhite, Pen::Dim, -3, V(gPrecipAccum(D, h)), TypeColour, 0},
    {kBoxSnowFall, RGB(128, 128, 255), Pen::Dim, -3, V(Store().SnowfallTotal(D, h)), nullptr, 0},
    {kBoxSnowAcumm, kWhite, Pen::Dim, -3, V(Store().SnowAccumSettled(D, h)), nullptr, 0},
    {kBoxPrecipWater, RGB(63, 255, 63), Pen::Dim, 3, V(1000 * gPwat(D, h)), nullptr, 0},
    {kBoxDavisIndex, kWhite, Pen::Dim, 3, V(gSfcTemp(D, h) - Store().LakeLevelTemp(D, h)), DavisSegment, 0},
    {kBoxTQ, RGB(0, 128, 255), Pen::Dim2, 3, V(OrNoValue(gTQIndex(D, h))), nullptr, 0},
    {kBoxHainesIndex, kWhite, Pen::Dim, 3,
     V(Store().HainesIndex(D, h, std::clamp<Integer>(s.opt.HainesLevel, 1, 3)) > 0
           ? static_cast<Single>(Store().HainesIndex(D, h, std::clamp<Integer>(s.opt.HainesLevel, 1, 3)))
           : kNoValue),
     HainesSegment, 0},
    {kBoxMixingLayer, RGB(255, 255, 63), Pen::Dim, 3, V(MixingTopY(D, h)), nullptr, 0},
    {kBoxTransportSpeed, RGB(128, 255, 128), Pen::Dim, 3, V(Store().TransportWindSpeed(D, h)),
     nullptr, 0},
    {kBoxWarmCloud, RGB(63, 127, 255), Pen::Dim2, 3, V(Ln(StdPressureOfFeet(gWarmCloudDepth(D, h)))),
     nullptr, 0},
    {kBoxVentilation, RGB(128, 255, 255), Pen::Dim, 3, V(Ventilation(D, h)), nullptr, 0},
    {kBoxLIC, kWhite, Pen::Dim, 3, V(gLakeCape(D, h)), nullptr, 0},
    {kBoxLIE, RGB(255, 255, 63), Pen::Dim, 3, V(Ln(gLakeELPres(D, h))), nullptr, 0},
    {kBoxVisibility, RGB(63, 127, 255), Pen::Dim2, 4, V(VisibilityY(D, h)), nullptr, 0},
    {kBoxCloudBase, kYellow, Pen::Dim, 4, V(Ln(gCloudBasePres(D, h))), nullptr, 0},
    {kBoxSnowRatio, kCyan, Pen::Dim, 3, V(Store().SnowRatio(D, h)), nullptr, 0},
};
#undef V

const StripRow* StripOf(BoxId id) {
  for (const StripRow& r : kStrips)
    if (r.id == id) return &r;
  return nullptr;
}

Color Dimmed(const OverviewState& s, Pen pen, Color c) {
  switch (pen) {
    case Pen::Dim: return eRGB(s, RedOf(c), GreenOf(c), BlueOf(c));
    case Pen::Dim2: return eRGB2(s, RedOf(c), GreenOf(c), BlueOf(c));
    case Pen::Full: break;
  }
  return c;
}

}  // namespace

void DrawStrip(OverviewDraw& d, BoxId id) {
  const StripRow* r = StripOf(id);
  if (r == nullptr) return;
  const OverviewState& s = d.s;
  const Integer D = gCurDataset;
  BeginStrip(d, Dimmed(s, r->pen, r->colour), r->width > 0 ? r->width : 1, Row(id).axis);
  if (r->width < 0) d.rh.DrawWidth = -r->width;
  d.rh.Mode = DrawMode::CopyPen;
  d.rh.Style = DrawStyle::Solid;
  const Color pen = d.rh.ForeColor;
  const auto segment = [&](int h, double a, double b) {
    if (r->segment == nullptr) return pen;
    return Dimmed(s, r->pen, r->segment(s, D, h, static_cast<Single>(a), static_cast<Single>(b)));
  };
  TraceSeries(d, [&](int h) { return r->value(s, D, h); }, segment, r->dot);
  EndStrip(d);
}

// ---- segment colours ----

Color LakeIndexColour(Single a, Single b) {
  if (a <= 0 || b <= 0) return RGB(223, 0, 0);
  return a > 3 && b > 3 ? RGB(0, 192, 0) : RGB(192, 192, 0);
}

Color DavisColour(Single a, Single b) {
  if (a > 17 || b > 17) return kBlue;
  if (a >= 15 || b >= 15) return kRed;
  if (a >= 10 || b >= 10) return kYellow;
  return RGB(0, 255, 0);
}

Color HainesColour(Single a, Single b) {
  if (a == 6 || b == 6) return kBlue;
  if (a == 5 || b == 5) return kRed;
  if (a == 4 || b == 4) return kYellow;
  return RGB(0, 255, 0);
}

Color HeatColour(Single a, Single b) {
  return kHeatClassColours[static_cast<size_t>(std::clamp(std::min(HeatClass(a), HeatClass(b)), 1, 5))];
}

Color CapeColour(Single cape, Single cins, const std::array<Single, 2>& bounds) {
  if (cape < 1) return RGB(0, 255, 0);
  if (cins < bounds[1]) return kRed;
  if (cins < bounds[0]) return kYellow;
  return RGB(0, 255, 0);
}

// ---- strips of several lines ----

Color CapeLineColour(int button) {
  // "Eql" (0) keeps its green for the button; its line is drawn in the
  // colours of the hours' inhibition. There are no buttons 1 and 2.
  static constexpr Color kLine[8] = {RGB(0, 192, 0), kWhite, kWhite,           kYellow,
                                     kCyan,          RGB(255, 0, 255), RGB(255, 128, 0), kWhite};
  return button >= 0 && button < 8 ? kLine[button] : kWhite;
}

Color HeightLineColour(int button) {
  static constexpr Color kLine[4] = {kWhite, kRed, kYellow, RGB(0, 192, 0)};
  return button >= 0 && button < 4 ? kLine[button] : kWhite;
}

void PlotCAPE(OverviewDraw& d) {
  const OverviewState& s = d.s;
  const Integer D = gCurDataset;
  BeginStrip(d, eRGB(s, 255, 255, 255), 4, Axis::Cape);
  d.rh.Mode = DrawMode::CopyPen;
  // The file's CAPE: each segment in the colour of the hour it ends at.
  const auto byInhibition = [&](int h, double, double) {
    return Dimmed(s, Pen::Dim, CapeColour(gCape(D, h), gCins(D, h), s.in.CapeBounds));
  };
  if (s.opt.CapeLineOn[0]) TraceSeries(d, [&](int h) { return gCape(D, h); }, byInhibition);
  for (int v = 3; v <= 7; ++v) {
    if (!s.opt.CapeLineOn[static_cast<size_t>(v)]) continue;
    d.rh.ForeColor = d.rh.FillColor = Dimmed(s, Pen::Dim, CapeLineColour(v));
    const Color pen = d.rh.ForeColor;
    TraceSeries(d, [&](int h) { return gLayerCape(D, h, v); }, [pen](int, double, double) { return pen; });
  }
  EndStrip(d);
}

void PlotHeights(OverviewDraw& d) {
  const OverviewState& s = d.s;
  const Integer D = gCurDataset;
  BeginStrip(d, d.rh.ForeColor, 3, Axis::Height);
  d.rh.Mode = DrawMode::CopyPen;
  // LCL, LFC, EL: a level is drawn where it is a pressure; the LFC and the
  // EL only where they lie more than 40 mb above the surface.
  struct Line {
    const HourArray<Single>& p;
    bool aboveSurface;
  };
  const Line lines[4] = {
      {Store().gLclPres, false}, {Store().gLclPres, false}, {Store().gLfct, true}, {Store().gEqlv, true}};
  for (int i = 1; i <= 3; ++i) {
    if (!s.opt.HeightLineOn[static_cast<size_t>(i)]) continue;
    const Line& l = lines[i];
    d.rh.ForeColor = d.rh.FillColor = Dimmed(s, Pen::Dim, HeightLineColour(i));
    const Color pen = d.rh.ForeColor;
    const auto y = [&](int h) {
      const Single p = l.p(D, h);
      if (l.aboveSurface && !(static_cast<Single>(gPres(D, h, 0) - 40) > p)) return kNoValue;
      return Ln(p);
    };
    TraceSeries(d, y, [pen](int, double, double) { return pen; });
  }
  EndStrip(d);
}

// ---- derived level fields ----

void PlotIcing(OverviewDraw& d) { PlotContourColor(d, true, PlaneGrid(d, Store().IcingIndex), IcingClasses()); }
void PlotDeltaThetaE(OverviewDraw& d) {
  PlotContourColor(d, true, PlaneGrid(d, Store().DeltaThetaE), DeltaThetaEClasses());
}
void PlotShearContour(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().ShearContour), kRed, RGB(127, 127, 127), -15);
}
void PlotLayertoLayer(OverviewDraw& d) {
  sPlotContourMulti(d, false, PlaneGrid(d, Store().LayertoLayer, 0.1f), LayerShearClasses(d.s.in.LayerShearBounds),
                    0.1f);
}
void PlotHodoLengthShear(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().HodoLengthShear), kRed, RGB(191, 191, 191), -20);
}
void PlotMeanMixingRatio(OverviewDraw& d) {
  PlotContourColor(d, true, PlaneGrid(d, Store().gMeanMixRatio), MixingRatioClasses());
}
void PlotSnowGrowth(OverviewDraw& d) {
  PlotContour(d, PlaneGrid(d, Store().SnowGrowth), kYellow, RGB(255, 127, 255), -15);
}

}  // namespace ondrik
