// Time of one full chart redraw: the ensemble sample file, its first member
// alone or all 8 datasets overlaid, at the default picture size drawn on
// screens scaled by 1, 1.75 and 2.75, with every overlay and check box on.
#include <benchmark/benchmark.h>

#include "bench/bench_app.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/windcolumn.h"
#include "core/reader.h"
#include "core/shared.h"
#include "panels/heavyprecip.h"

namespace ondrik {
namespace {

// With the Heavy Precip panel shown the chart labels the jet too.
struct JetMarks : ChartEvents {
  ChartMarks MarksFor(Integer D, Integer H) override { return LowLevelJetMark(D, H); }
};

ChartState EverythingOn() {
  ChartState s;
  s.opt.chkSkewT = s.opt.chkLines = s.opt.chkDryAdiabats = s.opt.chkClouds = s.opt.chkLayer2Layer = true;
  s.opt.chkRH = {true, true};
  s.opt.chkInversions = s.opt.chkWetBulb = s.opt.chkIcing = s.opt.chkFP = true;
  s.opt.chkLakeIndex = s.opt.chkLIC = s.opt.chkMoistLakeIndex = true;
  s.opt.chkLCL = s.opt.chkLFC = s.opt.chkEQL = s.opt.chkWBZ = s.opt.chkCCL = s.opt.chkConvectiveTemp = true;
  s.opt.chkParcel = s.opt.chkCINS = s.opt.chkMomentum = s.opt.chkSnowGrowth = s.opt.chkHailGrowth = true;
  s.opt.chk10MWind = s.opt.ChkOmega = s.opt.chkWindVector = s.opt.chkWindDigital = true;
  s.opt.ColorWindsBySpeed = true;
  s.opt.gXferIndex = 0;
  return s;
}

// The boxes a first start shows ticked: heights, wind vectors and speeds.
ChartState FirstRunBoxes() {
  ChartState s;
  s.opt.chkLines = s.opt.chkWindVector = s.opt.chkWindDigital = true;
  return s;
}

// Arguments: the datasets drawn (1 or 8), the screen's scale in
// hundredths, and the boxes ticked (1 every one, 0 those of a first start).
void BM_PlotProfile(benchmark::State& state) {
  bench::EnsureApp();
  LoadOptions o;
  o.modelKey = "eta";
  const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", o);
  if (!r.ok) {
    state.SkipWithError(r.message.c_str());
    return;
  }
  gLoadingState = false;
  gOverlayAll = state.range(0) > 1;
  for (int d = 1; d <= gDatasetCount; ++d) gDatasetShown(d) = true;
  gCurDataset = 1;
  PictureBox pic(700, 600);
  pic.Resize(700, 600, state.range(1) / 100.0);
  pic.BackColor = 0;
  ChartState s = state.range(2) != 0 ? EverythingOn() : FirstRunBoxes();
  JetMarks jet;
  s.events = &jet;
  s.in.CurHour = std::min(12, gLastHour(1));
  PlotProfile(pic, s);  // results computed on demand are cached from here on
  // ONDRIK_BENCH_PNG=<path> keeps a copy of the measured chart to look at.
  if (const char* out = std::getenv("ONDRIK_BENCH_PNG")) pic.Image().save(QString::fromLocal8Bit(out));
  for (auto _ : state) {
    PlotProfile(pic, s);
    benchmark::DoNotOptimize(pic.Image().constBits());
  }
  gOverlayAll = false;
}

}  // namespace
}  // namespace ondrik

BENCHMARK(ondrik::BM_PlotProfile)
    ->ArgsProduct({{1, 8}, {100, 175, 275}, {1, 0}})
    ->ArgNames({"datasets", "scale%", "every box"})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
