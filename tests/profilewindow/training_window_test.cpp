// Training mode in the profile window and the help window: the logo turns it
// on, the next control with a topic opens that topic's shipped pages, and the
// help window folds its areas and opens its pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <filesystem>
#include <string>

#include "platform/controls.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmhelp.h"
#include "profilewindow/paneltable.h"
#include "profilewindow/training.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using namespace ondrik::testing;

class TrainingTest : public ProfileWindowTest {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    for (const char* f : {"Ondrik.ref", "OndrikTraining.dat"})
      fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f);
    fs::copy(fs::path(ONDRIK_DATA_DIR) / "help", folder_ / "help");
    gHelpAreaOpen = {};
    gHelpLeft = -9999;
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "frmHelp") delete w;
    gTrainingMode = false;
    ProfileWindowTest::TearDown();
  }
  static void Press(QWidget* w) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
  static frmHelp* Help() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* h = qobject_cast<frmHelp*>(w)) return h;
    return nullptr;
  }
};

TEST_F(TrainingTest, LogoClickThenABoxOpensItsPageOnce) {
  frmProfile& w = Start();
  EXPECT_FALSE(gTrainingMode);
  EXPECT_GT(w.Training().TrainingCount, 100);
  w.picLogo_Click();
  EXPECT_TRUE(gTrainingMode);
  const int draws = chartDraws_;
  auto* ccl = Ctl<CheckBox>(w, "chkCCL");
  ccl->SetValue(1);
  ASSERT_EQ(fx_.documents.size(), 1u);
  const std::string expect = DocumentUrl((folder_ / "help/markers.htm").string(), "ccl");
  EXPECT_EQ(fx_.documents[0], expect);
  EXPECT_EQ(fx_.documents[0].rfind("file:///", 0), 0u);
  EXPECT_FALSE(gTrainingMode);
  EXPECT_GT(chartDraws_, draws) << "the chart is redrawn all the same";
  // The next click opens nothing.
  ccl->SetValue(0);
  EXPECT_EQ(fx_.documents.size(), 1u);
  // The logo toggles: twice is off again.
  w.picLogo_Click();
  w.picLogo_Click();
  EXPECT_FALSE(gTrainingMode);
}

TEST_F(TrainingTest, EveryTopicControlHandsItsTopicOver) {
  frmProfile& w = Start();
  for (const auto& table : {SidePanelTable(), ControlPageTable()}) {
    for (const PanelEntry& e : table) {
      for (const TopicControl& c : e.topicControls) {
        SCOPED_TRACE(c.name);
        const size_t before = fx_.documents.size();
        w.picLogo_Click();
        ASSERT_TRUE(gTrainingMode);
        Press(Ctl<QWidget>(w, QString::fromStdString(c.name)));
        EXPECT_FALSE(gTrainingMode);
        ASSERT_EQ(fx_.documents.size(), before + 1);
        const TrainingEntry* entry = w.Training().Find(TrainingTopicKey(c.topic));
        ASSERT_NE(entry, nullptr);
        const ResolvedTarget r = ResolveTrainingTarget(SplitTargets(entry->targets)[0], folder_.string() + "/");
        EXPECT_EQ(fx_.documents.back(), DocumentUrl(r.location, r.anchor));
      }
    }
  }
}

TEST_F(TrainingTest, UnknownTopicsKeepTrainingOnAndTargetsStayDocuments) {
  WriteFile(folder_ / "Ondrik.ref",
            "[CCL]\nhelp/markers.htm\nsetup.exe\nfirefox!help/chart.htm#zoom\nhttps://example.org/a b\n");
  frmProfile& w = Start();
  w.picLogo_Click();
  Ctl<CheckBox>(w, "chkLCL")->SetValue(1);  // no entry: nothing opens, training stays on
  EXPECT_TRUE(gTrainingMode);
  EXPECT_TRUE(fx_.documents.empty());
  Ctl<CheckBox>(w, "chkCCL")->SetValue(1);
  EXPECT_FALSE(gTrainingMode);
  ASSERT_EQ(fx_.documents.size(), 2u);
  EXPECT_EQ(fx_.documents[0], DocumentUrl((folder_ / "help/markers.htm").string(), ""));
  EXPECT_EQ(fx_.documents[1], "https://example.org/a b");
  // The program is refused with a message; the browser target starts the
  // configured browser with the page's address as its one argument.
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find("setup.exe"), std::string::npos);
  ASSERT_EQ(fx_.programs.size(), 1u);
  EXPECT_EQ(fx_.programs[0].program, w.Settings().gBrowserPath);
  EXPECT_EQ(fx_.programs[0].args,
            std::vector<std::string>{DocumentUrl((folder_ / "help/chart.htm").string(), "zoom")});
}

TEST_F(TrainingTest, HelpWindowFoldsAreasAndOpensPages) {
  frmProfile& w = Start();
  Ctl<QPushButton>(w, "btnHelp")->click();
  frmHelp* h = Help();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Ctl<QLabel>(*h, "pnlVersion")->text(), "Version 13.4.2");
  // Every area folded: labels only.
  EXPECT_EQ(h->AreaCount(), 21);
  EXPECT_EQ(h->ButtonCount(), 0);
  EXPECT_EQ(Ctl<QLabel>(*h, "lblArea1")->text(), "Getting started");
  // The title shows "ToyBox" for a tenth of a second now and then.
  h->timerToolKit_Timer();
  EXPECT_EQ(Ctl<QLabel>(*h, "pnlProfile")->text(), "ToyBox");
  EXPECT_TRUE(Ctl<Timer>(*h, "timerToyBox")->Enabled());
  EXPECT_EQ(Ctl<Timer>(*h, "timerToyBox")->Interval(), 100);
  h->timerToyBox_Timer();
  EXPECT_EQ(Ctl<QLabel>(*h, "pnlProfile")->text(), "ToolKit");
  const Timer* wait = Ctl<Timer>(*h, "timerToolKit");
  EXPECT_TRUE(wait->Enabled());
  EXPECT_GE(wait->Interval(), 2000);
  EXPECT_LE(wait->Interval(), 9999);
  h->lblArea_Click(1);
  EXPECT_EQ(h->ButtonCount(), 8);
  EXPECT_EQ(Ctl<QPushButton>(*h, "btnTraining1")->text(), "Contents");
  // The fifth button starts the second row.
  const QRect b1 = Ctl<QPushButton>(*h, "btnTraining1")->geometry();
  const QRect b5 = Ctl<QPushButton>(*h, "btnTraining5")->geometry();
  EXPECT_EQ(b5.left(), b1.left());
  EXPECT_EQ(b5.top(), b1.top() + 780 / 15);
  Ctl<QPushButton>(*h, "btnTraining2")->click();
  ASSERT_EQ(fx_.documents.size(), 1u);
  EXPECT_EQ(fx_.documents[0], DocumentUrl((folder_ / "help/index.htm").string(), "training"));
  EXPECT_NE(Ctl<QPushButton>(*h, "btnTraining2")->styleSheet().indexOf("255, 255, 128"), -1);
  // Folding it again; the fold state and the left edge outlive the window.
  h->lblArea_Click(1);
  EXPECT_EQ(h->ButtonCount(), 0);
  h->lblArea_Click(2);
  const int left = h->x() * 15;
  Ctl<QPushButton>(*h, "btnOK")->click();
  EXPECT_EQ(gHelpLeft, left);
  EXPECT_EQ(gHelpAreaOpen[2], 1);
}

TEST_F(TrainingTest, ExitTrainingStaysInSightWithEveryAreaOpen) {
  for (std::size_t i = 1; i < gHelpAreaOpen.size(); ++i) gHelpAreaOpen[i] = 1;
  frmProfile& w = Start();
  Ctl<QPushButton>(w, "btnHelp")->click();
  frmHelp* h = Help();
  ASSERT_NE(h, nullptr);
  ASSERT_GT(h->ButtonCount(), 100);  // far taller than the screen: the areas scroll
  const QPushButton* ok = Ctl<QPushButton>(*h, "btnOK");
  EXPECT_EQ(ok->parentWidget(), h);  // not in the scrolled content
  EXPECT_TRUE(h->rect().contains(ok->geometry())) << "the window ends above the button";
  EXPECT_LE(h->height(), h->screen()->availableGeometry().height());
}

TEST_F(TrainingTest, LinuxModeHelpButtonsUseTheBrowser) {
  std::vector<std::string> cfg;
  ASSERT_TRUE(ReadTextLines((folder_ / "Ondrik.cfg").string(), cfg));
  cfg[8] = "L";
  cfg[9] = "/opt/browser/bin/web browser";
  std::string text;
  for (const auto& l : cfg) text += l + "\n";
  WriteFile(folder_ / "Ondrik.cfg", text);
  gHelpAreaOpen[1] = 1;
  frmProfile& w = Start();
  w.btnHelp_Click();
  frmHelp* h = Help();
  ASSERT_NE(h, nullptr);
  h->btnTraining_Click(1);
  EXPECT_TRUE(fx_.documents.empty());
  ASSERT_EQ(fx_.programs.size(), 1u);
  EXPECT_EQ(fx_.programs[0].program, "/opt/browser/bin/web browser");
  EXPECT_EQ(fx_.programs[0].args, std::vector<std::string>{DocumentUrl((folder_ / "help/index.htm").string(), "")});
}

TEST_F(TrainingTest, MissingFilesGiveAnEmptyIndexAndABareHelpWindow) {
  fs::remove(folder_ / "Ondrik.ref");
  fs::remove(folder_ / "OndrikTraining.dat");
  frmProfile& w = Start();
  EXPECT_EQ(w.Training().TrainingCount, 0);
  w.picLogo_Click();
  Ctl<CheckBox>(w, "chkCCL")->SetValue(1);
  EXPECT_TRUE(gTrainingMode) << "nothing to open: training mode stays on";
  w.btnHelp_Click();
  ASSERT_NE(Help(), nullptr);
  EXPECT_EQ(Help()->AreaCount(), 0);
  EXPECT_TRUE(Ctl<QPushButton>(*Help(), "btnOK")->isVisibleTo(Help()));
}

}  // namespace
}  // namespace ondrik
