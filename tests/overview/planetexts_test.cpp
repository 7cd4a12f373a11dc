// The texts of the overview's main picture (contour labels, the marks of
// the extremes, the dataset title) on the busy shipped files, in every time
// window and scrolled, at the snapshot sizes: each stands whole inside the
// picture, a pixel apart from the others all round, and nothing drawn (a
// grid line, another contour) crosses its strokes or touches its ink.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/derived.h"
#include "overview/plotters.h"
#include "tests/common/text_check.h"
#include "tests/overview/overview_test_util.h"

namespace ondrik {
namespace {

// The plane's texts keep a gap all round.
const testing::Checks kApart = {.round = true, .apart = true};

class PlaneTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { PictureBox::RecordPrintedTexts(true); }
  void TearDown() override { PictureBox::RecordPrintedTexts(false); }
};

// Contour fields over the height and time grids.
TEST_F(PlaneTextsTest, ContourTextsStandWholeApartAndUncrossed) {
  const struct {
    const char* file;
    std::vector<BoxId> fields;
  } cases[] = {
      {"NAM_KOKC.ond", {kBoxTemperature, kBoxDPD}},
      {"NAM_KMSP.ond", {kBoxTemperature, kBoxVelocity}},
      {"NAM_KDEN.ond", {kBoxThetaE, kBoxWetBulb}},
      {"NAM_KBOS.ond", {kBoxTemperature, kBoxRHContour}},
      {"SREF_KOKC.ond", {kBoxTemperature, kBoxOmega}},  // eight datasets: the title too
  };
  const struct {
    int w, h;
  } sizes[] = {{857, 561}, {428, 280}, {1285, 841}};  // the snapshot at 100, 50 and 150 %
  for (const auto& c : cases) {
    OverviewState s;
    ASSERT_TRUE(testing::LoadShipped(c.file, s, "KOKC - NAM - ONDRIK"));
    MakeHeightScale();
    for (const BoxId id : c.fields) s.opt.box[static_cast<size_t>(id)] = 1;
    s.opt.box[kBoxGridHeight] = s.opt.box[kBoxGridTime] = s.opt.box[kBoxCursor] = 1;
    testing::OverviewPictures pics;
    for (const auto& size : sizes) {
      pics.rh.Resize(size.w, size.h);
      pics.left.Resize(60, size.h);
      pics.right.Resize(60, size.h);
      // The four time windows, and the first scrolled half-way.
      for (int window = 0; window <= 4; ++window) {
        const Integer steps = s.in.WindowSteps[static_cast<size_t>(window % 4)];
        SetTimeWindow(s.frame, ColumnsOfWindow(static_cast<Single>(steps) * gHoursPerStep),
                      window == 4 ? steps / 2 : 0);
        OverviewDraw d = pics.Draw(s);
        s.in.HourValue = 3 + window * 7;  // the hour cursor somewhere else each time
        PlotData(d);
        EXPECT_EQ(testing::FaultLines(pics.rh, kApart), "") << c.file << " " << size.w << "x" << size.h << " window " << window;
        EXPECT_GT(pics.rh.PrintedTexts().size(), 3u) << c.file << " " << size.w << " window " << window;
      }
    }
  }
}

// Where a text may stand on a picture of cells painted before it, with the
// lines a plan records for what is drawn after it: whole a pixel in from
// the edges, off the lines by its gap, and on one colour or on the named
// dark colours only.
TEST_F(PlaneTextsTest, TextsStandOnQuietGroundOffThePlan) {
  PictureBox pic(100, 60);
  pic.BackColor = kBlack;
  pic.Cls();
  pic.Box(0, 0, 49, 29, RGB(0, 191, 0), true);  // a bright cell, top left
  pic.Box(50, 30, 99, 59, RGB(40, 40, 12), true);  // the dry class, bottom right
  pic.Box(26, 44, 40, 59, RGB(16, 16, 16), true);  // a dark grey cell, not one of the named dark colours
  const struct {
    const char* name;
    PixelBox ink;
    bool stands;
  } cases[] = {
      {"on black", {60, 5, 80, 15}, true},
      {"inside the bright cell", {10, 5, 30, 15}, true},
      {"half on the bright cell", {40, 5, 60, 15}, false},
      {"within its gap of the bright cell", {51, 5, 70, 15}, false},
      {"over the dry class and black", {40, 32, 60, 40}, true},
      {"over a dark grey and black", {20, 46, 34, 54}, false},
      {"on the picture's outermost column", {0, 40, 20, 50}, false},
      {"a pixel in", {1, 40, 20, 50}, true},
      {"on the outermost row", {60, 45, 80, 60}, false},
      {"crossed by a strip to come", {60, 20, 80, 28}, false},
      {"within its gap of the strip", {60, 26, 80, 29}, false},
      {"clear of the strip", {60, 28, 80, 32}, true},
  };
  PlaneTexts texts;
  texts.Reset(100, 60);
  texts.Record({55, 24, 99, 24, 1.5});  // a strip 3 wide, drawn after the texts
  for (const auto& c : cases)
    EXPECT_EQ(texts.Free(c.ink) && OnQuietGround(pic, c.ink.Grown(PlaneTexts::kGap), {kBlack, RGB(40, 40, 12)}),
              c.stands)
        << c.name;
}

// A text at or past an edge of its picture is moved in until its ink stands
// a pixel inside; one inside stays.
TEST_F(PlaneTextsTest, MovedInsideAPixelFromTheEdges) {
  PictureBox pic(120, 40);
  const double w = pic.TextWidthPx("25K"), h = pic.TextHeightPx("25K");
  const struct {
    double x, y;
    bool stays;
  } cases[] = {{0, 10, false}, {-5, -5, false}, {120 - w, 40 - h, false}, {200, 100, false}, {30, 10, true}};
  for (const auto& c : cases) {
    double x = c.x, y = c.y;
    const PixelBox ink = MoveInside(pic, "25K", x, y);
    const PixelBox printed = InkBox(pic, "25K", x, y);
    EXPECT_GE(ink.left, 1) << c.x;
    EXPECT_GE(ink.top, 1) << c.y;
    EXPECT_LE(ink.right, 119) << c.x;
    EXPECT_LE(ink.bottom, 39) << c.y;
    EXPECT_EQ(ink.left, printed.left);
    EXPECT_EQ(c.stays, x == c.x && y == c.y) << c.x << "," << c.y;
  }
}

// The sigma-wind legend in its picture of the window (56 x 40 pixels, 1000
// by 600 units), at the screen's scale and a finer one: the line of each
// level in its colour, and its pressure whole beside it, also at four
// digits.
TEST_F(PlaneTextsTest, SigmaWindLegendStandsWhole) {
  const struct {
    Single p[3];
    double deviceScale;
  } cases[] = {{{1000, 1000, 1000}, 1}, {{1000, 975, 950}, 1.5}, {{850, 700, 500}, 1}, {{100, 70, 10}, 1.5}};
  for (const auto& c : cases) {
    gDatasetCount = 1;
    gCurDataset = 1;
    gLastHour(1) = 0;
    gNumLevels(1) = 3;
    for (int k = 1; k <= 3; ++k) gPres(1, 0, k) = c.p[k - 1];
    OverviewState s;
    s.in.SigmaLevelStep = 1;
    s.opt.SigmaLevel = 2;  // levels 1, 2 and 3
    PictureBox pic(56, 40);
    pic.Resize(56, 40, c.deviceScale);
    pic.BackColor = kBlack;
    pic.ForeColor = kWhite;
    pic.Scale(0, 0, 1000, 600);
    DrawSigmaWindScale(pic, s);
    ASSERT_EQ(pic.PrintedTexts().size(), 3u);
    EXPECT_EQ(testing::FaultLines(pic, kApart), "") << c.p[0] << " at scale " << c.deviceScale;
    for (Color line : {RGB(255, 0, 255), kYellow, kCyan})
      EXPECT_TRUE(c.deviceScale != 1 || testing::CountColour(pic, line) > 10) << "no line of its colour";
  }
  gDatasetCount = 0;
}

// The scale labels of the side pictures on a squeezed axis (the
// visibility's, whose top values lie close; the snapshot at half size) and
// with the "10 meter" row over a precipitation column of many values: none
// runs into another.
TEST_F(PlaneTextsTest, SideLabelsStandApart) {
  const struct {
    std::vector<BoxId> boxes;
    bool tenMeterBase;
    Single precipSpan;
    int height;
  } cases[] = {{{kBoxVisibility}, false, 0.1f, 280},
               {{kBoxVisibility}, false, 0.1f, 561},
               {{kBoxVWP, kBoxPrecip, kBoxSfcTemp}, true, 0.2f, 280},
               {{kBoxVWP, kBoxPrecip}, true, 0.2f, 561}};
  for (const auto& c : cases) {
    OverviewState s;
    ASSERT_TRUE(testing::LoadShipped("NAM_KDEN.ond", s, "KDEN - NAM - ONDRIK"));
    MakeHeightScale();
    for (const BoxId id : c.boxes) s.opt.box[static_cast<size_t>(id)] = 1;
    s.frame.PrecipSpan = c.precipSpan;
    if (c.tenMeterBase) {
      s.opt.TenMeterBase = -1;
      s.frame.LogPSpan *= 1 + kTenMeterReach;
      SetPlaneBottom(s.frame, true, 1);
    }
    testing::OverviewPictures pics;
    const int side = SidePictureWidth(pics.left);
    pics.rh.Resize(pics.rh.PixelWidth(), c.height);
    pics.left.Resize(side, c.height);
    pics.right.Resize(side, c.height);
    OverviewDraw d = pics.Draw(s);
    PlotData(d);
    for (const PictureBox* pic : {&pics.left, &pics.right})
      EXPECT_EQ(testing::FaultLines(*pic, kApart), "") << Row(c.boxes.front()).name << " at " << c.height;
  }
}

}  // namespace
}  // namespace ondrik
