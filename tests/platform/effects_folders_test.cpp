#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <cstdlib>
#include <string>

#include "platform/effects.h"
#include "platform/folders.h"

namespace ondrik {
namespace {

TEST(EffectsTest, FakeRecordsCallsAndReturnsSetResults) {
  FakeEffects fake;
  SetEffects(&fake);
  fake.openResult = false;
  fake.startAndWaitResult = false;
  TheEffects().Message("File not found", "Ondrik", MsgIcon::Warning);
  EXPECT_FALSE(TheEffects().OpenDocument("/tmp/x.png"));
  EXPECT_TRUE(TheEffects().StartProgram("dl", {"-a", "b c"}, true));
  EXPECT_FALSE(TheEffects().StartProgramAndWait("conv", {"x.onz"}, false, 5000));
  TheEffects().EndProgram(3);
  SetEffects(nullptr);

  ASSERT_EQ(fake.messages.size(), 1u);
  EXPECT_EQ(fake.messages[0].text, "File not found");
  EXPECT_EQ(fake.messages[0].title, "Ondrik");
  EXPECT_EQ(fake.messages[0].icon, MsgIcon::Warning);
  ASSERT_EQ(fake.documents.size(), 1u);
  EXPECT_EQ(fake.documents[0], "/tmp/x.png");
  ASSERT_EQ(fake.programs.size(), 2u);
  EXPECT_EQ(fake.programs[0].args, (std::vector<std::string>{"-a", "b c"}));
  EXPECT_TRUE(fake.programs[0].hidden);
  EXPECT_FALSE(fake.programs[0].wait);
  EXPECT_TRUE(fake.programs[1].wait);
  EXPECT_EQ(fake.programs[1].timeoutMs, 5000);
  EXPECT_EQ(fake.endCalls, std::vector<int>{3});
  // After SetEffects(nullptr) the real effects are back.
  EXPECT_EQ(dynamic_cast<FakeEffects*>(&TheEffects()), nullptr);
}

TEST(EffectsTest, QtEffectsInBatchRuns) {
  QtEffects fx;
  // The tests run offscreen: messages go to standard error, not to a box
  // that nobody could close.
  EXPECT_TRUE(IsBatchOrOffscreen());
  SetBatchMode(true);
  EXPECT_TRUE(IsBatchMode());
  SetBatchMode(false);
  // Every line begins with the program's name; a box of another title
  // keeps its title after it.
  ::testing::internal::CaptureStderr();
  fx.Message("No profile data", kProgramName, MsgIcon::Critical);
  fx.Message("Lake Temp 34", "C-11 Heat Index", MsgIcon::None);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Ondrik: No profile data\nOndrik: C-11 Heat Index: Lake Temp 34\n");
  // A text of several lines: every line carries the name, whatever its
  // line ends.
  const struct {
    const char* text;
    const char* title;
    const char* printed;
  } lines[] = {
      {"There are no NAM profiles in the profile directory:\n/data/\nTry another type.", kProgramName,
       "Ondrik: There are no NAM profiles in the profile directory:\nOndrik: /data/\nOndrik: Try another type.\n"},
      {"Line 9 is wrong.\r\nNothing was saved.", "Setup",
       "Ondrik: Setup: Line 9 is wrong.\nOndrik: Nothing was saved.\n"},
      {"Saved.\r\n\r\nRestart?", kProgramName, "Ondrik: Saved.\nOndrik:\nOndrik: Restart?\n"},
      {"Alert:\n", kProgramName, "Ondrik: Alert:\n"},
  };
  for (const auto& l : lines) {
    ::testing::internal::CaptureStderr();
    fx.Message(l.text, l.title, MsgIcon::Warning);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), l.printed) << l.text;
  }
  // A question box is answered by its safe button without a box.
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(fx.Confirm("Install it?", "KORVAN Error", MsgIcon::Critical));
  EXPECT_FALSE(fx.Ask("Shut down?", kProgramName));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Ondrik: KORVAN Error: Install it? (answered Cancel)\nOndrik: Shut down? (answered No)\n");

  EXPECT_FALSE(fx.OpenDocument(""));
  EXPECT_FALSE(fx.StartProgram("", {}, false));
  EXPECT_FALSE(fx.StartProgram("/nonexistent/ondrik-no-such-program", {}, false));

  EXPECT_FALSE(fx.StartProgramAndWait("/nonexistent/ondrik-no-such-program", {"x"}, true, 2000));
  EXPECT_TRUE(fx.StartProgramAndWait("sh", {"-c", "exit 0"}, true, 5000));
  // A program that outlasts the time-out: false, and the wait is bounded.
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(fx.StartProgramAndWait("sleep", {"5"}, true, 200));
  EXPECT_LT(clock.elapsed(), 2000);
  clock.restart();
  EXPECT_FALSE(fx.StartProgramAndWait("sleep", {"5"}, true, 0));  // no unbounded wait
  EXPECT_LT(clock.elapsed(), 2000);

  // With an event loop running, ending the program leaves the loop with the code.
  QTimer::singleShot(0, [&fx] { fx.EndProgram(7); });
  EXPECT_EQ(QCoreApplication::exec(), 7);
}

class TempFolder {
 public:
  explicit TempFolder(const std::string& name) : path_(std::string(ONDRIK_TEST_TMP) + "/" + name) {
    QDir(QString::fromStdString(path_)).removeRecursively();
    QDir().mkpath(QString::fromStdString(path_));
  }
  ~TempFolder() { QDir(QString::fromStdString(path_)).removeRecursively(); }
  void Touch(const std::string& name) const {
    QFile f(QString::fromStdString(path_ + "/" + name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(FoldersTest, FindsAndListsFilesWhateverTheCase) {
  TempFolder tmp("folders");
  tmp.Touch("Ondrik.CFG");
  tmp.Touch("a.OND");
  tmp.Touch("b.ond");
  tmp.Touch("c.onz");
  tmp.Touch("readme");
  QDir().mkpath(QString::fromStdString(tmp.Path() + "/sub.ond"));  // a folder, not a file
  const std::string& dir = tmp.Path();

  EXPECT_EQ(FindFileNoCase(dir, "ondrik.cfg"), dir + "/Ondrik.CFG");
  EXPECT_EQ(FindFileNoCase(dir + "/", "ONDRIK.cfg"), dir + "/Ondrik.CFG");
  EXPECT_EQ(FindFileNoCase(dir, "b.ond"), dir + "/b.ond");
  EXPECT_EQ(FindFileNoCase(dir, "initial.cfg"), "");
  EXPECT_EQ(FindFileNoCase(dir, "SUB.OND"), "");  // folders are not files
  EXPECT_EQ(FindFileNoCase(dir, ""), "");
  EXPECT_EQ(FindFileNoCase(dir + "/missing", "b.ond"), "");
  // Several names at once: each found as it would be alone.
  const std::vector<std::string> names{"initial.cfg", "ondrik.cfg", "b.ond", "", "SUB.OND", "A.ond", "sub.ond/x"};
  std::vector<std::string> alone;
  for (const std::string& n : names) alone.push_back(FindFileNoCase(dir, n));
  EXPECT_EQ(FindFilesNoCase(dir, names), alone);
  EXPECT_EQ(alone[5], dir + "/a.OND");

  EXPECT_EQ(ListFilesNoCase(dir, "*.ond"), (std::vector<std::string>{"a.OND", "b.ond"}));
  EXPECT_EQ(ListFilesNoCase(dir, "?.ON?"), (std::vector<std::string>{"a.OND", "b.ond", "c.onz"}));
  EXPECT_EQ(ListFilesNoCase(dir, "*.*").size(), 5u);  // names without a dot too
  EXPECT_EQ(ListFilesNoCase(dir, "READ*"), std::vector<std::string>{"readme"});
  EXPECT_TRUE(ListFilesNoCase(dir, "*.png").empty());
  EXPECT_TRUE(ListFilesNoCase(dir + "/missing", "*").empty());

  // Names beyond ASCII match whatever their case too, and sort among the
  // others by name, case aside.
  tmp.Touch("Ärger.ond");
  tmp.Touch("B2.OND");
  tmp.Touch(".hidden.ond");
  EXPECT_EQ(FindFileNoCase(dir, "ärger.OND"), dir + "/Ärger.ond");
  EXPECT_EQ(FindFileNoCase(dir, "b2.ond"), dir + "/B2.OND");
  EXPECT_EQ(ListFilesNoCase(dir, "*.ond"), (std::vector<std::string>{"a.OND", "b.ond", "B2.OND", "Ärger.ond"}));
  EXPECT_EQ(ListFilesNoCase(dir, "ä*"), std::vector<std::string>{"Ärger.ond"});
  EXPECT_TRUE(WildcardMatchNoCase("ÄR?ER.*", "ärger.ond"));
  EXPECT_FALSE(WildcardMatchNoCase("ä?", "Ä"));

  EXPECT_TRUE(WildcardMatchNoCase("a*b*c", "AxxBxC"));
  EXPECT_FALSE(WildcardMatchNoCase("a*b*c", "AxxBx"));
  EXPECT_FALSE(WildcardMatchNoCase("a?c", "ac"));
  EXPECT_TRUE(WildcardMatchNoCase("*", ""));
  // Many stars against a long non-matching name finish at once.
  EXPECT_FALSE(WildcardMatchNoCase("*a*a*a*a*a*a*a*a*b", std::string(3000, 'a')));
}

TEST(FoldersTest, ProgramAndSavedStateFolders) {
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath().toStdString() + "/");
  SetProgramFolder("/opt/ondrik");
  EXPECT_EQ(ProgramFolder(), "/opt/ondrik/");
  SetProgramFolder("");
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath().toStdString() + "/");

  TempFolder tmp("state");
  const char* oldAppData = std::getenv("APPDATA");
  const std::string keptAppData = oldAppData ? oldAppData : "";
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string keptXdg = oldXdg ? oldXdg : "";

  setenv("APPDATA", (tmp.Path() + "/appdata").c_str(), 1);
  EXPECT_EQ(SavedStateFolder(), tmp.Path() + "/appdata/Ondrik/");
  EXPECT_TRUE(QDir(QString::fromStdString(tmp.Path() + "/appdata/Ondrik")).exists());

  unsetenv("APPDATA");
  setenv("XDG_DATA_HOME", (tmp.Path() + "/xdg/").c_str(), 1);
  EXPECT_EQ(SavedStateFolder(), tmp.Path() + "/xdg/Ondrik/");
  EXPECT_TRUE(QDir(QString::fromStdString(tmp.Path() + "/xdg/Ondrik")).exists());

  // A relative APPDATA is taken against the folder the program was started
  // from, not the program folder it then works in.
  const QString kept = QDir::currentPath();
  QDir().mkpath(QString::fromStdString(tmp.Path() + "/start"));
  QDir().mkpath(QString::fromStdString(tmp.Path() + "/program"));
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(tmp.Path() + "/start")));
  SetProgramFolder(tmp.Path() + "/program");
  EXPECT_EQ(EnterProgramFolder(), QDir::cleanPath(QString::fromStdString(tmp.Path() + "/start")).toStdString() + "/");
  EXPECT_EQ(QDir::current(), QDir(QString::fromStdString(tmp.Path() + "/program")));
  setenv("APPDATA", "relative/appdata", 1);
  EXPECT_EQ(SavedStateFolder(), QDir::cleanPath(QString::fromStdString(tmp.Path() + "/start")).toStdString() +
                                    "/relative/appdata/Ondrik/");
  SetProgramFolder("");
  QDir::setCurrent(kept);

  if (oldAppData) setenv("APPDATA", keptAppData.c_str(), 1); else unsetenv("APPDATA");
  if (oldXdg) setenv("XDG_DATA_HOME", keptXdg.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace ondrik
