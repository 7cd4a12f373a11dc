#include "platform/savefile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <system_error>

#include "tests/common/small_fs.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// A save replaces what a link points to and keeps the link, keeps the old
// file's permission bits, and leaves no temporary file; the strays a killed
// save left are the next start's to judge, not the save's.
TEST(SaveFileTest, SavesThroughLinksKeepPermissionsAndLeaveStraysAlone) {
  const fs::path dir = testing::TempFolderIn("savefile", "link");
  const fs::path real = dir / "real.cfg", link = dir / "Ondrik.cfg";
  std::ofstream(real) << "old\n";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real, link);
  const fs::path stray = real.string() + ".ondrik-999999999.tmp";
  std::ofstream(stray) << "stray\n";
  fs::last_write_time(stray, fs::file_time_type::clock::now() - std::chrono::hours(1));
  FakeEffects fx;
  std::string error;
  ASSERT_TRUE(SaveFileReplacing(link.string(), "new\n", fx, &error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Text(real), "new\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Names(dir), (std::set<std::string>{"real.cfg", "Ondrik.cfg", stray.filename().string()}));
}

// A disk that is full, or fills part-way through the file, fails the save
// with the system's own reason, whatever the file system took first.
TEST(SaveFileTest, AFullDiskIsReportedInTheSystemsWords) {
  const std::string bytes(64 * 1024, 'p');
  for (const testing::Trouble trouble : {testing::Trouble::FullDisk, testing::Trouble::AlmostFullDisk}) {
    SCOPED_TRACE(testing::TroubleName(trouble));
    const std::string dir = testing::TempFolderIn("savefile", "full");
    const std::string path = dir + "nam_kokc_ondrikprofile_a00.png";
    enum : int { kSaved = 1, kWrongWords, kEarlierChanged, kLeftBehind };
    const int code = testing::WithTrouble(
        dir, trouble,
        [&] {
          std::ofstream(path) << "earlier";
          return testing::kTroublePassed;
        },
        [&] {
          QtEffects real;
          std::string error;
          if (SaveFileReplacing(path, bytes, real, &error)) return int{kSaved};
          if (error != path + ": " + std::generic_category().message(ENOSPC)) return int{kWrongWords};
          if (Text(path) != "earlier") return int{kEarlierChanged};
          if (Names(dir) != std::set<std::string>{"filler", fs::path(path).filename().string()})
            return int{kLeftBehind};
          return testing::kTroublePassed;
        });
    if (code == testing::kTroubleCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(code, testing::kTroublePassed)
        << "1 saved, 2 not the system's words, 3 the earlier file changed, 4 a file left behind";
  }
}

}  // namespace
}  // namespace ondrik
