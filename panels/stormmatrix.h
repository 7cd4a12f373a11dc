// The convective storm matrix (control page "KORVAN"): the page is cleared at
// every refresh; the classification and its sketch are not part of the
// program yet.
#pragma once

#include "panels/panel.h"

class QFrame;

namespace ondrik {

class PictureBoxWidget;

class StormMatrixPage : public SidePanel {
 public:
  StormMatrixPage(PanelHost& host, QWidget* parent);
  QWidget* Widget() override;
  void Draw() override;

 private:
  QFrame* page_;
  PictureBoxWidget* picReason_;
};

}  // namespace ondrik
