#include "platform/picturebox.h"
#include "platform/picturetext.h"
#include "tests/platform/picturebox_util.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace ondrik {
namespace {

using testpic::At;
using testpic::BlackPicture;
using testpic::Extent;
using testpic::Painted;

TEST(PictureBoxTest, UserScaleMapsCornersAndGrowsUpwards) {
  PictureBox pic(200, 100);
  // x from -10 (left) to 30 (right), y from 50 (top) down to 0 (bottom).
  pic.Scale(-10, 50, 30, 0);
  EXPECT_DOUBLE_EQ(pic.ScaleLeft(), -10);
  EXPECT_DOUBLE_EQ(pic.ScaleTop(), 50);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 40);
  EXPECT_DOUBLE_EQ(pic.ScaleHeight(), -50);
  // x = 0 is a quarter of the way across: 50 px; y = 10 is a fifth up from
  // the bottom: 80 px from the top.
  EXPECT_DOUBLE_EQ(pic.XToPixel(0), 50);
  EXPECT_DOUBLE_EQ(pic.YToPixel(10), 80);
  EXPECT_DOUBLE_EQ(pic.XToPixel(30), 200);
  EXPECT_DOUBLE_EQ(pic.YToPixel(0), 100);
  EXPECT_DOUBLE_EQ(pic.PixelToX(50), 0);
  EXPECT_DOUBLE_EQ(pic.PixelToY(80), 10);
  EXPECT_LT(pic.YToPixel(20), pic.YToPixel(10));  // larger y is higher up

  // A resize keeps the corners: the same point lands at twice the pixels.
  pic.Resize(400, 200);
  EXPECT_DOUBLE_EQ(pic.XToPixel(0), 100);
  EXPECT_DOUBLE_EQ(pic.YToPixel(10), 160);

  // A zero-size or non-finite scale is refused; the old one stays.
  pic.Scale(5, 5, 5, 10);
  pic.Scale(0, 0, std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 40);

  pic.ScalePixels();
  EXPECT_DOUBLE_EQ(pic.XToPixel(7), 7);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 400);
  pic.Resize(50, 60);  // pixel coordinates follow the new size
  EXPECT_DOUBLE_EQ(pic.ScaleHeight(), 60);

  // Cls puts the current point at the top-left corner of the scale.
  pic.Scale(3, 9, 4, 1);
  pic.CurrentX = 100;
  pic.Cls();
  EXPECT_DOUBLE_EQ(pic.CurrentX, 3);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 9);
}

TEST(PictureBoxTest, LinesLandOnTheExpectedPixels) {
  PictureBox pic = BlackPicture(100, 100);
  pic.Scale(0, 10, 10, 0);  // 10 px per unit, y upwards
  const Color red = RGB(255, 0, 0);
  pic.Line(1, 9, 8, 9, red);  // y = 9 is 10 px from the top, x 10..80 px
  EXPECT_EQ(At(pic, 10, 10), red);
  EXPECT_EQ(At(pic, 45, 10), red);
  EXPECT_EQ(At(pic, 79, 10), red);
  EXPECT_EQ(At(pic, 45, 9), kBlack);
  EXPECT_EQ(At(pic, 45, 11), kBlack);
  EXPECT_EQ(At(pic, 8, 10), kBlack);
  EXPECT_EQ(At(pic, 82, 10), kBlack);
  EXPECT_DOUBLE_EQ(pic.CurrentX, 8);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 9);

  // Continue down from the current point, then by an offset.
  pic.ForeColor = RGB(0, 255, 0);
  pic.LineTo(8, 2);  // 80 px across, from 10 down to 80 px
  EXPECT_EQ(At(pic, 80, 50), RGB(0, 255, 0));
  EXPECT_EQ(At(pic, 81, 50), kBlack);
  pic.LineRel(-5, 0, RGB(0, 0, 255));  // to x = 3 at y = 2: 30..80 px on row 80
  EXPECT_EQ(At(pic, 40, 80), RGB(0, 0, 255));
  EXPECT_DOUBLE_EQ(pic.CurrentX, 3);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 2);

  // A wide pen covers the rows around the line; a dotted one leaves gaps.
  PictureBox wide = BlackPicture(100, 100);
  wide.DrawWidth = 3;
  wide.Line(10, 50, 90, 50, kWhite);
  EXPECT_EQ(At(wide, 50, 49), kWhite);
  EXPECT_EQ(At(wide, 50, 51), kWhite);
  EXPECT_EQ(At(wide, 50, 53), kBlack);
  PictureBox dots = BlackPicture(100, 100);
  dots.Style = DrawStyle::Dot;
  dots.Line(10, 50, 90, 50, kWhite);
  int lit = 0;
  for (int x = 10; x <= 90; ++x) lit += At(dots, x, 50) == kWhite;
  EXPECT_GT(lit, 15);
  EXPECT_LT(lit, 60);
}

TEST(PictureBoxTest, RasterModesCombinePenAndPicture) {
  // A background with some structure, so that XOR has something to undo.
  PictureBox pic = BlackPicture(120, 80);
  pic.Box(10, 10, 60, 40, RGB(200, 100, 50), true);
  pic.Box(50, 30, 110, 70, RGB(12, 34, 56), true);
  const QImage before = pic.Image().copy();

  pic.Mode = DrawMode::XorPen;
  auto draw = [&pic] {
    pic.Style = DrawStyle::Dot;
    pic.Line(0, 0, 119, 79, RGB(255, 255, 0));
    pic.Style = DrawStyle::Solid;
    pic.DrawWidth = 3;
    pic.Line(5, 70, 115, 5, RGB(0, 128, 255));
    pic.DrawWidth = 1;
    pic.Circle(60, 40, 25, RGB(255, 0, 255));
    pic.Box(20, 20, 100, 60, RGB(1, 2, 3), false);
  };
  draw();
  EXPECT_NE(pic.Image(), before);
  draw();
  EXPECT_EQ(pic.Image(), before);  // drawing it again restores the picture exactly

  // Exclusive-or on known pixels: on black the pen colour, on the pen colour black.
  PictureBox x = BlackPicture(20, 20);
  x.Mode = DrawMode::XorPen;
  x.Line(0, 5, 19, 5, RGB(255, 0, 0));
  EXPECT_EQ(At(x, 10, 5), RGB(255, 0, 0));
  x.Line(10, 0, 10, 19, RGB(255, 0, 0));
  EXPECT_EQ(At(x, 10, 5), kBlack);
  EXPECT_EQ(At(x, 10, 6), RGB(255, 0, 0));

  // Not-XOR: on black a red pen gives cyan; the same filled circle twice
  // restores the picture.
  PictureBox n = BlackPicture(40, 40);
  n.Mode = DrawMode::NotXorPen;
  n.PSet(3, 3, RGB(255, 0, 0));
  EXPECT_EQ(At(n, 3, 3), RGB(0, 255, 255));
  const QImage nBefore = n.Image().copy();
  n.FillTransparent = false;
  n.FillColor = RGB(0, 255, 0);
  n.Circle(20, 20, 10, RGB(0, 255, 0));
  EXPECT_NE(n.Image(), nBefore);
  n.Circle(20, 20, 10, RGB(0, 255, 0));
  EXPECT_EQ(n.Image(), nBefore);

  // Mask-pen-not (pen AND NOT picture): a bar shows its colour on black and
  // white underneath turns black.
  PictureBox m = BlackPicture(40, 20);
  m.Box(20, 0, 39, 19, kWhite, true);
  m.Mode = DrawMode::MaskPenNot;
  m.Box(0, 5, 39, 10, RGB(255, 255, 0), true);
  EXPECT_EQ(At(m, 10, 7), RGB(255, 255, 0));
  EXPECT_EQ(At(m, 30, 7), kBlack);
  EXPECT_EQ(At(m, 30, 15), kWhite);  // outside the bar
}

TEST(PictureBoxTest, PolyLinesJoinTheirPointsAndNothingElse) {
  PictureBox pic = BlackPicture(100, 100);
  pic.Scale(0, 10, 10, 0);  // 10 px per unit, y upwards
  const Color c = RGB(255, 128, 0);
  // Run 0: an L from (1, 9) over (8, 9) down to (8, 2); run 1: one point,
  // a dot; run 2: a line from (1, 1) to (3, 1). Nothing joins the runs.
  const std::vector<double> xy = {1, 9, 8, 9, 8, 2, 5, 5, 1, 1, 3, 1};
  const std::vector<PictureBox::PointRun> runs = {{0, 3}, {3, 1}, {4, 2}, {5, 9}};  // the last lies beyond xy
  pic.PolyLines(xy, runs, c);
  EXPECT_EQ(At(pic, 45, 10), c);
  EXPECT_EQ(At(pic, 80, 50), c);
  EXPECT_EQ(At(pic, 50, 50), c);
  EXPECT_EQ(At(pic, 20, 90), c);
  EXPECT_EQ(At(pic, 65, 70), kBlack);  // between the end of run 0 and the dot
  EXPECT_EQ(At(pic, 40, 90), kBlack);  // between the dot and run 2... and beyond its end
  EXPECT_EQ(Painted(pic).count, 71 + 70 + 1 + 21);
  EXPECT_DOUBLE_EQ(pic.CurrentX, 3);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 1);

  // One line, as LineTo from point to point would draw it, also with a
  // point far outside the picture.
  PictureBox one = BlackPicture(100, 100), byLines = BlackPicture(100, 100);
  const std::vector<double> far = {10, 10, 90, 10, 1e12, 50};
  one.PolyLine(far, c);
  byLines.PSet(10, 10, c);
  byLines.LineTo(90, 10, c);
  byLines.LineTo(1e12, 50, c);
  EXPECT_EQ(one.Image(), byLines.Image());
  EXPECT_EQ(At(one, 99, 10), c);  // on towards the far point
}

TEST(PictureBoxTest, ANotXorDiscIsSolidUpToItsRim) {
  // The outline over the fill would undo pixels of the rim.
  PictureBox pic(60, 60);
  pic.BackColor = kWhite;
  pic.Cls();
  pic.Mode = DrawMode::NotXorPen;
  pic.FillTransparent = false;
  pic.FillColor = kBlack;
  pic.Circle(30, 30, 20, kBlack);
  int rows = 0;
  for (int y = 0; y < 60; ++y) {
    int first = -1, last = -1, count = 0;
    for (int x = 0; x < 60; ++x) {
      if (At(pic, x, y) != kBlack) continue;
      if (first < 0) first = x;
      last = x;
      ++count;
    }
    if (count == 0) continue;
    ++rows;
    EXPECT_EQ(count, last - first + 1) << "a gap in row " << y;
  }
  EXPECT_NEAR(rows, 41, 1);
}

TEST(PictureBoxTest, BoxesAndCirclesCoverTheirExtent) {
  PictureBox pic = BlackPicture(100, 100);
  pic.Scale(0, 10, 10, 0);
  const Color c = RGB(10, 200, 30);
  pic.Box(2, 8, 4, 6, c, true);  // 20..40 px both ways, corners included
  Extent e = Painted(pic);
  EXPECT_EQ(e.left, 20);
  EXPECT_EQ(e.right, 40);
  EXPECT_EQ(e.top, 20);
  EXPECT_EQ(e.bottom, 40);
  EXPECT_EQ(e.count, 21 * 21);
  EXPECT_DOUBLE_EQ(pic.CurrentX, 4);
  EXPECT_DOUBLE_EQ(pic.CurrentY, 6);

  PictureBox outline = BlackPicture(100, 100);
  outline.Box(60, 70, 20, 30, c, false);  // corners in any order
  e = Painted(outline);
  EXPECT_EQ(e.left, 20);
  EXPECT_EQ(e.right, 60);
  EXPECT_EQ(e.top, 30);
  EXPECT_EQ(e.bottom, 70);
  EXPECT_EQ(At(outline, 40, 30), c);
  EXPECT_EQ(At(outline, 40, 50), kBlack);
  outline.Box(80, 10, 80, 90, c, false);  // no width: still a line
  EXPECT_EQ(At(outline, 80, 50), c);

  // Radius in x units: 2 units of 10 px across give a 20 px circle even
  // though a y unit is 20 px high.
  PictureBox circ = BlackPicture(100, 100);
  circ.Scale(0, 0, 10, 5);
  circ.Circle(5, 2.5, 2, kWhite);
  e = Painted(circ);
  EXPECT_NEAR(e.left, 30, 1);
  EXPECT_NEAR(e.right, 70, 1);
  EXPECT_NEAR(e.top, 30, 1);
  EXPECT_NEAR(e.bottom, 70, 1);
  EXPECT_EQ(At(circ, 50, 50), kBlack);  // not filled
  EXPECT_DOUBLE_EQ(circ.CurrentX, 5);
  EXPECT_DOUBLE_EQ(circ.CurrentY, 2.5);

  // Aspect 0.5: flat ellipse 20 px wide, 10 px high; aspect 2: the radius is
  // the vertical half-axis and the horizontal one is half of it.
  PictureBox flat = BlackPicture(100, 100);
  flat.Circle(50, 50, 20, kWhite, 0.5);
  e = Painted(flat);
  EXPECT_NEAR(e.right - e.left, 40, 2);
  EXPECT_NEAR(e.bottom - e.top, 20, 2);
  PictureBox tall = BlackPicture(100, 100);
  tall.Circle(50, 50, 20, kWhite, 2);
  e = Painted(tall);
  EXPECT_NEAR(e.right - e.left, 20, 2);
  EXPECT_NEAR(e.bottom - e.top, 40, 2);

  // Filled: the inside takes FillColor, the rim the line colour.
  PictureBox filled = BlackPicture(100, 100);
  filled.FillTransparent = false;
  filled.FillColor = RGB(0, 0, 255);
  filled.Circle(50, 50, 20, RGB(255, 0, 0));
  EXPECT_EQ(At(filled, 50, 50), RGB(0, 0, 255));
  EXPECT_EQ(At(filled, 65, 50), RGB(0, 0, 255));
  EXPECT_EQ(At(filled, 5, 5), kBlack);
  e = Painted(filled);
  EXPECT_EQ(At(filled, e.left, 50), RGB(255, 0, 0));
}

TEST(PictureBoxTest, NonFiniteAndHugeCoordinatesAreSafe) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  PictureBox pic = BlackPicture(50, 50);
  const QImage before = pic.Image().copy();
  pic.Line(nan, 1, 10, 10, kWhite);
  pic.Line(1, 1, inf, 10, kWhite);
  pic.Box(-inf, 0, 10, 10, kWhite, true);
  pic.Circle(nan, 5, 3, kWhite);
  pic.Circle(5, 5, inf, kWhite);
  pic.Circle(5, 5, 3, kWhite, nan);
  pic.PSet(inf, inf, kWhite);
  pic.CurrentX = nan;
  pic.Print("x");
  EXPECT_EQ(pic.Image(), before);

  // Huge but finite: clamped, so the visible part is still drawn.
  pic.Line(-1e300, 25, 1e300, 25, kWhite);
  EXPECT_EQ(At(pic, 0, 25), kWhite);
  EXPECT_EQ(At(pic, 49, 25), kWhite);
  // A far end keeps the line's direction: from (0, 0) towards (1e300, 1e299)
  // the line falls one pixel per ten across.
  PictureBox slope = BlackPicture(50, 50);
  slope.Line(0, 0, 1e300, 1e299, kWhite);
  EXPECT_EQ(At(slope, 40, 4), kWhite);
  EXPECT_EQ(At(slope, 40, 40), kBlack);
  pic.Circle(25, 25, 1e300, kWhite);
  pic.Scale(0, 0, 1e-300, 1);
  pic.Line(1, 0, 2, 1, kWhite);
  pic.Box(1, 0, 2, 1, kWhite, true);
  pic.DrawWidth = 0;
  pic.Line(0, 0, 1e-301, 1, kWhite);
  SUCCEED();

  // Absurd sizes are limited rather than allocated.
  PictureBox tiny(0, -5);
  EXPECT_EQ(tiny.PixelWidth(), 1);
  EXPECT_EQ(tiny.PixelHeight(), 1);
}

// Time runs right to left on the overview: x from a larger value at the left
// edge to a smaller one at the right.
TEST(PictureBoxTest, ScaleRunningRightToLeft) {
  PictureBox pic = BlackPicture(110, 50);
  pic.Scale(10, 0, -1, 1);  // 10 px per unit, hour 0 at 100 px
  EXPECT_DOUBLE_EQ(pic.XToPixel(10), 0);
  EXPECT_DOUBLE_EQ(pic.XToPixel(0), 100);
  EXPECT_DOUBLE_EQ(pic.PixelToX(105), -0.5);
  // A box given either way round covers the same pixels.
  pic.Box(3, 0.2, 1, 0.8, kWhite, true);
  const Extent e = Painted(pic);
  EXPECT_EQ(e.left, 70);
  EXPECT_EQ(e.right, 90);
  // Measures in the scale carry its sign, so x - w / 2 centres a text on x.
  EXPECT_GT(pic.TextWidth("00z"), 0);
  EXPECT_DOUBLE_EQ(pic.TextWidthInScale("00z"), -pic.TextWidth("00z"));
  EXPECT_DOUBLE_EQ(pic.TextHeightInScale("9"), pic.TextHeight("9"));
  pic.Scale(10, 1, -1, 0);
  EXPECT_DOUBLE_EQ(pic.TextHeightInScale("9"), -pic.TextHeight("9"));
  PictureBox text = BlackPicture(110, 50);
  text.Scale(10, 0, -1, 1);
  text.ForeColor = kWhite;
  text.CurrentX = 5 - text.TextWidthInScale("00z") / 2;
  text.CurrentY = 0.1;
  text.Print("00z");
  const Extent t = Painted(text);
  ASSERT_GT(t.count, 0);
  EXPECT_NEAR((t.left + t.right) / 2.0, 50, 4);
}

// Hatched boxes: the outline in the pen colour, the inside in the fill
// colour with lines of the style's direction; solid and transparent fills.
TEST(PictureBoxTest, BoxFillStyles) {
  auto fill = [](FillStyle style) {
    PictureBox pic = BlackPicture(40, 40);
    pic.Fill = style;
    pic.FillColor = kYellow;
    pic.BoxFill(4, 4, 35, 35, kRed);
    return pic;
  };
  for (FillStyle s : {FillStyle::Solid, FillStyle::Transparent, FillStyle::HorizontalLine,
                      FillStyle::VerticalLine, FillStyle::UpwardDiagonal, FillStyle::DownwardDiagonal,
                      FillStyle::Cross, FillStyle::DiagonalCross}) {
    const PictureBox pic = fill(s);
    EXPECT_EQ(At(pic, 4, 20), kRed);
    EXPECT_EQ(At(pic, 35, 20), kRed);
    EXPECT_EQ(At(pic, 2, 20), kBlack);
    int inside = 0;
    for (int y = 6; y <= 33; ++y)
      for (int x = 6; x <= 33; ++x) inside += At(pic, x, y) == kYellow;
    const int all = 28 * 28;
    if (s == FillStyle::Solid) EXPECT_EQ(inside, all);
    else if (s == FillStyle::Transparent) EXPECT_EQ(inside, 0);
    else EXPECT_TRUE(inside > all / 20 && inside < all / 2) << static_cast<int>(s) << " " << inside;
  }
  // Directions: a downward diagonal lights (x, y) and (x + 1, y + 1); an
  // upward one (x + 1, y - 1); a horizontal hatch whole rows.
  auto diagonal = [](const PictureBox& pic, int dy) {
    for (int y = 10; y <= 28; ++y)
      for (int x = 10; x <= 28; ++x)
        if (At(pic, x, y) == kYellow && At(pic, x + 1, y + dy) == kYellow && At(pic, x + 2, y + 2 * dy) == kYellow)
          return true;
    return false;
  };
  EXPECT_TRUE(diagonal(fill(FillStyle::DownwardDiagonal), 1));
  EXPECT_FALSE(diagonal(fill(FillStyle::DownwardDiagonal), -1));
  EXPECT_TRUE(diagonal(fill(FillStyle::UpwardDiagonal), -1));
  EXPECT_FALSE(diagonal(fill(FillStyle::UpwardDiagonal), 1));
  const PictureBox rows = fill(FillStyle::HorizontalLine);
  bool fullRow = false;
  for (int y = 6; y <= 33; ++y) {
    bool all = true;
    for (int x = 6; x <= 33; ++x) all = all && At(rows, x, y) == kYellow;
    fullRow = fullRow || all;
  }
  EXPECT_TRUE(fullRow);
}

// On a screen of scale 2 a hatch keeps its look: as many lines over the
// box, each two pixels thick, as lines are.
TEST(PictureBoxTest, HatchesGrowWithTheScreensScale) {
  for (const FillStyle style : {FillStyle::HorizontalLine, FillStyle::VerticalLine}) {
    std::vector<int> lines, thickness;
    for (const double scale : {1.0, 2.0}) {
      PictureBox pic(40, 40);
      pic.Resize(40, 40, scale);
      pic.BackColor = kBlack;
      pic.Cls();
      pic.Fill = style;
      pic.FillColor = kYellow;
      pic.BoxFill(4, 4, 35, 35, kRed);
      // Runs of hatch pixels across the lines, along the box's middle.
      const QImage& img = pic.Image();
      const int mid = static_cast<int>(20 * scale), from = static_cast<int>(6 * scale), to = static_cast<int>(33 * scale);
      int runs = 0, run = 0, widest = 0;
      for (int i = from; i <= to; ++i) {
        const QRgb v = style == FillStyle::HorizontalLine ? img.pixel(mid, i) : img.pixel(i, mid);
        if (qRed(v) == 255 && qGreen(v) == 255) {
          runs += run == 0;
          widest = std::max(widest, ++run);
        } else {
          run = 0;
        }
      }
      lines.push_back(runs);
      thickness.push_back(widest);
    }
    EXPECT_EQ(lines[0], lines[1]) << static_cast<int>(style);
    EXPECT_EQ(thickness[0], 1) << static_cast<int>(style);
    EXPECT_EQ(thickness[1], 2) << static_cast<int>(style);
  }
}

// A line drawn twice in exclusive-or mode leaves the picture as it was, as
// the overview's hour cursor relies on.
TEST(PictureBoxTest, ExclusiveOrLineTwiceRestores) {
  PictureBox pic = BlackPicture(60, 40);
  pic.Scale(20, 0, -1, 1);
  pic.Fill = FillStyle::DiagonalCross;
  pic.FillColor = kWhite;
  pic.BoxFill(15, 0.1, 2, 0.9, RGB(0, 255, 0));
  const QImage before = pic.Image().copy();
  pic.Mode = DrawMode::XorPen;
  pic.Line(7, 0, 7, 1, RGB(255, 191, 128));
  EXPECT_NE(pic.Image(), before);
  pic.Line(7, 0, 7, 1, RGB(255, 191, 128));
  EXPECT_EQ(pic.Image(), before);
}

// Threads of this process (a thread pool keeps its threads for a while).
int ThreadCount() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/task")) ++n;
  return n;
}

TEST(PictureBoxTest, CombiningDrawingMatchesQtAndStartsNoThreads) {
  // Lines and boxes large enough that Qt would share them out among threads.
  struct Shape {
    int x1, y1, x2, y2;
    bool box, dotted;
    DrawMode mode;
    Color c = RGB(200, 120, 7);
  };
  const Shape shapes[] = {
      {-20, 37, 530, 37, false, true, DrawMode::XorPen},      // across the picture, dotted
      {3, 0, 3, 299, false, false, DrawMode::XorPen},         // down the picture
      {0, 5, 499, 290, false, false, DrawMode::NotXorPen},    // diagonal, mostly across
      {450, 290, 260, 2, false, true, DrawMode::XorPen},      // steep, backwards
      {10, 10, 400, 250, true, false, DrawMode::XorPen},      // a large box
      {100, -50, 300, 400, true, false, DrawMode::MaskPenNot}, // taller than the picture
      {-30, 200, 6, 320, true, false, DrawMode::XorPen, RGB(9, 250, 128)},  // out over two edges
      {499, 0, 499, 299, true, false, DrawMode::XorPen, kWhite},           // the last column alone
      {1, 1, 498, 298, true, false, DrawMode::XorPen, kBlack},             // black: nothing changes
      {0, 120, 499, 120, false, true, DrawMode::XorPen},      // a whole row, dotted, from its first pixel
      {497, 140, 2, 140, false, true, DrawMode::NotXorPen},   // the same backwards
      {250, 10, 250, 700, false, true, DrawMode::XorPen},     // down a column and out at the bottom
      {260, 298, 260, 37, false, false, DrawMode::XorPen},    // up a column, solid
      {499, 160, -10, 160, false, false, DrawMode::XorPen},   // a row from its last pixel and out
  };
  PictureBox pic = BlackPicture(500, 300);
  pic.Box(0, 0, 250, 150, RGB(40, 90, 200), true);
  QImage expected = pic.Image().copy();
  const int threads = ThreadCount();
  for (const Shape& s : shapes) {
    pic.Mode = s.mode;
    pic.Style = s.dotted ? DrawStyle::Dot : DrawStyle::Solid;
    if (s.box)
      pic.Box(s.x1, s.y1, s.x2, s.y2, s.c, true);
    else
      pic.Line(s.x1, s.y1, s.x2, s.y2, s.c);
  }
  const QImage drawn = pic.Image();
  EXPECT_EQ(ThreadCount(), threads);

  // The same shapes through Qt in one piece each.
  QPainter p(&expected);
  for (const Shape& s : shapes) {
    p.setCompositionMode(s.mode == DrawMode::XorPen      ? QPainter::RasterOp_SourceXorDestination
                         : s.mode == DrawMode::NotXorPen ? QPainter::RasterOp_NotSourceXorDestination
                                                         : QPainter::RasterOp_SourceAndNotDestination);
    QPen pen(ToQColor(s.c));
    pen.setStyle(s.dotted ? Qt::DotLine : Qt::SolidLine);
    p.setPen(pen);
    if (s.box)
      p.fillRect(QRect(QPoint(s.x1, s.y1), QPoint(s.x2, s.y2)), ToQColor(s.c));
    else
      p.drawLine(s.x1, s.y1, s.x2, s.y2);
  }
  p.end();
  EXPECT_EQ(drawn, expected);
}


// What recording keeps of a drawing sets, painted again anywhere (the check
// for crossings paints it on a small picture of its own), exactly the pixels
// the drawing set, inside its bounds; a text keeps its strokes where they
// were drawn and the size of its face.
TEST(PictureBoxTest, RecordingKeepsThePixelsOfEachDrawing) {
  const struct {
    const char* name;
    void (*draw)(PictureBox&);
  } cases[] = {
      {"line", [](PictureBox& p) { p.Line(3, 4, 57, 31, kWhite); }},
      {"wide dotted line", [](PictureBox& p) { p.DrawWidth = 3, p.Style = DrawStyle::Dot, p.Line(2, 40, 60, 9, kWhite); }},
      {"joined lines", [](PictureBox& p) { const double xy[] = {2, 2, 30, 40, 50, 5, 61, 44}; p.PolyLine(xy, kWhite); }},
      {"dot", [](PictureBox& p) { p.PSet(20, 20, kWhite); }},
      {"box", [](PictureBox& p) { p.DrawWidth = 2, p.Box(5, 6, 40, 30, kWhite, false); }},
      {"bar", [](PictureBox& p) { p.Box(5, 6, 40, 30, kWhite, true); }},
      {"hatch", [](PictureBox& p) { p.Fill = FillStyle::DiagonalCross, p.FillColor = kWhite, p.BoxFill(7, 3, 50, 41, kWhite); }},
      {"ring", [](PictureBox& p) { p.Circle(30, 22, 17, kWhite, 0.6); }},
      {"disc", [](PictureBox& p) { p.FillTransparent = false, p.FillColor = kWhite, p.Circle(30, 22, 9, kWhite); }},
      {"exclusive-or line", [](PictureBox& p) { p.Mode = DrawMode::XorPen, p.Line(60, 2, 1, 45, kWhite); }},
  };
  PictureBox::RecordPrintedTexts(true);
  for (const double scale : {1.0, 2.0}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " at scale " + std::to_string(scale));
      PictureBox pic(64, 48);
      pic.Resize(64, 48, scale);
      pic.BackColor = kBlack;
      pic.Cls();
      c.draw(pic);
      ASSERT_EQ(pic.DrawnShapes().size(), std::string(c.name) == "hatch" ? 2u : 1u);
      const QImage& drawn = pic.Image();
      const QPoint off(5, 7);
      QImage again(drawn.size(), QImage::Format_ARGB32_Premultiplied);
      again.fill(Qt::transparent);
      QPainter q(&again);
      q.translate(off);
      for (const auto& s : pic.DrawnShapes()) s.Paint(q);
      q.end();
      // (Qt lays a wide pen in exclusive-or on its pixels a little apart:
      // a pixel or two may differ.)
      const int slack = pic.Mode != DrawMode::CopyPen && scale > 1 ? 2 : 0;
      int set = 0, wrong = 0, outside = 0;
      for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
          const bool isSet = (drawn.pixel(x, y) & 0xFFFFFF) != 0;
          const QPoint a(x + off.x(), y + off.y());
          const bool keptSet = again.rect().contains(a) && qAlpha(again.pixel(a)) != 0;
          set += isSet;
          wrong += again.rect().contains(a) && isSet != keptSet;
          bool inBounds = false;
          for (const auto& s : pic.DrawnShapes()) inBounds = inBounds || s.bounds.contains(x, y);
          outside += isSet && !inBounds;
        }
      }
      EXPECT_GT(set, 0);
      EXPECT_LE(wrong, slack);
      EXPECT_EQ(outside, 0);
    }
    PictureBox text(64, 48);
    text.Resize(64, 48, scale);
    text.BackColor = kBlack;
    text.Cls();
    text.ForeColor = kWhite;
    text.FontName = "DejaVu Sans Condensed";
    text.FontSize = 4;
    text.CurrentX = 6;
    text.CurrentY = 9;
    text.Print("  48 ");  // blanks are no ink
    ASSERT_EQ(text.PrintedTexts().size(), 1u);
    const auto& t = text.PrintedTexts().front();
    QRect strokes;
    for (int y = 0; y < t.strokes.height(); ++y)
      for (int x = 0; x < t.strokes.width(); ++x)
        if (qAlpha(t.strokes.pixel(x, y)) != 0) strokes |= QRect(t.strokesAt + QPoint(x, y), QSize(1, 1));
    EXPECT_NEAR(t.ink.left() * scale, strokes.left(), 1);
    EXPECT_NEAR(t.ink.right() * scale, strokes.right() + 1, 1);
    // (The smallest sizes are those of a screen of scale 1.)
    if (scale == 1) {
      EXPECT_GE(t.digitPx, picturetext::kSmallestDigitPx);
    }
    int differ = 0;
    for (int y = 0; y < t.strokes.height(); ++y)
      for (int x = 0; x < t.strokes.width(); ++x) {
        const QPoint at = t.strokesAt + QPoint(x, y);
        if (text.Image().rect().contains(at))
          differ += (qAlpha(t.strokes.pixel(x, y)) != 0) != ((text.Image().pixel(at) & 0xFFFFFF) != 0);
      }
    EXPECT_EQ(differ, 0);
  }
  PictureBox::RecordPrintedTexts(false);
}

// A small ring or disc is copied from a picture of it drawn once: the same
// pixels as outlining it where it stands (the shapes the picture records,
// painted again on black), at every screen scale, pen width, size, shape
// and fill.
TEST(PictureBoxTest, ASmallRingOrDiscSetsTheSamePixelsAsOutliningIt) {
  PictureBox::RecordPrintedTexts(true);
  for (const double scale : {1.0, 1.75, 2.75})
    for (const int width : {1, 2})
      for (const double radius : {0.6, 2.5, 7.0})
        for (const double aspect : {1.0, 0.5, 1.6})
          for (const bool filled : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "scale " << scale << ", width " << width << ", radius " << radius
                                              << ", aspect " << aspect << (filled ? ", filled" : ""));
            PictureBox pic;
            pic.Resize(60, 40, scale);
            pic.BackColor = kBlack;
            pic.Cls();
            pic.DrawWidth = width;
            pic.FillTransparent = !filled;
            pic.FillColor = RGB(0, 0, 255);
            for (const double x : {10.0, 25.3, 41.7}) pic.Circle(x, 20.4, radius, RGB(255, 255, 0), aspect);
            QImage outlined(pic.Image().size(), pic.Image().format());
            outlined.fill(Qt::black);
            {
              QPainter p(&outlined);
              for (const auto& shape : pic.DrawnShapes()) shape.Paint(p);
            }
            ASSERT_EQ(pic.DrawnShapes().size(), 3u);
            EXPECT_TRUE(pic.Image() == outlined);
          }
  PictureBox::RecordPrintedTexts(false);
}

}  // namespace
}  // namespace ondrik
