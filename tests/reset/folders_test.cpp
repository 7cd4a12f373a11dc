#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <optional>
#include <string>

#include "reset/folders.h"
#include "tests/common/temp_folder.h"

namespace wexfold {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// The same cases as Ondrik's own look-up: both programs must find the same file.
TEST(WexfoldFoldersTest, FindsFilesWhateverTheCase) {
  const QString dir = Q(ondrik::testing::TempFolderIn("reset", "nocase"));  // ends in "/"
  const QString bare = dir.chopped(1);
  for (const char* name : {"Ondrik.CFG", "a.OND", "b.ond", "c.onz", "readme"}) Touch(dir + name);
  QDir().mkpath(dir + "sub.ond");  // a folder, not a file

  const struct {
    QString folder, name, found;
  } cases[] = {
      {bare, "ondrik.cfg", bare + "/Ondrik.CFG"},
      {bare + "/", "ONDRIK.cfg", bare + "/Ondrik.CFG"},
      {bare, "b.ond", bare + "/b.ond"},
      {bare, "initial.cfg", ""},
      {bare, "SUB.OND", ""},
      {bare, "", ""},
      {bare + "/missing", "b.ond", ""},
      {"", "readme", ""},  // no folder is no folder, never the current one
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindFileNoCase(c.folder, c.name), c.found) << c.folder.toStdString() << " " << c.name.toStdString();
  }
}

class EnvKeeper {
 public:
  explicit EnvKeeper(const char* name) : name_(name) {
    if (const char* v = std::getenv(name)) old_ = v;
  }
  ~EnvKeeper() {
    if (old_) setenv(name_, old_->c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(WexfoldFoldersTest, SavedStateAndProgramFolders) {
  const EnvKeeper appData("APPDATA"), xdg("XDG_DATA_HOME"), home("HOME");
  const QString tmp = Q(ondrik::testing::TempFolderIn("reset", "state"));
  const struct {
    const char *appData, *xdg, *home;
    QString folder;
  } cases[] = {
      {"appdata", "xdg", "home", tmp + "appdata/Ondrik"},
      {"", "xdg/", "home", tmp + "xdg/Ondrik"},
      {nullptr, nullptr, "home", tmp + "home/.local/share/Ondrik"},
  };
  auto set = [&tmp](const char* name, const char* value) {
    if (value == nullptr) unsetenv(name);
    else setenv(name, *value ? (tmp.toStdString() + value).c_str() : "", 1);
  };
  for (const auto& c : cases) {
    set("APPDATA", c.appData);
    set("XDG_DATA_HOME", c.xdg);
    set("HOME", c.home);
    EXPECT_EQ(SavedStateFolder(), c.folder);
    EXPECT_FALSE(QDir(c.folder).exists());  // only deleted in, never made
  }

  // The program folder is the executable's, whatever the current folder.
  const QString kept = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(tmp));
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath());
  EXPECT_NE(QDir(ProgramFolder()).canonicalPath(), QDir(tmp).canonicalPath());
  QDir::setCurrent(kept);
}

}  // namespace
}  // namespace wexfold
