// What the side-panel benchmarks share: a widget application, a host that
// asks nothing of a window, and the ensemble sample file loaded with every
// dataset shown and overlaid.
#pragma once

#include <benchmark/benchmark.h>


#include <QWidget>

#include <string>

#include "bench/bench_app.h"
#include "chart/chart.h"
#include "core/reader.h"
#include "core/shared.h"
#include "panels/panel.h"
#include "core/thresholds.h"
#include "config/config.h"
#include "platform/pictureboxwidget.h"

namespace ondrik::bench {


class BenchHost : public PanelHost {
 public:
  Integer Hour() const override { return hour; }
  const ChartState& Chart() const override { return chart; }
  const Config& Settings() const override { return config; }
  void OpenTrainingLinks(const std::string&) override {}
  void FocusHourBar() override {}
  void RedrawChart() override {}
  void DisplayHour() override {}
  bool ThicknessView() const override { return thickness; }
  void SetThicknessView(bool on) override { thickness = on; }
  int TrailHours() const override { return 6; }

  Integer hour = 12;
  bool thickness = false;
  ChartState chart;
  Config config;
};

// The screen scales the panels are timed at (percent), as the README
// recommends them for common screens: the first argument of each run.
inline void AtScreenScales(benchmark::internal::Benchmark* b) {
  for (const int percent : {100, 175, 275}) b->Arg(percent);
}

// Every picture under the widget drawn at the run's screen scale, as a
// screen of that scale shows it (and drawn once so).
inline void ScalePictures(QWidget& w, const benchmark::State& state) {
  const double scale = state.range(0) / 100.0;
  for (PictureBoxWidget* p : w.findChildren<PictureBoxWidget*>()) {
    p->Pic().Resize(p->width(), p->height(), scale);
    if (p->onResize) p->onResize();
  }
}

inline bool LoadEnsemble(benchmark::State& state) {
  LoadOptions o;
  o.modelKey = "eta";
  o.srInflowDepth = 3;
  const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", o);
  if (!r.ok) {
    state.SkipWithError(r.message.c_str());
    return false;
  }
  gLoadingState = false;
  for (int d = 1; d <= kMaxDatasets; ++d) gDatasetShown(d) = d <= gDatasetCount;
  gOverlayAll = true;
  gCurDataset = 1;
  StoreDefaultIndexThresholds();
  return true;
}

}  // namespace ondrik::bench
