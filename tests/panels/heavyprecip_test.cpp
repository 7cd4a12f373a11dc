#include <gtest/gtest.h>

#include <cmath>

#include "core/mbe.h"
#include "panels/heavyprecip.h"
#include "panels/heavypreciprules.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/common/contrast_check.h"
#include "tests/common/text_check.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::PanelTest;
using testing::PixelsOf;

TEST(HeavyPrecipRules, ThicknessBordersInDoublePrecision) {
  IndexThresholdTable t;
  StoreDefaultIndexThresholds(t);
  SetThicknessThresholds(540, t);
  EXPECT_NEAR(t(kRowPrecipWaterGauge, 1), 0.42, 0.005);
  EXPECT_NEAR(t(kRowPrecipWaterGauge, 2), 0.57, 0.005);
  EXPECT_NEAR(t(kRowPWTimesRH, 1), 0.29, 0.005);
  EXPECT_NEAR(t(kRowPWTimesRH, 2), 0.45, 0.005);
  EXPECT_FLOAT_EQ(t(kRowPrecipWaterGauge, 0), 0.2f);  // columns 0 and 3 untouched
  EXPECT_FLOAT_EQ(t(kRowPWTimesRH, 3), 2.0f);
  // 570 dam: t^19.816 is far beyond single precision, the border is not.
  SetThicknessThresholds(570, t);
  EXPECT_NEAR(t(kRowPrecipWaterGauge, 1), 1.22, 0.01);
  // A thickness whose borders single precision cannot hold leaves them.
  SetThicknessThresholds(1e9, t);
  EXPECT_NEAR(t(kRowPrecipWaterGauge, 1), 1.22, 0.01);
  for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(t(kRowPWTimesRH, c)));
}

TEST(HeavyPrecipRules, RingsFollowTheZoom) {
  EXPECT_EQ(MbeRings(51), (std::vector<int>{10, 20, 30, 40, 50, 60}));
  EXPECT_EQ(MbeRings(61.2f), (std::vector<int>{20, 40, 60, 80}));
  EXPECT_TRUE(MbeRings(0).empty());
}

class HeavyPrecipTest : public PanelTest {};

TEST_F(HeavyPrecipTest, MeanHumidityAndThicknessOfTheHour) {
  MakeDatasets(1, 1);
  for (int L = 1; L <= 5; ++L) gRH(1, 0, L) = 10.0f * L;  // 1000 .. 600 mb
  EXPECT_FLOAT_EQ(*MeanRHTo500(1, 0), 30);
  gPres(1, 0, 5) = 450;  // above 500 mb: left out
  EXPECT_FLOAT_EQ(*MeanRHTo500(1, 0), 25);
  gPres(1, 0, 1) = 480;  // no level at or below 500 mb: no mean
  EXPECT_FALSE(MeanRHTo500(1, 0).has_value());
  ThickHeights(1, 0, 1) = 100;
  ThickHeights(1, 0, 4) = 5500;
  EXPECT_DOUBLE_EQ(*Thickness1000To500Dam(1, 0), 540);
  ThickHeights(1, 0, 4) = 0;  // 500 mb not reached
  EXPECT_FALSE(Thickness1000To500Dam(1, 0).has_value());
}

TEST_F(HeavyPrecipTest, CirclesVectorsZoomAndForwardPropagation) {
  MakeDatasets(2, 3);
  StoreDefaultIndexThresholds();
  for (int d = 1; d <= 2; ++d)
    for (int h = 0; h < 3; ++h)
      for (int L = 1; L <= 5; ++L) {
        gWdir(d, h, L) = 225;
        gWspd(d, h, L) = (10.0f + 5 * L) * d;
        const double a = (270.0 - 225) * M_PI / 180;
        gWindU(d, h, L) = static_cast<Single>(gWspd(d, h, L) / 1.94254 * std::cos(a));
        gWindV(d, h, L) = static_cast<Single>(gWspd(d, h, L) / 1.94254 * std::sin(a));
      }
  PictureBox::RecordPrintedTexts(true);
  HeavyPrecipPanel p(host, &parent);
  Place(p);
  const PictureBox& pic = dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic();
  host.hour = 1;
  p.Draw();
  EXPECT_EQ(gMbeDone(1, 1), -1);
  // The jet gauge of the first draw of an hour shows the jet found for it
  // (25 kt: the second third, from 25).
  EXPECT_EQ(pic.Image().pixel(pic.PixelWidth() / 2 + 8, static_cast<int>((17.5 + 8) / 26 * pic.PixelHeight())) & 0xFFFFFF,
            0xFFFF00u);
  EXPECT_EQ(gMbeDone(2, 1), 0);  // overlay off: only the current dataset
  // The MBE speed against the red (10 kt, strict) and yellow (15 kt) circles.
  const struct {
    Single spd;
    bool red, yellow;
  } circles[] = {{9.9f, true, false}, {10, false, true}, {14.9f, false, true}, {15, false, false}};
  for (const auto& c : circles) {
    gMbeSpd(1, 1) = c.spd;
    p.Draw();
    // Just above the x axis right of the origin, at the circle's radius.
    const auto at = [&](double r, QRgb colour) {
      // The diagram's scale: the origin in the middle, 51 kt to each edge.
      const int x0 = static_cast<int>((r + 51) / 102 * pic.PixelWidth()), y0 = pic.PixelHeight() / 2;
      for (int x = x0 - 2; x <= x0 + 2; ++x)
        for (int y = y0 - 4; y <= y0 - 2; ++y)
          if ((pic.Image().pixel(x, y) & 0xFFFFFF) == colour) return true;
      return false;
    };
    // Drawn after the rings' numbers, which keep clear of it: whole on
    // both sides, at the left where they stand too.
    if (c.red) {
      std::size_t circle = 0;
      for (std::size_t i = 0; i < pic.DrawnShapes().size(); ++i)
        if (pic.DrawnShapes()[i].kind == PictureBox::DrawnShape::Kind::Ellipse &&
            (pic.DrawnShapes()[i].pen.color().rgb() & 0xFFFFFF) == 0xFF0000u)
          circle = i;
      for (const auto& t : pic.PrintedTexts()) {
        if (t.text == " 10 ") {
          EXPECT_LE(t.shapesBefore, circle);
        }
      }
      for (const testing::Fault& f : testing::Faults(pic)) ADD_FAILURE() << f.text << " " << f.what;
    }
    for (const double side : {1.0, -1.0}) {
      EXPECT_EQ(at(side * 10, 0xFF0000u), c.red) << c.spd << " " << side;
      EXPECT_EQ(at(side * 15, 0xFFFF00u), c.yellow) << c.spd << " " << side;
    }
  }
  // Forward propagation: every dataset's vectors are computed again.
  gOverlayAll = true;
  p.Draw();
  EXPECT_EQ(gMbeDone(2, 1), -1);
  testing::Ctl<CheckBox>(parent, "chkMBE2")->SetValue(1);
  EXPECT_TRUE(gMbeForwardProp);
  EXPECT_EQ(gMbeDone(2, 0), 0);  // the hours not drawn wait for their next draw
  EXPECT_EQ(gMbeDone(2, 1), -1);
  EXPECT_NEAR(gMbeU(2, 1), gMbeUpwindU(2, 1) + gCloudLayerU(2, 1), 1e-4);
  EXPECT_GT(PixelsOf(pic.Image(), RGB(127, 0, 0)), 0);  // dataset 2's forward vector, dimmed
  testing::Ctl<CheckBox>(parent, "chkMBE2")->SetValue(0);
  EXPECT_FALSE(gMbeForwardProp);
  // Zoom: left button in, any other out; the click hands its topic over.
  p.picMBE_MouseUp(1);
  EXPECT_NEAR(p.gMBEScale, 51 / 1.2, 1e-4);
  p.picMBE_MouseUp(2);
  EXPECT_NEAR(p.gMBEScale, 51, 1e-4);
  EXPECT_EQ(host.topics.back(), "Heavy Precip");
  EXPECT_EQ(gCurDataset, 1);
  PictureBox::RecordPrintedTexts(false);
}

// The chart's jet mark wears the jet's colour: an uncertain one reads on
// black as small text must, and stays apart from a certain one.
TEST_F(HeavyPrecipTest, UncertainJetReadsAndStaysApart) {
  MakeDatasets(1, 1);
  gMbeDone(1, 0) = -1;
  gLLJUncertain(1, 0) = 0;
  const ChartMarks certain = LowLevelJetMark(1, 0);
  gLLJUncertain(1, 0) = 1;
  const ChartMarks uncertain = LowLevelJetMark(1, 0);
  EXPECT_EQ(uncertain.label, "LL?");
  EXPECT_GE(Contrast(uncertain.labelColor, kBlack), testing::kSmallTextContrast);
  EXPECT_GE(Contrast(uncertain.labelColor, certain.labelColor), 1.5);
}

}  // namespace
}  // namespace ondrik
