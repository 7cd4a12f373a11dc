#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/guards.h"
#include "core/shear.h"
#include "panels/hodoedit.h"
#include "panels/hodograph.h"
#include "core/thresholds.h"
#include "platform/pictureboxwidget.h"
#include "tests/core/sounding.h"
#include "tests/panels/panel_fixture.h"

namespace ondrik {
namespace {

using testing::FakeHost;
using testing::Level;

// Dataset d, hours 0..lastHour: `count` levels every `step` m above a site
// at sea level, winds veering with height.
void SetHodograph(int d, int lastHour, int count, float step) {
  for (int h = 0; h <= lastHour; ++h) {
    std::vector<Level> levels;
    for (int i = 0; i < count; ++i)
      levels.push_back({1000.0f - 12.0f * i, 20.0f - 0.6f * i, 10.0f - 0.6f * i, 180.0f + 4.0f * i,
                        10.0f + 1.0f * i, step * static_cast<float>(i)});
    testing::SetSounding(d, h, levels, 0.0f);
  }
}

class HodoStore : public ::testing::Test {
 protected:
  void SetUp() override {
    Store().Clear();
    gDatasetCount = 0;
    SetHodograph(1, 1, 60, 250);  // levels every 250 m
    SetHodograph(2, 1, 60, 400);  // every 400 m
    gCurDataset = 1;
  }
};

TEST_F(HodoStore, LayerButtonsSearchEachDatasetsOwnHeightsAndApplyToAllOrNone) {
  ASSERT_TRUE(SetHelicityLayerTop(3));
  // Level i stands (i - 1) * step above the ground.
  for (int h = 0; h <= 1; ++h) {
    EXPECT_EQ(gSRHTopLevel(1, h), 13) << h;                         // 3000 m
    EXPECT_NEAR(gHghtAGL(2, h, gSRHTopLevel(2, h)), 2800, 1) << h;  // 2800 and 3200 tie: the lower
    EXPECT_EQ(gHelicityDone(1, h), 0);
  }
  // A bottom above the top is refused everywhere.
  EXPECT_FALSE(SetHelicityLayerBottom(5));
  EXPECT_EQ(gSRHBottomLevel(1, 0), 0);
  EXPECT_TRUE(SetHelicityLayerBottom(1));
  EXPECT_EQ(gSRHBottomLevel(1, 1), 5);
  EXPECT_EQ(gSRHBottomLevel(2, 1), 3);
  // A top at the bottom, too.
  EXPECT_FALSE(SetHelicityLayerTop(1));
  EXPECT_EQ(gSRHTopLevel(2, 0), 8);
  // A height that one hour of one dataset does not reach changes no hour.
  gNumLevels(2) = 30;  // dataset 2 now ends at 11.6 km
  EXPECT_FALSE(SetHelicityLayerTop(14));
  EXPECT_EQ(gSRHTopLevel(1, 0), 13);
}

TEST_F(HodoStore, DragMovesTheLevelAndFourNeighboursEachSideWithinTheLayer) {
  for (int h = 0; h <= 1; ++h) gSRHTopLevel(1, h) = 12;
  const Integer D = 1, H = 0;
  std::vector<Single> u0(68), v0(68);
  for (int l = 0; l < 68; ++l) u0[static_cast<size_t>(l)] = gWindU(D, H, l), v0[static_cast<size_t>(l)] = gWindV(D, H, l);
  gHelicityDone(D, H) = -1;
  gBulkShearDone(D, H) = true;
  gMbeDone(D, H) = -1;
  MatrixPageDone(D, H) = -1;
  HodoDrag drag;
  SaveDragStart(drag, D, H, 10);
  MoveLevel(drag, D, H, 10, gWindU(D, H, 10) + 2, gWindV(D, H, 10));  // a first move...
  MoveLevel(drag, D, H, 10, u0[10] + 5, v0[10]);                       // ...measured from the press
  const struct {
    int level;
    Single du;
  } cases[] = {{10, 5}, {9, 4}, {11, 4}, {8, 3}, {12, 3}, {6, 1}, {5, 0}, {13, 0}, {14, 0}, {15, 0}};
  for (const auto& c : cases) {
    EXPECT_NEAR(gWindU(D, H, c.level) - u0[static_cast<size_t>(c.level)], c.du, 1e-4) << c.level;
    EXPECT_FLOAT_EQ(gWindV(D, H, c.level), v0[static_cast<size_t>(c.level)]) << c.level;
  }
  // The results that follow the winds are computed again; the hour is edited.
  EXPECT_TRUE(gWindEdited(D, H));
  EXPECT_EQ(gHelicityDone(D, H), 0);
  EXPECT_FALSE(gBulkShearDone(D, H));
  EXPECT_EQ(gMbeDone(D, H), 0);
  EXPECT_EQ(MatrixPageDone(D, H), 0);
  EXPECT_FALSE(gWindEdited(D, 1));
  // A drag near the top of the store reaches level 67 and no further.
  gNumLevels(D) = 67;
  gSRHTopLevel(D, H) = 67;
  SaveDragStart(drag, D, H, 66);
  MoveLevel(drag, D, H, 66, drag.u[66] + 1, drag.v[66]);
  EXPECT_NEAR(gWindU(D, H, 67) - drag.u[67], 0.8f, 1e-4);
}

TEST_F(HodoStore, PickRadiusAndTheFirstOfEqualDistances) {
  const Integer D = 1, H = 0;
  gSRHTopLevel(D, H) = 10;
  for (int k = -1; k <= 40; ++k) {
    gWindU(D, H, k) = 10.0f * static_cast<Single>(std::max(k, 0));  // the storm motion on the 10-m wind
    gWindV(D, H, k) = 0;
  }
  EXPECT_EQ(NearestHodoPoint(D, H, 0, 0), kStormPoint);
  EXPECT_EQ(NearestHodoPoint(D, H, 72.9f, 0), 7);
  EXPECT_EQ(NearestHodoPoint(D, H, 73.1f, 0), kNoPoint);  // 3 m/s or more from every point
  EXPECT_EQ(NearestHodoPoint(D, H, 70, 2.99f), 7);
  EXPECT_EQ(NearestHodoPoint(D, H, 300, 0), kNoPoint);    // level 30 lies above the layer
  EXPECT_FLOAT_EQ(DragWeight(10, 14), 0.2f);
  EXPECT_FLOAT_EQ(DragWeight(10, 6), 0.2f);
  EXPECT_FLOAT_EQ(DragWeight(10, 15), 0.0f);
}

TEST_F(HodoStore, ReadOutsAndBoundaryRelativeMotion) {
  gHght(1, 0, 3) = 400;  // 400 m above a site at sea level
  gPres(1, 0, 3) = 955.4f;
  EXPECT_EQ(HodoReadOut(1, 0, 3, 10, 0), (std::vector<std::string>{".4 km", "955 mb", "270\u00BA 10 m/s", "19 kts"}));
  EXPECT_EQ(HodoReadOut(1, 0, kBoundaryReadout, 10, 0),
            (std::vector<std::string>{"Boundary", "Motion", "270\u00BA 10 m/s", "19 kts"}));
  EXPECT_EQ(HodoReadOut(1, 0, kStormPoint, 0, -5)[0], "Storm");
  gHght(1, 0, 4) = 1250;
  EXPECT_EQ(HodoReadOut(1, 0, 4, 1, 1)[0], "1.3 km");
  // A boundary moving with the storm's direction, slower than the storm: the
  // storm overtakes it (red), its vector pointing against the boundary's motion.
  const BoundaryRelative r = RelativeToBoundary(5, 0, WindDirection(10, 0), 10);
  EXPECT_NEAR(r.speed, 5, 1e-3);
  EXPECT_NEAR(r.u, -5, 1e-3);
  EXPECT_NEAR(r.v, 0, 1e-3);
  EXPECT_LT(RelativeToBoundary(5, 0, WindDirection(-10, 0), 10).speed, 0);
}

TEST_F(HodoStore, ResetBringsBackTheFileAndTheComputedStormMotion) {
  const Integer D = 1, H = 0;
  gSRHTopLevel(D, H) = 20;
  MoveStormMotion(D, H, 3, 4);
  EXPECT_TRUE(UserStormSet(D, H) != 0);
  EXPECT_FLOAT_EQ(gStormMotionSpd(D, H), 5);
  HodoDrag drag;
  SaveDragStart(drag, D, H, 5);
  MoveLevel(drag, D, H, 5, 0, 0);
  PlaceBoundary(D, H, 2, 2);
  ResetHour(D, H);
  for (int l = 0; l <= gNumLevels(D); ++l) EXPECT_EQ(gWindU(D, H, l), gWindUAsLoaded(D, H, l)) << l;
  EXPECT_FALSE(gWindEdited(D, H));
  EXPECT_FALSE(BoundaryShown(D, H));
  EXPECT_EQ(UserStormSet(D, H), 0);
  EXPECT_FLOAT_EQ(gStormU(D, H), gRightMoverU(D, H));
  EXPECT_FLOAT_EQ(BoundaryMotionU(D, H), 2);  // kept, hidden
  ToggleBoundary(D, H);
  EXPECT_TRUE(BoundaryShown(D, H));
}

// ---- the panel ----

class HodographPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreDefaultIndexThresholds();
    gSRInflowDepth = 3;
    gSRInflowBase = 0;
    parent_.resize(400, 400);
    panel_ = std::make_unique<HodographPanel>(host_, &parent_);
    panel_->Widget()->setGeometry(0, 0, 238, 238);
    panel_->ButtonBar()->setGeometry(0, 240, 238, 22);
    panel_->Widget()->show();
    panel_->ButtonBar()->show();
    parent_.show();
  }
  PictureBox& Pic() { return panel_->Widget()->findChild<PictureBoxWidget*>("picHodograph")->Pic(); }
  template <typename T>
  T* Find(const char* name) {
    T* c = parent_.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  QWidget parent_;
  FakeHost host_;
  std::unique_ptr<HodographPanel> panel_;
};

TEST_F(HodographPanelTest, LayerButtonsRefuseIndexesWithoutAButtonAndKeepTheOldChoice) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  panel_->HodoBaseClick(0);
  EXPECT_EQ(host_.chartRedraws, 0);  // the load's own redraw follows
  EXPECT_TRUE(Find<QPushButton>("btnHodoHeight3")->styleSheet().contains("255,165,0"));
  EXPECT_TRUE(Find<QPushButton>("btnHodoBase0")->styleSheet().contains("255,0,0"));
  const Integer top = gSRHTopLevel(1, 0);
  for (Integer bad : {-1, 0, 16, 17, 99}) panel_->btnHodoHeight_Click(bad);
  for (Integer bad : {-1, 16, 40}) panel_->btnHodoBase_Click(bad);
  panel_->btnHodoBase_Click(5);  // above the top: refused
  EXPECT_EQ(gSRInflowDepth, 3);
  EXPECT_EQ(gSRInflowBase, 0);
  EXPECT_EQ(gSRHTopLevel(1, 0), top);
  EXPECT_EQ(host_.chartRedraws, 0);
  EXPECT_FALSE(Find<QPushButton>("btnHodoBase5")->styleSheet().contains("background"));
  EXPECT_TRUE(Find<QPushButton>("btnHodoHeight3")->styleSheet().contains("background"));
  // Taken with the left button down over another button.
  panel_->btnHodoHeight_MouseMove(12, 1);
  EXPECT_EQ(gSRInflowDepth, 12);
  EXPECT_TRUE(Find<QPushButton>("btnHodoHeight12")->styleSheet().contains("128,128,255"));
  EXPECT_FALSE(Find<QPushButton>("btnHodoHeight3")->styleSheet().contains("background"));
  EXPECT_EQ(host_.chartRedraws, 1);
  EXPECT_EQ(host_.focus, 1);
  panel_->btnHodoHeight_MouseMove(12, 1);  // the choice in force: nothing
  panel_->btnHodoHeight_MouseMove(6, 0);   // no button down: nothing
  EXPECT_EQ(host_.chartRedraws, 1);
  {
    const LoadingStateGuard bulk;
    panel_->btnHodoHeight_Click(5);
  }
  EXPECT_EQ(gSRInflowDepth, 12);
}

TEST_F(HodographPanelTest, APressBeforeAnyHoverOrAfterAnHourChangeDragsNothing) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  host_.hour = 2;
  panel_->DrawHodograph();
  const Integer D = 1, H = 2;
  const Single u0 = gWindU(D, H, 0);
  EXPECT_EQ(panel_->HodoPickedPoint, kNoPoint);
  panel_->picHodograph_MouseDown(1, 0, u0 + 1, gWindV(D, H, 0));
  EXPECT_FALSE(gWindEdited(D, H));
  // A hover picks level 4; an hour later the same press drags nothing.
  panel_->picHodograph_MouseMove(0, 0, gWindU(D, H, 4), gWindV(D, H, 4));
  EXPECT_EQ(panel_->HodoPickedPoint, 4);
  host_.hour = 3;
  panel_->picHodograph_MouseDown(1, 0, 0, 0);
  EXPECT_FALSE(gWindEdited(1, 3));
  EXPECT_FALSE(gWindEdited(1, 2));
  EXPECT_EQ(host_.topics, (std::vector<std::string>{"Hodograph", "Hodograph"}));
}

// A redraw under the resting pointer (a new hour, a box) reads out again the
// point the pointer rests by, of the hour drawn.
TEST_F(HodographPanelTest, TheReadOutFollowsTheRestingPointerThroughRedraws) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  host_.hour = 2;
  panel_->Draw();
  const Integer D = 1;
  auto* widget = panel_->Widget()->findChild<PictureBoxWidget*>("picHodograph");
  const PictureBox& pic = Pic();
  const QPointF at(pic.MappedXToPixel(gWindU(D, 2, 4)), pic.MappedYToPixel(gWindV(D, 2, 4)));
  PictureBox::RecordPrintedTexts(true);
  const auto readOut = [&](Integer H) {
    const Integer c = panel_->HodoPickedPoint;
    if (c == kNoPoint) return false;
    const std::string mb = std::to_string(NearestWhole(gPres(D, H, c))) + " mb";
    return std::any_of(pic.PrintedTexts().begin(), pic.PrintedTexts().end(),
                       [&](const auto& t) { return t.text == mb; });
  };
  widget->PointerMovedTo(at, 0, 0);
  EXPECT_EQ(panel_->HodoPickedPoint, 4);
  EXPECT_TRUE(readOut(2));
  for (const Integer H : {3, 4, 3}) {
    host_.hour = H;
    panel_->Draw();
    EXPECT_NE(panel_->HodoPickedPoint, kNoPoint) << H;
    EXPECT_TRUE(readOut(H)) << H;
  }
  panel_->Draw();  // the same hour drawn again
  EXPECT_TRUE(readOut(3));
  PictureBox::RecordPrintedTexts(false);
}

TEST_F(HodographPanelTest, ADragMovesStormMotionAndHelicityAndResetHidesItself) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  host_.hour = 4;
  const Integer D = 1, H = 4;
  panel_->DrawHodograph();
  const Single helicity = gHelicity(D, H);
  const Single stormU = gStormU(D, H);
  auto* reset = Find<QPushButton>("btnHodoReset");
  EXPECT_TRUE(reset->isHidden());
  // Hover over level 6, press, drag by 8 m/s.
  const Single u = gWindU(D, H, 6), v = gWindV(D, H, 6);
  panel_->picHodograph_MouseMove(0, 0, u, v);
  EXPECT_EQ(host_.windEditsGoing + host_.windEditsDone, 0);  // a hover edits nothing
  panel_->picHodograph_MouseDown(1, 0, u, v);
  panel_->picHodograph_MouseMove(1, 0, u + 8, v - 4);
  // Each step of the drag tells the window at once; the release, once.
  EXPECT_EQ(host_.windEditsGoing, 2);
  EXPECT_EQ(host_.windEditsDone, 0);
  panel_->picHodograph_MouseUp();
  panel_->picHodograph_MouseUp();
  EXPECT_EQ(host_.windEditsDone, 1);
  EXPECT_NEAR(gWindU(D, H, 6), u + 8, 1e-4);
  EXPECT_NE(gStormU(D, H), stormU);
  EXPECT_NE(gHelicity(D, H), helicity);  // the redraw computed it again
  EXPECT_FALSE(reset->isHidden());
  testing::SavePng(Pic().Image(), "hodograph_dragged");
  reset->click();
  EXPECT_TRUE(reset->isHidden());
  EXPECT_FLOAT_EQ(gHelicity(D, H), helicity);
  EXPECT_FLOAT_EQ(gStormU(D, H), stormU);
}

TEST_F(HodographPanelTest, OverlayOrderDimsTheOthersAndLabelsFollowTheCurrentDataset) {
  testing::LoadShipped("SREF_KOKC.ond");
  ASSERT_GE(gDatasetCount, 3);
  panel_->HodoHeightClick(3);
  host_.hour = 10;
  gCurDataset = 2;
  gOverlayAll = true;
  panel_->DrawHodograph();
  testing::SavePng(Pic().Image(), "hodograph_sref_overlay");
  testing::SavePng(parent_.grab(QRect(0, 0, 238, 262)).toImage(), "hodograph_panel");
  EXPECT_EQ(gCurDataset, 2);
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(127, 0, 127)), 5);  // dimmed "M" of the others
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(255, 0, 255)), 5);  // this dataset's "M"
  const QString high = Find<QLabel>("lblSRInflowHigh")->text();
  EXPECT_TRUE(high.startsWith("         3 km = ")) << high.toStdString();
  EXPECT_TRUE(high.contains(QChar(0x00BA)));
  EXPECT_TRUE(Find<QLabel>("lblStormMotion")->text().contains(QChar(0x00B0)));
  // The current dataset not shown: no trace of it, the others dimmed only.
  gDatasetShown(2) = false;
  panel_->DrawHodograph();
  EXPECT_EQ(testing::PixelsOf(Pic().Image(), RGB(255, 0, 255)), 0);
  // Without the overlay only the current dataset, and it is not shown.
  gOverlayAll = false;
  panel_->DrawHodograph();
  EXPECT_EQ(testing::PixelsOf(Pic().Image(), RGB(127, 0, 127)), 0);
}

// Zoomed in, each of "M", "L" and "R" stands on its point, also at the
// plane's edge, and one whose point lies off the plane is not drawn (never
// at the edge, where it would read as a slower wind).
TEST_F(HodographPanelTest, MarkersStandOnTheirPointsOrNowhere) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  const Integer D = 1, H = 6;
  host_.hour = H;
  panel_->DrawHodograph();
  panel_->gHodoScale = 10;
  PictureBox::RecordPrintedTexts(true);
  const struct {
    Single u, v;
    bool shown;
  } cases[] = {{3, 2, true}, {9.8f, -9.8f, true}, {-9.9f, 9.7f, true}, {10.5f, 0, false},
               {24, 3, false}, {0, -12, false}, {-30, 30, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.u) + ", " + std::to_string(c.v));
    gMeanWindSpd(D, H) = std::hypot(c.u, c.v);
    gMeanWindDir(D, H) = WindDirection(c.u, c.v);
    gLeftMoverU(D, H) = gRightMoverU(D, H) = c.u;
    gLeftMoverV(D, H) = gRightMoverV(D, H) = c.v;
    gHelicityDone(D, H) = -1;  // the values stand as set
    panel_->DrawHodograph();
    const QPointF point(Pic().XToPixel(c.u), Pic().YToPixel(c.v));
    for (const char* marker : {"M", "L", "R"}) {
      int n = 0;
      for (const auto& t : Pic().PrintedTexts()) {
        if (t.text != marker) continue;
        ++n;
        EXPECT_TRUE(t.ink.adjusted(-1.5, -1.5, 1.5, 1.5).contains(point)) << marker;
      }
      EXPECT_EQ(n, c.shown ? 1 : 0) << marker;
    }
  }
  PictureBox::RecordPrintedTexts(false);
}

TEST_F(HodographPanelTest, BoundaryToggleZoomAndTheChartCursor) {
  testing::LoadShipped("NAM_KOKC.ond");
  panel_->HodoHeightClick(3);
  host_.hour = 6;
  panel_->picHodograph_MouseDown(2, 0, 10, 0);
  EXPECT_TRUE(BoundaryShown(1, 6));
  EXPECT_EQ(Find<QLabel>("lblInflow")->text(), "Boundary Relative Inflow");
  testing::SavePng(Pic().Image(), "hodograph_boundary");
  Find<QPushButton>("btnHodoToggle")->click();
  EXPECT_EQ(Find<QLabel>("lblInflow")->text(), "Storm Rel Inflow");
  panel_->lblSRInflowLow_Click();
  EXPECT_TRUE(BoundaryShown(1, 6));
  panel_->btnHodoZoom_Click();
  panel_->btnHodoZoom_Click();
  EXPECT_NEAR(panel_->gHodoScale, 26 / 1.44, 1e-4);
  panel_->btnHodoUnzoom_Click();
  panel_->btnHodoUnzoom_Click();
  EXPECT_NEAR(panel_->gHodoScale, 26, 1e-4);
  // The zoom stops both ways, and the plane at either bound still draws.
  for (int i = 0; i < 60; ++i) panel_->btnHodoUnzoom_Click();
  EXPECT_EQ(panel_->gHodoScale, HodographPanel::kMaxHodoScale);
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(128, 128, 128)), 0);
  for (int i = 0; i < 60; ++i) panel_->btnHodoZoom_Click();
  EXPECT_EQ(panel_->gHodoScale, HodographPanel::kMinHodoScale);
  EXPECT_GT(testing::PixelsOf(Pic().Image(), RGB(128, 128, 128)), 0);
  panel_->gHodoScale = 26;
  // The chart's cursor over level 2 highlights its segment, then level 3's.
  panel_->picHodograph_MouseDown(2, 0, 0, 0);
  panel_->btnHodoToggle_Click();
  panel_->CursorLevel(1, 6, 2);
  const int highlighted = testing::PixelsOf(Pic().Image(), RGB(255, 0, 255));
  EXPECT_GT(highlighted, 0);
  panel_->CursorLevel(1, 6, 40);  // above the layer: the old one is covered
  EXPECT_LT(testing::PixelsOf(Pic().Image(), RGB(255, 0, 255)), highlighted);
}

}  // namespace
}  // namespace ondrik
