#include "profilewindow/looppage.h"

#include <QFrame>
#include <QLabel>

#include "platform/controls.h"

namespace ondrik {

LoopPage::LoopPage(PanelHost&, QWidget* parent)
    : page_(new QFrame(parent)),
      hsbRate_(new ScrollBar(Qt::Horizontal, page_)),
      hsbDelay_(new ScrollBar(Qt::Horizontal, page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  hsbRate_->setObjectName("hsbRate");
  hsbDelay_->setObjectName("hsbDelay");
  hsbRate_->SetRange(20, 1000);
  hsbRate_->SmallChange = 10;
  hsbRate_->LargeChange = 100;
  hsbDelay_->SetRange(0, 5000);
  hsbDelay_->SmallChange = 100;
  hsbDelay_->LargeChange = 500;
  auto* lblRate = new QLabel("Loop Rate", page_);
  auto* lblDelay = new QLabel("Pause at Last Hour", page_);
  lblRate->setObjectName("lblRate");
  lblDelay->setObjectName("lblDelay");
  lblRate->setGeometry(6, 2, 200, 16);
  hsbRate_->setGeometry(6, 18, 300, 17);
  lblDelay->setGeometry(6, 40, 200, 16);
  hsbDelay_->setGeometry(6, 56, 300, 17);
  hsbRate_->SetValue(240);
  hsbDelay_->SetValue(2500);
  hsbRate_->onChange = [this] {
    if (onRateChange) onRateChange();
  };
}

QWidget* LoopPage::Widget() { return page_; }
int LoopPage::Rate() const { return hsbRate_->Value(); }
int LoopPage::Delay() const { return hsbDelay_->Value(); }

}  // namespace ondrik
