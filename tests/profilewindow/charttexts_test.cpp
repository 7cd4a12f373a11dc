// The texts of the profile chart at the busy shipped files, as the window
// draws them: every text the chart prints is there, whole inside the
// picture, clear of every other text; each number on a ground of its own
// that hides no data, clear of every line, but where the chart is crowded
// and a few go over the data as a last resort.
#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/snapshot.h"
#include "tests/chart/chart_texts.h"
#include "tests/common/text_check.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using testing::Ctl;

class ChartTextsTest : public testing::ProfileWindowTest {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    for (const char* f : {"NAM_KOKC.ond", "NAM_KDEN.ond", "NAM_KMSP.ond", "SREF_KOKC.ond"})
      std::filesystem::copy_file(std::filesystem::path(ONDRIK_DATA_DIR) / f, folder_ / f,
                                 std::filesystem::copy_options::overwrite_existing);
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override {
    PictureBox::RecordPrintedTexts(false);
    gOverlayAll = false;
    ProfileWindowTest::TearDown();
  }
};

// A few hours of each file: in the first-run view; with the wind directions
// beside the panels that mark levels on the chart, at the first-run and at
// warmer bounds; with every overlay ticked, plain and skewed; at the
// first-run size, drawn finer (a screen scaled by 1.5) and maximised.
TEST_F(ChartTextsTest, EveryTextStandsClear) {
  frmProfile& w = Start();
  const ChartOptions firstRun = w.Chart().opt;
  ChartOptions directions = firstRun;
  directions.chkWindDigital = directions.DigitalWindDirections = true;
  ChartOptions every = directions;
  for (const ChartBoxRow& r : frmProfile::ChartBoxes()) r.field(every) = true;
  every.chkRH[1] = every.chkActiveReadout = every.chkECAPE = false;
  ChartOptions skewed = every;
  skewed.chkSkewT = true;
  const struct {
    const char* name;
    const ChartOptions& options;
    int panel;  // btnDisplay index: 0 Data, 2 Hodograph, 5 Heavy Precip
    Integer tMin, tMax;
    int width, height;  // the picture's, 0: as the window lays it out
    double scale;       // device pixels per picture pixel
  } views[] = {{"first-run", firstRun, 0, -60, 30, 0, 0, 1},    {"jet", directions, 5, -60, 30, 0, 0, 1},
               {"layer", directions, 2, -60, 30, 0, 0, 1.5},    {"warm", directions, 2, -20, 40, 1580, 640, 1},
               {"every", every, 2, -60, 30, 0, 0, 1.5},         {"every-skewed", skewed, 5, -60, 30, 1580, 640, 1}};
  const struct {
    const char* model;
    const char* site;
    std::vector<Integer> hours;
  } files[] = {{"NAM", "KMSP", {0, 24, 48}},
               {"NAM", "KOKC", {0, 30, 60}},
               {"NAM", "KDEN", {0, 42}},
               {"SREF", "KOKC", {0, 24, 48}}};
  PictureBox& pic = Ctl<PictureBoxWidget>(w, "picData")->Pic();
  std::map<std::string, int> overAtOwnPlace;
  const int laidOutWidth = pic.PixelWidth(), laidOutHeight = pic.PixelHeight();
  for (const auto& f : files) {
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), f.model));
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), f.site));
    if (gDatasetCount > 1 && !gOverlayAll) w.btnEnsemble_Click();  // every member shown
    for (const auto& v : views) {
      w.SetChartOptions(v.options);
      gChartTMin = v.tMin;
      gChartTMax = v.tMax;
      pic.Resize(v.width > 0 ? v.width : laidOutWidth, v.height > 0 ? v.height : laidOutHeight, v.scale);
      w.btnDisplay_Click(v.panel);
      for (const Integer hour : f.hours) {
        Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
        w.PlotProfile();
        const std::string name = std::string(f.model) + "_" + f.site + "-" + std::to_string(hour) + "-" + v.name;
        // ONDRIK_PICTURE_DIR=<folder> keeps a copy of each picture looked at.
        testing::KeepPicture(pic, name);
        int over = 0;
        EXPECT_EQ(testing::ChartFaultLines(pic, testing::ChartChecks(pic, w.Chart(), {.round = true, .apart = true}), over),
                  "")
            << name;
        overAtOwnPlace[std::string(f.model) + "_" + f.site + "-" + v.name] += over;
      }
    }
  }
  // Where a text found no clear place by what it labels it stands there,
  // over another: with every box ticked only.
  for (const auto& [view, n] : overAtOwnPlace) {
    std::printf("over another at its own place, %s: %d\n", view.c_str(), n);
    if (view.find("-every") == std::string::npos) {
      EXPECT_EQ(n, 0) << view;
    }
  }
}

// The numbers the chart prints: every text of digits (with its blanks and
// sign), in order.
std::multiset<std::string> Numbers(const PictureBox& pic) {
  std::multiset<std::string> out;
  for (const auto& t : pic.PrintedTexts())
    if (!t.text.empty() && t.text.find_first_not_of(" -0123456789") == std::string::npos) out.insert(t.text);
  return out;
}

// What lies over the chart's top (the omega strip, a snapshot's titles)
// takes no number off it: the chart stands below, with the numbers of a
// chart as much lower.
TEST_F(ChartTextsTest, NothingOverTheTopTakesANumber) {
  frmProfile& w = Start();
  PictureBox& pic = Ctl<PictureBoxWidget>(w, "picData")->Pic();
  const int width = pic.PixelWidth(), height = pic.PixelHeight();
  ChartOptions digital = w.Chart().opt;
  digital.chkWindDigital = digital.DigitalWindDirections = true;
  const auto numbersBelow = [&](int band) {
    pic.Resize(width, height - band, 1);
    w.PlotProfile();
    const std::multiset<std::string> n = Numbers(pic);
    pic.Resize(width, height, 1);
    return n;
  };
  for (const char* site : {"KOKC", "KMSP", "KDEN"}) {
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), site));
    for (const Integer hour : {0, 30}) {
      Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
      ChartOptions strip = digital;
      strip.ChkOmega = true;
      w.SetChartOptions(strip);
      w.PlotProfile();
      const std::multiset<std::string> under = Numbers(pic);
      w.SetChartOptions(digital);
      EXPECT_EQ(under, numbersBelow(kOmegaStripPx)) << site << " " << hour << " under the omega strip";
      const SnapshotRequest req = *w.ProfileSnapRequest("A");
      const int band = static_cast<int>(SnapshotTitlesBottomPx(pic, SnapshotTitle(req.siteId, req.modelName, req.valid0),
                                                               SnapshotValidLine(req.validCur)));
      w.PlotProfileUnderSnapshotTitles(req);
      const std::multiset<std::string> titled = Numbers(pic);
      EXPECT_EQ(titled, numbersBelow(band)) << site << " " << hour << " under a snapshot's titles";
    }
  }
}

// Rows of the ground band (the brown under the surface) down the chart's
// left edge: the bottom as the picture shows it.
int GroundRows(const QImage& img) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y) n += QColor(img.pixel(1, y)) == QColor(124, 54, 0);
  return n;
}

// The same settings give the same chart, whatever came before: the bottom
// is worked out afresh for the picture it is drawn in, and the user's own
// bound stays as the load set it. Roads, step by step: o and O tick and
// untick Omega, s saves a snapshot, r draws the chart half as high and
// gives it its height back.
TEST_F(ChartTextsTest, TheSameSettingsGiveTheSameBottomOnEveryRoad) {
  PictureBox::RecordPrintedTexts(false);
  for (const int omegaAtEnd : {0, 1}) {
    std::optional<QImage> first;
    for (const std::string road : {"", "oO", "s", "osO", "r", "orO"}) {
      SCOPED_TRACE("road \"" + road + "\", omega " + std::to_string(omegaAtEnd));
      frmProfile& w = Start();
      PictureBoxWidget* chart = Ctl<PictureBoxWidget>(w, "picData");
      const Integer bound = gChartBottom;
      for (const char step : road) {
        if (step == 's') {
          EXPECT_TRUE(w.ProfileSnapStep("A"));
        } else if (step == 'r') {
          const int height = chart->height();
          chart->resize(chart->width(), height / 2);
          w.PlotProfile();
          chart->resize(chart->width(), height);
        } else {
          Ctl<CheckBox>(w, "ChkOmega")->SetValue(step == 'o' ? 1 : 0);
        }
      }
      Ctl<CheckBox>(w, "ChkOmega")->SetValue(omegaAtEnd);
      w.PlotProfile();
      EXPECT_EQ(gChartBottom, bound);
      const QImage shown = chart->Pic().Image().copy();
      if (!first) first = shown;
      EXPECT_GT(GroundRows(shown), 0);
      EXPECT_EQ(GroundRows(shown), GroundRows(*first));
      EXPECT_TRUE(shown == *first);
    }
  }
}

}  // namespace
}  // namespace ondrik
