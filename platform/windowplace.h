#pragma once
// Where a window comes up from the place saved for it in the last run.
//
// The saved settings keep a window's Width, Height, Top and Left in twips.
// Whatever they hold (a size far beyond any screen, zero or negative sizes,
// a place partly or wholly off the screens), the window comes up wholly on a
// screen, at a size between its smallest one and what the screen can show.

#include <QRect>
#include <QSize>

#include <cstdint>
#include <span>
#include <vector>

class QWidget;

namespace ondrik {

// Window sizes and places are kept in twips, as the saved settings hold them.
inline constexpr int kTwipsPerPixel = 15;

// A size given in twips, in whole pixels rounded up.
QSize PixelSizeOfTwips(int widthTwips, int heightTwips);

// The place, in pixels, a window whose controls take at least the size
// minimum comes up at for the saved place saved (pixels). screens are the
// screens' available areas, the primary screen first.
//
// A window that lies wholly on the screens, its frame included (also across
// two of them), stays as saved. Any other comes up on the screen that shows
// the most of it (the primary one when none shows any), at least minimum
// and at most what that screen can hold with the window's frame (on a
// screen smaller than minimum the window takes the screen's room and its
// controls scroll, see ScrollPage): wholly on the screen, moved no further
// than that; where it lay wholly beside the screen, at the screen's left or
// top edge. Should even a frame not fit, the window's title bar and top-left
// part are kept in view.
QRect FitToScreens(const QRect& saved, const QSize& minimum, const std::vector<QRect>& screens);

// The available areas of the application's screens, the primary one first.
std::vector<QRect> AvailableScreenAreas();

// FitToScreens for a place saved in twips (Width, Height, Top, Left) on the
// screens (by default the application's). The saved values that the fit
// changed are set to the fitted ones, so the next save writes a sound place.
QRect FitSavedPlace(std::span<std::int32_t, 4> place, const QSize& minimum,
                    const std::vector<QRect>& screens = AvailableScreenAreas());

// Sizes and moves window to its fitted saved place for controls of the
// size smallest; the window's own smallest size is that, or the screen's
// room where that is less.
void PlaceFromSaved(QWidget& window, std::span<std::int32_t, 4> place, const QSize& smallest,
                    const std::vector<QRect>& screens = AvailableScreenAreas());

}  // namespace ondrik
