#include "panels/picturepanel.h"

#include "platform/pictureboxwidget.h"

namespace ondrik {

PicturePanel::PicturePanel(PanelHost& host, QWidget* parent, const std::string& objectName)
    : host_(host), picture_(new PictureBoxWidget(parent)) {
  picture_->setObjectName(QString::fromStdString(objectName));
}

QWidget* PicturePanel::Widget() { return picture_; }

PictureBox& PicturePanel::Pic() { return picture_->Pic(); }

void PicturePanel::Update() { picture_->update(); }

}  // namespace ondrik
