// The profile window's saved state: the history read at start-up and
// written at the end of the run, and the display setups (F1 to F6, slot 9
// for the snapshot). The file formats are savedstate/; this file maps their
// values to the window: chart choices through ChartOptions, panel values
// through the panels' PanelSettings, and the module values.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/derived.h"
#include "core/guards.h"
#include "core/shared.h"
#include "core/shear.h"
#include "overview/state.h"
#include "core/thresholds.h"
#include "platform/savedfiles.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/paneltable.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/link.h"

namespace ondrik {

namespace {

// The history's spare value: read and written back, used by nothing.
Integer gHistorySpare = 0;

using saved::Link;
using saved::Way;

std::optional<std::string_view> View(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::string_view(*text);
}

// The chkMap boxes stand in the files from "Country" to "Canada", in the
// panel settings the other way round.
constexpr size_t MapBoxOfFile(size_t i) { return kMapLayerCount - 1 - i; }

// What the history and a display setup both hold of the chart options and
// the panel settings (the members have one name in both files); one list
// for writing and reading.
template <class File>
void LinkChartChoices(Way w, File& f, ChartOptions& o, PanelSettings& s) {
  Link(w, f.chkWindVector, o.chkWindVector);
  Link(w, f.ColorWinds, o.ColorWindsBySpeed);
  Link(w, f.DigitalWinds, o.DigitalWindDirections);
  Link(w, f.chkWindDigital, o.chkWindDigital);
  Link(w, f.ChkOmega, o.ChkOmega);
  Link(w, f.gOmegaSmoothOn, o.gOmegaSmoothOn);
  Link(w, f.chk10MWind, o.chk10MWind);
  Link(w, f.chkRH, o.chkRH);
  Link(w, f.chkFP, o.chkFP);
  Link(w, f.chkSnowGrowth, o.chkSnowGrowth);
  Link(w, f.chkHailGrowth, o.chkHailGrowth);
  Link(w, f.chksWSYMb, o.chksWSYMb);
  Link(w, f.chkSkewT, o.chkSkewT);
  Link(w, f.chkLines, o.chkLines);
  Link(w, f.chkDryAdiabats, o.chkDryAdiabats);
  Link(w, f.VWPInterval, o.WindLevelStep);
  Link(w, f.VWPAutoInterval, o.WindAutoSpacing);
  Link(w, f.VWPAuto, o.WindAutoMode);
  Link(w, f.HeightScaleUnit, o.VerticalUnit);
  Link(w, f.gXferIndex, o.gXferIndex);
  Link(w, f.SkewTMin, o.SkewTMin);
  Link(w, f.PlainTMin, o.PlainTMin);
  Link(w, f.SkewTMax, o.SkewTMax);
  Link(w, f.PlainTMax, o.PlainTMax);
  Link(w, f.gChartTop, gChartTop);
  Link(w, f.chkLakeIndex, o.chkLakeIndex);
  Link(w, f.chkMoistLakeIndex, o.chkMoistLakeIndex);
  Link(w, f.chkLIC, o.chkLIC);
  Link(w, f.chkLCL, o.chkLCL);
  Link(w, f.chkECAPE, o.chkECAPE);
  Link(w, f.chkCCL, o.chkCCL);
  Link(w, f.chkConvectiveTemp, o.chkConvectiveTemp);
  Link(w, f.chkWBZ, o.chkWBZ);
  Link(w, f.chkLFC, o.chkLFC);
  Link(w, f.chkEQL, o.chkEQL);
  Link(w, f.chkParcel, o.chkParcel);
  Link(w, f.chkCINS, o.chkCINS);
  Link(w, f.chkActiveReadout, o.chkActiveReadout);
  Link(w, f.ReadoutUnit, o.ReadoutUnit);
  Link(w, f.chkMomentum, o.chkMomentum);
  Link(w, f.chkLayer2Layer, o.chkLayer2Layer);
  Link(w, f.OmegaRange, o.OmegaRange);
  Link(w, f.chkCapeShearHistory, s.chkCapeShearHistory);
  Link(w, f.chkCapeShearVariability, s.chkCapeShearVariability);
  Link(w, f.chkIndcyBar, s.chkIndcyBar);
  Link(w, f.chkIndicyBox, s.chkIndicyBox);
  Link(w, f.chkIndcyCircle, s.chkIndcyCircle);
}

// What the history holds besides: the module values and more of the panel
// settings. The values with a step of their own (the lake temperature, the
// panels of the last run, the precipitation-type view) are the callers'.
void LinkHistory(Way w, saved::HistoryFile& h, ChartOptions& o, PanelSettings& s) {
  LinkChartChoices(w, h, o, s);
  Link(w, h.gHistorySpare, gHistorySpare);
  Link(w, h.gTempAxisBottom, gTempAxisBottom);
  Link(w, h.gTempAxisSpan, gTempAxisSpan);
  Link(w, h.gIndexThresholds, gIndexThresholds);
  Link(w, h.gLICAxisTop, gLICAxisTop);
  Link(w, h.gVisAxisTop, gVisAxisTop);
  Link(w, h.gVentAxisTop, gVentAxisTop);
  Link(w, h.gSRInflowDepth, gSRInflowDepth);
  Link(w, h.gSRInflowBottom, gSRInflowBase);
  Link(w, h.hsbRate, s.hsbRate);
  Link(w, h.hsbDelay, s.hsbDelay);
  Link(w, h.gMapWest, s.mapExtent.west);
  Link(w, h.gMapNorth, s.mapExtent.north);
  Link(w, h.gMapEast, s.mapExtent.east);
  Link(w, h.gMapSouth, s.mapExtent.south);
  Link(w, h.gWindowGeometry, gWindowGeometry);
  Link(w, h.gOverlayAll, gOverlayAll);
  Link(w, h.chkMapSelection, s.MapSelectionShown);
  for (size_t i = 0; i < h.chkMap.size(); ++i) Link(w, h.chkMap[i], s.chkMap[MapBoxOfFile(i)]);
}

// What a display setup holds besides. The level bars (held as pressures),
// the chart-temperature pair in use, the panels, the precipitation-type view
// and the hodograph layer are the callers'.
void LinkSetup(Way w, saved::DisplaySetup& u, ChartOptions& o, PanelSettings& s) {
  LinkChartChoices(w, u, o, s);
  Link(w, u.chkWetBulb, o.chkWetBulb);
  Link(w, u.chkInversions, o.chkInversions);
  Link(w, u.chkClouds, o.chkClouds);
  Link(w, u.vsbLakeF, s.LakeTempF);
  Link(w, u.chkAngle, s.chkAngle);
  Link(w, u.chkBrightBand, s.chkBrightBand);
  Link(w, u.chkSigmaLevel, s.chkSigmaLevel);
  Link(w, u.chkMeanFlow, s.chkMeanFlow);
  Link(w, u.chkIcing, o.chkIcing);
}

}  // namespace

// ---- level bars held as pressures ----

// Without a loaded file a level is held as its number.
Single frmProfile::PressureOfLevel(Integer level) const {
  return FileLoaded ? saved::PressureOfLevel(level) : static_cast<Single>(level);
}

std::optional<Integer> frmProfile::LevelOfSavedPressure(Single p) const {
  if (!FileLoaded) return std::nullopt;
  return saved::LevelOfSavedPressure(p);
}

// ---- the hodograph layer ----

// Sets the layer through the hodograph's buttons, so that the buttons, the
// layer's levels and helicity and the overview's caption agree, whether or
// not a caller has raised the loading state (the batch recalls its setups
// so); the bound that the other one would block goes first. Nothing is drawn.
void frmProfile::ChooseHodoLayer(Single top, Single bottom) {
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
  ChartOptions o = chart_.opt;
  PanelSettings s = CapturePanelSettings();
  saved::HistoryFile h;
  LinkHistory(Way::ToFile, h, o, s);
  h.LakeTempF = s.LakeTempF;
  h.RestorePanel = RightPanel;
  h.RestoreControlPage = ControlPanel;
  h.PrecipByThickness = ShowThickness;
  return h;
}

// The values of a history read, with the loading state raised. The lake
// temperature waits in SavedLakeF for its scroll bar, the panels of the last
// run in SavedRightPanel and SavedControlPanel.
void frmProfile::ApplyHistory(const saved::HistoryFile& h) {
  const LoadingStateGuard loading;
  ChartOptions o = chart_.opt;
  PanelSettings s = CapturePanelSettings();
  saved::HistoryFile file = h;
  LinkHistory(Way::FromFile, file, o, s);
  IndexThresholdsChanged();
  SavedLakeF = h.LakeTempF;
  SavedRightPanel = h.RestorePanel;
  SavedControlPanel = h.RestoreControlPage;
  SetThicknessView(h.PrecipByThickness);
  SetChartOptions(o);
  ApplyPanelSettings(s);
  SetBold(btnEnsemble, gOverlayAll);
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
  ChartOptions o = chart_.opt;
  PanelSettings s = CapturePanelSettings();
  saved::DisplaySetup u;
  LinkSetup(Way::ToFile, u, o, s);
  u.gChartTMin = gChartTMin;
  u.gChartTMax = gChartTMax;
  u.ControlPanel = ControlPanel;
  u.SigmaLevelPressure = PressureOfLevel(s.SigmaLevel);
  u.MeanFlowPressure = {PressureOfLevel(s.MeanFlowLevels[0]), PressureOfLevel(s.MeanFlowLevels[1])};
  u.RightPanel = RightPanel;
  u.PrecipByThickness = ShowThickness;
  u.gSRInflowDepth = gSRInflowDepth;
  u.gSRInflowBottom = gSRInflowBase;
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
    saved::DisplaySetup file = u;
    LinkSetup(Way::FromFile, file, o, s);
    // The chart bottom follows the new top for the file loaded (none: it
    // stays as it is).
    if (FileLoaded && SetChartBottom()) SetProfileTopLevels();
    if (const auto l = LevelOfSavedPressure(u.SigmaLevelPressure)) s.SigmaLevel = *l;
    for (size_t i = 0; i < 2; ++i)
      if (const auto l = LevelOfSavedPressure(u.MeanFlowPressure[i])) s.MeanFlowLevels[i] = *l;
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
    if (panels_.Find(u.RightPanel) != nullptr) ShowPanelAgain(u.RightPanel);
  }
  DrawOmegaScale();
  ChooseHodoLayer(u.gSRInflowDepth, u.gSRInflowBottom);
  if (gLoadingState) return;
  DisplayHour();
  // The overview shows the layer, the transfer step and the chart choices
  // it shares.
  RedrawOverview();
  FocusHourBar();
}

bool frmProfile::btnSave_Click(int index) {
  const std::string name = saved::SetupFileName(index), text = saved::WriteDisplaySetup(CaptureSetup());
  const bool saved = index == saved::kScratchSlot ? WriteScratchFile(name, text) : WriteSavedFile(name, text);
  FocusHourBar();
  return saved;
}

// A slot never saved, or a file too old or not a setup, changes nothing and
// draws nothing. The scratch slot gives back what this window saved.
void frmProfile::btnRecall_Click(int index) {
  const std::string name = saved::SetupFileName(index);
  const std::optional<std::string> text = index == saved::kScratchSlot ? ReadScratchFile(name) : ReadSavedFile(name);
  const saved::ReadResult<saved::DisplaySetup> r = saved::ReadDisplaySetup(View(text), CaptureSetup());
  if (!r.Usable()) return;
  ApplySetup(r.value);
}

}  // namespace ondrik
