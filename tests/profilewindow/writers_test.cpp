// Every file the main program writes, on a real file system that is full and
// in a folder that cannot be written: the profile snapshot, the text export,
// the time-zone table, the configuration from the set-up window and the four
// saved-settings files (the history at the end of a run among them). Each
// save must fail, say why naming the file, keep the earlier file as it was
// and leave nothing else behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/store.h"
#include "platform/effects.h"
#include "profilewindow/export.h"
#include "profilewindow/setupfile.h"
#include "profilewindow/snapshot.h"
#include "profilewindow/timezone.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/mappreset.h"
#include "savedstate/overviewlayout.h"
#include "savedstate/safefile.h"
#include "tests/common/small_fs.h"
#include "tests/common/temp_folder.h"
#include "tests/core/sounding.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using testing::Trouble;

std::map<std::string, std::string> Contents(const std::string& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    std::ifstream in(e.path(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    out[e.path().filename().string()] = s.str();
  }
  return out;
}

// What a save gave: whether it worked and what it told the user (or its
// caller) about a failure.
struct Saved {
  bool ok = false;
  std::string report;
};

// The child's codes for what went wrong.
enum : int { kEarlierSaveFailed = 1, kSaveSucceeded, kFilesChanged, kNotReported, kNoReason };

class WritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = std::make_unique<ProfileStore>();
    override_ = std::make_unique<StoreOverride>(*store_);
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
  // The message of the last call, or the error the save returned.
  Saved Reported(bool ok, const std::string& error = "") {
    Saved s{ok, error};
    if (!fake_.messages.empty()) s.report += fake_.messages.back().text;
    fake_.messages.clear();
    return s;
  }
  std::unique_ptr<ProfileStore> store_;
  std::unique_ptr<StoreOverride> override_;
  FakeEffects fake_;
};

Saved SavedState(const std::string& path, const std::string& text) {
  const saved::SaveResult r = saved::WriteFileSafely(path, text);
  return {r.ok, r.message};
}

TEST_F(WritersTest, FullDiskAndReadOnlyFolderKeepTheEarlierFile) {
  PictureBox chart(120, 80);
  const struct {
    const char* what;
    std::string file;  // the file the save writes (the first, when it writes two)
    // Saves into dir; version 0 is the earlier file, 1 the one that must fail.
    std::function<Saved(const std::string& dir, int version)> save;
  } writers[] = {
      {"profile snapshot", "nam_kbos_ondrikprofile_a00.png",
       [&](const std::string& dir, int version) {
         chart.BackColor = version == 0 ? RGB(255, 255, 255) : RGB(0, 0, 255);
         chart.Cls();
         SnapshotRequest req;
         req.name = "A";
         req.modelName = "NAM";
         req.siteId = "KBOS";
         req.snapshotDir = dir;
         return Reported(ProfileSnap(chart, nullptr, req, nullptr, fake_).ok);
       }},
      {"text export", "NAM_KBOS_231205_12z_F00.nsp",
       [&](const std::string& dir, int version) {
         ondrik::testing::SetSounding(1, 0, {{1000.0f, 20.0f + version, 15, 180, 10, 110},
                                             {850.0f, 5, 0, 270, 35, 1500}});
         return Reported(ExportProfile(dir, "NAM", "KBOS", 0, fake_).ok);
       }},
      {"time-zone table", "TimeZone.DAT",
       [&](const std::string& dir, int version) {
         gTZRecords = {{35.39f, 97.6f, -1}, {42.36f, 71.01f, version}};
         return Reported(WriteTimeZoneFile(dir + "TimeZone.DAT"));
       }},
      {"configuration from the set-up window", kSetUpFileName,
       [&](const std::string& dir, int version) {
         std::string error;
         const bool ok = WriteLinesReplacing(dir + kSetUpFileName, {"Ondrik", version == 0 ? "./" : "/data/"}, error);
         return Reported(ok, error);
       }},
      {"history at the end of a run", saved::kHistoryFileName,
       [](const std::string& dir, int version) {
         saved::HistoryFile h;
         h.LakeTempF = static_cast<Integer>(34 + version);
         return SavedState(dir + saved::kHistoryFileName, saved::WriteHistory(h));
       }},
      {"display setup", saved::SetupFileName(2),
       [](const std::string& dir, int version) {
         saved::DisplaySetup s;
         s.chkSkewT = version;
         return SavedState(dir + saved::SetupFileName(2), saved::WriteDisplaySetup(s));
       }},
      {"overview layout", saved::LayoutFileName(8),
       [](const std::string& dir, int version) {
         saved::OverviewLayout l;
         l.chkPIP = version;
         return SavedState(dir + saved::LayoutFileName(8), saved::WriteOverviewLayout(l));
       }},
      {"map preset", saved::MapPresetFileName(3),
       [](const std::string& dir, int version) {
         saved::MapPreset p;
         p.chkMap[1] = version;
         return SavedState(dir + saved::MapPresetFileName(3), saved::WriteMapPreset(p));
       }},
  };
  for (const auto& w : writers) {
    for (const Trouble trouble : {Trouble::FullDisk, Trouble::ReadOnlyFolder}) {
      SCOPED_TRACE(std::string(w.what) + " on a " + testing::TroubleName(trouble));
      const std::string dir = ondrik::testing::TempFolderIn("writers", "trouble");
      std::map<std::string, std::string> earlier;
      const int code = testing::WithTrouble(
          dir, trouble,
          [&] {
            if (!w.save(dir, 0).ok) return int{kEarlierSaveFailed};
            earlier = Contents(dir);
            return testing::kTroublePassed;
          },
          [&] {
            const Saved s = w.save(dir, 1);
            if (s.ok) return int{kSaveSucceeded};
            std::map<std::string, std::string> now = Contents(dir);
            now.erase("filler");
            if (now != earlier) return int{kFilesChanged};
            if (s.report.find(w.file) == std::string::npos) return int{kNotReported};
            // What the system said, in its own words.
            const char* reason = std::strerror(trouble == Trouble::FullDisk ? ENOSPC : EROFS);
            if (s.report.find(reason) == std::string::npos || s.report.find("Win32") != std::string::npos)
              return int{kNoReason};
            return testing::kTroublePassed;
          });
      if (code == testing::kTroubleCannotMount) GTEST_SKIP() << "no small file system can be mounted here";
      EXPECT_EQ(code, testing::kTroublePassed)
          << "1 earlier save failed, 2 the save succeeded, 3 the files changed, 4 the failure named no file, "
             "5 the system's reason not given, 78 no trouble made, 79 the child died";
    }
  }
}

}  // namespace
}  // namespace ondrik
