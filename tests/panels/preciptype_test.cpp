#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "panels/preciptype.h"
#include "panels/preciptyperules.h"
#include "platform/pictureboxwidget.h"
#include "tests/common/contrast_check.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::PanelTest;
using testing::PixelsOf;

TEST(PrecipTypeRules, ThicknessPointsAndTrail) {
  double x = 0, y = 0;
  ThicknessChartPoint(1250, 1590, x, y);  // lower 1250 m, upper 1590 m
  EXPECT_EQ(x, 1580);
  EXPECT_EQ(y, 1260);
  ThicknessChartPoint(1300, 1540, x, y);
  EXPECT_EQ(x, 1540);
  EXPECT_EQ(y, 1300);
  EXPECT_DOUBLE_EQ(ThicknessTrailRadius(0, 0), 1.8);
  EXPECT_DOUBLE_EQ(ThicknessTrailRadius(6, 2), 1.8 - 1.1 / 6 * 2);
  EXPECT_DOUBLE_EQ(ThicknessTrailRadius(6, 6), 0.7);
}

TEST(PrecipTypeRules, DiagramFamiliesAndPointColours) {
  EXPECT_EQ(DiagramOf("AB"), EnergyDiagram::Surface);
  EXPECT_EQ(DiagramOf("BB"), EnergyDiagram::Surface);
  EXPECT_EQ(DiagramOf("BA"), EnergyDiagram::Elevated);
  EXPECT_EQ(DiagramOf("ABAB"), EnergyDiagram::TwoLayer);
  EXPECT_EQ(DiagramOf(""), EnergyDiagram::None);
  EXPECT_TRUE(SameFamily("AB", "BB"));
  EXPECT_FALSE(SameFamily("BB", "BA"));
  EXPECT_FALSE(SameFamily("BB", "ABAB"));
  EXPECT_TRUE(SameFamily("ABAB", "ABAB"));

  EXPECT_EQ(SurfacePointColour(9), (Rgb{0, 255, 255}));
  EXPECT_EQ(SurfacePointColour(4), (Rgb{0, 0, 255}));
  EXPECT_EQ(SurfacePointColour(20), (Rgb{0, 255, 0}));
  EXPECT_EQ(SurfacePointColour(95), (Rgb{0, 255, 0}));
  const struct {
    Single pos, neg;
    const char* pattern;
    Rgb colour;
    bool refreezes;
  } layer[] = {{90, 100, "ABAB", {0, 255, 0}, false},   {90, 120, "ABAB", {255, 191, 0}, true},
               {90, 140, "ABAB", {255, 255, 0}, true},  {90, 100, "BA", {255, 0, 0}, false},
               {90, 110, "BA", {255, 191, 0}, true},    {90, 130, "BA", {255, 255, 0}, true}};
  for (const auto& c : layer) {
    bool refreezes = false;
    EXPECT_EQ(LayerPointColour(c.pos, c.neg, c.pattern, &refreezes), c.colour) << c.neg << c.pattern;
    EXPECT_EQ(refreezes, c.refreezes) << c.neg << c.pattern;
  }
}

class PrecipTypePanelTest : public PanelTest {};

TEST_F(PrecipTypePanelTest, EnergyTrailsFollowTheFamily) {
  MakeDatasets(1, 14);
  for (int h = 5; h <= 10; ++h) gEnergyPattern(1, h) = "AB";
  gEnergyPattern(1, 4) = "BA";
  EXPECT_EQ(EnergyTrailLength(1, 10, EnergyDiagram::Surface, true), 5);
  EXPECT_EQ(EnergyTrailLength(1, 10, EnergyDiagram::Surface, false), 0);
  EXPECT_EQ(EnergyTrailLength(1, 0, EnergyDiagram::Surface, true), 0);
  for (int h = 0; h <= 12; ++h) gEnergyPattern(1, h) = "ABAB";
  EXPECT_EQ(EnergyTrailLength(1, 12, EnergyDiagram::TwoLayer, true), 6);
  EXPECT_EQ(EnergyTrailLength(1, 3, EnergyDiagram::TwoLayer, true), 3);
}

TEST_F(PrecipTypePanelTest, TopDownWarningRule) {
  MakeDatasets(1, 1);
  gCloudTopLevel(1, 0) = 3;
  const struct {
    Single depth, topTemp, sfcTemp;
    Long code;
    IceWarning want;
  } cases[] = {{608, -5, 2, kPtypeSnow, IceWarning::None},  // "Cloud Top: 1,995 ft": below 2000 ft
               {609.5f, -5, 2, kPtypeSnow, IceWarning::None},
               {609.7f, -9.9f, 2, kPtypeSnow, IceWarning::Drizzle},
               {800, -10, 2, kPtypeSnow, IceWarning::None},
               {800, -5, 0, kPtypeSnow, IceWarning::FreezingDrizzle},
               {800, -5, 0.1f, kPtypeSnow, IceWarning::Drizzle},
               {3000, -2, 2, kPtypeRain, IceWarning::None},
               {3000, -2, -2, kPtypeFreezingRain, IceWarning::None},
               {3000, -2, -2, kPtypeIcePellets, IceWarning::None}};
  for (const auto& c : cases) {
    gHght(1, 0, 3) = gHght(1, 0, 1) + c.depth;
    gTemp(1, 0, 3) = c.topTemp;
    gSfcTemp(1, 0) = c.sfcTemp;
    gPtypeSrcA(1, 0) = c.code;
    EXPECT_EQ(TopDownOf(1, 0, 1).warning, c.want) << c.depth << " " << c.topTemp << " " << c.sfcTemp;
  }
  gCloudTopLevel(1, 0) = 1;  // the cloud top is the start level
  const TopDown t = TopDownOf(1, 0, 1);
  EXPECT_TRUE(t.valid);
  EXPECT_EQ(t.cloudTopFt, 0);
  gCloudTopLevel(1, 0) = 0;  // no level: no block
  EXPECT_FALSE(TopDownOf(1, 0, 1).valid);
}

TEST_F(PrecipTypePanelTest, ThicknessPointsOfTheOverlayTheShownOneOnTop) {
  MakeDatasets(3, 3);
  for (int d = 1; d <= 3; ++d) {
    ThicknessDone(d) = -1;
    for (int h = 0; h < 3; ++h) {
      ThickHeights(d, h, 1) = 100;
      ThickHeights(d, h, 2) = 100 + 1300;  // lower thickness 1300 m
      ThickHeights(d, h, 3) = 1400 + 1540;  // upper 1540 m
    }
  }
  gCurDataset = 2;
  gOverlayAll = true;
  host.thickness = true;
  host.hour = 2;
  host.trail = 0;
  PrecipTypePanel p(host, &parent);
  Place(p);
  p.Draw();
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  // All three points stand at (1540, 1300): the shown dataset's full red is on top.
  const QRgb centre = pic.Image().pixel(static_cast<int>(pic.XToPixel(1540)), static_cast<int>(pic.YToPixel(1300)));
  EXPECT_EQ(centre & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(gCurDataset, 2);
  // A dataset not ticked draws no point, even the current one alone.
  gOverlayAll = false;
  gDatasetShown(2) = false;
  p.Draw();
  EXPECT_EQ(PixelsOf(pic.Image(), kRed), 0);
  EXPECT_GT(PixelsOf(pic.Image(), RGB(64, 64, 128)), 0);  // the grid stands
  // The button names the other view; the picture's click hands over the view's topic.
  EXPECT_EQ(testing::Ctl<QPushButton>(parent, "btnPrecipType")->text(), "Energy");
  p.picPrecipType_Click();
  EXPECT_EQ(host.topics.back(), "Precip Type Thickness");
}

TEST_F(PrecipTypePanelTest, SurfaceEnergyStripOnlyForTwoRefreezingLayers) {
  MakeDatasets(2, 3);
  PrecipTypePanel p(host, &parent);
  Place(p);
  parent.show();
  auto* sleet = parent.findChild<QWidget*>("picSleet");
  ASSERT_NE(sleet, nullptr);
  host.hour = 2;
  const struct {
    const char* pattern;
    Single neg;
    bool thickness, visible;
    Color point;  // the hour's point in the Part's own colour, whatever its ground
  } cases[] = {{"ABAB", 100, false, false, kGreen},         {"ABAB", 120, false, true, RGB(255, 191, 0)},
               {"ABAB", 140, false, true, kYellow},         {"BA", 110, false, false, RGB(255, 191, 0)},
               {"BA", 140, false, false, kYellow},          {"ABAB", 140, true, false, kRed}};
  const PictureBox& drawn = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  for (const auto& c : cases) {
    for (int h = 0; h < 3; ++h) {
      gEnergyPattern(1, h) = c.pattern;
      gPosEnergy(1, h) = 90;
      gNegEnergy(1, h) = c.neg;
    }
    host.thickness = c.thickness;
    p.Draw();
    EXPECT_EQ(sleet->isVisible(), c.visible) << c.pattern << " " << c.neg << " " << c.thickness;
    EXPECT_GT(PixelsOf(drawn.Image(), c.point), 20) << c.pattern << " " << c.neg << " " << c.thickness;
  }
  // An overlaid dataset of another family is left out of the shown one's diagram.
  host.thickness = false;
  gOverlayAll = true;
  for (int h = 0; h < 3; ++h) {
    gEnergyPattern(2, h) = "ABAB";
    gPosEnergy(2, h) = 300;
    gNegEnergy(2, h) = 400;
  }
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  p.Draw();
  EXPECT_GT(PixelsOf(pic.Image(), RGB(127, 127, 0)), 0);  // dataset 2 dimmed, in the same diagram
  gEnergyPattern(2, 2) = "BB";
  p.Draw();
  EXPECT_EQ(PixelsOf(pic.Image(), RGB(127, 127, 0)), 0);
  EXPECT_EQ(PixelsOf(pic.Image(), RGB(0, 0, 127)), 0);
  EXPECT_EQ(gCurDataset, 1);
  p.picPrecipType_Click();
  EXPECT_EQ(host.topics.back(), "Precip Type Energy");
  p.btnPrecipType_Click();
  EXPECT_TRUE(host.thickness);
  EXPECT_EQ(host.refreshes, 1);
}

// Under each diagram the top-down line stands below the verdict's last line
// and every other text, never on it, and inside the picture; with the
// seeder-feeder pair and the ice warning no two texts meet.
TEST_F(PrecipTypePanelTest, TheTopDownLineStandsUnderTheVerdict) {
  MakeDatasets(1, 1);
  PrecipTypePanel p(host, &parent);
  Place(p);
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  struct Recording {
    Recording() { PictureBox::RecordPrintedTexts(true); }
    ~Recording() { PictureBox::RecordPrintedTexts(false); }
  } recording;
  for (const auto& [pattern, sfcTemp] : {std::pair{"AB", 2.0F}, std::pair{"BB", -2.0F}, std::pair{"BA", 2.0F},
                                         std::pair{"ABAB", -2.0F}}) {
    SCOPED_TRACE(pattern);
    gSfcTemp(1, 0) = sfcTemp;  // drizzle, or freezing drizzle
    gEnergyPattern(1, 0) = pattern;
    gPosEnergy(1, 0) = 30;
    gNegEnergy(1, 0) = 20;
    gSfcWarmDepth(1, 0) = 1500;
    gCloudTopLevel(1, 0) = 3;  // 1800 m deep, its top at 0 C
    gPtypeSrcA(1, 0) = 70;      // snow: no ice crystals in so warm a cloud
    gSeederFeeder(1, 0) = true;
    p.Draw();
    const auto& texts = pic.PrintedTexts();
    for (std::size_t i = 0; i < texts.size(); ++i)
      for (std::size_t j = i + 1; j < texts.size(); ++j)
        EXPECT_FALSE(texts[i].ink.adjusted(-1, 1, 1, -1).intersects(texts[j].ink))
            << texts[i].text << " / " << texts[j].text;
    double cloudTop = 1e9, cloudBottom = 0, othersBottom = 0, warningTop = 1e9, warningBottom = 0;
    bool verdict = false;
    for (const auto& t : pic.PrintedTexts()) {
      if (t.text.rfind("Cloud Top", 0) == 0) {
        cloudTop = std::min(cloudTop, t.ink.top());
        cloudBottom = std::max(cloudBottom, t.ink.bottom());
      } else if (t.text.rfind("WARNING", 0) == 0 || t.text.rfind("Consider", 0) == 0) {  // the last rows
        warningTop = std::min(warningTop, t.ink.top());
        warningBottom = std::max(warningBottom, t.ink.bottom());
      } else if (t.text != "Feeder") {  // beside the cloud top, left of it
        othersBottom = std::max(othersBottom, t.ink.bottom());
        verdict = verdict || t.text.find("Freezing") != std::string::npos;
      }
    }
    EXPECT_TRUE(verdict);
    // The warning's cyan and the drizzle's green made to read on the light
    // cyan, as every text.
    for (const auto& f : testing::FaintTexts(pic)) ADD_FAILURE() << f.text << " faint: " << f.contrast;
    EXPECT_GE(cloudTop, othersBottom - 1);
    EXPECT_GE(warningTop, cloudBottom - 1);
    EXPECT_LE(warningBottom, pic.PixelHeight() + 0.5);
  }
}

// The surface energy strip stands where it hides no point of the diagram:
// its first place, or another when a point of an earlier hour stands there.
TEST_F(PrecipTypePanelTest, TheSurfaceEnergyStripHidesNoPoint) {
  MakeDatasets(1, 2);
  PrecipTypePanel p(host, &parent);
  Place(p);
  parent.show();
  host.hour = 1;
  host.trail = 6;
  auto* sleet = parent.findChild<QWidget*>("picSleet");
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  // A point's pixel in the two-layer diagram, its chart (0..450 both ways)
  // found by its grey.
  const auto at = [&](Single pos, Single neg) {
    QRect chart;
    for (int y = 0; y < pic.Image().height(); ++y)
      for (int x = 0; x < pic.Image().width(); ++x)
        if ((pic.Image().pixel(x, y) & 0xFFFFFF) == 0x7F7F7F) chart |= QRect(x, y, 1, 1);
    return QPoint(static_cast<int>(chart.left() + pos / 450 * chart.width()),
                  static_cast<int>(chart.bottom() - neg / 450 * chart.height()));
  };
  const struct {
    Single pos, neg;  // the earlier hour's point
  } cases[] = {{30, 20}, {350, 60}, {300, 420}, {40, 400}};
  QRect first;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pos);
    for (int h = 0; h < 2; ++h) gEnergyPattern(1, h) = "ABAB";
    gPosEnergy(1, 0) = c.pos;
    gNegEnergy(1, 0) = c.neg;
    gPosEnergy(1, 1) = 90;  // the hour's point refreezes: the strip shows
    gNegEnergy(1, 1) = 140;
    p.Draw();
    ASSERT_TRUE(sleet->isVisible());
    if (first.isNull()) first = sleet->geometry();
    for (const QPoint& point : {at(c.pos, c.neg), at(90, 140)})
      EXPECT_FALSE(sleet->geometry().contains(point)) << point.x() << "," << point.y();
  }
  // With nothing in its way the strip takes its first place again.
  host.trail = 0;
  p.Draw();
  EXPECT_EQ(sleet->geometry(), first);
}

}  // namespace
}  // namespace ondrik
