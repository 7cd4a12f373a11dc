// The plotters of the overview's fields and strips (the table in
// overview/boxes.h names them), and the contour drawing they share.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "overview/classes.h"
#include "overview/contour.h"
#include "overview/contourtexts.h"
#include "overview/draw.h"

namespace ondrik {

// ---- contour drawing on the time-height plane of gCurDataset ----

// A field of the store on the plane: hours 0..gLastHour, levels up to
// TopLevel of gCurDataset, times `scale`; no value where it or its basis
// is missing (MakeContourGrid).
ContourGrid PlaneGrid(const OverviewDraw& d, const LevelArray<Single>& field, Single scale = 1,
                      const LevelArray<Single>* basis = nullptr);
// picRH in the scale of the plane.
void ScalePlane(OverviewDraw& d);
// One contour field traced: its values with their labels and the marks of
// its extremes, kept in the redraw (OverviewRedraw::Fields) until every
// field is traced; PlaceContourTexts then places the texts of all fields and
// draws their lines. In a plan it keeps nothing.
class PlaneContours {
 public:
  // picRH in the scale of the plane.
  PlaneContours(OverviewDraw& d, const ContourGrid& g);
  // The contour v in colour c over every level of the grid, labelled.
  void Trace(Single v, Color c, const std::string& label);
  // An "X" (maximum) or "N" (minimum) centred on its node.
  void Mark(const Extreme& e, Color c);
  // Hands the field to the redraw, its lines as wide as the pen.
  void Draw();

 private:
  OverviewDraw& d_;
  const ContourGrid& g_;
  TracedField field_;
};
// Contours at every multiple of the contour interval: mode < 1 draws values
// from -mode up in colour1 and the others in colour2; mode >= 1 draws the
// multiples of mode in colour1 and the others in colour2. Maxima get an "X"
// in colour1, minima an "N" (in colour2 when mode < 1).
void PlotContour(OverviewDraw& d, const ContourGrid& g, Color colour1, Color colour2, int mode);
// Contours coloured by class; with marks the extremes in the first class's
// colour. The lowest contour starts from the first threshold.
void PlotContourColor(OverviewDraw& d, bool marks, const ContourGrid& g, const ClassTable& classes);
// The same on a field scaled by `scaled` (the grid holds the scaled values)
// with the thresholds scaled in a copy; labels in the field's own units and
// each extreme mark in its own class's colour.
void sPlotContourMulti(OverviewDraw& d, bool marks, const ContourGrid& scaledGrid, const ClassTable& classes,
                       Single scaled);

// The elevated-CAPE legend: the six values (contour interval times 1, 20,
// 40, 100, 200, 400) and whether each is drawn (black when below the lowest
// class chosen, else yellow).
struct ECapeLegendItem {
  std::string caption;
  Color colour = kYellow;
};
std::array<ECapeLegendItem, 6> ECapeLegend(Integer contourInterval, Integer lowestClass);

// ---- fields ----
void PlotClouds(OverviewDraw& d);
void PlotRH(OverviewDraw& d);
void PlotELCIN(OverviewDraw& d);
void PlotInversions(OverviewDraw& d);
void PlotInstability(OverviewDraw& d);
void PlotECAPE(OverviewDraw& d);
void PlotEHailCape(OverviewDraw& d);
void PlotTemperatureContours(OverviewDraw& d);
void PlotWindSpeedContours(OverviewDraw& d);
void PlotHumidityContours(OverviewDraw& d);
void PlotIceHumidityContours(OverviewDraw& d);
void PlotDewPointContours(OverviewDraw& d);
void PlotThetaContours(OverviewDraw& d);
void PlotThetaEContours(OverviewDraw& d);
void PlotWetBulbContours(OverviewDraw& d);
void PlotOmegaContours(OverviewDraw& d);
void PlotMixingRatioContours(OverviewDraw& d);
// The present time: a white line 3 wide across the picture at its hour of
// the time window; none when the present lies outside the window.
void PlotNow(OverviewDraw& d);

// The humidity class painted for a value by the water (ice = false) or ice
// variant, with the lowest class chosen on the legend: its colour, or
// nothing (false).
bool HumidityCellColour(Single rh, bool ice, Integer lowestClass, Color& colour);
// The colour of a humidity class (1..9, the items of the humidity key).
Color HumidityClassColour(int index);
// The cloud class of a cloud fraction (%): fill style and colour.
struct CloudClass {
  FillStyle fill = FillStyle::Solid;
  Color colour = kBlack;
};
CloudClass CloudClassOf(Single cloudFraction);

// ---- strips: one table of line strips (overview/strips.cpp) ----

// Draws the line strip of a row of the strip table for gCurDataset: its
// pen (dimmed for the datasets other than the shown one), width and axis,
// one joined segment per hour (a value that is not a number is a gap; a
// segment may take a colour of its own from its two ends), filled dots
// where the row asks for them.
void DrawStrip(OverviewDraw& d, BoxId id);
template <BoxId id>
void PlotStrip(OverviewDraw& d) {
  DrawStrip(d, id);
}
// The plotter of the box table's rows: a row of a line strip of the strip
// table names kLineStrip and is drawn by PlotStrip; the others name their own.
struct LineStrip {};
inline constexpr LineStrip kLineStrip{};
template <BoxId id>
constexpr OverviewPlotter PlotterOf(OverviewPlotter own) {
  return own;
}
template <BoxId id>
constexpr OverviewPlotter PlotterOf(LineStrip) {
  return PlotStrip<id>;
}

// The strips with more than one line or a shape of their own.
void PlotCAPE(OverviewDraw& d);      // the file's CAPE by inhibition class, the layer CAPE lines
void PlotHeights(OverviewDraw& d);   // LCL, LFC and EL lines of the buttons that are on
// The colours of those lines, which the buttons that are on wear too:
// btnCAPEkm 0 "Eql" (white), 3..6 km, 7 "Hail"; btnHeights 1 "LCL", 2 "LFC", 3 "Eql".
Color CapeLineColour(int button);
Color HeightLineColour(int button);

// Segment colours of the strips (before dimming), by the values at the two
// ends of a segment.
Color LakeIndexColour(Single a, Single b);
Color DavisColour(Single a, Single b);
Color HainesColour(Single a, Single b);
Color HeatColour(Single a, Single b);  // the more severe heat class of the two ends
Color CapeColour(Single cape, Single cins, const std::array<Single, 2>& cinsBounds);

// ---- winds (overview/winds.cpp) ----
void PlotMeanWind(OverviewDraw& d);
void PlotTransportDirection(OverviewDraw& d);
void PlotSigmaWind(OverviewDraw& d);
void PlotVWP(OverviewDraw& d);
// The sigma-wind legend in picWindScale, in the scale the window has given
// it: the three level colours and the hour-0 pressure of each level.
void DrawSigmaWindScale(PictureBox& picWindScale, const OverviewState& s);
// Mean-wind colour by the layer's spread (knots): green up to 2, yellow up
// to 4, red above (before dimming).
Color WindClassColour(Single spread);
// The speed-class colour of a wind-profile vector.
Color VWPClassColour(Single knots, const std::array<Integer, 6>& bounds);
// The points of a direction trace of hours 0..size - 1: a step of more than
// 180 degrees crosses 0/360 and is drawn as two segments, the first out past
// the edge, the second in from the other edge to the hour itself; the trace
// goes on from that hour. Directions that are not a number are gaps.
struct DirectionPoint {
  double x, y;
  bool line;  // a segment ends here (else the pen moves)
};
std::vector<DirectionPoint> DirectionTracePoints(const std::vector<Single>& dir);

// ---- precipitation (overview/precip.cpp) ----
void PlotPrecip(OverviewDraw& d);       // the precipitation and snow bars and the type legend
void PlotEvaporation(OverviewDraw& d);  // half-width bars next to each hour
void PlotRunOff(OverviewDraw& d);       // half-width bars next to the hour before
// The bar colour of a type (white for none or another code); rain's is the
// colour of the rain beyond the convective part.
Color PrecipTypeColour(Long code);
// The legend items of the types that occur in the current dataset's hours
// (none when the dataset is not shown), indexed as kPTypeLegend.
std::array<bool, kPTypeLegend.size()> MakePTypeSummary(Integer d);

// ---- derived level fields (overview/strips.cpp) ----
void PlotIcing(OverviewDraw& d);
void PlotDeltaThetaE(OverviewDraw& d);
void PlotShearContour(OverviewDraw& d);
void PlotLayertoLayer(OverviewDraw& d);
void PlotHodoLengthShear(OverviewDraw& d);
void PlotMeanMixingRatio(OverviewDraw& d);
void PlotSnowGrowth(OverviewDraw& d);

}  // namespace ondrik
