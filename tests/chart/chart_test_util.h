// Test helpers shared by the chart tests: reading pixels and putting the
// chart's module state back to an empty store with the default bounds.
#pragma once

#include <QImage>

#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/shared.h"
#include "core/store.h"

namespace ondrik::testing {

// Colour of a pixel of the picture.
inline Color At(const PictureBox& pic, int x, int y) {
  const QRgb q = pic.Image().pixel(x, y);
  return RGB(qRed(q), qGreen(q), qBlue(q));
}

// No file loaded (no titles), every dataset shown, overlay off, chart 100..1050 mb and
// -40..40 deg C, parcels from the surface.
inline void ResetChartGlobals() {
  gLoadingState = false;
  gOverlayAll = false;
  for (int d = 0; d <= kMaxDatasets; ++d) {
    gDatasetShown(d) = true;
    gLastHour(d) = 0;
    gNumLevels(d) = 0;
    gTopLevel(d) = 0;
    gDatasetTitle(d).clear();
    gDatasetLabel(d).clear();
  }
  gDatasetCount = 0;
  gHourChangeSource = 0;
  gChartTop = 100;
  gChartBottom = 1050;
  gChartTMin = -40;
  gChartTMax = 40;
  gElevatedLevel = 1;
}

// Chart events as a test sees them: what was drawn, focused and handed over.
struct RecordingEvents : ChartEvents {
  std::vector<Integer> drawn;
  int focus = 0;
  std::vector<std::string> topics;
  bool takeClicks = false;  // a side panel that takes the next chart click
  int clicksTaken = 0;
  void OpenTrainingLinks(const std::string& t) override { topics.push_back(t); }
  void FocusHourBar() override { ++focus; }
  void DatasetDrawn(Integer d) override { drawn.push_back(d); }
  bool TakeChartClick() override {
    if (!takeClicks) return false;
    takeClicks = false;
    ++clicksTaken;
    return true;
  }
};

}  // namespace ondrik::testing
