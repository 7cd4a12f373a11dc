#include "platform/savefile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "savedstate/safefile.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

// A save replaces what a link points to and keeps the link, keeps the old
// file's permission bits, and leaves no temporary file; a stray of the same
// file (its process ended long ago) is removed, one of another file stays.
TEST(SaveFileTest, SavesThroughLinksKeepPermissionsAndTidyStrays) {
  const fs::path dir = testing::TempFolderIn("savefile", "link");
  const fs::path real = dir / "real.cfg", link = dir / "Ondrik.cfg";
  std::ofstream(real) << "old\n";
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(real, link);
  const fs::path stray = real.string() + ".ondrik-999999999.tmp", other = dir / "other.cfg.ondrik-999999999.tmp";
  for (const fs::path& p : {stray, other}) {
    std::ofstream(p) << "stray\n";
    fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  FakeEffects fx;
  std::string error;
  ASSERT_TRUE(SaveFileReplacing(link.string(), "new\n", fx, &error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Text(real), "new\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(fs::exists(saved::TemporaryPathFor(real.string())));
  EXPECT_FALSE(fs::exists(stray));
  EXPECT_TRUE(fs::exists(other));
}

}  // namespace
}  // namespace ondrik
