// The overview open while the profile window changes model: it is rebuilt
// for the new model's file and drawn at once.
#include <gtest/gtest.h>

#include <QImage>
#include <QListWidget>
#include <QPushButton>

#include "core/shared.h"
#include "overviewwindow/frmoverview.h"
#include "platform/pictureboxwidget.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

TEST_F(OverviewWindowTest, AModelChosenWithTheOverviewOpenIsDrawnAsAFreshOpen) {
  frmProfile& w = Start();
  Open(w);
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  EXPECT_FALSE(gLoadingState);
  frmOverView* rebuilt = Overview();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_EQ(rebuilt->windowTitle(), "KOKC - SREF - ONDRIK Overview");
  const QImage shown = Ctl<PictureBoxWidget>(*rebuilt, "picRH")->Pic().Image();
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(*rebuilt, "picRH")->Pic()), 1000);
  Ctl<QPushButton>(*rebuilt, "btnQuit")->click();
  frmOverView& fresh = Open(w);
  EXPECT_EQ(Ctl<PictureBoxWidget>(fresh, "picRH")->Pic().Image(), shown);
}

}  // namespace
}  // namespace ondrik
