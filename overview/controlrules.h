// The rules of the overview's controls, free of the window: what a click on
// a box of the field and strip table does besides ticking it (its side
// effects are kept per row, by the row's id), the contour interval, the
// hour and zoom mapping of the mouse, the corner of the picture-in-picture,
// the mean-wind layer's bounds and the label texts the controls show.
//
// The window carries the rules out through BoxHost; tests drive them
// through a fake host.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "overview/boxes.h"
#include "overview/state.h"
#include "platform/color.h"

namespace ondrik {

// Panels and legends on the control pages that follow the boxes.
enum class BoxPanel : int {
  None,
  HeatIndex,      // pnlHeatIndex: the heat-index classes
  CAPE,           // frameCAPE: the CAPE-layer line buttons
  DavisIndex,     // pnlDavisIndex
  HainesIndex,    // pnlHainesIndex: the Haines level buttons
  ELCIN,          // frameELCIN: the inhibition legend
  Heights,        // frameHeights: the height-line buttons
  VWPOptions,     // pnlVWPOptions: the barb spacing
  VWP,            // pnlVWP: the wind-speed colour legend
  Wind,           // pnlWind: the sigma level and its legend
  MeanWind,       // pnlMeanWind: the mean-wind layer bars
  RH,             // pnlRH: the humidity legend
  RHHide,         // frameRHHide: covers the ice-only humidity classes
  ECAPE,          // frameECAPE: the elevated-CAPE legend
  LakeTemp,       // lblLakeTemp
  OmegaFiltered,  // btnOmegaFiltered
  Precip,         // framePrecip: the precipitation-type legend
  ElevatedPT,     // vbsElevatedPT and its elevation label
  Count
};

// What the box rules ask of the window.
class BoxHost {
 public:
  virtual ~BoxHost() = default;
  virtual int Value(BoxId id) const = 0;
  // Sets a box as the user would: its click runs when the value changes.
  virtual void SetValue(BoxId id, int value) = 0;
  virtual void ShowPanel(BoxPanel panel, bool shown) = 0;
  virtual void Redraw() = 0;                         // PlotData
  virtual void Topic(std::string_view topic) = 0;    // the training links of a topic
  virtual void SigmaWindScale() {}                   // the sigma-wind legend
  virtual void ECAPELabels() {}                      // the elevated-CAPE legend
  virtual void SnowRatioUnlessDone() {}              // the snow ratio of every dataset, once
  virtual void SetCaption(BoxId /*id*/, const std::string& /*caption*/) {}
  // chkMeanWind: whether the layer was labelled in this window; else the
  // profile window's layer is copied onto the bars (whose changes redraw).
  virtual bool MeanWindLayerShown() const { return true; }
  virtual void CopyMeanWindLayer() {}
  // chksWSYMb outside a bulk change: the profile window's box follows, the
  // precipitation types are chosen again and the picture redrawn.
  virtual void Bourgouin(int /*value*/) {}
  virtual double Random() { return 0; }              // uniform in [0, 1)
};

struct BoxContext {
  BoxHost& host;
  OverviewState& s;
  Integer& gridGuard;  // GridSwitchGuard: -1 while the grid boxes are being switched
};

// The grid box of an axis (kBoxCount: none).
BoxId GridOfAxis(Axis axis);

// A box of the table changed (its value is already the new one).
void BoxClick(BoxId id, BoxContext& c);
// Whether a panel shows for the boxes as they stand: while any of its rows
// is ticked, the speed colours while "VWP" and "Color" both are, the type
// legend while "Precipitation" is 1, the cover of the ice-only humidity
// classes unless the ice fill is ticked.
bool PanelShown(BoxPanel panel, const OverviewOptions& o);
// Every panel as PanelShown says (after a bulk change of the boxes).
void ShowAllPanels(BoxHost& host, const OverviewOptions& o);
// chkCI(index): the contour interval.
void ContourIntervalClick(int index, BoxContext& c);
// Helicity is drawn on the index axis in tenths of its value.
inline constexpr Integer kHelicityIndexFactor = 10;
// One set of the index axis's labels: the factor its numbers are multiplied
// by, and its own colour (else the axis's).
struct IndexLabelSet {
  Integer factor = 1;
  bool ownColour = false;
  Color colour = kWhite;
  bool operator==(const IndexLabelSet&) const = default;
};
// The labels of the index axis: every ticked strip reads against labels of
// its own factor. Every index strip reads 1 but helicity (10). With both
// kinds ticked the axis is labelled first for the strip whose range it shows
// (the range its tick set: Haines, snow ratio, helicity, TQ), else for the
// strips of factor 1; the other kind's labels stand under them, helicity's
// in its own colour. The boxes and the axis decide, not the last click.
struct IndexAxisLabels {
  IndexLabelSet first;
  std::optional<IndexLabelSet> second;
};
IndexAxisLabels IndexLabels(const OverviewOptions& o, const OverviewFrame& f);
// Whether the box draws contours that follow the contour interval.
bool FollowsContourInterval(BoxId id);
// Whether the box hands its changes to a handler at all (a box without one
// is read by the next redraw only).
bool HasHandler(BoxId id);

// ---- mouse ----

// An hour column of the current dataset: 0 at or below 0, else at most lastHour.
int ClampHour(int hour, int lastHour);
// The hour a left press or drag at x chooses (Int(x + 0.5)); none outside 0..lastHour.
std::optional<int> PickedHour(double x, int lastHour);
// The column right of x (Int(x) + 1), not clamped; none for x that is not finite.
std::optional<int> ColumnAfter(double x);

// The axis a press on a side picture chooses for zooming (ZoomAxis).
enum class ZoomAxis : int {
  None = 0, Direction = 1, SfcPres = 2, Index = 3, Height = 4, Precip = 5,
  Temperature = 6, LakeCape = 7, Visibility = 8, Ventilation = 9
};
// picLeft is divided at x = 33, 66 and 100 into the left axes, the
// direction and the index axis; picRight into the plane, the precipitation
// and the temperature axis. None at x >= 100 (or not finite).
ZoomAxis LeftPressAxis(double x, bool sfcPres, bool visibility, bool ventilation);
ZoomAxis RightPressAxis(double x);
// Whether the release of picLeft (else picRight) acts on the axis.
bool OnLeftPicture(ZoomAxis a);
// Top and bottom of the side picture's scale while the axis is zoomed.
std::pair<double, double> ZoomScale(ZoomAxis a, const OverviewFrame& f);
// The grid box that must be shown for the axis to zoom.
BoxId ZoomGridBox(ZoomAxis a);
// The release at y (in the units of ZoomScale): the axis' span is divided
// (zoom in) or multiplied by 1.5 about y. Every span keeps at least its
// axis' small minimum and stays finite; the temperature axis also sets the
// saved gTempAxisBottom and gTempAxisSpan, the lake-CAPE, visibility and
// ventilation axes their saved tops. False when nothing changed (None).
bool ZoomRelease(ZoomAxis a, bool zoomIn, double y, OverviewFrame& f, bool tenMeterBase, Integer currentDataset);
// The smallest span of an axis.
double MinimumZoomSpan(ZoomAxis a);

// picPIP in a bottom corner: the left edge it takes with the pointer at
// pointerX (window pixels): from the right corner to the left one when the
// pointer comes over it, and back.
int PipLeft(int left, double pointerX, int innerWidth, int pipWidth);
// The window pixel of hour x on picRH (left edge at pixel rhLeft).
double PipPointerX(double x, const OverviewFrame& f, int rhLeft, int rhWidth);

// ---- level bars ----

// The mean-wind layer: bar 0 is the lower bound and stays below bar 1. When
// the bar `index` just moved to meet or pass the other one, the value it
// gives way to (one level below bar 1, or one above bar 0); none when the
// bounds are in order.
std::optional<int> MeanWindGiveWay(int index, int value0, int value1);

// lblPTElevation: "" when the Bourgouin box is cleared, "Surface" at level 1,
// else the level's height above ground and above sea level in feet and
// metres ("AGL: 1640'   500m" CR LF "MSL: ...").
std::string ElevationLabel(bool bourgouin, Integer level, double aglMetres, double mslMetres);

// The message of a heat-index legend item (0 "IV" .. 3 "I"); "" otherwise.
std::string HeatIndexMessage(int index);
inline constexpr const char* kHeatIndexTitle = "C-11 Heat Index";

// The precipitation type drawn at every hour of every loaded dataset: the
// decided type (gPtypeSrcA) or the model's (gPtypeSrcB).
void ChoosePrecipTypes(bool decided);

}  // namespace ondrik
