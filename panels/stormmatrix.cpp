#include "panels/stormmatrix.h"

#include <QFrame>
#include <QVBoxLayout>

#include "platform/pictureboxwidget.h"

namespace ondrik {

StormMatrixPage::StormMatrixPage(PanelHost&, QWidget* parent)
    : page_(new QFrame(parent)), picReason_(new PictureBoxWidget(page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  picReason_->setObjectName("picReason");
  auto* fill = new QVBoxLayout(page_);
  fill->setContentsMargins(4, 4, 4, 4);
  fill->addWidget(picReason_);
}

QWidget* StormMatrixPage::Widget() { return page_; }

void StormMatrixPage::Draw() {
  picReason_->Pic().Cls();
  picReason_->update();
}

}  // namespace ondrik
