// A full disk under every file the profile window saves: the snapshot, the
// text export and the time-zone table. The fake effects layer plays the disk:
// it takes a given number of bytes and then fails the write, as a full file
// system does. Each save must fail, say so, keep the earlier file whole and
// leave no temporary file behind; a batch run with such a save ends with 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <utility>

#include "core/store.h"
#include "platform/effects.h"
#include "profilewindow/export.h"
#include "profilewindow/snapshot.h"
#include "profilewindow/timezone.h"
#include "tests/common/temp_folder.h"
#include "tests/core/sounding.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::set<std::string> FilesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

class FullDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<ProfileStore>();
    override_ = std::make_unique<StoreOverride>(*store_);
    testing::SetSounding(1, 0, {{1000.0f, 20, 15, 180, 10, 110}, {850.0f, 5, 0, 270, 35, 1500}});
    gDatasetCount = 1;
    gCurDataset = 1;
    gValidTime(1, 0) = DateTime{2023, 12, 5, 12, 0};
    SetEffects(&fake_);
  }
  void TearDown() override {
    SetEffects(nullptr);
    override_.reset();
    gDatasetCount = 0;
    gTZRecords.clear();
  }
  std::unique_ptr<ProfileStore> store_;
  std::unique_ptr<StoreOverride> override_;
  FakeEffects fake_;
};

TEST_F(FullDiskTest, SavesFailWholeAndKeepTheEarlierFiles) {
  PictureBox chart(300, 200);
  chart.BackColor = RGB(255, 255, 255);
  chart.Cls();
  SnapshotRequest req;
  req.name = "A";
  req.modelName = "NAM";
  req.siteId = "KBOS";
  const struct {
    const char* what;
    std::vector<std::string> files;  // what the save writes, in the folder
    std::function<bool(const std::string& dir)> save;
  } savers[] = {
      {"snapshot", {"nam_kbos_ondrikprofile_a00.png"},
       [&](const std::string& dir) {
         req.snapshotDir = dir;
         return ProfileSnap(chart, nullptr, req, nullptr, fake_).ok;
       }},
      {"export", {"NAM_KBOS_231205_12z_F00.nsp", "NAM_KBOS_231205_12z_F00.bsp"},
       [&](const std::string& dir) { return ExportProfile(dir, "NAM", "KBOS", 0, fake_).ok; }},
      {"time-zone table", {"TimeZone.DAT"},
       [&](const std::string& dir) {
         gTZRecords = {{35.39f, 97.6f, -1}, {42.36f, 71.01f, 0}};
         return WriteTimeZoneFile(dir + "TimeZone.DAT");
       }},
  };
  for (const auto& s : savers) {
    // Nothing fits, or the disk fills up part-way through the first file;
    // over an earlier copy, or the first save of the file.
    for (const auto& [space, again] : {std::pair{0LL, true}, {20LL, true}, {0LL, false}, {20LL, false}}) {
      SCOPED_TRACE(std::string(s.what) + ", " + std::to_string(space) + " bytes free" + (again ? "" : ", first save"));
      const std::string dir = testing::TempFolderIn("fulldisk", s.what);
      fake_.diskSpace = -1;
      if (again) {
        ASSERT_TRUE(s.save(dir));
      }
      std::vector<std::string> earlier;
      for (const auto& f : s.files) earlier.push_back(again ? ReadAll(dir + f) : std::string());
      const std::set<std::string> before = FilesIn(dir);

      fake_.diskSpace = space;
      fake_.messages.clear();
      EXPECT_FALSE(s.save(dir));
      ASSERT_EQ(fake_.messages.size(), 1u);
      EXPECT_NE(fake_.messages[0].text.find(dir), std::string::npos) << fake_.messages[0].text;
      // In the system's own words, as every save says it, and the previous
      // copy named only when there is one.
      EXPECT_TRUE(fake_.messages[0].text.ends_with(again ? ": No space left on device); the previous copy is kept."
                                                         : ": No space left on device)."))
          << fake_.messages[0].text;
      for (std::size_t i = 0; i < s.files.size(); ++i) EXPECT_EQ(ReadAll(dir + s.files[i]), earlier[i]) << s.files[i];
      EXPECT_EQ(FilesIn(dir), before);  // no temporary file left behind
    }
  }
  // A time-zone record whose numbers no single-precision value holds is
  // skipped on reading, never written back as "inf".
  const std::string dir = testing::TempFolderIn("fulldisk", "inf");
  std::ofstream(dir + "TimeZone.DAT") << " 35.39  97.6  -1\n 1e39  97.6  1\n 35.0  -1e300  1\n 42.36  71.01  0\n";
  EXPECT_EQ(ReadTimeZoneFile(dir + "TimeZone.DAT"), 2);
  fake_.diskSpace = -1;
  ASSERT_TRUE(WriteTimeZoneFile(dir + "TimeZone.DAT"));
  EXPECT_EQ(ReadAll(dir + "TimeZone.DAT").find("inf"), std::string::npos);
}

using testing::ProfileWindowTest;

TEST_F(ProfileWindowTest, BatchOnAFullDiskEndsWithStatusOneAndKeepsTheEarlierSnapshot) {
  win_ = std::make_unique<frmProfile>();
  ASSERT_TRUE(win_->Form_Load({"NAM_KBOS.ond", "-PROFILE=A0", "-CLOSE"}));
  ASSERT_EQ(fx_.endCalls, std::vector<int>{0});
  const fs::path png = folder_ / "nam_kbos_ondrikprofile_a00.png";
  const std::string earlier = ReadAll(png);
  ASSERT_FALSE(earlier.empty());

  fx_.endCalls.clear();
  fx_.diskSpace = 1000;
  win_ = std::make_unique<frmProfile>();
  ASSERT_TRUE(win_->Form_Load({"NAM_KBOS.ond", "-PROFILE=A0", "-CLOSE"}));
  EXPECT_EQ(fx_.endCalls, std::vector<int>{1});
  EXPECT_EQ(ReadAll(png), earlier);
  bool told = false;
  for (const auto& m : fx_.messages) told = told || m.text.find(png.filename().string()) != std::string::npos;
  EXPECT_TRUE(told);
}

}  // namespace
}  // namespace ondrik
