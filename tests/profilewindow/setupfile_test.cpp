// The set-up window's load and save of the configuration: a saved file reads
// back at start-up with the values saved, and a failed save keeps the old file.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "config/config.h"
#include "profilewindow/setupfile.h"
#include "platform/effects.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ShippedLines() {
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/Ondrik.cfg", lines));
  return lines;
}

// The shipped fixed part, then the given open part.
std::vector<std::string> WithOpenPart(const std::vector<std::string>& open) {
  std::vector<std::string> lines = ShippedLines();
  lines.resize(kFixedConfigLines);
  lines.insert(lines.end(), open.begin(), open.end());
  return lines;
}

ConfigResult SaveAndReadBack(const SetUpValues& v, const std::string& dir) {
  std::string problem, error;
  const std::vector<std::string> lines = SetUpSaveLines(v, &problem);
  EXPECT_EQ(problem, "");
  EXPECT_TRUE(WriteLinesReplacing(dir + kSetUpFileName, lines, error)) << error;
  return ReadConfigFile(dir + kSetUpFileName, dir);
}

TEST(SetUpFile, SavedValuesReadBackAtStartUp) {
  const std::string dir = testing::TempFolderIn("setupfile", "roundtrip");
  std::vector<std::string> open;
  for (int m = 1; m <= 17; ++m) open.push_back("M" + std::to_string(m) + "\teta");
  open.push_back("NAM 12km\tngm ");   // a name with a blank; a key the names do not give
  open.push_back("LAST           ruc");  // the 19th model: beyond the boxes
  open.push_back(kReverseHeader);
  open.push_back(" 0 ");
  open.push_back(kScaleHeader);
  for (int r = 1; r <= 19; ++r) {
    open.push_back("S" + std::to_string(r));
    open.push_back(" 10 , 20 , 30 , " + std::to_string(r));
  }
  open.push_back(kExportHeader);
  open.push_back("./exports");
  open.push_back(kFavouritesHeader);
  for (const char* s : {"KOKC", "", "kbos"}) open.push_back(s);
  const SetUpLoad load = LoadSetUp(WithOpenPart(open), "/unused/", 4);
  ASSERT_TRUE(load.ok) << load.message;
  SetUpValues v = load.values;
  EXPECT_EQ(v.models[17], "NAM 12km");
  EXPECT_EQ(v.modelsRead.size(), 19u);
  EXPECT_EQ(v.scales[17].name, "S18");
  EXPECT_EQ(v.scales[17].hours[3], "18");
  EXPECT_EQ(v.exportDir, "./exports");
  EXPECT_EQ(v.sites[2], "kbos");

  v.models[0] = "Nest Big";  // a new model with a blank in its name
  v.zone = -10;
  v.dst = 1;
  v.localTime = true;
  v.linuxMode = true;
  v.browser = "/opt/web browser/bin/browse";
  v.snapshotDir = " snaps ";
  v.reverse = 1;
  v.scales[0].hours[1] = "";  // an empty box is written as 84
  v.sites[5] = "kden";
  SetMaxSites(v, 6);
  const ConfigResult r = SaveAndReadBack(v, dir);
  ASSERT_TRUE(r.ok) << r.message;
  const Config& c = r.config;
  EXPECT_EQ(c.gClockZone, -10);
  EXPECT_EQ(c.gTZConfigOffset, 1);
  EXPECT_EQ(c.gClockUtcOffset, -11);
  EXPECT_TRUE(c.gClockIsLocal);
  EXPECT_TRUE(c.gLinuxMode);
  EXPECT_EQ(c.gBrowserPath, "/opt/web browser/bin/browse");
  EXPECT_EQ(c.gSnapshotDir, dir + "snaps/");
  EXPECT_EQ(c.gMaxSitesPerColumn, 6);
  EXPECT_TRUE(c.gReverseTime);
  ASSERT_EQ(c.ModelCount, 19);
  EXPECT_EQ(c.ModelNames[0], "Nest Big");
  EXPECT_EQ(c.ModelCodes[0], "eta");
  EXPECT_EQ(c.ModelNames[17], "NAM 12km");
  EXPECT_EQ(c.ModelCodes[17], "ngm") << "the key read from the file is kept";
  EXPECT_EQ(c.ModelNames[18], "LAST");
  EXPECT_EQ(c.ModelCodes[18], "ruc");
  ASSERT_EQ(c.TimeScaleCount, 19);
  EXPECT_EQ(c.TimeScaleSteps[0], (std::array<int, 4>{10, 84, 30, 1}));
  EXPECT_EQ(c.TimeScaleNames[18], "S19");
  EXPECT_EQ(c.TimeScaleSteps[18][3], 19);
  EXPECT_EQ(c.ExportDir, dir + "exports/");
  EXPECT_EQ(c.FavouriteSites, (std::vector<std::string>{"KOKC", "   ", "KBOS", "   ", "   ", "KDEN"}));
  // Lines the window does not edit are written back as read.
  std::vector<std::string> saved;
  ASSERT_TRUE(ReadTextLines(dir + kSetUpFileName, saved));
  const std::vector<std::string> shipped = ShippedLines();
  for (int n : {1, 3, 5, 7, 11, 12, 21, 27, 34, 35})
    EXPECT_EQ(saved[static_cast<size_t>(n - 1)], shipped[static_cast<size_t>(n - 1)]) << n;
}

// A configuration with every optional section, as the window writes it:
// saved without a change it comes back line for line, the section the window
// has no box for included, and start-up reads each section from it.
TEST(SetUpFile, EveryOptionalSectionSurvivesARoundTrip) {
  const std::string dir = testing::TempFolderIn("setupfile", "sections");
  const std::vector<std::string> open = {FormatModelLine("NAM", "eta"),
                                         FormatModelLine("GFS", "gfs3"),
                                         kReverseHeader,
                                         PrintNumber(1),
                                         kScaleHeader,
                                         "GFS",
                                         PrintNumber(24) + "," + PrintNumber(40) + "," + PrintNumber(56) + "," +
                                             PrintNumber(60),
                                         kExportHeader,
                                         "./exports",
                                         kTrainingDownloadHeader,
                                         "  https://training.example/korvan.zip ",
                                         kFavouritesHeader,
                                         "KOKC",
                                         "",
                                         "KBOS"};
  const SetUpLoad load = LoadSetUp(WithOpenPart(open), "/unused/", 3);
  ASSERT_TRUE(load.ok) << load.message;
  std::string problem;
  const std::vector<std::string> saved = SetUpSaveLines(load.values, &problem);
  EXPECT_EQ(problem, "");
  ASSERT_GE(saved.size(), static_cast<size_t>(kFixedConfigLines));
  EXPECT_EQ(std::vector<std::string>(saved.begin() + kFixedConfigLines, saved.end()), open);
  const ConfigResult r = SaveAndReadBack(load.values, dir);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(r.config.gReverseTime);
  EXPECT_EQ(r.config.TimeScaleCount, 1);
  EXPECT_EQ(r.config.ExportDir, dir + "exports/");
  EXPECT_EQ(r.config.TrainingDownloadPage, "https://training.example/korvan.zip");
  EXPECT_EQ(r.config.FavouriteSites, (std::vector<std::string>{"KOKC", "   ", "KBOS"}));
}

TEST(SetUpFile, ZonesOfEverySizeReadBack) {
  const std::string dir = testing::TempFolderIn("setupfile", "zones");
  const SetUpLoad load = LoadSetUp(ShippedLines(), "./", 3);
  ASSERT_TRUE(load.ok);
  for (int zone : {-12, -10, -3, 0, 5, 9, 11, 12}) {
    for (int dst : {0, 1}) {
      SetUpValues v = load.values;
      v.zone = zone;
      v.dst = dst;
      const ConfigResult r = SaveAndReadBack(v, dir);
      ASSERT_TRUE(r.ok) << r.message;
      EXPECT_EQ(r.config.gClockZone, zone);
      EXPECT_EQ(r.config.gTZConfigOffset, dst);
      // And the window's own load reads them back too.
      std::vector<std::string> saved;
      ASSERT_TRUE(ReadTextLines(dir + kSetUpFileName, saved));
      const SetUpLoad again = LoadSetUp(saved, "./", 3);
      EXPECT_EQ(again.values.zone, zone);
      EXPECT_EQ(again.values.dst, dst);
    }
  }
}

TEST(SetUpFile, LoadRules) {
  std::vector<std::string> lines = WithOpenPart({"NAM eta", "GFS3\tgfs3", "====> next", "KOKC"});
  lines[9] = "Default";
  lines[21] = "=";
  lines[28] = "====> WSR-88D";
  const SetUpLoad load = LoadSetUp(lines, "/start/export/", 5);
  ASSERT_TRUE(load.ok);
  const SetUpValues& v = load.values;
  EXPECT_EQ(v.browser, "/usr/bin/firefox");
  EXPECT_EQ(v.snapshotDir, ".");
  EXPECT_EQ(v.lines[28], kMaxSitesLabel);
  EXPECT_EQ(v.lines[29], "5") << "the value start-up read";
  EXPECT_EQ(v.zone, 5);
  EXPECT_EQ(v.models[0], "NAM");
  EXPECT_EQ(v.models[1], "GFS3");
  EXPECT_EQ(v.exportDir, "/start/export/");
  EXPECT_EQ(v.sites[0], "KOKC");

  // The model list may end the file: the load stops at its last line.
  const SetUpLoad end = LoadSetUp(WithOpenPart({"NAM eta", "RUC ruc"}), "./", 3);
  ASSERT_TRUE(end.ok);
  EXPECT_EQ(end.values.modelsRead.size(), 2u);
  // A file shorter than its fixed part cannot be edited; no models cannot be saved.
  // The message counts the lines the file holds.
  for (const auto& [lines, told] : {std::pair<std::size_t, const char*>{20, "holds 20 lines;"}, {1, "holds 1 line;"},
                                    {0, "holds 0 lines;"}}) {
    const SetUpLoad shortFile = LoadSetUp(std::vector<std::string>(lines, "x"), "./", 3);
    EXPECT_FALSE(shortFile.ok);
    EXPECT_NE(shortFile.message.find(std::string("The configuration file ") + told), std::string::npos)
        << shortFile.message;
  }
  SetUpValues none = end.values;
  none.models = {};
  none.modelsRead.clear();
  std::string problem;
  SetUpSaveLines(none, &problem);
  EXPECT_FALSE(problem.empty());
}

TEST(SetUpFile, FailedWriteKeepsTheOldFile) {
  const std::string dir = testing::TempFolderIn("setupfile", "failed");
  const std::string path = dir + kSetUpFileName;
  std::ofstream(path) << "old\n";
  FakeEffects full;
  full.diskSpace = 2;  // the disk fills during the write
  SetEffects(&full);
  std::string error;
  EXPECT_FALSE(WriteLinesReplacing(path, {"new"}, error));
  SetEffects(nullptr);
  EXPECT_EQ(error, path + ": " + std::generic_category().message(ENOSPC));
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "old\n");
  EXPECT_TRUE(WriteLinesReplacing(path, {"new"}, error));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(SetUpFile, Captions) {
  EXPECT_EQ(TimeZoneCaption(5), "West by 5 Hours");
  EXPECT_EQ(TimeZoneCaption(0), "Set to UTC");
  EXPECT_EQ(TimeZoneCaption(-3), "East by 3 Hours");
  EXPECT_EQ(BrowserFromDialog("/usr/bin/firefox."), "/usr/bin/firefox");
  EXPECT_EQ(BrowserFromDialog("/usr/bin/firefox"), "/usr/bin/firefox");
}

}  // namespace
}  // namespace ondrik
