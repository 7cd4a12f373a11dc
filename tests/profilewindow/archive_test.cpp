#include "profilewindow/archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::string TempFolder(const std::string& name) { return testing::TempFolderIn("archive", name); }

std::vector<std::string> Texts(const std::vector<ArchiveEntry>& list) {
  std::vector<std::string> t;
  for (const auto& e : list) t.push_back(e.text);
  return t;
}

const ArchiveEntry& Find(const std::vector<ArchiveEntry>& list, const std::string& text) {
  for (const auto& e : list)
    if (e.text == text) return e;
  throw std::runtime_error("no entry " + text);
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* name : {"23120500.eta_KBOS.ond", "23120506.etam_KBOS.ond", "23120512.eta_KBOS.ond",
                             "23120518.ETAM_KBOS.ond", "23120500.eta_KALB.ond", "23120500.eta_XKBOS.ond",
                             "23120600.nam_KBOS.ond", "23120606.eta_KBOS.ond",
                             // A run without a site name is listed.
                             "23120412.eta_.ond",
                             // Names of other shapes are left out.
                             "x.ond", "a_b.ond", "1.eta_KBOS.ond", "notes.txt"})
      std::ofstream(dir_ + name) << "x";
    fs::create_directories(dir_ + "99999999.eta_KDIR.ond");  // a folder, not a file
  }
  std::string dir_;
};

TEST_F(ArchiveTest, ListsNewestFirst) {
  EXPECT_EQ(ArchiveModelFor("ETAM"), "eta");
  EXPECT_EQ(ArchiveModelFor("namm"), "Nam");
  EXPECT_EQ(ArchiveModelFor("GFS"), "GFS");

  const ArchiveLists lists = SeedArchiveLists(dir_, "ETAM", "KBOS");
  EXPECT_EQ(lists.lblModelSite, "eta for KBOS");
  EXPECT_EQ(lists.lblModel, "All eta");
  EXPECT_EQ(lists.lblAll, "All Profiles");
  // Runs stored as eta and as etam (any case) whose site ends in KBOS: the
  // run at XKBOS is listed under KBOS too.
  EXPECT_EQ(Texts(lists.lstModelSite), (std::vector<std::string>{"231206 06", "231205 18", "231205 12", "231205 06",
                                                                 "231205 00", "231205 00"}));
  EXPECT_EQ(Texts(lists.lstModel),
            (std::vector<std::string>{"231206 06 KBOS", "231205 18 KBOS", "231205 12 KBOS", "231205 06 KBOS",
                                      "231205 00 XKBOS", "231205 00 KBOS", "231205 00 KALB", "231204 12 "}));
  EXPECT_EQ(Texts(lists.lstAll),
            (std::vector<std::string>{"231206 06 eta KBOS", "231206 00 nam KBOS", "231205 18 ETAM KBOS",
                                      "231205 12 eta KBOS", "231205 06 etam KBOS", "231205 00 eta XKBOS",
                                      "231205 00 eta KBOS", "231205 00 eta KALB", "231204 12 eta "}));

  // An empty or missing folder gives empty lists.
  const ArchiveLists none = SeedArchiveLists(dir_ + "missing/", "GFS", "KBOS");
  EXPECT_TRUE(none.lstModelSite.empty() && none.lstModel.empty() && none.lstAll.empty());
}

TEST_F(ArchiveTest, ClicksKeepTheRealFileAndChooseTheModel) {
  const ArchiveLists lists = SeedArchiveLists(dir_, "ETAM", "KBOS");
  const std::vector<std::string> models = {"eta", "EtaM", "NAM", "GFS"};

  // A 06 UTC run listed under eta opens the file as it is named on disk
  // (etam in lower case) and keeps the model ETAM.
  FileChoice c = ArchiveClick(ArchiveList::ModelSite, Find(lists.lstModelSite, "231205 06"), lists.archiveModel);
  EXPECT_EQ(c.fileName, "23120506.etam_KBOS.ond");
  EXPECT_EQ(c.fileModel, "ETAM");
  SelectFilePlan plan = SelectFile(c, false, dir_, models, "ETAM");
  EXPECT_EQ(plan.modelRow, -1);
  EXPECT_EQ(plan.loadPath, dir_ + "23120506.etam_KBOS.ond");
  EXPECT_TRUE(fs::exists(plan.loadPath));
  EXPECT_EQ(plan.caption, "23120506.ETAM_KBOS ONDRIK");
  EXPECT_EQ(plan.siteId, "KBOS");
  EXPECT_TRUE(plan.updateOverview);

  // A 00 UTC run switches to the row eta.
  c = ArchiveClick(ArchiveList::Model, Find(lists.lstModel, "231205 00 KALB"), lists.archiveModel);
  EXPECT_EQ(c.fileName, "23120500.eta_KALB.ond");
  EXPECT_EQ(c.fileModel, "ETA");
  plan = SelectFile(c, false, dir_, models, "ETAM");
  EXPECT_EQ(plan.modelRow, 0);
  EXPECT_EQ(plan.siteId, "KALB");

  // In the list of all files a 06 UTC eta run selects EtaM (matched without case).
  c = ArchiveClick(ArchiveList::All, Find(lists.lstAll, "231206 06 eta KBOS"), lists.archiveModel);
  EXPECT_EQ(c.fileName, "23120606.eta_KBOS.ond");
  EXPECT_EQ(c.fileModel, "EtaM");
  EXPECT_EQ(ModelRowForFile(models, c.fileModel, "eta"), 1);
  c = ArchiveClick(ArchiveList::All, Find(lists.lstAll, "231206 00 nam KBOS"), lists.archiveModel);
  EXPECT_EQ(c.fileModel, "nam");
  EXPECT_EQ(ModelRowForFile(models, c.fileModel, "eta"), 2);
  EXPECT_EQ(ModelRowForFile(models, "XYZ", "eta"), -1);  // the current model stays

  // Every entry of every list names a file that exists.
  for (const auto* list : {&lists.lstModelSite, &lists.lstModel, &lists.lstAll})
    for (const auto& e : *list) EXPECT_TRUE(fs::is_regular_file(dir_ + e.fileName)) << e.fileName;
}

TEST_F(ArchiveTest, OpenFileDialogChoice) {
  const std::vector<std::string> models = {"eta", "EtaM", "NAM", "GFS"};
  DialogChoice d = ArchiveDialogChoice("/x/y/23120500.nam_KALB.ond", "ETA");
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.openDialogDir, "/x/y/");
  EXPECT_EQ(d.caption, "23120500.nam_KALB.ond");
  EXPECT_EQ(d.choice.fileModel, "NAM");
  const SelectFilePlan plan = SelectFile(d.choice, true, dir_, models, "eta");
  EXPECT_EQ(plan.modelRow, 2);
  EXPECT_EQ(plan.loadPath, "/x/y/23120500.nam_KALB.ond");
  EXPECT_EQ(plan.caption, "/x/y/23120500.nam_KALB.ond ONDRIK");
  EXPECT_EQ(plan.siteId, "KALB");

  EXPECT_EQ(ArchiveDialogChoice("/p/gfs_KBOS.ond", "ETA").choice.fileModel, "GFS");
  EXPECT_EQ(ArchiveDialogChoice("/p/profile.ond", "ETA").choice.fileModel, "ETA");
  EXPECT_EQ(SelectFile(ArchiveDialogChoice("/my_dir/profile.ond", "ETA").choice, true, "", models, "ETA").siteId,
            "");
  EXPECT_FALSE(ArchiveDialogChoice("", "ETA").ok);
}

}  // namespace
}  // namespace ondrik
