// The overview window opened from the profile window on a temporary
// program folder, with the layouts kept in memory.
#pragma once

#include <QApplication>
#include <QListWidget>

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "core/shared.h"
#include "overview/layout.h"
#include "overviewwindow/frmoverview.h"
#include "platform/pictureboxwidget.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik::testing {

class OverviewWindowTest : public ProfileWindowTest {
 protected:
  void SetUp() override {
    ProfileWindowTest::SetUp();
    SetLayoutSlots(&slots_);
    // The shipped ensemble: 8 members of 85 three-hourly hours.
    fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "SREF_KOKC.ond", folder_ / "SREF_KMSP.ond");
  }
  void TearDown() override {
    ProfileWindowTest::TearDown();
    SetLayoutSlots(nullptr);
    gOverlayAll = false;
  }
  // The open overview window; nullptr when none.
  static frmOverView* Overview() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* o = qobject_cast<frmOverView*>(w); o != nullptr && o->isVisible()) return o;
    return nullptr;
  }
  frmOverView& Open(frmProfile& w) {
    w.Form_KeyDown(79, 0);  // O
    frmOverView* o = Overview();
    if (o == nullptr) throw std::runtime_error("the overview did not open");
    QObject::connect(o, &frmOverView::Drawn, [this] { ++drawn_; });
    return *o;
  }
  void Ensemble(frmProfile& w) {
    w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
    w.SelectSiteRow(Row(Ctl<QListWidget>(w, "lstSiteIDs"), "KMSP"));
    ASSERT_EQ(gDatasetCount, 8);
  }
  // The cursor's column on picRH: pixels that differ from the picture
  // drawn without it.
  static int CursorColumn(frmOverView& o) {
    PictureBox& pic = Ctl<PictureBoxWidget>(o, "picRH")->Pic();
    const OverviewFrame& f = o.State().frame;
    return static_cast<int>(std::lround((f.TimeLeft - gCursorHour) / (f.TimeLeft - f.TimeRight) * pic.PixelWidth()));
  }
  MemoryLayoutSlots slots_;
  int drawn_ = 0;
};

}  // namespace ondrik::testing
