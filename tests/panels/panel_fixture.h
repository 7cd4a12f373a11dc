// Side panels outside the window: a host that records what a panel asks of
// it, the shipped profile files loaded into the store, and the pictures
// saved where a developer can look at them.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/reader.h"
#include "core/shared.h"
#include "panels/panel.h"
#include "platform/picturebox.h"
#include "config/config.h"
#include "tests/control_lookup.h"

namespace ondrik::testing {

class FakeHost : public PanelHost {
 public:
  Integer Hour() const override { return hour; }
  const ChartState& Chart() const override { return chart; }
  const Config& Settings() const override { return config; }
  void OpenTrainingLinks(const std::string& topic) override { topics.push_back(topic); }
  void FocusHourBar() override { ++focus; }
  void RedrawChart() override { ++chartRedraws; }
  void DisplayHour() override { ++refreshes; }
  void HighlightChartLevel(Integer L) override { highlights.push_back(L); }
  void WindsEdited(bool finished) override { ++(finished ? windEditsDone : windEditsGoing); }
  bool ThicknessView() const override { return thickness; }
  void SetThicknessView(bool on) override { thickness = on; }
  int TrailHours() const override { return trail; }

  Integer hour = 0;
  ChartState chart;
  Config config;
  bool thickness = false;
  int trail = 6;
  std::vector<std::string> topics;
  int focus = 0, chartRedraws = 0, refreshes = 0;
  std::vector<Integer> highlights;  // levels marked on the chart
  int windEditsGoing = 0, windEditsDone = 0;
};

// Loads a shipped profile file (data/) as the window would for its model;
// every dataset is shown, the first is current, no overlay.
inline void LoadShipped(const std::string& file, Single srInflowDepth = 3) {
  LoadOptions o;
  const std::string model = file.substr(0, file.find('_'));
  o.modelKey = model == "RUC" ? "ruc" : model == "GFS" ? "gfs3" : "eta";
  o.timeLeftToRight = true;
  o.srInflowDepth = srInflowDepth;
  const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/" + file, o);
  ASSERT_TRUE(r.ok) << r.message;
  for (Integer d = 0; d <= kMaxDatasets; ++d) gDatasetShown(d) = d >= 1 && d <= gDatasetCount;
  gOverlayAll = false;
  gCurDataset = 1;
}

// The panels' design size: the square picture and the bar under it.
inline constexpr int kPanelPx = 238;

// Saves a picture as <test-tmp>/panels/<name>.png for looking at it.
inline void SavePng(const QImage& image, const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(ONDRIK_TEST_TMP) / "panels";
  std::filesystem::create_directories(dir);
  image.save(QString::fromStdString((dir / (name + ".png")).string()));
}

// Number of pixels of a colour (0x00BBGGRR) in a picture.
inline int PixelsOf(const QImage& img, Color c) {
  const QRgb want = ToQColor(c).rgb() & 0xFFFFFF;
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == want) ++n;
  return n;
}

// A test of one panel on a store of its own making: the store is cleared,
// `datasets` datasets of `hours` hours and 5 levels are made, all shown,
// dataset 1 current, and the panel's picture has the design size.
class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Store().Clear();
    gOverlayAll = false;
    gLoadingState = false;
    gElevatedLevel = 1;
  }
  void MakeDatasets(int datasets, int hours) {
    gDatasetCount = datasets;
    for (int d = 1; d <= datasets; ++d) {
      gNumLevels(d) = 5;
      gLastHour(d) = hours - 1;
      gDatasetShown(d) = true;
      for (int h = 0; h < hours; ++h) {
        gSfcPres(d, h) = 1000;
        for (int L = 1; L <= 5; ++L) {
          gPres(d, h, L) = 1000.0f - 100.0f * (L - 1);
          gHght(d, h, L) = 100.0f + 900.0f * (L - 1);
          gHghtAGL(d, h, L) = 900.0f * (L - 1);
        }
      }
    }
    gCurDataset = 1;
  }
  // Places the panel's picture and bar as the window does.
  void Place(SidePanel& p) {
    p.Widget()->setGeometry(0, 0, kPanelPx, kPanelPx);
    if (QWidget* bar = p.ButtonBar()) bar->setGeometry(0, kPanelPx + 2, kPanelPx, 20);
    parent.resize(kPanelPx, kPanelPx + 24);
    parent.show();  // the pictures take their size
  }
  FakeHost host;
  QWidget parent;
};

}  // namespace ondrik::testing
