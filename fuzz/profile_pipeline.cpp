// A profile file taken all the way: loaded as the profile window loads it,
// every computation the displays ask for run for every dataset, hour and
// level, then one full chart redraw with every overlay and every dataset on
// and one move of the mouse over it, then one overview redraw with every
// field and strip ticked.
//
// Input: byte 0 chooses the model of the shipped configuration (and so the
// key and options of the load), byte 1 the chart's buttons (and the
// overview's grid and options), byte 2 the hour and the mouse's height; the
// rest is the profile file. Nothing computed or drawn for a file that loaded
// may throw or index out of range (also where the chart or the overview
// skips a step that does).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>

#include "chart/chart.h"
#include "chart/cursor.h"
#include "chart/windcolumn.h"
#include "core/ccl.h"
#include "core/derived.h"
#include "core/guards.h"
#include "core/levels.h"
#include "core/mbe.h"
#include "core/parcels.h"
#include "core/preciptype.h"
#include "core/reader.h"
#include "core/shared.h"
#include "core/shear.h"
#include "core/store.h"
#include "fuzz/fuzz_gui.h"
#include "fuzz/fuzz_support.h"
#include "overview/plotdata.h"
#include "panels/heavyprecip.h"
#include "config/config.h"
#include "profilewindow/models.h"
#include "profilewindow/timezone.h"

namespace ondrik {
namespace {

// The load's effects on the window: the time-zone table as the window
// applies it; every dataset is shown.
class WindowUi : public NoLoadUi {
 public:
  explicit WindowUi(int summerHour) : summerHour_(summerHour) {}
  Integer GetTimeZoneOffset(Single lat, Single lon) override {
    return TimeZoneOffsetFor(gTZRecords, lat, lon, summerHour_, gTZRow);
  }
  void DatasetsChanged() override {
    for (Integer d = 1; d <= kMaxDatasets; ++d) gDatasetShown(d) = d <= gDatasetCount;
  }

 private:
  int summerHour_;
};

// With the Heavy Precip panel shown the chart marks the jet too.
struct JetMarks : ChartEvents {
  ChartMarks MarksFor(Integer D, Integer H) override { return LowLevelJetMark(D, H); }
};

struct Setup {
  Config cfg;
  ChartState chart;
};

Setup& Started() {
  static Setup* setup = [] {
    fuzz::EnsureGuiApp();
    fuzz::QuietEffects();
    auto* s = new Setup;
    const std::string data = ONDRIK_DATA_DIR;
    ConfigResult r = ReadConfigFile(data + "/Ondrik.cfg", data);
    FUZZ_CHECK(r.ok && r.config.ModelCount > 0, "the shipped configuration does not read: " + r.message);
    s->cfg = r.config;
    ReadTimeZoneFile(data + "/TimeZone.DAT");
    // What the window's start-up takes from the configuration.
    gTZConfigOffset = s->cfg.gTZConfigOffset;
    ChartState& c = s->chart;
    c.in.HighlightIsothermCount = std::min<int>(s->cfg.HighlightIsothermCount, kMaxHighlightIsotherms);
    for (int i = 0; i < c.in.HighlightIsothermCount; ++i)
      c.in.HighlightIsotherms[static_cast<std::size_t>(i + 1)] = s->cfg.HighlightIsotherms[static_cast<std::size_t>(i)];
    c.in.LakeLevelPres = s->cfg.gLakeLevel1Pres;
    c.in.LakeIndexPres = s->cfg.gLakeIndexPres;
    c.in.LakeIndexDiff = s->cfg.gLakeIndexDiff;
    c.opt.gOmegaSmoothOn = s->cfg.gOmegaSmoothOn;
    return s;
  }();
  return *setup;
}

// Every check box and overlay of the chart on; the buttons from `choice`.
void EverythingOn(ChartOptions& o, std::uint8_t choice) {
  o.chkLines = o.chkDryAdiabats = o.chkClouds = o.chkLayer2Layer = true;
  o.chkRH = {true, true};
  o.chkInversions = o.chkWetBulb = o.chkIcing = o.chkFP = true;
  o.chkLakeIndex = o.chkLIC = o.chkMoistLakeIndex = true;
  o.chkLCL = o.chkLFC = o.chkEQL = o.chkWBZ = o.chkCCL = o.chkConvectiveTemp = true;
  o.chkParcel = o.chkCINS = o.chkMomentum = o.chkSnowGrowth = o.chkHailGrowth = true;
  o.chk10MWind = o.ChkOmega = o.chkWindVector = o.chkWindDigital = true;
  o.chkActiveReadout = o.chkECAPE = true;
  o.chkSkewT = (choice & 1) != 0;
  o.chksWSYMb = (choice & 2) != 0;
  o.WindAutoMode = (choice & 4) != 0;
  o.ColorWindsBySpeed = (choice & 8) != 0;
  o.DigitalWindDirections = (choice & 16) != 0;
  o.VerticalUnit = (choice >> 5) % 3;
  o.ReadoutUnit = (choice >> 5) % 3;
  o.gXferIndex = (choice >> 3) % 4;
  o.WindLevelStep = 1 + (choice >> 6) % 3;
  o.WindAutoSpacing = 1 + (choice >> 4) % 3;
}

// Runs f(d, h) for every hour of every dataset, with d current.
template <typename F>
void EveryHour(F&& f) {
  for (Integer d = 1; d <= gDatasetCount; ++d) {
    const CurrentDatasetGuard current(d);
    for (Integer h = 0; h <= gLastHour(d); ++h) f(d, h);
  }
}

// Every computation the displays ask for on demand.
void ComputeEverything() {
  for (Integer option : {kShearSixKm, kShearOneKm, kShearEffective})
    EveryHour([&](Integer d, Integer h) { ComputeBulkShear(d, h, option); });
  EveryHour([](Integer, Integer h) { ComputeSRHelicity(h); });
  EveryHour([](Integer d, Integer h) {
    ComputeMBEVectors(d, h, 0, false);
    ComputeMBEVectors(d, h, 3, false);
    ComputeMBEVectors(d, h, 0, true);
  });
  const Single lakeTemp = gLakeTempC;
  gLakeTempC = 12.0f;
  EveryHour([](Integer, Integer h) { LiftSurfaceParcel(h); });
  gLakeTempC = lakeTemp;
  EveryHour([](Integer, Integer h) {
    LiftSurfaceParcel(h);
    ComputeLayerCapes(h);
  });
  EveryHour([](Integer d, Integer h) {
    for (Integer l0 = 1; l0 <= gNumLevels(d); ++l0) ComputeEffectiveParcels(d, h, l0);
  });
  EveryHour([](Integer d, Integer h) {
    for (Integer x = 0; x <= 3; ++x) MixingTopLevel(d, h, x);
    for (int km = 0; km <= 16; ++km) LevelOfHeight(h, static_cast<Single>(km));
    for (int p = 1050; p >= 50; p -= 50) {
      const Single sp = static_cast<Single>(p);
      TempAtPressure(h, sp);
      DewpointAtPressure(h, sp);
      InterpolateToPressure(h, sp);
      InterpH(h, sp);
    }
    for (Integer i = 0; i <= gNumLevels(d) + 1; ++i) InterpolateP(h, i, -20.0f);
    LowLevelJetMark(d, h);
  });
  for (Integer d = 1; d <= gDatasetCount; ++d) {
    const CurrentDatasetGuard current(d);
    ComputeTQIndex();
    FindWarmCloudTop();
    ComputeWarmCloudDepth();
    MakeThickness();
    SmoothOmega();
  }
  const Integer elevated = gElevatedLevel;
  gElevatedLevel = 4;
  DecidePrecipType();
  gElevatedLevel = elevated;
  DecidePrecipType();
}

// The overview as its window opens it on the file: the frame from the
// loaded datasets, the first time window that covers the forecast, every
// field and strip ticked, one grid and the options from `choice`.
void PlotOverview(const Setup& setup, const ModelState& model, std::uint8_t choice, Integer hour) {
  OverviewState s;
  s.in.ProfileCaption = model.gModelName + " FUZZ";
  s.in.HourValue = hour;
  s.in.ModelIndex = model.gModelIndex;
  s.in.InversionDT = model.params.gInversionDT;
  s.in.IsothermDT = model.params.gIsothermDT;
  s.in.IsothermMinDPD = model.params.gIsothermMinDepression;
  s.in.OmegaSmoothOn = setup.cfg.gOmegaSmoothOn;
  s.in.Now = gValidTime(1, 0);
  PrepareLogPressure(s);
  StartFrame(s);
  const int w = FirstCoveringWindow(s.in.WindowSteps, gLastHour(gCurDataset));
  SetTimeWindow(s.frame,
                ColumnsOfWindow(static_cast<Single>(s.in.WindowSteps[static_cast<std::size_t>(w)]) * HoursPerStep()), 0);
  OverviewOptions& o = s.opt;
  int grid = 0;
  for (const OverviewRow& r : OverviewRows()) {
    int& box = o.box[static_cast<std::size_t>(r.id)];
    if (r.kind == BoxKind::Field || r.kind == BoxKind::Strip || r.kind == BoxKind::Toggle) box = 1;
    if (r.kind == BoxKind::Grid) box = grid++ == choice % 6 ? 1 : 0;
  }
  o.VerticalUnit = (choice >> 5) % 3;
  o.ContourIntervalIndex = (choice >> 3) % 4;
  o.ContourInterval = ContourIntervalOfIndex(o.ContourIntervalIndex);
  o.TenMeterBase = (choice & 1) != 0 ? -1 : 0;
  o.CloudShadeMode = (choice & 2) != 0 ? -1 : 0;
  o.WindColorIndex = (choice >> 2) % 4;
  o.HainesLevel = 1 + choice % 3;
  o.SnowTechnique = (choice >> 4) % 4;
  o.VWPAuto = (choice & 4) != 0 ? -1 : 0;
  o.LayerShearOption = {(choice & 8) == 0, (choice & 8) != 0};
  o.CapeLineOn.fill(true);
  o.HeightLineOn.fill(true);
  PictureBox rh(300, 200), left(40, 200), right(40, 200), time(300, 30);
  OverviewDraw d{s, rh, left, right};
  PlotData(d);
  DrawTimeAxis(time, s);
}

}  // namespace
}  // namespace ondrik

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  if (size < 3) return 0;
  Setup& setup = Started();
  fuzz::QuietEffects();

  ModelState model;
  SelectModel(setup.cfg, data[0] % setup.cfg.ModelCount, model);
  const LoadOptions options = LoadOptionsFor(setup.cfg, model, false, gSRInflowDepth);
  const std::string path = fuzz::WriteInputFile(model.gModelName + "_FUZZ.ond", data + 3, size - 3);
  WindowUi ui(setup.cfg.gTZConfigOffset);
  const LoadResult r = LoadProfileFile(path, options, ui);
  if (!r.ok) return 0;

  ChartState s = setup.chart;
  EverythingOn(s.opt, data[1]);
  s.in.FileLoaded = true;
  s.in.gInversionDT = model.params.gInversionDT;
  s.in.gIsothermDT = model.params.gIsothermDT;
  s.in.gIsothermMinDepression = model.params.gIsothermMinDepression;
  JetMarks jet;
  s.events = &jet;
  // The hour bar runs to the last hour of the dataset read last.
  s.in.CurHour = data[2] % (gLastHour(gDatasetCount) + 1);
  gOverlayAll = true;
  fuzz::gSubscriptErrors = 0;
  try {
    ComputeEverything();
    PictureBox pic(700, 600), omega(90, 600);
    PlotProfile(pic, s);
    DrawOmegaScale(omega, s);
    const double p = gChartTop + (gChartBottom - gChartTop) * (data[2] / 255.0);
    picData_MouseMove(pic, s, 0, 0, 50, std::log(std::max(p, 1.0)));
    PlotOverview(setup, model, data[1], s.in.CurHour);
  } catch (const std::exception& e) {
    FUZZ_CHECK(false, std::string("a loaded file cannot be computed or drawn: ") + e.what());
  }
  gOverlayAll = false;
  FUZZ_CHECK(fuzz::gSubscriptErrors == 0, "a subscript out of range (" + fuzz::gLastSubscriptError +
                                              ") in the computations, the chart or the overview, hour " +
                                              std::to_string(s.in.CurHour));
  return 0;
}
