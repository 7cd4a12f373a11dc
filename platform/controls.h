#pragma once
// Small helpers over Qt widgets that behave as the window code expects:
// scroll bars whose Min may exceed Max, three-state check boxes, timers and
// a mouse-wheel hook.

#include <QCheckBox>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

class QScrollBar;
class QTimer;

namespace ondrik {

class ScrollBar;

// The platform's key code of a Qt key (Space 32, End 35, Home 36, Left 37,
// Up 38, Right 39, Down 40, digits 48.., letters 65.., F1 112.., the grave
// accent 192); 0 for a key without one.
int PlatformKeyCode(int qtKey);

namespace detail {
// A property of a ScrollBar usable both as a field and as a getter:
// `bar.Max = 10;`, `int m = bar.Max;` and `bar.Max()` all work.
class ScrollBarProperty {
 public:
  ScrollBarProperty(ScrollBar* owner, int which) : owner_(owner), which_(which) {}
  ScrollBarProperty(const ScrollBarProperty&) = delete;
  ScrollBarProperty& operator=(const ScrollBarProperty& other) { return *this = static_cast<int>(other); }
  ScrollBarProperty& operator=(int v);
  operator int() const;
  int operator()() const { return static_cast<int>(*this); }

 private:
  ScrollBar* owner_;
  int which_;
};
}  // namespace detail

// A scroll bar from Min to Max. When Min > Max the bar runs reversed: its
// left (or top) end is Min. Value() is always within the range; onChange is
// called whenever the value changes, by the user or by code.
class ScrollBar : public QWidget {
  Q_OBJECT

 public:
  explicit ScrollBar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

  void SetMin(int min);
  void SetMax(int max);
  void SetRange(int min, int max);
  int Value() const { return value_; }
  void SetValue(int v);  // clamped into the range
  void SetSmallChange(int n);
  void SetLargeChange(int n);

  detail::ScrollBarProperty Min{this, 0}, Max{this, 1}, SmallChange{this, 2}, LargeChange{this, 3};

  std::function<void()> onChange;

  QScrollBar* Bar() const { return bar_; }

 private:
  friend class detail::ScrollBarProperty;
  void ApplyRange();
  int FromBar(int q) const;  // bar position -> value
  int ToBar(int v) const;    // value -> bar position
  void OnBarValue(int q);

  QScrollBar* bar_;
  int min_ = 0, max_ = 32767, small_ = 1, large_ = 1;
  int value_ = 0;
  bool syncing_ = false;
};

// A check box with the values 0 (unchecked), 1 (checked) and 2 (greyed).
// A click by the user toggles between 0 and 1; onClick is called whenever
// the value changes, by the user or by code.
class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit CheckBox(const QString& text = QString(), QWidget* parent = nullptr);
  int Value() const;
  void SetValue(int v);  // values outside 0..2 are ignored
  std::function<void()> onClick;

 protected:
  void nextCheckState() override;

 private:
  int last_ = 0;
};

// A caption shown whole: a push button, check box, option button or label
// whose caption (set at run time, or longer than its design width) is wider
// than its room grows to the right to hold it, at most to the right edge of
// the widget that holds it; it never narrows. SetCaption sets the caption
// and does the same. A label that wraps or shows rich text is left as it is.
void ShowCaptionWhole(QWidget* control);
void SetCaption(QWidget* control, const QString& caption);

// A timer; an interval of 0 stops it.
class Timer : public QObject {
  Q_OBJECT

 public:
  explicit Timer(QObject* parent = nullptr);
  void SetInterval(int ms);
  int Interval() const { return interval_; }
  // Enabled keeps the interval: false pauses, true runs again when it is > 0.
  void SetEnabled(bool on);
  bool Enabled() const { return enabled_; }
  std::function<void()> onTimer;

 private:
  void Apply();
  QTimer* timer_;
  int interval_ = 0;
  bool enabled_ = true;
};

// Reports mouse-wheel turns (delta: 120 per notch, positive away from the
// user) that reach the widgets it is installed on, once per turn, and then
// lets the widget handle the wheel as it normally does (a scroll bar moves;
// a picture passes it on). Turns over a list only scroll the list.
class WheelFilter : public QObject {
  Q_OBJECT

 public:
  explicit WheelFilter(std::function<void(int delta)> handler = {}, QObject* parent = nullptr);
  void InstallOn(QWidget* window);  // window->installEventFilter(this)
  std::function<void(int delta)> onWheel;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The widget the last turn reached, to know the same turn on its parents.
  QPointer<QWidget> last_;
  quint64 lastTime_ = 0;
  QPoint lastDelta_;
};

}  // namespace ondrik
