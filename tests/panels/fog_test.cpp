#include <gtest/gtest.h>

#include <QPushButton>

#include "panels/fog.h"
#include "panels/fogrules.h"
#include "platform/pictureboxwidget.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::PanelTest;

TEST(FogRules, HumidityAxis) {
  const struct {
    Single v;
    double M, s;
  } cases[] = {{1.5f, 2, 0.5}, {2, 5, 1}, {5, 10, 2}, {7.3f, 10, 2}, {19.99f, 20, 4}, {25, 20, 4}, {0, 2, 0.5}};
  for (const auto& c : cases) {
    double M = 0, s = 0;
    HumidityAxis(c.v, M, s);
    EXPECT_EQ(M, c.M) << c.v;
    EXPECT_EQ(s, c.s) << c.v;
  }
}

TEST(FogRules, GaugeClasses) {
  const struct {
    double v;
    bool air;
    Rgb box;
    bool above;
    const char* first;
    const char* second;
  } cases[] = {
      {-0.5, true, {192, 192, 192}, false, nullptr, nullptr},
      {-2.5, true, {192, 192, 192}, false, "Br  More", "Likely"},
      {-4, true, {255, 255, 255}, false, "F  More", "Likely"},
      {0.5, true, {255, 255, 0}, true, "Br Psbl", nullptr},
      {5.5, true, {0, 255, 0}, true, "Less", "Likely"},
      {0, true, {192, 192, 192}, false, nullptr, nullptr},
      {5.5, false, {0, 255, 0}, true, "Less", "Likely"},
      {0, false, {255, 255, 0}, true, nullptr, nullptr},
      {-2, false, {255, 255, 0}, false, nullptr, nullptr},
      {-5, false, {255, 255, 255}, false, "More", "Likely"},
  };
  for (const auto& c : cases) {
    const FogGauge g = c.air ? AirGauge(c.v) : GroundGauge(c.v);
    EXPECT_EQ(g.box, c.box) << c.v << c.air;
    EXPECT_EQ(g.above, c.above) << c.v << c.air;
    EXPECT_STREQ(g.verdict[0], c.first) << c.v << c.air;
    EXPECT_STREQ(g.verdict[1], c.second) << c.v << c.air;
  }
  EXPECT_STREQ(AirGauge(-4).prefix, "T = ");
  EXPECT_STREQ(AirGauge(-2).prefix, "T= ");
}

class FogTest : public PanelTest {};

TEST_F(FogTest, CrossoverSearchesTheLastDay) {
  MakeDatasets(1, 12);
  for (int h = 0; h < 12; ++h) {
    XoverManual(1, h) = 999;
    gSfcTemp(1, h) = 10;
    gSfcDewpt(1, h) = static_cast<Single>(h);
  }
  gSfcTemp(1, 1) = 20;
  // Three hours a step: the hour and 7 before it (21 hours).
  Crossover c = FindCrossover(1, 8, 3);
  EXPECT_EQ(c.sourceHour, 1);
  EXPECT_EQ(c.hoursBack, 7);
  EXPECT_FLOAT_EQ(c.temp, 1);
  EXPECT_EQ(FindCrossover(1, 9, 3).sourceHour, 9);  // hour 1 is 8 steps back: out of reach
  // Equal maxima: the most recent wins; at hour 2 only hours 2, 1, 0.
  gSfcTemp(1, 2) = 20;
  EXPECT_EQ(FindCrossover(1, 2, 3).sourceHour, 2);
  // A file of one step: only the hour itself.
  EXPECT_EQ(FindCrossover(1, 5, 0).sourceHour, 5);
  XoverManual(1, 5) = 3.5f;
  c = FindCrossover(1, 5, 3);
  EXPECT_TRUE(c.manual);
  EXPECT_FLOAT_EQ(c.temp, 3.5f);
}

TEST_F(FogTest, MriFromTheSurfacePressure) {
  MakeDatasets(1, 1);
  gSfcTemp(1, 0) = 10;
  const Single t[] = {10, 12, 11, 5, 0};
  const Single w[] = {5, 10, 20, 30, 40};
  for (int L = 1; L <= 5; ++L) {
    gPres(1, 0, L) = 1000.0f - 40.0f * (L - 1);  // 1000, 960, 920 ...
    gHghtAGL(1, 0, L) = 150.0f * (L - 1);       // 0, 492, 984 ... ft
    gTemp(1, 0, L) = t[L - 1];
    gWspd(1, 0, L) = w[L - 1];
  }
  gPres(1, 0, 0) = 1200;  // level 0 overwritten by the chart's humidity bars: not read
  Mri m = ComputeMri(1, 0);
  ASSERT_TRUE(m.valid);
  EXPECT_EQ(m.warmLevel, 2);
  EXPECT_FLOAT_EQ(m.maxWind, 10);
  EXPECT_DOUBLE_EQ(m.value, 2.0 / 100);
  gSfcPres(1, 0) = 1150;  // no level within 100 mb of the surface
  EXPECT_FALSE(ComputeMri(1, 0).valid);
  EXPECT_EQ(ComputeMri(1, 0).warmLevel, 0);
  gSfcPres(1, 0) = 1000;
  gWspd(1, 0, 1) = gWspd(1, 0, 2) = 0;  // calm: no number
  EXPECT_FALSE(ComputeMri(1, 0).valid);
}

TEST_F(FogTest, CrossoverButtonsStoreFromTheCurrentHourOn) {
  MakeDatasets(1, 12);
  for (int h = 0; h < 12; ++h) {
    XoverManual(1, h) = 999;
    gSfcTemp(1, h) = 10;
    gSfcDewpt(1, h) = 4;
  }
  gHoursPerStep = 3;
  FogPanel p(host, &parent);
  Place(p);
  host.hour = 10;
  p.Draw();
  EXPECT_FLOAT_EQ(p.XoverTemp(1), 4);
  testing::Ctl<QPushButton>(parent, "btnXoverUp")->click();
  EXPECT_FLOAT_EQ(XoverManual(1, 9), 999);
  EXPECT_NEAR(XoverManual(1, 10), 4 + 5.0 / 9, 1e-5);
  EXPECT_NEAR(XoverManual(1, 11), 4 + 5.0 / 9, 1e-5);
  EXPECT_NEAR(p.XoverTemp(1), 4 + 5.0 / 9, 1e-5);  // the redraw takes it
  testing::Ctl<QPushButton>(parent, "btnXoverDown")->click();
  EXPECT_NEAR(XoverManual(1, 11), 4, 1e-5);
  host.hour = 11;
  testing::Ctl<QPushButton>(parent, "btnXoverReset")->click();
  EXPECT_FLOAT_EQ(XoverManual(1, 11), 999);
  EXPECT_NEAR(XoverManual(1, 10), 4, 1e-5);
}

}  // namespace
}  // namespace ondrik
