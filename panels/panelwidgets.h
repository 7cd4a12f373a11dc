// Two small widgets the panels build their frames from: a frame that reports
// its resizes (to lay out what it holds) and a label whose click acts as a
// button.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>

#include <functional>

namespace ondrik {

class ResizeFrame : public QFrame {
 public:
  using QFrame::QFrame;
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QFrame::resizeEvent(e);
    if (onResize) onResize();
  }
};

class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && onClick) onClick();
  }
};

}  // namespace ondrik
