// The plotters of the overview's fields and strips (the table in
// overview/boxes.h names them), and the contour drawing they share.
#pragma once

#include <array>
#include <string>

#include "overview/classes.h"
#include "overview/contour.h"
#include "overview/draw.h"

namespace ondrik {

// ---- contour drawing on the time-height plane of gCurDataset ----

// A field of the store on the plane: hours 0..gLastHour, levels up to
// TopLevel of gCurDataset, times `scale`.
ContourGrid PlaneGrid(const OverviewDraw& d, const LevelArray<Single>& field, Single scale = 1);
// picRH in the scale of the plane.
void ScalePlane(OverviewDraw& d);
// Traces one value in the current pen, labelled with `label`.
void ContourLevel(OverviewDraw& d, const ContourGrid& g, Single v, int nLevels, const std::string& label);
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
// The present time: a white line 3 wide across the picture.
void PlotNow(OverviewDraw& d);

// The humidity class painted for a value by the water (ice = false) or ice
// variant, with the lowest class chosen on the legend: its colour, or
// nothing (false).
bool HumidityCellColour(Single rh, bool ice, Integer lowestClass, Color& colour);
// The cloud class of a cloud fraction (%): fill style and colour.
struct CloudClass {
  FillStyle fill = FillStyle::Solid;
  Color colour = kBlack;
};
CloudClass CloudClassOf(Single cloudFraction);

}  // namespace ondrik
