#include "platform/windowplace.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ondrik {

namespace {

// Room the system's window frame (title bar and borders) takes around the
// window's own size.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

// A window no larger than the screen's room; smaller than its smallest size
// only where the room is (its controls then scroll).
int FitLength(int saved, int smallest, int room) {
  room = std::max(room, 1);
  return std::clamp(saved, std::min(smallest, room), room);
}

QSize FitSize(const QRect& saved, const QSize& minimum, const QRect& screen) {
  return {FitLength(saved.width(), minimum.width(), screen.width() - kFrameWidth),
          FitLength(saved.height(), minimum.height(), screen.height() - kFrameHeight)};
}

// What a window of size at at covers of the screens, its frame included.
QRect Outer(const QPoint& at, const QSize& size) {
  return {at, QSize(size.width() + kFrameWidth, size.height() + kFrameHeight)};
}

// Length of [start, start + length) that lies within [from, from + span).
long long Overlap(long long start, long long length, long long from, long long span) {
  return std::max(0LL, std::min(start + length, from + span) - std::max(start, from));
}

long long AreaShown(const QRect& window, const QRect& screen) {
  return Overlap(window.x(), window.width(), screen.x(), screen.width()) *
         Overlap(window.y(), window.height(), screen.y(), screen.height());
}

bool WhollyOnScreens(const QRect& window, const std::vector<QRect>& screens) {
  QRegion covered;
  for (const QRect& s : screens) covered += s;
  return QRegion(window).subtracted(covered).isEmpty();
}

// The start of a window of the given length along one side of a screen: a
// window that fits is moved just far enough to lie wholly on it; one that
// does not fit, or that lay wholly beside the screen, starts at the
// screen's start (so its title bar and top-left part show).
int Into(int start, int length, int from, int span) {
  if (length > span || Overlap(start, length, from, span) == 0) return from;
  return static_cast<int>(std::clamp<long long>(start, from, static_cast<long long>(from) + span - length));
}

int PixelsOf(std::int32_t twips) { return static_cast<int>(twips / kTwipsPerPixel); }

}  // namespace

QSize PixelSizeOfTwips(int widthTwips, int heightTwips) {
  return {(widthTwips + kTwipsPerPixel - 1) / kTwipsPerPixel, (heightTwips + kTwipsPerPixel - 1) / kTwipsPerPixel};
}

QRect FitToScreens(const QRect& saved, const QSize& minimum, const std::vector<QRect>& screens) {
  if (screens.empty()) return {QPoint(0, 0), minimum};
  const QPoint at = saved.topLeft();
  const QSize kept(std::max(saved.width(), minimum.width()), std::max(saved.height(), minimum.height()));
  // A window wholly on the screens (also one across two of them) stays.
  if (WhollyOnScreens(Outer(at, kept), screens)) return {at, kept};
  // Else it is brought onto the screen that shows the most of it, or onto
  // the primary one when none shows any.
  const QRect* best = &screens.front();
  long long bestArea = 0;
  for (const QRect& s : screens) {
    const long long shown = AreaShown(Outer(at, kept), s);
    if (shown > bestArea) {
      bestArea = shown;
      best = &s;
    }
  }
  const QSize size = FitSize(saved, minimum, *best);
  const QRect outer = Outer(at, size);
  return {QPoint(Into(at.x(), outer.width(), best->x(), best->width()),
                 Into(at.y(), outer.height(), best->y(), best->height())),
          size};
}

std::vector<QRect> AvailableScreenAreas() {
  std::vector<QRect> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary != nullptr) areas.push_back(primary->availableGeometry());
  for (const QScreen* s : QGuiApplication::screens())
    if (s != primary) areas.push_back(s->availableGeometry());
  return areas;
}

QRect FitSavedPlace(std::span<std::int32_t, 4> place, const QSize& minimum, const std::vector<QRect>& screens) {
  std::int32_t& width = place[0];
  std::int32_t& height = place[1];
  std::int32_t& top = place[2];
  std::int32_t& left = place[3];
  const QRect saved(PixelsOf(left), PixelsOf(top), PixelsOf(width), PixelsOf(height));
  const QRect fitted = FitToScreens(saved, minimum, screens);
  auto keep = [](std::int32_t& twips, int savedPixels, int fittedPixels) {
    if (fittedPixels != savedPixels) twips = static_cast<std::int32_t>(fittedPixels) * kTwipsPerPixel;
  };
  keep(width, saved.width(), fitted.width());
  keep(height, saved.height(), fitted.height());
  keep(top, saved.y(), fitted.y());
  keep(left, saved.x(), fitted.x());
  return fitted;
}

void PlaceFromSaved(QWidget& window, std::span<std::int32_t, 4> place, const QSize& smallest,
                    const std::vector<QRect>& screens) {
  const QRect r = FitSavedPlace(place, smallest, screens);
  window.setMinimumSize(smallest.boundedTo(r.size()));
  window.resize(r.size());
  window.move(r.topLeft());
}

}  // namespace ondrik
