// Both windows on screens too small for them, at the scales a desktop sets:
// each comes up as its saved place is fitted to that screen, and with the
// window's scroll bars at their ends every control on its page can be
// brought whole into view (none is cut by the window, nor by the frame it
// stands in).
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core/shared.h"
#include "platform/windowplace.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

// A screen of device pixels as the platform offers it at a scale: in the
// program's own pixels, rounded as the platform rounds them.
QRect ScaledScreen(QSize device, double scale) {
  return {0, 0, static_cast<int>(std::lround(device.width() / scale)),
          static_cast<int>(std::lround(device.height() / scale))};
}

// One side of a window: the length of the page shown and how far it scrolls.
struct Side {
  int view = 0, max = 0;
};

// Whether the page's stretch [from, to) can be seen whole at a scroll value
// 0..max; a control longer than the view, at least all of it in turn.
bool Reachable(int from, int to, const Side& s) {
  if (from < 0 || to > s.max + s.view) return false;
  return to - from > s.view || std::max(0, to - s.view) <= std::min(s.max, from);
}

// What can be seen of a control: its rectangle on the page within those of
// the frames it stands in.
QRect Shown(const QWidget& c, const QWidget& page) {
  QRect r(c.mapTo(&page, QPoint(0, 0)), c.size());
  for (const QWidget* p = c.parentWidget(); p != nullptr && p != &page; p = p->parentWidget())
    r &= QRect(p->mapTo(&page, QPoint(0, 0)), p->size());
  return r;
}

// The controls shown on the page; the parts of a list or a scrolled area
// are the control itself.
bool IsControl(const QWidget& c, const QWidget& page) {
  for (const QWidget* p = c.parentWidget(); p != nullptr && p != &page; p = p->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(p) != nullptr) return false;
  const std::string kind = c.metaObject()->className();
  return kind != "QWidget" && kind != "QFrame" && c.isVisibleTo(&page);
}

// The buttons that show each side panel and control page of a window in
// turn (one of each is shown at a time).
std::vector<QPushButton*> PageButtons(const QWidget& win) {
  std::vector<QPushButton*> out;
  for (const char* name : {"btnDisplay", "btnControl"})
    for (int i = 0; i < 10; ++i)
      if (auto* b = win.findChild<QPushButton*>(QString("%1%2").arg(name).arg(i)); b != nullptr && b->isVisibleTo(&win))
        out.push_back(b);
  return out;
}

// Each control of the window out of reach, one line each.
std::string OutOfReach(QWidget& win) {
  QWidget* page = win.findChild<QWidget*>("scrollPage");
  if (page == nullptr) return "no scrolled page";
  Side across, down;
  across.view = win.width();
  down.view = win.height();
  for (QScrollBar* bar : win.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) {
    if (bar->isHidden()) continue;
    if (bar->orientation() == Qt::Horizontal) {
      across.max = bar->maximum();
      down.view -= bar->height();
    } else {
      down.max = bar->maximum();
      across.view -= bar->width();
    }
  }
  std::ostringstream out;
  for (QWidget* c : page->findChildren<QWidget*>()) {
    if (!IsControl(*c, *page)) continue;
    const QRect whole(c->mapTo(page, QPoint(0, 0)), c->size());
    const QRect shown = Shown(*c, *page);
    const bool ok = shown == whole && Reachable(whole.left(), whole.right() + 1, across) &&
                    Reachable(whole.top(), whole.bottom() + 1, down);
    if (!ok)
      out << c->objectName().toStdString() << " (" << c->metaObject()->className() << ") at " << whole.x() << ","
          << whole.y() << " " << whole.width() << "x" << whole.height() << ", shown " << shown.width() << "x"
          << shown.height() << "\n";
  }
  // The bars at their ends bring the page's far corner to the view's.
  for (QScrollBar* bar : win.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) bar->setValue(bar->maximum());
  const QPoint corner = page->mapTo(&win, QPoint(page->width(), page->height()));
  if (corner != QPoint(across.view, down.view))
    out << "the page's far corner at " << corner.x() << "," << corner.y() << ", the view's at " << across.view << ","
        << down.view << "\n";
  for (QScrollBar* bar : win.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) bar->setValue(0);
  return out.str();
}

class ReachTest : public OverviewWindowTest {};

TEST_F(ReachTest, EveryControlOfBothWindowsOnSmallAndScaledScreens) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  const QSize screens[] = {{800, 600}, {1366, 768}, {1600, 1000}, {1920, 1080}};
  const double scales[] = {1, 1.1, 1.25, 1.5, 1.75, 2, 2.25, 2.75};
  int scrolled = 0;
  for (const QSize& device : screens)
    for (const double scale : scales) {
      const QRect screen = ScaledScreen(device, scale);
      std::ostringstream where;
      where << device.width() << "x" << device.height() << " at " << scale;
      SCOPED_TRACE(where.str());
      gSettingGeometry = true;
      PlaceFromSaved(w, std::span<Long, 4>(gWindowGeometry.data(), 4),
                     PixelSizeOfTwips(kMinWindowWidthTw, kMinWindowHeightTw), {screen});
      PlaceFromSaved(o, std::span<Long, 4>(gWindowGeometry.data() + 4, 4),
                     PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw), {screen});
      gSettingGeometry = false;
      QApplication::processEvents();
      for (QWidget* win : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&o)}) {
        SCOPED_TRACE(win->objectName().toStdString());
        EXPECT_LE(win->width(), screen.width());
        EXPECT_LE(win->height(), screen.height());
        EXPECT_EQ(OutOfReach(*win), "");
        for (QPushButton* b : PageButtons(*win)) {
          b->click();
          EXPECT_EQ(OutOfReach(*win), "") << "with " << b->objectName().toStdString();
        }
        for (QScrollBar* bar : win->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) scrolled += !bar->isHidden();
      }
    }
  EXPECT_GT(scrolled, 80);  // most of the table scrolls, across and down
}

}  // namespace
}  // namespace ondrik
