// The chart frame: entry guards, the dataset overlay, the two coordinate
// systems, the background lines in the three vertical units, isotherms, dry
// adiabats, the ground and elevated-base boxes, eRGB and ellipse.
//
// Positions are checked against pixels computed here from the chart bounds:
// x_px = (x - x1) / (x2 - x1) * W, y_px = (ln p - ln top) / (ln bottom - ln top) * H.
#include "chart/chart.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/labels.h"
#include "core/levels.h"
#include "core/shared.h"
#include "tests/core/sounding.h"
#include "tests/chart/chart_test_util.h"
#include "tests/common/text_check.h"

namespace ondrik {
namespace {

using testing::At;

using testing::Level;
using testing::SetSounding;

constexpr Color kGrey127 = RGB(127, 127, 127);
constexpr Color kGrey191 = RGB(191, 191, 191);
constexpr Color kAdiabat = RGB(64, 128, 128);
constexpr Color kGround = RGB(124, 54, 0);
constexpr Color kElevated = RGB(97, 54, 0);

// A mid-latitude sounding whose lowest level is the surface at sfc mb.
std::vector<Level> Sounding(float sfc) {
  static const Level upper[] = {
      {950, 17, 12, 200, 10, 540},   {900, 14, 9, 220, 15, 990},   {850, 11, 5, 230, 20, 1460},
      {800, 8, 1, 240, 25, 1950},    {750, 5, -3, 245, 30, 2470},  {700, 2, -8, 250, 35, 3010},
      {600, -5, -18, 255, 40, 4200}, {500, -15, -30, 260, 50, 5570}, {400, -27, -40, 260, 60, 7190},
      {300, -42, -52, 265, 70, 9160}, {250, -50, -60, 265, 75, 10360}, {200, -56, -66, 270, 70, 11790},
      {150, -58, -70, 270, 55, 13610}, {100, -60, -75, 270, 40, 16180}};
  std::vector<Level> v;
  v.push_back({sfc, 20 + (sfc - 1000) * 0.06f, 15, 180, 5, 110 - (sfc - 1000) * 8});
  for (const Level& L : upper)
    if (L.p < sfc) v.push_back(L);
  return v;
}

// Pressures at whole thousands of feet and kilometres above the surface of
// the dataset's first hour, as the loader leaves them for the chart.
void FillHeightTables(int d) {
  const double z0 = StdHeightFtOfPressure(gSfcPres(d, 0));
  for (int i = 0; i <= 70; ++i)
    if (i <= 20 || i % 5 == 0)
      gPresAtKft(i) = static_cast<Integer>(std::lround(StdPressureOfFeet(static_cast<Single>(z0 + 1000.0 * i))));
  for (int k = 0; k <= 20; ++k)
    gPresAtKm(k) = static_cast<Integer>(std::lround(StdPressureOfFeet(static_cast<Single>(z0 + 3281.0 * k))));
}

int CountRow(const PictureBox& pic, int y, Color c) {
  if (y < 0 || y >= pic.PixelHeight()) return 0;
  int n = 0;
  for (int x = 0; x < pic.PixelWidth(); ++x) n += At(pic, x, y) == c;
  return n;
}

int CountColumn(const PictureBox& pic, int x, int y0, int y1, Color c) {
  int n = 0;
  for (int y = std::max(0, y0); y <= std::min(y1, pic.PixelHeight() - 1); ++y) n += At(pic, x, y) == c;
  return n;
}

int CountAll(const PictureBox& pic, Color c) {
  int n = 0;
  for (int y = 0; y < pic.PixelHeight(); ++y) n += CountRow(pic, y, c);
  return n;
}

// Rows in which at least a fifth of the pixels have colour c: full-width lines.
int FullRows(const PictureBox& pic, Color c) {
  int n = 0;
  for (int y = 0; y < pic.PixelHeight(); ++y) n += CountRow(pic, y, c) >= pic.PixelWidth() / 5;
  return n;
}

bool Near(const PictureBox& pic, double px, double py, Color c, int r) {
  const int cx = static_cast<int>(std::lround(px)), cy = static_cast<int>(std::lround(py));
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if (x >= 0 && y >= 0 && x < pic.PixelWidth() && y < pic.PixelHeight() && At(pic, x, y) == c)
        return true;
  return false;
}

class ChartFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetChartGlobals();
    pic.BackColor = kBlack;
    s.events = &events;
  }

  // Datasets 1..count with hours 0..lastHour; dataset 1 current.
  void Load(int count, int lastHour, float sfc = 1000) {
    for (int d = 1; d <= count; ++d)
      for (int h = 0; h <= lastHour; ++h) SetSounding(d, h, Sounding(sfc));
    gCurDataset = 1;
    FillHeightTables(1);
  }

  double RowOf(double p) const {
    return (std::log(p) - std::log(static_cast<double>(gChartTop))) /
           (std::log(static_cast<double>(DrawnChartBottom(s))) - std::log(static_cast<double>(gChartTop))) *
           pic.PixelHeight();
  }
  double ColOf(double t) const {
    return (t - gChartTMin) / static_cast<double>(gChartTMax - gChartTMin) * pic.PixelWidth();
  }
  // Pixels of colour c on the row of pressure p (one row either side allowed).
  int OnLine(double p, Color c) const {
    const int r = static_cast<int>(std::lround(RowOf(p)));
    return std::max({CountRow(pic, r - 1, c), CountRow(pic, r, c), CountRow(pic, r + 1, c)});
  }
  int IsothermPixels(double t, double pBottom) const {
    const int x = static_cast<int>(std::lround(ColOf(t)));
    const int y0 = static_cast<int>(RowOf(gChartTop)) + 2, y1 = static_cast<int>(RowOf(pBottom)) - 2;
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx) n = std::max(n, CountColumn(pic, x + dx, y0, y1, kBlue));
    return n;
  }

  PictureBox pic{400, 400};
  ChartState s;
  testing::RecordingEvents events;
  std::vector<Integer>& drawn = events.drawn;
};

TEST_F(ChartFrameTest, EntryGuardsLeaveOrClearThePicture) {
  Load(1, 3);
  const int& focus = events.focus;

  // While controls are being loaded the chart is left exactly as it was.
  pic.Image().fill(QColor(255, 0, 0));
  gLoadingState = true;
  PlotProfile(pic, s);
  EXPECT_EQ(CountAll(pic, kRed), 400 * 400);
  EXPECT_TRUE(drawn.empty());
  gLoadingState = false;

  // An hour the current dataset does not have: nothing drawn, not even cleared.
  s.in.CurHour = 4;
  PlotProfile(pic, s);
  EXPECT_EQ(CountAll(pic, kRed), 400 * 400);
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(focus, 0);

  // A normal redraw: cleared, dataset drawn, focus handed to the hour bar.
  s.in.CurHour = 3;
  PlotProfile(pic, s);
  EXPECT_EQ(CountAll(pic, kRed), 0);
  EXPECT_EQ(drawn, std::vector<Integer>{1});
  EXPECT_EQ(focus, 1);
  // An hour change from the overview keeps the focus where it is.
  gHourChangeSource = 2;
  PlotProfile(pic, s);
  EXPECT_EQ(focus, 1);
  gHourChangeSource = 0;

  // No file loaded: the chart is cleared and nothing else happens.
  drawn.clear();
  pic.Image().fill(QColor(255, 0, 0));
  gDatasetCount = 0;
  PlotProfile(pic, s);
  EXPECT_EQ(CountAll(pic, kBlack), 400 * 400);
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(focus, 1);

  // Bounds the chart cannot stand on (a chart top of 0 mb) clear it too.
  gDatasetCount = 1;
  gChartTop = 0;
  pic.Image().fill(QColor(255, 0, 0));
  EXPECT_NO_THROW(PlotProfile(pic, s));
  EXPECT_EQ(CountAll(pic, kBlack), 400 * 400);
}

TEST_F(ChartFrameTest, OverlayDrawsShownDatasetsWithTheCurrentOneLast) {
  Load(4, 5);
  gCurDataset = 2;
  gOverlayAll = true;
  s.cursor.ElevSketchDrawn = true;
  PlotProfile(pic, s);
  EXPECT_EQ(drawn, (std::vector<Integer>{1, 3, 4, 2}));
  EXPECT_EQ(gCurDataset, 2);
  EXPECT_EQ(s.draw.ShownDataset, 2);
  EXPECT_FALSE(s.cursor.ElevSketchDrawn);

  // The last dataset as the current one keeps the natural order.
  drawn.clear();
  gCurDataset = 4;
  PlotProfile(pic, s);
  EXPECT_EQ(drawn, (std::vector<Integer>{1, 2, 3, 4}));

  // Without the overlay only the current dataset.
  drawn.clear();
  gOverlayAll = false;
  gCurDataset = 3;
  PlotProfile(pic, s);
  EXPECT_EQ(drawn, std::vector<Integer>{3});

  // An unchecked dataset is skipped; so is one without the hour, and one
  // whose surface pressure is no pressure.
  drawn.clear();
  gOverlayAll = true;
  gCurDataset = 2;
  gDatasetShown(3) = false;
  gLastHour(4) = 1;
  s.in.CurHour = 3;
  PlotProfile(pic, s);
  EXPECT_EQ(drawn, (std::vector<Integer>{1, 2}));
  drawn.clear();
  gSfcPres(1, 3) = 0;
  EXPECT_NO_THROW(PlotProfile(pic, s));
  EXPECT_EQ(drawn, std::vector<Integer>{2});
  EXPECT_EQ(gCurDataset, 2);

  // Overlay off and the current dataset unchecked: only a cleared chart.
  drawn.clear();
  gOverlayAll = false;
  gDatasetShown(2) = false;
  pic.Image().fill(QColor(255, 0, 0));
  PlotProfile(pic, s);
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(CountAll(pic, kBlack), 400 * 400);
  EXPECT_EQ(gCurDataset, 2);
}

TEST_F(ChartFrameTest, IsothermsAndLinesLandWhereTheScaleSays) {
  Load(1, 0);
  s.opt.VerticalUnit = 0;
  s.opt.chkLines = true;

  // Plain chart: isotherms every 10 degrees (range 80), vertical.
  PlotProfile(pic, s);
  EXPECT_FLOAT_EQ(s.draw.SkewFactor, 0.0f);
  EXPECT_NEAR(s.draw.LnSurfacePres, std::log(1000.0), 1e-5);
  EXPECT_GT(IsothermPixels(-20, 1000), 40);
  EXPECT_GT(IsothermPixels(30, 1000), 40);
  EXPECT_EQ(IsothermPixels(-15, 1000), 0);
  EXPECT_GE(OnLine(500, kGrey191), 80);
  EXPECT_GE(OnLine(150, kGrey127), 80);
  EXPECT_EQ(OnLine(850, kGrey127), 0);  // with a top under 200 mb only 150 is darker
  // The ground below the surface, the temperature tick just under it.
  EXPECT_EQ(At(pic, 135, 395), kGround);
  EXPECT_TRUE(Near(pic, ColOf(-20), RowOf(1000) + 3, kWhite, 1));

  // Skewed: 150 degrees per factor 100 of pressure above the surface.
  s.opt.chkSkewT = true;
  PlotProfile(pic, s);
  const double k = 150 / std::log(100.0);
  EXPECT_NEAR(s.draw.SkewFactor, k, 1e-4);
  EXPECT_TRUE(Near(pic, ColOf(0 + k * std::log(1000.0 / 500)), RowOf(500), kBlue, 2));
  EXPECT_TRUE(Near(pic, ColOf(-30 + k * std::log(1000.0 / 300)), RowOf(300), kBlue, 2));
  EXPECT_TRUE(Near(pic, ColOf(-30 + k * std::log(1000.0 / 700)), RowOf(700), kBlue, 2));
  // Where the plain isotherm of -30 would pass at 500 mb there is none.
  EXPECT_FALSE(Near(pic, ColOf(-30), RowOf(500), kBlue, 3));
  // The background lines do not lean.
  EXPECT_GE(OnLine(500, kGrey191), 80);

  // Extra isotherms in cyan, leaning with the others; a count beyond the
  // table is held to the table.
  s.opt.chkSkewT = false;
  s.in.HighlightIsotherms[1] = -7;
  s.in.HighlightIsotherms[2] = 12;
  s.in.HighlightIsothermCount = 30;
  EXPECT_NO_THROW(PlotProfile(pic, s));
  const int x7 = static_cast<int>(std::lround(ColOf(-7)));
  EXPECT_GT(CountColumn(pic, x7, static_cast<int>(RowOf(150)), static_cast<int>(RowOf(950)), kCyan), 40);
  const int x12 = static_cast<int>(std::lround(ColOf(12)));
  EXPECT_GT(CountColumn(pic, x12, static_cast<int>(RowOf(150)), static_cast<int>(RowOf(950)), kCyan), 40);
}

TEST_F(ChartFrameTest, TemperatureStepFollowsTheRange) {
  Load(1, 0);
  gChartTMin = -40;
  gChartTMax = 4;  // range 44: every 5 degrees
  PlotProfile(pic, s);
  EXPECT_GT(IsothermPixels(-35, 1000), 40);
  EXPECT_GT(IsothermPixels(-30, 1000), 40);
  gChartTMax = 5;  // range 45: every 10 degrees
  PlotProfile(pic, s);
  EXPECT_EQ(IsothermPixels(-35, 1000), 0);
  EXPECT_GT(IsothermPixels(-30, 1000), 40);
}

TEST_F(ChartFrameTest, PressureAndHeightLinesInTheThreeUnits) {
  Load(1, 0, 1040);
  s.opt.chkLines = true;

  // Pressure, top 100 mb: the darker line only at 150, the lighter ones at
  // 1000, 900, ... 100.
  s.opt.VerticalUnit = 0;
  gChartTop = 100;
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey127), 1);
  EXPECT_GE(OnLine(150, kGrey127), 80);
  EXPECT_EQ(FullRows(pic, kGrey191), 10);
  EXPECT_GE(OnLine(1000, kGrey191), 80);
  EXPECT_GE(OnLine(100, kGrey191), 80);

  // Top 250 mb: darker at 950, 850, ... 250, lighter at 1000 ... 300.
  gChartTop = 250;
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey127), 8);
  EXPECT_GE(OnLine(950, kGrey127), 80);
  EXPECT_GE(OnLine(250, kGrey127), 80);
  EXPECT_EQ(FullRows(pic, kGrey191), 8);
  EXPECT_GE(OnLine(300, kGrey191), 80);

  // Without "Heights" only ticks at x 5..7 and labels from x 8.5.
  s.opt.chkLines = false;
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey191), 0);
  EXPECT_GT(CountRow(pic, static_cast<int>(std::lround(RowOf(500))), kGrey191), 0);
  int outside = 0;
  // (Above the temperature numbers, which stand up from the ground where
  // its band is too thin for them.)
  for (int y = 0; y < RowOf(1040) - 2 * pic.TextHeightPx("9"); ++y)
    for (int x = 0; x < 400; ++x)
      if (x < 19 || x > 120) outside += At(pic, x, y) == kGrey191 || At(pic, x, y) == kGrey127;
  EXPECT_EQ(outside, 0);
  s.opt.chkLines = true;

  // Feet with a chart top of about 25,500 ft: only 5, 10, 15, 20, 25.
  s.opt.VerticalUnit = 1;
  gChartTop = static_cast<Integer>(StdPressureOfFeet(25500));
  ASSERT_EQ(static_cast<int>(StdHeightFtOfPressure(static_cast<Single>(gChartTop))) / 1000, 25);
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey191), 5);
  EXPECT_EQ(FullRows(pic, kGrey127), 0);  // (antialiased labels may hold a pixel of it)
  for (int i = 5; i <= 25; i += 5) EXPECT_GE(OnLine(gPresAtKft(i), kGrey191), 80) << i;

  // Up to 20,000 ft the other thousands are drawn darker: 15,500 ft gives
  // 1..14 without 5 and 10 darker, 5, 10, 15 lighter.
  gChartTop = static_cast<Integer>(StdPressureOfFeet(15500));
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey127), 12);
  EXPECT_EQ(FullRows(pic, kGrey191), 3);
  EXPECT_GE(OnLine(gPresAtKft(14), kGrey127), 80);

  // Kilometres: 25,500 ft is 7 whole km.
  s.opt.VerticalUnit = 2;
  gChartTop = static_cast<Integer>(StdPressureOfFeet(25500));
  PlotProfile(pic, s);
  EXPECT_EQ(FullRows(pic, kGrey191), 7);
  EXPECT_GE(OnLine(gPresAtKm(3), kGrey191), 80);

  // A table entry that is no pressure is left out, the others are drawn.
  gPresAtKm(3) = 0;
  EXPECT_NO_THROW(PlotProfile(pic, s));
  EXPECT_EQ(FullRows(pic, kGrey191), 6);

  EXPECT_EQ(ChartNumber(950), " 950 ");
  EXPECT_EQ(ChartNumber(-40), "-40 ");
  EXPECT_EQ(ChartNumber(0), " 0 ");
}

TEST_F(ChartFrameTest, BackgroundIsDrawnOnceFromTheShownDataset) {
  gChartBottom = 1100;
  SetSounding(1, 0, Sounding(1040));
  SetSounding(2, 0, Sounding(1000));
  SetSounding(3, 0, Sounding(1000));
  gDatasetCount = 2;
  FillHeightTables(1);
  s.opt.VerticalUnit = 0;
  s.opt.chkLines = true;
  gOverlayAll = true;

  // Two datasets: the exclusive-or lines are drawn once and stay visible.
  gCurDataset = 2;
  PlotProfile(pic, s);
  EXPECT_EQ(drawn, (std::vector<Integer>{1, 2}));
  EXPECT_GE(OnLine(500, kGrey191), 80);
  EXPECT_GE(OnLine(150, kGrey127), 80);
  gDatasetCount = 3;
  PlotProfile(pic, s);
  EXPECT_GE(OnLine(500, kGrey191), 80);

  // The ground is the shown dataset's: with dataset 1 (1040 mb) shown, the
  // layer between 1000 and 1040 mb of dataset 2 stays open.
  gDatasetCount = 2;
  gCurDataset = 1;
  PlotProfile(pic, s);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(1020)))), kBlack);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(1070)))), kGround);
  gCurDataset = 2;
  PlotProfile(pic, s);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(1020)))), kGround);

  // Elevated base: level 3 of the shown dataset (900 mb) down to its surface.
  s.opt.chkLines = false;
  gElevatedLevel = 3;
  PlotProfile(pic, s);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(975)))), kElevated);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(880)))), kBlack);
  gElevatedLevel = 1;
  PlotProfile(pic, s);
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(975)))), kBlack);
  // A base level beyond the profile (or the store) draws no box.
  gElevatedLevel = 99;
  EXPECT_NO_THROW(PlotProfile(pic, s));
  EXPECT_EQ(At(pic, 135, static_cast<int>(std::lround(RowOf(975)))), kBlack);
}

TEST_F(ChartFrameTest, DryAdiabatsKeepThePotentialTemperature) {
  Load(1, 0);
  PlotProfile(pic, s);
  EXPECT_EQ(CountAll(pic, kAdiabat), 0);

  s.opt.chkDryAdiabats = true;
  PlotProfile(pic, s);
  EXPECT_GT(CountAll(pic, kAdiabat), 200);
  // 20 degC at 1000 mb is (293.16 K) * 0.7^(2/7) - 273.16 = -8.40 degC at 700 mb.
  const double t700 = 293.16 * std::pow(0.7, 2.0 / 7.0) - 273.16;
  EXPECT_NEAR(t700, -8.40, 0.01);
  EXPECT_TRUE(Near(pic, ColOf(t700), RowOf(700), kAdiabat, 2));
  EXPECT_TRUE(Near(pic, ColOf(20), RowOf(995), kAdiabat, 2));
  // They end at 700 mb.
  int above = 0;
  for (int y = 0; y < static_cast<int>(RowOf(700)) - 2; ++y) above += CountRow(pic, y, kAdiabat);
  EXPECT_EQ(above, 0);

  // Skewed, the same adiabat at 700 mb is shifted by the skew of 700 mb.
  s.opt.chkSkewT = true;
  PlotProfile(pic, s);
  const double k = 150 / std::log(100.0);
  EXPECT_TRUE(Near(pic, ColOf(t700 + k * std::log(1000.0 / 700)), RowOf(700), kAdiabat, 2));
}

TEST(ChartDrawing, eRGBDimsOtherDatasetsAndEllipseFollowsTheScale) {
  ChartState s;
  s.draw.ShownDataset = 2;
  gCurDataset = 2;
  EXPECT_EQ(eRGB(s, 255, 127, 1), RGB(255, 127, 1));
  gCurDataset = 1;
  EXPECT_EQ(eRGB(s, 255, 127, 1), RGB(127, 63, 0));
  EXPECT_EQ(eRGB(s, 0, 127, 255), RGB(0, 63, 127));

  // 200 x 100 pixels over 100 x 100 units: one x unit is 2 px, one y unit 1 px.
  PictureBox pic(200, 100);
  pic.BackColor = kBlack;
  pic.ForeColor = kWhite;
  auto bounds = [&](int& x0, int& x1, int& y0, int& y1) {
    x0 = y0 = 1 << 20;
    x1 = y1 = -1;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x)
        if (At(pic, x, y) == kWhite) {
          x0 = std::min(x0, x);
          x1 = std::max(x1, x);
          y0 = std::min(y0, y);
          y1 = std::max(y1, y);
        }
  };
  int x0, x1, y0, y1;
  for (bool upwards : {false, true}) {
    SCOPED_TRACE(upwards ? "y upwards" : "y downwards");
    if (upwards) pic.Scale(0, 100, 100, 0);
    else pic.Scale(0, 0, 100, 100);
    pic.Cls();
    ellipse(pic, 50, 50, 0, 10);
    ellipse(pic, 50, 50, 10, -1);
    ellipse(pic, 50, 50, 10, 0);
    EXPECT_EQ(CountAll(pic, kWhite), 0);

    // w 10 units = 20 px, h 20 units = 20 px: a circle of 20 px radius.
    ellipse(pic, 50, 50, 10, 20);
    bounds(x0, x1, y0, y1);
    EXPECT_NEAR(x0, 80, 1);
    EXPECT_NEAR(x1, 120, 1);
    EXPECT_NEAR(y0, 30, 1);
    EXPECT_NEAR(y1, 70, 1);
    EXPECT_EQ(At(pic, 100, 50), kBlack);  // not filled

    // Tall: w 5 units = 10 px, h 30 units = 30 px.
    pic.Cls();
    ellipse(pic, 50, 50, 5, 30);
    bounds(x0, x1, y0, y1);
    EXPECT_NEAR(x0, 90, 1);
    EXPECT_NEAR(x1, 110, 1);
    EXPECT_NEAR(y0, 20, 1);
    EXPECT_NEAR(y1, 80, 1);

    // Wide: w 40 units = 80 px, h 10 units = 10 px.
    pic.Cls();
    ellipse(pic, 50, 50, 40, 10);
    bounds(x0, x1, y0, y1);
    EXPECT_NEAR(x0, 20, 1);
    EXPECT_NEAR(x1, 180, 1);
    EXPECT_NEAR(y0, 40, 1);
    EXPECT_NEAR(y1, 60, 1);
  }
}

// Renders the skewed frame of a hand-made sounding in the three vertical
// units side by side, to look at: build/test-tmp/chart_frame.png.
TEST_F(ChartFrameTest, RenderSkewedFrameInTheThreeUnits) {
  Load(1, 0, 1000);
  gChartTop = 100;
  gChartBottom = 1096;  // 4 % of the ln-p span below the surface, as after a load
  gElevatedLevel = 3;
  s.opt.chkSkewT = true;
  s.opt.chkLines = true;
  s.opt.chkDryAdiabats = true;
  s.in.HighlightIsotherms[1] = 0;
  s.in.HighlightIsotherms[2] = -12;
  s.in.HighlightIsotherms[3] = -18;
  s.in.HighlightIsothermCount = 3;

  PictureBox chart(480, 600);
  chart.BackColor = kBlack;
  QImage sheet(3 * 480 + 20, 600, QImage::Format_RGB32);
  sheet.fill(QColor(64, 64, 64));
  QPainter painter(&sheet);
  for (int unit = 0; unit < 3; ++unit) {
    s.opt.VerticalUnit = unit;
    PlotProfile(chart, s);
    EXPECT_GT(CountAll(chart, kBlue), 500);
    EXPECT_GT(CountAll(chart, kAdiabat), 200);
    EXPECT_GT(CountAll(chart, kGround), 1000);
    painter.drawImage(unit * 490, 0, chart.Image());
  }
  painter.end();
  QDir().mkpath(ONDRIK_TEST_TMP);
  const QString path = QString(ONDRIK_TEST_TMP) + "/chart_frame.png";
  EXPECT_TRUE(sheet.save(path, "PNG"));
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

// The temperature labels under the surface line need a tick and a line of
// text: the chart goes down until they fit, and only then; the user's bound
// stays as it was.
TEST(ChartLabels, TheGroundBandMakesRoomForTheTemperatureLabels) {
  testing::ResetChartGlobals();
  for (int h = 0; h <= 2; ++h) SetSounding(1, h, Sounding(1000));
  gCurDataset = 1;
  gDatasetCount = 1;
  gLastHour(1) = 2;
  gChartTop = 295;
  MaxSfcPres = 1000;
  struct Case {
    int heightPx;
    Integer bottom;
    bool lowered;
  } cases[] = {{330, 1049, true}, {400, 1049, true}, {900, 1049, false}, {330, 1200, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.heightPx << " px, bottom " << c.bottom);
    PictureBox pic(400, c.heightPx);
    gChartBottom = c.bottom;
    const Integer bottom = ChartBottomFor(pic, 0);
    EXPECT_EQ(bottom > c.bottom, c.lowered);
    EXPECT_EQ(gChartBottom, c.bottom);
    pic.Scale(0.0, std::log(295.0), 100.0, std::log(static_cast<double>(bottom)));
    const double textPx = std::fabs(pic.TextHeight("9") * pic.PixelHeight() / pic.ScaleHeight());
    const double bandPx = (std::log(static_cast<double>(bottom)) - std::log(1000.0)) /
                          (std::log(static_cast<double>(bottom)) - std::log(295.0)) * c.heightPx;
    EXPECT_GE(bandPx, 1.55 * textPx);
  }
}

// A value's box covers the device pixels of its own picture pixels and no
// more, at a scale where a picture pixel spans a fraction of a device pixel
// too: the box of a wind printed after the one under it leaves that one's
// digits whole (the column prints its rows from the bottom up, a line
// apart at the closest), and a box keeps off a trace that keeps its room
// beside it.
TEST(ChartLabels, ABoxCoversItsOwnPixelsAtEveryScale) {
  PictureBox::RecordPrintedTexts(true);
  for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    for (int sixths = 0; sixths < 12; ++sixths) {  // rows and columns of either parity, whole and cut
      const double shift = sixths / 6.0;
      SCOPED_TRACE(::testing::Message() << "scale " << scale << ", shift " << shift);
      PictureBox pic(120, 60);
      pic.Resize(120, 60, scale);
      pic.BackColor = 0;
      pic.Cls();
      ChartLabels labels;
      labels.Begin(pic, 0);
      const double x = 20 + shift, y = 10 + shift, line = pic.TextHeightPx(" 48 ");
      // The trace two pixels right of the numbers (both end in a blank).
      {
        const DataMarksGuard data(pic, labels.Data());
        pic.DrawWidth = 2;
        const double trace = x + pic.TextWidthPx(" 48 ") + 2;
        pic.Line(trace, 0, trace, 59, RGB(0, 127, 0));
        pic.DrawWidth = 1;
      }
      pic.ForeColor = RGB(255, 255, 0);
      for (const auto& [text, top] : {std::pair{" 48 ", y + line}, std::pair{" 52 ", y}}) {
        pic.CurrentX = x;
        pic.CurrentY = top;
        labels.Print(pic, text, LabelPlace::Column, QPointF(x, top + line / 2));
      }
      labels.PrintAll(pic);
      ASSERT_EQ(pic.PrintedTexts().size(), 2u);
      std::vector<std::string> found;
      for (const testing::Fault& f :
           testing::Faults(pic, {.traces = {qRgb(0, 127, 0)}, .present = {{" 48 "}, {" 52 "}}}))
        found.push_back("\"" + f.text + "\" " + f.what);
      EXPECT_EQ(found, std::vector<std::string>{});
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

}  // namespace
}  // namespace ondrik
