#include "core/derived.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/levels.h"
#include "tests/core/sounding.h"

namespace ondrik {
namespace {

using testing::SetSounding;

class CountingUi : public NoLoadUi {
 public:
  void SetDatasetBoxes(const DatasetBoxes& b) override {
    boxes = b;
    ++boxCalls;
  }
  void DatasetsChanged() override { ++redraws; }
  DatasetBoxes boxes;
  int boxCalls = 0;
  int redraws = 0;
};

void OneSounding(std::vector<testing::Level> levels) {
  gDatasetCount = 1;
  gLastHour(1) = 0;
  SetSounding(1, 0, levels, 0.0f);
}

TEST(Derived, TopLevelsAndHeightTables) {
  gChartTop = 100;
  OneSounding({{1000, 20, 10, 0, 0, 100}, {500, -18, -28, 0, 0, 5600},
               {150, -55, -70, 0, 0, 13600}, {100, -56, -70, 0, 0, 16200},
               {70, -56, -70, 0, 0, 18500}, {50, -56, -70, 0, 0, 20600}});
  SetProfileTopLevels();
  EXPECT_EQ(gTopLevel(1), 4);  // the first level at 100 mb or above
  OneSounding({{1000, 20, 10, 0, 0, 100}, {500, -18, -28, 0, 0, 5600},
               {200, -50, -60, 0, 0, 11800}});
  gTopLevel(1) = 9;
  SetProfileTopLevels();
  EXPECT_EQ(gTopLevel(1), 3);  // top still below the chart top: gNumLevels

  gSfcPres(1, 0) = 1013.2f;
  gCurDataset = 1;
  for (int i = 21; i <= 24; ++i) gPresAtKft(i) = -7;
  MakeHeightScale();
  EXPECT_EQ(gPresAtKft(0), 1013);
  EXPECT_NEAR(gPresAtKft(10), 697, 1);  // 10000 ft
  EXPECT_NEAR(gPresAtKft(18), 506, 1);  // 18000 ft
  EXPECT_NEAR(gPresAtKft(30), 301, 2);  // 30000 ft
  EXPECT_EQ(gPresAtKft(21), -7);        // only 0..20 and every fifth above
  EXPECT_EQ(gPresAtKm(0), 1013);
  EXPECT_NEAR(gPresAtKm(5), 540, 2);
  EXPECT_NEAR(gPresAtKm(10), 265, 2);
  // Above higher ground everything moves up.
  gSfcPres(1, 0) = 850;
  MakeHeightScale();
  EXPECT_EQ(gPresAtKft(0), 850);
  EXPECT_LT(gPresAtKft(10), 697);
}

TEST(Derived, CloudFractionAndWetBulbZero) {
  OneSounding({{1000, 20, 10, 0, 0, 100}, {900, 14, 8, 0, 0, 1000},
               {800, 8, 0, 0, 0, 2000}, {700, 0, -8, 0, 0, 3000}});
  gRHIce(1, 0, 1) = 70;
  gRHIce(1, 0, 2) = 75;
  gRHIce(1, 0, 3) = 91;
  gRHIce(1, 0, 4) = 104;
  MakeCFRL(1);
  EXPECT_EQ(gCfrl(1, 0, 1), 0.0f);
  EXPECT_EQ(gCfrl(1, 0, 2), 0.0f);
  EXPECT_NEAR(gCfrl(1, 0, 3), 40.0, 1e-4);  // 1 - sqrt(9/25)
  EXPECT_EQ(gCfrl(1, 0, 4), 100.0f);

  // Wet bulb crossing 0 degC between 900 mb (+4) and 800 mb (-2).
  gCurDataset = 1;
  gWetBulb(1, 0, 1) = 10;
  gWetBulb(1, 0, 2) = 4;
  gWetBulb(1, 0, 3) = -2;
  gWetBulb(1, 0, 4) = -6;
  FindWetBulbZero();
  EXPECT_NEAR(gWbzHgt(1, 0), StdHeightFtOfPressure(900 - 100 * 4 / 6.0f), 0.5);
  EXPECT_NEAR(gWbzHgt(1, 0), 5300, 100);  // 833 mb: about 5300 ft
  // Frozen throughout: the surface's pressure altitude.
  for (int l = 1; l <= 4; ++l) gWetBulb(1, 0, l) = 0;
  gSfcPres(1, 0) = 990;
  FindWetBulbZero();
  EXPECT_FLOAT_EQ(gWbzHgt(1, 0), StdHeightFtOfPressure(990));
  // Above freezing up to the top level: the top level, never a level above it.
  for (int l = 1; l <= 4; ++l) gWetBulb(1, 0, l) = 3;
  gPres(1, 0, 5) = 0;  // whatever lies above the profile must not matter
  gWetBulb(1, 0, 5) = 3;
  FindWetBulbZero();
  EXPECT_FLOAT_EQ(gWbzHgt(1, 0), StdHeightFtOfPressure(700));
}

TEST(Derived, ThicknessHeights) {
  ThicknessDone(1) = 0;
  OneSounding({{1000, 15, 5, 0, 0, 110}, {850, 5, 0, 0, 0, 1460},
               {700, -5, -10, 0, 0, 3010}, {500, -22, -30, 0, 0, 5570},
               {300, -45, -55, 0, 0, 9160}});
  gCurDataset = 1;
  MakeThickness();
  // A first level at exactly 1000 mb: its own height, not an extrapolation.
  EXPECT_FLOAT_EQ(ThickHeights(1, 0, 1), 110.0f);
  EXPECT_FLOAT_EQ(ThickHeights(1, 0, 2), 1460.0f);
  EXPECT_FLOAT_EQ(ThickHeights(1, 0, 3), 3010.0f);
  EXPECT_FLOAT_EQ(ThickHeights(1, 0, 4), 5570.0f);
  EXPECT_EQ(ThicknessDone(1), -1);

  // Ground at 950 mb and 15 degC: the 1000 mb surface lies about 433 m below.
  OneSounding({{950, 15, 5, 0, 0, 540}, {850, 8, 0, 0, 0, 1460},
               {700, -5, -10, 0, 0, 3010}, {500, -22, -30, 0, 0, 5570},
               {300, -45, -55, 0, 0, 9160}});
  MakeThickness();
  EXPECT_NEAR(ThickHeights(1, 0, 1), 540 - 288.16 * 287.04 / 9.80616 * std::log(1000 / 950.0),
              0.01);
  EXPECT_NEAR(ThickHeights(1, 0, 1), 540 - 433, 1);
  // 1000-500 mb thickness of a mild profile: about 5460 m.
  EXPECT_NEAR(ThickHeights(1, 0, 4) - ThickHeights(1, 0, 1), 5460, 50);
}

TEST(Derived, EnsembleNamesAndDatasetBoxes) {
  gDatasetCount = 2;
  gDatasetTitle(1) = "NAM CTL 00Z #m1";
  gDatasetTitle(2) = "NAM P1 00Z #m2";
  CountingUi ui;
  NormalizeEnsembleNames(ui);
  EXPECT_EQ(gDatasetLabel(1), "m1");
  EXPECT_EQ(gDatasetLabel(2), "m2");
  EXPECT_EQ(gDatasetTitle(1), "NAM CTL 00Z ");  // three columns of width 4
  EXPECT_EQ(gDatasetTitle(2), "NAM P1  00Z ");
  EXPECT_EQ(Store().gTitleColumnCount, 3);
  EXPECT_EQ(gTitleWordCount(1), 1);
  EXPECT_EQ(gTitleWordCount(2), 2);
  EXPECT_EQ(gTitleWordCount(3), 1);
  std::vector<int> shown;
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    if (ui.boxes.visible[i]) shown.push_back(i);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 5, 6, 10}));
  EXPECT_EQ(ui.boxes.caption[0], "NAM");
  EXPECT_EQ(ui.boxes.caption[5], "CTL");
  EXPECT_EQ(ui.boxes.caption[6], "P1");
  EXPECT_EQ(ui.boxes.caption[10], "00Z");
  EXPECT_EQ(ui.boxes.caption[1], "");
  EXPECT_EQ(ui.redraws, 1);

  // No "#": no label, every word kept; runs of blanks are one separator.
  gDatasetTitle(1) = "  SREF  ARW n1";
  gDatasetTitle(2) = "SREF NMM p1";
  NormalizeEnsembleNames(ui);
  EXPECT_EQ(gDatasetLabel(1), "");
  EXPECT_EQ(gDatasetTitle(1), "SREF ARW  n1   ");
  EXPECT_EQ(gDatasetTitle(2), "SREF NMM  p1   ");

  // One dataset: every box hidden, the title as read, no redraw.
  gDatasetCount = 1;
  gDatasetTitle(1) = "GFS 12Z #x";
  gDatasetLabel(1) = "";
  CountingUi single;
  NormalizeEnsembleNames(single);
  EXPECT_EQ(single.boxCalls, 1);
  EXPECT_EQ(single.redraws, 0);
  EXPECT_EQ(gDatasetTitle(1), "GFS 12Z #x");
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    EXPECT_FALSE(single.boxes.visible[i]);
    EXPECT_EQ(single.boxes.caption[i], "");
  }

  // More columns and words than the tables hold: the extra is left out.
  gDatasetCount = 20;
  for (int d = 1; d <= 20; ++d) {
    gDatasetTitle(d) = "A B C D" + std::to_string(d) + " E F";
  }
  CountingUi many;
  NormalizeEnsembleNames(many);
  EXPECT_EQ(Store().gTitleColumnCount, 4);
  EXPECT_EQ(gTitleWordCount(4), 16);
  EXPECT_EQ(gDatasetTitle(1), "A   B   C   D1  E   F   ");
  EXPECT_TRUE(many.boxes.visible[15] && many.boxes.visible[19]);
  EXPECT_EQ(many.boxes.caption[19], "D5");
  EXPECT_EQ(many.redraws, 1);
}

}  // namespace
}  // namespace ondrik
