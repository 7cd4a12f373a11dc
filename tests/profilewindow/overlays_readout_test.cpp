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
#include <functional>
#include <iterator>
#include <memory>
#include <algorithm>
#include <vector>
#include <stdexcept>
#include <string>
#include <tuple>

#include "core/shared.h"
#include "chart/cursor.h"
#include "core/store.h"
#include "panels/heavyprecip.h"
#include "platform/controls.h"
#include "platform/effects.h"
#include "platform/folders.h"
#include "platform/pictureboxwidget.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/snapshot.h"
#include "tests/core/profile_text.h"
#include "tests/profilewindow/window_fixture.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;
using namespace ondrik::testing;

// The rows (picture pixels) of the levels as the chart drew them, level 1
// first: the vertices of the dew-point trace the redraw recorded, a dot and
// then segments each from the end of the one before.
std::vector<double> LevelRowsAsDrawn(const PictureBox& pic) {
  const auto& shapes = pic.DrawnShapes();
  std::vector<double> best;
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    std::vector<double> rows;
    QPoint at;
    for (std::size_t k = i; k < shapes.size(); ++k) {
      const PictureBox::DrawnShape& s = shapes[k];
      if (s.kind != PictureBox::DrawnShape::Kind::Lines || s.pen.color() != QColor(0, 255, 0) ||
          s.points.size() != (k == i ? 1 : 2) || (k > i && s.points[0] != at))
        break;
      at = s.points.back();
      rows.push_back(at.y() / pic.DeviceScale());
    }
    if (rows.size() > best.size()) best = rows;
  }
  return best;
}

// Whether level L is the first at or above a pointer row as drawn: its row
// is not below the pointer's and the row of the level under it not above it
// (half a pixel either way: a vertex stands on the pixel nearest its level).
::testing::AssertionResult FirstAtOrAbove(const std::vector<double>& rows, Integer L, double row) {
  if (L < 1 || L > static_cast<Integer>(rows.size())) return ::testing::AssertionFailure() << "level " << L;
  const auto i = static_cast<std::size_t>(L - 1);
  if (rows[i] > row + 0.5) return ::testing::AssertionFailure() << "level " << L << " drawn at row " << rows[i];
  if (i > 0 && rows[i - 1] < row - 0.5)
    return ::testing::AssertionFailure() << "level " << L - 1 << " under it drawn at row " << rows[i - 1];
  return ::testing::AssertionSuccess();
}

// The pointer reads the level drawn under it with every band that can lie
// over the chart's top: none, the omega strip, a snapshot's titles. From 13
// pixels under the chart's top down to the surface, on the chart and over a
// readout label (which hands its moves to the chart), hour 0 and 24.
TEST_F(ProfileWindowTest, ThePointerReadsTheLevelDrawnUnderIt) {
  fs::copy_file(fs::path(ONDRIK_DATA_DIR) / "NAM_KOKC.ond", folder_ / "NAM_KOKC.ond",
                fs::copy_options::overwrite_existing);
  frmProfile& w = Start();
  ASSERT_TRUE(w.FileLoaded);
  Ctl<CheckBox>(w, "chkActiveReadout")->SetValue(1);
  PictureBoxWidget* chart = Ctl<PictureBoxWidget>(w, "picData");
  const auto band = [&](const char* name) {
    Ctl<CheckBox>(w, "ChkOmega")->SetValue(std::string(name) == "omega" ? 1 : 0);
    if (std::string(name) == "titles") w.PlotProfileUnderSnapshotTitles(*w.ProfileSnapRequest("A"));
    else w.PlotProfile();
  };
  for (const Integer hour : {0, 24}) {
    Ctl<ScrollBar>(w, "hsbHour")->SetValue(hour);
    for (const char* name : {"none", "omega", "titles"}) {
      PictureBox::RecordPrintedTexts(true);
      band(name);
      PictureBox::RecordPrintedTexts(false);
      const std::vector<double> rows = LevelRowsAsDrawn(chart->Pic());
      ASSERT_GE(rows.size(), 20u) << name;
      // The chart's top as drawn: where the isotherms end.
      double top = chart->height();
      for (const PictureBox::DrawnShape& sh : chart->Pic().DrawnShapes())
        if (sh.kind == PictureBox::DrawnShape::Kind::Lines && sh.points.size() == 2 && sh.pen.color() == QColor(0, 0, 255) &&
            std::abs(sh.points[0].y() - sh.points[1].y()) > chart->height() / 2)
          top = std::min<double>(top, std::min(sh.points[0].y(), sh.points[1].y()) / chart->Pic().DeviceScale());
      ASSERT_LT(top, chart->height() / 3.0) << name;
      for (int r = static_cast<int>(std::ceil(top)) + 13; r < rows.front(); r += 9) {
        SCOPED_TRACE(::testing::Message() << "hour " << hour << ", " << name << ", row " << r);
        QMouseEvent move(QEvent::MouseMove, QPointF(chart->width() / 2.0, r), QPointF(), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
        const Integer L = w.Chart().cursor.LastReadoutLevel;
        ASSERT_TRUE(FirstAtOrAbove(rows, L, r));
        QLabel* axis = Ctl<QLabel>(w, "lblActiveAxis");
        ASSERT_TRUE(axis->isVisibleTo(&w));
        EXPECT_EQ(axis->text().toStdString(), ReadoutAxisCaption(0, gPres(gCurDataset, hour, L), 0));
        // The readout stands on the level it names, or whole under the
        // chart's top when the level lies above it (under the band).
        const double levelRow = rows[static_cast<std::size_t>(L - 1)];
        EXPECT_GE(axis->y(), std::floor(top));
        if (levelRow >= top + axis->height()) {
          EXPECT_NEAR(axis->y() + axis->height() / 2.0, levelRow, 1.5);
        }
        // Over the temperature label, a row lower.
        QLabel* temp = Ctl<QLabel>(w, "lblActiveTemp");
        const QPointF on(2, temp->height() / 2.0 + 1);
        QMouseEvent over(QEvent::MouseMove, on, QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        const double overRow = temp->mapTo(chart, on.toPoint()).y();
        QApplication::sendEvent(temp, &over);
        EXPECT_TRUE(FirstAtOrAbove(rows, w.Chart().cursor.LastReadoutLevel, overRow)) << "over the label";
      }
    }
  }
}

// What the pointer read belongs to the chart shown: after every road that
// draws the chart again (hour steps by key and bar, boxes, a display setup
// recalled by its key, a resize, a zoom, the elevated-parcel level, a new
// file, the next dataset), the readout and the elevated parcel stand for the
// level under the resting pointer of the hour, dataset and settings shown;
// with the pointer off the chart they are gone.
TEST_F(ProfileWindowTest, TheReadoutIsReadAgainAfterEveryRedraw) {
  for (const char* f : {"NAM_KOKC.ond", "SREF_KOKC.ond"})
    fs::copy_file(fs::path(ONDRIK_DATA_DIR) / f, folder_ / f, fs::copy_options::overwrite_existing);
  frmProfile& w = Start();
  ASSERT_TRUE(w.FileLoaded);
  w.btnControl_Click(3);
  Ctl<CheckBox>(w, "chkECAPE")->SetValue(1);
  Ctl<CheckBox>(w, "chkActiveReadout")->SetValue(1);
  // Setup B: another chart (plain, with the omega strip).
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(1 - Ctl<CheckBox>(w, "chkSkewT")->Value());
  Ctl<CheckBox>(w, "ChkOmega")->SetValue(1);
  ASSERT_TRUE(w.btnSave_Click(1));
  Ctl<CheckBox>(w, "chkSkewT")->SetValue(1 - Ctl<CheckBox>(w, "chkSkewT")->Value());
  Ctl<CheckBox>(w, "ChkOmega")->SetValue(0);
  ScrollBar* hour = Ctl<ScrollBar>(w, "hsbHour");
  hour->SetValue(40);

  PictureBoxWidget* chart = Ctl<PictureBoxWidget>(w, "picData");
  QPointF at;  // where the pointer rests
  const auto send = [&](QEvent::Type type, Qt::MouseButton button) {
    QMouseEvent e(type, at, QPointF(), button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                  Qt::NoModifier);
    QApplication::sendEvent(chart, &e);
  };
  const auto leave = [&] {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(chart, &e);
  };
  const int sref = Row(Ctl<QListWidget>(w, "lstoptModel"), "SREF");
  ASSERT_GE(sref, 0);
  const struct {
    const char* road;
    std::function<void()> go;
    bool away;  // also taken with the pointer off the chart
  } roads[] = {
      {"Left key", [&] { w.Form_KeyDown(37, 0); }, true},
      {"Left key 33 times", [&] { for (int i = 0; i < 33; ++i) w.Form_KeyDown(37, 0); }, true},
      {"hour bar", [&] { hour->SetValue(hour->Value() + 7); }, true},
      {"Skew T box", [&] { Ctl<CheckBox>(w, "chkSkewT")->SetValue(1 - Ctl<CheckBox>(w, "chkSkewT")->Value()); }, true},
      {"Omega box", [&] { Ctl<CheckBox>(w, "ChkOmega")->SetValue(1 - Ctl<CheckBox>(w, "ChkOmega")->Value()); }, true},
      {"F2 recalls setup B", [&] { w.Form_KeyDown(113, 0); }, true},
      {"elevated-parcel level",
       [&] {
         ScrollBar* level = Ctl<ScrollBar>(w, "vbsElevatedPT");
         level->SetValue(level->Value() == 3 ? 2 : 3);
       },
       true},
      {"window resized", [&] { w.resize(w.width() + 31, w.height() + 17); }, true},
      {"click zooms in", [&] { send(QEvent::MouseButtonRelease, Qt::LeftButton); }, false},
      {"right click zooms out", [&] { send(QEvent::MouseButtonRelease, Qt::RightButton); }, false},
      {"model SREF", [&] { w.SelectModelRow(sref); }, false},
      {"next dataset (Down)", [&] { w.Form_KeyDown(40, 0); }, true},
      {"Left key, ensemble", [&] { w.Form_KeyDown(37, 0); }, true},
  };
  for (const auto& r : roads) {
    for (const bool away : {false, true}) {
      if (away && !r.away) continue;
      SCOPED_TRACE(std::string(r.road) + (away ? ", pointer off the chart" : ""));
      at = QPointF(chart->width() * 0.45, chart->height() * 0.55);
      send(QEvent::MouseMove, Qt::NoButton);  // the readout of the picture before
      if (away) leave();
      PictureBox::RecordPrintedTexts(true);
      r.go();
      PictureBox::RecordPrintedTexts(false);
      QApplication::processEvents();
      const ChartCursor& c = w.Chart().cursor;
      if (away) {
        for (const char* l : {"lblActiveTemp", "lblActiveDP", "lblActiveDir", "lblActiveKts", "lblActiveAxis"})
          EXPECT_FALSE(Ctl<QLabel>(w, l)->isVisibleTo(&w)) << l;
        EXPECT_EQ(c.frameECAPE.lblEParcelp, "");
        EXPECT_FALSE(c.ElevSketchDrawn);
        continue;
      }
      const Integer D = gCurDataset, H = w.CurHour, L = c.LastReadoutLevel;
      const std::vector<double> rows = LevelRowsAsDrawn(chart->Pic());
      ASSERT_TRUE(FirstAtOrAbove(rows, L, at.y()));
      ASSERT_TRUE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
      EXPECT_EQ(Ctl<QLabel>(w, "lblActiveAxis")->text().toStdString(),
                ReadoutAxisCaption(w.Chart().opt.ReadoutUnit, gPres(D, H, L), gSfcPres(D, H)));
      EXPECT_EQ(Ctl<QLabel>(w, "lblActiveTemp")->text().toStdString(), ReadoutTempCaption(gTemp(D, H, L)));
      EXPECT_EQ(Ctl<QLabel>(w, "lblActiveDP")->text().toStdString(), ReadoutDewpointCaption(gDewpt(D, H, L)));
      // The elevated parcel is this level's, of this hour and dataset.
      if (c.ElevSketchDrawn) {
        EXPECT_EQ(std::make_tuple(c.ElevSketchDataset, c.ElevSketchHour, c.ElevSketchLevel), std::make_tuple(D, H, L));
        EXPECT_EQ(c.frameECAPE.lblEParcelp, std::to_string(std::lround(gPres(D, H, L))) + " mb");
      } else {
        EXPECT_EQ(c.frameECAPE.lblEParcelp, "");
      }
    }
  }
  // A snapshot's picture takes nothing of the resting pointer.
  send(QEvent::MouseMove, Qt::NoButton);
  ASSERT_TRUE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
  w.PlotProfileUnderSnapshotTitles(*w.ProfileSnapRequest("A"));
  EXPECT_FALSE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
  EXPECT_FALSE(w.Chart().cursor.ElevSketchDrawn);
}

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

  // A real move over the chart at 60 % of its height, under the omega strip:
  // the height label shows the first level at or above the cursor as the
  // chart drew it.
  PictureBoxWidget* chart = Ctl<PictureBoxWidget>(w, "picData");
  const int py = chart->height() * 6 / 10;
  PictureBox::RecordPrintedTexts(true);
  w.PlotProfile();
  PictureBox::RecordPrintedTexts(false);
  const std::vector<double> rows = LevelRowsAsDrawn(chart->Pic());
  QMouseEvent move(QEvent::MouseMove, QPointF(chart->width() / 2.0, py), QPointF(), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(chart, &move);
  ASSERT_TRUE(Ctl<QLabel>(w, "lblActiveAxis")->isVisibleTo(&w));
  EXPECT_TRUE(FirstAtOrAbove(rows, w.Chart().cursor.LastReadoutLevel, py));
  const QString axis = Ctl<QLabel>(w, "lblActiveAxis")->text();
  EXPECT_TRUE(axis.endsWith("mb")) << axis.toStdString();
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
