// A recalled layout gives back the window the user left: for every box of
// the table and every option a layout holds, the state set by hand is
// saved, undone and recalled, and the boxes, the saved values, what the
// window derives from them and the pictures must match the hand's.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <string>
#include <vector>

#include "core/shared.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "savedstate/overviewlayout.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

// What a user sees and what the plotters read after a change.
struct Seen {
  std::string layout;  // every value a layout file holds
  std::array<int, kBoxCount> boxes{};
  IndexAxisLabels labels;
  Integer contourInterval = 0;
  Single planeBottom = 0;
  std::array<Integer, 6> speedClasses{};
  std::vector<Single> snowRatio;
  std::vector<QImage> pictures;
};

Seen Look(frmOverView& o) {
  Seen s;
  s.layout = saved::WriteOverviewLayout(o.CaptureLayout());
  const OverviewState& st = o.State();
  s.boxes = st.opt.box;
  s.labels = IndexLabels(st.opt, st.frame);
  s.contourInterval = st.opt.ContourInterval;
  s.planeBottom = st.frame.LogPBottom;
  s.speedClasses = st.opt.VWPBounds;
  for (int h = 0; h <= gLastHour(1); ++h) s.snowRatio.push_back(Store().SnowRatio(1, h));
  for (const char* p : {"picRH", "picLeft", "picRight"})
    s.pictures.push_back(Ctl<PictureBoxWidget>(o, p)->Pic().Image().copy());
  return s;
}

void ExpectSame(const Seen& hand, const Seen& recalled) {
  EXPECT_EQ(recalled.layout, hand.layout);
  EXPECT_EQ(recalled.boxes, hand.boxes);
  EXPECT_EQ(recalled.labels.first, hand.labels.first);
  EXPECT_EQ(recalled.labels.second, hand.labels.second);
  EXPECT_EQ(recalled.contourInterval, hand.contourInterval);
  EXPECT_EQ(recalled.planeBottom, hand.planeBottom);
  EXPECT_EQ(recalled.speedClasses, hand.speedClasses);
  EXPECT_EQ(recalled.snowRatio, hand.snowRatio);
  for (size_t i = 0; i < hand.pictures.size(); ++i) EXPECT_TRUE(recalled.pictures[i] == hand.pictures[i]) << i;
}

struct Change {
  std::string what;
  std::function<void()> hand, undo;
};

TEST_F(OverviewWindowTest, RecalledLayoutIsTheWindowTheHandLeft) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  auto box = [&o](const std::string& name) { return Ctl<CheckBox>(o, QString::fromStdString(name)); };
  auto click = [&o](const char* name, int i) { return [&o, name, i] { Ctl<QAbstractButton>(o, name, i)->click(); }; };
  auto toggle = [&o](const char* name) { return [&o, name] { Ctl<QPushButton>(o, name)->click(); }; };
  std::vector<Change> changes;
  for (const OverviewRow& r : OverviewRows()) {
    // The type box shows the profile window's choice, which a layout does
    // not change (the roads of the choice are pinned elsewhere).
    if (r.id == kBoxsWSYMb) continue;
    const std::string name(r.name);
    changes.push_back({name, [=] { box(name)->SetValue(1); },
                       [=, &o] {
                         o.btnReset_Click();
                         box(name)->SetValue(0);
                       }});
  }
  // The options, with the strips that show what they change ticked.
  const std::vector<Change> options = {
      {"snow technique", click("optSnowTechnique", 0), click("optSnowTechnique", 1)},
      {"fixed snow ratio", click("optSnowTechnique", 3), click("optSnowTechnique", 1)},
      {"shear per km", click("optLayerShear", 1), click("optLayerShear", 0)},
      {"speed classes", click("OptWindColor", 0), click("OptWindColor", 2)},
      {"contour interval", click("chkCI", 0), click("chkCI", 2)},
      {"height unit", click("btnPHK", 2), click("btnPHK", 1)},
      {"Haines level", click("btnHaines", 2), click("btnHaines", 0)},
      {"10 meter base", toggle("btnPressureBase"), toggle("btnPressureBase")},
      {"cloud shades", toggle("btnClouds"), toggle("btnClouds")},
      {"CAPE line", click("btnCAPEkm", 4), click("btnCAPEkm", 4)},
      {"height line", click("btnHeights", 2), click("btnHeights", 2)},
  };
  const char* shown[] = {"chkSnowRatio", "chkSnow", "chkLayerShear", "chkVWP", "chkTemperature", "chkCAPE", "chkHeights"};
  for (const Change& c : options)
    changes.push_back({c.what,
                       [&, c] {
                         for (const char* b : shown) box(b)->SetValue(1);
                         c.hand();
                       },
                       c.undo});
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    c.hand();
    o.PlotData();  // the boxes without a handler show at the next redraw
    const Seen hand = Look(o);
    o.btnSave_Click(3);
    c.undo();
    const int before = drawn_;
    ASSERT_TRUE(o.RecallMacro(3));
    EXPECT_EQ(drawn_, before + 1);
    ExpectSame(hand, Look(o));
    // The next change starts without this one: strips that share an axis
    // label it as the one ticked last, which a layout does not hold.
    c.undo();
  }
}

// Fills the EL CIN field leaves ticked, and the plane under the "10 meter"
// base, come back as they were saved.
TEST_F(OverviewWindowTest, RecallKeepsFillsUnderELCINAndThePlaneBottom) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkELCIN")->SetValue(1);
  Ctl<CheckBox>(o, "chkRH0")->SetValue(1);
  Ctl<QPushButton>(o, "btnPressureBase")->click();
  const OverviewFrame hand = o.State().frame;
  o.btnSave_Click(2);
  o.btnReset_Click();
  Ctl<QPushButton>(o, "btnPressureBase")->click();
  o.RecallMacro(2);
  EXPECT_EQ(Ctl<CheckBox>(o, "chkRH0")->Value(), 1);
  EXPECT_EQ(Ctl<CheckBox>(o, "chkELCIN")->Value(), 1);
  EXPECT_FLOAT_EQ(o.State().frame.LogPBottom, hand.LogPBottom);
  EXPECT_GT(o.State().frame.LogPBottom, o.State().frame.LogPSurface[1]);
}

}  // namespace
}  // namespace ondrik
