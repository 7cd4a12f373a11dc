// Time of one draw of each side panel of the precipitation and fog group at
// its design size on screens of the README's scales, with the ensemble
// sample file's 8 datasets overlaid, stepping through the hours; with the
// share of the hours whose draw took longer than the goal.
#include <benchmark/benchmark.h>

#include "bench/panel_bench_util.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/reader.h"
#include "core/shared.h"
#include "panels/datatable.h"
#include "panels/fog.h"
#include "panels/heavyprecip.h"
#include "panels/lakeeffect.h"
#include "panels/lapserates.h"
#include "panels/preciptype.h"
#include "core/thresholds.h"
#include "config/config.h"

namespace ondrik {
namespace {

[[maybe_unused]] const bool kApp = [] {
  bench::EnsureApp();
  return true;
}();

using bench::BenchHost;
using bench::LoadEnsemble;

// What one draw of a side panel may take as the hours step.
constexpr std::chrono::microseconds kGoal{2000};

using Make = std::function<std::unique_ptr<SidePanel>(PanelHost&, QWidget*)>;

void DrawPanel(benchmark::State& state, const Make& make, bool thickness = false) {
  if (!LoadEnsemble(state)) return;
  BenchHost host;
  host.thickness = thickness;
  QWidget parent;
  parent.resize(240, 264);
  std::unique_ptr<SidePanel> p = make(host, &parent);
  p->Widget()->setGeometry(0, 0, 238, 238);
  parent.show();
  bench::ScalePictures(parent, state);
  // Every hour drawn once: results computed on demand are there from now
  // on; then through the hours as the loop steps them.
  const Integer hours = gLastHour(1) + 1;
  for (host.hour = 0; host.hour < hours; ++host.hour) p->Draw();
  Integer h = 0;
  std::int64_t overGoal = 0;
  for (auto _ : state) {
    host.hour = h;
    const auto start = std::chrono::steady_clock::now();
    p->Draw();
    overGoal += std::chrono::steady_clock::now() - start > kGoal;
    h = (h + 1) % hours;
  }
  // The share of the hours stepped to whose draw took longer than the goal.
  const auto draws = std::max<std::int64_t>(1, static_cast<std::int64_t>(state.iterations()));
  state.counters["overGoal"] = static_cast<double>(overGoal) / static_cast<double>(draws);
}

template <typename P>
Make Maker() {
  return [](PanelHost& h, QWidget* w) -> std::unique_ptr<SidePanel> { return std::make_unique<P>(h, w); };
}

void BM_PrecipTypeEnergy(benchmark::State& s) { DrawPanel(s, Maker<PrecipTypePanel>()); }
void BM_PrecipTypeThickness(benchmark::State& s) { DrawPanel(s, Maker<PrecipTypePanel>(), true); }
void BM_HeavyPrecip(benchmark::State& s) { DrawPanel(s, Maker<HeavyPrecipPanel>()); }
void BM_Fog(benchmark::State& s) { DrawPanel(s, Maker<FogPanel>()); }
void BM_DataTable(benchmark::State& s) { DrawPanel(s, Maker<DataTablePanel>()); }
void BM_LapseRates(benchmark::State& s) { DrawPanel(s, Maker<LapseRatesPanel>()); }
void BM_LakeEffectPage(benchmark::State& s) { DrawPanel(s, Maker<LakeEffectPage>()); }

BENCHMARK(BM_PrecipTypeEnergy)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrecipTypeThickness)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeavyPrecip)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fog)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataTable)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LapseRates)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LakeEffectPage)->Apply(bench::AtScreenScales)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ondrik
