// The overview's keys against the picture: the precipitation-type legend
// names the types whose bars are drawn, in the bars' colours; the
// wind-profile key shows each speed bound on the colour its vectors take;
// the legends show while their fields do; the scale labels fit their
// pictures.
#include <gtest/gtest.h>

#include <QLabel>

#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "core/shared.h"
#include "overview/plotters.h"
#include "platform/controls.h"
#include "tests/overview/overview_test_util.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

QString Rgb(Color c) { return QString("rgb(%1, %2, %3)").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c)); }

// The background a key item is painted on.
bool PaintedOn(QLabel* l, Color c) { return l->styleSheet().contains("background: " + Rgb(c)); }

TEST_F(OverviewWindowTest, PrecipitationTypeLegendNamesTheBarsDrawn) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  o.btnReset_Click();
  Ctl<CheckBox>(o, "chkPrecip")->SetValue(1);
  // One kind of precipitation an hour: the type, the convective part of
  // 0.05, the caption of the legend item it must light and its bar colour.
  struct Kind {
    Long code;
    Single convective;
    const char* caption;
    Color bar;
  };
  const Kind rain{kPtypeRain, 0, "N", RGB(0, 255, 0)}, showers{kPtypeRain, 0.05f, "C", RGB(0, 191, 0)},
      snow{kPtypeSnow, 0, "S", RGB(0, 0, 255)}, freezing{kPtypeFreezingRain, 0, "ZR", RGB(255, 0, 0)},
      pellets{kPtypeIcePellets, 0, "IP", RGB(255, 128, 0)};
  const std::vector<std::vector<Kind>> forecasts = {
      {rain}, {showers}, {snow}, {freezing}, {pellets}, {snow, freezing, rain, pellets, showers}};
  for (const std::vector<Kind>& hours : forecasts) {
    std::set<QString> want;
    for (int h = 0; h <= gLastHour(1); ++h) {
      const bool wet = h >= 1 && h <= static_cast<int>(hours.size());
      const Kind& k = hours[wet ? static_cast<size_t>(h - 1) : 0];
      gPrecip(1, h) = wet ? 0.05f : 0;
      gConvPrecip(1, h) = wet ? k.convective : 0;
      gPtypeSrcA(1, h) = gPtypeSrcB(1, h) = wet ? k.code : kPtypeNone;
      if (wet) want.insert(k.caption);
    }
    o.PlotData();
    const std::string what = "forecast of " + std::to_string(hours.size()) + " kinds, first " + hours[0].caption;
    std::set<QString> shown;
    std::map<QString, QLabel*> items;
    for (int i = 0; i < 5; ++i) {
      QLabel* l = Ctl<QLabel>(o, "lblPType", i);
      items[l->text()] = l;
      if (!l->isHidden()) shown.insert(l->text());
    }
    EXPECT_EQ(shown, want) << what;
    // Each item shown stands on the colour of its bars, and those bars are on the picture.
    for (const Kind& k : hours) {
      ASSERT_EQ(items.count(k.caption), 1u) << k.caption;
      EXPECT_TRUE(PaintedOn(items[k.caption], k.bar)) << k.caption;
      EXPECT_GT(CountColour(Ctl<PictureBoxWidget>(o, "picRH")->Pic(), k.bar), 20) << what << " " << k.caption;
    }
  }
}

// Every key of the overview wears the colours its plotter draws with: the
// heat classes, the humidity fill, the inhibition fill, the precipitation
// types, the wind-profile speeds (at each colour step), the CAPE-layer and
// height lines and the elevated-CAPE contours.
TEST_F(OverviewWindowTest, EveryKeyWearsItsPlottersColours) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  for (int k : {3, 4, 5, 6, 7}) o.btnCAPEkm_Click(k);  // every line on
  for (const char* box : {"chkECAPE", "chkRH1"}) Ctl<CheckBox>(o, box)->SetValue(1);
  struct Key {
    std::string name;  // the key item
    int index;
    bool text;         // the item's text (else its background) wears the colour
    Color colour;      // what the plotter draws
  };
  std::vector<Key> keys;
  const Single heat[] = {80, 90, 105, 130};  // lblHI: "IV" .. "I"
  for (int k = 0; k < 4; ++k) keys.push_back({"lblHI", k, false, HeatColour(heat[k], heat[k])});
  const Single rh[] = {30, 70, 80, 90, 95, 100.5f, 103.5f, 106.5f, 109.5f};  // lblRH 1..9
  for (int k = 1; k <= 9; ++k) {
    Color c = 0;
    ASSERT_TRUE(HumidityCellColour(rh[k - 1], true, 0, c));
    keys.push_back({"lblRH", k, false, c});
  }
  const Single cin[] = {50, 20, 0};  // lblELCIN: "CIN >= 50", "20 - 50", "< 20"
  for (int k = 0; k < 3; ++k) keys.push_back({"lblELCIN", k, false, ElCinColour(cin[k])});
  for (int k = 1; k < 5; ++k)
    keys.push_back({"lblPType", k, false, PrecipTypeColour(kPTypeLegend[static_cast<size_t>(k)].code)});
  for (int k : {0, 3, 4, 5, 6, 7}) keys.push_back({"btnCAPEkm", k, false, CapeLineColour(k)});
  for (int k = 1; k <= 3; ++k) keys.push_back({"btnHeights", k, false, HeightLineColour(k)});
  const auto ecape = ECapeLegend(o.State().opt.ContourInterval, o.State().opt.ECAPELowestClass);
  for (int k = 0; k < 6; ++k) keys.push_back({"lblECAPE", k, true, ecape[static_cast<size_t>(k)].colour});
  const auto wears = [&o](const Key& k) {
    QWidget* item = Ctl<QWidget>(o, QString::fromStdString(k.name), k.index);
    return item->styleSheet().contains((k.text ? "color: " : "background: ") + Rgb(k.colour));
  };
  for (const Key& k : keys) EXPECT_TRUE(wears(k)) << k.name << k.index;
  for (int step : {3, 0, 2}) {  // OptWindColor: 20, 2 and the design's 10 knots
    o.OptWindColor_Click(step);
    const std::array<Integer, 6> bounds = o.State().opt.VWPBounds;
    for (int i = 0; i < 6; ++i) {
      QLabel* key = Ctl<QLabel>(o, "lblVWP", i);
      const Integer bound = bounds[static_cast<size_t>(i)];
      EXPECT_EQ(key->text(), QString::number(bound));
      // A vector of the bound's speed has the key's colour; one a knot slower has not.
      EXPECT_TRUE(PaintedOn(key, VWPClassColour(static_cast<Single>(bound), bounds))) << bound;
      EXPECT_FALSE(PaintedOn(key, VWPClassColour(static_cast<Single>(bound) - 1, bounds))) << bound;
    }
  }
}

// The panels and legends of the control pages show exactly while their
// fields do, whichever road set the boxes: the window's design at the first
// opening, clicks, and "Reset".
TEST_F(OverviewWindowTest, LegendsShowWhileTheirFieldsDo) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  const struct {
    BoxPanel panel;
    const char* name;
  } panels[] = {{BoxPanel::RH, "pnlRH"},       {BoxPanel::Precip, "framePrecip"}, {BoxPanel::ECAPE, "frameECAPE"},
                {BoxPanel::VWP, "pnlVWP"},     {BoxPanel::CAPE, "frameCAPE"},     {BoxPanel::Wind, "pnlWind"},
                {BoxPanel::ELCIN, "frameELCIN"}, {BoxPanel::HeatIndex, "pnlHeatIndex"}};
  const auto shown = [&](const char* name) { return !Ctl<QWidget>(o, name)->isHidden(); };
  const auto follow = [&](const char* when) {
    for (const auto& p : panels) EXPECT_EQ(shown(p.name), PanelShown(p.panel, o.State().opt)) << when << ": " << p.name;
  };
  // The design ticks the humidity fill and the precipitation bars.
  EXPECT_TRUE(shown("pnlRH"));
  EXPECT_TRUE(shown("framePrecip"));
  follow("first opening");
  for (const char* box : {"chkECAPE", "chkVWP", "chkVWPColor", "chkCAPE", "chkWinds", "chkApparentTemp"})
    Ctl<CheckBox>(o, box)->SetValue(1);
  EXPECT_TRUE(shown("frameECAPE"));
  follow("ticked");
  o.btnReset_Click();
  for (const auto& p : panels) EXPECT_FALSE(shown(p.name)) << "after Reset: " << p.name;
}

// The scale labels of the side pictures stand whole and apart at the
// widest they usually get: CAPE, direction and helicity ("+400") on the
// left, heights in km, precipitation and temperature on the right.
TEST_F(OverviewWindowTest, SideLabelsStandWholeAndApart) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  o.btnReset_Click();
  for (const char* box : {"chkCAPE", "chkMeanWind", "chkHelicity", "chkTemperature", "chkPrecip", "chkSfcTemp"})
    Ctl<CheckBox>(o, box)->SetValue(1);
  o.btnPHK_Click(2);
  ASSERT_EQ(IndexLabels(o.State().opt, o.State().frame).first.factor, 10);
  for (const char* name : {"picLeft", "picRight"}) {
    const PictureBox& side = Ctl<PictureBoxWidget>(o, name)->Pic();
    const QImage& img = side.Image();
    ASSERT_GT(NonBlackPixels(side), 200) << name;
    // Nothing on the pixel column before each next column starts, nor on the last.
    for (double column : {33.0, 66.0, 100.0}) {
      const int x = static_cast<int>(std::lround(side.XToPixel(column))) - 1;
      for (int y = 0; y < img.height(); ++y)
        ASSERT_EQ(img.pixel(x, y) & 0xFFFFFFu, 0u) << name << ": a label runs into x = " << column;
    }
  }
}

}  // namespace
}  // namespace ondrik
