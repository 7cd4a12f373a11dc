#include "config/config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("config", name); }

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary);
  for (const auto& l : lines) out << l << "\r\n";
}

std::vector<std::string> ShippedLines() {
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/Ondrik.cfg", lines));
  return lines;
}

TEST(Config, ShippedFileGivesModelsFavouritesAndFolders) {
  const std::string prog = "/opt/ondrik/";
  const ConfigResult r = ReadConfigFile(std::string(ONDRIK_DATA_DIR) + "/Ondrik.cfg", prog);
  ASSERT_TRUE(r.ok) << r.message;
  const Config& c = r.config;
  EXPECT_EQ(c.ModelNames, (std::vector<std::string>{"NAM", "RUC", "GFS", "SREF"}));
  EXPECT_EQ(c.ModelCodes, (std::vector<std::string>{"eta", "ruc", "gfs3", "eta"}));
  EXPECT_EQ(c.ModelCount, 4);
  EXPECT_EQ(c.FavouriteSites, (std::vector<std::string>{"KOKC", "KBOS"}));
  EXPECT_EQ(c.FavouriteCount, 2);
  // The shipped profiles lie in the program folder itself.
  EXPECT_EQ(c.ConfigProfileDir, prog);
  EXPECT_EQ(c.gArchiveDir, prog);
  EXPECT_EQ(c.ExportDir, prog);
  EXPECT_EQ(c.gMaxSitesPerColumn, 4);
  EXPECT_EQ(c.HighlightIsotherms, (std::vector<float>{-10.0f, -20.0f}));
  EXPECT_FALSE(c.gReverseTime);
  EXPECT_EQ(c.TimeScaleCount, 0);

  // The reset utility's copy holds the same text.
  std::vector<std::string> initial;
  ASSERT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/Initial.cfg", initial));
  EXPECT_EQ(initial, ShippedLines());

  // Found by name in the data folder, also through the fallback of "/U=".
  const ConfigResult byName = ReadConfig("ondrik", ONDRIK_DATA_DIR);
  EXPECT_TRUE(byName.ok) << byName.message;
  const ConfigResult fallback = ReadConfig("JOE", ONDRIK_DATA_DIR);
  EXPECT_TRUE(fallback.ok) << fallback.message;
  EXPECT_EQ(fallback.config.ModelCount, 4);
}

TEST(Config, MissingShortAndGarbledFilesGiveAMessageNamingTheLine) {
  const std::string dir = TempFolder("bad");
  const ConfigResult none = ReadConfig("JOE", dir);
  EXPECT_FALSE(none.ok);
  EXPECT_NE(none.message.find("Can't locate the JOE.CFG or ONDRIK.CFG configuration file"), std::string::npos);
  const ConfigResult noneDefault = ReadConfig("ondrik", dir);
  EXPECT_NE(noneDefault.message.find("Can't locate the ONDRIK.CFG configuration file"), std::string::npos);

  auto lines = ShippedLines();
  ASSERT_GE(lines.size(), 40u);
  const std::string path = dir + "Ondrik.cfg";

  // Cut after line 20: the chart line 21 is missing.
  WriteLines(path, std::vector<std::string>(lines.begin(), lines.begin() + 20));
  ConfigResult r = ReadConfig("ondrik", dir);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("line 21"), std::string::npos) << r.message;

  // A word where the lake-index numbers belong.
  auto garbled = lines;
  garbled[11] = "eight fifty, 13";
  WriteLines(path, garbled);
  r = ReadConfig("ondrik", dir);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("line 12"), std::string::npos) << r.message;

  // Only one of the two lake-effect levels.
  garbled = lines;
  garbled[13] = "850";
  WriteLines(path, garbled);
  r = ReadConfigFile(path, dir);
  EXPECT_NE(r.message.find("line 14"), std::string::npos) << r.message;

  // No model before the next header; a model line without a key.
  garbled = lines;
  garbled.erase(garbled.begin() + 35, garbled.begin() + 39);
  WriteLines(path, garbled);
  r = ReadConfigFile(path, dir);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("line 36"), std::string::npos) << r.message;
  garbled = lines;
  garbled[36] = "RUC";
  WriteLines(path, garbled);
  r = ReadConfigFile(path, dir);
  EXPECT_NE(r.message.find("line 37"), std::string::npos) << r.message;

  // The models run to the end of the file without a header after them.
  WriteLines(path, std::vector<std::string>(lines.begin(), lines.begin() + 39));
  r = ReadConfigFile(path, dir);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("line 40"), std::string::npos) << r.message;

  // An empty file.
  WriteLines(path, {});
  r = ReadConfigFile(path, dir);
  EXPECT_NE(r.message.find("line 1"), std::string::npos) << r.message;
}

TEST(Config, FixedLinesAndOpenSections) {
  const std::string dir = TempFolder("sections");
  const std::string path = dir + "x.cfg";
  auto lines = ShippedLines();
  lines[0] = "c hidden panel";
  lines[1] = "profiles";
  lines[3] = "/srv/archive";
  lines[5] = "-3             1 ";
  lines[7] = "local";
  lines[8] = "L";
  lines[9] = "DEFAULT";
  lines[20] = "100, -40, 50";  // kept, not used: anything the line holds is fine
  lines[21] = "=old";
  lines[23] = "45, 300, 60";
  lines[29] = "9";
  lines[33] = "5, 0,";
  // Models: TAB and an upper-case key with a trailing blank, a written model line.
  std::vector<std::string> tail = {"NAM\tETA ", FormatModelLine("GFS3", "gfs3"), kReverseHeader, " 1 ",
                                   kScaleHeader, " nam ", " 12 , 24 , 36 , 48 ", "GFS3", "8,16,24,32",
                                   kExportHeader, "exports", kTrainingDownloadHeader,
                                   " https://training.invalid/korvan ", kFavouritesHeader, "kbos", "   ", "bo "};
  for (int i = 0; i < 14; ++i) tail.push_back("S" + std::to_string(i));
  lines.resize(35);
  lines.insert(lines.end(), tail.begin(), tail.end());
  WriteLines(path, lines);

  const ConfigResult r = ReadConfigFile(path, "/prog");
  ASSERT_TRUE(r.ok) << r.message;
  const Config& c = r.config;
  EXPECT_TRUE(c.HiddenPanelEnabled);
  EXPECT_EQ(c.ConfigProfileDir, "/prog/profiles/");
  EXPECT_EQ(c.gArchiveDir, "/srv/archive/");
  EXPECT_EQ(c.gClockZone, -3);
  EXPECT_EQ(c.gTZConfigOffset, 1);
  EXPECT_EQ(c.gClockUtcOffset, -4);
  EXPECT_TRUE(c.gClockIsLocal);
  EXPECT_TRUE(c.gLinuxMode);
  EXPECT_EQ(c.gBrowserPath, "/usr/bin/firefox");
  EXPECT_EQ(c.gSnapshotDir, "/prog/");
  EXPECT_FLOAT_EQ(c.gMapLineBearing[1], 45.001f);
  EXPECT_EQ(c.gMaxSitesPerColumn, 3);
  EXPECT_EQ(c.HighlightIsotherms, (std::vector<float>{5.0f, 0.0f}));
  EXPECT_EQ(c.ModelNames, (std::vector<std::string>{"NAM", "GFS3"}));
  EXPECT_EQ(c.ModelCodes, (std::vector<std::string>{"eta", "gfs3"}));
  EXPECT_TRUE(c.gReverseTime);
  EXPECT_TRUE(c.gTimeLeftToRight);
  ASSERT_EQ(c.TimeScaleCount, 2);
  EXPECT_EQ(c.TimeScaleNames[0], "nam");
  EXPECT_EQ(c.TimeScaleSteps[0], (std::array<int, 4>{12, 24, 36, 48}));
  EXPECT_EQ(c.TimeScaleSteps[1], (std::array<int, 4>{8, 16, 24, 32}));
  EXPECT_EQ(c.ExportDir, "/prog/exports/");
  EXPECT_EQ(c.TrainingDownloadPage, "https://training.invalid/korvan");
  // Sixteen favourites of seventeen lines; a blank line is three blanks.
  ASSERT_EQ(c.FavouriteCount, 16);
  EXPECT_EQ(c.FavouriteSites[0], "KBOS");
  EXPECT_EQ(c.FavouriteSites[1], "   ");
  EXPECT_EQ(c.FavouriteSites[2], "BO ");  // upper-cased as read, not trimmed
  EXPECT_EQ(c.FavouriteSites[15], "S12");
}

TEST(Config, UserNameAndFolders) {
  EXPECT_EQ(GetUserName(""), "ondrik");
  EXPECT_EQ(GetUserName("C:/ondrik/ondrik.exe -CLOSE"), "ondrik");
  EXPECT_EQ(GetUserName("/U=joe"), "JOE");
  EXPECT_EQ(GetUserName("-size=50 /u=joe -close"), "JOE");
  EXPECT_EQ(GetUserName("/U= -CLOSE"), "ondrik");
  EXPECT_EQ(GetUserName("\"/U=my name\""), "MY");
  EXPECT_EQ(GetUserName("/U=ondrik"), "ONDRIK");  // not the default form: tried as a name first

  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("a/b"), "a/b/");
  EXPECT_EQ(AddBackslash("C:"), "C:");
  EXPECT_EQ(AddBackslash("D:"), "D:");
  EXPECT_EQ(AddBackslash("C:\\DATA"), "C:\\DATA/");
  EXPECT_EQ(AddBackslash("a\\"), "a\\");
  EXPECT_EQ(ResolveConfigFolder("", "/p/"), "/p/");
  EXPECT_EQ(ResolveConfigFolder(".", "/p"), "/p/");
  EXPECT_EQ(ResolveConfigFolder("./data", "/p/"), "/p/data/");
  EXPECT_EQ(ResolveConfigFolder("/abs/dir", "/p/"), "/abs/dir/");

  // A model line: the name, a print zone, the key.
  EXPECT_EQ(FormatModelLine("NAM", "eta"), "NAM           eta");

  EXPECT_FALSE(DayFirstFromShortDate("1/2/01"));
  EXPECT_TRUE(DayFirstFromShortDate("02.01.01"));
  EXPECT_FALSE(DayFirstFromShortDate(""));
}

}  // namespace
}  // namespace ondrik
