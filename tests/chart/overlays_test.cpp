// The shading overlays: inversion runs and their labels, RH bar classes and
// edges, the layer-to-layer shear bands, cloud-fraction greys in the XOR pen.
//
// Pixels are checked at rows computed here from the chart bounds:
// row = (ln p - ln top) / (ln bottom - ln top) * height.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "chart/chart.h"
#include "core/shared.h"
#include "tests/core/sounding.h"
#include "tests/chart/chart_test_util.h"

namespace ondrik {
namespace {

using testing::At;

using testing::Level;
using testing::SetSounding;

constexpr Color kBand = RGB(127, 127, 127);

class OverlaysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLoadingState = false;
    gChartTop = 100;
    gChartBottom = 1050;
    for (int d = 0; d <= kMaxDatasets; ++d) gNumLevels(d) = 0;
    gDatasetCount = 0;
    pic.BackColor = kBlack;
    pic.Cls();
    pic.Scale(0, std::log(100.0), 100, std::log(1050.0));
    s.in.CurHour = 0;
    s.draw.ShownDataset = 1;
    s.draw.HalfTextHeight = static_cast<Single>(pic.TextHeight("9") / 2);
  }

  // Levels at the given pressures (bottom up) with temperatures and dew points.
  void Sound(const std::vector<float>& p, const std::vector<float>& t, const std::vector<float>& td) {
    std::vector<Level> v;
    for (size_t i = 0; i < p.size(); ++i)
      v.push_back({p[i], t[i], td[i], 270, 10, 100 + 500.0f * static_cast<float>(i)});
    SetSounding(1, 0, v);
    // Stale values above the top level, as an earlier, deeper file leaves them.
    const int above = static_cast<int>(p.size()) + 1;
    gPres(1, 0, above) = 0;
    gTemp(1, 0, above) = 30;
    gDewpt(1, 0, above) = -60;
  }

  // The other chart tests expect no chart top levels from earlier tests.
  void TearDown() override {
    for (int d = 0; d <= kMaxDatasets; ++d) gTopLevel(d) = 0;
  }

  int Row(double p) const {
    return static_cast<int>(std::lround((std::log(p) - std::log(100.0)) /
                                        (std::log(1050.0) - std::log(100.0)) * pic.PixelHeight()));
  }
  int Col(double x) const { return static_cast<int>(std::lround(x / 100 * pic.PixelWidth())); }

  // Groups of consecutive rows holding colour c anywhere in columns x0..x1.
  std::vector<std::pair<int, int>> RowGroups(Color c, int x0, int x1) const {
    std::vector<std::pair<int, int>> g;
    for (int y = 0; y < pic.PixelHeight(); ++y) {
      bool hit = false;
      for (int x = x0; x <= x1 && !hit; ++x) hit = At(pic, x, y) == c;
      if (!hit) continue;
      if (!g.empty() && g.back().second >= y - 1) g.back().second = y;
      else g.push_back({y, y});
    }
    return g;
  }

  PictureBox pic{400, 600};
  ChartState s;
};

TEST_F(OverlaysTest, InversionRunsGetOneLabelEachAndStopAtTheTop) {
  // 1000-850: three rising layers (one run); 850-800 falls; 800-750 is
  // isothermal and dry (a run of its own); 750-700 isothermal but moist
  // (cloud): not marked; 700-650 rises (third run).
  Sound({1000, 950, 900, 850, 800, 750, 700, 650, 500, 300},
        {10, 11, 12, 13, 8, 8, 8, 9, -15, -40}, {0, 0, 0, 0, -10, -10, 7.5f, -10, -30, -50});
  s.opt.chkInversions = true;
  PlotInversions(pic, s);

  const int mid = pic.PixelWidth() / 2;
  for (double p : {975.0, 925.0, 875.0, 775.0, 675.0}) EXPECT_EQ(At(pic, mid, Row(p)), kBand) << p;
  for (double p : {825.0, 725.0, 600.0}) EXPECT_EQ(At(pic, mid, Row(p)), kBlack) << p;

  // Labels: one per run, centred on the run's base (1000, 800, 700 mb).
  const auto labels = RowGroups(kYellow, Col(10), Col(40));
  ASSERT_EQ(labels.size(), 3u);
  const double bases[] = {1000, 800, 700};
  for (int i = 0; i < 3; ++i) {
    const double centre = (labels[2 - i].first + labels[2 - i].second) / 2.0;
    EXPECT_NEAR(centre, Row(bases[i]), 4) << bases[i];
  }

  // A sounding that ends below 400 mb with a warm stale value above its top:
  // the top level has no layer above it, so no band and no label there.
  pic.Cls();
  s.opt.chkInversions = true;
  Sound({1000, 900, 800, 700, 600, 500}, {20, 12, 5, -2, -9, -17}, {15, 5, -5, -10, -20, -30});
  PlotInversions(pic, s);
  EXPECT_TRUE(RowGroups(kBand, 0, pic.PixelWidth() - 1).empty());
  EXPECT_TRUE(RowGroups(kYellow, 0, pic.PixelWidth() - 1).empty());

  // Exactly the thresholds: a rise of gInversionDT, a fall of gIsothermDT
  // with a depression of exactly gIsothermMinDepression; a layer above the
  // 400 mb bound (hour 0) is not examined.
  pic.Cls();
  Sound({1000, 900, 800, 700, 350, 300}, {10, 10.5f, 9.5f, 0, -40, -30}, {0, 0, 4.5f, -10, -50, -40});
  PlotInversions(pic, s);
  EXPECT_EQ(At(pic, mid, Row(950)), kBand);
  EXPECT_EQ(At(pic, mid, Row(850)), kBand);
  EXPECT_EQ(RowGroups(kYellow, Col(10), Col(40)).size(), 1u);
  EXPECT_EQ(At(pic, mid, Row(320)), kBlack);
}

TEST_F(OverlaysTest, RHBarsClassesEdgesAndTheStoreLeftAlone) {
  Sound({1000, 950, 900, 850, 800, 750, 700, 650, 600}, std::vector<float>(9, 0),
        std::vector<float>(9, -5));
  gSfcPres(1, 0) = 1010;
  gPres(1, 0, 0) = 1234;  // whatever level 0 holds must stay
  gTopLevel(1) = 9;       // chart top above the top level: the top bar too
  const float rh[] = {69.9f, 70, 85, 92, 96, 100, 104, 110, 99};
  for (int c = 1; c <= 9; ++c) gRH(1, 0, c) = gRHIce(1, 0, c) = rh[c - 1];

  auto barColour = [&](double p) { return At(pic, 0, Row(p)); };
  auto barLength = [&](double p) {
    int n = 0;
    while (n < pic.PixelWidth() && At(pic, n, Row(p)) != kBlack) ++n;
    return n;
  };

  s.opt.chkRH = {true, false};  // over water
  PlotRHBars(pic, s);
  EXPECT_EQ(barColour(1000), kBlack);                    // 69.9 %: no bar
  EXPECT_EQ(barColour(950), RGB(0, 127, 0));             // 70 %: a line at the edge
  EXPECT_LE(barLength(950), 1);
  EXPECT_EQ(barColour(850), RGB(0, 255, 0));
  for (double p : {800.0, 750.0, 700.0, 650.0}) EXPECT_EQ(barColour(p), RGB(60, 0, 115)) << p;
  EXPECT_NEAR(barLength(650), 40 * 0.4 / 100 * pic.PixelWidth(), 1.5);  // 110 %: 16 units
  EXPECT_NEAR(barLength(900), 15 * 0.4 / 100 * pic.PixelWidth(), 1.5);
  // The top level's bar reaches halfway to a level mirrored above it.
  EXPECT_EQ(barColour(585), RGB(60, 0, 115));
  EXPECT_EQ(barColour(560), kBlack);
  EXPECT_FLOAT_EQ(gPres(1, 0, 0), 1234);

  // Over ice, bars from the lowest level: its lower edge is the surface.
  pic.Cls();
  gRHIce(1, 0, 1) = 100;
  s.opt.chkRH = {false, true};
  PlotRHBars(pic, s);
  EXPECT_EQ(barColour(1000), RGB(96, 0, 0));
  EXPECT_EQ(barColour(750), RGB(96, 0, 0));
  EXPECT_EQ(barColour(700), RGB(127, 0, 0));
  EXPECT_EQ(barColour(650), RGB(255, 0, 0));
  EXPECT_EQ(At(pic, 0, Row(1010) - 1), RGB(96, 0, 0));
  EXPECT_EQ(At(pic, 0, Row(1010) + 2), kBlack);
  EXPECT_FLOAT_EQ(gPres(1, 0, 0), 1234);

  // A dimmed dataset gets no bars.
  pic.Cls();
  s.draw.ShownDataset = 2;
  PlotRHBars(pic, s);
  EXPECT_EQ(barColour(750), kBlack);
}

TEST_F(OverlaysTest, LayerToLayerShearBandsAtTheTwoThresholds) {
  Sound({1000, 950, 900, 850, 800, 750}, std::vector<float>(6, 0), std::vector<float>(6, -5));
  // Shear per hour = |dV| / dz * 3600: 1 m/s over 16 m is 225, 2 m/s 450,
  // 0.5 m/s 112.5; the fourth layer has no depth.
  const float u[] = {0, 1, 3, 3.5f, 13.5f, 13.5f};
  const float z[] = {100, 116, 132, 148, 148, 164};
  for (int L = 1; L <= 6; ++L) {
    gWindU(1, 0, L) = u[L - 1];
    gWindV(1, 0, L) = 0;
    gHght(1, 0, L) = z[L - 1];
  }
  s.in.LayerShearT1 = 225;
  s.in.LayerShearT2 = 450;
  PlotLayerToLayer(pic, s);
  const int mid = pic.PixelWidth() / 2;
  EXPECT_EQ(At(pic, mid, Row(975)), RGB(128, 128, 0));  // exactly T1
  EXPECT_EQ(At(pic, mid, Row(925)), RGB(128, 0, 0));    // exactly T2
  EXPECT_EQ(At(pic, mid, Row(875)), kBlack);
  EXPECT_EQ(At(pic, mid, Row(825)), kBlack);            // no depth: not shaded
  EXPECT_EQ(At(pic, mid, Row(775)), kBlack);
}

TEST_F(OverlaysTest, CloudFractionGreysInTheXorPenThenCopyAgain) {
  Sound({1000, 900, 800, 700}, std::vector<float>(4, 0), std::vector<float>(4, -5));
  gCfrl(1, 0, 1) = 50;
  gCfrl(1, 0, 2) = 100;
  gCfrl(1, 0, 3) = -9999;  // missing
  // A box already there is combined with the cloud by XOR.
  pic.Box(50, std::log(1000.0), 100, std::log(700.0), RGB(255, 0, 0), true);
  PlotCloudFraction(pic, s);
  EXPECT_EQ(pic.Mode, DrawMode::CopyPen);
  EXPECT_EQ(At(pic, 10, Row(950)), RGB(128, 128, 128));  // 127.5 to the even 128
  EXPECT_EQ(At(pic, 10, Row(850)), RGB(255, 255, 255));
  EXPECT_EQ(At(pic, 10, Row(750)), kBlack);  // missing: nothing
  EXPECT_EQ(At(pic, 300, Row(850)), RGB(0, 255, 255));  // red XOR white
  // Where two layers meet, one of them: no row of both combined.
  for (int y = Row(900) - 1; y <= Row(900) + 1; ++y) {
    const Color c = At(pic, 10, y);
    EXPECT_TRUE(c == RGB(128, 128, 128) || c == RGB(255, 255, 255)) << y;
  }
  // Drawing it again takes it off.
  PlotCloudFraction(pic, s);
  EXPECT_EQ(At(pic, 10, Row(950)), kBlack);
  EXPECT_EQ(At(pic, 300, Row(850)), RGB(255, 0, 0));
}

}  // namespace
}  // namespace ondrik
