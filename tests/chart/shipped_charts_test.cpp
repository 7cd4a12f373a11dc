// The chart pictures of the shipped files stay what they were when
// tests/chart/shipped_charts.hash was written: plain, skewed, with every box
// ticked, the ensemble's members overlaid, on screens scaled by 1, 1.75 and
// 2.75, over hours spread through each forecast. A change meant to make the
// redraw faster, or to mend what bad input does, must leave the pictures of
// ordinary files alone, pixel for pixel.
//
// The hashes hold where text is drawn as it was when they were written (the
// first line, a probe of printed texts, tells): elsewhere the test is
// skipped. After a change that is meant to alter the pictures, write the
// file anew with ONDRIK_WRITE_PICTURE_HASHES=1 and look at the pictures
// (ONDRIK_PICTURE_DIR=<folder> keeps them).
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "core/reader.h"
#include "core/shared.h"
#include "core/store.h"
#include "tests/chart/chart_test_util.h"
#include "tests/common/text_check.h"
#include "tests/common/picture_hashes.h"

namespace ondrik {
namespace {

const std::string kHashFile = std::string(ONDRIK_DATA_DIR) + "/../tests/chart/shipped_charts.hash";

// Hours 0, 12, 24, ... of every file.
constexpr int kHourStep = 12;

// Printed texts in the faces the chart prints with.
std::string TextProbe() {
  return testing::TextProbe(" 950 -40 <LFC 12 ---> 270\u00B015kts", "SREF ARW CTL 12Z arw_ctl", 11);
}

// A side panel that marks two levels at the chart's right edge and labels
// a third, as the heavy-precipitation panel marks the jet.
struct JetLike : ChartEvents {
  ChartMarks MarksFor(Integer D, Integer H) override {
    ChartMarks m;
    m.levels = {3, 9};
    m.levelCount = 2;
    m.label = "LLJ";
    m.labelColor = RGB(255, 0, 255);
    m.labelPres = gPres(D, H, 6);
    return m;
  }
};

ChartOptions EveryBox() {
  ChartOptions o;
  o.chkLines = o.chkDryAdiabats = o.chkClouds = o.chkLayer2Layer = true;
  o.chkRH = {true, false};
  o.chkInversions = o.chkWetBulb = o.chkIcing = o.chkFP = true;
  o.chkLakeIndex = o.chkLIC = o.chkMoistLakeIndex = true;
  o.chkLCL = o.chkLFC = o.chkEQL = o.chkWBZ = o.chkCCL = o.chkConvectiveTemp = true;
  o.chkParcel = o.chkCINS = o.chkMomentum = o.chkSnowGrowth = o.chkHailGrowth = true;
  o.chk10MWind = o.ChkOmega = o.chkWindVector = o.chkWindDigital = true;
  o.ColorWindsBySpeed = true;
  return o;
}

struct View {
  const char* name;
  ChartOptions opt;
  bool overlay = false;      // every member of an ensemble
  double topBandPx = 0;      // a snapshot's titles over the top
  bool panelMarks = false;   // the jet's marks and label
};

std::vector<View> Views() {
  ChartOptions skewed;
  skewed.chkSkewT = true;
  ChartOptions every = EveryBox();
  ChartOptions everySkewed = every;
  everySkewed.chkSkewT = true;
  everySkewed.VerticalUnit = 1;  // heights in thousands of feet
  everySkewed.chkRH = {false, true};
  everySkewed.DigitalWindDirections = false;
  ChartOptions kilometres = every;
  kilometres.VerticalUnit = 2;
  kilometres.WindAutoMode = true;
  return {{"plain", ChartOptions{}},
          {"skewed", skewed, false, 24},
          {"every", every, false, 0, true},
          {"every-skewed", everySkewed},
          {"km", kilometres},
          {"overlay", every, true, 0, true},
          {"overlay-skewed", everySkewed, true}};
}

const std::vector<std::string> kShippedFiles = {"NAM_KOKC.ond", "NAM_KBOS.ond", "NAM_KDEN.ond", "NAM_KMSP.ond",
                                               "RUC_KOKC.ond", "RUC_KBOS.ond", "RUC_KDEN.ond", "RUC_KMSP.ond",
                                               "GFS_KOKC.ond", "GFS_KBOS.ond", "GFS_KDEN.ond", "GFS_KMSP.ond",
                                               "SREF_KOKC.ond"};

// The pictures of the views of the files at the scales (hundredths), a
// hash for each (file, view, scale) over its hours.
std::map<std::string, std::string> DrawPictures(const std::vector<std::string>& files, const std::vector<View>& views,
                                                const std::vector<int>& scales, int hourStep) {
  std::map<std::string, std::string> hashes;
  JetLike jet;
  for (const std::string& name : files) {
    LoadOptions o;
    o.modelKey = name.rfind("GFS", 0) == 0 ? "gfs3" : name.rfind("RUC", 0) == 0 ? "ruc" : "eta";
    o.srInflowDepth = 3;
    const LoadResult r = LoadProfileFile(std::string(ONDRIK_DATA_DIR) + "/" + name, o);
    EXPECT_TRUE(r.ok) << name << ": " << r.message;
    if (!r.ok) continue;
    for (const View& v : views) {
      if (v.overlay && gDatasetCount < 2) continue;
      for (const int scale : scales) {
        gLoadingState = false;
        gHourChangeSource = 0;
        for (int d = 0; d <= kMaxDatasets; ++d) gDatasetShown(d) = true;
        gChartTop = 100;
        gChartBottom = 1050;
        gOverlayAll = v.overlay;
        gCurDataset = v.overlay ? 3 : 1;  // the shown member between others
        ChartState s;
        s.opt = v.opt;
        gChartTMin = v.opt.chkSkewT ? v.opt.SkewTMin : v.opt.PlainTMin;
        gChartTMax = v.opt.chkSkewT ? v.opt.SkewTMax : v.opt.PlainTMax;
        s.in.TopBandPx = v.topBandPx;
        s.in.HighlightIsotherms[1] = 0;
        s.in.HighlightIsotherms[2] = -20;
        s.in.HighlightIsothermCount = v.opt.chkLines ? 2 : 0;
        if (v.panelMarks) s.events = &jet;
        PictureBox pic(700, 600);
        pic.Resize(700, 600, scale / 100.0);
        pic.BackColor = kBlack;
        testing::PictureHash h;
        for (Integer hour = 0; hour <= gLastHour(gCurDataset); hour += hourStep) {
          s.in.CurHour = hour;
          PlotProfile(pic, s);
          h.Add(pic.Image());
          testing::KeepPicture(pic, name + "-" + v.name + "-" + std::to_string(scale) + "-" + std::to_string(hour));
        }
        hashes[name + "-" + v.name + "-" + std::to_string(scale)] = h.Hex();
      }
    }
  }
  gOverlayAll = false;
  return hashes;
}

TEST(ShippedChartsTest, EveryViewDrawsAsBefore) {
  const std::map<std::string, std::string> hashes = DrawPictures(kShippedFiles, Views(), {100, 175, 275}, kHourStep);
  const std::string probe = TextProbe();
  testing::ExpectPictureHashes(kHashFile, probe, hashes);
}

// What the picture box keeps of each drawing for the checks of printed
// texts changes nothing drawn.
TEST(ShippedChartsTest, RecordingWhatIsDrawnChangesNoPixel) {
  const std::vector<std::string> files = {"NAM_KMSP.ond", "SREF_KOKC.ond"};
  const std::map<std::string, std::string> plain = DrawPictures(files, Views(), {175}, 42);
  PictureBox::RecordPrintedTexts(true);
  const std::map<std::string, std::string> recorded = DrawPictures(files, Views(), {175}, 42);
  PictureBox::RecordPrintedTexts(false);
  EXPECT_EQ(plain, recorded);
}

}  // namespace
}  // namespace ondrik
