#include "profilewindow/alertspage.h"

#include <QFrame>
#include <QLabel>

namespace ondrik {

AlertsPage::AlertsPage(PanelHost&, QWidget* parent) : page_(new QFrame(parent)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  (new QLabel("Index alert thresholds", page_))->setGeometry(6, 6, 200, 16);
}

QWidget* AlertsPage::Widget() { return page_; }

}  // namespace ondrik
