// Time of one full chart redraw: the ensemble sample file (8 datasets)
// overlaid, at the default picture size, with every overlay and check box on.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/windcolumn.h"
#include "core/reader.h"
#include "core/shared.h"

namespace ondrik {
namespace {

// The picture box needs a GUI application to measure and draw text; one for
// the whole run, on the offscreen platform.
void EnsureGuiApp() {
  static std::unique_ptr<QGuiApplication> app;
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "ondrik_bench";
  static char* argv[] = {name, nullptr};
  app = std::make_unique<QGuiApplication>(argc, argv);
}

ChartState EverythingOn() {
  ChartState s;
  s.chkSkewT = s.chkLines = s.chkDryAdiabats = s.chkClouds = s.chkLayer2Layer = true;
  s.chkRH = {true, true};
  s.chkInversions = s.chkWetBulb = s.chkIcing = s.chkFP = true;
  s.chkLakeIndex = s.chkLIC = s.chkMoistLakeIndex = true;
  s.chkLCL = s.chkLFC = s.chkEQL = s.chkWBZ = s.chkCCL = s.chkConvectiveTemp = true;
  s.chkParcel = s.chkCINS = s.chkMomentum = s.chkSnowGrowth = s.chkHailGrowth = true;
  s.chk10MWind = s.ChkOmega = s.chkWindVector = s.chkWindDigital = true;
  s.ColorWindsBySpeed = true;
  s.gXferIndex = 0;
  s.RightPanel = 5;  // Heavy Precip: the jet label too
  return s;
}

void BM_PlotProfileOverlay8(benchmark::State& state) {
  EnsureGuiApp();
  LoadOptions o;
  o.modelKey = "eta";
  const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", o);
  if (!r.ok) {
    state.SkipWithError(r.message.c_str());
    return;
  }
  gLoadingState = false;
  gOverlayAll = true;
  for (int d = 1; d <= gDatasetCount; ++d) gDatasetShown(d) = true;
  gCurDataset = 1;
  PictureBox pic(700, 600);
  pic.BackColor = 0;
  ChartState s = EverythingOn();
  s.CurHour = std::min(12, gLastHour(1));
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

BENCHMARK(ondrik::BM_PlotProfileOverlay8)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
