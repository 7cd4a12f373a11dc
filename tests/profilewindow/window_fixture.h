// The profile window run headless against a temporary program folder: a
// fixture shared by the window's tests, and finding controls by name.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QObject>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/picturebox.h"
#include "profilewindow/frmprofile.h"
#include "tests/control_lookup.h"
#include "tests/core/profile_text.h"

namespace ondrik::testing {

namespace fs = std::filesystem;

inline void WriteFile(const fs::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

// A click of the left button on a row in sight, as the mouse gives it, and
// what it leaves for the event loop; false when the row is out of sight.
inline bool ClickRow(QListWidget* list, int row) {
  const QRect at = list->visualRect(list->model()->index(row, 0)).intersected(list->viewport()->rect());
  if (at.isEmpty()) return false;
  const QPoint p = at.center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, p, list->viewport()->mapToGlobal(p), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &e);
  }
  QApplication::processEvents();
  return true;
}

// Counts the pixels of a picture that are not black.
inline int NonBlackPixels(const PictureBox& pic) {
  const QImage& img = pic.Image();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != 0) ++n;
  return n;
}

// A program folder with the shipped configuration and time-zone table and
// profile files written here: NAM for KOKC and KBOS (6 hours), SREF for KOKC
// (3 datasets: NAM CTL 00Z, NAM P1 00Z, NAM P2 00Z).
class ProfileWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A run on a scaled screen, beside the plain one, keeps folders of its own.
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    folder_ = fs::path(ONDRIK_TEST_TMP) /
              ("frmprofile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               (scale != nullptr ? std::string("@") + scale : std::string()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const char* f : {"Ondrik.cfg", "TimeZone.DAT"})
      fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f);
    ProfileFileSpec nam;
    nam.hours = 6;
    nam.levels = 20;
    WriteFile(folder_ / "NAM_KOKC.ond", MakeProfileText(nam));
    nam.sfcPres = 960;
    WriteFile(folder_ / "NAM_KBOS.ond", MakeProfileText(nam));
    ProfileFileSpec sref;
    sref.datasets = 3;
    sref.hours = 4;
    sref.levels = 15;
    WriteFile(folder_ / "SREF_KOKC.ond", MakeProfileText(sref));
    SetProgramFolder(folder_.string() + "/");
    // The saved state of the test's own: $APPDATA/Ondrik/.
    const char* appData = std::getenv("APPDATA");
    keptAppData_ = appData != nullptr ? std::optional<std::string>(appData) : std::nullopt;
    setenv("APPDATA", (folder_ / "appdata").c_str(), 1);
    SetEffects(&fx_);
  }
  void TearDown() override {
    win_.reset();
    SetEffects(nullptr);
    SetProgramFolder("");
    if (keptAppData_) setenv("APPDATA", keptAppData_->c_str(), 1); else unsetenv("APPDATA");
  }

  // The saved-state folder of the test.
  fs::path SavedFolder() const { return folder_ / "appdata" / "Ondrik"; }

  frmProfile& Start(frmProfile::PanelTables tables = frmProfile::DefaultPanelTables()) {
    win_ = std::make_unique<frmProfile>(nullptr, std::move(tables));
    QObject::connect(win_.get(), &frmProfile::ChartDrawn, [this] { ++chartDraws_; });
    EXPECT_TRUE(win_->Form_Load({}));
    return *win_;
  }

  static int Row(QListWidget* list, const char* text) {
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text() == text) return i;
    return -1;
  }

  fs::path folder_;
  FakeEffects fx_;
  std::unique_ptr<frmProfile> win_;
  int chartDraws_ = 0;  // the window's chart redraws
  std::optional<std::string> keptAppData_;
};

}  // namespace ondrik::testing
