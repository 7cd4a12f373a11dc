// The map panel in the window: outlines around the sites of the site list,
// a click on a site's dot loads it, other clicks zoom both map pictures, the
// layer boxes and the wind bars, and its settings for saved state.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QToolButton>

#include <functional>
#include <string>

#include "core/shared.h"
#include "panels/map.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

int NonWhite(const PictureBox& pic) {
  const QImage& img = pic.Image();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

class MapPanelTest : public ProfileWindowTest {
 protected:
  // The shipped map files, and a third site at Denver (the others stand at
  // Chicago).
  frmProfile& StartWithMap() {
    for (const char* f : {"Map_Canada.dat", "Map_State.dat", "Map_Country.dat", "Ondrik.Dat"})
      fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f);
    ProfileFileSpec den;
    den.hours = 4;
    den.levels = 20;
    std::string text = MakeProfileText(den);
    for (size_t at; (at = text.find("SLAT = 41.98 SLON = -87.90")) != std::string::npos;)
      text.replace(at, 26, "SLAT = 39.77 SLON = -104.87");
    WriteFile(folder_ / "NAM_KDEN.ond", text);
    frmProfile& w = Start();
    w.btnDisplay_Click(1);
    map_ = dynamic_cast<MapPanel*>(w.Panel(1));
    EXPECT_NE(map_, nullptr);
    return w;
  }
  const PictureBox& Pic(frmProfile& w) { return Ctl<PictureBoxWidget>(w, "picMap")->Pic(); }
  // The travel-time lines of the map's last drawing (on a narrow map the
  // blanks of the line may be single).
  int TimeLines(frmProfile& w) {
    int n = 0;
    for (const auto& t : Pic(w).PrintedTexts())
      n += t.text.find(" nm ") != std::string::npos && t.text.find("@ ") != std::string::npos;
    return n;
  }
  void SetUp() override {
    ProfileWindowTest::SetUp();
    PictureBox::RecordPrintedTexts(true);
  }
  void TearDown() override {
    PictureBox::RecordPrintedTexts(false);
    ProfileWindowTest::TearDown();
  }
  MapPanel* map_ = nullptr;
};

TEST_F(MapPanelTest, OutlinesAroundTheSitesAndClicksThatLoadOrZoom) {
  frmProfile& w = StartWithMap();
  EXPECT_EQ(Pic(w).PixelWidth(), 238);
  EXPECT_GT(NonWhite(Pic(w)), 3000);  // states and countries
  ASSERT_EQ(map_->Extent(), MapExtent{});

  // A left click on Denver's dot loads it.
  auto* sites = Ctl<QListWidget>(w, "lstSiteIDs");
  map_->picMap_MouseDown(1, 0, 104.87 + 0.9 * map_->MapMarkRadius(), 39.77);
  EXPECT_EQ(sites->currentItem()->text(), "KDEN");
  EXPECT_EQ(w.gSiteId, "KDEN");
  EXPECT_EQ(map_->Extent(), MapExtent{});

  // Elsewhere the left button zooms in about the click, another button out;
  // both map pictures take the new extent before the outlines are drawn.
  map_->picMap_MouseDown(1, 0, 100, 40);
  EXPECT_FLOAT_EQ(map_->Extent().west, 100 + 25.5f * 0.7f);
  EXPECT_FLOAT_EQ(map_->Extent().south, 40 - 15.5f * 0.7f);
  EXPECT_FLOAT_EQ(static_cast<float>(Pic(w).ScaleLeft()), map_->Extent().west);
  EXPECT_FLOAT_EQ(static_cast<float>(Pic(w).ScaleTop()), map_->Extent().north);
  EXPECT_EQ(w.gSiteId, "KDEN");
  map_->picMap_MouseDown(2, 0, 100, 40);
  EXPECT_NEAR(map_->Extent().west, 125.5, 1e-3);
  EXPECT_NEAR(map_->Extent().north, 55.5, 1e-3);
  EXPECT_GT(NonWhite(Pic(w)), 3000);
}

TEST_F(MapPanelTest, LayerBoxesAndWindBars) {
  frmProfile& w = StartWithMap();
  // Without layers only the dots remain.
  Ctl<CheckBox>(w, "chkMap", 3)->SetValue(0);
  Ctl<CheckBox>(w, "chkMap", 4)->SetValue(0);
  const int bare = NonWhite(Pic(w));
  EXPECT_LT(bare, 1500);
  Ctl<CheckBox>(w, "chkMap", 3)->SetValue(1);
  EXPECT_GT(NonWhite(Pic(w)), bare + 2000);

  // The load puts the mean-wind layer's bottom on level 1 and the labels
  // follow the bars; a bar moved onto the other goes one level further.
  auto* bottom = Ctl<ScrollBar>(w, "vsbMeanFlow", 0);
  auto* top = Ctl<ScrollBar>(w, "vsbMeanFlow", 1);
  EXPECT_EQ(bottom->Value(), 1);
  EXPECT_EQ(Ctl<QLabel>(w, "lblMeanFlow", 0)->text(), "1");
  EXPECT_EQ(Ctl<QLabel>(w, "lblMeanFlow", 1)->text(), QString::number(top->Value()));
  bottom->SetValue(5);
  top->SetValue(5);
  EXPECT_EQ(top->Value(), 6);
  EXPECT_EQ(Ctl<QLabel>(w, "lblMeanFlow", 1)->text(), "6");
  EXPECT_EQ(Ctl<QLabel>(w, "lblSigmaLevel")->text(), QString::number(Ctl<ScrollBar>(w, "vsbSigmaLevel")->Value()));

  // No travel-time line before a wind overlay has stored the dataset's flow;
  // after that it stays, also without the overlay.
  EXPECT_FALSE(map_->StoredFlow(gCurDataset));
  EXPECT_FALSE(map_->TravelTimes());
  EXPECT_EQ(TimeLines(w), 0);
  Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(1);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblMeanFlow", 0)->isVisibleTo(&w));
  ASSERT_TRUE(map_->StoredFlow(gCurDataset) && map_->TravelTimes());
  EXPECT_GT(map_->StoredFlow(gCurDataset)->spd, 0);
  EXPECT_GT((*map_->TravelTimes())[0].dist, 0);
  EXPECT_GT(TimeLines(w), 0);
  Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(0);
  EXPECT_TRUE(map_->TravelTimes());
  EXPECT_GT(TimeLines(w), 0);
  Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(1);
  // The bright band shows its tilts and replaces the wind overlay.
  Ctl<CheckBox>(w, "chkBrightBand")->SetValue(1);
  EXPECT_TRUE(Ctl<QWidget>(w, "pnlBrightBand")->isVisibleTo(&w));
  Ctl<CheckBox>(w, "chkAngle", 0)->SetValue(1);
  EXPECT_FALSE(gLoadingState);
}

// The flows stored for a file's datasets go with it, whichever road the
// next file comes by: with no overlay ticked, the map of the new file prints
// no travel times of the old one.
TEST_F(MapPanelTest, StoredFlowsGoWithTheirFile) {
  frmProfile& w = StartWithMap();
  auto* models = Ctl<QListWidget>(w, "lstoptModel");
  auto* sites = Ctl<QListWidget>(w, "lstSiteIDs");
  const auto site = [&](const char* s) { w.SelectSiteRow(Row(sites, s)); };
  const auto model = [&](const char* m) { w.SelectModelRow(Row(models, m)); };
  const struct {
    const char* name;
    std::function<void()> road;
  } roads[] = {
      {"another site and back", [&] { site("KDEN"); site("KOKC"); }},
      {"another model and back", [&] { model("SREF"); model("NAM"); }},
      {"the same site twice", [&] { site("KOKC"); site("KOKC"); }},
  };
  for (const auto& r : roads) {
    SCOPED_TRACE(r.name);
    site("KOKC");
    const Integer H = 2;
    Ctl<ScrollBar>(w, "hsbHour")->SetValue(H);
    Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(1);
    Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(0);
    ASSERT_TRUE(map_->StoredFlow(gCurDataset));
    ASSERT_GT(TimeLines(w), 0);

    r.road();
    ASSERT_EQ(w.gSiteId, "KOKC");
    for (Integer d = 0; d <= kMaxDatasets; ++d) EXPECT_FALSE(map_->StoredFlow(d)) << d;
    EXPECT_FALSE(map_->TravelTimes());
    EXPECT_EQ(TimeLines(w), 0);
  }
}

// The travel times always belong to the hour shown: a flow stored at one
// hour, its overlay then unticked, is worked out again for every hour the
// map is drawn at, as the overlay would draw it there; a level the hour's
// profile lacks shows none.
TEST_F(MapPanelTest, TravelTimesBelongToTheHourShown) {
  fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "NAM_KOKC.ond", folder_ / "NAM_KOKC.ond",
                fs::copy_options::overwrite_existing);
  frmProfile& w = StartWithMap();
  w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KOKC"));
  auto* hour = Ctl<ScrollBar>(w, "hsbHour");
  const auto timesWith = [&](const char* box, Integer h) {
    hour->SetValue(h);
    Ctl<CheckBox>(w, box)->SetValue(1);
    const auto t = map_->TravelTimes();
    Ctl<CheckBox>(w, box)->SetValue(0);
    return t;
  };
  for (const char* box : {"chkMeanFlow", "chkSigmaLevel"}) {
    SCOPED_TRACE(box);
    const auto at24 = timesWith(box, 24);
    const auto at0 = timesWith(box, 0);
    ASSERT_TRUE(at0 && at24);
    ASSERT_NE((*at0)[0].hours, (*at24)[0].hours);  // the flow differs between the hours
    for (const Integer h : {24, 0, 24}) {
      hour->SetValue(h);
      const auto shown = map_->TravelTimes();
      ASSERT_TRUE(shown) << h;
      EXPECT_EQ((*shown)[0].hours, (*(h == 0 ? at0 : at24))[0].hours) << h;
      EXPECT_EQ((*shown)[1].dist, (*(h == 0 ? at0 : at24))[1].dist) << h;
    }
  }
  // A sigma level above the profile of the hour: no flow, no line.
  Ctl<CheckBox>(w, "chkSigmaLevel")->SetValue(1);
  Ctl<CheckBox>(w, "chkSigmaLevel")->SetValue(0);
  const Integer kept = gNumLevels(gCurDataset);
  gNumLevels(gCurDataset) = 0;
  map_->RefreshMap();
  EXPECT_FALSE(map_->TravelTimes());
  EXPECT_EQ(TimeLines(w), 0);
  gNumLevels(gCurDataset) = kept;
}

// The user is told when a ticked layer has no file (here County and CWA),
// not when a recall ticks it.
TEST_F(MapPanelTest, ATickedLayerWithoutItsFileIsReported) {
  frmProfile& w = StartWithMap();
  const struct {
    int box;
    const char* missing;  // the file named, or null for no message
  } cases[] = {{0, nullptr}, {1, "Map_CWA.dat"}, {2, "Map_County.dat"}};
  for (const auto& c : cases) {
    fx_.messages.clear();
    Ctl<CheckBox>(w, "chkMap", c.box)->SetValue(1);
    if (c.missing == nullptr) {
      EXPECT_TRUE(fx_.messages.empty()) << c.box;
    } else {
      ASSERT_EQ(fx_.messages.size(), 1u) << c.box;
      EXPECT_NE(fx_.messages[0].text.find(c.missing), std::string::npos) << fx_.messages[0].text;
    }
    Ctl<CheckBox>(w, "chkMap", c.box)->SetValue(0);
    EXPECT_EQ(fx_.messages.size(), c.missing ? 1u : 0u);
  }
  PanelSettings s = w.CapturePanelSettings();
  s.chkMap[1] = true;
  fx_.messages.clear();
  w.ApplyPanelSettings(s);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkMap", 1)->Value(), 1);
  EXPECT_TRUE(fx_.messages.empty());
}

// Whichever of the wind boxes, the layer panel and the tilts are shown,
// nothing stands over the map, everything stays in its frame and the map
// keeps its whole extent.
TEST_F(MapPanelTest, NothingCoversTheMap) {
  frmProfile& w = StartWithMap();
  auto* frame = Ctl<QWidget>(w, "frameMap");
  auto* pic = Ctl<PictureBoxWidget>(w, "picMap");
  auto* layers = Ctl<QToolButton>(w, "btnMapSelection");
  const struct {
    const char* box;  // wind box ticked, or null
    bool layers, band;
    int others;  // widgets shown beside the map: bars, labels ("to" between the mean wind's), panels
  } cases[] = {{"chkMeanFlow", false, false, 5}, {"chkSigmaLevel", false, false, 2}, {nullptr, true, false, 1},
               {"chkMeanFlow", true, false, 6},  {"chkSigmaLevel", true, true, 4},   {nullptr, false, true, 1},
               {"chkMeanFlow", true, true, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.box ? c.box : "no wind box") + (c.layers ? ", layers" : "") +
                 (c.band ? ", bright band" : ""));
    Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(0);
    Ctl<CheckBox>(w, "chkSigmaLevel")->SetValue(0);
    if (c.box) Ctl<CheckBox>(w, c.box)->SetValue(1);
    layers->setChecked(c.layers);
    Ctl<CheckBox>(w, "chkBrightBand")->SetValue(c.band ? 1 : 0);
    const QRect map = pic->geometry();
    EXPECT_GT(map.width(), 150);
    EXPECT_GT(map.height(), 150);
    int shown = 0;
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child == pic || !child->isVisibleTo(frame)) continue;
      ++shown;
      EXPECT_FALSE(child->geometry().intersects(map)) << child->objectName().toStdString();
      EXPECT_TRUE(frame->rect().contains(child->geometry())) << child->objectName().toStdString();
    }
    EXPECT_EQ(shown, c.others);
    EXPECT_FLOAT_EQ(static_cast<float>(Pic(w).ScaleLeft() + Pic(w).ScaleWidth()), map_->Extent().east);
    EXPECT_FLOAT_EQ(static_cast<float>(Pic(w).ScaleTop() + Pic(w).ScaleHeight()), map_->Extent().south);
    EXPECT_EQ(Pic(w).PixelWidth(), map.width());
  }
}

TEST_F(MapPanelTest, ExtentAndBoxesGoThroughPanelSettings) {
  frmProfile& w = StartWithMap();
  PanelSettings s = w.CapturePanelSettings();
  EXPECT_EQ(s.mapExtent, MapExtent{});
  EXPECT_TRUE(s.chkMap[3] && s.chkMap[4] && !s.chkMap[2]);
  s.mapExtent = {110, 50, 90, 35};
  s.chkMap = {false, false, true, false, false};
  s.chkBrightBand = true;
  s.chkAngle[2] = true;
  w.ApplyPanelSettings(s);
  EXPECT_EQ(map_->Extent(), s.mapExtent);
  EXPECT_FLOAT_EQ(static_cast<float>(Pic(w).ScaleLeft()), 110);
  const PanelSettings back = w.CapturePanelSettings();
  EXPECT_EQ(back.mapExtent, s.mapExtent);
  EXPECT_EQ(back.chkMap, s.chkMap);
  EXPECT_TRUE(back.chkBrightBand && back.chkAngle[2] && !back.chkAngle[0]);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkMap", 2)->Value(), 1);
  EXPECT_FALSE(gLoadingState);
}

}  // namespace
}  // namespace ondrik
