// The window's tables: every chart box reaches its option and back, and a
// panel of one file pair added to the panel table is shown, drawn and given
// the chart's events without any change to the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <cmath>
#include <set>
#include <string>

#include "core/parcels.h"
#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "tests/profilewindow/probe_panel.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

// Options with every box of the table unticked, the buttons as they are.
ChartOptions AllBoxesOff(ChartOptions o) {
  for (const ChartBoxRow& row : frmProfile::ChartBoxes()) row.field(o) = false;
  return o;
}

TEST_F(ProfileWindowTest, EveryChartBoxReachesItsOptionAndBack) {
  frmProfile& w = Start();
  const auto& rows = frmProfile::ChartBoxes();
  std::set<std::string> names;
  for (const ChartBoxRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(names.insert(row.name).second) << "two rows of one box";
    // The box sets its option, and no other.
    w.SetChartOptions(AllBoxesOff(w.Chart().opt));
    Ctl<CheckBox>(w, row.name)->SetValue(1);
    ChartOptions seen = w.Chart().opt;
    for (const ChartBoxRow& other : rows)
      EXPECT_EQ(other.field(seen), &other == &row) << other.name;
    // And the option sets its box, and no other.
    ChartOptions only = AllBoxesOff(w.Chart().opt);
    w.SetChartOptions(only);
    row.field(only) = true;
    w.SetChartOptions(only);
    for (const ChartBoxRow& other : rows)
      EXPECT_EQ(Ctl<CheckBox>(w, other.name)->Value(), &other == &row ? 1 : 0) << other.name;
  }
  // Every check box under the chart (the grid and the control pages) is a
  // row of the table; the side panels' boxes are their own.
  for (const CheckBox* box : Ctl<QWidget>(w, "frameLeft")->findChildren<CheckBox*>()) {
    const std::string name = box->objectName().toStdString();
    if (name.rfind("chkefname", 0) == 0) continue;  // the dataset boxes
    EXPECT_TRUE(names.count(name) == 1) << name << " is not in the table";
  }
  // The buttons' options come back with their faces.
  ChartOptions o = w.Chart().opt;
  o.VerticalUnit = 2;
  o.gXferIndex = 3;
  o.WindAutoMode = false;
  o.WindLevelStep = 3;
  w.SetChartOptions(o);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnPHK", 2)->font().bold());
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnPHK", 1)->font().bold());
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnXfer", 3)->font().bold());
  EXPECT_EQ(Ctl<QPushButton>(w, "btnVWPInterval")->text(), "3");
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnVWPInterval")->font().bold());
  EXPECT_FALSE(gLoadingState);
}

TEST_F(ProfileWindowTest, APanelAddedToTheTableIsShownDrawnAndFollowsTheChart) {
  frmProfile::PanelTables tables = frmProfile::DefaultPanelTables();
  tables.panels.push_back({10, "Probe", "", [](PanelHost& host, QWidget* parent) -> std::unique_ptr<SidePanel> {
                             return std::make_unique<ProbePanel>(host, parent);
                           }});
  frmProfile& w = Start(std::move(tables));
  auto* probe = dynamic_cast<ProbePanel*>(w.Panel(10));
  ASSERT_NE(probe, nullptr);
  QWidget* picProbe = Ctl<QWidget>(w, "picProbe");
  EXPECT_FALSE(picProbe->isVisibleTo(&w));

  // Its button shows it, hides the others and draws it for the hour shown.
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(2);
  Ctl<QPushButton>(w, "btnDisplay", 10)->click();
  EXPECT_EQ(w.RightPanel, 10);
  EXPECT_TRUE(picProbe->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QWidget>(w, "picProfile")->isVisibleTo(&w));
  EXPECT_GE(probe->draws, 1);
  EXPECT_EQ(probe->hourDrawn, 2);
  // The chart asks it for its marks and passes it the cursor's level even
  // without the readout; it takes the chart's click, so the chart does not zoom.
  EXPECT_GT(probe->marksAsked, 0);
  auto* picData = Ctl<PictureBoxWidget>(w, "picData");
  QMouseEvent move(QEvent::MouseMove, QPointF(picData->width() / 2.0, picData->height() * 0.6), QPointF(),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(picData, &move);
  ASSERT_FALSE(probe->cursorLevels.empty());
  EXPECT_GE(probe->cursorLevels.back(), 1);
  const Integer top = gChartTop;
  w.picData_MouseUp(1, 0, 50, std::log(500.0));
  EXPECT_EQ(probe->clicksTaken, 1);
  EXPECT_EQ(gChartTop, top);
  // Another panel hides it again and gets the events instead.
  w.btnDisplay_Click(0);
  EXPECT_FALSE(picProbe->isVisibleTo(&w));
  w.picData_MouseUp(1, 0, 50, std::log(500.0));
  EXPECT_EQ(probe->clicksTaken, 1);
  EXPECT_GT(gChartTop, top);  // zoomed in
}

TEST_F(ProfileWindowTest, PanelSettingsAreCapturedAndAppliedByTheirPanels) {
  frmProfile& w = Start();
  EXPECT_EQ(w.CapturePanelSettings().LakeTempF, 34);
  PanelSettings s;
  s.LakeTempF = 50;
  w.ApplyPanelSettings(s);
  EXPECT_EQ(w.CapturePanelSettings().LakeTempF, 50);
  EXPECT_FLOAT_EQ(gLakeTempC, 10.0F);
  EXPECT_EQ(Ctl<QLabel>(w, "lblLakeC")->text(), "10");
}

}  // namespace
}  // namespace ondrik
