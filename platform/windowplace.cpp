#include "platform/windowplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ondrik {

namespace {

// Room the system's window frame (title bar and borders) takes around the
// window's own size.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
// What must lie on a screen for a window to be seen and dragged: this much
// of its width, and its top edge at least this far above the screen's bottom.
constexpr long long kGripWidth = 120;
constexpr long long kGripHeight = 60;

int FitLength(int saved, int smallest, int room) { return std::max(smallest, std::min(saved, room)); }

QSize FitSize(const QRect& saved, const QSize& minimum, const QRect& screen) {
  return {FitLength(saved.width(), minimum.width(), screen.width() - kFrameWidth),
          FitLength(saved.height(), minimum.height(), screen.height() - kFrameHeight)};
}

// Length of [start, start + length) that lies within [from, from + span).
long long Overlap(long long start, long long length, long long from, long long span) {
  return std::min(start + length, from + span) - std::max(start, from);
}

bool HorizontalGrip(const QPoint& at, const QSize& size, const QRect& screen) {
  return Overlap(at.x(), size.width(), screen.left(), screen.width()) >= std::min<long long>(kGripWidth, size.width());
}

bool VerticalGrip(const QPoint& at, const QRect& screen) {
  return at.y() >= screen.top() && at.y() <= static_cast<long long>(screen.bottom()) - kGripHeight;
}

int PixelsOf(std::int32_t twips) { return static_cast<int>(twips / kTwipsPerPixel); }

}  // namespace

QSize PixelSizeOfTwips(int widthTwips, int heightTwips) {
  return {(widthTwips + kTwipsPerPixel - 1) / kTwipsPerPixel, (heightTwips + kTwipsPerPixel - 1) / kTwipsPerPixel};
}

QRect FitToScreens(const QRect& saved, const QSize& minimum, const std::vector<QRect>& screens) {
  const QPoint at = saved.topLeft();
  // Of the screens on which the window keeps a grip, the one that shows the
  // most of it.
  const QRect* best = nullptr;
  long long bestArea = -1;
  for (const QRect& s : screens) {
    const QSize size = FitSize(saved, minimum, s);
    if (!HorizontalGrip(at, size, s) || !VerticalGrip(at, s)) continue;
    const long long shown = Overlap(at.x(), size.width(), s.left(), s.width()) *
                            Overlap(at.y(), size.height(), s.top(), s.height());
    if (shown > bestArea) {
      bestArea = shown;
      best = &s;
    }
  }
  if (best != nullptr) return {at, FitSize(saved, minimum, *best)};
  if (screens.empty()) return {QPoint(0, 0), minimum};
  const QRect& primary = screens.front();
  const QSize size = FitSize(saved, minimum, primary);
  return {QPoint(HorizontalGrip(at, size, primary) ? at.x() : primary.left(),
                 VerticalGrip(at, primary) ? at.y() : primary.top()),
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

QRect FitSavedPlace(std::span<std::int32_t, 4> place, const QSize& minimum) {
  std::int32_t& width = place[0];
  std::int32_t& height = place[1];
  std::int32_t& top = place[2];
  std::int32_t& left = place[3];
  const QRect saved(PixelsOf(left), PixelsOf(top), PixelsOf(width), PixelsOf(height));
  const QRect fitted = FitToScreens(saved, minimum, AvailableScreenAreas());
  auto keep = [](std::int32_t& twips, int savedPixels, int fittedPixels) {
    if (fittedPixels != savedPixels) twips = static_cast<std::int32_t>(fittedPixels) * kTwipsPerPixel;
  };
  keep(width, saved.width(), fitted.width());
  keep(height, saved.height(), fitted.height());
  keep(top, saved.y(), fitted.y());
  keep(left, saved.x(), fitted.x());
  return fitted;
}

void PlaceFromSaved(QWidget& window, std::span<std::int32_t, 4> place) {
  const QRect r = FitSavedPlace(place, window.minimumSize());
  window.resize(r.size());
  window.move(r.topLeft());
}

}  // namespace ondrik
