// The overview's control pages, option buttons, level bars and mouse in the
// real window beside the profile window: the pages, the time-zone adjust on
// a table with and without room, the mirrored Bourgouin box, the mean-wind
// bounds, the elevation label, the hour and readout by mouse, the zoom and
// the picture-in-picture.
#include <gtest/gtest.h>

#include <tuple>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>
#include <sstream>

#include "core/shared.h"
#include "platform/controls.h"
#include "profilewindow/timezone.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(OverviewWindowTest, PagesOptionButtonsAndLegends) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  for (int i = 0; i < kOverviewPageCount; ++i) {
    Ctl<QPushButton>(o, "btnControl", i)->click();
    EXPECT_EQ(o.State().opt.ControlPage, i);
    for (int k = 0; k < kOverviewPageCount; ++k)
      EXPECT_EQ(Ctl<QWidget>(o, "pnlControl", k)->isVisible(), k == i) << i << " " << k;
  }
  // The 10 meter base there and back; the unit already chosen draws nothing.
  const OverviewFrame before = o.State().frame;
  Ctl<QPushButton>(o, "btnPressureBase")->click();
  EXPECT_FLOAT_EQ(o.State().frame.LogPSpan, before.LogPSpan * 1.15f);
  Ctl<QPushButton>(o, "btnPressureBase")->click();
  EXPECT_FLOAT_EQ(o.State().frame.LogPSpan, before.LogPSpan);
  EXPECT_FLOAT_EQ(o.State().frame.LogPBottom, o.State().frame.LogPSurface[1]);
  int draws = drawn_;
  Ctl<QPushButton>(o, "btnPHK", 1)->click();
  EXPECT_EQ(drawn_, draws);
  Ctl<QPushButton>(o, "btnPHK", 2)->click();
  EXPECT_EQ(o.State().opt.VerticalUnit, 2);
  EXPECT_EQ(drawn_, draws + 1);
  // CAPE lines off and on; the barb spacing cycles; the speed legend relabels.
  Ctl<QPushButton>(o, "btnCAPEkm", 0)->click();
  EXPECT_FALSE(o.State().opt.CapeLineOn[0]);
  Ctl<QPushButton>(o, "btnCAPEkm", 0)->click();
  EXPECT_TRUE(o.State().opt.CapeLineOn[0]);
  // A lit button shows the colour it keeps, the one its layout file holds.
  for (const auto& [name, k, colour] : {std::tuple{"btnCAPEkm", 0, RGB(0, 192, 0)}, std::tuple{"btnHeights", 1, kRed},
                                        std::tuple{"btnHeights", 3, RGB(0, 192, 0)}})
    EXPECT_TRUE(Ctl<QPushButton>(o, name, k)->styleSheet().contains(
        QString("rgb(%1, %2, %3)").arg(RedOf(colour)).arg(GreenOf(colour)).arg(BlueOf(colour))))
        << name << k;
  for (int want : {1, 2, 3, 1}) {
    Ctl<QPushButton>(o, "btnVWPInterval")->click();
    EXPECT_EQ(o.State().opt.VWPInterval, want);
  }
  Ctl<QPushButton>(o, "btnVWPIntervalA")->click();
  EXPECT_EQ(o.State().opt.VWPAuto, -1);
  Ctl<QPushButton>(o, "btnVWPInterval")->click();
  EXPECT_EQ(o.State().opt.VWPAuto, 0);
  EXPECT_EQ(o.State().opt.VWPInterval, 1);
  o.OptWindColor_Click(1);
  EXPECT_EQ(Ctl<QLabel>(o, "lblVWP", 5)->text(), "30");
  // The heat-index classes tell their message; the web buttons open pages.
  const size_t messages = fx_.messages.size();
  o.lblHI_Click(2);
  ASSERT_EQ(fx_.messages.size(), messages + 1);
  EXPECT_EQ(fx_.messages.back().title, "C-11 Heat Index");
  Ctl<QPushButton>(o, "btnSRclimo")->click();
  ASSERT_EQ(fx_.documents.size(), 1u);
  EXPECT_TRUE(fx_.programs.empty());
  // Ticking a field shows its panel; the grid follows.
  Ctl<CheckBox>(o, "chkCAPE")->SetValue(1);
  EXPECT_FALSE(Ctl<QWidget>(o, "frameCAPE")->isHidden());
  EXPECT_TRUE(o.State().opt.On(kBoxGridLeft));
  Ctl<CheckBox>(o, "chkRH1")->SetValue(1);
  EXPECT_TRUE(o.State().opt.On(kBoxGridHeight));
  EXPECT_FALSE(o.State().opt.On(kBoxGridLeft));
  EXPECT_TRUE(Ctl<QWidget>(o, "frameRHHide")->isHidden());
  o.lblRH_Click(9);
  EXPECT_EQ(o.State().opt.RHLowestClass, 9);
}

TEST_F(OverviewWindowTest, OptionControlsFollowARecalledLayout) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  Ctl<CheckBox>(o, "chkRH1")->SetValue(1);
  Ctl<CheckBox>(o, "chkEHailCape")->SetValue(1);
  Ctl<QPushButton>(o, "btnPHK", 0)->click();
  Ctl<QPushButton>(o, "btnHeights", 2)->click();
  o.chkCI_Click(3);
  Ctl<QPushButton>(o, "btnQuit")->click();
  frmOverView& again = Open(w);
  // The boxes of the pairs come back without their clicks; their panels show all the same.
  EXPECT_FALSE(Ctl<QWidget>(again, "pnlRH")->isHidden());
  EXPECT_TRUE(Ctl<QWidget>(again, "frameRHHide")->isHidden());
  EXPECT_FALSE(Ctl<QWidget>(again, "frameECAPE")->isHidden());
  EXPECT_TRUE(Ctl<QPushButton>(again, "btnPHK", 0)->font().bold());
  EXPECT_FALSE(Ctl<QPushButton>(again, "btnPHK", 1)->font().bold());
  EXPECT_TRUE(Ctl<QPushButton>(again, "btnHeights", 2)->styleSheet().isEmpty());
  EXPECT_TRUE(Ctl<QRadioButton>(again, "chkCI", 3)->isChecked());
}

TEST_F(OverviewWindowTest, TimeZoneAdjustAddsOneRowThenReusesIt) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  const size_t rows = gTZRecords.size();
  const int offset = gTZOffset;
  const bool hadRow = gTZRow >= 0;
  const size_t messages = fx_.messages.size();
  Ctl<QPushButton>(o, "btnAdjustTimeLeft")->click();
  EXPECT_EQ(gTZOffset, offset - 1);
  EXPECT_EQ(gTZRecords.size(), rows + (hadRow ? 0 : 1));
  Ctl<QPushButton>(o, "btnAdjustTimeLeft")->click();
  Ctl<QPushButton>(o, "btnAdjustTimeRight")->click();
  EXPECT_EQ(gTZOffset, offset - 1);
  EXPECT_EQ(gTZRecords.size(), rows + (hadRow ? 0 : 1));
  // The file holds the table as it now stands; the next load finds the offset.
  std::vector<std::string> lines;
  std::istringstream in(ReadAll(folder_ / "TimeZone.DAT"));
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  bool truncated = false;
  EXPECT_EQ(ParseTimeZoneLines(lines, truncated).size(), gTZRecords.size());
  EXPECT_EQ(fx_.messages.size(), messages);
}

TEST_F(OverviewWindowTest, TimeZoneAdjustOnAFullTableKeepsTheFile) {
  std::string table;
  for (int k = 0; k < kMaxTimeZoneRecords; ++k) table += FormatTimeZoneRecord({1.0f, float(k) + 0.5f, 0}) + "\n";
  WriteFile(folder_ / "TimeZone.DAT", table);
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  ASSERT_EQ(gTZRecords.size(), size_t(kMaxTimeZoneRecords));
  ASSERT_EQ(gTZRow, -1);
  const int offset = gTZOffset;
  const size_t messages = fx_.messages.size();
  Ctl<QPushButton>(o, "btnAdjustTimeRight")->click();
  EXPECT_EQ(gTZOffset, offset + 1);  // for this run
  EXPECT_EQ(gTZRecords.size(), size_t(kMaxTimeZoneRecords));
  EXPECT_EQ(ReadAll(folder_ / "TimeZone.DAT"), table);
  EXPECT_EQ(fx_.messages.size(), messages + 1);
}

TEST_F(OverviewWindowTest, MirroredBoxAndLevelBars) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  // The Bourgouin box: the profile window's follows, one redraw here, the
  // elevated level shows with its label.
  const int draws = drawn_;
  Ctl<CheckBox>(o, "chksWSYMb")->SetValue(1);
  EXPECT_EQ(Ctl<CheckBox>(w, "chksWSYMb")->Value(), 1);
  EXPECT_EQ(drawn_, draws + 1);
  ScrollBar* level = Ctl<ScrollBar>(o, "vbsElevatedPT");
  EXPECT_FALSE(level->isHidden());
  EXPECT_EQ(Ctl<QLabel>(o, "lblPTElevation")->text(), "Surface");
  level->SetValue(3);
  EXPECT_EQ(gElevatedLevel, 3);
  EXPECT_TRUE(Ctl<QLabel>(o, "lblPTElevation")->text().startsWith("AGL: "));
  Ctl<CheckBox>(o, "chksWSYMb")->SetValue(0);
  EXPECT_EQ(Ctl<QLabel>(o, "lblPTElevation")->text(), "");
  level->SetValue(1);
  // The mean-wind bounds give way to each other; the layer is the overview's.
  ScrollBar* lower = Ctl<ScrollBar>(o, "vsbMeanWind", 0);
  ScrollBar* upper = Ctl<ScrollBar>(o, "vsbMeanWind", 1);
  upper->SetValue(8);
  lower->SetValue(4);
  ASSERT_EQ(upper->Value(), 8);
  upper->SetValue(4);
  EXPECT_EQ(upper->Value(), 5);
  EXPECT_EQ(Ctl<QLabel>(o, "lblMeanWind", 1)->text(), "5");
  EXPECT_EQ(o.State().opt.MeanWindLevels, (std::array<Integer, 2>{4, 5}));
  lower->SetValue(20);
  EXPECT_EQ(lower->Value(), 4);
  EXPECT_LT(lower->Value(), upper->Value());
  upper->SetValue(2);  // below the lower bound: the moved bar gives way
  EXPECT_EQ(upper->Value(), 5);
  EXPECT_EQ(lower->Value(), 4);
  // At the top of the upper range the two stay in order.
  upper->SetValue(upper->Min);
  lower->SetValue(upper->Min);
  upper->SetValue(lower->Value());
  EXPECT_EQ(upper->Value(), upper->Min);
  EXPECT_EQ(lower->Value(), upper->Min - 1);
}

TEST_F(OverviewWindowTest, MouseHoursReadoutZoomAndPictureInPicture) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  // A left press picks the hour of its column; beyond the forecast nothing.
  o.picRH_MouseDown(1, 0, 2.3, 0);
  EXPECT_EQ(w.CurHour, 2);
  o.picRH_MouseDown(1, 0, 12, 0);
  EXPECT_EQ(w.CurHour, 2);
  {  // A real press on the column of hour 4, whatever scale the redraw left.
    auto* rh = Ctl<PictureBoxWidget>(o, "picRH");
    const OverviewFrame& f = o.State().frame;
    const double px = (4 - f.TimeLeft) / (f.TimeRight - f.TimeLeft) * rh->width();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(px, 5), rh->mapToGlobal(QPointF(px, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rh, &press);
    EXPECT_EQ(w.CurHour, 4);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(px, 5), rh->mapToGlobal(QPointF(px, 5)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(rh, &release);
  }
  EXPECT_EQ(gHourChangeSource, 0);
  // A right press beyond the last hour marks the last; the release clears it.
  o.picRH_MouseDown(2, 0, 20, 0.5);
  EXPECT_EQ(o.MarkerHour, 5);
  EXPECT_FALSE(Ctl<QLabel>(o, "lblPrecip")->isHidden());
  o.picRH_MouseUp(2, 0, 20, 0.5);
  EXPECT_TRUE(Ctl<QLabel>(o, "lblPrecip")->isHidden());
  // The temperature axis zooms only while its grid box shows, and keeps the saved range.
  Ctl<CheckBox>(o, "chkSfcTemp")->SetValue(1);
  ASSERT_FALSE(Ctl<CheckBox>(o, "chkGridTemp")->isHidden());
  const Single span = o.State().frame.TempSpan;
  o.picRight_MouseDown(1, 0, 90, 0);  // x 0..100 across the picture's three regions
  EXPECT_EQ(o.ZoomAxisChosen, ZoomAxis::Temperature);
  o.picSide_MouseUp(false, 1, 60);
  EXPECT_FLOAT_EQ(o.State().frame.TempSpan, span / 1.5f);
  EXPECT_EQ(gTempAxisBottom, static_cast<Integer>(std::lround(60 - span / 3)));
  o.picSide_MouseUp(true, 1, 60);  // picLeft's release leaves the right axes
  EXPECT_FLOAT_EQ(o.State().frame.TempSpan, span / 1.5f);
  {  // Real clicks on the index axis: the release reads the pointer on the
     // axis the press chose, whatever the overview draws in between (the
     // surface pressure's axis after the index's).
    Ctl<CheckBox>(o, "chk3HPresChange")->SetValue(1);
    Ctl<CheckBox>(o, "chkSfcPres")->SetValue(1);
    ASSERT_FALSE(Ctl<CheckBox>(o, "chkGridLakeIndex")->isHidden());
    auto* leftPic = Ctl<PictureBoxWidget>(o, "picLeft");
    for (const bool redrawBetween : {false, true}) {
      SCOPED_TRACE(redrawBetween ? "redrawn between" : "straight");
      const OverviewFrame before = o.State().frame;
      const QPointF at(leftPic->width() * 0.8, leftPic->height() * 0.3);
      QMouseEvent press(QEvent::MouseButtonPress, at, leftPic->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(leftPic, &press);
      EXPECT_EQ(o.ZoomAxisChosen, ZoomAxis::Index);
      if (redrawBetween) o.PlotData();
      QMouseEvent release(QEvent::MouseButtonRelease, at, leftPic->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
      QApplication::sendEvent(leftPic, &release);
      // The new range is centred 30 % down the axis shown at the press.
      const OverviewFrame& after = o.State().frame;
      EXPECT_FLOAT_EQ(after.IndexSpan, before.IndexSpan / 1.5f);
      EXPECT_NEAR((after.IndexBottom + after.IndexSpan / 2 - before.IndexBottom) / before.IndexSpan, 0.7, 0.01);
    }
  }
  // The profile chart follows a left drag in a bottom corner and goes at the release.
  Ctl<CheckBox>(o, "chkPIP")->SetValue(1);
  o.ReadoutHour = -1;
  o.picRH_MouseMove(1, 0, 0.2, 0);
  QWidget* pip = Ctl<QWidget>(o, "picPIP");
  EXPECT_FALSE(pip->isHidden());
  EXPECT_EQ(pip->y() + pip->height(), o.height());
  EXPECT_TRUE(pip->x() == 0 || pip->x() + pip->width() == o.width());
  o.picRH_MouseUp(1, 0, 0.2, 0);
  EXPECT_TRUE(pip->isHidden());
}

}  // namespace
}  // namespace ondrik
