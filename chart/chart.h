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
#include <string>

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
  // Values of the lake panel and the configuration that the lake overlays
  // read, kept as numbers (the window copies them in when it changes them).
  Single lblLakeC = 1.0f;       // lake temperature shown by the lake panel, whole deg C
  Single lblT850 = 0.0f;        // panel's temperature at its lower lake level, whole deg C
  Integer LakeIndexPres = 850;  // configuration: level of the lake index, mb
  Single LakeIndexDiff = 0.0f;  // configuration: lake-minus-level difference of the index, deg C

  // ---- wind column, title, omega, momentum transfer ----
  Integer WindLevelStep = 1;        // btnVWPInterval: every 1st, 2nd or 3rd level
  Integer WindAutoSpacing = 1;      // btnVWPIntervalA: spacing factor 1..3 of the automatic choice
  bool WindAutoMode = false;        // choose the wind levels by spacing instead of by step
  bool ColorWindsBySpeed = false;   // btnColorWinds
  bool DigitalWindDirections = true;  // btnDigitalWinds: direction beside the speed
  Single OmegaRange = 11.0f;        // half-width of the omega axis (picOmega clicks change it)
  bool gOmegaSmoothOn = true;       // draw the smoothed omega field
  Integer gXferIndex = 1;           // pressed btnXfer: 0 "30", 1 "1", 2 "10", 3 "20" mb
  bool gPtypeSrcFlag = false;       // chksWSYMb "Bourgouin Precip Type": the decided type, not the model's
  // RightPanel (side panel shown) is in the readout section below; the marks read it too.
  bool chkSigmaLevel = false;       // Map panel "Sigma Level"
  bool chkMeanFlow = false;         // Map panel "Mean Wind"
  Integer gSigmaLevel = 0;          // level chosen with vsbSigmaLevel
  std::array<Integer, 2> MeanFlowLevels{};  // levels shown by lblMeanFlow(0) and (1), as numbers

  // ---- shading overlays, cursor readout, zoom, elevated parcel ----
  // Inversion shading: per-model parameters set when a model is chosen (deg C).
  Single gInversionDT = 0.5f;           // a rise at least this large is an inversion
  Single gIsothermDT = -1.0f;           // a change at least this large is near-isothermal...
  Single gIsothermMinDepression = 5.0f; // ...when the upper level is at least this dry
  // Layer-to-layer shear thresholds (per hour): gIndexThresholds(20, 1) and
  // (20, 2) of the indices panel's table; the window copies them in.
  Single LayerShearT1 = 200.0f;         // olive band from here
  Single LayerShearT2 = 250.0f;         // dark red band from here

  // Mouse over the chart: the window's state the handlers read.
  Integer SiteFileCount = 0;            // 0 while no file is loaded: the handlers do nothing
  bool chkActiveReadout = false;        // "Active Read Out"
  Boolean ElevatedCapeMode = false;     // "Elevated CAPE" (chkECAPE)
  Boolean SelectInflowMode = false;     // Heavy Precip panel's inflow selection
  Integer RightPanel = 99;              // side panel shown: 2 Hodograph, 5 Heavy Precip
  Integer ReadoutUnit = 0;              // height label of the readout: 0 mb, 1 feet, 2 km
  PictureBox* picHodograph = nullptr;   // hodograph picture in its own scale (may be null)
  // Mouse state kept between moves.
  Integer LastReadoutLevel = 0;         // level of the last readout; 0 = none
  Integer HodoCursorLevel = 0;          // level of the highlighted hodograph segment; 0 = none
  Integer ElevSketchLevel = 0;          // start level of the sketch on the chart
  Integer ElevSketchTop = 0;            // last buoyant level of that parcel
  Integer ElevSketchDataset = 0;        // dataset and hour the sketch was drawn for
  Integer ElevSketchHour = 0;
  double ZoomTopExact = 0;              // unrounded chart limits of the last zoom, so that
  double ZoomBottomExact = 0;           // zooming in and out again returns to the same limits

  // Readout labels placed on picData, in its pixels. WidthPx/HeightPx are the
  // label's size as the window shows it; 0 = measured from the caption.
  struct ReadoutLabel {
    std::string Caption;
    double LeftPx = 0, TopPx = 0;
    double WidthPx = 0, HeightPx = 0;
    bool Visible = false;
  };
  ReadoutLabel lblActiveTemp, lblActiveDP, lblActiveDir, lblActiveKts, lblActiveAxis;

  // The elevated-CAPE frame: label captions and the hail-CAPE bar.
  struct ECapeFrame {
    std::string lblEParcelp, lblEParcelt, lblEParceldp, lblECAPE, lblEHailCape, lblECIN,
        lblEEQL, lblNECAPE;
    bool picEHailCapeVisible = false;
    double HailCapeShare = 0;           // black part of the bar, 0..1
  };
  ECapeFrame frameECAPE;

  // Calls out to the window and its panels (each may be empty).
  std::function<void(const std::string& topic)> openTrainingLinks;
  std::function<void()> btnSelectInflow_Click;  // toggles SelectInflowMode
  std::function<void()> drawHeavyPrecipPanel;

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
