#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QPushButton>

#include <map>
#include <memory>
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
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    QFile f(folder + name);
    out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  return out;
}

void Write(const QString& folder, const std::vector<QString>& names, const QByteArray& text = {}) {
  for (const QString& name : names) {
    QFile f(folder + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
    f.write(text.isEmpty() ? name.toUtf8() : text);
  }
}

const QByteArray kInitial = "Ondrik configuration\n./\n";
const QByteArray kOld = "Ondrik configuration\n/home/forecaster/profiles/\n";
const std::vector<QString> kBoxNames{"chkHistory", "chkMacros", "chkConfig", "chkTime"};

class WexfoldTest : public ::testing::Test {
 public:
  // A fresh program folder (with look-alike neighbours), saved-state folder
  // (with every letter case Ondrik may find, unused slots and map presets)
  // and window; the cases of a table call it again.
  void SetUp() override {
    fx_ = FakeEffects{};
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    program_ = QString::fromStdString(ondrik::testing::TempFolderIn("reset_program", test));
    saved_ = QString::fromStdString(ondrik::testing::TempFolderIn("reset_saved", test));
    Write(program_, {"Initial.cfg"}, kInitial);
    Write(program_, {"Ondrik.cfg"}, kOld);
    Write(program_, {"TimeZone.DAT", "timezone.dat", "Ondrik.Dat", "Map_1.dat", "TimeZone.DAT.bak", "NAM_KOKC.ond"});
    Write(saved_, {"Ondrik.hst", "ONDRIK.HST", "Ondrik.SP0", "ondrik.sp3", "Ondrik.SP9", "Ondrik.SO0", "Ondrik.SO5",
                   "ONDRIK.SO9", "Ondrik.SP10", "Ondrik.SO", "MapPreset.M1", "MapPreset.M2", "MapPreset.M3",
                   "MapPreset.M4", "Ondrik.hst.bak"});
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
  // Every set of ticked boxes, each reached by clicks from the one before.
  for (unsigned mask = 0, previous = 0; mask < 16; previous = mask++) {
    for (std::size_t i = 0; i < kBoxNames.size(); ++i) {
      if (((mask ^ previous) >> i) & 1u) Box(kBoxNames[i])->click();
    }
    EXPECT_EQ(ButtonShown(), mask != 0) << mask;
  }
}

// Started from another folder that holds files of the same names, the reset
// works in the program folder alone.
TEST_F(WexfoldTest, EachBoxDeletesExactlyItsFiles) {
  const QString current = QString::fromStdString(ondrik::testing::TempFolderIn("reset", "current"));
  Write(current, {"Initial.cfg", "Ondrik.cfg", "TimeZone.DAT", "Ondrik.hst", "Ondrik.SP1"});
  const Files currentBefore = Contents(current);
  ASSERT_TRUE(QDir::setCurrent(current));

  const std::set<QString> history{"Ondrik.hst", "ONDRIK.HST"};
  const std::set<QString> macros{"Ondrik.SP0", "ondrik.sp3", "Ondrik.SP9", "Ondrik.SO0", "Ondrik.SO5", "ONDRIK.SO9"};
  const std::set<QString> zones{"TimeZone.DAT", "timezone.dat"};
  std::set<QString> allSaved = history;
  allSaved.insert(macros.begin(), macros.end());
  const struct {
    std::set<QString> boxes, savedGone, programGone;
    bool configRestored;
  } cases[] = {
      {{"chkHistory"}, history, {}, false},
      {{"chkMacros"}, macros, {}, false},
      {{"chkConfig"}, {}, {}, true},
      {{"chkTime"}, {}, zones, false},
      {{"chkHistory", "chkMacros", "chkConfig", "chkTime"}, allSaved, zones, true},
  };
  for (const auto& c : cases) {
    SetUp();
    Files savedWant = Contents(saved_), programWant = Contents(program_);
    Tick(c.boxes);
    window_->btnWexfold_Click();

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
  EXPECT_EQ(Contents(current), currentBefore);

  // Without a saved-state folder there is nothing to delete; the boxes are
  // still cleared and no folder is made.
  SetUp();
  QDir(saved_).removeRecursively();
  Tick({"chkHistory", "chkMacros"});
  window_->btnWexfold_Click();
  EXPECT_FALSE(ButtonShown());
  EXPECT_FALSE(QDir(saved_).exists());
}

TEST_F(WexfoldTest, FailedConfigurationCopyKeepsTheOldOneAndReports) {
  const struct {
    const char* what;
    void (*spoil)(WexfoldTest&);
  } cases[] = {
      {"no Initial.cfg", [](WexfoldTest& t) { QFile::remove(t.program_ + "Initial.cfg"); }},
      {"write fails half-way", [](WexfoldTest& t) { t.fx_.writeLimit = 5; }},
      {"short write", [](WexfoldTest& t) { t.fx_.writeLimit = 5; t.fx_.failWrite = false; }},
      {"Ondrik.cfg cannot be replaced",
       [](WexfoldTest& t) {
         QFile::remove(t.program_ + "Ondrik.cfg");
         QDir().mkpath(t.program_ + "Ondrik.cfg/kept");
       }},
  };
  for (const auto& c : cases) {
    SetUp();
    c.spoil(*this);
    Files want = Contents(program_);
    Tick({"chkConfig", "chkTime"});
    window_->btnWexfold_Click();

    want.erase("TimeZone.DAT");  // the other ticked box still does its work
    want.erase("timezone.dat");
    EXPECT_EQ(Contents(program_), want) << c.what;  // old file whole, no temporary left
    ASSERT_EQ(fx_.messages.size(), 1u) << c.what;
    EXPECT_TRUE(fx_.messages[0].contains("Initial.cfg")) << c.what;
    EXPECT_TRUE(Box("chkConfig")->isChecked()) << c.what;
    EXPECT_FALSE(Box("chkTime")->isChecked()) << c.what;
    EXPECT_TRUE(ButtonShown()) << c.what;
  }
  EXPECT_TRUE(QDir(program_ + "Ondrik.cfg/kept").exists());

  // With the fault gone the box still ticked succeeds.
  QDir(program_ + "Ondrik.cfg").removeRecursively();
  window_->btnWexfold_Click();
  EXPECT_EQ(Contents(program_)["Ondrik.cfg"], kInitial);
  EXPECT_FALSE(ButtonShown());
}

TEST(WexfoldEffectsTest, MessagesGoToStandardErrorOffscreen) {
  ASSERT_TRUE(IsOffscreen());
  ::testing::internal::CaptureStderr();
  QtEffects().Message(nullptr, "Can't locate Initial.cfg", "Ondrik Wexfoldialization Utility");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Ondrik Wexfoldialization Utility: Can't locate Initial.cfg\n");
}

}  // namespace
}  // namespace wexfold
