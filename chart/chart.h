// The profile chart: the thermodynamic diagram of one forecast hour in the
// profile window's picture box picData, plain or skewed, for the current
// dataset or for every shown dataset with the current one drawn last.
//
// Vertically everything stands at y = ln p (p in mb), low pressures at the
// top. Two horizontal systems are used:
//  - the frame system, x 0..100 across the width (background lines, boxes,
//    height labels, the wind column);
//  - the temperature system, x in deg C at the surface: a value v at the
//    pressure p stands at x = v + SkewFactor * (LnSurfacePres - ln p).
#pragma once

#include <array>
#include <functional>

#include "core/store.h"
#include "platform/picturebox.h"

namespace ondrik {

// Temperature bounds of the chart (deg C), from the configuration.
extern Integer gChartTMin;
extern Integer gChartTMax;

// Lean of the isotherms when the chart is skewed: 150 deg C per factor 100 of
// pressure above the surface.
inline constexpr double kSkewPerLnP = 150.0 / 4.605170185988092;  // 150 / ln 100

// What the profile window keeps for its chart: the values the redraw sets for
// the later steps and the mouse handlers, the window's own choices, and the
// check boxes the chart reads (as booleans: checked or not).
struct ChartState {
  // ---- set by PlotProfile ----
  Integer ShownDataset = 0;     // current dataset when the redraw began; drawn last
  Single SkewFactor = 0;        // kSkewPerLnP when skewed, else 0 (of the dataset drawn last)
  Single LnSurfacePres = 0;     // ln of the surface pressure of the dataset drawn last
  Single HalfTextHeight = 0;    // half the text height of "9", in ln p units
  Boolean ElevSketchDrawn = false;  // an elevated-parcel sketch is on the chart

  // ---- the window's choices ----
  Integer CurHour = 0;          // current hour index (value of hsbHour)
  Integer VerticalUnit = 0;     // 0 "P" pressure, 1 "Ft" thousands of feet, 2 "Km"
  std::array<Single, 25> HighlightIsotherms{};  // extra isotherms (deg C), entries 1..count
  Integer HighlightIsothermCount = 0;           // 0..24

  // ---- check boxes the chart reads ----
  bool chkSkewT = false;        // "Skew T"
  bool chkLines = false;        // "Heights": full-width height lines instead of ticks
  bool chkDryAdiabats = false;  // "Dry Adiabats"
  bool chkClouds = false;       // "Clouds"
  bool chkLayer2Layer = false;  // "Layer to Layer Shear"
  std::array<bool, 2> chkRH{};  // 0 "Rel Humidity", 1 "Rel Humidity (Ice)"
  bool chkInversions = false;   // "Inversions"
  bool chkWetBulb = false;      // "Wet Bulb"
  bool chkIcing = false;        // "Icing"
  bool chkFP = false;           // "FrostPoint"
  bool chkLakeIndex = false;
  bool chkLIC = false;
  bool chkMoistLakeIndex = false;
  bool chkLCL = false;          // "LCL"
  bool chkLFC = false;          // "LFC"
  bool chkEQL = false;          // "Equilibrium Lvl"
  bool chkWBZ = false;          // "Wet Bulb Zero"
  bool chkCCL = false;          // "CCL"
  bool chkConvectiveTemp = false;  // "ConvctTemp"
  bool chkParcel = false;       // "CAPE"
  bool chkCINS = false;         // "CINS"
  bool chkMomentum = false;     // "Momentum Xfer"
  bool chkSnowGrowth = false;   // "Snow Growth"
  bool chkHailGrowth = false;
  bool chk10MWind = false;      // "2M Tmp/10M Wnd"
  bool ChkOmega = false;        // "Omega"
  bool chkWindVector = false;   // "Vector Winds"
  bool chkWindDigital = false;  // "Digital Winds"

  // ---- traces, markers, parcel and growth layers ----

  // ---- wind column, title, omega, momentum transfer ----

  // ---- shading overlays, cursor readout, zoom, elevated parcel ----

  // ---- calls out to the window ----
  // Gives the input focus to the hour scroll bar hsbHour (may be empty).
  std::function<void()> focusHourBar;
  // Called after each dataset has been drawn, with its number, in drawing
  // order (may be empty; the window and the tests watch the overlay with it).
  std::function<void(Integer dataset)> onDatasetDrawn;
};

// The one redraw of the profile chart for s.CurHour: clears picData and draws
// the frame once, then every dataset to be drawn, the shown one last.
void PlotProfile(PictureBox& picData, ChartState& s);

// The colour for the dataset being drawn: each component halved (rounded
// down) unless gCurDataset is the shown dataset.
Color eRGB(const ChartState& s, int r, int g, int b);

// An unfilled ellipse in ForeColor centred on (x, y) with half-axes w (x
// units) and h (y units) in the picture's current scale; nothing unless both
// are positive.
void ellipse(PictureBox& pic, double x, double y, double w, double h);

// Number text as the chart prints it: a leading blank where a minus sign would
// stand and a trailing blank (" 950 ", "-40 ").
std::string ChartNumber(long n);

// ---- steps of the redraw that later parts of the chart fill in ----
// Each draws on picData for gCurDataset at s.CurHour.

// Shown dataset only, in the frame system, under the background lines.
void PlotCloudFraction(PictureBox& picData, ChartState& s);  // chkClouds
void PlotLayerToLayer(PictureBox& picData, ChartState& s);   // chkLayer2Layer
void PlotRHBars(PictureBox& picData, ChartState& s);         // chkRH(0) or chkRH(1)
void PlotInversions(PictureBox& picData, ChartState& s);     // always

// Every dataset drawn, in the temperature system (solid pen, width 2): the
// traces, level markers, parcel and CIN traces, momentum transfer, growth
// layers and the closing steps (surface strip, wind column, omega, model
// precipitation type).
void PlotDatasetTraces(PictureBox& picData, ChartState& s);

// Once after the last dataset, with gCurDataset the shown dataset.
void PloteeTitle(PictureBox& picData, ChartState& s);

}  // namespace ondrik
