#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <string>

#include "reset/folders.h"
#include "tests/common/temp_folder.h"

namespace wexfold {
namespace {

// The same cases as Ondrik's own look-up: both programs must find the same file.
TEST(WexfoldFoldersTest, FindsFilesWhateverTheCase) {
  const QString dir = QString::fromStdString(ondrik::testing::TempFolderIn("reset", "nocase")).chopped(1);
  for (const char* name : {"Ondrik.CFG", "a.OND", "b.ond", "c.onz", "readme"}) {
    QFile f(dir + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  QDir().mkpath(dir + "/sub.ond");  // a folder, not a file
  ASSERT_TRUE(QDir::setCurrent(dir));  // left changed: no later test reads it
  const struct {
    QString folder, name, found;
  } cases[] = {
      {dir, "ondrik.cfg", dir + "/Ondrik.CFG"}, {dir + "/", "ONDRIK.cfg", dir + "/Ondrik.CFG"},
      {dir, "b.ond", dir + "/b.ond"},           {dir, "initial.cfg", ""},
      {dir, "SUB.OND", ""},                     {dir, "", ""},
      {dir + "/missing", "b.ond", ""},          {"", "readme", ""},  // never the current folder
  };
  for (const auto& c : cases) EXPECT_EQ(FindFileNoCase(c.folder, c.name), c.found) << c.name.toStdString();
}

TEST(WexfoldFoldersTest, SavedStateAndProgramFolders) {
  const QString tmp = QString::fromStdString(ondrik::testing::TempFolderIn("reset", "state"));
  const struct {
    const char *appData, *xdg;
    QString folder;
  } cases[] = {
      {"appdata", "xdg", tmp + "appdata/Ondrik"},
      {"", "xdg/", tmp + "xdg/Ondrik"},  // an empty APPDATA counts as none
      {nullptr, nullptr, tmp + "home/.local/share/Ondrik"},
  };
  auto set = [&tmp](const char* name, const char* value) {
    if (value == nullptr) unsetenv(name);
    else setenv(name, *value ? (tmp.toStdString() + value).c_str() : "", 1);
  };
  // The environment and the current folder are left changed: no later test reads them.
  set("HOME", "home");
  for (const auto& c : cases) {
    set("APPDATA", c.appData);
    set("XDG_DATA_HOME", c.xdg);
    EXPECT_EQ(SavedStateFolder(), c.folder);
    EXPECT_FALSE(QDir(c.folder).exists());  // deleted in, never made
  }

  ASSERT_TRUE(QDir::setCurrent(tmp));
  // A relative APPDATA is taken against the current folder, as Ondrik takes it.
  setenv("APPDATA", "relative/appdata", 1);
  EXPECT_EQ(SavedStateFolder(), tmp + "relative/appdata/Ondrik");
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath());
  EXPECT_NE(QDir(ProgramFolder()).canonicalPath(), QDir(tmp).canonicalPath());
}

}  // namespace
}  // namespace wexfold
