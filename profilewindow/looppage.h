// The "Controls" control page: the loop's rate and its pause at the last
// hour (milliseconds).
#pragma once

#include <functional>

#include "panels/panel.h"

class QFrame;

namespace ondrik {

class ScrollBar;

class LoopPage : public SidePanel {
 public:
  LoopPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;

  int Rate() const;   // hsbRate
  int Delay() const;  // hsbDelay
  // hsbRate_Change: the loop takes the new rate.
  std::function<void()> onRateChange;

 private:
  QFrame* page_;
  ScrollBar* hsbRate_;
  ScrollBar* hsbDelay_;
};

}  // namespace ondrik
