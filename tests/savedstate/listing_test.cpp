// A folder is listed once while it stays as it was, and again as soon as a
// file is made, removed or renamed in it, so that no look-up misses a file
// that came later; a listing taken right after a change is used once only.
#include "savedstate/listing.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "../common/temp_folder.h"

namespace ondrik::saved {
namespace {

namespace fs = std::filesystem;

// The folder's modification time a minute back, as when nothing changed in
// it for a while.
void Settle(const std::string& dir) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  now.tv_sec -= 60;
  const timespec times[2] = {now, now};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.c_str(), times, 0), 0);
}

std::set<std::string> Files(const std::string& dir) {
  std::set<std::string> names;
  for (const FolderEntry& e : ListFolder(dir))
    if (e.file) names.insert(e.name);
  return names;
}

TEST(FolderListing, ListedOnceWhileTheFolderStaysAsItWas) {
  const std::string dir = testing::TempFolderIn("listing", "steps");
  std::ofstream(dir + "Ondrik.cfg") << "x";
  fs::create_directories(dir + "help");
  fs::create_symlink(dir + "Ondrik.cfg", dir + "link.cfg");
  const auto make = [&](const char* name) { std::ofstream(dir + name) << "x"; };
  const struct {
    const char* step;
    std::function<void()> change;
    bool listed;  // listed anew
    std::set<std::string> files;
  } steps[] = {
      {"a settled folder, first look", [&] { Settle(dir); }, true, {"Ondrik.cfg", "link.cfg"}},
      {"nothing changed", [] {}, false, {"Ondrik.cfg", "link.cfg"}},
      {"a file made (the downloader's)", [&] { make("NAM_KBOS.ond"); }, true, {"Ondrik.cfg", "link.cfg", "NAM_KBOS.ond"}},
      {"nothing since, the change a moment old", [] {}, true, {"Ondrik.cfg", "link.cfg", "NAM_KBOS.ond"}},
      {"settled", [&] { Settle(dir); }, true, {"Ondrik.cfg", "link.cfg", "NAM_KBOS.ond"}},
      {"nothing since", [] {}, false, {"Ondrik.cfg", "link.cfg", "NAM_KBOS.ond"}},
      {"a file renamed", [&] { fs::rename(dir + "NAM_KBOS.ond", dir + "nam_kbos.OND"); Settle(dir); }, true,
       {"Ondrik.cfg", "link.cfg", "nam_kbos.OND"}},
      {"a file removed", [&] { fs::remove(dir + "link.cfg"); Settle(dir); }, true, {"Ondrik.cfg", "nam_kbos.OND"}},
      {"nothing changed at the end", [] {}, false, {"Ondrik.cfg", "nam_kbos.OND"}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.change();
    const long before = FolderListings(dir);
    EXPECT_EQ(Files(dir), s.files);
    EXPECT_EQ(FolderListings(dir) - before, s.listed ? 1 : 0);
  }
  // A folder is an entry, not a file; what is no folder has none.
  const FolderEntries entries = ListFolder(dir);
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.name == "help" && !e.file; }));
  EXPECT_TRUE(ListFolder(dir + "missing").empty());
  EXPECT_TRUE(ListFolder(dir + "Ondrik.cfg").empty());
}

}  // namespace
}  // namespace ondrik::saved
