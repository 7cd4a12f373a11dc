// The set-up window: it shows the configuration, its live controls act at
// once, a save rewrites "Ondrik.cfg" safely and offers to end the program,
// and in Linux mode it installs the WINE library and shows the Linux page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <sstream>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmlinux.h"
#include "profilewindow/frmsetup.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using namespace ondrik::testing;

class SetUpWindowTest : public ProfileWindowTest {
 protected:
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmLinux*>(w) != nullptr) delete w;
    ProfileWindowTest::TearDown();
  }
  frmSetUp& Open(frmProfile& w) {
    Ctl<QPushButton>(w, "btnSetup")->click();
    for (frmSetUp* s : w.findChildren<frmSetUp*>())
      if (s->isVisible()) return *s;
    throw std::runtime_error("no set-up window");
  }
  static frmLinux* LinuxPage() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<frmLinux*>(w); p != nullptr && p->isVisible()) return p;
    return nullptr;
  }
  std::string Cfg() const {
    std::ifstream in(folder_ / "Ondrik.cfg", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(SetUpWindowTest, ShowsTheFileAndItsLiveControlsActAtOnce) {
  frmProfile& w = Start();
  frmSetUp& s = Open(w);
  EXPECT_EQ(s.windowTitle(), "Ondrik Set Up");
  EXPECT_EQ(Ctl<QLineEdit>(s, "txtDir")->text(), "./");
  EXPECT_EQ(Ctl<QLineEdit>(s, "Text11")->text(), "NAM");
  EXPECT_EQ(Ctl<QLineEdit>(s, "Text14")->text(), "SREF");
  EXPECT_EQ(Ctl<QLineEdit>(s, "txtSite2")->text(), "KBOS");
  EXPECT_EQ(Ctl<QLineEdit>(s, "txtLinux")->text(), "/usr/bin/firefox");
  EXPECT_EQ(Ctl<QLabel>(s, "lblTimeZone")->text(), "West by 5 Hours");
  EXPECT_EQ(Ctl<QLabel>(s, "lblMaxSites")->text(), "4");
  // Zone buttons and the zone label.
  const std::pair<const char*, const char*> zones[] = {{"btnTZ0", "West by 5 Hours"}, {"btnTZ3", "West by 8 Hours"}};
  for (const auto& [button, caption] : zones) {
    Ctl<QPushButton>(s, button)->click();
    EXPECT_EQ(Ctl<QLabel>(s, "lblTimeZone")->text(), caption);
  }
  for (const auto& [zone, caption] : {std::pair{0, "Set to UTC"}, std::pair{-3, "East by 3 Hours"}}) {
    Ctl<ScrollBar>(s, "hsbTimeZone")->SetValue(zone);
    EXPECT_EQ(Ctl<QLabel>(s, "lblTimeZone")->text(), caption);
  }
  // The site layout takes effect on the profile window at once.
  Ctl<ScrollBar>(s, "hsbMaxSites")->SetValue(6);
  EXPECT_EQ(w.Settings().gMaxSitesPerColumn, 6);
  EXPECT_EQ(Ctl<QLabel>(s, "lblMaxSites")->text(), "6");
  EXPECT_EQ(Ctl<PictureBoxWidget>(s, "picIDs")->height(), 650 / 15);
  // Linux mode too; its frame follows the box.
  EXPECT_FALSE(Ctl<QFrame>(s, "frameLinux")->isVisibleTo(&s));
  Ctl<QCheckBox>(s, "chkLinux")->click();
  EXPECT_TRUE(w.Settings().gLinuxMode);
  EXPECT_TRUE(Ctl<QFrame>(s, "frameLinux")->isVisibleTo(&s));
  // The time-scale frame widens the window; a named row shows its four boxes.
  EXPECT_EQ(s.width(), frmSetUp::kNarrowTw / 15);
  Ctl<QCheckBox>(s, "chkScale")->click();
  EXPECT_EQ(s.width(), frmSetUp::kWideTw / 15);
  EXPECT_FALSE(Ctl<QLineEdit>(s, "txtScaleHour", 4)->isVisibleTo(&s));
  Ctl<QLineEdit>(s, "txtScaleName", 2)->setText("NAM");
  for (int j = 4; j < 8; ++j) EXPECT_TRUE(Ctl<QLineEdit>(s, "txtScaleHour", j)->isVisibleTo(&s)) << j;
  EXPECT_EQ(Ctl<QLineEdit>(s, "txtScaleHour", 4)->text(), "84");
  Ctl<QLineEdit>(s, "txtScaleName", 2)->clear();
  EXPECT_FALSE(Ctl<QLineEdit>(s, "txtScaleHour", 4)->isVisibleTo(&s));
  Ctl<QCheckBox>(s, "chkScale")->click();
  EXPECT_EQ(s.width(), frmSetUp::kNarrowTw / 15);
}

TEST_F(SetUpWindowTest, FolderAndBrowserPickers) {
  frmProfile& w = Start();
  frmSetUp& s = Open(w);
  std::string answer;
  std::vector<std::string> starts;
  s.chooseFolder = [&](const std::string& start) {
    starts.push_back(start);
    return answer;
  };
  s.chooseProgram = [&](const std::string&) { return answer; };
  const std::pair<const char*, const char*> pickers[] = {
      {"btnDir", "txtDir"}, {"btnArchive", "txtArchive"}, {"btnSnap", "txtSnapshot"}, {"btnExport", "txtExport"}};
  for (const auto& [button, box] : pickers) {
    SCOPED_TRACE(button);
    answer = "/data/profiles";
    Ctl<QPushButton>(s, button)->click();
    EXPECT_EQ(Ctl<QLineEdit>(s, box)->text(), "/data/profiles/");
    answer = "";  // cancelled: the box keeps its text
    Ctl<QPushButton>(s, button)->click();
    EXPECT_EQ(Ctl<QLineEdit>(s, box)->text(), "/data/profiles/");
  }
  EXPECT_EQ(starts.front(), folder_.string() + "/");
  answer = "/opt/browser.";
  Ctl<QPushButton>(s, "btnLinux")->click();
  EXPECT_EQ(Ctl<QLineEdit>(s, "txtLinux")->text(), "/opt/browser");
}

TEST_F(SetUpWindowTest, SaveWritesTheFileAndOffersToEnd) {
  frmProfile& w = Start();
  frmSetUp& s = Open(w);
  Ctl<QLineEdit>(s, "Text12")->setText("RAP 13");
  Ctl<ScrollBar>(s, "hsbTimeZone")->SetValue(-10);
  Ctl<QCheckBox>(s, "chkDST")->setChecked(true);
  Ctl<QLineEdit>(s, "txtSite3")->setText("kden");
  fx_.answer = false;
  Ctl<QPushButton>(s, "btnSave")->click();
  ASSERT_EQ(fx_.questions.size(), 1u);
  EXPECT_EQ(fx_.questions[0].title, "Shutdown Ondrik?");
  EXPECT_TRUE(fx_.endCalls.empty());
  const ConfigResult r = ReadConfigFile((folder_ / "Ondrik.cfg").string(), folder_.string() + "/");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.config.ModelNames[1], "RAP 13");
  EXPECT_EQ(r.config.ModelCodes[3], "eta");
  EXPECT_EQ(r.config.gClockZone, -10);
  EXPECT_EQ(r.config.gTZConfigOffset, 1);
  EXPECT_EQ(r.config.FavouriteSites[2], "KDEN");
  EXPECT_FALSE(fs::exists(folder_ / "Ondrik.cfg.tmp"));
  // Yes ends the program at once.
  fx_.answer = true;
  Open(w).btnSave_Click();
  EXPECT_EQ(fx_.endCalls, std::vector<int>{0});
}

TEST_F(SetUpWindowTest, AFailedSaveKeepsTheOldFileAndTheWindow) {
  frmProfile& w = Start();
  const std::string before = Cfg();
  frmSetUp& s = Open(w);
  Ctl<QLineEdit>(s, "Text11")->setText("CHANGED");
  fx_.diskSpace = 0;  // the disk is full
  EXPECT_FALSE(s.btnSave_Click());
  EXPECT_EQ(Cfg(), before);
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find("No space left on device); the previous copy is kept."), std::string::npos)
      << fx_.messages[0].text;
  EXPECT_TRUE(fx_.questions.empty());
  EXPECT_TRUE(s.isVisible());
  // Without any model the save is refused the same way.
  fx_.diskSpace = -1;
  for (int i = 1; i <= 18; ++i) Ctl<QLineEdit>(s, "Text1", i)->clear();
  EXPECT_FALSE(s.btnSave_Click());
  EXPECT_EQ(Cfg(), before);
}

TEST_F(SetUpWindowTest, LinuxModeSaveInstallsTheLibraryAndShowsThePage) {
  for (bool both : {false, true}) {
    SCOPED_TRACE(both);
    fs::remove(folder_ / "oleaut32.dll");
    WriteFile(folder_ / "oleaut32.dllx", "copy");
    if (both) WriteFile(folder_ / "oleaut32.dll", "installed");
    frmProfile& w = Start();
    frmSetUp& s = Open(w);
    if (!Ctl<QCheckBox>(s, "chkLinux")->isChecked()) Ctl<QCheckBox>(s, "chkLinux")->click();
    ASSERT_TRUE(s.btnSave_Click());
    EXPECT_FALSE(fs::exists(folder_ / "oleaut32.dllx"));
    std::ifstream dll(folder_ / "oleaut32.dll");
    std::string text;
    dll >> text;
    EXPECT_EQ(text, both ? "installed" : "copy");
    frmLinux* page = LinuxPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->windowTitle(), "Linux Library Setup");
    EXPECT_EQ(Ctl<QLabel>(*page, "Label3")->text(), frmLinux::Label3Text());
    EXPECT_TRUE(Ctl<QLabel>(*page, "Label1")->text().endsWith("See the example to the right."));
    Ctl<QPushButton>(*page, "btnOK")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LinuxPage(), nullptr);
  }
  // Without the library copy nothing happens.
  EXPECT_FALSE(frmSetUp::Linux_dll_Check(folder_.string() + "/", nullptr));
}

}  // namespace
}  // namespace ondrik
