// Every number of the side panels reads whole: nothing the panel draws
// crosses or touches the ink of a text, on the shipped files at several
// hours, at the design scale and at 1.5.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/mbe.h"
#include "core/thresholds.h"
#include "panels/fog.h"
#include "panels/heavyprecip.h"
#include "panels/indices.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/ink_check.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::CrossedTexts;
using testing::Lines;

// The shipped files and hours looked at: warm and cold, an ensemble.
const struct {
  const char* file;
  std::vector<Integer> hours;
} kFiles[] = {{"NAM_KOKC.ond", {0, 12, 30, 50}},
              {"NAM_KMSP.ond", {0, 20, 40, 60}},
              {"NAM_KDEN.ond", {0, 30}},
              {"SREF_KOKC.ond", {0, 8, 40, 61}}};
constexpr double kScales[] = {1, 1.5};

class ReadableTest : public testing::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    StoreDefaultIndexThresholds();
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override { PictureBox::RecordPrintedTexts(false); }
  static PictureBox& Pic(SidePanel& p) { return dynamic_cast<PictureBoxWidget*>(p.Widget())->Pic(); }
  // Draws the panel of every file, hour and scale; check(name) looks at it.
  template <typename Check>
  void EachDraw(SidePanel& p, PictureBox& pic, Check check) {
    for (const auto& f : kFiles) {
      testing::LoadShipped(f.file);
      gOverlayAll = gDatasetCount > 1;
      for (const Integer h : f.hours) {
        host.hour = h;
        for (const double scale : kScales) {
          pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
          p.Draw();
          check(std::string(f.file) + " hour " + std::to_string(h) + " scale " + std::to_string(scale));
        }
      }
    }
  }
};

// The bars' thresholds lie wholly on the bar or stand beside it; with the
// circles and the quartile box of the ensemble the numbers are drawn over
// them, every stroke whole.
TEST_F(ReadableTest, IndexThresholdsOnTheirBars) {
  IndicesPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  EachDraw(p, pic, [&](const std::string& name) {
    const std::vector<std::string> crossed = CrossedTexts(pic);
    EXPECT_TRUE(crossed.empty()) << name << ":\n" << Lines(crossed);
  });
  auto* circles = p.ButtonBar()->findChild<CheckBox*>("chkIndcyCircle");
  auto* box = p.ButtonBar()->findChild<CheckBox*>("chkIndicyBox");
  EachDraw(p, pic, [&](const std::string& name) {
    const PictureBox plain = pic;
    circles->SetValue(1);
    box->SetValue(1);
    const std::vector<std::string> covered = testing::CoveredGlyphs(plain, pic);
    EXPECT_TRUE(covered.empty()) << name << ":\n" << Lines(covered);
    circles->SetValue(0);
    box->SetValue(0);
  });
}

// The diagram's axes and rings keep clear of every text, at the first zoom
// and zoomed in and out (the vectors, which may reach any text, laid along
// the x axis to the right, where no text stands).
TEST_F(ReadableTest, HeavyPrecipGridUnderItsTexts) {
  HeavyPrecipPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  EachDraw(p, pic, [&](const std::string& name) {
    const Integer h = host.hour;
    for (Integer d = 1; d <= gDatasetCount; ++d) {
      gCloudLayerU(d, h) = gMbeU(d, h) = gMbeUpwindU(d, h) = 20;
      gCloudLayerV(d, h) = gMbeV(d, h) = gMbeUpwindV(d, h) = 0;
      gCloudLayerDir(d, h) = gMbeDir(d, h) = gMbeUpwindDir(d, h) = 270;
      gLLJDir(d, h) = 90;
    }
    for (const Single zoom : {51.0f, 61.2f, 35.4f}) {
      p.gMBEScale = zoom;
      p.Draw();
      const std::vector<std::string> crossed = CrossedTexts(pic);
      EXPECT_TRUE(crossed.empty()) << name << " zoom " << zoom << ":\n" << Lines(crossed);
    }
    p.gMBEScale = 51;
  });
}

// The fog panel's texts on the shipped files; the captions of the humidity
// change's regions stand over the traces with a black edge round them.
TEST_F(ReadableTest, FogTextsStandClear) {
  FogPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  const auto regionCaption = [&](const PictureBox::PrintedText& t) {
    return t.ink.top() < pic.PixelHeight() / 3.0 && (t.text == "Less" || t.text == "More" || t.text == "Likely");
  };
  EachDraw(p, pic, [&](const std::string& name) {
    const std::vector<std::string> crossed = CrossedTexts(pic, regionCaption);
    EXPECT_TRUE(crossed.empty()) << name << ":\n" << Lines(crossed);
  });
}

// Every class of the gauges: the air and ground bars up and down to their
// ends with their "T=" texts and verdicts, and the MRi's boxes with their
// cues, on a short column and a tall one.
TEST_F(ReadableTest, FogGaugesOfEveryClass) {
  MakeDatasets(1, 1);
  MaxSpecHum = 5;
  FogPanel p(host, &parent);
  Place(p);
  PictureBox& pic = Pic(p);
  const struct {
    double air, ground;  // deg F past the crossover
    double mri;
  } cases[] = {{5.5, 5.5, -0.01}, {2, 3, 0.003}, {1.5, -3, 0.006}, {0.5, 0, 0.01},
               {-0.5, -5.5, 0.016}, {-2, 2, 0.05}, {-2.5, -1, 0.06}, {-5.5, 5.5, 0.075}};
  for (const auto& c : cases) {
    const Single x = 10;  // the crossover, deg C
    XoverManual(1, 0) = x;
    gSfcTemp(1, 0) = static_cast<Single>(x + c.air * 5 / 9);
    gSoilTemp(1, 0) = static_cast<Single>(x + c.ground * 5 / 9 + 273.16);
    // The warmest level of the lowest 100 mb over a 10-kt surface wind.
    gTemp(1, 0, 1) = static_cast<Single>(gSfcTemp(1, 0) + c.mri * 100);
    gTemp(1, 0, 2) = gTemp(1, 0, 1) - 5;
    gWspd(1, 0, 1) = 10;
    for (const double scale : kScales) {
      pic.Resize(testing::kPanelPx, testing::kPanelPx, scale);
      p.Draw();
      const std::vector<std::string> crossed = CrossedTexts(pic);
      EXPECT_TRUE(crossed.empty()) << "air " << c.air << " ground " << c.ground << " MRi " << c.mri << " scale "
                                   << scale << ":\n"
                                   << Lines(crossed);
    }
  }
}

}  // namespace
}  // namespace ondrik
