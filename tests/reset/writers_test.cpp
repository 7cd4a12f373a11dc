// The one file the reset utility writes, the copy of Initial.cfg over
// Ondrik.cfg, on a real file system that is full and in a program folder that
// cannot be written: the old configuration stays whole, nothing is left
// behind, and the user is told.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reset/effects.h"
#include "reset/frnwexfold.h"
#include "tests/common/small_fs.h"
#include "tests/common/temp_folder.h"

namespace wexfold {
namespace {

class RecordingEffects : public Effects {
 public:
  QStringList messages;
  void Message(QWidget*, const QString& text, const QString&) override { messages.push_back(text); }
  qint64 Write(QIODevice& file, const QByteArray& data) override { return file.write(data); }
};

std::map<QString, QByteArray> Contents(const QString& folder) {
  std::map<QString, QByteArray> out;
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
    QFile f(folder + name);
    out[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  return out;
}

bool Put(const QString& path, const QByteArray& text) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.flush();
}

enum : int { kEarlierFilesNotMade = 1, kConfigurationChanged, kNotReported, kBoxCleared };

TEST(WexfoldWritersTest, FullDiskAndReadOnlyFolderKeepTheOldConfiguration) {
  using ondrik::testing::Trouble;
  for (const Trouble trouble : {Trouble::FullDisk, Trouble::ReadOnlyFolder}) {
    SCOPED_TRACE(ondrik::testing::TroubleName(trouble));
    const std::string dir = ondrik::testing::TempFolderIn("reset_writers", "program");
    const QString program = QString::fromStdString(dir);
    const QString saved = QString::fromStdString(ondrik::testing::TempFolderIn("reset_writers", "saved"));
    RecordingEffects fx;
    frnWexfold window(fx, Folders{program, saved});
    // Initial.cfg larger than what is left of the full disk.
    const QByteArray initial = "Ondrik configuration\n" + QByteArray(6000, '#') + "\n";
    std::map<QString, QByteArray> earlier;
    const int code = ondrik::testing::WithTrouble(
        dir, trouble,
        [&] {
          if (!Put(program + "Initial.cfg", initial) || !Put(program + "Ondrik.cfg", "old configuration\n"))
            return int{kEarlierFilesNotMade};
          earlier = Contents(program);
          return ondrik::testing::kTroublePassed;
        },
        [&] {
          window.findChild<QCheckBox*>("chkConfig")->click();
          window.btnWexfold_Click();
          std::map<QString, QByteArray> now = Contents(program);
          now.erase("filler");
          if (now != earlier) return int{kConfigurationChanged};
          if (fx.messages.size() != 1 || !fx.messages[0].contains("Ondrik.cfg")) return int{kNotReported};
          if (!window.findChild<QCheckBox*>("chkConfig")->isChecked()) return int{kBoxCleared};
          return ondrik::testing::kTroublePassed;
        });
    if (code == ondrik::testing::kTroubleCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(code, ondrik::testing::kTroublePassed)
        << "1 earlier files not made, 2 the configuration changed, 3 not reported, 4 the box was cleared, "
           "78 no trouble made, 79 the child died";
  }
}

// Read-only saved-state and program folders (a read-only file system, which
// stops root too): the reset names every file it could not delete, with the
// system's reason, and leaves those boxes ticked; nothing is deleted.
TEST(WexfoldWritersTest, FilesThatCannotBeDeletedAreReportedAndKeepTheirBoxes) {
  enum : int { kFilesNotMade = 1, kFilesChanged, kBoxCleared, kNotReported };
  const std::string dir = ondrik::testing::TempFolderIn("reset_writers", "readonly");
  const QString program = QString::fromStdString(dir) + "program/";
  const QString saved = QString::fromStdString(dir) + "saved/";
  const std::vector<QString> savedFiles{"Ondrik.hst", "ONDRIK.HST", "Ondrik.SP0", "Ondrik.SO5", "ondrik.so9"};
  std::map<QString, QByteArray> earlier;
  const int code = ondrik::testing::WithTrouble(
      dir, ondrik::testing::Trouble::ReadOnlyFolder,
      [&] {
        bool made = QDir().mkpath(program) && QDir().mkpath(saved) && Put(program + "TimeZone.DAT", "zones\n");
        for (const QString& f : savedFiles) made = made && Put(saved + f, f.toUtf8());
        earlier = Contents(saved);
        return made ? ondrik::testing::kTroublePassed : int{kFilesNotMade};
      },
      [&] {
        RecordingEffects fx;
        frnWexfold window(fx, Folders{program, saved});
        const char* boxes[] = {"chkHistory", "chkMacros", "chkTime"};
        for (const char* b : boxes) window.findChild<QCheckBox*>(b)->click();
        window.btnWexfold_Click();
        if (Contents(saved) != earlier || !QFile::exists(program + "TimeZone.DAT")) return int{kFilesChanged};
        for (const char* b : boxes)
          if (!window.findChild<QCheckBox*>(b)->isChecked()) return int{kBoxCleared};
        const QString said = fx.messages.join("\n");
        if (fx.messages.size() != 3 || !said.contains("TimeZone.DAT")) return int{kNotReported};
        for (const QString& f : savedFiles)
          if (!said.contains(saved + f)) return int{kNotReported};
        if (said.count(QString::fromLocal8Bit(std::strerror(EROFS))) != 6) return int{kNotReported};
        return ondrik::testing::kTroublePassed;
      });
  if (code == ondrik::testing::kTroubleCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
  EXPECT_EQ(code, ondrik::testing::kTroublePassed)
      << "1 files not made, 2 files changed, 3 a box was cleared, 4 a file or the reason not reported, "
         "78 no trouble made, 79 the child died";
}

}  // namespace
}  // namespace wexfold
