#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "platform/pictureboxwidget.h"

namespace ondrik {
namespace {

TEST(ControlsTest, ScrollBarClampsReversesAndReportsChanges) {
  ScrollBar bar(Qt::Horizontal);
  int changes = 0;
  bar.onChange = [&changes] { ++changes; };

  // Ordinary range; a new minimum above the value moves the value.
  bar.SetRange(1, 24);
  EXPECT_EQ(bar.Value(), 1);
  EXPECT_EQ(changes, 1);
  bar.SetValue(5);
  bar.SetValue(5);  // no change, no event
  EXPECT_EQ(changes, 2);
  bar.SetValue(100);
  EXPECT_EQ(bar.Value(), 24);
  bar.SetValue(99);
  EXPECT_EQ(changes, 3);

  // Min > Max: the bar runs reversed, the left end stands for Min.
  ScrollBar rev(Qt::Vertical);
  rev.SetRange(10, 0);
  int revChanges = 0;
  rev.onChange = [&revChanges] { ++revChanges; };
  rev.SetValue(15);
  EXPECT_EQ(rev.Value(), 10);
  EXPECT_EQ(rev.Bar()->value(), rev.Bar()->minimum());
  rev.SetValue(-3);
  EXPECT_EQ(rev.Value(), 0);
  EXPECT_EQ(rev.Bar()->value(), rev.Bar()->maximum());
  EXPECT_EQ(revChanges, 2);
  // The arrow towards the far end goes towards Max, i.e. down from 10.
  rev.SetValue(10);
  rev.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(rev.Value(), 9);
  rev.LargeChange = 4;
  rev.Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(rev.Value(), 5);
  EXPECT_EQ(revChanges, 5);  // changes by the user are reported too
  // Narrowing the range clamps the value and reports it.
  rev.Min = 4;
  EXPECT_EQ(rev.Value(), 4);
  EXPECT_EQ(revChanges, 6);
  EXPECT_EQ(rev.Min(), 4);
  const int max = rev.Max;
  EXPECT_EQ(max, 0);

  bar.SmallChange = 3;
  EXPECT_EQ(bar.SmallChange(), 3);
  EXPECT_EQ(bar.Bar()->singleStep(), 3);
}

TEST(ControlsTest, CheckBoxValuesAndClicks) {
  CheckBox box("Skew T");
  int clicks = 0;
  box.onClick = [&clicks] { ++clicks; };
  EXPECT_EQ(box.Value(), 0);
  box.SetValue(1);
  box.SetValue(1);
  EXPECT_EQ(box.Value(), 1);
  EXPECT_EQ(clicks, 1);
  box.SetValue(2);
  EXPECT_EQ(box.Value(), 2);
  EXPECT_EQ(clicks, 2);
  box.SetValue(7);  // not a value of a check box
  EXPECT_EQ(box.Value(), 2);
  // The user's clicks toggle between unticked and ticked, never to greyed.
  box.click();
  EXPECT_EQ(box.Value(), 0);
  box.click();
  EXPECT_EQ(box.Value(), 1);
  box.click();
  EXPECT_EQ(box.Value(), 0);
  EXPECT_EQ(clicks, 5);
}

TEST(ControlsTest, TimerWheelAndPictureWidget) {
  Timer timer;
  int ticks = 0;
  timer.onTimer = [&ticks] { ++ticks; };
  timer.SetInterval(5);
  QElapsedTimer clock;
  clock.start();
  while (ticks < 2 && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  EXPECT_GE(ticks, 2);
  timer.SetInterval(0);
  const int stoppedAt = ticks;
  clock.restart();
  while (clock.elapsed() < 50) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  EXPECT_EQ(ticks, stoppedAt);

  QWidget window;
  int wheel = 0;
  WheelFilter filter([&wheel](int d) { wheel += d; });
  filter.InstallOn(&window);
  QWheelEvent ev(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&window, &ev);
  EXPECT_EQ(wheel, -120);

  // The picture follows the widget's size, keeping its user scale, and
  // mouse positions arrive in the units its drawing kept, whatever scale a
  // later step left in force; pixels until a drawing keeps a mapping.
  PictureBoxWidget w;
  int resized = 0;
  w.onResize = [&resized] { ++resized; };
  w.resize(200, 100);
  w.show();
  QCoreApplication::processEvents();
  EXPECT_GE(resized, 1);
  EXPECT_EQ(w.Pic().PixelWidth(), 200);
  EXPECT_EQ(w.Pic().PixelHeight(), 100);
  int button = 0, shift = 0;
  double x = 0, y = 0;
  w.onMouseDown = [&](int b, int s, double ux, double uy) {
    button = b;
    shift = s;
    x = ux;
    y = uy;
  };
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 25), QPointF(50, 25), Qt::RightButton,
                    Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
  w.Pic().Scale(0, 10, 20, 0);
  QCoreApplication::sendEvent(&w, &press);
  EXPECT_DOUBLE_EQ(x, 50);  // no mapping kept yet: pixels
  EXPECT_DOUBLE_EQ(y, 25);
  w.Pic().KeepMapping();
  w.Pic().Scale(-1, -1, 1, 1);  // a later step's own scale
  QCoreApplication::sendEvent(&w, &press);
  EXPECT_EQ(button, 2);
  EXPECT_EQ(shift, 3);
  EXPECT_DOUBLE_EQ(x, 5);
  EXPECT_DOUBLE_EQ(y, 7.5);
  w.Pic().ScaleToMapping();
  w.resize(400, 100);
  EXPECT_EQ(w.Pic().PixelWidth(), 400);
  EXPECT_DOUBLE_EQ(w.Pic().XToPixel(5), 100);  // same scale, stretched
  QCoreApplication::sendEvent(&w, &press);
  EXPECT_DOUBLE_EQ(x, 2.5);  // and so is the mapping

  // What is drawn on the picture is what the widget shows.
  w.Pic().BackColor = RGB(0, 0, 0);
  w.Pic().Cls();
  w.Pic().Box(0, 10, 10, 5, RGB(255, 128, 0), true);  // top-left quarter
  const QImage shown = w.grab().toImage();
  EXPECT_EQ(shown.pixelColor(20, 20), QColor(255, 128, 0));
  EXPECT_EQ(shown.pixelColor(300, 80), QColor(0, 0, 0));
}

}  // namespace
}  // namespace ondrik
