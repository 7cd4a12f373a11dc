// The batch road end to end: the built program is run as a child process
// without a display, from a temporary program folder holding a copy of the
// program, the shipped configuration and one shipped profile file.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

#include "savedstate/displaysetup.h"
#include "savedstate/format.h"
#include "savedstate/overviewlayout.h"
#include "tests/common/virtual_display.h"

namespace {

namespace fs = std::filesystem;
using ondrik::testing::AcceptsConnection;
using ondrik::testing::VirtualDisplay;

struct RunResult {
  bool finished = false;
  int exitCode = -1;
  QStringList lines;  // standard output
  QString errors;     // standard error
};

// Runs the program with no platform chosen and no folder of a desktop
// session, as a batch job on a server would: with no display, or on the
// display given. A run that is to stay up is ended after endAfterMs.
RunResult RunOndrik(const fs::path& exe, const QStringList& args, const fs::path& from = fs::temp_directory_path(),
                    const QString& display = {}, int endAfterMs = 0) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) env.remove(v);
  if (!display.isEmpty()) env.insert("DISPLAY", display);
  // The saved state beside the program, never the user's.
  env.insert("APPDATA", QString::fromStdString((exe.parent_path() / "appdata").string()));
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(QString::fromStdString(from.string()));
  p.start(QString::fromStdString(exe.string()), args);
  RunResult r;
  if (!p.waitForStarted(10000)) return r;
  r.finished = p.waitForFinished(endAfterMs > 0 ? endAfterMs : 120000);
  if (!r.finished && endAfterMs > 0) {
    p.terminate();
    r.finished = p.waitForFinished(10000);
  }
  if (!r.finished) {
    p.kill();
    p.waitForFinished(5000);
    return r;
  }
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  r.errors = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

// Every line on standard error is the program's own, under its one prefix
// (also every further line of a message).
void ExpectOnlyOwnMessages(const RunResult& r) {
  for (const QString& line : r.errors.split('\n', Qt::SkipEmptyParts))
    EXPECT_TRUE(line.startsWith("Ondrik: ") || line == "Ondrik:") << line.toStdString();
}

// Pixels of the chart below the title band: not black, and of the red
// temperature trace.
void CountPixels(const QImage& img, int& notBlack, int& red) {
  notBlack = red = 0;
  for (int y = img.height() / 8; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y);
      if ((c & 0xFFFFFF) != 0) ++notBlack;
      if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80) ++red;
    }
}

class BatchRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests side by side.
    folder_ = fs::path(ONDRIK_TEST_TMP) /
              ("batch-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    exe_ = folder_ / "Ondrik";
    fs::copy_file(ONDRIK_EXE, exe_);
    for (const char* f : {"Ondrik.cfg", "TimeZone.DAT", "NAM_KOKC.ond"})
      fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f);
  }

  std::string File(const char* name) const { return (folder_ / name).string(); }

  int Pngs() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder_)) n += e.path().extension() == ".png";
    return n;
  }

  fs::path folder_, exe_;
};

TEST_F(BatchRunTest, SavesTheSnapshotsAskedForAndEndsWithStatusZero) {
  // "-SIZE=100": the chart is 7635 x 9855 twips, 509 x 657 pixels.
  const RunResult r =
      RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond")), "-SIZE=100", "-PROFILE=A0A3B6", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
  // One line per picture, with its full path; the snapshot folder is the program folder.
  ASSERT_EQ(r.lines.size(), 3) << r.lines.join("\n").toStdString();
  const char* names[3] = {"nam_kokc_ondrikprofile_a00.png", "nam_kokc_ondrikprofile_a03.png",
                          "nam_kokc_ondrikprofile_b06.png"};
  QImage images[3];
  for (int i = 0; i < 3; ++i) {
    const fs::path printed = r.lines[i].trimmed().toStdString();
    EXPECT_TRUE(printed.is_absolute()) << printed;
    EXPECT_EQ(fs::weakly_canonical(printed), fs::weakly_canonical(folder_ / names[i]));
    images[i] = QImage(QString::fromStdString((folder_ / names[i]).string()));
    ASSERT_FALSE(images[i].isNull()) << names[i];
    EXPECT_EQ(images[i].width(), 7635 / 15);
    EXPECT_EQ(images[i].height(), 9855 / 15);
    int notBlack = 0, red = 0;
    CountPixels(images[i], notBlack, red);
    EXPECT_GT(notBlack, 2000) << names[i];
    EXPECT_GT(red, 50) << names[i] << ": no temperature trace";
  }
  EXPECT_EQ(Pngs(), 3);
  ExpectOnlyOwnMessages(r);
  // Hours 0 and 3 are different pictures.
  EXPECT_NE(images[0], images[1]);
}

// A file of more datasets than the store holds: its first 24 load and the
// snapshot is saved, and standard error names the file and the 8 left out,
// once (the model choice before the load loads that file too).
TEST_F(BatchRunTest, AFileOfMoreDatasetsSaysWhatIsLeftOut) {
  std::stringstream text;
  text << std::ifstream(fs::path(ONDRIK_DATA_DIR) / "SREF_KOKC.ond", std::ios::binary).rdbuf();
  std::ofstream(folder_ / "SREF_KOKC.ond", std::ios::binary) << text.str() << text.str() << text.str() << text.str();
  const RunResult r = RunOndrik(exe_, {QString::fromStdString(File("SREF_KOKC.ond")), "-PROFILE=A0", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
  EXPECT_EQ(Pngs(), 1);
  EXPECT_EQ(r.errors.count(QString::fromStdString(File("SREF_KOKC.ond")) + " holds 32 datasets"), 1)
      << r.errors.toStdString();
  EXPECT_TRUE(r.errors.contains("the last 8 are left out")) << r.errors.toStdString();
}

// Outside a desktop session (no runtime folder given), on a display as well
// as without one, batch or interactive: only the program's own lines show.
TEST_F(BatchRunTest, OnlyTheProgramsOwnLinesShowOnEveryRoad) {
  VirtualDisplay display;
  const QString file = QString::fromStdString(File("NAM_KOKC.ond"));
  const struct {
    const char* road;
    QStringList args;
    bool onDisplay;
  } roads[] = {
      {"batch", {file, "-PROFILE=A0", "-CLOSE"}, false},
      {"batch on a display", {file, "-PROFILE=A0", "-CLOSE"}, true},
      {"window on a display", {file}, true},
  };
  for (const auto& road : roads) {
    SCOPED_TRACE(road.road);
    if (road.onDisplay && !display.Available()) {
      std::cout << "[  SKIPPED ] " << road.road << ": no virtual display (Xvfb, tools/install-deps.sh) to run on\n";
      continue;
    }
    const QString on = road.onDisplay ? display.Usable() : QString();
    ASSERT_EQ(on.isEmpty(), !road.onDisplay) << display.Problem().toStdString();
    const bool stays = !road.args.contains("-CLOSE");
    const RunResult r = RunOndrik(exe_, road.args, fs::temp_directory_path(), on, stays ? 2000 : 0);
    ASSERT_TRUE(r.finished);
    if (!stays) {
      EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    }
    ExpectOnlyOwnMessages(r);
  }
}

TEST_F(BatchRunTest, RelativePathsAreReadFromTheFolderTheProgramStartedIn) {
  // As "build/Ondrik build/NAM_KOKC.ond -PROFILE=A0 -CLOSE" from the folder above.
  const fs::path above = folder_.parent_path();
  const QString dir = QString::fromStdString(folder_.filename().string());
  const RunResult r = RunOndrik(dir.toStdString() + "/Ondrik", {dir + "/NAM_KOKC.ond", "-PROFILE=A0", "-CLOSE"}, above);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
  ASSERT_EQ(r.lines.size(), 1) << r.errors.toStdString();
  EXPECT_TRUE(fs::exists(folder_ / "nam_kokc_ondrikprofile_a00.png"));
}

TEST_F(BatchRunTest, FailedLoadsAndSnapshotsEndWithANonZeroStatus) {
  // A file that does not exist: reported once, in the system's words, no
  // snapshot, status not zero.
  const QString missing = "Ondrik: Can't read the profile file " + QString::fromStdString(File("NAM_KXYZ.ond")) +
                          ": No such file or directory\n";
  RunResult r;
  for (const auto& [args, told] :
       {std::pair<QStringList, QString>{{"-PROFILE=A0", "-CLOSE"},
                                        missing + "Ondrik: No snapshots were saved, because the profile file was not "
                                                  "loaded.\n"},
        {{"-CLOSE"}, missing}}) {
    r = RunOndrik(exe_, QStringList{QString::fromStdString(File("NAM_KXYZ.ond"))} + args);
    ASSERT_TRUE(r.finished);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.lines.isEmpty());
    // (after the converter's line of a folder without it)
    EXPECT_TRUE(r.errors.endsWith(told)) << r.errors.toStdString();
    EXPECT_EQ(r.errors.count("NAM_KXYZ"), 1) << r.errors.toStdString();
    ExpectOnlyOwnMessages(r);
    EXPECT_EQ(Pngs(), 0);
  }

  // A snapshot folder that does not exist: every snapshot fails.
  std::stringstream text;
  text << std::ifstream(folder_ / "Ondrik.cfg", std::ios::binary).rdbuf();
  std::string cfg = text.str();
  const std::string chartLine = "Kept, not used\n0\n=\n";
  const std::size_t at = cfg.find(chartLine);
  ASSERT_NE(at, std::string::npos) << "the shipped configuration changed";
  cfg.replace(at, chartLine.size(), "Kept, not used\n0\n" + (folder_ / "no-such-folder").string() + "/\n");
  std::ofstream(folder_ / "Ondrik.cfg", std::ios::binary) << cfg;
  r = RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond")), "-PROFILE=A0A1", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.lines.isEmpty()) << r.lines.join("\n").toStdString();
  EXPECT_EQ(Pngs(), 0);
  EXPECT_TRUE(r.errors.contains("The profile snapshot could not be saved (" +
                                QString::fromStdString((folder_ / "no-such-folder").string())))
      << r.errors.toStdString();
  ExpectOnlyOwnMessages(r);

  // No display and no "-CLOSE": the program says so and ends instead of
  // waiting for a window nobody sees.
  r = RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond"))});
  ASSERT_TRUE(r.finished);
  EXPECT_NE(r.exitCode, 0);
  EXPECT_TRUE(r.errors.contains("-CLOSE"));
  ExpectOnlyOwnMessages(r);
}

// "-OVERVIEW=" recalls each layout from its file and saves its snapshot;
// "-PROFILE=" recalls the real setup.
TEST_F(BatchRunTest, OverviewLayoutsAndProfileSetupsComeFromTheirFiles) {
  const fs::path saved = folder_ / "appdata" / "Ondrik";
  fs::create_directories(saved);
  ondrik::saved::OverviewLayout a;
  a.chkTemperature = 1;
  a.chkRH = {1, 0};
  ondrik::saved::OverviewLayout b;
  b.chkWetBulb = 1;
  b.chkCAPE = 1;
  b.chkGridTime = 1;
  std::ofstream(saved / ondrik::saved::LayoutFileName(0), std::ios::binary) << ondrik::saved::WriteOverviewLayout(a);
  std::ofstream(saved / ondrik::saved::LayoutFileName(1), std::ios::binary) << ondrik::saved::WriteOverviewLayout(b);

  RunResult r = RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond")), "-PROFILE=A0", "-OVERVIEW=AB", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
  ASSERT_EQ(r.lines.size(), 3) << r.lines.join("\n").toStdString() << r.errors.toStdString();
  const QImage shotA(QString::fromStdString(File("nam_kokc_ondrikoverview_a.png")));
  const QImage shotB(QString::fromStdString(File("nam_kokc_ondrikoverview_b.png")));
  ASSERT_FALSE(shotA.isNull());
  ASSERT_FALSE(shotB.isNull());
  EXPECT_EQ(shotA.size(), shotB.size());
  EXPECT_NE(shotA, shotB);  // two layouts, two pictures
  int notBlack = 0, red = 0;
  CountPixels(shotA, notBlack, red);
  EXPECT_GT(notBlack, 20000);
  const QImage plain(QString::fromStdString(File("nam_kokc_ondrikprofile_a00.png")));
  ASSERT_FALSE(plain.isNull());

  // The same hour with a setup of the skewed chart; archive mode puts the
  // first valid time in front of the overview's names.
  ondrik::saved::DisplaySetup skew;
  skew.chkSkewT = 1;
  std::ofstream(saved / ondrik::saved::SetupFileName(0), std::ios::binary) << ondrik::saved::WriteDisplaySetup(skew);
  r = RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond")), "-PROFILE=A0", "-ARCHIVE", "-OVERVIEW=B", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
  ASSERT_EQ(r.lines.size(), 2) << r.lines.join("\n").toStdString();
  const fs::path archived = r.lines[1].trimmed().toStdString();
  EXPECT_EQ(archived.filename().string().substr(8), "_nam_kokc_ondrikoverview_b.png") << archived;
  const QImage skewed(QString::fromStdString(r.lines[0].trimmed().toStdString()));
  ASSERT_FALSE(skewed.isNull());
  EXPECT_NE(skewed, plain);

  // Two layouts that differ in the snow technique alone, at 60 %: both
  // snapshots shrink, and the snow ratio follows each layout's technique.
  ondrik::saved::OverviewLayout c;
  c.chkSnowRatio = 1;
  c.SnowTechnique = 0;
  ondrik::saved::OverviewLayout d = c;
  d.SnowTechnique = 2;
  std::ofstream(saved / ondrik::saved::LayoutFileName(2), std::ios::binary) << ondrik::saved::WriteOverviewLayout(c);
  std::ofstream(saved / ondrik::saved::LayoutFileName(3), std::ios::binary) << ondrik::saved::WriteOverviewLayout(d);
  r = RunOndrik(exe_, {QString::fromStdString(File("NAM_KOKC.ond")), "-SIZE=60", "-PROFILE=A0", "-OVERVIEW=CD", "-CLOSE"});
  ASSERT_TRUE(r.finished);
  ASSERT_EQ(r.lines.size(), 3) << r.lines.join("\n").toStdString() << r.errors.toStdString();
  const QImage smallProfile(QString::fromStdString(r.lines[0].trimmed().toStdString()));
  const QImage shotC(QString::fromStdString(r.lines[1].trimmed().toStdString()));
  const QImage shotD(QString::fromStdString(r.lines[2].trimmed().toStdString()));
  EXPECT_LT(smallProfile.width(), plain.width() * 2 / 3);
  EXPECT_LT(shotC.width(), shotA.width() * 3 / 4);
  EXPECT_LT(shotC.height(), shotA.height() * 2 / 3);
  EXPECT_EQ(shotD.size(), shotC.size());
  EXPECT_NE(shotD, shotC);
}

// A display is handed to a run only once it takes a connection: a server
// that tells its number a second before it serves it (as a busy machine's
// may, another program's servers starting beside it) is waited for.
TEST(VirtualDisplayTest, ADisplayIsGivenOnlyOnceItTakesAConnection) {
  const QString xvfb = QStandardPaths::findExecutable("Xvfb");
  if (xvfb.isEmpty()) GTEST_SKIP() << "no Xvfb (tools/install-deps.sh)";
  const fs::path folder = fs::path(ONDRIK_TEST_TMP) / "late-display";
  fs::create_directories(folder);
  const fs::path late = folder / "late-server.sh";
  std::ofstream(late) << "#!/bin/sh\n"
                         "n=700\n"
                         "while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done\n"
                         "echo $n\n"
                         "sleep 1\n"
                         "exec '"
                      << xvfb.toStdString() << "' :$n -screen 0 640x480x24 -nolisten tcp\n";
  fs::permissions(late, fs::perms::owner_all);
  VirtualDisplay display(QString::fromStdString(late.string()));
  const QString name = display.Usable();
  ASSERT_FALSE(name.isEmpty()) << display.Problem().toStdString();
  EXPECT_TRUE(AcceptsConnection(name));
  EXPECT_EQ(display.Usable(), name);  // the same server while it serves
}

}  // namespace
