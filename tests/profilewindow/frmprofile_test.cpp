// The profile window run headless against a temporary program folder: the
// start-up reaches a drawn chart, keys, wheel and the loop step the hour, the
// dataset boxes choose the shown datasets, and the layout keeps its limits.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/shared.h"
#include "core/store.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmprofile.h"
#include "tests/core/profile_text.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using namespace ondrik::testing;

TEST_F(ProfileWindowTest, StartUpLoadsTheFirstSiteAndDrawsTheChart) {
  frmProfile& w = Start();
  EXPECT_TRUE(fx_.messages.empty()) << fx_.messages.front().text;
  EXPECT_TRUE(fx_.endCalls.empty());
  ASSERT_EQ(Ctl<QListWidget>(w, "lstoptModel")->count(), 4);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->currentRow(), 0);
  // Favourites KOKC and KBOS come first, in the configuration's order.
  ASSERT_GE(Ctl<QListWidget>(w, "lstSiteIDs")->count(), 2);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->item(0)->text(), "KOKC");
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->item(1)->text(), "KBOS");
  EXPECT_EQ(w.SiteFileCount, 2);
  EXPECT_TRUE(w.FileLoaded);
  EXPECT_EQ(w.windowTitle(), "KOKC - NAM - ONDRIK");
  EXPECT_EQ(w.LastSite, "KOKC");
  // A first run's chart bounds are the start-up defaults (configuration
  // line 21 is kept, not used).
  EXPECT_EQ(gChartTop, 295);
  EXPECT_EQ(w.Chart().opt.PlainTMin + 0, -60);
  EXPECT_EQ(w.Chart().opt.SkewTMax + 0, 30);
  EXPECT_EQ(gDatasetCount, 1);
  EXPECT_EQ(gCurDataset, 1);
  // Hour 0 of a file that starts 31 Dec 2006 18 UTC, one hour a step.
  EXPECT_EQ(w.CurHour, 0);
  EXPECT_EQ(Ctl<QLabel>(w, "lblHour")->text(), "0");
  EXPECT_EQ(Ctl<QLabel>(w, "lblDate")->text(), "12/31/06     18:00 Z");
  EXPECT_FALSE(Ctl<QLabel>(w, "lblLocal")->text().isEmpty());
  // Without the reverse option the bar runs from the last hour at its left to 0.
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Min), 5);
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Max), 0);
  // The chart is drawn, at least 400 pixels high at the first-run size of
  // 1000 x 734.
  EXPECT_EQ(w.height(), 734);
  EXPECT_EQ(w.width(), 1000);
  EXPECT_GE(Ctl<PictureBoxWidget>(w, "picData")->height(), 400);
  EXPECT_GT(chartDraws_, 0);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(w, "picData")->Pic()), 1000);
  // The panel and control page of a first run: Data and Lake Effect.
  EXPECT_EQ(w.RightPanel, 0);
  EXPECT_TRUE(Ctl<PictureBoxWidget>(w, "picProfile")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QFrame>(w, "frameHodograph")->isVisibleTo(&w));
  EXPECT_EQ(w.ControlPanel, 0);
  EXPECT_TRUE(Ctl<QFrame>(w, "pnlControl", 0)->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnControl", 0)->font().bold());
  EXPECT_EQ(Ctl<QLabel>(w, "lblCI850")->text(), "850");
  EXPECT_EQ(Ctl<QLabel>(w, "lblCI700")->text(), "700");
  // Hidden panel button only with a configuration line 1 beginning with "c".
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnDisplay", 9)->isVisibleTo(&w));
  // The window is at least its minimum size and lays out inside it.
  EXPECT_GE(w.width() * kTwipsPerPixel, kMinWindowWidthTw);
  EXPECT_GE(w.height() * kTwipsPerPixel, kMinWindowHeightTw);
  EXPECT_EQ(Ctl<QFrame>(w, "frameRight")->geometry().right(), Ctl<PictureBoxWidget>(w, "picData")->geometry().right());
  // Every panel button's caption fits it in bold too, as it shows while its
  // panel is open.
  for (QPushButton* b : Ctl<QFrame>(w, "frameRight")->findChildren<QPushButton*>(QRegularExpression("^btnDisplay"))) {
    QFont bold = b->font();
    bold.setBold(true);
    QStyleOptionButton option;
    option.initFrom(b);
    const int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
    EXPECT_LE(QFontMetrics(bold).horizontalAdvance(b->text()), room) << b->text().toStdString();
  }
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-start.png").string()));

  // Closing the window ends the program once.
  w.close();
  EXPECT_EQ(fx_.endCalls.size(), 1u);
}

TEST_F(ProfileWindowTest, KeysWheelAndLoopStepAndWrapTheHour) {
  frmProfile& w = Start();
  const int last = gLastHour(1);
  ASSERT_EQ(last, 5);
  // Without the reverse option Left is the next hour and Right the previous,
  // both wrapping; Home is hour 0 and End the last hour.
  w.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 1);
  EXPECT_EQ(Ctl<QLabel>(w, "lblHour")->text(), "1");
  EXPECT_EQ(Ctl<QLabel>(w, "lblDate")->text(), "12/31/06     19:00 Z");
  w.Form_KeyDown(39, 0);
  w.Form_KeyDown(39, 0);
  EXPECT_EQ(w.CurHour, last);
  w.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 0);
  w.Form_KeyDown(35, 0);
  EXPECT_EQ(w.CurHour, last);
  w.Form_KeyDown(36, 0);
  EXPECT_EQ(w.CurHour, 0);

  // Keys reach the table whatever control has the focus, but a text box
  // keeps its own keys.
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(Ctl<QListWidget>(w, "lstoptModel"), &left);
  EXPECT_EQ(w.CurHour, 1);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->currentRow(), 0);  // the list did not act on it
  auto* box = new QLineEdit(Ctl<QFrame>(w, "frameRight"));
  box->show();
  QApplication::setActiveWindow(&w);
  box->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), box);
  if (QApplication::focusWidget() == box) {
    QKeyEvent left2(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(box, &left2);
    EXPECT_EQ(w.CurHour, 1);
  }
  delete box;

  // Space starts the loop; each tick is one hour, the step onto the last
  // hour is followed by the pause, and after the last hour comes hour 0.
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(last - 2);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(Ctl<ScrollBar>(w, "hsbHour"), &space);
  EXPECT_TRUE(w.LoopRunning);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnAutoDisplay")->font().bold());
  EXPECT_EQ(Ctl<Timer>(w, "timerAutoDisplay")->Interval(), 240);
  w.timerAutoDisplay_Timer();
  EXPECT_EQ(w.CurHour, last - 1);
  EXPECT_EQ(Ctl<Timer>(w, "timerAutoDisplay")->Interval(), 240);
  w.timerAutoDisplay_Timer();
  EXPECT_EQ(w.CurHour, last);
  EXPECT_EQ(Ctl<Timer>(w, "timerAutoDisplay")->Interval(), 240 + 2500);
  w.timerAutoDisplay_Timer();
  EXPECT_EQ(w.CurHour, 0);
  EXPECT_EQ(Ctl<Timer>(w, "timerAutoDisplay")->Interval(), 240);
  // The rate bar sets the interval at once; the real timer steps the hour.
  Ctl<ScrollBar>(w, "hsbRate")->SetValue(20);
  EXPECT_EQ(Ctl<Timer>(w, "timerAutoDisplay")->Interval(), 20);
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_NE(w.CurHour, 0);
  w.Form_KeyDown(76, 0);  // L: loop off
  EXPECT_FALSE(w.LoopRunning);
  EXPECT_FALSE(Ctl<Timer>(w, "timerAutoDisplay")->Enabled());
  const int stopped = w.CurHour;
  QTimer::singleShot(100, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_EQ(w.CurHour, stopped);

  // Clicking the hour label goes back to hour 0.
  w.lblHour_Click();
  EXPECT_EQ(w.CurHour, 0);

  // T steps the precipitation-type trail: 6 and 0 in the energy view.
  EXPECT_EQ(Ctl<QPushButton>(w, "btnTails")->text(), "6");
  w.Form_KeyDown(84, 0);
  EXPECT_EQ(Ctl<QPushButton>(w, "btnTails")->text(), "0");
  w.Form_KeyDown(84, 0);
  EXPECT_EQ(Ctl<QPushButton>(w, "btnTails")->text(), "6");
  w.ShowThickness = true;
  for (const char* n : {"12", "24", "48", "0", "6"}) {
    w.btnTails_Click();
    EXPECT_EQ(Ctl<QPushButton>(w, "btnTails")->text(), n);
  }
}

TEST_F(ProfileWindowTest, DatasetBoxesChooseTheShownDatasets) {
  frmProfile& w = Start();
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  ASSERT_EQ(gDatasetCount, 3);
  // Titles NAM CTL 00Z, NAM P1 00Z, NAM P2 00Z: one box for NAM, three for
  // the members, one for 00Z.
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 0)->text(), "NAM");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->text(), "CTL");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->text(), "P1");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 7)->text(), "P2");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 10)->text(), "00Z");
  EXPECT_FALSE(Ctl<CheckBox>(w, "chkefname", 7)->isHidden());
  EXPECT_TRUE(Ctl<CheckBox>(w, "chkefname", 8)->isHidden());
  EXPECT_EQ(gShownCount, 3);
  EXPECT_TRUE(Ctl<ScrollBar>(w, "vsbEE")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnEnsemble")->isVisibleTo(&w));
  EXPECT_EQ(Ctl<QLabel>(w, "lblSelectEnsemble")->text(), "3 Slected Ensemble Elements");

  // Down and Up step through the shown datasets and wrap.
  ASSERT_EQ(gCurDataset, 1);
  w.Form_KeyDown(38, 0);
  EXPECT_EQ(gCurDataset, 3);
  w.Form_KeyDown(40, 0);
  EXPECT_EQ(gCurDataset, 1);
  w.Form_KeyDown(40, 0);
  EXPECT_EQ(gCurDataset, 2);
  // A wheel notch towards the user is the next dataset.
  QWheelEvent notch(QPointF(50, 50), QPointF(50, 50), QPoint(0, -120), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Ctl<PictureBoxWidget>(w, "picData"), &notch);
  EXPECT_EQ(gCurDataset, 3);
  w.MouseWheel(120);
  EXPECT_EQ(gCurDataset, 2);
  // Over a scroll bar the notch steps the dataset once and moves the bar too.
  ScrollBar* hour = Ctl<ScrollBar>(w, "hsbHour");
  const int hourBefore = hour->Value();
  hour->SetValue(2);
  QWheelEvent overBar(QPointF(5, 5), hour->Bar()->mapToGlobal(QPointF(5, 5)), QPoint(0, -120), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(hour->Bar(), &overBar);
  EXPECT_EQ(gCurDataset, 3);
  EXPECT_NE(hour->Value(), 2);
  w.MouseWheel(120);
  ASSERT_EQ(gCurDataset, 2);
  hour->SetValue(hourBefore);

  // Unticking P1 hides dataset 2, the current one: the first shown becomes current.
  Ctl<CheckBox>(w, "chkefname", 6)->SetValue(0);
  EXPECT_FALSE(gDatasetShown(2));
  EXPECT_TRUE(gDatasetShown(1));
  EXPECT_TRUE(gDatasetShown(3));
  EXPECT_EQ(gShownCount, 2);
  EXPECT_EQ(Ctl<ScrollBar>(w, "vsbEE")->Value(), 1);
  EXPECT_EQ(gCurDataset, 1);
  EXPECT_EQ(Ctl<QLabel>(w, "lblSelectEnsemble")->text(), "2 Slected Ensemble Elements");
  w.Form_KeyDown(40, 0);
  EXPECT_EQ(gCurDataset, 3);  // dataset 2 is skipped

  // Overlay: every shown dataset is drawn, the current one last.
  std::vector<int> order;
  const QMetaObject::Connection watch =
      QObject::connect(&w, &frmProfile::ChartDatasetDrawn, [&order](int d) { order.push_back(d); });
  w.btnEnsemble_Click();
  EXPECT_TRUE(gOverlayAll);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnEnsemble")->font().bold());
  EXPECT_EQ(order, (std::vector<int>{1, 3}));
  w.btnEnsemble_Click();
  QObject::disconnect(watch);

  // No box ticked in a column hides every dataset; the bar takes it.
  Ctl<CheckBox>(w, "chkefname", 10)->SetValue(0);
  EXPECT_EQ(gShownCount, 0);
  EXPECT_FALSE(Ctl<ScrollBar>(w, "vsbEE")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnEnsemble")->isVisibleTo(&w));
  EXPECT_EQ(Ctl<QLabel>(w, "lblSelectEnsemble")->text(), "0 Slected Ensemble Elements");
  w.Form_KeyDown(40, 0);  // no crash, nothing to step to
  Ctl<CheckBox>(w, "chkefname", 10)->SetValue(1);
  EXPECT_EQ(gShownCount, 2);

  // Key 2 cycles the member column: with CTL and P2 ticked the box after
  // the last ticked one is past the end, so CTL alone is ticked ...
  w.Form_KeyDown(50, 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->Value(), 1);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->Value(), 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 7)->Value(), 0);
  EXPECT_EQ(gShownCount, 1);
  EXPECT_EQ(gCurDataset, 1);
  // ... then P1, P2 and round to CTL again.
  w.Cycle(2);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->Value(), 1);
  EXPECT_EQ(gCurDataset, 2);
  w.Cycle(2);
  EXPECT_EQ(gCurDataset, 3);
  w.Cycle(2);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->Value(), 1);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 7)->Value(), 0);
  EXPECT_EQ(gCurDataset, 1);
  // A column beyond the titles' columns does nothing.
  w.Cycle(4);
  EXPECT_EQ(gShownCount, 1);
  // The grave accent ticks every box; the window still refreshes afterwards.
  const int drawn = chartDraws_;
  w.Form_KeyDown(192, 0);
  EXPECT_EQ(gShownCount, 3);
  EXPECT_GT(chartDraws_, drawn);
  EXPECT_FALSE(gLoadingState);
  w.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 1);
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-sref.png").string()));
}

TEST_F(ProfileWindowTest, TheShippedEnsembleFileOverlaysItsMembers) {
  const fs::path sref = fs::path(ONDRIK_DATA_DIR) / "SREF_KOKC.ond";
  if (!fs::exists(sref)) GTEST_SKIP() << "no ensemble sample file in data/";
  fs::copy_file(sref, folder_ / "SREF_KOKC.ond", fs::copy_options::overwrite_existing);
  frmProfile& w = Start();
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  ASSERT_EQ(gDatasetCount, 8);
  // Titles "SREF <core> <member> 12Z": cores ARW and NMM, members CTL, N1, P1, N2, P2.
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 0)->text(), "SREF");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->text(), "ARW");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->text(), "NMM");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 10)->text(), "CTL");
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 15)->text(), "12Z");
  EXPECT_EQ(gShownCount, 8);
  // Within a column the ticks are joined by "or", the columns by "and".
  Ctl<CheckBox>(w, "chkefname", 6)->SetValue(0);  // no NMM
  EXPECT_EQ(gShownCount, 5);
  Ctl<CheckBox>(w, "chkefname", 10)->SetValue(0);  // no control run
  EXPECT_EQ(gShownCount, 4);
  EXPECT_FALSE(gDatasetShown(1));  // ARW CTL
  EXPECT_TRUE(gDatasetShown(2));   // ARW N1
  EXPECT_FALSE(gDatasetShown(6));  // NMM CTL
  EXPECT_EQ(gCurDataset, 2);
  // Overlay: the shown members are drawn, the current one last and the chart
  // still has its picture.
  std::vector<int> order;
  const QMetaObject::Connection watch =
      QObject::connect(&w, &frmProfile::ChartDatasetDrawn, [&order](int d) { order.push_back(d); });
  w.btnEnsemble_Click();
  EXPECT_EQ(order, (std::vector<int>{3, 4, 5, 2}));
  QObject::disconnect(watch);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(w, "picData")->Pic()), 1000);
  // Key 2 cycles the core column from ARW to NMM.
  w.Form_KeyDown(50, 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 5)->Value(), 0);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkefname", 6)->Value(), 1);
  EXPECT_EQ(gShownCount, 2);  // NMM N1 and NMM P1
  EXPECT_EQ(gCurDataset, 7);
  w.btnEnsemble_Click();
  w.btnControl_Click(5);
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-ensemble.png").string()));
}

TEST_F(ProfileWindowTest, ChartControlsReachTheChart) {
  frmProfile& w = Start();
  // Readout: a move over the chart shows the labels of the level under the cursor.
  Ctl<CheckBox>(w, "chkActiveReadout")->SetValue(1);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnActiveReadOut")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnPHK", w.Chart().opt.ReadoutUnit)->font().underline());
  const PictureBox& pic = Ctl<PictureBoxWidget>(w, "picData")->Pic();
  const double y = pic.PixelToY(pic.PixelHeight() * 0.6);
  const double x = pic.PixelToX(pic.PixelWidth() * 0.5);
  w.picData_MouseMove(0, 0, x, y);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblActiveTemp")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QLabel>(w, "lblActiveTemp")->text().isEmpty());
  EXPECT_TRUE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
  w.btnActiveReadOut_Click();
  EXPECT_EQ(w.Chart().opt.ReadoutUnit, 1);
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnPHK", 0)->font().underline());
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnPHK", 1)->font().underline());
  Ctl<CheckBox>(w, "chkActiveReadout")->SetValue(0);
  EXPECT_FALSE(Ctl<QLabel>(w, "lblActiveTemp")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnActiveReadOut")->isVisibleTo(&w));

  // A left click zooms in: the chart top comes down towards the ground.
  const Integer top = gChartTop;
  w.picData_MouseUp(1, 0, x, y);
  EXPECT_GT(gChartTop, top);
  w.picData_MouseUp(2, 0, x, y);
  EXPECT_EQ(gChartTop, top);

  // Wind column spacing: the automatic mode first, then the fixed step.
  EXPECT_TRUE(w.Chart().opt.WindAutoMode);
  w.btnVWPIntervalA_Click();
  EXPECT_EQ(Ctl<QPushButton>(w, "btnVWPIntervalA")->text(), "A2");
  w.btnVWPInterval_Click();
  EXPECT_FALSE(w.Chart().opt.WindAutoMode);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnVWPInterval")->font().bold());
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnVWPIntervalA")->font().bold());
  for (const char* n : {"2", "3", "1"}) {
    w.btnVWPInterval_Click();
    EXPECT_EQ(Ctl<QPushButton>(w, "btnVWPInterval")->text(), n);
  }
  // Height axis and momentum-transfer buttons: one bold at a time.
  const int drawn = chartDraws_;
  w.btnPHK_Click(1);  // already chosen: no redraw
  EXPECT_EQ(chartDraws_, drawn);
  w.btnPHK_Click(2);
  EXPECT_EQ(w.Chart().opt.VerticalUnit, 2);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnPHK", 2)->font().bold());
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnPHK", 1)->font().bold());
  EXPECT_EQ(chartDraws_, drawn + 1);
  Ctl<CheckBox>(w, "chkMomentum")->SetValue(1);
  EXPECT_TRUE(Ctl<QFrame>(w, "frmXfer")->isVisibleTo(&w));
  w.btnXfer_Click(3);
  EXPECT_EQ(w.Chart().opt.gXferIndex, 3);
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnXfer", 3)->font().bold());
  EXPECT_FALSE(Ctl<QPushButton>(w, "btnXfer", 1)->font().bold());

  // Omega strip: shown with its box; a left click narrows the range.
  Ctl<CheckBox>(w, "ChkOmega")->SetValue(1);
  EXPECT_TRUE(Ctl<PictureBoxWidget>(w, "picOmega")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<QPushButton>(w, "btnOmegaFiltered")->isVisibleTo(&w));
  w.picOmega_MouseUp(1);
  EXPECT_NEAR(w.Chart().opt.OmegaRange, 11.0F * 0.7F, 1e-4);
  w.picOmega_MouseUp(2);
  EXPECT_NEAR(w.Chart().opt.OmegaRange, 11.0F, 1e-4);

  // The two humidity boxes and the mean-wind and sigma-level boxes exclude each other.
  Ctl<CheckBox>(w, "chkRH", 0)->SetValue(1);
  Ctl<CheckBox>(w, "chkRH", 1)->SetValue(1);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkRH", 0)->Value(), 0);
  w.btnDisplay_Click(1);  // the map panel holds the layer boxes and their bars
  Ctl<CheckBox>(w, "chkMeanFlow")->SetValue(1);
  Ctl<CheckBox>(w, "chkSigmaLevel")->SetValue(1);
  EXPECT_EQ(Ctl<CheckBox>(w, "chkMeanFlow")->Value(), 0);
  EXPECT_TRUE(Ctl<ScrollBar>(w, "vsbSigmaLevel")->isVisibleTo(&w));
  EXPECT_FALSE(Ctl<ScrollBar>(w, "vsbMeanFlow", 0)->isVisibleTo(&w));

  // Skew T keeps its own temperature bounds.
  Ctl<QPushButton>(w, "btnT1Higher")->click();
  EXPECT_EQ(w.Chart().opt.PlainTMin + 0, gChartTMin);
  const Integer plainMin = gChartTMin;
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(1);
  EXPECT_EQ(gChartTMin, w.Chart().opt.SkewTMin);
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(0);
  EXPECT_EQ(gChartTMin, plainMin);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(w, "picData")->Pic()), 1000);
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-chart.png").string()));
}

TEST_F(ProfileWindowTest, CommandLineLoadsAFileSavesSnapshotsAndEnds) {
  win_ = std::make_unique<frmProfile>();
  frmProfile& w = *win_;
  EXPECT_TRUE(w.Form_Load({"NAM_KBOS.ond", "-PROFILE=A2B4", "-CLOSE"}));
  for (const auto& m : fx_.messages) ADD_FAILURE() << m.text;
  EXPECT_EQ(fx_.endCalls, std::vector<int>{0});
  // The file of the command line, not the first site, is the one loaded.
  EXPECT_NEAR(gSfcPres(1, 0), 960.0F, 0.01F);
  EXPECT_EQ(w.gSiteId, "KBOS");
  // One picture per hour asked for, in the snapshot folder (the program folder).
  int pngs = 0;
  for (const auto& e : fs::directory_iterator(folder_))
    if (e.path().extension() == ".png") {
      ++pngs;
      QImage img(QString::fromStdString(e.path().string()));
      EXPECT_FALSE(img.isNull());
    }
  EXPECT_EQ(pngs, 2);

  // The window's own snapshot and export buttons, on the hour shown.
  win_ = std::make_unique<frmProfile>();
  ASSERT_TRUE(win_->Form_Load({}));
  Ctl<ScrollBar>(*win_, "hsbHour")->SetValue(2);
  Ctl<QPushButton>(*win_, "btnProfileSnapShot")->click();
  EXPECT_TRUE(fs::exists(folder_ / "ondrikprofile.png"));
  EXPECT_EQ(fx_.documents.size(), 1u);
  Ctl<QPushButton>(*win_, "btnExport")->click();
  int exports = 0;
  for (const auto& e : fs::directory_iterator(folder_))
    if (e.path().extension() == ".nsp" || e.path().extension() == ".bsp") ++exports;
  EXPECT_EQ(exports, 2);
  EXPECT_TRUE(fx_.messages.empty());

  // A file of a model that is not configured loads nothing and saves nothing.
  fx_.messages.clear();
  fx_.endCalls.clear();
  WriteFile(folder_ / "XYZ_KOKC.ond", MakeProfileText(ProfileFileSpec{}));
  win_ = std::make_unique<frmProfile>();
  EXPECT_TRUE(win_->Form_Load({"XYZ_KOKC.ond", "-PROFILE=A1", "-CLOSE"}));
  EXPECT_GE(fx_.messages.size(), 1u);
  EXPECT_EQ(fx_.endCalls, std::vector<int>{1});
}

TEST_F(ProfileWindowTest, ArchiveListsLoadTheChosenRun) {
  ProfileFileSpec old;
  old.hours = 4;
  old.sfcPres = 930;
  WriteFile(folder_ / "26120712.NAM_KBOS.ond", MakeProfileText(old));
  ProfileFileSpec ens;
  ens.datasets = 2;
  WriteFile(folder_ / "26120700.SREF_KOKC.ond", MakeProfileText(ens));
  frmProfile& w = Start();
  // The panel shows first, and the window takes its pending events while the
  // lists fill: an event posted before the click runs inside it and finds
  // the archive panel up.
  int panelSeen = -1;
  QTimer::singleShot(0, &w, [&] { panelSeen = w.RightPanel; });
  w.btnSelect_Click();
  EXPECT_EQ(panelSeen, 99);
  EXPECT_EQ(w.RightPanel, 99);
  EXPECT_TRUE(Ctl<QFrame>(w, "picFiles")->isVisibleTo(&w));
  EXPECT_EQ(Ctl<QLabel>(w, "lblModelSite")->text(), "NAM for KOKC");
  EXPECT_EQ(Ctl<QListWidget>(w, "lstModelSite")->count(), 0);
  ASSERT_EQ(Ctl<QListWidget>(w, "lstModel")->count(), 1);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstAll")->count(), 2);
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-archive.png").string()));
  // A run of the same model: loaded, and the Data panel comes back.
  w.ArchiveListClick(ArchiveList::Model, 0);
  EXPECT_NEAR(gSfcPres(1, 0), 930.0F, 0.01F);
  EXPECT_EQ(gDatasetCount, 1);
  EXPECT_EQ(w.windowTitle(), "26120712.NAM_KBOS ONDRIK");
  EXPECT_EQ(w.gSiteId, "KBOS");
  EXPECT_EQ(w.RightPanel, 0);
  EXPECT_TRUE(Ctl<PictureBoxWidget>(w, "picProfile")->isVisibleTo(&w));
  // A run of another model switches the model list first.
  w.btnSelect_Click();
  int sref = -1;
  QListWidget* all = Ctl<QListWidget>(w, "lstAll");
  for (int i = 0; i < all->count(); ++i)
    if (all->item(i)->text().contains("SREF")) sref = i;
  ASSERT_GE(sref, 0);
  w.ArchiveListClick(ArchiveList::All, sref);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->currentItem()->text(), "SREF");
  EXPECT_EQ(gDatasetCount, 2);
  EXPECT_EQ(w.windowTitle(), "26120700.SREF_KOKC ONDRIK");
  EXPECT_TRUE(fx_.messages.empty());

  // "Load": a file chosen in the open-file dialog, anywhere; a cancelled
  // dialog changes nothing.
  fs::create_directories(folder_ / "elsewhere");
  WriteFile(folder_ / "elsewhere" / "NAM_KDEN.ond", MakeProfileText(old));
  std::string askedFolder;
  w.chooseProfileFile = [&](const std::string& folder, const std::string&, const std::string&) {
    askedFolder = folder;
    return std::string();
  };
  w.btnArchive_Click();
  EXPECT_EQ(gDatasetCount, 2);
  w.chooseProfileFile = [&](const std::string&, const std::string&, const std::string&) {
    return (folder_ / "elsewhere" / "NAM_KDEN.ond").string();
  };
  w.btnArchive_Click();
  EXPECT_EQ(gDatasetCount, 1);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->currentItem()->text(), "NAM");
  EXPECT_EQ(w.Settings().gOpenDialogDir, (folder_ / "elsewhere").string() + "/");
  EXPECT_TRUE(fx_.messages.empty());
}

TEST_F(ProfileWindowTest, ReverseOptionPutsHourZeroAtTheLeft) {
  std::ifstream in(folder_ / "Ondrik.cfg", std::ios::binary);
  std::string cfg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::size_t at = cfg.find("reverse?");
  ASSERT_NE(at, std::string::npos);
  const std::size_t zero = cfg.find('0', at + 8);
  ASSERT_NE(zero, std::string::npos);
  cfg[zero] = '1';
  WriteFile(folder_ / "Ondrik.cfg", cfg);
  frmProfile& w = Start();
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Min), 0);
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Max), 5);
  // Right is the next hour, Left the previous, both wrapping.
  w.Form_KeyDown(37, 0);
  EXPECT_EQ(w.CurHour, 5);
  w.Form_KeyDown(39, 0);
  EXPECT_EQ(w.CurHour, 0);
  w.Form_KeyDown(39, 0);
  EXPECT_EQ(w.CurHour, 1);
  w.Form_KeyDown(35, 0);
  EXPECT_EQ(w.CurHour, 5);
  w.Form_KeyDown(36, 0);
  EXPECT_EQ(w.CurHour, 0);
}

TEST_F(ProfileWindowTest, HourBarFollowsTheCurrentDataset) {
  // Dataset 1 has 6 hours, dataset 2 only 3.
  ProfileFileSpec a;
  a.hours = 6;
  a.levels = 12;
  a.title = "NAM CTL 00Z";
  ProfileFileSpec b = a;
  b.hours = 3;
  b.title = "NAM P1 00Z";
  WriteFile(folder_ / "SREF_KOKC.ond", MakeProfileText(a) + MakeProfileText(b));
  frmProfile& w = Start();
  w.SelectModelRow(Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF"));
  ASSERT_EQ(gDatasetCount, 2);
  ASSERT_EQ(gLastHour(1), 5);
  ASSERT_EQ(gLastHour(2), 2);
  ASSERT_EQ(gCurDataset, 1);
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Min), 5);
  w.Form_KeyDown(35, 0);  // End: the last hour of dataset 1
  EXPECT_EQ(w.CurHour, 5);
  // Onto dataset 2: its last hour is 2, and the bar never shows more.
  w.Form_KeyDown(40, 0);
  EXPECT_EQ(gCurDataset, 2);
  EXPECT_EQ(static_cast<int>(Ctl<ScrollBar>(w, "hsbHour")->Min), 2);
  EXPECT_EQ(w.CurHour, 2);
  EXPECT_EQ(Ctl<QLabel>(w, "lblDate")->text(), "12/31/06     20:00 Z");
  w.Form_KeyDown(39, 0);
  w.Form_KeyDown(39, 0);
  w.Form_KeyDown(39, 0);
  EXPECT_EQ(w.CurHour, 2);  // Right wrapped from 0 to the last hour, 2
  w.timerAutoDisplay_Timer();
  EXPECT_EQ(w.CurHour, 0);
  // Back on dataset 1 every hour is there again.
  w.Form_KeyDown(38, 0);
  EXPECT_EQ(gCurDataset, 1);
  w.Form_KeyDown(35, 0);
  EXPECT_EQ(w.CurHour, 5);
}

TEST_F(ProfileWindowTest, ConfigurationFaultsEndStartUpWithAMessage) {
  // Missing configuration.
  fs::remove(folder_ / "Ondrik.cfg");
  {
    frmProfile w;
    EXPECT_FALSE(w.Form_Load({}));
  }
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find("Can't locate the ONDRIK.CFG configuration file"), std::string::npos);
  EXPECT_EQ(fx_.endCalls, std::vector<int>{1});
  EXPECT_FALSE(gLoadingState);

  // A short configuration names the file.
  fx_.messages.clear();
  fx_.endCalls.clear();
  WriteFile(folder_ / "Ondrik.cfg", "Ondrik configuration\n./\n====>\n");
  {
    frmProfile w;
    EXPECT_FALSE(w.Form_Load({}));
    EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->count(), 0);
  }
  ASSERT_EQ(fx_.messages.size(), 1u);
  EXPECT_NE(fx_.messages[0].text.find("Ondrik.cfg"), std::string::npos);
  EXPECT_EQ(fx_.endCalls, std::vector<int>{1});

  // "/U=joe" tries JOE.cfg first, then Ondrik.cfg.
  fx_.messages.clear();
  fx_.endCalls.clear();
  fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "Ondrik.cfg", folder_ / "JOE.cfg");
  {
    frmProfile w;
    EXPECT_TRUE(w.Form_Load({"/U=joe"}));
    EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->count(), 4);
    EXPECT_TRUE(w.FileLoaded);
  }
  EXPECT_TRUE(fx_.messages.empty());
}

// The layout rules of the window, checked at the size it has now.
void ExpectLayout(const frmProfile& w) {
  SCOPED_TRACE(::testing::Message() << "window " << w.width() << " x " << w.height());
  const QRect chart = Ctl<PictureBoxWidget>(w, "picData")->geometry();
  const QRect data = Ctl<QFrame>(w, "frameData")->geometry();
  const QRect left = Ctl<QFrame>(w, "frameLeft")->geometry();
  const QRect right = Ctl<QFrame>(w, "frameRight")->geometry();
  // The data frame fills the window under the lists.
  EXPECT_EQ(data.top(), Ctl<QListWidget>(w, "lstSiteIDs")->height());
  EXPECT_EQ(data.width(), w.width());
  EXPECT_EQ(data.bottom(), w.height() - 1);
  // The chart spans the window's width but 3 pixels; the omega scale and the
  // hour bar are as wide.
  EXPECT_EQ(chart.right(), w.width() - 4);
  EXPECT_EQ(Ctl<PictureBoxWidget>(w, "picOmega")->x(), chart.x());
  EXPECT_EQ(Ctl<PictureBoxWidget>(w, "picOmega")->y(), chart.y());
  EXPECT_EQ(Ctl<PictureBoxWidget>(w, "picOmega")->width(), chart.width());
  EXPECT_EQ(Ctl<ScrollBar>(w, "hsbHour")->width(), chart.width());
  // Both frames stand on the data frame's bottom, side by side; the chart
  // reaches down to them and the side-panel frame ends on its right edge.
  EXPECT_EQ(left.bottom(), data.height() - 1);
  EXPECT_EQ(right.top(), left.top());
  EXPECT_EQ(chart.bottom() + 1, left.top());
  EXPECT_EQ(right.right(), chart.right());
  EXPECT_LT(left.right(), right.left());
  EXPECT_GE(left.left(), 0);
  // The overview buttons at the top right; the site list reaches up to them.
  EXPECT_EQ(Ctl<QFrame>(w, "frameOverview")->geometry().right(), w.width() - 3);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->geometry().right() + 4, Ctl<QFrame>(w, "frameOverview")->x());
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->height(), Ctl<QListWidget>(w, "lstSiteIDs")->height());
}

TEST_F(ProfileWindowTest, ThreeSitesAColumnCapTheListsBelowOneRow) {
  // Three site ids a column cap the lists at 3 x 213 = 639 twips (42 pixels),
  // below the one-row floor.
  std::ifstream in(folder_ / "Ondrik.cfg", std::ios::binary);
  std::string cfg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const std::size_t at = cfg.find("Column (3 to 8)");
  ASSERT_NE(at, std::string::npos);
  const std::size_t digit = cfg.find('4', at + 15);
  ASSERT_NE(digit, std::string::npos);
  cfg[digit] = '3';
  WriteFile(folder_ / "Ondrik.cfg", cfg);
  frmProfile& w = Start();
  ASSERT_EQ(w.Settings().gMaxSitesPerColumn, 3);
  w.resize(1100, 1000);
  QApplication::processEvents();
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->height(), 42);
  ExpectLayout(w);
}

TEST_F(ProfileWindowTest, ResizeKeepsTheMinimumAndLimitsTheLists) {
  frmProfile& w = Start();
  const QSize leftSize = Ctl<QFrame>(w, "frameLeft")->size(), rightSize = Ctl<QFrame>(w, "frameRight")->size();
  w.resize(400, 300);
  QApplication::processEvents();
  EXPECT_GE(w.width() * kTwipsPerPixel, kMinWindowWidthTw);
  EXPECT_GE(w.height() * kTwipsPerPixel, kMinWindowHeightTw);
  // A tall window: the lists grow up to the configured 4 rows of 213 twips.
  w.resize(1100, 1000);
  QApplication::processEvents();
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->height(), 213 * 4 / kTwipsPerPixel);
  EXPECT_EQ(Ctl<QListWidget>(w, "lstoptModel")->height(), Ctl<QListWidget>(w, "lstSiteIDs")->height());
  EXPECT_EQ(w.Chart().opt.gXferIndex, 1);
  ExpectLayout(w);
  // The new size is kept for the next run (a file is loaded).
  EXPECT_EQ(gWindowGeometry[0], 1100 * kTwipsPerPixel);
  EXPECT_EQ(gWindowGeometry[1], 1000 * kTwipsPerPixel);
  // The chart fills its new room and is drawn again.
  EXPECT_GT(Ctl<PictureBoxWidget>(w, "picData")->height(), 500);
  EXPECT_GT(NonBlackPixels(Ctl<PictureBoxWidget>(w, "picData")->Pic()), 1000);
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-large.png").string()));
  // A window 11010 twips high: the lists get 11010 - 10710 = 300 twips, raised
  // to one row of 645 twips (43 pixels).
  w.resize(1100, 734);
  QApplication::processEvents();
  EXPECT_EQ(Ctl<QListWidget>(w, "lstSiteIDs")->height(), 43);
  ExpectLayout(w);
  // At the smallest size every frame stays inside the window.
  w.resize(1, 1);
  QApplication::processEvents();
  ExpectLayout(w);
  EXPECT_LE(Ctl<QFrame>(w, "frameRight")->geometry().right(), w.width());
  EXPECT_LE(Ctl<QFrame>(w, "frameData")->geometry().bottom(), w.height());
  EXPECT_GT(Ctl<PictureBoxWidget>(w, "picData")->height(), 300);
  // The frames under the chart keep their size; what they hold stays inside
  // them and every check box shows its whole caption.
  EXPECT_EQ(Ctl<QFrame>(w, "frameLeft")->size(), leftSize);
  EXPECT_EQ(Ctl<QFrame>(w, "frameRight")->size(), rightSize);
  for (QWidget* frame : {Ctl<QFrame>(w, "frameLeft"), Ctl<QFrame>(w, "frameRight")})
    for (QWidget* c : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      EXPECT_TRUE(frame->rect().contains(c->geometry())) << c->metaObject()->className();
      if (auto* box = qobject_cast<CheckBox*>(c); box != nullptr && !box->text().isEmpty()) {
        EXPECT_GE(box->width(), box->sizeHint().width()) << box->text().toStdString();
      }
    }
  // Every control of a control page shows whole: each lies inside what holds it.
  for (int i = 0; i < 6; ++i) {
    QWidget* page = Ctl<QFrame>(w, "pnlControl", i);
    for (QWidget* c : page->findChildren<QWidget*>()) {
      bool inScrollArea = false;
      for (QWidget* p = c->parentWidget(); p != page && p != nullptr; p = p->parentWidget())
        inScrollArea = inScrollArea || qobject_cast<QAbstractScrollArea*>(p) != nullptr;
      if (inScrollArea || c->isHidden() || c->isWindow()) continue;
      EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
          << i << " " << c->objectName().toStdString() << " " << c->metaObject()->className();
    }
  }
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-min.png").string()));
}

}  // namespace
}  // namespace ondrik

namespace ondrik {
namespace {

TEST(ProfileWindowLabels, HourAndDateCaptions) {
  // Forecast hour = hour index x hours per step.
  EXPECT_EQ(HourCaption(5, 3.0F), "15");
  EXPECT_EQ(HourCaption(5, 1.5F), "7.5");
  EXPECT_EQ(HourCaption(0, 6.0F), "0");
  // Less than an hour a step: one decimal always.
  EXPECT_EQ(HourCaption(3, 0.5F), "1.5");
  EXPECT_EQ(HourCaption(4, 0.5F), "2.0");
  // A file with one hour has no step.
  EXPECT_EQ(HourCaption(0, 0.0F), "0.0");
  // Month, day, two-digit year, five blanks, the hour without a leading zero.
  EXPECT_EQ(DateCaption(DateTime{2012, 3, 12, 18, 0}), "03/12/12     18:00 Z");
  EXPECT_EQ(DateCaption(DateTime{2007, 1, 1, 6, 30}), "01/01/07     6:30 Z");
}

}  // namespace
}  // namespace ondrik
