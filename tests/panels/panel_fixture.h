// Side panels drawn without the window: a PanelHost that records what a
// panel asks of it, a parent widget of the panels' design size, and the
// shipped profile files loaded as the window loads them.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/reader.h"
#include "core/shared.h"
#include "panels/panel.h"
#include "platform/picturebox.h"
#include "profilewindow/config.h"

namespace ondrik::testing {

class FakeHost : public PanelHost {
 public:
  Integer hour = 0;
  ChartState chart;
  Config cfg;
  bool thickness = false;
  int trail = 6;
  std::vector<std::string> topics;
  int displayHours = 0, chartRedraws = 0, focus = 0;

  Integer Hour() const override { return hour; }
  const ChartState& Chart() const override { return chart; }
  const Config& Settings() const override { return cfg; }
  void OpenTrainingLinks(const std::string& topic) override { topics.push_back(topic); }
  void FocusHourBar() override { ++focus; }
  void RedrawChart() override { ++chartRedraws; }
  void DisplayHour() override { ++displayHours; }
  bool ThicknessView() const override { return thickness; }
  void SetThicknessView(bool on) override { thickness = on; }
  int TrailHours() const override { return trail; }
};

// A control by its object name; a missing one fails the test.
template <typename T>
T* Ctl(const QWidget& w, const QString& name) {
  T* c = w.findChild<T*>(name);
  if (c == nullptr) {
    ADD_FAILURE() << "no control " << name.toStdString();
    throw std::runtime_error("no control " + name.toStdString());
  }
  return c;
}

// Model key of a shipped file by its name.
inline std::string ModelKeyOf(const std::string& file) {
  if (file.rfind("RUC", 0) == 0) return "ruc";
  if (file.rfind("GFS", 0) == 0) return "gfs3";
  return "eta";
}

// Loads a shipped file into the profile store with every dataset shown and
// the first one current; false (with a test failure) when it cannot be read.
inline bool LoadShipped(const std::string& file, bool overlayAll = false) {
  LoadOptions o;
  o.modelKey = ModelKeyOf(file);
  const LoadResult r = LoadProfileFile((std::filesystem::path(ONDRIK_DATA_DIR) / file).string(), o);
  EXPECT_TRUE(r.ok) << file << ": " << r.message;
  if (!r.ok) return false;
  for (int d = 1; d <= kMaxDatasets; ++d) gDatasetShown(d) = d <= gDatasetCount;
  gCurDataset = 1;
  gOverlayAll = overlayAll;
  return true;
}

// The panels' design size: the square picture and the bar under it.
inline constexpr int kPanelPx = 238;

// Pixels of an image with exactly this colour.
inline int PixelsOf(const QImage& img, Color c) {
  const QRgb want = qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                         static_cast<int>((c >> 16) & 0xFF));
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) ++n;
  return n;
}

// Where looked-at pictures go.
inline std::string ShotPath(const std::string& name) {
  std::filesystem::create_directories(ONDRIK_TEST_TMP);
  return (std::filesystem::path(ONDRIK_TEST_TMP) / name).string();
}

}  // namespace ondrik::testing

namespace ondrik::testing {

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
