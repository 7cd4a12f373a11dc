// The profile window's small controls: exclusive chart boxes and what
// follows them, the chart's temperature bounds, the level bars of the map's
// overlays and the trail button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/guards.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "tests/profilewindow/probe_panel.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

class ControlsTest : public ProfileWindowTest {
 protected:
  // The window with a probe panel that counts the map redraws.
  frmProfile& StartWithProbe() {
    frmProfile::PanelTables tables = frmProfile::DefaultPanelTables();
    tables.panels.push_back({10, "Probe", "", [](PanelHost& host, QWidget* parent) -> std::unique_ptr<SidePanel> {
                               return std::make_unique<ProbePanel>(host, parent);
                             }});
    frmProfile& w = Start(std::move(tables));
    probe_ = dynamic_cast<ProbePanel*>(w.Panel(10));
    return w;
  }
  ProbePanel* probe_ = nullptr;
  // The rows shown chosen.
  static std::vector<int> Chosen(QListWidget* list) {
    std::vector<int> rows;
    for (QListWidgetItem* i : list->selectedItems()) rows.push_back(list->row(i));
    return rows;
  }
};

TEST_F(ControlsTest, ExclusiveBoxesAndWhatFollowsThem) {
  frmProfile& w = StartWithProbe();
  const struct {
    const char* first;
    const char* second;
    std::vector<const char*> followFirst, followSecond;
    bool redrawsMap;
  } pairs[] = {
      {"chkRH0", "chkRH1", {}, {}, false},
  };
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.first);
    for (bool firstLast : {false, true}) {
      const char* a = firstLast ? p.second : p.first;
      const char* b = firstLast ? p.first : p.second;
      const auto& followB = firstLast ? p.followFirst : p.followSecond;
      const auto& followA = firstLast ? p.followSecond : p.followFirst;
      Ctl<CheckBox>(w, a)->SetValue(1);
      const int draws = chartDraws_, maps = probe_->mapRedraws;
      Ctl<CheckBox>(w, b)->SetValue(1);
      EXPECT_EQ(Ctl<CheckBox>(w, a)->Value(), 0);
      EXPECT_EQ(Ctl<CheckBox>(w, b)->Value(), 1);
      // One redraw of the chart (and of the map), not one per box.
      EXPECT_EQ(chartDraws_, draws + 1);
      EXPECT_EQ(probe_->mapRedraws, maps + (p.redrawsMap ? 1 : 0));
      for (const char* c : followB) EXPECT_TRUE(Ctl<QWidget>(w, c)->isVisibleTo(&w)) << c;
      for (const char* c : followA) EXPECT_FALSE(Ctl<QWidget>(w, c)->isVisibleTo(&w)) << c;
      Ctl<CheckBox>(w, b)->SetValue(0);
      for (const char* c : followB) EXPECT_FALSE(Ctl<QWidget>(w, c)->isVisibleTo(&w)) << c;
    }
  }
  // While the loading state is raised the guarded humidity boxes only take
  // their value; the pair is left to the setting code.
  Ctl<CheckBox>(w, "chkRH1")->SetValue(1);
  {
    const LoadingStateGuard loading;
    Ctl<CheckBox>(w, "chkRH0")->SetValue(1);
  }
  EXPECT_EQ(Ctl<CheckBox>(w, "chkRH1")->Value(), 1);
  EXPECT_TRUE(w.Chart().opt.chkRH[0]);
}

TEST_F(ControlsTest, TemperatureBoundsStepByFiveAndStayFiveApart) {
  frmProfile& w = Start();
  auto click = [&](const char* name, int times) {
    for (int i = 0; i < times; ++i) Ctl<QPushButton>(w, name)->click();
  };
  const Integer lo = gChartTMin, hi = gChartTMax;
  click("btnT1Higher", 1);
  EXPECT_EQ(gChartTMin, lo + 5);
  click("btnT1Lower", 1);
  EXPECT_EQ(gChartTMin, lo);
  // The right bound comes down to 5 degrees from the left one and stops.
  click("btnTempLower", 100);
  EXPECT_EQ(gChartTMax - gChartTMin, 5);
  click("btnT1Higher", 3);
  EXPECT_EQ(gChartTMax - gChartTMin, 5);
  EXPECT_EQ(w.Chart().opt.PlainTMax, gChartTMax);
  // The skewed chart keeps its own pair; unticking brings the plain one back.
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(1);
  EXPECT_EQ(gChartTMax, hi);
  click("btnTemHigher", 2);
  EXPECT_EQ(gChartTMax, hi + 10);
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(0);
  EXPECT_EQ(gChartTMax - gChartTMin, 5);
}

TEST_F(ControlsTest, MeanWindBoundsNeverMeetAndStayInRange) {
  frmProfile& w = StartWithProbe();
  Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(1);
  auto* bottom = Ctl<ScrollBar>(w, "vsbMeanFlow", 0);
  auto* top = Ctl<ScrollBar>(w, "vsbMeanFlow", 1);
  // Both bars run from the profile's top levels down to level 1.
  EXPECT_EQ(static_cast<int>(bottom->Max), 1);
  EXPECT_EQ(static_cast<int>(top->Max), 1);
  EXPECT_EQ(static_cast<int>(top->Min), gNumLevels(gCurDataset));
  auto inRange = [](const ScrollBar* b) {
    const int v = b->Value();
    return v >= std::min<int>(b->Min, b->Max) && v <= std::max<int>(b->Min, b->Max);
  };
  const struct {
    int bottomStart, topStart;
    bool moveTop;  // which bar is moved onto the other
    int bottomEnd, topEnd;
  } cases[] = {
      {3, 8, true, 3, 4},    // the top bar lands one past the bottom one
      {3, 8, false, 7, 8},   // the bottom bar one below the top one
      {3, 1, false, 1, 2},   // the bottom bar cannot go below 1: the top one moves up
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bottomEnd);
    top->SetValue(c.topStart);
    bottom->SetValue(c.bottomStart);
    if (c.moveTop)
      top->SetValue(c.bottomStart);
    else
      bottom->SetValue(c.topStart);
    EXPECT_EQ(bottom->Value(), c.bottomEnd);
    EXPECT_EQ(top->Value(), c.topEnd);
    EXPECT_TRUE(inRange(bottom) && inRange(top));
    // The chart marks the layer the bars hold.
    EXPECT_EQ(w.CapturePanelSettings().MeanFlowLevels, (std::array<Integer, 2>{c.bottomEnd, c.topEnd}));
  }
}

TEST_F(ControlsTest, TrailButtonSequences) {
  frmProfile& w = Start();
  auto* tails = Ctl<QPushButton>(w, "btnTails");
  w.ShowThickness = true;
  std::vector<QString> seen;
  for (int i = 0; i < 5; ++i) {
    tails->click();
    seen.push_back(tails->text());
  }
  EXPECT_EQ(seen, (std::vector<QString>{"12", "24", "48", "0", "6"}));
  w.ShowThickness = false;
  tails->click();
  EXPECT_EQ(tails->text(), "0");
  tails->click();
  EXPECT_EQ(tails->text(), "6");
}

TEST_F(ControlsTest, IndexListEditsTheThresholdTable) {
  frmProfile& w = Start();
  auto* list = Ctl<QListWidget>(w, "lstIndices");
  ASSERT_EQ(list->count(), kIndexThresholdRows);
  for (int r = 0; r < kIndexThresholdRows; ++r) EXPECT_EQ(list->item(r)->text(), kIndexNames[static_cast<size_t>(r)]);
  EXPECT_EQ(list->currentRow(), -1);
  EXPECT_FLOAT_EQ(w.Chart().in.LayerShearT1, 200);
  EXPECT_FLOAT_EQ(w.Chart().in.LayerShearT2, 250);
  // Nothing chosen: an edit stores nothing.
  Ctl<QLineEdit>(w, "txtIndices", 0)->setText("123");
  EXPECT_FLOAT_EQ(gIndexThresholds(0, 0), 0);

  const struct {
    int row;
    int shown;
    std::vector<QString> texts;
  } cases[] = {
      {kRowCape, 4, {"0", "700", "1000", "3000"}},
      {kRowBulkRichardson, 7, {"5", "7", "10", "22", "45", "50", "60"}},
      {kRowEhi, 4, {"0", "0.5", "1", "2.5"}},
  };
  const QWidget* page = Ctl<QWidget>(w, "pnlControl", 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    list->setCurrentRow(c.row);
    for (int i = 0; i < kIndexThresholdColumns; ++i) {
      EXPECT_EQ(Ctl<QLineEdit>(w, "txtIndices", i)->isVisibleTo(page), i < c.shown) << i;
      EXPECT_EQ(Ctl<QLabel>(w, "lblIndices", i)->isVisibleTo(page), i < c.shown) << i;
      if (i < c.shown) {
        EXPECT_EQ(Ctl<QLineEdit>(w, "txtIndices", i)->text(), c.texts[static_cast<size_t>(i)]);
      }
    }
  }
  EXPECT_EQ(Ctl<QLabel>(w, "lblIndices", 4)->text(), "Alarm");
  // An edit of the layer-shear row reaches the table and the chart's bands.
  list->setCurrentRow(kRowLayerShear);
  Ctl<QLineEdit>(w, "txtIndices", 1)->setText("150");
  Ctl<QLineEdit>(w, "txtIndices", 2)->setText("x");
  EXPECT_FLOAT_EQ(gIndexThresholds(kRowLayerShear, 1), 150);
  EXPECT_FLOAT_EQ(gIndexThresholds(kRowLayerShear, 2), 0);
  EXPECT_FLOAT_EQ(w.Chart().in.LayerShearT1, 150);
  EXPECT_FLOAT_EQ(w.Chart().in.LayerShearT2, 0);
}

TEST_F(ControlsTest, DownloaderButtonsAndTheModelListMark) {
  WriteFile(folder_ / "Haulix.exe", "");
  WriteFile(folder_ / "HaulixC.Dat", "LIST = East: coast\r\nnam_kbos.ONZ\r\n");
  WriteFile(folder_ / "HaulixD.Dat", "LIST = Plains\r\nnam_kokc.ond\r\n");
  frmProfile& w = Start();
  ASSERT_EQ(Ctl<QPushButton>(w, "btnHaulix", 21)->text(), "V");
  EXPECT_EQ(Ctl<QPushButton>(w, "btnHaulix", 2)->toolTip(), "coast");
  EXPECT_EQ(Ctl<QPushButton>(w, "btnHaulix", 3)->toolTip(), "Plains");
  EXPECT_EQ(Ctl<QPushButton>(w, "btnHaulix", 4)->toolTip(), "");
  fx_.programs.clear();
  Ctl<QPushButton>(w, "btnHaulix", 3)->click();
  EXPECT_FALSE(w.ModelListMarked());
  Ctl<QPushButton>(w, "btnHaulix", 2)->click();
  EXPECT_TRUE(w.ModelListMarked());
  ASSERT_EQ(fx_.programs.size(), 2u);
  EXPECT_EQ(fx_.programs[1].program, (folder_ / "Haulix.exe").string());
  EXPECT_EQ(fx_.programs[1].args, std::vector<std::string>{"C"});
  EXPECT_FALSE(fx_.programs[1].wait);
  Ctl<QPushButton>(w, "btnNewData")->click();
  ASSERT_EQ(fx_.programs.size(), 3u);
  EXPECT_TRUE(fx_.programs[2].args.empty());
  // Choosing a model runs the converter, which clears the mark: the list is
  // black again.
  QListWidget* models = Ctl<QListWidget>(w, "lstoptModel");
  const auto back = [models] {
    const QImage shown = models->viewport()->grab().toImage();
    return shown.pixelColor(shown.width() - 2, shown.height() - 2);  // right of a row not chosen
  };
  EXPECT_EQ(back(), QColor(64, 0, 0));
  models->setCurrentRow(1);
  EXPECT_FALSE(w.ModelListMarked());
  EXPECT_EQ(back(), QColor(Qt::black));
}

// A model chosen by a click shows as the chosen row, the list marked or
// not, and whether or not the row was whole in sight (the list scrolls to it).
TEST_F(ControlsTest, TheClickedModelIsTheOneShownChosen) {
  WriteFile(folder_ / "Haulix.exe", "");
  WriteFile(folder_ / "HaulixC.Dat", "LIST = East: coast\r\nnam_kbos.ONZ\r\n");
  frmProfile& w = Start();
  QListWidget* models = Ctl<QListWidget>(w, "lstoptModel");
  ASSERT_GE(models->count(), 3);
  for (const bool marked : {false, true}) {
    for (int row = models->count() - 1; row >= 0; --row) {
      if (marked) Ctl<QPushButton>(w, "btnHaulix", 2)->click();
      ASSERT_EQ(w.ModelListMarked(), marked);
      models->scrollToTop();
      if (!ClickRow(models, row)) continue;  // out of sight: no click reaches it
      EXPECT_EQ(models->currentRow(), row);
      EXPECT_EQ(Chosen(models), std::vector<int>{row}) << (marked ? "marked" : "plain");
      EXPECT_EQ(w.Model().gModelName, models->item(row)->text().toStdString());
    }
  }
}

// A site whose file fails to load, clicked or chosen by code, leaves the
// site shown chosen in the list, as the message, caption and chart say.
TEST_F(ControlsTest, AFailedLoadLeavesTheShownSiteChosen) {
  frmProfile& w = Start();
  QListWidget* sites = Ctl<QListWidget>(w, "lstSiteIDs");
  const int kbos = Row(sites, "KBOS"), kokc = Row(sites, "KOKC");
  w.SelectSiteRow(kbos);
  WriteFile(folder_ / "NAM_KOKC.ond", "not a profile\n");
  const struct {
    const char* name;
    std::function<void()> choose;
  } roads[] = {
      {"click", [&] { ASSERT_TRUE(ClickRow(sites, kokc)); }},
      {"code", [&] { w.SelectSiteRow(kokc); }},
  };
  for (const auto& r : roads) {
    SCOPED_TRACE(r.name);
    fx_.messages.clear();
    r.choose();
    EXPECT_EQ(fx_.messages.size(), 1u);
    EXPECT_EQ(w.windowTitle(), "KBOS - NAM - ONDRIK");
    EXPECT_EQ(sites->currentRow(), kbos);
    EXPECT_EQ(Chosen(sites), std::vector<int>{kbos});
  }
}

}  // namespace
}  // namespace ondrik
