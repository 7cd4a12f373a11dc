// The texts of the overview's pictures (contour values, the marks of the
// extremes, the dataset title, the side pictures' axis numbers) on the
// shipped files: each stands whole inside its picture, a pixel apart from
// the others all round, nothing drawn (a grid line, another contour)
// crossing its strokes, its ground over no data, by what it labels; and
// none is missing: its value by every line of a contour value long enough
// to carry one, a mark on every extreme where no other text stands, the
// title and every axis number.
#include <gtest/gtest.h>

#include <QLineF>

#include <algorithm>
#include <array>
#include <functional>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/derived.h"
#include "core/numberformat.h"
#include "overview/plotters.h"
#include "platform/clipsegment.h"
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

// The values of a crowded plane that found no place near their lines
// clear of the other texts, printed at their own places over them: counted
// over every picture of a test, few.
struct Tally {
  int texts = 0, overOthers = 0;
  // The texts of a picture and its last resorts that meet another text.
  void Add(const PictureBox& pic) {
    const auto& all = pic.PrintedTexts();
    texts += static_cast<int>(all.size());
    for (const PictureBox::PrintedText& t : all)
      overOthers += t.lastResort && std::any_of(all.begin(), all.end(), [&](const PictureBox::PrintedText& o) {
                      return &o != &t && o.ink.intersects(t.ink.adjusted(-1, -1, 1, 1));
                    });
  }
  // At most one in `share`.
  void Expect(const char* what, int share = 10) const {
    std::printf("%s: %d of %d texts over another at their own place\n", what, overOthers, texts);
    EXPECT_LE(share * overOthers, texts) << what << ": " << overOthers << " of " << texts
                                      << " texts over another at their own place";
  }
};

// The faults of the main picture, one line each, with its last resorts
// allowed (a value that found no clear place near its line stands over the
// data), those over another text at their own place counted apart.
std::string PlaneFaults(const PictureBox& pic, testing::Checks checks, Tally& tally) {
  for (const PictureBox::PrintedText& t : pic.PrintedTexts()) checks.lastResorts += t.lastResort;
  std::string lines;
  for (const testing::Fault& f : testing::Faults(pic, checks))
    if (!testing::OverAtOwnPlace(f) && f.what.rfind("digits ", 0) != 0)
      lines += "  \"" + f.text + "\" " + f.what + "\n";
  tally.Add(pic);
  return lines;
}

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
  Tally tally;
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
        EXPECT_EQ(PlaneFaults(pics.rh, kApart, tally), "") << c.file << " " << size.w << "x" << size.h << " window " << window;
        EXPECT_GT(pics.rh.PrintedTexts().size(), 3u) << c.file << " " << size.w << " window " << window;
      }
    }
  }
  tally.Expect("two fields");
}

// ---- every text of three layouts on every shipped file ----

const char* const kShippedFiles[] = {"GFS_KBOS.ond", "GFS_KDEN.ond", "GFS_KMSP.ond", "GFS_KOKC.ond", "NAM_KBOS.ond",
                                     "NAM_KDEN.ond", "NAM_KMSP.ond", "NAM_KOKC.ond", "RUC_KBOS.ond", "RUC_KDEN.ond",
                                     "RUC_KMSP.ond", "RUC_KOKC.ond", "SREF_KOKC.ond"};

// The window's first layout, a typical one of five fields and ten strips,
// and a busy one of five contoured fields under many strips.
const struct {
  const char* name;
  std::vector<BoxId> boxes;
} kLayouts[] = {
    {"first", {kDesignTicked.begin(), kDesignTicked.end()}},
    {"typical",
     {kBoxRH0, kBoxTemperature, kBoxVelocity, kBoxInversions, kBoxInstability, kBoxMeanWind, kBoxSfcTemp,
      kBoxSfcDewPoint, kBoxHelicity, kBoxMBEspeed, kBoxCAPE, kBoxPrecipAcumm, kBoxPrecipWater, kBoxTotalTotals,
      kBoxCloudBase, kBoxGridHeight, kBoxCursor}},
    {"busy",
     {kBoxTemperature, kBoxVelocity, kBoxDPD, kBoxThetaE, kBoxRHContour, kBoxMeanWind, kBoxSfcTemp, kBoxSfcDewPoint,
      kBoxHelicity, kBoxMBEspeed, kBoxCAPE, kBoxPrecipAcumm, kBoxPrecipWater, kBoxTotalTotals, kBoxCloudBase,
      kBoxHeights, kBoxWindChill, kBoxSfcPres, kBoxVVTrend, kBoxStormRelInflow, kBoxGridHeight, kBoxCursor}},
};

// The contoured fields of the layouts, traced again here: the field and
// the lowest value contoured (its first class threshold).
const struct {
  BoxId box;
  LevelArray<Single> ProfileStore::*field;
  Single lowest;
} kContoured[] = {{kBoxTemperature, &ProfileStore::gTemp, -1e9f},
                  {kBoxVelocity, &ProfileStore::gWspd, WindSpeedClasses().threshold[1]},
                  {kBoxDPD, &ProfileStore::gDewpt, -1e9f},
                  {kBoxThetaE, &ProfileStore::gThetaE, ThetaEClasses().threshold[1]},
                  {kBoxRHContour, &ProfileStore::gRH, HumidityClasses().threshold[1]}};

// The lines of one contour value inside the picture, a pixel in from its
// edges: its pieces there, joined where one ends where another begins.
class LinesInside : public ContourSink {
 public:
  explicit LinesInside(const PictureBox& pic) : pic_(pic) {}
  void Segment(Single x1, Single y1, Single x2, Single y2) override {
    const QLineF l(pic_.XToPixel(x1), pic_.YToPixel(y1), pic_.XToPixel(x2), pic_.YToPixel(y2));
    double t0, t1;
    if (!SegmentInside(l.x1(), l.y1(), l.x2(), l.y2(), 1, 1, pic_.PixelWidth() - 1, pic_.PixelHeight() - 1, t0, t1))
      return;
    const size_t i = pieces_.size();
    pieces_.emplace_back(l.pointAt(t0), l.pointAt(t1));
    line_.push_back(i);
    // Only an end the picture's edge did not cut joins another piece.
    for (const auto& [t, p] : {std::pair{t0 == 0, l.p1()}, std::pair{t1 == 1, l.p2()}}) {
      if (!t) continue;
      const auto [at, fresh] = ends_.try_emplace({p.x(), p.y()}, i);
      if (!fresh) line_[Root(i)] = Root(at->second);
    }
  }
  void Label(Single, Single) override {}
  // Each line's pieces.
  std::vector<std::vector<QLineF>> Lines() {
    std::map<size_t, std::vector<QLineF>> by;
    for (size_t i = 0; i < pieces_.size(); ++i) by[Root(i)].push_back(pieces_[i]);
    std::vector<std::vector<QLineF>> out;
    for (auto& [root, pieces] : by) out.push_back(std::move(pieces));
    return out;
  }

 private:
  size_t Root(size_t i) {
    while (line_[i] != i) i = line_[i] = line_[line_[i]];
    return i;
  }
  const PictureBox& pic_;
  std::vector<QLineF> pieces_;
  std::vector<size_t> line_;
  std::map<std::pair<double, double>, size_t> ends_;
};

double Length(const std::vector<QLineF>& pieces) {
  double n = 0;
  for (const QLineF& l : pieces) n += l.length();
  return n;
}

bool Meets(const std::vector<QLineF>& lines, const QRectF& r) {
  for (const QLineF& l : lines) {
    double t0, t1;
    if (SegmentInside(l.x1(), l.y1(), l.x2(), l.y2(), r.left(), r.top(), r.right(), r.bottom(), t0, t1)) return true;
  }
  return false;
}

TEST_F(PlaneTextsTest, EveryValueMarkTitleAndAxisNumberOfTheLayoutsPrintedWhole) {
  const struct {
    int w, h;
    double scale;
  } sizes[] = {{857, 561, 1}, {500, 330, 1}, {857, 561, 1.75}, {500, 330, 1.75}};
  std::array<int, 2> values{}, valueLastResorts{};  // the first and typical layouts, the busy one
  int lines = 0, unlabelled = 0;
  Tally tally, busy;
  for (const auto& layout : kLayouts)
    for (const char* file : kShippedFiles)
      for (const auto& size : sizes) {
        OverviewState s;
        ASSERT_TRUE(testing::LoadShipped(file, s, "KOKC - NAM - ONDRIK"));
        MakeHeightScale();
        for (const BoxId id : layout.boxes) s.opt.box[static_cast<size_t>(id)] = 1;
        gOverlayAll = gDatasetCount > 1;
        testing::OverviewPictures pics;
        pics.rh.Resize(size.w, size.h, size.scale);
        for (PictureBox* side : {&pics.left, &pics.right}) side->Resize(SidePictureWidth(pics.left), size.h, size.scale);
        OverviewDraw d = pics.Draw(s);
        PlotData(d);
        gOverlayAll = false;
        const PictureBox& pic = pics.rh;
        const std::string view = std::string(layout.name) + "-" + file + "-" + std::to_string(size.w) + "-at-" +
                                 std::to_string(static_cast<int>(size.scale * 100));
        testing::KeepPicture(pic, view);
        // The main picture: the title whole; a mark over the data where
        // the data leave it no room (it means something only at its node),
        // few values over it (counted over every picture, below).
        testing::Checks checks{.apart = true};
        const std::string title = gDatasetCount > 1 ? PlaceTitle(pics.rh, gCurDataset).text : "";
        if (!title.empty()) checks.present.push_back({title});
        for (const PictureBox::PrintedText& t : pic.PrintedTexts()) {
          // The title on no box: the members' traces under it stay in view.
          EXPECT_TRUE(t.text != title || t.background.isEmpty()) << view << ": the title on a box";
          const bool mark = t.text == "X" || t.text == "N";
          checks.lastResorts += t.lastResort;
          const size_t busy = layout.name == std::string("busy");
          values[busy] += !mark;
          valueLastResorts[busy] += t.lastResort && !mark;
        }
        // The fills are the ground the plane's texts stand on: a text that
        // has no place on one colour stands on its rim over their edges.
        for (const testing::Fault& f : testing::Faults(pic, checks))
          if (!testing::OverAtOwnPlace(f) && f.what.rfind("half on bar", 0) != 0)
            ADD_FAILURE() << view << ": \"" << f.text << "\" " << f.what;
        (layout.name == std::string("busy") ? busy : tally).Add(pic);
        // The side pictures: every axis number.
        const testing::AxisNumbers numbers = testing::ShownAxisNumbers(s);
        EXPECT_EQ(testing::FaultLines(pics.left, {.apart = true, .present = numbers.left}), "") << view;
        EXPECT_EQ(testing::FaultLines(pics.right, {.apart = true, .present = numbers.right}), "") << view;
        ScalePlane(d);
        for (const auto& f : kContoured) {
          if (!s.opt.On(f.box)) continue;
          const ContourGrid g = PlaneGrid(d, Store().*f.field);
          ValueRange r = FieldRange(g);
          r.min = std::max(r.min, f.lowest);
          // Its value by every line of a contour value that runs a label's
          // width inside the picture (a wind speed under a jet and over it,
          // a temperature in an inversion and above it): within 10 pixels.
          for (const Single v : ContourValues(r, s.opt.ContourInterval)) {
            LinesInside contour(pic);
            TraceContour(g, v, g.topLevel, contour);
            const std::string label = NumberItem(v);
            for (const std::vector<QLineF>& line : contour.Lines()) {
              if (Length(line) < pic.TextInkPx(label).width()) continue;
              ++lines;
              bool found = false;
              for (const PictureBox::PrintedText& t : pic.PrintedTexts())
                found = found || (t.text == label && Meets(line, t.ink.adjusted(-10, -10, 10, 10)));
              if (!found && ++unlabelled <= 20)
                ADD_FAILURE() << view << ": " << Row(f.box).name << " a line of \"" << label << "\" from ("
                              << line.front().x1() << ", " << line.front().y1() << ") carries no value";
            }
          }
          // A mark over every extreme inside the picture (smaller,
          // maybe), or another text within the room two keep apart.
          for (const Extreme& e : FieldExtremes(g)) {
            const std::string text = e.maximum ? "X" : "N";
            const QPointF node(pic.XToPixel(e.hour), pic.YToPixel(g.y[static_cast<size_t>(e.level)]));
            const PixelBox ink =
                InkBox(pic, text, node.x() - pic.TextWidthPx(text) / 2, node.y() - pic.TextHeightPx(text) / 2);
            if (ink.left < 1 || ink.top < 1 || ink.right > pic.PixelWidth() - 1 || ink.bottom > pic.PixelHeight() - 1)
              continue;
            // The rooms of both, on whole cells; beside it a blank too.
            const double apart = 2 * kTextGap + 1, beside = std::max(apart, pic.TextWidthPx(" ") + kTextGap + 1);
            const QRectF near = QRectF(ink.left, ink.top, ink.right - ink.left, ink.bottom - ink.top)
                                    .adjusted(-beside, -apart, beside, apart);
            bool marked = false, taken = false;
            for (const PictureBox::PrintedText& t : pic.PrintedTexts()) {
              marked = marked || (t.text == text && t.ink.adjusted(-1, -1, 1, 1).contains(node));
              taken = taken || t.ink.intersects(near);
            }
            EXPECT_TRUE(marked || taken) << view << ": " << Row(f.box).name << " " << text << " at hour " << e.hour
                                         << " level " << e.level << " has no mark and no text stands there";
          }
        }
      }
  // None is missing; where the strips' traces leave a line no clear place
  // beside it, its value stands over them: fewer than one in three (one in
  // two under the busy layout's twenty strips).
  for (const auto& [layouts, i, share] : {std::tuple{"the first and the typical layout", 0, 3}, std::tuple{"the busy layout", 1, 2}})
    EXPECT_LE(share * valueLastResorts[i], values[i])
        << layouts << ": " << valueLastResorts[i] << " of " << values[i] << " values printed over the data";
  EXPECT_EQ(unlabelled, 0) << unlabelled << " of " << lines << " lines a label's width long carry no value";
  tally.Expect("the first and the typical layout");
  busy.Expect("the busy layout", 5);  // five contoured fields under twenty strips
}

// Where a text stands on quiet ground on a picture of cells painted
// before it, its box grown by its gap: on one colour, or on the named dark
// colours only; at the screen's scale and a finer one.
TEST_F(PlaneTextsTest, TextsStandOnQuietGround) {
  const struct {
    const char* name;
    PixelBox ink;
    bool quiet;
  } cases[] = {
      {"on black", {60, 5, 80, 15}, true},
      {"inside the bright cell", {10, 5, 30, 15}, true},
      {"half on the bright cell", {40, 5, 60, 15}, false},
      {"within its gap of the bright cell", {51, 5, 70, 15}, false},
      {"over the dry class and black", {40, 32, 60, 40}, true},
      {"over a dark grey and black", {20, 46, 34, 54}, false},
      {"within its gap of the dark grey", {5, 46, 24, 54}, false},
      {"clear of the dark grey", {5, 46, 22, 54}, true},
  };
  for (const double scale : {1.0, 1.75}) {
    PictureBox pic(100, 60);
    pic.Resize(100, 60, scale);
    pic.BackColor = kBlack;
    pic.Cls();
    pic.Box(0, 0, 49, 29, RGB(0, 191, 0), true);     // a bright cell, top left
    pic.Box(50, 30, 99, 59, RGB(40, 40, 12), true);  // the dry class, bottom right
    pic.Box(26, 44, 40, 59, RGB(16, 16, 16), true);  // a dark grey cell, not one of the named dark colours
    const QuietGround ground(pic, {kBlack, RGB(40, 40, 12)});
    for (const auto& c : cases)
      EXPECT_EQ(ground.Under(c.ink.Grown(kTextGap)), c.quiet) << c.name << " at scale " << scale;
  }
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
// visibility's, whose top and bottom values lie close; the snapshot at half
// size) and with the "10 meter" row over a precipitation column of many
// values: every one is printed whole, apart from the others; where an axis
// leaves one no room even a line off its value, over another as its last
// resort.
TEST_F(PlaneTextsTest, SideLabelsStandApart) {
  const struct {
    std::vector<BoxId> boxes;
    bool tenMeterBase;
    Single precipSpan;
    int height;
    int lastResorts;
  } cases[] = {{{kBoxVisibility}, false, 0.1f, 280, 1},
               {{kBoxVisibility}, false, 0.1f, 561, 0},
               {{kBoxVWP, kBoxPrecip, kBoxSfcTemp}, true, 0.2f, 280, 2},
               {{kBoxVWP, kBoxPrecip}, true, 0.2f, 561, 1}};
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
    const testing::AxisNumbers numbers = testing::ShownAxisNumbers(s);
    for (const auto& [pic, expected] : {std::pair{&pics.left, numbers.left}, std::pair{&pics.right, numbers.right}}) {
      testing::Checks checks = kApart;
      checks.present = expected;
      checks.lastResorts = c.lastResorts;
      // Two over each other, one of them the last resort at its own row,
      // are meant.
      std::string faults;
      for (const testing::Fault& f : testing::Faults(*pic, checks))
        if (!testing::OverAtOwnPlace(f)) faults += "  \"" + f.text + "\" " + f.what + "\n";
      EXPECT_EQ(faults, "") << Row(c.boxes.front()).name << " at " << c.height;
    }
  }
}

}  // namespace
}  // namespace ondrik
