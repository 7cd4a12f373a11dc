// The profile window's saved state as a user meets it: the history and the
// display setups survive a restart of the window, bad files change only
// what they hold and never crash, and a save that fails keeps the old file.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/shared.h"
#include "core/shear.h"
#include "core/thresholds.h"
#include "platform/controls.h"
#include "profilewindow/export.h"
#include "profilewindow/snapshot.h"
#include "savedstate/format.h"
#include "savedstate/temporary.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

std::string ReadText(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

std::string LineOf(const std::string& text, int line) {
  std::istringstream in(text);
  std::string l;
  for (int i = 0; i < line && std::getline(in, l);) ++i;
  if (!l.empty() && l.back() == '\r') l.pop_back();
  return l;
}

class SavedStateTest : public ProfileWindowTest {
 protected:
  // Closes the window as the user does and starts a new one, with the
  // module values of another run.
  frmProfile& Restart() {
    win_->btnDone_Click();
    EXPECT_EQ(fx_.endCalls.size(), 1U);
    fx_.endCalls.clear();
    win_.reset();
    StoreDefaultIndexThresholds();
    gSRInflowDepth = 3;
    gSRInflowBase = 0;
    return Start();
  }
  static int Box(frmProfile& w, const char* name) { return Ctl<CheckBox>(w, name)->Value(); }
};

TEST_F(SavedStateTest, HistoryKeepsTheWindowThroughARestart) {
  frmProfile& w = Start();
  EXPECT_FALSE(fs::exists(SavedFolder() / "Ondrik.hst"));
  EXPECT_TRUE(fs::is_directory(SavedFolder()));  // made at the first start
  Ctl<CheckBox>(w, "chkLCL")->SetValue(1);
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(1);
  Ctl<ScrollBar>(w, "hsbRate")->SetValue(500);
  Ctl<ScrollBar>(w, "hsbDelay")->SetValue(1200);
  PanelSettings s = w.CapturePanelSettings();
  s.LakeTempF = 41;
  s.mapExtent = {100, 50, 80, 30};
  s.chkMap = {true, false, true, false, false};
  w.ApplyPanelSettings(s);
  gIndexThresholds(3, 1) = 0.75f;
  w.btnPHK_Click(2);
  w.btnDisplay_Click(2);
  w.btnControl_Click(3);
  w.HodoHeightClick(6);
  w.HodoBaseClick(1);

  frmProfile& again = Restart();
  const std::string hst = ReadText(SavedFolder() / "Ondrik.hst");
  EXPECT_EQ(LineOf(hst, 1), "#    13.4.2");
  EXPECT_EQ(LineOf(hst, 2), "41");  // the lake temperature's value, not a caption
  EXPECT_EQ(Box(again, "chkLCL"), 1);
  EXPECT_TRUE(again.Chart().opt.chkSkewT);
  EXPECT_EQ(Ctl<ScrollBar>(again, "hsbRate")->Value(), 500);
  EXPECT_EQ(Ctl<ScrollBar>(again, "hsbDelay")->Value(), 1200);
  const PanelSettings back = again.CapturePanelSettings();
  EXPECT_EQ(back.LakeTempF, 41);
  EXPECT_EQ(back.mapExtent, (MapExtent{100, 50, 80, 30}));
  EXPECT_EQ(back.chkMap, s.chkMap);
  EXPECT_FLOAT_EQ(gIndexThresholds(3, 1), 0.75f);
  EXPECT_EQ(again.Chart().opt.VerticalUnit, 2);
  EXPECT_EQ(again.RightPanel, 2);
  EXPECT_EQ(again.ControlPanel, 3);
  EXPECT_EQ(gSRInflowDepth, 6);
  EXPECT_EQ(gSRInflowBase, 1);
  EXPECT_FALSE(gLoadingState);
}

// A run that ended on the archive panel, or a setup saved on it, comes back
// to the panel as "Archive" shows it: the three lists filled and captioned.
TEST_F(SavedStateTest, TheArchivePanelComesBackFilledAndCaptioned) {
  WriteFile(folder_ / "26120712.NAM_KBOS.ond", MakeProfileText(ProfileFileSpec{}));
  WriteFile(folder_ / "26120600.NAM_KOKC.ond", MakeProfileText(ProfileFileSpec{}));
  const struct {
    const char* road;
    std::function<void(frmProfile&)> leave, back;  // the first run's end, what the next one does
  } roads[] = {
      {"restart", [](frmProfile&) {}, [](frmProfile&) {}},
      {"setup",
       [](frmProfile& w) {
         Ctl<QPushButton>(w, "btnSave", 1)->click();
         w.btnDisplay_Click(3);
       },
       [](frmProfile& w) { w.Form_KeyDown(113, 0); }},  // F2
  };
  for (const auto& r : roads) {
    SCOPED_TRACE(r.road);
    frmProfile& w = Start();
    w.btnSelect_Click();
    r.leave(w);
    frmProfile& again = Restart();
    r.back(again);
    EXPECT_EQ(again.RightPanel, 99);
    EXPECT_TRUE(Ctl<QFrame>(again, "picFiles")->isVisibleTo(&again));
    EXPECT_EQ(Ctl<QLabel>(again, "lblModelSite")->text(), "NAM for KOKC");
    EXPECT_EQ(Ctl<QLabel>(again, "lblModel")->text(), "All NAM");
    EXPECT_EQ(Ctl<QLabel>(again, "lblAll")->text(), "All Profiles");
    EXPECT_EQ(Ctl<QListWidget>(again, "lstModelSite")->count(), 1);
    EXPECT_EQ(Ctl<QListWidget>(again, "lstModel")->count(), 2);
    EXPECT_EQ(Ctl<QListWidget>(again, "lstAll")->count(), 2);
    EXPECT_FALSE(gLoadingState);
  }
}

TEST_F(SavedStateTest, SetupsSurviveARestartAndRecallThroughTheButtons) {
  frmProfile& w = Start();
  Ctl<CheckBox>(w, "chkCCL")->SetValue(1);
  Ctl<CheckBox>(w, "chkClouds")->SetValue(1);
  w.btnXfer_Click(3);
  w.btnDisplay_Click(3);
  ASSERT_NE(w.ControlPanel, 3);
  w.btnControl_Click(3);
  w.HodoHeightClick(8);
  w.HodoBaseClick(2);
  Ctl<QPushButton>(w, "btnSave", 2)->click();
  ASSERT_TRUE(fs::exists(SavedFolder() / "Ondrik.SP2"));

  frmProfile& again = Restart();
  Ctl<CheckBox>(again, "chkCCL")->SetValue(0);
  again.HodoHeightClick(4);
  again.HodoBaseClick(0);
  again.btnDisplay_Click(0);
  const int draws = chartDraws_;
  again.Form_KeyDown(114, 0);  // F3
  EXPECT_EQ(Box(again, "chkCCL"), 1);
  EXPECT_EQ(Box(again, "chkClouds"), 1);
  EXPECT_EQ(again.Chart().opt.gXferIndex, 3);
  EXPECT_EQ(again.RightPanel, 3);
  EXPECT_EQ(again.ControlPanel, 3);
  EXPECT_EQ(gSRInflowDepth, 8);
  EXPECT_EQ(gSRInflowBase, 2);
  EXPECT_GT(chartDraws_, draws);
  EXPECT_FALSE(gLoadingState);

  // A slot never saved changes nothing and draws nothing.
  const int before = chartDraws_;
  again.btnRecall_Click(5);
  EXPECT_EQ(chartDraws_, before);
  EXPECT_EQ(Box(again, "chkCCL"), 1);
}

// A save cut short by a kill leaves its temporary file beside the old copy:
// the next start removes such files from the saved-state, the program and
// the snapshot folders once no one holds them and they are a minute old;
// names that only look alike, files of the user's named as temporaries are
// (beside no file the program saves), and a save in progress, are never
// touched. Saves themselves leave the strays to the next start.
TEST_F(SavedStateTest, StrayTemporaryFilesOfSavesAreRemoved) {
  fs::create_directories(SavedFolder());
  const fs::path shots = folder_ / "shots";
  fs::create_directories(shots);
  std::string cfg = ReadText(folder_ / "Ondrik.cfg");
  const std::string snapshotLine = "====> Kept, not used\n0\n=\n";
  ASSERT_NE(cfg.find(snapshotLine), std::string::npos) << "the shipped configuration changed";
  cfg.replace(cfg.find(snapshotLine), snapshotLine.size(), "====> Kept, not used\n0\n" + shots.string() + "/\n");
  WriteFile(folder_ / "Ondrik.cfg", cfg);
  // Beside every file a save writes, by the name its writer gives it.
  std::vector<std::string> strays{"Ondrik.hst.ondrik-987654321.tmp", "Ondrik.cfg.ondrik-2147483647.tmp",
                                  "Ondrik.SO8.ondrik-Ab3dE6g8iJ.tmp", "TimeZone.DAT.ondrik-4.tmp"};
  const DateTime run{2026, 12, 7, 12, 0};
  for (const std::string& saved :
       {saved::SetupFileName(2), saved::LayoutFileName(12), saved::MapPresetFileName(3),
        SnapshotFileName("", "NAM", "KOKC", 0, run, false), SnapshotFileName("A", "NAM", "KOKC", 3, run, true),
        OverviewSnapshotFileName("B", "NAM", "KOKC", run, false), ExportBaseName("NAM", "KOKC", run, 6) + ".nsp",
        ExportBaseName("NAM", "KOKC", run, 6) + ".bsp"})
    strays.push_back(saved + ".ondrik-1.tmp");
  const std::vector<std::string> alike{"Ondrik.hst.tmp",        "Ondrik.hst.ondrik-.tmp", "Ondrik.hst.ondrik-12a.tmp",
                                       "Ondrik.hst.AbC123",     "Ondrik.hst.ondrik-5.tmp.bak", ".ondrik-5.tmp",
                                       "notes.ondrik-2026.tmp", "notes.ondrik-Ab3dE6g8iJ.tmp"};
  auto old = [](const fs::path& p) {
    WriteFile(p, "x");
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  };
  // A save in progress (another thread's), its file time two minutes behind,
  // as a file server whose clock lags stamps it.
  std::vector<saved::TemporaryFile> inProgress;
  for (const fs::path& dir : {SavedFolder(), folder_, shots}) {
    for (const std::vector<std::string>* names : {&std::as_const(strays), &alike})
      for (const std::string& n : *names) old(dir / n);
    int code = 0;
    std::optional<saved::TemporaryFile> t = saved::TemporaryFile::Create((dir / "Ondrik.hst").string(), code);
    ASSERT_TRUE(t);
    const timespec behind[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    futimens(t->Descriptor(), behind);
    inProgress.push_back(std::move(*t));
  }
  frmProfile& w = Start();
  std::size_t i = 0;
  for (const fs::path& dir : {SavedFolder(), folder_, shots}) {
    for (const std::string& n : strays) EXPECT_FALSE(fs::exists(dir / n)) << dir / n;
    for (const std::string& n : alike) EXPECT_TRUE(fs::exists(dir / n)) << dir / n;
    EXPECT_TRUE(fs::exists(inProgress[i++].Path())) << dir;
  }
  old(SavedFolder() / "Ondrik.SP2.ondrik-999999998.tmp");
  Ctl<QPushButton>(w, "btnSave", 2)->click();
  EXPECT_TRUE(fs::exists(SavedFolder() / "Ondrik.SP2"));
  EXPECT_TRUE(fs::exists(SavedFolder() / "Ondrik.SP2.ondrik-999999998.tmp"));
}

// Bad files: a history that ends early, a setup with bad values and cut
// short, a file of another kind. None crashes; what can be read is taken,
// the rest keeps its value, and the loading state is given back as it was.
TEST_F(SavedStateTest, ShortOrCorruptFilesTakeWhatTheyHold) {
  fs::create_directories(SavedFolder());
  // History: header, lake temperature, chart bounds, then nothing: what has
  // a first-run value takes it, the chart bounds are kept as read.
  WriteFile(SavedFolder() / "Ondrik.hst", "#    13.4.2\r\n52\r\n-40 , 20\r\n");
  frmProfile& w = Start();
  EXPECT_EQ(w.CapturePanelSettings().LakeTempF, 34);
  EXPECT_EQ(w.Chart().opt.PlainTMin, -40);
  EXPECT_EQ(w.Chart().opt.PlainTMax, 20);
  EXPECT_EQ(gChartTop, 295);

  Ctl<CheckBox>(w, "chkLCL")->SetValue(0);
  const struct {
    const char* text;
    int chkWindVector;  // what line 2 leaves
  } setups[] = {
      {"#    13.4.2\r\n 1 \r\n", 1},                           // cut after line 2
      {"#    13.4.2\r\n 7 \r\n -1 \r\n 0 \r\n", 0},             // a box value no box takes
      {"#    13.4.2\r\n abc \r\n x \r\n\r\n", 0},               // not numbers
      {"#    9.9.9\r\n 1 \r\n", 0},                            // too old: nothing at all
      {"120 , 53 , 69 , 22\r\n 1 \r\n", 0},                    // a map preset
  };
  for (const auto& c : setups) {
    Ctl<CheckBox>(w, "chkWindVector")->SetValue(0);
    WriteFile(SavedFolder() / "Ondrik.SP4", c.text);
    for (bool loading : {false, true}) {
      gLoadingState = loading;
      w.btnRecall_Click(4);
      EXPECT_EQ(gLoadingState, loading) << c.text;
    }
    gLoadingState = false;
    EXPECT_EQ(Box(w, "chkWindVector"), c.chkWindVector) << c.text;
    EXPECT_EQ(Box(w, "chkLCL"), 0) << c.text;
    EXPECT_EQ(gChartTop, 295) << c.text;
  }
}

TEST_F(SavedStateTest, AFailedSaveKeepsTheOldFileAndTellsTheUser) {
  frmProfile& w = Start();
  w.btnSave_Click(1);
  const std::string saved = ReadText(SavedFolder() / "Ondrik.SP1");
  ASSERT_FALSE(saved.empty());
  Ctl<CheckBox>(w, "chkDryAdiabats")->SetValue(1);
  fx_.diskSpace = 40;  // the disk fills during the write
  w.btnSave_Click(1);
  EXPECT_EQ(ReadText(SavedFolder() / "Ondrik.SP1"), saved);
  ASSERT_EQ(fx_.messages.size(), 1U);
  EXPECT_NE(fx_.messages[0].text.find("Ondrik.SP1"), std::string::npos) << fx_.messages[0].text;
  EXPECT_TRUE(fx_.endCalls.empty());
  // At the end the program ends all the same, with the history as it was.
  w.btnDone_Click();
  EXPECT_FALSE(fs::exists(SavedFolder() / "Ondrik.hst"));
  EXPECT_EQ(fx_.endCalls.size(), 1U);
  EXPECT_EQ(fx_.messages.size(), 2U);
  for (const auto& e : fs::directory_iterator(SavedFolder()))
    EXPECT_NE(e.path().extension(), ".tmp") << e.path();
}

// Map presets: saved and loaded by the buttons, kept over a restart; a short
// or bad preset takes its extent whole or not at all and never leaves the
// loading state raised.
TEST_F(SavedStateTest, MapPresetsKeepTheViewAndRefuseHalfAnExtent) {
  frmProfile& w = Start();
  PanelSettings s = w.CapturePanelSettings();
  s.mapExtent = {105, 45, 85, 30};
  s.chkMap = {false, true, false, true, true};  // Canada .. Country
  w.ApplyPanelSettings(s);
  Ctl<QPushButton>(w, "btnMapPresetSave", 0)->click();
  EXPECT_EQ(LineOf(ReadText(SavedFolder() / "MapPreset.M0"), 2), " 1 ");  // "Country" first

  frmProfile& again = Restart();
  PanelSettings other = again.CapturePanelSettings();
  other.mapExtent = {120, 53, 69, 22};
  other.chkMap = {};
  again.ApplyPanelSettings(other);
  Ctl<QPushButton>(again, "btnMapPresetLoad", 0)->click();
  EXPECT_EQ(again.CapturePanelSettings().mapExtent, (MapExtent{105, 45, 85, 30}));
  EXPECT_EQ(again.CapturePanelSettings().chkMap, s.chkMap);

  const struct {
    const char* text;
    MapExtent extent;
    bool country;
  } presets[] = {
      {"100 , 50\r\n", {105, 45, 85, 30}, true},                      // half an extent
      {"100\r\n50\r\n80\r\n30\r\n 0 \r\n", {100, 50, 80, 30}, false},  // one value a line, then cut
      {"500 , 50 , 80 , 30\r\n 1 \r\n", {105, 45, 85, 30}, true},    // no such longitude
      {"x , y , z , w\r\n 0 \r\n", {105, 45, 85, 30}, false},        // not numbers
  };
  for (const auto& c : presets) {
    Ctl<QPushButton>(again, "btnMapPresetLoad", 0)->click();  // back to the saved view
    WriteFile(SavedFolder() / "MapPreset.M3", c.text);
    Ctl<QPushButton>(again, "btnMapPresetLoad", 3)->click();
    EXPECT_FALSE(gLoadingState) << c.text;
    const PanelSettings got = again.CapturePanelSettings();
    EXPECT_EQ(got.mapExtent, c.extent) << c.text;
    EXPECT_EQ(got.chkMap[4], c.country) << c.text;
    EXPECT_EQ(got.chkMap[3], true) << c.text;  // "State": not in any of these
  }
}

// The snapshot draws the window again through setup 9 of this moment, never
// through one left by an earlier run.
TEST_F(SavedStateTest, SnapshotRedrawsFromTheSetupOfTheMoment) {
  frmProfile& w = Start();
  fs::create_directories(SavedFolder());
  WriteFile(SavedFolder() / "Ondrik.SP9", "#    13.4.2\r\n 0 \r\n 0 \r\n -1 \r\n 0 \r\n 1 \r\n");
  Ctl<QPushButton>(w, "btnProfileSnapShot")->click();
  ASSERT_EQ(fx_.documents.size(), 1U);
  EXPECT_EQ(Box(w, "chkWindVector"), 1);
  EXPECT_EQ(Box(w, "ChkOmega"), 0);
}

}  // namespace
}  // namespace ondrik
