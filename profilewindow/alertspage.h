// The "Alerts" control page: the index thresholds (edited there once the
// indices list is part of the window).
#pragma once

#include "panels/panel.h"

class QFrame;

namespace ondrik {

class AlertsPage : public SidePanel {
 public:
  AlertsPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;

 private:
  QFrame* page_;
};

}  // namespace ondrik
