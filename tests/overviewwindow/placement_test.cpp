// Both windows started from a damaged or foreign history: each comes up at
// once at a size the screen can show and with enough of it on the screen,
// and the next "Done" writes the place they took.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>

#include <array>
#include <map>
#include <fstream>
#include <sstream>
#include <string>

#include "core/shared.h"
#include "core/thresholds.h"
#include "platform/windowplace.h"
#include "savedstate/history.h"
#include "tests/overviewwindow/overview_fixture.h"

namespace ondrik {
namespace {

using namespace ondrik::testing;

using Geometry = std::array<Long, 8>;  // twips: Width, Height, Top, Left of each window

class PlacementTest : public OverviewWindowTest {
 protected:
  void WriteHistory(const Geometry& g) {
    saved::HistoryFile h;
    h.gWindowGeometry = g;
    fs::create_directories(SavedFolder());
    WriteFile(SavedFolder() / "Ondrik.hst", saved::WriteHistory(h));
  }
  Geometry WrittenGeometry() const {
    std::stringstream text;
    text << std::ifstream(SavedFolder() / "Ondrik.hst", std::ios::binary).rdbuf();
    IndexThresholdTable defaults;
    StoreDefaultIndexThresholds(defaults);
    const saved::HistoryRead r = saved::ReadHistory(text.str(), saved::HistoryFile{}, defaults);
    EXPECT_TRUE(r.Usable());
    return r.value.gWindowGeometry;
  }
};

// A place (twips from entry first on) that a window of the given smallest
// size can come up at on the screen: no smaller than that, no larger than
// the screen, and wholly on it.
void ExpectSound(const Geometry& g, int first, const QSize& smallest, const QRect& screen) {
  const QRect r(g[first + 3] / kTwipsPerPixel, g[first + 2] / kTwipsPerPixel, g[first] / kTwipsPerPixel,
                g[first + 1] / kTwipsPerPixel);
  EXPECT_GE(r.width(), smallest.width());
  EXPECT_GE(r.height(), smallest.height());
  EXPECT_TRUE(screen.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

Geometry PlaceOf(const QWidget& profile, const QWidget& overview) {
  auto twips = [](int px) { return static_cast<Long>(px * kTwipsPerPixel); };
  return {twips(profile.width()),  twips(profile.height()),  twips(profile.y()),  twips(profile.x()),
          twips(overview.width()), twips(overview.height()), twips(overview.y()), twips(overview.x())};
}

TEST_F(PlacementTest, DamagedHistoriesGiveUsableWindowsAndAreMendedByDone) {
  const QRect screen = AvailableScreenAreas().at(0);
  const Long beyond = screen.width() * kTwipsPerPixel;  // the left edge at the screen's width
  const struct {
    const char* what;
    Geometry saved;
  } cases[] = {
      {"largest sizes", {2147483647, 2147483647, 0, 0, 2147483647, 2147483647, 0, 0}},
      {"half a million twips", {500000, 500000, 0, 0, 500000, 500000, 0, 0}},
      {"zero sizes", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"negative sizes and places", {-15000, -11010, -50000, -99999, -1, -1, -99999, -50000}},
      {"left edge at the screen's width", {15000, 11010, 0, beyond, 15000, 11010, 0, beyond}},
      {"far left and far right", {15000, 11010, 0, -6666 * 15, 15000, 11010, 0, 3392 * 15}},
      {"below the screen", {15000, 11010, 99999, 0, 15000, 11010, 2000 * 15, 0}},
      {"partly past the right and bottom edges", {15000, 11010, 600 * 15, 1200 * 15, 15000, 11010, 300 * 15, 1000 * 15}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteHistory(c.saved);
    frmProfile& w = Start();
    // The overview's place is mended at the start too, for a run that never
    // opens it.
    ExpectSound(gWindowGeometry, 0, w.minimumSize(), screen);
    ExpectSound(gWindowGeometry, 4, PixelSizeOfTwips(kOverviewMinWidthTw, kOverviewMinHeightTw), screen);
    frmOverView& o = Open(w);
    const Geometry shown = PlaceOf(w, o);
    ExpectSound(shown, 0, w.minimumSize(), screen);
    ExpectSound(shown, 4, o.minimumSize(), screen);
    w.btnDone_Click();
    EXPECT_EQ(WrittenGeometry(), shown);
    win_.reset();
  }
}

TEST_F(PlacementTest, ASoundPlaceIsKeptAsSaved) {
  const Geometry saved{13905, 10995, 300, 450, 14970, 11010, 600, 750};
  WriteHistory(saved);
  Start();
  EXPECT_EQ(gWindowGeometry, saved);
}

// On a screen too small for them (a large scale factor) both windows are
// smaller than their design: every control stands where it stands at the
// design size, on a page that scrolls as far as its last corner.
TEST_F(PlacementTest, WindowsSmallerThanTheirDesignScrollToEveryControl) {
  frmProfile& w = Start();
  frmOverView& o = Open(w);
  for (QWidget* win : {static_cast<QWidget*>(&w), static_cast<QWidget*>(&o)}) {
    SCOPED_TRACE(win->objectName().toStdString());
    const QSize design = win->minimumSize();
    win->resize(design);
    QApplication::processEvents();
    std::map<QWidget*, QRect> places;
    for (QWidget* c : win->findChildren<QWidget*>()) places[c] = c->geometry();
    win->setMinimumSize(400, 300);
    win->resize(design.width() - 150, design.height() - 60);
    QApplication::processEvents();
    const QWidget* page = win->findChild<QWidget*>("scrollPage");
    ASSERT_NE(page, nullptr);
    for (const auto& [c, place] : places) {
      if (c == page || c->parentWidget() == win) continue;
      EXPECT_EQ(c->geometry(), place) << c->objectName().toStdString();
    }
    int shown = 0;
    QSize view = win->size();
    for (QScrollBar* bar : win->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) {
      if (bar->isHidden()) continue;
      ++shown;
      bar->setValue(bar->maximum());
      if (bar->orientation() == Qt::Vertical) view.rwidth() -= bar->width();
      else view.rheight() -= bar->height();
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(page->mapTo(win, QPoint(page->width(), page->height())), QPoint(view.width(), view.height()));
    win->setMinimumSize(design);
  }
}

}  // namespace
}  // namespace ondrik
