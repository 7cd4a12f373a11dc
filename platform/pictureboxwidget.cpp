#include "platform/pictureboxwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace ondrik {

PictureBoxWidget::PictureBoxWidget(QWidget* parent) : QWidget(parent), pic_(std::max(1, width()), std::max(1, height())) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // moves are reported without a button held, too
}

int PictureBoxWidget::ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton) code |= 1;
  if (buttons & Qt::RightButton) code |= 2;
  if (buttons & Qt::MiddleButton) code |= 4;
  return code;
}

int PictureBoxWidget::ShiftCode(Qt::KeyboardModifiers mods) {
  int code = 0;
  if (mods & Qt::ShiftModifier) code |= 1;
  if (mods & Qt::ControlModifier) code |= 2;
  if (mods & Qt::AltModifier) code |= 4;
  return code;
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
  if (devicePixelRatioF() != pic_.DeviceScale()) {
    // Moved to a screen of another scale: drawn again at its resolution.
    pic_.Resize(width(), height(), devicePixelRatioF());
    if (onResize) onResize();
  }
  QPainter p(this);
  // Device pixel for device pixel.
  p.drawImage(QRectF(0, 0, pic_.PixelWidth(), pic_.PixelHeight()), pic_.Image());
  // Any part of the widget the picture does not cover yet shows BackColor.
  const int w = pic_.PixelWidth(), h = pic_.PixelHeight();
  if (width() > w) p.fillRect(w, 0, width() - w, height(), ToQColor(pic_.BackColor));
  if (height() > h) p.fillRect(0, h, std::min(width(), w), height() - h, ToQColor(pic_.BackColor));
}

void PictureBoxWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  pic_.Resize(event->size().width(), event->size().height(), devicePixelRatioF());
  if (onResize) onResize();
  update();
}

void PictureBoxWidget::Report(const std::function<void(int, int, double, double)>& handler,
                              QMouseEvent* event, int button) {
  const QPointF pos = event->position();
  pointer_ = pos;
  if (handler) handler(button, ShiftCode(event->modifiers()), pic_.MappedX(pos.x()), pic_.MappedY(pos.y()));
}

void PictureBoxWidget::PointerMovedTo(const QPointF& pos, int button, int shift) {
  pointer_ = pos;
  if (onMouseMove) onMouseMove(button, shift, pic_.MappedX(pos.x()), pic_.MappedY(pos.y()));
}

void PictureBoxWidget::leaveEvent(QEvent* event) {
  pointer_.reset();
  QWidget::leaveEvent(event);
}

void PictureBoxWidget::mousePressEvent(QMouseEvent* event) {
  Report(onMouseDown, event, ButtonCode(event->button()));
}

void PictureBoxWidget::mouseMoveEvent(QMouseEvent* event) {
  Report(onMouseMove, event, ButtonCode(event->buttons()));
}

void PictureBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
  Report(onMouseUp, event, ButtonCode(event->button()));
}

}  // namespace ondrik
