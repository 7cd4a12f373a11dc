#include "profilewindow/models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "profilewindow/timezone.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("models", name); }

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The head of a profile file: title, two lines, a short line, the first
// hour's header and its site line.
std::string ProfileHead(const std::string& time, const std::string& siteLine) {
  return "NAM 12Z run for KBOS\r\n"
         "STATION KBOS\r\n"
         "\r\n"
         "  header line\r\n"
         "  TIME = " + time + "   HOUR = 0\r\n" + siteLine + "\r\n  more lines\r\n";
}

Config TwoModelConfig() {
  Config c;
  c.ConfigProfileDir = "/profiles/";
  c.ModelNames = {"nam", "RAP", "GFS", "Odd"};
  c.ModelCodes = {"eta", "ruc", "gfs3", "ETA"};
  c.ModelCount = 4;
  c.TimeScaleNames = {"NAM", "odd"};
  c.TimeScaleSteps = {{12, 24, 36, 48}, {1, 2, 3, 4}};
  c.TimeScaleCount = 2;
  return c;
}

TEST(Models, ParametersByKeyAndTimeScaleOverride) {
  ModelParams p;
  ASSERT_TRUE(ModelParamsForKey("gfs3", p));
  // Three hours an index: 24, 40, 56, 60 indexes are 72, 120, 168, 180 hours.
  EXPECT_EQ(p.gModelHourStep * p.gOverviewWindowSteps[3], 180);
  EXPECT_FALSE(ModelParamsForKey("ETA", p));  // keys are compared exactly

  const Config cfg = TwoModelConfig();
  ModelState s;
  // An unknown key first: nothing is set but the name; the folder stays empty.
  ASSERT_TRUE(SelectModel(cfg, 3, s));
  EXPECT_EQ(s.gModelName, "Odd");
  EXPECT_EQ(s.gProfileDir, "");
  EXPECT_EQ(s.params.gSigmaLevelStep, 0);
  // The configuration's row still overrides the windows, whatever the key.
  EXPECT_EQ(s.params.gOverviewWindowSteps, (std::array<int, 4>{1, 2, 3, 4}));

  // "nam" takes the eta parameters and the NAM row of the configuration.
  ASSERT_TRUE(SelectModel(cfg, 0, s));
  EXPECT_EQ(s.gProfileDir, "/profiles/");
  EXPECT_FLOAT_EQ(s.params.gInversionDT, 0.5f);
  EXPECT_EQ(s.params.gOverviewWindowSteps, (std::array<int, 4>{12, 24, 36, 48}));
  // GFS has no row: its own windows.
  ASSERT_TRUE(SelectModel(cfg, 2, s));
  EXPECT_EQ(s.params.gOverviewWindowSteps, (std::array<int, 4>{24, 40, 56, 60}));
  // Unknown key after GFS: the GFS parameters stay in force.
  ASSERT_TRUE(SelectModel(cfg, 3, s));
  EXPECT_EQ(s.gModelIndex, 3);
  EXPECT_EQ(s.params.gModelHourStep, 3);
  EXPECT_FALSE(SelectModel(cfg, 4, s));
  EXPECT_FALSE(SelectModel(cfg, -1, s));
  EXPECT_EQ(s.gModelIndex, 3);
}

TEST(Models, SiteFilesFavouritesAndOrder) {
  const std::string dir = TempFolder("sites");
  for (const char* name : {"eta_kbos.ond", "eta_x_kbos.ond", "ETA_KALB.OND", "ruc_kokc.ond", "eta_notes.txt"})
    WriteFile(dir + name, "x");
  std::vector<std::string> sites = FindSiteFiles(dir, "eta");
  std::sort(sites.begin(), sites.end());
  EXPECT_EQ(sites, (std::vector<std::string>{"KALB", "kbos"}));
  EXPECT_EQ(BuildSiteRows(sites, {}), (std::vector<std::string>{"KALB", "KBOS"}));
  EXPECT_TRUE(FindSiteFiles(dir, "gfs").empty());

  // Favourites own one row each in configuration order; trailing blank rows go.
  EXPECT_EQ(BuildSiteRows({"KALB"}, {"KBOS", "   ", "KALB"}),
            (std::vector<std::string>{" ", " ", "KALB"}));
  EXPECT_EQ(BuildSiteRows({"KBOS"}, {"KBOS", "   ", "KALB"}), (std::vector<std::string>{"KBOS"}));
  // A favourite matches the first site containing it, any case; not listed twice.
  EXPECT_EQ(BuildSiteRows({"kalb", "kbos", "KOKC"}, {"BO"}),
            (std::vector<std::string>{"KBOS", "KOKC", "KALB"}));
  // The rest by code unit of the names as found: capitals before lower case.
  EXPECT_EQ(BuildSiteRows({"kalb", "KBOS", "9ab"}, {}), (std::vector<std::string>{"9AB", "KBOS", "KALB"}));

  EXPECT_EQ(ChooseSiteRow({" ", "KBOS", "KALB"}, "KALB"), 2);
  EXPECT_EQ(ChooseSiteRow({" ", "KBOS", "KALB"}, "xxx"), 1);
  EXPECT_EQ(ChooseSiteRow({" ", "KBOS"}, "kbos"), 1);  // exact comparison: no match, first site
  EXPECT_EQ(ChooseSiteRow({}, "KBOS"), -1);

  // The path uses the file's own name, whatever its case.
  EXPECT_EQ(SiteFilePath(dir, "eta", "KALB"), dir + "ETA_KALB.OND");
  EXPECT_EQ(SiteFilePath(dir, "eta", " "), "");
  EXPECT_EQ(SiteCaption("KBOS", "NAM"), "KBOS - NAM - ONDRIK");
}

TEST(Models, SiteListWithMapPassOnAFolder) {
  const std::string dir = TempFolder("fill");
  WriteFile(dir + "NAM_KBOS.ond", ProfileHead("120312/1759", "  SLAT =  42.36  SLON =  -71.01  SELV =   5.0"));
  WriteFile(dir + "nam_kokc.ond", ProfileHead("291231/0000", "  SLAT =  35.39  SLON =  -97.60  SELV = 390.0"));
  WriteFile(dir + "NAM_KALB.ond", "NAM 12Z run for KALB\r\nSTATION KA");  // half-written
  WriteFile(dir + "NAM_KBUF.ond", ProfileHead("12 3 1/1800", "  SLAT =  42.9  SLON =  -78.7"));  // bad time

  Config cfg;
  cfg.ConfigProfileDir = dir;
  cfg.ModelNames = {"NAM"};
  cfg.ModelCodes = {"eta"};
  cfg.FavouriteSites = {"KOKC", "   ", "KXXX"};
  ModelState s;
  ASSERT_TRUE(SelectModel(cfg, 0, s));

  const DateTime now{2012, 3, 13, 0, 30};
  const SiteList list = FillSiteList(cfg, s, "KBOS", now);
  EXPECT_EQ(list.SiteFileCount, 4);
  EXPECT_EQ(list.rows, (std::vector<std::string>{"KOKC", "KALB", "KBOS", "KBUF"}));
  EXPECT_EQ(list.selectedRow, 2);
  EXPECT_TRUE(list.message.empty());

  // Sites whose first hour cannot be read stay listed but are not on the map.
  ASSERT_EQ(list.mapSites.size(), 2u);
  EXPECT_EQ(list.mapSites[0].row, 0);
  EXPECT_FLOAT_EQ(list.mapSites[0].lat, 35.39f);
  EXPECT_FLOAT_EQ(list.mapSites[0].lon, 97.60f);
  EXPECT_LT(list.mapSites[0].age, 0);  // years below 30 are 20YY: a run of 2029 lies ahead
  EXPECT_EQ(list.mapSites[1].row, 2);
  EXPECT_FLOAT_EQ(list.mapSites[1].lat, 42.36f);
  EXPECT_FLOAT_EQ(list.mapSites[1].lon, 71.01f);
  // 17:59 on 12 March to 00:30 on 13 March passes seven hour boundaries.
  EXPECT_EQ(list.mapSites[1].age, 7);

  SiteFileHead head;
  ASSERT_TRUE(ReadSiteFileHead(dir + "NAM_KBOS.ond", head));
  EXPECT_EQ(head.firstValid, (DateTime{2012, 3, 12, 17, 59}));
  EXPECT_FALSE(ReadSiteFileHead(dir + "missing.ond", head));
  WriteFile(dir + "old.ond", ProfileHead("300101/0000", "  SLAT =  1  SLON =  1"));
  ASSERT_TRUE(ReadSiteFileHead(dir + "old.ond", head));
  EXPECT_EQ(head.firstValid.year, 1930);
  EXPECT_EQ(HoursBetween(DateTime{2012, 3, 12, 18, 0}, DateTime{2012, 3, 12, 18, 59}), 0);
  EXPECT_EQ(HoursBetween(DateTime{2012, 3, 12, 18, 59}, DateTime{2012, 3, 12, 19, 0}), 1);

  // A model without files: the warning names the model and the folder.
  cfg.ModelNames = {"RUC"};
  cfg.ModelCodes = {"ruc"};
  ASSERT_TRUE(SelectModel(cfg, 0, s));
  const SiteList none = FillSiteList(cfg, s, "KBOS", now);
  EXPECT_EQ(none.SiteFileCount, 0);
  EXPECT_TRUE(none.rows.empty());
  EXPECT_EQ(none.selectedRow, -1);
  EXPECT_EQ(none.message, "There are no RUC profiles in the profile directory:\n" + dir +
                              "\n\nTry another type of model or use 'Set Up' to point to your profile directory.");
}

// Files that would never end or never open are not read: a pipe and a link
// to a device are not site files, and a line longer than any of a profile
// ends the head of a regular file.
TEST(Models, EndlessAndBlockingFilesAreNotRead) {
  const std::string dir = TempFolder("endless");
  WriteFile(dir + "NAM_KBOS.ond", ProfileHead("120312/1800", "  SLAT =  42.36  SLON =  -71.01"));
  ASSERT_EQ(mkfifo((dir + "NAM_KFIF.ond").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir + "NAM_KZRO.ond");
  WriteFile(dir + "NAM_KBIG.ond", "NAM\r\n" + std::string(1 << 20, 'x'));
  Config cfg;
  cfg.ConfigProfileDir = dir;
  cfg.ModelNames = {"NAM"};
  cfg.ModelCodes = {"eta"};
  ModelState s;
  ASSERT_TRUE(SelectModel(cfg, 0, s));
  const SiteList list = FillSiteList(cfg, s, "xxx", DateTime{2012, 3, 13, 0, 0});
  EXPECT_EQ(list.rows, (std::vector<std::string>{"KBIG", "KBOS"}));
  ASSERT_EQ(list.mapSites.size(), 1u);
  EXPECT_EQ(list.mapSites[0].row, 1);
  SiteFileHead head;
  for (const char* name : {"NAM_KFIF.ond", "NAM_KZRO.ond", "NAM_KBIG.ond"})
    EXPECT_FALSE(ReadSiteFileHead(dir + name, head)) << name;
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

// The shipped configuration, time-zone table and sample profiles fit together:
// the sample sites are listed favourites first, their positions are read, and
// Oklahoma City gets Central time from the table.
TEST(Models, ShippedSamplesConfigurationAndTimeZones) {
  const std::string dir = ONDRIK_DATA_DIR;
  if (FindSiteFiles(dir + "/", "NAM").empty()) GTEST_SKIP() << "no sample profiles in " << dir;
  const ConfigResult r = ReadConfigFile(std::string(ONDRIK_DATA_DIR) + "/Ondrik.cfg", dir);
  ASSERT_TRUE(r.ok) << r.message;
  ModelState s;
  ASSERT_TRUE(SelectModel(r.config, 0, s));
  const SiteList list = FillSiteList(r.config, s, "xxx", DateTime{2026, 12, 8, 0, 0});
  ASSERT_GE(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0], "KOKC");
  EXPECT_EQ(list.rows[1], "KBOS");
  EXPECT_EQ(list.selectedRow, 0);
  ASSERT_EQ(list.mapSites.size(), list.rows.size());

  std::vector<std::string> tz;
  ASSERT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/TimeZone.DAT", tz));
  bool truncated = false;
  const auto table = ParseTimeZoneLines(tz, truncated);
  int row = -1;
  EXPECT_EQ(TimeZoneOffsetFor(table, list.mapSites[0].lat, list.mapSites[0].lon, 0, row), 6);  // Central
  EXPECT_EQ(row, 0);
  EXPECT_EQ(TimeZoneOffsetFor(table, list.mapSites[1].lat, list.mapSites[1].lon, 0, row), 5);  // Eastern
  EXPECT_EQ(row, -1);
}

}  // namespace
}  // namespace ondrik
