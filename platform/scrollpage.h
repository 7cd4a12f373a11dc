#pragma once
// The controls of a window that are placed by hand for a smallest size of
// the window's own, on a page that is never smaller than that size. On a
// screen too small for it (a large scale factor, a small screen) the window
// may be smaller: the page then scrolls under the window's own scroll bars,
// so that every control can still be reached. Where both bars show, the
// square where they meet is the window's own, as in any scroll area: the
// page never shows through it. At its smallest size or larger the window
// shows no scroll bar and the page is the window.

#include <QSize>

class QScrollBar;
class QWidget;

namespace ondrik {

class ScrollPage {
 public:
  // Puts a page and two scroll bars on window; smallest is the page's
  // smallest size.
  ScrollPage(QWidget& window, const QSize& smallest);

  // Moves every control of the window onto the page, where each keeps its
  // place and whether it is hidden (windows of their own stay as they are).
  void TakeControls();

  // Lays the page and the scroll bars out for the window's size; the page's
  // size, which the window's controls are laid out for.
  QSize Fit();

  QWidget& Page() const { return *page_; }
  // The two scroll bars and the square where they meet.
  bool IsScrollPart(const QWidget* w) const;

 private:
  void Scrolled();

  QWidget& window_;
  QSize smallest_;
  QWidget* page_;
  QScrollBar* across_;
  QScrollBar* down_;
  QWidget* corner_;
};

}  // namespace ondrik
