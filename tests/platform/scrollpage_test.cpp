#include "platform/scrollpage.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

namespace ondrik {
namespace {

// A window with a red chart over the whole of its 400 x 300 design and a
// button at the far corner, at several sizes: the page is never smaller than
// the design, a scroll bar shows on each side the window is short of it (a
// bar's thickness counted), the square where two bars meet shows none of the
// page, scrolled or not, and at the bars' ends the far corner's button is in
// view.
TEST(ScrollPageTest, ThePageScrollsOnlyWhereTheWindowIsSmaller) {
  QWidget window;
  auto* chart = new QWidget(&window);
  chart->setGeometry(0, 0, 400, 300);
  chart->setAutoFillBackground(true);
  QPalette red = chart->palette();
  red.setColor(QPalette::Window, Qt::red);
  chart->setPalette(red);
  auto* far = new QPushButton("far", &window);
  far->setGeometry(360, 280, 40, 20);
  ScrollPage scroll(window, QSize(400, 300));
  scroll.TakeControls();
  ASSERT_EQ(far->parentWidget(), &scroll.Page());
  EXPECT_EQ(far->geometry(), QRect(360, 280, 40, 20));
  const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window);
  const struct {
    QSize window;
    bool across, down;
  } cases[] = {
      {{500, 400}, false, false}, {{400, 300}, false, false}, {{300, 400}, true, false},
      {{500, 250}, false, true},  {{300, 200}, true, true},   {{400, 290}, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.window.width()) + "x" + std::to_string(c.window.height()));
    window.resize(c.window);
    const QSize page = scroll.Fit();
    const QSize view(c.window.width() - (c.down ? bar : 0), c.window.height() - (c.across ? bar : 0));
    EXPECT_EQ(page, view.expandedTo(QSize(400, 300)));
    const auto cornerShown = [&] {
      return window.grab(QRect(QPoint(view.width(), view.height()), QSize(bar, bar))).toImage();
    };
    for (QScrollBar* b : window.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) {
      EXPECT_TRUE(scroll.IsScrollPart(b));
      const bool shown = !b->isHidden();
      EXPECT_EQ(shown, b->orientation() == Qt::Horizontal ? c.across : c.down);
      if (c.across && c.down) {
        const QImage corner = cornerShown();
        for (int y = 0; y < corner.height(); ++y)
          for (int x = 0; x < corner.width(); ++x)
            ASSERT_NE(corner.pixelColor(x, y).name(), QColor(Qt::red).name())
                << "the page shows in the corner at " << x << "," << y;
      }
      b->setValue(b->maximum());
    }
    const QRect farInWindow(far->mapTo(&window, QPoint(0, 0)), far->size());
    EXPECT_TRUE(QRect(QPoint(0, 0), view).contains(farInWindow)) << farInWindow.x() << "," << farInWindow.y();
  }
}

}  // namespace
}  // namespace ondrik
