// The hodograph, indices, CAPE-shear panels and the KORVAN page inside the
// window, with the shipped profile files.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/guards.h"
#include "core/levels.h"
#include "core/reader.h"
#include "core/shear.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using testing::Ctl;
using testing::ProfileWindowTest;

// The helicity of every hour of dataset 1 of the store, with its layer.
struct Layer {
  std::vector<Integer> top;
  std::vector<Single> helicity;
};
Layer HelicityOfEveryHour() {
  Layer l;
  const CurrentDatasetGuard first(1);
  for (Integer h = 0; h <= gLastHour(1); ++h) {
    if (gHelicityDone(1, h) != -1) ComputeSRHelicity(h);
    l.top.push_back(gSRHTopLevel(1, h));
    l.helicity.push_back(gHelicity(1, h));
  }
  return l;
}

class SidePanelsTest : public ProfileWindowTest {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    for (const char* f : {"NAM_KOKC.ond", "NAM_KDEN.ond", "SREF_KOKC.ond"})
      std::filesystem::copy_file(std::filesystem::path(ONDRIK_DATA_DIR) / f, folder_ / f,
                                 std::filesystem::copy_options::overwrite_existing);
  }
  void Load(frmProfile& w, const char* site) { w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), site)); }
};

TEST_F(SidePanelsTest, ANewFileGetsItsOwnHelicityLayerNothingOfTheOneBefore) {
  // B as the first file the user picks.
  Load(Start(), "KDEN");
  ASSERT_EQ(win_->LastSite, "KDEN");
  const Layer alone = HelicityOfEveryHour();
  win_.reset();

  // A with a layer from 1 to 4 km, then B.
  frmProfile& w = Start();
  Load(w, "KOKC");
  w.btnDisplay_Click(2);
  Ctl<QPushButton>(w, "btnHodoHeight4")->click();
  Ctl<QPushButton>(w, "btnHodoBase1")->click();
  Ctl<QPushButton>(w, "btnHodoHeight3")->click();
  Ctl<QPushButton>(w, "btnHodoBase0")->click();
  EXPECT_EQ(gSRInflowDepth, 3);
  EXPECT_EQ(gSRInflowBase, 0);
  Load(w, "KDEN");
  ASSERT_EQ(w.LastSite, "KDEN");
  const Layer after = HelicityOfEveryHour();
  ASSERT_EQ(after.top.size(), alone.top.size());
  for (size_t h = 0; h < alone.top.size(); ++h) {
    EXPECT_EQ(after.top[h], alone.top[h]) << h;
    EXPECT_FLOAT_EQ(after.helicity[h], alone.helicity[h]) << h;
    // The top is B's own level nearest 3 km above its ground.
    const Integer t = after.top[h];
    const Integer H = static_cast<Integer>(h);
    EXPECT_LE(std::fabs(gHghtAGL(1, H, t) - 3000), std::fabs(gHghtAGL(1, H, t + 1) - 3000)) << h;
    EXPECT_LE(std::fabs(gHghtAGL(1, H, t) - 3000), std::fabs(gHghtAGL(1, H, t - 1) - 3000)) << h;
  }
  // A layer of 1 to 4 km carries over to the next file, on its own heights.
  Ctl<QPushButton>(w, "btnHodoHeight4")->click();
  Ctl<QPushButton>(w, "btnHodoBase1")->click();
  Load(w, "KOKC");
  ASSERT_EQ(w.LastSite, "KOKC");
  const CurrentDatasetGuard first(1);
  for (Integer h = 0; h <= gLastHour(1); ++h) {
    EXPECT_EQ(gSRHTopLevel(1, h), LevelOfHeight(h, 4)) << h;
    EXPECT_EQ(gSRHBottomLevel(1, h), LevelOfHeight(h, 1)) << h;
  }
  // The chosen buttons keep their colours through the loads.
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnHodoHeight4")->styleSheet().contains("background"));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnHodoBase1")->styleSheet().contains("background"));
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnHodoHeight3")->styleSheet().contains("background"));
}

TEST_F(SidePanelsTest, EveryPanelDrawsAndADragIsFollowedByShearAndMatrix) {
  frmProfile& w = Start();
  Load(w, "KOKC");
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(12);
  // Each panel is drawn before it first shows: its picture keeps the drawing.
  const char* const pictures[] = {"picIndices", "picCape", "picHodograph"};
  int i = 0;
  for (int panel : {3, 4, 2}) {
    w.btnDisplay_Click(panel);
    EXPECT_EQ(w.RightPanel, panel);
    EXPECT_GT(testing::NonBlackPixels(Ctl<PictureBoxWidget>(w, pictures[i++])->Pic()), 500) << panel;
  }
  w.btnControl_Click(4);
  EXPECT_EQ(w.ControlPanel, 4);
  EXPECT_TRUE(w.SaveWindowPng((std::filesystem::path(ONDRIK_TEST_TMP) / "sidepanels-hodograph.png").string()));
  const Integer D = 1, H = 12;
  EXPECT_EQ(MatrixPageDone(D, H), -1);
  const std::string cell = Ctl<QLabel>(w, "lblMatrix")->text().toStdString();
  EXPECT_EQ(cell, MatrixCellCode(D, H));
  ComputeBulkShear(D, H);
  const Single shear = gBulkShear(D, H);

  // Hover over level 1 of the hodograph, press and drag it 10 m/s away.
  auto* hodo = Ctl<PictureBoxWidget>(w, "picHodograph");
  const Single u = gWindU(D, H, 1), v = gWindV(D, H, 1);
  hodo->onMouseMove(0, 0, u, v);
  hodo->onMouseDown(1, 0, u, v);
  hodo->onMouseMove(1, 0, u + 10, v);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnHodoReset")->isVisibleTo(&w));
  EXPECT_FALSE(gBulkShearDone(D, H));
  // The open matrix page follows the drag at once; the CAPE-shear panel
  // computes the shear when it is shown.
  EXPECT_EQ(MatrixPageDone(D, H), -1);
  EXPECT_EQ(Ctl<QLabel>(w, "lblMatrix")->text().toStdString(), MatrixCellCode(D, H));
  hodo->onMouseUp(1, 0, u + 10, v);  // the drag ends
  w.btnDisplay_Click(4);
  EXPECT_TRUE(gBulkShearDone(D, H));
  EXPECT_NE(gBulkShear(D, H), shear);
  EXPECT_TRUE(w.SaveWindowPng((std::filesystem::path(ONDRIK_TEST_TMP) / "sidepanels-capeshear.png").string()));
  w.btnDisplay_Click(3);
  EXPECT_TRUE(w.SaveWindowPng((std::filesystem::path(ONDRIK_TEST_TMP) / "sidepanels-indices.png").string()));
}

TEST_F(SidePanelsTest, TheBoxesOfIndicesAndCapeShearAreSavedState) {
  frmProfile& w = Start();
  PanelSettings s = w.CapturePanelSettings();
  EXPECT_EQ(s.chkIndcyBar, 1);
  EXPECT_EQ(s.chkIndicyBox, 0);
  s.chkIndcyBar = 0;
  s.chkIndcyCircle = s.chkIndicyBox = s.chkCapeShearHistory = s.chkCapeShearVariability = 1;
  w.ApplyPanelSettings(s);
  const PanelSettings back = w.CapturePanelSettings();
  EXPECT_EQ(back.chkIndcyBar, 0);
  EXPECT_EQ(back.chkIndcyCircle, 1);
  EXPECT_EQ(back.chkIndicyBox, 1);
  EXPECT_EQ(back.chkCapeShearHistory, 1);
  EXPECT_EQ(back.chkCapeShearVariability, 1);
  EXPECT_TRUE(Ctl<CheckBox>(w, "chkCapeShearVariability")->isChecked());
}

// A click on a row of the Data listing marks that level across the chart;
// a second click on it takes the mark away, and a redraw clears it.
TEST_F(ProfileWindowTest, DataRowClickMarksItsLevelOnTheChart) {
  frmProfile& w = Start();
  w.btnDisplay_Click(0);
  auto* table = Ctl<PictureBoxWidget>(w, "picProfile");
  const PictureBox& chart = Ctl<PictureBoxWidget>(w, "picData")->Pic();
  const QImage before = chart.Image();
  const double h = table->Pic().TextHeight("W");
  const double y = 18.5 * h;  // the row of level 3 of the 20 listed
  table->onMouseUp(1, 0, 5, y);
  const QImage marked = chart.Image();
  int changed = 0;
  for (int y = 0; y < marked.height(); ++y)
    if (std::memcmp(marked.constScanLine(y), before.constScanLine(y), marked.bytesPerLine()) != 0) ++changed;
  EXPECT_GT(changed, 0);
  EXPECT_LT(changed, marked.height() / 4);  // a band, not the whole chart
  table->onMouseUp(1, 0, 5, y);
  EXPECT_EQ(chart.Image(), before);
  table->onMouseUp(1, 0, 5, y);
  w.PlotProfile();
  EXPECT_EQ(chart.Image(), before);
}

}  // namespace
}  // namespace ondrik
