// The CAPE-shear diagram of the storm-type panel (side panel "CAPE-Shear")
// with its row of option buttons under it; it draws nothing yet.
#pragma once

#include "panels/picturepanel.h"

class QFrame;

namespace ondrik {

class CapeShearPanel : public PicturePanel {
 public:
  CapeShearPanel(PanelHost& host, QWidget* parent);
  QWidget* ButtonBar() override;

 private:
  QFrame* pnlShear_;
};

}  // namespace ondrik
