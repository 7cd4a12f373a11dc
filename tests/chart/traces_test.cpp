// Traces, level markers, parcel traces and growth layers of the chart.
//
// Positions are checked against pixels worked out by hand from the chart
// bounds (-40..40 deg C across, ln 100 down to ln of the bottom drawn, 1050
// for a single step, 400 x 400 pixels): x_px = (x + 40) / 80 * 400,
// y_px = (ln p - ln 100) / (ln bottom - ln 100) * 400.
#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/steps.h"
#include "core/levels.h"
#include "core/reader.h"
#include "core/shared.h"
#include "tests/core/sounding.h"
#include "tests/chart/chart_test_util.h"

namespace ondrik {
namespace {

using testing::At;

using testing::Level;
using testing::SetSounding;

constexpr Color kDimRed = RGB(127, 0, 0);
constexpr Color kDimGreen = RGB(0, 127, 0);
constexpr Color kDimYellow = RGB(127, 127, 0);
constexpr Color kPink = RGB(255, 127, 255);
constexpr Color kCinBlue = RGB(0, 127, 255);
constexpr Color kDimCinBlue = RGB(0, 63, 127);

constexpr int kW = 400, kH = 400;

// A pixel of colour c within r pixels of (px, py).
bool Near(const PictureBox& pic, double px, double py, Color c, int r = 2) {
  const int cx = static_cast<int>(std::lround(px)), cy = static_cast<int>(std::lround(py));
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if (x >= 0 && y >= 0 && x < pic.PixelWidth() && y < pic.PixelHeight() && At(pic, x, y) == c)
        return true;
  return false;
}

int CountIn(const PictureBox& pic, int x0, int y0, int x1, int y1, Color c) {
  int n = 0;
  for (int y = std::max(0, y0); y <= std::min(y1, pic.PixelHeight() - 1); ++y)
    for (int x = std::max(0, x0); x <= std::min(x1, pic.PixelWidth() - 1); ++x) n += At(pic, x, y) == c;
  return n;
}

int CountAll(const PictureBox& pic, Color c) { return CountIn(pic, 0, 0, kW, kH, c); }

double Col(double x) { return (x + 40) / 80.0 * kW; }
// Column of temperature t at p on the skewed chart with a 1000 mb surface:
// 150 deg C per factor 100 of pressure is 75 deg C per decade.
double SkewCol(double t, double p) { return Col(t + 75 * std::log10(1000 / p)); }

// Standard mid-latitude sounding from a 1000 mb surface, warmer by dt.
std::vector<Level> Sounding(float dt = 0) {
  std::vector<Level> v = {
      {1000, 20, 15, 180, 5, 110},  {950, 17, 12, 200, 10, 540},  {900, 14, 9, 220, 15, 990},
      {850, 11, 5, 230, 20, 1460},  {800, 8, 1, 240, 25, 1950},   {750, 5, -3, 245, 30, 2470},
      {700, 2, -8, 250, 35, 3010},  {600, -5, -18, 255, 40, 4200}, {500, -15, -30, 260, 50, 5570},
      {400, -27, -40, 260, 60, 7190}, {300, -42, -52, 265, 70, 9160}, {250, -50, -60, 265, 75, 10360},
      {200, -56, -66, 270, 70, 11790}, {150, -58, -70, 270, 55, 13610}, {100, -60, -75, 270, 40, 16180}};
  for (Level& L : v) {
    L.t += dt;
    L.td += dt;
  }
  return v;
}

class TracesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetChartGlobals();
    for (int d = 0; d <= kMaxDatasets; ++d) {
      for (int h = 0; h < 3; ++h) {
        gParcelTraceDone(d, h) = 0;
        gCinTraceDone(d, h) = 0;
        gLfct(d, h) = gEqlv(d, h) = gLclPres(d, h) = 0;
        gConvTemp(d, h) = 99;
      }
    }
    pic.BackColor = RGB(0, 0, 0);
  }

  // Dataset d, hours 0..lastHour, drawn up to its top level.
  void Put(int d, const std::vector<Level>& v, int lastHour = 0) {
    for (int h = 0; h <= lastHour; ++h) SetSounding(d, h, v);
    gTopLevel(d) = gNumLevels(d);
    for (int h = 0; h <= lastHour; ++h)
      for (int L = 1; L <= gNumLevels(d); ++L) {
        const float td = gDewpt(d, h, L);
        gFrostPt(d, h, L) = td > 0 ? td : 0.8808 * td - 0.0008 * td * td;
      }
  }

  // The temperature system of dataset d with a 1000 mb surface, for calling
  // a single step on a clear picture.
  void TemperatureSystem(int d, bool skew) {
    pic.Cls();
    gCurDataset = d;
    s.draw.ShownDataset = d;
    s.draw.SkewFactor = skew ? static_cast<Single>(kSkewPerLnP) : 0.0f;
    s.draw.LnSurfacePres = static_cast<Single>(std::log(1000.0));
    s.draw.ChartBottom = 0;  // no chart drawn: the bounds of the globals
    pic.Scale(-40, std::log(100.0), 40, std::log(static_cast<double>(DrawnChartBottom(s))));
  }

  // The row of p on the chart as drawn last.
  double Row(double p) const {
    const double bottom = std::log(static_cast<double>(DrawnChartBottom(s)));
    return (std::log(p) - std::log(100.0)) / (bottom - std::log(100.0)) * kH;
  }

  PictureBox pic{kW, kH};
  ChartState s;
};

TEST_F(TracesTest, TracesStandWhereTheirValuesAreAndAreDimmedInAnOverlay) {
  Put(1, Sounding());
  gCurDataset = 1;
  // Unskewed the 500 mb temperature (-15) and dew point (-30) stand at their
  // values; skewed, 500 mb is ln 2 above the 1000 mb surface, so -15 moves
  // 150 * log10(2) / 2 = 22.577 degrees right. The surface has no lean.
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, Col(-15), Row(500), kRed));
  EXPECT_TRUE(Near(pic, Col(-30), Row(500), kGreen));
  s.opt.chkSkewT = true;
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, Col(7.577), Row(500), kRed));
  EXPECT_FALSE(Near(pic, Col(-15), Row(500), kRed));
  EXPECT_TRUE(Near(pic, Col(20), Row(1000), kRed));
  EXPECT_EQ(CountAll(pic, kCyan), 0);

  // Wet bulb (-15 - 15 / 3 = -20) and icing (a 2-degree spread: -16) when ticked.
  s.opt.chkSkewT = false;
  s.opt.chkWetBulb = s.opt.chkIcing = true;
  gDewpt(1, 0, 9) = -17;
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, Col(-20), Row(500), kCyan));
  EXPECT_TRUE(Near(pic, Col(-16), Row(500), RGB(0, 0, 255)));
  s.opt.chkWetBulb = s.opt.chkIcing = false;

  // Nothing above the top level (500 mb).
  gTopLevel(1) = 9;
  PlotProfile(pic, s);
  EXPECT_EQ(CountIn(pic, 0, 0, kW, static_cast<int>(Row(500)) - 3, kRed), 0);
  EXPECT_GT(CountIn(pic, 0, static_cast<int>(Row(500)) + 3, kW, kH, kRed), 0);

  // Overlay with dataset 2 (10 degrees warmer) shown: dataset 1 dimmed.
  Put(1, Sounding(), 1);
  Put(2, Sounding(10), 1);
  Put(3, Sounding(20));
  gOverlayAll = true;
  gCurDataset = 2;
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, Col(-15), Row(500), kDimRed));
  EXPECT_TRUE(Near(pic, Col(-30), Row(500), kDimGreen));
  EXPECT_TRUE(Near(pic, Col(-5), Row(500), kRed));
  EXPECT_FALSE(Near(pic, Col(-15), Row(500), kRed));
  // Dataset 3 lacks hour 1: even called directly the steps draw nothing.
  s.in.CurHour = 1;
  s.opt.chkParcel = s.opt.chkSnowGrowth = s.opt.chkLakeIndex = s.opt.chkLIC = true;
  TemperatureSystem(3, false);
  EXPECT_NO_THROW({
    PlotTraces(pic, s);
    PlotLevelMarkers(pic, s);
    PlotParcelTraces(pic, s);
    PlotGrowthLayers(pic, s);
  });
  EXPECT_EQ(CountAll(pic, kDimRed) + CountAll(pic, kRed) + CountAll(pic, RGB(0, 0, 255)), 0);
}

TEST_F(TracesTest, MarkersAndLakeMarksStandAtTheirPressures) {
  Put(1, Sounding());
  auto marked = [&](double t, double p) {
    // Red text from the marker temperature rightwards, around the row a
    // third of a line above the text's foot.
    const int x = static_cast<int>(Col(t)), y = static_cast<int>(Row(p));
    return CountIn(pic, x - 1, y - 12, x + 40, y + 6, kRed) > 0;
  };
  s.opt.chkLCL = s.opt.chkLFC = s.opt.chkEQL = true;
  gLclPres(1, 0) = 900;
  gLclTemp(1, 0) = 10;
  gLfct(1, 0) = 700;
  gEqlv(1, 0) = 400;
  TemperatureSystem(1, false);
  PlotLevelMarkers(pic, s);
  EXPECT_TRUE(marked(10, 900));
  EXPECT_TRUE(marked(2, 700));    // environment at the LFC
  EXPECT_TRUE(marked(-27, 400));  // and at the EL
  EXPECT_EQ(CountIn(pic, 0, 0, kW, static_cast<int>(Row(400)) - 14, kRed), 0);
  // Skewed, the LFC marker moves right by 150 * log10(1000/700) / 2 = 11.62.
  TemperatureSystem(1, true);
  PlotLevelMarkers(pic, s);
  EXPECT_TRUE(marked(13.62, 700));
  EXPECT_EQ(CountIn(pic, 0, static_cast<int>(Row(700)) - 12, static_cast<int>(Col(13.62)) - 2,
                    static_cast<int>(Row(700)) + 6, kRed),
            0);

  // Margins: LCL 20 mb above the surface unmarked, 20.5 mb marked; EL 50 mb
  // up unmarked (margin 60); EL missing from the indices (0) draws nothing.
  auto only = [&](bool lcl, bool eql) {
    s.opt.chkLCL = lcl;
    s.opt.chkEQL = eql;
    s.opt.chkLFC = false;
    TemperatureSystem(1, false);
    PlotLevelMarkers(pic, s);
    return CountAll(pic, kRed);
  };
  gLclPres(1, 0) = 980;
  EXPECT_EQ(only(true, false), 0);
  gLclPres(1, 0) = 979.5f;
  EXPECT_GT(only(true, false), 0);
  gEqlv(1, 0) = 950;
  EXPECT_EQ(only(false, true), 0);
  gEqlv(1, 0) = 0;
  EXPECT_EQ(only(false, true), 0);

  // Convective temperature: 99 is not written, 24.5 is, above the surface.
  s.opt.chkConvectiveTemp = true;
  pic.ForeColor = kWhite;
  gConvTemp(1, 0) = 99;
  EXPECT_EQ(only(false, false), 0);
  EXPECT_EQ(CountAll(pic, kWhite), 0);
  gConvTemp(1, 0) = 24.5f;
  only(false, false);
  const int cx = static_cast<int>(Col(24.5)), sy = static_cast<int>(Row(1000));
  EXPECT_GT(CountIn(pic, cx - 15, sy - 40, cx + 15, sy, kWhite), 0);
  s.opt.chkConvectiveTemp = false;

  // Lake index from the numbers it is given: the mark 13 degrees colder
  // than a 5-degree lake at 850 mb (-8), the label above it.
  s.in.LakeIndexPres = 850;
  s.in.LakeIndexDiff = 13;
  s.in.lblLakeC = 5;
  s.in.lblT850 = 11;
  s.opt.chkLakeIndex = true;
  TemperatureSystem(1, false);
  PlotTraces(pic, s);
  EXPECT_TRUE(Near(pic, Col(-8), Row(850), RGB(0, 0, 255), 1));
  EXPECT_GT(CountIn(pic, static_cast<int>(Col(-12)), static_cast<int>(Row(850)) - 16,
                    static_cast<int>(Col(-4)), static_cast<int>(Row(850)), kWhite),
            0);
}

// The convective temperature's arrow head stands over its own temperature
// on the surface, its value above it; one beyond the chart's edge has no
// arrow (it would point at the edge's temperature), only its value, on
// the surface at that edge with a sign pointing off the chart.
TEST_F(TracesTest, ConvectiveTemperaturePointsOnlyAtItsOwnTemperature) {
  Put(1, Sounding());
  gCurDataset = 1;
  gDatasetCount = 1;
  s.opt.chkConvectiveTemp = true;
  const struct {
    float ct;
    const char* value;  // the text of its value
    double edge;        // the edge it stands at (0: over its point)
  } cases[] = {{24.5f, "24.5", 0}, {39.9f, "39.9", 0}, {-39.5f, "-39.5", 0},
               {44.8f, "44.8 >", 40}, {-45.2f, "< -45.2", -40}};
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    gConvTemp(1, 0) = c.ct;
    PlotProfile(pic, s);
    const auto& texts = pic.PrintedTexts();
    const auto named = [&](const std::string& t) {
      return std::find_if(texts.begin(), texts.end(), [&](const auto& p) { return p.text == t; });
    };
    const double line = pic.TextHeightPx("v"), sfc = Row(1000);
    const auto arrow = named("v"), value = named(c.value);
    ASSERT_NE(value, texts.end());
    if (c.edge == 0) {
      ASSERT_NE(arrow, texts.end());
      EXPECT_NEAR(arrow->ink.center().x(), Col(c.ct), line);
      EXPECT_LE(sfc - arrow->ink.bottom(), line);
      EXPECT_LT(value->ink.bottom(), arrow->ink.top() + 1);  // above it
    } else {
      EXPECT_EQ(arrow, texts.end());
      EXPECT_NEAR(value->ink.center().y(), sfc - line / 2, line / 2);  // on the surface
      // At its edge, or along the surface as far as a marker goes from
      // what stands there.
      const double fromEdge = c.edge > 0 ? kW - value->ink.right() : value->ink.left();
      EXPECT_LE(fromEdge, 13 * line);
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

TEST_F(TracesTest, AbsurdTemperaturesGiveNoLakeLabel) {
  // An environment temperature near the largest single-precision value at
  // the marks' levels (850 mb): the differences the labels show hold no
  // whole number, so the marks stand without a label and no conversion of
  // them overflows.
  s.opt.chkMoistLakeIndex = s.opt.chkLakeIndex = true;
  s.in.LakeIndexPres = 850;
  s.in.LakeIndexDiff = 13;
  s.in.lblLakeC = 5;
  for (const float t : {3e38f, -3e38f}) {
    std::vector<Level> v = Sounding();
    v[3].t = t;  // 850 mb
    Put(1, v);
    s.in.lblT850 = t;
    TemperatureSystem(1, false);
    PlotTraces(pic, s);
    EXPECT_GT(CountAll(pic, RGB(0, 0, 255)) + CountAll(pic, kGreen), 0) << t << ": no marks";
    EXPECT_EQ(CountAll(pic, kWhite), 0) << t;
  }
}

TEST_F(TracesTest, ParcelCachesAreCompletePerDatasetAndHour) {
  Put(1, Sounding(), 1);
  for (int h = 0; h <= 1; ++h) {
    gLclPres(1, h) = 900;
    gLfct(1, h) = 700;
    gEqlv(1, h) = 250;
  }
  s.opt.chkParcel = s.opt.chkCINS = true;
  s.opt.chkSkewT = true;
  gCurDataset = 1;
  PlotProfile(pic, s);
  EXPECT_EQ(gParcelTraceDone(1, 0), -1);
  EXPECT_EQ(gCinTraceDone(1, 0), -1);
  EXPECT_EQ(gParcelTraceDone(1, 1), 0);  // another hour keeps its own cache
  // The CAPE trace starts at the environment at the EL (-50 at 250 mb); the
  // parcel lifted moist from there is warmer than the environment below it.
  EXPECT_TRUE(Near(pic, SkewCol(-50, 250), Row(250), kYellow));
  const int l500 = 9;
  ASSERT_EQ(gPres(1, 0, l500), 500);
  EXPECT_GT(gParcelTraceTemp(1, 0, l500), -15.0f);
  EXPECT_LT(gParcelTraceTemp(1, 0, l500), 0.0f);

  // A redraw reads the cache: a changed cached value moves the trace.
  const float lifted = gParcelTraceTemp(1, 0, l500);
  EXPECT_TRUE(Near(pic, SkewCol(lifted, 500), Row(500), kYellow));
  gParcelTraceTemp(1, 0, l500) = lifted + 8;
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, SkewCol(lifted + 8, 500), Row(500), kYellow));
  EXPECT_FALSE(Near(pic, SkewCol(lifted, 500), Row(500), kYellow));

  // Zoomed below the EL (top at 400 mb): the trace is lifted but the cache
  // stays incomplete; the CIN trace (top at the LFC) completes.
  s.in.CurHour = 1;
  gChartTop = 400;
  gTopLevel(1) = 10;  // 400 mb
  PlotProfile(pic, s);
  EXPECT_EQ(gParcelTraceDone(1, 1), 0);
  EXPECT_EQ(gCinTraceDone(1, 1), -1);
  gChartTop = 100;
  gTopLevel(1) = gNumLevels(1);
  PlotProfile(pic, s);
  EXPECT_EQ(gParcelTraceDone(1, 1), -1);

  // The dry leg of the CIN trace reaches the surface warmer than the parcel
  // at the LCL (dry adiabat from 900 to 1000 mb: about +8.5 K).
  const double tl = gCinTraceTemp(1, 0, 2);  // level 2, the first below the LCL, holds its value
  s.in.CurHour = 0;
  PlotProfile(pic, s);
  EXPECT_TRUE(Near(pic, Col(tl + 8.6), Row(1000) - 1, kCinBlue, 3));

  // An overlay: dataset 2 gets its own caches and dimmed colours.
  Put(2, Sounding(10));
  gLclPres(2, 0) = 900;
  gLfct(2, 0) = 800;
  gEqlv(2, 0) = 200;
  gOverlayAll = true;
  gCurDataset = 1;
  PlotProfile(pic, s);
  EXPECT_EQ(gParcelTraceDone(2, 0), -1);
  EXPECT_EQ(gCinTraceDone(2, 0), -1);
  EXPECT_GT(CountAll(pic, kDimYellow), 0);
  EXPECT_GT(CountAll(pic, kDimCinBlue), 0);
  gOverlayAll = false;

  // LFC at or below level 2: nothing drawn, the pen width untouched.
  gLfct(1, 0) = 950;
  TemperatureSystem(1, false);
  pic.DrawWidth = 5;
  PlotParcelTraces(pic, s);
  EXPECT_EQ(pic.DrawWidth, 5);
  EXPECT_EQ(CountAll(pic, kYellow) + CountAll(pic, kCinBlue), 0);

  // No EL and no LCL in the indices (0): neither trace fails or draws a
  // lifted parcel; nothing is cached.
  s.in.CurHour = 1;
  gParcelTraceDone(1, 1) = gCinTraceDone(1, 1) = 0;
  gLfct(1, 1) = 700;
  gEqlv(1, 1) = 0;
  gLclPres(1, 1) = -5;
  TemperatureSystem(1, false);
  EXPECT_NO_THROW(PlotParcelTraces(pic, s));
  EXPECT_EQ(gParcelTraceDone(1, 1), 0);
  EXPECT_EQ(gCinTraceDone(1, 1), 0);
  EXPECT_EQ(CountAll(pic, kYellow) + CountAll(pic, kCinBlue), 0);
}

TEST_F(TracesTest, GrowthLayersFollowTheBandCrossings) {
  // Temperatures chosen for the dendritic band -18..-12 deg C:
  //   800 -10 | 700 -14 | 600 -16 | 500 -22 | 400 -13 | 350 -5 | 300 -25 | 200 -60
  // enters at -12 between 800 and 700, leaves at -18 between 600 and 500,
  // re-enters at -18 between 500 and 400, leaves at -12 between 400 and 350;
  // between 350 and 300 the band lies wholly between two levels.
  std::vector<Level> v = {{1000, 5, 3, 180, 5, 110},     {900, -5, -6, 200, 10, 990},
                          {800, -10, -11, 220, 15, 1950}, {700, -14, -15, 230, 20, 3010},
                          {600, -16, -17, 240, 25, 4200}, {500, -22, -23, 250, 30, 5570},
                          {400, -13, -14, 255, 35, 7190}, {350, -5, -30, 260, 40, 8100},
                          {300, -25, -26, 265, 45, 9160}, {200, -60, -61, 270, 50, 11790}};
  Put(1, v);
  gRH(1, 0, 7) = 75;  // 400 mb: exactly 75 % is dry
  s.opt.chkSnowGrowth = true;
  TemperatureSystem(1, false);
  PlotGrowthLayers(pic, s);

  // Crossings (linear in ln p): -12 at sqrt(800 * 700) = 748.3 mb; -18 at
  // 600 * (5/6)^(1/3) = 564.6 mb and at 500 * 0.8^(4/9) = 452.8 mb.
  // The layer picture is in the frame system now; use the hand pixels.
  EXPECT_TRUE(Near(pic, Col(-12), Row(748.3), kYellow, 2));
  EXPECT_TRUE(Near(pic, Col(-14), Row(700), kYellow, 1));
  EXPECT_TRUE(Near(pic, Col(-18), Row(564.6), kYellow, 2));
  // Warmer than the band (790 mb, about -10.5) and colder (530 mb, about -20)
  // nothing is drawn.
  EXPECT_FALSE(Near(pic, Col(-10.5), Row(790), kYellow, 2));
  EXPECT_FALSE(Near(pic, Col(-20.1), Row(530), kYellow, 2));
  EXPECT_FALSE(Near(pic, Col(-20.1), Row(530), kPink, 2));
  // The re-entry runs to 400 mb, whose humidity is exactly 75 %: pink.
  EXPECT_TRUE(Near(pic, Col(-18), Row(452.8), kPink, 2));
  EXPECT_FALSE(Near(pic, Col(-18), Row(452.8), kYellow, 1));
  // Between 350 and 300 mb the band lies between two levels: nothing there.
  EXPECT_EQ(CountIn(pic, 0, static_cast<int>(Row(345)), kW, static_cast<int>(Row(305)), kYellow) +
                CountIn(pic, 0, static_cast<int>(Row(345)), kW, static_cast<int>(Row(305)), kPink),
            0);
  // Nothing above the band's last piece, nothing below 800 mb.
  EXPECT_EQ(CountIn(pic, 0, static_cast<int>(Row(805)), kW, kH, kYellow), 0);
  // The next steps find the frame system: x 0..100.
  EXPECT_DOUBLE_EQ(pic.ScaleLeft(), 0.0);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 100.0);

  // The piece leaving the band is coloured by its own ends (600 mb at 95 %,
  // the crossing at about 80 %), not by the dry 500 mb level beyond it;
  // another dataset's pieces are dimmed.
  gRH(1, 0, 5) = 95;
  gRH(1, 0, 6) = 50;
  TemperatureSystem(1, false);
  s.draw.ShownDataset = 2;
  PlotGrowthLayers(pic, s);
  EXPECT_TRUE(Near(pic, Col(-17), Row(582), kDimYellow, 1));
  EXPECT_FALSE(Near(pic, Col(-17), Row(582), RGB(127, 63, 127), 1));
  EXPECT_EQ(CountAll(pic, kYellow) + CountAll(pic, kPink), 0);

  // Hail band -30..-10: from 800 mb (exactly -10, inside) to the -30
  // crossing between 300 and 200 mb (300 * (2/3)^(5/35) = 282.9 mb), with
  // the gap where 350 mb (-5) lies warmer than the band.
  s.opt.chkSnowGrowth = false;
  s.opt.chkHailGrowth = true;
  TemperatureSystem(1, false);
  PlotGrowthLayers(pic, s);
  EXPECT_TRUE(Near(pic, Col(-10), Row(800), kWhite, 1));
  EXPECT_TRUE(Near(pic, Col(-30), Row(282.9), kWhite, 2));
  EXPECT_FALSE(Near(pic, Col(-7), Row(360), kWhite, 1));
  EXPECT_EQ(CountIn(pic, 0, 0, kW, static_cast<int>(Row(275)), kWhite), 0);

}

TEST_F(TracesTest, SampleHourWithEveryTraceRendersToPng) {
  const std::string path = std::string(ONDRIK_DATA_DIR) + "/NAM_KOKC.ond";
  LoadOptions o;
  o.modelKey = "eta";
  const LoadResult r = LoadProfileFile(path, o);
  ASSERT_TRUE(r.ok);
  gChartTop = 100;
  gChartTMin = -40;
  gChartTMax = 40;
  gCurDataset = 1;

  // The hour with the most CAPE in the file shows the parcel best.
  int best = 0;
  for (int h = 0; h <= gLastHour(1); ++h)
    if (gCape(1, h) > gCape(1, best)) best = h;
  s.in.CurHour = best;
  s.opt.chkSkewT = s.opt.chkWetBulb = s.opt.chkIcing = s.opt.chkFP = true;
  s.opt.chkLakeIndex = s.opt.chkLIC = s.opt.chkMoistLakeIndex = true;
  s.opt.chkLCL = s.opt.chkLFC = s.opt.chkEQL = s.opt.chkWBZ = s.opt.chkCCL = s.opt.chkConvectiveTemp = true;
  s.opt.chkParcel = s.opt.chkCINS = s.opt.chkSnowGrowth = s.opt.chkHailGrowth = true;
  s.in.lblLakeC = 10;
  s.in.lblT850 = 5;
  s.in.LakeIndexDiff = 13;
  PictureBox big(700, 700);
  big.BackColor = RGB(0, 0, 0);
  PlotProfile(big, s);

  auto count = [&](Color c) { return CountIn(big, 0, 0, 700, 700, c); };
  EXPECT_GT(count(kRed), 100);
  EXPECT_GT(count(kGreen), 100);
  EXPECT_GT(count(kCyan), 50);
  if (gLfct(1, best) > 0 && gLfct(1, best) < gPres(1, best, 2)) {
    EXPECT_GT(count(kYellow), 20);
    EXPECT_GT(count(kCinBlue), 20);
  }
  QDir().mkpath(ONDRIK_TEST_TMP);
  EXPECT_TRUE(big.Image().save(QString(ONDRIK_TEST_TMP) + "/chart_traces.png", "PNG"));

  // The ensemble file overlaid: every member dimmed under the shown one.
  ASSERT_TRUE(LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", o).ok);
  ASSERT_GT(gDatasetCount, 1);
  gChartTop = 100;
  gOverlayAll = true;
  gCurDataset = 1;
  s.in.CurHour = 0;
  PlotProfile(big, s);
  EXPECT_GT(count(kDimRed), 100);
  EXPECT_GT(count(kRed), 100);
  EXPECT_TRUE(big.Image().save(QString(ONDRIK_TEST_TMP) + "/chart_traces_overlay.png", "PNG"));
}

}  // namespace
}  // namespace ondrik
