// Wind column level choice and drawing, the mixed-layer top of the momentum
// transfer, the omega scale, the model precipitation type and the title.
#include "chart/windcolumn.h"

#include <QDir>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/steps.h"
#include "core/reader.h"
#include "core/shared.h"
#include "tests/core/sounding.h"
#include "tests/chart/chart_test_util.h"
#include "tests/common/text_check.h"

namespace ondrik {
namespace {

using testing::At;

using testing::Level;
using testing::SetSounding;


// Pixels of colour c or near it (text is antialiased: its strokes' pixels
// lie between the colour and the background).
int CountIn(const PictureBox& pic, int x0, int x1, int y0, int y1, Color c) {
  const auto near = [c](Color p) {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF)) > 64) return false;
    return true;
  };
  int n = 0;
  for (int y = std::max(0, y0); y <= std::min(y1, pic.PixelHeight() - 1); ++y)
    for (int x = std::max(0, x0); x <= std::min(x1, pic.PixelWidth() - 1); ++x) n += near(At(pic, x, y));
  return n;
}

std::vector<Integer> Levels(const WindLevels& w) {
  return std::vector<Integer>(w.level.begin(), w.level.begin() + w.count);
}

// Levels 1..n at a constant 0.025 spacing in ln p from 1000 mb; the wind of
// every level from `dir` at `spd` knots.
void SetEvenSounding(int d, int n, float dir, float spd) {
  std::vector<Level> v;
  for (int i = 0; i < n; ++i) {
    const float p = static_cast<float>(1000.0 * std::exp(-0.025 * i));
    v.push_back({p, 20.0f - 0.3f * i, 10.0f - 0.4f * i, dir, spd, 100.0f + 200.0f * i});
  }
  SetSounding(d, 0, v);
}

class WindColumnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetChartGlobals();
    gChartTop = 135;
    gChartBottom = 1000;
    gHoursPerStep = 1;
    pic.BackColor = kBlack;
  }

  PictureBox pic{700, 600};
  ChartState s;
};

TEST_F(WindColumnTest, LevelChoiceByStepAndBySpacing) {
  SetEvenSounding(1, 60, 270, 20);
  gTopLevel(1) = 40;
  // Chart height ln(1000/135) = 2.0025, so one level step is 1.25 % of it.
  // Spacing 1 (1.5 %) needs two steps, 2 (3 %) three, 3 (4.5 %) four.
  auto expect = [](int first, int stride, int last) {
    std::vector<Integer> v{0};
    for (int e = first; e <= last; e += stride) v.push_back(e);
    return v;
  };
  s.opt.WindAutoMode = true;
  s.opt.WindAutoSpacing = 1;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(1, 2, 40));
  s.opt.WindAutoSpacing = 2;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(1, 3, 40));
  s.opt.WindAutoSpacing = 3;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(1, 4, 40));

  // A zoomed chart (ln(1000/500) = 0.69) has room for every level at spacing 1.
  gChartTop = 500;
  s.opt.WindAutoSpacing = 1;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(1, 1, 40));
  gChartTop = 135;

  // By step: 0, 3, 6, ... up to the top level; the spacing does not count.
  s.opt.WindAutoMode = false;
  s.opt.WindLevelStep = 3;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(3, 3, 40));
  // A step of 0 from a damaged history file never stalls: every level.
  s.opt.WindLevelStep = 0;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)), expect(1, 1, 40));

  // A top level beyond the profile stops at its last level.
  gTopLevel(1) = 90;
  s.opt.WindLevelStep = 1;
  EXPECT_EQ(Levels(ChooseWindLevels(s, 1, 0)).back(), 60);
}

TEST_F(WindColumnTest, VectorAndDigitalWindsDrawWhereTheWindComesFrom) {
  // West wind of 40 kt: each vector points left, 0.25 x 40 = 10 % of the width.
  SetEvenSounding(1, 60, 270, 40);
  gTopLevel(1) = 40;
  gCurDataset = 1;
  s.opt.chkWindVector = true;
  s.opt.WindLevelStep = 8;
  PlotProfile(pic, s);
  const double span = std::log(1000.0 / 135.0);
  const int y8 = static_cast<int>(std::lround(std::log(gPres(1, 0, 8) / 135.0) / span * 600));
  const int xc = 651;  // x 93 of 700 pixels
  // Left of the circle: 70 px of line; right of it nothing yellow.
  EXPECT_GE(CountIn(pic, xc - 65, xc - 10, y8, y8, kYellow), 50);
  EXPECT_EQ(CountIn(pic, xc + 10, 699, y8 - 2, y8 + 2, kYellow), 0);

  // North wind: the vector points straight up, as long on screen as the west one.
  SetEvenSounding(1, 60, 360, 40);
  gTopLevel(1) = 8;
  PlotProfile(pic, s);
  EXPECT_GE(CountIn(pic, xc - 1, xc + 1, y8 - 65, y8 - 10, kYellow), 50);
  EXPECT_EQ(CountIn(pic, xc - 65, xc - 10, y8 - 2, y8 + 2, kYellow), 0);

  // Digital winds without directions: only the speed, right of x 93.
  s.opt.chkWindVector = false;
  s.opt.chkWindDigital = true;
  s.opt.DigitalWindDirections = false;
  PlotProfile(pic, s);
  EXPECT_EQ(CountIn(pic, 560, xc - 2, y8 - 8, y8 + 8, kYellow), 0);
  EXPECT_GT(CountIn(pic, xc + 2, 699, y8 - 8, y8 + 8, kYellow), 0);
}

// Dry-adiabatic layers from level to level, broken by isothermal (stable)
// layers: A 900-895 (5 mb), B 800-788 (12), C 700-690-675 (25), D 600-580-560 (40).
std::vector<Level> MixedSounding() {
  const float ps[] = {1000, 950, 900, 895, 850, 800, 788, 750, 700, 690, 675, 650, 600, 580, 560, 500, 400};
  const bool iso[] = {false, false, false, true, false, false, true, false, false,
                      true,  true,  false, false, true, true, false, false};
  std::vector<Level> v;
  double t = 25;
  for (size_t i = 0; i < std::size(ps); ++i) {
    if (i > 0 && !iso[i]) t = (t + 273.16) * std::pow(ps[i] / ps[i - 1], 2.0 / 7.0) - 273.16;
    v.push_back({ps[i], static_cast<float>(t), static_cast<float>(t - 5), 200.0f + 5 * i, 10.0f + 2 * i,
                 100.0f * i});
  }
  return v;
}

TEST_F(WindColumnTest, MixingTopForEachXferDepth) {
  SetSounding(1, 0, MixedSounding());
  // Buttons 0 "30", 1 "1", 2 "10", 3 "20" mb.
  EXPECT_EQ(MixingTopLevel(1, 0, 1), 3);   // A (5 mb) already reaches 1 mb
  EXPECT_EQ(MixingTopLevel(1, 0, 2), 6);   // A too shallow, B 12 mb
  EXPECT_EQ(MixingTopLevel(1, 0, 3), 9);   // C 25 mb
  EXPECT_EQ(MixingTopLevel(1, 0, 0), 13);  // D 40 mb
  // An index from a damaged saved file is held to the buttons.
  EXPECT_EQ(MixingTopLevel(1, 0, 7), MixingTopLevel(1, 0, 3));

  // Profile cut after C: no run reaches 30 mb, so the last run begun (C).
  gNumLevels(1) = 13;
  EXPECT_EQ(MixingTopLevel(1, 0, 0), 9);
  // No stable layer at all: the lowest level.
  gNumLevels(1) = 3;
  EXPECT_EQ(MixingTopLevel(1, 0, 1), 1);
  // Two levels at one pressure are not a layer and do not upset the walk.
  gNumLevels(1) = 17;
  gPres(1, 0, 2) = gPres(1, 0, 1);
  gTemp(1, 0, 2) = gTemp(1, 0, 1);
  EXPECT_EQ(MixingTopLevel(1, 0, 1), 3);

  // The overlay draws the mixed layer on the temperature trace in light grey.
  SetSounding(1, 0, MixedSounding());
  gTopLevel(1) = 17;
  gChartBottom = 1050;
  s.opt.chkMomentum = true;
  s.opt.gXferIndex = 0;
  PlotProfile(pic, s);
  EXPECT_GT(CountIn(pic, 0, 699, 0, 599, RGB(192, 192, 192)), 100);
}

TEST_F(WindColumnTest, OmegaScaleStepsAndLabels) {
  EXPECT_EQ(OmegaScaleStep(9.9), 2);
  EXPECT_EQ(OmegaScaleStep(10), 5);
  EXPECT_EQ(OmegaScaleStep(29.9), 5);
  EXPECT_EQ(OmegaScaleStep(30), 10);

  PictureBox om(480, 20);
  om.BackColor = kWhite;
  // Range 12, step 5: labels -15 ... +15; +5 and +10 blue right of the
  // middle, -5 and -10 red left of it, the black 0 in the middle.
  s.opt.OmegaRange = 12;
  DrawOmegaScale(om, s);
  auto colX = [](double v) { return static_cast<int>((v + 12) / 24 * 480); };
  EXPECT_GT(CountIn(om, colX(3.5), colX(6.5), 0, 19, kBlue), 0);
  EXPECT_GT(CountIn(om, colX(8.5), colX(11.5), 0, 19, kBlue), 0);
  EXPECT_EQ(CountIn(om, 0, 239, 0, 19, kBlue), 0);
  EXPECT_GT(CountIn(om, colX(-6.5), colX(-3.5), 0, 19, kRed), 0);
  EXPECT_EQ(CountIn(om, 241, 479, 0, 19, kRed), 0);
  EXPECT_GT(CountIn(om, colX(-1), colX(1), 0, 19, kBlack), 0);
  // Nothing between the labels 0 and +5 (step 5, not 2).
  EXPECT_EQ(CountIn(om, colX(1.8), colX(3.2), 0, 19, kBlue), 0);

  // A range that is no number, or absurdly large, still draws a bounded scale.
  s.opt.OmegaRange = 0;
  EXPECT_EQ(UsableOmegaRange(s), 11.0);
  DrawOmegaScale(om, s);
  s.opt.OmegaRange = 1e30f;
  EXPECT_EQ(UsableOmegaRange(s), kMaxOmegaRange);
  DrawOmegaScale(om, s);
}

TEST_F(WindColumnTest, ModelPrecipTypeLabelAndDots) {
  EXPECT_EQ(PrecipTypeLabel(60), "R");
  EXPECT_EQ(PrecipTypeLabel(66), "ZR");
  EXPECT_EQ(PrecipTypeLabel(70), "S");
  EXPECT_EQ(PrecipTypeLabel(79), "IP");
  EXPECT_EQ(PrecipTypeLabel(999), "");
  EXPECT_EQ(PrecipTypeLabel(130), "Error Wx =  130");

  // Amount per hour: below 0.01 one dot, then two, three, four.
  EXPECT_EQ(PrecipIntensityDots(0.01f, 1), 2);
  EXPECT_EQ(PrecipIntensityDots(0.3f, 1), 4);
  EXPECT_EQ(PrecipIntensityDots(0.6f, 3), 3);  // 0.2 per hour over a 3-hour step
  // An hour step of 0 or less is one hour, never a division by it.
  EXPECT_EQ(PrecipIntensityDots(0.6f, 0), 4);
  EXPECT_EQ(PrecipIntensityDots(0.6f, -3), 4);

  SetEvenSounding(1, 30, 270, 20);
  SetEvenSounding(2, 30, 270, 20);
  gCurDataset = 1;
  s.draw.ShownDataset = 1;
  s.in.CurHour = 0;
  gPtypeSrcA(1, 0) = 60;
  gPtypeSrcB(1, 0) = 70;
  gPrecip(1, 0) = 0.5f;
  PictureBox p(400, 400);
  p.BackColor = kBlack;
  p.Cls();
  DrawModelPrecipType(p, s);
  EXPECT_EQ(gPtypeCode(1, 0), 70);  // the model's own code unless the box is ticked
  // Four filled blue dots at (15, 82), (13, 80), (17, 80), (15, 78) of 0..100.
  EXPECT_EQ(At(p, 60, 328), kBlue);
  EXPECT_EQ(At(p, 52, 320), kBlue);
  EXPECT_EQ(At(p, 68, 320), kBlue);
  EXPECT_EQ(At(p, 60, 312), kBlue);
  EXPECT_GT(CountIn(p, 80, 140, 305, 335, kBlue), 0);  // the "S" at x 20

  // "Bourgouin" source: rain, green; 0.005 per hour: one dot at (15, 80).
  s.opt.chksWSYMb = true;
  gPrecip(1, 0) = 0.005f;
  p.Cls();
  DrawModelPrecipType(p, s);
  EXPECT_EQ(gPtypeCode(1, 0), 60);
  EXPECT_EQ(At(p, 60, 320), RGB(0, 255, 0));
  EXPECT_NE(At(p, 52, 320), RGB(0, 255, 0));

  // No precipitation: code stored, nothing drawn.
  gPrecip(1, 0) = 0;
  p.Cls();
  DrawModelPrecipType(p, s);
  EXPECT_EQ(CountIn(p, 0, 399, 0, 399, kBlack), 400 * 400);

  // Another dataset of the overlay: nothing drawn, its code untouched.
  gCurDataset = 2;
  gPtypeCode(2, 0) = 12345;
  gPrecip(2, 0) = 1;
  DrawModelPrecipType(p, s);
  EXPECT_EQ(gPtypeCode(2, 0), 12345);
  EXPECT_EQ(CountIn(p, 0, 399, 0, 399, kBlack), 400 * 400);
}

TEST_F(WindColumnTest, TitleIsPrintedAndTheFontRestored) {
  SetEvenSounding(1, 30, 270, 20);
  gDatasetTitle(1) = "SREF ARW CTL 12Z ";
  gDatasetLabel(1) = "arw_ctl";
  pic.Cls();
  pic.ScalePixels();
  pic.FontName = "Arial";
  pic.FontSize = 8;
  const double w = pic.TextWidth("1"), h = pic.TextHeight("1");
  PloteeTitle(pic, s);
  EXPECT_EQ(pic.FontName, "Arial");
  EXPECT_EQ(pic.FontSize, 8);
  // White text starting eight characters in, four lines down.
  const int x0 = static_cast<int>(8 * w), y0 = static_cast<int>(4 * h);
  EXPECT_GT(CountIn(pic, x0, 699, y0, y0 + 20, kWhite), 50);
  EXPECT_EQ(CountIn(pic, 0, x0 - 2, 0, 599, kWhite), 0);
  EXPECT_EQ(CountIn(pic, 0, 699, 0, y0 - 2, kWhite), 0);
}

// A sample file's hour with the wind column (vector and digital), omega,
// surface strip and momentum transfer, saved for a look.
TEST_F(WindColumnTest, SampleHourRendersToPng) {
  LoadOptions o;
  o.modelKey = "eta";
  const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/NAM_KOKC.ond", o);
  ASSERT_TRUE(r.ok) << r.message;
  gLoadingState = false;
  gCurDataset = 1;
  for (int d = 1; d <= gDatasetCount; ++d) gDatasetShown(d) = true;
  if (gChartTop < 100) gChartTop = 100;
  s.in.CurHour = std::min(12, gLastHour(1));
  s.opt.chkWindVector = true;
  s.opt.chkWindDigital = true;
  s.opt.ChkOmega = true;
  s.opt.chk10MWind = true;
  s.opt.chkMomentum = true;
  s.opt.WindAutoMode = true;
  s.opt.ColorWindsBySpeed = true;
  gPrecip(1, s.in.CurHour) = std::max(gPrecip(1, s.in.CurHour), 0.2f);
  PlotProfile(pic, s);
  QDir().mkpath(ONDRIK_TEST_TMP);
  pic.Image().save(QString(ONDRIK_TEST_TMP) + "/windcolumn_sample.png");
  // The column stands at the right edge: colour there, none left of the omega trace's reach.
  EXPECT_GT(CountIn(pic, 600, 699, 0, 599, kYellow) + CountIn(pic, 600, 699, 0, 599, kWhite), 0);
  EXPECT_EQ(gCurDataset, 1);

  // The ensemble file overlaid: dimmed columns and mixed layers of the others.
  const LoadResult r2 = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/SREF_KOKC.ond", o);
  ASSERT_TRUE(r2.ok) << r2.message;
  gLoadingState = false;
  gOverlayAll = true;
  gCurDataset = 1;
  for (int d = 1; d <= gDatasetCount; ++d) gDatasetShown(d) = true;
  s.in.CurHour = std::min(8, gLastHour(1));
  s.opt.WindAutoMode = false;
  s.opt.WindLevelStep = 2;
  PlotProfile(pic, s);
  pic.Image().save(QString(ONDRIK_TEST_TMP) + "/windcolumn_overlay.png");
  EXPECT_EQ(gCurDataset, 1);
  gOverlayAll = false;
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

// A text printed in the wind column's yellow.
bool Yellow(const PictureBox::PrintedText& t) {
  for (int y = 0; y < t.strokes.height(); ++y)
    for (int x = 0; x < t.strokes.width(); ++x)
      if (const QRgb p = t.strokes.pixel(x, y); qAlpha(p) > 200) return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 80;
  return false;
}

// A text of a number (with its blanks and sign).
bool Number(const std::string& t) {
  return t.find_first_of("0123456789") != std::string::npos && t.find_first_not_of(" -0123456789") == std::string::npos;
}

// Every ring of the wind column reads its own level's numbers: of the
// wind column's yellow numbers right of it (their middles; without
// directions, just left of it too), the one whose middle lies nearest its
// row is its speed (its direction and speed where they stand as one), and
// of those just left of it, its direction; where
// rings stand closer than a quarter of a line, the number of either reads
// for both. Over the shipped files' hours at the batch's sizes (-SIZE= 35,
// 50, 100, 150) and on finer screens, every level and spaced, with and
// without directions, alone and overlaid.
TEST(DigitalWindsTest, EveryRingReadsItsOwnNumbers) {
  const struct {
    const char* file;
    int width, height;
    double scale;
    bool spaced, directions, vectors, overlay;
  } cases[] = {
      {"GFS_KBOS.ond", 509, 657, 1, false, true, true, false},   {"GFS_KBOS.ond", 254, 328, 1, false, true, true, false},
      {"NAM_KOKC.ond", 178, 230, 1, false, false, true, false},  {"NAM_KMSP.ond", 763, 985, 1.75, true, true, false, false},
      {"NAM_KOKC.ond", 700, 600, 1.5, false, true, true, false}, {"SREF_KOKC.ond", 509, 657, 1, false, true, true, true},
      {"RUC_KDEN.ond", 254, 328, 2.75, true, false, true, false}};
  PictureBox::RecordPrintedTexts(true);
  for (const auto& c : cases) {
    testing::ResetChartGlobals();
    LoadOptions o;
    o.modelKey = std::string(c.file).rfind("GFS", 0) == 0 ? "gfs3" : std::string(c.file).rfind("RUC", 0) == 0 ? "ruc" : "eta";
    const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/" + c.file, o);
    ASSERT_TRUE(r.ok) << r.message;
    gLoadingState = false;
    gChartTop = 100;
    gChartBottom = 1050;
    gOverlayAll = c.overlay;
    gCurDataset = c.overlay ? 3 : 1;
    ChartState s;
    s.opt.chkWindDigital = s.opt.chk10MWind = true;
    s.opt.chkWindVector = c.vectors;
    s.opt.WindAutoMode = c.spaced;
    s.opt.DigitalWindDirections = c.directions;
    PictureBox pic;
    pic.Resize(c.width, c.height, c.scale);
    pic.BackColor = kBlack;
    const Integer D = gCurDataset;
    for (Integer H = 0; H <= gLastHour(D); H += 4) {
      const std::string view = std::string(c.file) + " " + std::to_string(c.width) + "x" + std::to_string(c.height) +
                               " at " + std::to_string(c.scale) + ", hour " + std::to_string(H);
      s.in.CurHour = H;
      PlotProfile(pic, s);
      testing::KeepPicture(pic, "rings-" + std::string(c.file) + "-" + std::to_string(c.width) + "-" + std::to_string(H));
      SetFrameSystem(pic, s);
      const double ring = pic.XToPixel(93), line = pic.TextHeightPx("9"), w = pic.TextWidthPx("999");
      const double top = pic.YToPixel(std::log(static_cast<double>(gChartTop)));
      const double strip = (std::log(static_cast<double>(gSfcPres(D, H))) + std::log(static_cast<double>(DrawnChartBottom(s)))) / 2;
      // The wind column's number nearest the row among those on it (its
      // ink, a quarter of a line more, holds the row) on one side of the
      // ring.
      const auto nearest = [&](double row, bool right) -> std::string {
        const PictureBox::PrintedText* best = nullptr;
        for (const PictureBox::PrintedText& t : pic.PrintedTexts()) {
          // (Without directions a speed may stand left of its ring.)
          const bool left = t.ink.right() < ring && t.ink.left() > ring - 5 * w;
          const bool side = right ? t.ink.center().x() > ring || (!c.directions && left) : left;
          if (!Number(t.text) || !Yellow(t) || !side || row < t.ink.top() - 0.25 * line ||
              row > t.ink.bottom() + 0.25 * line)
            continue;
          if (best == nullptr || std::fabs(t.ink.center().y() - row) < std::fabs(best->ink.center().y() - row)) best = &t;
        }
        return best != nullptr ? best->text : "(none)";
      };
      // Each ring's row and the texts that read for it.
      struct Ring {
        Integer e;
        double row;
        std::string speed, dir;
      };
      std::vector<Ring> rings;
      const WindLevels lv = ChooseWindLevels(s, D, H);
      for (int i = 0; i < lv.count; ++i) {
        const Integer e = lv.level[static_cast<std::size_t>(i)];
        if (e == 0 && c.vectors) continue;  // the 10 m wind's numbers stand in the strip as one text
        const double row = pic.YToPixel(e == 0 ? strip : std::log(static_cast<double>(gPres(D, H, e))));
        if (row - top < 0.5 * line || row > pic.PixelHeight()) continue;  // no room on the picture
        rings.push_back({e, row, ChartNumber(std::lround(std::nearbyint(gWspd(D, H, e)))),
                         ChartNumber(std::lround(std::nearbyint(gWdir(D, H, e))))});
      }
      const auto readsFor = [&](const Ring& r, const std::string& read, bool right) {
        return std::any_of(rings.begin(), rings.end(), [&](const Ring& o) {
          return std::fabs(o.row - r.row) <= 0.25 * line &&
                 (right ? read == o.speed || (c.directions && read == o.dir + o.speed) : read == o.dir);
        });
      };
      for (const Ring& r : rings) {
        const std::string where = view + ", level " + std::to_string(r.e) + " at " + std::to_string(gPres(D, H, r.e)) + " mb";
        const std::string right = nearest(r.row, true);
        EXPECT_TRUE(readsFor(r, right, true)) << where << " reads \"" << right << "\" for \"" << r.speed << "\"";
        if (c.directions && right != r.dir + r.speed) {
          const std::string left = nearest(r.row, false);
          EXPECT_TRUE(readsFor(r, left, false)) << where << " reads \"" << left << "\" for \"" << r.dir << "\"";
        }
      }
    }
  }
  PictureBox::RecordPrintedTexts(false);
  gOverlayAll = false;
}

}  // namespace
}  // namespace ondrik
