// The mouse over the chart: zoom limits and round trip, the readout level and
// its texts, the elevated parcel's XOR sketch, and a sample hour rendered with
// every overlay on (build-*/test-tmp/chart_overlays.png, to look at).
#include "chart/cursor.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/derived.h"
#include "core/levels.h"
#include "core/parcels.h"
#include "core/reader.h"
#include "core/shared.h"
#include "tests/core/sounding.h"
#include "tests/chart/chart_test_util.h"

namespace ondrik {
namespace {

using testing::Level;
using testing::SetSounding;


std::vector<Level> Sounding() {
  return {{1000, 20, 15, 180, 5, 110},    {950, 17, 12, 200, 10, 540},   {900, 14, 9, 220, 15, 990},
          {850, 11, 5, 230, 20, 1460},    {800, 8, 1, 240, 25, 1950},    {750, 5, -3, 245, 30, 2470},
          {700, 2, -8, 250, 35, 3010},    {600, -5, -18, 255, 40, 4200}, {500, -15, -30, 260, 50, 5570},
          {400, -27, -40, 260, 60, 7190}, {300, -42, -52, 265, 70, 9160}, {200, -56, -66, 270, 70, 11790}};
}

class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetChartGlobals();
    SetSounding(1, 0, Sounding());
    MaxSfcPres = 1000;
    SetProfileTopLevels();
    pic.BackColor = kBlack;
    s.in.FileLoaded = 1;
    s.in.CurHour = 0;
  }

  // The other chart tests expect no chart top levels from earlier tests.
  void TearDown() override {
    for (int d = 0; d <= kMaxDatasets; ++d) gTopLevel(d) = 0;
  }

  PictureBox pic{400, 500};
  ChartState s;
};

TEST_F(CursorTest, ZoomInAndOutReturnsAndKeepsItsLimits) {
  // One step in about 1000 mb from 100..1050 mb: ln p moves by 0.85 towards
  // ln 1000: exp(ln 1000 - ln 10 * 0.85) = 141.25, exp(ln 1000 + ln 1.05 * 0.85) = 1042.3.
  ZoomProfile(pic, s, 1);
  EXPECT_EQ(gChartTop, 141);
  EXPECT_EQ(gChartBottom, 1042);
  ZoomProfile(pic, s, 2);
  EXPECT_EQ(gChartTop, 100);
  EXPECT_EQ(gChartBottom, 1050);

  // Zooming in stops before the chart spans less than 50 mb, and counts back.
  gChartTop = 100;
  gChartBottom = 1050;
  int steps = 0;
  for (int k = 0; k < 60; ++k) {
    const int t = gChartTop;
    ZoomProfile(pic, s, 1);
    EXPECT_GE(gChartBottom - gChartTop, kMinZoomSpan);
    EXPECT_LT(gChartTop, gChartBottom);
    steps += gChartTop != t;
  }
  EXPECT_GT(steps, 5);
  EXPECT_LT(steps, 60);
  for (int k = 0; k < steps; ++k) ZoomProfile(pic, s, 4);  // any other button zooms out
  EXPECT_EQ(gChartTop, 100);
  EXPECT_EQ(gChartBottom, 1050);

  // Zooming out stops once the top is at 30 mb or less; the top stays positive.
  for (int k = 0; k < 30; ++k) ZoomProfile(pic, s, 2);
  EXPECT_LE(gChartTop, 30);
  EXPECT_GE(gChartTop, 1);
  const int top = gChartTop, bottom = gChartBottom;
  ZoomProfile(pic, s, 2);
  EXPECT_EQ(gChartTop, top);
  EXPECT_EQ(gChartBottom, bottom);

  // While the inflow selection is on, a click on the chart only ends it.
  gChartTop = 100;
  testing::RecordingEvents events;
  events.takeClicks = true;
  s.events = &events;
  const std::vector<std::string>& topics = events.topics;
  picData_MouseUp(pic, s, 1, 0, 50, std::log(500.0));
  EXPECT_EQ(events.clicksTaken, 1);
  EXPECT_EQ(gChartTop, 100);
  EXPECT_EQ(topics, std::vector<std::string>{"Profile"});
  lblActiveDP_MouseUp(pic, s, 1);  // a label click zooms all the same
  EXPECT_EQ(gChartTop, 141);
}

TEST_F(CursorTest, ReadoutLevelTextsAndHeightFormats) {
  s.opt.chkActiveReadout = true;
  PlotProfile(pic, s);
  // 870 mb lies between the 900 and 850 mb levels: the readout is of 850 mb.
  picData_MouseMove(pic, s, 0, 0, 50, std::log(870.0));
  EXPECT_EQ(s.cursor.LastReadoutLevel, 4);
  EXPECT_EQ(s.cursor.lblActiveTemp.Caption, "< 11.0");
  EXPECT_EQ(s.cursor.lblActiveDP.Caption, "5.0 >");
  EXPECT_EQ(s.cursor.lblActiveDir.Caption, "230");
  EXPECT_EQ(s.cursor.lblActiveKts.Caption, "20");
  EXPECT_EQ(s.cursor.lblActiveAxis.Caption, "850mb");
  EXPECT_TRUE(s.cursor.lblActiveAxis.Visible);
  // Labels centred on the level; the temperature label right of its trace,
  // the dew-point label left of its own (plain chart: x = value).
  pic.Scale(gChartTMin, std::log(100.0), gChartTMax, std::log(static_cast<double>(DrawnChartBottom(s))));
  const double row = pic.YToPixel(std::log(850.0));
  EXPECT_NEAR(s.cursor.lblActiveTemp.TopPx + pic.TextHeight("< 11.0") / pic.ScaleHeight() * pic.PixelHeight() / 2,
              row, 1.5);
  EXPECT_GT(s.cursor.lblActiveTemp.LeftPx, pic.XToPixel(11));
  EXPECT_LT(s.cursor.lblActiveDP.LeftPx, pic.XToPixel(5) - 20);

  // Within the same level nothing is redone; below ground the labels hide.
  s.cursor.lblActiveAxis.Caption = "kept";
  picData_MouseMove(pic, s, 0, 0, 50, std::log(860.0));
  EXPECT_EQ(s.cursor.lblActiveAxis.Caption, "kept");
  // A redraw forgets what was read (another hour may stand there now): a
  // move within the same level reads it again.
  PlotProfile(pic, s);
  EXPECT_FALSE(s.cursor.lblActiveAxis.Visible);
  EXPECT_EQ(s.cursor.LastReadoutLevel, 0);
  picData_MouseMove(pic, s, 0, 0, 50, std::log(860.0));
  EXPECT_EQ(s.cursor.lblActiveAxis.Caption, "850mb");
  picData_MouseMove(pic, s, 0, 0, 50, std::log(1020.0));
  EXPECT_FALSE(s.cursor.lblActiveTemp.Visible);
  EXPECT_EQ(s.cursor.LastReadoutLevel, 0);
  // Above the top level (200 mb) the readout stays as it is.
  picData_MouseMove(pic, s, 0, 0, 50, std::log(150.0));
  EXPECT_EQ(s.cursor.LastReadoutLevel, 0);
  EXPECT_FALSE(s.cursor.lblActiveTemp.Visible);
  // Absurd values of a level: no label stands where no whole pixel lies, no
  // wind text holds a number no whole number holds.
  const Single t = gTemp(1, 0, 4), dir = gWdir(1, 0, 4);
  gTemp(1, 0, 4) = 3e38f;
  gWdir(1, 0, 4) = 3e38f;
  picData_MouseMove(pic, s, 0, 0, 50, std::log(870.0));
  EXPECT_EQ(s.cursor.LastReadoutLevel, 4);
  EXPECT_FALSE(s.cursor.lblActiveTemp.Visible);
  EXPECT_TRUE(s.cursor.lblActiveDP.Visible);
  EXPECT_EQ(s.cursor.lblActiveDir.Caption, "");
  gTemp(1, 0, 4) = t;
  gWdir(1, 0, 4) = dir;
  picData_MouseMove(pic, s, 0, 0, 50, std::log(1020.0));

  // Feet and km above ground: 1234 ft up shows 1200';
  // 1.23 km shows 1.2km and 42 m ".0km".
  const double z0 = StdHeightFtOfPressure(1000);
  const double p1234 = StdPressureOfFeet(static_cast<Single>(z0 + 1234));
  EXPECT_EQ(ReadoutAxisCaption(1, p1234, 1000), "1200'");
  const double m0 = StdHeightMOfPressure(1000);
  double lo = 300, hi = 1000;  // the pressure 1.23 km above 1000 mb, by bisection
  for (int k = 0; k < 60; ++k) {
    const double mid = (lo + hi) / 2;
    (StdHeightMOfPressure(static_cast<Single>(mid)) - m0 > 1230 ? lo : hi) = mid;
  }
  EXPECT_EQ(ReadoutAxisCaption(2, lo, 1000), "1.2km");
  EXPECT_EQ(ReadoutAxisCaption(2, 995, 1000), ".0km");
  // A level pressure no whole number holds gives no caption in any unit.
  for (int unit = 0; unit <= 2; ++unit) EXPECT_EQ(ReadoutAxisCaption(unit, 3e38, 1000), "") << unit;
  EXPECT_EQ(ReadoutTempCaption(-3.25), "< -3.3");
  EXPECT_EQ(ReadoutDewpointCaption(-0.04), "0.0 >");

  // No file: the cursor does nothing.
  s.in.FileLoaded = 0;
  picData_MouseMove(pic, s, 0, 0, 50, std::log(920.0));
  EXPECT_EQ(s.cursor.LastReadoutLevel, 0);
}

// The readout stands whole inside the chart where the level's traces run
// near its edges: the temperature near the right (bounds -40..12), the dew
// point near the left (4..60), the level at the chart's top (200 mb).
TEST_F(CursorTest, ReadoutStaysInsideTheChart) {
  s.opt.chkActiveReadout = true;
  const struct {
    Integer tMin, tMax, top;
    double p;  // under the cursor
  } cases[] = {{-40, 12, 100, 870}, {4, 60, 100, 870}, {-70, 40, 200, 205}, {-40, 40, 100, 870}};
  for (const auto& c : cases) {
    gChartTMin = c.tMin;
    gChartTMax = c.tMax;
    gChartTop = c.top;
    s.cursor.LastReadoutLevel = 0;
    PlotProfile(pic, s);
    picData_MouseMove(pic, s, 0, 0, 50, std::log(c.p));
    for (const ChartCursor::ReadoutLabel* l : {&s.cursor.lblActiveTemp, &s.cursor.lblActiveDP, &s.cursor.lblActiveDir,
                                               &s.cursor.lblActiveKts, &s.cursor.lblActiveAxis}) {
      ASSERT_TRUE(l->Visible) << l->Caption;
      const double w = pic.TextWidthPx(l->Caption), h = pic.TextHeightPx(l->Caption);
      EXPECT_GE(l->LeftPx, 0) << c.tMin << " " << l->Caption;
      EXPECT_LE(l->LeftPx + w, pic.PixelWidth() + 0.5) << c.tMin << " " << l->Caption;
      EXPECT_GE(l->TopPx, 0) << c.top << " " << l->Caption;
      EXPECT_LE(l->TopPx + h, pic.PixelHeight() + 0.5) << c.top << " " << l->Caption;
    }
  }
}

// The readout reads as its own, apart from what the chart prints: at every
// level of shipped files' hours, with the wind column's numbers (with and
// without directions, every member overlaid) and the title, the wind's and
// the height's labels stand on their level's row and keep a blank from
// every text of the chart and from the labels before them; the
// temperature's and the dew point's stand within a line of their traces'
// points (the chart's edge, for a point beyond it); none over the title.
TEST(ReadoutTest, EveryLabelStandsClearOfTheChartsTexts) {
  const struct {
    const char* file;
    int width, height;
    bool directions, overlay;
    Integer hour;
  } cases[] = {{"NAM_KOKC.ond", 976, 406, false, false, 33}, {"NAM_KOKC.ond", 976, 406, true, false, 12},
               {"GFS_KBOS.ond", 509, 657, true, false, 16},  {"SREF_KOKC.ond", 700, 600, false, true, 12}};
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases) {
    testing::ResetChartGlobals();
    LoadOptions o;
    o.modelKey = std::string(c.file).rfind("GFS", 0) == 0 ? "gfs3" : "eta";
    ASSERT_TRUE(LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/" + c.file, o).ok);
    gLoadingState = false;
    gOverlayAll = c.overlay;
    gChartTMin = -60;
    gChartTMax = 30;
    ChartState s;
    s.in.FileLoaded = true;
    s.in.CurHour = c.hour;
    s.opt.chkActiveReadout = s.opt.chkWindVector = s.opt.chkWindDigital = true;
    s.opt.DigitalWindDirections = c.directions;
    PictureBox pic;
    pic.Resize(c.width, c.height, 1);
    pic.BackColor = kBlack;
    PlotProfile(pic, s);
    const double line = pic.TextHeightPx("9"), blank = pic.TextWidthPx(" ");
    std::vector<QRectF> texts;
    for (const PictureBox::PrintedText& t : pic.PrintedTexts()) texts.push_back(t.ink);
    const auto named = std::find_if(pic.PrintedTexts().begin(), pic.PrintedTexts().end(), [](const auto& t) {
      return t.text == gDatasetTitle(gCurDataset) + gDatasetLabel(gCurDataset);
    });
    ASSERT_NE(named, pic.PrintedTexts().end());
    const QRectF title = named->ink;
    for (Integer L = 1; L <= gNumLevels(gCurDataset); ++L) {
      const double p = gPres(gCurDataset, c.hour, L);
      if (p > gSfcPres(gCurDataset, c.hour) || p < gChartTop + 30) continue;
      s.cursor.LastReadoutLevel = 0;
      picData_MouseMove(pic, s, 0, 0, 50, std::log(p) + 1e-6);  // (not above the level)
      ASSERT_EQ(s.cursor.LastReadoutLevel, L);
      const double row = pic.YToPixel(std::log(p));
      SetTemperatureSystem(pic, s);
      const double skew = s.draw.LnSurfacePres - std::log(p);
      const auto x = [&](double t) { return std::clamp(pic.XToPixel(t + skew * s.draw.SkewFactor), 0.0, 1.0 * c.width); };
      const QPointF tempAt(x(gTemp(gCurDataset, c.hour, L)), row), dewAt(x(gDewpt(gCurDataset, c.hour, L)), row);
      SetFrameSystem(pic, s);
      std::vector<QRectF> taken = texts;
      const struct {
        const ChartCursor::ReadoutLabel& label;
        const QPointF* point;  // null: on its row
      } labels[] = {{s.cursor.lblActiveKts, nullptr},
                    {s.cursor.lblActiveDir, nullptr},
                    {s.cursor.lblActiveTemp, &tempAt},
                    {s.cursor.lblActiveDP, &dewAt},
                    {s.cursor.lblActiveAxis, nullptr}};
      for (const auto& [l, point] : labels) {
        if (!l.Visible) continue;
        const std::string where = std::string(c.file) + " at " + std::to_string(p) + " mb: \"" + l.Caption + "\"";
        const QRectF r(l.LeftPx, l.TopPx, pic.TextWidthPx(l.Caption), pic.TextHeightPx(l.Caption));
        const QRectF room = r.adjusted(-blank + 0.01, -0.99, blank - 0.01, 0.99);
        EXPECT_FALSE(room.intersects(title)) << where << " over the title";
        if (point == nullptr) {
          for (const QRectF& t : taken) EXPECT_FALSE(room.intersects(t)) << where << " meets a text at " << t.x() << "," << t.y();
          EXPECT_NEAR(r.center().y(), row, 0.25 * line + 1) << where;
        } else {
          const double dx = std::max({r.left() - point->x(), point->x() - r.right(), 0.0});
          const double dy = std::max({r.top() - point->y(), point->y() - r.bottom(), 0.0});
          EXPECT_LE(std::hypot(dx, dy), line) << where;
        }
        taken.push_back(r);
      }
    }
  }
  PictureBox::RecordPrintedTexts(false);
  gOverlayAll = false;
  for (int d = 0; d <= kMaxDatasets; ++d) gTopLevel(d) = 0;
}

TEST_F(CursorTest, ElevatedParcelSketchIsErasedExactly) {
  // Hand-made parcels: from level 2 buoyant up to level 8, from level 3 up to
  // level 6, from level 4 nowhere buoyant.
  auto parcel = [](int l0, int top, float warm) {
    gLevelParcelDone(1, 0, l0) = true;
    gElevELLevel(1, 0, l0) = top;
    for (int k = l0; k <= top; ++k) gElevParcelTemp(1, 0, l0, k) = gTemp(1, 0, k) + warm;
    gElevELTemp(1, 0, l0) = gTemp(1, 0, top) - 1;
    gElevELPres(1, 0, l0) = gPres(1, 0, top) - 20;
    gElevCape(1, 0, l0) = 1234.4f;
    gElevHailCape(1, 0, l0) = 308.6f;
    gElevCin(1, 0, l0) = 12.5f;
    gElevEL(1, 0, l0) = 20500;
    gElevNCape(1, 0, l0) = 0.125f;
  };
  parcel(2, 8, 3);
  parcel(3, 6, 5);
  parcel(4, 0, 0);

  s.opt.chkSkewT = true;
  PlotProfile(pic, s);
  const QImage clean = pic.Image().copy();

  PlotECAPE(pic, s, 0, 2);
  EXPECT_TRUE(s.cursor.ElevSketchDrawn);
  EXPECT_NE(pic.Image(), clean);
  EXPECT_EQ(pic.Mode, DrawMode::CopyPen);
  EXPECT_EQ(s.cursor.frameECAPE.lblEParcelp, "950 mb");
  EXPECT_EQ(s.cursor.frameECAPE.lblEParcelt, "17 C");
  EXPECT_EQ(s.cursor.frameECAPE.lblECAPE, "1234 J/kg");
  EXPECT_EQ(s.cursor.frameECAPE.lblECIN, "12 J/kg ");  // halves to even
  EXPECT_EQ(s.cursor.frameECAPE.lblEEQL, "20500 ft");
  EXPECT_EQ(s.cursor.frameECAPE.lblNECAPE, "12 cm/s");
  EXPECT_NEAR(s.cursor.frameECAPE.HailCapeShare, 0.25, 1e-6);

  PlotECAPE(pic, s, 0, 3);  // replaces the sketch
  EXPECT_NE(pic.Image(), clean);
  PlotECAPE(pic, s, 0, 4);  // nowhere buoyant: the sketch goes, labels blank
  EXPECT_FALSE(s.cursor.ElevSketchDrawn);
  EXPECT_EQ(pic.Image(), clean);
  EXPECT_EQ(s.cursor.frameECAPE.lblECAPE, "");
  EXPECT_FALSE(s.cursor.frameECAPE.picEHailCapeVisible);

  // A redraw takes the sketch off the chart and clears the flag, so the next
  // parcel erases nothing that is not there: no ghost.
  PlotECAPE(pic, s, 0, 2);
  PlotProfile(pic, s);
  EXPECT_FALSE(s.cursor.ElevSketchDrawn);
  EXPECT_EQ(pic.Image(), clean);
  PlotECAPE(pic, s, 0, 2);
  PlotECAPE(pic, s, 0, 4);
  EXPECT_EQ(pic.Image(), clean);

  // The bar: a quarter black.
  PictureBox bar(40, 10);
  PlotECAPE(pic, s, 0, 2);
  DrawEHailCapeBar(bar, s.cursor.frameECAPE, RGB(240, 240, 240));
  EXPECT_EQ(bar.Image().pixelColor(5, 5), QColor(0, 0, 0));
  EXPECT_EQ(bar.Image().pixelColor(20, 5), QColor(240, 240, 240));
}

// A sample file's hour with every overlay on, the readout and an elevated
// parcel under the cursor: build-*/test-tmp/chart_overlays.png.
TEST_F(CursorTest, RenderSampleHourWithEveryOverlay) {
  LoadOptions o;
  o.modelKey = "eta";
  ASSERT_TRUE(LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/NAM_KOKC.ond", o).ok);
  gCurDataset = 1;
  gChartTop = 100;
  SetProfileTopLevels();
  // The hour with the most cloud, so that every overlay has something to show.
  int most = -1;
  for (Integer h = 0; h <= gLastHour(1); ++h) {
    int n = 0;
    for (Integer k = 1; k <= gNumLevels(1); ++k) n += gCfrl(1, h, k) > 30;
    if (n > most) {
      most = n;
      s.in.CurHour = h;
    }
  }
  s.opt.chkSkewT = true;
  s.opt.chkClouds = true;
  s.opt.chkLayer2Layer = true;
  s.in.LayerShearT1 = 30;  // low thresholds, so that bands show in the sample
  s.in.LayerShearT2 = 60;
  s.opt.chkRH = {false, true};
  s.opt.chkInversions = true;
  s.opt.chkActiveReadout = true;
  s.opt.chkECAPE = true;

  PictureBox chart(520, 640);
  chart.BackColor = kBlack;
  PlotProfile(chart, s);
  // Find a level whose parcel is buoyant, and move the cursor onto it.
  Integer L = 0;
  for (Integer k = 1; k <= gNumLevels(1) && L == 0; ++k) {
    picData_MouseMove(chart, s, 0, 0, 50, std::log(static_cast<double>(gPres(1, s.in.CurHour, k))));
    if (s.cursor.ElevSketchDrawn) L = k;
  }
  EXPECT_GT(L, 0);
  EXPECT_TRUE(s.cursor.lblActiveTemp.Visible);

  QImage img = chart.Image().copy();
  QPainter painter(&img);
  painter.setPen(Qt::white);
  for (const ChartCursor::ReadoutLabel* l :
       {&s.cursor.lblActiveTemp, &s.cursor.lblActiveDP, &s.cursor.lblActiveDir, &s.cursor.lblActiveKts, &s.cursor.lblActiveAxis})
    if (l->Visible)
      painter.drawText(QPointF(l->LeftPx, l->TopPx + 10), QString::fromStdString(l->Caption));
  painter.drawText(QPointF(300, 20), QString::fromStdString("ECAPE " + s.cursor.frameECAPE.lblECAPE));
  painter.end();
  QDir().mkpath(ONDRIK_TEST_TMP);
  EXPECT_TRUE(img.save(QString(ONDRIK_TEST_TMP) + "/chart_overlays.png", "PNG"));
}

}  // namespace
}  // namespace ondrik
