#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QPushButton>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "reset/effects.h"
#include "reset/frnwexfold.h"
#include "tests/common/temp_folder.h"

namespace wexfold {
namespace {

// Records messages; Write passes through, or writes at most writeLimit bytes
// and then fails (-1) or returns the short count.
class FakeEffects : public Effects {
 public:
  std::vector<QString> messages;
  qint64 writeLimit = -1;
  bool failWrite = true;

  void Message(QWidget*, const QString& text, const QString&) override { messages.push_back(text); }
  qint64 Write(QIODevice& file, const QByteArray& data) override {
    if (writeLimit < 0) return file.write(data);
    const qint64 n = file.write(data.left(writeLimit));
    return failWrite ? -1 : n;
  }
};

using Files = std::map<QString, QByteArray>;

Files Contents(const QString& folder) {
  Files out;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
    QFile f(dir.filePath(name));
    out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  return out;
}

void Write(const QString& path, const QByteArray& text) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(text);
}

const QByteArray kInitial = "Ondrik configuration\n./\n";
const QByteArray kOld = "Ondrik configuration\n/home/forecaster/profiles/\n";

const std::vector<QString> kBoxNames{"chkHistory", "chkMacros", "chkConfig", "chkTime"};

class WexfoldTest : public ::testing::Test {
 public:
  // A fresh program folder, saved-state folder and window; cases of a table
  // call it again.
  void SetUp() override {
    fx_ = FakeEffects{};
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    program_ = QString::fromStdString(ondrik::testing::TempFolderIn("reset_program", test));
    saved_ = QString::fromStdString(ondrik::testing::TempFolderIn("reset_saved", test));
    // Ondrik's program folder with its look-alike neighbours.
    Write(program_ + "Initial.cfg", kInitial);
    Write(program_ + "Ondrik.cfg", kOld);
    for (const char* name : {"TimeZone.DAT", "timezone.dat", "Ondrik.Dat", "Ondrik.ref", "Map_1.dat",
                             "TimeZone.DAT.bak", "NAM_KOKC.ond"}) {
      Write(program_ + name, name);
    }
    // Saved state in every letter case Ondrik may find, with the slots it
    // never uses and the map presets.
    for (const char* name : {"Ondrik.hst", "ONDRIK.HST", "Ondrik.SP0", "ondrik.sp3", "Ondrik.SP9", "Ondrik.SO0",
                             "Ondrik.SO5", "ONDRIK.SO9", "Ondrik.SP10", "Ondrik.SO", "MapPreset.M1",
                             "MapPreset.M2", "MapPreset.M3", "MapPreset.M4", "Ondrik.hst.bak"}) {
      Write(saved_ + name, name);
    }
    window_ = std::make_unique<frnWexfold>(fx_, Folders{program_, saved_});
  }

  QCheckBox* Box(const QString& name) const { return window_->findChild<QCheckBox*>(name); }
  bool ButtonShown() const { return !window_->findChild<QPushButton*>("btnWexfold")->isHidden(); }
  void Tick(const std::set<QString>& names) {
    for (const QString& name : names) Box(name)->click();
  }

  FakeEffects fx_;
  QString program_, saved_;
  std::unique_ptr<frnWexfold> window_;
};

TEST_F(WexfoldTest, ButtonFollowsTheBoxes) {
  EXPECT_FALSE(ButtonShown());
  for (const QString& name : kBoxNames) EXPECT_FALSE(Box(name)->isChecked());
  // Every set of ticked boxes, each reached by user clicks from the last one.
  unsigned previous = 0;
  for (unsigned mask = 0; mask < 16; ++mask) {
    for (std::size_t i = 0; i < kBoxNames.size(); ++i) {
      if (((mask ^ previous) >> i) & 1u) Box(kBoxNames[i])->click();
    }
    EXPECT_EQ(ButtonShown(), mask != 0) << mask;
    previous = mask;
  }
}

TEST_F(WexfoldTest, EachBoxDeletesExactlyItsFiles) {
  struct Case {
    std::set<QString> boxes;
    std::set<QString> savedGone, programGone;
    bool configRestored;
  };
  const std::set<QString> history{"Ondrik.hst", "ONDRIK.HST"};
  const std::set<QString> macros{"Ondrik.SP0", "ondrik.sp3", "Ondrik.SP9", "Ondrik.SO0", "Ondrik.SO5", "ONDRIK.SO9"};
  const std::set<QString> zones{"TimeZone.DAT", "timezone.dat"};
  std::set<QString> allSaved = history;
  allSaved.insert(macros.begin(), macros.end());
  const Case cases[] = {
      {{"chkHistory"}, history, {}, false},
      {{"chkMacros"}, macros, {}, false},
      {{"chkConfig"}, {}, {}, true},
      {{"chkTime"}, {}, zones, false},
      {{"chkHistory", "chkMacros", "chkConfig", "chkTime"}, allSaved, zones, true},
  };
  for (const Case& c : cases) {
    SetUp();
    const Files savedBefore = Contents(saved_), programBefore = Contents(program_);
    Tick(c.boxes);
    window_->btnWexfold_Click();

    Files savedWant = savedBefore, programWant = programBefore;
    for (const QString& name : c.savedGone) savedWant.erase(name);
    for (const QString& name : c.programGone) programWant.erase(name);
    if (c.configRestored) programWant["Ondrik.cfg"] = kInitial;
    const std::string label = QStringList(c.boxes.begin(), c.boxes.end()).join(' ').toStdString();
    EXPECT_EQ(Contents(saved_), savedWant) << label;
    EXPECT_EQ(Contents(program_), programWant) << label;
    for (const QString& name : kBoxNames) EXPECT_FALSE(Box(name)->isChecked()) << label;
    EXPECT_FALSE(ButtonShown()) << label;
    EXPECT_TRUE(fx_.messages.empty()) << label;
  }

  // Without a saved-state folder the history and setups have nothing to
  // delete; their boxes are still cleared and no folder is made.
  SetUp();
  QDir(saved_).removeRecursively();
  Tick({"chkHistory", "chkMacros"});
  window_->btnWexfold_Click();
  EXPECT_FALSE(Box("chkHistory")->isChecked());
  EXPECT_FALSE(Box("chkMacros")->isChecked());
  EXPECT_FALSE(QDir(saved_).exists());
}

TEST_F(WexfoldTest, FailedConfigurationCopyKeepsTheOldOneAndReports) {
  struct Case {
    const char* what;
    void (*spoil)(WexfoldTest&);
  };
  const Case cases[] = {
      {"no Initial.cfg", [](WexfoldTest& t) { QFile::remove(t.program_ + "Initial.cfg"); }},
      {"Initial.cfg is a folder",
       [](WexfoldTest& t) {
         QFile::remove(t.program_ + "Initial.cfg");
         QDir().mkpath(t.program_ + "initial.CFG");
       }},
      {"write fails half-way", [](WexfoldTest& t) { t.fx_.writeLimit = 5; }},
      {"short write",
       [](WexfoldTest& t) {
         t.fx_.writeLimit = 5;
         t.fx_.failWrite = false;
       }},
      {"Ondrik.cfg cannot be replaced",
       [](WexfoldTest& t) {
         QFile::remove(t.program_ + "Ondrik.cfg");
         QDir().mkpath(t.program_ + "Ondrik.cfg/kept");
       }},
  };
  for (const Case& c : cases) {
    SetUp();
    c.spoil(*this);
    const Files before = Contents(program_);
    Tick({"chkConfig", "chkTime", "chkHistory"});
    window_->btnWexfold_Click();

    Files want = before;
    want.erase("TimeZone.DAT");
    want.erase("timezone.dat");
    EXPECT_EQ(Contents(program_), want) << c.what;  // old file whole, no temporary left
    EXPECT_FALSE(QFile::exists(saved_ + "Ondrik.hst")) << c.what;
    ASSERT_EQ(fx_.messages.size(), 1u) << c.what;
    EXPECT_TRUE(fx_.messages[0].contains("Initial.cfg")) << c.what;
    EXPECT_TRUE(Box("chkConfig")->isChecked()) << c.what;
    EXPECT_FALSE(Box("chkTime")->isChecked()) << c.what;
    EXPECT_FALSE(Box("chkHistory")->isChecked()) << c.what;
    EXPECT_TRUE(ButtonShown()) << c.what;
  }
  EXPECT_TRUE(QDir(program_ + "Ondrik.cfg/kept").exists());

  // With the fault gone the same ticked box succeeds.
  fx_.writeLimit = -1;
  QDir(program_ + "Ondrik.cfg").removeRecursively();
  window_->btnWexfold_Click();
  EXPECT_EQ(Contents(program_)["Ondrik.cfg"], kInitial);
  EXPECT_FALSE(ButtonShown());
}

TEST_F(WexfoldTest, WorksInTheProgramFolderNotTheCurrentOne) {
  const QString current = QString::fromStdString(ondrik::testing::TempFolderIn("reset", "current"));
  Write(current + "Initial.cfg", "another initial configuration\n");
  Write(current + "Ondrik.cfg", "another configuration\n");
  Write(current + "TimeZone.DAT", "another table\n");
  const Files currentBefore = Contents(current);
  const QString kept = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(current));

  Tick({"chkConfig", "chkTime"});
  window_->btnWexfold_Click();
  QDir::setCurrent(kept);

  EXPECT_EQ(Contents(current), currentBefore);
  const Files program = Contents(program_);
  EXPECT_EQ(program.at("Ondrik.cfg"), kInitial);
  EXPECT_EQ(program.count("TimeZone.DAT"), 0u);
}

TEST(WexfoldEffectsTest, MessagesGoToStandardErrorOffscreen) {
  ASSERT_TRUE(IsOffscreen());
  QtEffects fx;
  ::testing::internal::CaptureStderr();
  fx.Message(nullptr, "Can't locate Initial.cfg", "Ondrik Wexfoldialization Utility");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Ondrik Wexfoldialization Utility: Can't locate Initial.cfg\n");
}

}  // namespace
}  // namespace wexfold
