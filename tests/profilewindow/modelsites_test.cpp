// The profile window run headless: models and sites load (or fail to), the
// panels and pages switch, and the overview follows hours, datasets and new
// files.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QWheelEvent>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/shared.h"
#include "core/store.h"
#include "panels/heavyprecip.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/archive.h"
#include "profilewindow/frmprofile.h"
#include "savedstate/listing.h"
#include "tests/core/profile_text.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using namespace ondrik::testing;

// Records what the profile window asks of the overview.
class FakeOverview : public OverviewLink {
 public:
  bool open = false;
  int opened = 0, rebuilt = 0, plotted = 0;
  std::vector<std::pair<int, int>> cursorMoves;
  std::vector<int> barValues;
  bool IsOpen() const override { return open; }
  void Open() override {
    open = true;
    ++opened;
  }
  void Rebuild() override { ++rebuilt; }
  void PlotData() override { ++plotted; }
  bool MoveCursor(int from, int to) override {
    cursorMoves.emplace_back(from, to);
    return true;
  }
  void MirrorDatasetBar(int, int value, bool) override { barValues.push_back(value); }
};

TEST_F(ProfileWindowTest, ModelsSitesPanelsAndFailedLoads) {
  frmProfile& w = Start();
  // Another site of the model.
  w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KBOS"));
  EXPECT_EQ(w.windowTitle(), "KBOS - NAM - ONDRIK");
  EXPECT_EQ(w.LastSite, "KBOS");
  EXPECT_NEAR(gSfcPres(1, 0), 960.0F, 0.01F);

  // A model without files: the warning, an empty site list; the data stay in
  // the store, but nothing of them is live under this model: the hour does
  // not step them and the overview does not open on them.
  auto owned = std::make_unique<FakeOverview>();
  FakeOverview& ov = *owned;
  w.SetOverviewLink(std::move(owned));
  fx_.messages.clear();
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "GFS"));
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find("There are no GFS profiles in the profile directory:"),
            std::string::npos);
  EXPECT_EQ(w.SiteFileCount, 0);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->count(), 0);
  EXPECT_EQ(gDatasetCount, 1);
  const int drawn = chartDraws_;
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(3);
  w.Form_KeyDown(37, 0);
  w.btnOverView_Click();
  EXPECT_EQ(chartDraws_, drawn);
  EXPECT_EQ(ov.opened, 0);
  EXPECT_EQ(gOverviewOpen, 0);
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "NAM"));  // a file again: it draws
  EXPECT_GT(chartDraws_, drawn);

  // SREF has no KBOS: the first site is loaded, with its three datasets.
  fx_.messages.clear();
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  EXPECT_TRUE(fx_.messages.empty());
  EXPECT_EQ(w.windowTitle(), "KOKC - SREF - ONDRIK");
  EXPECT_EQ(gDatasetCount, 3);
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Min), 3);

  // A file that cannot be read: its message, and the data loaded before stay.
  WriteFile(folder_ / "SREF_KZZZ.ond", "not a profile\n");
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "NAM"));
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  EXPECT_EQ(gDatasetCount, 3);
  fx_.messages.clear();
  w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KZZZ"));
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_EQ(gDatasetCount, 3);
  EXPECT_EQ(w.windowTitle(), "KOKC - SREF - ONDRIK");
  EXPECT_EQ(w.LastSite, "KOKC");
  // The site list keeps the site shown, so a click on the failed one (as a
  // click sets the list's row) tries again, and now loads it.
  QListWidget* sites = Ctl<QListWidget>(w, "lstSiteIDs");
  ASSERT_NE(sites->currentItem(), nullptr);
  EXPECT_EQ(sites->currentItem()->text(), "KOKC");
  ProfileFileSpec kzzz;
  kzzz.datasets = 2;
  WriteFile(folder_ / "SREF_KZZZ.ond", MakeProfileText(kzzz));
  sites->setCurrentRow(Row(sites, "KZZZ"));
  EXPECT_EQ(w.windowTitle(), "KZZZ - SREF - ONDRIK");
  EXPECT_EQ(gDatasetCount, 2);

  // Side panels: one shown at a time; 99 shows the archive lists and the
  // earlier panel comes back with its bold button.
  w.btnDisplay_Click(2);
  EXPECT_TRUE(Ctl<QFrame>(w, "frameHodograph")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QFrame>(w, "pnlHodograph")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<PictureBoxWidget>(w, "picProfile")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnDisplay", 2)->font().bold());
  w.btnDisplay_Click(99);
  EXPECT_TRUE(Ctl<QFrame>(w, "picFiles")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QFrame>(w, "frameHodograph")->isVisibleTo(&w));
  EXPECT_EQ(w.PreviousPanel, 2);
  w.btnDisplay_Click(w.PreviousPanel);
  EXPECT_TRUE(Ctl<QFrame>(w, "frameHodograph")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnDisplay", 2)->font().bold());
  EXPECT_FALSE(Ctl<QFrame>(w, "picFiles")->isVisibleTo(&w));

  // Control pages: a second click closes the page; 6 closes every page.
  w.btnControl_Click(5);
  EXPECT_EQ(w.ControlPanel, 5);
  EXPECT_TRUE(Ctl<QFrame>(w, "pnlControl", 5)->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QFrame>(w, "pnlControl", 0)->isVisibleTo(&w));
  w.btnControl_Click(5);
  EXPECT_EQ(w.ControlPanel, 6);
  EXPECT_FALSE(Ctl<QFrame>(w, "pnlControl", 5)->isVisibleTo(&w));
  w.btnControl_Click(2);
  w.btnControl_Click(6);
  EXPECT_EQ(w.ControlPanel, 6);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(Ctl<QFrame>(w, "pnlControl", i)->isVisibleTo(&w));

  // Convection page with "Elevated CAPE": the hour shown is decided once,
  // the others stay undecided until they are shown.
  w.btnControl_Click(3);
  Ctl<CheckBox>(w, "chkECAPE")->SetValue(1);
  EXPECT_TRUE(w.Chart().opt.chkECAPE);
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(1);
  const int d = gCurDataset;
  EXPECT_NE(gECapeMark(d, 1), -1);
  EXPECT_EQ(gECapeMark(d, 2), -1);
  EXPECT_EQ(Ctl<QFrame>(w, "frameECAPE")->isVisibleTo(&w), gECapeMark(d, 1) == 1);
}

// Start-up looks up its many names in the program folder (the saves'
// leftovers, the lookup table, the converter, the sites, the training
// index, the downloader's lists) in one listing of it, however many other
// files it holds; a file that comes later is found all the same.
TEST_F(ProfileWindowTest, StartUpListsTheProgramFolderOnce) {
  for (int i = 0; i < 500; ++i) WriteFile(folder_ / ("other" + std::to_string(i) + ".txt"), "");
  fs::create_directories(SavedFolder());
  // Nothing changed in the folder for a while.
  const auto settle = [this] {
    const auto back = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    fs::last_write_time(folder_, back);
  };
  settle();
  const long before = saved::FolderListings(folder_.string());
  frmProfile& w = Start();
  ASSERT_TRUE(w.FileLoaded);
  EXPECT_EQ(saved::FolderListings(folder_.string()) - before, 1);
  // The downloader brings a site: the next model choice lists it.
  WriteFile(folder_ / "NAM_KXYZ.ond", MakeProfileText(ProfileFileSpec{}));
  QListWidget* models = Ctl<QListWidget>(w, "lstoptModel");
  w.SelectModelRow(Row(models, "SREF"));
  w.SelectModelRow(Row(models, "NAM"));
  EXPECT_GE(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KXYZ"), 0);
}

// Whichever road loads a file, the site list follows the site shown, a click
// on its row loads the site's profile folder file, and a model switch
// afterwards loads that site of the new model. Every KBOS file
// holds one dataset more than the store: the user is told so once, when the
// caption and the site list show the new file.
TEST_F(ProfileWindowTest, EveryRoadThatLoadsAFileLeavesTheSiteListOnItsSite) {
  ProfileFileSpec sref;
  sref.datasets = 2;
  WriteFile(folder_ / "SREF_KBOS.ond", MakeProfileText(sref));
  ProfileFileSpec old;
  old.sfcPres = 930;
  old.datasets = kMaxDatasets + 1;
  WriteFile(folder_ / "26120712.NAM_KBOS.ond", MakeProfileText(old));
  WriteFile(folder_ / "NAM_KBOS.ond", MakeProfileText(old));
  ProfileFileSpec fresh;
  fresh.sfcPres = 975;
  fs::create_directories(folder_ / "elsewhere");
  WriteFile(folder_ / "elsewhere" / "NAM_KBOS.ond", MakeProfileText(old));
  // What the window shows while the user reads a message.
  struct Watching : FakeEffects {
    frmProfile* w = nullptr;
    std::vector<std::pair<std::string, std::string>> shown;  // the caption and the site list's row
    void Message(const std::string& text, const std::string& title, MsgIcon icon) override {
      FakeEffects::Message(text, title, icon);
      const QListWidgetItem* row = w != nullptr ? Ctl<QListWidget>(*w, "lstSiteIDs")->currentItem() : nullptr;
      shown.emplace_back(w != nullptr ? w->windowTitle().toStdString() : "", row ? row->text().toStdString() : "");
    }
  } watch;
  SetEffects(&watch);
  const auto restore = qScopeGuard([&] {
    win_.reset();
    SetEffects(&fx_);
  });
  const auto archiveRow = [](frmProfile& w, const char* list, const char* text) {
    w.btnSelect_Click();
    return Row(Ctl<QListWidget>(w, list), text);
  };
  const struct {
    const char* road;
    std::vector<std::string> args;  // the command line
    std::function<void(frmProfile&)> load;
    const char* site;               // shown afterwards
  } roads[] = {
      {"site list", {}, [](frmProfile& w) { w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KBOS")); }, "KBOS"},
      {"command line", {"NAM_KBOS.ond"}, nullptr, "KBOS"},
      {"command line, a file that fails", {"NAM_KZZZ.ond"}, nullptr, "KOKC"},
      {"archive, the model's runs",
       {},
       [&](frmProfile& w) { w.ArchiveListClick(ArchiveList::Model, archiveRow(w, "lstModel", "261207 12 KBOS")); },
       "KBOS"},
      {"archive, all profiles",
       {},
       [&](frmProfile& w) { w.ArchiveListClick(ArchiveList::All, archiveRow(w, "lstAll", "261207 12 NAM KBOS")); },
       "KBOS"},
      {"open-file dialog",
       {},
       [&](frmProfile& w) {
         w.chooseProfileFile = [&](const std::string&, const std::string&, const std::string&) {
           return (folder_ / "elsewhere" / "NAM_KBOS.ond").string();
         };
         w.btnArchive_Click();
       },
       "KBOS"},
  };
  for (const auto& r : roads) {
    SCOPED_TRACE(r.road);
    win_ = std::make_unique<frmProfile>();
    frmProfile& w = *win_;
    watch.w = &w;
    watch.messages.clear();
    watch.shown.clear();
    ASSERT_TRUE(w.Form_Load(r.args));
    if (r.load) r.load(w);
    std::size_t told = 0;
    for (std::size_t i = 0; i < watch.messages.size(); ++i) {
      if (watch.messages[i].text.find(" holds 25 datasets;") == std::string::npos) continue;
      ++told;
      EXPECT_NE(watch.shown[i].first.find("KBOS"), std::string::npos) << watch.shown[i].first;
      EXPECT_EQ(watch.shown[i].second, "KBOS");
    }
    EXPECT_EQ(told, std::string(r.site) == "KBOS" ? 1u : 0u);
    QListWidget* sites = Ctl<QListWidget>(w, "lstSiteIDs");
    ASSERT_NE(sites->currentItem(), nullptr);
    EXPECT_EQ(sites->currentItem()->text().toStdString(), r.site);
    EXPECT_EQ(w.LastSite, r.site);
    EXPECT_EQ(w.gSiteId, r.site);
    // A click on the row shown chosen loads the site's file of the profile
    // folder in place of another road's file; the folder's own file is read
    // again, here as a download rewrote it meanwhile.
    const fs::path own = folder_ / ("NAM_" + std::string(r.site) + ".ond");
    std::stringstream kept;
    kept << std::ifstream(own, std::ios::binary).rdbuf();
    WriteFile(own, MakeProfileText(fresh));
    ASSERT_TRUE(ClickRow(sites, sites->currentRow()));
    WriteFile(own, kept.str());
    EXPECT_EQ(w.windowTitle().toStdString(), std::string(r.site) + " - NAM - ONDRIK");
    EXPECT_EQ(gSfcPres(gCurDataset, 0), fresh.sfcPres);
    EXPECT_EQ(sites->currentItem()->text().toStdString(), r.site);
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
    EXPECT_EQ(w.windowTitle().toStdString(), std::string(r.site) + " - SREF - ONDRIK");
    EXPECT_EQ(w.gSiteId, r.site);
  }
}

TEST_F(ProfileWindowTest, TheOverviewFollowsHoursDatasetsAndNewFiles) {
  frmProfile& w = Start();
  auto owned = std::make_unique<FakeOverview>();
  FakeOverview& ov = *owned;
  w.SetOverviewLink(std::move(owned));
  // O opens the overview and stops the loop.
  w.btnAutoDisplay_Click();
  ASSERT_TRUE(w.LoopRunning);
  w.Form_KeyDown(79, 0);
  EXPECT_EQ(ov.opened, 1);
  EXPECT_EQ(gOverviewOpen, 1);
  EXPECT_FALSE(w.LoopRunning);
  // Each refresh moves the overview's hour line from where it was.
  w.Form_KeyDown(37, 0);
  w.Form_KeyDown(37, 0);
  ASSERT_GE(ov.cursorMoves.size(), 2u);
  EXPECT_EQ(ov.cursorMoves[ov.cursorMoves.size() - 2], std::make_pair(-99, 1));
  EXPECT_EQ(ov.cursorMoves.back(), std::make_pair(1, 2));
  EXPECT_EQ(gCursorHour, 2);
  // A new file rebuilds the overview; the dataset boxes redraw it and set its bar.
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  EXPECT_EQ(ov.rebuilt, 1);
  EXPECT_GE(ov.plotted, 1);
  EXPECT_FALSE(ov.barValues.empty());
  const int plotted = ov.plotted;
  Ctl<CheckBox>(w, "chkefname", 6)->SetValue(0);
  EXPECT_EQ(ov.plotted, plotted + 1);
  EXPECT_EQ(gHourChangeSource, 0);
  EXPECT_EQ(gEnsembleMirrorGuard, 0);
  // E switches the overlay while the overlay button is shown.
  w.Form_KeyDown(69, 0);
  EXPECT_TRUE(gOverlayAll);
  w.Form_KeyDown(69, 0);
  EXPECT_FALSE(gOverlayAll);
  // A hodograph drag redraws the overview once, when it ends.
  w.btnDisplay_Click(2);
  auto* hodo = Ctl<PictureBoxWidget>(w, "picHodograph");
  const Single u = gWindU(gCurDataset, w.CurHour, 1), v = gWindV(gCurDataset, w.CurHour, 1);
  hodo->onMouseMove(0, 0, u, v);
  hodo->onMouseDown(1, 0, u, v);
  hodo->onMouseMove(1, 0, u + 5, v);
  const int beforeRelease = ov.plotted;
  hodo->onMouseUp(1, 0, u + 5, v);
  EXPECT_EQ(ov.plotted, beforeRelease + 1);
  gOverviewOpen = 0;
}

}  // namespace
}  // namespace ondrik
