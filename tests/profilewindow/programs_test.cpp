#include "profilewindow/programs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/effects.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("programs", name); }

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

class ProgramsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetEffects(&fake_); }
  void TearDown() override { SetEffects(nullptr); }
  FakeEffects fake_;
};

TEST_F(ProgramsTest, MissingProgramsAreSkippedOrReported) {
  const std::string dir = TempFolder("missing");
  // No converter: skipped quietly (one line on standard error, once per
  // run however often a model is chosen), nothing started.
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(RunConverter(dir));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("onz2ond"), std::string::npos);
  EXPECT_TRUE(fake_.programs.empty());
  EXPECT_TRUE(fake_.messages.empty());

  // No downloader: each start is reported.
  EXPECT_FALSE(StartDownloader(dir));
  ASSERT_EQ(fake_.messages.size(), 1u);
  EXPECT_NE(fake_.messages[0].text.find("Haulix"), std::string::npos);
  EXPECT_EQ(fake_.messages[0].icon, MsgIcon::Warning);
  EXPECT_FALSE(RunDownloaderAndWait(dir, "A"));
  EXPECT_EQ(fake_.messages.size(), 2u);

  // A list button still reads its list file for compressed arrivals.
  WriteFile(dir + "HaulixV.Dat", "LIST = West\r\nnam_kbos.onz\r\n");
  const HaulixClickResult v = HaulixButtonClick(dir, 21);
  EXPECT_FALSE(v.started);
  EXPECT_TRUE(v.compressedArrived);
  EXPECT_EQ(fake_.messages.size(), 3u);
  EXPECT_TRUE(fake_.programs.empty());
}

TEST_F(ProgramsTest, ProgramsFoundInTheProgramFolderWhateverTheCase) {
  const std::string dir = TempFolder("present");
  WriteFile(dir + "ONZ2OND.EXE", "");
  WriteFile(dir + "haulix", "");
  EXPECT_EQ(FindProgram(dir, "onz2ond"), dir + "ONZ2OND.EXE");
  EXPECT_EQ(FindProgram(dir, "Haulix"), dir + "haulix");

  // The converter runs hidden and is waited for, with a time limit.
  EXPECT_TRUE(RunConverter(dir));
  ASSERT_EQ(fake_.programs.size(), 1u);
  EXPECT_EQ(fake_.programs[0].program, dir + "ONZ2OND.EXE");
  EXPECT_TRUE(fake_.programs[0].args.empty());
  EXPECT_TRUE(fake_.programs[0].hidden);
  EXPECT_TRUE(fake_.programs[0].wait);
  EXPECT_GT(fake_.programs[0].timeoutMs, 0);
  // A converter that does not end in time is reported as not run to its end.
  fake_.startAndWaitResult = false;
  EXPECT_FALSE(RunConverter(dir));
  fake_.startAndWaitResult = true;

  // List button A: the downloader with the letter, not waited for; its list
  // file names no compressed file.
  WriteFile(dir + "haulixa.dat", "LIST = Northeast\r\nnam_kbos.ond\r\n");
  const HaulixClickResult a = HaulixButtonClick(dir, 0);
  EXPECT_TRUE(a.started);
  EXPECT_FALSE(a.compressedArrived);
  ASSERT_EQ(fake_.programs.size(), 3u);
  EXPECT_EQ(fake_.programs[2].args, (std::vector<std::string>{"A"}));
  EXPECT_FALSE(fake_.programs[2].wait);
  EXPECT_FALSE(fake_.programs[2].hidden);
  EXPECT_FALSE(HaulixButtonClick(dir, 22).started);  // no such button

  // "-GET=" waits for the downloader with the option's value.
  EXPECT_TRUE(RunDownloaderAndWait(dir, "ABC"));
  EXPECT_EQ(fake_.programs.back().args, (std::vector<std::string>{"ABC"}));
  EXPECT_TRUE(fake_.programs.back().wait);
  // A downloader that cannot start is reported.
  fake_.startResult = false;
  EXPECT_FALSE(StartDownloader(dir));
  EXPECT_EQ(fake_.messages.size(), 1u);
}

TEST_F(ProgramsTest, ToolTipsFromListFiles) {
  EXPECT_EQ(ToolTipFromListLine("LIST = Northeast"), "Northeast");
  EXPECT_EQ(ToolTipFromListLine("LIST = East: coast"), "coast");
  EXPECT_EQ(ToolTipFromListLine("  Plains States  "), "Plains States");
  EXPECT_EQ(ToolTipFromListLine("list = Ohio - Valley"), "Valley");
  EXPECT_EQ(ToolTipFromListLine("LIST"), "");

  const std::string dir = TempFolder("tips");
  WriteFile(dir + "HaulixA.Dat", "LIST = Northeast\r\nnam_kbos.ond\r\n");
  WriteFile(dir + "HAULIXV.DAT", "LIST = East: coast\n");
  WriteFile(dir + "HaulixC.Dat", "");
  const auto tips = GetToolTips(dir);
  ASSERT_EQ(tips.size(), 22u);
  EXPECT_EQ(tips[0], "Northeast");
  EXPECT_EQ(tips[21], "coast");
  EXPECT_FALSE(tips[1].has_value());
  EXPECT_FALSE(tips[2].has_value());
  EXPECT_EQ(HaulixLetter(21), "V");
  EXPECT_EQ(HaulixLetter(22), "");
}

}  // namespace
}  // namespace ondrik
