#include "profilewindow/commandline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/effects.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("commandline", name); }

std::string Shots(const CommandLine& c) {
  std::string s;
  for (const auto& shot : c.shots) s += shot.letter + std::to_string(shot.hour) + ";";
  return s;
}

TEST(CommandLineParse, OptionsPathsAndGrammar) {
  // The documented batch line: file, two shots, end.
  CommandLine c = ParseCommandLine("C:\\DATA\\ETA_KBOS.OND -PROFILE=A0B12 -CLOSE", "/profiles/");
  EXPECT_TRUE(c.hasFile);
  EXPECT_EQ(c.fileError, "");
  EXPECT_EQ(c.model, "ETA");
  EXPECT_EQ(c.site, "KBOS");
  EXPECT_EQ(c.filePath, "C:\\DATA\\ETA_KBOS.OND");
  EXPECT_EQ(Shots(c), "A0;B12;");
  EXPECT_TRUE(c.close);

  // Options in any order and letter case; a quoted path with blanks keeps its
  // case; the path need not come first.
  c = ParseCommandLine("-profile=c -Archive \"/data/my runs/nam_kalb.ond\" -size=150 -get=ab /u=test", "/p/");
  EXPECT_EQ(c.filePath, "/data/my runs/nam_kalb.ond");
  EXPECT_EQ(c.model, "nam");
  EXPECT_EQ(c.site, "KALB");
  EXPECT_EQ(Shots(c), "C0;");
  EXPECT_TRUE(c.archive);
  EXPECT_DOUBLE_EQ(c.scale, 1.5);
  EXPECT_TRUE(c.get);
  EXPECT_EQ(c.getArgs, "AB");
  EXPECT_EQ(c.userName, "TEST");

  // A letter outside A..D ends the list: only A5.
  EXPECT_EQ(Shots(ParseCommandLine("-PROFILE=A5E3", "")), "A5;");
  // Each overview letter once; digits after the letters are ignored.
  c = ParseCommandLine("-OVERVIEW=AB3C", "");
  EXPECT_EQ(std::string(c.layouts.begin(), c.layouts.end()), "AB");
  // A size of 10 or less leaves the pictures alone; huge sizes are capped.
  EXPECT_DOUBLE_EQ(ParseCommandLine("-SIZE=10", "").scale, 0.1);
  EXPECT_LE(ParseCommandLine("-SIZE=99999999999999", "").scale, 10.0);
  // An absurd hour does not overflow.
  EXPECT_GT(ParseCommandLine("-PROFILE=A99999999999999999999", "").shots.at(0).hour, 84);

  // ".OND" inside an option is not a file.
  c = ParseCommandLine("-GET=LIST.OND -PROFILE=A1", "");
  EXPECT_FALSE(c.hasFile);
  EXPECT_EQ(c.getArgs, "LIST.OND");
  // A name without "_" before ".ond" is refused; so is "_" only in the folder.
  c = ParseCommandLine("/data/KBOS.ond", "");
  EXPECT_TRUE(c.hasFile);
  EXPECT_FALSE(c.fileError.empty());
  EXPECT_FALSE(ParseCommandLine("/my_data/KBOS.ond", "").fileError.empty());
}

TEST(CommandLineParse, BareNameResolvedInProfileFolder) {
  const std::string dir = TempFolder("bare");
  std::ofstream(dir + "ETA_KBOS.ond") << "x";
  // Found whatever the case of the name on disk.
  CommandLine c = ParseCommandLine("ETA_KBOS.OND -PROFILE=C", dir);
  EXPECT_EQ(c.filePath, dir + "ETA_KBOS.ond");
  EXPECT_EQ(Shots(c), "C0;");
  // Not there: the name in the profile folder as given.
  c = ParseCommandLine("gfs_KALB.ond", dir);
  EXPECT_EQ(c.filePath, dir + "gfs_KALB.ond");
  EXPECT_EQ(c.model, "gfs");
  // A full path written in other case finds the file too.
  c = ParseCommandLine(dir + "eta_kbos.OND", "/elsewhere/");
  EXPECT_EQ(c.filePath, dir + "ETA_KBOS.ond");
  // A relative path with a folder is read from the folder the program was
  // started from, not from the program folder start-up makes current.
  fs::create_directories(dir + "sub");
  std::ofstream(dir + "sub/NAM_KOKC.ond") << "x";
  c = ParseCommandLine("sub/nam_kokc.OND -CLOSE", "/elsewhere/", dir);
  EXPECT_EQ(c.filePath, dir + "sub/NAM_KOKC.ond");
  EXPECT_EQ(c.site, "KOKC");
}

TEST(CommandLineParse, PathsReadFromTheStartFolder) {
  const struct {
    const char* path;
    const char* start;
    const char* resolved;
  } cases[] = {
      {"build/NAM_KOKC.ond", "/work/ondrik/", "/work/ondrik/build/NAM_KOKC.ond"},
      {"../data/NAM_KOKC.ond", "/work/ondrik", "/work/ondrik/../data/NAM_KOKC.ond"},
      {"/data/NAM_KOKC.ond", "/work/ondrik/", "/data/NAM_KOKC.ond"},
      {"C:\\DATA\\ETA_KBOS.OND", "/work/ondrik/", "C:\\DATA\\ETA_KBOS.OND"},
      {"\\\\server\\ETA_KBOS.OND", "/work/ondrik/", "\\\\server\\ETA_KBOS.OND"},
      {"build/NAM_KOKC.ond", "", "build/NAM_KOKC.ond"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveStartPath(c.path, c.start), c.resolved) << c.path;
}

// Records the calls that CommandProfile makes of the windows.
struct Recorder {
  std::string log;
  int lastHour = 20;
  std::optional<std::string> loadFault;  // why the file does not load
  bool snapOk = true;
  bool getOk = true;
  int exitCode = -1;
  std::function<void(bool)> pendingSave;
  void DeliverSaved() {
    if (!pendingSave) return;
    log += snapOk ? "saved " : "lost ";
    std::exchange(pendingSave, nullptr)(snapOk);
  }
  CommandActions Actions() {
    CommandActions a;
    a.runDownloader = [this](const std::string& v) { log += "get(" + v + ") "; return getOk; };
    a.runConverter = [this] { log += "convert "; };
    a.scaleProfilePictures = [this](double s) { log += "pscale(" + std::to_string(static_cast<int>(s * 100)) + ") "; };
    a.setArchiveMode = [this] { log += "archive "; };
    a.selectModel = [this](int row) { log += "model(" + std::to_string(row) + ") "; };
    a.loadFile = [this](const std::string& p, const std::string& s) {
      log += "load(" + p + "," + s + ") ";
      return loadFault;
    };
    a.recallSetup = [this](int i) { log += "recall(" + std::to_string(i) + ") "; };
    a.lastHour = [this] { return lastHour; };
    a.setHour = [this](int h) { log += "hour(" + std::to_string(h) + ") "; };
    // Each snapshot is saved while the next is drawn: its result comes when
    // the next one starts, or when the run waits for the last.
    a.profileSnap = [this](char l, std::function<void(bool)> saved) {
      log += std::string("psnap(") + l + ") ";
      DeliverSaved();
      pendingSave = std::move(saved);
    };
    a.profileSnapsSaved = [this] {
      log += "pwait ";
      DeliverSaved();
    };
    a.profileResize = [this] { log += "presize "; };
    a.scaleOverviewPictures = [this](double) { log += "oscale "; };
    a.recallLayout = [this](int i) { log += "layout(" + std::to_string(i) + ") "; };
    a.overviewSnap = [this](char l) { log += std::string("osnap(") + l + ") "; return snapOk; };
    a.overviewResize = [this] { log += "oresize "; };
    a.endProgram = [this](int code) { log += "end(" + std::to_string(code) + ")"; exitCode = code; };
    return a;
  }
};

class CommandProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { SetEffects(&fake_); }
  void TearDown() override { SetEffects(nullptr); }
  FakeEffects fake_;
  const std::vector<std::string> models_ = {"NAM", "GFS", "RUC", "Nam4km", "a", "b", "c", "d", "e", "SREF"};
};

TEST_F(CommandProfileTest, StepsInFixedOrder) {
  Recorder rec;
  const CommandLine c = ParseCommandLine(
      "-CLOSE -OVERVIEW=AB -PROFILE=A0B12D30 -ARCHIVE /d/nam4KM_kbos.ond -SIZE=150 -GET=X", "");
  const CommandResult r = CommandProfile(c, models_, rec.Actions());
  // D30 lies beyond the last hour: the setup is recalled, nothing is saved.
  EXPECT_EQ(rec.log,
            "get(X) convert pscale(150) archive model(3) load(/d/nam4KM_kbos.ond,KBOS) "
            "recall(0) hour(0) psnap(A) recall(1) hour(12) psnap(B) saved recall(3) pwait saved presize "
            "oscale layout(0) osnap(A) layout(1) osnap(B) oresize end(0)");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.profileShots, 2);
  EXPECT_EQ(r.overviewShots, 2);
  EXPECT_TRUE(fake_.messages.empty());

  // The tenth model of the list is matched as well as the first nine.
  Recorder tenth;
  CommandProfile(ParseCommandLine("/d/SREF_KBOS.ond", ""), models_, tenth.Actions());
  EXPECT_EQ(tenth.log, "model(9) load(/d/SREF_KBOS.ond,KBOS) ");
}

TEST_F(CommandProfileTest, FailuresStopSnapshotsAndSetExitCode) {
  // An unknown model: reported, nothing loaded, no snapshot of another file.
  Recorder unknown;
  CommandResult r = CommandProfile(ParseCommandLine("/d/XYZ_KBOS.ond -PROFILE=A0 -OVERVIEW=A -CLOSE", ""),
                                   models_, unknown.Actions());
  EXPECT_EQ(unknown.log, "end(1)");
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_GE(fake_.messages.size(), 1u);
  EXPECT_NE(fake_.messages[0].text.find("XYZ"), std::string::npos);

  // A load that fails.
  Recorder load;
  load.loadFault = "Can't read the profile file /d/GFS_KBOS.ond: No such file or directory";
  CommandProfile(ParseCommandLine("/d/GFS_KBOS.ond -PROFILE=A0 -CLOSE", ""), models_, load.Actions());
  EXPECT_EQ(load.log, "model(1) load(/d/GFS_KBOS.ond,KBOS) end(1)");

  // A download that did not finish: what it fetched is converted all the
  // same, and the file is loaded.
  Recorder get;
  get.getOk = false;
  r = CommandProfile(ParseCommandLine("/d/NAM_KBOS.ond -GET=A -CLOSE", ""), models_, get.Actions());
  EXPECT_EQ(get.log, "get(A) convert model(0) load(/d/NAM_KBOS.ond,KBOS) end(1)");

  // Failed snapshots: the run goes on and ends with a non-zero status.
  Recorder snap;
  snap.snapOk = false;
  r = CommandProfile(ParseCommandLine("-PROFILE=A0B1 -CLOSE", ""), models_, snap.Actions());
  EXPECT_EQ(snap.log, "recall(0) hour(0) psnap(A) recall(1) hour(1) psnap(B) lost pwait lost presize end(1)");
  EXPECT_EQ(r.profileShots, 0);
  ASSERT_EQ(r.errors.size(), 2u);
  EXPECT_NE(r.errors[0].find("A0"), std::string::npos) << r.errors[0];
  EXPECT_NE(r.errors[1].find("B1"), std::string::npos) << r.errors[1];

  // No overview window to save: reported, non-zero status.
  Recorder noOverview;
  CommandActions a = noOverview.Actions();
  a.overviewSnap = nullptr;
  fake_.messages.clear();
  EXPECT_EQ(CommandProfile(ParseCommandLine("-OVERVIEW=A -CLOSE", ""), models_, a).exitCode, 1);
  EXPECT_EQ(noOverview.log, "layout(0) oresize end(1)");
  EXPECT_EQ(fake_.messages.size(), 1u);
}

// A file that cannot be used is told once, in the words of what refused it,
// with what that leaves undone; nothing else is said of it.
TEST_F(CommandProfileTest, AFileThatCannotBeUsedIsToldOnce) {
  const std::string missing = "Can't read the profile file /d/NAM_KXYZ.ond: No such file or directory";
  const std::string noShots = "\nNo snapshots were saved, because the profile file was not loaded.";
  const std::string unknown =
      "The model XYZ of the profile file /d/XYZ_KBOS.ond is not in the model list of the configuration; the file "
      "was not loaded.";
  const struct {
    const char* line;
    std::optional<std::string> loadFault;
    std::string told;
  } cases[] = {
      {"/d/NAM_KXYZ.ond", missing, missing},
      {"/d/NAM_KXYZ.ond -CLOSE", missing, missing},
      {"/d/NAM_KXYZ.ond -PROFILE=A0 -CLOSE", missing, missing + noShots},
      {"/d/NAM_KXYZ.ond -OVERVIEW=A", missing, missing + noShots},
      {"/d/NAM_KXYZ.ond -PROFILE=A0B3 -OVERVIEW=AB -CLOSE", missing, missing + noShots},
      {"/d/XYZ_KBOS.ond -PROFILE=A0", std::nullopt, unknown + noShots},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    fake_.messages.clear();
    Recorder rec;
    rec.loadFault = c.loadFault;
    const CommandResult r = CommandProfile(ParseCommandLine(c.line, ""), models_, rec.Actions());
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(fake_.messages.size(), 1u);
    EXPECT_EQ(fake_.messages[0].text, c.told);
    EXPECT_EQ(r.errors, std::vector<std::string>{c.told});
    EXPECT_EQ(rec.log.find("snap"), std::string::npos) << rec.log;
  }
}

}  // namespace
}  // namespace ondrik
