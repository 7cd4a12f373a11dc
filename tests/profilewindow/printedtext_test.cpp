// Every side panel and the overview's scale columns drawn for a shipped file
// in the windows at their first-run size: no two texts printed over each
// other, none running out of its picture.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QListWidget>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using testing::Ctl;

// What is wrong with the texts printed on a picture, one line each: two
// whose ink comes closer than a pixel apart across or overlaps by more than
// a pixel up and down (lines printed one under the other touch at most),
// one whose opaque background covers the ink of one printed before it, or
// one that runs out of the picture.
std::vector<std::string> Crowding(const PictureBox& pic) {
  std::vector<std::string> faults;
  const auto& texts = pic.PrintedTexts();
  const QRectF inside(-0.5, -0.5, pic.PixelWidth() + 1.0, pic.PixelHeight() + 1.0);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto& a = texts[i];
    if (!inside.contains(a.ink))
      faults.push_back("\"" + a.text + "\" runs out of the picture: " + std::to_string(a.ink.top()) + " to " +
                       std::to_string(a.ink.bottom()) + " of " + std::to_string(pic.PixelHeight()));
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const auto& b = texts[j];
      if (a.text == b.text && a.ink == b.ink) continue;  // printed again in its place
      if (a.ink.adjusted(-1, 1, 1, -1).intersects(b.ink))
        faults.push_back("\"" + a.text + "\" and \"" + b.text + "\" run together");
      else if (b.background.intersects(a.ink))
        faults.push_back("\"" + b.text + "\" covers \"" + a.text + "\"");
    }
  }
  return faults;
}

std::string Lines(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& l : v) s += "  " + l + "\n";
  return s;
}

class PrintedTextTest : public testing::OverviewWindowTest {
 protected:
  void SetUp() override {
    OverviewWindowTest::SetUp();
    for (const char* f : {"NAM_KOKC.ond", "NAM_KDEN.ond", "SREF_KOKC.ond"})
      std::filesystem::copy_file(std::filesystem::path(ONDRIK_DATA_DIR) / f, folder_ / f,
                                 std::filesystem::copy_options::overwrite_existing);
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override {
    PictureBox::RecordPrintedTexts(false);
    OverviewWindowTest::TearDown();
  }
  frmProfile& StartOnKOKC() {
    frmProfile& w = Start();
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KOKC"));
    return w;
  }
  // ONDRIK_PICTURE_DIR=<folder> keeps a copy of each picture looked at.
  static void Check(const PictureBox& pic, const std::string& name) {
    if (const char* dir = std::getenv("ONDRIK_PICTURE_DIR"))
      pic.Image().save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
    EXPECT_GT(pic.PrintedTexts().size(), 0u) << name;
    const std::vector<std::string> faults = Crowding(pic);
    EXPECT_TRUE(faults.empty()) << name << ":\n" << Lines(faults);
  }
};

// Each panel in its usual views, on the shipped files whose texts are
// busiest, at the first and a later hour (the later ones in other energy
// diagrams; SREF's hour 61 the fog's longest crossover source line).
TEST_F(PrintedTextTest, SidePanels) {
  frmProfile& w = Start();
  const struct {
    int panel;            // btnDisplay index
    const char* picture;  // the picture box's object name
    const char* view;     // clicked first (a button) or ticked (a check box), if any
  } views[] = {{0, "picProfile", nullptr},
               {1, "picMap", "chkMeanFlow"},  // the map prints only over a wind overlay
               {1, "picMap", "chkSigmaLevel"},
               {2, "picHodograph", nullptr},
               {3, "picIndices", nullptr},
               {4, "picCape", "optCapeShear0"},
               {4, "picCape", "optCapeShear2"},
               {5, "picMBE", nullptr},
               {6, "picPrecipType", nullptr},        // the energy view
               {6, "picPrecipType", "btnPrecipType"},  // the thickness view
               {7, "picLapse", nullptr},
               {8, "picFog", nullptr}};
  const struct {
    const char* model;
    const char* site;
    std::vector<Integer> hours;
  } files[] = {{"NAM", "KOKC", {0, 50}}, {"NAM", "KDEN", {0, 30}}, {"SREF", "KOKC", {0, 40, 61}}};
  for (const auto& f : files) {
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), f.model));
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), f.site));
    for (const Integer hour : f.hours) {
      Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
      for (const auto& v : views) {
        w.btnDisplay_Click(v.panel);
        if (v.view != nullptr) {
          if (auto* box = w.findChild<CheckBox*>(v.view))
            box->SetValue(1);
          else
            Ctl<QAbstractButton>(w, v.view)->click();
        }
        Check(Ctl<PictureBoxWidget>(w, v.picture)->Pic(),
              std::string(f.model) + "_" + f.site + "-" + std::to_string(hour) + "-" + v.picture +
                  (v.view != nullptr ? std::string("-") + v.view : std::string()));
        if (v.view != nullptr && std::string(v.view) == "btnPrecipType") Ctl<QAbstractButton>(w, v.view)->click();
      }
    }
  }
}

TEST_F(PrintedTextTest, ChartTitleAndDigitalWinds) {
  frmProfile& w = StartOnKOKC();
  Check(Ctl<PictureBoxWidget>(w, "picData")->Pic(), "picData");
}

TEST_F(PrintedTextTest, OverviewScales) {
  frmProfile& w = StartOnKOKC();
  frmOverView& o = Open(w);
  const struct {
    std::vector<const char*> boxes;  // ticked together
    const char* picture;
    int scrolled = -1;  // hours the 24-hour window is scrolled, if at all
  } cases[] = {
      {{"chkTemperature"}, "picRight"},
      {{"chkWinds"}, "picLeft"},
      {{"chkPrecip"}, "picRight"},
      {{"chkLakeIndex"}, "picLeft"},
      {{"chkSfcTemp"}, "picRight"},
      {{"chkCAPE"}, "picLeft"},
      {{"chkSfcPres"}, "picLeft"},
      {{"chkWinds", "chkLakeIndex", "chkCAPE"}, "picLeft"},  // three columns
      {{"chkTemperature", "chkPrecip", "chkVWP"}, "picRight"},
      {{"chkTemperature"}, "picTime"},
      {{"chkTemperature"}, "picTime", 10},
  };
  std::vector<std::string> ticked;
  for (const auto& c : cases) {
    for (const std::string& b : ticked) Ctl<CheckBox>(o, QString::fromStdString(b))->SetValue(0);
    ticked.assign(c.boxes.begin(), c.boxes.end());
    for (const char* b : c.boxes) Ctl<CheckBox>(o, b)->SetValue(1);
    std::string name = std::string(c.picture) + "-" + c.boxes.front() + "-" + std::to_string(c.boxes.size());
    if (c.scrolled >= 0) {
      Ctl<QAbstractButton>(o, "btnHours0")->click();
      Ctl<ScrollBar>(o, "hsbHours")->SetValue(c.scrolled);
      name += "-scrolled";
    }
    Check(Ctl<PictureBoxWidget>(o, c.picture)->Pic(), name);
  }
}

}  // namespace
}  // namespace ondrik
