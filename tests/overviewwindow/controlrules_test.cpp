// The rules of the overview's controls without a window: the box clicks with
// their grid step, exclusive pairs and side effects, the contour interval,
// the mouse's hour and zoom mapping, the picture-in-picture corner, the
// mean-wind bounds, the elevation label and the precipitation types.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "core/guards.h"
#include "overview/controlrules.h"

namespace ondrik {
namespace {

// A window of boxes only: setting a box runs its click when the value changes.
class FakeHost : public BoxHost {
 public:
  explicit FakeHost(OverviewState& s) : s_(s) {}
  int Value(BoxId id) const override { return s_.opt.box[static_cast<size_t>(id)]; }
  void SetValue(BoxId id, int v) override {
    if (Value(id) == v) return;
    s_.opt.box[static_cast<size_t>(id)] = v;
    Click(id);
  }
  void Click(BoxId id) {
    BoxContext c{*this, s_, guard};
    BoxClick(id, c);
  }
  void ShowPanel(BoxPanel p, bool shown) override { panels[p] = shown; }
  void Redraw() override { ++redraws; }
  void Topic(std::string_view t) override { topics.emplace_back(t); }
  void SigmaWindScale() override { sigmaGuardSeen = guard; }
  void SnowRatioUnlessDone() override { ++snowRatios; }
  void SetCaption(BoxId, const std::string& c) override { caption = c; }
  bool MeanWindLayerShown() const override { return layerShown; }
  void CopyMeanWindLayer() override { ++layerCopies; }
  void Bourgouin(int v) override { bourgouin.push_back(v); }
  double Random() override { return 0.7; }

  OverviewState& s_;
  Integer guard = 0;
  int redraws = 0, snowRatios = 0, layerCopies = 0;
  Integer sigmaGuardSeen = 0;
  bool layerShown = true;
  std::map<BoxPanel, bool> panels;
  std::vector<std::string> topics;
  std::vector<int> bourgouin;
  std::string caption;
};

struct ClickCase {
  const char* what;
  std::vector<std::pair<BoxId, int>> before;  // boxes ticked first (no clicks)
  BoxId box;
  int value;
  bool loading;
  int redraws;
  std::vector<std::pair<BoxId, int>> after;   // boxes as they stand after the click
  std::vector<std::pair<BoxPanel, bool>> panels;
};

TEST(OverviewBoxRules, ClicksFollowTheirRows) {
  const std::vector<ClickCase> cases = {
      {"a field ticks its grid box, which clears the others and redraws once",
       {{kBoxGridTemp, 1}, {kBoxGridLeft, 1}}, kBoxTemperature, 1, false, 1,
       {{kBoxGridHeight, 1}, {kBoxGridTemp, 0}, {kBoxGridLeft, 0}}, {}},
      {"a field cleared redraws and leaves the grid", {{kBoxGridTemp, 1}}, kBoxTemperature, 0, false, 1,
       {{kBoxGridTemp, 1}, {kBoxGridHeight, 0}}, {}},
      {"a field whose grid is ticked only redraws", {{kBoxGridLeft, 1}}, kBoxCAPE, 1, false, 1,
       {{kBoxGridLeft, 1}}, {{BoxPanel::CAPE, true}}},
      {"a strip on the index axis ticks the index grid", {}, kBoxDavisIndex, 1, false, 1,
       {{kBoxGridLakeIndex, 1}}, {{BoxPanel::DavisIndex, true}}},
      {"Elevated CAPE clears its twin without its click", {{kBoxEHailCape, 1}, {kBoxGridHeight, 1}}, kBoxECAPE, 1,
       false, 1, {{kBoxEHailCape, 0}}, {{BoxPanel::ECAPE, true}}},
      {"the pair does nothing during a bulk change", {{kBoxEHailCape, 1}}, kBoxECAPE, 1, true, 0,
       {{kBoxEHailCape, 1}, {kBoxGridHeight, 0}}, {}},
      {"ice humidity clears the water fill and hides nothing", {{kBoxRH0, 1}, {kBoxGridHeight, 1}}, kBoxRH1, 1,
       false, 1, {{kBoxRH0, 0}}, {{BoxPanel::RH, true}, {BoxPanel::RHHide, false}}},
      {"water humidity cleared keeps the legend cover", {{kBoxGridHeight, 1}}, kBoxRH0, 0, false, 1, {},
       {{BoxPanel::RH, false}, {BoxPanel::RHHide, true}}},
      {"EL CIN clears both humidity fills", {{kBoxRH0, 1}, {kBoxGridHeight, 1}}, kBoxELCIN, 1, false, 1,
       {{kBoxRH0, 0}, {kBoxRH1, 0}}, {{BoxPanel::ELCIN, true}}},
      {"a humidity fill leaves EL CIN ticked", {{kBoxELCIN, 1}, {kBoxGridHeight, 1}}, kBoxRH0, 1, false, 1,
       {{kBoxELCIN, 1}}, {}},
      {"accumulation tests Precipitation: no grid without it", {}, kBoxPrecipAcumm, 1, false, 1,
       {{kBoxGridPrecip, 0}}, {}},
      {"accumulation with Precipitation ticks the grid", {{kBoxPrecip, 1}}, kBoxPrecipAcumm, 1, false, 1,
       {{kBoxGridPrecip, 1}}, {}},
      {"Precipitation shows the type legend after the grid step", {}, kBoxPrecip, 1, false, 1,
       {{kBoxGridPrecip, 1}}, {{BoxPanel::Precip, true}}},
      {"a lake strip shows the lake label while any of the four is ticked", {{kBoxLIC, 1}}, kBoxLakeIndex, 0,
       false, 1, {}, {{BoxPanel::LakeTemp, true}}},
      {"VWP shows its options and the colours only with Color", {{kBoxVWPColor, 1}}, kBoxVWP, 1, false, 1,
       {{kBoxGridHeight, 1}}, {{BoxPanel::VWPOptions, true}, {BoxPanel::VWP, true}}},
      {"Color alone does not show the speed colours", {}, kBoxVWPColor, 1, false, 1, {{kBoxGridHeight, 0}},
       {{BoxPanel::VWP, false}}},
      {"a grid box ticked clears the other five", {{kBoxGridTemp, 1}, {kBoxGridWind, 1}}, kBoxGridPrecip, 1, false,
       1, {{kBoxGridTemp, 0}, {kBoxGridWind, 0}}, {}},
      {"boxes without a handler do nothing", {}, kBoxEvaporation, 1, false, 0, {{kBoxGridPrecip, 0}}, {}},
      {"plain toggles redraw", {}, kBoxCursor, 1, false, 1, {}, {}},
  };
  for (const ClickCase& k : cases) {
    OverviewState s;
    FakeHost host(s);
    for (auto [id, v] : k.before) s.opt.box[static_cast<size_t>(id)] = v;
    const LoadingStateGuard loading(k.loading);
    s.opt.box[static_cast<size_t>(k.box)] = k.value;
    host.Click(k.box);
    EXPECT_EQ(host.redraws, k.redraws) << k.what;
    for (auto [id, v] : k.after) EXPECT_EQ(host.Value(id), v) << k.what << ": " << Row(id).name;
    for (auto [p, shown] : k.panels) {
      ASSERT_TRUE(host.panels.count(p)) << k.what;
      EXPECT_EQ(host.panels[p], shown) << k.what;
    }
    EXPECT_EQ(host.guard, 0) << k.what;
  }
}

TEST(OverviewBoxRules, GridBoxUnderTheGuardChangesOnlyItself) {
  OverviewState s;
  FakeHost host(s);
  s.opt.box[kBoxGridTemp] = 1;
  host.guard = -1;
  host.SetValue(kBoxGridHeight, 1);
  EXPECT_EQ(host.redraws, 0);
  EXPECT_EQ(host.Value(kBoxGridTemp), 1);
}

struct AxisCase {
  BoxId box;
  Single bottom, span;           // index axis before
  Single wantBottom, wantSpan;   // after ticking
  Integer labelFactor;
};

TEST(OverviewBoxRules, IndexAxisPresetsAndLabelFactor) {
  const std::vector<AxisCase> cases = {
      {kBoxHelicity, -20, 40, -5, 45, 10}, {kBoxHelicity, 0, 10, 0, 10, 10},
      {kBoxTQ, -20, 40, 0, 25, 1},         {kBoxTQ, -1, 10, -1, 10, 1},
      {kBoxHainesIndex, 0, 30, -1, 10, 1}, {kBoxSnowRatio, -5, 45, 0, 30, 1},
      {kBoxPresChange3h, 3, 4, 3, 4, 1},
  };
  for (const AxisCase& k : cases) {
    OverviewState s;
    FakeHost host(s);
    s.frame.IndexBottom = k.bottom;
    s.frame.IndexSpan = k.span;
    host.SetValue(k.box, 1);
    EXPECT_EQ(s.frame.IndexBottom, k.wantBottom) << Row(k.box).name;
    EXPECT_EQ(s.frame.IndexSpan, k.wantSpan) << Row(k.box).name;
    const IndexAxisLabels labels = IndexLabels(s.opt, s.frame);
    EXPECT_EQ(labels.first.factor, k.labelFactor) << Row(k.box).name;
    EXPECT_FALSE(labels.second) << Row(k.box).name;  // one strip: one set of labels
  }
}

TEST(OverviewBoxRules, OddRows) {
  {  // Speed strips start the temperature axis at 0, keeping its top.
    OverviewState s;
    FakeHost host(s);
    s.frame.TempBottom = 30;
    s.frame.TempSpan = 70;
    host.SetValue(kBoxMBEspeed, 1);
    EXPECT_EQ(s.frame.TempBottom, 0);
    EXPECT_EQ(s.frame.TempSpan, 100);
    s.frame.TempBottom = -10;
    host.SetValue(kBoxTransportSpeed, 1);
    EXPECT_EQ(s.frame.TempBottom, -10);
  }
  {  // Helicity lifts the lowest humidity class off 0 while a fill shows.
    OverviewState s;
    FakeHost host(s);
    s.opt.box[kBoxRH1] = 1;
    host.SetValue(kBoxHelicity, 1);
    EXPECT_EQ(s.opt.RHLowestClass, 1);
    EXPECT_EQ(host.topics.back(), "Helicity");
  }
  {  // The mean wind copies the profile window's layer the first time only.
    OverviewState s;
    FakeHost host(s);
    host.layerShown = false;
    host.SetValue(kBoxMeanWind, 1);
    EXPECT_EQ(host.layerCopies, 1);
    EXPECT_EQ(host.Value(kBoxGridWind), 0);
    host.layerShown = true;
    host.SetValue(kBoxMeanWind, 0);
    host.SetValue(kBoxMeanWind, 1);
    EXPECT_EQ(host.layerCopies, 1);
    EXPECT_EQ(host.Value(kBoxGridWind), 1);
    EXPECT_TRUE(host.panels[BoxPanel::MeanWind]);
  }
  {  // Sigma wind draws its legend with the guard raised.
    OverviewState s;
    FakeHost host(s);
    host.SetValue(kBoxWinds, 1);
    EXPECT_EQ(host.sigmaGuardSeen, -1);
    EXPECT_EQ(host.guard, 0);
    EXPECT_TRUE(host.panels[BoxPanel::Wind]);
  }
  {  // Snow ratio, the snowfall caption, the Bourgouin box in and out of a bulk change.
    OverviewState s;
    FakeHost host(s);
    host.SetValue(kBoxSnowRatio, 1);
    EXPECT_EQ(host.snowRatios, 1);
    host.SetValue(kBoxSnowFall, 1);
    EXPECT_EQ(host.caption, "Left In to Demo Error");
    host.SetValue(kBoxSnowFall, 0);
    EXPECT_EQ(host.caption, "Adding Hourly Snowfall");
    host.SetValue(kBoxsWSYMb, 1);
    {
      const LoadingStateGuard loading;
      host.SetValue(kBoxsWSYMb, 0);
    }
    EXPECT_EQ(host.bourgouin, std::vector<int>{1});
    EXPECT_FALSE(host.panels[BoxPanel::ElevatedPT]);
  }
}

TEST(OverviewBoxRules, ContourInterval) {
  OverviewState s;
  FakeHost host(s);
  BoxContext c{host, s, host.guard};
  ContourIntervalClick(3, c);
  EXPECT_EQ(s.opt.ContourInterval, 10);
  EXPECT_EQ(host.redraws, 0);  // nothing contoured is ticked
  s.opt.box[kBoxOmega] = 1;
  ContourIntervalClick(0, c);
  EXPECT_EQ(s.opt.ContourInterval, 1);
  EXPECT_EQ(host.redraws, 1);
  ContourIntervalClick(99, c);  // an index from a file outside the options
  EXPECT_EQ(s.opt.ContourIntervalIndex, 3);
  EXPECT_TRUE(FollowsContourInterval(kBoxEHailCape));
  EXPECT_FALSE(FollowsContourInterval(kBoxClouds));
}

TEST(OverviewMouseRules, HoursOfThePointer) {
  struct Case { double x; int last; std::optional<int> picked; std::optional<int> after; int clamped; };
  const std::vector<Case> cases = {
      {0.4, 10, 0, 1, 1},   {-0.6, 10, std::nullopt, 0, 0}, {10.4, 10, 10, 11, 10},
      {10.6, 10, std::nullopt, 11, 10}, {3.5, 10, 4, 4, 4}, {1e30, 10, std::nullopt, 1000001, 10},
      {NAN, 10, std::nullopt, std::nullopt, 0},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(PickedHour(k.x, k.last), k.picked) << k.x;
    EXPECT_EQ(ColumnAfter(k.x), k.after) << k.x;
    if (k.after) {
      EXPECT_EQ(ClampHour(*k.after, k.last), k.clamped) << k.x;
    }
  }
  EXPECT_EQ(ClampHour(-3, 10), 0);
}

TEST(OverviewMouseRules, ZoomRegionsAndSpans) {
  struct Region { bool left; double x; bool sfc, vis, vent; ZoomAxis axis; };
  const std::vector<Region> regions = {
      {true, 10, true, true, false, ZoomAxis::SfcPres}, {true, 10, false, true, true, ZoomAxis::Visibility},
      {true, 10, false, false, true, ZoomAxis::Ventilation}, {true, 32.9, false, false, false, ZoomAxis::LakeCape},
      {true, 33, true, false, false, ZoomAxis::Direction}, {true, 70, false, false, false, ZoomAxis::Index},
      {true, 100, false, false, false, ZoomAxis::None}, {false, 5, false, false, false, ZoomAxis::Height},
      {false, 50, false, false, false, ZoomAxis::Precip}, {false, 99, false, false, false, ZoomAxis::Temperature},
      {false, 100, false, false, false, ZoomAxis::None},
  };
  for (const Region& r : regions) {
    const ZoomAxis a = r.left ? LeftPressAxis(r.x, r.sfc, r.vis, r.vent) : RightPressAxis(r.x);
    EXPECT_EQ(a, r.axis) << r.left << " " << r.x;
    if (a != ZoomAxis::None) {
      EXPECT_EQ(OnLeftPicture(a), r.left);
    }
  }
  // The direction axis stays within 0..360.
  OverviewFrame f;
  ZoomRelease(ZoomAxis::Direction, false, 350, f, false, 1);
  EXPECT_EQ(f.DirSpan, 360);
  EXPECT_EQ(f.DirTop, 360);
  ZoomRelease(ZoomAxis::Direction, true, 10, f, false, 1);
  EXPECT_EQ(f.DirSpan, 240);
  EXPECT_EQ(f.DirTop, 240);
  // Twenty zooms in never give a span below the axis' minimum; the
  // temperature axis keeps a saved span of at least 1.
  const Integer savedBottom = gTempAxisBottom, savedSpan = gTempAxisSpan;
  for (int i = 0; i < 20; ++i)
    for (ZoomAxis a : {ZoomAxis::SfcPres, ZoomAxis::Index, ZoomAxis::Height, ZoomAxis::Precip, ZoomAxis::Temperature})
      ZoomRelease(a, true, 50, f, false, 1);
  EXPECT_GE(f.TempSpan, MinimumZoomSpan(ZoomAxis::Temperature));
  EXPECT_GE(gTempAxisSpan, 1);
  EXPECT_EQ(gTempAxisBottom, 50);
  EXPECT_GT(f.LogPSpan, 0);
  EXPECT_GT(f.PrecipSpan, 0);
  EXPECT_EQ(f.PrecipBottom, 0);
  gTempAxisBottom = savedBottom;
  gTempAxisSpan = savedSpan;
  // The 10 meter base keeps the plane under the surface.
  f.LogPSurface[1] = 7;
  f.LogPSpan = 1;
  ZoomRelease(ZoomAxis::Height, false, 0, f, true, 1);
  EXPECT_FLOAT_EQ(f.LogPBottom, 7 + 0.15f * 1.5f);
  EXPECT_FLOAT_EQ(f.LogPSpan, 1.5f * 1.15f);
}

TEST(OverviewMouseRules, PictureInPictureCorners) {
  struct Case { int left; double pointer; int want; };
  // A window 1000 wide, the picture 300 wide.
  const std::vector<Case> cases = {
      {0, 100, 700},   // bottom left, pointer over it: to the right corner
      {0, 400, 0},     // pointer elsewhere: stays
      {700, 800, 0},   // bottom right, pointer over it: back to the left
      {700, 500, 700},
  };
  for (const Case& k : cases) EXPECT_EQ(PipLeft(k.left, k.pointer, 1000, 300), k.want) << k.left << " " << k.pointer;
  OverviewFrame f;
  f.TimeLeft = 25;
  f.TimeRight = -1;
  EXPECT_DOUBLE_EQ(PipPointerX(25, f, 84, 520), 84);
  EXPECT_DOUBLE_EQ(PipPointerX(-1, f, 84, 520), 604);
}

TEST(OverviewLevelRules, MeanWindBoundsAndElevationLabel) {
  EXPECT_EQ(MeanWindGiveWay(1, 5, 5), 6);   // the upper bar dragged down onto the lower
  EXPECT_EQ(MeanWindGiveWay(0, 5, 5), 4);   // the lower bar dragged up onto the upper
  EXPECT_EQ(MeanWindGiveWay(0, 9, 5), 4);   // passed it in one jump
  EXPECT_EQ(MeanWindGiveWay(0, 3, 5), std::nullopt);
  EXPECT_EQ(ElevationLabel(false, 4, 100, 500), "");
  EXPECT_EQ(ElevationLabel(true, 1, 100, 500), "Surface");
  EXPECT_EQ(ElevationLabel(true, 4, 304.8, 609.6), "AGL: 1000'   305m\r\nMSL: 2000'   610m");
  EXPECT_EQ(HeatIndexMessage(3), "I. Extremely Hot.  > 130\xC2\xB0  Heatstroke or Sunstroke IMMINENT");
  EXPECT_EQ(HeatIndexMessage(4), "");
}

TEST(OverviewLevelRules, PrecipTypesOfEveryHourIncludingTheFirst) {
  const Integer savedCount = gDatasetCount;
  gDatasetCount = 2;
  for (Integer d = 1; d <= 2; ++d) {
    gLastHour(d) = 3;
    for (Integer h = 0; h <= 3; ++h) {
      gPtypeSrcA(d, h) = kPtypeSnow;
      gPtypeSrcB(d, h) = kPtypeRain;
      gPtypeCode(d, h) = kPtypeNone;
    }
  }
  ChoosePrecipTypes(true);
  EXPECT_EQ(gPtypeCode(1, 0), kPtypeSnow);
  EXPECT_EQ(gPtypeCode(2, 3), kPtypeSnow);
  ChoosePrecipTypes(false);
  EXPECT_EQ(gPtypeCode(2, 0), kPtypeRain);
  gLastHour(1) = 500;  // a bad count never reaches past the store
  ChoosePrecipTypes(true);
  gDatasetCount = savedCount;
}

}  // namespace
}  // namespace ondrik
