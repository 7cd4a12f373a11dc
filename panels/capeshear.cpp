#include "panels/capeshear.h"

#include <QFrame>

namespace ondrik {

CapeShearPanel::CapeShearPanel(PanelHost& host, QWidget* parent)
    : PicturePanel(host, parent, "picCape"), pnlShear_(new QFrame(parent)) {
  pnlShear_->setObjectName("pnlShear");
}

QWidget* CapeShearPanel::ButtonBar() { return pnlShear_; }

}  // namespace ondrik
