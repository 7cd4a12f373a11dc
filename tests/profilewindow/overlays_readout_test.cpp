// The profile window run headless with every overlay of the chart ticked and
// the mouse read-out on.
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
#include "panels/heavyprecip.h"
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

// The shipped NAM file with every chart overlay ticked: the readout follows
// real mouse events (also over its own labels), a click on a readout label
// zooms even during the inflow selection, the elevated-CAPE frame and the
// omega strip fill, and the window is saved for a look.
TEST_F(ProfileWindowTest, EveryOverlayTickedWithMouseReadout) {
  fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "NAM_KOKC.ond", folder_ / "NAM_KOKC.ond",
                fs::copy_options::overwrite_existing);
  WriteFile(folder_ / "HaulixC.Dat", "LIST = Plains: Oklahoma\nNAM_KOKC\n");
  frmProfile& w = Start();
  ASSERT_TRUE(w.FileLoaded);
  // Tool tips of the download lists: list C from its file, the others none.
  ASSERT_EQ(w.HaulixToolTips.size(), 22u);
  EXPECT_EQ(w.HaulixToolTips[2].value_or(""), "Oklahoma");
  EXPECT_FALSE(w.HaulixToolTips[0].has_value());

  for (CheckBox* c : {Ctl<CheckBox>(w, "chkDryAdiabats"), Ctl<CheckBox>(w, "chkClouds"), Ctl<CheckBox>(w, "chkLayer2Layer"), Ctl<CheckBox>(w, "chkInversions"), Ctl<CheckBox>(w, "chkWetBulb"),
                      Ctl<CheckBox>(w, "chkIcing"), Ctl<CheckBox>(w, "chkFP"), Ctl<CheckBox>(w, "chkLCL"), Ctl<CheckBox>(w, "chkLFC"), Ctl<CheckBox>(w, "chkEQL"), Ctl<CheckBox>(w, "chkWBZ"), Ctl<CheckBox>(w, "chkCCL"),
                      Ctl<CheckBox>(w, "chkConvectiveTemp"), Ctl<CheckBox>(w, "chkParcel"), Ctl<CheckBox>(w, "chkCINS"), Ctl<CheckBox>(w, "chkMomentum"), Ctl<CheckBox>(w, "chkSnowGrowth"),
                      Ctl<CheckBox>(w, "chkHailGrowth"), Ctl<CheckBox>(w, "chk10MWind"), Ctl<CheckBox>(w, "ChkOmega"), Ctl<CheckBox>(w, "chkActiveReadout"), Ctl<CheckBox>(w, "chksWSYMb"),
                      Ctl<CheckBox>(w, "chkRH", 0), Ctl<CheckBox>(w, "chkLakeIndex"), Ctl<CheckBox>(w, "chkMoistLakeIndex"), Ctl<CheckBox>(w, "chkLIC")})
    c->SetValue(1);
  EXPECT_TRUE(w.Chart().opt.chksWSYMb);
  EXPECT_TRUE(Ctl<QFrame>(w, "frmXfer")->isVisibleTo(&w));
  EXPECT_TRUE(Ctl<PictureBoxWidget>(w, "picOmega")->isVisibleTo(&w));
  w.btnControl_Click(3);
  Ctl<CheckBox>(w, "chkECAPE")->SetValue(1);
  Ctl<ScrollBar>(w, "hsbHour")->SetValue(12);
  QApplication::processEvents();

  // A real move over the chart at 60 % of its height: the height label shows
  // the first level at or above the cursor's pressure, read from the pixel
  // row whatever scale the drawing left on the picture.
  const int h = Ctl<PictureBoxWidget>(w, "picData")->height();
  const int py = h * 6 / 10;
  const double lnTop = std::log(static_cast<double>(gChartTop));
  const double lnBottom = std::log(static_cast<double>(gChartBottom));
  const double pCursor = std::exp(lnTop + (lnBottom - lnTop) * py / h);
  QMouseEvent move(QEvent::MouseMove, QPointF(Ctl<PictureBoxWidget>(w, "picData")->width() / 2.0, py), QPointF(), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Ctl<PictureBoxWidget>(w, "picData"), &move);
  ASSERT_TRUE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
  const QString axis = Ctl<QLabel>(w, "lblActiveAxis")->text();
  ASSERT_TRUE(axis.endsWith("mb")) << axis.toStdString();
  const double pLevel = axis.chopped(2).trimmed().toDouble();
  EXPECT_LE(pLevel, pCursor + 0.5);
  EXPECT_GT(pLevel, pCursor - 40);
  EXPECT_TRUE(Ctl<QLabel>(w, "lblActiveTemp")->text().startsWith("< "));
  EXPECT_TRUE(Ctl<QLabel>(w, "lblActiveDP")->text().endsWith(" >"));
  EXPECT_TRUE(w.SaveWindowPng((fs::path(ONDRIK_TEST_TMP) / "frmprofile-overlays.png").string()));

  // With the inflow selection on, a click on the chart only ends the
  // selection; a click on a readout label zooms all the same.
  const Integer top = gChartTop;
  // The selection is the heavy-precipitation panel's.
  w.btnDisplay_Click(5);
  QPushButton* select = Ctl<QPushButton>(w, "btnSelectInflow");
  const QFont caption = select->font();
  select->click();
  EXPECT_EQ(select->palette().color(QPalette::Button), QColor(255, 255, 0));
  const auto* heavy = dynamic_cast<const HeavyPrecipPanel*>(w.Panel(5));
  ASSERT_NE(heavy, nullptr);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(Ctl<QLabel>(w, "lblActiveTemp"), &press);
  QApplication::sendEvent(Ctl<QLabel>(w, "lblActiveTemp"), &release);
  EXPECT_GT(gChartTop, top);
  EXPECT_TRUE(heavy->InflowSelectMode);
  const Integer zoomed = gChartTop;
  w.picData_MouseUp(1, 0, 50, std::log(500.0));
  EXPECT_FALSE(heavy->InflowSelectMode);
  EXPECT_EQ(gChartTop, zoomed);
  EXPECT_NE(select->palette().color(QPalette::Button), QColor(255, 255, 0));
  EXPECT_EQ(select->font(), caption);  // the caption keeps its face
  // A right click on the dew-point label zooms back out.
  QMouseEvent releaseRight(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(), Qt::RightButton,
                           Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Ctl<QLabel>(w, "lblActiveDP"), &releaseRight);
  EXPECT_EQ(gChartTop, top);
}

}  // namespace
}  // namespace ondrik
