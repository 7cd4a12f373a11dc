// The window feeds the plotters: a control set by the user reaches the
// option the plotter reads, and the field or strip then draws something.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QRadioButton>

#include <functional>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

int LitPixels(const QImage& image) {
  int n = 0;
  const QRgb back = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != back ? 1 : 0;
  return n;
}

TEST_F(OverviewWindowTest, ControlsReachThePlottersOptions) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  struct Row {
    const char* what;
    const char* box;
    std::function<void()> set;
    std::function<bool(const OverviewOptions&)> reached;
  };
  const Row rows[] = {
      {"sigma level", "chkWinds", [&] { Ctl<ScrollBar>(o, "vsbSigmaLevel")->SetValue(6); },
       [](const OverviewOptions& op) { return op.SigmaLevel == 6; }},
      {"mean-wind layer", "chkMeanWind",
       [&] {
         Ctl<ScrollBar>(o, "vsbMeanWind", 1)->SetValue(7);
         Ctl<ScrollBar>(o, "vsbMeanWind", 0)->SetValue(2);
       },
       [](const OverviewOptions& op) { return op.MeanWindLevels == std::array<Integer, 2>{2, 7}; }},
      {"wind classes", "chkVWP", [&] { Ctl<QRadioButton>(o, "OptWindColor0")->click(); },
       [](const OverviewOptions& op) { return op.VWPBounds[0] == 2 && op.VWPBounds[5] == 12; }},
      {"fixed snow ratio", "chkSnowRatio",
       [&] {
         Ctl<QRadioButton>(o, "optSnowTechnique3")->click();
         Ctl<ScrollBar>(o, "hsbRatio")->SetValue(20);
       },
       [](const OverviewOptions& op) { return op.SnowTechnique == 3 && op.SnowRatioValue == 20; }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    o.btnReset_Click();
    r.set();
    EXPECT_TRUE(r.reached(o.State().opt));
    Ctl<CheckBox>(o, r.box)->SetValue(1);
    EXPECT_GT(LitPixels(Ctl<PictureBoxWidget>(o, "picRH")->Pic().Image()), 0);
  }
  // The sigma-wind legend is drawn in its own picture.
  EXPECT_GT(LitPixels(Ctl<PictureBoxWidget>(o, "picWindScale")->Pic().Image()), 0);
  EXPECT_EQ(Ctl<QRadioButton>(o, "optSnowTechnique3")->text(), "20:1");
  // The profile window's model and configuration values reach the overview.
  const OverviewInputs& in = o.State().in;
  EXPECT_GE(in.SigmaLevelStep, 1);
  EXPECT_GT(in.ModelHourStep, 0);
}

}  // namespace
}  // namespace ondrik
