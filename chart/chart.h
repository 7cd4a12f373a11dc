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
#include <string>

#include "chart/labels.h"
#include "chart/options.h"
#include "core/shared.h"
#include "core/store.h"
#include "platform/picturebox.h"

namespace ondrik {

// Temperature bounds of the chart (deg C), from the configuration.
extern Integer gChartTMin;
extern Integer gChartTMax;
// The bounds' buttons keep them at least this far apart (deg C).
inline constexpr Integer kMinChartTempSpan = 5;

// Lean of the isotherms when the chart is skewed: 150 deg C per factor 100 of
// pressure above the surface.
inline constexpr double kSkewPerLnP = 150.0 / 4.605170185988092;  // 150 / ln 100

// What a side panel wants marked at the chart's right edge for one dataset
// and hour: white marks at up to two levels and an optional label at a
// pressure (the heavy-precipitation panel's low-level jet).
struct ChartMarks {
  std::array<Integer, 2> levels{};
  int levelCount = 0;
  std::string label;       // "" for none
  Color labelColor = 0;
  double labelPres = 0;    // mb
};

// What the chart reports to the window that hosts it. The chart never draws
// on another picture; the window passes the events to its side panel.
class ChartEvents {
 public:
  virtual ~ChartEvents() = default;
  // A control of the chart hands its help topic over ("Profile").
  virtual void OpenTrainingLinks(const std::string& /*topic*/) {}
  // The input focus goes back to the hour scroll bar.
  virtual void FocusHourBar() {}
  // Each dataset after it has been drawn, in drawing order.
  virtual void DatasetDrawn(Integer /*dataset*/) {}
  // The side panel follows the cursor even without the readout.
  virtual bool WantsCursorLevel() const { return false; }
  // The cursor moved onto level L of dataset D at hour H.
  virtual void CursorLevel(Integer /*D*/, Integer /*H*/, Integer /*L*/) {}
  // A click on the chart; true when it was taken (the chart does not zoom).
  virtual bool TakeChartClick() { return false; }
  // Marks for dataset D at hour H beside the wind column.
  virtual ChartMarks MarksFor(Integer /*D*/, Integer /*H*/) { return {}; }
};

// What the chart reads besides the user's choices: values of the window, the
// configuration and the chosen model, set by the window when they change.
struct ChartInputs {
  Integer CurHour = 0;          // current hour index (value of hsbHour)
  bool FileLoaded = false;      // a file is loaded: the mouse handlers act
  std::array<Single, 25> HighlightIsotherms{};  // extra isotherms (deg C), entries 1..count
  Integer HighlightIsothermCount = 0;           // 0..24
  // The lake overlays: lake temperature of the lake page (whole deg C), the
  // configuration's lake level and the lake-index level and difference.
  // PlotProfile sets the two labels from gLakeTempC and the profile.
  Single lblLakeC = 1.0f;
  Single lblT850 = 0.0f;        // temperature at LakeLevelPres, whole deg C (kept while missing)
  Integer LakeLevelPres = 850;  // mb
  Integer LakeIndexPres = 850;  // mb
  Single LakeIndexDiff = 0.0f;  // deg C
  // Inversion shading: per-model parameters (deg C).
  Single gInversionDT = 0.5f;           // a rise at least this large is an inversion
  Single gIsothermDT = -1.0f;           // a change at least this large is near-isothermal...
  Single gIsothermMinDepression = 5.0f; // ...when the upper level is at least this dry
  // Layer-to-layer shear thresholds of the index table.
  Single LayerShearT1 = 200.0f;         // olive band from here
  Single LayerShearT2 = 250.0f;         // dark red band from here
  // Picture pixels at the top that something laid over the chart takes
  // besides the omega strip (a snapshot's titles); 0 in the window.
  double TopBandPx = 0;
};


// Values the redraw sets for its later steps and the mouse handlers.
struct ChartRedraw {
  Integer ShownDataset = 0;     // current dataset when the redraw began; drawn last
  Single SkewFactor = 0;        // kSkewPerLnP when skewed, else 0 (of the dataset drawn last)
  Single LnSurfacePres = 0;     // ln of the surface pressure of the dataset drawn last
  Single HalfTextHeight = 0;    // half the text height of "9", in ln p units
  // The frame of the chart on the picture it was last drawn in: its bottom
  // (mb; the user's gChartBottom, lower where that picture needs the room; 0
  // before the first redraw) and the pixels at its top under what lay over
  // it (CoveredTopPx then). What is drawn on the picture later (the
  // readout, the elevated parcel, the level band) stands in this frame.
  Integer ChartBottom = 0;
  double CoveredPx = 0;
  ChartLabels labels;           // the texts of the redraw, printed after its last line
};

struct ChartState;

// Height (picture pixels) of the omega scale strip picOmega, which lies over
// the chart's top edge while "Omega" is ticked.
inline constexpr int kOmegaStripPx = 30;

// The picture pixels at the top of the chart that lie under something laid
// over it: the omega strip while it is shown, or the band a snapshot's titles
// take. The chart's frame stands below them, so that they hide nothing it
// draws.
double CoveredTopPx(const ChartState& s);

// The bottom of the chart as drawn (ChartRedraw::ChartBottom; the user's
// gChartBottom before the first redraw).
Integer DrawnChartBottom(const ChartState& s);

// The chart's systems on picData in the frame as drawn (ChartRedraw), from
// gChartTop the covered pixels below the picture's top edge (none on a
// picture too low to spare them) down to the bottom: x from left to right
// (the omega profile), the frame system (x 0..100) and the temperature
// system (x in deg C at the surface). The redraw ends with the frame system
// kept as the picture's mapping: the mouse reads x 0..100 and y = ln p of
// the chart as drawn.
void SetChartScale(PictureBox& pic, const ChartState& s, double left, double right);
void SetFrameSystem(PictureBox& pic, const ChartState& s);
void SetTemperatureSystem(PictureBox& pic, const ChartState& s);

// The mouse over the chart: state kept between moves, and the readout and
// elevated-CAPE texts the window shows.
struct ChartCursor {
  Integer LastReadoutLevel = 0;         // level of the last readout; 0 = none
  Boolean ElevSketchDrawn = false;      // an elevated-parcel sketch is on the chart
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
};

// Everything the chart works with: the user's choices, the window's inputs,
// what the redraw and the mouse keep, and where events go (may be null).
struct ChartState {
  ChartOptions opt;
  ChartInputs in;
  ChartRedraw draw;
  ChartCursor cursor;
  ChartEvents* events = nullptr;
};

// The one redraw of the profile chart for s.in.CurHour: clears picData and draws
// the frame once, then every dataset to be drawn, the shown one last.
void PlotProfile(PictureBox& picData, ChartState& s);

// The bottom (mb) of the chart on a picture with coveredTopPx pixels at its
// top under something laid over it: gChartBottom, or lower where the
// temperature labels under the surface line need the room below the highest
// surface of the current dataset at that picture's height. The redraw works
// it out afresh for every picture, so that the same settings give the same
// picture whatever was drawn before; gChartBottom, the user's own bound,
// stays as the load and the zoom set it.
Integer ChartBottomFor(const PictureBox& pic, double coveredTopPx);

// The colour for the dataset being drawn: each component halved (rounded
// down) unless gCurDataset is the shown dataset (the chart's, or the one a
// side panel's overlay began with).
Color eRGB(const ChartState& s, int r, int g, int b);
Color eRGB(Integer shownDataset, int r, int g, int b);
inline Color eRGB(Integer shownDataset, Color c) { return eRGB(shownDataset, RedOf(c), GreenOf(c), BlueOf(c)); }

// The drawing order of the datasets (OverlayOrder) is in core/shared.h.

// An unfilled ellipse in ForeColor centred on (x, y) with half-axes w (x
// units) and h (y units) in the picture's current scale; nothing unless both
// are positive.
void ellipse(PictureBox& pic, double x, double y, double w, double h);

// Number text as the chart prints it: a leading blank where a minus sign would
// stand and a trailing blank (" 950 ", "-40 ").
std::string ChartNumber(long n);

// ---- steps of the redraw that later parts of the chart fill in ----
// Each draws on picData for gCurDataset at s.in.CurHour.

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

// ---- the level highlight of the Data panel's listing ----

// The pressures (mb) half-way from level L of dataset D at hour H to the
// levels above (p1) and below (p2). Where a neighbour is missing (the top
// of the profile, or no surface below level 1) the band reaches as far on
// that side as on the other. False when L is not a level of the profile.
bool LevelBandPressures(Integer D, Integer H, Integer L, Single& p1, Single& p2);
// Marks level L across the chart with a band drawn in exclusive-or (drawing
// it twice takes it away); the next redraw clears it. Drawn in the frame
// system the redraw kept as the picture's mapping, and leaves it in force.
void HighlightLevelBand(PictureBox& picData, Integer D, Integer H, Integer L);

}  // namespace ondrik
