#include "profilewindow/timezone.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/store.h"
#include "platform/effects.h"
#include "config/config.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("timezone", name); }

// Installs a recording effects layer for one test and restores the table.
class TimeZoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEffects(&fake_);
    savedCount_ = gDatasetCount;
  }
  void TearDown() override {
    SetEffects(nullptr);
    gTZRecords.clear();
    gTZRow = -1;
    gTZConfigOffset = 0;
    gDatasetCount = savedCount_;
  }
  FakeEffects fake_;
  int savedCount_ = 0;
};

TEST_F(TimeZoneTest, TableCorrectionAndSummerHour) {
  const std::vector<TimeZoneRecord> table = {
      {35.39f, 97.6f, -1},  // Oklahoma City keeps Central time
      {35.39f, 97.6f, 3},   // a second record for the same site does not count
      {42.36f, 71.01f, 0},
  };
  int row = 99;
  EXPECT_EQ(TimeZoneOffsetFor(table, 35.39f, 97.6f, 0, row), 6);
  EXPECT_EQ(row, 0);
  EXPECT_EQ(TimeZoneOffsetFor(table, 35.39f, 97.6f, 1, row), 5);
  // Latitude and longitude must both be equal.
  EXPECT_EQ(TimeZoneOffsetFor(table, 35.4f, 97.6f, 0, row), 7);
  EXPECT_EQ(row, -1);
  EXPECT_EQ(TimeZoneOffsetFor(table, 42.36f, 71.01f, 0, row), 5);
  EXPECT_EQ(row, 2);
  // No record, summer time: 75 W gives 4.
  EXPECT_EQ(TimeZoneOffsetFor({}, 40.0f, 75.0f, 1, row), 4);

  // Through the profile store, for the dataset just loaded.
  gTZRecords = table;
  gTZConfigOffset = 0;
  gDatasetCount = 2;
  gSiteLat(2) = 35.39f;
  gSiteLon(2) = 97.6f;
  GetTimeZoneOffset();
  EXPECT_EQ(gTZOffset, 6);
  EXPECT_EQ(gTZRow, 0);

  // Adjusting: one hour later for this site, then reloading gives the new offset.
  const std::string path = TempFolder("adjust") + "TimeZone.DAT";
  ASSERT_TRUE(AdjustTimeZoneOffset(+1, path));
  EXPECT_EQ(gTZOffset, 7);
  EXPECT_EQ(gTZRecords[0].correction, 0);
  ASSERT_EQ(ReadTimeZoneFile(path), 3);
  GetTimeZoneOffset();
  EXPECT_EQ(gTZOffset, 7);

  // A site without a record gets one appended; with summer time the correction
  // excludes the summer hour.
  gTZConfigOffset = 1;
  gSiteLat(2) = 39.77f;
  gSiteLon(2) = 104.87f;  // Denver: longitude zone 7, summer offset 6
  GetTimeZoneOffset();
  EXPECT_EQ(gTZOffset, 6);
  EXPECT_EQ(gTZRow, -1);
  ASSERT_TRUE(AdjustTimeZoneOffset(-1, path));
  EXPECT_EQ(gTZRow, 3);
  EXPECT_EQ(gTZRecords[3].correction, -1);
  GetTimeZoneOffset();
  EXPECT_EQ(gTZOffset, 5);
  EXPECT_TRUE(fake_.messages.empty());
}

TEST_F(TimeZoneTest, FileReadingWritingAndTheRecordCap) {
  const std::string dir = TempFolder("file");
  EXPECT_EQ(ReadTimeZoneFile(dir + "missing.DAT"), 0);

  // Written records read back exactly (they are matched by equality).
  gTZRecords = {{35.39f, 97.6f, -1}, {-33.87f, -151.21f, 1}, {0.1f, 0.0f, 0}};
  const auto written = gTZRecords;
  ASSERT_TRUE(WriteTimeZoneFile(dir + "TimeZone.DAT"));
  gTZRecords.clear();
  ASSERT_EQ(ReadTimeZoneFile(dir + "TimeZone.DAT"), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(gTZRecords[i].lat, written[i].lat);
    EXPECT_EQ(gTZRecords[i].lon, written[i].lon);
    EXPECT_EQ(gTZRecords[i].correction, written[i].correction);
  }
  // Print zones: the numbers' sign places at columns 1, 15 and 29.
  const std::string rec = FormatTimeZoneRecord(written[0]);
  EXPECT_EQ(rec.substr(0, 7), " 35.39 ");
  EXPECT_EQ(rec.substr(14, 6), " 97.6 ");
  EXPECT_EQ(rec.substr(28), "-1 ");

  // Commas, blanks and lines that are not records.
  {
    std::ofstream out(dir + "mixed.DAT");
    out << "35.39, 97.6, -1\r\n\r\nnot a record\r\n42.36 71.01 0\r\n1 2\r\n"
        << " 34.39   8.88e53  35239\r\n1e39,1,1\r\n";  // positions beyond a float
  }
  EXPECT_EQ(ReadTimeZoneFile(dir + "mixed.DAT"), 2);
  EXPECT_TRUE(fake_.messages.empty());

  // 301 records: the first 300 are kept and the user is told.
  {
    std::ofstream out(dir + "big.DAT");
    for (int i = 0; i < 301; ++i) out << " " << i * 0.1 << "  90  1\n";
  }
  EXPECT_EQ(ReadTimeZoneFile(dir + "big.DAT"), kMaxTimeZoneRecords);
  ASSERT_EQ(fake_.messages.size(), 1u);
  EXPECT_NE(fake_.messages[0].text.find("300"), std::string::npos);

  // A full table refuses a 301st site but the offset still changes for this run.
  gDatasetCount = 1;
  gSiteLat(1) = 50.5f;
  gSiteLon(1) = 10.0f;
  GetTimeZoneOffset();
  const int before = gTZOffset;
  EXPECT_FALSE(AdjustTimeZoneOffset(+1, dir + "big.DAT"));
  EXPECT_EQ(gTZOffset, before + 1);
  EXPECT_EQ(gTZRecords.size(), 300u);
  EXPECT_EQ(fake_.messages.size(), 2u);

  // The shipped table reads without complaint.
  EXPECT_GT(ReadTimeZoneFile(std::string(ONDRIK_DATA_DIR) + "/TimeZone.DAT"), 0);
  EXPECT_EQ(fake_.messages.size(), 2u);
}

TEST_F(TimeZoneTest, LocalTimeOfAValidTime) {
  // 03 UTC on 13 March is 22:00 on 12 March five hours west.
  const DateTime v{2012, 3, 13, 3, 0};
  EXPECT_EQ(LocalTimeOf(v, 5), (DateTime{2012, 3, 12, 22, 0}));
  // East of Greenwich across the year's end.
  EXPECT_EQ(LocalTimeOf(DateTime{2012, 12, 31, 23, 30}, -2), (DateTime{2013, 1, 1, 1, 30}));
  // Across the end of February in a leap year.
  EXPECT_EQ(LocalTimeOf(DateTime{2012, 3, 1, 2, 0}, 6), (DateTime{2012, 2, 29, 20, 0}));

  // 18:00 UTC on Monday 12 March 2012, five hours west: 1 pm the same day.
  EXPECT_EQ(LocalTimeLabel(DateTime{2012, 3, 12, 18, 0}, 5), "Monday    Mar 12  1:00 pm");
  EXPECT_EQ(LocalTimeLabel(DateTime{2012, 3, 13, 4, 5}, 5), "Monday    Mar 12  11:05 pm");
  EXPECT_EQ(LocalTimeLabel(DateTime{2012, 3, 13, 5, 0}, 5), "Tuesday    Mar 13  12:00 am");
  EXPECT_EQ(LocalTimeLabel(DateTime{}, 5), "");

  const DateTime now = ComputerNow();
  EXPECT_GE(now.year, 2024);
  EXPECT_TRUE(IsValidDateTime(now.year, now.month, now.day, now.hour, now.minute));
}

TEST_F(TimeZoneTest, SiteNowFollowsTheClockSettings) {
  // Zone hours west minus the summer hour, as configuration line 6 gives them.
  const DateTime computer{2023, 12, 31, 22, 30};
  const struct {
    bool local;
    int zone, summer;
    DateTime utc;
  } cases[] = {
      {true, 5, 1, {2024, 1, 1, 2, 30}},    // local clock 5 W in summer time: plus 4 hours
      {true, 5, 0, {2024, 1, 1, 3, 30}},
      {true, -2, 0, {2023, 12, 31, 20, 30}},  // 2 E: 2 hours behind
      {false, 5, 1, computer},               // the clock keeps UTC
  };
  for (const auto& c : cases) EXPECT_EQ(SiteNow(c.local, c.zone - c.summer, computer), c.utc) << c.zone;
}

}  // namespace
}  // namespace ondrik
