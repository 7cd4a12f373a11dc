// The overview drawn without its window: a shipped profile file loaded, the
// frame set up as the window's load does, and the three pictures.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/reader.h"
#include "core/shared.h"
#include "overview/axisticks.h"
#include "overview/controlrules.h"
#include "overview/plotdata.h"
#include "overview/timelabels.h"
#include "tests/common/text_check.h"

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

// The numbers the side pictures must show for the axes the ticked fields
// and strips use (one left strip: the first ticked of CAPE, surface
// pressure, ventilation and visibility), each as often as its axis labels
// it: those of picLeft and of picRight, every label whose value lies on
// its axis, and the "10 meter" row.
struct AxisNumbers {
  std::vector<Expected> left, right;
};
inline AxisNumbers ShownAxisNumbers(const OverviewState& s) {
  const auto ticked = [&](Axis a) {
    for (const OverviewRow& r : OverviewRows())
      if (r.axis == a && (r.kind == BoxKind::Field || r.kind == BoxKind::Strip) && s.opt.On(r.id)) return true;
    return false;
  };
  const auto add = [&](std::vector<Expected>& to, Axis a, const std::vector<AxisTick>& ticks) {
    const AxisRange r = RangeOf(s, a);
    for (const AxisTick& t : ticks) {
      const double at = (t.value - r.top) / (static_cast<double>(r.bottom) - r.top);
      if ((t.label.empty() && t.label2.empty()) || !(at >= -1e-4 && at <= 1 + 1e-4)) continue;
      AddExpected(to, t.label + t.label2);
    }
  };
  AxisNumbers n;
  const OverviewFrame& f = s.frame;
  if (ticked(Axis::Height)) {
    add(n.right, Axis::Height, HeightTicks(s.opt.VerticalUnit, f.LogPBottom, f.LogPSpan));
    if (s.opt.TenMeterBase != 0 && s.opt.On(kBoxVWP)) n.right.push_back({"10 meter"});
  }
  if (ticked(Axis::Direction)) add(n.left, Axis::Direction, DirectionTicks(f.DirSpan));
  if (ticked(Axis::Precip)) add(n.right, Axis::Precip, PrecipTicks(f.PrecipBottom, f.PrecipSpan));
  if (ticked(Axis::Index)) {
    // The labels of the strip that set the range, and under them those of
    // strips of another factor where they read otherwise.
    const IndexAxisLabels sets = IndexLabels(s.opt, f);
    const std::vector<AxisTick> own = IndexTicks(f.IndexBottom, f.IndexSpan, sets.first.factor);
    add(n.left, Axis::Index, own);
    if (sets.second) {
      std::vector<AxisTick> under;
      const std::vector<AxisTick> other = IndexTicks(f.IndexBottom, f.IndexSpan, sets.second->factor);
      for (size_t i = 0; i < other.size() && i < own.size(); ++i)
        if (other[i].label + other[i].label2 != own[i].label + own[i].label2) under.push_back(other[i]);
      add(n.left, Axis::Index, under);
    }
  }
  if (ticked(Axis::Temperature)) add(n.right, Axis::Temperature, TemperatureTicks(f.TempBottom, f.TempSpan));
  if (ticked(Axis::Cape))
    add(n.left, Axis::Cape, CapeTicks(gLICAxisTop));
  else if (ticked(Axis::SfcPres))
    add(n.left, Axis::SfcPres, SfcPresTicks(f.SfcPresBottom, f.SfcPresSpan));
  else if (ticked(Axis::Ventilation))
    add(n.left, Axis::Ventilation, VentilationTicks(gVentAxisTop));
  else if (ticked(Axis::Visibility))
    add(n.left, Axis::Visibility, VisibilityTicks(gVisAxisTop));
  return n;
}

// The labels the time axis prints: the UTC and local labels of every
// labelled hour of the time window up to the last hour.
inline std::vector<Expected> ShownTimeLabels(const OverviewState& s) {
  std::vector<Expected> labels;
  const Integer D = gCurDataset;
  if (D < 1 || D > gDatasetCount) return labels;
  const Integer step = TimeLabelStep(s.in.TimeLabelStep, s.in.ModelHourStep);
  const double from = std::min(s.frame.TimeLeft, s.frame.TimeRight), to = std::max(s.frame.TimeLeft, s.frame.TimeRight);
  for (int t = 0; t <= std::min<double>(gLastHour(D), to); t += step) {
    if (t < from) continue;
    AddExpected(labels, UtcTimeLabel(gValidTime(D, t)));
    AddExpected(labels, LocalTimeAxisLabel(gValidTime(D, t), gTZOffset));
  }
  return labels;
}

// Whether the local labels of every labelled hour, in the smallest face a
// blank apart, take no more than the stretch of the time axis picture (in
// the scale DrawTimeAxis gives it) from the first labelled hour to the
// last: then each can stand over its hour.
inline bool EveryTimeLabelFits(const PictureBox& picTime, const OverviewState& s) {
  double need = 0;
  for (const Expected& e : ShownTimeLabels(s))
    if (e.text.find('z') == std::string::npos) need += e.count * FloorWidthPx(picTime, e.text + " ");
  const Integer step = TimeLabelStep(s.in.TimeLabelStep, s.in.ModelHourStep);
  const double from = std::max(0.0, std::ceil(std::min<double>(s.frame.TimeLeft, s.frame.TimeRight) / step) * step);
  const double to = std::min<double>(gLastHour(gCurDataset), std::max<double>(s.frame.TimeLeft, s.frame.TimeRight));
  const double last = std::floor(to / step) * step;
  return need <= std::fabs(picTime.XToPixel(last) - picTime.XToPixel(from));
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
