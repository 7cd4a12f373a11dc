// The overview's fields and strips drawn on shipped files, page by page (the
// pictures are saved for looking at), and the drawing rules a picture shows:
// the visibility axis, the hour 0 of the layer-CAPE lines, the precipitation
// legend and the on-demand series behind the strips.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <initializer_list>

#include "core/guards.h"
#include "overview/calc.h"
#include "overview/plotters.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

using testing::CountColour;
using testing::CountNot;
using testing::OverviewPictures;

void TickPage(OverviewState& s, int page) {
  for (const OverviewRow& r : OverviewRows())
    if ((r.kind == BoxKind::Field || r.kind == BoxKind::Strip) && r.place == page) s.opt.box[static_cast<size_t>(r.id)] = 1;
  s.opt.box[kBoxRH1] = 0;
}

TEST(OverviewStrips, EveryStripAndDerivedFieldHasAPlotter) {
  for (const OverviewRow& r : OverviewRows())
    if (r.kind == BoxKind::Strip || r.kind == BoxKind::Field) {
      EXPECT_NE(r.plot, nullptr) << r.name;
    }
}

TEST(OverviewStrips, EveryPageOnShippedFiles) {
  struct {
    const char* file;
    const char* caption;
    bool overlay;
  } files[] = {{"NAM_KMSP.ond", "KMSP - NAM - ONDRIK", false},
               {"NAM_KBOS.ond", "KBOS - NAM - ONDRIK", false},
               {"SREF_KOKC.ond", "KOKC - SREF - ONDRIK", true}};
  for (const auto& f : files) {
    OverviewState s;
    ASSERT_TRUE(testing::LoadShipped(f.file, s, f.caption));
    gOverlayAll = f.overlay;
    s.opt.CapeLineOn = {true, false, false, true, true, false, false, true};
    s.opt.TenMeterBase = -1;
    s.opt.VWPAuto = -1;
    s.opt.SigmaLevel = 8;
    s.opt.MeanWindLevels = {1, 12};
    OverviewPictures pics;
    OverviewDraw d = pics.Draw(s);
    for (int page = kPageContour; page < kOverviewPageCount; ++page) {
      if (page == kPageControls) continue;
      s.opt.box.fill(0);
      TickPage(s, page);
      s.opt.box[kBoxGridTime] = 1;
      PlotData(d);
      DrawTimeAxis(pics.time, s);
      pics.Save(std::string("strips-") + f.file + "-page" + std::to_string(page) + ".png");
      EXPECT_GT(CountNot(pics.rh, kBlack), 2000) << f.file << " page " << page;
      EXPECT_EQ(gCurDataset, 1);
    }
    gOverlayAll = false;
  }
}

// Every strip alone on a shipped file draws its line (ONDRIK_KEEP_PNG set:
// a picture of each in the test folder to look at).
TEST(OverviewStrips, EachStripDrawsAlone) {
  OverviewState s;
  ASSERT_TRUE(testing::LoadShipped("NAM_KOKC.ond", s, "KOKC - NAM - ONDRIK"));
  OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  for (const OverviewRow& r : OverviewRows()) {
    if (r.kind != BoxKind::Strip) continue;
    s.opt = OverviewOptions{};
    s.opt.CapeLineOn = {true, false, false, true, false, false, false, true};
    s.opt.box[static_cast<size_t>(r.id)] = 1;
    s.frame.TempBottom = 0;  // the speeds on the temperature axis too
    s.frame.TempSpan = 100;
    PlotData(d);
    DrawTimeAxis(pics.time, s);
    if (std::getenv("ONDRIK_KEEP_PNG") != nullptr) pics.Save("strip-nam-" + std::string(r.name) + ".png");
    EXPECT_GT(CountNot(pics.rh, kBlack), 150) << r.name;
  }
}

// A 3-hourly file read with an hourly model's key: the 3-hour pressure
// change spans one step of the file, so its line starts at the second hour.
TEST(OverviewStrips, PressureChangeSpansThreeHoursOfTheFile) {
  OverviewState s;
  ASSERT_TRUE(testing::LoadShipped("SREF_KOKC.ond", s, "KOKC - SREF - ONDRIK"));
  ASSERT_EQ(gHoursPerStep, 3);
  s.in.ModelHourStep = 1;  // the "eta" key's
  s.opt.box.fill(0);
  s.opt.box[kBoxPresChange3h] = 1;
  OverviewPictures pics;
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  const OverviewFrame& f = s.frame;
  const int x = static_cast<int>((f.TimeLeft - 1.5) / (f.TimeLeft - f.TimeRight) * pics.rh.PixelWidth());
  int line = 0;
  for (int y = 0; y < pics.rh.PixelHeight(); ++y) line += testing::Pixel(pics.rh, x, y) == RGB(255, 0, 255);
  EXPECT_GT(line, 0);
}

class OverviewStripTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing::LoadShipped("NAM_KMSP.ond", s, "KMSP - NAM - ONDRIK")); }
  void TearDown() override { gVisAxisTop = 10; }
  void Only(BoxId id) {
    s.opt.box.fill(0);
    s.opt.box[static_cast<size_t>(id)] = 1;
  }
  OverviewState s;
  OverviewPictures pics;
};

TEST_F(OverviewStripTest, VisibilityBeyondAZoomedAxisLiesAtTheTop) {
  for (int h = 0; h <= gLastHour(1); ++h) gVisibility(1, h) = 20;  // 12.4 miles
  gVisAxisTop = 5;
  Only(kBoxVisibility);
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  const Color pen = RGB(63, 127, 255);
  int top = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < pics.rh.PixelWidth(); ++x) top += testing::Pixel(pics.rh, x, y) == pen;
  EXPECT_GT(top, 100);
  EXPECT_EQ(top, CountColour(pics.rh, pen));
}

TEST_F(OverviewStripTest, SeriesRunOnDemandAndTheLegendFollowsTheBars) {
  s.opt.CapeLineOn = {false, false, false, true, false, false, false, false};
  Only(kBoxCAPE);
  s.opt.box[kBoxPrecip] = 1;
  s.opt.box[kBoxSnowFall] = 1;
  s.opt.box[kBoxStormRelInflow] = 1;
  OverviewDraw d = pics.Draw(s);
  for (int h = 0; h <= gLastHour(1); ++h) {
    gPrecip(1, h) = h == 4 ? 0.05f : 0;
    gConvPrecip(1, h) = 0;
    gPtypeSrcB(1, h) = kPtypeSnow;
  }
  PlotData(d);
  EXPECT_TRUE(IsDone(gLayerCapeDone(1, 0)));  // hour 0 of the layer lines is computed too
  EXPECT_TRUE(IsDone(Store().SnowRatioDone(1)));  // the snowfall strip computes the ratio
  EXPECT_TRUE(IsDone(gHelicityDone(1, gLastHour(1))));  // the inflow strip computes the helicity
  EXPECT_EQ(s.draw.PTypeSeen, (std::array<bool, 5>{false, false, true, false, false}));
  EXPECT_GT(CountColour(pics.rh, kBlue), 20);  // the snow bar
  gDatasetShown(1) = false;
  PlotData(d);
  EXPECT_EQ(MakePTypeSummary(1), (std::array<bool, 5>{}));
  gDatasetShown(1) = true;
}

TEST_F(OverviewStripTest, ElevatedCapeContoursFollowTheLowestClass) {
  ASSERT_TRUE(testing::LoadShipped("SREF_KOKC.ond", s, "KOKC - SREF - ONDRIK"));
  Only(kBoxECAPE);
  s.opt.ContourInterval = 1;
  OverviewDraw d = pics.Draw(s);
  std::array<int, 6> yellow{};
  for (int lowest = 0; lowest <= 5; ++lowest) {
    s.opt.ECAPELowestClass = lowest;
    PlotData(d);
    yellow[static_cast<size_t>(lowest)] = CountColour(pics.rh, kYellow);
  }
  EXPECT_GT(yellow[0], yellow[2]);
  EXPECT_GT(yellow[2], yellow[4]);
  EXPECT_GE(yellow[4], yellow[5]);  // the last value is always drawn
  EXPECT_GT(yellow[5], 0);
}

TEST_F(OverviewStripTest, HeightLinesLeaveOutWhatIsNoLevel) {
  Only(kBoxHeights);
  s.opt.HeightLineOn = {false, true, false, false};  // the LCL alone
  OverviewDraw d = pics.Draw(s);
  PlotData(d);
  EXPECT_GT(CountColour(pics.rh, kRed), 100);
  for (int h = 0; h <= gLastHour(1); ++h) gLclPres(1, h) = 0;  // no LCL: a gap, not ln 0
  PlotData(d);
  EXPECT_EQ(CountColour(pics.rh, kRed), 0);
  // An LFC exactly 40 mb above the surface is not drawn either.
  s.opt.HeightLineOn = {false, false, true, false};
  for (int h = 0; h <= gLastHour(1); ++h) gLfct(1, h) = gPres(1, h, 0) - 40;
  PlotData(d);
  EXPECT_EQ(CountColour(pics.rh, kYellow), 0);
}

// A strip of the colour of a fill or bar under it (the dew point over the
// humidity fill and over the rain bars, both of its green; the precipitable
// water over the fill) stays whole: where it crosses them, the pixels along
// its line are of the back colour, not the fill's.
TEST_F(OverviewStripTest, TraceKeepsARimOverAFillOfItsColour) {
  ASSERT_TRUE(testing::LoadShipped("NAM_KOKC.ond", s, "KOKC - NAM - ONDRIK"));
  const struct {
    BoxId under, strip;
  } cases[] = {{kBoxRH0, kBoxSfcDewPoint}, {kBoxPrecip, kBoxSfcDewPoint}, {kBoxRH0, kBoxPrecipWater}};
  OverviewDraw d = pics.Draw(s);
  const auto draw = [&](std::initializer_list<BoxId> ids) {
    s.opt.box.fill(0);
    for (BoxId id : ids) s.opt.box[static_cast<size_t>(id)] = 1;
    PlotData(d);
    return pics.rh.Image().copy();
  };
  for (const auto& c : cases) {
    const QImage under = draw({c.under}), line = draw({c.strip}), both = draw({c.under, c.strip});
    const auto black = [](const QImage& im, int x, int y) { return (im.pixel(x, y) & 0xFFFFFF) == 0; };
    int rim = 0, kept = 0;
    for (int y = 1; y + 1 < line.height(); ++y)
      for (int x = 1; x + 1 < line.width(); ++x) {
        if (!black(line, x, y) || black(under, x, y)) continue;
        bool beside = false;  // a pixel next to the line, over the fill
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) beside = beside || !black(line, x + dx, y + dy);
        if (!beside) continue;
        ++rim;
        kept += black(both, x, y);
      }
    ASSERT_GT(rim, 50) << Row(c.strip).name << " over " << Row(c.under).name;
    EXPECT_GT(kept, rim * 3 / 4) << Row(c.strip).name << " over " << Row(c.under).name;
  }
}

}  // namespace
}  // namespace ondrik
