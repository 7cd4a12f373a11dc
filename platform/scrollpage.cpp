#include "platform/scrollpage.h"

#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace ondrik {

ScrollPage::ScrollPage(QWidget& window, const QSize& smallest)
    : window_(window),
      smallest_(smallest),
      page_(new QWidget(&window)),
      across_(new QScrollBar(Qt::Horizontal, &window)),
      down_(new QScrollBar(Qt::Vertical, &window)),
      corner_(new QWidget(&window)) {
  page_->setObjectName("scrollPage");
  corner_->setObjectName("scrollCorner");
  corner_->setAutoFillBackground(true);
  corner_->setBackgroundRole(QPalette::Window);
  corner_->hide();
  page_->setMinimumSize(smallest);
  for (QScrollBar* bar : {across_, down_}) {
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QScrollBar::valueChanged, page_, [this] { Scrolled(); });
  }
}

void ScrollPage::TakeControls() {
  const QObjectList children = window_.children();
  for (QObject* o : children) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w == nullptr || w == page_ || IsScrollPart(w) || w->isWindow()) continue;
    const bool hidden = w->isHidden();
    const QRect place = w->geometry();
    w->setParent(page_);
    w->setGeometry(place);
    if (!hidden) w->show();
  }
  page_->lower();
}

QSize ScrollPage::Fit() {
  const QSize window = window_.size();
  const int bar = window_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window_);
  // A bar along one side takes room from the other.
  bool needAcross = window.width() < smallest_.width();
  bool needDown = window.height() < smallest_.height();
  needDown = needDown || (needAcross && window.height() - bar < smallest_.height());
  needAcross = needAcross || (needDown && window.width() - bar < smallest_.width());
  const QSize view(std::max(1, window.width() - (needDown ? bar : 0)),
                   std::max(1, window.height() - (needAcross ? bar : 0)));
  const QSize page = view.expandedTo(smallest_);
  across_->setRange(0, page.width() - view.width());
  across_->setPageStep(view.width());
  across_->setGeometry(0, view.height(), view.width(), bar);
  across_->setVisible(needAcross);
  down_->setRange(0, page.height() - view.height());
  down_->setPageStep(view.height());
  down_->setGeometry(view.width(), 0, bar, view.height());
  down_->setVisible(needDown);
  corner_->setGeometry(view.width(), view.height(), bar, bar);
  corner_->setVisible(needAcross && needDown);
  page_->resize(page);
  Scrolled();
  return page;
}

bool ScrollPage::IsScrollPart(const QWidget* w) const { return w == across_ || w == down_ || w == corner_; }

void ScrollPage::Scrolled() {
  page_->move(-across_->value(), -down_->value());
  across_->raise();
  down_->raise();
  corner_->raise();
}

}  // namespace ondrik
