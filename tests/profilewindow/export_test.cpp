#include "profilewindow/export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/store.h"
#include "platform/effects.h"
#include "tests/core/sounding.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using testing::Level;
using testing::SetSounding;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("export", name); }

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<ProfileStore>();
    override_ = std::make_unique<StoreOverride>(*store_);
    gDatasetCount = 0;
    gCurDataset = 1;
    SetEffects(&fake_);
  }
  void TearDown() override {
    SetEffects(nullptr);
    override_.reset();
    gDatasetCount = 0;
    gCurDataset = 1;
  }
  // Dataset 1 (shown) and a different dataset 2 (the last one of the file).
  void LoadTwoDatasets() {
    SetSounding(1, 3,
                {{1000.0f, 20.5f, 15.25f, 180, 10, 110},
                 {850.0f, -5.5f, -10.125f, 270, 35.5f, 1500},
                 {500.0f, -12345.5f, -30, 275, 123456.75f, 5800}});
    SetSounding(2, 3, {{990.0f, 1, 0, 90, 5, 200}});
    gCurDataset = 1;
    gValidTime(1, 0) = DateTime{2023, 12, 5, 12, 0};
    gValidTime(1, 3) = DateTime{2023, 12, 6, 3, 30};
    gValidTime(2, 0) = DateTime{2024, 1, 1, 0, 0};
    gValidTime(2, 3) = DateTime{2024, 1, 1, 9, 0};
    gSiteLat(1) = 42.36f;
    gSiteLon(1) = 71.01f;  // west positive
  }

  std::unique_ptr<ProfileStore> store_;
  std::unique_ptr<StoreOverride> override_;
  FakeEffects fake_;
};

TEST_F(ExportTest, NamesAndNumberFormats) {
  const DateTime run{2023, 12, 5, 12, 0};
  EXPECT_EQ(ExportBaseName("nam", "abc", run, 3), "nam_abc_231205_12z_F03");
  EXPECT_EQ(ExportBaseName("nam", "abc", run, 100), "nam_abc_231205_12z_F100");

  EXPECT_EQ(FormatFixed(-5.5, 6), "-5.500000");
  EXPECT_EQ(FormatFixed(-5.5, 2), "-5.50");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");     // no "-0.00"
  EXPECT_EQ(FormatFixed(-10.125, 2), "-10.13");  // halves away from zero
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(-9999, 6), "-9999.000000");
}

TEST_F(ExportTest, GoldenTextsOfTheShownDataset) {
  LoadTwoDatasets();
  const std::string nsp =
      "OBS BUFRUA  KBOS 2023-12-06 03:30:00  LAT=42.36000 LON=-71.01000\n"
      "PRESSURE  HGHT\t   TEMP\t  DWPT    WDIR     WSPD    OMEG\n"
      "1000.000000  110.000000  20.500000  15.250000  180.000000  10.000000  -9999.000000\n"
      "850.000000  1500.000000  -5.500000  -10.125000  270.000000  35.500000  -9999.000000\n"
      "500.000000  5800.000000  -12345.500000  -30.000000  275.000000  123456.750000  -9999.000000\n";
  EXPECT_EQ(NspText(1, 3, "KBOS"), nsp);

  const std::string bsp =
      "%TITLE%\r\n"
      " KBOS   231206/0330\r\n"
      "\r\n"
      "   LEVEL       HGHT       TEMP       DWPT       WDIR       WSPD\r\n"
      "-------------------------------------------------------------------\r\n"
      "%RAW%\r\n"
      " 1000.00,    110.00,     20.50,     15.25,    180.00,     10.00\r\n"
      "  850.00,   1500.00,     -5.50,    -10.13,    270.00,     35.50\r\n"
      // Values longer than 8 columns keep their sign and leading digits.
      "  500.00,   5800.00,  -12345.50,    -30.00,    275.00,  123456.75\r\n"
      "%END%\r\n"
      "\r\n";
  EXPECT_EQ(BspText(1, 3, "KBOS"), bsp);

  // A site east of Greenwich has a positive LON.
  gSiteLon(1) = -8.5f;
  EXPECT_NE(NspText(1, 3, "KBOS").find(" LON=8.50000\n"), std::string::npos);
  gSiteLon(1) = 71.01f;

  // The button writes the shown dataset (1), not the last one (2), into a
  // folder given without its trailing separator.
  const std::string dir = TempFolder("golden");
  const ExportResult r = ExportProfile(dir.substr(0, dir.size() - 1), "NAM", "KBOS", 3, fake_);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.nspPath, dir + "NAM_KBOS_231205_12z_F03.nsp");
  EXPECT_EQ(r.bspPath, dir + "NAM_KBOS_231205_12z_F03.bsp");
  EXPECT_EQ(ReadAll(r.nspPath), nsp);
  EXPECT_EQ(ReadAll(r.bspPath), bsp);
  EXPECT_TRUE(fake_.messages.empty());
  // Only the two exports are left in the folder (no temporary files).
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 2);
}

TEST_F(ExportTest, RefusalsAndFailedWrites) {
  // Nothing loaded: a message, no file.
  const std::string dir = TempFolder("refuse");
  ExportResult r = ExportProfile(dir, "NAM", "KBOS", 0, fake_);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(fake_.messages.size(), 1u);
  EXPECT_TRUE(fs::is_empty(dir));

  LoadTwoDatasets();
  // An hour beyond the last one is refused too.
  r = ExportProfile(dir, "NAM", "KBOS", 4, fake_);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(fake_.messages.size(), 2u);

  // A folder that does not exist: reported, not claimed as written.
  r = ExportProfile(dir + "missing/", "NAM", "KBOS", 3, fake_);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(fake_.messages.size(), 3u);
  EXPECT_NE(fake_.messages.back().text.find("missing"), std::string::npos);

  // Exporting again replaces the earlier files.
  ASSERT_TRUE(ExportProfile(dir, "NAM", "KBOS", 3, fake_).ok);
  const std::string nsp = ReadAll(dir + "NAM_KBOS_231205_12z_F03.nsp");
  gTemp(1, 3, 1) = 21.0f;
  ASSERT_TRUE(ExportProfile(dir, "NAM", "KBOS", 3, fake_).ok);
  EXPECT_NE(ReadAll(dir + "NAM_KBOS_231205_12z_F03.nsp"), nsp);
}

}  // namespace
}  // namespace ondrik
