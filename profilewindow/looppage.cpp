#include "profilewindow/looppage.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <utility>

#include "panels/settings.h"
#include "platform/controls.h"
#include "profilewindow/programs.h"

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

  // The downloader beside the loop: its caption and "Get Data" on one line,
  // the two rows of list buttons under them, all inside the page.
  frameHaulix_ = new QFrame(page_);
  frameHaulix_->setObjectName("frameHaulix");
  frameHaulix_->setFrameStyle(QFrame::Box | QFrame::Plain);
  frameHaulix_->setGeometry(318, 4, 262, 72);
  auto* caption = new QLabel("Download profiles", frameHaulix_);
  caption->setGeometry(6, 3, 150, 16);
  constexpr int perRow = kHaulixButtons / 2;
  for (int i = 0; i < kHaulixButtons; ++i) {
    auto* b = new QPushButton(QString::fromStdString(HaulixLetter(i)), frameHaulix_);
    b->setObjectName(QString("btnHaulix%1").arg(i));
    b->setFocusPolicy(Qt::TabFocus);
    b->setGeometry(4 + (i % perRow) * 23, 24 + (i / perRow) * 23, 22, 22);
    QObject::connect(b, &QPushButton::clicked, page_, [this, i] {
      if (onListClick) onListClick(i);
    });
    btnHaulix_.push_back(b);
  }
  auto* btnNewData = new QPushButton("Get Data", frameHaulix_);
  btnNewData->setObjectName("btnNewData");
  btnNewData->setFocusPolicy(Qt::TabFocus);
  btnNewData->setToolTip("Start the downloader");
  btnNewData->setGeometry(172, 2, 84, 20);
  QObject::connect(btnNewData, &QPushButton::clicked, page_, [this] {
    if (onNewDataClick) onNewDataClick();
  });
}

void LoopPage::SetListToolTips(const std::vector<std::optional<std::string>>& tips) {
  for (size_t i = 0; i < tips.size() && i < btnHaulix_.size(); ++i)
    if (tips[i]) btnHaulix_[i]->setToolTip(QString::fromStdString(*tips[i]));
}

QWidget* LoopPage::Widget() { return page_; }
int LoopPage::Rate() const { return hsbRate_->Value(); }
int LoopPage::Delay() const { return hsbDelay_->Value(); }

void LoopPage::Capture(PanelSettings& into) const {
  into.hsbRate = hsbRate_->Value();
  into.hsbDelay = hsbDelay_->Value();
}

void LoopPage::Apply(const PanelSettings& from) {
  for (auto [bar, v] : {std::pair{hsbRate_, from.hsbRate}, std::pair{hsbDelay_, from.hsbDelay}})
    if (v >= std::min<int>(bar->Min, bar->Max) && v <= std::max<int>(bar->Min, bar->Max)) bar->SetValue(v);
}

}  // namespace ondrik
