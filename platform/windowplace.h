#pragma once
// Where a window comes up from the place saved for it in the last run.
//
// The saved settings keep a window's Width, Height, Top and Left in twips.
// Whatever they hold (a size far beyond any screen, zero or negative sizes,
// a place on a screen that is no longer there), the window comes up at a
// size between its smallest one and what the screen can show, and with
// enough of it on a screen to be seen and dragged.

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

// The place, in pixels, a window of at least the size minimum takes for the
// saved place saved (pixels). screens are the screens' available areas, the
// primary screen first.
//
// The size is at least minimum and at most what the screen it comes up on
// can hold with the window's frame (minimum wins on a screen smaller than
// that). The window stays where it was saved when a grip of it lies on a
// screen: its top edge on the screen, not too near the bottom, and a
// stretch of its width across the screen. Otherwise it comes up on the
// primary screen: on each side where too little of it was on a screen it
// moves to the screen's left or top edge.
QRect FitToScreens(const QRect& saved, const QSize& minimum, const std::vector<QRect>& screens);

// The available areas of the application's screens, the primary one first.
std::vector<QRect> AvailableScreenAreas();

// FitToScreens for a place saved in twips (Width, Height, Top, Left) on the
// application's screens. The saved values that the fit changed are set to
// the fitted ones, so the next save writes a sound place.
QRect FitSavedPlace(std::span<std::int32_t, 4> place, const QSize& minimum);

// Sizes and moves window to its fitted saved place (its minimum size is the
// smallest it takes).
void PlaceFromSaved(QWidget& window, std::span<std::int32_t, 4> place);

}  // namespace ondrik
