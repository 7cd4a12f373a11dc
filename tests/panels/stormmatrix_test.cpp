#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "panels/matrixcell.h"
#include "panels/stormmatrix.h"
#include "core/thresholds.h"
#include "platform/effects.h"
#include "platform/pictureboxwidget.h"
#include "tests/core/sounding.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using testing::FakeHost;
using testing::Level;

// One dataset and hour with levels every 500 m from the ground; winds set
// afterwards as components per level.
void SetLevels(int count) {
  Store().Clear();
  gDatasetCount = 0;
  std::vector<Level> levels;
  for (int i = 0; i < count; ++i)
    levels.push_back({1000.0f - 50.0f * i, 25.0f - 3.0f * i, 15.0f - 3.5f * i, 0, 0, 500.0f * i});
  testing::SetSounding(1, 0, levels, 0.0f);
  for (int l = 0; l <= count; ++l) gWindU(1, 0, l) = gWindV(1, 0, l) = 0;
}

TEST(MatrixLayers, ShearAndMeanWindHelicityOfConstructedHodographs) {
  SetLevels(20);
  // Level i stands 500 (i - 1) m up: 0-2.5 km is levels 1 to 6.
  const float u[] = {0, 0, 10, 10, 10, 10, 10};
  const float v[] = {0, 0, 0, 10, 10, 10, 10};
  for (int l = 1; l <= 6; ++l) gWindU(1, 0, l) = u[l], gWindV(1, 0, l) = v[l];
  EXPECT_NEAR(LayerTotalShear(1, 0, 0, 2.5f), 20, 1e-4);
  // East, then north: the wind backs, negative helicity about the layer's
  // own mean.
  EXPECT_LT(LayerMeanWindHelicity(1, 0, 0, 2.5f), 0);
  // A straight hodograph turns nothing.
  for (int l = 1; l <= 20; ++l) gWindU(1, 0, l) = 2.0f * l, gWindV(1, 0, l) = 1.0f * l;
  EXPECT_NEAR(LayerMeanWindHelicity(1, 0, 0, 5), 0, 1e-3);
  EXPECT_NEAR(LayerTotalShear(1, 0, 2.5f, 5), 5 * std::sqrt(5.0f), 1e-3);
  // Three distinct points: (0,0), (10,0), (10,10) over levels 1..3.
  SetLevels(20);
  gWindU(1, 0, 2) = 10;
  gWindU(1, 0, 3) = 10, gWindV(1, 0, 3) = 10;
  EXPECT_NEAR(LayerMeanWindHelicity(1, 0, 0, 1), -600.0f / 9, 1e-3);
  // Veering the other way round gives the opposite sign.
  gWindU(1, 0, 2) = 0, gWindV(1, 0, 2) = 10;
  EXPECT_NEAR(LayerMeanWindHelicity(1, 0, 0, 1), 600.0f / 9, 1e-3);
  // A layer above the profile (top level 0) has no shear and no helicity.
  EXPECT_EQ(LayerTotalShear(1, 0, 5, 40), 0);
  EXPECT_EQ(LayerMeanWindHelicity(1, 0, 5, 40), 0);
  EXPECT_EQ(LayerMeanWindHelicity(1, 0, 0, 40), 0);
}

TEST(MatrixLayers, TheRowDecisionTable) {
  const struct {
    Single S05, S0_25, S25_5, S075, H0_25, H25_5;
    const char* row;
  } cases[] = {
      {4.9f, 0, 0, 0, 100, 100, "Axxxt34xxxd13"},
      {14, 0, 0, 0, 34.9f, 0, "Bxxxt09xxxd15"},
      {15, 0, 0, 0, -34.9f, 0, "Cxxxt10xxxd09"},
      {37.4f, 0, 0, 0, 0, 0, "Dxxxt11xxxd08"},
      {37.5f, 0, 0, 0, 0, 0, "Exxxt25xxxd07"},
      {20, 0, 0, 0, -35.1f, 0, "Jl13t41m11d16"},
      {20, 14, 7.4f, 0, -35, 0, "Nl07t18m03d12"},   // -35 exactly is not J
      {20, 15, 7.4f, 0, 35, 0, "Ol06t08m02d11"},    // 35 exactly turns
      {20, 25, 7.4f, 0, 50, 0, "Pl05t33m01d10"},
      {24, 0, 7.5f, 0, 50, 35, "Kl10t19m09d06"},
      {37, 0, 8, 0, 50, 40, "Ll09t03m08d05"},
      {38, 0, 8, 0, 50, 40, "Ml08t28m07d04"},
      {38, 0, 8, 24, 50, 34, "Fl04t29m06d03"},
      {38, 0, 8, 37, 50, -80, "Gl03t16m05d03"},
      {38, 0, 8, 52, 50, 0, "Hl02t15m04d01"},
      {38, 0, 8, 52.5f, 50, 0, "Il12t02m10d14"},
  };
  for (const auto& c : cases) {
    MatrixLayers m;
    m.S05 = c.S05, m.S0_25 = c.S0_25, m.S25_5 = c.S25_5, m.S075 = c.S075, m.H0_25 = c.H0_25, m.H25_5 = c.H25_5;
    EXPECT_EQ(ClassifyStormMatrix(m), c.row) << c.row;
  }
  // Columns by CAPE and, for the largest, the dryness of the cloud layer.
  EXPECT_EQ(MatrixColumn(1770.9f, 30), 1);
  EXPECT_EQ(MatrixColumn(1771, 30), 2);
  EXPECT_EQ(MatrixColumn(2711, 14.9f), 3);
  EXPECT_EQ(MatrixColumn(2711, 15), 4);
}

TEST(MatrixLayers, TheCellItsPagesAndItsDryness) {
  SetLevels(30);
  gCape(1, 0) = 3000;
  gLfct(1, 0) = 880;  // levels 4 .. 8 lie between the LFC and the EL
  gEqlv(1, 0) = 640;
  BuildStormMatrixPage(1, 0, "E");
  EXPECT_EQ(MatrixPageDone(1, 0), -1);
  // Calm: row A. Level L is 10 + 0.5 (L - 1) C dry: 12.5 C over levels 4 to 8.
  EXPECT_EQ(MatrixCellCode(1, 0), "A3");
  EXPECT_NEAR(MatrixMeanDPD(1, 0), 12.5f, 1e-4);
  EXPECT_EQ(MatrixPagePath(1, 0), "E:\\tavrel\\convectn\\csmatrix\\media\\flash\\A_3");
  EXPECT_EQ(MatrixPageName(MatrixPagePath(1, 0), 5), "E:\\tavrel\\convectn\\csmatrix\\media\\flash\\A_3_5.htm");
  for (int l = 1; l <= 30; ++l) gDewpt(1, 0, l) = gTemp(1, 0, l) - 20;  // dry: column 4
  MatrixPageDone(1, 0) = 0;
  BuildStormMatrixPage(1, 0, "E");
  EXPECT_EQ(MatrixCellCode(1, 0), "A4");
  // No level between the LFC and the EL: a depression of 0, moist.
  gLfct(1, 0) = 700;
  gEqlv(1, 0) = 705;
  EXPECT_EQ(MatrixMeanDepression(1, 0), 0);
  // Low CAPE: no cell, but the row and the path are still made.
  gCape(1, 0) = 299;
  BuildStormMatrixPage(1, 0, "E");
  EXPECT_EQ(MatrixCellCode(1, 0), "-");
  EXPECT_EQ(MatrixPagePath(1, 0).back(), '1');
  const struct {
    const char* code;
    bool pages;
  } cells[] = {{"-", false}, {"", false}, {"A", false}, {"B1", false}, {"E3", false},
               {"B2", true}, {"F1", true}, {"A4", true}, {"P3", true}};
  for (const auto& c : cells) EXPECT_EQ(MatrixCellHasPages(c.code), c.pages) << c.code;
}

TEST(MatrixLayers, ADriveLetterIsTheFolderWineMapsItTo) {
  const fs::path prefix = fs::path(ONDRIK_TEST_TMP) / "wineprefix";
  fs::remove_all(prefix);
  const fs::path flash = prefix / "dosdevices" / "e:" / "TAVREL" / "convectn" / "CSMatrix" / "media" / "flash";
  fs::create_directories(flash);
  std::ofstream(flash / "M_4_1.HTM") << "<html></html>";
  setenv("WINEPREFIX", prefix.c_str(), 1);
  FakeEffects fx;
  SetEffects(&fx);
  bool drive = false;
  const std::string page = "E:\\tavrel\\convectn\\csmatrix\\media\\flash\\M_4_1.htm";
  EXPECT_EQ(LocalTrainingPath(page, &drive), (flash / "M_4_1.HTM").string());
  EXPECT_TRUE(drive);
  LocalTrainingPath("Q:\\tavrel\\x.htm", &drive);
  EXPECT_FALSE(drive);
  EXPECT_GT(OpenTrainingPage(page), 32);
  EXPECT_EQ(OpenTrainingPage("E:\\tavrel\\convectn\\csmatrix\\media\\flash\\M_4_2.htm"), 2);
  EXPECT_EQ(OpenTrainingPage("E:\\tavrel\\nowhere\\M_4_2.htm"), 3);
  EXPECT_EQ(OpenTrainingPage("Q:\\tavrel\\x.htm"), 3);
  EXPECT_EQ(fx.documents, (std::vector<std::string>{(flash / "M_4_1.HTM").string()}));
  fx.openResult = false;
  EXPECT_EQ(OpenTrainingPage(page), 31);
  SetEffects(nullptr);
  unsetenv("WINEPREFIX");
}

// ---- the page ----

class StormMatrixPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreDefaultIndexThresholds();
    SetEffects(&fx_);
    parent_.resize(620, 100);
    host_.config.TrainingDrive = "Q";  // a drive nobody has
    page_ = std::make_unique<StormMatrixPage>(host_, &parent_);
    page_->Widget()->setGeometry(0, 0, 602, 82);
    page_->Widget()->show();
    parent_.show();
  }
  void TearDown() override { SetEffects(nullptr); }
  PictureBox& Pic() { return parent_.findChild<PictureBoxWidget*>("picReason")->Pic(); }

  FakeEffects fx_;
  QWidget parent_;
  FakeHost host_;
  std::unique_ptr<StormMatrixPage> page_;
};

TEST_F(StormMatrixPageTest, ARefreshHandsNoTopicOverOnlyAClickDoes) {
  testing::LoadShipped("NAM_KOKC.ond");
  for (Integer h = 0; h <= gLastHour(1); ++h) {
    host_.hour = h;
    page_->Draw();
  }
  EXPECT_TRUE(host_.topics.empty());
  page_->lblMatrix_Click();
  page_->picReason_Click();
  page_->Label32_Click();
  EXPECT_EQ(host_.topics, (std::vector<std::string>{"KORVAN", "KORVAN", "KORVAN"}));
}

TEST_F(StormMatrixPageTest, TheCellOfAStormyHourAndItsSketch) {
  testing::LoadShipped("SREF_KOKC.ond");
  Integer stormy = -1;
  for (Integer d = 1; d <= gDatasetCount && stormy < 0; ++d)
    for (Integer h = 0; h <= gLastHour(d) && stormy < 0; ++h)
      if (gCape(d, h) >= kMatrixCapeColumn3) stormy = h, gCurDataset = d;
  ASSERT_GE(stormy, 0);
  host_.hour = stormy;
  page_->ShowMatrixPanel();
  const std::string code = MatrixCellCode(gCurDataset, stormy);
  EXPECT_EQ(parent_.findChild<QLabel*>("lblMatrix")->text().toStdString(), code);
  EXPECT_EQ(code.size(), 2u);
  testing::SavePng(parent_.grab(QRect(0, 0, 602, 82)).toImage(), "stormmatrix_page");
  EXPECT_GT(testing::PixelsOf(Pic().Image(), kBlack), 50);
  // Low CAPE: "-" and only the words "Low CAPE".
  Integer calm = 0;
  while (gCape(gCurDataset, calm) >= kMatrixLowCape) ++calm;
  host_.hour = calm;
  page_->ShowMatrixPanel();
  EXPECT_EQ(parent_.findChild<QLabel*>("lblMatrix")->text(), "-");
  testing::SavePng(parent_.grab(QRect(0, 0, 602, 82)).toImage(), "stormmatrix_lowcape");
}

TEST_F(StormMatrixPageTest, TrainingButtonsOpenTheCellsPageOrExplainWhyNot) {
  testing::LoadShipped("SREF_KOKC.ond");
  host_.hour = 0;
  // No cell built yet for the hour: nothing opens, nothing is asked.
  page_->btnLoop_Click(0);
  MatrixCellCode(1, 0) = "-";
  page_->btnLoop_Click(1);
  EXPECT_TRUE(fx_.documents.empty());
  EXPECT_TRUE(fx_.questions.empty());
  // A cell with pages on a drive that is missing: the message and its result.
  MatrixCellCode(1, 0) = "M4";
  MatrixPagePath(1, 0) = MatrixPageBase("Q", 'M', 4);
  page_->btnLoop_Click(3);  // there is no button 3
  EXPECT_TRUE(fx_.questions.empty());
  // OK without a download page in the configuration: says where it goes.
  fx_.answer = true;
  page_->btnLoop_Click(4);
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find(kTrainingDownloadHeader), std::string::npos);
  EXPECT_TRUE(fx_.documents.empty());
  fx_.questions.clear();
  host_.config.TrainingDownloadPage = "https://training.invalid/korvan";
  page_->btnLoop_Click(4);
  ASSERT_EQ(fx_.questions.size(), 1u);
  EXPECT_EQ(fx_.questions[0].title, "KORVAN Error");
  EXPECT_EQ(fx_.questions[0].icon, MsgIcon::Critical);  // an OK/Cancel error box
  EXPECT_NE(fx_.questions[0].text.find("<result = 3>"), std::string::npos);
  EXPECT_EQ(fx_.documents, (std::vector<std::string>{"https://training.invalid/korvan"}));
  // Cancelled: nothing opens.
  fx_.answer = false;
  page_->btnLoop_Click(2);
  EXPECT_EQ(fx_.documents.size(), 1u);
  EXPECT_EQ(host_.topics.size(), 6u);  // every button hands "KORVAN" over first
  // Rows A to E have no pages in columns 1 and 3.
  MatrixCellCode(1, 0) = "B3";
  page_->btnLoop_Click(0);
  EXPECT_EQ(fx_.questions.size(), 2u);  // the one cancelled above only
}

}  // namespace
}  // namespace ondrik
