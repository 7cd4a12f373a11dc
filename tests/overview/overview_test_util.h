// The overview drawn without its window: a shipped profile file loaded, the
// frame set up as the window's load does, and the three pictures.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <filesystem>
#include <string>

#include "core/reader.h"
#include "core/shared.h"
#include "overview/plotdata.h"

namespace ondrik::testing {

inline Color Pixel(const PictureBox& pic, int x, int y) {
  const QRgb q = pic.Image().pixel(x, y);
  return RGB(qRed(q), qGreen(q), qBlue(q));
}

inline int CountColour(const PictureBox& pic, Color c) {
  int n = 0;
  for (int y = 0; y < pic.PixelHeight(); ++y)
    for (int x = 0; x < pic.PixelWidth(); ++x) n += Pixel(pic, x, y) == c;
  return n;
}

inline int CountNot(const PictureBox& pic, Color c) { return pic.PixelWidth() * pic.PixelHeight() - CountColour(pic, c); }

// Loads a profile file with a model's layout and sets the frame up as the
// window's load does; the caption as the profile window would give it.
inline bool LoadOverviewFile(const std::string& path, OverviewState& s, const std::string& caption,
                             const std::string& modelKey = "eta") {
  LoadOptions o;
  o.modelKey = modelKey;
  o.srInflowDepth = 3;
  const LoadResult r = LoadProfileFile(path, o);
  EXPECT_TRUE(r.ok) << r.message;
  if (!r.ok) return false;
  gLoadingState = false;
  gOverlayAll = false;
  gHourChangeSource = 0;
  for (int d = 0; d <= kMaxDatasets; ++d) gDatasetShown(d) = true;
  gCurDataset = 1;
  s.in.ProfileCaption = caption;
  s.in.WindowSteps = {24, 48, 60, 84};
  PrepareLogPressure(s);
  StartFrame(s);
  const int w = FirstCoveringWindow(s.in.WindowSteps, gLastHour(1));
  SetTimeWindow(s.frame, ColumnsOfWindow(static_cast<Single>(s.in.WindowSteps[static_cast<size_t>(w)]) * gHoursPerStep), 0);
  return true;
}

// A file of data/, read with its model's layout.
inline bool LoadShipped(const std::string& name, OverviewState& s, const std::string& caption) {
  const std::string key = name.rfind("GFS", 0) == 0 ? "gfs3" : name.rfind("RUC", 0) == 0 ? "ruc" : "eta";
  return LoadOverviewFile(std::string(ONDRIK_DATA_DIR) + "/" + name, s, caption, key);
}

struct OverviewPictures {
  PictureBox rh{857, 561}, left{60, 561}, right{60, 561}, time{857, 40};
  OverviewPictures() {
    for (PictureBox* p : {&rh, &left, &right}) {
      p->BackColor = kBlack;
      p->Cls();
    }
    time.BackColor = RGB(124, 54, 3);
    time.ForeColor = kWhite;
    time.Cls();
  }
  OverviewDraw Draw(OverviewState& s) { return {s, rh, left, right}; }
  // The four pictures side by side as the snapshot composes them, for looking at.
  void Save(const std::string& name) const {
    QImage all(left.PixelWidth() + rh.PixelWidth() + right.PixelWidth(), rh.PixelHeight() + time.PixelHeight(),
               QImage::Format_RGB32);
    all.fill(Qt::black);
    for (int y = 0; y < rh.PixelHeight(); ++y) {
      for (int x = 0; x < left.PixelWidth(); ++x) all.setPixel(x, y, left.Image().pixel(x, y));
      for (int x = 0; x < rh.PixelWidth(); ++x) all.setPixel(left.PixelWidth() + x, y, rh.Image().pixel(x, y));
      for (int x = 0; x < right.PixelWidth(); ++x)
        all.setPixel(left.PixelWidth() + rh.PixelWidth() + x, y, right.Image().pixel(x, y));
    }
    for (int y = 0; y < time.PixelHeight(); ++y)
      for (int x = 0; x < time.PixelWidth(); ++x) all.setPixel(left.PixelWidth() + x, rh.PixelHeight() + y, time.Image().pixel(x, y));
    std::filesystem::create_directories(ONDRIK_TEST_TMP);
    all.save(QString::fromStdString(std::string(ONDRIK_TEST_TMP) + "/" + name));
  }
};

}  // namespace ondrik::testing
