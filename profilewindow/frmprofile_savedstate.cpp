// The profile window's saved state: the history read at start-up and
// written at the end of the run, and the display setups (F1 to F6, slot 9
// for the snapshot). The file formats are savedstate/; this file maps their
// values to the window: chart choices through ChartOptions, panel values
// through the panels' PanelSettings, and the module values.
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/derived.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/shared.h"
#include "core/shear.h"
#include "overview/state.h"
#include "panels/thresholds.h"
#include "platform/savedfiles.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/paneltable.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"

namespace ondrik {

namespace {

// The history's spare value: read and written back, used by nothing.
Integer gHistorySpare = 0;

Integer BoxOf(bool on) { return on ? 1 : 0; }

std::optional<std::string_view> View(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::string_view(*text);
}

// The chkMap boxes stand in the files from "Country" to "Canada", in the
// panel settings the other way round.
constexpr size_t MapBoxOfFile(size_t i) { return kMapLayerCount - 1 - i; }

}  // namespace

// ---- level bars held as pressures ----

// The pressure of a level at hour 0 of the current dataset; without a
// loaded file the level number itself, which reads back as that level.
Single frmProfile::PressureOfLevel(Integer level) const {
  const Integer d = gCurDataset;
  if (!FileLoaded || d < 1 || d > gDatasetCount || level < 1 || level > gNumLevels(d))
    return static_cast<Single>(level);
  return gPres(d, 0, level);
}

// The level of the current dataset nearest a saved pressure (below 100 the
// level number); none when the file has no such level.
std::optional<Integer> frmProfile::LevelOfSavedPressure(Single p) const {
  const Integer d = gCurDataset;
  if (!FileLoaded || d < 1 || d > gDatasetCount || !std::isfinite(p) || p < 0 || p > 32767) return std::nullopt;
  const Integer level = LevelOfPressure(static_cast<Integer>(std::nearbyint(p)));
  if (level < 1 || level > gNumLevels(d)) return std::nullopt;
  return level;
}

// ---- the hodograph layer ----

// Sets the layer through the hodograph's buttons, so that the buttons, the
// helicity and the overview's caption agree; the bound that the other one
// would block goes first. Nothing is drawn. While the loading state is
// raised by a caller the buttons take nothing, and the values wait in the
// module for the next load.
void frmProfile::ChooseHodoLayer(Single top, Single bottom) {
  if (gLoadingState) {
    gSRInflowDepth = top;
    gSRInflowBase = bottom;
    return;
  }
  const auto topIndex = static_cast<Integer>(top), baseIndex = static_cast<Integer>(bottom);
  if (top > gSRInflowBase) {
    HodoHeightClick(topIndex);
    HodoBaseClick(baseIndex);
  } else {
    HodoBaseClick(baseIndex);
    HodoHeightClick(topIndex);
  }
}

void frmProfile::SetHodoLayer(Single top, Single bottom) {
  ChooseHodoLayer(top, bottom);
  DisplayHour();
}

// ---- the history ----

saved::HistoryFile frmProfile::CaptureHistory() const {
  const ChartOptions& o = chart_.opt;
  const PanelSettings s = CapturePanelSettings();
  saved::HistoryFile h;
  h.LakeTempF = s.LakeTempF;
  h.PlainTMin = o.PlainTMin;
  h.PlainTMax = o.PlainTMax;
  h.SkewTMin = o.SkewTMin;
  h.SkewTMax = o.SkewTMax;
  h.gHistorySpare = gHistorySpare;
  h.gTempAxisBottom = gTempAxisBottom;
  h.gTempAxisSpan = gTempAxisSpan;
  h.gIndexThresholds = gIndexThresholds;
  h.RestorePanel = RightPanel;
  h.RestoreControlPage = ControlPanel;
  h.chkLCL = BoxOf(o.chkLCL);
  h.chkECAPE = BoxOf(o.chkECAPE);
  h.chkLFC = BoxOf(o.chkLFC);
  h.chkCCL = BoxOf(o.chkCCL);
  h.chkEQL = BoxOf(o.chkEQL);
  h.chkConvectiveTemp = BoxOf(o.chkConvectiveTemp);
  h.chkParcel = BoxOf(o.chkParcel);
  h.chkWBZ = BoxOf(o.chkWBZ);
  h.chkCINS = BoxOf(o.chkCINS);
  h.chkLakeIndex = BoxOf(o.chkLakeIndex);
  h.chkMoistLakeIndex = BoxOf(o.chkMoistLakeIndex);
  h.chkLIC = BoxOf(o.chkLIC);
  h.gChartTop = gChartTop;
  h.chkLines = BoxOf(o.chkLines);
  h.chkDryAdiabats = BoxOf(o.chkDryAdiabats);
  h.chkRH = {BoxOf(o.chkRH[0]), BoxOf(o.chkRH[1])};
  h.chkFP = BoxOf(o.chkFP);
  h.HeightScaleUnit = o.VerticalUnit;
  h.gXferIndex = o.gXferIndex;
  h.ChkOmega = BoxOf(o.ChkOmega);
  h.gOmegaSmoothOn = o.gOmegaSmoothOn;
  h.chk10MWind = BoxOf(o.chk10MWind);
  h.chkSnowGrowth = BoxOf(o.chkSnowGrowth);
  h.chkHailGrowth = BoxOf(o.chkHailGrowth);
  h.chksWSYMb = BoxOf(o.chksWSYMb);
  h.chkMomentum = BoxOf(o.chkMomentum);
  h.gLICAxisTop = gLICAxisTop;
  h.gVisAxisTop = gVisAxisTop;
  h.gVentAxisTop = gVentAxisTop;
  h.chkActiveReadout = BoxOf(o.chkActiveReadout);
  h.ReadoutUnit = o.ReadoutUnit;
  h.chkSkewT = BoxOf(o.chkSkewT);
  h.chkWindVector = BoxOf(o.chkWindVector);
  h.PrecipByThickness = ShowThickness;
  h.gSRInflowDepth = gSRInflowDepth;
  h.gSRInflowBottom = gSRInflowBase;
  h.VWPInterval = o.WindLevelStep;
  h.VWPAutoInterval = o.WindAutoSpacing;
  h.VWPAuto = o.WindAutoMode;
  h.chkWindDigital = BoxOf(o.chkWindDigital);
  h.ColorWinds = o.ColorWindsBySpeed;
  h.DigitalWinds = o.DigitalWindDirections;
  h.hsbRate = s.hsbRate;
  h.hsbDelay = s.hsbDelay;
  h.gMapWest = s.mapExtent.west;
  h.gMapNorth = s.mapExtent.north;
  h.gMapEast = s.mapExtent.east;
  h.gMapSouth = s.mapExtent.south;
  h.chkLayer2Layer = BoxOf(o.chkLayer2Layer);
  h.gWindowGeometry = gWindowGeometry;
  h.OmegaRange = o.OmegaRange;
  h.chkCapeShearHistory = s.chkCapeShearHistory;
  h.chkCapeShearVariability = s.chkCapeShearVariability;
  h.gOverlayAll = gOverlayAll;
  h.chkMapSelection = BoxOf(s.MapSelectionShown);
  for (size_t i = 0; i < h.chkMap.size(); ++i) h.chkMap[i] = BoxOf(s.chkMap[MapBoxOfFile(i)]);
  h.chkIndcyBar = s.chkIndcyBar;
  h.chkIndicyBox = s.chkIndicyBox;
  h.chkIndcyCircle = s.chkIndcyCircle;
  return h;
}

// The values of a history read, with the loading state raised. The lake
// temperature waits in SavedLakeF for its scroll bar, the panels of the last
// run in SavedRightPanel and SavedControlPanel.
void frmProfile::ApplyHistory(const saved::HistoryFile& h) {
  const LoadingStateGuard loading;
  ChartOptions o = chart_.opt;
  PanelSettings s = CapturePanelSettings();
  SavedLakeF = h.LakeTempF;
  o.PlainTMin = h.PlainTMin;
  o.PlainTMax = h.PlainTMax;
  o.SkewTMin = h.SkewTMin;
  o.SkewTMax = h.SkewTMax;
  gHistorySpare = h.gHistorySpare;
  gTempAxisBottom = h.gTempAxisBottom;
  gTempAxisSpan = h.gTempAxisSpan;
  gIndexThresholds = h.gIndexThresholds;
  IndexThresholdsChanged();
  SavedRightPanel = h.RestorePanel;
  SavedControlPanel = h.RestoreControlPage;
  o.chkLCL = h.chkLCL != 0;
  o.chkECAPE = h.chkECAPE != 0;
  o.chkLFC = h.chkLFC != 0;
  o.chkCCL = h.chkCCL != 0;
  o.chkEQL = h.chkEQL != 0;
  o.chkConvectiveTemp = h.chkConvectiveTemp != 0;
  o.chkParcel = h.chkParcel != 0;
  o.chkWBZ = h.chkWBZ != 0;
  o.chkCINS = h.chkCINS != 0;
  o.chkLakeIndex = h.chkLakeIndex != 0;
  o.chkMoistLakeIndex = h.chkMoistLakeIndex != 0;
  o.chkLIC = h.chkLIC != 0;
  gChartTop = h.gChartTop;
  o.chkLines = h.chkLines != 0;
  o.chkDryAdiabats = h.chkDryAdiabats != 0;
  o.chkRH = {h.chkRH[0] != 0, h.chkRH[1] != 0};
  o.chkFP = h.chkFP != 0;
  o.VerticalUnit = h.HeightScaleUnit;
  o.gXferIndex = h.gXferIndex;
  o.ChkOmega = h.ChkOmega != 0;
  o.gOmegaSmoothOn = h.gOmegaSmoothOn;
  o.chk10MWind = h.chk10MWind != 0;
  o.chkSnowGrowth = h.chkSnowGrowth != 0;
  o.chkHailGrowth = h.chkHailGrowth != 0;
  o.chksWSYMb = h.chksWSYMb != 0;
  o.chkMomentum = h.chkMomentum != 0;
  gLICAxisTop = h.gLICAxisTop;
  gVisAxisTop = h.gVisAxisTop;
  gVentAxisTop = h.gVentAxisTop;
  o.chkActiveReadout = h.chkActiveReadout != 0;
  o.ReadoutUnit = h.ReadoutUnit;
  o.chkSkewT = h.chkSkewT != 0;
  o.chkWindVector = h.chkWindVector != 0;
  SetThicknessView(h.PrecipByThickness);
  gSRInflowDepth = h.gSRInflowDepth;
  gSRInflowBase = h.gSRInflowBottom;
  o.WindLevelStep = h.VWPInterval;
  o.WindAutoSpacing = h.VWPAutoInterval;
  o.WindAutoMode = h.VWPAuto;
  o.chkWindDigital = h.chkWindDigital != 0;
  o.ColorWindsBySpeed = h.ColorWinds;
  o.DigitalWindDirections = h.DigitalWinds;
  s.hsbRate = h.hsbRate;
  s.hsbDelay = h.hsbDelay;
  s.mapExtent = {h.gMapWest, h.gMapNorth, h.gMapEast, h.gMapSouth};
  o.chkLayer2Layer = h.chkLayer2Layer != 0;
  gWindowGeometry = h.gWindowGeometry;
  o.OmegaRange = h.OmegaRange;
  s.chkCapeShearHistory = h.chkCapeShearHistory;
  s.chkCapeShearVariability = h.chkCapeShearVariability;
  gOverlayAll = h.gOverlayAll;
  s.MapSelectionShown = h.chkMapSelection != 0;
  for (size_t i = 0; i < h.chkMap.size(); ++i) s.chkMap[MapBoxOfFile(i)] = h.chkMap[i] != 0;
  s.chkIndcyBar = h.chkIndcyBar;
  s.chkIndicyBox = h.chkIndicyBox;
  s.chkIndcyCircle = h.chkIndcyCircle;
  SetChartOptions(o);
  ApplyPanelSettings(s);
}

// ReadHistory: the saved state of the last run, or the first run's values
// when there is no usable history.
void frmProfile::ReadHistory() {
  saved::HistoryFile current = CaptureHistory();
  current.LakeTempF = SavedLakeF;
  current.RestorePanel = SavedRightPanel;
  current.RestoreControlPage = SavedControlPanel;
  IndexThresholdTable defaults = gIndexThresholds;
  StoreDefaultIndexThresholds(defaults);
  const std::optional<std::string> text = ReadSavedFile(saved::kHistoryFileName);
  const saved::HistoryRead r = saved::ReadHistory(View(text), current, defaults);
  ApplyHistory(r.value);
  if (r.defaultsStep) {
    RightPanel = saved::kDefaultRightPanel;
    ControlPanel = saved::kDefaultControlPanel;
  }
}

// The history of this run; a save that fails has told the user and keeps
// the previous file.
bool frmProfile::WriteHistory() const { return WriteSavedFile(saved::kHistoryFileName, saved::WriteHistory(CaptureHistory())); }

// ---- display setups ----

saved::DisplaySetup frmProfile::CaptureSetup() const {
  const ChartOptions& o = chart_.opt;
  const PanelSettings s = CapturePanelSettings();
  saved::DisplaySetup u;
  u.chkWindVector = BoxOf(o.chkWindVector);
  u.ColorWinds = o.ColorWindsBySpeed;
  u.DigitalWinds = o.DigitalWindDirections;
  u.chkWindDigital = BoxOf(o.chkWindDigital);
  u.ChkOmega = BoxOf(o.ChkOmega);
  u.gOmegaSmoothOn = o.gOmegaSmoothOn;
  u.chk10MWind = BoxOf(o.chk10MWind);
  u.chkRH = {BoxOf(o.chkRH[0]), BoxOf(o.chkRH[1])};
  u.chkFP = BoxOf(o.chkFP);
  u.chkWetBulb = BoxOf(o.chkWetBulb);
  u.chkInversions = BoxOf(o.chkInversions);
  u.chkSnowGrowth = BoxOf(o.chkSnowGrowth);
  u.chkHailGrowth = BoxOf(o.chkHailGrowth);
  u.chksWSYMb = BoxOf(o.chksWSYMb);
  u.chkSkewT = BoxOf(o.chkSkewT);
  u.chkLines = BoxOf(o.chkLines);
  u.chkDryAdiabats = BoxOf(o.chkDryAdiabats);
  u.chkClouds = BoxOf(o.chkClouds);
  u.VWPInterval = o.WindLevelStep;
  u.VWPAutoInterval = o.WindAutoSpacing;
  u.VWPAuto = o.WindAutoMode;
  u.HeightScaleUnit = o.VerticalUnit;
  u.gXferIndex = o.gXferIndex;
  u.SkewTMin = o.SkewTMin;
  u.PlainTMin = o.PlainTMin;
  u.gChartTMin = gChartTMin;
  u.SkewTMax = o.SkewTMax;
  u.PlainTMax = o.PlainTMax;
  u.gChartTMax = gChartTMax;
  u.gChartTop = gChartTop;
  u.chkLakeIndex = BoxOf(o.chkLakeIndex);
  u.vsbLakeF = s.LakeTempF;
  u.chkMoistLakeIndex = BoxOf(o.chkMoistLakeIndex);
  u.chkLIC = BoxOf(o.chkLIC);
  u.chkLCL = BoxOf(o.chkLCL);
  u.chkECAPE = BoxOf(o.chkECAPE);
  u.chkCCL = BoxOf(o.chkCCL);
  u.chkConvectiveTemp = BoxOf(o.chkConvectiveTemp);
  u.chkWBZ = BoxOf(o.chkWBZ);
  u.chkLFC = BoxOf(o.chkLFC);
  u.chkEQL = BoxOf(o.chkEQL);
  u.chkParcel = BoxOf(o.chkParcel);
  u.chkCINS = BoxOf(o.chkCINS);
  u.ControlPanel = ControlPanel;
  for (size_t i = 0; i < u.chkAngle.size(); ++i) u.chkAngle[i] = BoxOf(s.chkAngle[i]);
  u.chkBrightBand = BoxOf(s.chkBrightBand);
  u.chkSigmaLevel = BoxOf(s.chkSigmaLevel);
  u.chkMeanFlow = BoxOf(s.chkMeanFlow);
  u.SigmaLevelPressure = PressureOfLevel(s.SigmaLevel);
  u.MeanFlowPressure = {PressureOfLevel(s.MeanFlowLevels[0]), PressureOfLevel(s.MeanFlowLevels[1])};
  u.RightPanel = RightPanel;
  u.chkActiveReadout = BoxOf(o.chkActiveReadout);
  u.ReadoutUnit = o.ReadoutUnit;
  u.chkIcing = BoxOf(o.chkIcing);
  u.chkMomentum = BoxOf(o.chkMomentum);
  u.PrecipByThickness = ShowThickness;
  u.gSRInflowDepth = gSRInflowDepth;
  u.gSRInflowBottom = gSRInflowBase;
  u.chkLayer2Layer = BoxOf(o.chkLayer2Layer);
  u.OmegaRange = o.OmegaRange;
  u.chkCapeShearHistory = s.chkCapeShearHistory;
  u.chkCapeShearVariability = s.chkCapeShearVariability;
  u.chkIndcyBar = s.chkIndcyBar;
  u.chkIndicyBox = s.chkIndicyBox;
  u.chkIndcyCircle = s.chkIndcyCircle;
  return u;
}

// A setup's values, in the order of the file, with the loading state raised;
// the redraw, the omega scale and the hodograph layer follow once the state
// is back to what it was.
void frmProfile::ApplySetup(const saved::DisplaySetup& u) {
  {
    const LoadingStateGuard loading;
    ChartOptions o = chart_.opt;
    PanelSettings s = CapturePanelSettings();
    o.chkWindVector = u.chkWindVector != 0;
    o.ColorWindsBySpeed = u.ColorWinds;
    o.DigitalWindDirections = u.DigitalWinds;
    o.chkWindDigital = u.chkWindDigital != 0;
    o.ChkOmega = u.ChkOmega != 0;
    o.gOmegaSmoothOn = u.gOmegaSmoothOn;
    o.chk10MWind = u.chk10MWind != 0;
    o.chkRH = {u.chkRH[0] != 0, u.chkRH[1] != 0};
    o.chkFP = u.chkFP != 0;
    o.chkWetBulb = u.chkWetBulb != 0;
    o.chkInversions = u.chkInversions != 0;
    o.chkSnowGrowth = u.chkSnowGrowth != 0;
    o.chkHailGrowth = u.chkHailGrowth != 0;
    o.chksWSYMb = u.chksWSYMb != 0;
    o.chkSkewT = u.chkSkewT != 0;
    o.chkLines = u.chkLines != 0;
    o.chkDryAdiabats = u.chkDryAdiabats != 0;
    o.chkClouds = u.chkClouds != 0;
    o.WindLevelStep = u.VWPInterval;
    o.WindAutoSpacing = u.VWPAutoInterval;
    o.WindAutoMode = u.VWPAuto;
    o.VerticalUnit = u.HeightScaleUnit;
    o.gXferIndex = u.gXferIndex;
    o.SkewTMin = u.SkewTMin;
    o.PlainTMin = u.PlainTMin;
    o.SkewTMax = u.SkewTMax;
    o.PlainTMax = u.PlainTMax;
    gChartTop = u.gChartTop;
    // The chart bottom follows the new top for the file loaded (none: it
    // stays as it is).
    if (FileLoaded && SetChartBottom()) SetProfileTopLevels();
    o.chkLakeIndex = u.chkLakeIndex != 0;
    s.LakeTempF = u.vsbLakeF;
    o.chkMoistLakeIndex = u.chkMoistLakeIndex != 0;
    o.chkLIC = u.chkLIC != 0;
    o.chkLCL = u.chkLCL != 0;
    o.chkECAPE = u.chkECAPE != 0;
    o.chkCCL = u.chkCCL != 0;
    o.chkConvectiveTemp = u.chkConvectiveTemp != 0;
    o.chkWBZ = u.chkWBZ != 0;
    o.chkLFC = u.chkLFC != 0;
    o.chkEQL = u.chkEQL != 0;
    o.chkParcel = u.chkParcel != 0;
    o.chkCINS = u.chkCINS != 0;
    for (size_t i = 0; i < u.chkAngle.size(); ++i) s.chkAngle[i] = u.chkAngle[i] != 0;
    s.chkBrightBand = u.chkBrightBand != 0;
    s.chkSigmaLevel = u.chkSigmaLevel != 0;
    s.chkMeanFlow = u.chkMeanFlow != 0;
    if (const auto l = LevelOfSavedPressure(u.SigmaLevelPressure)) s.SigmaLevel = *l;
    for (size_t i = 0; i < 2; ++i)
      if (const auto l = LevelOfSavedPressure(u.MeanFlowPressure[i])) s.MeanFlowLevels[i] = *l;
    o.chkActiveReadout = u.chkActiveReadout != 0;
    o.ReadoutUnit = u.ReadoutUnit;
    o.chkIcing = u.chkIcing != 0;
    o.chkMomentum = u.chkMomentum != 0;
    o.chkLayer2Layer = u.chkLayer2Layer != 0;
    o.OmegaRange = u.OmegaRange;
    s.chkCapeShearHistory = u.chkCapeShearHistory;
    s.chkCapeShearVariability = u.chkCapeShearVariability;
    s.chkIndcyBar = u.chkIndcyBar;
    s.chkIndicyBox = u.chkIndicyBox;
    s.chkIndcyCircle = u.chkIndcyCircle;
    SetChartOptions(o);
    // The pair in use as the setup saved it.
    gChartTMin = u.gChartTMin;
    gChartTMax = u.gChartTMax;
    ApplyPanelSettings(s);
    SetThicknessView(u.PrecipByThickness);
    if (pages_.Find(u.ControlPanel) != nullptr || u.ControlPanel == kNoControlPage) {
      ControlPanel = -1;  // so that the saved page opens even when it is the one shown
      btnControl_Click(u.ControlPanel);
    }
    if (panels_.Find(u.RightPanel) != nullptr) btnDisplay_Click(u.RightPanel);
  }
  DrawOmegaScale();
  ChooseHodoLayer(u.gSRInflowDepth, u.gSRInflowBottom);
  if (gLoadingState) return;
  DisplayHour();
  FocusHourBar();
}

bool frmProfile::btnSave_Click(int index) {
  const bool saved = WriteSavedFile(saved::SetupFileName(index), saved::WriteDisplaySetup(CaptureSetup()));
  FocusHourBar();
  return saved;
}

// A slot never saved, or a file too old or not a setup, changes nothing and
// draws nothing.
void frmProfile::btnRecall_Click(int index) {
  const std::optional<std::string> text = ReadSavedFile(saved::SetupFileName(index));
  const saved::ReadResult<saved::DisplaySetup> r = saved::ReadDisplaySetup(View(text), CaptureSetup());
  if (!r.Usable()) return;
  ApplySetup(r.value);
}

}  // namespace ondrik
