#include "profilewindow/overlayspage.h"

#include <QFrame>
#include <QLabel>

#include "platform/controls.h"

namespace ondrik {

OverlaysPage::OverlaysPage(PanelHost&, QWidget* parent)
    : page_(new QFrame(parent)), lblSelectEnsemble_(new QLabel(page_)) {
  page_->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblSelectEnsemble_->setObjectName("lblSelectEnsemble");
  lblSelectEnsemble_->setGeometry(6 + 4 * 79 + 8, 4, 250, 16);
  lblSelectEnsemble_->setVisible(false);
  for (int i = 0; i < kDatasetBoxCount; ++i) {
    auto* c = new CheckBox(QString(), page_);
    c->setObjectName(QString("chkefname%1").arg(i));
    c->setFocusPolicy(Qt::TabFocus);
    const int column = i / 5, row = i % 5;
    c->setGeometry(6 + column * 79, 2 + row * 16, 78, 16);
    c->SetValue(1);
    c->setVisible(false);
    c->onClick = [this, i] {
      if (onBoxClick) onBoxClick(i);
    };
    chkefname_[static_cast<size_t>(i)] = c;
  }
}

QWidget* OverlaysPage::Widget() { return page_; }

void OverlaysPage::SetBoxes(const DatasetBoxes& boxes) {
  for (size_t i = 0; i < chkefname_.size(); ++i) {
    caption_[i] = boxes.caption[i];
    chkefname_[i]->setText(QString::fromStdString(boxes.caption[i]));
    chkefname_[i]->setVisible(boxes.visible[i]);
  }
}

int OverlaysPage::Value(int box) const {
  if (box < 0 || box >= kDatasetBoxCount) return 0;
  return chkefname_[static_cast<size_t>(box)]->Value();
}

void OverlaysPage::SetValue(int box, int value) {
  if (box < 0 || box >= kDatasetBoxCount) return;
  chkefname_[static_cast<size_t>(box)]->SetValue(value);
}

void OverlaysPage::SetSummary(const std::string& text) { lblSelectEnsemble_->setText(QString::fromStdString(text)); }
void OverlaysPage::ShowSummary(bool visible) { lblSelectEnsemble_->setVisible(visible); }
std::string OverlaysPage::Summary() const { return lblSelectEnsemble_->text().toStdString(); }

}  // namespace ondrik
