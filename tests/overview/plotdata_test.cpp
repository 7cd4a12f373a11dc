// The overview redraw on shipped files: fields of the current dataset,
// axes, the cursor line, the overlay order, what a failing or refused
// redraw leaves, and the painters' classes.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "core/guards.h"
#include "overview/plotters.h"
#include "tests/common/text_check.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

using testing::CountColour;
using testing::CountNot;
using testing::OverviewPictures;
using testing::Pixel;

class PlotDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.opt = OverviewOptions{};
    ASSERT_TRUE(testing::LoadShipped("SREF_KOKC.ond", s, "KOKC - SREF - ONDRIK"));
  }
  void TearDown() override {
    gLoadingState = false;
    gOverlayAll = false;
  }
  void Tick(std::initializer_list<BoxId> ids) {
    for (BoxId id : ids) s.opt.box[static_cast<size_t>(id)] = 1;
  }
  OverviewState s;
  OverviewPictures pics;
};

TEST_F(PlotDataTest, HumidityAndStabilityFieldsWithAxesAndTitle) {
  ASSERT_EQ(gDatasetCount, 8);
  EXPECT_EQ(s.frame.ColumnsShown, 85);  // 84 steps of 3 hours: the fourth window
  EXPECT_EQ(s.draw.Caption, "KOKC - SREF - ONDRIK Overview");
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  // Only the title: white, and the greys of its antialiased edges.
  int coloured = 0;
  for (int y = 0; y < pics.rh.PixelHeight(); ++y)
    for (int x = 0; x < pics.rh.PixelWidth(); ++x) {
      const Color c = Pixel(pics.rh, x, y);
      coloured += (c & 0xFF) != ((c >> 8) & 0xFF) || (c & 0xFF) != ((c >> 16) & 0xFF);
    }
  EXPECT_EQ(coloured, 0);
  EXPECT_GT(CountColour(pics.rh, kWhite), 0);
  EXPECT_FALSE(s.draw.GridVisible[kBoxGridHeight]);
  EXPECT_EQ(CountNot(pics.right, kBlack), 0);

  Tick({kBoxRH0, kBoxTemperature, kBoxInstability, kBoxInversions, kBoxGridHeight, kBoxGridTime});
  PlotData(d);
  DrawTimeAxis(pics.time, s);
  pics.Save("overview-sref-humidity.png");
  EXPECT_GT(CountColour(pics.rh, RGB(0, 255, 0)), 1000);     // humidity class >= 90 and instability hatches
  EXPECT_GT(CountColour(pics.rh, RGB(255, 255, 0)), 100);    // temperature contours of the tens
  EXPECT_GT(CountColour(pics.rh, RGB(127, 127, 127)), 1000); // grid lines
  EXPECT_TRUE(s.draw.GridVisible[kBoxGridHeight]);
  EXPECT_FALSE(s.draw.GridVisible[kBoxGridTemp]);
  EXPECT_GT(CountColour(pics.right, kWhite), 50);            // height labels, grid on
  EXPECT_GT(CountColour(pics.time, kWhite), 200);            // time labels
  // The labels at the ends of the axis stand whole inside the picture.
  const QImage& time = pics.time.Image();
  for (int y = 0; y < time.height(); ++y)
    for (int x : {0, time.width() - 1}) EXPECT_NE(time.pixel(x, y) & 0xFFFFFFu, 0xFFFFFFu) << x << "," << y;
  // So do the labels at the ends of the right axes (precipitation .00 and
  // .10, temperature 30 and 100): nothing of them on the first or last row.
  Tick({kBoxPrecip, kBoxSfcTemp});
  PlotData(d);
  const QImage& right = pics.right.Image();
  for (int x = 0; x < right.width(); ++x)
    for (int y : {0, right.height() - 1}) EXPECT_EQ(right.pixel(x, y) & 0xFFFFFFu, 0u) << x << "," << y;
  EXPECT_GT(s.draw.TopLevel[1], 10);
  for (int D = 2; D <= 8; ++D) EXPECT_EQ(s.draw.TopLevel[static_cast<size_t>(D)], s.draw.TopLevel[1]);

  // Contoured humidity, the elevated parcels and omega.
  s.opt = OverviewOptions{};
  Tick({kBoxRHContour, kBoxELCIN, kBoxECAPE, kBoxOmega, kBoxThetaE, kBoxGridHeight});
  PlotData(d);
  DrawTimeAxis(pics.time, s);
  pics.Save("overview-sref-stability.png");
  EXPECT_TRUE(IsDone(gOmegaSmoothDone(1)));
  EXPECT_TRUE(IsDone(gLevelParcelDone(1, 0, 2)));
  EXPECT_FALSE(IsDone(gLevelParcelDone(2, 0, 2)));  // fields are the current dataset's only
  EXPECT_GT(CountColour(pics.rh, RGB(0, 0, 127)) + CountColour(pics.rh, RGB(0, 127, 0)) +
                CountColour(pics.rh, RGB(127, 0, 0)),
            0);
}

TEST_F(PlotDataTest, RefusedWhileLoadingAndGivesBackTheDataset) {
  Tick({kBoxTemperature});
  pics.rh.Box(10, 10, 20, 20, kRed, true);
  {
    const LoadingStateGuard loading;
    OverviewDraw d = pics.Draw(s);
    PlotData(d);
  }
  EXPECT_GT(CountColour(pics.rh, kRed), 0);  // nothing cleared
  gOverlayAll = true;
  gCurDataset = 3;
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  EXPECT_EQ(gCurDataset, 3);
  EXPECT_EQ(s.draw.ShownDataset, 3);
  EXPECT_EQ(CountColour(pics.rh, kRed), 0);
  // A dataset whose data cannot be drawn is left out without ending the redraw.
  gNumLevels(3) = 999;
  PlotData(d);
  EXPECT_EQ(gCurDataset, 3);
  // The focus goes to the focus bar unless the profile window started the
  // change; the hourglass is taken away again.
  struct Events : OverviewEvents {
    int focus = 0, busy = 0, maxBusy = 0;
    void FocusScrollBar() override { ++focus; }
    void SetBusy(bool on) override {
      busy += on ? 1 : -1;
      maxBusy = std::max(maxBusy, busy);
    }
  } events;
  s.events = &events;
  PlotData(d);
  gHourChangeSource = 1;
  PlotData(d);
  gHourChangeSource = 0;
  EXPECT_EQ(events.focus, 1);
  EXPECT_EQ(events.maxBusy, 1);
  EXPECT_EQ(events.busy, 0);
  s.events = nullptr;
}

// The axes: each block starts from a pen one pixel wide, so the temperature
// strip's zero line is thin also after the direction grid's quarters.
TEST_F(PlotDataTest, EachAxisBlockStartsFromAThinPen) {
  Tick({kBoxWinds, kBoxGridWind, kBoxSfcTemp});
  s.frame.TempBottom = -20;
  s.frame.TempSpan = 70;
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  EXPECT_TRUE(s.draw.GridVisible[kBoxGridWind]);
  EXPECT_TRUE(s.draw.GridVisible[kBoxGridTemp]);
  // Round the zero line (the title may stand elsewhere in the column).
  const int x = pics.rh.PixelWidth() / 2;
  const int zero = static_cast<int>(std::lround(50.0 / 70 * pics.rh.PixelHeight()));
  int white = 0;
  for (int y = zero - 4; y <= zero + 4; ++y) white += Pixel(pics.rh, x, y) == kWhite;
  EXPECT_EQ(white, 1);  // the zero line, 1 pixel
  // The direction labels on the left picture, the temperature ones on the right.
  EXPECT_GT(CountColour(pics.left, kWhite), 50);
  EXPECT_GT(CountColour(pics.right, RGB(127, 127, 127)), 20);
}

TEST_F(PlotDataTest, CursorLineFollowsTheHourAndComesOffAgain) {
  Tick({kBoxCursor, kBoxRH0});
  s.in.HourValue = 10;
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  EXPECT_EQ(gCursorHour, 10);
  // At hour 10 of 85 columns from the right edge (hour -1).
  const double x = (s.frame.TimeLeft - 10) / (s.frame.TimeLeft - s.frame.TimeRight) * pics.rh.PixelWidth();
  const int px = static_cast<int>(std::lround(x));
  const Color line = Pixel(pics.rh, px, 5);
  EXPECT_NE(line, kBlack);
  const QImage with = pics.rh.Image().copy();
  DrawCursorLine(pics.rh, s, 10);
  EXPECT_EQ(Pixel(pics.rh, px, 5), kBlack);  // taken away
  DrawCursorLine(pics.rh, s, 10);
  EXPECT_EQ(pics.rh.Image(), with);
  // The pen and scale of picRH stay as the redraw left them.
  EXPECT_EQ(pics.rh.Mode, DrawMode::CopyPen);
}

// The "Now" line stands at the present hour of the time window shown, or
// is not drawn, whatever window the picture was drawn in before and with
// no field ticked to set a scale first.
TEST_F(PlotDataTest, NowLineStandsAtNowInTheWindowShown) {
  Tick({kBoxNow});
  constexpr int kNow = 61;
  s.in.Now = gValidTime(1, kNow);
  struct Window {
    Integer columns, scroll;
    bool shows;
  };
  const Window windows[] = {{85, 0, true}, {25, 0, false}, {25, 40, true}, {25, 50, true}, {49, 0, false},
                            {85, 0, true}};
  for (const Window& w : windows) {
    SetTimeWindow(s.frame, w.columns, w.scroll);
    OverviewDraw d = pics.Draw(s);
    PlotData(d);
    const int row = pics.rh.PixelHeight() - 3;  // below the title
    std::vector<int> white;
    for (int x = 0; x < pics.rh.PixelWidth(); ++x)
      if (Pixel(pics.rh, x, row) == kWhite) white.push_back(x);
    const std::string what = std::to_string(w.columns) + " columns scrolled " + std::to_string(w.scroll);
    if (!w.shows) {
      EXPECT_TRUE(white.empty()) << what;
      continue;
    }
    const double at = (s.frame.TimeLeft - (kNow + 0.5)) / (s.frame.TimeLeft - s.frame.TimeRight) * pics.rh.PixelWidth();
    ASSERT_FALSE(white.empty()) << what;
    EXPECT_NEAR(white.front(), at, 3) << what;
    EXPECT_NEAR(white.back(), at, 3) << what;
  }
}

TEST(OverlayOrderTest, ShownDatasetLastOthersRising) {
  auto order = [](Integer shown, bool all, Integer count) {
    const DrawOrder o = OverlayOrder(shown, all, count);
    std::vector<Integer> v(o.d.begin(), o.d.begin() + o.n);
    return v;
  };
  EXPECT_EQ(order(2, true, 3), (std::vector<Integer>{1, 3, 2}));
  EXPECT_EQ(order(1, true, 4), (std::vector<Integer>{2, 3, 4, 1}));
  EXPECT_EQ(order(4, true, 4), (std::vector<Integer>{1, 2, 3, 4}));
  EXPECT_EQ(order(2, false, 3), (std::vector<Integer>{2}));
}

TEST(OverviewPaintersTest, HumidityAndCloudClasses) {
  struct Case {
    Single rh;
    bool ice;
    Integer lowest;
    bool painted;
    Color colour;
  } cases[] = {{29, false, 0, false, 0},          {30, false, 0, true, RGB(40, 40, 12)},
               {95, false, 0, true, RGB(60, 0, 115)}, {120, false, 9, true, RGB(60, 0, 115)},
               {101, true, 6, true, RGB(96, 0, 0)},  {100, true, 6, false, 0},
               {110, true, 9, true, RGB(255, 0, 0)}, {85, false, 4, false, 0},
               {85, false, 3, true, RGB(0, 191, 0)}};
  for (const Case& c : cases) {
    Color got = 0;
    EXPECT_EQ(HumidityCellColour(c.rh, c.ice, c.lowest, got), c.painted) << c.rh << " " << c.ice;
    if (c.painted) {
      EXPECT_EQ(got, c.colour) << c.rh;
    }
  }
  EXPECT_EQ(CloudClassOf(5.9f).colour, kBlack);
  EXPECT_EQ(CloudClassOf(6).fill, FillStyle::DownwardDiagonal);
  EXPECT_EQ(CloudClassOf(25).fill, FillStyle::DiagonalCross);
  EXPECT_EQ(CloudClassOf(89).colour, RGB(127, 127, 127));
  EXPECT_EQ(CloudClassOf(90).colour, kWhite);
}

// Every level of a 67-level profile above 400 mb: the inversion cells stop
// at the top level.
TEST(OverviewPaintersTest, InversionsWithEveryLevelBelow400Mb) {
  gDatasetCount = 1;
  gCurDataset = 1;
  gLastHour(1) = 2;
  gNumLevels(1) = kMaxLevels;
  OverviewState s;
  for (int k = 0; k <= kMaxLevels; ++k) {
    for (int h = 0; h <= 2; ++h) {
      gPres(1, h, k) = 1000 - 8 * static_cast<Single>(k);
      gTemp(1, h, k) = static_cast<Single>(k % 2);  // an inversion every other level
      gDewpt(1, h, k) = -30;
    }
    s.frame.LogP[1][static_cast<size_t>(k)] = std::log(gPres(1, 0, k));
  }
  s.frame.LogPBottom = std::log(1000.0f);
  s.frame.LogPSpan = std::log(1000.0f) - std::log(400.0f);
  SetTimeWindow(s.frame, 4, 0);
  OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  EXPECT_NO_THROW(PlotInversions(d));
  EXPECT_GT(CountColour(pics.rh, kWhite), 100);
  EXPECT_EQ(pics.rh.Fill, FillStyle::Solid);
  gDatasetCount = 0;
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

TEST(OverviewFrameTest, DimmedPensForTheOtherDatasets) {
  OverviewState s;
  s.draw.ShownDataset = 2;
  gCurDataset = 2;
  EXPECT_EQ(eRGB(s, 255, 191, 128), RGB(255, 191, 128));
  gCurDataset = 1;
  EXPECT_EQ(eRGB(s, 255, 191, 128), RGB(127, 95, 64));
  EXPECT_EQ(eRGB(s, 255, 255, 255), RGB(127, 127, 127));
  EXPECT_EQ(eRGB2(s, 255, 0, 255), RGB(159, 0, 159));
  PictureBox a(10, 10), b(10, 10), c(10, 10);
  OverviewDraw d{s, a, b, c};
  eWidth(d, 2);
  EXPECT_EQ(a.DrawWidth, 1);
  gCurDataset = 2;
  eWidth(d, 3);
  EXPECT_EQ(a.DrawWidth, 3);
}

TEST(OverviewFrameTest, QualityAlerts) {
  gDatasetCount = 1;
  gCurDataset = 1;
  gLastHour(1) = 8;
  gNumLevels(1) = 2;
  // Isolated dry hours between two wet ones: three raise the alert.
  const Single wet[] = {0.1f, 0.1f, 0, 0.1f, 0, 0.1f, 0, 0.0014f, 0};
  for (int h = 0; h <= 8; ++h) gPrecip(1, h) = wet[h];
  EXPECT_EQ(IsolatedDryHours(1), 2);  // hour 6 lies next to a trace
  gPrecip(1, 7) = 0.002f;
  EXPECT_EQ(IsolatedDryHours(1), 3);
  gDatasetTitle(1) = "SREF NMM CTL 12Z ";
  OverviewState s;
  s.draw.Caption = "KOKC - sref - ONDRIK Overview";
  PictureBox a(100, 50), b(10, 50), c(10, 50);
  OverviewDraw d{s, a, b, c};
  PloteeTitle(d);
  EXPECT_TRUE(s.draw.QualityVisible);
  EXPECT_EQ(s.draw.QualityText, PrecipitationAlertText(3));
  EXPECT_NE(s.draw.QualityText.find("detected   3   data anomalies"), std::string::npos);
  gDatasetTitle(1) = "SREF ARW CTL 12Z ";
  PloteeTitle(d);
  EXPECT_FALSE(s.draw.QualityVisible);
  // The profile alert: a nam4k file whose first level repeats the surface.
  s.in.ProfileCaption = "KOKC - NAM4K - ONDRIK";
  gSpecHum(1, 0, 0) = gSpecHum(1, 0, 1) = 5;
  gSfcTemp(1, 0) = gTemp(1, 0, 1) = 10;
  gSfcDewpt(1, 0) = gDewpt(1, 0, 1) = 2;
  gPres(1, 0, 1) = gSfcPres(1, 0) = 1000;
  gPres(1, 0, 2) = 900;
  PrepareLogPressure(s);
  EXPECT_TRUE(s.draw.QualityVisible);
  EXPECT_EQ(s.draw.QualityText, ProfileAlertText());
  EXPECT_FLOAT_EQ(s.frame.LogP[1][2], std::log(900.0f));
  gDewpt(1, 0, 1) = 1;
  PrepareLogPressure(s);
  EXPECT_FALSE(s.draw.QualityVisible);
  gDatasetTitle(1).clear();
  gDatasetCount = 0;
}

TEST(OverviewFrameTest, ElevatedCapeLegendAndScaledContourLabels) {
  const auto legend = ECapeLegend(5, 2);
  EXPECT_EQ(legend[0].caption, "5");
  EXPECT_EQ(legend[5].caption, "2000");
  EXPECT_EQ(legend[1].colour, kBlack);
  EXPECT_EQ(legend[2].colour, kYellow);
  // A field contoured in tenths, its classes scaled in a copy.
  gDatasetCount = 1;
  gCurDataset = 1;
  gLastHour(1) = 3;
  gNumLevels(1) = 4;
  OverviewState s;
  s.opt.ContourInterval = 5;
  s.draw.TopLevel[1] = 4;
  SetTimeWindow(s.frame, 5, 0);
  for (int k = 0; k <= 4; ++k) s.frame.LogP[1][static_cast<size_t>(k)] = std::log(1000.0f - 100 * k);
  s.frame.LogPBottom = std::log(1000.0f);
  s.frame.LogPSpan = std::log(1000.0f) - std::log(500.0f);
  for (int h = 0; h <= 3; ++h)
    for (int k = 1; k <= 4; ++k) Store().gTemp(1, h, k) = static_cast<Single>(100 * k + 10 * h);
  testing::OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  const ContourGrid g = PlaneGrid(d, Store().gTemp, 0.1f);
  EXPECT_FLOAT_EQ(g.At(2, 3), 32);
  sPlotContourMulti(d, true, g, LayerShearClasses({100, 200, 250}), 0.1f);
  PlaceContourTexts(pics.rh, s.draw.Texts, s.draw.Fields);  // where its lines are drawn
  // Values 10 .. 45 in tenths lie in the classes 100, 200 and 250 (scaled
  // in a copy): contours in dark green, yellow and red.
  EXPECT_GT(CountColour(pics.rh, RGB(0, 64, 0)), 0);
  EXPECT_GT(CountColour(pics.rh, RGB(255, 255, 0)), 0);
  EXPECT_GT(CountColour(pics.rh, RGB(255, 0, 0)), 0);
  gDatasetCount = 0;
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

// The time axis of a 24-hour window, scrolled or not, at hourly and at
// three-hourly steps, and of the whole forecast, on the window's picture
// and on narrower ones (a small window, the snapshots of "-SIZE=" 50, 35,
// 25 and 20): only hours inside the window are labelled, each label stands
// whole in the picture over its own hour, none runs into another or is
// drawn smaller than the floor, and the labelled hours are evenly spaced:
// every labelled step wherever the floor of the faces holds them apart, and
// only where it cannot, every second, fourth ... one.
TEST(OverviewTimeAxisTest, LabelsEveryLabelledHourThePictureHolds) {
  // The model's label step and hours per forecast time ("eta": 6 and 1,
  // "gfs3": 4 and 3), and the label step in the file's three-hourly or
  // hourly steps: six hours or twelve hours between labels whatever the file.
  struct Case {
    const char* file;
    Integer modelStep;
    Single modelHours;
    Integer labelStep;
    Integer columns;
    Integer scroll;
    int width;
    int stride;  // hour indexes between the labels
  } cases[] = {{"NAM_KOKC.ond", 6, 1, 6, 24, 0, 857, 6},    {"NAM_KOKC.ond", 6, 1, 6, 24, 10, 857, 6},
               {"NAM_KOKC.ond", 6, 1, 6, 24, 61, 857, 6},   {"SREF_KOKC.ond", 6, 1, 2, 24, 5, 857, 2},
               {"SREF_KOKC.ond", 6, 1, 2, 24, 76, 857, 2},  {"SREF_KOKC.ond", 4, 3, 4, 24, 0, 857, 4},
               {"NAM_KOKC.ond", 4, 3, 12, 84, 0, 857, 12},  {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 857, 6},
               {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 758, 6},    {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 600, 6},
               {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 379, 12},    {"SREF_KOKC.ond", 6, 1, 2, 84, 0, 379, 8},
               {"SREF_KOKC.ond", 4, 3, 4, 84, 0, 379, 8},   {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 265, 12},
               {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 189, 24},   {"NAM_KOKC.ond", 6, 1, 6, 84, 0, 151, 24},
               {"NAM_KOKC.ond", 6, 1, 6, 24, 0, 151, 6},    {"SREF_KOKC.ond", 6, 1, 2, 24, 0, 151, 8}};
  PictureBox::RecordPrintedTexts(true);
  for (const Case& c : cases) {
    OverviewState s;
    ASSERT_TRUE(testing::LoadShipped(c.file, s, "KOKC"));
    s.in.TimeLabelStep = c.modelStep;
    s.in.ModelHourStep = c.modelHours;
    SetTimeWindow(s.frame, ColumnsOfWindow(static_cast<Single>(c.columns) * gHoursPerStep), c.scroll);
    OverviewPictures pics;
    PictureBox& time = pics.time;
    time.Resize(c.width, time.PixelHeight());
    DrawTimeAxis(time, s);
    const std::string where = std::string(c.file) + " " + std::to_string(c.columns) + " columns scrolled " +
                              std::to_string(c.scroll) + " on " + std::to_string(c.width);
    EXPECT_EQ(testing::FaultLines(time), "") << where;
    const std::vector<TimeAxisLabel> labels = TimeAxisLabels(time, s);
    std::vector<int> hours;
    for (const TimeAxisLabel& l : labels) {
      EXPECT_GE(l.hour, s.frame.TimeRight) << where << ": " << l.text;
      EXPECT_LE(l.hour, s.frame.TimeLeft) << where << ": " << l.text;
      PictureBox face = time;
      face.FontName = l.fontName;
      face.FontSize = l.fontSize;
      const double from = time.XToPixel(l.x), to = from + face.TextWidthPx(l.text), at = time.XToPixel(l.hour);
      // (or as near as the picture's edge lets it)
      EXPECT_TRUE((from <= at + 1.5 || from <= 3) && (at <= to + 1.5 || to >= c.width - 3)) << where << ": " << l.text << " from " << from << " to " << to
                                                  << ", its hour at " << at;
      if (l.y == 10) hours.push_back(l.hour);
    }
    ASSERT_GE(hours.size(), 2u) << where;
    const int stride = hours[1] - hours[0];
    EXPECT_EQ(stride, c.stride) << where;
    // Fewer only where the smallest face cannot hold them.
    EXPECT_TRUE(stride == c.labelStep || !testing::EveryTimeLabelFits(time, s)) << where;
    const int first = std::max(0, static_cast<int>(std::ceil(s.frame.TimeRight)));
    const int want = first % stride == 0 ? first : first + stride - first % stride;
    EXPECT_EQ(hours.front(), want) << where;
    EXPECT_EQ(static_cast<int>(hours.size()),
              (std::min<int>(gLastHour(1), static_cast<int>(s.frame.TimeLeft)) - want) / stride + 1)
        << where;
  }
  PictureBox::RecordPrintedTexts(false);
}

// Every field that has a plotter draws on a shipped single-dataset file
// (ONDRIK_KEEP_PNG set: a picture of each in the test folder to look at).
TEST(OverviewFieldsTest, EachFieldDrawsOnTheShippedFile) {
  OverviewState s;
  ASSERT_TRUE(testing::LoadShipped("NAM_KOKC.ond", s, "KOKC - NAM - ONDRIK"));
  s.in.Now = gValidTime(1, 10);
  testing::OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  for (const OverviewRow& r : OverviewRows()) {
    if (r.kind != BoxKind::Field || r.plot == nullptr) continue;
    if (r.id == kBoxSnow) continue;  // no snow falls in this file
    s.opt = OverviewOptions{};
    s.opt.box[static_cast<size_t>(r.id)] = 1;
    s.opt.box[kBoxGridHeight] = 1;
    PlotData(d);
    DrawTimeAxis(pics.time, s);
    if (std::getenv("ONDRIK_KEEP_PNG") != nullptr) pics.Save("overview-nam-" + std::string(r.name) + ".png");
    // Black cells are drawn too (clouds under 6 %): count what differs from
    // the grid and labels alone.
    EXPECT_GT(CountNot(pics.rh, kBlack) - CountColour(pics.rh, RGB(127, 127, 127)), 200) << r.name;
  }
}

}  // namespace
}  // namespace ondrik
