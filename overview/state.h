// What the overview draws from: the user's choices (every check box of the
// table and the option buttons), the frame of the drawing (time window,
// axis ranges, log pressures of the levels), what the profile window and
// the configuration give it, and what a redraw leaves for the window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/store.h"
#include "overview/boxes.h"
#include "overview/contourtexts.h"
#include "overview/planetexts.h"
#include "platform/textplace.h"

namespace ondrik {

// Axis values kept from one run to the next (the saved state carries them):
// the temperature strips' range (deg F) and the tops of the CAPE, visibility
// and ventilation axes, whose bottoms are 0.
extern Integer gTempAxisBottom;  // 30
extern Integer gTempAxisSpan;    // 70
extern Single gLICAxisTop;       // 2000
extern Single gVisAxisTop;       // 10
extern Single gVentAxisTop;      // 20

// The user's choices in the overview: what a layout saves.
struct OverviewOptions {
  std::array<int, kBoxCount> box{};  // every check box of the table: 0, 1 (ticked), 2
  bool On(BoxId id) const { return box[static_cast<size_t>(id)] != 0; }

  Integer VerticalUnit = 1;          // btnPHK: 0 "P", 1 "Ft", 2 "Km"
  Integer ContourIntervalIndex = 2;  // chkCI: 0 "1", 1 "2", 2 "5", 3 "10"
  Integer ContourInterval = 5;       // the contour step
  Integer TenMeterBase = 0;          // -1: the "10 meter" row under the plane
  Integer RHLowestClass = 0;         // lowest humidity class painted (legend item)
  Integer ECAPELowestClass = 0;      // lowest elevated-CAPE contour drawn (legend item)
  Integer CloudShadeMode = 0;        // -1: clouds in grey shades
  Integer WindColorIndex = 2;        // OptWindColor
  Integer HainesLevel = 1;           // 1 low, 2 mid, 3 high
  Integer SnowTechnique = 1;         // optSnowTechnique
  Integer VWPAuto = 0, VWPInterval = 3, VWPAutoInterval = 3;
  Integer ControlPage = 0;           // the page shown
  std::array<bool, 2> LayerShearOption{true, false};  // optLayerShear: (m/s), (m/s) / km
  // Lines of the CAPE strip (btnCAPEkm 0 "Eql", 3..6 km, 7 "Hail") and the
  // height lines (btnHeights 1 "LCL", 2 "LFC", 3 "Eql"): on or off.
  std::array<bool, 8> CapeLineOn{true, false, false, false, false, false, false, false};
  std::array<bool, 4> HeightLineOn{false, true, true, true};
  // The level bars: the sigma level (lblSigmaLevel) and the mean-wind layer
  // (lblMeanWind 0 bottom, 1 top), level indexes.
  Integer SigmaLevel = 10;
  std::array<Integer, 2> MeanWindLevels{1, 10};
  Integer SnowRatioValue = 12;  // hsbRatio: the fixed snow ratio ("12:1")
  // Bounds of the wind profile's speed classes (the lblVWP captions), knots.
  std::array<Integer, 6> VWPBounds{10, 20, 30, 40, 50, 60};
};

// The frame every plotter draws in: x is the hour index with time running
// right to left between TimeLeft (left edge) and TimeRight (right edge); the
// vertical ranges of the axes; the plane's ln p of each level at hour 0.
struct OverviewFrame {
  Integer ColumnsShown = 0;  // hour columns of the time window
  Integer TimeRightBase = 0;  // -1 once a time window is chosen
  Single TimeLeft = 0, TimeRight = 0;
  Single LogPBottom = 0, LogPSpan = 1;  // the plane runs from LogPBottom - LogPSpan (top) to LogPBottom
  Single IndexBottom = -20, IndexSpan = 40;
  Single PrecipBottom = 0, PrecipSpan = 0.1f;
  Single TempBottom = 30, TempSpan = 70;
  Single SfcPresBottom = 975, SfcPresSpan = 50;
  Single DirTop = 360, DirSpan = 360;  // from DirTop - DirSpan (bottom) to DirTop
  std::array<std::array<Single, kMaxLevels + 1>, kDatasetSlots> LogP{};  // by dataset, level
  std::array<Single, kDatasetSlots> LogPSurface{};
};

// What the overview reads of the profile window, its configuration and the
// chosen model.
struct OverviewInputs {
  std::string ProfileCaption;  // caption of the profile window (site, model)
  Integer HourValue = 0;       // the profile window's hour bar
  Integer ModelIndex = 0;
  Integer TimeLabelStep = 6;   // the model's forecast times between time labels
  std::array<Integer, 4> WindowSteps{24, 48, 60, 120};  // time-window lengths in steps
  Single InversionDT = 0.5f, IsothermDT = -1, IsothermMinDPD = 5;
  bool OmegaSmoothOn = true;
  // The profile window's "Bourgouin Precip Type": the precipitation types
  // drawn are the decided ones (gPtypeSrcA), else the model's (gPtypeSrcB).
  // The one source of the choice; the overview's box only shows it.
  bool PtypeDecided = false;
  Integer XferIndex = 1;
  Single SRInflowBottom = 0, SRInflowDepth = 3;
  std::array<Single, 3> LayerShearBounds{100, 200, 250};  // index table, shear row
  std::array<Single, 2> CapeBounds{0, 0};                 // index table, CINS row
  DateTime Now;                // present UTC time
  bool ReverseScroll = false;  // hour 0 at the left end of the hour bar
  // Configuration and model values of the derived series.
  Integer LakeIndexPres = 850;    // mb: level of the lake and Davis indices
  Single LakeIndexDelta = 13;     // lake-minus-air difference of the lake index
  Integer TotalsLowerPres = 850;  // mb: lower level of the Total Totals
  Single ModelHourStep = 1;       // hours between forecast times of the model; 0 not known
  Integer SigmaLevelStep = 1;     // levels between the three sigma-wind levels
  bool LinuxMode = false;
};

// What the window is told while and after a redraw.
class OverviewEvents {
 public:
  virtual ~OverviewEvents() = default;
  // The keyboard focus goes to the focus-only scroll bar.
  virtual void FocusScrollBar() {}
  // The hourglass while the redraw runs (true), then the default pointer.
  virtual void SetBusy(bool /*busy*/) {}
};

// What a redraw computes and leaves behind.
struct OverviewRedraw {
  Integer ShownDataset = 0;  // current when the redraw began; drawn last
  std::array<Integer, kDatasetSlots> TopLevel{};  // highest level drawn on the plane, per dataset
  // Grid boxes of the axes shown (a hidden grid box has no axis to grid).
  std::array<bool, kBoxCount> GridVisible{};
  // txtQualityControl: the alert text and whether it shows.
  std::string QualityText;
  bool QualityVisible = false;
  // The precipitation-type legend (lblPType, the items of kPTypeLegend):
  // the items shown, set when the precipitation bars are drawn.
  std::array<bool, 5> PTypeSeen{};
  std::string Caption;  // the window caption
  // The placement of picRH's texts and the room they keep (begun anew by
  // every redraw).
  TextPlacement Texts;
  // The contoured fields traced, until their texts are placed.
  std::vector<TracedField> Fields;
};

struct OverviewState {
  OverviewOptions opt;
  OverviewFrame frame;
  OverviewInputs in;
  OverviewRedraw draw;
  OverviewEvents* events = nullptr;
};

// The contour step of each contour-interval option (chkCI 0..3: "1", "2",
// "5", "10"); an index outside them gives the nearest.
inline Integer ContourIntervalOfIndex(Integer index) {
  constexpr Integer kSteps[4] = {1, 2, 5, 10};
  return kSteps[index < 0 ? 0 : index > 3 ? 3 : index];
}

// Hours per step as the overview divides by it: 0 (a file of one hour)
// counts as 1.
inline Single HoursPerStep() { return gHoursPerStep > 0 ? gHoursPerStep : 1; }

// ln of the hour-0 pressures of every level and of the surface of every
// loaded dataset into LogP and LogPSurface; the window caption (the profile
// window's with " Overview"); the quality alert hidden, then shown with the
// profile alert when the model is "nam4k" and the first level merely repeats
// the surface values. A pressure that is not positive gives ln 0.
void PrepareLogPressure(OverviewState& s);

// The axis ranges a new overview starts from: directions 360/360, index
// -20/40, precipitation 0/0.1, surface pressure 50 mb around the current
// dataset's first surface pressure, temperatures gTempAxisBottom/Span, and
// the plane from the current dataset's surface up to the chart top.
void StartFrame(OverviewState& s);

// The "10 meter" base: the plane reaches below the surface by this share of
// the span it has without it, so that the lowest levels show, and its span
// grows by as much.
inline constexpr Single kTenMeterReach = 0.15f;
// The bottom of the plane for the span it has now: the surface of the
// dataset, lowered by the reach with the "10 meter" base (a dataset that is
// not loaded leaves it).
void SetPlaneBottom(OverviewFrame& f, bool tenMeterBase, Integer dataset);

// The time windows: a window of `hours` hours shows hours / hours per step
// + 1 columns (rounded to the even neighbour); the first of the four window
// lengths (in steps) that covers the whole forecast, or the last.
Integer ColumnsOfWindow(Single hours);
int FirstCoveringWindow(const std::array<Integer, 4>& steps, Integer lastHour);
// The time window scrolled by `scroll` hours: hours scroll - 1 (right edge)
// to columns + scroll (left edge).
void SetTimeWindow(OverviewFrame& f, Integer columns, Integer scroll);

// The highest level drawn on the plane for every loaded dataset: the first
// level from the bottom whose hour-0 ln p lies above the plane's top, else
// gNumLevels.
void ComputeTopLevels(OverviewState& s);

// The precipitation alert of a dataset: isolated dry hours t = 2 ..
// gLastHour - 1 (no precipitation while both neighbours have more than
// 0.0014). The alert shows for more than 2.
int IsolatedDryHours(Integer d);
std::string PrecipitationAlertText(int count);
// The profile alert text.
std::string ProfileAlertText();

}  // namespace ondrik
