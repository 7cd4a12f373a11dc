#include "panels/stormmatrix.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/pictureboxwidget.h"

namespace ondrik {

StormMatrixPage::StormMatrixPage(PanelHost&, QWidget* parent)
    : page_(new QFrame(parent)), picReason_(new PictureBoxWidget(page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  picReason_->setObjectName("picReason");
  auto* caption = new QLabel("KORVAN Convective Storm Matrix", page_);
  caption->setObjectName("Label32");
  auto* fill = new QVBoxLayout(page_);
  fill->setContentsMargins(4, 2, 4, 4);
  fill->setSpacing(2);
  fill->addWidget(caption);
  fill->addWidget(picReason_);
}

QWidget* StormMatrixPage::Widget() { return page_; }

void StormMatrixPage::Draw() {
  picReason_->Pic().Cls();
  picReason_->update();
}

}  // namespace ondrik
