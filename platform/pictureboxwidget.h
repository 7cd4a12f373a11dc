#pragma once
// A widget that shows a PictureBox, resizes the picture with itself and
// reports mouse events in the coordinates of what was drawn on the picture
// (the mapping its drawing kept).

#include <QWidget>

#include <functional>
#include <optional>

#include "platform/picturebox.h"

namespace ondrik {

class PictureBoxWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBoxWidget(QWidget* parent = nullptr);

  PictureBox& Pic() { return pic_; }
  const PictureBox& Pic() const { return pic_; }

  // Called after the picture took the widget's new size (and was cleared).
  std::function<void()> onResize;
  // button: 1 left, 2 right, 4 middle (for moves: the buttons held down);
  // shift: 1 shift, 2 ctrl, 4 alt; x, y in the picture's kept mapping.
  std::function<void(int button, int shift, double x, double y)> onMouseDown, onMouseMove, onMouseUp;

  // Mouse button and modifier codes of a Qt event.
  static int ButtonCode(Qt::MouseButtons buttons);
  static int ShiftCode(Qt::KeyboardModifiers mods);

  // Where the pointer rests over the picture (widget pixels), as the last
  // mouse event over it told; none once the pointer has left the widget.
  // What is drawn after a redraw at the pointer's place (a readout) is read
  // there again.
  std::optional<QPointF> PointerAt() const { return pointer_; }
  // A move over a child that lies over the picture and hands its moves on
  // (a label): a move over the picture at pos (widget pixels).
  void PointerMovedTo(const QPointF& pos, int button, int shift);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Report(const std::function<void(int, int, double, double)>& handler, QMouseEvent* event,
              int button);

  PictureBox pic_;
  std::optional<QPointF> pointer_;
};

}  // namespace ondrik
