// Time of one draw of the hodograph, indices and CAPE-shear panels and the
// KORVAN page at their default sizes on screens of the README's scales, the ensemble sample file (8 datasets)
// overlaid, stepping through the hours as the loop or the wheel does. The
// "Fresh" runs compute every result of the hour again before each draw, as
// the first visit of an hour does.
#include <benchmark/benchmark.h>

#include "bench/panel_bench_util.h"

#include <QApplication>
#include <QWidget>

#include <memory>
#include <string>

#include "core/reader.h"
#include "core/shared.h"
#include "panels/capeshear.h"
#include "panels/hodograph.h"
#include "panels/indices.h"
#include "panels/stormmatrix.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "config/config.h"

namespace ondrik {
namespace {

[[maybe_unused]] const bool kWidgetsApp = [] {
  bench::EnsureApp();
  return true;
}();

using bench::BenchHost;
using bench::LoadEnsemble;

// Clears what the panels compute for an hour of every dataset.
void ForgetHour(Integer H) {
  for (Integer d = 1; d <= gDatasetCount; ++d) {
    gHelicityDone(d, H) = 0;
    gLayerCapeDone(d, H) = false;
    gBulkShearDone(d, H) = false;
    MatrixPageDone(d, H) = 0;
    gTQIndexDone(d) = false;
  }
}

template <typename Panel>
void RunPanel(benchmark::State& state, int width, int height, bool fresh, void (*prepare)(QWidget&)) {
  if (!LoadEnsemble(state)) return;
  BenchHost host;
  QWidget parent;
  parent.resize(width + 10, height + 40);
  Panel panel(host, &parent);
  panel.Widget()->setGeometry(0, 0, width, height);
  if (QWidget* bar = panel.ButtonBar()) bar->setGeometry(0, height, width, 22);
  parent.show();
  bench::ScalePictures(parent, state);
  if (prepare != nullptr) prepare(parent);
  const Integer hours = gLastHour(1) + 1;
  Integer h = 0;
  for (auto _ : state) {
    host.hour = h;
    if (fresh) ForgetHour(h);
    panel.Draw();
    h = (h + 1) % hours;
  }
}

void EveryIndicesBox(QWidget& w) {
  for (CheckBox* b : w.findChildren<CheckBox*>()) b->SetValue(1);
}

void BM_Hodograph(benchmark::State& s) { RunPanel<HodographPanel>(s, 238, 238, false, nullptr); }
void BM_HodographFresh(benchmark::State& s) { RunPanel<HodographPanel>(s, 238, 238, true, nullptr); }
void BM_Indices(benchmark::State& s) { RunPanel<IndicesPanel>(s, 238, 238, false, EveryIndicesBox); }
void BM_IndicesFresh(benchmark::State& s) { RunPanel<IndicesPanel>(s, 238, 238, true, EveryIndicesBox); }
void BM_CapeShear(benchmark::State& s) { RunPanel<CapeShearPanel>(s, 238, 238, false, EveryIndicesBox); }
void BM_CapeShearFresh(benchmark::State& s) { RunPanel<CapeShearPanel>(s, 238, 238, true, EveryIndicesBox); }
void BM_StormMatrix(benchmark::State& s) { RunPanel<StormMatrixPage>(s, 602, 82, false, nullptr); }
void BM_StormMatrixFresh(benchmark::State& s) { RunPanel<StormMatrixPage>(s, 602, 82, true, nullptr); }

BENCHMARK(BM_Hodograph)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HodographFresh)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Indices)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndicesFresh)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CapeShear)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CapeShearFresh)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StormMatrix)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StormMatrixFresh)->Apply(bench::AtScreenScales)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ondrik
