// The shipped configuration files and time-zone table cut at every byte
// offset. A cut configuration is refused with the file and a line of it named,
// or read with everything of the whole file up to the favourites; a cut table
// keeps the records before its last one as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/effects.h"
#include "config/config.h"
#include "profilewindow/timezone.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A new file each time: rewriting one in place makes some file systems
// flush it to disk at every close.
void WriteAll(const std::string& path, const std::string& text) {
  std::filesystem::remove(path);
  std::ofstream(path, std::ios::binary) << text;
}

TEST(TruncationSweep, ShippedConfigurationsCutAnywhere) {
  const std::string dir = testing::TempFolderIn("truncation", "config");
  for (const char* name : {"Ondrik.cfg", "Initial.cfg"}) {
    const std::string full = ReadAll(std::string(ONDRIK_DATA_DIR) + "/" + name);
    const ConfigResult whole = ReadConfigFile(std::string(ONDRIK_DATA_DIR) + "/" + name, dir);
    ASSERT_TRUE(whole.ok) << whole.message;
    const std::string path = dir + name;
    int refused = 0;
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
      WriteAll(path, full.substr(0, cut));
      const ConfigResult r = ReadConfigFile(path, dir);
      if (!r.ok) {
        ++refused;
        EXPECT_NE(r.message.find(path + ", line "), std::string::npos) << r.message;
        continue;
      }
      const Config& c = r.config;
      EXPECT_EQ(c.ModelNames, whole.config.ModelNames) << name << " cut at " << cut;
      EXPECT_EQ(c.ModelCodes, whole.config.ModelCodes) << name << " cut at " << cut;
      EXPECT_EQ(c.SigmaLevelPres, whole.config.SigmaLevelPres) << name << " cut at " << cut;
      EXPECT_LE(c.FavouriteCount, whole.config.FavouriteCount) << name << " cut at " << cut;
    }
    EXPECT_GT(refused, static_cast<int>(full.size()) / 2) << name;
  }
}

TEST(TruncationSweep, ShippedTimeZoneTableCutAnywhere) {
  FakeEffects fake;
  SetEffects(&fake);
  const std::string dir = testing::TempFolderIn("truncation", "timezone");
  const std::string full = ReadAll(std::string(ONDRIK_DATA_DIR) + "/TimeZone.DAT");
  ASSERT_GT(ReadTimeZoneFile(std::string(ONDRIK_DATA_DIR) + "/TimeZone.DAT"), 0);
  const auto whole = gTZRecords;
  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    WriteAll(dir + "TimeZone.DAT", full.substr(0, cut));
    const int n = ReadTimeZoneFile(dir + "TimeZone.DAT");
    ASSERT_LE(n, static_cast<int>(whole.size())) << cut;
    for (int i = 0; i + 1 < n; ++i) {
      EXPECT_EQ(gTZRecords[i].lat, whole[i].lat) << cut;
      EXPECT_EQ(gTZRecords[i].lon, whole[i].lon) << cut;
      EXPECT_EQ(gTZRecords[i].correction, whole[i].correction) << cut;
    }
  }
  EXPECT_TRUE(fake.messages.empty());
  gTZRecords.clear();
  SetEffects(nullptr);
}

}  // namespace
}  // namespace ondrik
