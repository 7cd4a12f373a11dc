// Number formats, axis scale values in P, Ft and Km and of the strip axes,
// the time-axis labels in UTC and local time, and the precipitation and
// settled-snow totals.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/derived.h"
#include "core/levels.h"
#include "overview/axisticks.h"
#include "core/numberformat.h"
#include "overview/timelabels.h"

namespace ondrik {
namespace {

std::vector<std::string> Labels(const std::vector<AxisTick>& ticks) {
  std::vector<std::string> out;
  for (const AxisTick& t : ticks)
    if (!t.label.empty()) out.push_back(t.label + t.label2);
  return out;
}

TEST(OverviewLabelsTest, HeightAxisInPressureFeetAndKilometres) {
  gDatasetCount = 1;
  gCurDataset = 1;
  gSfcPres(1, 0) = 1000;
  MakeHeightScale();
  const Single bottom = std::log(1000.0f);
  // P: every 50 mb below a span of 0.6 (the last line at 50 mb twice), else 100.
  std::vector<std::string> p = Labels(HeightTicks(0, bottom, 0.59f));
  ASSERT_EQ(p.size(), 20u);
  EXPECT_EQ(p.front(), "950");
  EXPECT_EQ(p[p.size() - 2], "50");
  EXPECT_EQ(p.back(), "50");
  p = Labels(HeightTicks(0, bottom, 0.6f));
  EXPECT_EQ(p.front(), "900");
  EXPECT_EQ(p.back(), "50");
  // Ft: a plane topping out near 15 thousand feet: 1K .. 15K, the fives solid.
  const Single top15 = std::log(StdPressureOfFeet(StdHeightFtOfPressure(1000) + 15500));
  const std::vector<AxisTick> ft = HeightTicks(1, bottom, bottom - top15);
  ASSERT_EQ(ft.size(), 15u);
  EXPECT_EQ(ft.front().label, "1K");
  EXPECT_TRUE(ft.front().dotted);
  EXPECT_EQ(ft.back().label, "15K");
  EXPECT_FALSE(ft.back().dotted);
  EXPECT_TRUE(ft.back().fullWidth);
  // Above 20 thousand feet only the fives; the table ends at 70 thousand.
  const std::vector<std::string> high = Labels(HeightTicks(1, bottom, bottom - std::log(150.0f)));
  ASSERT_FALSE(high.empty());
  EXPECT_EQ(high.front(), "5K");
  EXPECT_EQ(Labels(HeightTicks(1, bottom, bottom - std::log(0.5f))).back(), "70K");
  // Km, at most the 20 of the table.
  const std::vector<std::string> km = Labels(HeightTicks(2, bottom, bottom - std::log(250.0f)));
  ASSERT_FALSE(km.empty());
  EXPECT_EQ(km.front(), "1Km");
  EXPECT_EQ(km.size(), 10u);
  EXPECT_EQ(Labels(HeightTicks(2, bottom, bottom - std::log(0.5f))).back(), "20Km");
  gDatasetCount = 0;
}

TEST(OverviewLabelsTest, StripAxes) {
  // Index -20..20: lines every 5, the zero line white, labels sign then number.
  std::vector<AxisTick> idx = IndexTicks(-20, 40, 1);
  ASSERT_EQ(idx.size(), 9u);
  EXPECT_EQ(idx.front().label + idx.front().label2, "- 20 ");
  EXPECT_EQ(idx[4].label + idx[4].label2, " 0 ");  // zero has no sign
  EXPECT_EQ(idx[4].colour, kWhite);
  EXPECT_EQ(idx.back().label + idx.back().label2, "+ 20 ");
  EXPECT_EQ(IndexTicks(-20, 40, 10).back().label2, " 200 ");
  idx = IndexTicks(-1, 10, 1);  // a narrow axis adds dotted lines at every whole value
  EXPECT_EQ(idx.size(), 11u + 2u);  // -1..9, then 0 and 5
  // Direction: every 45 degrees over more than 180, the quarters 2 wide.
  const std::vector<AxisTick> dir = DirectionTicks(360);
  ASSERT_EQ(dir.size(), 9u);
  EXPECT_EQ(dir[2].width, 2);
  EXPECT_EQ(dir[1].width, 1);
  EXPECT_EQ(DirectionTicks(100).size(), 37u);
  // Precipitation: a span of 0.1 every 0.01 from .00.
  const std::vector<std::string> pr = Labels(PrecipTicks(0, 0.1f));
  EXPECT_EQ(pr.front(), ".00");
  EXPECT_EQ(pr[5], ".05");
  EXPECT_GE(pr.size(), 10u);
  EXPECT_EQ(Labels(PrecipTicks(0, 2))[10], "1.0");
  // Temperature 30..100 every 10.
  const std::vector<std::string> t = Labels(TemperatureTicks(30, 70));
  EXPECT_EQ(t.front(), "30");
  EXPECT_EQ(t.back(), "100");
  EXPECT_EQ(Labels(TemperatureTicks(-10, 30)), (std::vector<std::string>{"-10", "-05", "0", "05", "10", "15", "20"}));
  // CAPE to 2000 every 250; ventilation small tops still end.
  EXPECT_EQ(Labels(CapeTicks(2000)).size(), 9u);
  EXPECT_EQ(Labels(CapeTicks(2000)).front(), "0");
  EXPECT_EQ(Labels(VentilationTicks(20)).back(), "20K");
  EXPECT_EQ(VentilationTicks(2).size(), 3u);
  EXPECT_TRUE(VentilationTicks(-5).empty());
  // Visibility with a top of 5: 1 to 5, 1/2, 1/4, 1/8 and 1.5.
  const std::vector<AxisTick> vis = VisibilityTicks(5);
  std::vector<std::string> v = Labels(vis);
  EXPECT_EQ(v, (std::vector<std::string>{"1", "2", "3", "4", "5", "1/2", "1/4", "1/8", "1.5"}));
  EXPECT_FLOAT_EQ(vis[0].value, 16);  // (5 - 1)^2
  // Axes zoomed far out stop.
  EXPECT_LE(static_cast<int>(SfcPresTicks(-1e9f, 2e9f).size()), kMaxAxisTicks + 1);
  EXPECT_LE(static_cast<int>(PrecipTicks(0, 1e9f).size()), kMaxAxisTicks);
}

TEST(OverviewLabelsTest, TimeLabelsInUtcAndLocalTime) {
  struct Case {
    DateTime v;
    int tz;
    const char* utc;
    const char* local;
  } cases[] = {{{2012, 3, 12, 18, 0}, 5, "18z", "Mo 1p"},  {{2012, 3, 12, 6, 30}, 5, "0630z", "Mo 130a"},
               {{2012, 3, 12, 5, 0}, 5, "05z", "Mo 12a"},  {{2012, 3, 12, 3, 0}, 5, "03z", "Su 10p"},
               {{2012, 3, 12, 12, 0}, 0, "12z", "Mo 12p"}, {{2012, 3, 12, 23, 0}, -2, "23z", "Tu 1a"}};
  for (const Case& c : cases) {
    EXPECT_EQ(UtcTimeLabel(c.v), c.utc);
    EXPECT_EQ(LocalTimeAxisLabel(c.v, c.tz), c.local) << c.utc;
  }
  // The model's spacing of labels in hours, in the file's own steps.
  const struct {
    Integer modelStep;
    Single modelHours, fileHours;
    Integer want;
  } steps[] = {{6, 1, 1, 6}, {4, 3, 3, 4},  // the file's step is the model's
               {6, 1, 3, 2}, {6, 1, 6, 1}, {4, 3, 1, 12}, {6, 1, 4, 2}, {6, 1, 0.5f, 12},
               {0, 0, 0, 1}, {6, 0, 0, 6}};  // nothing known yet
  for (const auto& c : steps) {
    gHoursPerStep = c.fileHours;
    EXPECT_EQ(TimeLabelStep(c.modelStep, c.modelHours), c.want) << c.modelStep << " " << c.modelHours << " " << c.fileHours;
  }
}

TEST(OverviewLabelsTest, PrecipitationAndSettledSnowTotals) {
  gDatasetCount = 1;
  gLastHour(1) = 5;
  gHoursPerStep = 3;
  for (int h = 0; h <= 5; ++h) {
    gPrecip(1, h) = 0.1f * static_cast<Single>(h);
    SnowAmount(1, h) = 1;
  }
  EXPECT_FLOAT_EQ(PrecipitationTotal(1, 2, 4), 0.9f);
  EXPECT_FLOAT_EQ(PrecipitationTotal(1, 4, 2), 0.9f);  // either order
  EXPECT_FLOAT_EQ(PrecipitationTotal(1, 3, 99), 1.2f);  // held within the dataset
  EXPECT_EQ(PrecipTotalCaption(0), "0.00\" ");
  // One hour at the end of the period has not settled.
  SnowTotal one = SnowTotals(1, 5, 5);
  EXPECT_FLOAT_EQ(one.settled, 1);
  // Two hours: the earlier one is 3 hours old.
  const SnowTotal two = SnowTotals(1, 4, 5);
  EXPECT_FLOAT_EQ(two.raw, 2);
  EXPECT_NEAR(two.settled, 1 + std::exp(-0.08 * std::sqrt(3.0)), 1e-6);
  EXPECT_EQ(SnowTotalCaption({5.0f, 4.3f}), "4.3\" (5.0) ");
  // Hours per step 0 counts as 1.
  gHoursPerStep = 0;
  EXPECT_NEAR(SnowTotals(1, 4, 5).settled, 1 + std::exp(-0.08), 1e-6);
  gHoursPerStep = 1;
  gDatasetCount = 0;
}

}  // namespace
}  // namespace ondrik
