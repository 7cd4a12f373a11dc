#include "platform/controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QTextDocument>
#include <QWheelEvent>

#include <algorithm>

namespace ondrik {

int PlatformKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Space: return 32;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_QuoteLeft: return 192;
    default: break;
  }
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 48 + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  return 0;
}

namespace detail {

ScrollBarProperty& ScrollBarProperty::operator=(int v) {
  switch (which_) {
    case 0: owner_->SetMin(v); break;
    case 1: owner_->SetMax(v); break;
    case 2: owner_->SetSmallChange(v); break;
    default: owner_->SetLargeChange(v); break;
  }
  return *this;
}

ScrollBarProperty::operator int() const {
  switch (which_) {
    case 0: return owner_->min_;
    case 1: return owner_->max_;
    case 2: return owner_->small_;
    default: return owner_->large_;
  }
}

}  // namespace detail

namespace {

// How many pixels a control's caption lacks to show whole (0: none).
int CaptionShortBy(const QWidget* c) {
  QStyleOptionButton option;
  option.initFrom(c);
  QString caption;
  int room = 0;
  if (const auto* b = qobject_cast<const QPushButton*>(c)) {
    caption = b->text();
    room = c->style()->subElementRect(QStyle::SE_PushButtonContents, &option, c).width();
  } else if (const auto* b = qobject_cast<const QCheckBox*>(c)) {
    caption = b->text();
    room = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, c).width();
  } else if (const auto* b = qobject_cast<const QRadioButton*>(c)) {
    caption = b->text();
    room = c->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, c).width();
  } else if (const auto* l = qobject_cast<const QLabel*>(c);
             l != nullptr && !l->wordWrap() && !Qt::mightBeRichText(l->text())) {
    caption = l->text();
    room = l->contentsRect().width() - 2 * std::max(0, l->margin()) - std::max(0, l->indent());
  } else {
    return 0;
  }
  int need = 0;
  for (const QString& line : caption.split('\n')) need = std::max(need, c->fontMetrics().horizontalAdvance(line));
  return std::max(0, need - room);
}

}  // namespace

void ShowCaptionWhole(QWidget* control) {
  if (control == nullptr) return;
  const int shortBy = CaptionShortBy(control);
  if (shortBy == 0) return;
  int width = control->width() + shortBy;
  if (const QWidget* holder = control->parentWidget()) width = std::min(width, holder->width() - control->x());
  if (width > control->width()) control->resize(width, control->height());
}

void SetCaption(QWidget* control, const QString& caption) {
  if (auto* b = qobject_cast<QAbstractButton*>(control))
    b->setText(caption);
  else if (auto* l = qobject_cast<QLabel*>(control))
    l->setText(caption);
  ShowCaptionWhole(control);
}

// ---------------------------------------------------------------------------
// ScrollBar. The inner QScrollBar always runs from lo = min(Min, Max) to
// hi = max(Min, Max), left to right (top to bottom). With Min <= Max a bar
// position is the value; with Min > Max the value is lo + hi - position, so
// that the left end stands for Min and the arrows and the wheel move towards
// Max as on an ordinary bar.

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), bar_(new QScrollBar(orientation, this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(bar_);
  setSizePolicy(bar_->sizePolicy());
  setFocusProxy(bar_);  // giving the control the focus gives it to the bar
  ApplyRange();
  connect(bar_, &QScrollBar::valueChanged, this, [this](int q) { OnBarValue(q); });
}

int ScrollBar::FromBar(int q) const { return min_ <= max_ ? q : min_ + max_ - q; }
int ScrollBar::ToBar(int v) const { return min_ <= max_ ? v : min_ + max_ - v; }

void ScrollBar::ApplyRange() {
  const int lo = std::min(min_, max_), hi = std::max(min_, max_);
  const int old = value_;
  syncing_ = true;
  bar_->setRange(lo, hi);
  value_ = std::clamp(value_, lo, hi);
  bar_->setValue(ToBar(value_));
  bar_->setSingleStep(small_);
  bar_->setPageStep(large_);
  syncing_ = false;
  if (value_ != old && onChange) onChange();
}

void ScrollBar::SetMin(int min) {
  min_ = min;
  ApplyRange();
}

void ScrollBar::SetMax(int max) {
  max_ = max;
  ApplyRange();
}

void ScrollBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  ApplyRange();
}

void ScrollBar::SetSmallChange(int n) {
  small_ = std::max(1, n);
  bar_->setSingleStep(small_);
}

void ScrollBar::SetLargeChange(int n) {
  large_ = std::max(1, n);
  bar_->setPageStep(large_);
}

void ScrollBar::SetValue(int v) {
  const int lo = std::min(min_, max_), hi = std::max(min_, max_);
  v = std::clamp(v, lo, hi);
  if (v == value_) return;
  bar_->setValue(ToBar(v));  // reports back through OnBarValue
}

void ScrollBar::OnBarValue(int q) {
  if (syncing_) return;
  const int v = FromBar(q);
  if (v == value_) return;
  value_ = v;
  if (onChange) onChange();
}

// ---------------------------------------------------------------------------
// CheckBox

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
  setTristate(true);
  connect(this, &QCheckBox::stateChanged, this, [this](int) {
    const int v = Value();
    if (v == last_) return;
    last_ = v;
    if (onClick) onClick();
  });
}

int CheckBox::Value() const {
  switch (checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    case Qt::Unchecked: break;
  }
  return 0;
}

void CheckBox::SetValue(int v) {
  if (v < 0 || v > 2) return;
  setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void CheckBox::nextCheckState() {
  // The user only ticks and unticks; greyed is set by the program.
  setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------------------
// Timer

Timer::Timer(QObject* parent) : QObject(parent), timer_(new QTimer(this)) {
  connect(timer_, &QTimer::timeout, this, [this] {
    if (onTimer) onTimer();
  });
}

void Timer::SetInterval(int ms) {
  interval_ = std::max(0, ms);
  Apply();
}

void Timer::SetEnabled(bool on) {
  enabled_ = on;
  Apply();
}

void Timer::Apply() {
  if (enabled_ && interval_ > 0) {
    timer_->start(interval_);
  } else {
    timer_->stop();
  }
}

// ---------------------------------------------------------------------------
// WheelFilter

WheelFilter::WheelFilter(std::function<void(int delta)> handler, QObject* parent)
    : QObject(parent), onWheel(std::move(handler)) {}

void WheelFilter::InstallOn(QWidget* window) {
  if (window != nullptr) window->installEventFilter(this);
}

bool WheelFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel || !onWheel) return QObject::eventFilter(watched, event);
  const auto* wheel = static_cast<QWheelEvent*>(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // A wheel turn that a widget did not take travels on to its parents; it is
  // reported once, where it arrived first.
  const bool travelling = widget != nullptr && last_ != nullptr && widget != last_ && widget->isAncestorOf(last_) &&
                          wheel->timestamp() == lastTime_ && wheel->angleDelta() == lastDelta_;
  last_ = widget;
  lastTime_ = wheel->timestamp();
  lastDelta_ = wheel->angleDelta();
  if (travelling) return false;
  // Over a list the wheel scrolls the list only.
  if (const QWidget* under = QApplication::widgetAt(wheel->globalPosition().toPoint()))
    for (const QWidget* p = under; p != nullptr; p = p->parentWidget())
      if (qobject_cast<const QAbstractItemView*>(p) != nullptr) return false;
  const QPoint d = wheel->angleDelta();
  const int delta = d.y() != 0 ? d.y() : d.x();
  if (delta != 0) onWheel(delta);
  // Then the wheel does what it does normally (a scroll bar moves).
  return false;
}

}  // namespace ondrik
